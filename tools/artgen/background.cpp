// bg.PNG, the menu background, and the night-blue scenery it shares with the splash picture.
#include <cmath>

#include "motifs.h"
#include "scenery.h"
#include "sheets.h"

namespace art {

void DrawNightScenery(cairo_t* cr, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    RadialGradient(cr, w * 0.5, h * 0.42, std::hypot(w, h) * 0.62, palette::kDusk, palette::kNight);
    cairo_fill(cr);
    // Light falling in from the top.
    cairo_rectangle(cr, 0, 0, w, h);
    RadialGradient(cr, w * 0.5, -h * 0.1, h * 0.9, Hex(0x9FE3F0), Hex(0x9FE3F0), 0.22, 0.0);
    cairo_fill(cr);
    // Interlocking puzzle pieces over the whole area, barely visible.
    const double s = 96;
    cairo_new_path(cr);
    for (int j = -1; j * s < h + s; ++j)
        for (int i = -1; i * s < w + s; ++i) {
            auto side = [](int a, int b) { return ((a * 7 + b * 13) % 3 == 0) ? -1 : 1; };
            PieceSides sides;
            sides.right = side(i, j);
            sides.left = -side(i - 1, j);
            sides.bottom = side(j + 100, i);
            sides.top = -side(j + 99, i);
            cairo_save(cr);
            cairo_translate(cr, i * s + 20, j * s + 10);
            PuzzlePiecePath(cr, s, sides);
            cairo_restore(cr);
        }
    SetColor(cr, palette::kWhite, 0.055);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Vignette.
    Vignette(cr, w, h, h * 0.45, h * 0.95, Rgb{0, 0, 0.05}, 0.45);
    cairo_restore(cr);
}

void DrawBokeh(cairo_t* cr, double w, double h, unsigned seed, int count) {
    Random rnd(seed);
    cairo_save(cr);
    for (int i = 0; i < count; ++i) {
        double x = rnd.Range(0, w), y = rnd.Range(0, h), r = rnd.Range(6, 34);
        double a = rnd.Range(0.03, 0.09);
        Rgb c = i % 3 == 0 ? Hex(0xFFE3A0) : i % 3 == 1 ? Hex(0xBFEFFF) : palette::kWhite;
        cairo_new_path(cr);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        RadialGradient(cr, x, y, r, c, c, a * 1.4, a * 0.6);
        cairo_fill_preserve(cr);
        SetColor(cr, c, a);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    for (int i = 0; i < count / 3; ++i) {
        double x = rnd.Range(0, w), y = rnd.Range(0, h);
        DrawSparkle(cr, x, y, rnd.Range(4, 10), rnd.Range(0.3, 0.7));
    }
    cairo_restore(cr);
}

namespace {
// The playthings at the sides of the menu, where the centred panels leave room.
void SideMotifs(cairo_t* cr) {
    DrawClock(cr, 150, 160, 92, 10, 8, palette::kBerry);
    DrawPuzzlePiece(cr, 905, 585, 104, 0.25, palette::kLeaf, {1, -1, 1, 1});
    DrawPuzzlePiece(cr, 842, 690, 92, -0.35, palette::kSky, {-1, 1, 1, -1});
    DrawCardBack(cr, 905, 190, 112, 158, 0.18, palette::kPlum);
    DrawCardFront(cr, 835, 250, 112, 158, -0.12, palette::kBerry, 1);
    DrawCoinStack(cr, 120, 690, 48, 4, palette::kGold);
    DrawCoin(cr, 205, 640, 40, palette::kSilver, "", &palette::kGold);
    DrawCoin(cr, 60, 560, 34, palette::kCopper);
}
}  // namespace

bool DrawMenuBackground(const std::string& dir) {
    return DrawSheet(dir, "bg.PNG", 1024, 768, [](cairo_t* cr) {
        DrawNightScenery(cr, 1024, 768);
        DrawBokeh(cr, 1024, 768, 7, 36);
        SideMotifs(cr);
    });
}

}  // namespace art
