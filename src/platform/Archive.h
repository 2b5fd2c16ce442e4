#pragma once
// The resource archive "sport.gob": header "GOB\0", a record count, 268-byte records
// (offset, size, 260-byte name) and the raw bytes of the entries.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
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

// An archive entry read into memory and opened there as a text stream. No file is written:
// the entry is parsed where it lies in memory. An entry larger than maxSize is not read.
class ArchiveTextFile {
public:
    ArchiveTextFile(FILE* archive, const char* entryName, size_t maxSize = kArchiveTextMaxSize);
    ~ArchiveTextFile();
    ArchiveTextFile(const ArchiveTextFile&) = delete;
    ArchiveTextFile& operator=(const ArchiveTextFile&) = delete;
    // The stream over the entry's bytes, or nullptr when the entry could not be read.
    std::istream* Stream() { return stream_.get(); }
    // The entry's bytes (empty when it could not be read).
    std::string_view Bytes() const { return stream_ ? std::string_view(bytes_) : std::string_view(); }
    void Close();

    static constexpr size_t kArchiveTextMaxSize = 16u << 20;

private:
    std::string bytes_;
    std::unique_ptr<std::istringstream> stream_;
};
