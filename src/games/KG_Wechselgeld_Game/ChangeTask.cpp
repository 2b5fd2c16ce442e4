#include "games/KG_Wechselgeld_Game/ChangeTask.h"

#include <algorithm>
#include <cstdlib>

#include "framework/Grade.h"
#include "framework/Random.h"

namespace money {
namespace {
constexpr float kSupplyMargin = 16.0f;
constexpr float kSupplyFromBottom = 75.0f;

float Along(float lo, float hi, double u) {
    if (hi <= lo) return (lo + hi) / 2;
    return static_cast<float>(lo + (static_cast<double>(hi) - lo) * u);
}

constexpr int kPlacesTried = 12;
constexpr float kGap = 3.0f;

// How much of a piece at p would lie on the pieces already dealt (in square pixels).
double Covered(const std::vector<DealtPiece>& pieces, int cents, Vec2 p) {
    const Vec2 h = DrawnHalfOf(cents);
    double covered = 0.0;
    for (const DealtPiece& o : pieces) {
        const Vec2 oh = DrawnHalfOf(o.cents);
        const double w = std::min(p.x + h.x, o.at.x + oh.x) - std::max(p.x - h.x, o.at.x - oh.x) + kGap;
        const double d = std::min(p.y + h.y, o.at.y + oh.y) - std::max(p.y - h.y, o.at.y - oh.y) + kGap;
        if (w > 0 && d > 0) covered += w * d;
    }
    return covered;
}

// A random place for a piece of that value: two draws (across, then down) per place tried.
// The first place where it covers none of the pieces dealt before is taken, else the one
// where it covers least, so that every piece of a heap can be read.
Vec2 RandomPlaceFor(const Area& area, int cents, const std::vector<DealtPiece>& pieces) {
    Vec2 best{};
    double bestCovered = -1.0;
    for (int i = 0; i < kPlacesTried; ++i) {
        const double u1 = Random01();
        const double u2 = Random01();
        const Vec2 p = PointInArea(area, DrawnHalfOf(cents), u1, u2);
        const double covered = Covered(pieces, cents, p);
        if (bestCovered < 0 || covered < bestCovered) {
            best = p;
            bestCovered = covered;
        }
        if (covered <= 0.0) break;
    }
    return best;
}

void AddPiece(std::vector<DealtPiece>& pieces, int& total, int cents, const Area& area) {
    pieces.push_back({cents, RandomPlaceFor(area, cents, pieces)});
    total += cents;
}
}  // namespace

Vec2 PointInArea(const Area& area, Vec2 half, double u1, double u2) {
    return Vec2{Along(area.left + half.x, area.right - half.x, u1), Along(area.top + half.y, area.bottom - half.y, u2)};
}

Vec2 ClampIntoArea(const Area& area, Vec2 half, Vec2 p) {
    auto clampAxis = [](float v, float lo, float hi) { return hi <= lo ? (lo + hi) / 2 : std::clamp(v, lo, hi); };
    return Vec2{clampAxis(p.x, area.left + half.x, area.right - half.x),
                clampAxis(p.y, area.top + half.y, area.bottom - half.y)};
}

ChangeTask DealChangeTask(const ChangeLevel& level, const Area& priceArea, const Area& paymentArea) {
    ChangeTask task;
    const int available = std::clamp(level.denominationCount, 1, kDenominationCount);
    for (int i = 0; i < level.pricePieces; ++i) {
        const int cents = DenominationAt(RandomBelow(available)).cents;
        AddPiece(task.price, task.priceTotal, cents, priceArea);
    }
    for (int i = 0; i < level.paymentPieces; ++i) {
        const bool last = i == level.paymentPieces - 1;
        if (!(last && task.paymentTotal < task.priceTotal)) {
            const int cents = DenominationAt(RandomBelow(available)).cents;
            AddPiece(task.payment, task.paymentTotal, cents, paymentArea);
            continue;
        }
        for (int missing = task.priceTotal - task.paymentTotal; missing >= 0;) {
            int cents = DenominationAt(available - 1).cents;
            for (int k = 0; k < available; ++k) {
                if (DenominationAt(k).cents > missing) {
                    cents = DenominationAt(k).cents;
                    break;
                }
            }
            AddPiece(task.payment, task.paymentTotal, cents, paymentArea);
            missing -= cents;
        }
    }
    return task;
}

std::vector<Vec2> SupplyCentres(int count, int screenWidth, int screenHeight) {
    std::vector<Vec2> centres;
    if (count <= 0) return centres;
    const float step = static_cast<float>(screenWidth) / count;
    const float y = screenHeight - kSupplyFromBottom;
    // Evenly spread over the width; where the first or the last piece would reach over an
    // edge, the row is pulled in.
    const float firstHalf = DrawnHalfOf(DenominationAt(0).cents).x;
    const float lastHalf = DrawnHalfOf(DenominationAt(count - 1).cents).x;
    const float first = 0.5f * step, last = (count - 0.5f) * step;
    const float left = std::max(first, kSupplyMargin + firstHalf);
    const float right = std::min(last, screenWidth - kSupplyMargin - lastHalf);
    for (int i = 0; i < count; ++i) {
        const float x = count == 1 ? left : left + (right - left) * i / (count - 1);
        centres.push_back(Vec2{x, y});
    }
    return centres;
}

double ChangeGrade(bool playedToEnd, int right, int fewest, int done, int tasks, double playTime) {
    double g;
    if (playedToEnd) {
        const double n = std::max(tasks, 1);
        g = (1.0 - right / n) * 3.0 + 1.0 + (1.0 - fewest / n) * 2.0 + playTime / 120.0;
    } else {
        if (done <= 0) return 6.0;
        const double d = done;
        g = (1.0 - right / d) * 3.0 + 1.0 + (1.0 - fewest / d) * 2.0 + playTime / 80.0;
    }
    return GradeInRange(std::min(g, 6.0));
}

}  // namespace money
