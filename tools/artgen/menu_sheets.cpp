// menu1.PNG (page panels), menu2.PNG (large panel, buttons with their hover pictures below,
// language selector, scroll arrows), menu3.PNG (game list panel).
#include <cmath>

#include "motifs.h"
#include "sheets.h"
#include "widgets.h"

namespace art {
namespace {

// Page 1: the word mark in the free top, the buttons' column, and at the bottom the two
// languages beside the selector positions (76, 552) and (224, 552).
void MainPanel(cairo_t* cr) {
    DrawPanel(cr, 400, 600, false, 6);
    double width = TitleWordWidth(cr, "Knobelwerk", 64);
    DrawTitleWord(cr, "Knobelwerk", (400 - width) / 2, 88, 64);
    // A little row of the games' things under the name.
    DrawPuzzlePiece(cr, 128, 124, 20, 0.15, palette::kSun, {1, -1, 1, 0}, 0.3);
    DrawClock(cr, 174, 124, 13, 10, 10, palette::kBerry, false, true, 0.3);
    DrawCoin(cr, 220, 124, 12, palette::kGold, "", nullptr, 0.3);
    DrawCardBack(cr, 266, 124, 17, 24, 0.15, palette::kPlum);
    // Seam between the buttons and the languages.
    cairo_new_path(cr);
    cairo_move_to(cr, 48, 524);
    cairo_line_to(cr, 352, 524);
    double dash[] = {6, 5};
    cairo_set_dash(cr, dash, 2, 0);
    SetColor(cr, palette::kPanelEdge, 0.6);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    // The sockets under the selector buttons, the flags and the language names.
    const double selectorX[2] = {76, 224};
    const char* names[2] = {"Deutsch", "English"};
    for (int i = 0; i < 2; ++i) {
        double x = selectorX[i], y = 552;
        DrawWell(cr, x - 6, y - 5, 150 - 12, 34, 17);
        double fx = x + 30, fy = y + 2;
        if (i == 0)
            DrawGermanFlag(cr, fx, fy, 30, 20);
        else
            DrawBritishFlag(cr, fx, fy, 30, 20);
        SelectFont(cr, Face::kDisplay, 17);
        cairo_move_to(cr, fx + 36, y + 18);
        SetColor(cr, palette::kInk);
        cairo_show_text(cr, names[i]);
        cairo_new_path(cr);
    }
}

// The game list: a sunken well behind the seven rows between the scroll arrows.
void GameListPanel(cairo_t* cr) {
    DrawPanel(cr, 400, 700, true);
    DrawWell(cr, 36, 128, 328, 424, 18);
}

// Results: a little celebration in the corners, away from the centred text, name line and OK.
void ResultPanel(cairo_t* cr) {
    DrawPanel(cr, 600, 450, true);
    Random rnd(17);
    const Rgb colors[] = {palette::kBerry, palette::kSun, palette::kLeaf, palette::kSky, palette::kPlum};
    for (int i = 0; i < 22; ++i) {
        bool right = i % 2;
        double x = right ? rnd.Range(528, 568) : rnd.Range(32, 72), y = rnd.Range(84, 300);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, rnd.Range(0, M_PI));
        cairo_new_path(cr);
        if (i % 3 == 0)
            cairo_arc(cr, 0, 0, 3, 0, 2 * M_PI);
        else
            RoundedRect(cr, -5, -2, 10, 4, 1.5);
        SetColor(cr, colors[i % 5], 0.75);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    DrawSymbol(cr, 0, 62, 372, 24, palette::kSun, 1.6);
    DrawSymbol(cr, 0, 538, 372, 24, palette::kSun, 1.6);
    DrawSparkle(cr, 84, 342, 7, 0.9);
    DrawSparkle(cr, 516, 346, 7, 0.9);
}

void Menu1(cairo_t* cr) {
    InRegion(cr, 0, 0, 400, 600, [&] { MainPanel(cr); });
    InRegion(cr, 400, 0, 600, 450, [&] { ResultPanel(cr); });
    InRegion(cr, 0, 600, 350, 400, [&] { DrawPanel(cr, 350, 400, true); });
    InRegion(cr, 350, 600, 400, 300, [&] { DrawPanel(cr, 400, 300, true); });
}

// A button drawn at (x, y) with its hover picture right below it.
void ButtonPair(cairo_t* cr, double x, double y, double w, double h, ButtonTone tone) {
    InRegion(cr, x, y, w, h, [&] { DrawButton(cr, w, h, false, tone); });
    InRegion(cr, x, y + h, w, h, [&] { DrawButton(cr, w, h, true, tone); });
}

enum class Icon { kOk, kUp, kDown };
void RoundPair(cairo_t* cr, double x, double y, Icon icon) {
    for (int hover = 0; hover < 2; ++hover)
        InRegion(cr, x, y + 50 * hover, 50, 50, [&] {
            double cy = DrawRoundButton(cr, 50, hover != 0);
            if (icon == Icon::kOk)
                DrawTick(cr, 11, cy - 14, 28, hover ? Hex(0x4CC453) : palette::kLeaf);
            else
                DrawArrowHead(cr, 25, cy + (icon == Icon::kUp ? 1 : -1), 22, icon == Icon::kUp ? 1 : -1,
                              hover ? Hex(0x5DB6F2) : palette::kSky);
        });
}

// The language selector: an empty socket, and below it the chosen state with a lit gem.
void Selector(cairo_t* cr, bool chosen) {
    const double cx = 12, cy = 11.5, r = 9.5;
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SoftShadow(cr, 2, 0, 1, 0.5);
    VerticalGradient(cr, cy - r, Hex(0xFFFFFF), cy + r, Hex(0xF1E2C2));
    cairo_fill_preserve(cr);
    InnerShadow(cr, 3, 0, 1.5, 0.45, palette::kPanelEdgeDark);
    SetColor(cr, palette::kPanelEdgeDark);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    if (chosen) {
        cairo_arc(cr, cx, cy, r * 0.62, 0, 2 * M_PI);
        SoftShadow(cr, 3, 0, 0, 0.9, palette::kLeaf);
        RadialGradient(cr, cx - 2, cy - 2.5, r * 0.8, Hex(0xD6FFB8), Hex(0x2F8F2C));
        FillAndOutline(cr, 1.1, Hex(0x1F5E1C));
        cairo_new_path(cr);
        cairo_arc(cr, cx - 1.8, cy - 2, 1.8, 0, 2 * M_PI);
        SetColor(cr, palette::kWhite, 0.9);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
}

void Menu2(cairo_t* cr) {
    InRegion(cr, 0, 0, 800, 600, [&] { DrawPanel(cr, 800, 600, true); });
    ButtonPair(cr, 50, 600, 150, 50, ButtonTone::kRose);   // reset all statistics
    RoundPair(cr, 250, 600, Icon::kOk);                     // back / OK
    InRegion(cr, 400, 600, 200, 50, [&] { DrawButton(cr, 200, 50, false, ButtonTone::kLeaf); });
    InRegion(cr, 600, 600, 24, 24, [&] { Selector(cr, false); });
    InRegion(cr, 600, 624, 24, 24, [&] { Selector(cr, true); });
    ButtonPair(cr, 0, 700, 300, 50, ButtonTone::kHoney);   // wide button, time panel
    ButtonPair(cr, 300, 700, 100, 50, ButtonTone::kHoney); // small button
    RoundPair(cr, 700, 700, Icon::kUp);
    RoundPair(cr, 750, 700, Icon::kDown);
}

}  // namespace

bool DrawMenuSheets(const std::string& dir) {
    bool ok = DrawSheet(dir, "menu1.PNG", 1000, 1000, Menu1);
    ok &= DrawSheet(dir, "menu2.PNG", 800, 800, Menu2);
    ok &= DrawSheet(dir, "menu3.PNG", 400, 700,
                    [](cairo_t* cr) { InRegion(cr, 0, 0, 400, 700, [&] { GameListPanel(cr); }); });
    return ok;
}

}  // namespace art
