#pragma once
// A square grid of lamps, n x n, laid out column by column (index = column * n + row). A model
// grid shows a random pattern and takes no clicks; any other grid starts dark and flips the
// square that is clicked. Grids compare and combine square by square (exclusive or inclusive),
// which the games use to check answers, add patterns and apply pieces.
#include <cstdint>

#include "framework/LockedList.h"
#include "framework/Types.h"
#include "games/shared/PatternSquare.h"

// Where the squares of a grid lie: the edge length of a square and the top-left corner of
// each, from the extent of the grid, the gap between squares and the centre point.
struct GridLayout {
    int squareSize = 0;
    int step = 0;     // squareSize + gap
    Vec2 firstTopLeft;  // of column 0, row 0

    static GridLayout For(int n, int extent, int gap, Vec2 centre);
    Vec2 TopLeft(int column, int row) const;
};

class PatternGrid {
public:
    static constexpr int kMaxSize = 8;        // n above this is taken as this
    static constexpr int kRandomFlips = 100;  // flips that make a model's pattern

    // centre == nullptr places the grid at the middle of the screen.
    PatternGrid(bool isModel, int n, int design, int extent, const Vec2* centre, int gap);
    ~PatternGrid();
    PatternGrid(const PatternGrid&) = delete;
    PatternGrid& operator=(const PatternGrid&) = delete;

    int GridSize() const { return gridSize; }
    bool IsModel() const { return isModel; }
    const GridLayout& Layout() const { return layout_; }

    // The square at (column, row), or nullptr outside the grid.
    PatternSquare* SquareAt(int column, int row) const;
    bool IsLit(int column, int row) const;
    // Lights or darkens the square at (column, row); nothing outside the grid.
    void Set(int column, int row, bool lit);
    // The player's click: flips the first square whose rectangle holds the point. A model grid
    // takes no clicks. True when a square flipped.
    bool Click(float x, float y);
    // Whether the point lies on one of the squares (lit or dark, edges included).
    bool Contains(float x, float y) const;
    // Same size and the same squares lit.
    bool Equals(const PatternGrid& other) const;
    // Each square becomes (this XOR other) when exclusive, else (this OR other). Grids of
    // different sizes leave this one unchanged.
    void Combine(const PatternGrid& other, bool exclusive);
    // Darkens every square, then flips a square picked with rand() kRandomFlips times.
    void Randomize();
    void Clear();
    bool IsDark() const { return Mask() == 0; }
    int LitCount() const;

    // The lit squares as bits (bit column * n + row), and back.
    uint64_t Mask() const;
    void SetMask(uint64_t mask);
    // The rectangle from the first square's top-left to the last square's bottom-right.
    Rect Bounds() const;

    void Draw() const;

    // A grid of pieces from a pattern of lit squares given as a predicate on (column, row).
    template <typename Lit>
    void SetWhere(Lit lit) {
        for (int c = 0; c < gridSize; ++c)
            for (int r = 0; r < gridSize; ++r) Set(c, r, lit(c, r));
    }

    AppContext* app = nullptr;
    bool isModel = false;
    int gridSize = 0;
    // The squares in index order; owned. Walking it only moves the list's cursor, so the
    // read-only operations walk it too.
    mutable LockedList<PatternSquare> squares;

private:
    GridLayout layout_;
};
