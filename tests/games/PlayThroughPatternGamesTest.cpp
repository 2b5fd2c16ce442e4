// Remember squares, Adding squares and Crazy cuboid played from the main menu to the result page
// and the top-ten list, at every level and in a series, driven like the window procedure drives
// the menu: the games' own state (the models, the sum, the solution) tells where to click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/TextFormat.h"
#include "games/KG_CrazyQuader/KG_CrazyQuader.h"
#include "games/KG_Quadrat_addieren/KG_Quadrat_addieren.h"
#include "games/KG_Quadrat_merken/KG_Quadrat_merken.h"
#include "games/LightsOutSolver.h"
#include "games/PlayThroughSupport.h"
#include "gui/MainMenu.h"
#include "platform/Renderer.h"

namespace {
constexpr int kCrazyIndex = 1;
constexpr int kRememberIndex = 8;
constexpr int kAddingIndex = 9;
using playthrough::EntriesOf;
using playthrough::H;
using playthrough::Tokens;
using playthrough::ValueAfter;
using playthrough::W;

class PlayThroughPatternGames : public playthrough::MenuPlayTest {
protected:
    void ClickSquare(const PatternSquare* s) {
        Click(static_cast<int>(s->position.x + s->size / 2), static_cast<int>(s->position.y + s->size / 2));
    }

    // Starts a game at a level without the menu's clicks (the level page is tested elsewhere).
    template <typename G>
    G* StartAtLevel(int index, int level) {
        menu->level = level;
        menu->StartGame(index);
        for (int i = 0; i < 100 && menu->game != nullptr && !menu->game->running; ++i) Frame(0.1);
        auto* g = dynamic_cast<G*>(menu->game);
        EXPECT_NE(g, nullptr);
        if (g != nullptr) {
            EXPECT_TRUE(g->running);
        }
        return g;
    }

    // Waits out the showing, then enters every model on its answer grid except the first
    // `missed`, which stay empty; Enter after each.
    void PlayRemember(KG_Quadrat_merken& g, int missed = 0) {
        for (int i = 0; i < 1000 && g.showing; ++i) Frame(0.1);
        ASSERT_FALSE(g.showing);
        for (int k = 0; k < g.patternCount; ++k) {
            PatternGrid* model = g.models.Get(k);
            PatternGrid* answer = g.answers.Get(k);
            if (k >= missed)
                for (int c = 0; c < g.gridSize; ++c)
                    for (int r = 0; r < g.gridSize; ++r)
                        if (model->IsLit(c, r)) ClickSquare(answer->SquareAt(c, r));
            Key(kKeyReturn);
            Frame();
        }
    }

    // Picks the sum in every task but those listed as wrong, where it picks a wrong candidate.
    void PlayAdding(KG_Quadrat_addieren& g, std::vector<int> wrongTasks = {}) {
        for (int task = 0; task < g.taskCount; ++task) {
            ASSERT_EQ(g.GetState(), kStatePlaying);
            Frame(0.5);
            bool wrong = std::find(wrongTasks.begin(), wrongTasks.end(), task) != wrongTasks.end();
            int pick = g.AnswerIndex();
            if (wrong) pick = pick == 0 ? 1 : 0;
            ClickSquare(g.choices.Get(pick)->SquareAt(1, 1));
            ASSERT_TRUE(g.InFeedback()) << "task " << task;
            for (int i = 0; i < 30 && g.InFeedback(); ++i) Frame(0.1);
        }
    }

    // Clicks the pieces of a solution found by elimination.
    int PlayCrazy(KG_CrazyQuader& g) {
        std::vector<uint64_t> masks;
        for (PatternGrid* p : g.pieces) masks.push_back(p->Mask());
        std::vector<int> solution;
        EXPECT_TRUE(lightsout::Solve(masks, g.working->Mask(), solution));
        Frame(1.0);
        for (int piece : solution) {
            // Any square of the piece will do, lit or dark.
            ClickSquare(g.pieces.Get(piece)->SquareAt(g.gridSize - 1, 0));
        }
        return static_cast<int>(solution.size());
    }
};
}  // namespace

TEST_F(PlayThroughPatternGames, AllThreeFromTheMenuToTheTopTenAndTheTotals) {
    // Crazy cuboid.
    StartFromMenu(kCrazyIndex);
    auto* crazy = dynamic_cast<KG_CrazyQuader*>(menu->game);
    ASSERT_NE(crazy, nullptr);
    const int moves = PlayCrazy(*crazy);
    WaitForResultPage();
    EXPECT_EQ(crazy->GetState(), kStateOver);
    EXPECT_EQ(crazy->moves, moves);
    const double crazyGrade = crazy->GetGrade();
    EXPECT_DOUBLE_EQ(crazyGrade, std::max(moves - crazy->solutionMoves, 0) / 40.0 + 1 + crazy->GetPlayTime() / 240);
    Frame();
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(27), moves)));
    EnterName();
    ExpectOneTopTenLine("crazy.sav", "Ann_7", crazyGrade);

    // Remember squares, one pattern missed.
    StartFromMenu(kRememberIndex);
    auto* remember = dynamic_cast<KG_Quadrat_merken*>(menu->game);
    ASSERT_NE(remember, nullptr);
    PlayRemember(*remember, 1);
    WaitForResultPage();
    EXPECT_EQ(remember->GetState(), kStateOver);
    const double rememberGrade = remember->GetGrade();
    EXPECT_DOUBLE_EQ(rememberGrade, 1.0 / 5 * 5 + 1 + remember->GetPlayTime() / 120);
    Frame();
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(25), 4, 5)));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(50), rememberGrade)));
    EnterName();
    EXPECT_EQ(menu->currentPage, kPageGameList);
    ExpectOneTopTenLine("quadrate.sav", "Ann_7", rememberGrade);

    // Adding squares, the fourth task answered wrong.
    StartFromMenu(kAddingIndex);
    auto* adding = dynamic_cast<KG_Quadrat_addieren*>(menu->game);
    ASSERT_NE(adding, nullptr);
    PlayAdding(*adding, {3});
    WaitForResultPage();
    EXPECT_EQ(adding->GetState(), kStateOver);
    EXPECT_EQ(adding->rightCount, 9);
    EXPECT_EQ(adding->wrongCount, 1);
    const double addingGrade = adding->GetGrade();
    EXPECT_DOUBLE_EQ(addingGrade, 1.0 / 10 * 5 + 1 + adding->GetPlayTime() / 120);
    Frame();
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(32), 90)));
    EnterName();
    ExpectOneTopTenLine("addieren.sav", "Ann_7", addingGrade);

    ExpectTotals(EndProgramAndReadTotals(), {rememberGrade, addingGrade, crazyGrade});
}

TEST_F(PlayThroughPatternGames, EveryLevelPlaysToItsResultPage) {
    for (int level = 0; level < 3; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        auto* remember = StartAtLevel<KG_Quadrat_merken>(kRememberIndex, level);
        ASSERT_NE(remember, nullptr);
        PlayRemember(*remember);
        WaitForResultPage();
        EXPECT_EQ(remember->correctCount, remember->patternCount);
        EnterName();

        auto* adding = StartAtLevel<KG_Quadrat_addieren>(kAddingIndex, level);
        ASSERT_NE(adding, nullptr);
        PlayAdding(*adding);
        WaitForResultPage();
        EXPECT_EQ(adding->rightCount, 10);
        EnterName();

        auto* crazy = StartAtLevel<KG_CrazyQuader>(kCrazyIndex, level);
        ASSERT_NE(crazy, nullptr);
        PlayCrazy(*crazy);
        WaitForResultPage();
        EXPECT_TRUE(crazy->working->IsDark());
        EnterName();
        EXPECT_EQ(menu->currentPage, kPageGameList);
    }
    for (const char* file : {"quadrate.sav", "addieren.sav", "crazy.sav"}) {
        std::vector<std::string> sav = Tokens(file);
        EXPECT_EQ(EntriesOf(sav).size(), 3u) << file;
        EXPECT_EQ(ValueAfter(sav, "ANZ_SPIELE:"), 3) << file;
    }
}

TEST_F(PlayThroughPatternGames, ASeriesGoesOnAfterEachGamePlayedToItsEnd) {
    menu->seriesMode = true;
    menu->seriesBest = 6.0;
    menu->seriesWorst = 1.0;
    auto* remember = StartAtLevel<KG_Quadrat_merken>(kRememberIndex, 1);
    ASSERT_NE(remember, nullptr);
    PlayRemember(*remember);
    WaitForResultPage();
    EnterName();
    ASSERT_EQ(menu->gameIndex, kAddingIndex) << "the series goes on with the next game";
    for (int i = 0; i < 100 && !menu->game->running; ++i) Frame(0.1);
    auto* adding = dynamic_cast<KG_Quadrat_addieren*>(menu->game);
    ASSERT_NE(adding, nullptr);
    EXPECT_EQ(adding->level, 1);
    PlayAdding(*adding);
    WaitForResultPage();
    EnterName();
    EXPECT_GT(menu->gameIndex, kAddingIndex);
    EXPECT_EQ(app->runState, 1);
    EXPECT_EQ(menu->seriesCount, 2);
}

// Left early with a grade that enters the top ten: the menu asks for the grade on every frame
// of the result page. The game stays "left early", so the series ends there, and the top-ten
// line holds the grade that was shown.
TEST_F(PlayThroughPatternGames, RememberSquaresLeftEarlyInASeriesEndsTheSeriesWithTheGradeShown) {
    menu->seriesMode = true;
    menu->seriesBest = 6.0;
    menu->seriesWorst = 1.0;
    auto* remember = StartAtLevel<KG_Quadrat_merken>(kRememberIndex, 0);
    ASSERT_NE(remember, nullptr);
    for (int k = 0; k < 5; ++k) remember->models.Get(k)->SetMask(uint64_t{1} << k);
    for (int i = 0; i < 1000 && remember->showing; ++i) Frame(0.1);
    ClickSquare(remember->answers.Get(0)->SquareAt(0, 0));
    Frame(2.0);
    Key(kKeyEscape);
    Frame();
    ASSERT_EQ(menu->currentPage, kPageInGame);
    Click(W / 2, H / 2 - 200 + 300 + 25);  // end the game
    ASSERT_EQ(menu->currentPage, kPageResult);
    const double shown = remember->GetGrade();
    EXPECT_NEAR(shown, 4.0 / 5 * 5 + 1 + remember->GetPlayTime() / 60, 1e-9);
    for (int i = 0; i < 20; ++i) Frame();
    EXPECT_EQ(remember->GetState(), kStateAborted);
    EXPECT_EQ(remember->GetGrade(), shown);
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(50), shown)));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(25), 1, 5)));
    EnterName();
    // The series ends on its page (with its grade of 6.0 the series list takes no line).
    EXPECT_EQ(menu->currentPage, kPageSeriesResult) << "the series went on after a game left early";
    EXPECT_EQ(app->runState, 0);
    EXPECT_EQ(menu->game, nullptr);
    Click(W / 2 - 300 + 455 + 25, H / 2 - 225 + 375 + 25);  // its OK
    EXPECT_EQ(menu->currentPage, kPageMain);
    EXPECT_FALSE(menu->seriesMode);
    ExpectOneTopTenLine("quadrate.sav", "Ann_7", shown);
}
