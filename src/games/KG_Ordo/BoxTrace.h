#pragma once
// The path of a ray through the 8 x 8 box of the atom game. A place on the edge is given in
// box coordinates: x -1 (left side) or 8 (right side) with y 0..7, or y -1 (top) or 8
// (bottom) with x 0..7. Tracing only reads the box; the same rule serves firing a probe (with
// the hidden atoms) and checking the player's marks (with the marked cells).
#include <array>

using BoxGrid = std::array<std::array<bool, 8>, 8>;  // [x][y]: the cell holds an atom

enum RayDirection { kRayUp = 0, kRayDown = 1, kRayRight = 2, kRayLeft = 3 };

struct BoxTrace {
    enum Kind { kAbsorbed, kReflected, kLeft } kind = kAbsorbed;
    int cellX = -1, cellY = -1;  // the atom that absorbed or reflected the ray
    int exitX = -1, exitY = -1;  // where a ray that left the box came out
    int steps = 0;               // cells crossed
};

bool IsEdgePlace(int x, int y);
// The direction a ray fired from a place starts in: into the box.
int StartDirection(int placeX, int placeY);
BoxTrace TraceRay(const BoxGrid& atoms, int placeX, int placeY);
// Whether every place of the edge gives the same result through both boxes: absorbed,
// reflected at once, or out at the same place.
bool SameAtEveryPlace(const BoxGrid& a, const BoxGrid& b);
