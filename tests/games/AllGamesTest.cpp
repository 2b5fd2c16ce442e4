// Every game of the game table through its whole life, at every level: built, drawn during the
// countdown, started, played with no input and with random input (clicks, drags, double
// clicks, keys, the canvas edges, a stalled frame), paused, resumed and left. A new game joins
// by being registered in the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "framework/TextFormat.h"
#include "games/GameTestSupport.h"
#include "games/RegisteredGames.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "platform/Renderer.h"
#include "platform/Texture.h"

namespace {
constexpr int W = 1024, H = 768;

// The keys a player may press: digits, letters, the editing and arrow keys, and some that no
// game uses.
const uint16_t kKeys[] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'D', 'E', 'H', 'M', 'Q', 'S', 'X', 'Z',
                          kKeyReturn, kKeyReturn, kKeyBack, kKeyShift, kKeySpace, kKeyLeft, kKeyRight, kKeyUp,
                          kKeyDown, kKeyAdd, kKeySubtract, kKeyTab, kKeyHome, kKeyEnd, 0x2E, 0xBB, 0xBD};

class AllGamesTest : public RegisteredGameTest {
protected:
    void SetUp() override { Prepare(static_cast<unsigned>(GetParam().index * 10 + GetParam().level)); }

    std::unique_ptr<Knobel_Game> Make() {
        std::unique_ptr<Knobel_Game> game(CreateGame(GetParam().index, GetParam().level));
        if (game) {
            game->DisableSaving();
            game->saveFileName[0] = '\0';
        }
        return game;
    }

    // Every sprite lies at a finite position and at least partly on the canvas.
    static void ExpectSaneFrame(const std::vector<DrawCommand>& frame, const char* when) {
        for (const DrawCommand& c : frame) {
            if (c.kind != DrawCommand::kSprite) continue;
            const float* m = c.transform;
            bool finite = true;
            for (int i = 0; i < 6; ++i) finite = finite && std::isfinite(m[i]);
            ASSERT_TRUE(finite) << when << ": a sprite with a non-finite transform";
            const float w = static_cast<float>(c.src.Width()), h = static_cast<float>(c.src.Height());
            float minX = 1e30f, maxX = -1e30f, minY = 1e30f, maxY = -1e30f;
            for (float u : {0.0f, w})
                for (float v : {0.0f, h}) {
                    const float x = m[0] * u + m[2] * v + m[4], y = m[1] * u + m[3] * v + m[5];
                    minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
            ASSERT_TRUE(maxX > 0 && minX < W && maxY > 0 && minY < H)
                << when << ": a sprite wholly off the canvas at (" << minX << ", " << minY << ")-(" << maxX << ", "
                << maxY << ")";
        }
    }

    std::vector<DrawCommand> Draw(Knobel_Game& game) {
        app->sprite->Begin();
        game.Render();
        app->sprite->End();
        return app->sprite->Commands();
    }
    void Step(Knobel_Game& game, double dt) {
        app->frameTime = dt;
        app->realFrameTime = dt;
        game.Update();
    }
    void ExpectGradeInRange(Knobel_Game& game, const char* when) {
        const std::vector<DrawCommand> before = Draw(game);
        const int state = game.GetState();
        game.ComputeGrade();
        const double g = game.GetGrade();
        EXPECT_TRUE(std::isfinite(g)) << when;
        EXPECT_GE(g, 1.0) << when;
        EXPECT_LE(g, 6.0) << when;
        for (int i = 0; i < 3; ++i) {
            game.ComputeGrade();
            EXPECT_EQ(game.GetGrade(), g) << when << ": the grade changes when asked again";
            EXPECT_EQ(game.GetState(), state) << when << ": computing the grade changed the state";
        }
        EXPECT_TRUE(Draw(game) == before) << when << ": computing the grade changed the picture";
    }

    int Random(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    // A canvas point, often on its edges.
    std::pair<uint16_t, uint16_t> Point() {
        const int kind = Random(10);
        int x = Random(W), y = Random(H);
        if (kind == 0) x = 0;
        if (kind == 1) x = W - 1;
        if (kind == 2) y = 0;
        if (kind == 3) y = H - 1;
        return {static_cast<uint16_t>(x), static_cast<uint16_t>(y)};
    }
    void MoveTo(Knobel_Game& game, std::pair<uint16_t, uint16_t> p) {
        app->prevMouseX = app->mouseX;
        app->prevMouseY = app->mouseY;
        app->mouseX = p.first;
        app->mouseY = p.second;
        game.OnMouseMove(p.first, p.second);
    }
    // One random thing a player does, delivered straight to the game as the window would.
    void RandomInput(Knobel_Game& game) {
        auto p = Point();
        switch (Random(9)) {
            case 0: MoveTo(game, p); break;
            case 1:  // click
                MoveTo(game, p);
                game.OnLButtonDown(p.first, p.second);
                game.OnLButtonUp(p.first, p.second);
                break;
            case 2: {  // drag
                MoveTo(game, p);
                game.OnLButtonDown(p.first, p.second);
                for (int i = 0; i < 3; ++i) MoveTo(game, Point());
                game.OnLButtonUp(static_cast<uint16_t>(app->mouseX), static_cast<uint16_t>(app->mouseY));
                break;
            }
            case 3:  // double click
                MoveTo(game, p);
                game.OnLButtonDown(p.first, p.second);
                game.OnLButtonUp(p.first, p.second);
                game.OnLButtonDblClk(p.first, p.second);
                game.OnLButtonUp(p.first, p.second);
                break;
            case 4: {
                const uint16_t k = kKeys[Random(sizeof kKeys / sizeof kKeys[0])];
                game.OnKeyDown(k);
                game.OnKeyUp(k);
                break;
            }
            case 5: game.OnKeyDown(kKeys[Random(sizeof kKeys / sizeof kKeys[0])]); break;
            case 6: game.OnKeyUp(kKeys[Random(sizeof kKeys / sizeof kKeys[0])]); break;
            case 7:
                game.OnRButtonDown(p.first, p.second);
                game.OnRButtonUp(p.first, p.second);
                break;
            default:
                game.OnMouseWheel(static_cast<uint32_t>(static_cast<uint16_t>(Random(2) ? 120 : -120)) << 16);
                break;
        }
    }
    // Input while the game is not played changes nothing: not its picture, state or grade.
    void ExpectInputIgnored(Knobel_Game& game, const char* when) {
        game.ComputeGrade();
        const double g = game.GetGrade();
        const int state = game.GetState();
        const double t = game.GetPlayTime();
        const std::vector<DrawCommand> before = Draw(game);
        for (int i = 0; i < 150; ++i) RandomInput(game);
        game.ComputeGrade();
        EXPECT_EQ(game.GetState(), state) << when;
        EXPECT_EQ(game.GetGrade(), g) << when;
        EXPECT_EQ(game.GetPlayTime(), t) << when;
        EXPECT_TRUE(Draw(game) == before) << when << ": input changed the picture";
        EXPECT_FALSE(game.HoldsPiece()) << when << ": a piece was picked up";
    }
    // The menu's pause: a held piece is dropped first, held keys are forgotten.
    void Pause(Knobel_Game& game) {
        if (game.HoldsPiece())
            game.OnLButtonUp(static_cast<uint16_t>(app->mouseX), static_cast<uint16_t>(app->mouseY));
        game.OnInputSuspended();
        game.SetState(kStatePaused);
        app->paused = true;
    }
    void Resume(Knobel_Game& game) {
        game.SetState(kStatePlaying);
        app->paused = false;
    }
    static bool Over(Knobel_Game& game) {
        return game.GetState() == kStateOver || game.GetState() == kStateOverOther;
    }
    // After the end the menu keeps stepping the game while its result page shows.
    void ExpectStaysOver(Knobel_Game& game, const char* when) {
        const int state = game.GetState();
        game.ComputeGrade();
        const double g = game.GetGrade();
        for (int i = 0; i < 60; ++i) {
            Step(game, 1.0 / 30);
            Draw(game);
        }
        EXPECT_EQ(game.GetState(), state) << when << ": the state changed after the end";
        game.ComputeGrade();
        EXPECT_EQ(game.GetGrade(), g) << when << ": the grade changed after the end";
        ExpectInputIgnored(game, when);
    }
};
}  // namespace

TEST_P(AllGamesTest, WholeLifeWithoutInput) {
    auto game = Make();
    ASSERT_NE(game, nullptr);
    for (int i = 0; i < 5; ++i) ExpectSaneFrame(Draw(*game), "countdown");
    game->Start();
    EXPECT_EQ(game->GetState(), kStatePlaying);
    EXPECT_TRUE(game->running);
    for (int i = 0; i < 300 && !Over(*game); ++i) {
        Step(*game, 1.0 / 60);
        ExpectSaneFrame(Draw(*game), "playing without input");
        ASSERT_TRUE(std::isfinite(game->GetPlayTime()));
    }
    ExpectGradeInRange(*game, "after play without input");
    if (Over(*game)) {
        ExpectStaysOver(*game, "ended without input");
        return;
    }
    Pause(*game);
    ExpectGradeInRange(*game, "paused");
    ExpectInputIgnored(*game, "paused");
    Resume(*game);
    game->SetState(kStateAborted);
    app->paused = false;
    ExpectGradeInRange(*game, "left early");
    ExpectStaysOver(*game, "left early");
}

TEST_P(AllGamesTest, WholeLifeWithRandomInput) {
    auto game = Make();
    ASSERT_NE(game, nullptr);
    for (int i = 0; i < 20; ++i) RandomInput(*game);  // input before the start counts for nothing
    EXPECT_EQ(game->GetPlayTime(), 0.0);
    game->Start();
    for (int round = 0; round < 3 && !Over(*game); ++round) {
        for (int i = 0; i < 200 && !Over(*game); ++i) {
            RandomInput(*game);
            if (Random(2) == 0) RandomInput(*game);
            // Now and then a stalled frame (the window was dragged, the device was reset).
            Step(*game, Random(60) == 0 ? 3.0 : 1.0 / 60);
            ExpectSaneFrame(Draw(*game), "playing with random input");
            ASSERT_TRUE(std::isfinite(game->GetPlayTime()));
            const int s = game->GetState();
            ASSERT_TRUE(s == kStatePlaying || s == kStateOver || s == kStateOverOther) << "state " << s;
        }
        if (Over(*game)) break;
        Pause(*game);
        ExpectGradeInRange(*game, "paused");
        ExpectInputIgnored(*game, "paused");
        for (int i = 0; i < 10; ++i) Draw(*game);
        Resume(*game);
    }
    if (Over(*game)) {
        ExpectGradeInRange(*game, "over");
        ExpectStaysOver(*game, "over");
        return;
    }
    game->SetState(kStateAborted);
    ExpectGradeInRange(*game, "left early");
    ExpectStaysOver(*game, "left early");
}

TEST_P(AllGamesTest, FontsAreMadeOnceAndSurviveADeviceReset) {
    auto game = Make();
    ASSERT_NE(game, nullptr);
    game->Start();
    Step(*game, 0.1);
    const std::vector<DrawCommand> before = Draw(*game);
    game->OnLostDevice();
    game->OnResetDevice();
    EXPECT_TRUE(Draw(*game) == before);
    // Fonts made per task or per frame would show as new font objects from frame to frame.
    std::vector<const Font*> fonts;
    for (int i = 0; i < 200 && !Over(*game); ++i) {
        RandomInput(*game);
        Step(*game, 0.05);
        for (const DrawCommand& c : Draw(*game))
            if (c.kind == DrawCommand::kText && std::find(fonts.begin(), fonts.end(), c.font) == fonts.end())
                fonts.push_back(c.font);
    }
    EXPECT_LE(fonts.size(), 4u) << "the game drew with " << fonts.size() << " different font objects";
}

// The same life driven through the main menu, as the window procedure drives it.
TEST_P(AllGamesTest, ThroughTheMenuFromTheCountdownToLeaving) {
    MainMenu menu;
    app->activeControl = &menu;
    menu.level = GetParam().level;
    menu.StartGame(GetParam().index);
    ASSERT_NE(menu.game, nullptr);
    menu.game->DisableSaving();
    auto frame = [&](double dt) {
        app->realFrameTime = dt;
        app->frameTime = app->paused ? 0.0 : dt;
        menu.Update();
        app->sprite->Begin();
        menu.Render();
        menu.PaintCursor();
        app->sprite->End();
        if (menu.game != nullptr) ExpectSaneFrame(app->sprite->Commands(), "in the menu");
    };
    auto input = [&]() {
        auto p = Point();
        app->mouseX = p.first;
        app->mouseY = p.second;
        menu.OnMouseMove(p.first, p.second);
        switch (Random(4)) {
            case 0:
                menu.OnLButtonDown(p.first, p.second);
                menu.OnLButtonUp(p.first, p.second);
                break;
            case 1: menu.OnLButtonDown(p.first, p.second); break;
            case 2: menu.OnLButtonUp(p.first, p.second); break;
            default: {
                const uint16_t k = kKeys[Random(sizeof kKeys / sizeof kKeys[0])];
                if (k == 'H') break;  // the help page has its own test
                menu.OnKeyDown(k);
                menu.OnKeyUp(k);
            }
        }
    };
    for (int i = 0; i < 70; ++i) {
        input();
        frame(0.05);
    }
    ASSERT_NE(menu.game, nullptr);
    EXPECT_TRUE(menu.game->running);
    for (int i = 0; i < 150 && menu.game != nullptr && menu.game->GetState() == kStatePlaying; ++i) {
        input();
        frame(1.0 / 60);
    }
    if (menu.game != nullptr && menu.game->GetState() == kStatePlaying) {
        menu.OnKeyUp(kKeyEscape);
        EXPECT_EQ(menu.game->GetState(), kStatePaused);
        EXPECT_FALSE(menu.game->HoldsPiece());
        menu.OnKeyUp(kKeyEscape);
        EXPECT_EQ(menu.game->GetState(), kStatePlaying);
        menu.game->SetState(kStateAborted);  // the abort button
    }
    const bool left = menu.game != nullptr && menu.game->GetState() == kStateAborted;
    for (int i = 0; i < 60 && app->runState == 1 && menu.currentPage != kPageResult; ++i) frame(0.05);
    bool said = false;  // leaving early ends on the result page like any other end, and says so
    for (const DrawCommand& c : app->sprite->Commands()) said |= app->GetText(400) != nullptr && c.text == app->GetText(400);
    if (left) EXPECT_TRUE(menu.currentPage == kPageResult && said);
    if (menu.game != nullptr) {
        menu.game->ComputeGrade();
        const double g = menu.game->GetGrade();
        EXPECT_TRUE(std::isfinite(g) && g >= 1.0 && g <= 6.0);
    }
    app->activeControl = nullptr;
}

// A game of several tasks, rounds or boards shows where the player is, under the time panel,
// counted in its steps of play, and its rules say how many there are. Played by someone who
// answers anything at once (types, clicks across the screen, lays money into the tray and
// checks), the count goes up step by step, or the game ends on its first mistake.
TEST_P(AllGamesTest, GamesOfSeveralTasksShowTheirProgress) {
    static const std::vector<int> kSeveralTasks = {2, 3, 4, 8, 9, 12, 13, 14, 15};
    auto game = Make();
    ASSERT_NE(game, nullptr);
    int current = 0, total = 0;
    const bool several = std::find(kSeveralTasks.begin(), kSeveralTasks.end(), GetParam().index) != kSeveralTasks.end();
    ASSERT_EQ(game->TaskProgress(current, total), several);
    if (!several) return;
    EXPECT_EQ(total, game->ShapeOfPlay().steps);
    if (const char* sentence = app->GetText(game->TaskCountTextId())) {
        EXPECT_NE(game->RulesText().find(FormatText(sentence, total)), std::string::npos) << game->RulesText();
    }
    game->Start();
    auto drag = [&](int x, int y, int toX, int toY) {
        MoveTo(*game, {static_cast<uint16_t>(x), static_cast<uint16_t>(y)});
        game->OnLButtonDown(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        MoveTo(*game, {static_cast<uint16_t>(toX), static_cast<uint16_t>(toY)});
        game->OnLButtonUp(static_cast<uint16_t>(toX), static_cast<uint16_t>(toY));
    };
    int highest = 1;
    for (int frame = 0; frame < 900 && game->GetState() == kStatePlaying && highest < 3; ++frame) {
        ASSERT_TRUE(game->TaskProgress(current, total));
        ASSERT_GE(current, highest) << "the count went back";
        ASSERT_LE(current, total);
        highest = current;
        bool shown = false;
        const std::string line = FormatText(app->GetText(game->TaskProgressTextId()), current, total);
        for (const DrawCommand& c : Draw(*game)) shown = shown || (c.kind == DrawCommand::kText && c.text == line);
        ASSERT_TRUE(shown) << "\"" << line << "\" is not on the screen";
        const uint16_t keys[] = {'1', 'A', kKeyReturn};
        for (uint16_t key : keys) game->OnKeyDown(key);
        for (uint16_t key : keys) game->OnKeyUp(key);
        drag(40 + (frame * 97) % (W - 80), H - 30 - (frame % 3) * 25, W / 2, H * 2 / 3);  // supply to tray
        drag(W / 2, H / 2, W / 2, H / 2);
        for (int i = 0; i < 13; ++i) {  // a row of a grid over the middle, where boards and candidates lie
            const int x = W / 2 - 150 + 25 * i, y = H / 2 - 150 + 25 * (frame % 13);
            drag(x, y, x, y);
        }
        Step(*game, 0.25);
    }
    EXPECT_TRUE(highest >= 2 || game->GetState() == kStateOverOther) << "stuck at the first of " << total;
}

INSTANTIATE_TEST_SUITE_P(Registered, AllGamesTest, ::testing::ValuesIn(BuiltGames()), CaseName);
