#include "games/KG_Schiebe_Puzzle/PuzzleTile.h"

#include "app/AppContext.h"
#include "framework/Glide.h"

namespace {
constexpr Color kShadow = 0x9F000000;
constexpr Color kWhite = 0xFFFFFFFF;
}  // namespace

void PuzzleTile::GlideStep(double dt) { position = Glide(position, target, dt, glideSpeed); }

Rect PuzzleTile::SourceRect() const {
    const int n = gridSize > 0 ? gridSize : 1;
    const int a = kPictureSize / n;
    const int left = kPictureSize * picture;
    Rect r{homeCol * a + left, homeRow * a + kPictureTop, (homeCol + 1) * a + left, (homeRow + 1) * a + kPictureTop};
    if (homeCol == 0) r.left += 1;
    if (homeCol == n - 1) r.right -= 1;
    if (homeRow == 0) r.top += 1;
    if (homeRow == n - 1) r.bottom -= 1;
    return r;
}

void PuzzleTile::Draw() const {
    if (isHole || app == nullptr) return;
    const Rect src = SourceRect();
    if (src.Width() <= 0 || src.Height() <= 0) return;
    const Vec2 scale{size.x / src.Width(), size.y / src.Height()};
    const Vec2 shadowAt{position.x + 3.0f, position.y + 3.0f};
    app->DrawSprite(app->texMisc1, &src, &scale, nullptr, 0.0, &shadowAt, kShadow);
    app->DrawSprite(app->texMisc1, &src, &scale, nullptr, 0.0, &position, kWhite);
}
