#include "framework/SafeFile.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace {
AtomicWriteHook g_hook = nullptr;

const char kTempInfix[] = ".tmp.";

// Creates a new temporary file beside path ("path.tmp.<pid>.<n>"); -1 on failure.
int CreateTemporary(const std::string& path, std::string& tempPath) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + kTempInfix + std::to_string(getpid()) + "." + std::to_string(counter++);
        int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The folder of path and the file's name in it.
std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}
std::string NameOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A run of decimal digits from text[pos] up to end (exclusive) as a number; false when empty,
// not all digits or too long to be a process id.
bool DigitsAt(const std::string& text, size_t pos, size_t end, long& value) {
    if (pos >= end || end - pos > 9) return false;
    value = 0;
    for (size_t i = pos; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// The process id in the name of a temporary file that a save of fileName made
// ("<fileName>.tmp.<pid>.<n>"), or 0 when entryName is no such name.
long TemporaryOwner(const std::string& entryName, const std::string& fileName) {
    const std::string prefix = fileName + kTempInfix;
    if (entryName.size() <= prefix.size() || entryName.compare(0, prefix.size(), prefix) != 0) return 0;
    const size_t dot = entryName.find('.', prefix.size());
    long pid = 0, n = 0;
    if (dot == std::string::npos || !DigitsAt(entryName, prefix.size(), dot, pid) ||
        !DigitsAt(entryName, dot + 1, entryName.size(), n))
        return 0;
    return pid;
}

// Removes the temporaries that earlier saves of path left behind when their process died in the
// middle (killed, or the machine went down): names of this file's own pattern whose process no
// longer runs. A temporary of a process that still runs may be a save in progress; it stays.
void RemoveStaleTemporaries(const std::string& path) {
    const std::string fileName = NameOf(path);
    const std::string folder = FolderOf(path);
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return;
    std::vector<std::string> stale;
    while (const dirent* entry = readdir(dir)) {
        const long pid = TemporaryOwner(entry->d_name, fileName);
        if (pid <= 0 || pid == static_cast<long>(getpid())) continue;
        if (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        stale.push_back(entry->d_name);
    }
    closedir(dir);
    for (const std::string& name : stale) unlink((folder + "/" + name).c_str());
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolderOf(const std::string& path) {
    std::string folder = FolderOf(path);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}
}  // namespace

void SetAtomicWriteHook(AtomicWriteHook hook) { g_hook = hook; }

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    std::string tempPath;
    int fd = CreateTemporary(path, tempPath);
    if (fd < 0) return false;
    // The new file keeps the permissions of the one it replaces.
    struct stat old;
    if (stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(fd, old.st_mode & 07777);
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok && g_hook != nullptr) ok = g_hook(tempPath);
    if (ok) ok = std::rename(tempPath.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(tempPath.c_str());
        return false;
    }
    SyncFolderOf(path);
    RemoveStaleTemporaries(path);
    return true;
}
