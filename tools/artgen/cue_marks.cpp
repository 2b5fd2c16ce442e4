// The marks that second colour signals: six peg symbols (star, heart, diamond, circle, triangle,
// plus) white with an ink outline so that they read on any tint, a padlock, a cross and a bold
// square frame (white, drawn tinted).
#include <cmath>

#include "motifs.h"
#include "paint.h"
#include "sheets.h"

namespace art {
namespace {
void CueSymbol(cairo_t* cr, int symbol) {
    const int shapes[] = {0, 1, 2, 3, 4, 9};
    DrawSymbol(cr, shapes[symbol], 25, 25, 15, palette::kWhite, 1.6);
}

void Padlock(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_arc(cr, 25, 21, 9, M_PI, 2 * M_PI);
    cairo_line_to(cr, 34, 26);
    cairo_move_to(cr, 16, 26);
    cairo_line_to(cr, 16, 21);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, 7);
    cairo_stroke_preserve(cr);
    SetColor(cr, palette::kSilver);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    cairo_new_path(cr);
    RoundedRect(cr, 10, 24, 30, 22, 4);
    VerticalGradient(cr, 24, Lighter(palette::kGold, 0.3), 46, Darker(palette::kGold, 0.2));
    FillAndOutline(cr, 2.2);
    cairo_new_path(cr);
    cairo_arc(cr, 25, 33, 3, 0, 2 * M_PI);
    cairo_move_to(cr, 25, 33);
    cairo_line_to(cr, 25, 40);
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
}

void CrossMark(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, 12, 12);
    cairo_line_to(cr, 38, 38);
    cairo_move_to(cr, 38, 12);
    cairo_line_to(cr, 12, 38);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, 12);
    cairo_stroke_preserve(cr);
    SetColor(cr, palette::kBerry);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
}

void Frame(cairo_t* cr) {
    cairo_new_path(cr);
    RoundedRect(cr, 3, 3, 44, 44, 6);
    SetColor(cr, palette::kWhite);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
}

}  // namespace

void DrawCueMarks(cairo_t* cr, double top) {
    for (int i = 0; i < 6; ++i) InRegion(cr, 50 * i, top, 50, 50, [&] { CueSymbol(cr, i); });
    InRegion(cr, 300, top, 50, 50, [&] { Padlock(cr); });
    InRegion(cr, 350, top, 50, 50, [&] { CrossMark(cr); });
    InRegion(cr, 400, top, 50, 50, [&] { Frame(cr); });
}
}  // namespace art
