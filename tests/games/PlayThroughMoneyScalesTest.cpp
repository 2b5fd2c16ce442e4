// Giving change and Balance played from the main menu to the top-ten list, driven like the
// window procedure drives the menu: each task is read from the game, the pieces are dragged
// with the mouse; one task of each game is answered wrongly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/TextFormat.h"
#include "games/KG_Waage_Game_Fruechte/KG_Waage_Game_Fruechte.h"
#include "games/KG_Wechselgeld_Game/KG_Wechselgeld_Game.h"
#include "games/PlayThroughSupport.h"
#include "gui/MainMenu.h"

namespace {
constexpr int kBalanceIndex = 13;
constexpr int kChangeIndex = 14;
using playthrough::H;
using playthrough::Tokens;
using playthrough::ValueAfter;
using playthrough::W;

class PlayThroughMoneyScales : public playthrough::MenuPlayTest {
protected:
    // Main page, the level's button, one game, then the game's row in the list.
    void StartAtLevel(int level, int index) {
        ASSERT_NO_FATAL_FAILURE(BackToMainPage());
        Click(W / 2, H / 2 - 300 + 150 + 25);
        ASSERT_EQ(menu->currentPage, kPageLevel);
        Click(W / 2, H / 2 - 150 + 75 + 25 + 50 * level);
        ASSERT_EQ(menu->level, level);
        Click(W / 2, H / 2 - 150 + 150 + 25);
        ASSERT_EQ(menu->currentPage, kPageGameList);
        while (index - menu->listFirst > menu->listLastRow) Click(W / 2 - 200 + 175 + 25, H / 2 - 350 + 560 + 25);
        Click(W / 2, H / 2 - 350 + 135 + 60 * (index - menu->listFirst) + 25);
        ASSERT_NE(menu->game, nullptr);
        EXPECT_EQ(menu->gameIndex, index);
        EXPECT_EQ(menu->game->level, level);
        for (int i = 0; i < 100 && !menu->game->running; ++i) Frame(0.1);
        ASSERT_TRUE(menu->game->running);
    }
    void Point(float fx, float fy) {
        const int x = static_cast<int>(std::lround(fx)), y = static_cast<int>(std::lround(fy));
        app->prevMouseX = app->mouseX;
        app->prevMouseY = app->mouseY;
        app->mouseX = x;
        app->mouseY = y;
        menu->OnMouseMove(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    }
    void Press() { menu->OnLButtonDown(static_cast<uint16_t>(app->mouseX), static_cast<uint16_t>(app->mouseY)); }
    void Release() { menu->OnLButtonUp(static_cast<uint16_t>(app->mouseX), static_cast<uint16_t>(app->mouseY)); }
    // A drag as a player makes it: press, a few moves with frames between them, release.
    void Drag(Vec2 from, Vec2 to) {
        Point(from.x, from.y);
        Press();
        Frame();
        for (int i = 1; i <= 4; ++i) {
            Point(from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4);
            Frame(0.1);
        }
        Frame(0.25);
        Release();
        Frame();
    }

    // Gives the change of the current task in the fewest pieces.
    void GiveChange(KG_Wechselgeld_Game& game) {
        const std::vector<int> pieces = money::GreedySplit(game.Change(), game.setup.denominationCount);
        const money::Area a = game.changeTray->PieceArea();
        for (size_t i = 0; i < pieces.size(); ++i)
            Drag(ShownPartOf(game, pieces[i]), Vec2{a.left + 45 + 50.0f * (i % 9), a.top + 45 + 60.0f * (i / 9 % 2)});
        ASSERT_EQ(game.changeTray->Count(), static_cast<int>(pieces.size()));
    }
    // The middle of the part of a supply piece that no later piece covers: where a player
    // takes it.
    static Vec2 ShownPartOf(KG_Wechselgeld_Game& game, int cents) {
        const float y = game.sources.Get(0)->centre.y;
        int first = -1, last = -1;
        for (int x = 0; x < W; ++x) {
            MoneySource* top = nullptr;
            for (MoneySource* s : game.sources)
                if (s->Contains(static_cast<float>(x), y)) top = s;
            if (top == nullptr || top->value != cents) continue;
            if (first < 0) first = x;
            last = x;
        }
        EXPECT_GE(first, 0) << cents << " not to be seen";
        return Vec2{(first + last) / 2.0f, y};
    }
    void PressCheck() {
        Frame(0.6);  // the button rests a moment after each check
        Click(W / 2, H / 2);
        if (auto* change = dynamic_cast<KG_Wechselgeld_Game*>(menu->game))
            for (int i = 0; i < 60 && change->InVerdict(); ++i) Frame(0.1);  // the verdict shows
    }

    // Carries every floor fruit onto the pan that levels the balance.
    void SolveBalance(KG_Waage_Game_Fruechte& game) {
        Balance& b = *game.balance;
        std::vector<Weight*> floor;
        for (Weight* w : b.floor) floor.push_back(w);
        unsigned mask = 0;
        for (; mask < (1u << floor.size()); ++mask) {
            int l = b.LeftSum(), r = b.RightSum();
            for (size_t i = 0; i < floor.size(); ++i) (mask >> i & 1 ? l : r) += floor[i]->grams;
            if (l == r) break;
        }
        ASSERT_LT(mask, 1u << floor.size()) << "no way to level the balance";
        for (size_t i = 0; i < floor.size(); ++i) {
            const float x = (mask >> i & 1) ? W / 2 - 100.0f : W / 2 + 100.0f;
            Drag(Vec2{floor[i]->position.x, floor[i]->position.y - 20}, Vec2{x, 300});
        }
    }
};
}  // namespace

TEST_F(PlayThroughMoneyScales, BothGamesPlayedToTheTopTenAndBookedInTheTotals) {
    // Giving change at the first level: six tasks in the fewest pieces, one with a cent too much
    // (after a check on the empty tray, which is no answer).
    StartFromMenu(kChangeIndex);
    auto* change = dynamic_cast<KG_Wechselgeld_Game*>(menu->game);
    ASSERT_NE(change, nullptr);
    for (int task = 0; task < 7; ++task) {
        ASSERT_EQ(change->tasksDone, task);
        if (task == 3) {
            PressCheck();
            ASSERT_EQ(change->tasksDone, task) << "a check on an empty tray";
        }
        GiveChange(*change);
        if (task == 3) Drag(ShownPartOf(*change, 1), Vec2{W / 2.0f, change->changeTray->PieceArea().bottom - 30});
        PressCheck();
    }
    EXPECT_EQ(change->rightCount, 6);
    EXPECT_EQ(change->fewestCount, 6);
    WaitForResultPage();
    EXPECT_EQ(change->GetState(), kStateOver);
    const double changeGrade = change->GetGrade();
    EXPECT_NEAR(changeGrade, 1.0 + 5.0 / 7 + change->GetPlayTime() / 120.0, 1e-9);
    Frame();
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(142), 6, 7)));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(143), 6, 7)));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(50), changeGrade)));
    EnterName();
    EXPECT_EQ(menu->currentPage, kPageGameList);
    ExpectOneTopTenLine("geld.sav", "Ann_7", changeGrade);

    // Balance at the first level: four tasks levelled, one left to run out of time.
    StartFromMenu(kBalanceIndex);
    auto* scales = dynamic_cast<KG_Waage_Game_Fruechte*>(menu->game);
    ASSERT_NE(scales, nullptr);
    for (int task = 0; task < 5; ++task) {
        Frame(1.0);
        Frame(1.0);  // the fruit comes in
        ASSERT_EQ(scales->rightCount + scales->wrongCount, task);
        if (task == 1) {
            for (int i = 0; i < 200 && scales->wrongCount == 0; ++i) Frame(0.5);
            ASSERT_EQ(scales->wrongCount, 1);
        } else {
            SolveBalance(*scales);
            Frame();
            ASSERT_EQ(scales->rightCount, task == 0 ? 1 : task);
        }
        for (int i = 0; i < 30 && scales->feedbackTime > 0; ++i) Frame(0.1);
    }
    WaitForResultPage();
    EXPECT_EQ(scales->GetState(), kStateOver);
    EXPECT_EQ(scales->rightCount, 4);
    EXPECT_EQ(scales->wrongCount, 1);
    const double scalesGrade = scales->GetGrade();
    EXPECT_NEAR(scalesGrade, std::min(6.0, 1.0 + 1.0 + scales->GetPlayTime() / 90.0), 1e-9);
    Frame();
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(30), 4)));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(31), 1)));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(41), scales->AverageSeconds())));
    EXPECT_GT(scales->AverageSeconds(), 60.0 / 5) << "the timed-out task counts with its whole minute";
    EnterName();
    ExpectOneTopTenLine("waage_fruits.sav", "Ann_7", scalesGrade);

    // The totals of all games are written when the program ends.
    ExpectTotals(EndProgramAndReadTotals(), {changeGrade, scalesGrade});
}

// The hardest level of each game through the menu to its result page.
TEST_F(PlayThroughMoneyScales, TheHardestLevelsReachTheResultPage) {
    StartAtLevel(2, kChangeIndex);
    auto* change = dynamic_cast<KG_Wechselgeld_Game*>(menu->game);
    ASSERT_NE(change, nullptr);
    for (int task = 0; task < 5; ++task) {
        GiveChange(*change);
        PressCheck();
    }
    EXPECT_EQ(change->fewestCount, 5);
    WaitForResultPage();
    EXPECT_NEAR(change->GetGrade(), 1.0 + change->GetPlayTime() / 320.0, 1e-9);
    EnterName();

    StartAtLevel(2, kBalanceIndex);
    auto* scales = dynamic_cast<KG_Waage_Game_Fruechte*>(menu->game);
    ASSERT_NE(scales, nullptr);
    for (int task = 0; task < 10; ++task) {
        Frame(1.0);
        Frame(1.0);
        SolveBalance(*scales);
        Frame();
        ASSERT_EQ(scales->rightCount, task + 1);
        for (int i = 0; i < 30 && scales->feedbackTime > 0; ++i) Frame(0.1);
    }
    WaitForResultPage();
    EXPECT_EQ(scales->wrongCount, 0);
    EnterName();
    EXPECT_EQ(menu->currentPage, kPageGameList);
}
