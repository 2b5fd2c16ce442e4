#pragma once
// The interface pieces in the common style: panels, buttons, fields, wells. Each draws into the
// region whose top-left is the current origin and keeps its shadow inside the region.
#include "paint.h"

namespace art {

// A paper card with a caramel rim filling a w x h region; with header, a honey ribbon across
// the top carries the title that the program prints at y + 20 (40 px high).
// margin is the room left around the card for its shadow.
void DrawPanel(cairo_t* cr, double w, double h, bool header, double margin = 9);

// Face colours of a button.
enum class ButtonTone { kHoney, kRose, kLeaf };
// A chunky button filling a w x h region (label room at y + 10 .. y + 40); the hover picture
// is lighter and glows.
void DrawButton(cairo_t* cr, double w, double h, bool hover, ButtonTone tone = ButtonTone::kHoney);
// A round button filling a size x size region; returns the face centre y for its icon.
double DrawRoundButton(cairo_t* cr, double size, bool hover);

// A sunken well (list background, tray): rounded, darker paper, inner shadow.
void DrawWell(cairo_t* cr, double x, double y, double w, double h, double radius);

}  // namespace art
