#pragma once
// The resource archive "sport.gob": header "GOB\0", a record count, 268-byte records
// (offset, size, 260-byte name) and the raw bytes of the entries.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

FILE* OpenArchive(const char* fileName);
void CloseArchive(FILE* file);
// Positions file at the first byte of the entry (names compare ignoring ASCII case, the first
// record wins) and returns it; nullptr when there is no such entry. size receives its size.
FILE* FindEntry(FILE* file, const char* name, uint32_t* size);
// Reads a whole entry into bytes; false when it is missing or cannot be read.
bool ReadArchiveEntry(FILE* file, const char* name, std::vector<uint8_t>& bytes);

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
