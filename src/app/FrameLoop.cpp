#include "app/FrameLoop.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "app/App.h"

int WaitMilliseconds(double now, double at) {
    if (std::isnan(at)) return 0;
    if (at == kNoChange) return -1;
    const double ms = std::ceil((at - now) * 1000.0);
    if (!(ms > 0.0)) return 0;
    // A day is as good as forever, and stays inside an int.
    return static_cast<int>(std::min(ms, 86400000.0));
}

LoopEnd RunFrameLoop(LoopPorts& ports) {
    double lastFrame = -kNoChange;  // no frame yet: the first one comes at once
    double due = -kNoChange;        // when the next frame is wanted without input
    bool input = false;
    SDL_Event event;
    while (ports.Running()) {
        // Sleep until the frame is due, handing on each event the moment it arrives. After
        // input the frame follows as soon as the frame period allows.
        for (;;) {
            const double earliest = lastFrame + kFramePeriod;
            const double at = input ? earliest : std::max(due, earliest);
            const int ms = WaitMilliseconds(ports.Now(), at);
            if (ms == 0) break;
            if (ports.WaitEvent(event, ms)) {
                input = true;
                if (!ports.Dispatch(event)) return LoopEnd::kQuit;
            }
            if (!ports.Running()) return LoopEnd::kStopped;
        }
        while (ports.PollEvent(event)) {
            input = true;
            if (!ports.Dispatch(event)) return LoopEnd::kQuit;
        }
        if (!ports.Running()) break;
        lastFrame = ports.Now();
        const bool changed = ports.Frame();
        // A changed picture may go on changing (an animation): the next frame comes one frame
        // period later and shows whether it did. So does the frame after input, which may
        // have started something the input's own frame does not show yet.
        const double until = changed || input ? 0.0 : ports.SecondsUntilChange();
        due = std::isnan(until) ? lastFrame : lastFrame + std::max(until, 0.0);
        input = false;
    }
    return LoopEnd::kStopped;
}
