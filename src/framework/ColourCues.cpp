#include "framework/ColourCues.h"

#include "app/AppContext.h"

bool ColourCuesWanted(const AppContext& app) { return app.colourSymbols; }

void DrawCueMark(AppContext& app, int mark, Vec2 centre, float size, Color tint) {
    if (mark < 0 || mark > kCueTick) return;
    // The marks lie in a row of 50 x 50 pictures below the cards; the tick is the one that
    // answers show.
    const Rect src = mark == kCueTick ? Rect{0, 450, 50, 500} : Rect{50 * mark, 650, 50 * mark + 50, 700};
    Texture* sheet = mark == kCueTick ? app.texMisc1 : app.texMisc2;
    const Vec2 scale{size / 50.0f, size / 50.0f};
    const Vec2 topLeft{centre.x - size / 2.0f, centre.y - size / 2.0f};
    app.DrawSprite(sheet, &src, &scale, nullptr, 0.0, &topLeft, tint);
}
