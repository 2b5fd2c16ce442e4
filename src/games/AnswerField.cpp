#include "games/AnswerField.h"

#include <algorithm>

#include "app/AppContext.h"
#include "framework/ColourCues.h"
#include "framework/TypedAnswer.h"
#include "platform/FontManager.h"

namespace answerfield {

void Draw(Vec2 centre, float stretch) {
    AppContext* app = GetAppContext();
    const float width = 50.0f * std::max(1.0f, stretch);
    const float left = centre.x - width / 2.0f, top = centre.y - 25.0f;
    const Rect leftEnd{kRegion.left, kRegion.top, kRegion.left + kEndWidth, kRegion.bottom};
    const Rect middle{kRegion.left + kEndWidth, kRegion.top, kRegion.right - kEndWidth, kRegion.bottom};
    const Rect rightEnd{kRegion.right - kEndWidth, kRegion.top, kRegion.right, kRegion.bottom};
    const Vec2 leftPos{left, top};
    app->DrawSprite(app->texMisc1, &leftEnd, nullptr, nullptr, 0.0, &leftPos, 0xFFFFFFFF);
    const float middleWidth = width - 2.0f * kEndWidth;
    const Vec2 middleScale{middleWidth / static_cast<float>(middle.Width()), 1.0f};
    const Vec2 middlePos{left + kEndWidth, top};
    app->DrawSprite(app->texMisc1, &middle, &middleScale, nullptr, 0.0, &middlePos, 0xFFFFFFFF);
    const Vec2 rightPos{left + width - kEndWidth, top};
    app->DrawSprite(app->texMisc1, &rightEnd, nullptr, nullptr, 0.0, &rightPos, 0xFFFFFFFF);
}

void DrawWrongAnswer(const std::string& text, Vec2 centre, Font* font) {
    FontManager* fonts = GetFontManager();
    const unsigned format = kTextCenter | kTextVCenter;
    const Color edge = 0xFF2A2238;
    for (const Vec2 d : {Vec2{-1, -1}, Vec2{1, -1}, Vec2{-1, 1}, Vec2{1, 1}})
        fonts->DrawTextAt(text.c_str(), centre.x + d.x, centre.y + d.y, edge, format, font);
    fonts->DrawTextAt(text.c_str(), centre.x, centre.y, TypedAnswer::kWrongAnswerColor, format, font);
}

void DrawPieces(const std::vector<std::pair<std::string, Color>>& pieces, Vec2 centre, Font* font) {
    FontManager* fonts = GetFontManager();
    std::vector<int> widths;
    int total = 0;
    for (const auto& piece : pieces) {
        int w = fonts->TextWidth(piece.first, font);
        if (w <= 0) w = 11 * static_cast<int>(piece.first.size());  // no face to measure with
        widths.push_back(w);
        total += w;
    }
    float x = centre.x - static_cast<float>(total) / 2.0f;
    for (size_t i = 0; i < pieces.size(); ++i) {
        fonts->DrawTextAt(pieces[i].first.c_str(), x, centre.y, pieces[i].second, kTextVCenter, font);
        x += static_cast<float>(widths[i]);
    }
}

void DrawStruckAnswer(const std::string& text, Vec2 rightEnd, Font* font) {
    AppContext* app = GetAppContext();
    FontManager* fonts = GetFontManager();
    const Color ink = 0xFF2A2238;
    int width = fonts->TextWidth(text, font);
    if (width <= 0) width = 11 * static_cast<int>(text.size());  // no face to measure with
    const float left = rightEnd.x - static_cast<float>(width);
    fonts->DrawTextAt(text.c_str(), left, rightEnd.y, ink, kTextVCenter, font);
    // The stroke: the plain white field of misc1, tinted and pressed flat.
    const Rect plain{500, 0, 550, 50};
    const Vec2 scale{(static_cast<float>(width) + 8.0f) / 50.0f, 2.0f / 50.0f};
    const Vec2 at{left - 4.0f, rightEnd.y - 1.0f};
    app->DrawSprite(app->texMisc1, &plain, &scale, nullptr, 0.0, &at, 0xFFC02020);
    DrawCueMark(*app, kCueCross, Vec2{left - 24.0f, rightEnd.y}, 30.0f);
}

}  // namespace answerfield
