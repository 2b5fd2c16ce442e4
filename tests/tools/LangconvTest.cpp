// The language converter as the build runs it: UTF-8 source in, Windows-1252 with CR LF out,
// and a clear failure without an output file for anything the code page cannot hold.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// The build puts the tools beside the data directory: build/tools/langconv/langconv.
std::string LangconvPath() {
    return (std::filesystem::path(KW_DATA_DIR).parent_path() / "tools" / "langconv" / "langconv").string();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct ToolRun {
    int exitCode;
    std::string errors;
};

// Runs langconv on arguments in the test's own working directory.
ToolRun Langconv(const std::string& args) {
    const std::string command = "'" + LangconvPath() + "' " + args + " 2> stderr.txt";
    const int status = std::system(command.c_str());
    ToolRun run{-1, ReadBytes("stderr.txt")};
    if (status != -1 && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    return run;
}

// Converts `utf8` and returns the output; fails the test if the conversion fails.
std::string Convert(const std::string& utf8) {
    WriteBytes("in.txt", utf8);
    const ToolRun run = Langconv("in.txt out.lng");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    return ReadBytes("out.lng");
}

class LangconvTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(LangconvPath())) << "langconv not built at " << LangconvPath();
    }
};

TEST_F(LangconvTest, GermanLettersBecomeSingleBytes) {
    EXPECT_EQ(Convert("Zur\xC3\xBC" "ck \xC3\xA4\xC3\xB6\xC3\xBC \xC3\x84\xC3\x96\xC3\x9C Stra\xC3\x9F" "e"),
              "Zur\xFC" "ck \xE4\xF6\xFC \xC4\xD6\xDC Stra\xDF" "e");
}

TEST_F(LangconvTest, CharactersOfTheWindowsRangeMapToTheirBytes) {
    // € „ “ – … Š Ÿ, then no-break space and ÿ at both ends of the Latin-1 range.
    EXPECT_EQ(Convert("\xE2\x82\xAC \xE2\x80\x9E\xE2\x80\x9C \xE2\x80\x93 \xE2\x80\xA6 \xC5\xA0 \xC5\xB8 \xC2\xA0\xC3\xBF"),
              "\x80 \x84\x93 \x96 \x85 \x8A \x9F \xA0\xFF");
}

TEST_F(LangconvTest, LineEndsBecomeCrLfWithoutDoubling) {
    EXPECT_EQ(Convert("a\nb\r\nc\rd\n\n"), "a\r\nb\r\nc\r\nd\r\n\r\n");
    EXPECT_EQ(Convert("<TEXT_START> 5 zwei\nZeilen|"), "<TEXT_START> 5 zwei\r\nZeilen|");
    EXPECT_EQ(Convert(""), "");
    EXPECT_EQ(Convert("a\tb"), "a\tb");  // tabs are kept
}

TEST_F(LangconvTest, ByteOrderMarkIsDropped) {
    EXPECT_EQ(Convert("\xEF\xBB\xBF" "ANZ_TEXTE: 198\n"), "ANZ_TEXTE: 198\r\n");
}

TEST_F(LangconvTest, RejectsWhatTheCodePageCannotHoldAndNamesTheLine) {
    struct Case {
        const char* what;
        std::string input;
    };
    const Case cases[] = {
        {"arrow U+2192", "eins\nzwei\ndrei \xE2\x86\x92 vier\n"},
        {"emoji", "eins\nzwei\n\xF0\x9F\x98\x80\n"},
        {"C1 control U+0081", "eins\nzwei\n\xC2\x81\n"},
        {"NUL byte", std::string("eins\nzwei\nx\0y\n", 14)},
        {"stray continuation byte", "eins\r\nzwei\r\n\x80\r\n"},
        {"Latin-1 byte instead of UTF-8", "eins\nzwei\nZur\xFC" "ck\n"},
        {"overlong encoding", "eins\nzwei\n\xC0\xAF\n"},
        {"surrogate", "eins\nzwei\n\xED\xA0\x80\n"},
        {"beyond U+10FFFF", "eins\nzwei\n\xF4\x90\x80\x80\n"},
        {"truncated sequence", "eins\nzwei\n\xC3"},
    };
    for (const Case& c : cases) {
        WriteBytes("in.txt", c.input);
        WriteBytes("out.lng", "stale output of an earlier run");
        const ToolRun run = Langconv("in.txt out.lng");
        EXPECT_NE(run.exitCode, 0) << c.what;
        EXPECT_NE(run.errors.find("line 3"), std::string::npos) << c.what << ": " << run.errors;
        EXPECT_FALSE(std::filesystem::exists("out.lng")) << c.what;
        EXPECT_FALSE(std::filesystem::exists("out.lng.tmp")) << c.what;
    }
}

TEST_F(LangconvTest, MissingInputAndWrongUsageFail) {
    ToolRun run = Langconv("no-such-file.txt out.lng");
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("no-such-file.txt"), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists("out.lng"));

    WriteBytes("in.txt", "x");
    EXPECT_NE(Langconv("in.txt").exitCode, 0);
    EXPECT_NE(Langconv("in.txt out.lng extra").exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists("out.lng"));

    EXPECT_NE(Langconv("in.txt no-such-dir/out.lng").exitCode, 0);
}

}  // namespace
