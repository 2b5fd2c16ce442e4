// The main loop sleeps when a frame came out unchanged, for as long as the screen says nothing
// will change by itself. Every game at every level, run through the menu with random input:
// whenever the screen promised quiet, every frame until the promised moment must show exactly
// the same picture. A timer a game forgets to report (a verdict, a pause, a showing, its
// clock) makes a frame differ inside the promise.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "games/GameTestSupport.h"
#include "games/RegisteredGames.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "platform/Renderer.h"
#include "platform/Texture.h"

namespace {
// Keys that answer, edit and move; not Escape and H, which pause (a paused game is quiet).
const uint16_t kKeys[] = {'0', '1', '2', '3', '5', '7', '9', 'A', 'E', kKeyReturn, kKeyReturn, kKeyReturn,
                          kKeyBack, kKeySpace, kKeyLeft, kKeyRight, kKeyUp, kKeyDown};

class QuietScreensTest : public RegisteredGameTest {
protected:
    void SetUp() override { Prepare(static_cast<unsigned>(GetParam().index * 10 + GetParam().level + 1)); }
    int Random(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    // A click, a drag or a few keys, as a player would give them.
    void Input(MainMenu& menu) {
        const int x = Random(1024), y = 60 + Random(700);
        app->mouseX = x;
        app->mouseY = y;
        const auto ux = static_cast<uint16_t>(x), uy = static_cast<uint16_t>(y);
        switch (Random(3)) {
            case 0:
                menu.OnMouseMove(ux, uy);
                menu.OnLButtonDown(ux, uy);
                menu.OnLButtonUp(ux, uy);
                break;
            case 1: {
                menu.OnMouseMove(ux, uy);
                menu.OnLButtonDown(ux, uy);
                const int x2 = Random(1024), y2 = 60 + Random(700);
                app->mouseX = x2;
                app->mouseY = y2;
                menu.OnMouseMove(static_cast<uint16_t>(x2), static_cast<uint16_t>(y2));
                menu.OnLButtonUp(static_cast<uint16_t>(x2), static_cast<uint16_t>(y2));
                break;
            }
            default:
                for (int i = 0; i < 3; ++i) {
                    const uint16_t k = kKeys[Random(sizeof kKeys / sizeof kKeys[0])];
                    menu.OnKeyDown(k);
                    menu.OnKeyUp(k);
                }
                break;
        }
    }

};
}  // namespace

TEST_P(QuietScreensTest, NoFrameChangesWhileTheScreenPromisedQuiet) {
    MainMenu menu;
    app->activeControl = &menu;
    menu.level = GetParam().level;
    menu.StartGame(GetParam().index);
    ASSERT_NE(menu.game, nullptr);
    menu.game->DisableSaving();
    menu.game->saveFileName[0] = '\0';

    constexpr double dt = 1.0 / 60.0;
    constexpr double kSeconds = 14.0;
    std::vector<DrawCommand> previous, quietPicture;
    double quietUntil = -1.0;
    double nextInput = 4.5;
    int promises = 0, checked = 0;
    for (double t = dt; t < kSeconds; t += dt) {
        if (t >= nextInput && menu.game != nullptr && menu.game->GetState() == kStatePlaying) {
            Input(menu);
            nextInput = t + 0.2 + Random(1500) / 1000.0;
            quietUntil = -1.0;  // input wakes the loop
        }
        app->realFrameTime = dt;
        app->frameTime = app->paused ? 0.0 : dt;
        menu.Update();
        app->sprite->Begin();
        menu.Render();
        menu.PaintCursor();
        app->sprite->End();
        const std::vector<DrawCommand>& frame = app->sprite->Commands();
        // The loop wakes a hair after the promised moment; frames before it must not differ.
        if (t < quietUntil - 0.002) {
            ++checked;
            ASSERT_TRUE(frame == quietPicture) << "the picture changed at " << t << " s although quiet was promised until "
                                                << quietUntil << " s (game state " << (menu.game ? menu.game->GetState() : -1)
                                                << ")";
        } else if (frame == previous) {
            const double until = menu.SecondsUntilChange();
            ASSERT_GE(until, 0.0);
            if (until > dt) {
                ++promises;
                quietUntil = t + until;
                quietPicture = frame;
            }
        } else {
            quietUntil = -1.0;
        }
        previous = frame;
    }
    // Most games promise a quiet second again and again (their clock); a game that shows
    // something all the time (a time limit running down) never does.
    RecordProperty("promises", promises);
    RecordProperty("checkedFrames", checked);
    app->activeControl = nullptr;
}

INSTANTIATE_TEST_SUITE_P(EveryGame, QuietScreensTest, ::testing::ValuesIn(BuiltGames()), CaseName);
