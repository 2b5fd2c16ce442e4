#pragma once
// The resource archive "sport.gob": header "GOB\0", a record count, 268-byte records
// (offset, size, 260-byte name) and the raw bytes of the entries.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

constexpr size_t kArchiveHeaderSize = 8;
constexpr size_t kArchiveRecordSize = 268;
constexpr size_t kArchiveNameSize = 260;

FILE* OpenArchive(const char* fileName);
void CloseArchive(FILE* file);
// Positions file at the first byte of the entry (names compare ignoring ASCII case, the first
// record wins) and returns it; nullptr when there is no such entry. size receives its size.
// A record whose name is not terminated or whose bytes lie past the end of the file is no entry.
FILE* FindEntry(FILE* file, const char* name, uint32_t* size);
// Reads a whole entry into bytes; false when it is missing or cannot be read.
bool ReadArchiveEntry(FILE* file, const char* name, std::vector<uint8_t>& bytes);

// One directory record as the archive tool shows it.
struct ArchiveRecord {
    uint32_t offset = 0;
    uint32_t size = 0;
    std::string name;
    bool valid = false;  // name terminated and bytes inside the file
};
// Reads the whole directory; false when the header or the directory is damaged.
bool ReadArchiveDirectory(FILE* file, std::vector<ArchiveRecord>& records);

// One entry to pack: its name in the archive and its bytes.
struct ArchiveEntry {
    std::string name;
    std::vector<uint8_t> bytes;
};
// The complete archive file for the entries (directory first, then the data in the same
// order); false with a reason when a name does not fit or the archive would pass 4 GB.
bool BuildArchive(const std::vector<ArchiveEntry>& entries, std::vector<uint8_t>& out, std::string& error);

// An archive entry copied to "tmp.file" and opened there as a text stream.
class ArchiveTextFile {
public:
    ArchiveTextFile(FILE* archive, const char* entryName);
    ~ArchiveTextFile();
    ArchiveTextFile(const ArchiveTextFile&) = delete;
    ArchiveTextFile& operator=(const ArchiveTextFile&) = delete;
    std::istream* Stream() { return stream_; }
    void Close();

private:
    std::ifstream* stream_ = nullptr;
};
