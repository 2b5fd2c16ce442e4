#include "games/KG_Wechselgeld_Game/ChangeTask.h"

#include <algorithm>
#include <utility>
#include <cstdlib>

#include "framework/Grade.h"
#include "framework/Random.h"

namespace money {
namespace {
constexpr float kSupplyMargin = 16.0f;
constexpr float kSupplyFromBottom = 75.0f;
constexpr float kCoinOverlap = 13.0f;

float Along(float lo, float hi, double u) {
    if (hi <= lo) return (lo + hi) / 2;
    return static_cast<float>(lo + (static_cast<double>(hi) - lo) * u);
}

constexpr int kPlacesTried = 40;
constexpr int kDealsTried = 100;
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

bool Overlap(const Area& a, const Area& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A random place for a piece of that value: two draws (across, then down) per place tried.
// Places that would hide a value below are passed over; of the others the first where it
// covers none of the pieces dealt before is taken, else the one where it covers least, so
// that every piece of a heap can be read. False when every place tried hides a value.
bool RandomPlaceFor(const Area& area, int cents, const std::vector<DealtPiece>& pieces, Vec2& best) {
    double bestCovered = -1.0;
    for (int i = 0; i < kPlacesTried; ++i) {
        const double u1 = Random01();
        const double u2 = Random01();
        const Vec2 p = PointInArea(area, DrawnHalfOf(cents), u1, u2);
        if (HidesAValue(pieces, cents, p)) continue;
        const double covered = Covered(pieces, cents, p);
        if (bestCovered < 0 || covered < bestCovered) {
            best = p;
            bestCovered = covered;
        }
        if (covered <= 0.0) break;
    }
    return bestCovered >= 0.0;
}

bool AddPiece(std::vector<DealtPiece>& pieces, int& total, int cents, const Area& area) {
    Vec2 at{};
    const bool readable = RandomPlaceFor(area, cents, pieces, at);
    pieces.push_back({cents, at});
    total += cents;
    return readable;
}

int DigitsOf(int euros) {
    int digits = 1;
    for (; euros >= 10; euros /= 10) ++digits;
    return digits;
}
}  // namespace

Area ValueSpotOf(int cents, Vec2 at) {
    const Vec2 h = DrawnHalfOf(cents);
    if (IsCoin(cents)) {
        const float r = 0.4f * h.x;
        return Area{at.x - r, at.y - r, at.x + r, at.y + r};
    }
    // The number stands 12 picture pixels from the left edge, 0.38 of the height tall, its
    // baseline at 0.42 of the height.
    const float s = static_cast<float>(DrawScaleOf(cents)), height = 2 * h.y;
    const float left = at.x - h.x + 12 * s - 2, top = at.y - h.y;
    return Area{left, top + 0.1f * height, left + DigitsOf(cents / 100) * 0.24f * height + 4, top + 0.46f * height};
}

bool HidesAValue(const std::vector<DealtPiece>& below, int cents, Vec2 at) {
    // A coin covers its disc, a note its whole picture.
    const Vec2 h = DrawnHalfOf(cents);
    const float k = IsCoin(cents) ? 0.92f : 1.0f;
    const Area cover{at.x - k * h.x, at.y - k * h.y, at.x + k * h.x, at.y + k * h.y};
    for (const DealtPiece& o : below)
        if (Overlap(cover, ValueSpotOf(o.cents, o.at))) return true;
    return false;
}

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
    for (int deal = 0; deal < kDealsTried; ++deal) {
        task = ChangeTask{};
        bool readable = true;
        for (int i = 0; i < level.pricePieces; ++i) {
            const int cents = DenominationAt(RandomBelow(available)).cents;
            readable = AddPiece(task.price, task.priceTotal, cents, priceArea) && readable;
        }
        for (int i = 0; i < level.paymentPieces; ++i) {
            const bool last = i == level.paymentPieces - 1;
            if (!(last && task.paymentTotal < task.priceTotal)) {
                const int cents = DenominationAt(RandomBelow(available)).cents;
                readable = AddPiece(task.payment, task.paymentTotal, cents, paymentArea) && readable;
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
                readable = AddPiece(task.payment, task.paymentTotal, cents, paymentArea) && readable;
                missing -= cents;
            }
        }
        if (readable) break;
    }
    return task;
}

std::vector<Vec2> SupplyCentres(int count, int screenWidth, int screenHeight) {
    std::vector<Vec2> centres;
    if (count <= 0) return centres;
    count = std::min(count, kDenominationCount);
    const float y = screenHeight - kSupplyFromBottom;
    std::vector<float> half;
    for (int i = 0; i < count; ++i) half.push_back(DrawnHalfOf(DenominationAt(i).cents).x);
    // Evenly spread, one in each equal share of the width, while that keeps every piece
    // apart and on the screen.
    const float step = static_cast<float>(screenWidth) / count;
    bool fits = true;
    for (int i = 0; i < count; ++i) {
        const float c = (i + 0.5f) * step;
        fits = fits && c - half[i] >= kSupplyMargin && c + half[i] <= screenWidth - kSupplyMargin;
        if (i + 1 < count) fits = fits && c + half[i] <= (i + 1.5f) * step - half[i + 1];
    }
    if (fits) {
        for (int i = 0; i < count; ++i) centres.push_back(Vec2{(i + 0.5f) * step, y});
        return centres;
    }
    // Otherwise side by side from margin to margin, each piece partly covered by the next.
    // A coin's picture has room around the coin and its value sits in the middle: coins
    // give up at most a little of their pictures, and the notes, whose values are printed
    // at their left ends, share the rest evenly.
    float total = 0;
    for (float h : half) total += 2 * h;
    const float missing = total - (screenWidth - 2 * kSupplyMargin);
    int coinPairs = 0;
    for (int i = 0; i + 1 < count; ++i) coinPairs += IsCoin(DenominationAt(i).cents) ? 1 : 0;
    const int notePairs = count - 1 - coinPairs;
    float coinOverlap = 0, noteOverlap = 0;
    if (count > 1) {
        if (missing <= 0 || notePairs == 0) {
            coinOverlap = noteOverlap = missing / (count - 1);
        } else {
            coinOverlap = coinPairs > 0 ? std::min(kCoinOverlap, missing / coinPairs) : 0.0f;
            noteOverlap = (missing - coinOverlap * coinPairs) / notePairs;
        }
    }
    float x = kSupplyMargin;
    for (int i = 0; i < count; ++i) {
        centres.push_back(Vec2{x + half[i], y});
        x += 2 * half[i] - (IsCoin(DenominationAt(i).cents) ? coinOverlap : noteOverlap);
    }
    return centres;
}

double ChangeSecondsPerGrade(const ChangeLevel& level) {
    return 20.0 * std::max(level.pricePieces + level.paymentPieces, 1);
}

double ChangeGrade(bool playedToEnd, int right, int fewest, int done, int tasks, double playTime,
                   double secondsPerGrade) {
    return GradeOfTerms(ChangeTerms(playedToEnd, right, fewest, done, tasks, playTime, secondsPerGrade));
}

GradeTermList ChangeTerms(bool playedToEnd, int right, int fewest, int done, int tasks, double playTime,
                          double secondsPerGrade) {
    if (!playedToEnd && done <= 0) return NoResultTerms();
    // Tasks not done when the game was left count as neither right nor paid with the fewest.
    const int n = playedToEnd ? std::max(tasks, 1) : std::max(tasks, done);
    GradeTermList t;
    AddTerm(t, TermKind::kBase, 1.0);
    AddTerm(t, TermKind::kNotRight, (1.0 - right / static_cast<double>(n)) * 3.0, n - right);
    AddTerm(t, TermKind::kNotFewest, (1.0 - fewest / static_cast<double>(n)) * 2.0, n - fewest);
    AddTerm(t, TermKind::kTime, playTime / (playedToEnd ? secondsPerGrade : secondsPerGrade * 2.0 / 3.0), playTime);
    return CloseTerms(std::move(t));
}

}  // namespace money
