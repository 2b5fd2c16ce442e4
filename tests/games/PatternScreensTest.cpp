// The three pattern games drawn for real at every level: the software renderer draws the menu
// and the game with the shipped art, fonts and texts into a target texture, which the test reads
// back, checks and saves for a look (build/e2e-shots/headless-patterns-*.png).
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/AppContext.h"
#include "framework/TextFormat.h"
#include "games/KG_CrazyQuader/KG_CrazyQuader.h"
#include "games/KG_Quadrat_addieren/KG_Quadrat_addieren.h"
#include "games/KG_Quadrat_merken/KG_Quadrat_merken.h"
#include "gui/MainMenu.h"
#include "gui/RealScreen.h"
#include "platform/FontManager.h"
#include "platform/Renderer.h"

namespace {
class PatternScreens : public ::testing::Test {
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

    void Frames(double seconds, double step = 0.1) {
        for (double t = 0; t < seconds - 1e-9; t += step) {
            app->realFrameTime = step;
            app->frameTime = app->paused ? 0.0 : step;
            menu->Update();
        }
    }
    void Click(float x, float y) {
        const uint16_t ux = static_cast<uint16_t>(x), uy = static_cast<uint16_t>(y);
        app->mouseX = ux;
        app->mouseY = uy;
        menu->OnMouseMove(ux, uy);
        menu->OnLButtonDown(ux, uy);
        menu->OnLButtonUp(ux, uy);
    }
    void ClickSquare(const PatternSquare* s) { Click(s->position.x + s->size / 2, s->position.y + s->size / 2); }
    template <typename G>
    G* Start(int index, int level) {
        menu->level = level;
        menu->StartGame(index);
        Frames(3.2);
        app->mouseX = 1010;
        app->mouseY = 755;
        return dynamic_cast<G*>(menu->game);
    }
    // Draws one frame of the menu and its game and saves it; the caller frees the surface.
    SDL_Surface* Shoot(const std::string& name) { return screen.ShootMenu(*menu, "patterns-" + name); }
    static double Luma(SDL_Surface* s, int x, int y) {
        const uint32_t p = static_cast<uint32_t*>(s->pixels)[y * (s->pitch / 4) + x];
        return (0.299 * ((p >> 16) & 0xFF) + 0.587 * ((p >> 8) & 0xFF) + 0.114 * (p & 0xFF)) / 255.0;
    }
    // Mean brightness of the middle of a square as drawn, a third of its size wide.
    static double SquareLuma(SDL_Surface* s, const PatternSquare& sq) {
        const int c = static_cast<int>(sq.size / 6);
        const int cx = static_cast<int>(sq.position.x + sq.size / 2), cy = static_cast<int>(sq.position.y + sq.size / 2);
        double sum = 0;
        int n = 0;
        for (int y = cy - c; y <= cy + c; ++y)
            for (int x = cx - c; x <= cx + c; ++x, ++n) sum += Luma(s, x, y);
        return sum / n;
    }
    // Brightness at the shared corner of four squares laid without gaps: the background.
    static double CornerLuma(SDL_Surface* s, const PatternSquare& sq) {
        return Luma(s, static_cast<int>(sq.position.x + sq.size), static_cast<int>(sq.position.y + sq.size));
    }

    AppContext* app = nullptr;
    MainMenu* menu = nullptr;
    RealScreen screen;
};
}  // namespace

TEST_F(PatternScreens, RememberSquaresAtEveryLevel) {
    for (int level = 0; level < 3; ++level) {
        auto* g = Start<KG_Quadrat_merken>(8, level);
        ASSERT_NE(g, nullptr);
        g->models.Get(0)->SetMask(0);
        g->models.Get(0)->Set(0, 0, true);
        g->models.Get(0)->Set(2, 1, true);
        Frames(0.5);
        SDL_Surface* s = Shoot("remember-" + std::to_string(level) + "-showing");
        const PatternGrid& model = *g->models.Get(0);
        EXPECT_GT(SquareLuma(s, *model.SquareAt(0, 0)), SquareLuma(s, *model.SquareAt(1, 0)) + 0.25);
        SDL_FreeSurface(s);
        for (int i = 0; i < 1000 && g->showing; ++i) Frames(0.1);
        PatternGrid& answer = *g->answers.Get(0);
        ClickSquare(answer.SquareAt(1, 1));
        ClickSquare(answer.SquareAt(0, 2));
        Frames(0.1);
        s = Shoot("remember-" + std::to_string(level) + "-answering");
        EXPECT_GT(SquareLuma(s, *answer.SquareAt(1, 1)), SquareLuma(s, *answer.SquareAt(1, 0)) + 0.25);
        SDL_FreeSurface(s);
    }
}

TEST_F(PatternScreens, AddingSquaresAtEveryLevelAndItsResultPageFits) {
    for (int level = 0; level < 3; ++level) {
        auto* g = Start<KG_Quadrat_addieren>(9, level);
        ASSERT_NE(g, nullptr);
        SDL_Surface* s = Shoot("adding-" + std::to_string(level));
        EXPECT_GT(SquareLuma(s, *g->litSample), SquareLuma(s, *g->unlitSample) + 0.25);
        SDL_FreeSurface(s);
        if (level == 0) {
            ClickSquare(g->choices.Get(g->AnswerIndex())->SquareAt(0, 0));
            Frames(0.3);
            SDL_FreeSurface(Shoot("adding-0-pause"));
        }
    }
    // The result text is centred in the box from 50 pixels below the result panel's top to 150
    // above its bottom (250 pixels); the panel's title ribbon reaches 69 pixels down. Its lines,
    // in both languages, start below the ribbon.
    auto* g = dynamic_cast<KG_Quadrat_addieren*>(menu->game);
    ASSERT_NE(g, nullptr);
    for (int language : {1, 0}) {
        app->LoadLanguage(language);
        g->rightCount = 7;
        g->wrongCount = 3;
        g->playTime = 754.4;
        g->SetState(kStateOver);
        g->ComputeGrade();
        const std::string text = g->GetResultText();
        int lines = 1;
        for (char c : text) lines += c == '\n';
        EXPECT_EQ(lines, 6);
        const int textTop = 50 + (250 - lines * menu->buttonFont->LineHeight()) / 2;
        EXPECT_GE(textTop, 69 + 5) << "language " << language << ": the first line touches the title";
    }
    Frames(2.5);
    ASSERT_EQ(menu->currentPage, kPageResult);
    SDL_Surface* s = Shoot("adding-result");
    // No line of the text reaches into the name line below the box.
    const int boxBottom = 768 / 2 - 225 + 450 - 150;
    int dark = 0;
    for (int y = boxBottom; y < boxBottom + 30; ++y)
        for (int x = 212; x < 812; ++x) dark += Luma(s, x, y) < 0.2;
    EXPECT_EQ(dark, 0);
    SDL_FreeSurface(s);
}

// The level-1 and level-2 pieces lie without gaps: lit and dark differ by brightness, and the
// shared corner of four squares shows the backdrop, so the squares read as separate cells.
TEST_F(PatternScreens, CrazyCuboidAtEveryLevel) {
    for (int level = 0; level < 3; ++level) {
        auto* g = Start<KG_CrazyQuader>(1, level);
        ASSERT_NE(g, nullptr);
        SDL_Surface* s = Shoot("crazy-" + std::to_string(level));
        const PatternGrid& full = *g->pieces.Get(g->pieces.Count() - 1);  // every square lit
        const PatternGrid& column = *g->pieces.Get(0);                     // column 0 lit
        const PatternSquare& lit = *column.SquareAt(0, 1);
        const PatternSquare& dark = *column.SquareAt(1, 1);
        EXPECT_GT(SquareLuma(s, lit), SquareLuma(s, dark) + 0.2) << "level " << level;
        // Between lit squares laid without gaps: the rims where two squares meet are dark, the
        // corner where four meet shows the backdrop.
        const PatternSquare& first = *full.SquareAt(0, 0);
        const double rim = Luma(s, static_cast<int>(first.position.x + first.size - 1),
                                static_cast<int>(first.position.y + first.size / 2));
        if (level > 0) {
            EXPECT_GT(CornerLuma(s, first), rim + 0.15) << "level " << level << ": lit squares run together";
        }
        EXPECT_GT(CornerLuma(s, *column.SquareAt(1, 0)), SquareLuma(s, dark) + 0.2)
            << "level " << level << ": dark squares run together";
        SDL_FreeSurface(s);
        // A piece applied.
        ClickSquare(column.SquareAt(0, 0));
        s = Shoot("crazy-" + std::to_string(level) + "-moved");
        EXPECT_EQ(g->moves, 1);
        SDL_FreeSurface(s);
    }
}
