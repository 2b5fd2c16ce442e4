#pragma once
// Each sheet of the archive is drawn by a function of its own; each returns false on failure.
#include <string>

namespace art {
// The shell: splash, menu background, in-game backdrops, menu sheets, misc1, misc3, misc4.
bool DrawShellSheets(const std::string& outDir);
// The card game: misc2 (card face, shadow, backs, veil), Memory_Muster, MemoryCards1/2.
bool DrawCardSheets(const std::string& outDir);
}  // namespace art
