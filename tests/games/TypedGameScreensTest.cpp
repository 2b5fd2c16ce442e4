// The clock, date and triangle games drawn for real: the software renderer draws each game
// with the shipped art, fonts and texts into a target texture at every level, while an answer
// is typed, after a right and during a wrong verdict. The pictures are saved for a look
// (build/e2e-shots/headless-<game>-*.png) and checked where the eye would object.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "framework/TextFormat.h"
#include "games/KG_Datum_Game/Datum.h"
#include "games/KG_Datum_Game/KG_Datum_Game.h"
#include "games/KG_Dreieck_rechnen/KG_Dreieck_rechnen.h"
#include "games/KG_Uhr_lesen/Clock.h"
#include "games/KG_Uhr_lesen/KG_Uhr_lesen.h"
#include "gui/MainMenu.h"
#include "gui/RealScreen.h"
#include "platform/Renderer.h"

namespace {
struct Rgb8 {
    int r, g, b;
};

class TypedGameScreens : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(screen.Open(0));
        app = screen.app;
        Datum::FixToday(Datum::Of(14, 3, 2025));
    }
    void TearDown() override {
        Datum::ReleaseToday();
        if (shot != nullptr) SDL_FreeSurface(shot);
        screen.Close();
    }

    template <typename G>
    std::unique_ptr<G> Make(int level, unsigned seed) {
        auto g = std::make_unique<G>(level, seed);
        g->DisableSaving();
        g->saveFileName[0] = '\0';
        g->Start();
        return g;
    }
    void Type(Knobel_Game& game, const std::string& keys) {
        for (char c : keys) {
            const auto k = static_cast<uint16_t>(std::toupper(static_cast<unsigned char>(c)));
            game.OnKeyDown(k);
            game.OnKeyUp(k);
        }
    }
    void Enter(Knobel_Game& game) {
        game.OnKeyDown(kKeyReturn);
        game.OnKeyUp(kKeyReturn);
    }
    void Step(Knobel_Game& game, double seconds) {
        app->frameTime = app->realFrameTime = seconds;
        game.Update();
    }

    // Draws the backdrop and the game and saves the picture.
    void Shoot(Knobel_Game& game, const std::string& name) {
        if (shot != nullptr) SDL_FreeSurface(shot);
        shot = screen.ShootOverBackdrop(name, [&game] { game.Render(); });
    }
    Rgb8 At(int x, int y) const {
        const uint32_t p = static_cast<uint32_t*>(shot->pixels)[y * (shot->pitch / 4) + x];
        return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
    }
    int Count(int x0, int y0, int x1, int y1, const std::function<bool(Rgb8)>& pred) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += pred(At(x, y)) ? 1 : 0;
        return n;
    }
    static bool Dark(Rgb8 p) { return p.r + p.g + p.b < 240; }
    static bool Pink(Rgb8 p) { return p.r > 200 && p.g > 90 && p.g < 165 && p.b > 90 && p.b < 165; }
    static bool Green(Rgb8 p) { return p.g > 140 && p.g > p.r + 40 && p.g > p.b + 40; }

    // The menu with its page over the game, without the pointer.
    void ShootMenu(MainMenu& menu, const std::string& name) {
        if (shot != nullptr) SDL_FreeSurface(shot);
        shot = screen.Shoot(name, [&menu] { menu.Render(); });
    }

    AppContext* app = nullptr;
    RealScreen screen;
    SDL_Surface* shot = nullptr;
};
}  // namespace

TEST_F(TypedGameScreens, ReadingClocks) {
    for (int level = 0; level < 3; ++level) {
        auto game = Make<KG_Uhr_lesen>(level, 40 + level);
        const std::string prefix = "clock-level" + std::to_string(level);
        Type(*game, "125");
        Shoot(*game, prefix + "-typing");
        EXPECT_GT(Count(480, 509, 544, 559, Dark), 40) << "the typed 1:25";
        for (int i = 0; i < 3; ++i) game->OnKeyDown(kKeyBack);
        const int m = game->answerMinutes;
        Type(*game, std::to_string(m / 60 * 100 + m % 60));
        Enter(*game);
        Shoot(*game, prefix + "-right");
        EXPECT_GT(Count(550, 509, 600, 559, Green), 60) << "the tick beside the field";
        Step(*game, 2.1);
        Type(*game, m == 1 ? "2" : "1");
        Enter(*game);
        Step(*game, 0.25);  // in a phase that shows the right answer
        Shoot(*game, prefix + "-wrong");
        EXPECT_GT(Count(470, 509, 554, 559, Pink), 40) << "the right time in pink on the field";
    }
    // The hands of a dial: 3:30 and 0:05; a digital 0:05.
    auto game = Make<KG_Uhr_lesen>(1, 3);
    game->clocks.Clear(true);
    game->plusSigns.Clear(true);
    game->minusSigns.Clear(true);
    game->clocks.Add(new Clock(200.0f, 256.0f, true, 3, 30));
    game->clocks.Add(new Clock(512.0f, 256.0f, true, 0, 5));
    game->clocks.Add(new Clock(824.0f, 256.0f, false, 0, 5));
    Shoot(*game, "clock-hands");
    // The minute hand at 3:30 points down, the hour hand between 3 and 4.
    EXPECT_TRUE(Dark(At(200, 256 + 60))) << "minute hand at half past";
    EXPECT_FALSE(Dark(At(200, 256 - 60))) << "nothing at twelve at half past";
    EXPECT_TRUE(Dark(At(200 + 29, 256 + 8))) << "hour hand past three";
    EXPECT_TRUE(Dark(At(512 + 25, 256 - 43))) << "minute hand at five past";
    EXPECT_FALSE(Dark(At(512 + 30, 256 - 18))) << "nothing at ten past";
    EXPECT_GT(Count(780, 226, 870, 286, Dark), 150) << "the digital 0:05";
    int midnight = 0;  // dark pixels in and around the "am"/"pm" field below a large dial
    for (int time : {0, 630, 528, 732, 1130}) {
        game->clocks.Clear(true);
        game->clocks.Add(new Clock(300.0f, 300.0f, true, time / 100, time % 100));
        game->clocks.Get(0)->scale = 1.5;
        Shoot(*game, "clock-label");
        const Rect r = game->clocks.Get(0)->LabelRect();
        const int dark = Count(r.left - 2, r.top - 2, r.right + 2, r.bottom + 2, Dark);
        EXPECT_EQ(dark, time == 0 ? (midnight = dark) : midnight) << "the hands reach the field at " << time;
    }
}

TEST_F(TypedGameScreens, DateGame) {
    for (int level = 0; level < 3; ++level) {
        auto game = Make<KG_Datum_Game>(level, 50 + level);
        const std::string prefix = "date-level" + std::to_string(level);
        for (int i = 0; i < 100 && game->weekdayTask; ++i) game->NewTask();
        Type(*game, "150320");
        Shoot(*game, prefix + "-typing");
        EXPECT_GT(Count(440, 509, 584, 559, Dark), 30) << "the typed 15.03.20";
        for (int i = 0; i < 6; ++i) game->OnKeyDown(kKeyBack);
        const Datum& a = game->answerDate;
        Type(*game, FormatText("%02d%02d%04d", a.day, a.month, a.year));
        Enter(*game);
        Shoot(*game, prefix + "-right");
        EXPECT_GT(Count(587, 509, 640, 559, Green), 60) << "the tick beside the field";
        Step(*game, 1.1);
        for (int i = 0; i < 500 && !game->weekdayTask; ++i) game->NewTask();
        ASSERT_TRUE(game->weekdayTask);
        Type(*game, "Freitagx");
        Shoot(*game, prefix + "-weekday");
        Enter(*game);
        Step(*game, 0.25);  // in a phase that shows the right answer
        Shoot(*game, prefix + "-wrong");
        EXPECT_GT(Count(440, 509, 584, 559, Pink), 40) << "the right weekday in pink on the field";
    }
    // The longest question of the German texts wraps inside the screen.
    auto game = Make<KG_Datum_Game>(2, 1);
    game->question = std::string(app->GetText(189)) + app->GetText(175) + app->GetText(181) + app->GetText(187);
    game->question = FormatText(game->question.c_str(), 30, 7, 51);
    Shoot(*game, "date-long-question");
}

TEST_F(TypedGameScreens, TriangleArithmetic) {
    for (int level = 0; level < 3; ++level) {
        auto game = Make<KG_Dreieck_rechnen>(level, 60 + level);
        const std::string prefix = "triangle-level" + std::to_string(level);
        Type(*game, "12");
        Shoot(*game, prefix + "-typing");
        EXPECT_GT(Count(487, 459, 537, 509, Dark), 40) << "the typed 12";
        game->OnKeyDown(kKeyBack);
        game->OnKeyDown(kKeyBack);
        const int apex = game->apex->value;
        Type(*game, std::to_string(apex));
        Enter(*game);
        Shoot(*game, prefix + "-right");
        Step(*game, 2.1);
        Type(*game, std::to_string(game->apex->value + 1));
        Enter(*game);
        Step(*game, 0.25);  // in a phase that shows the right answer
        Shoot(*game, prefix + "-wrong");
        EXPECT_GT(Count(472, 459, 552, 509, Pink), 30) << "the right value in pink on the field";
    }
}

TEST_F(TypedGameScreens, ResultPageOfReadingClocks) {
    MainMenu menu;
    app->activeControl = &menu;
    auto frames = [&](double seconds) {
        for (double t = 0; t < seconds; t += 0.1) {
            app->realFrameTime = app->frameTime = 0.1;
            menu.Update();
        }
    };
    menu.StartGame(12);
    frames(3.2);
    auto* game = dynamic_cast<KG_Uhr_lesen*>(menu.game);
    ASSERT_NE(game, nullptr);
    game->DisableSaving();
    for (int task = 0; task < 5; ++task) {
        frames(7.0);
        const int m = (game->answerMinutes + (task == 2 ? 1 : 0)) % 1440;
        for (char c : std::to_string(m / 60 * 100 + m % 60)) {
            menu.OnKeyDown(static_cast<uint16_t>(c));
            menu.OnKeyUp(static_cast<uint16_t>(c));
        }
        menu.OnKeyDown(kKeyReturn);
        menu.OnKeyUp(kKeyReturn);
        frames(2.1);
    }
    frames(2.2);
    ASSERT_EQ(menu.currentPage, kPageResult);
    ShootMenu(menu, "clock-result");
    // The grade line lies inside the panel's text block, above the name line.
    EXPECT_GT(Count(212 + 100, 384 - 225 + 50, 812 - 100, 384 + 75, Dark), 500);
    app->activeControl = nullptr;
}
