#pragma once
// Shared set-up of the game tests: the application record with a sprite batch that only
// records, stand-in textures, the English texts and helpers to read the recorded frame.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "framework/Types.h"
#include "platform/Renderer.h"
#include "platform/Texture.h"

// Keeps a game of a test from booking its grade and from writing its statistics file (each
// write is synced to disk, which makes tests with hundreds of games slow).
template <typename G>
G& WithoutFile(G& game) {
    game.DisableSaving();
    game.saveFileName[0] = '\0';
    return game;
}

// Keys pressed and released one after the other, as given (digits, upper-case letters).
inline void TypeKeys(Knobel_Game& game, const std::string& keys) {
    for (char c : keys) {
        game.OnKeyDown(static_cast<uint16_t>(c));
        game.OnKeyUp(static_cast<uint16_t>(c));
    }
}
inline void PressEnter(Knobel_Game& game) {
    game.OnKeyDown(kKeyReturn);
    game.OnKeyUp(kKeyReturn);
}

// Every shared texture slot of the record the games draw from.
inline std::vector<Texture**> SharedTextureSlots(AppContext& app) {
    return {&app.texMisc1, &app.texMisc2, &app.texMisc3, &app.texMisc4, &app.texMenu1,
            &app.texMenu2, &app.texMenu3, &app.texCards1, &app.texCards2, &app.texMemoryPattern,
            &app.texBack1, &app.texBack2, &app.texBack3, &app.texBack4, &app.texBackground};
}

// Stand-ins of the given side for every shared texture, and their release.
inline void MakeStandInTextures(AppContext& app, int side) {
    for (Texture** t : SharedTextureSlots(app)) {
        *t = new Texture();
        (*t)->width = (*t)->height = side;
        (*t)->imageWidth = (*t)->imageHeight = side;
    }
}
inline void FreeStandInTextures(AppContext& app) {
    for (Texture** t : SharedTextureSlots(app)) {
        delete *t;
        *t = nullptr;
    }
}

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = GetAppContext();
        app->sprite = new Renderer(nullptr);
        MakeStandInTextures(*app, 1024);
        app->frameTime = 0.0;
        app->realFrameTime = 0.0;
        app->paused = false;
    }
    void TearDown() override {
        FreeStandInTextures(*app);
        delete app->sprite;
        app->sprite = nullptr;
    }


    // Loads the English language file of the build into the record.
    void LoadEnglish() {
        std::error_code ec;
        std::filesystem::copy_file(std::string(KW_DATA_DIR) + "/english.lng", "english.lng",
                                   std::filesystem::copy_options::overwrite_existing, ec);
        app->LoadLanguage(1);
    }

    // One frame with the given frame time for both clocks.
    template <typename G>
    void Step(G& game, double seconds) {
        app->frameTime = seconds;
        app->realFrameTime = seconds;
        game.Update();
    }

    template <typename G>
    const std::vector<DrawCommand>& RenderFrame(G& game) {
        app->sprite->Begin();
        game.Render();
        app->sprite->End();
        return app->sprite->Commands();
    }

    static std::vector<DrawCommand> SpritesOf(const std::vector<DrawCommand>& frame, const Texture* texture) {
        std::vector<DrawCommand> out;
        for (const DrawCommand& c : frame)
            if (c.kind == DrawCommand::kSprite && c.texture == texture) out.push_back(c);
        return out;
    }
    static std::vector<DrawCommand> TextsOf(const std::vector<DrawCommand>& frame) {
        std::vector<DrawCommand> out;
        for (const DrawCommand& c : frame)
            if (c.kind == DrawCommand::kText) out.push_back(c);
        return out;
    }

    AppContext* app = nullptr;
};
