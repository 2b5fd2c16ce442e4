#include "games/KG_Wechselgeld_Game/MoneyTable.h"

#include <algorithm>

namespace money {
namespace {
// The notes' pictures grow with their value, like the real ones; each is drawn centred on its
// piece, so its half size is half its picture.
const Denomination kTable[kDenominationCount] = {
    {1, {300, 300, 400, 400}, {50, 50}},     {2, {200, 300, 300, 400}, {50, 50}},
    {5, {100, 300, 200, 400}, {50, 50}},     {10, {0, 300, 100, 400}, {50, 50}},
    {20, {300, 200, 400, 300}, {50, 50}},    {50, {200, 200, 300, 300}, {50, 50}},
    {100, {100, 200, 200, 300}, {50, 50}},   {200, {0, 200, 100, 300}, {50, 50}},
    {500, {0, 450, 200, 550}, {100, 50}},    {1000, {0, 550, 220, 650}, {110, 50}},
    {2000, {0, 650, 240, 750}, {120, 50}},   {5000, {0, 750, 240, 850}, {120, 50}},
    {10000, {260, 450, 520, 570}, {130, 60}}, {20000, {260, 570, 530, 690}, {135, 60}},
    {50000, {260, 690, 540, 810}, {140, 60}},
};
constexpr int kLargestCoin = 200;
}  // namespace

const Denomination& DenominationAt(int index) { return kTable[std::clamp(index, 0, kDenominationCount - 1)]; }

int IndexOfCents(int cents) {
    for (int i = 0; i < kDenominationCount; ++i)
        if (kTable[i].cents == cents) return i;
    return -1;
}

bool IsCoin(int cents) { return cents <= kLargestCoin; }

double DrawScaleOf(int cents) { return IsCoin(cents) ? 0.75 : 0.5; }

Vec2 DrawnHalfOf(int cents) {
    const Denomination& d = DenominationAt(IndexOfCents(cents));
    const float s = static_cast<float>(DrawScaleOf(cents));
    return Vec2{d.half.x * s, d.half.y * s};
}

ChangeLevel ChangeLevelOf(int level) {
    switch (level) {
        case 1: return {5, 3, 12, 6};
        case 2: return {10, 6, 15, 5};
        default: return {5, 1, 8, 7};
    }
}

std::vector<int> GreedySplit(int amount, int available) {
    std::vector<int> pieces;
    available = std::clamp(available, 1, kDenominationCount);
    for (int i = available - 1; i >= 0 && amount > 0; --i) {
        const int c = kTable[i].cents;
        while (amount >= c) {
            pieces.push_back(c);
            amount -= c;
        }
    }
    return pieces;
}

long long GreedyCount(long long amount, int available) {
    long long count = 0;
    available = std::clamp(available, 1, kDenominationCount);
    for (int i = available - 1; i >= 0 && amount > 0; --i) {
        count += amount / kTable[i].cents;
        amount %= kTable[i].cents;
    }
    return count;
}

ChangeVerdict JudgeChange(int change, const std::vector<int>& pieces, int available) {
    long long sum = 0;
    for (int p : pieces) sum += p;
    ChangeVerdict v;
    v.right = sum == change;
    v.fewest = v.right && static_cast<long long>(pieces.size()) == GreedyCount(change, available);
    return v;
}

}  // namespace money
