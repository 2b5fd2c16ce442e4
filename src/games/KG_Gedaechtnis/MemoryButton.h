#pragma once
// One round button of the sequence game: a design of the square-design sheet drawn at the
// button's diameter, lit while its light time runs. Only the circle takes clicks.
#include "framework/Types.h"

struct AppContext;

struct MemoryButton {
    MemoryButton(int picture, double size, Vec2 centre);

    double DistanceTo(float x, float y) const;
    bool HitTest(float x, float y) const { return DistanceTo(x, y) <= size / 2; }
    void Light(double seconds) { lightTime = seconds; }
    void CountDown(double seconds) { lightTime -= seconds; }
    bool Lit() const { return lightTime > 0; }
    // The unlit or lit picture of the design, scaled to the diameter, centred on the centre.
    Rect SourceRect(bool dark = false) const;
    // Unlit when dark, whatever its light time.
    void Draw(bool dark = false) const;

    int picture = 0;  // design 0..11, the same for every button of a game
    AppContext* app = nullptr;
    double size = 40.0;
    double lightTime = 0.0;
    Vec2 centre;
};
