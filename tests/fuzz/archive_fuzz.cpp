// fuzz-sources: src/platform/Archive.cpp
// fuzz-max-len: 8192
// Fuzz target: the resource archive reader. The input is an archive file; the target opens it,
// reads its directory, looks up names it holds (as they stand and in other case, and names it
// does not hold), reads entries into memory and as text streams. Whatever the bytes are: the
// archive opens exactly when its header and directory are sound, a lookup finds the first
// record of its name, an entry read never reaches past the end of the file, and a text entry
// is read from memory: a file named "tmp.file" in the working folder is never made or touched.
#include <cstdio>
#include <cstring>
#include <istream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "platform/Archive.h"

namespace {
const char kArchiveFile[] = "fuzz-input.gob";
const char kTempFile[] = "tmp.file";
// Lookups per input: enough to reach every kind of record, few enough to stay fast.
constexpr size_t kMaxLookups = 8;

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

const char kUserText[] = "a user's own file";

// The player's own "tmp.file" is still there, unchanged.
bool UserFileUntouched() {
    FILE* f = std::fopen(kTempFile, "rb");
    if (f == nullptr) return false;
    char buffer[64] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
    std::fclose(f);
    return std::string(buffer, n) == kUserText;
}

void WriteUserFile() {
    if (FILE* f = std::fopen(kTempFile, "wb")) {
        std::fputs(kUserText, f);
        std::fclose(f);
    }
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}
std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// The input read as an archive by hand: the model the reader is checked against.
struct Model {
    const uint8_t* data;
    size_t size;
    uint32_t count = 0;
    bool headerValid = false;

    Model(const uint8_t* d, size_t n) : data(d), size(n) {
        if (n < kArchiveHeaderSize || std::memcmp(d, "GOB", 4) != 0) return;
        count = U32(d + 4);
        headerValid = count >= 1 && kArchiveHeaderSize + static_cast<uint64_t>(count) * kArchiveRecordSize <= n;
    }
    const uint8_t* Record(uint32_t i) const { return data + kArchiveHeaderSize + static_cast<size_t>(i) * kArchiveRecordSize; }
    bool Terminated(uint32_t i) const { return std::memchr(Record(i) + 8, 0, kArchiveNameSize) != nullptr; }
    std::string Name(uint32_t i) const {
        const char* name = reinterpret_cast<const char*>(Record(i) + 8);
        return std::string(name, strnlen(name, kArchiveNameSize));
    }
    uint32_t Offset(uint32_t i) const { return U32(Record(i)); }
    uint32_t Size(uint32_t i) const { return U32(Record(i) + 4); }
    bool Inside(uint32_t i) const { return static_cast<uint64_t>(Offset(i)) + Size(i) <= size; }
    // The first record (in file order) whose name is name, ignoring ASCII case; -1 when none.
    int64_t Lookup(const std::string& name) const {
        if (!headerValid || name.empty()) return -1;
        for (uint32_t i = 0; i < count; ++i)
            if (Terminated(i) && SameIgnoringAsciiCase(Name(i), name)) return i;
        return -1;
    }
};

// Looks name up and reads its entry both ways; checks both against the model.
void CheckLookup(FILE* file, const Model& model, const std::string& name, bool asText) {
    const int64_t record = model.Lookup(name);
    // A found record whose bytes lie past the end of the file is a damaged entry: none.
    const bool found = record >= 0 && model.Inside(static_cast<uint32_t>(record));
    uint32_t size = 0xDEADBEEF;
    FILE* at = FindEntry(file, name.c_str(), &size);
    KW_FUZZ_CHECK((at != nullptr) == found);
    if (found && at != nullptr) {
        const uint32_t i = static_cast<uint32_t>(record);
        KW_FUZZ_CHECK(at == file);
        KW_FUZZ_CHECK(size == model.Size(i));
        KW_FUZZ_CHECK(std::ftell(file) == static_cast<long>(model.Offset(i)));
    }
    std::vector<uint8_t> bytes{1, 2, 3};
    const bool read = ReadArchiveEntry(file, name.c_str(), bytes);
    KW_FUZZ_CHECK(read == found);
    if (!read) KW_FUZZ_CHECK(bytes.empty());
    if (read && found) {
        const uint32_t i = static_cast<uint32_t>(record);
        // Exactly the entry's bytes: none from before it, none from past the end of the file.
        KW_FUZZ_CHECK(bytes.size() == model.Size(i));
        KW_FUZZ_CHECK(bytes.empty() || std::memcmp(bytes.data(), model.data + model.Offset(i), bytes.size()) == 0);
    }
    if (!asText) return;
    {
        ArchiveTextFile text(file, name.c_str());
        KW_FUZZ_CHECK((text.Stream() != nullptr) == found);
        if (text.Stream() != nullptr) {
            const std::string stream((std::istreambuf_iterator<char>(*text.Stream())), std::istreambuf_iterator<char>());
            KW_FUZZ_CHECK(read && stream == std::string(bytes.begin(), bytes.end()));
            KW_FUZZ_CHECK(text.Bytes() == stream);
        }
    }
    KW_FUZZ_CHECK(UserFileUntouched());
}
}  // namespace

KW_FUZZ_TARGET(archive) {
    FILE* out = std::fopen(kArchiveFile, "wb");
    if (out == nullptr) return 0;
    const bool written = size == 0 || std::fwrite(data, 1, size, out) == size;
    if (std::fclose(out) != 0 || !written) return 0;

    const Model model(data, size);
    FILE* file = OpenArchive(kArchiveFile);
    KW_FUZZ_CHECK((file != nullptr) == model.headerValid);
    std::vector<ArchiveRecord> records;
    KW_FUZZ_CHECK(ReadArchiveDirectory(file, records) == model.headerValid);
    if (file == nullptr) {
        // Nothing can be found in an archive that did not open, and no temporary file is made.
        KW_FUZZ_CHECK(FindEntry(file, "misc1.PNG", nullptr) == nullptr);
        WriteUserFile();
        ArchiveTextFile none(file, "bb_1");
        KW_FUZZ_CHECK(none.Stream() == nullptr && UserFileUntouched());
        std::remove(kArchiveFile);
        return 0;
    }

    KW_FUZZ_CHECK(records.size() == model.count);
    for (uint32_t i = 0; i < records.size() && i < model.count; ++i) {
        const ArchiveRecord& r = records[i];
        KW_FUZZ_CHECK(r.offset == model.Offset(i) && r.size == model.Size(i));
        KW_FUZZ_CHECK(r.name == model.Name(i));
        KW_FUZZ_CHECK(r.valid == (model.Terminated(i) && model.Inside(i)));
    }

    // The names the directory holds, as they stand and in upper case; the first two also as text.
    WriteUserFile();
    size_t lookups = 0;
    for (uint32_t i = 0; i < model.count && lookups < kMaxLookups; ++i) {
        if (!model.Terminated(i) || model.Name(i).empty()) continue;
        CheckLookup(file, model, model.Name(i), lookups < 2);
        CheckLookup(file, model, Upper(model.Name(i)), false);
        ++lookups;
    }
    // A name made of the last bytes of the input (of any length up to 300), and names that no
    // record is likely to hold; after them the archive still answers.
    const size_t tail = size < 300 ? size : 300;
    std::string fromInput(reinterpret_cast<const char*>(data + size - tail), tail);
    fromInput.resize(strnlen(fromInput.c_str(), fromInput.size()));
    CheckLookup(file, model, fromInput, false);
    CheckLookup(file, model, "Sounds\\win.wav", false);
    CheckLookup(file, model, std::string(300, 'x'), false);

    // A file of the player's named "tmp.file" stays as it is, whether or not the entry is found.
    WriteUserFile();
    CheckLookup(file, model, "bb_1", true);

    CloseArchive(file);
    std::remove(kArchiveFile);
    return 0;
}
