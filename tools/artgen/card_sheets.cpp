// The card game's sheets: misc2 (card face, which is also the shadow's shape, the three card
// backs, the result veil and the box-game illustration), the sixteen card pictures of
// Memory_Muster and the two small MemoryCards images.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "paint.h"
#include "sheets.h"
#include "widgets.h"

namespace art {
namespace {

constexpr double kPi = 3.14159265358979323846;

// ---- local paint helpers ------------------------------------------------------------------------


// Fills the current path with a top-lit gradient of `base` (kept for a following stroke).
void GradientFill(cairo_t* cr, Rgb base) {
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y1, 0, y2);
    const Rgb top = Lighter(base, 0.30), bottom = Darker(base, 0.12);
    cairo_pattern_add_color_stop_rgb(g, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 0.55, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(g, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
}

void Outline(cairo_t* cr, double width = 2.0) {
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// The usual way to paint a shape: gradient fill, ink outline.
void Shape(cairo_t* cr, Rgb base, double line = 2.0) {
    GradientFill(cr, base);
    Outline(cr, line);
}

// A soft white gleam (an ellipse) on a shiny surface.
void Gleam(cairo_t* cr, double x, double y, double rx, double ry, double angle, double alpha = 0.55) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, alpha);
    cairo_fill(cr);
}

void Circle(cairo_t* cr, double x, double y, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
}

void Ellipse(cairo_t* cr, double x, double y, double rx, double ry, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

// A union of parts with one outline around all of them: every part stroked wide in ink, then
// all filled on top.
void Union(cairo_t* cr, const std::function<void()>& path, Rgb base, double line = 2.0) {
    path();
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, 2 * line);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    path();
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    GradientFill(cr, base);
    cairo_new_path(cr);
}

// A thick line with an ink edge (for anchors, stems and handles).
void InkedLine(cairo_t* cr, const std::function<void()>& path, Rgb color, double width) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    path();
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, width + 3.0);
    cairo_stroke(cr);
    path();
    SetColor(cr, color);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// The key colour 0xFF00FF64 turns transparent when loaded; no pixel of ours may have it.
void AvoidKeyColour(cairo_surface_t* s) {
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < cairo_image_surface_get_width(s); ++x) {
            if (row[x] == 0xFF00FF64u) row[x] = 0xFF00FF65u;
        }
    }
    cairo_surface_mark_dirty(s);
}

// ---- the cards ------------------------------------------------------------------------------------
// Each card is drawn in its own 100 x 100 region with the origin at the region's top-left.

// Every card (face and backs) has this outline, so the face's alpha is the shadow of all of them.
void CardOutline(cairo_t* cr) { RoundedRect(cr, 2, 2, 96, 96, 12); }

// The white card body with its ink rim; the rim lies inside the outline, so it adds no alpha.
void CardBody(cairo_t* cr) {
    CardOutline(cr);
    VerticalGradient(cr, 2, palette::kWhite, 98, Hex(0xEFEAE0));
    cairo_fill(cr);
    RoundedRect(cr, 2.75, 2.75, 94.5, 94.5, 11.25);
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void CardFace(cairo_t* cr) {
    CardBody(cr);
    // a faint frame inside, with room for the picture (65 % of the card, centred)
    RoundedRect(cr, 8.5, 8.5, 83, 83, 7);
    SetColor(cr, Hex(0xE4DACA));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // the soft shine on the upper half
    RoundedRect(cr, 6, 5, 88, 40, 9);
    cairo_pattern_t* shine = cairo_pattern_create_linear(0, 5, 0, 45);
    cairo_pattern_add_color_stop_rgba(shine, 0, 1, 1, 1, 0.5);
    cairo_pattern_add_color_stop_rgba(shine, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, shine);
    cairo_fill(cr);
    cairo_pattern_destroy(shine);
}

// The patterns of the three backs (white under alpha), painted inside the back's panel.
void BackLattice(cairo_t* cr) {
    SetColor(cr, palette::kWhite, 0.28);
    cairo_set_line_width(cr, 2.0);
    for (double d = -100; d <= 100; d += 13) {
        cairo_move_to(cr, d, 0);
        cairo_line_to(cr, d + 100, 100);
        cairo_move_to(cr, d + 100, 0);
        cairo_line_to(cr, d, 100);
    }
    cairo_stroke(cr);
}

void BackDots(cairo_t* cr) {
    SetColor(cr, palette::kWhite, 0.32);
    for (int r = 0; r < 12; ++r) {
        for (int c = 0; c < 12; ++c) Circle(cr, 4 + c * 9 + (r % 2) * 4.5, 4 + r * 9, 2.2);
    }
    cairo_fill(cr);
}

void BackRays(cairo_t* cr) {
    SetColor(cr, palette::kWhite, 0.22);
    for (int k = 0; k < 16; ++k) {
        const double a = k * 2 * kPi / 16, w = kPi / 16;
        cairo_move_to(cr, 50, 50);
        cairo_line_to(cr, 50 + 90 * std::cos(a - w / 2), 50 + 90 * std::sin(a - w / 2));
        cairo_line_to(cr, 50 + 90 * std::cos(a + w / 2), 50 + 90 * std::sin(a + w / 2));
        cairo_close_path(cr);
    }
    cairo_fill(cr);
}

// The emblem in the middle of a back: a paper medallion with a small sign in the back's colour.
void BackEmblem(cairo_t* cr, Rgb base, int design) {
    const double cx = 50, cy = 50;
    Circle(cr, cx, cy, 15);
    SoftShadow(cr, 4, 0.5, 1.5, 0.35);
    VerticalGradient(cr, cy - 15, palette::kPaper, cy + 15, palette::kPaperShade);
    FillAndOutline(cr, 1.5);
    cairo_new_path(cr);
    SetColor(cr, base);
    if (design == 0) {  // a four-pointed star
        cairo_move_to(cr, cx, cy - 10);
        cairo_line_to(cr, cx + 3, cy - 3);
        cairo_line_to(cr, cx + 10, cy);
        cairo_line_to(cr, cx + 3, cy + 3);
        cairo_line_to(cr, cx, cy + 10);
        cairo_line_to(cr, cx - 3, cy + 3);
        cairo_line_to(cr, cx - 10, cy);
        cairo_line_to(cr, cx - 3, cy - 3);
        cairo_close_path(cr);
        cairo_fill(cr);
    } else if (design == 1) {  // a clover of four dots
        for (int k = 0; k < 4; ++k) Circle(cr, cx + 5 * std::cos(k * kPi / 2), cy + 5 * std::sin(k * kPi / 2), 4.2);
        cairo_fill(cr);
    } else {  // a ring around a dot
        Circle(cr, cx, cy, 8);
        cairo_set_line_width(cr, 3.5);
        cairo_stroke(cr);
        Circle(cr, cx, cy, 2.5);
        cairo_fill(cr);
    }
}

void CardBack(cairo_t* cr, int design) {
    const Rgb kColours[3] = {palette::kPlum, palette::kSky, palette::kBerry};
    const Rgb base = kColours[design];
    CardBody(cr);
    // the coloured panel with its pattern
    RoundedRect(cr, 9, 9, 82, 82, 7);
    VerticalGradient(cr, 9, Lighter(base, 0.15), 91, Darker(base, 0.15));
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    if (design == 0) BackLattice(cr);
    if (design == 1) BackDots(cr);
    if (design == 2) BackRays(cr);
    cairo_restore(cr);
    RoundedRect(cr, 9, 9, 82, 82, 7);
    InnerShadow(cr, 4, 0, 2, 0.4);
    SetColor(cr, Darker(base, 0.35));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    BackEmblem(cr, base, design);
}

// A sketch of the box game for its help page: the 8 x 8 box, three atoms, one probe absorbed,
// one deflected by 90 degrees and one reflected at its entry.
void BoxIllustration(cairo_t* cr) {
    DrawPanel(cr, 300, 340, false, 6);
    const double cell = 28, gx = 38, gy = 64;
    auto centre = [&](double cx, double cy) { return std::pair<double, double>{gx + (cx + 0.5) * cell, gy + (cy + 0.5) * cell}; };
    cairo_rectangle(cr, gx, gy, 8 * cell, 8 * cell);
    SetColor(cr, palette::kPaperShade);
    cairo_fill_preserve(cr);
    InnerShadow(cr, 6, 0, 2, 0.3);
    cairo_new_path(cr);
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            RoundedRect(cr, gx + c * cell + 2, gy + r * cell + 2, cell - 4, cell - 4, 4);
            SetColor(cr, (r + c) % 2 ? Hex(0xF1E4CB) : palette::kPaper);
            cairo_fill(cr);
        }
    }
    cairo_rectangle(cr, gx, gy, 8 * cell, 8 * cell);
    SetColor(cr, palette::kPanelEdge);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // the probe places around the box
    for (int k = 0; k < 8; ++k) {
        for (auto [px, py] : {centre(k, -1), centre(k, 8), centre(-1, k), centre(8, k)}) {
            Circle(cr, px, py, 5);
            SetColor(cr, Lighter(palette::kPanelEdge, 0.45));
            cairo_fill(cr);
        }
    }
    auto ray = [&](std::vector<std::pair<double, double>> points, Rgb colour) {
        cairo_set_line_width(cr, 4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        SetColor(cr, colour);
        cairo_move_to(cr, points[0].first, points[0].second);
        for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, points[i].first, points[i].second);
        cairo_stroke(cr);
        Circle(cr, points[0].first, points[0].second, 7);
        FillAndOutline(cr, 1.5);
        cairo_new_path(cr);
    };
    // absorbed: straight into the atom at (2, 2)
    ray({centre(-1, 2), centre(1, 2)}, palette::kBerry);
    // deflected: down column 4, turned away from the atom at (5, 5), out on the left
    ray({centre(4, -1), centre(4, 4), centre(-1, 4)}, palette::kSky);
    Circle(cr, centre(-1, 4).first, centre(-1, 4).second, 7);
    SetColor(cr, palette::kSky);
    FillAndOutline(cr, 1.5);
    cairo_new_path(cr);
    // reflected at once: the atom at (7, 6) stands diagonally beside the entry on the right of
    // row 5, so the ray turns round before it enters
    {
        const auto [px, py] = centre(8, 5);
        const double inner = centre(7, 5).first + 3;
        cairo_set_line_width(cr, 4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        SetColor(cr, palette::kLeaf);
        cairo_move_to(cr, px, py - 5);
        cairo_line_to(cr, inner + 5, py - 5);
        cairo_arc_negative(cr, inner + 5, py, 5, 1.5 * M_PI, 0.5 * M_PI);
        cairo_line_to(cr, px, py + 5);
        cairo_stroke(cr);
        Circle(cr, px, py, 7);
        SetColor(cr, palette::kLeaf);
        FillAndOutline(cr, 1.5);
        cairo_new_path(cr);
    }
    for (auto [ax, ay] : {centre(2, 2), centre(5, 5), centre(7, 6)}) {
        Circle(cr, ax, ay, 11);
        RadialGradient(cr, ax - 4, ay - 4, 15, Hex(0x8C8AA0), palette::kInk);
        FillAndOutline(cr, 1.2);
        cairo_new_path(cr);
    }
}

bool DrawMisc2(const std::string& dir) {
    cairo_surface_t* s = NewSheet(1000, 760);
    cairo_t* cr = cairo_create(s);
    // (0,0)-(300,340): help picture of the box game, untinted at the help panel + (450, 100)
    InRegion(cr, 0, 0, 300, 340, [cr] { BoxIllustration(cr); });
    // (500,0)-(550,50): the result-page veil, stretched over the screen and tinted 0x7F000000
    InRegion(cr, 500, 0, 50, 50, [cr] {
        cairo_rectangle(cr, 0, 0, 50, 50);
        SetColor(cr, palette::kWhite);
        cairo_fill(cr);
    });
    // (0,500)-(100,600): the blank card face, also drawn tinted black at +(2,2) as the shadow
    InRegion(cr, 0, 500, 100, 100, [cr] { CardFace(cr); });
    // (100+100b,500)-(200+100b,600): the three card backs, same outline as the face
    for (int b = 0; b < 3; ++b) InRegion(cr, 100 + 100 * b, 500, 100, 100, [cr, b] { CardBack(cr, b); });
    // (50m,650)-(50m+50,700): the marks beside colour signals
    DrawCueMarks(cr, 650);
    // (510,700)-(570,760): the ring around the menu's focused button, cut in nine and stretched
    DrawFocusRing(cr, 510, 700);
    // (0,700)-(60,760): the keyboard cursor's ring, corners 20 x 20, side middles stretched
    InRegion(cr, 0, 700, 60, 60, [cr] { DrawKeyRing(cr); });
    cairo_destroy(cr);
    AvoidKeyColour(s);
    return SaveSheet(s, dir, "misc2.PNG");
}

// ---- the sixteen card pictures (65 x 65 each, drawn in cell coordinates) ----------------------------

constexpr double kC = 32.5;  // centre of a cell

void Sun(cairo_t* cr) {
    for (int k = 0; k < 12; ++k) {
        const double a = k * kPi / 6, w = 0.2;
        cairo_move_to(cr, kC + 16 * std::cos(a - w), kC + 16 * std::sin(a - w));
        cairo_line_to(cr, kC + 28 * std::cos(a), kC + 28 * std::sin(a));
        cairo_line_to(cr, kC + 16 * std::cos(a + w), kC + 16 * std::sin(a + w));
        cairo_close_path(cr);
    }
    Shape(cr, Hex(0xFFC21A), 1.6);
    Circle(cr, kC, kC, 16);
    Shape(cr, Hex(0xFFE02A));
    Gleam(cr, kC - 6, kC - 6, 5, 3, -0.7);
}

void Moon(cairo_t* cr) {
    // a crescent: the part of circle A outside circle B
    const double ax = 29, ay = 33, ar = 24, bx = 41, by = 25, br = 20;
    const double dx = bx - ax, dy = by - ay, d = std::hypot(dx, dy);
    const double along = (ar * ar - br * br + d * d) / (2 * d), h = std::sqrt(ar * ar - along * along);
    const double mx = ax + along * dx / d, my = ay + along * dy / d;
    const double p1x = mx + h * dy / d, p1y = my - h * dx / d, p2x = mx - h * dy / d, p2y = my + h * dx / d;
    const double a1 = std::atan2(p1y - ay, p1x - ax), a2 = std::atan2(p2y - ay, p2x - ax);
    const double b1 = std::atan2(p1y - by, p1x - bx), b2 = std::atan2(p2y - by, p2x - bx);
    cairo_new_path(cr);
    cairo_arc_negative(cr, ax, ay, ar, a1, a2);  // the outer rim, away from B
    cairo_arc(cr, bx, by, br, b2, b1);           // the inner edge, inside A
    cairo_close_path(cr);
    Shape(cr, Hex(0x4450CC));
    Gleam(cr, 15, 30, 2.5, 7, 0.25, 0.45);
}

void Star(cairo_t* cr) {
    for (int k = 0; k < 10; ++k) {
        const double a = -kPi / 2 + k * kPi / 5, r = k % 2 ? 11.5 : 27.5;
        const double x = kC + r * std::cos(a), y = 35 + r * std::sin(a);
        if (k == 0) cairo_move_to(cr, x, y); else cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    Shape(cr, Hex(0x9B3FD3));
    Gleam(cr, 27, 25, 3, 2, -0.6, 0.5);
}

void Heart(cairo_t* cr) {
    cairo_move_to(cr, kC, 57);
    cairo_curve_to(cr, 20, 47, 6, 37, 6, 23);
    cairo_curve_to(cr, 6, 13, 14, 7, 22, 7);
    cairo_curve_to(cr, 27.5, 7, 31, 10.5, kC, 14);
    cairo_curve_to(cr, 34, 10.5, 37.5, 7, 43, 7);
    cairo_curve_to(cr, 51, 7, 59, 13, 59, 23);
    cairo_curve_to(cr, 59, 37, 45, 47, kC, 57);
    cairo_close_path(cr);
    Shape(cr, Hex(0xE5223C));
    Gleam(cr, 17, 18, 5, 3, -0.8);
}

void Apple(cairo_t* cr) {
    InkedLine(cr, [cr] { cairo_move_to(cr, kC, 20); cairo_curve_to(cr, kC, 14, 34, 10, 37, 6); },
              Hex(0x7A4A21), 3);
    Ellipse(cr, 44, 12, 8, 4, -0.5);
    Shape(cr, Hex(0x2F8F3A), 1.6);
    cairo_move_to(cr, kC, 20);
    cairo_curve_to(cr, 27, 15, 9, 15, 8, 32);
    cairo_curve_to(cr, 7, 47, 19, 59, 27, 58);
    cairo_curve_to(cr, 30, 57.5, 35, 57.5, 38, 58);
    cairo_curve_to(cr, 46, 59, 58, 47, 57, 32);
    cairo_curve_to(cr, 56, 15, 38, 15, kC, 20);
    cairo_close_path(cr);
    Shape(cr, Hex(0x9BCB2E));
    Gleam(cr, 18, 30, 3.5, 6, 0.3);
}

void Fish(cairo_t* cr) {
    // the tail, then the body over it, fins, gill and eye
    cairo_move_to(cr, 43, kC);
    cairo_line_to(cr, 59, 19);
    cairo_curve_to(cr, 56, 28, 56, 37, 59, 46);
    cairo_close_path(cr);
    Shape(cr, Hex(0xFF6A13));
    cairo_move_to(cr, 20, 22);
    cairo_curve_to(cr, 24, 13, 34, 14, 36, 21);
    cairo_close_path(cr);
    Shape(cr, Hex(0xFF6A13), 1.6);
    Ellipse(cr, 27, kC, 21, 13.5, 0);
    Shape(cr, Hex(0xFF8A1F));
    cairo_move_to(cr, 19, 23);
    cairo_curve_to(cr, 23, 28, 23, 37, 19, 42);
    Outline(cr, 1.6);
    Circle(cr, 13, 29, 3.6);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill_preserve(cr);
    Outline(cr, 1.2);
    Circle(cr, 12.4, 29, 1.7);
    SetColor(cr, palette::kInk);
    cairo_fill(cr);
    Gleam(cr, 30, 25, 6, 2.5, 0.0, 0.4);
}

void House(cairo_t* cr) {
    cairo_rectangle(cr, 41, 11, 7, 14);  // chimney
    Shape(cr, Hex(0x9C3A2C), 1.6);
    cairo_rectangle(cr, 14, 30, 37, 27);  // walls
    Shape(cr, Hex(0xF2C27A));
    cairo_move_to(cr, 7, 33);
    cairo_line_to(cr, kC, 8);
    cairo_line_to(cr, 58, 33);
    cairo_close_path(cr);
    Shape(cr, Hex(0xD0412F));
    cairo_rectangle(cr, 30, 42, 10, 15);  // door
    Shape(cr, Hex(0x7A4A21), 1.6);
    cairo_rectangle(cr, 18, 37, 8, 8);  // window
    Shape(cr, Hex(0x7FC4F0), 1.6);
    cairo_move_to(cr, 22, 37);
    cairo_line_to(cr, 22, 45);
    cairo_move_to(cr, 18, 41);
    cairo_line_to(cr, 26, 41);
    Outline(cr, 1.0);
}

void Tree(cairo_t* cr) {
    cairo_move_to(cr, 28, 60);
    cairo_line_to(cr, 29, 38);
    cairo_line_to(cr, 36, 38);
    cairo_line_to(cr, 37, 60);
    cairo_close_path(cr);
    Shape(cr, Hex(0x8A5428));
    Union(cr, [cr] {
        Circle(cr, kC, 19, 14);
        Circle(cr, 20, 30, 12);
        Circle(cr, 45, 30, 12);
        Circle(cr, kC, 35, 12);
    }, Hex(0x17783A));
    Gleam(cr, 26, 14, 4, 2.5, -0.5, 0.4);
}

void Flower(cairo_t* cr) {
    InkedLine(cr, [cr] { cairo_move_to(cr, kC, 36); cairo_curve_to(cr, 31, 46, 34, 52, kC, 60); },
              Hex(0x3A9A3A), 3);
    Ellipse(cr, 41, 50, 7, 3.5, -0.6);
    Shape(cr, Hex(0x3A9A3A), 1.4);
    for (int k = 0; k < 6; ++k) {
        const double a = -kPi / 2 + k * kPi / 3;
        Ellipse(cr, kC + 11 * std::cos(a), 25 + 11 * std::sin(a), 9, 6.5, a);
        Shape(cr, Hex(0xFF4FA6), 1.6);
    }
    Circle(cr, kC, 25, 7);
    Shape(cr, Hex(0xFFD21F), 1.6);
}

void Bell(cairo_t* cr) {
    Circle(cr, kC, 8.5, 3.5);
    Outline(cr, 2.2);
    Circle(cr, kC, 53, 5);  // clapper
    Shape(cr, Hex(0x5E6B7A), 1.6);
    cairo_move_to(cr, kC, 11);
    cairo_curve_to(cr, 20, 11, 17, 21, 17, 31);
    cairo_curve_to(cr, 17, 40, 14, 44, 9, 48);
    cairo_line_to(cr, 56, 48);
    cairo_curve_to(cr, 51, 44, 48, 40, 48, 31);
    cairo_curve_to(cr, 48, 21, 45, 11, kC, 11);
    cairo_close_path(cr);
    Shape(cr, Hex(0xB9C6D4));
    RoundedRect(cr, 7, 46, 51, 6, 3);
    Shape(cr, Hex(0x97A6B6), 1.6);
    Gleam(cr, 25, 24, 2.5, 8, 0.15, 0.5);
}

void Key(cairo_t* cr) {
    Union(cr, [cr] {
        Circle(cr, 17, kC, 12);
        cairo_rectangle(cr, 26, 29, 33, 7);
        cairo_rectangle(cr, 46, 35, 5, 9);
        cairo_rectangle(cr, 54, 35, 5, 7);
    }, Hex(0x4E5561));
    Circle(cr, 15, kC, 4.5);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill_preserve(cr);
    cairo_restore(cr);
    Outline(cr, 2.0);
    Gleam(cr, 37, 31, 8, 1.2, 0.0, 0.6);
}

void Umbrella(cairo_t* cr) {
    InkedLine(cr, [cr] {
        cairo_move_to(cr, kC, 30);
        cairo_line_to(cr, kC, 52);
        cairo_arc(cr, 27.5, 52, 5, 0, kPi);
    }, Hex(0x5A3A22), 2.5);
    cairo_move_to(cr, 8, 31);
    cairo_arc(cr, kC, 31, 24.5, kPi, 2 * kPi);
    const double w = 49.0 / 3;
    for (int k = 2; k >= 0; --k) {  // scallops along the lower edge, right to left
        const double cx = 8 + w * (k + 0.5);
        cairo_arc_negative(cr, cx, 33, w / 2, 0, kPi);
    }
    cairo_close_path(cr);
    Shape(cr, Hex(0x12A5A0));
    cairo_move_to(cr, kC, 7);
    cairo_curve_to(cr, 27, 15, 26, 25, 24.3, 31);
    cairo_move_to(cr, kC, 7);
    cairo_curve_to(cr, 38, 15, 39, 25, 40.7, 31);
    Outline(cr, 1.2);
    InkedLine(cr, [cr] { cairo_move_to(cr, kC, 6.5); cairo_line_to(cr, kC, 5); }, Hex(0x5A3A22), 2);
    Gleam(cr, 18, 19, 2.5, 5, 0.6, 0.45);
}

void Anchor(cairo_t* cr) {
    const Rgb navy = Hex(0x24406E);
    InkedLine(cr, [cr] {
        cairo_new_sub_path(cr);
        cairo_arc(cr, kC, 11, 5, 0, 2 * kPi);
        cairo_move_to(cr, kC, 16);
        cairo_line_to(cr, kC, 55);
        cairo_move_to(cr, 21, 22);
        cairo_line_to(cr, 44, 22);
        cairo_new_sub_path(cr);
        cairo_arc(cr, kC, 36, 20, 0.35, kPi - 0.35);
    }, navy, 4);
    // the flukes at both ends of the arm
    for (int side : {-1, 1}) {
        const double ex = kC + side * 20 * std::cos(0.35), ey = 36 + 20 * std::sin(0.35);
        cairo_move_to(cr, ex + side * 5, ey + 4);
        cairo_line_to(cr, ex - side * 1, ey - 8);
        cairo_line_to(cr, ex - side * 6, ey + 1);
        cairo_close_path(cr);
        Shape(cr, navy, 1.6);
    }
}

void Cloud(cairo_t* cr) {
    Union(cr, [cr] {
        Circle(cr, 20, 37, 11);
        Circle(cr, 32, 28, 14);
        Circle(cr, 45, 35, 11);
        RoundedRect(cr, 10, 34, 45, 15, 7.5);
    }, Hex(0xD7E9FA));
    Gleam(cr, 27, 22, 6, 3, -0.3, 0.8);
}

void Leaf(cairo_t* cr) {
    InkedLine(cr, [cr] { cairo_move_to(cr, 13, 52); cairo_line_to(cr, 7, 59); }, Hex(0x2A7A3C), 2.5);
    cairo_move_to(cr, 13, 52);
    cairo_curve_to(cr, 9, 31, 29, 10, 57, 8);
    cairo_curve_to(cr, 56, 34, 36, 55, 13, 52);
    cairo_close_path(cr);
    Shape(cr, Hex(0x35B05A));
    cairo_move_to(cr, 13, 52);
    cairo_curve_to(cr, 25, 38, 38, 24, 52, 13);
    for (double t : {0.3, 0.5, 0.7}) {  // veins from the midrib
        const double x = 13 + (52 - 13) * t, y = 52 + (13 - 52) * t;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x - 4, y - 10);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 10, y + 4);
    }
    SetColor(cr, Darker(Hex(0x35B05A), 0.35));
    cairo_set_line_width(cr, 1.4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Drop(cairo_t* cr) {
    cairo_move_to(cr, kC, 5);
    cairo_curve_to(cr, 37, 16, 50, 28, 50, 40);
    cairo_arc(cr, kC, 40, 17.5, 0, kPi);
    cairo_curve_to(cr, 15, 28, 28, 16, kC, 5);
    cairo_close_path(cr);
    Shape(cr, Hex(0x2E8FEA));
    Gleam(cr, 25, 40, 3, 7, 0.3, 0.6);
}

using Picture = void (*)(cairo_t*);
constexpr double kPictureScale = 0.96;
constexpr Picture kPictures[16] = {Sun,  Moon,   Star, Heart,    Apple,  Fish,  House, Tree,
                                   Flower, Bell, Key,  Umbrella, Anchor, Cloud, Leaf,  Drop};

bool DrawPatterns(const std::string& dir) {
    cairo_surface_t* s = NewSheet(520, 130);
    cairo_t* cr = cairo_create(s);
    // (65·(k%8), 65·(k/8))-(+65,+65): picture k, scaled size/100 and centred on the card face
    for (int k = 0; k < 16; ++k) {
        InRegion(cr, (k % 8) * 65, (k / 8) * 65, 65, 65, [cr, k] {
            cairo_translate(cr, kC, kC);
            cairo_scale(cr, kPictureScale, kPictureScale);  // keeps a clear margin in every cell
            cairo_translate(cr, -kC, -kC);
            kPictures[k](cr);
        });
    }
    cairo_destroy(cr);
    AvoidKeyColour(s);
    return SaveSheet(s, dir, "Memory_Muster.PNG");
}

// Small images the program loads but never shows: a card back and a card face.
bool DrawSmallCard(const std::string& dir, const char* name, int design) {
    cairo_surface_t* s = NewSheet(100, 100);
    cairo_t* cr = cairo_create(s);
    if (design < 0) {
        CardFace(cr);
    } else {
        CardBack(cr, design);
    }
    cairo_destroy(cr);
    AvoidKeyColour(s);
    return SaveSheet(s, dir, name);
}

}  // namespace

bool DrawCardSheets(const std::string& dir) {
    bool ok = DrawMisc2(dir);
    ok &= DrawPatterns(dir);
    ok &= DrawSmallCard(dir, "MemoryCards1.png", 0);
    ok &= DrawSmallCard(dir, "MemoryCards2.png", -1);
    return ok;
}
}  // namespace art
