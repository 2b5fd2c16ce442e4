#pragma once
// Reading clocks: two or three clocks in a row, analogue or digital, joined by "+" or "-".
// The player adds and subtracts their times as durations on a 24-hour dial and types the
// resulting time of day (hours and two digits of minutes); Enter checks.
#include <string>

#include "framework/LockedList.h"
#include "framework/TypedTaskGame.h"
#include "games/KG_Uhr_lesen/Clock.h"

class KG_Uhr_lesen : public TypedTaskGame {
public:
    // A grade step per this many seconds for each clock of the game (ten clocks allow 120 s).
    static constexpr double kSecondsPerClock = 12.0;
    static constexpr int kMaxDigits = 4;

    explicit KG_Uhr_lesen(int level);
    // The same with the generator seeded first, for tests.
    KG_Uhr_lesen(int level, unsigned seed);
    ~KG_Uhr_lesen() override;

    void Render() override;

    const char* GetHelpText() override;
    const char* GetTitle() override;

    // The next row of clocks with its signs and the time it asks for.
    void NewTask() override;
    bool IsRight(const std::string& typed) const override;

    LockedList<Clock> clocks;      // left to right
    LockedList<Vec2> plusSigns;    // centres of the "+" fields
    LockedList<Vec2> minusSigns;   // centres of the "-" fields
    int answerMinutes = 0;         // the time of day asked for, 0..1439
    int clockCount = 2;

private:
    KG_Uhr_lesen(int level, bool seeded, unsigned seed);
    void DrawSignField(const Vec2& centre, const char* sign);

    Font* clockFont = nullptr;  // the digital clocks' time, the signs
    Font* labelFont = nullptr;  // "am" and "pm" below the dials

    Font* dialFont = nullptr;  // the digital clocks' time (larger at the first level)
};
