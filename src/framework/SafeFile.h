#pragma once
#include <string>

// Writes bytes to path through a temporary file in the same folder and a rename, so that a
// crash or a failed write never leaves a damaged or empty file. False when nothing was written;
// the old file is then as it was and no temporary file is left behind.
// The temporary is named "<path>.tmp.<pid>.<n>". A process killed in the middle of a save
// leaves its temporary behind; the next successful save of the same path removes it (only
// temporaries of that path whose process no longer runs).
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// For tests: called with the temporary file's path once it is written and synced, right before
// the rename. Returning false abandons the save the way a failed write does. nullptr: no hook.
using AtomicWriteHook = bool (*)(const std::string& tempPath);
void SetAtomicWriteHook(AtomicWriteHook hook);
