// What the menu tells the main loop about the next change of its picture: nothing on a still
// page, every frame while something moves, the next whole second of a running clock.
#include "gui/MenuFixture.h"

#include <cmath>

#include "framework/Statistics.h"

namespace {
class MenuQuietTest : public MenuTest {};
}  // namespace

TEST_F(MenuQuietTest, AStillPageWaitsForInputWhileThePressAnimationRunsEveryFrame) {
    Frames(0.5);
    EXPECT_EQ(menu->SecondsUntilChange(), kNoChange);
    MoveTo(kPlayX, kPlayY);
    menu->OnLButtonDown(kPlayX, kPlayY);
    EXPECT_EQ(menu->SecondsUntilChange(), 0.0);  // the pointer presses in
    Frames(0.5, 0.02);
    EXPECT_EQ(menu->SecondsUntilChange(), kNoChange);
    menu->OnLButtonUp(kPlayX, kPlayY);
    EXPECT_EQ(menu->SecondsUntilChange(), 0.0);  // and springs back
    Frames(0.5, 0.02);
    EXPECT_EQ(menu->SecondsUntilChange(), kNoChange);
}

TEST_F(MenuQuietTest, TheStatisticsPageWakesForEachSecondOfTheTotalTime) {
    ASSERT_NE(app->statistics, nullptr);
    Click(kStatsX, kStatsY);
    Frames(0.5, 0.02);
    ASSERT_EQ(menu->currentPage, kPageStatistics);
    app->statistics->time = 125.25;
    EXPECT_NEAR(menu->SecondsUntilChange(), 0.751, 1e-9);
}

TEST_F(MenuQuietTest, AGameWakesTheLoopForItsCountdownAndItsClockButNotWhilePaused) {
    StartFirstGame();
    Frame(0.1);
    EXPECT_EQ(menu->SecondsUntilChange(), 0.0);  // the countdown
    Frames(3.5);
    ASSERT_TRUE(TestGame::last->running);
    TestGame::last->playTime = 10.4;
    EXPECT_NEAR(menu->SecondsUntilChange(), 0.601, 1e-9);
    menu->OnKeyDown(kKeyEscape);
    menu->OnKeyUp(kKeyEscape);
    Frames(0.5, 0.02);
    ASSERT_TRUE(app->paused);
    EXPECT_EQ(menu->SecondsUntilChange(), kNoChange);
}

TEST_F(MenuQuietTest, APauseDuringTheCountdownIsQuiet) {
    StartFirstGame();
    Frames(1.0);
    menu->OnKeyUp(kKeyEscape);
    Frames(0.5, 0.02);
    EXPECT_EQ(menu->SecondsUntilChange(), kNoChange);
}

TEST(SecondsToNextWholeSecond, LandsJustAfterTheTurnAndSurvivesNonsense) {
    EXPECT_NEAR(SecondsToNextWholeSecond(0.0), 1.001, 1e-12);
    EXPECT_NEAR(SecondsToNextWholeSecond(59.999), 0.002, 1e-9);
    EXPECT_EQ(SecondsToNextWholeSecond(std::nan("")), 1.0);
    EXPECT_EQ(SecondsToNextWholeSecond(-3.0), 1.0);
    EXPECT_EQ(SecondsToNextWholeSecond(1.0e300), 1.0);
}

TEST_F(MenuQuietTest, TheResultPageOfAnAbortedGameRestsWhileTheNameIsTyped) {
    StartFirstGame();
    Frames(3.1);
    TestGame::last->nextGrade = 3.0;
    menu->OnKeyUp(kKeyEscape);
    Click(kAbortX, kAbortY);
    Frame(0.1);
    ASSERT_EQ(menu->currentPage, kPageResult);
    ASSERT_NE(menu->gameEntry, nullptr);
    // Only the caret changes: shown for half a second, hidden for the next.
    Frame(0.1);  // the caret has shown for 0.2 s
    EXPECT_NEAR(menu->SecondsUntilChange(), 0.3, 1e-9);
    auto caretShown = [&]() { return menutest::FindText(Draw(), "|") != nullptr; };
    EXPECT_TRUE(caretShown());
    Frame(0.4);
    EXPECT_FALSE(caretShown());
    EXPECT_NEAR(menu->SecondsUntilChange(), 0.4, 1e-9);
}
