// Runs every test in a fresh temporary working directory, since the program reads and
// writes its files in the working directory.
#include <gtest/gtest.h>

#include "app/AppContext.h"

#include <cstdlib>
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
        // The application record writes its files where it was made: in the test's folder.
        DestroyAppContext();
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

// CTest hands gtest_discover_tests only the first of several ENVIRONMENT entries, so the test
// binary sets its environment itself: headless video and audio. Leaks are reported, except
// for the caches that SDL, SDL_ttf, FreeType and fontconfig keep until process exit.
extern "C" const char* __asan_default_options() { return "detect_leaks=1"; }
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libSDL2-2.0.so\nleak:libSDL2_ttf\nleak:libfreetype.so\n";
}

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new TempDirListener);
    return RUN_ALL_TESTS();
}
