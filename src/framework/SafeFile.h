#pragma once
#include <string>

// Writes bytes to path through a temporary file in the same folder and a rename, so that a
// crash or a failed write never leaves a damaged or empty file. False when nothing was written.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);
