#pragma once
// School grades: 1.0 best, 6.0 worst and "no result". Every grade a game books is finite and
// within 1.0..6.0, and every formula divides in floating point.
#include <algorithm>
#include <cmath>

// A grade as it may be booked: NaN becomes 6.0, everything else is kept within 1.0..6.0.
inline double GradeInRange(double grade) {
    if (std::isnan(grade)) return 6.0;
    return std::clamp(grade, 1.0, 6.0);
}

// The grade most games give.
// Played to the end: 1 + wrong / tasks * 5 + time / secondsPerStep.
// Left early: 6.0 while nothing was answered, else 1 + wrong / answered * earlyWrongFactor +
// time / secondsPerStep.
struct StandardGrade {
    double secondsPerStep = 120.0;
    double earlyWrongFactor = 10.0;

    double operator()(bool playedToEnd, int wrong, int tasks, int answered, double playTime) const {
        double g;
        if (playedToEnd) {
            g = 1.0 + (tasks > 0 ? static_cast<double>(wrong) / tasks * 5.0 : 0.0) + playTime / secondsPerStep;
        } else {
            if (answered <= 0) return 6.0;
            g = 1.0 + static_cast<double>(wrong) / answered * earlyWrongFactor + playTime / secondsPerStep;
        }
        return GradeInRange(std::min(g, 6.0));
    }
};
