// The light-sequence game and Click numbers drawn for real at every level: the software
// renderer draws the menu with the running game, the shipped art, fonts and texts into a target
// texture; the test reads it back, saves it for a look (build/e2e-shots/headless-*.png) and
// checks what the player must be able to see: a lit button clearly brighter than the unlit
// ones at every button size, black and red numbers on the tiles, the result pages.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "games/KG_Gedaechtnis/KG_Gedaechtnis.h"
#include "games/KG_Zahlen_klicken/KG_Zahlen_klicken.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "gui/RealScreen.h"
#include "platform/Renderer.h"

namespace {
constexpr int kRememberingIndex = 4;
constexpr int kClickNumbersIndex = 15;

// Other tests of the same process may have put stand-ins into these two rows of the list.
void UseTheRealGames() {
    SetGameFactory(kRememberingIndex, [](int level) -> Knobel_Game* { return new KG_Gedaechtnis(level); });
    SetGameFactory(kClickNumbersIndex, [](int level) -> Knobel_Game* { return new KG_Zahlen_klicken(level); });
}

class SequenceNumbersScreens : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        ASSERT_TRUE(screen.Open(1));
        app = screen.app;
        UseTheRealGames();
        menu = new MainMenu();
        app->activeControl = menu;
    }
    void TearDown() override {
        if (shot) SDL_FreeSurface(shot);
        delete menu;
        app->activeControl = nullptr;
        screen.Close();
    }

    void Frames(double seconds, double step = 0.05) {
        for (double t = 0; t < seconds - 1e-9; t += step) {
            app->realFrameTime = step;
            app->frameTime = app->paused ? 0.0 : step;
            menu->Update();
        }
    }
    void Click(float fx, float fy) {
        const uint16_t x = static_cast<uint16_t>(std::lround(fx)), y = static_cast<uint16_t>(std::lround(fy));
        app->mouseX = x;
        app->mouseY = y;
        menu->OnMouseMove(x, y);
        menu->OnLButtonDown(x, y);
        menu->OnLButtonUp(x, y);
        // The pointer goes to the corner, where it covers nothing of the game.
        app->mouseX = 1015;
        app->mouseY = 760;
    }
    void Start(int index) {
        menu->level = GetParam();
        menu->StartGame(index);
        ASSERT_NE(menu->game, nullptr);
        Frames(3.2);
        ASSERT_TRUE(menu->game->running);
    }
    // Draws one frame of the menu and its game and saves it.
    void Shoot(const std::string& name) {
        if (shot) SDL_FreeSurface(shot);
        shot = screen.ShootMenu(*menu, name);
    }
    uint32_t Pixel(int x, int y) const {
        return static_cast<uint32_t*>(shot->pixels)[y * (shot->pitch / 4) + x] & 0xFFFFFF;
    }
    static double Luma(uint32_t p) {
        return 0.299 * (p >> 16) + 0.587 * ((p >> 8) & 0xFF) + 0.114 * (p & 0xFF);
    }
    // Mean brightness inside the circle of a button.
    double ButtonBrightness(const MemoryButton& b) const {
        const double r = b.size / 2 - 1;
        double sum = 0;
        int n = 0;
        for (int y = static_cast<int>(b.centre.y - r); y <= static_cast<int>(b.centre.y + r); ++y)
            for (int x = static_cast<int>(b.centre.x - r); x <= static_cast<int>(b.centre.x + r); ++x)
                if (std::hypot(x + 0.5 - b.centre.x, y + 0.5 - b.centre.y) <= r) {
                    sum += Luma(Pixel(x, y));
                    ++n;
                }
        return n > 0 ? sum / n : 0.0;
    }
    // Clearly red and dark pixels of a tile's number.
    void NumberPixels(Vec2 c, int& red, int& dark) const {
        red = dark = 0;
        for (int y = static_cast<int>(c.y) - 12; y < static_cast<int>(c.y) + 12; ++y)
            for (int x = static_cast<int>(c.x) - 15; x < static_cast<int>(c.x) + 15; ++x) {
                const uint32_t p = Pixel(x, y);
                const int r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
                if (r > 180 && g < 90 && b < 90) ++red;
                else if (r + g + b < 200) ++dark;
            }
    }

    AppContext* app = nullptr;
    MainMenu* menu = nullptr;
    RealScreen screen;
    SDL_Surface* shot = nullptr;
};
}  // namespace

TEST_P(SequenceNumbersScreens, LightSequenceWatchTurnAndResult) {
    const std::string level = "level" + std::to_string(GetParam());
    Start(kRememberingIndex);
    auto* game = dynamic_cast<KG_Gedaechtnis*>(menu->game);
    ASSERT_NE(game, nullptr);
    Frames(0.5);
    const int lit = game->round.sequence[0];
    ASSERT_TRUE(game->Button(lit)->Lit());
    Shoot("remembering-" + level + "-watch");
    const double litBrightness = ButtonBrightness(*game->Button(lit));
    double unlit = 0;
    int unlitCount = 0;
    for (int i = 0; i < game->buttons.Count(); ++i)
        if (i != lit) {
            unlit += ButtonBrightness(*game->Button(i));
            ++unlitCount;
        }
    unlit /= unlitCount;
    RecordProperty("lit_brightness", std::to_string(litBrightness));
    RecordProperty("unlit_brightness", std::to_string(unlit));
    EXPECT_GT(litBrightness, unlit + 40) << "a lit button of " << game->buttonSize << " px must stand out";

    for (int i = 0; i < 400 && game->round.showing; ++i) Frames(0.05);
    ASSERT_FALSE(game->round.showing);
    Frames(1.0);
    Click(game->Button(game->round.sequence[0])->centre.x, game->Button(game->round.sequence[0])->centre.y);
    Frames(0.1);
    Shoot("remembering-" + level + "-turn");
    const int wrong = (game->round.sequence[1] + 1) % game->buttons.Count();
    Click(game->Button(wrong)->centre.x, game->Button(wrong)->centre.y);
    ASSERT_EQ(game->GetState(), kStateOverOther);
    Frames(2.2);
    ASSERT_EQ(menu->currentPage, kPageResult);
    Shoot("remembering-" + level + "-result");
}

TEST_P(SequenceNumbersScreens, ClickNumbersBoardRedNumberAndResult) {
    const std::string level = "level" + std::to_string(GetParam());
    Start(kClickNumbersIndex);
    auto* game = dynamic_cast<KG_Zahlen_klicken*>(menu->game);
    ASSERT_NE(game, nullptr);
    NumberTile* last = game->tiles.Get(game->tiles.Count() - 1);
    Click(last->centre.x, last->centre.y);
    ASSERT_TRUE(last->clicked);
    Frames(0.1);
    Shoot("clicknumbers-" + level + "-board");
    for (NumberTile* t : game->tiles) {
        int red = 0, dark = 0;
        NumberPixels(t->centre, red, dark);
        if (t == last) {
            EXPECT_GT(red, 20) << "the wrongly clicked number is red";
            EXPECT_LT(dark, 5);
        } else {
            EXPECT_GT(dark, 20) << "number " << t->value << " black";
            EXPECT_EQ(red, 0);
        }
    }
    for (int board = 0; board < 10; ++board) {
        std::vector<Vec2> order;
        for (NumberTile* t : game->tiles) order.push_back(t->centre);
        for (Vec2 p : order) Click(p.x, p.y);
        Frames(1.1);
    }
    ASSERT_EQ(game->GetState(), kStateOver);
    Frames(2.2);
    ASSERT_EQ(menu->currentPage, kPageResult);
    Shoot("clicknumbers-" + level + "-result");
}

INSTANTIATE_TEST_SUITE_P(Levels, SequenceNumbersScreens, ::testing::Values(0, 1, 2),
                         [](const ::testing::TestParamInfo<int>& info) { return "Level" + std::to_string(info.param); });
