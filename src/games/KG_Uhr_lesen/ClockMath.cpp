#include "games/KG_Uhr_lesen/ClockMath.h"

#include <cmath>
#include <cstdio>

namespace clockmath {
namespace {
// The decimal value of the typed digits; the entry holds at most four, but any length is safe.
long ValueOf(const std::string& digits) {
    long v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') break;
        if (v > 100000000L) break;
        v = v * 10 + (c - '0');
    }
    return v;
}

double Normalised(double degrees) {
    double d = std::fmod(degrees, 360.0);
    return d < 0.0 ? d + 360.0 : d;
}
}  // namespace

void SplitTyped(const std::string& digits, int& hours, int& minutes) {
    const long v = ValueOf(digits);
    if (v >= 100) {
        hours = static_cast<int>(v / 100);
        minutes = static_cast<int>(v - hours * 100L);
    } else {
        hours = 0;
        minutes = static_cast<int>(v);
    }
}

int TypedMinutes(const std::string& digits) {
    int hours = 0, minutes = 0;
    SplitTyped(digits, hours, minutes);
    return hours * 60 + minutes;
}

int TaskAnswer(int firstMinutes, const std::vector<Term>& terms) {
    int answer = firstMinutes;
    for (const Term& t : terms) answer += t.plus ? t.minutes : kMinutesPerDay - t.minutes;
    answer %= kMinutesPerDay;
    return answer < 0 ? answer + kMinutesPerDay : answer;
}

double MinuteAngle(int minute) { return Normalised(minute / 60.0 * 360.0); }

double HourAngle(int hour, int minute) { return Normalised((hour % 12) / 12.0 * 360.0 + MinuteAngle(minute) / 12.0); }

std::string TimeText(int hours, int minutes) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d:%02d", hours, minutes);
    return buffer;
}

std::string SpacedTimeText(int hours, int minutes) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d : %02d", hours, minutes);
    return buffer;
}

}  // namespace clockmath
