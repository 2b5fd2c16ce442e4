#include "motifs.h"

#include <cmath>
#include <vector>

namespace art {
namespace {
struct Pt {
    double x, y;
};

// One edge of a piece from p0 to p1; out is the outward unit normal; dir +1 knob, -1 hole.
void PieceEdge(cairo_t* cr, Pt p0, Pt p1, Pt out, double s, int dir) {
    auto at = [&](double u, double w) {
        return Pt{p0.x + u * (p1.x - p0.x) + w * s * out.x * dir,
                  p0.y + u * (p1.y - p0.y) + w * s * out.y * dir};
    };
    auto curve = [&](double u1, double w1, double u2, double w2, double u3, double w3) {
        Pt a = at(u1, w1), b = at(u2, w2), c = at(u3, w3);
        cairo_curve_to(cr, a.x, a.y, b.x, b.y, c.x, c.y);
    };
    if (dir == 0) {
        cairo_line_to(cr, p1.x, p1.y);
        return;
    }
    Pt a = at(0.36, 0);
    cairo_line_to(cr, a.x, a.y);
    curve(0.43, 0.0, 0.42, 0.07, 0.39, 0.12);
    curve(0.33, 0.22, 0.38, 0.32, 0.5, 0.32);
    curve(0.62, 0.32, 0.67, 0.22, 0.61, 0.12);
    curve(0.58, 0.07, 0.57, 0.0, 0.64, 0.0);
    cairo_line_to(cr, p1.x, p1.y);
}
}  // namespace

void PuzzlePiecePath(cairo_t* cr, double s, PieceSides sides) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, 0, 0);
    PieceEdge(cr, {0, 0}, {s, 0}, {0, -1}, s, sides.top);
    PieceEdge(cr, {s, 0}, {s, s}, {1, 0}, s, sides.right);
    PieceEdge(cr, {s, s}, {0, s}, {0, 1}, s, sides.bottom);
    PieceEdge(cr, {0, s}, {0, 0}, {-1, 0}, s, sides.left);
    cairo_close_path(cr);
}

void DrawPuzzlePiece(cairo_t* cr, double cx, double cy, double s, double angle, Rgb color,
                     PieceSides sides, double shadowAlpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_translate(cr, -s / 2, -s / 2);
    cairo_new_path(cr);
    PuzzlePiecePath(cr, s, sides);
    if (shadowAlpha > 0) SoftShadow(cr, s * 0.12, s * 0.03, s * 0.07, shadowAlpha);
    VerticalGradient(cr, -0.3 * s, Lighter(color, 0.35), 1.3 * s, Darker(color, 0.12));
    cairo_fill_preserve(cr);
    InnerShadow(cr, s * 0.08, -s * 0.03, -s * 0.05, 0.35, Darker(color, 0.5));
    InnerShadow(cr, s * 0.06, s * 0.03, s * 0.04, 0.55, palette::kWhite);
    SetColor(cr, Darker(color, 0.55));
    cairo_set_line_width(cr, std::max(1.5, s * 0.025));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawClock(cairo_t* cr, double cx, double cy, double r, double hours, double minutes, Rgb rim,
               bool numerals, bool hands, double shadowAlpha) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    if (shadowAlpha > 0) SoftShadow(cr, r * 0.12, r * 0.03, r * 0.07, shadowAlpha);
    // Rim: a coloured ring with a bevel.
    VerticalGradient(cr, cy - r, Lighter(rim, 0.35), cy + r, Darker(rim, 0.25));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetColor(cr, Darker(rim, 0.6));
    cairo_set_line_width(cr, std::max(1.5, r * 0.025));
    cairo_stroke(cr);
    const double face = r * 0.84;
    cairo_arc(cr, cx, cy, face, 0, 2 * M_PI);
    RadialGradient(cr, cx - face * 0.3, cy - face * 0.35, face * 1.5, palette::kWhite,
                   Hex(0xE9E4DA));
    cairo_fill_preserve(cr);
    InnerShadow(cr, r * 0.08, 0, r * 0.04, 0.45);
    cairo_new_path(cr);
    // Minute and hour marks.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 60; ++i) {
        double a = i * M_PI / 30;
        bool hour = i % 5 == 0;
        bool quarter = i % 15 == 0;
        double r0 = face * (quarter ? 0.76 : hour ? 0.8 : 0.9), r1 = face * 0.94;
        if (numerals && hour) r0 = face * 0.86;
        cairo_move_to(cr, cx + r0 * std::sin(a), cy - r0 * std::cos(a));
        cairo_line_to(cr, cx + r1 * std::sin(a), cy - r1 * std::cos(a));
        SetColor(cr, palette::kInk, hour ? 1.0 : 0.45);
        cairo_set_line_width(cr, face * (quarter ? 0.05 : hour ? 0.035 : 0.012));
        cairo_stroke(cr);
    }
    if (numerals) {
        SelectFont(cr, Face::kSans, face * 0.2);
        for (int h = 1; h <= 12; ++h) {
            std::string t = std::to_string(h);
            double a = h * M_PI / 6;
            cairo_text_extents_t e;
            cairo_text_extents(cr, t.c_str(), &e);
            double tx = cx + face * 0.66 * std::sin(a), ty = cy - face * 0.66 * std::cos(a);
            cairo_move_to(cr, tx - e.x_bearing - e.width / 2, ty - e.y_bearing - e.height / 2);
            SetColor(cr, palette::kInk);
            cairo_show_text(cr, t.c_str());
        }
    }
    if (hands) {
        auto hand = [&](double angle, double len, double width, Rgb c) {
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_rotate(cr, angle);
            cairo_new_path(cr);
            cairo_move_to(cr, -width / 2, face * 0.12);
            cairo_line_to(cr, -width * 0.35, -len);
            cairo_line_to(cr, 0, -len - width * 0.6);
            cairo_line_to(cr, width * 0.35, -len);
            cairo_line_to(cr, width / 2, face * 0.12);
            cairo_close_path(cr);
            SoftShadow(cr, width * 0.8, width * 0.25, width * 0.45, 0.35);
            SetColor(cr, c);
            FillAndOutline(cr, std::max(1.0, width * 0.18));
            cairo_new_path(cr);
            cairo_restore(cr);
        };
        double mAngle = minutes * M_PI / 30;
        double hAngle = (std::fmod(hours, 12.0) + minutes / 60) * M_PI / 6;
        hand(hAngle, face * 0.5, face * 0.09, palette::kInk);
        hand(mAngle, face * 0.74, face * 0.06, palette::kInk);
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, face * 0.07, 0, 2 * M_PI);
        SetColor(cr, palette::kBerry);
        FillAndOutline(cr, std::max(1.0, face * 0.015));
        cairo_new_path(cr);
    }
    // Glass shine across the upper left of the face.
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, face * 0.96, M_PI * 1.05, M_PI * 1.75);
    cairo_arc_negative(cr, cx + face * 0.12, cy + face * 0.16, face * 0.96, M_PI * 1.68, M_PI * 1.1);
    cairo_close_path(cr);
    SetColor(cr, palette::kWhite, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
}

void DrawCoin(cairo_t* cr, double cx, double cy, double r, Rgb metal, const std::string& value,
              const Rgb* ring, double shadowAlpha) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    if (shadowAlpha > 0) SoftShadow(cr, r * 0.15, r * 0.04, r * 0.1, shadowAlpha);
    Rgb outer = ring ? *ring : metal;
    cairo_pattern_t* p = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    Rgb a = Lighter(outer, 0.5), b = outer, c = Darker(outer, 0.3);
    cairo_pattern_add_color_stop_rgb(p, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(p, 0.5, b.r, b.g, b.b);
    cairo_pattern_add_color_stop_rgb(p, 1, c.r, c.g, c.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_fill_preserve(cr);
    SetColor(cr, Darker(outer, 0.55));
    cairo_set_line_width(cr, std::max(1.0, r * 0.05));
    cairo_stroke(cr);
    // Inner disc, pressed in.
    double ri = ring ? r * 0.7 : r * 0.8;
    cairo_arc(cr, cx, cy, ri, 0, 2 * M_PI);
    p = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    a = Darker(metal, 0.12);
    b = Lighter(metal, 0.15);
    c = Lighter(metal, 0.45);
    cairo_pattern_add_color_stop_rgb(p, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(p, 0.6, b.r, b.g, b.b);
    cairo_pattern_add_color_stop_rgb(p, 1, c.r, c.g, c.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_fill_preserve(cr);
    InnerShadow(cr, r * 0.08, r * 0.03, r * 0.05, 0.35, Darker(metal, 0.6));
    cairo_new_path(cr);
    if (value.empty()) {
        SymbolPath(cr, 0, cx, cy, ri * 0.55);
        SetColor(cr, Darker(metal, 0.25), 0.8);
        cairo_fill(cr);
    } else {
        SelectFont(cr, Face::kSans, ri * (value.size() > 1 ? 0.9 : 1.2));
        cairo_text_extents_t e;
        cairo_text_extents(cr, value.c_str(), &e);
        double tx = cx - e.x_bearing - e.width / 2, ty = cy - e.y_bearing - e.height / 2;
        cairo_move_to(cr, tx + 1, ty + 1.5);
        SetColor(cr, palette::kWhite, 0.5);
        cairo_show_text(cr, value.c_str());
        cairo_move_to(cr, tx, ty);
        SetColor(cr, Darker(metal, 0.6));
        cairo_show_text(cr, value.c_str());
    }
    cairo_restore(cr);
}

void DrawCoinStack(cairo_t* cr, double cx, double bottomY, double r, int count, Rgb metal) {
    const double ry = r * 0.38, thick = r * 0.22;
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, bottomY);
    cairo_scale(cr, 1, ry / r);
    cairo_arc(cr, 0, 0, r * 1.05, 0, 2 * M_PI);
    cairo_restore(cr);
    SoftShadow(cr, r * 0.25, r * 0.1, r * 0.08, 0.45);
    cairo_new_path(cr);
    for (int i = 0; i < count; ++i) {
        double y = bottomY - i * thick;
        double jitter = (i % 2 ? 1 : -1) * r * 0.04;
        // Edge band.
        cairo_new_path(cr);
        cairo_save(cr);
        cairo_translate(cr, cx + jitter, y);
        cairo_scale(cr, 1, ry / r);
        cairo_arc(cr, 0, 0, r, 0, M_PI);
        cairo_restore(cr);
        cairo_save(cr);
        cairo_translate(cr, cx + jitter, y - thick);
        cairo_scale(cr, 1, ry / r);
        cairo_arc_negative(cr, 0, 0, r, M_PI, 0);
        cairo_restore(cr);
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear(cx - r, 0, cx + r, 0);
        Rgb a = Darker(metal, 0.25), b = Lighter(metal, 0.3), c = Darker(metal, 0.35);
        cairo_pattern_add_color_stop_rgb(p, 0, a.r, a.g, a.b);
        cairo_pattern_add_color_stop_rgb(p, 0.35, b.r, b.g, b.b);
        cairo_pattern_add_color_stop_rgb(p, 1, c.r, c.g, c.b);
        cairo_set_source(cr, p);
        cairo_pattern_destroy(p);
        FillAndOutline(cr, 1.5, Darker(metal, 0.6));
        cairo_new_path(cr);
        // Top face.
        cairo_save(cr);
        cairo_translate(cr, cx + jitter, y - thick);
        cairo_scale(cr, 1, ry / r);
        cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
        cairo_restore(cr);
        VerticalGradient(cr, y - thick - ry, Lighter(metal, 0.45), y - thick + ry, metal);
        FillAndOutline(cr, 1.5, Darker(metal, 0.6));
        cairo_new_path(cr);
        if (i == count - 1) {
            cairo_save(cr);
            cairo_translate(cr, cx + jitter, y - thick);
            cairo_scale(cr, 1, ry / r);
            cairo_arc(cr, 0, 0, r * 0.75, 0, 2 * M_PI);
            cairo_restore(cr);
            SetColor(cr, Darker(metal, 0.3), 0.6);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
}

namespace {
void CardBody(cairo_t* cr, double cx, double cy, double w, double h, double angle) {
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_new_path(cr);
    RoundedRect(cr, -w / 2, -h / 2, w, h, w * 0.1);
    SoftShadow(cr, w * 0.1, w * 0.03, w * 0.07, 0.4);
    VerticalGradient(cr, -h / 2, palette::kWhite, h / 2, Hex(0xEFEAE0));
    FillAndOutline(cr, std::max(1.5, w * 0.015));
    cairo_new_path(cr);
}
}  // namespace

void DrawCardBack(cairo_t* cr, double cx, double cy, double w, double h, double angle, Rgb color) {
    cairo_save(cr);
    CardBody(cr, cx, cy, w, h, angle);
    double m = w * 0.08;
    RoundedRect(cr, -w / 2 + m, -h / 2 + m, w - 2 * m, h - 2 * m, w * 0.06);
    VerticalGradient(cr, -h / 2, Lighter(color, 0.15), h / 2, Darker(color, 0.15));
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    // Diamond lattice.
    SetColor(cr, palette::kWhite, 0.28);
    cairo_set_line_width(cr, std::max(1.0, w * 0.02));
    double step = w * 0.16;
    for (double d = -2 * h; d < 2 * h; d += step) {
        cairo_move_to(cr, -w, d - w);
        cairo_line_to(cr, w, d + w);
        cairo_move_to(cr, -w, d + w);
        cairo_line_to(cr, w, d - w);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    InnerShadow(cr, w * 0.04, 0, w * 0.02, 0.4);
    cairo_new_path(cr);
    DrawSymbol(cr, 0, 0, 0, w * 0.2, palette::kAccent, std::max(1.0, w * 0.02));
    cairo_restore(cr);
}

void DrawCardFront(cairo_t* cr, double cx, double cy, double w, double h, double angle,
                   Rgb symbolColor, int symbol) {
    cairo_save(cr);
    CardBody(cr, cx, cy, w, h, angle);
    DrawSymbol(cr, symbol, 0, 0, w * 0.3, symbolColor, std::max(1.5, w * 0.025));
    cairo_restore(cr);
}

void SymbolPath(cairo_t* cr, int symbol, double cx, double cy, double r) {
    switch (symbol) {
        case 0: {  // star
            for (int i = 0; i < 10; ++i) {
                double a = -M_PI / 2 + i * M_PI / 5;
                double rr = i % 2 ? r * 0.45 : r;
                if (i == 0)
                    cairo_move_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
                else
                    cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
            }
            cairo_close_path(cr);
            break;
        }
        case 1:  // heart
            cairo_move_to(cr, cx, cy + r * 0.9);
            cairo_curve_to(cr, cx - r * 1.3, cy, cx - r * 0.8, cy - r * 1.1, cx, cy - r * 0.45);
            cairo_curve_to(cr, cx + r * 0.8, cy - r * 1.1, cx + r * 1.3, cy, cx, cy + r * 0.9);
            cairo_close_path(cr);
            break;
        case 2:  // diamond
            cairo_move_to(cr, cx, cy - r);
            cairo_line_to(cr, cx + r * 0.7, cy);
            cairo_line_to(cr, cx, cy + r);
            cairo_line_to(cr, cx - r * 0.7, cy);
            cairo_close_path(cr);
            break;
        case 3:  // circle
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy, r * 0.8, 0, 2 * M_PI);
            cairo_close_path(cr);
            break;
        case 4:  // triangle
            cairo_move_to(cr, cx, cy - r * 0.9);
            cairo_line_to(cr, cx + r * 0.9, cy + r * 0.7);
            cairo_line_to(cr, cx - r * 0.9, cy + r * 0.7);
            cairo_close_path(cr);
            break;
        case 5:  // moon
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy, r * 0.85, M_PI * 0.3, M_PI * 1.7);
            cairo_arc_negative(cr, cx + r * 0.4, cy - r * 0.1, r * 0.65, M_PI * 1.45, M_PI * 0.6);
            cairo_close_path(cr);
            break;
        case 6:  // drop
            cairo_move_to(cr, cx, cy - r);
            cairo_curve_to(cr, cx + r * 0.3, cy - r * 0.4, cx + r * 0.75, cy, cx + r * 0.7,
                           cy + r * 0.35);
            cairo_arc(cr, cx, cy + r * 0.3, r * 0.7, 0, M_PI);
            cairo_curve_to(cr, cx - r * 0.75, cy, cx - r * 0.3, cy - r * 0.4, cx, cy - r);
            cairo_close_path(cr);
            break;
        case 7:  // flower
            for (int i = 0; i < 5; ++i) {
                double a = -M_PI / 2 + i * 2 * M_PI / 5;
                cairo_new_sub_path(cr);
                cairo_arc(cr, cx + r * 0.5 * std::cos(a), cy + r * 0.5 * std::sin(a), r * 0.42, 0,
                          2 * M_PI);
            }
            break;
        case 8:  // bolt
            cairo_move_to(cr, cx + r * 0.2, cy - r);
            cairo_line_to(cr, cx - r * 0.55, cy + r * 0.15);
            cairo_line_to(cr, cx - r * 0.02, cy + r * 0.15);
            cairo_line_to(cr, cx - r * 0.25, cy + r);
            cairo_line_to(cr, cx + r * 0.6, cy - r * 0.2);
            cairo_line_to(cr, cx + r * 0.05, cy - r * 0.2);
            cairo_close_path(cr);
            break;
        default: {  // plus
            double t = r * 0.32;
            RoundedRect(cr, cx - t, cy - r * 0.85, 2 * t, r * 1.7, t * 0.4);
            RoundedRect(cr, cx - r * 0.85, cy - t, r * 1.7, 2 * t, t * 0.4);
            break;
        }
    }
}

void DrawSymbol(cairo_t* cr, int symbol, double cx, double cy, double r, Rgb color, double outline) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    SymbolPath(cr, symbol, cx, cy, r);
    VerticalGradient(cr, cy - r, Lighter(color, 0.3), cy + r, Darker(color, 0.1));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // The outline first, so that overlapping sub-paths (flower, plus) keep one outer edge.
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, outline * 2);
    cairo_stroke_preserve(cr);
    VerticalGradient(cr, cy - r, Lighter(color, 0.3), cy + r, Darker(color, 0.1));
    cairo_fill(cr);
    cairo_restore(cr);
}

void DrawTick(cairo_t* cr, double x, double y, double s, Rgb color) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, x + s * 0.16, y + s * 0.54);
    cairo_line_to(cr, x + s * 0.4, y + s * 0.78);
    cairo_line_to(cr, x + s * 0.86, y + s * 0.22);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_push_group(cr);
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, s * 0.24);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* shadow = cairo_pop_group(cr);
    cairo_save(cr);
    cairo_translate(cr, s * 0.02, s * 0.05);
    cairo_set_source(cr, shadow);
    cairo_paint_with_alpha(cr, 0.3);
    cairo_restore(cr);
    cairo_set_source(cr, shadow);
    cairo_paint(cr);
    cairo_pattern_destroy(shadow);
    VerticalGradient(cr, y, Lighter(color, 0.3), y + s, Darker(color, 0.15));
    cairo_set_line_width(cr, s * 0.14);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawArrowHead(cairo_t* cr, double cx, double cy, double s, int dir, Rgb color) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1, dir);
    cairo_move_to(cr, 0, -s * 0.4);
    cairo_line_to(cr, s * 0.5, s * 0.25);
    cairo_line_to(cr, -s * 0.5, s * 0.25);
    cairo_close_path(cr);
    cairo_restore(cr);
    SoftShadow(cr, 3, 0, 2, 0.35);
    VerticalGradient(cr, cy - s * 0.4, Lighter(color, 0.3), cy + s * 0.4, Darker(color, 0.15));
    FillAndOutline(cr, 2.5);
    cairo_new_path(cr);
    cairo_restore(cr);
}

namespace {
void FlagFrame(cairo_t* cr, double x, double y, double w, double h) {
    cairo_new_path(cr);
    RoundedRect(cr, x, y, w, h, h * 0.12);
}
void FlagFinish(cairo_t* cr, double x, double y, double w, double h) {
    // A soft cloth shine and the ink border.
    FlagFrame(cr, x, y, w, h);
    cairo_pattern_t* p = cairo_pattern_create_linear(x, y, x + w, y + h);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.25);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0.12);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_fill_preserve(cr);
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
}
}  // namespace

void DrawGermanFlag(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    FlagFrame(cr, x, y, w, h);
    SoftShadow(cr, 3, 1, 2, 0.35);
    cairo_clip(cr);
    const Rgb stripes[3] = {Hex(0x111111), Hex(0xDD0000), Hex(0xFFCE00)};
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, x, y + i * h / 3, w, h / 3 + 0.5);
        SetColor(cr, stripes[i]);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    FlagFinish(cr, x, y, w, h);
}

void DrawBritishFlag(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    FlagFrame(cr, x, y, w, h);
    SoftShadow(cr, 3, 1, 2, 0.35);
    cairo_clip(cr);
    const Rgb blue = Hex(0x012169), red = Hex(0xC8102E), white = palette::kWhite;
    cairo_rectangle(cr, x, y, w, h);
    SetColor(cr, blue);
    cairo_fill(cr);
    // Diagonals: broad white, narrow red.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + w, y + h);
    cairo_move_to(cr, x + w, y);
    cairo_line_to(cr, x, y + h);
    SetColor(cr, white);
    cairo_set_line_width(cr, h * 0.2);
    cairo_stroke_preserve(cr);
    SetColor(cr, red);
    cairo_set_line_width(cr, h * 0.07);
    cairo_stroke(cr);
    // Cross: broad white, red.
    cairo_rectangle(cr, x + w / 2 - h * 0.17, y, h * 0.34, h);
    cairo_rectangle(cr, x, y + h / 2 - h * 0.17, w, h * 0.34);
    SetColor(cr, white);
    cairo_fill(cr);
    cairo_rectangle(cr, x + w / 2 - h * 0.1, y, h * 0.2, h);
    cairo_rectangle(cr, x, y + h / 2 - h * 0.1, w, h * 0.2);
    SetColor(cr, red);
    cairo_fill(cr);
    cairo_restore(cr);
    FlagFinish(cr, x, y, w, h);
}

void DrawSparkle(cairo_t* cr, double cx, double cy, double r, double alpha) {
    if (alpha <= 0) return;
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy - r);
    cairo_curve_to(cr, cx + r * 0.1, cy - r * 0.1, cx + r * 0.1, cy - r * 0.1, cx + r, cy);
    cairo_curve_to(cr, cx + r * 0.1, cy + r * 0.1, cx + r * 0.1, cy + r * 0.1, cx, cy + r);
    cairo_curve_to(cr, cx - r * 0.1, cy + r * 0.1, cx - r * 0.1, cy + r * 0.1, cx - r, cy);
    cairo_curve_to(cr, cx - r * 0.1, cy - r * 0.1, cx - r * 0.1, cy - r * 0.1, cx, cy - r);
    cairo_close_path(cr);
    RadialGradient(cr, cx, cy, r, palette::kWhite, Hex(0xFFF1B8), alpha, alpha * 0.6);
    cairo_fill(cr);
    cairo_restore(cr);
}

namespace {
const Rgb kTitleColors[] = {palette::kBerry, palette::kSun, palette::kLeaf, palette::kSky,
                            palette::kPlum, palette::kTeal};
}

double TitleWordWidth(cairo_t* cr, const std::string& word, double size) {
    cairo_save(cr);
    SelectFont(cr, Face::kDisplay, size);
    double w = 0;
    for (char ch : word) w += TextWidth(cr, std::string(1, ch)) + size * 0.02;
    cairo_restore(cr);
    return w;
}

double DrawTitleWord(cairo_t* cr, const std::string& word, double x, double baseline, double size,
                     const std::vector<LetterPose>* poses) {
    cairo_save(cr);
    SelectFont(cr, Face::kDisplay, size);
    const double outline = size * 0.12;
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    double pen = x;
    struct Letter {
        std::string s;
        double x, y, angle;
        Rgb color;
    };
    std::vector<Letter> letters;
    for (size_t i = 0; i < word.size(); ++i) {
        Letter l;
        l.s = std::string(1, word[i]);
        l.x = pen;
        l.y = baseline + (i % 2 ? -size * 0.035 : size * 0.03);
        l.angle = (i % 3 == 0 ? -0.06 : i % 3 == 1 ? 0.05 : -0.02);
        l.color = kTitleColors[i % 6];
        letters.push_back(l);
        pen += TextWidth(cr, l.s) + size * 0.02;
    }
    const LetterPose rest;
    auto poseOf = [&](size_t i) -> const LetterPose& {
        return poses != nullptr && i < poses->size() ? (*poses)[i] : rest;
    };
    auto hidden = [&](size_t i) { return poseOf(i).alpha <= 0 || poseOf(i).scale <= 0; };
    auto place = [&](size_t i) {
        const Letter& l = letters[i];
        const LetterPose& pose = poseOf(i);
        double adv = TextWidth(cr, l.s);
        if (pose.AtRest()) {
            cairo_translate(cr, l.x + adv / 2, l.y - size * 0.35);
        } else {
            cairo_translate(cr, l.x + adv / 2 + pose.dx, l.y - size * 0.35 + pose.dy);
            cairo_scale(cr, pose.scale, pose.scale);
        }
        cairo_rotate(cr, l.angle);
        cairo_new_path(cr);
        TextPath(cr, l.s, -adv / 2, size * 0.35);
    };
    // A letter fading in is drawn into a group of its own and painted with its opacity.
    auto begin = [&](size_t i) {
        cairo_save(cr);
        if (poseOf(i).alpha < 1) cairo_push_group(cr);
    };
    auto end = [&](size_t i) {
        if (poseOf(i).alpha < 1) {
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, poseOf(i).alpha);
        }
        cairo_restore(cr);
    };
    // The ink rims of all letters as one group, painted once as a shadow and once in place;
    // then the faces.
    cairo_push_group(cr);
    for (size_t i = 0; i < letters.size(); ++i) {
        if (hidden(i)) continue;
        begin(i);
        cairo_save(cr);
        place(i);
        SetColor(cr, palette::kInk);
        cairo_set_line_width(cr, outline * 2);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
        cairo_restore(cr);
        end(i);
    }
    cairo_pattern_t* rim = cairo_pop_group(cr);
    cairo_save(cr);
    cairo_translate(cr, size * 0.03, size * 0.07);
    cairo_set_source(cr, rim);
    cairo_paint_with_alpha(cr, 0.45);
    cairo_restore(cr);
    cairo_set_source(cr, rim);
    cairo_paint(cr);
    cairo_pattern_destroy(rim);
    for (size_t i = 0; i < letters.size(); ++i) {
        if (hidden(i)) continue;
        const Letter& l = letters[i];
        begin(i);
        cairo_save(cr);
        place(i);
        // White inner rim, then the coloured face with a shine.
        SetColor(cr, palette::kWhite);
        cairo_set_line_width(cr, outline * 0.7);
        cairo_stroke_preserve(cr);
        VerticalGradient(cr, -size * 0.4, Lighter(l.color, 0.45), size * 0.35, Darker(l.color, 0.08));
        cairo_fill_preserve(cr);
        cairo_clip(cr);
        cairo_rectangle(cr, -size, -size, 2 * size, size * 0.62);
        SetColor(cr, palette::kWhite, 0.22);
        cairo_fill(cr);
        cairo_restore(cr);
        end(i);
    }
    cairo_restore(cr);
    return pen - x;
}

}  // namespace art
