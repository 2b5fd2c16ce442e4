#pragma once
// One clock of the clock game: a random time of day shown on an analogue dial (with "am" or
// "pm") or on a digital display, centred on a point of the screen.
#include "framework/Types.h"

struct AppContext;
struct Font;

class Clock {
public:
    // kind 0 draws a digital clock, 1 an analogue one, any larger kind draws which one it is.
    // Draws hour, minute and (for kind 2 and above) the kind, in this order, with rand().
    Clock(float x, float y, int kind, double size);
    // A clock showing a given time (tests).
    Clock(float x, float y, bool analogue, int hour, int minute);

    int MinutesOfDay() const { return hour * 60 + minute; }
    // Dial with label and hands, or display with the time, in the fonts the game holds for
    // all its clocks.
    void Draw(Font* clockFont, Font* labelFont) const;

    AppContext* app = nullptr;
    double scale = 1.0;
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    Vec2 centre;
    bool analogue = false;

    static constexpr Rect kDial{600, 500, 800, 700};
    static constexpr Rect kHourHand{800, 300, 1000, 500};
    static constexpr Rect kMinuteHand{800, 500, 1000, 700};
    static constexpr Rect kDisplay{600, 400, 800, 500};

    // Where the "am"/"pm" field lies on the screen: below an analogue dial, out of the hands' reach.
    Rect LabelRect() const;
    static constexpr double kLabelTop = 96.0;
    static constexpr double kLabelHeight = 30.0;
    static constexpr double kLabelHalfWidth = 30.0;

private:
    void DrawLabel(Font* labelFont) const;
    void DrawAnalogue(Font* labelFont) const;
    void DrawDigital(Font* clockFont) const;
};
