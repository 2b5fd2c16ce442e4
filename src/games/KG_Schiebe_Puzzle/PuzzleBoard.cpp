#include "games/KG_Schiebe_Puzzle/PuzzleBoard.h"

#include <algorithm>
#include <utility>

#include "app/AppContext.h"

namespace {
// A shuffle that ends solved is shuffled on; so that this always ends, after this many rounds
// a single step (which always leaves the solved picture) finishes it.
constexpr int kMaxShuffleRounds = 100;
constexpr int kNeighbours[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
}  // namespace

void PuzzleBoard::Build(int n, int picture, Vec2 origin, int tileSize) {
    n_ = std::clamp(n, 2, kMaxSide);
    AppContext* app = GetAppContext();
    for (int i = 0; i < n_; ++i) {
        for (int j = 0; j < n_; ++j) {
            PuzzleTile& t = tiles_[i][j];
            t = PuzzleTile{};
            t.app = app;
            t.homeCol = i;
            t.homeRow = j;
            t.gridSize = n_;
            t.picture = picture;
            t.position = t.target = Vec2{origin.x + static_cast<float>((tileSize + kTileGap) * i),
                                         origin.y + static_cast<float>((tileSize + kTileGap) * j)};
            t.size = Vec2{static_cast<float>(tileSize), static_cast<float>(tileSize)};
            t.glideSpeed = 0.0;
            t.isHole = i == n_ - 1 && j == n_ - 1;
        }
    }
    holeCol_ = holeRow_ = n_ - 1;
    lastDirection_ = 1;
}

bool PuzzleBoard::SlideAllowed(int a1, int a2, int b1, int b2) const {
    if (!Inside(a1, a2) || !Inside(b1, b2)) return false;
    return tiles_[a1][a2].isHole || tiles_[b1][b2].isHole;
}

bool PuzzleBoard::Slide(int a1, int a2, int b1, int b2) {
    if (!SlideAllowed(a1, a2, b1, b2)) return false;
    PuzzleTile& a = tiles_[a1][a2];
    PuzzleTile& b = tiles_[b1][b2];
    const Vec2 targetA = a.target;
    a.SetTarget(b.target, PuzzleTile::kGlideSpeed);
    b.SetTarget(targetA, PuzzleTile::kGlideSpeed);
    std::swap(a, b);
    if (tiles_[a1][a2].isHole) holeCol_ = a1, holeRow_ = a2;
    if (tiles_[b1][b2].isHole) holeCol_ = b1, holeRow_ = b2;
    return true;
}

int PuzzleBoard::ShuffleStep(const RandomSource& random) {
    int order[4] = {0, 1, 2, 3};
    for (int k = 0; k < 10; ++k) {
        const int r = random();
        const int pick = (r < 0 ? -r : r) % 4;
        std::rotate(order + pick, order + pick + 1, order + 4);
    }
    for (int d : order) {
        // Never straight back along the step just made.
        if ((d == 0 && lastDirection_ == 1) || (d == 1 && lastDirection_ == 0) || (d == 2 && lastDirection_ == 3) ||
            (d == 3 && lastDirection_ == 2))
            continue;
        const int col = holeCol_ + kNeighbours[d][0], row = holeRow_ + kNeighbours[d][1];
        if (!Slide(holeCol_, holeRow_, col, row)) continue;
        lastDirection_ = d;
        return d;
    }
    return -1;
}

void PuzzleBoard::Shuffle(int steps, const RandomSource& random) {
    lastDirection_ = 1;
    for (int round = 0; round < kMaxShuffleRounds; ++round) {
        for (int s = 0; s < steps; ++s) ShuffleStep(random);
        if (!Solved()) return;
    }
    ShuffleStep(random);
}

void PuzzleBoard::HoleCell(int& col, int& row) const {
    col = holeCol_;
    row = holeRow_;
}

int PuzzleBoard::CellsAway() const {
    int away = 0;
    for (int i = 0; i < n_; ++i)
        for (int j = 0; j < n_; ++j)
            if (!tiles_[i][j].AtHome(i, j)) ++away;
    return away;
}

bool PuzzleBoard::Solved() const { return n_ > 0 && CellsAway() == 0; }

bool PuzzleBoard::CellAt(float x, float y, int& col, int& row) const {
    for (int pass = 0; pass < 2; ++pass) {
        const bool wantHole = pass == 1;
        for (int i = 0; i < n_; ++i)
            for (int j = 0; j < n_; ++j) {
                const PuzzleTile& t = tiles_[i][j];
                if (t.isHole != wantHole || !t.Contains(x, y)) continue;
                col = i;
                row = j;
                return true;
            }
    }
    return false;
}

PuzzleBoard::Click PuzzleBoard::ClickAt(float x, float y) {
    int i = 0, j = 0;
    if (!CellAt(x, y, i, j)) return Click::kMissed;
    for (const auto& nb : kNeighbours)
        if (Slide(i, j, i + nb[0], j + nb[1])) return Click::kSlid;
    return Click::kBlocked;
}

void PuzzleBoard::GlideStep(double dt) {
    for (int i = 0; i < n_; ++i)
        for (int j = 0; j < n_; ++j) tiles_[i][j].GlideStep(dt);
}
