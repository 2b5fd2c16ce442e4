#pragma once
#include <string>

// Writes bytes to path through a temporary file in the same folder and a rename, so that a
// crash or a failed write never leaves a damaged or empty file. False when nothing was written;
// the old file is then as it was and no temporary file is left behind.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// For tests: called with the temporary file's path once it is written and synced, right before
// the rename. Returning false abandons the save the way a failed write does. nullptr: no hook.
using AtomicWriteHook = bool (*)(const std::string& tempPath);
void SetAtomicWriteHook(AtomicWriteHook hook);
