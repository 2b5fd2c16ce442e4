#include "widgets.h"

#include <cmath>

namespace art {
namespace {
constexpr double kRim = 9;          // width of the caramel rim

void HeaderRibbon(cairo_t* cr, double w) {
    // The band spans y 12..62 around the title (y 20..60); tails and shadow end above y 72,
    // where the first buttons of the small pages begin.
    const double bw = std::min(w * 0.78, w - 90), bx = (w - bw) / 2, by = 12, bh = 50;
    const Rgb face = Hex(0xFFE08A), tail = Hex(0xE9A94A);
    // The two tails behind the band, folded down at the ends.
    for (int side = -1; side <= 1; side += 2) {
        double ex = side < 0 ? bx : bx + bw;
        double outer = ex + side * 30, inner = ex - side * 14;
        cairo_new_path(cr);
        cairo_move_to(cr, inner, by + 8);
        cairo_line_to(cr, outer, by + 8);
        cairo_line_to(cr, outer - side * 10, by + 8 + (bh - 2) / 2);
        cairo_line_to(cr, outer, by + bh + 5);
        cairo_line_to(cr, inner, by + bh + 5);
        cairo_close_path(cr);
        SoftShadow(cr, 4, 0, 2, 0.3);
        VerticalGradient(cr, by, Lighter(tail, 0.2), by + bh + 5, Darker(tail, 0.1));
        FillAndOutline(cr, 2, palette::kPanelEdgeDark);
        cairo_new_path(cr);
    }
    cairo_new_path(cr);
    RoundedRect(cr, bx, by, bw, bh, 12);
    SoftShadow(cr, 5, 0, 3, 0.35);
    VerticalGradient(cr, by, Lighter(face, 0.55), by + bh, face);
    cairo_fill_preserve(cr);
    InnerShadow(cr, 4, 0, -2, 0.25, palette::kPanelEdge);
    SetColor(cr, palette::kPanelEdgeDark);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    // A stitched seam along the band.
    RoundedRect(cr, bx + 5, by + 5, bw - 10, bh - 10, 8);
    double dash[] = {5, 4};
    cairo_set_dash(cr, dash, 2, 0);
    SetColor(cr, palette::kPanelEdge, 0.55);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

// A faint dotted grid on the paper, like squared paper for puzzles.
void PaperDots(cairo_t* cr, double x, double y, double w, double h) {
    SetColor(cr, palette::kPanelEdge, 0.09);
    for (double py = y + 12; py < y + h; py += 16)
        for (double px = x + 12; px < x + w; px += 16) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, px, py, 1.1, 0, 2 * M_PI);
        }
    cairo_fill(cr);
}

struct Tone {
    Rgb top, bottom, rim, lip;
};
Tone ToneOf(ButtonTone t, bool hover) {
    switch (t) {
        case ButtonTone::kRose:
            return hover ? Tone{Hex(0xFFFFFF), Hex(0xFFD3D6), Hex(0xF06A7A), Hex(0xC2404F)}
                         : Tone{Hex(0xFFF6F6), Hex(0xF7AEB5), Hex(0xC2404F), Hex(0x98303D)};
        case ButtonTone::kLeaf:
            return hover ? Tone{Hex(0xFFFFFF), Hex(0xD9F5C8), Hex(0x6FCB63), Hex(0x3F8F3A)}
                         : Tone{Hex(0xF6FFF0), Hex(0xB5E6A0), Hex(0x4E9E45), Hex(0x336F2F)};
        default:
            return hover ? Tone{Hex(0xFFFFFF), Hex(0xFFEFB8), palette::kGlow, Hex(0xC7702A)}
                         : Tone{Hex(0xFFFCF2), Hex(0xFFD88A), palette::kPanelEdge,
                                palette::kPanelEdgeDark};
    }
}

// The shared body of all buttons: a lip below, the face above, outline, shine, hover glow.
void ButtonBody(cairo_t* cr, const std::function<void()>& shape, double faceTop, double faceBottom,
                double lip, bool hover, Tone tone) {
    // Lip (the button's side seen from the front) with the shadow under it.
    cairo_save(cr);
    cairo_translate(cr, 0, lip);
    cairo_new_path(cr);
    shape();
    cairo_restore(cr);
    SoftShadow(cr, 2, 0, 1, 0.45);
    SetColor(cr, tone.lip);
    FillAndOutline(cr, 1.6);
    cairo_new_path(cr);
    // Face.
    shape();
    if (hover) SoftShadow(cr, 3, 0, 0, 1.0, palette::kGlow);
    VerticalGradient(cr, faceTop, tone.top, faceBottom, tone.bottom);
    cairo_fill_preserve(cr);
    InnerShadow(cr, 3, 0, -2.5, 0.35, tone.rim);
    if (hover) InnerShadow(cr, 7, 0, 0, 0.5, tone.rim);
    SetColor(cr, tone.rim);
    cairo_set_line_width(cr, hover ? 3.2 : 2.4);
    cairo_stroke_preserve(cr);
    SetColor(cr, palette::kInk, 0.85);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}
}  // namespace

void DrawPanel(cairo_t* cr, double w, double h, bool header, double margin) {
    const double m = margin;
    const double x = m, y = m - 3, pw = w - 2 * m, ph = h - 2 * m;
    cairo_save(cr);
    // Rim.
    cairo_new_path(cr);
    RoundedRect(cr, x, y, pw, ph, 26);
    // The shadow fades out inside the margin: a cut shadow would show the region's edge.
    SoftShadow(cr, std::min(8.0, m), 0, std::min(3.0, m * 0.35), 0.55);
    VerticalGradient(cr, y, Hex(0xE8A95E), y + ph, Hex(0xB46C27));
    cairo_fill_preserve(cr);
    InnerShadow(cr, 3, 0, 2, 0.45, palette::kWhite);
    SetColor(cr, palette::kPanelEdgeDark);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    // Paper face.
    const double fx = x + kRim, fy = y + kRim, fw = pw - 2 * kRim, fh = ph - 2 * kRim;
    RoundedRect(cr, fx, fy, fw, fh, 18);
    VerticalGradient(cr, fy, palette::kPaper, fy + fh, palette::kPaperShade);
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    PaperDots(cr, fx, fy, fw, fh);
    // A warm light from the top left.
    cairo_new_path(cr);
    cairo_rectangle(cr, fx, fy, fw, fh);
    RadialGradient(cr, fx + fw * 0.25, fy, std::max(fw, fh) * 0.8, palette::kWhite, palette::kWhite,
                   0.45, 0.0);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    RoundedRect(cr, fx, fy, fw, fh, 18);
    InnerShadow(cr, 8, 0, 3, 0.4, palette::kPanelEdgeDark);
    SetColor(cr, palette::kPanelEdgeDark, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Rivets in the rim corners.
    for (int i = 0; i < 4; ++i) {
        double rx = i % 2 ? x + pw - 13 : x + 13, ry = i / 2 ? y + ph - 13 : y + 13;
        cairo_new_path(cr);
        cairo_arc(cr, rx, ry, 3.2, 0, 2 * M_PI);
        RadialGradient(cr, rx - 1, ry - 1, 4, Hex(0xFFF4D6), palette::kPanelEdgeDark);
        cairo_fill(cr);
    }
    if (header) HeaderRibbon(cr, w);
    cairo_restore(cr);
    cairo_new_path(cr);
}

void DrawButton(cairo_t* cr, double w, double h, bool hover, ButtonTone toneKind) {
    // The face leaves 3 px at the sides (room for the glow) and gives labels the full width.
    const double top = 4, bottom = h - 8, lip = 4, side = 3;
    const double r = std::min(14.0, (bottom - top) / 2);
    Tone tone = ToneOf(toneKind, hover);
    cairo_save(cr);
    auto shape = [&] { RoundedRect(cr, side, top, w - 2 * side, bottom - top, r); };
    ButtonBody(cr, shape, top, bottom, lip, hover, tone);
    // Shine: a soft band across the upper half of the face.
    cairo_new_path(cr);
    RoundedRect(cr, side + 6, top + 3, w - 2 * side - 12, (bottom - top) * 0.42, r * 0.7);
    {
        cairo_pattern_t* p = cairo_pattern_create_linear(0, top + 3, 0, top + (bottom - top) * 0.45);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, hover ? 0.9 : 0.75);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.0);
        cairo_set_source(cr, p);
        cairo_pattern_destroy(p);
    }
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
}

double DrawRoundButton(cairo_t* cr, double size, bool hover) {
    const double cx = size / 2, r = size / 2 - 5, cy = r + 4;
    Tone tone = ToneOf(ButtonTone::kHoney, hover);
    cairo_save(cr);
    auto shape = [&] {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        cairo_close_path(cr);
    };
    ButtonBody(cr, shape, cy - r, cy + r, 3, hover, tone);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy - r * 0.35, r * 0.62, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    {
        cairo_pattern_t* p = cairo_pattern_create_linear(0, cy - r, 0, cy);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, hover ? 0.9 : 0.7);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.0);
        cairo_set_source(cr, p);
        cairo_pattern_destroy(p);
    }
    cairo_fill(cr);
    cairo_restore(cr);
    return cy;
}

void DrawWell(cairo_t* cr, double x, double y, double w, double h, double radius) {
    cairo_save(cr);
    cairo_new_path(cr);
    RoundedRect(cr, x, y, w, h, radius);
    VerticalGradient(cr, y, Hex(0xEFDDBA), y + h, Hex(0xF6E8CC));
    cairo_fill_preserve(cr);
    InnerShadow(cr, 8, 0, 3, 0.4, palette::kPanelEdgeDark);
    SetColor(cr, palette::kWhite, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_save(cr);
    cairo_translate(cr, 0, 1);
    cairo_new_path(cr);
    RoundedRect(cr, x, y, w, h, radius);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    RoundedRect(cr, x, y, w, h, radius);
    SetColor(cr, palette::kPanelEdge, 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
}

}  // namespace art
