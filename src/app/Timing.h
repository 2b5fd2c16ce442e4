#pragma once
#include <cstdint>

struct AppContext;

// The program-wide accumulators of the timing step.
struct FrameClock {
    double animAccumulator = 0.0;
    double updateCarry = 0.0;
};
FrameClock& GetFrameClock();

// Reads the counter into lastCounter and chooses the tick length (high-resolution counter,
// or the millisecond tick count).
void StartTiming(AppContext& app);
// The current counter value in the unit of secondsPerTick.
int64_t ReadCounter(const AppContext& app);

// The longest time step a frame hands on, however long the frame took.
constexpr double kMaxTimeStep = 0.25;
// While a game is played, frames come at least this often even when the picture stands
// still, so that a planned wait never comes near the cap (the game's time would lose it).
constexpr double kPlayFramePeriod = 0.125;

// One timing step for the counter value now: frameTime (0 while paused), realFrameTime (both
// at most kMaxTimeStep), frameTimeCut (what the cap took off, 0 while paused), at most one animation
// tick per frame, and the update carry. Returns
// true when the screen's Update is due (frameTime then holds the carried step).
bool TimingStep(AppContext& app, FrameClock& clock, int64_t now);
