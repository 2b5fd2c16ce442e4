#include "framework/GradeTerms.h"

#include <algorithm>
#include <cmath>

#include "framework/Grade.h"
#include "framework/TextFormat.h"

double SumOfTerms(const GradeTermList& terms) {
    double sum = 0.0;
    for (const GradeTerm& t : terms)
        if (t.kind != TermKind::kLimit) sum += t.value;
    return sum;
}

double GradeOfTerms(const GradeTermList& terms) { return terms.empty() ? 6.0 : GradeInRange(std::min(SumOfTerms(terms), 6.0)); }

GradeTermList CloseTerms(GradeTermList terms) {
    const double sum = SumOfTerms(terms);
    const double grade = GradeOfTerms(terms);
    if (!(grade == sum)) AddTerm(terms, TermKind::kLimit, std::isfinite(sum) ? grade - sum : 0.0);
    return terms;
}

GradeTermList NoResultTerms() { return {GradeTerm{TermKind::kNoResult, 6.0}}; }

std::string TermLabel(const char* text, const GradeTerm& t) {
    if (text == nullptr) return {};
    const double figure = std::isfinite(t.figure) ? std::clamp(t.figure, -1.0e7, 1.0e7) : 0.0;
    switch (t.kind) {
        case TermKind::kTime: {
            const int s = static_cast<int>(std::max(figure, 0.0));
            return FormatText(text, s / 60, s % 60);
        }
        case TermKind::kTimePerClick: return FormatText(text, figure);
        default: return FormatText(text, static_cast<int>(std::lround(figure)), t.of);
    }
}

std::vector<int> ShownHundredths(const GradeTermList& terms, double grade) {
    std::vector<int> shown;
    std::vector<double> exact;
    for (const GradeTerm& t : terms) {
        const double v = std::isfinite(t.value) ? std::clamp(t.value * 100.0, -1.0e6, 1.0e6) : 0.0;
        exact.push_back(v);
        shown.push_back(static_cast<int>(std::lround(v)));
    }
    int missing = static_cast<int>(std::lround(GradeInRange(grade) * 100.0));
    for (int s : shown) missing -= s;
    // A rounding step goes to the term that rounding moved furthest the other way, once each.
    std::vector<bool> moved(shown.size(), false);
    while (missing != 0) {
        const int step = missing > 0 ? 1 : -1;
        int best = -1;
        for (size_t i = 0; i < shown.size(); ++i) {
            if (moved[i] || terms[i].value == 0.0) continue;
            const double room = (exact[i] - shown[i]) * step;
            if (best < 0 || room > (exact[best] - shown[best]) * step) best = static_cast<int>(i);
        }
        if (best < 0) break;  // nothing left to round otherwise; the grade line says the rest
        shown[best] += step;
        moved[best] = true;
        missing -= step;
    }
    return shown;
}
