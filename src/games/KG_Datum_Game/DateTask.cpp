#include "games/KG_Datum_Game/DateTask.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace datetask {
namespace {
// Language texts of the step types 0..13.
constexpr int kTextIds[kStepTypes] = {175, 173, 176, 178, 177, 179, 180, 182, 181, 183, 184, 186, 185, 187};

// The value of count decimal digits from position from, or -1 when they are not all typed.
int DigitsAt(const std::string& digits, size_t from, size_t count) {
    if (digits.size() < from + count) return -1;
    int value = 0;
    for (size_t i = from; i < from + count; ++i) {
        const char c = digits[i];
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string FormatDate(const char* format, int a, int b) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string Folded(const char* text) {
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (std::isspace(c)) continue;
        out += static_cast<char>(c < 0x80 ? std::tolower(c) : c);
    }
    return out;
}
}  // namespace

int GroupOf(int type) {
    if (type < 0) return -1;
    if (type <= 1) return 0;
    if (type <= 5) return 1;
    if (type <= 9) return 2;
    return 3;
}

bool IsBackward(int type) { return type % 2 == 0; }

Step NextStep(int previous, const std::function<int()>& random) {
    Step step;
    int v;
    do {
        v = random() % 7;
        v = (previous >= 0 && previous % 2 == 0) ? 2 * v + 1 : 2 * v;
    } while (v == previous || GroupOf(v) == GroupOf(previous));
    step.type = v;
    switch (v) {
        case 0:
        case 1: step.amount = random() % 30 + 1; break;
        case 4:
        case 5: step.amount = random() % 3 + 2; break;
        case 8:
        case 9: step.amount = random() % 6 + 2; break;
        case 12:
        case 13: step.amount = random() % 50 + 2; break;
        default: step.amount = 1; break;
    }
    return step;
}

void Apply(const Step& step, Datum& date) {
    const int sign = IsBackward(step.type) ? -1 : 1;
    switch (GroupOf(step.type)) {
        case 0: date.AddDays(sign * step.amount, true); break;
        case 1: date.AddDays(sign * 7 * step.amount, true); break;
        case 2:
            date.AddMonths(sign * step.amount, false);
            date.ClampDay(true);
            break;
        default:
            date.AddYears(sign * step.amount, false);
            date.ClampDay(true);
            break;
    }
}

int TextIdOf(int type) { return type >= 0 && type < kStepTypes ? kTextIds[type] : 0; }

bool TextTakesAmount(int type) {
    switch (type) {
        case 0: case 1: case 4: case 5: case 8: case 9: case 12: case 13: return true;
        default: return false;
    }
}

std::string TypedDate::Text() const {
    std::string out;
    for (const auto& piece : pieces) out += piece.first;
    return out;
}

TypedDate ReadTypedDate(const std::string& digits, const Datum& today) {
    TypedDate out;
    out.date = today;
    const size_t n = digits.size();
    const bool allDigits = n <= 8 && DigitsAt(digits, 0, n) >= 0;
    if (n == 0 || n == 5 || n == 7 || n > 8 || !allDigits) {
        out.pieces.push_back({DottedDigits(digits), false});
        return out;
    }
    out.isDate = true;
    out.date.day = DigitsAt(digits, 0, std::min<size_t>(n, 2));
    out.pieces.push_back({digits.substr(0, 2), false});
    if (n <= 2) {
        out.pieces.push_back({FormatDate(".%02d.%d", today.month, today.year), true});
    } else {
        out.date.month = DigitsAt(digits, 2, std::min<size_t>(n, 4) - 2);
        out.pieces.push_back({"." + digits.substr(2, 2), false});
        if (n <= 4) {
            out.pieces.push_back({FormatDate(".%d", today.year, 0), true});
        } else if (n == 6) {
            out.date.year = today.year / 100 * 100 + DigitsAt(digits, 4, 2);
            out.pieces.push_back({".", false});
            out.pieces.push_back({FormatDate("%02d", today.year / 100, 0), true});
            out.pieces.push_back({digits.substr(4, 2), false});
        } else {
            out.date.year = DigitsAt(digits, 4, 4);
            out.pieces.push_back({"." + digits.substr(4, 4), false});
        }
    }
    out.date.UpdateWeekday();
    return out;
}

std::string DottedDigits(const std::string& digits) {
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i == 2 || i == 4) out += '.';
        out += digits[i];
    }
    return out;
}

bool MatchesWeekday(const std::string& typed, const char* name) {
    if (name == nullptr) return false;
    const std::string want = Folded(name);
    if (want.empty()) return false;
    return Folded(typed.c_str()) == want;
}

}  // namespace datetask
