#include "app/Timing.h"

#include <SDL.h>

#include <algorithm>

#include "app/AppContext.h"

FrameClock& GetFrameClock() {
    static FrameClock clock;
    return clock;
}

void StartTiming(AppContext& app) {
    Uint64 frequency = SDL_GetPerformanceFrequency();
    if (frequency != 0) {
        app.hasPerfCounter = true;
        app.secondsPerTick = 1.0 / static_cast<double>(frequency);
    } else {
        app.hasPerfCounter = false;
        app.secondsPerTick = 0.001;
    }
    app.lastCounter = ReadCounter(app);
}

int64_t ReadCounter(const AppContext& app) {
    if (app.hasPerfCounter) return static_cast<int64_t>(SDL_GetPerformanceCounter());
    return static_cast<int64_t>(SDL_GetTicks());
}

bool TimingStep(AppContext& app, FrameClock& clock, int64_t now) {
    app.nowCounter = now;
    // A stalled machine, a suspend or a window that drew nothing for a while must not hand a
    // game the whole time in one step.
    const double measured = static_cast<double>(app.nowCounter - app.lastCounter) * app.secondsPerTick;
    const double step = std::min(measured, kMaxTimeStep);
    app.frameTimeCut = app.paused ? 0.0 : measured - step;
    app.frameTime = app.paused ? 0.0 : step;
    app.realFrameTime = step;
    app.lastCounter = app.nowCounter;

    clock.animAccumulator += app.frameTime;
    if (clock.animAccumulator > 0.075) {
        clock.animAccumulator = 0.0;
        ++app.animTick;
    }

    clock.updateCarry += app.frameTime;
    if (clock.updateCarry >= 0.0) {
        app.frameTime = clock.updateCarry;
        clock.updateCarry = 0.0;
        return true;
    }
    return false;
}
