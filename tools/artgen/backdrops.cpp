// back1.PNG .. back4.PNG: seven calm, light backdrops (600 x 450, stretched to the screen),
// on which the games draw black text and their pieces. Patterns stay faint (alpha below 0.1)
// and every backdrop stays light, so nothing competes with the game.
#include <cmath>

#include "motifs.h"
#include "sheets.h"

namespace art {
namespace {
constexpr double kW = 600, kH = 450;

void Base(cairo_t* cr, Rgb top, Rgb bottom) {
    cairo_rectangle(cr, 0, 0, kW, kH);
    VerticalGradient(cr, 0, top, kH, bottom);
    cairo_fill(cr);
}

// A soft light in the middle and slightly darker corners give every backdrop depth.
void Finish(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, kW, kH);
    RadialGradient(cr, kW / 2, kH * 0.45, kW * 0.55, palette::kWhite, palette::kWhite, 0.35, 0.0);
    cairo_fill(cr);
    Vignette(cr, kW, kH, kH * 0.4, kW * 0.7, Rgb{0.2, 0.15, 0.1}, 0.14);
}

void Cloud(cairo_t* cr, double x, double y, double s, double alpha) {
    cairo_new_path(cr);
    const double bumps[][3] = {{0, 0, 0.5}, {0.45, -0.2, 0.6}, {0.95, -0.05, 0.5}, {1.3, 0.12, 0.38},
                               {-0.4, 0.12, 0.38}};
    for (const auto& b : bumps) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + b[0] * s, y + b[1] * s, b[2] * s, 0, 2 * M_PI);
    }
    cairo_rectangle(cr, x - 0.4 * s, y + 0.1 * s, 1.7 * s, 0.4 * s);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    SetColor(cr, palette::kWhite, alpha);
    cairo_fill(cr);
}

// 0: sky with soft clouds.
void Sky(cairo_t* cr) {
    Base(cr, Hex(0xCFE8F7), Hex(0xEEF7FB));
    Cloud(cr, 80, 90, 70, 0.55);
    Cloud(cr, 430, 60, 55, 0.5);
    Cloud(cr, 300, 230, 80, 0.35);
    Cloud(cr, 60, 350, 60, 0.35);
    Cloud(cr, 500, 380, 65, 0.4);
    Finish(cr);
}

// 1: mint with broad diagonal stripes.
void Mint(cairo_t* cr) {
    Base(cr, Hex(0xE3F4E6), Hex(0xD2EBD7));
    for (double x = -kH; x < kW; x += 60) {
        cairo_move_to(cr, x, kH);
        cairo_line_to(cr, x + 30, kH);
        cairo_line_to(cr, x + 30 + kH, 0);
        cairo_line_to(cr, x + kH, 0);
        cairo_close_path(cr);
    }
    SetColor(cr, palette::kWhite, 0.22);
    cairo_fill(cr);
    Finish(cr);
}

// 2: warm squared paper.
// Blue grid lines every `step` pixels over the whole backdrop.
void Grid(cairo_t* cr, double step, double alpha, double width) {
    for (double x = 0.5; x < kW; x += step) {
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x, kH);
    }
    for (double y = 0.5; y < kH; y += step) {
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, kW, y);
    }
    SetColor(cr, Hex(0x7BA7C9), alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void GraphPaper(cairo_t* cr) {
    Base(cr, Hex(0xFBF5E6), Hex(0xF3EAD3));
    Grid(cr, 15, 0.16, 0.8);
    Grid(cr, 75, 0.2, 1.2);
    Finish(cr);
}

// 3: lavender with soft lights.
void Lavender(cairo_t* cr) {
    Base(cr, Hex(0xEAE4F6), Hex(0xDCD3F0));
    Random rnd(11);
    for (int i = 0; i < 26; ++i) {
        double x = rnd.Range(0, kW), y = rnd.Range(0, kH), r = rnd.Range(15, 60);
        cairo_new_path(cr);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        RadialGradient(cr, x, y, r, palette::kWhite, palette::kWhite, 0.28, 0.06);
        cairo_fill(cr);
    }
    Finish(cr);
}

// 4: peach with faint interlocking puzzle pieces.
void PeachPuzzle(cairo_t* cr) {
    Base(cr, Hex(0xFDEBDD), Hex(0xF8DCC8));
    const double s = 75;
    cairo_new_path(cr);
    for (int j = -1; j * s < kH + s; ++j)
        for (int i = -1; i * s < kW + s; ++i) {
            auto side = [](int a, int b) { return ((a * 5 + b * 11) % 3 == 0) ? -1 : 1; };
            PieceSides sides{-side(j + 99, i), side(i, j), side(j + 100, i), -side(i - 1, j)};
            cairo_save(cr);
            cairo_translate(cr, i * s + 12, j * s + 20);
            PuzzlePiecePath(cr, s, sides);
            cairo_restore(cr);
        }
    SetColor(cr, Hex(0xC98A5E), 0.13);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    Finish(cr);
}

// 5: light maple boards.
void Maple(cairo_t* cr) {
    Base(cr, Hex(0xF4E3C6), Hex(0xEBD4AD));
    Random rnd(5);
    const double board = 75;
    for (double y = 0; y < kH; y += board) {
        // Grain: long, gently waving lines.
        for (int k = 0; k < 9; ++k) {
            double gy = y + rnd.Range(4, board - 4), phase = rnd.Range(0, 6), amp = rnd.Range(1, 3.5);
            cairo_move_to(cr, 0, gy);
            for (double x = 0; x <= kW; x += 20) cairo_line_to(cr, x, gy + amp * std::sin(phase + x / 70));
            SetColor(cr, Hex(0xB9864C), rnd.Range(0.06, 0.12));
            cairo_set_line_width(cr, rnd.Range(0.8, 2.2));
            cairo_stroke(cr);
        }
        cairo_move_to(cr, 0, y + 0.5);
        cairo_line_to(cr, kW, y + 0.5);
        SetColor(cr, Hex(0x9C6A36), 0.22);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_move_to(cr, 0, y + 2);
        cairo_line_to(cr, kW, y + 2);
        SetColor(cr, palette::kWhite, 0.3);
        cairo_stroke(cr);
    }
    Finish(cr);
}

// 6: pale aqua with soft waves.
void Waves(cairo_t* cr) {
    Base(cr, Hex(0xDDF3F2), Hex(0xCBEBEA));
    for (double y = 20; y < kH + 40; y += 38) {
        cairo_move_to(cr, 0, y);
        for (double x = 0; x <= kW; x += 10) cairo_line_to(cr, x, y + 7 * std::sin(x / 48 + y / 30));
        cairo_line_to(cr, kW, y + 16);
        for (double x = kW; x >= 0; x -= 10) cairo_line_to(cr, x, y + 16 + 7 * std::sin(x / 48 + y / 30));
        cairo_close_path(cr);
    }
    SetColor(cr, palette::kWhite, 0.24);
    cairo_fill(cr);
    Finish(cr);
}

using Painter = void (*)(cairo_t*);

bool Backdrops(const std::string& dir, const char* name, Painter top, Painter bottom) {
    return DrawSheet(dir, name, 600, bottom ? 900 : 450, [&](cairo_t* cr) {
        InRegion(cr, 0, 0, kW, kH, [&] { top(cr); });
        if (bottom) InRegion(cr, 0, kH, kW, kH, [&] { bottom(cr); });
    });
}
}  // namespace

bool DrawBackdropSheets(const std::string& dir) {
    bool ok = Backdrops(dir, "back1.PNG", Sky, Mint);
    ok &= Backdrops(dir, "back2.PNG", GraphPaper, Lavender);
    ok &= Backdrops(dir, "back3.PNG", PeachPuzzle, Maple);
    ok &= Backdrops(dir, "back4.PNG", Waves, nullptr);
    return ok;
}

}  // namespace art
