#include "games/KG_Datum_Game/Datum.h"

#include <cstdlib>
#include <ctime>
#include <optional>

namespace {
std::optional<Datum> g_fixedToday;

// Floor division and modulo, so that years before year 0 keep the 400-year cycle.
int FloorDiv(int a, int b) { return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0); }
int FloorMod(int a, int b) { return a - FloorDiv(a, b) * b; }
}  // namespace

bool Datum::IsLeapYear(int y) { return y % 400 == 0 || (y % 4 == 0 && y % 100 != 0); }

int Datum::DaysInMonth(int m, int y) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12) return 0;
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

int Datum::DaysInYear(int y) { return IsLeapYear(y) ? 366 : 365; }

// Counts January and February as months of the year before; c is the year within its
// century, k the century's value (6 for 1600-1699, 4, 2, 0, then again 6 for 2000-2099), t
// the month's value.
int Datum::WeekdayOf(int d, int m, int y) {
    if (d < 1 || d > 31 || m < 1 || m > 12) return -1;
    static const int kMonthValue[12] = {1, 4, 3, 6, 1, 4, 6, 2, 5, 0, 3, 5};
    static const int kCenturyValue[4] = {6, 4, 2, 0};
    const int shifted = m <= 2 ? y - 1 : y;
    const int c = FloorMod(shifted, 100);
    const int k = kCenturyValue[FloorMod(FloorDiv(shifted, 100), 4)];
    return (d + c + c / 4 + kMonthValue[m - 1] + k) % 7;
}

int Datum::DayOfYear() const {
    if (month < 1 || month > 12) return -1;
    int n = day;
    for (int m = 1; m < month; ++m) n += DaysInMonth(m, year);
    return n;
}

void Datum::AddDays(int n, bool updateWeekday) {
    day += n;
    if (n <= 0) {
        while (day <= 0) {
            AddMonths(-1, false);
            day += DaysInMonth(month, year);
        }
    } else {
        while (day > DaysInMonth(month, year)) {
            day -= DaysInMonth(month, year);
            AddMonths(1, false);
        }
    }
    if (updateWeekday) UpdateWeekday();
}

void Datum::AddMonths(int n, bool updateWeekday) {
    if (n <= 0) {
        month += n;
        while (month < 1) {
            AddYears(-1, false);
            month += 12;
        }
    } else {
        const int t = month - 1 + n;
        year += t / 12;
        month = t % 12 + 1;
    }
    if (updateWeekday) UpdateWeekday();
}

void Datum::AddYears(int n, bool updateWeekday) {
    year += n;
    if (updateWeekday) UpdateWeekday();
}

void Datum::ClampDay(bool updateWeekday) {
    const int last = DaysInMonth(month, year);
    if (day > last) day = last;
    if (day < 1) day = 1;
    if (updateWeekday) UpdateWeekday();
}

Datum Datum::Of(int d, int m, int y) {
    Datum date;
    date.day = d;
    date.month = m;
    date.year = y;
    date.UpdateWeekday();
    return date;
}

Datum Datum::Today() {
    if (g_fixedToday) return *g_fixedToday;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return Of(1, 1, 2000);
    return Of(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
}

Datum Datum::RandomAround(const Datum& today) {
    Datum date = today;
    date.AddDays(std::rand() % 73000 - 36500, true);
    return date;
}

Datum Datum::RandomAroundToday() { return RandomAround(Today()); }

void Datum::FixToday(const Datum& date) {
    Datum fixed = date;
    fixed.ClampDay(true);
    g_fixedToday = fixed;
}

void Datum::ReleaseToday() { g_fixedToday.reset(); }
