// gob: lists, extracts and packs the resource archive "sport.gob".
//   gob list ARCHIVE                  the entries with offset and size
//   gob extract ARCHIVE NAME [OUT]    one entry (name ignoring case) into OUT, or "-" for stdout
//   gob pack ARCHIVE NAME=FILE...     a new archive from files; names may hold backslashes
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Archive.h"

namespace {
int Usage() {
    std::fprintf(stderr,
                 "usage: gob list ARCHIVE\n"
                 "       gob extract ARCHIVE NAME [OUT]\n"
                 "       gob pack ARCHIVE NAME=FILE...\n");
    return 2;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "gob: %s\n", message.c_str());
    return 1;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* out = path == "-" ? stdout : std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    ok = (out == stdout ? std::fflush(out) : std::fclose(out)) == 0 && ok;
    return ok;
}

int List(const char* archivePath) {
    FILE* archive = OpenArchive(archivePath);
    if (archive == nullptr) return Fail(std::string(archivePath) + ": missing or not a GOB archive");
    std::vector<ArchiveRecord> records;
    const bool ok = ReadArchiveDirectory(archive, records);
    CloseArchive(archive);
    if (!ok) return Fail(std::string(archivePath) + ": damaged directory");
    bool allValid = true;
    for (const ArchiveRecord& r : records) {
        std::printf("%10u %10u  %s%s\n", r.offset, r.size, r.name.c_str(), r.valid ? "" : "  (damaged)");
        allValid = allValid && r.valid;
    }
    return allValid ? 0 : 1;
}

int Extract(const char* archivePath, const char* name, const char* outPath) {
    FILE* archive = OpenArchive(archivePath);
    if (archive == nullptr) return Fail(std::string(archivePath) + ": missing or not a GOB archive");
    std::vector<uint8_t> bytes;
    const bool found = ReadArchiveEntry(archive, name, bytes);
    CloseArchive(archive);
    if (!found) return Fail(std::string(archivePath) + ": no readable entry \"" + name + "\"");
    std::string out = outPath ? outPath : name;
    if (outPath == nullptr) {
        // Without an output name the entry goes to the file of its base name in this folder.
        const size_t cut = out.find_last_of("\\/");
        if (cut != std::string::npos) out = out.substr(cut + 1);
    }
    if (out.empty() || !WriteWholeFile(out, bytes)) return Fail("cannot write " + out);
    return 0;
}

int Pack(const char* archivePath, int count, char** specs) {
    std::vector<ArchiveEntry> entries;
    for (int i = 0; i < count; ++i) {
        const char* eq = std::strchr(specs[i], '=');
        if (eq == nullptr || eq == specs[i] || eq[1] == '\0')
            return Fail(std::string("\"") + specs[i] + "\" is not NAME=FILE");
        ArchiveEntry e;
        e.name.assign(specs[i], static_cast<size_t>(eq - specs[i]));
        if (!ReadWholeFile(eq + 1, e.bytes)) return Fail(std::string("cannot read ") + (eq + 1));
        entries.push_back(std::move(e));
    }
    std::vector<uint8_t> archive;
    std::string error;
    if (!BuildArchive(entries, archive, error)) return Fail(error);
    // Written beside the target and renamed, so a failed pack never leaves half an archive.
    const std::string temp = std::string(archivePath) + ".part";
    if (!WriteWholeFile(temp, archive)) {
        std::remove(temp.c_str());
        return Fail("cannot write " + temp);
    }
    if (std::rename(temp.c_str(), archivePath) != 0) {
        std::remove(temp.c_str());
        return Fail(std::string("cannot write ") + archivePath);
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    if (command == "list" && argc == 3) return List(argv[2]);
    if (command == "extract" && (argc == 4 || argc == 5)) return Extract(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
    if (command == "pack" && argc >= 4) return Pack(argv[2], argc - 3, argv + 3);
    return Usage();
}
