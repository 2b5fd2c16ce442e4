#pragma once
// The pieces of a date task that need no screen: the chain of steps (drawn so that they go
// back and forward in turn and never twice from the same group), applying a step, reading a
// typed date with today's date for the parts left out, and matching a typed weekday.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "games/KG_Datum_Game/Datum.h"

namespace datetask {

// Step types: even ones go back, odd ones forward.
//  0/1 n days (1..30), 2/3 one week, 4/5 n weeks (2..4), 6/7 one month, 8/9 n months (2..7),
//  10/11 one year, 12/13 n years (2..51).
constexpr int kStepTypes = 14;

struct Step {
    int type = 0;
    int amount = 1;  // days, weeks, months or years as the type says
};

// Days, weeks, months and years: two steps of one group never follow each other.
int GroupOf(int type);
bool IsBackward(int type);

// The step after the step of type previous (-1 before the first step): a type drawn with
// random() % 7 and spread to the back (after an odd type or at the start) or forward (after
// an even type) half, drawn again while it falls into the previous step's group; then the
// amount for the types that have one. random stands for rand().
Step NextStep(int previous, const std::function<int()>& random);

// Moves the date by the step, weekday included. A month or year step that lands beyond the
// end of a month ends on its last day.
void Apply(const Step& step, Datum& date);

// The language text that describes the step, and whether it takes the amount.
int TextIdOf(int type);
bool TextTakesAmount(int type);

// A typed answer (digits only, DDMMYYYY) read as a date, in the pieces the answer field shows:
// the typed digits with their dots, and the parts not typed taken from today. A part typed
// short counts as typed: one digit of the day or of the month is that day or month, two digits
// of the year are a year of today's century. No digits, five, seven or more than eight are no
// date; the field then shows what was typed.
struct TypedDate {
    bool isDate = false;
    Datum date;
    std::vector<std::pair<std::string, bool>> pieces;  // text, taken from today
    std::string Text() const;
};
TypedDate ReadTypedDate(const std::string& digits, const Datum& today);

// Typed digits with the dots of DD.MM.YYYY as far as typed.
std::string DottedDigits(const std::string& digits);

// Whether a typed word names the weekday: letter case and every blank are ignored on both
// sides; a missing or empty name matches nothing.
bool MatchesWeekday(const std::string& typed, const char* name);

}  // namespace datetask
