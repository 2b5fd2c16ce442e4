#pragma once
// Pieces that move towards a target by a share of the remaining way each frame:
// position += (target - position) * dt * rate. After a long frame (a stall, a device reset
// that hands over the whole lost time) the share passes 1 and the piece would overshoot or
// swing off to infinity; the share is limited to 1, so a long frame lands on the target.
#include <algorithm>
#include <cmath>

#include "framework/Types.h"

// The share of the remaining way covered in a frame of dt seconds: 0..1 (0 for NaN).
inline double GlideShare(double dt, double rate) {
    const double share = dt * rate;
    if (!(share > 0.0)) return 0.0;
    return std::min(share, 1.0);
}

inline double Glide(double position, double target, double dt, double rate) {
    const double share = GlideShare(dt, rate);
    return share >= 1.0 ? target : position + (target - position) * share;
}

inline float Glide(float position, float target, double dt, double rate) {
    const double share = GlideShare(dt, rate);
    return share >= 1.0 ? target : static_cast<float>(position + (static_cast<double>(target) - position) * share);
}

inline Vec2 Glide(Vec2 position, Vec2 target, double dt, double rate) {
    return Vec2{Glide(position.x, target.x, dt, rate), Glide(position.y, target.y, dt, rate)};
}
