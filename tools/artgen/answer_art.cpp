#include "answer_art.h"

#include <cmath>
#include <string>

#include "motifs.h"
#include "paint.h"

namespace art {
namespace {
// The slate blue of the number fields: dark enough that the light red of a wrong answer
// still shows on it, light enough for black digits.
constexpr Rgb kSlateTop = Hex(0xB9C9D9);
constexpr Rgb kSlateBottom = Hex(0xD7E1EB);
constexpr Rgb kSlateEdge = Hex(0x3F5468);

constexpr double kDialCentre = 100;
constexpr double kDialRadius = 88;   // rim outside; shadow ends 4 px inside the region
constexpr double kFaceRadius = 76;

// A hand pointing up from (100, 100): a tapered blade of the given length and width with a
// short tail, a lighter spine and a round boss over the pivot.
void Hand(cairo_t* cr, double length, double width, double tail, Rgb boss, double bossRadius) {
    const double c = kDialCentre;
    cairo_new_path(cr);
    cairo_move_to(cr, c - width * 0.36, c + tail);
    cairo_line_to(cr, c - width * 0.5, c);
    cairo_line_to(cr, c - width * 0.3, c - length + width * 0.9);
    cairo_line_to(cr, c, c - length);
    cairo_line_to(cr, c + width * 0.3, c - length + width * 0.9);
    cairo_line_to(cr, c + width * 0.5, c);
    cairo_line_to(cr, c + width * 0.36, c + tail);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SoftShadow(cr, 2.5, 1.5, 2.5, 0.35, Hex(0x000000));
    VerticalGradient(cr, c - length, Hex(0x3A3148), c + tail, palette::kInk);
    FillAndOutline(cr, 1.0, Hex(0x14101C));
    // The spine catches the light.
    cairo_new_path(cr);
    cairo_move_to(cr, c - width * 0.08, c - 4);
    cairo_line_to(cr, c - width * 0.08, c - length + width * 1.4);
    SetColor(cr, palette::kWhite, 0.35);
    cairo_set_line_width(cr, std::max(1.0, width * 0.14));
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, c, c, bossRadius, 0, 2 * M_PI);
    RadialGradient(cr, c - bossRadius * 0.3, c - bossRadius * 0.4, bossRadius * 1.3, Lighter(boss, 0.45), boss);
    FillAndOutline(cr, 1.0, Hex(0x14101C));
    cairo_new_path(cr);
}
}  // namespace

void DrawNumberField(cairo_t* cr) {
    // A sunken slate plate, 2 px clear all round; the shading runs only from top to bottom and
    // the middle columns (10..40) are all alike, so that it stretches sideways.
    cairo_new_path(cr);
    RoundedRect(cr, 3, 3, 44, 44, 6);
    VerticalGradient(cr, 3, kSlateTop, 47, kSlateBottom);
    cairo_fill_preserve(cr);
    InnerShadow(cr, 3, 0, 2.5, 0.45, Hex(0x22303E));
    SetColor(cr, kSlateEdge);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    // A light lip along the lower edge.
    cairo_move_to(cr, 8, 45.6);
    cairo_line_to(cr, 42, 45.6);
    SetColor(cr, palette::kWhite, 0.55);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void DrawOperatorField(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_arc(cr, 25, 24, 19.5, 0, 2 * M_PI);
    SoftShadow(cr, 2, 0, 1, 0.4);
    VerticalGradient(cr, 4, Hex(0xE9F5FE), 44, Hex(0xA9D4F2));
    cairo_fill_preserve(cr);
    InnerShadow(cr, 3, 0, -2, 0.3, Hex(0x2F6E9E));
    SetColor(cr, Hex(0x2F6E9E));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void DrawAnswerTick(cairo_t* cr) { DrawTick(cr, 3, 3, 44); }

void DrawClockDial(cairo_t* cr) {
    const double c = kDialCentre, r = kDialRadius, f = kFaceRadius;
    // Rim: a sky-blue ring with a bevel and a soft shadow down and to the right.
    cairo_new_path(cr);
    cairo_arc(cr, c, c, r, 0, 2 * M_PI);
    SoftShadow(cr, 4, 1, 3, 0.4);
    VerticalGradient(cr, c - r, Lighter(palette::kSky, 0.4), c + r, Darker(palette::kSky, 0.3));
    cairo_fill_preserve(cr);
    SetColor(cr, Darker(palette::kSky, 0.6));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, c, c, r - 4, M_PI * 1.1, M_PI * 1.65);
    SetColor(cr, palette::kWhite, 0.45);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    // Face.
    cairo_arc(cr, c, c, f, 0, 2 * M_PI);
    RadialGradient(cr, c - f * 0.3, c - f * 0.35, f * 1.5, palette::kWhite, Hex(0xEDE7DC));
    cairo_fill_preserve(cr);
    InnerShadow(cr, 5, 0, 3, 0.45);
    cairo_new_path(cr);
    cairo_arc(cr, c, c, f, 0, 2 * M_PI);
    SetColor(cr, Darker(palette::kSky, 0.55));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Sixty minute marks, every one clear; the hours longer and bolder, the quarters boldest.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 60; ++i) {
        const double a = i * M_PI / 30;
        const bool hour = i % 5 == 0, quarter = i % 15 == 0;
        const double r0 = hour ? f - 13 : f - 8, r1 = f - 3.5;
        cairo_move_to(cr, c + r0 * std::sin(a), c - r0 * std::cos(a));
        cairo_line_to(cr, c + r1 * std::sin(a), c - r1 * std::cos(a));
        SetColor(cr, palette::kInk);
        cairo_set_line_width(cr, quarter ? 4.0 : hour ? 3.0 : 1.8);
        cairo_stroke(cr);
    }
    // Numerals inside the marks; the "am"/"pm" label lies below the dial, out of the hands' way.
    SelectFont(cr, Face::kSans, 15);
    for (int h = 1; h <= 12; ++h) {
        const std::string t = std::to_string(h);
        const double a = h * M_PI / 6;
        cairo_text_extents_t e;
        cairo_text_extents(cr, t.c_str(), &e);
        const double tx = c + (f - 24) * std::sin(a), ty = c - (f - 24) * std::cos(a);
        cairo_move_to(cr, tx - e.x_bearing - e.width / 2, ty - e.y_bearing - e.height / 2);
        SetColor(cr, palette::kInk);
        cairo_show_text(cr, t.c_str());
    }
    cairo_new_path(cr);
}

void DrawHourHand(cairo_t* cr) { Hand(cr, 44, 12, 12, palette::kInk, 5.5); }

void DrawMinuteHand(cairo_t* cr) { Hand(cr, 69, 8, 14, palette::kBerry, 6); }

void DrawDigitalDisplay(cairo_t* cr) {
    cairo_new_path(cr);
    RoundedRect(cr, 10, 8, 180, 80, 15);
    SoftShadow(cr, 3, 0, 2, 0.45);
    VerticalGradient(cr, 8, Hex(0x5C6B7A), 88, Hex(0x27313B));
    FillAndOutline(cr, 2);
    cairo_new_path(cr);
    RoundedRect(cr, 20, 18, 160, 60, 8);
    VerticalGradient(cr, 18, Hex(0xD9F2C8), 78, Hex(0xB4D99C));
    cairo_fill_preserve(cr);
    InnerShadow(cr, 5, 0, 3, 0.55, Hex(0x1E3A14));
    SetColor(cr, Hex(0x1E2A1A));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    RoundedRect(cr, 26, 22, 148, 15, 6);
    SetColor(cr, palette::kWhite, 0.25);
    cairo_fill(cr);
}

}  // namespace art
