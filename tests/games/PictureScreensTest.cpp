// Picture building drawn for real: the software renderer draws every picture of the shipped
// archive with the shipped art, first as the player finds it (grey silhouettes, scattered
// copies), then finished in its colours, and saves both for a look (build/e2e-shots/headless-picture-*.png).
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "gui/RealScreen.h"
#include "games/KG_Bilder_Basteln/KG_Bilder_Basteln.h"
#include "games/KG_Bilder_Basteln/PictureLevel.h"
#include "platform/Renderer.h"

namespace {
class PictureScreens : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        ASSERT_TRUE(screen.Open(1, true));
        app = screen.app;
    }
    void TearDown() override {
        game.reset();
        screen.Close();
    }

    // A seed whose first draw picks the picture.
    static unsigned SeedFor(int picture) {
        for (unsigned seed = 1;; ++seed) {
            std::srand(seed);
            if (std::rand() % picture::kLevelCount == picture) return seed;
        }
    }

    // The backdrop the menu lays under a game, then the game.
    SDL_Surface* Shoot(const std::string& name) {
        return screen.ShootOverBackdrop("picture-" + name, [this] { game->Render(); });
    }
    static uint32_t Pixel(SDL_Surface* s, double x, double y) {
        return static_cast<uint32_t*>(s->pixels)[static_cast<int>(y) * (s->pitch / 4) + static_cast<int>(x)] & 0xFFFFFF;
    }
    static int Luma(uint32_t p) { return (((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF)) / 10; }

    AppContext* app = nullptr;
    RealScreen screen;
    std::unique_ptr<KG_Bilder_Basteln> game;
};
}  // namespace

TEST_P(PictureScreens, SilhouettesAreGreyAndTheFinishedPictureIsInColour) {
    const int picture = GetParam();
    const int level = picture % 3;
    game = std::make_unique<KG_Bilder_Basteln>(level, SeedFor(picture));
    game->DisableSaving();
    game->saveFileName[0] = '\0';
    ASSERT_EQ(game->PictureNumber(), picture);
    game->Start();
    const std::string name = "bb_" + std::to_string(picture) + "-level" + std::to_string(level);
    SDL_FreeSurface(Shoot(name + "-start"));
    // The silhouettes alone are the grey of the tint on the light art.
    std::vector<ShapeObject*> lifted;
    while (game->shapes.Count() > 0) lifted.push_back(game->shapes.RemoveAt(0, false));
    SDL_Surface* alone = Shoot(name + "-silhouettes");
    for (ShapeObject* s : lifted) game->shapes.Add(s);
    for (ShapeObject* s : game->silhouettes) {
        const int l = Luma(Pixel(alone, s->position.x, s->position.y));
        EXPECT_LT(l, 110) << "silhouette at (" << s->position.x << ", " << s->position.y << ")";
        EXPECT_GT(l, 40) << "silhouette at (" << s->position.x << ", " << s->position.y << ")";
    }
    SDL_FreeSurface(alone);

    // Every copy in place, the others put aside.
    for (int i = 0; i < game->silhouettes.Count(); ++i) {
        ShapeObject* copy = game->shapes.Get(i);
        const ShapeObject* target = game->silhouettes.Get(i);
        copy->TakeOver(*target);
        copy->sizeFactor = target->sizeFactor;
    }
    for (int i = game->silhouettes.Count(); i < game->shapes.Count(); ++i) {
        ShapeObject* other = game->shapes.Get(i);
        other->SetPosition(other->position.x < 512 ? 90.0f : 934.0f, other->position.y);
    }
    app->frameTime = app->realFrameTime = 0.1;
    game->Update();
    EXPECT_EQ(game->GetState(), kStateOver);
    SDL_Surface* done = Shoot(name + "-finished");
    // Each part shows its colour on the light art: every channel a shade of the colour's.
    for (ShapeObject* s : game->silhouettes) {
        const uint32_t p = Pixel(done, s->position.x, s->position.y);
        for (int shift : {16, 8, 0}) {
            const double want = (s->color >> shift) & 0xFF, got = (p >> shift) & 0xFF;
            EXPECT_NEAR(got, want * 0.88, want * 0.15 + 6)
                << "the finished shape at (" << s->position.x << ", " << s->position.y << ") in channel " << shift;
        }
    }
    SDL_FreeSurface(done);
}

INSTANTIATE_TEST_SUITE_P(Archive, PictureScreens, ::testing::Range(0, picture::kLevelCount),
                         [](const ::testing::TestParamInfo<int>& info) { return "bb_" + std::to_string(info.param); });
