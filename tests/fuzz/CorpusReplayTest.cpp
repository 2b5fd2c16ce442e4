// Replays the fuzz corpora: every folder under tests/fuzz/corpus/ belongs to the fuzz target of
// the same name (tests/fuzz/<name>_fuzz.cpp), and every file in it, the findings of earlier
// fuzzing included, runs through that target with all its checks and its allocation watch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzTarget.h"

namespace {
namespace fs = std::filesystem;

fs::path CorpusRoot() { return fs::path(KW_SOURCE_DIR) / "tests" / "fuzz" / "corpus"; }

std::vector<std::string> CorpusFolders() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(CorpusRoot(), ec))
        if (e.is_directory()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<fs::path> FilesOf(const std::string& target) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(CorpusRoot() / target, ec))
        if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<uint8_t> Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Test names allow letters, digits and "_" only.
std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}
}  // namespace

class FuzzCorpus : public ::testing::TestWithParam<std::string> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FuzzCorpus);

TEST_P(FuzzCorpus, EveryFileKeepsTheChecksOfItsTarget) {
    const std::string target = GetParam();
    kwfuzz::TargetFunction run = kwfuzz::Find(target);
    ASSERT_NE(run, nullptr) << "the corpus folder " << target << " has no fuzz target: tests/fuzz/" << target
                            << "_fuzz.cpp with KW_FUZZ_TARGET(" << target << ")";
    const std::vector<fs::path> files = FilesOf(target);
    ASSERT_FALSE(files.empty()) << "empty corpus folder " << target;
    size_t largestPeak = 0;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        const std::vector<uint8_t> bytes = Bytes(file);
        const kwfuzz::AllocationReport report = kwfuzz::RunOne(target.c_str(), run, bytes.data(), bytes.size());
        largestPeak = std::max(largestPeak, report.peak);
    }
    RecordProperty("files", static_cast<int>(files.size()));
    RecordProperty("largest_peak_bytes", std::to_string(largestPeak));
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus, ::testing::ValuesIn(CorpusFolders()), TestName);

TEST(FuzzCorpusLayout, EveryTargetHasAFolderOfInputs) {
    const std::vector<std::string> folders = CorpusFolders();
    EXPECT_FALSE(kwfuzz::RegisteredNames().empty());
    for (const std::string& name : kwfuzz::RegisteredNames()) {
        EXPECT_NE(std::find(folders.begin(), folders.end(), name), folders.end())
            << "the fuzz target " << name << " has no corpus folder tests/fuzz/corpus/" << name;
        EXPECT_FALSE(FilesOf(name).empty()) << name;
    }
}
