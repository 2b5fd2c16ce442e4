#pragma once
// A calendar date of the Gregorian calendar with its weekday, and the steps the date game
// takes with it: days, months and years forward or back.

struct Datum {
    int day = 1;
    int month = 1;
    int year = 2000;
    int weekday = 6;  // 0 Sunday .. 6 Saturday

    static bool IsLeapYear(int year);
    // 28..31 for months 1..12, 0 for any other month.
    static int DaysInMonth(int month, int year);
    static int DaysInYear(int year);
    // The weekday (0 Sunday .. 6 Saturday) of a date with day 1..31 and month 1..12, by the
    // century and month values of the Gregorian calendar (they repeat every 400 years); -1 for
    // any other day or month.
    static int WeekdayOf(int day, int month, int year);

    // The day of the year (1 January is 1), or -1 for a month outside 1..12.
    int DayOfYear() const;
    void UpdateWeekday() { weekday = WeekdayOf(day, month, year); }

    // Days forward (n > 0) or back, carried over month and year ends.
    void AddDays(int n, bool updateWeekday = true);
    // Months forward or back, carried over year ends. The day is kept as it is, so callers
    // that step by months bring it into the month themselves (ClampDay); day steps use this
    // to move from month to month.
    void AddMonths(int n, bool updateWeekday = true);
    // Years forward or back; the day and month are kept as they are (see ClampDay).
    void AddYears(int n, bool updateWeekday = true);
    // A day beyond the end of the month becomes the month's last day (31 January plus one
    // month is the end of February).
    void ClampDay(bool updateWeekday = true);

    // Today's date on the player's calendar (the local date of the system clock), with its
    // weekday. Tests fix it with FixToday.
    static Datum Today();
    // Today moved by a random number of days, up to 100 years either way (one rand() draw).
    static Datum RandomAroundToday();
    static Datum RandomAround(const Datum& today);
    // Makes Today() return this date instead of reading the clock, until ReleaseToday().
    static void FixToday(const Datum& date);
    static void ReleaseToday();

    static Datum Of(int day, int month, int year);
    bool SameDate(const Datum& other) const {
        return day == other.day && month == other.month && year == other.year;
    }
};
