// The light-sequence game and the number-clicking game played from the main menu to the
// result page and the top-ten list, alone and in a series, driven like the window procedure
// drives the menu: the games' own state (the sequence, the clicking order) tells the test
// where to click.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/TextFormat.h"
#include "games/KG_Gedaechtnis/KG_Gedaechtnis.h"
#include "games/KG_Zahlen_klicken/KG_Zahlen_klicken.h"
#include "games/PlayThroughSupport.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "platform/Renderer.h"

namespace {
constexpr int kRememberingIndex = 4;
constexpr int kClickNumbersIndex = 15;
const char* const kRememberingFile = "ged\xC3\xA4" "chtnis.sav";
using playthrough::H;
using playthrough::Tokens;
using playthrough::ValueAfter;
using playthrough::W;

class PlayThroughSequenceNumbersTest : public playthrough::MenuPlayTest {
protected:
    // Other tests of the same process may have put stand-ins into these two rows of the list.
    void SetUp() override {
        SetGameFactory(kRememberingIndex, [](int level) -> Knobel_Game* { return new KG_Gedaechtnis(level); });
        SetGameFactory(kClickNumbersIndex, [](int level) -> Knobel_Game* { return new KG_Zahlen_klicken(level); });
        MenuPlayTest::SetUp();
    }
    void ClickAt(Vec2 p) { Click(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))); }

    // Frames until the sequence has been shown, then the buttons of the sequence clicked;
    // with wrongAt >= 0 a button other than the right one is clicked at that step.
    void RepeatSequence(KG_Gedaechtnis& game, int wrongAt = -1) {
        for (int i = 0; i < 400 && game.round.showing; ++i) Frame(0.05);
        ASSERT_FALSE(game.round.showing);
        const std::vector<int> seq = game.round.sequence;
        for (int k = 0; k < static_cast<int>(seq.size()); ++k) {
            const int b = k == wrongAt ? (seq[k] + 1) % game.buttons.Count() : seq[k];
            ClickAt(game.Button(b)->centre);
            if (k == wrongAt) return;
        }
    }

    // Every board in clicking order; on the boards listed, the last tile first (a wrong click).
    void PlayBoards(KG_Zahlen_klicken& game, std::vector<int> flawed = {}) {
        for (int board = 0; board < 10; ++board) {
            ASSERT_EQ(game.DealtBoards(), board + 1);
            std::vector<Vec2> order;
            for (NumberTile* t : game.tiles) order.push_back(t->centre);
            if (std::find(flawed.begin(), flawed.end(), board) != flawed.end()) ClickAt(order.back());
            for (Vec2 p : order) ClickAt(p);
            ASSERT_TRUE(game.tiles.Empty());
            if (board == 9) return;
            for (int i = 0; i < 40 && game.tiles.Empty(); ++i) Frame(0.05);
        }
    }

    // Main page, the chosen level, one game or the series, and the game's row when one game.
    void StartAtLevel(int level, int index, bool series = false) {
        ASSERT_NO_FATAL_FAILURE(BackToMainPage());
        Click(W / 2, H / 2 - 300 + 150 + 25);
        ASSERT_EQ(menu->currentPage, kPageLevel);
        Click(W / 2, H / 2 - 150 + 75 + 25 + 50 * level);
        ASSERT_EQ(menu->level, level);
        if (series) {
            Click(W / 2, H / 2 - 150 + 75 + 25);
        } else {
            Click(W / 2, H / 2 - 150 + 150 + 25);
            ASSERT_EQ(menu->currentPage, kPageGameList);
            while (index - menu->listFirst > menu->listLastRow) Click(W / 2 - 200 + 175 + 25, H / 2 - 350 + 560 + 25);
            Click(W / 2, H / 2 - 350 + 135 + 60 * (index - menu->listFirst) + 25);
        }
        ASSERT_NE(menu->game, nullptr);
        EXPECT_EQ(menu->gameIndex, index);
        WaitForStart();
    }
    void WaitForStart() {
        for (int i = 0; i < 100 && !menu->game->running; ++i) Frame(0.1);
        ASSERT_TRUE(menu->game->running);
    }
};
}  // namespace

TEST_F(PlayThroughSequenceNumbersTest, BothGamesPlayedToTheTopTenAndBookedInTheTotals) {
    // The light sequence at the first level, won: every sequence up to twenty buttons repeated.
    StartFromMenu(kRememberingIndex);
    auto* remembering = dynamic_cast<KG_Gedaechtnis*>(menu->game);
    ASSERT_NE(remembering, nullptr);
    ASSERT_EQ(remembering->buttons.Count(), 20);
    while (remembering->GetState() == kStatePlaying) {
        RepeatSequence(*remembering);
        ASSERT_LE(remembering->round.Length(), 20);
    }
    EXPECT_EQ(remembering->GetState(), kStateOver);
    WaitForResultPage();
    const double rememberingGrade = remembering->GetGrade();
    EXPECT_DOUBLE_EQ(rememberingGrade, 1.0 + remembering->GetPlayTime() / remembering->round.judgedClicks / 2.0);
    EXPECT_LT(remembering->GetPlayTime(), 60.0) << "watching is not counted";
    Frame();
    EXPECT_TRUE(FrameShows(app->GetText(38)));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(50), rememberingGrade)));
    EnterName();
    EXPECT_EQ(menu->currentPage, kPageGameList);
    ExpectOneTopTenLine(kRememberingFile, "Ann_7", rememberingGrade);

    // Click numbers at the first level: one board with a wrong click.
    StartFromMenu(kClickNumbersIndex);
    auto* numbers = dynamic_cast<KG_Zahlen_klicken*>(menu->game);
    ASSERT_NE(numbers, nullptr);
    Frame(1.0);
    PlayBoards(*numbers, {4});
    EXPECT_EQ(numbers->wrongClicks, 1);
    WaitForResultPage();
    EXPECT_EQ(numbers->GetState(), kStateOver);
    const double numbersGrade = numbers->GetGrade();
    EXPECT_DOUBLE_EQ(numbersGrade, 0.1 * 5 + 1 + numbers->GetPlayTime() / 60.0);
    Frame();
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(124), 1)));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(32), 90)));
    EnterName();
    ExpectOneTopTenLine("zahlenklicken.sav", "Ann_7", numbersGrade);

    ExpectTotals(EndProgramAndReadTotals(), {rememberingGrade, numbersGrade});
}

TEST_F(PlayThroughSequenceNumbersTest, TheSecondLevelLostWithTheAlarmAndTheThirdLevelInAnyOrder) {
    StartAtLevel(1, kRememberingIndex);
    auto* remembering = dynamic_cast<KG_Gedaechtnis*>(menu->game);
    ASSERT_NE(remembering, nullptr);
    ASSERT_EQ(remembering->buttons.Count(), 30);
    RepeatSequence(*remembering);
    RepeatSequence(*remembering, 2);
    EXPECT_EQ(remembering->GetState(), kStateOverOther);
    EXPECT_EQ(app->lastSoundId, 10);
    WaitForResultPage();
    const double grade = remembering->GetGrade();
    EXPECT_DOUBLE_EQ(grade, 5.0 * (1 - 4.0 / 30) + 1 + remembering->GetPlayTime() / remembering->round.judgedClicks / 2);
    Frame();
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(36), 4)));
    EnterName();
    ExpectOneTopTenLine(kRememberingFile, "Ann_7", grade);

    StartAtLevel(2, kClickNumbersIndex);
    auto* numbers = dynamic_cast<KG_Zahlen_klicken*>(menu->game);
    ASSERT_NE(numbers, nullptr);
    ASSERT_EQ(numbers->tiles.Count(), 16);
    PlayBoards(*numbers);
    WaitForResultPage();
    EXPECT_EQ(numbers->perfectBoards, 10);
    const double numbersGrade = numbers->GetGrade();
    EXPECT_DOUBLE_EQ(numbersGrade, 1.0 + numbers->GetPlayTime() / 240.0);
    EnterName();
    ExpectOneTopTenLine("zahlenklicken.sav", "Ann_7", numbersGrade);
}

// The click that clears the tenth board ends the game: an Escape right after it pauses nothing,
// and the game is booked as played to the end.
TEST_F(PlayThroughSequenceNumbersTest, TheLastBoardEndsTheGameAtOnce) {
    StartFromMenu(kClickNumbersIndex);
    auto* numbers = dynamic_cast<KG_Zahlen_klicken*>(menu->game);
    ASSERT_NE(numbers, nullptr);
    Frame(1.0);
    PlayBoards(*numbers, {0, 1});
    ASSERT_EQ(numbers->GetState(), kStateOver);
    Key(kKeyEscape);
    Frame();
    EXPECT_NE(menu->currentPage, kPageInGame);
    WaitForResultPage();
    EXPECT_EQ(numbers->GetState(), kStateOver);
    EXPECT_DOUBLE_EQ(numbers->GetGrade(), 0.2 * 5 + 1 + numbers->GetPlayTime() / 60.0);
    EnterName();
    EXPECT_EQ(menu->currentPage, kPageGameList);
    EXPECT_EQ(app->runState, 0);
    std::vector<std::string> sav = Tokens("zahlenklicken.sav");
    EXPECT_EQ(ValueAfter(sav, "ANZ_SPIELE:"), 1);
}

// A series at the third level of just these two games: the light sequence lost, Click
// numbers played to the end, then the series result.
TEST_F(PlayThroughSequenceNumbersTest, BothGamesInASeriesAtTheThirdLevel) {
    // Only these two games in the list while the test runs.
    struct OnlyTwoGames {
        std::array<GameFactory, kGameCount> saved;
        OnlyTwoGames() {
            for (int i = 0; i < kGameCount; ++i) {
                saved[i] = GetGameInfo(i).create;
                if (i != kRememberingIndex && i != kClickNumbersIndex) SetGameFactory(i, nullptr);
            }
        }
        ~OnlyTwoGames() {
            for (int i = 0; i < kGameCount; ++i) SetGameFactory(i, saved[i]);
        }
    } onlyTwo;
    StartAtLevel(2, kRememberingIndex, true);
    EXPECT_TRUE(menu->seriesMode);
    auto* remembering = dynamic_cast<KG_Gedaechtnis*>(menu->game);
    ASSERT_NE(remembering, nullptr);
    EXPECT_EQ(remembering->buttons.Count(), 40);
    RepeatSequence(*remembering);
    RepeatSequence(*remembering, 0);
    WaitForResultPage();
    const double first = remembering->GetGrade();
    EnterName();
    ASSERT_NE(menu->game, nullptr);
    EXPECT_EQ(menu->gameIndex, kClickNumbersIndex);
    WaitForStart();
    auto* numbers = dynamic_cast<KG_Zahlen_klicken*>(menu->game);
    ASSERT_NE(numbers, nullptr);
    EXPECT_EQ(numbers->tiles.Count(), 16);
    PlayBoards(*numbers);
    WaitForResultPage();
    const double second = numbers->GetGrade();
    EnterName();
    EXPECT_EQ(menu->currentPage, kPageSeriesResult);
    EXPECT_EQ(menu->seriesCount, 2);
    EXPECT_NEAR(menu->seriesSum, first + second, 1e-9);
}
