#pragma once
// Dealing one board of the number-clicking game: an n x n grid of tiles 54 pixels apart,
// centred on the screen, each with a different number 0..19, listed in the order in which
// they must be clicked.
#include <vector>

#include "framework/Types.h"

namespace number_board {
constexpr int kValueCount = 20;     // numbers are 0..19
constexpr int kMaxGridSize = 4;     // 16 tiles; a board never needs more numbers than there are
constexpr float kSpacing = 54.0f;   // between tile centres
constexpr float kHalfTile = 25.0f;  // a tile takes clicks up to 25 pixels from its centre, edges included

struct Tile {
    int value = 0;
    Vec2 centre;
};

struct Board {
    bool ascending = true;
    std::vector<Tile> tiles;  // in clicking order
};

// The order of a board: 0 ascending, 1 descending, 2 drawn with rand() for every board.
bool DrawOrder(int orderMode);
// The centre of the tile in column 0, row 0.
Vec2 Origin(int gridSize, int screenWidth, int screenHeight);
// Whether a point lies on the square of the tile with that centre.
bool Hits(Vec2 centre, float x, float y);
// The order first, then the numbers column by column (top to bottom within a column), each
// drawn again while it is already on the board.
Board Deal(int orderMode, int gridSize, int screenWidth, int screenHeight);
}  // namespace number_board
