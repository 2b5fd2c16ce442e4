#include "games/KG_Sudoku9x9/SudokuCell.h"

#include <cstdio>

#include "app/AppContext.h"
#include "framework/ColourCues.h"
#include "platform/FontManager.h"

namespace {
constexpr Color kWhite = 0xFFFFFFFF;
// The selected cell is light blue, well away from the red that marks a conflict.
constexpr Color kSelectedTint = 0xFFB4D8F6;
constexpr Color kConflictRed = 0xFFFF0000;
constexpr Color kGivenGrey = 0xFF4F4F4F;
constexpr Color kPlayerBlack = 0xFF000000;
constexpr Color kSelectedFrame = 0xFF3A5A9A;
// The digits are drawn with the first font the program created.
constexpr int kDigitFontId = 0;
}  // namespace

SudokuCell::SudokuCell() : app(GetAppContext()) {}

bool SudokuCell::Contains(int x, int y) const {
    return position.x <= x && x <= position.x + size && position.y <= y && y <= position.y + size;
}

void SudokuCell::Draw(bool selected) const {
    const Rect field{550, 0, 600, 50};
    const Vec2 scale{static_cast<float>(size / 50.0), static_cast<float>(size / 50.0)};
    app->DrawSprite(app->texMisc1, &field, &scale, nullptr, 0.0, &position, selected ? kSelectedTint : kWhite);
    const float half = static_cast<float>(size / 2);
    const Vec2 middle{position.x + half, position.y + half};
    // The blue of the selected cell gets an inner frame.
    if (selected && ColourCuesWanted(*app)) DrawCueMark(*app, kCueFrame, middle, 1.6f * half, kSelectedFrame);
    if (IsEmpty()) return;
    // A conflict is told by a bold frame as well as by its red digit, whatever the setting:
    // red and black digits look alike to many.
    if (!valid) DrawCueMark(*app, kCueFrame, middle, 2.0f * half, kConflictRed);
    char digit[16];
    std::snprintf(digit, sizeof digit, "%d", value);
    Color color = !valid ? kConflictRed : (given ? kGivenGrey : kPlayerBlack);
    const float middleX = static_cast<float>(position.x + size / 2);
    const float middleY = static_cast<float>(position.y + size / 2);
    GetFontManager()->DrawTextAt(digit, middleX, middleY, color, kTextCenter | kTextVCenter, kDigitFontId);
}
