// The ring around the menu's focused button (misc2, (510,700)-(570,760)): a rounded frame in
// the hover glow's orange, its line 8 px inside the region with a corner radius of 20. The
// program cuts it into four 28 x 28 corners and four 4 px edges that it stretches along the
// button, scaling the corners for rounder shapes, and draws it untinted over the page.
#include "paint.h"
#include "sheets.h"

namespace art {

void DrawFocusRing(cairo_t* cr, double left, double top) {
    InRegion(cr, left, top, 60, 60, [cr] {
        auto ring = [cr] {
            cairo_new_path(cr);
            RoundedRect(cr, 8, 8, 44, 44, 20);
        };
        // A soft halo outside the line only: the button inside keeps its own look.
        cairo_save(cr);
        cairo_new_path(cr);
        cairo_rectangle(cr, 0, 0, 60, 60);
        RoundedRect(cr, 9, 9, 42, 42, 19);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_clip(cr);
        for (double width : {13.0, 10.0, 7.0}) {
            ring();
            SetColor(cr, palette::kGlow, 0.16);
            cairo_set_line_width(cr, width);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
        // The line: a dark rim for contrast on the light panels, the glow, a light core.
        ring();
        SetColor(cr, Darker(palette::kGlow, 0.35));
        cairo_set_line_width(cr, 5.0);
        cairo_stroke(cr);
        ring();
        SetColor(cr, palette::kGlow);
        cairo_set_line_width(cr, 3.2);
        cairo_stroke(cr);
        ring();
        SetColor(cr, Lighter(palette::kGlow, 0.55));
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        cairo_new_path(cr);
    });
}

}  // namespace art
