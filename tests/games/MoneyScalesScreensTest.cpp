// Giving change and Balance drawn for real at every level: the software renderer draws the
// menu with the running game, the shipped art, fonts and texts into a target texture, which is
// saved for a look (build/e2e-shots/headless-change-*.png, headless-balance-*.png) and read
// back for a few checks of what must be visible.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/AppContext.h"
#include "games/KG_Waage_Game_Fruechte/KG_Waage_Game_Fruechte.h"
#include "games/KG_Wechselgeld_Game/KG_Wechselgeld_Game.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "gui/RealScreen.h"
#include "platform/Renderer.h"

namespace {
constexpr int kBalanceIndex = 13;
constexpr int kChangeIndex = 14;

class MoneyScalesScreens : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(screen.Open(1));
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
        for (double t = 0; t < seconds; t += 0.05) {
            app->realFrameTime = 0.05;
            app->frameTime = app->paused ? 0.0 : 0.05;
            menu->Update();
        }
    }
    // Starts the game of that list index at the level, over the same backdrop every time.
    Knobel_Game* Start(int index, int level) {
        menu->level = level;
        menu->StartGame(index);
        menu->backdrop = 4;
        Frames(3.1);
        if (menu->game != nullptr) menu->game->DisableSaving();
        return menu->game;
    }
    void PointerAt(int x, int y) {
        app->mouseX = x;
        app->mouseY = y;
    }
    // Draws one frame of the menu and its game and saves it; the caller frees the surface.
    SDL_Surface* Shoot(const std::string& name) { return screen.ShootMenu(*menu, name); }
    static uint32_t Pixel(SDL_Surface* s, int x, int y) {
        return static_cast<uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] & 0xFFFFFF;
    }

    AppContext* app = nullptr;
    MainMenu* menu = nullptr;
    RealScreen screen;
};
}  // namespace

TEST_F(MoneyScalesScreens, GivingChangeAtEveryLevel) {
    for (int level = 0; level < 3; ++level) {
        auto* game = dynamic_cast<KG_Wechselgeld_Game*>(Start(kChangeIndex, level));
        ASSERT_NE(game, nullptr);
        // Some change in the tray, and a note carried by the pointer.
        const int count = game->sources.Count();
        for (int i = 0; i < 3; ++i) {
            MoneySource* src = game->sources.Get((i * 5 + 2) % count);
            const int x = 300 + 150 * i, y = 470 + 40 * i;
            PointerAt(static_cast<int>(src->centre.x), static_cast<int>(src->centre.y));
            menu->OnLButtonDown(static_cast<uint16_t>(src->centre.x), static_cast<uint16_t>(src->centre.y));
            PointerAt(x, y);
            menu->OnMouseMove(x, y);
            menu->OnLButtonUp(x, y);
        }
        MoneySource* last = game->sources.Get(count - 1);
        menu->OnMouseMove(static_cast<uint16_t>(last->centre.x), static_cast<uint16_t>(last->centre.y));
        menu->OnLButtonDown(static_cast<uint16_t>(last->centre.x), static_cast<uint16_t>(last->centre.y));
        PointerAt(640, 560);
        menu->OnMouseMove(640, 560);
        Frames(1.0);
        SDL_Surface* s = Shoot("change-level" + std::to_string(level));
        SDL_FreeSurface(s);
        menu->OnLButtonUp(640, 560);
        menu->game->SetState(kStateAborted);
        Frames(0.2);
    }
}

TEST_F(MoneyScalesScreens, BalanceAtEveryLevel) {
    for (int level = 0; level < 3; ++level) {
        auto* game = dynamic_cast<KG_Waage_Game_Fruechte*>(Start(kBalanceIndex, level));
        ASSERT_NE(game, nullptr);
        Frames(1.5);
        SDL_Surface* s = Shoot("balance-level" + std::to_string(level));
        SDL_FreeSurface(s);
        // Half of the floor onto the pans, one fruit carried.
        Balance& b = *game->balance;
        int n = b.floor.Count();
        for (int i = 0; i < n / 2 + 1 && b.floor.Count() > 1; ++i) {
            Weight* w = b.floor.Get(0);
            b.floor.Remove(w, false);
            (i % 3 == 0 ? b.leftPan : b.rightPan).Add(w);
        }
        Frames(3.0);
        Weight* w = b.floor.Get(0);
        PointerAt(static_cast<int>(w->position.x), static_cast<int>(w->position.y) - 20);
        menu->OnMouseMove(app->mouseX, app->mouseY);
        menu->OnLButtonDown(app->mouseX, app->mouseY);
        PointerAt(app->mouseX - 60, app->mouseY - 200);
        menu->OnMouseMove(app->mouseX, app->mouseY);
        Frames(0.5);
        s = Shoot("balance-tilted-level" + std::to_string(level));
        SDL_FreeSurface(s);
        menu->OnLButtonUp(app->mouseX, app->mouseY);
        menu->game->SetState(kStateAborted);
        Frames(0.2);
    }
}

// The pages the menu shows over the games: rules, pause, result with the name being typed.
TEST_F(MoneyScalesScreens, RulesAndResultPages) {
    for (int index : {kChangeIndex, kBalanceIndex}) {
        const std::string name = index == kChangeIndex ? "change" : "balance";
        Knobel_Game* game = Start(index, 1);
        ASSERT_NE(game, nullptr);
        menu->OnKeyUp('H');
        ASSERT_EQ(menu->currentPage, kPageHelp);
        SDL_FreeSurface(Shoot(name + "-rules"));
        menu->OnKeyUp('H');
        if (auto* change = dynamic_cast<KG_Wechselgeld_Game*>(game)) {
            change->rightCount = 5;
            change->fewestCount = 4;
            change->tasksDone = 6;
        } else if (auto* scales = dynamic_cast<KG_Waage_Game_Fruechte*>(game)) {
            scales->rightCount = 6;
            scales->wrongCount = 1;
            scales->timeSum = 6 * 21.5 + 50;
        }
        game->playTime = 151;
        game->SetState(kStateOver);
        Frames(2.2);
        ASSERT_EQ(menu->currentPage, kPageResult);
        ASSERT_NE(menu->gameEntry, nullptr);
        for (char c : std::string("Eve")) menu->OnChar(static_cast<uint8_t>(c));
        SDL_FreeSurface(Shoot(name + "-result"));
        menu->OnKeyDown(kKeyReturn);
        EXPECT_EQ(menu->currentPage, kPageGameList);
    }
}
