#include "games/KG_Uhr_lesen/Clock.h"

#include <cstdlib>

#include "app/AppContext.h"
#include "games/KG_Uhr_lesen/ClockMath.h"
#include "platform/FontManager.h"

namespace {
constexpr Color kWhite = 0xFFFFFFFF;
constexpr Color kBlack = 0xFF000000;
}  // namespace

Clock::Clock(float x, float y, int kind, double size) : app(GetAppContext()) {
    centre = Vec2{x, y};
    hour = std::rand() % 24;
    minute = std::rand() % 60;
    analogue = kind <= 1 ? kind != 0 : std::rand() % 2 != 0;
    scale = size / 200.0;
}

Clock::Clock(float x, float y, bool analogue_, int hour_, int minute_) : app(GetAppContext()) {
    centre = Vec2{x, y};
    hour = hour_;
    minute = minute_;
    analogue = analogue_;
}

void Clock::Draw(Font* clockFont, Font* labelFont) const {
    if (analogue)
        DrawAnalogue(labelFont);
    else
        DrawDigital(clockFont);
}

// The hands turn about the middle of their pictures, which lies on the clock's centre.
void Clock::DrawAnalogue(Font* labelFont) const {
    const float s = static_cast<float>(scale);
    const Vec2 scaling{s, s};
    const Vec2 topLeft{centre.x - 100.0f * s, centre.y - 100.0f * s};
    const Vec2 pivot{100.0f * s, 100.0f * s};
    // The dial's outer texels are clear; leaving them out keeps a scaled dial from reading the
    // opaque picture beside it in the sheet (a faint line along its left edge).
    const Rect inner{kDial.left + 1, kDial.top + 1, kDial.right - 1, kDial.bottom - 1};
    const Vec2 innerTopLeft{topLeft.x + s, topLeft.y + s};
    app->DrawSprite(app->texMisc1, &inner, &scaling, nullptr, 0.0, &innerTopLeft, kWhite);
    app->DrawSprite(app->texMisc1, &kHourHand, &scaling, &pivot,
                    clockmath::HourAngle(hour, minute) * clockmath::kRadiansPerDegree, &topLeft, kWhite);
    app->DrawSprite(app->texMisc1, &kMinuteHand, &scaling, &pivot,
                    clockmath::MinuteAngle(minute) * clockmath::kRadiansPerDegree, &topLeft, kWhite);
    DrawLabel(labelFont);
}

void Clock::DrawDigital(Font* clockFont) const {
    const float s = static_cast<float>(scale);
    const Vec2 scaling{s, s};
    const Vec2 topLeft{centre.x - 100.0f * s, centre.y - 50.0f * s};
    app->DrawSprite(app->texMisc1, &kDisplay, &scaling, nullptr, 0.0, &topLeft, kWhite);
    GetFontManager()->DrawTextAt(clockmath::TimeText(hour, minute).c_str(), centre.x, centre.y, kBlack,
                                 kTextCenter | kTextVCenter, clockFont);
}

Rect Clock::LabelRect() const {
    const double s = scale;
    const int halfWidth = static_cast<int>(kLabelHalfWidth * s + 0.5);
    const int top = static_cast<int>(centre.y + kLabelTop * s + 0.5);
    const int x = static_cast<int>(centre.x + 0.5);
    return Rect{x - halfWidth, top, x + halfWidth, top + static_cast<int>(kLabelHeight * s + 0.5)};
}

// "am" or "pm" on a small field just below the rim, where no hand ever reaches.
void Clock::DrawLabel(Font* labelFont) const {
    const Rect r = LabelRect();
    const Rect field{100, 450, 150, 500};
    const Vec2 stretch{(r.right - r.left) / 50.0f, (r.bottom - r.top) / 50.0f};
    const Vec2 at{static_cast<float>(r.left), static_cast<float>(r.top)};
    app->DrawSprite(app->texMisc1, &field, &stretch, nullptr, 0.0, &at, kWhite);
    GetFontManager()->DrawTextAt(hour < 12 ? "am" : "pm", centre.x, (r.top + r.bottom) / 2.0f, kBlack,
                                 kTextCenter | kTextVCenter, labelFont);
}
