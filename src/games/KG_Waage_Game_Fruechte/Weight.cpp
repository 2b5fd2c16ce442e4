#include "games/KG_Waage_Game_Fruechte/Weight.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/AppContext.h"
#include "framework/ColourCues.h"
#include "framework/Glide.h"
#include "platform/FontManager.h"

namespace {
constexpr double kGlideRate = 5.0;
constexpr Color kFixedTint = 0xFF7F7F7F;
constexpr Color kLabel = 0xFF000000;
constexpr Color kFixedLabel = 0xFFFF0000;
// The label lies just below the foot: on the pan's front rim, or on the floor.
constexpr float kLabelTop = 1.0f;
constexpr float kLabelBottom = 16.0f;
constexpr Color kHalo = 0xC0FFFFFF;
// The fruit stands on this row of its 100 x 100 picture, two pixels above the picture's edge.
constexpr float kFootInPicture = 98.0f;
}  // namespace

Weight::Weight(float x, float y, int grams_, bool movable_, int picture_)
    : picture(picture_ >= 0 && picture_ <= 7 ? picture_ : 0),
      app(GetAppContext()),
      movable(movable_),
      position{x, y},
      target{x, y},
      grams(grams_) {}

void Weight::Draw() const {
    const int left = 100 * (picture % 4), top = 100 * (picture / 4);
    const Rect src{left, top, left + 100, top + 100};
    const float s = static_cast<float>(scale);
    const Vec2 scaling{s, s};
    const Vec2 at{position.x - 50 * s, position.y - kFootInPicture * s};
    app->DrawSprite(app->texMisc4, &src, &scaling, nullptr, 0.0, &at, movable ? 0xFFFFFFFF : kFixedTint);
    char label[16];
    std::snprintf(label, sizeof label, "%dg", grams);
    // A light halo keeps the label readable where it lies over other fruit.
    FontManager* fonts = GetFontManager();
    const float y = position.y + kLabelTop;
    for (Vec2 d : {Vec2{-1, 0}, Vec2{1, 0}, Vec2{0, -1}, Vec2{0, 1}})
        fonts->DrawTextAt(label, position.x + d.x, y + d.y, kHalo, kTextCenter, -1);
    fonts->DrawTextAt(label, position.x, y, movable ? kLabel : kFixedLabel, kTextCenter, -1);
    // A fixed fruit is locked: a padlock at its top right besides the darker picture and red label.
    // It stays on the screen where the fruit reaches its edge.
    if (!movable && ColourCuesWanted(*app)) {
        const float half = 28 * s;
        const float x = std::clamp(position.x + 34 * s, half, app->screenWidth - half);
        const float y = std::clamp(position.y - 80 * s, half, app->screenHeight - half);
        DrawCueMark(*app, kCueLock, Vec2{x, y}, 2 * half);
    }
}

void Weight::Move() { position = Glide(position, target, app->frameTime, kGlideRate); }

bool Weight::Contains(float x, float y) const {
    const double s = scale;
    return std::fabs(static_cast<double>(x) - position.x) <= 48 * s && position.y - 100 * s <= y &&
           y <= position.y + kLabelBottom;
}

Rect Weight::Bounds() const {
    const double s = scale;
    return Rect{static_cast<int>(std::ceil(position.x - 48 * s)), static_cast<int>(std::ceil(position.y - 100 * s)),
                static_cast<int>(position.x + 48 * s), static_cast<int>(position.y + kLabelBottom)};
}
