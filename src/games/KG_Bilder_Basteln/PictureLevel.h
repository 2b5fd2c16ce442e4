#pragma once
// Where the pictures of picture building come from: the archive entries "bb_0" .. "bb_12",
// and a picture built into the program for an archive that holds none of them readable.
#include <cstdio>

#include "games/KG_Bilder_Basteln/LevelReader.h"

namespace picture {

constexpr int kLevelCount = 13;
constexpr int kBuiltInPicture = -1;

// The level text of the built-in picture (a house with a tree and the sun).
const char* BuiltInLevelText();

// Reads the entry "bb_<number>" of the archive in memory: false when it is missing, larger
// than kMaxLevelBytes or no valid level (`out` is then empty).
bool ReadLevelEntry(FILE* archive, int number, LevelData& out, int width, int height);

// The level "bb_<first>"; when that cannot be used the next ones in turn (bb_12 is followed
// by bb_0), and when none can, the built-in picture. Returns the number of the entry used, or
// kBuiltInPicture. `out` always holds at least one silhouette.
int LoadPicture(FILE* archive, int first, LevelData& out, int width, int height);

}  // namespace picture
