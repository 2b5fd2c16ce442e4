// misc1.PNG: the mouse pointer's ten press frames, the veil, the tinted field, pegs, markers,
// the balance, the shapes of picture building, the answer fields and tick, the sliding
// puzzle's pictures and the clock parts.
#include <algorithm>
#include <cmath>

#include "answer_art.h"
#include "motifs.h"
#include "scenery.h"
#include "sheets.h"
#include "widgets.h"

namespace art {
namespace {

// The pointer: an arrow whose tip covers the hot spot (8, 14) of its 50 x 50 frame. Pressing
// (t from 0 to 1) shrinks it towards the tip, lowers its shadow, warms its colour and rings
// the hot spot.
void Pointer(cairo_t* cr, double t) {
    const double tipX = 7, tipY = 13, s = 1.0 - 0.1 * t;
    auto arrow = [&] {
        cairo_new_path(cr);
        const double pts[][2] = {{0, 0}, {0, 26}, {6.5, 20}, {11, 30}, {15.8, 28}, {11.4, 18.6}, {19.6, 18.6}};
        for (int i = 0; i < 7; ++i) {
            double x = tipX + pts[i][0] * s, y = tipY + pts[i][1] * s;
            if (i == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
    };
    if (t > 0) {
        cairo_new_path(cr);
        cairo_arc(cr, 8.5, 14.5, 3 + 4.5 * t, 0, 2 * M_PI);
        SetColor(cr, palette::kGlow, 0.55 * t);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    arrow();
    double lift = 3.0 * (1 - t) + 1.0 * t;
    SoftShadow(cr, 3 + 2 * (1 - t), lift * 0.7, lift, 0.5, Hex(0x000000));
    VerticalGradient(cr, tipY, palette::kWhite, tipY + 30, Mix(Hex(0xE4ECF5), palette::kAccent, t));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_fill_preserve(cr);
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    // Inner shine along the left edge.
    cairo_move_to(cr, tipX + 2.2, tipY + 6);
    cairo_line_to(cr, tipX + 2.2, tipY + 20 * s);
    SetColor(cr, palette::kWhite, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// The neutral field, drawn tinted: white face, light grey bevel, no colour of its own.
void Field(cairo_t* cr) {
    cairo_new_path(cr);
    RoundedRect(cr, 1, 1, 48, 48, 7);
    VerticalGradient(cr, 1, Hex(0xFFFFFF), 49, Hex(0xDCDCDC));
    cairo_fill_preserve(cr);
    cairo_new_path(cr);
    RoundedRect(cr, 5, 5, 40, 40, 5);
    VerticalGradient(cr, 5, Hex(0xF4F4F4), 45, Hex(0xFFFFFF));
    cairo_fill(cr);
    RoundedRect(cr, 1, 1, 48, 48, 7);
    SetColor(cr, Hex(0x9A9A9A));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// A round peg, white and grey so that the tint gives its colour.
void Peg(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_arc(cr, 20, 20, 17, 0, 2 * M_PI);
    SoftShadow(cr, 3, 0.5, 1.5, 0.45, Hex(0x000000));
    RadialGradient(cr, 14, 13, 24, Hex(0xFFFFFF), Hex(0xA8A8A8));
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x6E6E6E));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_arc(cr, 14, 12.5, 4.5, 0, 2 * M_PI);
    SetColor(cr, palette::kWhite, 0.9);
    cairo_fill(cr);
}

// Markers of the box game, on transparent ground.
void ReflectedMarker(cairo_t* cr) {
    // A ray coming in and bouncing back out: a U-turn arrow.
    cairo_new_path(cr);
    cairo_move_to(cr, 14, 40);
    cairo_line_to(cr, 14, 22);
    cairo_arc(cr, 25, 22, 11, M_PI, 2 * M_PI);
    cairo_line_to(cr, 36, 34);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, 8);
    cairo_stroke_preserve(cr);
    SetColor(cr, palette::kSky);
    cairo_set_line_width(cr, 4.5);
    cairo_stroke(cr);
    DrawArrowHead(cr, 36, 40, 16, -1, palette::kSky);
}

void AbsorbedMarker(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_arc(cr, 25, 25, 15, 0, 2 * M_PI);
    SoftShadow(cr, 6, 0, 0, 0.6, palette::kPlum);
    RadialGradient(cr, 25, 25, 16, Hex(0x000000), palette::kPlum);
    FillAndOutline(cr, 2);
    cairo_new_path(cr);
    // A swirl falling in.
    for (int k = 0; k < 3; ++k) {
        cairo_new_path(cr);
        double a0 = k * 2 * M_PI / 3;
        for (double u = 0; u <= 1.0; u += 0.05) {
            double a = a0 + u * 2.4, r = 13 - u * 10;
            double x = 25 + r * std::cos(a), y = 25 + r * std::sin(a);
            if (u == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        SetColor(cr, Hex(0xE8D9FF), 0.8);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
}

// Drawn over a probe place whose ray the marks do not explain: a glowing orange frame along the
// place's edge and a small warning badge in its top-right corner. The middle stays clear, so
// the probe's colour, number or marker shows through, and the frame stands out on the darkest
// probe colours as on white.
void WarningMarker(cairo_t* cr) {
    cairo_new_path(cr);
    RoundedRect(cr, 2.5, 2.5, 45, 45, 7);
    SetColor(cr, palette::kWhite, 0.9);
    cairo_set_line_width(cr, 5.5);
    cairo_stroke_preserve(cr);
    SetColor(cr, palette::kGlow);
    cairo_set_line_width(cr, 3.2);
    cairo_stroke(cr);
    // The badge: a small rounded triangle with an exclamation mark, above the height of a
    // number printed in the middle of the place.
    cairo_new_path(cr);
    cairo_move_to(cr, 40.5, 1.2);
    cairo_line_to(cr, 49, 16);
    cairo_line_to(cr, 32, 16);
    cairo_close_path(cr);
    SoftShadow(cr, 2, 0, 1, 0.45);
    VerticalGradient(cr, 1.2, Hex(0xFFE07A), 16, palette::kSun);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    FillAndOutline(cr, 1.6);
    cairo_new_path(cr);
    RoundedRect(cr, 39.4, 5.6, 2.2, 5.6, 1.1);
    cairo_arc(cr, 40.5, 13.3, 1.3, 0, 2 * M_PI);
    SetColor(cr, palette::kInk);
    cairo_fill(cr);
}

// Balance: the stand (pivot at its top centre) and the beam (pivot at (100, 22.5), its bar
// centred on the pivot's row and reaching to both ends, where the pans' posts stand).
void BalanceStand(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, 42 - 5, 4);
    cairo_line_to(cr, 42 + 5, 4);
    cairo_line_to(cr, 42 + 8, 84);
    cairo_line_to(cr, 42 - 8, 84);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(30, 0, 54, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.55, 0.35, 0.15);
    cairo_pattern_add_color_stop_rgb(p, 0.4, 0.95, 0.75, 0.45);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.5, 0.3, 0.12);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    FillAndOutline(cr, 1.8);
    cairo_new_path(cr);
    RoundedRect(cr, 6, 82, 72, 16, 6);
    VerticalGradient(cr, 82, Hex(0xD69A55), 98, Hex(0x8A531E));
    FillAndOutline(cr, 1.8);
    cairo_new_path(cr);
    cairo_arc(cr, 42, 6, 6, 0, 2 * M_PI);
    RadialGradient(cr, 40, 4, 7, Hex(0xFFF1C8), palette::kGold);
    FillAndOutline(cr, 1.5);
}

void BalanceBeam(cairo_t* cr) {
    cairo_new_path(cr);
    RoundedRect(cr, 1, 16, 198, 13, 6.5);
    VerticalGradient(cr, 16, Hex(0xF3C98A), 29, Hex(0xA3662A));
    FillAndOutline(cr, 1.8);
    cairo_new_path(cr);
    // Scale marks and the pivot.
    for (int i = -4; i <= 4; ++i) {
        if (i == 0) continue;
        cairo_move_to(cr, 100 + i * 21, 18.5);
        cairo_line_to(cr, 100 + i * 21, 23);
    }
    SetColor(cr, palette::kPanelEdgeDark, 0.8);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_arc(cr, 100, 22.5, 7, 0, 2 * M_PI);
    RadialGradient(cr, 98, 20, 8, Hex(0xFFF1C8), palette::kGold);
    FillAndOutline(cr, 1.5);
    cairo_new_path(cr);
    cairo_arc(cr, 100, 22.5, 2.2, 0, 2 * M_PI);
    SetColor(cr, palette::kInk);
    cairo_fill(cr);
    // The pointer needle above the pivot.
    cairo_move_to(cr, 97, 15);
    cairo_line_to(cr, 100, 2);
    cairo_line_to(cr, 103, 15);
    cairo_close_path(cr);
    SetColor(cr, palette::kBerry);
    FillAndOutline(cr, 1.2);
    cairo_new_path(cr);
}

// The pan, (300,385)-(480,443): a wide silver dish for a row of three fruit. The game draws it
// with its pixel (90, 32.5) on the beam's end as the pan anchor; the fruit stand on its top
// edge (row 0), their labels lie on its front rim (rows 2..16), and its post reaches down to
// the beam's centre line (row 55), where a knuckle sits on the beam's tip.
void BalancePan(cairo_t* cr) {
    const double cx = 90;
    // Post from the dish down to the knuckle.
    cairo_new_path(cr);
    cairo_rectangle(cr, cx - 3, 18, 6, 34);
    cairo_pattern_t* p = cairo_pattern_create_linear(cx - 3, 0, cx + 3, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.55, 0.6, 0.66);
    cairo_pattern_add_color_stop_rgb(p, 0.4, 0.96, 0.97, 0.98);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.5, 0.55, 0.62);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    FillAndOutline(cr, 1.2, Hex(0x4A5260));
    cairo_new_path(cr);
    cairo_arc(cr, cx, 51.5, 5.5, 0, 2 * M_PI);
    RadialGradient(cr, cx - 1.5, 50, 6, Hex(0xFFF1C8), palette::kGold);
    FillAndOutline(cr, 1.3, palette::kPanelEdgeDark);
    // The dish: a flat top edge, a light front rim for the labels, a rounded underside.
    cairo_new_path(cr);
    cairo_move_to(cr, 3, 1);
    cairo_line_to(cr, 177, 1);
    cairo_curve_to(cr, 177, 10, 174, 16, 166, 18);
    cairo_curve_to(cr, 140, 24, 40, 24, 14, 18);
    cairo_curve_to(cr, 6, 16, 3, 10, 3, 1);
    cairo_close_path(cr);
    SoftShadow(cr, 3, 0, 1.5, 0.35);
    VerticalGradient(cr, 0, Hex(0xFDFEFF), 22, Hex(0xAEB8C4));
    FillAndOutline(cr, 1.5, Hex(0x4A5260));
    cairo_new_path(cr);
    // The shine along the rim and the lip of the top edge.
    RoundedRect(cr, 10, 3, 160, 3, 1.5);
    SetColor(cr, palette::kWhite, 0.8);
    cairo_fill(cr);
    cairo_move_to(cr, 4, 1.5);
    cairo_line_to(cr, 176, 1.5);
    SetColor(cr, Hex(0x7D8896));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// Picture-building shapes, on one module so that pictures fit together: at size 1 the square
// is 80 x 80, the circle 80 across, the triangle equilateral with 80-pixel sides and its
// centroid at the centre of the box, the rectangle 80 x 40. The outline lies inside these
// bounds. Light grey art: it is drawn white, tinted grey as a silhouette and red when selected.
void ShapePath(cairo_t* cr, int type, double inset) {
    cairo_new_path(cr);
    switch (type) {
        case 0:
            RoundedRect(cr, 10 + inset, 10 + inset, 80 - 2 * inset, 80 - 2 * inset, std::max(1.0, 6 - inset / 2));
            break;
        case 1:
            cairo_arc(cr, 50, 50, 40 - inset, 0, 2 * M_PI);
            break;
        case 2: {
            // Circumradius 80 / sqrt(3); moving each side in by `inset` takes 2 * inset from it.
            const double r = 80 / std::sqrt(3.0) - 2 * inset;
            for (int i = 0; i < 3; ++i) {
                const double a = -M_PI / 2 + i * 2 * M_PI / 3;
                const double x = 50 + r * std::cos(a), y = 50 + r * std::sin(a);
                if (i == 0)
                    cairo_move_to(cr, x, y);
                else
                    cairo_line_to(cr, x, y);
            }
            cairo_close_path(cr);
            break;
        }
        default:
            RoundedRect(cr, 10 + inset, 30 + inset, 80 - 2 * inset, 40 - 2 * inset, std::max(1.0, 5 - inset / 2));
            break;
    }
}

void Shape(cairo_t* cr, int type) {
    // Mitred, so that the outline of the inset path reaches the triangle's true corners.
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    // Face: white at the top, light grey below, a soft shade along the lower edge.
    ShapePath(cr, type, 1);
    VerticalGradient(cr, 10, Hex(0xFFFFFF), 90, Hex(0xCFCFCF));
    cairo_fill_preserve(cr);
    InnerShadow(cr, 6, -1, -3, 0.3, Hex(0x6A6A6A));
    SetColor(cr, Hex(0x505050));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // A bevel: a bright rim a little inside the outline, brightest towards the top left.
    ShapePath(cr, type, 5);
    {
        cairo_pattern_t* p = cairo_pattern_create_linear(10, 10, 90, 90);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.95);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.15);
        cairo_set_source(cr, p);
        cairo_pattern_destroy(p);
    }
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// Sliding-puzzle pictures: three opaque little paintings.
void Landscape(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 200, 200);
    VerticalGradient(cr, 0, Hex(0x7EC8F2), 120, Hex(0xDDF3FF));
    cairo_fill(cr);
    cairo_arc(cr, 150, 48, 24, 0, 2 * M_PI);
    RadialGradient(cr, 150, 48, 40, Hex(0xFFF6B0), palette::kSun);
    cairo_fill(cr);
    cairo_move_to(cr, 0, 130);
    cairo_curve_to(cr, 50, 80, 90, 90, 130, 120);
    cairo_curve_to(cr, 160, 100, 185, 95, 200, 110);
    cairo_line_to(cr, 200, 200);
    cairo_line_to(cr, 0, 200);
    cairo_close_path(cr);
    VerticalGradient(cr, 90, Hex(0x8FD46F), 200, Hex(0x3E8E3A));
    cairo_fill(cr);
    cairo_move_to(cr, 0, 170);
    cairo_curve_to(cr, 60, 140, 140, 150, 200, 165);
    cairo_line_to(cr, 200, 200);
    cairo_line_to(cr, 0, 200);
    cairo_close_path(cr);
    SetColor(cr, Hex(0x2F7A33));
    cairo_fill(cr);
    // A tree and a house.
    cairo_rectangle(cr, 44, 112, 8, 30);
    SetColor(cr, Hex(0x7A4A22));
    cairo_fill(cr);
    cairo_arc(cr, 48, 102, 20, 0, 2 * M_PI);
    RadialGradient(cr, 42, 95, 24, Hex(0x9BE07A), Hex(0x2E7D32));
    FillAndOutline(cr, 1.5);
    cairo_new_path(cr);
    cairo_rectangle(cr, 112, 118, 40, 30);
    SetColor(cr, Hex(0xFFF1D6));
    FillAndOutline(cr, 1.5);
    cairo_new_path(cr);
    cairo_move_to(cr, 106, 120);
    cairo_line_to(cr, 132, 98);
    cairo_line_to(cr, 158, 120);
    cairo_close_path(cr);
    SetColor(cr, palette::kBerry);
    FillAndOutline(cr, 1.5);
    cairo_new_path(cr);
    cairo_rectangle(cr, 126, 130, 11, 18);
    SetColor(cr, Hex(0x8A531E));
    cairo_fill(cr);
    // Details everywhere, so that every tile of the cut picture is told apart: a path,
    // flowers in the grass, birds and clouds in the sky.
    cairo_new_path(cr);
    cairo_move_to(cr, 126, 148);
    cairo_curve_to(cr, 120, 165, 80, 175, 70, 200);
    cairo_line_to(cr, 100, 200);
    cairo_curve_to(cr, 110, 178, 136, 165, 137, 148);
    cairo_close_path(cr);
    SetColor(cr, Hex(0xE8D2A0));
    cairo_fill(cr);
    Random rnd(21);
    const Rgb petals[] = {palette::kBerry, palette::kSun, palette::kWhite, palette::kPlum};
    for (int i = 0; i < 40; ++i) {
        double x = rnd.Range(4, 196), y = rnd.Range(150, 196);
        cairo_new_path(cr);
        cairo_arc(cr, x, y, 2.2, 0, 2 * M_PI);
        SetColor(cr, petals[i % 4]);
        cairo_fill(cr);
    }
    for (int i = 0; i < 3; ++i) {
        double x = 70 + i * 22, y = 60 + (i % 2) * 10;
        cairo_new_path(cr);
        cairo_move_to(cr, x - 6, y - 2);
        cairo_curve_to(cr, x - 3, y - 5, x - 1, y - 4, x, y);
        cairo_curve_to(cr, x + 1, y - 4, x + 3, y - 5, x + 6, y - 2);
        SetColor(cr, palette::kInk);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4;
        cairo_move_to(cr, 150 + 30 * std::cos(a), 48 + 30 * std::sin(a));
        cairo_line_to(cr, 150 + 40 * std::cos(a), 48 + 40 * std::sin(a));
    }
    SetColor(cr, palette::kSun, 0.8);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    for (int i = 0; i < 2; ++i) {
        double x = 30 + i * 60, y = 34 + i * 12;
        cairo_new_path(cr);
        cairo_arc(cr, x, y, 11, 0, 2 * M_PI);
        cairo_arc(cr, x + 14, y - 5, 13, 0, 2 * M_PI);
        cairo_arc(cr, x + 28, y, 10, 0, 2 * M_PI);
        SetColor(cr, palette::kWhite, 0.9);
        cairo_fill(cr);
    }
}

void StillLife(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 200, 200);
    RadialGradient(cr, 100, 80, 170, palette::kDusk, palette::kNight);
    cairo_fill(cr);
    DrawBokeh(cr, 200, 200, 9, 30);
    DrawClock(cr, 62, 62, 46, 2, 50, palette::kBerry);
    DrawPuzzlePiece(cr, 140, 70, 56, 0.2, palette::kSun, {1, -1, 1, 1});
    DrawCardFront(cr, 60, 145, 54, 76, -0.2, palette::kPlum, 0);
    DrawCoin(cr, 140, 150, 30, palette::kGold);
    DrawCoin(cr, 175, 178, 18, palette::kSilver);
}

void Symbols(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 200, 200);
    VerticalGradient(cr, 0, Hex(0xFFF3D6), 200, Hex(0xFFD9A6));
    cairo_fill(cr);
    const Rgb colors[] = {palette::kBerry, palette::kSky, palette::kLeaf, palette::kPlum, palette::kSun,
                          palette::kTeal, palette::kBerry, palette::kSky, palette::kLeaf};
    for (int i = 0; i < 9; ++i) {
        double cx = 36 + (i % 3) * 64, cy = 36 + (i / 3) * 64;
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, 28, 0, 2 * M_PI);
        SetColor(cr, palette::kWhite, 0.55);
        cairo_fill(cr);
        DrawSymbol(cr, i, cx, cy, 22, colors[i], 1.5);
    }
}

void Misc1(cairo_t* cr) {
    for (int f = 0; f <= 9; ++f) InRegion(cr, 450 - 50 * f, 0, 50, 50, [&] { Pointer(cr, f / 9.0); });
    InRegion(cr, 500, 0, 50, 50, [&] {
        cairo_rectangle(cr, 0, 0, 50, 50);
        SetColor(cr, palette::kWhite);
        cairo_fill(cr);
    });
    InRegion(cr, 550, 0, 50, 50, [&] { Field(cr); });
    InRegion(cr, 605, 5, 40, 40, [&] { Peg(cr); });
    InRegion(cr, 650, 0, 50, 50, [&] { ReflectedMarker(cr); });
    InRegion(cr, 700, 0, 50, 50, [&] { AbsorbedMarker(cr); });
    InRegion(cr, 750, 0, 50, 50, [&] { WarningMarker(cr); });
    InRegion(cr, 800, 0, 84, 100, [&] { BalanceStand(cr); });
    for (int type = 0; type < 4; ++type) InRegion(cr, 200 * type, 150, 100, 100, [&] { Shape(cr, type); });
    InRegion(cr, 500, 320, 200, 40, [&] { BalanceBeam(cr); });
    InRegion(cr, 0, 450, 50, 50, [&] { DrawAnswerTick(cr); });
    InRegion(cr, 50, 450, 50, 50, [&] { DrawOperatorField(cr); });
    InRegion(cr, 100, 450, 50, 50, [&] { DrawNumberField(cr); });
    InRegion(cr, 300, 385, 180, 58, [&] { BalancePan(cr); });
    InRegion(cr, 0, 500, 200, 200, [&] { Landscape(cr); });
    InRegion(cr, 200, 500, 200, 200, [&] { StillLife(cr); });
    InRegion(cr, 400, 500, 200, 200, [&] { Symbols(cr); });
    InRegion(cr, 600, 400, 200, 100, [&] { DrawDigitalDisplay(cr); });
    InRegion(cr, 600, 500, 200, 200, [&] { DrawClockDial(cr); });
    InRegion(cr, 800, 300, 200, 200, [&] { DrawHourHand(cr); });
    InRegion(cr, 800, 500, 200, 200, [&] { DrawMinuteHand(cr); });
}
}  // namespace

bool DrawMisc1Sheet(const std::string& dir) { return DrawSheet(dir, "misc1.PNG", 1000, 700, Misc1); }

}  // namespace art
