#pragma once
// One tile of the number-clicking game: a plain square with its number, black, or red once it
// was clicked out of turn.
#include "framework/Types.h"

struct AppContext;
class FontManager;
struct Font;

struct NumberTile {
    NumberTile(int value, Vec2 centre);

    bool HitTest(float x, float y) const;
    void MarkClicked() { clicked = true; }
    int Value() const { return value; }
    void Draw(FontManager* fonts, Font* font) const;

    AppContext* app = nullptr;
    bool clicked = false;
    Vec2 centre;
    int value = 0;
};
