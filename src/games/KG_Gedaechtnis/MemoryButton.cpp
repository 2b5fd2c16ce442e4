#include "games/KG_Gedaechtnis/MemoryButton.h"

#include <cmath>

#include "app/AppContext.h"

namespace {
constexpr int kDesignSide = 50;
constexpr int kDesignsPerRow = 6;
}  // namespace

MemoryButton::MemoryButton(int picture_, double size_, Vec2 centre_)
    : picture(picture_), app(GetAppContext()), size(size_), centre(centre_) {}

double MemoryButton::DistanceTo(float x, float y) const {
    const double dx = static_cast<double>(x) - centre.x;
    const double dy = static_cast<double>(y) - centre.y;
    return std::sqrt(dx * dx + dy * dy);
}

// Designs lie six to a row, 100 pixels apart; a row holds the unlit pictures 50 pixels below
// its top and the lit ones 150 pixels below it.
Rect MemoryButton::SourceRect(bool dark) const {
    const int left = (picture % kDesignsPerRow) * 100;
    const int top = (picture / kDesignsPerRow) * 200 + (Lit() && !dark ? 150 : 50);
    return Rect{left, top, left + kDesignSide, top + kDesignSide};
}

void MemoryButton::Draw(bool dark) const {
    const Rect src = SourceRect(dark);
    const float s = static_cast<float>(size / kDesignSide);
    const Vec2 scale{s, s};
    const float half = static_cast<float>(size / 2);
    const Vec2 topLeft{centre.x - half, centre.y - half};
    app->DrawSprite(app->texMisc3, &src, &scale, nullptr, 0.0, &topLeft, 0xFFFFFFFF);
}
