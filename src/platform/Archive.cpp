#include "platform/Archive.h"

FILE* OpenArchive(const char* fileName) { return nullptr; }
void CloseArchive(FILE* file) {
    if (file != nullptr) fclose(file);
}
FILE* FindEntry(FILE* file, const char* name, uint32_t* size) { return nullptr; }
bool ReadArchiveEntry(FILE* file, const char* name, std::vector<uint8_t>& bytes) { return false; }
ArchiveTextFile::ArchiveTextFile(FILE* archive, const char* entryName) {}
ArchiveTextFile::~ArchiveTextFile() { Close(); }
void ArchiveTextFile::Close() {
    delete stream_;
    stream_ = nullptr;
}
