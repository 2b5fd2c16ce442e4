// Reading clocks, the date game and triangle arithmetic played from the main menu to the
// top-ten list: the task is read from the game, typed with keys like a player types it, one
// answer of each game wrong; then the result page, the name, the ".sav" line and the totals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "app/AppContext.h"
#include "framework/TextFormat.h"
#include "games/KG_Datum_Game/Datum.h"
#include "games/KG_Datum_Game/KG_Datum_Game.h"
#include "games/KG_Dreieck_rechnen/KG_Dreieck_rechnen.h"
#include "games/KG_Uhr_lesen/KG_Uhr_lesen.h"
#include "games/PlayThroughSupport.h"
#include "gui/MainMenu.h"
#include "platform/Renderer.h"

namespace {
constexpr int kDateIndex = 2;
constexpr int kTriangleIndex = 3;
constexpr int kClockIndex = 12;
using playthrough::Tokens;
using playthrough::ValueAfter;

class TypedGamesPlayThroughTest : public playthrough::MenuPlayTest {
protected:
    void SetUp() override {
        MenuPlayTest::SetUp();
        Datum::FixToday(Datum::Of(29, 2, 2024));
    }
    void TearDown() override {
        Datum::ReleaseToday();
        MenuPlayTest::TearDown();
    }

    void TypeKeys(const std::string& keys) {
        for (char c : keys) Key(static_cast<uint16_t>(std::toupper(static_cast<unsigned char>(c))));
    }
    // Types the answer, a little thinking time, Enter; then frames until the verdict is over.
    template <typename G>
    void Answer(G& game, const std::string& keys) {
        Frame(1.0);
        TypeKeys(keys);
        Frame();
        Key(kKeyReturn);
        for (int i = 0; i < 60 && game.answer.InVerdict(); ++i) Frame(0.05);
        ASSERT_FALSE(game.answer.InVerdict());
    }
    // Main page, the level, one game, the row of the game (the list stands at its top).
    void StartFromMenuAtLevel(int index, int level) {
        ASSERT_NO_FATAL_FAILURE(BackToMainPage());
        Click(playthrough::W / 2, playthrough::H / 2 - 300 + 150 + 25);
        ASSERT_EQ(menu->currentPage, kPageLevel);
        Click(playthrough::W / 2, playthrough::H / 2 - 150 + 75 + 25 + 50 * level);
        ASSERT_EQ(menu->level, level);
        Click(playthrough::W / 2, playthrough::H / 2 - 150 + 150 + 25);
        ASSERT_EQ(menu->currentPage, kPageGameList);
        ASSERT_LE(index - menu->listFirst, menu->listLastRow);
        Click(playthrough::W / 2, playthrough::H / 2 - 350 + 135 + 60 * (index - menu->listFirst) + 25);
        ASSERT_NE(menu->game, nullptr);
        for (int i = 0; i < 100 && !menu->game->running; ++i) Frame(0.1);
        ASSERT_TRUE(menu->game->running);
    }
    // The result page shows the counts and the grade; the name goes into the top ten.
    void FinishWithName(Knobel_Game& game, int right, int wrong, const char* file) {
        WaitForResultPage();
        Frame();
        EXPECT_TRUE(FrameShows(FormatText(app->GetText(30), right)));
        EXPECT_TRUE(FrameShows(FormatText(app->GetText(31), wrong)));
        EXPECT_TRUE(FrameShows(FormatText(app->GetText(32), right * 100 / (right + wrong))));
        const double grade = game.GetGrade();
        EXPECT_TRUE(FrameShows(FormatText(app->GetText(50), grade)));
        EnterName();
        EXPECT_EQ(menu->currentPage, kPageGameList);
        EXPECT_EQ(app->runState, 0);
        ExpectOneTopTenLine(file, "Ann_7", grade);
    }
};
}  // namespace

TEST_F(TypedGamesPlayThroughTest, AllThreeGamesToTheTopTenAndTheTotals) {
    // The date game: ten tasks from today, the first answered wrong.
    StartFromMenu(kDateIndex);
    auto* date = dynamic_cast<KG_Datum_Game*>(menu->game);
    ASSERT_NE(date, nullptr);
    for (int task = 0; task < 10; ++task) {
        EXPECT_TRUE(date->startDate.SameDate(Datum::Of(29, 2, 2024)));
        const Datum& a = date->answerDate;
        std::string keys;
        if (date->weekdayTask) {
            for (char c : std::string(app->GetText(190 + (task == 0 ? (a.weekday + 1) % 7 : a.weekday))))
                if (c != ' ') keys += c;
        } else {
            keys = FormatText("%02d%02d%04d", a.day, a.month, task == 0 ? a.year + 1 : a.year);
        }
        Answer(*date, keys);
    }
    EXPECT_EQ(date->rightCount, 9);
    EXPECT_EQ(date->GetState(), kStateOver);
    const double dateGrade = 1.0 + 1.0 / 10 * 5.0 + date->GetPlayTime() / 240.0;
    WaitForResultPage();
    EXPECT_DOUBLE_EQ(date->GetGrade(), dateGrade);
    FinishWithName(*date, 9, 1, "datum.sav");

    // Triangle arithmetic at the third level: twenty triangles of four rows, two wrong.
    StartFromMenuAtLevel(kTriangleIndex, 2);
    auto* triangle = dynamic_cast<KG_Dreieck_rechnen*>(menu->game);
    ASSERT_NE(triangle, nullptr);
    ASSERT_EQ(triangle->rowCount, 4);
    for (int task = 0; task < 20; ++task) {
        const int apex = triangle->apex->value;
        Answer(*triangle, std::to_string(task == 5 || task == 12 ? apex + 1 : apex));
    }
    EXPECT_EQ(triangle->rightCount, 18);
    EXPECT_EQ(triangle->GetState(), kStateOver);
    const double triangleGrade = 1.0 + 2.0 / 20 * 5.0 + triangle->GetPlayTime() / 480.0;
    WaitForResultPage();
    EXPECT_DOUBLE_EQ(triangle->GetGrade(), triangleGrade);
    FinishWithName(*triangle, 18, 2, "dreieck.sav");

    // Reading clocks: five tasks, the fourth answered wrong.
    StartFromMenu(kClockIndex);
    auto* clock = dynamic_cast<KG_Uhr_lesen*>(menu->game);
    ASSERT_NE(clock, nullptr);
    for (int task = 0; task < 5; ++task) {
        const int m = clock->answerMinutes;
        const int typed = task == 3 ? (m + 1) % 1440 : m;
        Answer(*clock, std::to_string(typed / 60 * 100 + typed % 60));
    }
    EXPECT_EQ(clock->rightCount, 4);
    EXPECT_EQ(clock->GetState(), kStateOver);
    EXPECT_NEAR(clock->GetPlayTime(), 5 * 1.05, 1e-9) << "a second of thinking and a frame of typing per task";
    const double clockTime = clock->GetPlayTime();
    const double clockGrade = 1.0 + 1.0 / 5 * 5.0 + clockTime / 120.0;
    WaitForResultPage();
    EXPECT_DOUBLE_EQ(clock->GetGrade(), clockGrade);
    FinishWithName(*clock, 4, 1, "uhr.sav");

    // The totals of all games, written when the program ends.
    const std::vector<std::string> stats = EndProgramAndReadTotals();
    ExpectTotals(stats, {clockGrade, dateGrade, triangleGrade});
    EXPECT_GT(ValueAfter(stats, "GAME_ZEIT:"), clockTime);
    Datum::FixToday(Datum::Of(29, 2, 2024));
}
