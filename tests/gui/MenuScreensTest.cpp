// The result pages drawn for real: the software renderer draws the menu with the shipped art,
// fonts and texts into a target texture, which the test reads back and saves for a look
// (build/e2e-shots/headless-*.png).
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "framework/History.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "gui/RealScreen.h"
#include "gui/MenuTestSupport.h"
#include "platform/Renderer.h"

namespace {
using menutest::TestGame;

Knobel_Game* MakeGame(int level) {
    TestGame* g = new TestGame(level);
    g->nextGrade = 2.5;
    return g;
}

class MenuScreens : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(screen.Open(0));
        app = screen.app;
        menu = new MainMenu();
        app->activeControl = menu;
    }
    void TearDown() override {
        delete menu;
        app->activeControl = nullptr;
        screen.Close();
    }

    void Frames(double seconds) {
        for (double t = 0; t < seconds; t += 0.1) {
            app->realFrameTime = 0.1;
            app->frameTime = app->paused ? 0.0 : 0.1;
            menu->Update();
        }
    }
    void Click(int x, int y) {
        app->mouseX = x;
        app->mouseY = y;
        menu->OnMouseMove(x, y);
        menu->OnLButtonDown(x, y);
        menu->OnLButtonUp(x, y);
    }
    // Typed text as the window procedure hands it on.
    void Type(const char* text) {
        for (const char* c = text; *c != '\0'; ++c) menu->OnChar(static_cast<uint8_t>(*c));
    }
    // Draws one frame of the menu and saves it; the caller frees the surface.
    SDL_Surface* Shoot(const char* name) { return screen.ShootMenu(*menu, name); }
    static uint32_t Pixel(SDL_Surface* s, int x, int y) {
        return static_cast<uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] & 0xFFFFFF;
    }
    // How many pixels of the rectangle are clearly red (the name line is drawn in red).
    static int RedPixels(SDL_Surface* s, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                uint32_t p = Pixel(s, x, y);
                int r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
                if (r > 180 && g < 90 && b < 90) ++n;
            }
        return n;
    }

    AppContext* app = nullptr;
    MainMenu* menu = nullptr;
    RealScreen screen;
};
}  // namespace

TEST_F(MenuScreens, ResultPageShowsTheResultAndTheNameBeingTyped) {
    SetGameFactory(0, MakeGame);
    menu->StartGame(0);
    Frames(3.2);  // the countdown
    ASSERT_NE(TestGame::last, nullptr);
    TestGame::last->playTime = 83;
    TestGame::last->SetState(kStateOver);
    Frames(2.2);  // the finish delay
    ASSERT_EQ(menu->currentPage, 55);
    ASSERT_NE(menu->gameEntry, nullptr);
    Type("Anna");
    SDL_Surface* s = Shoot("result");
    // The panel lies at (212, 159)-(812, 609): its face is light, the screen around it veiled.
    uint32_t face = Pixel(s, 512, 445);
    EXPECT_GT((face >> 16) & 0xFF, 150u);
    EXPECT_GT(RedPixels(s, 212, 609 - 150, 812, 609 - 70), 50) << "no name line";
    EXPECT_EQ(RedPixels(s, 212, 159 + 50, 812, 609 - 150), 0) << "the result text is black";
    SDL_FreeSurface(s);
}

namespace {
// A test game that shows the time panel every game shows.
class PanelGame : public TestGame {
public:
    using TestGame::TestGame;
    void Render() override { DrawTimePanel(); }
};
Knobel_Game* MakePanelGame(int level) { return new PanelGame(level); }
}  // namespace

// A series left in its third game ends on its page, saying so, with the name line its grade
// earns (1.0, 1.0, left with 2.0: 1.33 + (1 - 3/11) x 4 = 4.24); then a game's statistics
// with the level of a top-ten line. In both languages.
TEST_F(MenuScreens, SeriesLeftEarlyAndAGamesStatisticsInBothLanguages) {
    for (int i = 0; i < kGameCount; ++i) SetGameFactory(i, MakePanelGame);
    for (int language : {0, 1}) {
        app->LoadLanguage(language);
        const std::string tag = language == 0 ? "-de" : "-en";
        menu->seriesMode = true;
        menu->seriesBest = 6.0, menu->seriesWorst = 1.0, menu->seriesSum = 0.0, menu->seriesCount = 0;
        menu->StartGame(0);
        for (int game = 0; game < 3; ++game) {
            Frames(3.2);
            TestGame::last->playTime = 65 + 10 * game;
            if (game == 2) SDL_FreeSurface(Shoot(("series-playing" + tag).c_str()));
            TestGame::last->nextGrade = game < 2 ? 1.0 : 2.0;
            TestGame::last->SetState(game < 2 ? kStateOver : kStateAborted);
            Frames(2.2);
            ASSERT_EQ(menu->currentPage, kPageResult);
            menu->OnKeyDown(kKeyEscape);  // no top-ten line for the game
        }
        ASSERT_EQ(menu->currentPage, kPageSeriesResult);
        ASSERT_NE(menu->seriesEntry, nullptr);
        Type("BEN");
        SDL_Surface* s = Shoot(("series-left" + tag).c_str());
        EXPECT_GT(RedPixels(s, 212, 159 + 70, 812, 159 + 98), 30) << "no \"left early\" line";
        EXPECT_GT(RedPixels(s, 212, 609 - 150, 812, 609 - 70), 50) << "no name line";
        SDL_FreeSurface(s);
        menu->OnKeyDown(kKeyEscape), menu->OnKeyUp(kKeyEscape);
        ASSERT_EQ(menu->currentPage, kPageMain);

        // The first line's level is known from the history; the second's is not.
        menu->StartGame(1);
        Frames(3.2);
        for (double grade : {1.42, 2.05}) {
            TestGame::last->grade = grade;
            TestGame::last->AddEntry(TestGame::last->CreateEntry());
        }
        HistoryRecord r;
        r.when = HistoryTimestamp(), r.game = "testgame", r.level = 1, r.grade = 1.42;
        menu->history.Append(r);
        menu->OnKeyUp(kKeyEscape);
        Click(512, 434);  // the pause page's statistics
        ASSERT_EQ(menu->currentPage, kPageGameStatistics);
        SDL_FreeSurface(Shoot(("game-statistics" + tag).c_str()));
        app->paused = false;
    }
}
