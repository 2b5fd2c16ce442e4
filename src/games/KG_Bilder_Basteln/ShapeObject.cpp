#include "games/KG_Bilder_Basteln/ShapeObject.h"

#include <algorithm>
#include <cmath>

#include "app/AppContext.h"
#include "games/KG_Bilder_Basteln/LevelReader.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
}

int ShapeObject::SymmetryDegrees(int type) {
    switch (type) {
        case 0: return 90;   // square
        case 2: return 120;  // equilateral triangle
        case 3: return 180;  // rectangle
        default: return 1;   // circle: every turn looks the same
    }
}

ShapeObject::ShapeObject() : app(GetAppContext()) {}

ShapeObject::ShapeObject(const picture::LevelObject& o)
    : sizeFactor(o.sizeFactor), app(GetAppContext()), type(o.type), rotation(picture::NormalizeRotation(o.rotation)),
      position{o.x, o.y}, scale{o.scaleX, o.scaleY} {}

bool ShapeObject::HitTest(double x, double y) const {
    const double half = kHalfSide * sizeFactor;
    return std::fabs(x - position.x) <= half && std::fabs(y - position.y) <= half;
}

void ShapeObject::AddRotation(int degrees) { rotation = picture::NormalizeRotation(static_cast<long long>(rotation) + degrees); }

void ShapeObject::AddSize(double change) {
    // Kept on the tenths, so that repeated steps never drift away from the sizes of the level.
    const double size = std::round((sizeFactor + change) / kSizeStep) * kSizeStep;
    sizeFactor = std::clamp(size, picture::kMinSizeFactor, picture::kMaxSizeFactor);
}

bool ShapeObject::Fits(const ShapeObject& s) const {
    if (type != s.type) return false;
    const double dx = static_cast<double>(position.x) - s.position.x;
    const double dy = static_cast<double>(position.y) - s.position.y;
    if (!(dx * dx + dy * dy <= kFitDistance * kFitDistance)) return false;
    if (!(std::fabs(sizeFactor - s.sizeFactor) <= kFitSizeDifference + 1e-9)) return false;
    const int symmetry = SymmetryDegrees(type);
    if (symmetry <= 1) return true;
    if (rotation % symmetry != s.rotation % symmetry) return false;
    return type != 2 || scale.y == s.scale.y;
}

void ShapeObject::TakeOver(const ShapeObject& other) {
    position = other.position;
    scale = other.scale;
    rotation = other.rotation;
}

// The 100 x 100 picture is scaled, turned about its own centre and laid with that centre on
// the position.
void ShapeObject::Draw(Color color, Vec2 offset) const {
    if (app == nullptr || type < 0 || type > 3) return;
    const Rect src{200 * type, 150, 200 * type + 100, 250};
    const float sf = static_cast<float>(sizeFactor);
    const Vec2 drawScale{scale.x * sf, scale.y * sf};
    const Vec2 centre{static_cast<float>(kHalfSide) * drawScale.x, static_cast<float>(kHalfSide) * drawScale.y};
    const Vec2 at{position.x - centre.x + offset.x, position.y - centre.y + offset.y};
    app->DrawSprite(app->texMisc1, &src, &drawScale, &centre, rotation * kPi / 180.0, &at, color);
}

// The point is taken back into the 100 x 100 picture (undoing the turn about the centre, then
// the scaling) and tested against the outline drawn there: a square of 80, a circle of 80
// across, an equilateral triangle of side 80 about its centroid, a rectangle of 80 x 40.
bool ShapeObject::Covers(double x, double y) const {
    const double sx = scale.x * sizeFactor, sy = scale.y * sizeFactor;
    if (!(std::fabs(sx) > 1e-6 && std::fabs(sy) > 1e-6)) return false;
    const double a = rotation * kPi / 180.0, c = std::cos(a), s = std::sin(a);
    const double dx = x - position.x, dy = y - position.y;
    const double u = (c * dx + s * dy) / sx, v = (c * dy - s * dx) / sy;
    constexpr double kHalf = 40.0;
    switch (type) {
        case 0: return std::fabs(u) <= kHalf && std::fabs(v) <= kHalf;
        case 1: return u * u + v * v <= kHalf * kHalf;
        case 2: {
            // Apex up at the circumradius; the base lies half that radius below the centre.
            const double r = 2 * kHalf / std::sqrt(3.0);
            if (v > r / 2) return false;
            return std::fabs(u) <= (v + r) / std::sqrt(3.0);
        }
        case 3: return std::fabs(u) <= kHalf && std::fabs(v) <= kHalf / 2;
        default: return false;
    }
}
