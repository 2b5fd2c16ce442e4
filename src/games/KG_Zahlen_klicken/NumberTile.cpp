#include "games/KG_Zahlen_klicken/NumberTile.h"

#include <string>

#include "app/AppContext.h"
#include "framework/ColourCues.h"
#include "games/KG_Zahlen_klicken/NumberBoard.h"
#include "platform/FontManager.h"

namespace {
constexpr Color kDigitColor = 0xFF000000;
constexpr Color kWrongColor = 0xFFFF0000;
}  // namespace

NumberTile::NumberTile(int value_, Vec2 centre_) : app(GetAppContext()), centre(centre_), value(value_) {}

bool NumberTile::HitTest(float x, float y) const { return number_board::Hits(centre, x, y); }

void NumberTile::Draw(FontManager* fonts, Font* font) const {
    const Rect src{550, 0, 600, 50};
    const Vec2 topLeft{centre.x - number_board::kHalfTile, centre.y - number_board::kHalfTile};
    app->DrawSprite(app->texMisc1, &src, nullptr, nullptr, 0.0, &topLeft, 0xFFFFFFFF);
    const std::string text = std::to_string(value);
    fonts->DrawTextAt(text.c_str(), centre.x, centre.y, clicked ? kWrongColor : kDigitColor,
                      kTextCenter | kTextVCenter, font);
    // A tile clicked out of turn is framed besides its red number.
    if (clicked && ColourCuesWanted(*app)) DrawCueMark(*app, kCueFrame, centre, 2 * number_board::kHalfTile, kWrongColor);
}
