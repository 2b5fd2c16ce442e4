#include "games/KG_Waage_Game_Fruechte/BalanceTask.h"

#include <algorithm>
#include <utility>

#include "framework/Grade.h"
#include "framework/Random.h"

namespace balance {

BalanceLevel BalanceLevelOf(int level) {
    switch (level) {
        case 1: return {7, 0.3, 0.6, 7, 50.0};
        case 2: return {10, 0.35, 0.7, 10, 40.0};
        default: return {5, 0.25, 0.5, 5, 60.0};
    }
}

bool Chance(double p) { return Random01() < p; }

int PictureFor(int grams) {
    switch (grams) {
        case 25: return 0;
        case 50: return RandomBelow(2) + 1;
        case 100: return 3;
        case 250: return RandomBelow(2) + 4;
        case 500: return 6;
        default: return 7;
    }
}

namespace {
// A new weight: first its chance to stand on the pan, then its place, then its picture.
void Deal(std::vector<DealtWeight>& out, int& floorCount, const BalanceLevel& level, int screenWidth, int grams,
          Side side) {
    DealtWeight w{};
    w.grams = grams;
    w.side = side;
    w.fixed = Chance(level.panChance);
    w.x = static_cast<float>(RandomBelow(screenWidth));
    w.picture = PictureFor(grams);
    if (!w.fixed) ++floorCount;
    out.push_back(w);
}
}  // namespace

std::vector<DealtWeight> DealBalanceTask(const BalanceLevel& level, int screenWidth) {
    std::vector<DealtWeight> out;
    int floorCount = 0;
    while (floorCount < level.floorCount) {
        const int h = RandomBelow(kMassCount);
        Deal(out, floorCount, level, screenWidth, kMasses[h], Side::kRight);
        if (h > 0 && Chance(level.splitChance)) {
            for (int rest = kMasses[h]; rest > 0;) {
                int j = h - 1;
                while (j > 0 && kMasses[j] > rest) --j;
                Deal(out, floorCount, level, screenWidth, kMasses[j], Side::kLeft);
                rest -= kMasses[j];
            }
        } else {
            Deal(out, floorCount, level, screenWidth, kMasses[h], Side::kLeft);
        }
    }
    return out;
}

double TargetAngle(int leftGrams, int rightGrams) {
    const double total = static_cast<double>(leftGrams) + rightGrams;
    if (rightGrams < leftGrams) return -30.0 * leftGrams / total;
    if (leftGrams < rightGrams) return 30.0 * rightGrams / total;
    return 0.0;
}

double BalanceGrade(bool playedToEnd, int right, int wrong, int tasks, double playTime) {
    return GradeOfTerms(BalanceTerms(playedToEnd, right, wrong, tasks, playTime));
}

GradeTermList BalanceTerms(bool playedToEnd, int right, int wrong, int tasks, double playTime) {
    const int judged = right + wrong;
    const double perStep = std::max(tasks, 1);  // a level of more tasks allows as much more time
    if (!playedToEnd && judged <= 0) return NoResultTerms();
    GradeTermList t;
    AddTerm(t, TermKind::kBase, 1.0);
    if (playedToEnd) {
        AddTerm(t, TermKind::kMistakes, judged > 0 ? static_cast<double>(wrong) / judged * 5.0 : 0.0, wrong);
        AddTerm(t, TermKind::kTime, playTime / (18.0 * perStep), playTime);
    } else {
        const int unjudged = std::max(tasks - judged, 0);
        const double perTask = 5.0 / std::max(tasks, judged);
        AddTerm(t, TermKind::kMistakes, wrong * perTask, wrong);
        if (unjudged > 0) AddTerm(t, TermKind::kUnanswered, unjudged * perTask, unjudged);
        AddTerm(t, TermKind::kTime, playTime / (12.0 * perStep), playTime);
    }
    return CloseTerms(std::move(t));
}

}  // namespace balance
