#pragma once
// School grades: 1.0 best, 6.0 worst and "no result". Every grade a game books is finite and
// within 1.0..6.0, and every formula divides in floating point.
#include <algorithm>
#include <cmath>
#include <utility>

#include "framework/GradeTerms.h"

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
        return GradeOfTerms(Terms(playedToEnd, wrong, tasks, answered, playTime));
    }
    // The same as terms: the start, the mistakes, the tasks not done, the time, the limit.
    GradeTermList Terms(bool playedToEnd, int wrong, int tasks, int answered, double playTime) const {
        if (!playedToEnd && answered <= 0) return NoResultTerms();
        const int unanswered = playedToEnd ? 0 : std::max(tasks - answered, 0);
        const double perTask = tasks > 0 ? 5.0 / tasks : 0.0;
        GradeTermList t;
        AddTerm(t, TermKind::kBase, 1.0);
        AddTerm(t, TermKind::kMistakes, tasks > 0 ? static_cast<double>(wrong) / tasks * 5.0 : 0.0, wrong);
        if (unanswered > 0) AddTerm(t, TermKind::kUnanswered, unanswered * perTask, unanswered);
        AddTerm(t, TermKind::kTime, playTime / secondsPerStep, playTime);
        return CloseTerms(std::move(t));
    }
};
