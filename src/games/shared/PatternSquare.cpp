#include "games/shared/PatternSquare.h"

#include "app/AppContext.h"
#include "framework/ColourCues.h"

PatternSquare::PatternSquare(double size_, Vec2 position_, int design_)
    : app(GetAppContext()), size(size_), position(position_), design(design_) {}

bool PatternSquare::HitTest(float x, float y) const {
    const double left = position.x, top = position.y;
    return left <= x && x <= left + size && top <= y && y <= top + size;
}

// Six designs per row of the sheet; each has its dark picture 50 pixels below the top of its
// band and the lit one 100 pixels further down.
Rect PatternSquare::SourceRect(int design, bool lit) {
    const int d = ((design % kDesignCount) + kDesignCount) % kDesignCount;
    const int left = (d % 6) * 100;
    const int top = (d / 6) * 200 + (lit ? 150 : 50);
    return Rect{left, top, left + kArtSide, top + kArtSide};
}

void PatternSquare::Draw() const {
    const Rect src = SourceRect(design, lit);
    const float s = static_cast<float>(size / kArtSide);
    const Vec2 scale{s, s};
    app->DrawSprite(app->texMisc3, &src, &scale, nullptr, 0.0, &position, 0xFFFFFFFF);
    // Lit lamps are brighter and, for those who want it, framed in ink as well (a dark frame
    // keeps lit squares laid edge to edge apart).
    if (lit && ColourCuesWanted(*app)) {
        const float half = static_cast<float>(size / 2);
        DrawCueMark(*app, kCueFrame, Vec2{position.x + half, position.y + half}, static_cast<float>(size), 0xFF2A2238);
    }
}
