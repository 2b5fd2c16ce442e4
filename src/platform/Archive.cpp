#include "platform/Archive.h"

#include <strings.h>

#include <cstring>
#include <limits>

namespace {
uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void WriteU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

// The length of the file in bytes, or -1.
int64_t FileLength(FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long length = std::ftell(file);
    return length < 0 ? -1 : static_cast<int64_t>(length);
}

// Reads the header at offset 0 and checks it against the file's length: the magic "GOB\0",
// a count of at least 1 and a directory that lies wholly inside the file. Leaves the file
// positioned at the first record.
bool ReadHeader(FILE* file, uint32_t& count, int64_t& fileLength) {
    fileLength = FileLength(file);
    if (fileLength < static_cast<int64_t>(kArchiveHeaderSize)) return false;
    if (std::fseek(file, 0, SEEK_SET) != 0) return false;
    uint8_t header[kArchiveHeaderSize];
    if (std::fread(header, 1, sizeof header, file) != sizeof header) return false;
    if (std::memcmp(header, "GOB", 4) != 0) return false;
    count = ReadU32(header + 4);
    if (count == 0) return false;
    const int64_t directoryEnd = static_cast<int64_t>(kArchiveHeaderSize) + static_cast<int64_t>(count) * kArchiveRecordSize;
    return directoryEnd <= fileLength;
}

ArchiveRecord DecodeRecord(const uint8_t* raw, int64_t fileLength) {
    ArchiveRecord r;
    r.offset = ReadU32(raw);
    r.size = ReadU32(raw + 4);
    const char* name = reinterpret_cast<const char*>(raw + 8);
    const void* end = std::memchr(name, 0, kArchiveNameSize);
    r.name.assign(name, end ? static_cast<const char*>(end) - name : kArchiveNameSize);
    r.valid = end != nullptr && static_cast<int64_t>(r.offset) + static_cast<int64_t>(r.size) <= fileLength;
    return r;
}

}  // namespace

FILE* OpenArchive(const char* fileName) {
    if (fileName == nullptr) return nullptr;
    FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) return nullptr;
    uint32_t count = 0;
    int64_t length = 0;
    if (!ReadHeader(file, count, length)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

void CloseArchive(FILE* file) {
    if (file != nullptr) std::fclose(file);
}

FILE* FindEntry(FILE* file, const char* name, uint32_t* size) {
    if (file == nullptr || name == nullptr || name[0] == '\0') return nullptr;
    uint32_t count = 0;
    int64_t length = 0;
    if (!ReadHeader(file, count, length)) return nullptr;
    uint8_t raw[kArchiveRecordSize];
    for (uint32_t i = 0; i < count; ++i) {
        if (std::fread(raw, 1, sizeof raw, file) != sizeof raw) return nullptr;
        const char* recordName = reinterpret_cast<const char*>(raw + 8);
        if (std::memchr(recordName, 0, kArchiveNameSize) == nullptr) continue;
        if (strcasecmp(recordName, name) != 0) continue;
        const ArchiveRecord r = DecodeRecord(raw, length);
        if (!r.valid || std::fseek(file, static_cast<long>(r.offset), SEEK_SET) != 0) return nullptr;
        if (size != nullptr) *size = r.size;
        return file;
    }
    return nullptr;
}

bool ReadArchiveEntry(FILE* file, const char* name, std::vector<uint8_t>& bytes) {
    bytes.clear();
    uint32_t size = 0;
    if (FindEntry(file, name, &size) == nullptr) return false;
    // FindEntry has checked that the entry lies inside the file, so the size is bounded by it.
    bytes.resize(size);
    if (size > 0 && std::fread(bytes.data(), 1, size, file) != size) {
        bytes.clear();
        return false;
    }
    return true;
}

bool ReadArchiveDirectory(FILE* file, std::vector<ArchiveRecord>& records) {
    records.clear();
    uint32_t count = 0;
    int64_t length = 0;
    if (file == nullptr || !ReadHeader(file, count, length)) return false;
    uint8_t raw[kArchiveRecordSize];
    for (uint32_t i = 0; i < count; ++i) {
        if (std::fread(raw, 1, sizeof raw, file) != sizeof raw) return false;
        records.push_back(DecodeRecord(raw, length));
    }
    return true;
}

bool BuildArchive(const std::vector<ArchiveEntry>& entries, std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    if (entries.empty()) {
        error = "an archive needs at least one entry";
        return false;
    }
    uint64_t total = kArchiveHeaderSize + static_cast<uint64_t>(entries.size()) * kArchiveRecordSize;
    for (const ArchiveEntry& e : entries) {
        if (e.name.empty() || e.name.size() >= kArchiveNameSize || e.name.find('\0') != std::string::npos) {
            error = "entry name \"" + e.name + "\" is empty or longer than 259 bytes";
            return false;
        }
        total += e.bytes.size();
    }
    if (total > std::numeric_limits<uint32_t>::max()) {
        error = "the archive would be larger than 4 GB";
        return false;
    }
    out.assign(static_cast<size_t>(total), 0);
    std::memcpy(out.data(), "GOB", 4);
    WriteU32(out.data() + 4, static_cast<uint32_t>(entries.size()));
    size_t offset = kArchiveHeaderSize + entries.size() * kArchiveRecordSize;
    for (size_t i = 0; i < entries.size(); ++i) {
        uint8_t* record = out.data() + kArchiveHeaderSize + i * kArchiveRecordSize;
        WriteU32(record, static_cast<uint32_t>(offset));
        WriteU32(record + 4, static_cast<uint32_t>(entries[i].bytes.size()));
        std::memcpy(record + 8, entries[i].name.data(), entries[i].name.size());
        if (!entries[i].bytes.empty()) std::memcpy(out.data() + offset, entries[i].bytes.data(), entries[i].bytes.size());
        offset += entries[i].bytes.size();
    }
    return true;
}

ArchiveTextFile::ArchiveTextFile(FILE* archive, const char* entryName, size_t maxSize) {
    uint32_t size = 0;
    // FindEntry checks the entry's offset and size against the archive's length, so the size
    // is bounded by the file before anything is allocated.
    if (FindEntry(archive, entryName, &size) == nullptr || size > maxSize) return;
    std::vector<uint8_t> bytes;
    if (!ReadArchiveEntry(archive, entryName, bytes)) return;
    bytes_.assign(bytes.begin(), bytes.end());
    stream_ = std::make_unique<std::istringstream>(bytes_);
}

ArchiveTextFile::~ArchiveTextFile() = default;

void ArchiveTextFile::Close() {
    stream_.reset();
    bytes_.clear();
    bytes_.shrink_to_fit();
}
