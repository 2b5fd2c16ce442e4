#pragma once
// Second cues of colour signals: marks that need no colour vision (a symbol on each peg
// colour, a padlock on fixed pieces, a cross beside wrong answers, a bold frame round
// conflicts). They are drawn while the player wants symbols on colours; cues a game needs to
// be fair at all are drawn always.
#include "framework/Types.h"

struct AppContext;

enum CueMark {
    kCueStar = 0, kCueHeart, kCueDiamond, kCueCircle, kCueTriangle, kCuePlus,  // one per peg colour
    kCueLock = 6,
    kCueCross = 7,
    kCueFrame = 8,  // white: drawn tinted
    kCueTick = 9,
};
constexpr int kCueSymbolCount = 6;

// Whether optional cues are wanted ("symbols on colours").
bool ColourCuesWanted(const AppContext& app);
// Draws a mark centred on `centre`, `size` pixels wide and high.
void DrawCueMark(AppContext& app, int mark, Vec2 centre, float size, Color tint = 0xFFFFFFFF);
