#pragma once
// The pieces of the lights-out puzzle at each level: how large the grids are, where each piece
// lies and which of its squares are lit.
#include <cstdint>
#include <vector>

#include "framework/Types.h"

struct CrazyLevel {
    int gridSize;       // n of the large grid and of every piece
    int scrambleCount;  // random pieces applied to make the puzzle
    int pieceCount;
    int pieceExtent;
    int pieceGap;
};

CrazyLevel CrazyLevelTable(int level);

// The lit squares of each piece in list order, as bits column * n + row.
std::vector<uint64_t> CrazyPiecePatterns(int level);

// The centre of each piece in list order on a screen of width w and height h.
std::vector<Vec2> CrazyPieceCentres(int level, int w, int h);
