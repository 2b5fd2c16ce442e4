// The player away and back: leaving the window pauses a game the way Escape does, names take
// what the keyboard types, and a result being named is kept when the program closes.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/Events.h"
#include "framework/Statistics.h"
#include "gui/MenuFixture.h"

namespace {
SDL_Event WindowEvent(Uint8 what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = what;
    return e;
}
SDL_Event TextEvent(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::snprintf(e.text.text, sizeof e.text.text, "%s", utf8);
    return e;
}

class MenuAwayTest : public MenuTest {};
}  // namespace

TEST_F(MenuAwayTest, LeavingTheWindowPausesLikeEscapeUntilThePlayerResumes) {
    StartFirstGame();
    Frames(3.1);
    TestGame* game = TestGame::last;
    for (Uint8 away : {SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_MINIMIZED, SDL_WINDOWEVENT_HIDDEN}) {
        DispatchEvent(WindowEvent(away));
        EXPECT_EQ(menu->currentPage, kPageInGame);
        EXPECT_EQ(game->GetState(), kStatePaused);
        EXPECT_TRUE(app->paused);
        EXPECT_FALSE(app->windowFocused);
        DispatchEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));  // away again: still paused
        DispatchEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
        EXPECT_TRUE(app->windowFocused);
        EXPECT_EQ(game->GetState(), kStatePaused);
        Click(kResumeX, kResumeY);
        EXPECT_EQ(game->GetState(), kStatePlaying);
    }
    EXPECT_EQ(game->suspensions, 3);
}

TEST_F(MenuAwayTest, NamesAreTypedTextKeptInWindows1252) {
    ResultPageWithEntry();
    // A Cyrillic letter and an emoji are not in the code page and are left out.
    for (const char* text : {"J", "\xC3\xBC", "r", "\xD0\x96", "g", "\xF0\x9F\x98\x80", "en"}) DispatchEvent(TextEvent(text));
    EXPECT_STREQ(menu->gameEntry->name, "J\xFCrgen");
    Key(kKeyReturn);
    std::ifstream in("testgame.sav", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_NE(bytes.str().find("NAME:\tJ\xFCrgen\tDATUM:"), std::string::npos) << bytes.str();
}

TEST_F(MenuAwayTest, ClosingWhileANameIsTypedKeepsTheEntry) {
    ResultPageWithEntry();
    Type("Ev");
    delete menu;
    menu = new MainMenu();
    app->activeControl = menu;
    GameStatistics s;
    ASSERT_TRUE(LoadStatisticsFile("testgame.sav", s));
    EXPECT_EQ(s.gamesPlayed, 1);
    ASSERT_EQ(s.entries.Count(), 1);
    EXPECT_STREQ(s.entries.Get(0)->name, "Ev");
}
