#include "games/KG_Zahlen_klicken/NumberBoard.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace number_board {
namespace {
// Draws before a board takes the smallest free number instead; with 16 of 20 numbers on the
// board at most, a draw finds a free one at least once in five tries.
constexpr int kMaxDraws = 10000;
}  // namespace

bool DrawOrder(int orderMode) {
    if (orderMode == 0) return true;
    if (orderMode == 1) return false;
    return std::rand() % 2 != 0;
}

Vec2 Origin(int gridSize, int screenWidth, int screenHeight) {
    const float halfGrid = gridSize / 2.0f * kSpacing;
    return Vec2{screenWidth / 2 - halfGrid + kSpacing / 2, screenHeight / 2 - halfGrid + kSpacing / 2};
}

bool Hits(Vec2 centre, float x, float y) {
    return std::fabs(x - centre.x) <= kHalfTile && std::fabs(y - centre.y) <= kHalfTile;
}

Board Deal(int orderMode, int gridSize, int screenWidth, int screenHeight) {
    Board board;
    board.ascending = DrawOrder(orderMode);
    const int n = std::clamp(gridSize, 1, kMaxGridSize);
    const Vec2 origin = Origin(n, screenWidth, screenHeight);
    bool used[kValueCount] = {};
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            int value = std::rand() % kValueCount;
            for (int draw = 1; used[value] && draw < kMaxDraws; ++draw) value = std::rand() % kValueCount;
            if (used[value]) value = static_cast<int>(std::find(used, used + kValueCount, false) - used);
            used[value] = true;
            const Tile tile{value, Vec2{origin.x + kSpacing * i, origin.y + kSpacing * j}};
            auto before = std::find_if(board.tiles.begin(), board.tiles.end(), [&](const Tile& t) {
                return board.ascending ? t.value > value : t.value < value;
            });
            board.tiles.insert(before, tile);
        }
    }
    return board;
}
}  // namespace number_board
