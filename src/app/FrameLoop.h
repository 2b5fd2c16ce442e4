#pragma once
// The waiting main loop. A frame is run when something can have changed: input came, the last
// frame differed from the one before (an animation is under way), or the screen's next change
// is due (the next second of a clock, the end of a pause). In between the loop sleeps in the
// event queue, so an idle screen costs nothing. Frames are at most kFramePeriod apart while
// anything moves; input is handed on the moment it arrives.
#include "framework/Game.h"  // kNoChange

union SDL_Event;

// What the loop drives; the program's ports talk to SDL, the tests' to a fake clock.
class LoopPorts {
public:
    virtual ~LoopPorts() = default;
    // Seconds on a steady clock.
    virtual double Now() = 0;
    // Waits at most timeoutMs (-1: without limit) for an event; false when none came.
    virtual bool WaitEvent(SDL_Event& event, int timeoutMs) = 0;
    virtual bool PollEvent(SDL_Event& event) = 0;
    // Hands an event on; false when it ends the program.
    virtual bool Dispatch(const SDL_Event& event) = 0;
    // Advances the timing, updates and draws; returns whether the picture changed.
    virtual bool Frame() = 0;
    // Seconds from now until the screen can change by itself (kNoChange: only input changes it).
    virtual double SecondsUntilChange() = 0;
    // False once the program is to leave the loop.
    virtual bool Running() = 0;
};

enum class LoopEnd { kStopped, kQuit };

// Milliseconds to wait from now until the moment at, rounded up (so the wait never ends too
// early); -1 for a moment that never comes (kNoChange), 0 for one that has passed.
int WaitMilliseconds(double now, double at);

// Runs frames until Running() turns false (kStopped) or an event ends the program (kQuit).
LoopEnd RunFrameLoop(LoopPorts& ports);
