#pragma once
// One square of a pattern grid: a lamp of one of the twelve designs that is lit or dark.
#include "framework/Types.h"

struct AppContext;

struct PatternSquare {
    static constexpr int kDesignCount = 12;
    static constexpr int kArtSide = 50;  // the designs are drawn 50 x 50 on the sheet

    PatternSquare(double size, Vec2 position, int design);

    // The square's rectangle, edges included.
    bool HitTest(float x, float y) const;
    void Flip() { lit = !lit; }
    bool IsLit() const { return lit; }
    void SetLit(bool on) { lit = on; }
    // The sheet region of a design, lit or dark; a design outside 0..11 wraps around.
    static Rect SourceRect(int design, bool lit);
    void Draw() const;

    AppContext* app = nullptr;
    bool lit = false;
    double size = 0.0;
    Vec2 position;  // top-left corner
    int design = 0;
};
