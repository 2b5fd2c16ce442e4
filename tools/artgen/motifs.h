#pragma once
// The recurring pictures of the collection (puzzle pieces, clocks, coins, cards, flags, icons),
// drawn in the common style, so that splash, menu and games share them.
#include <string>
#include <vector>

#include "paint.h"

namespace art {

// Puzzle piece: a square of side s with its top-left corner at (0, 0) in the current user
// space; each side has a knob (+1), a hole (-1) or is flat (0): top, right, bottom, left.
struct PieceSides {
    int top, right, bottom, left;
};
void PuzzlePiecePath(cairo_t* cr, double s, PieceSides sides);
// A finished piece centred on (cx, cy), turned by angle (radians), with shadow and shine.
void DrawPuzzlePiece(cairo_t* cr, double cx, double cy, double s, double angle, Rgb color,
                     PieceSides sides, double shadowAlpha = 0.4);

// Analogue clock: rim colour, face, hour marks, hands at the given time.
void DrawClock(cairo_t* cr, double cx, double cy, double r, double hours, double minutes,
               Rgb rim, bool numerals = false, bool hands = true, double shadowAlpha = 0.4);

// Coin of radius r; metal is the base colour, ring an optional second metal (two-tone coins).
void DrawCoin(cairo_t* cr, double cx, double cy, double r, Rgb metal, const std::string& value = "",
              const Rgb* ring = nullptr, double shadowAlpha = 0.35);
// A coin seen from the side in a stack (an ellipse with its edge), y is the top face centre.
void DrawCoinStack(cairo_t* cr, double cx, double bottomY, double r, int count, Rgb metal);

// Card: rounded rectangle w x h centred on (cx, cy), turned by angle; back shows a lattice,
// front a white face with a symbol drawn by the caller (the transform is left set up when
// keepTransform is true, origin at the card centre).
void DrawCardBack(cairo_t* cr, double cx, double cy, double w, double h, double angle, Rgb color);
void DrawCardFront(cairo_t* cr, double cx, double cy, double w, double h, double angle,
                   Rgb symbolColor, int symbol);

// Symbols centred on (cx, cy) with size r: 0 star, 1 heart, 2 diamond, 3 circle, 4 triangle,
// 5 moon, 6 drop, 7 flower, 8 bolt, 9 plus. Filled with colour and an ink outline.
void SymbolPath(cairo_t* cr, int symbol, double cx, double cy, double r);
void DrawSymbol(cairo_t* cr, int symbol, double cx, double cy, double r, Rgb color, double outline);

// Check mark (tick) fitting a box of size s at (x, y): green with ink outline.
void DrawTick(cairo_t* cr, double x, double y, double s, Rgb color = palette::kLeaf);
// Arrow head pointing up (dir +1) or down (dir -1) centred on (cx, cy).
void DrawArrowHead(cairo_t* cr, double cx, double cy, double s, int dir, Rgb color);

// Flags w x h with top-left (x, y), slightly rounded, with a thin ink border.
void DrawGermanFlag(cairo_t* cr, double x, double y, double w, double h);
void DrawBritishFlag(cairo_t* cr, double x, double y, double w, double h);

// Four-pointed sparkle.
void DrawSparkle(cairo_t* cr, double cx, double cy, double r, double alpha);

// Where one letter of the word mark is while it moves in: moved by (dx, dy), scaled about its
// centre, and painted with the given opacity. The default pose is the letter at rest.
struct LetterPose {
    double dx = 0, dy = 0, scale = 1, alpha = 1;
    bool AtRest() const { return dx == 0 && dy == 0 && scale == 1 && alpha == 1; }
};

// The name of the collection as a word mark: chunky letters in the palette colours, each
// a little turned and lifted, ink outline and shadow. (x, baseline) is the start; returns the
// width of the word. With poses (one per letter) the letters are drawn where the poses put
// them; letters with alpha 0 are left out.
double DrawTitleWord(cairo_t* cr, const std::string& word, double x, double baseline, double size,
                     const std::vector<LetterPose>* poses = nullptr);
double TitleWordWidth(cairo_t* cr, const std::string& word, double size);

}  // namespace art
