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
    app->DrawSprite(app->texMisc1, &kDial, &scaling, nullptr, 0.0, &topLeft, kWhite);
    GetFontManager()->DrawTextAt(hour < 12 ? "am" : "pm", centre.x, centre.y + 30.0f * s, kBlack, kTextCenter,
                                 labelFont);
    app->DrawSprite(app->texMisc1, &kHourHand, &scaling, &pivot,
                    clockmath::HourAngle(hour, minute) * clockmath::kRadiansPerDegree, &topLeft, kWhite);
    app->DrawSprite(app->texMisc1, &kMinuteHand, &scaling, &pivot,
                    clockmath::MinuteAngle(minute) * clockmath::kRadiansPerDegree, &topLeft, kWhite);
}

void Clock::DrawDigital(Font* clockFont) const {
    const float s = static_cast<float>(scale);
    const Vec2 scaling{s, s};
    const Vec2 topLeft{centre.x - 100.0f * s, centre.y - 50.0f * s};
    app->DrawSprite(app->texMisc1, &kDisplay, &scaling, nullptr, 0.0, &topLeft, kWhite);
    GetFontManager()->DrawTextAt(clockmath::TimeText(hour, minute).c_str(), centre.x, centre.y, kBlack,
                                 kTextCenter | kTextVCenter, clockFont);
}
