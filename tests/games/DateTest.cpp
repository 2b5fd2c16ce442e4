// The calendar type, the steps and typed answers of the date game, and the game itself with a
// fixed date for today.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <tuple>

#include "framework/TextFormat.h"
#include "games/KG_Datum_Game/DateTask.h"
#include "games/KG_Datum_Game/Datum.h"
#include "games/KG_Datum_Game/KG_Datum_Game.h"
#include "GameTestSupport.h"

namespace {
// Days since 1 January 1970 of a Gregorian date (the era-based computation), for checking
// the weekday rule independently.
long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}
int CivilWeekday(int y, int m, int d) {
    const long days = DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d));
    return static_cast<int>(((days % 7) + 7 + 4) % 7);  // 1 January 1970 was a Thursday
}

void ExpectDate(const Datum& date, int d, int m, int y, const std::string& what) {
    EXPECT_EQ(date.day, d) << what;
    EXPECT_EQ(date.month, m) << what;
    EXPECT_EQ(date.year, y) << what;
    EXPECT_EQ(date.weekday, CivilWeekday(y, m, d)) << what << ": weekday";
}

Datum Stepped(Datum date, int type, int amount) {
    datetask::Apply({type, amount}, date);
    return date;
}

// A generator that hands out scripted values.
struct Script {
    std::deque<int> values;
    int operator()() {
        if (values.empty()) ADD_FAILURE() << "the script ran out";
        int v = values.empty() ? 0 : values.front();
        if (!values.empty()) values.pop_front();
        return v;
    }
};
}  // namespace

TEST(DatumTest, WeekdayOfEveryDayFrom1600To2399MatchesTheDayCount) {
    int checked = 0;
    for (int y = 1600; y <= 2399; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= Datum::DaysInMonth(m, y); ++d) {
                const int w = Datum::WeekdayOf(d, m, y);
                if (w != CivilWeekday(y, m, d)) {
                    ADD_FAILURE() << d << "." << m << "." << y << ": " << w << " instead of " << CivilWeekday(y, m, d);
                    return;
                }
                ++checked;
            }
    EXPECT_EQ(checked, 292194);  // 800 years of the Gregorian cycle: 2 x 146097 days
    // Walking day by day gives the same dates and weekdays.
    Datum date = Datum::Of(1, 1, 1600);
    for (int i = 0; i < 292194; ++i) {
        const Datum before = date;
        date.AddDays(1);
        if (date.weekday != (before.weekday + 1) % 7) {
            ADD_FAILURE() << "day after " << before.day << "." << before.month << "." << before.year;
            return;
        }
    }
    ExpectDate(date, 1, 1, 2400, "800 years later");
}

TEST(DatumTest, LeapYearsMonthLengthsAndDaysOfTheYear) {
    EXPECT_FALSE(Datum::IsLeapYear(1900));
    EXPECT_TRUE(Datum::IsLeapYear(2000));
    EXPECT_TRUE(Datum::IsLeapYear(2024));
    EXPECT_FALSE(Datum::IsLeapYear(2100));
    EXPECT_FALSE(Datum::IsLeapYear(2023));
    EXPECT_EQ(Datum::DaysInMonth(2, 1900), 28);
    EXPECT_EQ(Datum::DaysInMonth(2, 2000), 29);
    EXPECT_EQ(Datum::DaysInMonth(2, 2024), 29);
    EXPECT_EQ(Datum::DaysInMonth(2, 2100), 28);
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m) EXPECT_EQ(Datum::DaysInMonth(m, 2023), lengths[m - 1]) << m;
    EXPECT_EQ(Datum::DaysInMonth(0, 2023), 0);
    EXPECT_EQ(Datum::DaysInMonth(13, 2023), 0);
    EXPECT_EQ(Datum::DaysInYear(2000), 366);
    EXPECT_EQ(Datum::DaysInYear(1900), 365);
    EXPECT_EQ(Datum::Of(31, 12, 2024).DayOfYear(), 366);
    EXPECT_EQ(Datum::Of(1, 3, 2023).DayOfYear(), 60);
    Datum bad = Datum::Of(1, 1, 2023);
    bad.month = 13;
    EXPECT_EQ(bad.DayOfYear(), -1);
    EXPECT_EQ(Datum::WeekdayOf(1, 13, 2023), -1);
    EXPECT_EQ(Datum::WeekdayOf(0, 5, 2023), -1);
    EXPECT_EQ(Datum::WeekdayOf(1, 1, 2000), 6);
    EXPECT_EQ(Datum::WeekdayOf(7, 12, 2026), 1);
}

TEST(DatumTest, DayStepsCarryOverMonthAndYearEnds) {
    ExpectDate(Stepped(Datum::Of(31, 1, 2007), 1, 1), 1, 2, 2007, "31.1. + 1 day");
    ExpectDate(Stepped(Datum::Of(25, 1, 2007), 1, 10), 4, 2, 2007, "25.1. + 10 days");
    ExpectDate(Stepped(Datum::Of(1, 3, 2000), 0, 1), 29, 2, 2000, "1.3.2000 - 1 day");
    ExpectDate(Stepped(Datum::Of(1, 3, 1900), 0, 1), 28, 2, 1900, "1.3.1900 - 1 day");
    ExpectDate(Stepped(Datum::Of(3, 1, 2024), 0, 30), 4, 12, 2023, "3.1.2024 - 30 days");
    ExpectDate(Stepped(Datum::Of(20, 12, 2023), 1, 15), 4, 1, 2024, "20.12.2023 + 15 days");
    ExpectDate(Stepped(Datum::Of(31, 1, 2025), 1, 31), 3, 3, 2025, "31.1. + 31 days");
    ExpectDate(Stepped(Datum::Of(31, 1, 2024), 1, 31), 2, 3, 2024, "31.1.2024 + 31 days");
    ExpectDate(Stepped(Datum::Of(5, 1, 2024), 2, 1), 29, 12, 2023, "5.1.2024 - 1 week");
    ExpectDate(Stepped(Datum::Of(28, 12, 2023), 5, 3), 18, 1, 2024, "28.12.2023 + 3 weeks");
    ExpectDate(Stepped(Datum::Of(10, 3, 2024), 4, 2), 25, 2, 2024, "10.3.2024 - 2 weeks");
    ExpectDate(Stepped(Datum::Of(26, 2, 2024), 3, 1), 4, 3, 2024, "26.2.2024 + 1 week");
}

TEST(DatumTest, MonthAndYearStepsCrossYearEndsAndEndOnAMonthsLastDay) {
    ExpectDate(Stepped(Datum::Of(15, 11, 2023), 7, 1), 15, 12, 2023, "15.11. + 1 month");
    ExpectDate(Stepped(Datum::Of(15, 12, 2023), 7, 1), 15, 1, 2024, "15.12. + 1 month");
    ExpectDate(Stepped(Datum::Of(15, 1, 2024), 6, 1), 15, 12, 2023, "15.1. - 1 month");
    ExpectDate(Stepped(Datum::Of(15, 2, 2024), 8, 3), 15, 11, 2023, "15.2.2024 - 3 months");
    ExpectDate(Stepped(Datum::Of(10, 10, 2023), 9, 7), 10, 5, 2024, "10.10.2023 + 7 months");
    ExpectDate(Stepped(Datum::Of(5, 1, 2000), 10, 1), 5, 1, 1999, "5.1.2000 - 1 year");
    ExpectDate(Stepped(Datum::Of(5, 1, 2000), 13, 51), 5, 1, 2051, "5.1.2000 + 51 years");
    ExpectDate(Stepped(Datum::Of(5, 7, 2000), 12, 2), 5, 7, 1998, "5.7.2000 - 2 years");
    // A step that lands beyond the month's end ends on its last day; later day steps count
    // from there.
    ExpectDate(Stepped(Datum::Of(31, 1, 2025), 7, 1), 28, 2, 2025, "31.1.2025 + 1 month");
    ExpectDate(Stepped(Datum::Of(31, 1, 2024), 7, 1), 29, 2, 2024, "31.1.2024 + 1 month");
    ExpectDate(Stepped(Datum::Of(31, 3, 2025), 6, 1), 28, 2, 2025, "31.3.2025 - 1 month");
    ExpectDate(Stepped(Datum::Of(31, 8, 2023), 9, 3), 30, 11, 2023, "31.8.2023 + 3 months");
    ExpectDate(Stepped(Datum::Of(31, 12, 2023), 8, 10), 28, 2, 2023, "31.12.2023 - 10 months");
    ExpectDate(Stepped(Datum::Of(29, 2, 2024), 11, 1), 28, 2, 2025, "29.2.2024 + 1 year");
    ExpectDate(Stepped(Datum::Of(29, 2, 2024), 12, 4), 29, 2, 2020, "29.2.2024 - 4 years");
    ExpectDate(Stepped(Stepped(Datum::Of(31, 1, 2025), 7, 1), 1, 1), 1, 3, 2025, "31.1. + 1 month + 1 day");
    // The raw month arithmetic keeps the day for the day steps that use it.
    Datum raw = Datum::Of(31, 1, 2025);
    raw.AddMonths(1);
    EXPECT_EQ(raw.day, 31);
    EXPECT_EQ(raw.month, 2);
    raw = Datum::Of(15, 3, 2024);
    raw.AddMonths(-15);
    EXPECT_EQ(raw.month, 12);
    EXPECT_EQ(raw.year, 2022);
    raw.AddMonths(25);
    EXPECT_EQ(raw.month, 1);
    EXPECT_EQ(raw.year, 2025);
}

TEST(DateStepTest, StepsAlternateAndNeverRepeatAGroup) {
    // First step: always back; 3 spreads to 6 (back one month).
    Script s{{3}};
    datetask::Step step = datetask::NextStep(-1, std::ref(s));
    EXPECT_EQ(step.type, 6);
    EXPECT_EQ(step.amount, 1);
    // After an even type the next goes forward: 3 would be 7 (the months again), drawn anew;
    // 0 gives 1 (forward days) with the amount from the next draw.
    s.values = {3, 0, 29};
    step = datetask::NextStep(6, std::ref(s));
    EXPECT_EQ(step.type, 1);
    EXPECT_EQ(step.amount, 30);
    EXPECT_TRUE(s.values.empty());
    // After an odd type the next goes back; 0 (days again) is drawn anew, 6 gives 12.
    s.values = {0, 6, 49};
    step = datetask::NextStep(1, std::ref(s));
    EXPECT_EQ(step.type, 12);
    EXPECT_EQ(step.amount, 51);
    // Every type and the range of its amount.
    struct Range {
        int type, lowest, highest;
    };
    const Range ranges[] = {{0, 1, 30}, {1, 1, 30}, {2, 1, 1},  {3, 1, 1},  {4, 2, 4},   {5, 2, 4},   {6, 1, 1},
                            {7, 1, 1},  {8, 2, 7},  {9, 2, 7},  {10, 1, 1}, {11, 1, 1}, {12, 2, 51}, {13, 2, 51}};
    for (const Range& r : ranges) {
        const int previous = r.type % 2 == 0 ? -1 : (r.type <= 1 ? 2 : 0);
        for (int drawn : {0, 1, 2, 1000000}) {
            Script t{{r.type / 2, drawn}};
            step = datetask::NextStep(previous, std::ref(t));
            ASSERT_EQ(step.type, r.type);
            const int expected = r.lowest == r.highest ? r.lowest : drawn % (r.highest - r.lowest + 1) + r.lowest;
            EXPECT_EQ(step.amount, expected) << "type " << r.type;
            EXPECT_GE(step.amount, r.lowest);
            EXPECT_LE(step.amount, r.highest);
        }
        EXPECT_EQ(datetask::TextTakesAmount(r.type), r.lowest != r.highest) << r.type;
    }
    // Chains drawn with the real generator.
    std::srand(7);
    for (int chain = 0; chain < 2000; ++chain) {
        int previous = -1;
        for (int i = 0; i < 3; ++i) {
            step = datetask::NextStep(previous, [] { return std::rand(); });
            EXPECT_EQ(step.type % 2, i % 2 == 0 ? 0 : 1) << "step " << i << " goes the wrong way";
            EXPECT_NE(datetask::GroupOf(step.type), datetask::GroupOf(previous));
            EXPECT_TRUE(step.type >= 0 && step.type < datetask::kStepTypes);
            previous = step.type;
        }
    }
}

// The date judged is the one the field shows: typed, shown, the part from today, and whether
// it is a date at all (five or seven digits are not).
TEST(DateInputTest, TheFieldShowsExactlyTheDateReadWithTodaysPartsApart) {
    const Datum today = Datum::Of(10, 6, 2025);
    for (const auto& [typed, shown, grey, isDate] : std::vector<std::tuple<std::string, std::string, std::string, bool>>{
             {"15032007", "15.03.2007", "", true}, {"150320", "15.03.2020", "20", true}, {"1503", "15.03.2025", ".2025", true},
             {"153", "15.3.2025", ".2025", true}, {"1", "1.06.2025", ".06.2025", true}, {"15032", "15.03.2", "", false},
             {"1503200", "15.03.200", "", false}, {"", "", "", false}}) {
        const datetask::TypedDate read = datetask::ReadTypedDate(typed, today);
        std::string greyRead;
        for (const auto& [text, fromToday] : read.pieces) greyRead += fromToday ? text : "";
        EXPECT_EQ(std::tuple(read.Text(), greyRead, read.isDate), std::tuple(shown, grey, isDate)) << typed;
        int d = 0, m = 0, y = 0;
        if (isDate && std::sscanf(shown.c_str(), "%d.%d.%d", &d, &m, &y) == 3) ExpectDate(read.date, d, m, y, typed);
    }
}

TEST(DateInputTest, WeekdaysMatchWhateverTheCaseAndBlanks) {
    EXPECT_TRUE(datetask::MatchesWeekday("monday", "Monday"));
    EXPECT_TRUE(datetask::MatchesWeekday("MoNDay", " Monday"));
    EXPECT_TRUE(datetask::MatchesWeekday("sonntag", "Sonn tag "));
    EXPECT_TRUE(datetask::MatchesWeekday("mon day", "Monday"));
    EXPECT_FALSE(datetask::MatchesWeekday("mondays", "Monday"));
    EXPECT_FALSE(datetask::MatchesWeekday("tuesday", "Monday"));
    EXPECT_FALSE(datetask::MatchesWeekday("monday", nullptr));
    EXPECT_FALSE(datetask::MatchesWeekday("", ""));
    EXPECT_FALSE(datetask::MatchesWeekday("", "  "));
}

namespace {
class FilelessDate : public KG_Datum_Game {
public:
    FilelessDate(int level, unsigned seed) : KG_Datum_Game(level, seed) { WithoutFile(*this); }
};

class DateGameTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        LoadEnglish();
        Datum::FixToday(Datum::Of(31, 1, 2025));
    }
    void TearDown() override {
        Datum::ReleaseToday();
        GameTest::TearDown();
    }
    void Start(int level, unsigned seed = 3) {
        game = std::make_unique<FilelessDate>(level, seed);
        game->Start();
    }
    // A task of the wanted kind (tasks are built until one comes up).
    void TaskOfKind(bool weekday) {
        for (int i = 0; i < 1000 && game->weekdayTask != weekday; ++i) game->NewTask();
        ASSERT_EQ(game->weekdayTask, weekday);
    }
    void Type(const std::string& keys) { TypeKeys(*game, keys); }
    void Enter() { PressEnter(*game); }
    std::string RightDigits() const {
        const Datum& a = game->answerDate;
        return FormatText("%02d%02d%04d", a.day, a.month, a.year);
    }
    std::string RightWeekday() const { return app->GetText(190 + game->answerDate.weekday); }
    std::unique_ptr<FilelessDate> game;
};
}  // namespace

TEST_F(DateGameTest, LevelsStartDatesAndTheTaskText) {
    Start(0);
    EXPECT_EQ(game->stepCount, 2);
    EXPECT_EQ(game->taskCount, 10);
    EXPECT_TRUE(game->startDate.SameDate(Datum::Of(31, 1, 2025)));
    EXPECT_EQ(game->startDate.weekday, 5);
    // The task text: the intro, then each step's text.
    const std::string intro = app->GetText(game->weekdayTask ? 189 : 188);
    EXPECT_EQ(game->question.rfind(intro, 0), 0u);
    EXPECT_GT(game->question.size(), intro.size() + 4);

    for (int level : {1, 2}) {
        Start(level);
        EXPECT_EQ(game->stepCount, level == 1 ? 2 : 3);
        EXPECT_EQ(game->taskCount, level == 1 ? 15 : 20);
        int away = 0;
        for (int i = 0; i < 200; ++i) {
            game->NewTask();
            const Datum& s = game->startDate;
            EXPECT_EQ(s.weekday, CivilWeekday(s.year, s.month, s.day)) << "the start date's weekday";
            EXPECT_GE(s.day, 1);
            EXPECT_LE(s.day, Datum::DaysInMonth(s.month, s.year));
            const long distance = DaysFromCivil(s.year, s.month, s.day) - DaysFromCivil(2025, 1, 31);
            EXPECT_LE(std::labs(distance), 36500);
            away += distance != 0 ? 1 : 0;
            const Datum& a = game->answerDate;
            EXPECT_EQ(a.weekday, CivilWeekday(a.year, a.month, a.day));
            EXPECT_LE(a.day, Datum::DaysInMonth(a.month, a.year)) << "an impossible answer date";
        }
        EXPECT_GT(away, 190);
    }
}

TEST_F(DateGameTest, WeekdayTasksComeInTheirShare) {
    for (int level : {0, 2}) {
        Start(level, 11);
        int weekday = 0;
        const int kTasks = 20000;
        for (int i = 0; i < kTasks; ++i) {
            game->NewTask();
            weekday += game->weekdayTask ? 1 : 0;
        }
        const double share = static_cast<double>(weekday) / kTasks;
        EXPECT_NEAR(share, level == 0 ? 0.1 : 0.2, 0.015) << "level " << level;
    }
}

TEST_F(DateGameTest, ARightDateShowsTheTickForASecond) {
    Start(0);
    TaskOfKind(false);
    EXPECT_TRUE(game->AllowsHelpKey());
    Type("ABC");
    EXPECT_EQ(game->answer.Text(), "") << "letters in a date task";
    Type(RightDigits() + "7");
    EXPECT_EQ(game->answer.Length(), 8) << "a ninth digit";
    Step(*game, 0.5);
    const int sounds = app->soundsRequested;
    Enter();
    EXPECT_EQ(game->rightCount, 1);
    EXPECT_EQ(app->lastSoundId, 1);
    EXPECT_EQ(app->soundsRequested, sounds + 1);
    EXPECT_TRUE(game->answer.ShowsTick());
    const auto frame = RenderFrame(*game);
    bool tick = false;
    for (const DrawCommand& c : SpritesOf(frame, app->texMisc1)) tick = tick || c.src == Rect{0, 450, 50, 500};
    EXPECT_TRUE(tick);
    const Datum& a = game->answerDate;
    bool shown = false;
    for (const DrawCommand& c : TextsOf(frame))
        shown = shown || (c.text == FormatText("%02d.%02d.%d", a.day, a.month, a.year) && c.color == 0xFF000000);
    EXPECT_TRUE(shown) << "the answer date in the field";
    Type("12");
    Enter();
    EXPECT_EQ(game->Answered(), 1) << "keys during the verdict";
    const double played = game->playTime;
    Step(*game, 0.6);
    EXPECT_TRUE(game->answer.InVerdict());
    EXPECT_EQ(game->playTime, played) << "the verdict counts no play time";
    Step(*game, 0.6);
    EXPECT_FALSE(game->answer.InVerdict()) << "a right verdict lasts a second";
    EXPECT_EQ(game->answer.Text(), "");
}

TEST_F(DateGameTest, NoDateIsRefusedWithAHint) {
    Start(1);
    TaskOfKind(false);
    Type(RightDigits().substr(0, 5));
    Enter();
    EXPECT_EQ(game->Answered(), 0) << "five digits are not judged";
    auto hintShown = [this] { return TextsOf(RenderFrame(*game)).back().text == app->GetText(172); };
    EXPECT_TRUE(hintShown());
    Type(RightDigits().substr(5));
    EXPECT_FALSE(hintShown());
    Enter();
    EXPECT_EQ(game->rightCount, 1);
}

TEST_F(DateGameTest, ShortAnswersTakeTodayAsReadForTheTask) {
    Start(0);
    // Find a task whose answer lies in this month and year, so that the day alone answers it.
    for (int i = 0; i < 5000; ++i) {
        game->NewTask();
        if (!game->weekdayTask && game->answerDate.month == 1 && game->answerDate.year == 2025) break;
    }
    ASSERT_EQ(game->answerDate.month, 1);
    ASSERT_FALSE(game->weekdayTask);
    // Midnight passes while the player thinks: the task still counts from the day it was set.
    Datum::FixToday(Datum::Of(1, 2, 2025));
    Type(FormatText("%02d", game->answerDate.day));
    Enter();
    EXPECT_EQ(game->rightCount, 1);
}

TEST_F(DateGameTest, AWrongWeekdayBlinksTheRightName) {
    Start(2);
    TaskOfKind(true);
    EXPECT_FALSE(game->AllowsHelpKey());
    Type("123");
    EXPECT_EQ(game->answer.Text(), "") << "digits in a weekday task";
    Type("ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(game->answer.Length(), 15);
    Enter();
    EXPECT_EQ(game->wrongCount, 1);
    EXPECT_EQ(app->lastSoundId, 11);
    const std::string name = RightWeekday();
    int shownFrames = 0, hiddenFrames = 0;
    for (int i = 0; i < 19; ++i) {
        Step(*game, 0.1);
        bool pink = false, field = false;
        const auto frame = RenderFrame(*game);
        for (const DrawCommand& c : TextsOf(frame)) pink = pink || (c.text == name && c.color == 0xFFFF7F7F);
        for (const DrawCommand& c : SpritesOf(frame, app->texMisc1))
            field = field || (c.src.top == 450 && c.src.left >= 100 && c.src.right <= 150);
        EXPECT_EQ(pink, field);
        (pink ? shownFrames : hiddenFrames) += 1;
    }
    EXPECT_GT(shownFrames, 6);
    EXPECT_GT(hiddenFrames, 6);
    Step(*game, 0.15);
    EXPECT_FALSE(game->answer.InVerdict());
}

TEST_F(DateGameTest, TypedWeekdayNamesIgnoreCase) {
    Start(2);
    TaskOfKind(true);
    const std::string name = RightWeekday();
    game->OnKeyDown(kKeyShift);
    Type(std::string(1, static_cast<char>(std::toupper(name[0]))));
    game->OnKeyUp(kKeyShift);
    std::string rest;
    for (size_t i = 1; i < name.size(); ++i)
        if (name[i] != ' ') rest += static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
    Type(rest);
    Enter();
    EXPECT_EQ(game->rightCount, 1);
}

TEST_F(DateGameTest, ALongQuestionWrapsInsideItsBox) {
    Start(2);
    game->question = std::string(400, 'x');
    for (int i = 0; i < 30; ++i) game->question += " word";
    bool found = false;
    for (const DrawCommand& c : TextsOf(RenderFrame(*game))) {
        if (c.text != game->question) continue;
        found = true;
        EXPECT_TRUE(c.format & kTextWordBreak);
        EXPECT_GE(c.rect.left, 0);
        EXPECT_LE(c.rect.right, 1024);
        EXPECT_LT(c.rect.Width(), 1024);
    }
    EXPECT_TRUE(found);
}

TEST_F(DateGameTest, TheGameEndsAfterItsTasksWithTheGrade) {
    Start(0);
    for (int task = 0; task < 10; ++task) {
        ASSERT_EQ(game->GetState(), kStatePlaying);
        Step(*game, 24.0);
        if (task < 2) {
            Type(game->weekdayTask ? "XYZ" : "01011900");
        } else if (game->weekdayTask) {
            std::string word;
            for (char c : RightWeekday())
                if (c != ' ') word += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            Type(word);
        } else {
            Type(RightDigits());
        }
        Enter();
        for (int i = 0; i < 30 && game->answer.InVerdict(); ++i) Step(*game, 0.1);
    }
    EXPECT_EQ(game->GetState(), kStateOver);
    EXPECT_EQ(game->rightCount, 8);
    EXPECT_EQ(game->wrongCount, 2);
    EXPECT_NEAR(game->playTime, 240.0, 1e-9);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->GetGrade(), 0.2 * 5 + 1 + game->playTime / 240.0);
    EXPECT_NEAR(game->GetGrade(), 3.0, 1e-9);
    const std::string result = game->GetResultText();
    EXPECT_NE(result.find(FormatText(app->GetText(32), 80)), std::string::npos) << result;
    // Left early: the tasks not answered count as wrong.
    Start(0);
    game->ComputeGrade();
    EXPECT_EQ(game->GetGrade(), 6.0);
    TaskOfKind(false);
    Type(RightDigits());
    Enter();
    game->SetState(kStateAborted);
    for (int i = 0; i < 40; ++i) Step(*game, 0.1);
    EXPECT_EQ(game->GetState(), kStateAborted) << "the verdict ended a game that was left";
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->GetGrade(), 1.0 + 9.0 / 10 * 5 + game->playTime / 240.0);
}
