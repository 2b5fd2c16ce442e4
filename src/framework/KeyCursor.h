#pragma once
// Play by keys: a cursor that the arrow keys move between the places a game declares (cells,
// cards, buttons, pegs, pieces), and that Space or Enter acts on as a left click at the
// place's point would. A press that picks a piece up carries it: the arrows then move it (in
// steps, or from place to place), Space or Enter puts it down.
#include <cstdint>
#include <vector>

#include "framework/Types.h"

// A place of the cursor: the area its ring goes round, and the point a click on it hits.
struct KeyPlace {
    Rect area;
    int x = 0, y = 0;
};

// A place round a centre point, half a side wide each way.
KeyPlace PlaceAround(float x, float y, float half);
KeyPlace PlaceAround(float x, float y, float halfWidth, float halfHeight);
// A place covering a rectangle, clicked at its middle.
KeyPlace PlaceOver(Rect area);

enum class KeyDirection { kLeft, kRight, kUp, kDown };

// The place to go to from a point in a direction: the nearest place whose point lies that way
// (straight ahead counts more than aside); -1 when there is none.
int NextPlace(const std::vector<KeyPlace>& places, int fromX, int fromY, KeyDirection direction);
// The place whose point it is, else the place whose area holds it, else the place whose point is
// nearest; -1 for none.
int PlaceAt(const std::vector<KeyPlace>& places, int x, int y);

// Where the cursor is, what it carries, and whether it has been placed yet.
struct KeyCursorState {
    int x = 0, y = 0;
    bool placed = false;
    bool carrying = false;   // a piece picked up by keys is held
    bool actKeyDown = false; // the Space or Enter press that acted is still down
};

// Draws the cursor's ring round an area (a thick ring with a dark edge on both sides, so that it
// shows on light and dark backgrounds alike).
void DrawKeyRing(Rect area);
