#pragma once
// Calendar arithmetic: a start date with its weekday and a chain of two or three steps (days,
// weeks, months or years back and forward in turn). The player types the resulting date as
// DDMMYYYY, or in some tasks the weekday of the result as a word.
#include <string>

#include "framework/TypedTaskGame.h"
#include "games/KG_Datum_Game/Datum.h"

class KG_Datum_Game : public TypedTaskGame {
public:
    // A grade step per this many seconds for each step of the game's chains (ten tasks of two
    // steps allow 240 s).
    static constexpr double kSecondsPerStep = 12.0;
    static constexpr double kRightVerdictSeconds = 1.0;
    static constexpr int kDateDigits = 8;
    static constexpr int kWeekdayLetters = 15;

    explicit KG_Datum_Game(int level);
    // The same with the generator seeded first, for tests.
    KG_Datum_Game(int level, unsigned seed);

    void Render() override;

    const char* GetHelpText() override;
    const char* GetTitle() override;
    // H is a letter of the weekday names.
    bool AllowsHelpKey() override { return !weekdayTask; }

    // Builds the next task: today's date read once, the start date, the kind of task and the
    // chain of steps with its text.
    void NewTask() override;
    // Whether the typed answer is right for the current task.
    bool IsRight(const std::string& typed) const override;
    void OnKeyDown(uint16_t key) override;
    // What the answer field shows now: the typed text (a date completed from today in grey)
    // or, during a verdict, the answer.
    std::string FieldText() const;

    int stepCount = 2;
    double weekdayShare = 0.1;
    bool randomStart = false;
    bool weekdayTask = false;
    Datum today;       // read once per task: the start date and the parts of a short answer
    Datum startDate;
    Datum answerDate;
    std::string question;
    bool showsFormatHint = false;  // the typed digits were refused as no date

protected:
    bool Refuses(const std::string& typed) override;
    double VerdictSeconds(bool right) const override {
        return right ? kRightVerdictSeconds : TypedAnswer::kVerdictSeconds;
    }

private:
    KG_Datum_Game(int level, bool seeded, unsigned seed);
    std::string DateText(const Datum& date) const;

    Font* bigFont = nullptr;
    Font* smallFont = nullptr;
};
