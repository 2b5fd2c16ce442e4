#include "framework/SafeFile.h"

bool WriteFileAtomically(const std::string& path, const std::string& bytes) { return false; }
