// Input reaches a game only while it is being played: not during the countdown, not while a
// page covers it, not once it is over. A piece held when the game stops getting input is
// dropped by the game's own rules, and double clicks arrive as clicks.
#include <gtest/gtest.h>

#include "gui/MenuFixture.h"

namespace {
class MenuGatingTest : public MenuTest {
protected:
    // Every kind of input the window procedure delivers, away from every page (Enter presses the
    // focused button of a page, so it is left out where a page shows).
    void EveryInput(bool enter = true) {
        MoveTo(20, 700);
        menu->OnLButtonDown(20, 700);
        menu->OnLButtonUp(20, 700);
        menu->OnLButtonDblClk(20, 700);
        menu->OnLButtonUp(20, 700);
        menu->OnRButtonDown(20, 700);
        menu->OnRButtonUp(20, 700);
        menu->OnMouseWheel(static_cast<uint32_t>(120) << 16);
        for (uint16_t key : {uint16_t('1'), uint16_t(kKeyReturn), uint16_t(kKeyShift), uint16_t(kKeyBack)})
            if (enter || key != kKeyReturn) Key(key);
    }
    TestGame* PlayingGame() {
        StartFirstGame();
        Frames(3.1);
        TestGame* game = TestGame::last;
        EXPECT_EQ(game->GetState(), kStatePlaying);
        return game;
    }
};
}  // namespace

TEST_F(MenuGatingTest, NoHandlerIsReachedDuringTheCountdownOrWhileTheGameIsNotPlayed) {
    StartFirstGame();
    TestGame* game = TestGame::last;
    EveryInput();
    EXPECT_EQ(game->InputCalls(), 0) << "during the countdown";
    Frames(3.1);
    EveryInput();
    const int playing = game->InputCalls();
    EXPECT_GT(playing, 0);

    menu->OnKeyUp(kKeyEscape);  // paused: the in-game page covers only the middle of the screen
    ASSERT_EQ(game->GetState(), kStatePaused);
    EveryInput(false);
    EXPECT_EQ(game->InputCalls(), playing) << "paused";
    menu->OnKeyUp('H');         // help page
    EveryInput(false);
    EXPECT_EQ(game->InputCalls(), playing) << "help";
    menu->OnKeyUp('H');         // back to the pause page the rules were opened from
    menu->OnKeyUp(kKeyEscape);
    ASSERT_EQ(game->GetState(), kStatePlaying);

    for (int over : {kStateOver, kStateOverOther}) {
        game->SetState(over);
        Frame(0.5);  // the finish delay runs
        EveryInput();
        EXPECT_EQ(game->InputCalls(), playing) << "over in state " << over;
        game->SetState(kStatePlaying);
        Frame(0.1);
    }
    EXPECT_EQ(game->InputCalls(), playing);
}

TEST_F(MenuGatingTest, EnterOnAResultPageWithoutNameInputDoesNotReachTheGame) {
    TestGame* game = PlayingGame();
    game->nextGrade = 6.0;  // no top-ten entry, so no name input
    game->SetState(kStateOver);
    Frames(2.1);
    ASSERT_EQ(menu->currentPage, kPageResult);
    ASSERT_EQ(menu->gameEntry, nullptr);
    menu->OnKeyDown(kKeyReturn);
    Key('5');
    EXPECT_TRUE(game->keysDown.empty());
    EXPECT_TRUE(game->keysUp.empty());
    EXPECT_EQ(game->GetState(), kStateOver);
    menu->OnKeyUp(kKeyReturn);  // presses the focused OK button
    EXPECT_EQ(menu->currentPage, kPageGameList);
}

TEST_F(MenuGatingTest, AbortedGameGetsNoInputBesideItsResultPage) {
    TestGame* game = PlayingGame();
    game->nextGrade = 3.0;  // qualifies: the result page stays for the name
    menu->OnKeyUp(kKeyEscape);
    Click(kAbortX, kAbortY);
    Frame(0.1);
    ASSERT_EQ(menu->currentPage, kPageResult);
    const int calls = game->InputCalls();
    Click(20, 700);
    menu->OnLButtonDblClk(20, 700);
    EXPECT_EQ(game->InputCalls(), calls);
    EXPECT_EQ(game->GetState(), kStateAborted);
}

TEST_F(MenuGatingTest, APieceHeldWhenPausingIsDroppedWhereThePointerIs) {
    TestGame* game = PlayingGame();
    MoveTo(100, 600);
    menu->OnLButtonDown(100, 600);
    ASSERT_TRUE(game->holding);
    MoveTo(140, 610);
    menu->OnKeyUp(kKeyEscape);
    EXPECT_FALSE(game->holding);
    EXPECT_EQ(game->dropX, 140);
    EXPECT_EQ(game->dropY, 610);
    EXPECT_EQ(game->suspensions, 1);
    // The button comes up over the resume button: a press that began in the game presses no
    // button, and the game already had its release.
    const int ups = game->buttonUps;
    MoveTo(kResumeX, kResumeY);
    menu->OnLButtonUp(kResumeX, kResumeY);
    EXPECT_EQ(game->buttonUps, ups);
    EXPECT_EQ(game->GetState(), kStatePaused);
    EXPECT_FALSE(game->holding);
}

TEST_F(MenuGatingTest, APieceHeldWhenOpeningTheHelpIsDroppedAndAbortLosesNothing) {
    TestGame* game = PlayingGame();
    MoveTo(300, 650);
    menu->OnLButtonDown(300, 650);
    menu->OnKeyUp('H');
    EXPECT_FALSE(game->holding);
    EXPECT_EQ(game->dropX, 300);
    menu->OnKeyUp('H');
    menu->OnLButtonDown(310, 650);
    menu->OnKeyUp(kKeyEscape);
    EXPECT_FALSE(game->holding);
    Click(kAbortX, kAbortY);
    EXPECT_EQ(game->GetState(), kStateAborted);
    EXPECT_FALSE(game->holding);
}

TEST_F(MenuGatingTest, PausingWithoutAHeldPieceSendsNoButtonUp) {
    TestGame* game = PlayingGame();
    const int ups = game->buttonUps;
    menu->OnKeyUp(kKeyEscape);
    EXPECT_EQ(game->buttonUps, ups);
    EXPECT_EQ(game->suspensions, 1);
}

TEST_F(MenuGatingTest, ADoubleClickReachesTheGameAsAButtonDownAndHoldsTheButton) {
    TestGame* game = PlayingGame();
    Click(50, 700);
    menu->OnLButtonDblClk(50, 700);
    EXPECT_TRUE(menu->buttonHeld);
    EXPECT_EQ(game->buttonDowns, 2);
    EXPECT_TRUE(game->holding);
    menu->OnLButtonUp(50, 700);
    EXPECT_EQ(game->buttonUps, 2);
}
