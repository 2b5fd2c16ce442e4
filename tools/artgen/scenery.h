#pragma once
// The night-blue scenery behind the menu and the splash picture.
#include "paint.h"

namespace art {
// Deep blue gradient, a faint pattern of interlocking puzzle pieces, soft light and a
// vignette over a w x h area at the origin.
void DrawNightScenery(cairo_t* cr, double w, double h);
// Floating bokeh lights and sparkles, seeded.
void DrawBokeh(cairo_t* cr, double w, double h, unsigned seed, int count);
}  // namespace art
