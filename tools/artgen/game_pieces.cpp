// misc3.PNG (twelve square designs, off and on) and misc4.PNG (fruit weights, euro coins and
// notes, the money trays' frame strips and floor).
#include <algorithm>
#include <cmath>
#include <functional>

#include "fruit.h"
#include "motifs.h"
#include "sheets.h"

namespace art {
namespace {

const Rgb kDesignColors[12] = {palette::kBerry, palette::kSky,  palette::kLeaf, palette::kSun,
                               palette::kPlum,  palette::kTeal, Hex(0xFF7F50), Hex(0x3F6FD8),
                               Hex(0x9ACD32),   Hex(0xE05FB0),  Hex(0x20B2AA), Hex(0xB8860B)};

// Design d: a round lamp in the circle inscribed in its 50 x 50 box, the corners left
// transparent. The pattern games lay the lamps edge to edge as the cells of a grid (the clear
// corners and the dark rim keep neighbours apart even without a gap), the other memory game
// uses them as round buttons with a circular hit test. Off: dark smoked glass with a faint hint
// of the colour and the symbol. On: the colour glowing from a light centre with a white symbol,
// far brighter than off, so the two tell apart by brightness alone down to 10 pixels.
constexpr double kLampRadius = 22.0;  // glass; the rim reaches 23.9, inside the 25 of the box
constexpr Rgb kSmoke = Hex(0x3A3F4A);

void LampPath(cairo_t* cr, double r) {
    cairo_new_path(cr);
    cairo_arc(cr, 25, 25, r, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void Design(cairo_t* cr, int d, bool on) {
    const Rgb c = kDesignColors[d];
    // The rim: a dark ring, lit from the top left.
    LampPath(cr, kLampRadius + 1.9);
    VerticalGradient(cr, 1, on ? Darker(c, 0.35) : Hex(0x4A505C), 49, on ? Darker(c, 0.7) : Hex(0x1C1F26));
    cairo_fill(cr);
    // The glass.
    LampPath(cr, kLampRadius);
    if (on) {
        RadialGradient(cr, 21, 19, kLampRadius * 1.35, Lighter(c, 0.8), Darker(c, 0.05));
    } else {
        RadialGradient(cr, 21, 19, kLampRadius * 1.35, Mix(kSmoke, c, 0.28), Darker(kSmoke, 0.45));
    }
    cairo_fill_preserve(cr);
    InnerShadow(cr, 4, 0, -2, on ? 0.35 : 0.5, on ? Darker(c, 0.55) : Hex(0x101218));
    cairo_new_path(cr);
    // The symbol.
    const int symbol = d < 10 ? d : d - 8;
    if (on) {
        // Outlined in a deeper shade of the colour rather than ink: shrunk to 10 pixels, an ink
        // outline would leave dark specks in the middle of a lit lamp.
        // The outline first and the fill over it: symbols made of overlapping parts (the plus)
        // keep no seams inside.
        SymbolPath(cr, symbol, 25, 26, 10.5);
        SetColor(cr, Darker(c, 0.3));
        cairo_set_line_width(cr, 2.0);
        cairo_stroke_preserve(cr);
        SetColor(cr, palette::kWhite);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_fill(cr);
    } else {
        SymbolPath(cr, symbol, 25, 26, 10.5);
        SetColor(cr, Mix(kSmoke, c, 0.35));
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_fill(cr);
    }
    // The shine on the upper half of the glass.
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, 22, 13.5);
    cairo_scale(cr, 1.0, 0.55);
    cairo_arc(cr, 0, 0, 12, 0, 2 * M_PI);
    cairo_restore(cr);
    RadialGradient(cr, 22, 12, 12, palette::kWhite, palette::kWhite, on ? 0.75 : 0.3, 0.0);
    cairo_fill(cr);
}

void Misc3(cairo_t* cr) {
    for (int d = 0; d < 12; ++d) {
        double x = 100 * (d % 6), y = 200 * (d / 6);
        InRegion(cr, x, y + 50, 50, 50, [&] { Design(cr, d, false); });
        InRegion(cr, x, y + 150, 50, 50, [&] { Design(cr, d, true); });
    }
}

// Euro coins: 2 and 1 euro two-toned, 50..10 cent gold, 5..1 cent copper.
// A cell of w x h whose picture is shrunk a little about (fixedX, fixedY) (a point on the
// bottom edge moves two pixels up) and kept two pixels clear of the cell's edges: a sprite
// scaled with filtering reads a pixel beyond its region, and a neighbour's shadow there would
// show as a faint dash along the sprite's edge.
void InPaddedCell(cairo_t* cr, double x, double y, double w, double h, double fixedX, double fixedY,
                  const std::function<void()>& draw) {
    constexpr double kPad = 2;
    const double shrink = std::min((w - 2 * kPad) / w, (h - 2 * kPad) / h);
    InRegion(cr, x, y, w, h, [&] {
        cairo_rectangle(cr, kPad, kPad, w - 2 * kPad, h - 2 * kPad);
        cairo_clip(cr);
        cairo_translate(cr, fixedX, std::min(fixedY, h - kPad));
        cairo_scale(cr, shrink, shrink);
        cairo_translate(cr, -fixedX, -fixedY);
        draw();
    });
}

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
        InPaddedCell(cr, x, y, 100, 100, 50, 50, [&] {
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
    // The fruit keep standing on the bottom centre, now two pixels above the cell's edge.
    for (int p = 0; p < 8; ++p) InPaddedCell(cr, 100 * (p % 4), 100 * (p / 4), 100, 100, 50, 100, [&] { DrawFruit(cr, p); });
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
        InPaddedCell(cr, n.x, n.y, n.w, n.h, n.w / 2, n.h / 2, [&] { Note(cr, n.w, n.h, n.value, n.color); });
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
