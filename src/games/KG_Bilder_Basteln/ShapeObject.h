#pragma once
// One shape of picture building: a square, circle, triangle or rectangle from the shape row of
// misc1, lying with its centre at `position`, turned by `rotation` degrees and sized by
// `sizeFactor` (times the per-axis `scale` of the level file). Silhouettes and the movable
// shapes are both ShapeObjects.
#include "framework/Types.h"

struct AppContext;

namespace picture {
struct LevelObject;
}

struct ShapeObject {
    // The turns after which a shape of each type looks the same again.
    static int SymmetryDegrees(int type);
    // How close a shape must come to its silhouette to fit.
    static constexpr double kFitDistance = 10.0;
    static constexpr double kFitSizeDifference = 0.05;
    // The key steps.
    static constexpr double kSizeStep = 0.1;
    static constexpr int kTurnStep = 15;
    // Half the side of the shape's picture at size 1.
    static constexpr double kHalfSide = 50.0;

    ShapeObject();
    explicit ShapeObject(const picture::LevelObject& o);

    // The square around the centre that takes clicks (edges included).
    bool HitTest(double x, double y) const;
    void SetPosition(float x, float y) { position = Vec2{x, y}; }
    // Adds degrees and brings the rotation back into 0..359.
    void AddRotation(int degrees);
    // Adds to the size factor, kept within 0.4..2.0 and on the 0.1 steps.
    void AddSize(double change);
    // Same type, centres at most 10 pixels apart, size factors at most 0.05 apart, and the same
    // turn as far as the type's symmetry tells (a triangle needs the same vertical scale too).
    bool Fits(const ShapeObject& silhouette) const;
    // Takes over position, scale and rotation of the other shape (snapping onto it); the size
    // factor stays.
    void TakeOver(const ShapeObject& other);
    // Draws the shape tinted with colour, shifted by offset.
    void Draw(Color color, Vec2 offset = {}) const;

    double sizeFactor = 1.0;
    AppContext* app = nullptr;
    int type = 0;
    int rotation = 0;
    Vec2 position;
    Vec2 scale{1.0f, 1.0f};
    // Untinted while the picture is built; a silhouette holds the colour its shape takes on
    // when the picture is finished.
    Color color = 0xFFFFFFFF;

    // Whether the shape as drawn covers the point: its outline, turned and scaled as on the
    // screen, not the square around it.
    bool Covers(double x, double y) const;
};
