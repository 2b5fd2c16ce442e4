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
// Left early: 6.0 while nothing was answered, else every task not answered counts as a wrong
// one: 1 + (wrong + unanswered) / tasks * 5 + time / secondsPerStep. Leaving early at the same
// pace and accuracy thus never grades better than finishing.
struct StandardGrade {
    double secondsPerStep = 120.0;

    double operator()(bool playedToEnd, int wrong, int tasks, int answered, double playTime) const {
        if (!playedToEnd && answered <= 0) return 6.0;
        const int charged = wrong + (playedToEnd ? 0 : std::max(tasks - answered, 0));
        const double g = 1.0 + (tasks > 0 ? static_cast<double>(charged) / tasks * 5.0 : 0.0) + playTime / secondsPerStep;
        return GradeInRange(std::min(g, 6.0));
    }
};
