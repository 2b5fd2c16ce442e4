#pragma once
// The rules of the sliding puzzle on an n x n board of tiles: which slides are allowed, the
// shuffle by a random walk of the hole that never undoes its last step, the solved test and
// the player's click.
#include <functional>

#include "games/KG_Schiebe_Puzzle/PuzzleTile.h"

class PuzzleBoard {
public:
    static constexpr int kMaxSide = 5;
    static constexpr int kTileGap = 3;
    // A source of random numbers like rand(): non-negative ints.
    using RandomSource = std::function<int()>;

    // n x n tiles of one picture, laid out from origin with the given tile size; the
    // bottom-right cell is the hole. Positions equal targets: nothing moves yet.
    void Build(int n, int picture, Vec2 origin, int tileSize);

    int Side() const { return n_; }
    bool Inside(int col, int row) const { return col >= 0 && row >= 0 && col < n_ && row < n_; }
    PuzzleTile& At(int col, int row) { return tiles_[col][row]; }
    const PuzzleTile& At(int col, int row) const { return tiles_[col][row]; }

    // Both cells inside the board and one of them the hole.
    bool SlideAllowed(int a1, int a2, int b1, int b2) const;
    // Swaps the two tiles; each takes the other's target (and starts gliding there).
    bool Slide(int a1, int a2, int b1, int b2);
    // shuffleSteps steps of the hole in random directions, never straight back; repeated
    // while the result happens to be the solved picture.
    void Shuffle(int steps, const RandomSource& random);
    // One step of the shuffle walk; returns the direction taken (0 column + 1, 1 column - 1,
    // 2 row + 1, 3 row - 1) or -1.
    int ShuffleStep(const RandomSource& random);
    int LastDirection() const { return lastDirection_; }
    void HoleCell(int& col, int& row) const;

    bool Solved() const;
    // Cells whose tile is not the one that belongs there (the hole's cell included).
    int CellsAway() const;
    // The cell under the point: tiles first (as drawn now), the invisible hole only when no
    // tile is there. False when the point misses the board.
    bool CellAt(float x, float y, int& col, int& row) const;

    enum class Click { kMissed, kSlid, kBlocked };
    // The player's click: the tile under the point slides into the hole beside it (the
    // hole itself takes its first neighbour: right, left, below, above).
    Click ClickAt(float x, float y);

    void GlideStep(double dt);

private:
    PuzzleTile tiles_[kMaxSide][kMaxSide] = {};
    int n_ = 0;
    int holeCol_ = 0, holeRow_ = 0;
    int lastDirection_ = 1;
};
