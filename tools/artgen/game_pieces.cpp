// misc3.PNG (twelve square designs, off and on) and misc4.PNG (fruit weights, euro coins and
// notes, the money trays' frame strips and floor).
#include <cmath>

#include "fruit.h"
#include "motifs.h"
#include "sheets.h"

namespace art {
namespace {

const Rgb kDesignColors[12] = {palette::kBerry, palette::kSky,  palette::kLeaf, palette::kSun,
                               palette::kPlum,  palette::kTeal, Hex(0xFF7F50), Hex(0x3F6FD8),
                               Hex(0x9ACD32),   Hex(0xE05FB0),  Hex(0x20B2AA), Hex(0xB8860B)};

// Design d: a rounded tile with a symbol. Off: slate grey with a faint symbol; on: the bright
// colour with a white symbol and a glow, so the two differ even at 10 pixels.
void Design(cairo_t* cr, int d, bool on) {
    Rgb c = kDesignColors[d];
    cairo_new_path(cr);
    RoundedRect(cr, 1.5, 1.5, 47, 47, 8);
    if (on) {
        VerticalGradient(cr, 1, Lighter(c, 0.35), 49, Darker(c, 0.1));
    } else {
        VerticalGradient(cr, 1, Hex(0x4E5561), 49, Hex(0x30343C));
    }
    cairo_fill_preserve(cr);
    InnerShadow(cr, 4, 0, -2.5, 0.4, on ? Darker(c, 0.5) : Hex(0x22262E));
    SetColor(cr, on ? Darker(c, 0.55) : Hex(0x2A2E36));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    RoundedRect(cr, 5, 4, 40, 14, 6);
    SetColor(cr, palette::kWhite, on ? 0.35 : 0.12);
    cairo_fill(cr);
    cairo_new_path(cr);
    int symbol = d < 10 ? d : d - 8;
    if (on) {
        DrawSymbol(cr, symbol, 25, 26, 13, palette::kWhite, 1.2);
    } else {
        SymbolPath(cr, symbol, 25, 26, 13);
        SetColor(cr, Mix(c, Hex(0x434852), 0.65));
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_fill(cr);
    }
}

void Misc3(cairo_t* cr) {
    for (int d = 0; d < 12; ++d) {
        double x = 100 * (d % 6), y = 200 * (d / 6);
        InRegion(cr, x, y + 50, 50, 50, [&] { Design(cr, d, false); });
        InRegion(cr, x, y + 150, 50, 50, [&] { Design(cr, d, true); });
    }
}

// Euro coins: 2 and 1 euro two-toned, 50..10 cent gold, 5..1 cent copper.
void Coins(cairo_t* cr) {
    struct CoinKind {
        const char* value;
        double r;
        Rgb metal;
        bool twoTone;
        Rgb ring;
    };
    const CoinKind coins[8] = {{"2", 46, palette::kGold, true, palette::kSilver},
                               {"1", 43, palette::kSilver, true, palette::kGold},
                               {"50", 45, palette::kGold, false, {}},
                               {"20", 41, palette::kGold, false, {}},
                               {"10", 37, palette::kGold, false, {}},
                               {"5", 39, palette::kCopper, false, {}},
                               {"2", 35, palette::kCopper, false, {}},
                               {"1", 31, palette::kCopper, false, {}}};
    for (int i = 0; i < 8; ++i) {
        double x = 100 * (i % 4), y = 200 + 100 * (i / 4);
        InRegion(cr, x, y, 100, 100, [&] {
            const CoinKind& c = coins[i];
            DrawCoin(cr, 50, 50, c.r, c.metal, c.value, c.twoTone ? &c.ring : nullptr, 0.3);
        });
    }
}

void Note(cairo_t* cr, double w, double h, const char* value, Rgb color) {
    cairo_new_path(cr);
    RoundedRect(cr, 3, 3, w - 6, h - 7, 6);
    SoftShadow(cr, 4, 0, 2, 0.35);
    VerticalGradient(cr, 3, Lighter(color, 0.55), h, Lighter(color, 0.15));
    FillAndOutline(cr, 1.8, Darker(color, 0.5));
    cairo_new_path(cr);
    // A window-and-arch motif and a star ring, like the real notes.
    cairo_rectangle(cr, w * 0.32, h * 0.42, w * 0.26, h * 0.42);
    cairo_arc(cr, w * 0.45, h * 0.42, w * 0.13, M_PI, 2 * M_PI);
    SetColor(cr, Darker(color, 0.1), 0.5);
    cairo_fill(cr);
    for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6;
        cairo_new_path(cr);
        SymbolPath(cr, 0, w * 0.8 + h * 0.2 * std::cos(a), h * 0.5 + h * 0.2 * std::sin(a), 4);
        SetColor(cr, palette::kSun);
        cairo_fill(cr);
    }
    SelectFont(cr, Face::kSans, h * 0.38);
    cairo_move_to(cr, 12, h * 0.42);
    SetColor(cr, Darker(color, 0.6));
    cairo_show_text(cr, value);
    SelectFont(cr, Face::kSans, h * 0.22);
    cairo_move_to(cr, 12, h - 14);
    cairo_show_text(cr, "EURO");
}

// The money trays' rim: a rounded wooden rod, 5 pixels thick. The game stretches the
// horizontal strip (505,0)-(600,5) sideways and the vertical strip (500,5)-(505,100) downwards.
// The rod's colours reach two pixels past each strip's ends and sides, so that the filtering
// of the stretched picture blends rod with rod and no seam or fringe shows.
const Rgb kRod[5] = {Hex(0x8A531E), Hex(0xD79A55), Hex(0xF3C98A), Hex(0xC7812F), Hex(0x6E4016)};

void TrayStrips(cairo_t* cr) {
    for (int i = 0; i < 5; ++i) {
        // Horizontal strip: row i, from x 503 to 601.
        cairo_rectangle(cr, 503, i, 99, 1);
        SetColor(cr, kRod[i]);
        cairo_fill(cr);
        // Vertical strip: column 500 + i, from y 3 to 101.
        cairo_rectangle(cr, 500 + i, 3, 1, 99);
        SetColor(cr, kRod[i]);
        cairo_fill(cr);
    }
    // Below the horizontal strip and beside the vertical one: their outer colours.
    cairo_rectangle(cr, 505, 5, 97, 2);
    SetColor(cr, kRod[4]);
    cairo_fill(cr);
    cairo_rectangle(cr, 498, 5, 2, 97);
    SetColor(cr, kRod[0]);
    cairo_fill(cr);
    cairo_rectangle(cr, 505, 7, 2, 95);
    SetColor(cr, kRod[4]);
    cairo_fill(cr);
}

// The floor of a money tray, (410,110)-(490,190), stretched to the tray's inside: light paper
// with the rim's shadow along the top; it shades only from top to bottom, and its colours
// reach past the region so that stretching leaves no fringe.
void TraySurface(cairo_t* cr) {
    cairo_rectangle(cr, 403, 103, 94, 94);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 110, 0, 190);
    const Rgb shadow = Mix(palette::kPaperShade, palette::kPanelEdge, 0.35);
    cairo_pattern_add_color_stop_rgb(p, 0, shadow.r, shadow.g, shadow.b);
    cairo_pattern_add_color_stop_rgb(p, 0.06, palette::kPaperShade.r, palette::kPaperShade.g, palette::kPaperShade.b);
    cairo_pattern_add_color_stop_rgb(p, 0.12, palette::kPaper.r, palette::kPaper.g, palette::kPaper.b);
    cairo_pattern_add_color_stop_rgb(p, 1, palette::kPaperShade.r, palette::kPaperShade.g, palette::kPaperShade.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_fill(cr);
}

void Misc4(cairo_t* cr) {
    for (int p = 0; p < 8; ++p) InRegion(cr, 100 * (p % 4), 100 * (p / 4), 100, 100, [&] { DrawFruit(cr, p); });
    Coins(cr);
    struct NoteKind {
        double x, y, w, h;
        const char* value;
        Rgb color;
    };
    const NoteKind notes[7] = {{0, 450, 200, 100, "5", Hex(0x9AA39A)},   {0, 550, 220, 100, "10", Hex(0xD9564A)},
                               {0, 650, 240, 100, "20", Hex(0x4A7BD9)},  {0, 750, 240, 100, "50", Hex(0xE89A3C)},
                               {260, 450, 260, 120, "100", Hex(0x4FA35A)}, {260, 570, 270, 120, "200", Hex(0xD4B13C)},
                               {260, 690, 280, 120, "500", Hex(0x9B59B6)}};
    for (const NoteKind& n : notes)
        InRegion(cr, n.x, n.y, n.w, n.h, [&] { Note(cr, n.w, n.h, n.value, n.color); });
    TrayStrips(cr);
    TraySurface(cr);
}
}  // namespace

bool DrawGamePieceSheets(const std::string& dir) {
    bool ok = DrawSheet(dir, "misc3.PNG", 550, 400, Misc3);
    ok &= DrawSheet(dir, "misc4.PNG", 602, 850, Misc4);
    return ok;
}

}  // namespace art
