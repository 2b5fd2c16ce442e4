#pragma once
// One card of the pairs game: a square card lying at a point of the screen, face down with
// one of three back designs or face up with its picture.
#include "framework/Types.h"

struct AppContext;

struct MemoryCard {
    MemoryCard(int pairId, Vec2 centre, double size, int backDesign);

    void TurnUp() { faceUp = true; }
    void TurnDown() { faceUp = false; }
    bool SamePair(const MemoryCard& other) const { return pairId == other.pairId; }
    double DistanceTo(float x, float y) const;
    // Only the circle inscribed in the card takes clicks; its corners do not.
    bool HitTest(float x, float y) const { return DistanceTo(x, y) <= size / 2; }
    // The shadow, then the blank face with the picture or the back.
    // Face down when concealed, whichever side is up.
    void Draw(bool concealed = false) const;

    AppContext* app = nullptr;
    int pairId = 0;
    bool faceUp = false;
    Vec2 centre;
    double size = 100.0;
    int backDesign = 0;
};
