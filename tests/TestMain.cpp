// Runs every test in a fresh temporary working directory, since the program reads and
// writes its files in the working directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {
class TempDirListener : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override {
        home_ = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "kwtest-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            dir_ = pattern;
            std::filesystem::current_path(dir_);
        }
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        std::filesystem::current_path(home_);
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
        dir_.clear();
    }

private:
    std::filesystem::path home_;
    std::filesystem::path dir_;
};
}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new TempDirListener);
    return RUN_ALL_TESTS();
}
