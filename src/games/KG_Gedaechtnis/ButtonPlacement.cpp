#include "games/KG_Gedaechtnis/ButtonPlacement.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {
constexpr double kEdgeMargin = 100.0;

double NearestSquared(const std::vector<Vec2>& placed, Vec2 c) {
    double nearest = std::numeric_limits<double>::infinity();
    for (const Vec2& p : placed) {
        const double dx = static_cast<double>(c.x) - p.x;
        const double dy = static_cast<double>(c.y) - p.y;
        nearest = std::min(nearest, dx * dx + dy * dy);
    }
    return nearest;
}
}  // namespace

ButtonPlacement PlaceButtons(int count, double size, int screenWidth, int screenHeight, int drawsPerButton) {
    ButtonPlacement out;
    if (count <= 0) return out;
    out.centres.reserve(static_cast<size_t>(count));
    const int rangeY = std::max(1, static_cast<int>(screenHeight - 2 * size - 2 * kEdgeMargin));
    const int rangeX = std::max(1, static_cast<int>(screenWidth - 2 * kEdgeMargin - 2 * size));
    const double offset = size + kEdgeMargin;
    const double needed = size * size;
    drawsPerButton = std::max(1, drawsPerButton);
    for (int i = 0; i < count; ++i) {
        Vec2 best;
        double bestNearest = -1.0;
        for (int draw = 0; draw < drawsPerButton; ++draw) {
            const int y = std::rand() % rangeY;
            const int x = std::rand() % rangeX;
            const Vec2 c{static_cast<float>(x + offset), static_cast<float>(y + offset)};
            const double nearest = NearestSquared(out.centres, c);
            if (nearest > bestNearest) {
                bestNearest = nearest;
                best = c;
            }
            if (nearest >= needed) break;
        }
        if (bestNearest < needed) ++out.crowded;
        out.centres.push_back(best);
    }
    return out;
}
