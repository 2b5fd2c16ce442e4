#include "platform/FolderLock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FolderLockResult TakeFolderLock(const char* path) {
    int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) fd = open(path, O_RDONLY | O_CLOEXEC);  // a lock needs no write access
    if (fd < 0) return FolderLockResult::kUnavailable;
    int result;
    do {
        result = flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return FolderLockResult::kTaken;  // the descriptor stays open: the lock with it
    const bool held = errno == EWOULDBLOCK;
    close(fd);
    return held ? FolderLockResult::kHeldByOther : FolderLockResult::kUnavailable;
}
