#include "games/KG_CrazyQuader/CrazyPieces.h"

#include <functional>
#include <utility>

namespace {
using Lit = std::function<bool(int c, int r)>;

uint64_t MaskOf(int n, const Lit& lit) {
    uint64_t mask = 0;
    for (int c = 0; c < n; ++c)
        for (int r = 0; r < n; ++r)
            if (lit(c, r)) mask |= uint64_t{1} << (c * n + r);
    return mask;
}

// Lit exactly at the listed (column, row) pairs.
Lit At(std::initializer_list<std::pair<int, int>> cells) {
    std::vector<std::pair<int, int>> list(cells);
    return [list](int c, int r) {
        for (const auto& [lc, lr] : list)
            if (lc == c && lr == r) return true;
        return false;
    };
}

std::vector<Lit> PiecesOfLevel0(int n) {
    return {
        [=](int c, int r) { return c == 0; },
        [=](int c, int r) { return c == n - 1; },
        [=](int c, int r) { return r == 0; },
        [=](int c, int r) { return r == n - 1; },
        [=](int c, int r) { return c < n - 1 && r < n - 1; },
        [=](int c, int r) { return c >= 1 && r < n - 1; },
        [=](int c, int r) { return c < n - 1 && r >= 1; },
        [=](int c, int r) { return c >= 1 && r >= 1; },
        [=](int c, int r) { return true; },
    };
}

std::vector<Lit> PiecesOfLevel1(int n) {
    return {
        [=](int c, int r) { return c == 0; },
        [=](int c, int r) { return c == n - 1; },
        [=](int c, int r) { return r == 0; },
        [=](int c, int r) { return r == n - 1; },
        [=](int c, int r) { return c < 2 && r < 2; },
        [=](int c, int r) { return c >= 2 && r < 2; },
        [=](int c, int r) { return c < 2 && r >= 2; },
        [=](int c, int r) { return c >= 2 && r >= 2; },
        [=](int c, int r) { return 1 <= c && c < 3 && 1 <= r && r < 3; },
        [=](int c, int r) { return c == r; },
        [=](int c, int r) { return c + r == n - 1; },
        [=](int c, int r) { return true; },
    };
}

std::vector<Lit> PiecesOfLevel2(int n) {
    auto inner = [=](int v) { return 1 <= v && v <= n - 2; };
    return {
        [=](int c, int r) { return c == 0; },
        [=](int c, int r) { return c == n - 1; },
        [=](int c, int r) { return r == 0; },
        [=](int c, int r) { return r == n - 1; },
        [=](int c, int r) { return c < 2 && r < 2; },
        [=](int c, int r) { return c >= 3 && r < 2; },
        [=](int c, int r) { return c < 2 && r >= 3; },
        [=](int c, int r) { return c >= 3 && r >= 3; },
        At({{0, 0}, {n - 1, n - 1}}),
        At({{n - 1, 0}, {0, n - 1}}),
        [=](int c, int r) { return c == 1 && inner(r); },
        [=](int c, int r) { return c == n - 2 && inner(r); },
        [=](int c, int r) { return r == 1 && inner(c); },
        [=](int c, int r) { return r == n - 2 && inner(c); },
        [=](int c, int r) { return (c == 2 && inner(r)) || (c == 1 && r == 2); },
        [=](int c, int r) { return (c == 2 && inner(r)) || (c == 3 && r == 2); },
        [=](int c, int r) { return (r == 2 && inner(c)) || (c == 2 && r == 1); },
        [=](int c, int r) { return (r == 2 && inner(c)) || (c == 2 && r == 3); },
        At({{2, 1}, {2, 3}, {3, 2}, {1, 2}}),
        At({{1, 1}, {3, 3}, {3, 1}, {1, 3}}),
        At({{1, 1}, {3, 3}}),
        At({{1, 3}, {3, 1}}),
        [=](int c, int r) { return c == 2; },
        [=](int c, int r) { return r == 2; },
        [=](int c, int r) { return c < 3 && r < 3; },
        [=](int c, int r) { return c >= 2 && r < 3; },
        [=](int c, int r) { return c < 3 && r >= 2; },
        [=](int c, int r) { return c >= 2 && r >= 2; },
        At({{1, 0}, {3, 0}, {0, 1}, {4, 1}, {0, 3}, {4, 3}, {1, 4}, {3, 4}}),
        [=](int c, int r) { return true; },
    };
}
}  // namespace

CrazyLevel CrazyLevelTable(int level) {
    switch (level) {
        case 1: return {4, 30, 12, 75, 0};
        case 2: return {5, 20, 30, 50, 0};
        default: return {3, 40, 9, 100, 3};
    }
}

std::vector<uint64_t> CrazyPiecePatterns(int level) {
    const int n = CrazyLevelTable(level).gridSize;
    std::vector<Lit> pieces = level == 1 ? PiecesOfLevel1(n) : level == 2 ? PiecesOfLevel2(n) : PiecesOfLevel0(n);
    std::vector<uint64_t> masks;
    for (const Lit& lit : pieces) masks.push_back(MaskOf(n, lit));
    return masks;
}

std::vector<Vec2> CrazyPieceCentres(int level, int w, int h) {
    const double W = w, H = h;
    std::vector<Vec2> out;
    auto add = [&](double x, double y) { out.push_back(Vec2{static_cast<float>(x), static_cast<float>(y)}); };
    if (level == 1) {
        for (int row = 0; row < 2; ++row)
            for (int k = 0; k < 6; ++k) add(W / 8 + k * 0.15 * W, 2 * H / 3 + 100 * row);
    } else if (level == 2) {
        for (int row = 0; row < 3; ++row)
            for (int k = 0; k < 10; ++k) add(W / 8 + k * W / 12, 2 * H / 3 + 75 * row);
    } else {
        for (int k = 0; k < 5; ++k) add(W / 8 + k * 3 * W / 16, 2 * H / 3);
        for (int k = 0; k < 4; ++k) add(W / 8 + k * W / 4, 2 * H / 3 + 150);
    }
    return out;
}
