#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {
const std::string kGob = std::string(KW_DATA_DIR) + "/../tools/gob/gob";

int Gob(const std::string& args) {
    const int status = std::system((kGob + " " + args + " >out.txt 2>err.txt").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Read(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const char* path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
}  // namespace

TEST(Gob, PackListExtractRoundTripByteForByte) {
    std::string binary;
    for (int i = 0; i < 70000; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
    Write("a.bin", binary);
    Write("b.txt", "OBJEKT_START\r\nTYP: 2\r\n");
    Write("empty", "");
    ASSERT_EQ(Gob("pack test.gob 'Sounds\\win.wav=a.bin' bb_0=b.txt nothing=empty"), 0) << Read("err.txt");
    ASSERT_EQ(Gob("list test.gob"), 0);
    const std::string listing = Read("out.txt");
    EXPECT_NE(listing.find("Sounds\\win.wav"), std::string::npos);
    EXPECT_NE(listing.find("70000"), std::string::npos);
    EXPECT_NE(listing.find("bb_0"), std::string::npos);
    ASSERT_EQ(Gob("extract test.gob 'SOUNDS\\WIN.WAV' win.out"), 0);
    EXPECT_EQ(Read("win.out"), binary);
    ASSERT_EQ(Gob("extract test.gob bb_0"), 0);  // to the entry's own name
    EXPECT_EQ(Read("bb_0"), Read("b.txt"));
    ASSERT_EQ(Gob("extract test.gob 'Sounds\\win.wav'"), 0);  // the folder part is dropped
    EXPECT_EQ(Read("win.wav"), binary);
    ASSERT_EQ(Gob("extract test.gob nothing empty.out"), 0);
    EXPECT_EQ(Read("empty.out"), "");
}

TEST(Gob, BadInputGivesAMessageAndAFailingExitCode) {
    Write("a.txt", "x");
    Write("garbage.gob", "GOB!and then some bytes that are no archive");
    EXPECT_NE(Gob(""), 0);
    EXPECT_NE(Gob("frobnicate x.gob"), 0);
    EXPECT_NE(Gob("list missing.gob"), 0);
    EXPECT_NE(Read("err.txt").find("missing.gob"), std::string::npos);
    EXPECT_NE(Gob("list garbage.gob"), 0);
    EXPECT_NE(Gob("pack out.gob noequals"), 0);
    EXPECT_NE(Gob("pack out.gob name=missing-file"), 0);
    EXPECT_NE(Gob("pack out.gob =a.txt"), 0);
    EXPECT_NE(Gob("pack out.gob " + std::string(300, 'n') + "=a.txt"), 0);
    EXPECT_FALSE(std::ifstream("out.gob").good());  // nothing half-written is left
    ASSERT_EQ(Gob("pack ok.gob a=a.txt"), 0);
    EXPECT_NE(Gob("extract ok.gob b"), 0);
    EXPECT_NE(Read("err.txt").find("\"b\""), std::string::npos);
}
