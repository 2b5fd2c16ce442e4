// The fruit weights of misc4.PNG: eight fruit, each standing on the bottom centre (50, 100) of
// its 100 x 100 box, bigger for heavier weights. The game draws them at half size, and fixed
// ones tinted to half brightness: the colours are bright and the shapes distinct (cherries,
// strawberry, plum, apple, orange, pear, pineapple, melon), so that a dimmed fruit still
// reads as that fruit.
#include <array>
#include <cmath>

#include "fruit.h"

namespace art {
namespace {

const Rgb kStalk = Hex(0x7A4A22);
const Rgb kLeafLight = Hex(0xA8E878);
const Rgb kLeafDark = Hex(0x3C9A3A);

// Shadow, a light-from-the-top-left gradient, an outline in a dark shade of the fruit's own
// colour, and a soft white shine. The current path is the fruit's body.
void ShadeBody(cairo_t* cr, Rgb base, double hx, double hy, double r, double shine = 0.65) {
    SoftShadow(cr, 4, 1, 2, 0.35);
    RadialGradient(cr, hx, hy, r, Lighter(base, 0.55), Darker(base, 0.12));
    FillAndOutline(cr, 2, Darker(base, 0.55));
    cairo_new_path(cr);
    if (shine > 0) {
        cairo_save(cr);
        cairo_translate(cr, hx, hy);
        cairo_scale(cr, 1.0, 0.7);
        cairo_arc(cr, 0, 0, r * 0.2, 0, 2 * M_PI);
        cairo_restore(cr);
        RadialGradient(cr, hx, hy, r * 0.22, palette::kWhite, palette::kWhite, shine, 0.0);
        cairo_fill(cr);
    }
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void StalkLine(cairo_t* cr, double x0, double y0, double x1, double y1, double bend, double width = 3) {
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0 + bend, (2 * y0 + y1) / 3, x1 + bend, (y0 + 2 * y1) / 3, x1, y1);
    SetColor(cr, kStalk);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// A leaf from its base (x, y) to its tip (x + dx, y + dy).
void Leaf(cairo_t* cr, double x, double y, double dx, double dy) {
    const double nx = -dy * 0.35, ny = dx * 0.35;
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + dx * 0.3 + nx, y + dy * 0.3 + ny, x + dx * 0.8 + nx * 0.6, y + dy * 0.8 + ny * 0.6,
                   x + dx, y + dy);
    cairo_curve_to(cr, x + dx * 0.8 - nx * 0.6, y + dy * 0.8 - ny * 0.6, x + dx * 0.3 - nx, y + dy * 0.3 - ny, x, y);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(x, y, x + dx, y + dy);
    cairo_pattern_add_color_stop_rgb(p, 0, kLeafDark.r, kLeafDark.g, kLeafDark.b);
    cairo_pattern_add_color_stop_rgb(p, 1, kLeafLight.r, kLeafLight.g, kLeafLight.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    FillAndOutline(cr, 1.4, Darker(kLeafDark, 0.45));
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + dx * 0.85, y + dy * 0.85);
    SetColor(cr, Darker(kLeafDark, 0.35), 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void Cherries(cairo_t* cr) {
    const Rgb red = Hex(0xF0303F);
    StalkLine(cr, 34, 60, 56, 16, 9, 3);
    StalkLine(cr, 66, 62, 56, 16, -3, 3);
    Leaf(cr, 56, 17, 24, -10);
    for (auto [cx, cy, r] : {std::array<double, 3>{32, 78, 21}, std::array<double, 3>{68, 80, 19.5}}) {
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        ShadeBody(cr, red, cx - r * 0.4, cy - r * 0.45, r * 1.5);
    }
}

void Strawberry(cairo_t* cr) {
    const Rgb red = Hex(0xFF3B4E);
    // Drawn at 1.3 times the size of a 50 x 52 berry, its tip on the bottom centre.
    cairo_save(cr);
    cairo_translate(cr, 50, 99);
    cairo_scale(cr, 1.3, 1.3);
    cairo_translate(cr, -50, -99);
    cairo_new_path(cr);
    cairo_move_to(cr, 50, 99);
    cairo_curve_to(cr, 36, 92, 24, 76, 25, 62);
    cairo_curve_to(cr, 26, 50, 40, 47, 50, 51);
    cairo_curve_to(cr, 60, 47, 74, 50, 75, 62);
    cairo_curve_to(cr, 76, 76, 64, 92, 50, 99);
    cairo_close_path(cr);
    ShadeBody(cr, red, 40, 60, 42, 0.5);
    // Seeds in rows.
    for (int row = 0; row < 5; ++row)
        for (int k = -2; k <= 2; ++k) {
            const double y = 60 + row * 8, half = 20 - row * 3.6;
            const double x = 50 + k * half / 2.3 + (row % 2) * 3;
            if (std::fabs(x - 50) > half) continue;
            cairo_new_path(cr);
            Ellipse(cr, x, y, 1.3, 2);
            SetColor(cr, Hex(0xFFE27A));
            cairo_fill(cr);
        }
    // The green calyx.
    cairo_new_path(cr);
    for (int i = 0; i < 5; ++i) {
        const double a = M_PI + i * M_PI / 4;
        cairo_move_to(cr, 50, 51);
        cairo_line_to(cr, 50 + 15 * std::cos(a - 0.2), 51 + 7 * std::sin(a - 0.2) + 3);
        cairo_line_to(cr, 50 + 19 * std::cos(a), 51 + 9 * std::sin(a) + 4);
        cairo_close_path(cr);
    }
    SetColor(cr, Hex(0x5CC04A));
    FillAndOutline(cr, 1.2, Darker(kLeafDark, 0.45));
    StalkLine(cr, 50, 50, 53, 40, 2, 3);
    cairo_restore(cr);
}

void Plum(cairo_t* cr) {
    const Rgb plum = Hex(0x8A5BE0);
    StalkLine(cr, 50, 44, 55, 30, 2, 3);
    cairo_new_path(cr);
    Ellipse(cr, 50, 71, 27, 28);
    ShadeBody(cr, plum, 40, 58, 42);
    // The crease down the side.
    cairo_new_path(cr);
    cairo_move_to(cr, 53, 45);
    cairo_curve_to(cr, 66, 58, 66, 84, 56, 97);
    SetColor(cr, Darker(plum, 0.35), 0.55);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

void Apple(cairo_t* cr) {
    const Rgb green = Hex(0x9BDB45);
    cairo_save(cr);
    cairo_translate(cr, 50, 99);
    cairo_scale(cr, 1.2, 1.2);
    cairo_translate(cr, -50, -99);
    cairo_new_path(cr);
    cairo_move_to(cr, 50, 52);
    cairo_curve_to(cr, 60, 44, 80, 46, 80, 68);
    cairo_curve_to(cr, 80, 86, 68, 99, 58, 98);
    cairo_curve_to(cr, 54, 97, 46, 97, 42, 98);
    cairo_curve_to(cr, 32, 99, 20, 86, 20, 68);
    cairo_curve_to(cr, 20, 46, 40, 44, 50, 52);
    cairo_close_path(cr);
    ShadeBody(cr, green, 38, 62, 48);
    // A red blush on the sunny side.
    cairo_new_path(cr);
    Ellipse(cr, 64, 76, 12, 15);
    RadialGradient(cr, 64, 76, 15, Hex(0xFF5A3C), Hex(0xFF5A3C), 0.45, 0.0);
    cairo_fill(cr);
    StalkLine(cr, 50, 54, 52, 38, 2, 3);
    Leaf(cr, 52, 42, 18, -8);
    cairo_restore(cr);
}

void Orange(cairo_t* cr) {
    const Rgb orange = Hex(0xFFA024);
    cairo_new_path(cr);
    cairo_arc(cr, 50, 63, 36, 0, 2 * M_PI);
    ShadeBody(cr, orange, 37, 49, 56);
    // The dimpled peel.
    Random rng(7);
    for (int i = 0; i < 60; ++i) {
        const double a = rng.Range(0, 2 * M_PI), d = std::sqrt(rng.Next()) * 32;
        cairo_new_path(cr);
        cairo_arc(cr, 50 + d * std::cos(a), 63 + d * std::sin(a), 0.9, 0, 2 * M_PI);
        SetColor(cr, Darker(orange, 0.25), 0.35);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, 50, 29, 2.2, 0, 2 * M_PI);
    SetColor(cr, Hex(0x6E8B2A));
    cairo_fill(cr);
    Leaf(cr, 51, 28, 22, -10);
}

void Pear(cairo_t* cr) {
    const Rgb pear = Hex(0xE2E04A);
    cairo_save(cr);
    cairo_translate(cr, 50, 99);
    cairo_scale(cr, 1.15, 1.15);
    cairo_translate(cr, -50, -99);
    cairo_new_path(cr);
    cairo_move_to(cr, 50, 99);
    cairo_curve_to(cr, 30, 99, 22, 88, 23, 76);
    cairo_curve_to(cr, 24, 64, 36, 60, 38, 50);
    cairo_curve_to(cr, 40, 40, 42, 33, 50, 33);
    cairo_curve_to(cr, 58, 33, 60, 40, 62, 50);
    cairo_curve_to(cr, 64, 60, 76, 64, 77, 76);
    cairo_curve_to(cr, 78, 88, 70, 99, 50, 99);
    cairo_close_path(cr);
    ShadeBody(cr, pear, 40, 62, 50);
    StalkLine(cr, 50, 35, 55, 20, 3, 3);
    Leaf(cr, 54, 25, 18, -6);
    cairo_restore(cr);
}

void Pineapple(cairo_t* cr) {
    const Rgb gold = Hex(0xFFBE38);
    // The crown, behind the fruit.
    for (int i = -3; i <= 3; ++i) {
        const double tipX = 50 + i * 7.5, tipY = 6 + std::abs(i) * 6;
        cairo_new_path(cr);
        cairo_move_to(cr, 50 + i * 3 - 5, 42);
        cairo_curve_to(cr, 50 + i * 4, 30, tipX - 2, tipY + 8, tipX, tipY);
        cairo_curve_to(cr, tipX + 2, tipY + 8, 50 + i * 4 + 6, 30, 50 + i * 3 + 5, 42);
        cairo_close_path(cr);
        VerticalGradient(cr, tipY, kLeafLight, 42, kLeafDark);
        FillAndOutline(cr, 1.3, Darker(kLeafDark, 0.45));
    }
    cairo_new_path(cr);
    Ellipse(cr, 50, 70, 25, 29);
    ShadeBody(cr, gold, 42, 58, 44, 0.4);
    // The criss-cross of the scales, inside the body.
    cairo_save(cr);
    Ellipse(cr, 50, 70, 24, 28);
    cairo_clip(cr);
    cairo_new_path(cr);
    for (int k = -6; k <= 6; ++k) {
        cairo_move_to(cr, 20 + k * 9, 40);
        cairo_line_to(cr, 80 + k * 9, 100);
        cairo_move_to(cr, 80 + k * 9, 40);
        cairo_line_to(cr, 20 + k * 9, 100);
    }
    SetColor(cr, Darker(gold, 0.45), 0.5);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Melon(cairo_t* cr) {
    const Rgb green = Hex(0x5CC060);
    const double cx = 50, cy = 61, rx = 47, ry = 38;
    cairo_new_path(cr);
    Ellipse(cr, cx, cy, rx, ry);
    ShadeBody(cr, green, 34, 44, 70, 0.0);
    // Dark stripes running round the melon.
    cairo_save(cr);
    Ellipse(cr, cx, cy, rx - 1, ry - 1);
    cairo_clip(cr);
    cairo_new_path(cr);
    for (int i = -3; i <= 3; ++i) {
        const double x = cx + i * 13;
        cairo_move_to(cr, cx + i * 6, cy - ry);
        cairo_curve_to(cr, x + i * 3 + 3, cy - ry / 2, x + i * 3 - 3, cy + ry / 2, cx + i * 6, cy + ry);
    }
    SetColor(cr, Hex(0x1F7A2E), 0.75);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    Ellipse(cr, 32, 42, 10, 6);
    RadialGradient(cr, 32, 42, 10, palette::kWhite, palette::kWhite, 0.6, 0.0);
    cairo_fill(cr);
    StalkLine(cr, 50, 24, 54, 17, 1, 3);
}

}  // namespace

void DrawFruit(cairo_t* cr, int picture) {
    switch (picture) {
        case 0: Cherries(cr); break;
        case 1: Strawberry(cr); break;
        case 2: Plum(cr); break;
        case 3: Apple(cr); break;
        case 4: Orange(cr); break;
        case 5: Pear(cr); break;
        case 6: Pineapple(cr); break;
        default: Melon(cr); break;
    }
    cairo_new_path(cr);
}

}  // namespace art
