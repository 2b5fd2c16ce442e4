#pragma once
// Where the round buttons of the sequence game lie: scattered at random over the screen, each
// at least one diameter from every other centre, so no two overlap (they may just touch).
#include <vector>

#include "framework/Types.h"

struct ButtonPlacement {
    std::vector<Vec2> centres;
    // Buttons that found no free place within the allowed draws and took the drawn place
    // farthest from its neighbours instead (only on a screen far too small for them).
    int crowded = 0;
};

// Random draws allowed for one button before it settles for the best place seen. The first
// level blocks at most about a third of the area, so this is never reached on the canvas.
constexpr int kDrawsPerButton = 100000;

// Centres for count buttons of the given diameter on a screen of width x height, drawn with
// rand(): first y, then x, each kept 100 pixels plus one diameter from the edges.
ButtonPlacement PlaceButtons(int count, double size, int screenWidth, int screenHeight,
                             int drawsPerButton = kDrawsPerButton);
