// The ring of the keyboard cursor in games: a rounded frame in the menu's hover glow between two
// ink edges, so that it reads on light and dark backdrops and on every piece colour. The
// program draws its corners as they are and stretches the middles of its sides.
#include "paint.h"
#include "sheets.h"

namespace art {
void DrawKeyRing(cairo_t* cr) {
    RoundedRect(cr, 6, 6, 48, 48, 12);
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, 10);
    cairo_stroke_preserve(cr);
    SetColor(cr, palette::kGlow);
    cairo_set_line_width(cr, 6);
    cairo_stroke_preserve(cr);
    SetColor(cr, palette::kAccentHover);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}
}  // namespace art
