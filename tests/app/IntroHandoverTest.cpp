// From the intro to the first game: an Escape that skipped the intro must not cost the player
// the first Escape of the first game, and the loading screen takes over the intro's picture.
#include "app/IntroTestSupport.h"

#include <memory>

#include "app/Events.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "gui/MenuTestSupport.h"
#include "platform/Renderer.h"
#include "platform/Texture.h"

using introtest::MakeVideo;
using menutest::TestGame;

namespace {
Knobel_Game* MakeTestGame(int level) { return new TestGame(level); }

class IntroHandoverTest : public introtest::IntroTest {
protected:
    void TearDown() override {
        app->activeControl = nullptr;
        delete menu;
        menu = nullptr;
        recorder.reset();
        IntroTest::TearDown();
    }

    // Start-up after the intro: the menu, then the first game from the game list, played past
    // its countdown; all input goes through the window's event path.
    TestGame* StartFirstGame() {
        menutest::InstallTexts(app);
        recorder = std::make_unique<menutest::RecordingRenderer>(app);
        menu = new MainMenu();
        app->activeControl = menu;
        SetGameFactory(0, MakeTestGame);
        for (SDL_Point p : {SDL_Point{512, 259}, SDL_Point{512, 334}, SDL_Point{512, 409}, SDL_Point{512, 194}}) {
            WindowProc(kMsgMouseMove, 0, MakePosition(p.x, p.y));
            WindowProc(kMsgLButtonDown, 0, MakePosition(p.x, p.y));
            WindowProc(kMsgLButtonUp, 0, MakePosition(p.x, p.y));
        }
        for (int i = 0; i < 32; ++i) {
            app->realFrameTime = 0.1;
            app->frameTime = app->paused ? 0.0 : 0.1;
            menu->Update();
        }
        return TestGame::last;
    }

    static void Window(Uint32 type) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.sym = SDLK_ESCAPE;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        DispatchEvent(e);
    }

    // Starts the first game; a tap of Escape then pauses it.
    void ExpectTheFirstEscapePausesTheFirstGame() {
        TestGame* game = StartFirstGame();
        ASSERT_NE(game, nullptr);
        ASSERT_EQ(game->GetState(), kStatePlaying);
        Window(SDL_KEYDOWN);
        Window(SDL_KEYUP);
        EXPECT_EQ(game->GetState(), kStatePaused);
    }

    MainMenu* menu = nullptr;
    std::unique_ptr<menutest::RecordingRenderer> recorder;
};
}  // namespace

TEST_F(IntroHandoverTest, ATapDuringTheIntroLeavesTheFirstEscapeOfTheFirstGameAlone) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 2", "intro.avi"));
    const IntroReport r = Play("intro.avi", {}, [](int shown) {
        if (shown != 4) return;
        PushKey(SDL_KEYDOWN, SDLK_ESCAPE);  // a quick tap: both halves arrive together
        PushKey(SDL_KEYUP, SDLK_ESCAPE);
    });
    ASSERT_EQ(r.end, IntroEnd::kSkipped);
    EXPECT_TRUE(GetInputFlags().escapePass);

    ExpectTheFirstEscapePausesTheFirstGame();
    EXPECT_EQ(menu->currentPage, kPageInGame);
}

TEST_F(IntroHandoverTest, AnEscapeHeldPastTheIntroLosesOnlyItsOwnKeyUp) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 2", "intro.avi"));
    const IntroReport r = Play("intro.avi", {}, [](int shown) {
        if (shown == 4) PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    });
    ASSERT_EQ(r.end, IntroEnd::kSkipped);
    EXPECT_FALSE(GetInputFlags().escapePass);

    TestGame* game = StartFirstGame();
    ASSERT_NE(game, nullptr);
    Window(SDL_KEYUP);  // the release of the press that skipped the intro
    EXPECT_EQ(game->GetState(), kStatePlaying);
    Window(SDL_KEYDOWN);  // the player's first own Escape
    Window(SDL_KEYUP);
    EXPECT_EQ(game->GetState(), kStatePaused);
}

TEST_F(IntroHandoverTest, WithoutTheVideoLibrariesStartUpGoesOnToTheMenuAndItsFirstGame) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 2", "intro.avi"));
    IntroReport r;
    {
        introtest::MissingVideoLibraries missing;
        r = Play("intro.avi");
    }
    EXPECT_EQ(r.end, IntroEnd::kNotPlayed);
    EXPECT_FALSE(app->introOnScreen);  // the loading screen draws from its first step

    ExpectTheFirstEscapePausesTheFirstGame();
}

TEST_F(IntroHandoverTest, TheLoadingScreenKeepsTheIntrosPictureUntilTheSplashIsLoaded) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 0.4", "intro.avi"));
    ASSERT_EQ(Play("intro.avi").end, IntroEnd::kFinished);
    ASSERT_TRUE(app->introOnScreen);
    app->sprite = new Renderer(app->device->Handle());
    app->device->sprite = app->sprite;
    const int steps = app->loadingSteps;
    app->DrawLoadingScreen();  // before the splash texture: the intro's last picture stays
    EXPECT_EQ(app->sprite->FramesDrawn(), 0);
    EXPECT_EQ(app->loadingSteps, steps + 1);

    TextureImage image;
    image.imageWidth = image.imageHeight = image.width = image.height = 16;
    image.pixels.assign(256, 0xFF336699);
    app->texSplash = new Texture();
    ASSERT_TRUE(app->texSplash->Upload(app->device->Handle(), image));
    app->DrawLoadingScreen();
    EXPECT_EQ(app->sprite->FramesDrawn(), 1);
    EXPECT_FALSE(app->introOnScreen);

    delete app->texSplash;
    app->texSplash = nullptr;
    app->DrawLoadingScreen();  // without an intro picture the bare grey is drawn as before
    EXPECT_EQ(app->sprite->FramesDrawn(), 2);
    app->device->sprite = nullptr;
    delete app->sprite;
    app->sprite = nullptr;
}
