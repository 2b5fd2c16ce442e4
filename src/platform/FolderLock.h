#pragma once
// One program per player folder. Two copies in the same folder would each read the statistics
// at start and rewrite them whole later, so the last one to write would wipe out the other's
// results. The first copy holds an exclusive lock on a file in the folder for its whole life;
// the lock goes with the process, so a crashed or killed copy never blocks the next start.

// The lock file in the working folder.
constexpr const char* kFolderLockFile = "knobel.lock";

enum class FolderLockResult {
    kTaken,        // this copy holds the folder
    kHeldByOther,  // another running copy holds it
    kUnavailable,  // the lock file cannot be made (a read-only folder): go on without it
};

// Takes the lock without waiting. The lock stays held until the process ends.
FolderLockResult TakeFolderLock(const char* path = kFolderLockFile);
