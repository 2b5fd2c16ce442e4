#pragma once
// One tile of the sliding puzzle: the piece of the picture that belongs in cell (homeCol,
// homeRow), gliding towards the screen place of the cell it lies in now. A plain record,
// copied and swapped by value.
#include "framework/Types.h"

struct AppContext;

struct PuzzleTile {
    static constexpr double kGlideSpeed = 5.0;
    // The picture region of the sheet the tiles are cut from: picture p is the 200 x 200
    // square at (200 p, 500).
    static constexpr int kPictureSize = 200;
    static constexpr int kPictureTop = 500;

    // Edges included.
    bool Contains(float x, float y) const {
        return position.x <= x && x <= position.x + size.x && position.y <= y && y <= position.y + size.y;
    }
    void GlideStep(double dt);
    void SetTarget(Vec2 t, double speed) {
        target = t;
        glideSpeed = speed;
    }
    bool AtHome(int col, int row) const { return homeCol == col && homeRow == row; }
    // The part of the picture this tile shows. Edges on the picture's border are pulled in by
    // one texel, so that filtering never blends in the neighbouring region of the sheet.
    Rect SourceRect() const;
    // A shadow, then the picture part; the hole is not drawn.
    void Draw() const;

    AppContext* app = nullptr;
    bool isHole = false;
    int homeCol = 0, homeRow = 0;
    int gridSize = 3;
    Vec2 target;
    Vec2 position;
    Vec2 size;
    int picture = 0;
    double glideSpeed = 0.0;
};
