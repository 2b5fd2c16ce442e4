#pragma once
// Shared drawing helpers of the art generator: one palette and one style for every sheet
// (the rules are written down in README.md beside this file).
#include <cairo.h>

#include <functional>
#include <string>

namespace art {

struct Rgb {
    double r, g, b;
};

// Colour from 0xRRGGBB.
constexpr Rgb Hex(unsigned v) {
    return Rgb{((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}
// Mixes a and b: t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double t);  // towards white
Rgb Darker(Rgb c, double t);   // towards black

// The palette.
namespace palette {
constexpr Rgb kInk = Hex(0x2A2238);         // outlines, dark detail, text on the art
constexpr Rgb kPaper = Hex(0xFFF9EE);       // panel faces (top)
constexpr Rgb kPaperShade = Hex(0xF6E9CF);  // panel faces (bottom), insets
constexpr Rgb kPanelEdge = Hex(0xC7812F);   // caramel rims of panels and buttons
constexpr Rgb kPanelEdgeDark = Hex(0x8A531E);
constexpr Rgb kAccent = Hex(0xFFC857);  // honey: button faces, highlights
constexpr Rgb kAccentHover = Hex(0xFFE9A6);
constexpr Rgb kGlow = Hex(0xFF9F1C);  // hover glow, pressed pointer
constexpr Rgb kSky = Hex(0x4FA3E0);
constexpr Rgb kLeaf = Hex(0x5DBB63);
constexpr Rgb kBerry = Hex(0xE0475B);
constexpr Rgb kPlum = Hex(0x7D5BC6);
constexpr Rgb kTeal = Hex(0x23A3A0);
constexpr Rgb kSun = Hex(0xFFB627);
constexpr Rgb kNight = Hex(0x173454);  // menu background, dark end
constexpr Rgb kDusk = Hex(0x2E7CA0);   // menu background, light end
constexpr Rgb kGold = Hex(0xF2C14E);
constexpr Rgb kSilver = Hex(0xD9DEE4);
constexpr Rgb kCopper = Hex(0xC9793F);
constexpr Rgb kWhite = Hex(0xFFFFFF);
}  // namespace palette

// A transparent ARGB surface of the given size.
cairo_surface_t* NewSheet(int width, int height);
// Writes the surface as PNG to dir/name; false on failure. The surface is destroyed.
bool SaveSheet(cairo_surface_t* surface, const std::string& dir, const std::string& name);
// Draws a whole sheet: a transparent w x h surface handed to draw, then saved as dir/name.
bool DrawSheet(const std::string& dir, const std::string& name, int w, int h,
               const std::function<void(cairo_t*)>& draw);
void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);
// Adds a rounded rectangle path.
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);

// Runs draw with the origin moved to (x, y) and everything clipped to the w x h region,
// so that no shadow or glow bleeds into a neighbouring region of the sheet.
void InRegion(cairo_t* cr, double x, double y, double w, double h,
              const std::function<void()>& draw);

// Vertical gradient from top colour at y0 to bottom colour at y1 as the source.
void VerticalGradient(cairo_t* cr, double y0, Rgb top, double y1, Rgb bottom, double alpha = 1.0);
// Radial gradient as the source: inner colour at the centre, outer at radius r.
void RadialGradient(cairo_t* cr, double cx, double cy, double r, Rgb inner, Rgb outer,
                    double innerAlpha = 1.0, double outerAlpha = 1.0);

// Darkens the edges of a w x h picture: colour c fades in from radius r0 (no alpha) to r1
// (alpha) around the centre.
void Vignette(cairo_t* cr, double w, double h, double r0, double r1, Rgb c, double alpha);

// A small deterministic random generator, so every build draws the same pictures.
class Random {
public:
    explicit Random(unsigned seed) : state_(seed * 2654435761u + 12345u) {}
    double Next() {  // 0 <= value < 1
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / 16777216.0;
    }
    double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }

private:
    unsigned state_;
};

// Soft drop shadow of the current path (the path is kept): the path's shape, blurred by
// blur pixels and moved by (dx, dy), painted in colour c with the given alpha.
void SoftShadow(cairo_t* cr, double blur, double dx, double dy, double alpha, Rgb c = palette::kInk);
// Soft shadow inside the current path (the path is kept), as if light came from above.
void InnerShadow(cairo_t* cr, double blur, double dx, double dy, double alpha, Rgb c = palette::kInk);
// Fills the current path (kept) with the source and strokes it with an ink outline.
void FillAndOutline(cairo_t* cr, double lineWidth, Rgb outline = palette::kInk);

// Text with cairo's own font selection: Comic Neue Bold is the display face.
enum class Face { kDisplay, kSans };
void SelectFont(cairo_t* cr, Face face, double size);
double TextWidth(cairo_t* cr, const std::string& utf8);
// Adds the text's outline to the path with its baseline starting at (x, y).
void TextPath(cairo_t* cr, const std::string& utf8, double x, double y);
// Outlined, shadowed text: ink outline of width outline, fill colour fill.
void OutlinedText(cairo_t* cr, const std::string& utf8, double x, double y, Rgb fill,
                  double outline, double shadowAlpha = 0.35);

}  // namespace art
