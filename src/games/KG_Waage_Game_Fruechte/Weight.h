#pragma once
// A piece of fruit on the balance game's table, labelled with its mass. Its position is its
// foot: the fruit stands on it. Fixed weights (placed on a pan by the task) are drawn dimmed
// with a red label and cannot be picked up.
#include "framework/Types.h"

struct AppContext;

struct Weight {
    Weight(float x, float y, int grams, bool movable, int picture);

    void Draw() const;
    // One frame of gliding towards the target.
    void Move();
    // The fruit and its label take clicks.
    bool Contains(float x, float y) const;
    // The rectangle that takes clicks.
    Rect Bounds() const;
    void MoveTargetBy(float dx, float dy) {
        target.x += dx;
        target.y += dy;
    }

    int picture;
    AppContext* app;
    bool movable;
    Vec2 position;
    Vec2 target;
    int grams;
    double scale = 0.5;
};
