#pragma once
// The euro coins and notes of the change game and the arithmetic on them: which pieces a
// level offers, the smallest number of pieces for an amount (the greedy split), and the
// judge of a handed-over change. Every amount is a whole number of cents.
#include <vector>

#include "framework/Types.h"

namespace money {

constexpr int kDenominationCount = 15;

struct Denomination {
    int cents;
    Rect region;  // picture in misc4
    Vec2 half;    // half the picture's size, unscaled
};

// In ascending order: eight coins (1 cent .. 2 euro), then seven notes (5 .. 500 euro).
const Denomination& DenominationAt(int index);
// The index of a value in the table, or -1.
int IndexOfCents(int cents);
bool IsCoin(int cents);
// Coins are drawn at three quarters of their picture, notes at half.
double DrawScaleOf(int cents);
// Half the size of the piece as drawn on the screen.
Vec2 DrawnHalfOf(int cents);

// Levels offer the first 8, 12 or 15 denominations (up to 2, 50 or 500 euro).
struct ChangeLevel {
    int pricePieces;
    int paymentPieces;
    int denominationCount;
    int taskCount;
};
ChangeLevel ChangeLevelOf(int level);

// The pieces of the greedy split of amount with the first `available` denominations: the
// largest piece that fits, again and again. For the euro series it uses the fewest pieces.
std::vector<int> GreedySplit(int amount, int available);
// How many pieces the greedy split takes.
long long GreedyCount(long long amount, int available);

struct ChangeVerdict {
    bool right = false;   // the pieces add up to the change
    bool fewest = false;  // ... and no split of the change takes fewer pieces
};
// Judges the pieces the player laid out as change (their order does not matter).
ChangeVerdict JudgeChange(int change, const std::vector<int>& pieces, int available);

}  // namespace money
