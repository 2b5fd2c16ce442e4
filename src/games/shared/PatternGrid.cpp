#include "games/shared/PatternGrid.h"

#include <algorithm>
#include <cstdlib>

#include "app/AppContext.h"
#include "framework/Random.h"

GridLayout GridLayout::For(int n, int extent, int gap, Vec2 centre) {
    GridLayout g;
    if (n < 1) n = 1;
    g.squareSize = std::max(0, (extent - gap * n) / n);
    g.step = g.squareSize + gap;
    // The grid starts half its extent left of and above the centre (halved toward zero).
    const int half = (-extent) / 2;
    g.firstTopLeft = Vec2{centre.x + static_cast<float>(half), centre.y + static_cast<float>(half)};
    return g;
}

Vec2 GridLayout::TopLeft(int column, int row) const {
    return Vec2{firstTopLeft.x + static_cast<float>(step * column), firstTopLeft.y + static_cast<float>(step * row)};
}

PatternGrid::PatternGrid(bool model, int n, int design, int extent, const Vec2* centre, int gap)
    : app(GetAppContext()), isModel(model), gridSize(std::clamp(n, 1, kMaxSize)) {
    const Vec2 middle = centre != nullptr
                            ? *centre
                            : Vec2{static_cast<float>(app->screenWidth / 2), static_cast<float>(app->screenHeight / 2)};
    layout_ = GridLayout::For(gridSize, extent, gap, middle);
    for (int c = 0; c < gridSize; ++c)
        for (int r = 0; r < gridSize; ++r)
            squares.Add(new PatternSquare(layout_.squareSize, layout_.TopLeft(c, r), design));
    if (isModel) Randomize();
}

PatternGrid::~PatternGrid() { squares.Clear(true); }

PatternSquare* PatternGrid::SquareAt(int column, int row) const {
    if (column < 0 || column >= gridSize || row < 0 || row >= gridSize) return nullptr;
    return squares.Get(column * gridSize + row);
}

bool PatternGrid::IsLit(int column, int row) const {
    const PatternSquare* s = SquareAt(column, row);
    return s != nullptr && s->IsLit();
}

void PatternGrid::Set(int column, int row, bool lit) {
    if (PatternSquare* s = SquareAt(column, row)) s->SetLit(lit);
}

bool PatternGrid::Click(float x, float y) {
    if (isModel) return false;
    for (PatternSquare* s : squares) {
        if (s->HitTest(x, y)) {
            s->Flip();
            return true;
        }
    }
    return false;
}

bool PatternGrid::Contains(float x, float y) const {
    for (PatternSquare* s : squares)
        if (s->HitTest(x, y)) return true;
    return false;
}

bool PatternGrid::Equals(const PatternGrid& other) const {
    return gridSize == other.gridSize && Mask() == other.Mask();
}

void PatternGrid::Combine(const PatternGrid& other, bool exclusive) {
    if (other.gridSize != gridSize) return;
    const uint64_t theirs = other.Mask();
    SetMask(exclusive ? (Mask() ^ theirs) : (Mask() | theirs));
}

void PatternGrid::Randomize() {
    Clear();
    const int count = gridSize * gridSize;
    for (int i = 0; i < kRandomFlips; ++i) squares.Get(RandomBelow(count))->Flip();
}

void PatternGrid::Clear() { SetMask(0); }

int PatternGrid::LitCount() const {
    int n = 0;
    for (PatternSquare* s : squares) n += s->IsLit() ? 1 : 0;
    return n;
}

uint64_t PatternGrid::Mask() const {
    uint64_t mask = 0;
    int i = 0;
    for (PatternSquare* s : squares) {
        if (s->IsLit()) mask |= uint64_t{1} << i;
        ++i;
    }
    return mask;
}

void PatternGrid::SetMask(uint64_t mask) {
    int i = 0;
    for (PatternSquare* s : squares) s->SetLit(((mask >> i++) & 1u) != 0);
}

Rect PatternGrid::Bounds() const {
    const Vec2 first = layout_.TopLeft(0, 0);
    const Vec2 last = layout_.TopLeft(gridSize - 1, gridSize - 1);
    return Rect{static_cast<int>(first.x), static_cast<int>(first.y), static_cast<int>(last.x) + layout_.squareSize,
                static_cast<int>(last.y) + layout_.squareSize};
}

void PatternGrid::Draw() const {
    for (PatternSquare* s : squares) s->Draw();
}
