#pragma once
// The main menu driven like the window procedure drives it: mouse and key calls at the
// coordinates of the pages, frames stepped with chosen frame times, a small test game in the
// game list.
#include <gtest/gtest.h>

#include <memory>

#include "app/AppContext.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "gui/MenuTestSupport.h"
#include "platform/Renderer.h"

using menutest::TestGame;

namespace {
Knobel_Game* MakeTestGame(int level) { return new TestGame(level); }
[[maybe_unused]] Knobel_Game* MakeGameA(int level) { return new TestGame(level, "a.sav"); }
[[maybe_unused]] Knobel_Game* MakeGameB(int level) { return new TestGame(level, "b.sav"); }

// Centres of the buttons on screen (pages centred on 1024 x 768).
constexpr int kPlayX = 512, kPlayY = 259;          // page 1 at (312, 84), button 2 at (50, 150)
constexpr int kStatsX = 512, kStatsY = 319;        // button 4 at (50, 210)
constexpr int kQuitX = 512, kQuitY = 559;          // button 3 at (50, 450)
constexpr int kEnglishX = 548, kEnglishY = 648;    // button 8 at (224, 552), 24 x 24
constexpr int kEasyX = 512, kEasyY = 334;          // page 9 at (312, 234), button 11 at (50, 75)
constexpr int kSeriesX = 512, kSeriesY = 334;      // page 14 at (312, 234), button 16 at (50, 75)
constexpr int kSingleX = 512, kSingleY = 409;      // button 17 at (50, 150)
constexpr int kRowX = 512, kRow0Y = 194;           // page 18 at (312, 34), rows at (50, 135 + 60 r)
constexpr int kScrollX = 512, kUpY = 134, kDownY = 619;  // buttons 20 (175, 75) and 21 (175, 560)
constexpr int kResumeX = 512, kResumeY = 284;      // page 45 at (337, 184), button 46 at (25, 75)
constexpr int kAbortX = 512, kAbortY = 509;        // button 49 at (25, 300)
constexpr int kListBackX = 512, kListBackY = 684;  // page 18 at (312, 34), button 19 at (150, 625)
constexpr int kOkX = 692, kOkY = 559;              // page 55 at (212, 159), button 56 at (455, 375)
constexpr int kResetAllX = 787, kResetAllY = 634;  // page 40 at (112, 84), button 42 at (600, 525)

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = GetAppContext();
        menutest::InstallTexts(app);
        recorder = std::make_unique<menutest::RecordingRenderer>(app);
        menu = new MainMenu();
        app->activeControl = menu;
    }
    void TearDown() override {
        app->activeControl = nullptr;
        delete menu;
        recorder.reset();
    }

    void MoveTo(int x, int y) {
        app->mouseX = x;
        app->mouseY = y;
        menu->OnMouseMove(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    }
    void Click(int x, int y) {
        MoveTo(x, y);
        menu->OnLButtonDown(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        menu->OnLButtonUp(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    }
    void Key(uint16_t key) {
        menu->OnKeyDown(key);
        menu->OnKeyUp(key);
    }
    // Typed text as the window procedure hands it on (Windows-1252 bytes).
    void Type(const char* text) {
        for (const char* c = text; *c != '\0'; ++c) menu->OnChar(static_cast<uint8_t>(*c));
    }
    // One frame as the main loop runs it: no frame time while paused.
    void Frame(double dt) {
        app->realFrameTime = dt;
        app->frameTime = app->paused ? 0.0 : dt;
        menu->Update();
    }
    void Frames(double seconds, double dt = 0.1) {
        for (double t = 0; t < seconds - 1e-9; t += dt) Frame(dt);
    }
    // The first game finished with grade 2.0: its result page waits for the player's name.
    void ResultPageWithEntry() {
        StartFirstGame();
        Frames(3.1);
        TestGame::last->nextGrade = 2.0;
        TestGame::last->SetState(kStateOver);
        Frames(2.1);
        ASSERT_NE(menu->gameEntry, nullptr);
    }
    const Renderer& Draw() {
        app->sprite->Begin();
        menu->Render();
        menu->PaintCursor();
        app->sprite->End();
        return *app->sprite;
    }
    void OpenGameList() {
        Click(kPlayX, kPlayY);
        Click(kEasyX, kEasyY);
        Click(kSingleX, kSingleY);
        ASSERT_EQ(menu->currentPage, kPageGameList);
    }
    void StartFirstGame() {
        SetGameFactory(0, MakeTestGame);
        OpenGameList();
        Click(kRowX, kRow0Y);
        ASSERT_NE(TestGame::last, nullptr);
    }
    // Ends the running game with a grade and leaves its result page, naming the entry if one is asked for.
    void FinishGame(double grade) {
        ASSERT_NE(TestGame::last, nullptr);
        Frames(3.1);
        TestGame::last->nextGrade = grade;
        TestGame::last->SetState(kStateOver);
        Frames(2.1);
        ASSERT_EQ(menu->currentPage, kPageResult);
        if (menu->gameEntry != nullptr) {
            Type("a");
            Key(kKeyReturn);
        } else {
            Click(kOkX, kOkY);
        }
    }

    AppContext* app = nullptr;
    MainMenu* menu = nullptr;
    std::unique_ptr<menutest::RecordingRenderer> recorder;
};
}  // namespace
