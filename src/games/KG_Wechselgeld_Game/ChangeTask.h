#pragma once
// One task of the change game: the price as a heap of coins and notes, what the customer
// handed over (always more than the price), and where the pieces lie. Also the places of the
// supply along the bottom edge and the grade of a game.
#include <vector>

#include "framework/GradeTerms.h"
#include "framework/Types.h"
#include "games/KG_Wechselgeld_Game/MoneyTable.h"

namespace money {

struct Area {
    float left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(float x, float y) const { return left <= x && x <= right && top <= y && y <= bottom; }
};

// The point of the area for two values u1, u2 in [0, 1) at which a piece with the drawn half
// size lies wholly inside the area (on an area too small for the piece: its middle).
Vec2 PointInArea(const Area& area, Vec2 half, double u1, double u2);
// The nearest point at which the piece lies wholly inside the area.
Vec2 ClampIntoArea(const Area& area, Vec2 half, Vec2 point);

struct DealtPiece {
    int cents;
    Vec2 at;
};

// Where a piece at that point shows its value: the middle of a coin, the number in the top-left
// corner of a note.
Area ValueSpotOf(int cents, Vec2 at);
// Whether a piece laid at that point on top of the others would hide one of their values.
bool HidesAValue(const std::vector<DealtPiece>& below, int cents, Vec2 at);

struct ChangeTask {
    std::vector<DealtPiece> price;
    std::vector<DealtPiece> payment;
    int priceTotal = 0;
    int paymentTotal = 0;
    int Change() const { return paymentTotal - priceTotal; }
};

// Deals a task with rand(): each price piece draws its value, then its place (two draws per
// place tried, until one leaves the pieces dealt before uncovered; never one that hides the
// value of a piece below, and should no such place be found the heaps are dealt again). The
// payment takes random pieces the same way; its last piece, when the payment is still not
// above the price, becomes the smallest pieces that lift it above the price: the first
// denomination above what is missing, or the largest one as often as needed.
ChangeTask DealChangeTask(const ChangeLevel& level, const Area& priceArea, const Area& paymentArea);

// Centres of the supply pieces along the bottom edge, one per denomination: evenly spread
// when they fit so, else side by side from margin to margin, overlapping evenly like a fan.
// Every piece lies wholly on the screen.
std::vector<Vec2> SupplyCentres(int count, int screenWidth, int screenHeight);

// The grade: 1 plus three steps for wrong change and two for change that is not made of the
// fewest pieces (as shares of the tasks), plus one step per `secondsPerGrade` (two minutes at
// the easiest level). A game left early counts the tasks not done as wrong, with one step per
// two thirds of that time (80 seconds); with none done it is 6.0.
double ChangeGrade(bool playedToEnd, int right, int fewest, int done, int tasks, double playTime,
                   double secondsPerGrade = 120.0);
// The same as terms.
GradeTermList ChangeTerms(bool playedToEnd, int right, int fewest, int done, int tasks, double playTime,
                          double secondsPerGrade = 120.0);
// Seconds per grade step of a level: 20 for each piece of a task's price and payment, since
// counting them is most of the work (six pieces at the easiest level allow two minutes).
double ChangeSecondsPerGrade(const ChangeLevel& level);

}  // namespace money
