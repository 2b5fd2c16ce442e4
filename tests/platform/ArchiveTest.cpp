#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/Archive.h"

namespace {
std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

void WriteFile(const char* path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> MakeArchive(const std::vector<ArchiveEntry>& entries) {
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_TRUE(BuildArchive(entries, out, error)) << error;
    return out;
}

void PutU32(std::vector<uint8_t>& a, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) a[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

const std::vector<ArchiveEntry> kEntries = {
    {"misc1.PNG", Bytes("first picture")},
    {"Sounds\\win.wav", Bytes("RIFF....")},
    {"data.txt", Bytes("KEY: 1\r\nNAME: Otto\r\n")},
    {"misc1.png", Bytes("the second record of the same name")},
};

std::string Entry(FILE* f, const char* name) {
    std::vector<uint8_t> bytes;
    if (!ReadArchiveEntry(f, name, bytes)) return "<none>";
    return std::string(bytes.begin(), bytes.end());
}
}  // namespace

TEST(Archive, FindsNamesIgnoringCaseAndTheFirstRecordWins) {
    WriteFile("sport.gob", MakeArchive(kEntries));
    FILE* f = OpenArchive("sport.gob");
    ASSERT_NE(f, nullptr);
    uint32_t size = 0;
    EXPECT_EQ(FindEntry(f, "MISC1.PNG", &size), f);
    EXPECT_EQ(size, 13u);
    EXPECT_EQ(Entry(f, "misc1.png"), "first picture");
    EXPECT_EQ(Entry(f, "sounds\\WIN.wav"), "RIFF....");
    // A failed lookup leaves the archive usable for the next one.
    EXPECT_EQ(FindEntry(f, "missing.PNG", &size), nullptr);
    EXPECT_EQ(FindEntry(f, "", &size), nullptr);
    EXPECT_EQ(FindEntry(f, nullptr, &size), nullptr);
    EXPECT_EQ(FindEntry(nullptr, "misc1.PNG", &size), nullptr);
    EXPECT_EQ(Entry(f, "data.txt"), "KEY: 1\r\nNAME: Otto\r\n");
    CloseArchive(f);
    CloseArchive(nullptr);
}

TEST(Archive, RefusesWrongMagicZeroCountAndMissingFiles) {
    std::vector<uint8_t> a = MakeArchive(kEntries);
    a[3] = 'X';  // "GOB" followed by a non-zero byte
    WriteFile("magic.gob", a);
    EXPECT_EQ(OpenArchive("magic.gob"), nullptr);
    a = MakeArchive(kEntries);
    PutU32(a, 4, 0);
    WriteFile("empty.gob", a);
    EXPECT_EQ(OpenArchive("empty.gob"), nullptr);
    WriteFile("short.gob", Bytes("GOB"));
    EXPECT_EQ(OpenArchive("short.gob"), nullptr);
    EXPECT_EQ(OpenArchive("nothing.gob"), nullptr);
    EXPECT_EQ(OpenArchive(nullptr), nullptr);
}

TEST(Archive, CorruptArchivesFailCleanly) {
    // A count far beyond the file: the directory cannot be there.
    std::vector<uint8_t> a = MakeArchive(kEntries);
    PutU32(a, 4, 0xFFFFFFFFu);
    WriteFile("huge.gob", a);
    EXPECT_EQ(OpenArchive("huge.gob"), nullptr);

    // A truncated directory.
    a = MakeArchive(kEntries);
    a.resize(kArchiveHeaderSize + 2 * kArchiveRecordSize + 100);
    WriteFile("cut.gob", a);
    EXPECT_EQ(OpenArchive("cut.gob"), nullptr);

    // A size and an offset past the end, an unterminated name: those entries are missing,
    // the others stay readable.
    a = MakeArchive(kEntries);
    PutU32(a, kArchiveHeaderSize + 4, 0x7FFFFFFFu);                          // misc1.PNG size
    PutU32(a, kArchiveHeaderSize + kArchiveRecordSize, 0xFFFFFF00u);         // Sounds\win.wav offset
    std::memset(a.data() + kArchiveHeaderSize + 2 * kArchiveRecordSize + 8, 'x', kArchiveNameSize);  // data.txt
    WriteFile("bad.gob", a);
    FILE* f = OpenArchive("bad.gob");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(FindEntry(f, "misc1.PNG", nullptr), nullptr);  // the first match is broken: no entry
    EXPECT_EQ(Entry(f, "Sounds\\win.wav"), "<none>");
    EXPECT_EQ(Entry(f, "data.txt"), "<none>");
    std::vector<ArchiveRecord> records;
    ASSERT_TRUE(ReadArchiveDirectory(f, records));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_FALSE(records[0].valid);
    EXPECT_FALSE(records[2].valid);
    EXPECT_EQ(records[2].name.size(), kArchiveNameSize);
    EXPECT_TRUE(records[3].valid);
    // The file shrinking under an open archive is noticed too.
    CloseArchive(f);
    std::filesystem::resize_file("bad.gob", kArchiveHeaderSize + 4 * kArchiveRecordSize + 5);
    f = OpenArchive("bad.gob");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Entry(f, "misc1.png"), "<none>");
    CloseArchive(f);
}

TEST(Archive, BuildRefusesNamesThatDoNotFit) {
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_FALSE(BuildArchive({}, out, error));
    EXPECT_FALSE(BuildArchive({{std::string(260, 'a'), {}}}, out, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(BuildArchive({{std::string(259, 'a'), {}}}, out, error));
}

// The entry is parsed from memory: no "tmp.file" is made, and one that exists (a user's file,
// or a link to one) is neither truncated, followed nor removed.
TEST(Archive, TextFileReadsTheEntryFromMemoryAndLeavesTmpFileAlone) {
    WriteFile("sport.gob", MakeArchive(kEntries));
    WriteFile("tmp.file", Bytes("a user's file"));
    WriteFile("target.txt", Bytes("where the link points"));
    std::filesystem::create_symlink("target.txt", "tmp.link");
    FILE* f = OpenArchive("sport.gob");
    ASSERT_NE(f, nullptr);
    auto contents = [](const char* path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    {
        ArchiveTextFile text(f, "DATA.TXT");
        ASSERT_NE(text.Stream(), nullptr);
        EXPECT_EQ(text.Bytes(), "KEY: 1\r\nNAME: Otto\r\n");
        std::string key, name;
        int value = 0;
        *text.Stream() >> key >> value >> name;
        EXPECT_EQ(key, "KEY:");
        EXPECT_EQ(value, 1);
        EXPECT_EQ(name, "NAME:");
        // A second text file at the same time reads its own entry.
        ArchiveTextFile other(f, "misc1.png");
        EXPECT_EQ(other.Bytes(), "first picture");
        EXPECT_EQ(contents("tmp.file"), "a user's file");
    }
    EXPECT_EQ(contents("tmp.file"), "a user's file");
    EXPECT_EQ(contents("target.txt"), "where the link points");
    {
        ArchiveTextFile missing(f, "nothing.txt");
        EXPECT_EQ(missing.Stream(), nullptr);
        EXPECT_TRUE(missing.Bytes().empty());
    }
    {
        ArchiveTextFile closed(f, "data.txt");
        closed.Close();
        EXPECT_EQ(closed.Stream(), nullptr);
        EXPECT_TRUE(closed.Bytes().empty());
    }
    {
        ArchiveTextFile tooLarge(f, "data.txt", 10);
        EXPECT_EQ(tooLarge.Stream(), nullptr);
        ArchiveTextFile justFits(f, "data.txt", 20);
        EXPECT_NE(justFits.Stream(), nullptr);
    }
    ArchiveTextFile noArchive(nullptr, "data.txt");
    EXPECT_EQ(noArchive.Stream(), nullptr);
    EXPECT_EQ(contents("tmp.file"), "a user's file");
    EXPECT_EQ(contents("target.txt"), "where the link points");
    CloseArchive(f);
}

// An entry whose record claims more bytes than the archive holds is not read.
TEST(Archive, TextFileRefusesAnEntryReachingPastTheArchive) {
    std::vector<uint8_t> archive = MakeArchive(kEntries);
    PutU32(archive, kArchiveHeaderSize + 2 * kArchiveRecordSize + 4, 0x7FFFFFF0u);
    WriteFile("sport.gob", archive);
    FILE* f = OpenArchive("sport.gob");
    ASSERT_NE(f, nullptr);
    ArchiveTextFile text(f, "data.txt", 0xFFFFFFFFu);
    EXPECT_EQ(text.Stream(), nullptr);
    CloseArchive(f);
    EXPECT_FALSE(std::filesystem::exists("tmp.file"));
}
