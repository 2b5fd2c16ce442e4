#include "framework/KeyCursor.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/AppContext.h"

KeyPlace PlaceAround(float x, float y, float half) { return PlaceAround(x, y, half, half); }

KeyPlace PlaceAround(float x, float y, float halfWidth, float halfHeight) {
    KeyPlace p;
    p.area = Rect{static_cast<int>(std::lround(x - halfWidth)), static_cast<int>(std::lround(y - halfHeight)),
                  static_cast<int>(std::lround(x + halfWidth)), static_cast<int>(std::lround(y + halfHeight))};
    p.x = static_cast<int>(std::lround(x));
    p.y = static_cast<int>(std::lround(y));
    return p;
}

KeyPlace PlaceOver(Rect area) {
    KeyPlace p;
    p.area = area;
    p.x = (area.left + area.right) / 2;
    p.y = (area.top + area.bottom) / 2;
    return p;
}

int NextPlace(const std::vector<KeyPlace>& places, int fromX, int fromY, KeyDirection direction) {
    int best = -1;
    double bestScore = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < places.size(); ++i) {
        const double dx = places[i].x - fromX, dy = places[i].y - fromY;
        double ahead = 0.0, aside = 0.0;
        switch (direction) {
            case KeyDirection::kLeft: ahead = -dx, aside = dy; break;
            case KeyDirection::kRight: ahead = dx, aside = dy; break;
            case KeyDirection::kUp: ahead = -dy, aside = dx; break;
            case KeyDirection::kDown: ahead = dy, aside = dx; break;
        }
        if (ahead < 1.0) continue;
        // A place far aside is reached by the other arrows first; the same row or column wins.
        const double score = ahead + 2.5 * std::fabs(aside);
        if (score < bestScore) bestScore = score, best = static_cast<int>(i);
    }
    return best;
}

int PlaceAt(const std::vector<KeyPlace>& places, int x, int y) {
    // The cursor stands on a place's point: that place, even where areas overlap.
    for (size_t i = 0; i < places.size(); ++i)
        if (places[i].x == x && places[i].y == y) return static_cast<int>(i);
    int nearest = -1;
    double nearestSquared = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < places.size(); ++i) {
        const Rect& a = places[i].area;
        if (x >= a.left && x <= a.right && y >= a.top && y <= a.bottom) return static_cast<int>(i);
        const double dx = places[i].x - x, dy = places[i].y - y;
        if (dx * dx + dy * dy < nearestSquared) nearestSquared = dx * dx + dy * dy, nearest = static_cast<int>(i);
    }
    return nearest;
}

namespace {
// The ring in misc2: 60 x 60 at (0, 700), corners of 20 x 20 drawn as they are, the middles of
// its sides stretched along the area.
constexpr int kRingX = 0, kRingY = 700, kRingCorner = 20, kRingSide = 60;
// The ring lies this far outside the area.
constexpr int kRingOutset = 9;
}  // namespace

void DrawKeyRing(Rect area) {
    AppContext* app = GetAppContext();
    if (app->texMisc2 == nullptr) return;
    const float l = static_cast<float>(area.left - kRingOutset), t = static_cast<float>(area.top - kRingOutset);
    const float r = static_cast<float>(area.right + kRingOutset), b = static_cast<float>(area.bottom + kRingOutset);
    const float c = kRingCorner;
    const float midW = std::max(0.0f, r - l - 2 * c), midH = std::max(0.0f, b - t - 2 * c);
    const float mid = static_cast<float>(kRingSide - 2 * kRingCorner);
    // Column and row of the nine parts: source offset, destination offset, stretch.
    struct Part {
        int src;
        float at;
        float stretch;
    };
    const Part columns[3] = {{0, l, 1.0f}, {kRingCorner, l + c, midW / mid}, {kRingSide - kRingCorner, l + c + midW, 1.0f}};
    const Part rows[3] = {{0, t, 1.0f}, {kRingCorner, t + c, midH / mid}, {kRingSide - kRingCorner, t + c + midH, 1.0f}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            if (i == 1 && j == 1) continue;  // the ring is open in the middle
            const int w = i == 1 ? kRingSide - 2 * kRingCorner : kRingCorner;
            const int h = j == 1 ? kRingSide - 2 * kRingCorner : kRingCorner;
            if ((i == 1 && midW <= 0.0f) || (j == 1 && midH <= 0.0f)) continue;
            const Rect src{kRingX + columns[i].src, kRingY + rows[j].src, kRingX + columns[i].src + w,
                           kRingY + rows[j].src + h};
            const Vec2 scale{columns[i].stretch, rows[j].stretch};
            const Vec2 pos{columns[i].at, rows[j].at};
            app->DrawSprite(app->texMisc2, &src, &scale, nullptr, 0.0, &pos, 0xFFFFFFFF);
        }
}
