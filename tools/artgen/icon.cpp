// The application icon: a night-blue tile with four interlocking puzzle pieces, the fourth
// lifted out of its place (the still life of the splash picture, reduced to its sign).
// Drawn on a 256-unit grid and scaled to each size; lines never get thinner than a pixel.
#include <cairo-svg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "motifs.h"
#include "sheets.h"

namespace art {
namespace {
constexpr double kGrid = 256;
// The tile, inside a margin that leaves room for its shadow.
constexpr double kTileX = 18, kTileY = 14, kTileSize = 220, kTileRadius = 50;
// The pieces: side, and the top-left corner of the two-by-two block.
constexpr double kPiece = 62, kBlockX = 60, kBlockY = 58;

// A line width of `units` on the grid, but at least minPixels on the output.
double Width(double units, double scale, double minPixels = 1.0) {
    return std::max(units, minPixels / scale);
}
// The shadow helpers blur and offset in output pixels; these take grid units.
void Shadow(cairo_t* cr, double scale, double blur, double dx, double dy, double alpha, Rgb c) {
    SoftShadow(cr, blur * scale, dx * scale, dy * scale, alpha, c);
}
void Inner(cairo_t* cr, double scale, double blur, double dx, double dy, double alpha, Rgb c) {
    InnerShadow(cr, blur * scale, dx * scale, dy * scale, alpha, c);
}

void Tile(cairo_t* cr, double scale) {
    cairo_new_path(cr);
    RoundedRect(cr, kTileX, kTileY, kTileSize, kTileSize, kTileRadius);
    Shadow(cr, scale, 12, 0, 8, 0.5, palette::kInk);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    RadialGradient(cr, 128, 100, 190, palette::kDusk, palette::kNight);
    cairo_fill_preserve(cr);
    // Light falling in from the top, as on the menu scenery.
    RadialGradient(cr, 128, -20, 200, Hex(0x9FE3F0), Hex(0x9FE3F0), 0.3, 0.0);
    cairo_fill_preserve(cr);
    cairo_restore(cr);
    Inner(cr, scale, 8, 0, 4, 0.35, palette::kWhite);
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, Width(3, scale));
    cairo_stroke(cr);
}

// A piece centred on (cx, cy), turned by angle: gradient face, shine, ink-dark outline.
void Piece(cairo_t* cr, double scale, double cx, double cy, double angle, Rgb color, PieceSides sides,
           double shadowAlpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_translate(cr, -kPiece / 2, -kPiece / 2);
    cairo_new_path(cr);
    PuzzlePiecePath(cr, kPiece, sides);
    Shadow(cr, scale, kPiece * 0.14, kPiece * 0.03, kPiece * 0.08, shadowAlpha, Hex(0x050F1C));
    VerticalGradient(cr, -0.3 * kPiece, Lighter(color, 0.35), 1.3 * kPiece, Darker(color, 0.12));
    cairo_fill_preserve(cr);
    Inner(cr, scale, kPiece * 0.08, -kPiece * 0.03, -kPiece * 0.05, 0.35, Darker(color, 0.5));
    Inner(cr, scale, kPiece * 0.06, kPiece * 0.03, kPiece * 0.04, 0.55, palette::kWhite);
    SetColor(cr, Darker(color, 0.6));
    cairo_set_line_width(cr, Width(2.4, scale));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawIcon(cairo_t* cr, double size) {
    const double scale = size / kGrid;
    cairo_scale(cr, scale, scale);
    Tile(cr, scale);
    const double h = kPiece / 2;
    Piece(cr, scale, kBlockX + h, kBlockY + h, 0, palette::kSun, {0, 1, -1, 0}, 0.45);
    Piece(cr, scale, kBlockX + kPiece + h, kBlockY + h, 0, palette::kSky, {0, 0, 1, -1}, 0.45);
    Piece(cr, scale, kBlockX + h, kBlockY + kPiece + h, 0, palette::kLeaf, {1, -1, 0, 0}, 0.45);
    // The fourth piece, lifted and turned, throws a longer shadow.
    Piece(cr, scale, kBlockX + kPiece + h + 22, kBlockY + kPiece + h + 18, 0.42, palette::kBerry,
          {-1, 0, 0, 1}, 0.6);
    // Sparkles vanish below 64 pixels; there they would only be noise.
    if (size >= 64) {
        DrawSparkle(cr, 204, 58, 15, 0.95);
        DrawSparkle(cr, 54, 206, 10, 0.75);
    }
}

bool DrawPng(const std::string& dir, int size) {
    char name[64];
    std::snprintf(name, sizeof name, "icon-%d.png", size);
    return DrawSheet(dir, name, size, size, [size](cairo_t* cr) { DrawIcon(cr, size); });
}

bool DrawSvg(const std::string& dir) {
    std::string path = dir + "/icon.svg";
    cairo_surface_t* s = cairo_svg_surface_create(path.c_str(), kGrid, kGrid);
    cairo_svg_surface_set_document_unit(s, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(s);
    DrawIcon(cr, kGrid);
    bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_finish(s);
    ok = ok && cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    if (!ok) std::fprintf(stderr, "artgen: could not write %s\n", path.c_str());
    return ok;
}
}  // namespace

bool DrawIcons(const std::string& dir) {
    bool ok = true;
    for (int size : {48, 64, 128, 256}) ok &= DrawPng(dir, size);
    ok &= DrawSvg(dir);
    return ok;
}

}  // namespace art
