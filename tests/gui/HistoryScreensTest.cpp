// The progress plots and the result note drawn for real, in both languages: a game's page
// with twenty results at three levels, the page of all games with the series, and a result
// page that beats the player's best. The pictures are saved for a look
// (build/e2e-shots/headless-history-*.png).
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "app/AppContext.h"
#include "framework/GradeTerms.h"
#include "framework/History.h"
#include "gui/GameTable.h"
#include "gui/HistoryPlot.h"
#include "gui/MainMenu.h"
#include "gui/MenuTestSupport.h"
#include "gui/RealScreen.h"

namespace {
using menutest::TestGame;

Knobel_Game* MakeGame(int level) {
    TestGame* g = new TestGame(level);
    g->nextGrade = 1.1;  // better than every result below
    return g;
}

HistoryRecord Result(const char* game, int level, double grade) {
    HistoryRecord r;
    r.when = "2026-11-02T18:30:00";
    r.game = game;
    r.level = level;
    r.grade = grade;
    r.seconds = 95;
    if (r.IsSeries()) r.average = r.best = r.worst = grade;
    return r;
}

// Pixels of the rectangle close to the colour.
int PixelsNear(SDL_Surface* s, Rect r, uint32_t rgb) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const uint32_t p = RealScreen::Pixel(s, x, y);
            int d = 0;
            for (int shift : {0, 8, 16}) d += std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((rgb >> shift) & 0xFF));
            if (d < 60) ++n;
        }
    return n;
}

class HistoryScreens : public ::testing::TestWithParam<int> {};
}  // namespace

TEST_P(HistoryScreens, PlotsAndResultNote) {
    const int language = GetParam();
    const std::string suffix = language == 0 ? "-de" : "-en";
    RealScreen screen;
    ASSERT_TRUE(screen.Open(language, true));
    AppContext* app = screen.app;
    MainMenu* menu = new MainMenu();
    app->activeControl = menu;
    // Twenty results of the test game at three levels, slowly improving; other games; series
    // (a single one in English, where the plot says in words that it needs two).
    for (int i = 0; i < 20; ++i) menu->history.Append(Result("testgame", i % 3, 4.6 - i * 0.12 + (i % 4) * 0.3));
    for (int i = 0; i < 30; ++i) menu->history.Append(Result("sudoku", i % 2, 3.5 + (i % 5) * 0.4 - i * 0.03));
    for (int i = 0; i < (language == 0 ? 7 : 1); ++i) menu->history.Append(Result(kSeriesStem, i % 3, 3.8 - i * 0.2));

    const Rect plotArea{262, 220, 762, 550};  // inside the 800 x 600 page at (112, 84)
    menu->ShowPage(kPageStatistics);
    SDL_FreeSurface(screen.ShootMenu(*menu, "history-list" + suffix));  // the button beside the list
    menu->showPlot = true;
    menu->ShowPage(kPageStatistics);
    SDL_Surface* all = screen.ShootMenu(*menu, "history-all" + suffix);
    for (uint32_t level : {0x5DBB63u, 0x4FA3E0u, 0xE0475Bu}) EXPECT_GT(PixelsNear(all, plotArea, level), 20) << level;
    SDL_FreeSurface(all);

    SetGameFactory(0, MakeGame);
    menu->StartGame(0);
    for (int i = 0; i < 40; ++i) {  // the countdown
        app->realFrameTime = app->frameTime = 0.1;
        menu->Update();
    }
    menu->ShowPage(kPageGameStatistics);
    SDL_Surface* one = screen.ShootMenu(*menu, "history-game" + suffix);
    EXPECT_GT(PixelsNear(one, plotArea, 0x7D5BC6), 100) << "the moving average";
    SDL_FreeSurface(one);

    TestGame::last->SetState(kStateOver);
    for (int i = 0; i < 25; ++i) {  // the finish delay
        app->realFrameTime = app->frameTime = 0.1;
        menu->Update();
    }
    ASSERT_EQ(menu->currentPage, kPageResult);
    EXPECT_EQ(menu->resultNote, kTextNoteNewBest);
    SDL_Surface* result = screen.ShootMenu(*menu, "history-result" + suffix);
    EXPECT_GT(PixelsNear(result, Rect{212, 400, 812, 540}, 0x1F6B2E), 30) << "the note";
    SDL_FreeSurface(result);
    ASSERT_EQ(menu->history.Records().size(), language == 0 ? 58u : 52u);  // the new result is booked
    delete menu;
    app->activeControl = nullptr;
}

// "Why this grade?" on the result pages of real games (build/e2e-shots/headless-why-*.png): a
// sudoku left half done (a name to type, so the key is F3), a balance game with a mistake, and
// a clock game so slow that the grade is held at 6.0.
TEST_P(HistoryScreens, WhyThisGrade) {
    const std::string suffix = GetParam() == 0 ? "-de" : "-en";
    RealScreen screen;
    ASSERT_TRUE(screen.Open(GetParam(), true));
    MainMenu menu;
    screen.app->activeControl = &menu;
    struct Case {
        int index;
        const char* name;
        PlayedResult result;
    };
    for (const Case& c : {Case{11, "sudoku", {false, 5, 2, 15.0}}, Case{13, "balance", {true, 5, 1, 20.0}},
                          Case{12, "clock", {true, 10, 3, 75.0}}}) {
        menu.StartGame(c.index);
        for (int i = 0; i < 65; ++i) {  // the countdown, then the finish delay once the result is set
            if (i == 40) menu.game->SetPlayedResult(c.result);
            screen.app->realFrameTime = screen.app->frameTime = 0.1;
            menu.Update();
        }
        ASSERT_EQ(menu.currentPage, kPageResult) << c.name;
        menu.OnKeyDown(kKeyF3);
        ASSERT_TRUE(menu.showGradeWhy);
        SDL_FreeSurface(screen.ShootMenu(menu, std::string("why-") + c.name + suffix));
        menu.OnChar('A');
        screen.app->mouseX = 692;  // on OK
        screen.app->mouseY = 559;
        menu.OnLButtonDown(692, 559);
        menu.OnLButtonUp(692, 559);
        EXPECT_NE(menu.currentPage, kPageResult);
    }
    screen.app->activeControl = nullptr;
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, HistoryScreens, ::testing::Values(0, 1));
