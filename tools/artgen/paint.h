#pragma once
// Shared drawing helpers of the art generator: one palette and one style for every sheet.
#include <cairo.h>

#include <string>

namespace art {

struct Rgb {
    double r, g, b;
};

// The palette (see README.md beside this file).
namespace palette {
constexpr Rgb kInk{0.13, 0.12, 0.16};        // outlines and dark detail
constexpr Rgb kPaper{0.99, 0.97, 0.92};      // panel faces
constexpr Rgb kPanelEdge{0.55, 0.42, 0.30};  // panel rims
constexpr Rgb kAccent{0.96, 0.62, 0.18};     // buttons (warm orange)
constexpr Rgb kAccentHover{1.00, 0.76, 0.32};
constexpr Rgb kSky{0.42, 0.68, 0.90};
constexpr Rgb kLeaf{0.40, 0.72, 0.38};
constexpr Rgb kBerry{0.85, 0.27, 0.36};
}  // namespace palette

// A transparent ARGB surface of the given size.
cairo_surface_t* NewSheet(int width, int height);
// Writes the surface as PNG to dir/name; false on failure. The surface is destroyed.
bool SaveSheet(cairo_surface_t* surface, const std::string& dir, const std::string& name);
void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);
// Adds a rounded rectangle path.
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);

}  // namespace art
