#pragma once
// The arithmetic of the clock game: what typed digits mean, the time a task asks for, where
// the hands point and how a time of day is printed.
#include <string>
#include <vector>

namespace clockmath {

constexpr int kMinutesPerDay = 1440;

// Typed digits in minutes: three or four digits are hours and two digits of minutes (1, 3, 4,
// 5 is 13:45 = 825), one or two digits are minutes only (9, 9 is 99 minutes). Minutes above 59
// are simply added and nothing is taken modulo a day, so 2400 is 1440 and never right.
int TypedMinutes(const std::string& digits);
// The hours and minutes the typed digits are shown as.
void SplitTyped(const std::string& digits, int& hours, int& minutes);

// One clock after the first one of a task: its time is added or taken away.
struct Term {
    bool plus = true;
    int minutes = 0;  // time of day, 0..1439
};
// The time of day a task asks for: the first clock's time, then each term added or taken away
// as a duration on a 24-hour dial (23:30 + 1:00 = 0:30, 1:00 - 3:00 = 22:00).
int TaskAnswer(int firstMinutes, const std::vector<Term>& terms);

// Hand angles in degrees, clockwise from 12: the minute hand turns once an hour, the hour hand
// once in twelve hours and moves on with the minutes. Always within [0, 360).
double MinuteAngle(int minute);
double HourAngle(int hour, int minute);
constexpr double kRadiansPerDegree = 0.017453292519943295;

// A time of day as a digital clock shows it: "0:05", "13:45".
std::string TimeText(int hours, int minutes);
// A time as the answer after a wrong one is shown: "0 : 05".
std::string SpacedTimeText(int hours, int minutes);

}  // namespace clockmath
