// The main menu driven like the window procedure drives it: mouse and key calls at the
// coordinates of the pages, frames stepped with chosen frame times, a small test game in the
// game list.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/AppContext.h"
#include "framework/Statistics.h"
#include "gui/GUIElement.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "gui/MenuFixture.h"
#include "gui/MenuTestSupport.h"
#include "platform/FontManager.h"
#include "platform/Renderer.h"
#include "platform/Texture.h"

using menutest::TestGame;

TEST_F(MenuTest, StartsOnTheMainPageWithItsFonts) {
    EXPECT_EQ(menu->currentPage, kPageMain);
    EXPECT_TRUE(menu->elementEnabled[0]);
    for (int i = 1; i < Game::kElementCount; ++i) EXPECT_FALSE(menu->elementEnabled[i]) << i;
    EXPECT_EQ(menu->buttonFont->height, 30);
    EXPECT_EQ(menu->titleFont->height, 40);
    EXPECT_EQ(menu->countdownFont->height, 80);
    EXPECT_EQ(menu->smallFont->height, 20);
    EXPECT_EQ(menu->buttonFont->id + 1, menu->titleFont->id);
    EXPECT_EQ(menu->countdownFont->id + 1, menu->smallFont->id);
    EXPECT_EQ(menu->buttonFont->faceName, "Comic Sans MS");
}

TEST_F(MenuTest, ListScrollsBetweenZeroAndNine) {
    OpenGameList();
    MoveTo(kScrollX, kUpY);  // no scroll-up button at the top: the page itself
    ASSERT_NE(menu->hitElement, nullptr);
    EXPECT_EQ(menu->hitElement->GetId(), kPageGameList);
    Click(kScrollX, kUpY);
    EXPECT_EQ(menu->listFirst, 0);
    for (int i = 0; i < 20; ++i) Click(kScrollX, kDownY);
    EXPECT_EQ(menu->listFirst, 9);
    MoveTo(kRowX, kRow0Y + 6 * 60);
    EXPECT_EQ(menu->hitElement->GetId(), MainMenu::kListRowIdBase + 15);
    MoveTo(kScrollX, kDownY);
    EXPECT_EQ(menu->hitElement->GetId(), kPageGameList);
    for (int i = 0; i < 20; ++i) Click(kScrollX, kUpY);
    EXPECT_EQ(menu->listFirst, 0);
    MoveTo(kRowX, kRow0Y);
    EXPECT_EQ(menu->hitElement->GetId(), MainMenu::kListRowIdBase);
}

TEST_F(MenuTest, GameListShowsTheNamesAndItsBackButtonLabel) {
    SetGameFactory(5, MakeTestGame);
    const GameFactory first = GetGameInfo(0).create;
    SetGameFactory(0, nullptr);  // whichever games are built already: this one is not
    OpenGameList();
    MoveTo(5, 5);
    const Renderer& r = Draw();
    for (int id : {7, 20, 105, 170, 42, 18, 19, 125, 0}) EXPECT_NE(menutest::FindText(r, "T" + std::to_string(id)), nullptr) << id;
    EXPECT_EQ(menutest::FindText(r, "T130"), nullptr);  // the eighth game is below the last row
    EXPECT_EQ(menutest::FindText(r, "T19")->color, 0xFF000000u);
    EXPECT_EQ(menutest::FindText(r, "T20")->color, 0xFF808080u);  // not built yet: greyed out
    SetGameFactory(0, first);
}

TEST_F(MenuTest, WheelScrollsTheListWithinItsLimits) {
    OpenGameList();
    menu->OnMouseWheel(static_cast<uint32_t>(static_cast<uint16_t>(-120)) << 16);
    EXPECT_EQ(menu->listFirst, 1);
    menu->OnMouseWheel(120u << 16);
    menu->OnMouseWheel(120u << 16);
    EXPECT_EQ(menu->listFirst, 0);
    for (int i = 0; i < 12; ++i) menu->OnMouseWheel(static_cast<uint32_t>(static_cast<uint16_t>(-120)) << 16);
    EXPECT_EQ(menu->listFirst, 9);
}

TEST_F(MenuTest, EmptyAreaOfAPagePlaysTheMenuClickAndDoesNothing) {
    Click(330, 100);
    EXPECT_EQ(app->soundsRequested, 1);
    EXPECT_EQ(app->lastSoundId, 0);
    EXPECT_EQ(menu->currentPage, kPageMain);
    EXPECT_EQ(app->runState, 0);
    Click(100, 100);  // outside every page, no game: nothing at all
    EXPECT_EQ(app->soundsRequested, 1);
}

TEST_F(MenuTest, ClicksOutsidePagesDuringAGameReachTheGame) {
    StartFirstGame();
    Frames(3.1);
    TestGame* game = TestGame::last;
    EXPECT_TRUE(game->running);
    const int before = app->soundsRequested;
    Click(10, 20);
    EXPECT_EQ(app->soundsRequested, before + 1);
    EXPECT_EQ(app->lastSoundId, 1);
    EXPECT_EQ(game->buttonDowns, 1);
    EXPECT_EQ(game->buttonUps, 1);
    EXPECT_EQ(game->lastX, 10);
    EXPECT_EQ(game->lastY, 20);
    menu->OnKeyDown(kKeyA);
    menu->OnKeyUp(kKeyA);
    EXPECT_EQ(game->keysDown.size(), 1u);
    EXPECT_EQ(game->keysUp.size(), 1u);
}

TEST_F(MenuTest, GameStartsAfterTheCountdownWithoutInputBeforeIt) {
    StartFirstGame();
    TestGame* game = TestGame::last;
    EXPECT_EQ(app->runState, 1);
    EXPECT_EQ(menu->currentPage, kPageNone);
    EXPECT_DOUBLE_EQ(menu->countdown, 3.0);
    Click(10, 20);
    EXPECT_EQ(game->buttonUps, 0);
    Frames(2.875, 0.125);
    EXPECT_FALSE(game->running);
    EXPECT_EQ(game->updates, 0);
    Frame(0.125);  // the countdown reaches 0: the game starts, but is not stepped yet
    EXPECT_TRUE(game->running);
    EXPECT_EQ(game->GetState(), kStatePlaying);
    EXPECT_EQ(game->updates, 0);
    Frame(0.125);
    EXPECT_EQ(game->updates, 1);
}

TEST_F(MenuTest, CountdownShowsTwoOneStart) {
    StartFirstGame();
    const Font* big = menu->countdownFont;
    auto shown = [&]() {
        std::vector<std::string> texts;
        for (const DrawCommand& c : Draw().Commands())
            if (c.kind == DrawCommand::kText && c.font == big) texts.push_back(c.text);
        return texts;
    };
    EXPECT_EQ(shown(), (std::vector<std::string>{"3", "3"}));
    Frame(0.05);
    EXPECT_EQ(shown(), (std::vector<std::string>{"2", "2"}));
    Frames(1.0, 0.05);
    EXPECT_EQ(shown(), (std::vector<std::string>{"1", "1"}));
    Frames(1.0, 0.05);
    const std::vector<std::string> last = shown();
    EXPECT_EQ(last, (std::vector<std::string>{"Start", "Start"}));
    // black shadow three pixels down-right, then white
    const Renderer& r = *app->sprite;
    std::vector<const DrawCommand*> texts;
    for (const DrawCommand& c : r.Commands())
        if (c.kind == DrawCommand::kText && c.font == big) texts.push_back(&c);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->color, 0xFF000000u);
    EXPECT_EQ(texts[0]->rect.left, texts[1]->rect.left + 3);
    EXPECT_EQ(texts[0]->rect.top, texts[1]->rect.top + 3);
    EXPECT_EQ(texts[1]->color, 0xFFFFFFFFu);
    Frames(1.0, 0.05);
    EXPECT_TRUE(shown().empty());
}

TEST_F(MenuTest, EscapeDuringTheCountdownFreezesIt) {
    StartFirstGame();
    Frames(1.0);
    menu->OnKeyUp(kKeyEscape);
    EXPECT_EQ(menu->currentPage, kPageInGame);
    EXPECT_TRUE(app->paused);
    EXPECT_EQ(TestGame::last->GetState(), kStatePaused);
    const double left = menu->countdown;
    Frames(5.0);
    EXPECT_DOUBLE_EQ(menu->countdown, left);
    EXPECT_FALSE(TestGame::last->running);
    Click(kResumeX, kResumeY);
    EXPECT_FALSE(app->paused);
    EXPECT_EQ(menu->currentPage, kPageNone);
    Frames(2.1);
    EXPECT_TRUE(TestGame::last->running);
}

TEST_F(MenuTest, EscapePausesAndResumesAndIsNotForwarded) {
    StartFirstGame();
    Frames(3.1);
    TestGame* game = TestGame::last;
    menu->OnKeyUp(kKeyEscape);
    EXPECT_EQ(game->GetState(), kStatePaused);
    EXPECT_EQ(menu->currentPage, kPageInGame);
    const int updates = game->updates;
    Frames(1.0);
    EXPECT_EQ(game->updates, updates);
    menu->OnKeyUp(kKeyEscape);
    EXPECT_EQ(game->GetState(), kStatePlaying);
    EXPECT_FALSE(app->paused);
    EXPECT_EQ(menu->currentPage, kPageNone);
    EXPECT_TRUE(game->keysUp.empty());
}

TEST_F(MenuTest, HelpKeyOpensAndClosesTheRules) {
    StartFirstGame();
    Frames(3.1);
    TestGame* game = TestGame::last;
    menu->OnKeyUp('H');
    EXPECT_EQ(menu->currentPage, kPageHelp);
    EXPECT_EQ(game->GetState(), kStatePaused);
    EXPECT_TRUE(app->paused);
    EXPECT_NE(menutest::FindText(Draw(), "Rules of the test game"), nullptr);
    menu->OnKeyUp('H');
    EXPECT_EQ(menu->currentPage, kPageNone);
    EXPECT_EQ(game->GetState(), kStatePlaying);
    EXPECT_TRUE(game->keysUp.empty());
    game->helpAllowed = false;  // the game takes typed letters: H is one, F1 opens the rules
    menu->OnKeyUp('H');
    EXPECT_EQ(menu->currentPage, kPageNone);
    EXPECT_EQ(game->keysUp, (std::vector<uint16_t>{'H'}));
    menu->OnKeyUp(kKeyF1);
    EXPECT_EQ(menu->currentPage, kPageHelp);
    menu->OnKeyUp(kKeyF1);
    EXPECT_EQ(menu->currentPage, kPageNone);
    // The rules' button closes them the same way: back to the game, or to the pause page.
    for (bool fromPause : {false, true}) {
        if (fromPause) menu->OnKeyUp(kKeyEscape);
        menu->OnKeyUp(kKeyF1);
        ASSERT_EQ(menu->currentPage, kPageHelp);
        Click(187, 634);  // page 50 at (112, 84), button 51 at (50, 525)
        EXPECT_EQ(menu->currentPage, fromPause ? kPageInGame : kPageNone);
        EXPECT_EQ(game->GetState(), fromPause ? kStatePaused : kStatePlaying);
    }
}

TEST_F(MenuTest, ResultPageFollowsTheFinishDelay) {
    StartFirstGame();
    Frames(3.1);
    TestGame* game = TestGame::last;
    game->nextGrade = 2.5;
    game->SetState(kStateOver);
    Frames(1.9);
    EXPECT_EQ(menu->currentPage, kPageNone);
    const int before = app->soundsRequested;
    Frames(0.2);
    EXPECT_EQ(menu->currentPage, kPageResult);
    EXPECT_EQ(app->soundsRequested, before + 1);
    EXPECT_EQ(app->lastSoundId, 5);
    EXPECT_DOUBLE_EQ(game->GetGrade(), 2.5);
    const Renderer& r = Draw();
    EXPECT_NE(menutest::FindText(r, "Test game"), nullptr);
    EXPECT_NE(menutest::FindText(r, "Played 0:00\nTest line\n\nGrade 2.50"), nullptr);
    Frames(1.0);
    EXPECT_EQ(app->soundsRequested, before + 1);  // once per game
    menu->OnKeyUp(kKeyEscape);                    // a game that is over stays over
    EXPECT_EQ(menu->currentPage, kPageResult);
}

TEST_F(MenuTest, NameMustNotBeEmptyBeforeTheEntryIsTaken) {
    StartFirstGame();
    Frames(3.1);
    TestGame* game = TestGame::last;
    game->nextGrade = 2.0;
    game->SetState(kStateOver);
    Frames(2.1);
    ASSERT_EQ(menu->currentPage, kPageResult);
    ASSERT_NE(menu->gameEntry, nullptr);
    Type("An 7");
    Key(kKeyBack);
    Type("8");
    Key('X');  // letters come as typed text, not as keys
    EXPECT_STREQ(menu->gameEntry->name, "An 8");
    EXPECT_NE(menutest::FindText(Draw(), "Name: An 8"), nullptr);
    Key(kKeyReturn);
    EXPECT_EQ(menu->gameEntry, nullptr);
    EXPECT_EQ(menu->currentPage, kPageGameList);  // back to the list the game came from
    EXPECT_EQ(app->runState, 0);
    EXPECT_EQ(menu->game, nullptr);
    GameStatistics s;
    ASSERT_TRUE(LoadStatisticsFile("testgame.sav", s));
    ASSERT_EQ(s.entries.Count(), 1);
    EXPECT_STREQ(s.entries.Get(0)->name, "An 8");
    EXPECT_EQ(s.gamesPlayed, 1);
}

// Escape, or Enter and OK on an empty name, go on without a top-ten line; the game is booked.
TEST_F(MenuTest, TheTopTenLineCanBeSkipped) {
    const std::vector<std::pair<const char*, uint16_t>> ways = {{"Ann", kKeyEscape}, {"", kKeyReturn}, {"", 0}};
    for (size_t i = 0; i < ways.size(); ++i) {
        if (i > 0) Click(kListBackX, kListBackY);
        ASSERT_NO_FATAL_FAILURE(ResultPageWithEntry());
        Type(ways[i].first);
        if (ways[i].second != 0) Key(ways[i].second);
        else Click(kOkX, kOkY);
        EXPECT_EQ(menu->gameEntry, nullptr) << i;
        EXPECT_EQ(menu->currentPage, kPageGameList) << i;
        GameStatistics s;
        ASSERT_TRUE(LoadStatisticsFile("testgame.sav", s));
        EXPECT_EQ(s.entries.Count(), 0) << i;
        EXPECT_EQ(s.gamesPlayed, static_cast<int>(i) + 1);
    }
}

TEST_F(MenuTest, TheHundredthCharacterIsRefused) {
    ASSERT_NO_FATAL_FAILURE(ResultPageWithEntry());
    for (int i = 0; i < 99; ++i) Type("a");
    EXPECT_EQ(menu->gameEntry->nameLength, 99);
    Type("B ");
    EXPECT_EQ(menu->gameEntry->nameLength, 99);
    EXPECT_EQ(std::string(menu->gameEntry->name), std::string(99, 'a'));
    Key(kKeyBack);
    EXPECT_EQ(menu->gameEntry->nameLength, 98);
    Type("b");
    EXPECT_EQ(menu->gameEntry->name[98], 'b');
}

TEST_F(MenuTest, AGameLeftEarlyShowsItsResultPageWithoutCelebrating) {
    StartFirstGame();
    Frames(3.1);
    menu->OnKeyUp(kKeyEscape);
    Click(kAbortX, kAbortY);
    EXPECT_FALSE(app->paused);
    const int sounds = app->soundsRequested;
    Frame(0.1);
    ASSERT_EQ(menu->currentPage, kPageResult);
    EXPECT_EQ(app->soundsRequested, sounds) << "a grade of 6 played the win sound";
    EXPECT_NE(menutest::FindText(Draw(), "Left early"), nullptr);
    EXPECT_NE(menutest::FindText(Draw(), "Played 0:00\nTest line\n\nGrade 6.00"), nullptr);
    GameStatistics s;  // booked and on disk while the page shows, and only once
    ASSERT_TRUE(LoadStatisticsFile("testgame.sav", s));
    EXPECT_EQ(s.gamesPlayed, 1);
    Click(kOkX, kOkY);
    EXPECT_EQ(menu->currentPage, kPageGameList);
    ASSERT_TRUE(LoadStatisticsFile("testgame.sav", s));
    EXPECT_EQ(s.gamesPlayed, 1);
    EXPECT_EQ(app->runState, 0);
    EXPECT_EQ(menu->game, nullptr);
    EXPECT_TRUE(std::filesystem::exists("testgame.sav"));
}

TEST_F(MenuTest, AbortDuringTheCountdownEndsTheGame) {
    StartFirstGame();
    Frame(0.5);
    menu->OnKeyUp(kKeyEscape);
    Click(kAbortX, kAbortY);
    Frame(0.1);
    EXPECT_EQ(menu->game, nullptr);
    EXPECT_EQ(app->runState, 0);
    EXPECT_EQ(menu->currentPage, kPageGameList);
}

TEST_F(MenuTest, GamesNotBuiltAreNotStarted) {
    const GameFactory built = GetGameInfo(1).create;
    SetGameFactory(1, nullptr);  // the second row's game, taken out of the table for the test
    OpenGameList();
    Click(kRowX, kRow0Y + 60);
    EXPECT_EQ(menu->game, nullptr);
    EXPECT_EQ(menu->currentPage, kPageGameList);
    EXPECT_EQ(app->runState, 0);
    SetGameFactory(1, built);
}

TEST_F(MenuTest, SeriesAbortAfterThreeGamesGradesWithThePenalty) {
    for (int i = 0; i < kGameCount; ++i) SetGameFactory(i, MakeTestGame);
    Click(kPlayX, kPlayY);
    Click(kEasyX, kEasyY);
    Click(kSeriesX, kSeriesY);
    ASSERT_TRUE(menu->seriesMode);
    ASSERT_EQ(menu->gameIndex, 0);
    FinishGame(2.0);
    ASSERT_EQ(menu->gameIndex, 1);
    FinishGame(3.0);
    ASSERT_EQ(menu->gameIndex, 2);
    Frames(3.1);
    TestGame::last->nextGrade = 4.0;
    menu->OnKeyUp(kKeyEscape);
    Click(kAbortX, kAbortY);
    Frame(0.1);
    ASSERT_EQ(menu->currentPage, kPageResult);
    if (menu->gameEntry != nullptr) {  // 4.0 enters the empty top ten of the game
        Type("a");
        Key(kKeyReturn);
    }
    // The last game is booked and on disk before the series page can be left.
    EXPECT_EQ(menu->game, nullptr);
    GameStatistics booked;
    ASSERT_TRUE(LoadStatisticsFile("testgame.sav", booked));
    EXPECT_EQ(booked.gamesPlayed, 3);
    EXPECT_EQ(menu->seriesCount, 3);
    EXPECT_DOUBLE_EQ(menu->seriesBest, 2.0);
    EXPECT_DOUBLE_EQ(menu->seriesWorst, 4.0);
    EXPECT_EQ(menu->currentPage, kPageSeriesResult);
    ASSERT_NE(menu->seriesEntry, nullptr);
    EXPECT_NEAR(menu->seriesEntry->grade, 3.0 + (1.0 - 3.0 / 11.0) * 4.0, 1e-9);
    EXPECT_NEAR(menu->seriesEntry->grade, 5.909090909, 1e-6);
    EXPECT_EQ(menu->seriesEntry->level, 0);
    EXPECT_DOUBLE_EQ(menu->seriesEntry->bestGrade, 2.0);
    EXPECT_DOUBLE_EQ(menu->seriesEntry->worstGrade, 4.0);
    EXPECT_NE(menutest::FindText(Draw(), "Games 3 of 16\nPlayed 0:00\nBest 2.00\nWorst 4.00\n\nSeries 5.91"), nullptr);
    EXPECT_NE(menutest::FindText(Draw(), "Left early"), nullptr);
    Type("z");
    Key(kKeyReturn);
    EXPECT_EQ(menu->currentPage, kPageMain);
    EXPECT_EQ(app->runState, 0);
    ASSERT_EQ(app->statistics->entries.Count(), 1);
    EXPECT_STREQ(app->statistics->entries.Get(0)->name, "z");
}

TEST_F(MenuTest, SeriesResultThatDoesNotQualifyEndsOnItsPageWithoutANameInput) {
    for (int i = 0; i < 10; ++i) {
        auto* e = new SeriesScoreEntry();
        e->grade = 1.0;
        app->statistics->Insert(e);
    }
    for (int i = 0; i < kGameCount; ++i) SetGameFactory(i, MakeTestGame);
    Click(kPlayX, kPlayY);
    Click(kEasyX, kEasyY);
    Click(kSeriesX, kSeriesY);
    FinishGame(1.0);
    Frames(3.1);
    menu->OnKeyUp(kKeyEscape);
    Click(kAbortX, kAbortY);
    Frame(0.1);
    Click(kOkX, kOkY);
    EXPECT_EQ(menu->seriesEntry, nullptr);
    EXPECT_EQ(menu->currentPage, kPageSeriesResult);
    EXPECT_EQ(app->runState, 0);
    EXPECT_EQ(menu->game, nullptr);
    Click(kOkX, kOkY);
    EXPECT_EQ(menu->currentPage, kPageMain);
    EXPECT_FALSE(menu->seriesMode);
}

TEST_F(MenuTest, FullSeriesPlaysEveryGameInOrder) {
    for (int i = 0; i < kGameCount; ++i) SetGameFactory(i, MakeTestGame);
    Click(kPlayX, kPlayY);
    Click(kEasyX, kEasyY);
    Click(kSeriesX, kSeriesY);
    for (int i = 0; i < kGameCount; ++i) {
        ASSERT_EQ(menu->gameIndex, i);
        FinishGame(2.0);
    }
    EXPECT_EQ(menu->seriesCount, 16);
    ASSERT_EQ(menu->currentPage, kPageSeriesResult);
    ASSERT_NE(menu->seriesEntry, nullptr);
    EXPECT_DOUBLE_EQ(menu->seriesEntry->grade, 2.0);
    Type("a");
    Key(kKeyReturn);
    EXPECT_EQ(menu->currentPage, kPageMain);
    EXPECT_EQ(app->statistics->gamesPlayed, 16);
}

TEST_F(MenuTest, ResetOfAllStatisticsEmptiesTheFilesOfTheGamesThatExist) {
    SetGameFactory(3, MakeGameA);
    SetGameFactory(7, MakeGameB);
    for (const char* name : {"a.sav", "b.sav"}) {
        auto* game = new TestGame(0, name);
        game->grade = 2.0;
        delete game;
    }
    ASSERT_EQ(app->statistics->gamesPlayed, 2);
    Click(kStatsX, kStatsY);
    ASSERT_EQ(menu->currentPage, kPageStatistics);
    Click(kResetAllX, kResetAllY);
    EXPECT_EQ(menu->currentPage, kPageStatistics);
    EXPECT_EQ(app->runState, 0);
    EXPECT_EQ(app->statistics->gamesPlayed, 0);
    for (const char* name : {"a.sav", "b.sav"}) {
        GameStatistics s;
        ASSERT_TRUE(LoadStatisticsFile(name, s)) << name;
        EXPECT_EQ(s.gamesPlayed, 0) << name;
        EXPECT_EQ(s.entries.Count(), 0) << name;
    }
}

TEST_F(MenuTest, ResetOfOneGameFromItsStatisticsPage) {
    StartFirstGame();
    Frames(3.1);
    TestGame* game = TestGame::last;
    game->gameStatistics.BookGrade(3.0);
    menu->OnKeyUp(kKeyEscape);
    Click(512, 434);  // button 48 at (25, 225)
    ASSERT_EQ(menu->currentPage, kPageGameStatistics);
    EXPECT_NE(menutest::FindText(Draw(), "Statistics Test game"), nullptr);  // the page names its game
    Click(112 + 650 + 50, 84 + 525 + 25);  // button 54
    EXPECT_EQ(game->gameStatistics.gamesPlayed, 0);
    Click(112 + 50 + 25, 84 + 525 + 25);  // button 53 back to the in-game menu
    EXPECT_EQ(menu->currentPage, kPageInGame);
}

TEST_F(MenuTest, StatisticsPageOfAllGames) {
    auto* e = new SeriesScoreEntry();
    std::snprintf(e->name, sizeof e->name, "Eva");
    e->grade = 2.25;
    e->bestGrade = 1.5;
    e->worstGrade = 3.0;
    e->level = 2;
    app->statistics->entries.Add(e);
    app->statistics->time = 3661.5;
    app->statistics->solvedCount = 1;
    app->statistics->BookGrade(1.5);
    app->statistics->BookGrade(3.0);
    Click(kStatsX, kStatsY);
    const Renderer& r = Draw();
    EXPECT_NE(menutest::FindText(r, "1. Eva 2.25 (1.50-3.00) hard\n\nTime 1:01:01\nSolved 1\n"
                                    "Best 1.50\nWorst 3.00\nAverage 2.25\nGames 2"),
              nullptr);
}

TEST_F(MenuTest, LanguageButtonsAndQuit) {
    Click(kEnglishX, kEnglishY);
    EXPECT_EQ(app->language, 1);
    Click(kEnglishX - 148, kEnglishY);
    EXPECT_EQ(app->language, 0);
    Click(kEnglishX + 90, kEnglishY + 12);  // the word on the plate, not the mark
    EXPECT_EQ(app->language, 1);
    Click(kQuitX, kQuitY);
    EXPECT_EQ(app->runState, 2);
}

TEST_F(MenuTest, NavigationBetweenThePages) {
    Click(kPlayX, kPlayY);
    EXPECT_EQ(menu->currentPage, kPageLevel);
    Click(312 + 50 + 50, 234 + 225 + 25);  // back
    EXPECT_EQ(menu->currentPage, kPageMain);
    Click(kPlayX, kPlayY);
    Click(kEasyX, kEasyY + 100);  // hard
    EXPECT_EQ(menu->level, 2);
    EXPECT_EQ(menu->currentPage, kPageMode);
    Click(312 + 50 + 50, 234 + 225 + 25);  // back to the levels
    EXPECT_EQ(menu->currentPage, kPageLevel);
    Click(312 + 50 + 50, 234 + 225 + 25);
    Click(512, 379);  // instructions
    EXPECT_EQ(menu->currentPage, kPageInstructions);
    Click(112 + 75, 84 + 550);
    EXPECT_EQ(menu->currentPage, kPageMain);
    Click(512, 439);  // information
    EXPECT_EQ(menu->currentPage, kPageInfo);
    Click(337 + 35, 184 + 357);
    EXPECT_EQ(menu->currentPage, kPageMain);
}

TEST_F(MenuTest, HoveredButtonLabelTurnsRed) {
    MoveTo(kPlayX, kPlayY);
    const Renderer& r = Draw();
    const DrawCommand* play = menutest::FindText(r, "T6");
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->color, 0xFFFF0000u);
    EXPECT_EQ(menutest::FindText(r, "T9")->color, 0xFF000000u);
}

TEST_F(MenuTest, MenuTimeIsAddedToTheGlobalTotal) {
    Frame(0.5);
    Frame(0.25);
    EXPECT_DOUBLE_EQ(app->statistics->time, 0.75);
}

TEST_F(MenuTest, PointerAnimationFollowsTheButton) {
    menu->OnLButtonDown(5, 5);
    Frame(0.05);
    EXPECT_DOUBLE_EQ(menu->pressFade, 0.05);
    Frame(0.08);
    EXPECT_NEAR(menu->pressFade, 0.13, 1e-12);  // may pass the maximum for one frame
    Frame(0.01);
    EXPECT_DOUBLE_EQ(menu->pressFade, 0.1);
    menu->OnLButtonUp(5, 5);
    Frame(0.04);
    EXPECT_NEAR(menu->pressFade, 0.06, 1e-12);
    Frame(0.1);
    Frame(0.1);
    EXPECT_DOUBLE_EQ(menu->pressFade, 0.0);
}

namespace {
// Textures without pixels, so that the recorded frame tells the sheets apart.
struct FakeSheets {
    explicit FakeSheets(AppContext* a) : app(a) {
        for (Texture** t : Slots()) *t = new Texture();
    }
    ~FakeSheets() {
        for (Texture** t : Slots()) {
            delete *t;
            *t = nullptr;
        }
    }
    std::vector<Texture**> Slots() {
        return {&app->texMisc1, &app->texMisc2, &app->texMenu1, &app->texMenu2, &app->texMenu3, &app->texBack1,
                &app->texBack2, &app->texBack3, &app->texBack4, &app->texBackground};
    }
    AppContext* app;
};

std::vector<const DrawCommand*> Sprites(const Renderer& r) {
    std::vector<const DrawCommand*> out;
    for (const DrawCommand& c : r.Commands())
        if (c.kind == DrawCommand::kSprite) out.push_back(&c);
    return out;
}
}  // namespace

TEST_F(MenuTest, PointerIsDrawnLastWithItsPressFrame) {
    FakeSheets sheets(app);
    MoveTo(100, 200);
    menu->pressFade = 0.05;  // frame 4 of 9
    const auto sprites = Sprites(Draw());
    ASSERT_FALSE(sprites.empty());
    const DrawCommand* pointer = sprites.back();
    EXPECT_EQ(pointer->texture, app->texMisc1);
    EXPECT_EQ(pointer->src, (Rect{250, 0, 300, 50}));
    EXPECT_FLOAT_EQ(pointer->transform[4], 92.0f);
    EXPECT_FLOAT_EQ(pointer->transform[5], 186.0f);
    menu->pressFade = 0.5;  // limited to the last frame
    EXPECT_EQ(Sprites(Draw()).back()->src, (Rect{0, 0, 50, 50}));
}

TEST_F(MenuTest, MenuFrameDrawsTheBackgroundThenThePageAndItsButtons) {
    FakeSheets sheets(app);
    MoveTo(kPlayX, kPlayY);
    const auto sprites = Sprites(Draw());
    ASSERT_GE(sprites.size(), 10u);
    EXPECT_EQ(sprites[0]->texture, app->texBackground);
    EXPECT_EQ(sprites[1]->texture, app->texMenu1);
    EXPECT_EQ(sprites[1]->src, (Rect{0, 0, 400, 600}));
    EXPECT_FLOAT_EQ(sprites[1]->transform[4], 312.0f);
    EXPECT_FLOAT_EQ(sprites[1]->transform[5], 84.0f);
    // the hovered play button shows the picture below the normal one
    EXPECT_EQ(sprites[2]->texture, app->texMenu2);
    EXPECT_EQ(sprites[2]->src, (Rect{0, 750, 300, 800}));
    EXPECT_EQ(sprites[3]->src, (Rect{0, 700, 300, 750}));
    // German is the current language: its button shows the lower picture
    EXPECT_EQ(sprites[8]->src, (Rect{600, 624, 624, 648}));
    EXPECT_EQ(sprites[9]->src, (Rect{600, 600, 624, 624}));
}

TEST_F(MenuTest, GameFrameDrawsBackdropGameAndCountdownVeil) {
    FakeSheets sheets(app);
    StartFirstGame();
    MoveTo(5, 5);
    const auto sprites = Sprites(Draw());
    ASSERT_GE(sprites.size(), 3u);
    const int b = menu->backdrop;
    Texture* backs[4] = {app->texBack1, app->texBack2, app->texBack3, app->texBack4};
    EXPECT_EQ(sprites[0]->texture, backs[b / 2]);
    EXPECT_EQ(sprites[0]->src, (Rect{0, 450 * (b % 2), 600, 450 * (b % 2) + 450}));
    EXPECT_NEAR(sprites[0]->transform[0], 1024.0 / 600.0, 1e-5);
    EXPECT_EQ(TestGame::last->renders, 1);
    EXPECT_EQ(sprites[1]->texture, app->texMisc1);
    EXPECT_EQ(sprites[1]->src, (Rect{500, 0, 550, 50}));
    EXPECT_EQ(sprites[1]->color, 0x7F000000u);
    EXPECT_NEAR(sprites[1]->transform[0], 20.48, 1e-5);
    EXPECT_NEAR(sprites[1]->transform[3], 15.36, 1e-5);
}

TEST_F(MenuTest, ResultPageShowsItsOkButtonOverTheVeil) {
    FakeSheets sheets(app);
    ASSERT_NO_FATAL_FAILURE(ResultPageWithEntry());
    MoveTo(5, 5);
    auto has_ok = [&]() {
        for (const DrawCommand* c : Sprites(Draw()))
            if (c->texture == app->texMenu2 && c->src.left == 250 && c->src.top >= 600) return true;  // lit: focused
        return false;
    };
    EXPECT_TRUE(has_ok());  // OK without a name goes on without a top-ten line
    bool veil = false;
    for (const DrawCommand* c : Sprites(*app->sprite)) veil |= c->texture == app->texMisc2 && c->color == 0x7F000000u;
    EXPECT_TRUE(veil);
}
