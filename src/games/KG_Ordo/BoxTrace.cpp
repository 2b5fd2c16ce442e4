#include "games/KG_Ordo/BoxTrace.h"

#include <utility>

namespace {
constexpr int kSide = 8;
constexpr int kStep[4][2] = {{0, -1}, {0, 1}, {1, 0}, {-1, 0}};
// For each direction: the two cells diagonally ahead and the direction each turns the ray to.
struct Diagonal {
    int dx, dy, turn;
};
constexpr Diagonal kDiagonals[4][2] = {
    {{-1, -1, kRayRight}, {1, -1, kRayLeft}},   // up
    {{-1, 1, kRayRight}, {1, 1, kRayLeft}},     // down
    {{1, -1, kRayDown}, {1, 1, kRayUp}},        // right
    {{-1, -1, kRayDown}, {-1, 1, kRayUp}},      // left
};
constexpr int kReverse[4] = {kRayDown, kRayUp, kRayLeft, kRayRight};
// Every ray leaves or is stopped long before this; the bound only keeps a broken box from
// hanging the game.
constexpr int kMaxSteps = 4 * kSide * kSide * 4;

bool Inside(int x, int y) { return x >= 0 && y >= 0 && x < kSide && y < kSide; }
bool AtomAt(const BoxGrid& atoms, int x, int y) { return Inside(x, y) && atoms[x][y]; }
}  // namespace

bool IsEdgePlace(int x, int y) {
    const bool alongY = y >= 0 && y < kSide, alongX = x >= 0 && x < kSide;
    return ((x == -1 || x == kSide) && alongY) || ((y == -1 || y == kSide) && alongX);
}

int StartDirection(int placeX, int placeY) {
    if (placeX < 0) return kRayRight;
    if (placeX >= kSide) return kRayLeft;
    if (placeY < 0) return kRayDown;
    return kRayUp;
}

// Each step: an atom straight ahead absorbs the ray; an atom diagonally ahead turns it away
// by 90 degrees (at the entry it sends it straight back out); atoms diagonally ahead on both
// sides send it back the way it came.
BoxTrace TraceRay(const BoxGrid& atoms, int placeX, int placeY) {
    BoxTrace out;
    int x = placeX, y = placeY;
    int d = StartDirection(placeX, placeY);
    for (int guard = 0; guard < kMaxSteps; ++guard) {
        const int aheadX = x + kStep[d][0], aheadY = y + kStep[d][1];
        if (AtomAt(atoms, aheadX, aheadY)) {
            out.kind = BoxTrace::kAbsorbed;
            out.cellX = aheadX, out.cellY = aheadY;
            return out;
        }
        int turn[2] = {-1, -1};
        for (int k = 0; k < 2; ++k) {
            const Diagonal& g = kDiagonals[d][k];
            if (!AtomAt(atoms, x + g.dx, y + g.dy)) continue;
            if (out.steps == 0) {
                out.kind = BoxTrace::kReflected;
                out.cellX = x + g.dx, out.cellY = y + g.dy;
                return out;
            }
            turn[k] = g.turn;
        }
        if (turn[0] >= 0 && turn[1] >= 0) d = kReverse[d];
        else if (turn[0] >= 0) d = turn[0];
        else if (turn[1] >= 0) d = turn[1];
        x += kStep[d][0];
        y += kStep[d][1];
        if (!Inside(x, y)) {
            out.kind = BoxTrace::kLeft;
            out.exitX = x, out.exitY = y;
            return out;
        }
        ++out.steps;
    }
    out.kind = BoxTrace::kAbsorbed;
    out.cellX = x, out.cellY = y;
    return out;
}

bool SameAtEveryPlace(const BoxGrid& a, const BoxGrid& b) {
    for (int k = 0; k < 8; ++k)
        for (const auto& [x, y] : {std::pair{-1, k}, {8, k}, {k, -1}, {k, 8}}) {
            const BoxTrace ta = TraceRay(a, x, y), tb = TraceRay(b, x, y);
            if (ta.kind != tb.kind) return false;
            if (ta.kind == BoxTrace::kLeft && (ta.exitX != tb.exitX || ta.exitY != tb.exitY)) return false;
        }
    return true;
}
