#pragma once
// Pieces that move towards a target by a share of the remaining way each frame:
// position += (target - position) * dt * rate. After a long frame (a stall, a device reset
// that hands over the whole lost time) the share passes 1 and the piece would overshoot or
// swing off to infinity; the share is limited to 1, so a long frame lands on the target.
// A piece closer than a thousandth (of a pixel, of a degree) to its target lands on it, so that
// it comes to rest instead of creeping on for ever and its frames become identical.
#include <algorithm>
#include <cmath>

#include "framework/Types.h"

// The share of the remaining way covered in a frame of dt seconds: 0..1 (0 for NaN).
inline double GlideShare(double dt, double rate) {
    const double share = dt * rate;
    if (!(share > 0.0)) return 0.0;
    return std::min(share, 1.0);
}

constexpr double kGlideRest = 1e-3;

inline double Glide(double position, double target, double dt, double rate) {
    const double share = GlideShare(dt, rate);
    if (share >= 1.0) return target;
    const double next = position + (target - position) * share;
    return std::fabs(target - next) < kGlideRest ? target : next;
}

inline float Glide(float position, float target, double dt, double rate) {
    return static_cast<float>(Glide(static_cast<double>(position), static_cast<double>(target), dt, rate));
}

inline Vec2 Glide(Vec2 position, Vec2 target, double dt, double rate) {
    return Vec2{Glide(position.x, target.x, dt, rate), Glide(position.y, target.y, dt, rate)};
}
