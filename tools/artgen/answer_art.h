#pragma once
// The pieces of misc1.PNG for the games that take typed answers (triangle arithmetic,
// reading clocks, the date game): number and operator fields, the tick, and the clock parts.
// Each function draws one region with the origin at the region's top-left corner.
#include <cairo.h>

namespace art {

// (100,450)-(150,500): the number and answer field. Stretched sideways by the games.
void DrawNumberField(cairo_t* cr);
// (50,450)-(100,500): the field of a joined triangle node; the operator is printed on it.
void DrawOperatorField(cairo_t* cr);
// (0,450)-(50,500): the tick beside the field after a right answer.
void DrawAnswerTick(cairo_t* cr);
// (600,500)-(800,700): the dial, centred in its region; "am"/"pm" is printed at centre +
// (0, 30) into the window at six o'clock.
void DrawClockDial(cairo_t* cr);
// (800,300)-(1000,500) and (800,500)-(1000,700): the hands, pointing to twelve from the
// region's centre, about which they are turned.
void DrawHourHand(cairo_t* cr);
void DrawMinuteHand(cairo_t* cr);
// (600,400)-(800,500): the digital display; the time is printed on its screen.
void DrawDigitalDisplay(cairo_t* cr);

}  // namespace art
