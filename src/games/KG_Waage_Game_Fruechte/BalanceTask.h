#pragma once
// The rules of the balance game without the screen: the levels, which fruit pictures a mass
// may show, the weights of a task (dealt so that both sides can be made equal), the beam's
// tilt for two pan masses and the grade.
#include <vector>

#include "framework/GradeTerms.h"

namespace balance {

constexpr int kMassCount = 6;
constexpr int kMasses[kMassCount] = {25, 50, 100, 250, 500, 1000};

struct BalanceLevel {
    int floorCount;      // the task is dealt until the floor holds at least this many weights
    double panChance;    // a weight is placed on its pan (and fixed there) with this chance
    double splitChance;  // the left side gets the mass in smaller weights with this chance
    int taskCount;
    double timeLimit;    // seconds per task
};
BalanceLevel BalanceLevelOf(int level);

// One draw: true with the chance p.
bool Chance(double p);
// The fruit picture of a mass (0..7); 50 and 250 g have two pictures each and draw one.
int PictureFor(int grams);

enum class Side { kLeft, kRight };

struct DealtWeight {
    int grams;
    int picture;
    float x;     // where along the top edge it comes in
    Side side;   // the side of the solution the weight belongs to
    bool fixed;  // placed on its pan by the task; the player cannot move it
};

// Rounds until the floor is full: a random mass for the right side (on the pan or the
// floor), then the same mass for the left side, either as one weight or split into the
// largest smaller masses that add up to it (1000 = 500 + 500, 250 = 100 + 100 + 50, ...).
// The draws of a round: the mass; the right weight's chance, place and picture; the split
// chance (not for the smallest mass); each left weight's chance, place and picture.
std::vector<DealtWeight> DealBalanceTask(const BalanceLevel& level, int screenWidth);

// Degrees the beam turns to (positive: right side down): level for equal masses, else towards
// the heavier side by 30 degrees times its share of the whole mass.
double TargetAngle(int leftGrams, int rightGrams);

// Played to the end: 1 + five steps times the share of wrong tasks + one step per 18 seconds a
// task (90 seconds for five tasks). Left early: 6.0 with no task judged, else the tasks not
// judged count as wrong, and one step per 12 seconds a task.
double BalanceGrade(bool playedToEnd, int right, int wrong, int tasks, double playTime);
// The same as terms.
GradeTermList BalanceTerms(bool playedToEnd, int right, int wrong, int tasks, double playTime);

}  // namespace balance
