// The brain-game base: booking and saving at destruction, the statistics text, the shared
// drawing helpers and the top-ten operations the menu calls.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "framework/Statistics.h"
#include "gui/MenuTestSupport.h"
#include "platform/FontManager.h"
#include "platform/Renderer.h"

using menutest::TestGame;

namespace {
// The values of a game file that the tests compare.
struct Saved {
    int gamesPlayed = 0, solvedCount = 0;
    double time = 0.0;
};
Saved LoadFile(const char* name) {
    GameStatistics s;
    LoadStatisticsFile(name, s);
    return Saved{s.gamesPlayed, s.solvedCount, s.time};
}

std::string Lines(int n) { return std::string(static_cast<size_t>(n), '\n'); }
}  // namespace

TEST(KnobelGame, DeletedWithoutSavingWritesTheFileButBooksNothing) {
    AppContext* app = GetAppContext();
    auto* game = new TestGame(0);
    game->gameStatistics.time = 12.0;
    game->grade = 2.0;
    game->DisableSaving();
    delete game;
    ASSERT_TRUE(std::filesystem::exists("testgame.sav"));
    Saved s = LoadFile("testgame.sav");
    EXPECT_EQ(s.gamesPlayed, 0);
    EXPECT_DOUBLE_EQ(s.time, 12.0);
    EXPECT_EQ(app->statistics->gamesPlayed, 0);
}

TEST(KnobelGame, DeletionBooksTheGradeIntoBothRecordsAndLoadsItAgain) {
    AppContext* app = GetAppContext();
    auto* game = new TestGame(1);
    game->grade = 2.5;
    delete game;
    EXPECT_EQ(app->statistics->gamesPlayed, 1);
    EXPECT_DOUBLE_EQ(app->statistics->gradeSum, 2.5);
    TestGame again(1);
    EXPECT_EQ(again.gameStatistics.gamesPlayed, 1);
    EXPECT_DOUBLE_EQ(again.gameStatistics.bestGrade, 2.5);
    EXPECT_DOUBLE_EQ(again.gameStatistics.worstGrade, 2.5);
    again.DisableSaving();
}

TEST(KnobelGame, OnePointFiveCountsAsSolvedOnePointFiveOneDoesNot) {
    AppContext* app = GetAppContext();
    auto* game = new TestGame(0);
    game->grade = 1.5;
    delete game;
    EXPECT_EQ(LoadFile("testgame.sav").solvedCount, 1);
    EXPECT_EQ(app->statistics->solvedCount, 1);
    game = new TestGame(0);
    game->grade = 1.51;
    delete game;
    Saved s = LoadFile("testgame.sav");
    EXPECT_EQ(s.solvedCount, 1);
    EXPECT_EQ(s.gamesPlayed, 2);
    EXPECT_EQ(app->statistics->solvedCount, 1);
}

TEST(KnobelGame, StatisticsTextWithNothingBooked) {
    menutest::InstallTexts(GetAppContext());
    TestGame game(0);
    game.DisableSaving();
    EXPECT_EQ(std::string(game.GetStatisticsText()),
              Lines(10) + "Time 0:00:00\nSolved 0\nAverage 0.00\nGames 0");
}

TEST(KnobelGame, StatisticsTextSplitsHoursMinutesSeconds) {
    menutest::InstallTexts(GetAppContext());
    TestGame game(0);
    game.DisableSaving();
    game.gameStatistics.time = 100 * 3600.0 + 5 * 60.0 + 7.9;
    EXPECT_NE(std::string(game.GetStatisticsText()).find("\nTime 100:05:07\n"), std::string::npos);
}

TEST(KnobelGame, StatisticsTextListsTenEntriesAndTheBookedGrades) {
    menutest::InstallTexts(GetAppContext());
    TestGame game(0);
    game.DisableSaving();
    for (int i = 0; i < 11; ++i) {
        auto* e = new ScoreEntry();
        std::snprintf(e->name, sizeof e->name, "P%d", i);
        e->day = 3;
        e->month = 4;
        e->year = 2026;
        e->grade = 1.0 + i * 0.1;
        game.gameStatistics.entries.Add(e);
    }
    game.gameStatistics.BookGrade(2.0);
    game.gameStatistics.BookGrade(4.0);
    const std::string text = game.GetStatisticsText();
    EXPECT_EQ(text.rfind("1. P0 03.04.2026 1.00\n", 0), 0u);
    EXPECT_NE(text.find("10. P9 03.04.2026 1.90\nTime"), std::string::npos);
    EXPECT_EQ(text.find("P10"), std::string::npos);
    EXPECT_NE(text.find("Best 2.00\nWorst 4.00\nAverage 3.00\nGames 2"), std::string::npos);
}

TEST(KnobelGame, StatisticsTextShowsBestAndWorstAfterASixPointZero) {
    menutest::InstallTexts(GetAppContext());
    TestGame game(0);
    game.DisableSaving();
    game.gameStatistics.BookGrade(6.0);
    EXPECT_NE(std::string(game.GetStatisticsText()).find("Best 6.00\nWorst 6.00\n"), std::string::npos);
}

TEST(KnobelGame, TextsWithoutLanguageFileAreEmptyNotCrashing) {
    TestGame game(0);
    game.DisableSaving();
    EXPECT_EQ(std::string(game.GetStatisticsText()), Lines(13));
    EXPECT_EQ(std::string(game.GetResultText()), "\nTest line\n\n");
}

TEST(KnobelGame, ResultTextFrame) {
    menutest::InstallTexts(GetAppContext());
    TestGame game(0);
    game.DisableSaving();
    game.playTime = 65.9;
    game.grade = 2.5;
    EXPECT_EQ(std::string(game.FrameResultText({"a", "b"})), "Played 1:05\na\nb\n\nGrade 2.50");
}

TEST(KnobelGame, HelpIsDrawnIntoThePanelMargins) {
    AppContext* app = GetAppContext();
    menutest::RecordingRenderer recorder(app);
    TestGame game(0);
    game.DisableSaving();
    app->sprite->Begin();
    game.DrawHelp(nullptr, Rect{0, 0, 800, 600}, Vec2{112.7f, 84.2f}, Vec2{1, 1}, game.font);
    app->sprite->End();
    const DrawCommand* c = menutest::FindText(*app->sprite, "Rules of the test game");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->rect, (Rect{162, 134, 862, 614}));
    EXPECT_EQ(c->format, 21u);
    EXPECT_EQ(c->color, 0xFF000000u);
    EXPECT_EQ(c->font, game.font);
}

TEST(KnobelGame, TimePanelShowsMinutesAndSecondsAtTheTop) {
    AppContext* app = GetAppContext();
    menutest::InstallTexts(app);
    menutest::RecordingRenderer recorder(app);
    TestGame game(0);
    game.DisableSaving();
    game.playTime = 125.7;
    app->sprite->Begin();
    game.DrawTimePanel();
    app->sprite->End();
    const DrawCommand* c = menutest::FindText(*app->sprite, "Clock 2:05");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->rect, (Rect{362, 0, 662, 50}));
    EXPECT_EQ(c->color, 0xFF000000u);
}

TEST(KnobelGame, PlayTimeGrowsOnlyWhilePlayingStatisticsTimeAlways) {
    AppContext* app = GetAppContext();
    TestGame game(0);
    game.DisableSaving();
    app->frameTime = 0.5;
    game.Update();
    game.SetState(kStatePaused);
    game.Update();
    EXPECT_DOUBLE_EQ(game.GetPlayTime(), 0.5);
    EXPECT_DOUBLE_EQ(game.gameStatistics.time, 1.0);
}

TEST(KnobelGame, StartAndDefaults) {
    TestGame game(2);
    game.DisableSaving();
    EXPECT_EQ(game.level, 2);
    EXPECT_FALSE(game.running);
    EXPECT_DOUBLE_EQ(game.GetGrade(), 6.0);
    EXPECT_FALSE(game.saveOnExit);
    EXPECT_STREQ(game.saveFileName, "testgame.sav");
    game.Start();
    EXPECT_TRUE(game.running);
    EXPECT_EQ(game.GetState(), kStatePlaying);
    EXPECT_EQ(game.font->faceName, "Arial");
    EXPECT_DOUBLE_EQ(game.font->height, 20.0);
}

TEST(KnobelGame, EntriesForTheTopTen) {
    TestGame game(0);
    game.DisableSaving();
    game.grade = 2.0;
    EXPECT_TRUE(game.QualifiesForTopTen());
    ScoreEntry* e = game.CreateEntry();
    EXPECT_DOUBLE_EQ(e->grade, 2.0);
    EXPECT_STREQ(e->name, "");
    game.AddEntry(e);
    EXPECT_EQ(game.gameStatistics.entries.Count(), 1);
    game.grade = 6.0;
    EXPECT_FALSE(game.QualifiesForTopTen());
    game.ResetStatistics();
    EXPECT_EQ(game.gameStatistics.entries.Count(), 0);
}

TEST(KnobelGame, GamesShareTheirDefaultFont) {
    Font* first = nullptr;
    for (int i = 0; i < 50; ++i) {
        TestGame game(0);
        game.DisableSaving();
        if (first == nullptr) first = game.font;
        EXPECT_EQ(game.font, first);
    }
    EXPECT_EQ(GetFontManager()->FindFont(first->id), first);
    Font* next = GetFontManager()->AddFont("Comic Sans MS", 30);
    EXPECT_EQ(next->id, first->id + 1);  // no font was added per game
}

namespace {
// A game that makes two fonts of its own, once.
struct FontGame : TestGame {
    FontGame() : TestGame(0) {
        digits = MakeFont("Arial", 35);
        clock = MakeFont("Arial", 40);
    }
    Font* digits;
    Font* clock;
};
}  // namespace

TEST(KnobelGame, OwnFontsStayOutOfTheManagerAndFollowTheDevice) {
    FontManager* manager = GetFontManager();
    const int before = manager->AddFont("Arial", 11)->id;
    {
        FontGame game;
        game.DisableSaving();
        EXPECT_EQ(game.digits->height, 35);
        EXPECT_NE(game.digits, game.clock);
        game.OnLostDevice();
        EXPECT_TRUE(game.digits->lost);
        EXPECT_TRUE(game.clock->lost);
        game.OnResetDevice();
        EXPECT_FALSE(game.digits->lost);
        EXPECT_FALSE(game.clock->lost);
    }
    // Games come and go without the manager's list growing.
    for (int i = 0; i < 20; ++i) {
        FontGame game;
        game.DisableSaving();
    }
    EXPECT_LE(manager->AddFont("Arial", 11)->id, before + 2);  // at most the shared game font was added
}

TEST(KnobelGame, ABrokenGradeIsBookedAsNoResult) {
    AppContext* app = GetAppContext();
    {
        TestGame game(0);
        game.grade = std::nan("");
        game.saveFileName[0] = '\0';
    }
    {
        TestGame game(0);
        game.grade = -3.0;
        game.saveFileName[0] = '\0';
    }
    EXPECT_EQ(app->statistics->gamesPlayed, 2);
    EXPECT_DOUBLE_EQ(app->statistics->gradeSum, 7.0);
    EXPECT_DOUBLE_EQ(app->statistics->worstGrade, 6.0);
    EXPECT_DOUBLE_EQ(app->statistics->bestGrade, 1.0);
}
