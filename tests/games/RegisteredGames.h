#pragma once
// The games of the game table as test parameters: every built game at each of its levels.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "app/AppContext.h"
#include "games/GameTestSupport.h"
#include "gui/GameTable.h"
#include "platform/Renderer.h"

struct GameCase {
    int index;
    int level;
};

inline std::vector<GameCase> BuiltGames() {
    std::vector<GameCase> out;
    for (int i = 0; i < kGameCount; ++i)
        if (GetGameInfo(i).create != nullptr)
            for (int level = 0; level < 3; ++level) out.push_back({i, level});
    return out;
}

inline std::string CaseName(const ::testing::TestParamInfo<GameCase>& info) {
    return "Game" + std::to_string(info.param.index) + "_Level" + std::to_string(info.param.level);
}

// A registered game case on the headless record: both language files in the working folder,
// English texts, a recording sprite batch, stand-in textures, and a generator seeded per case.
class RegisteredGameTest : public ::testing::TestWithParam<GameCase> {
protected:
    void Prepare(unsigned seed) {
        std::error_code ec;
        for (const char* name : {"deutsch.lng", "english.lng"})
            std::filesystem::copy_file(std::string(KW_DATA_DIR) + "/" + name, name,
                                       std::filesystem::copy_options::overwrite_existing, ec);
        app = GetAppContext();
        app->LoadLanguage(1);
        app->sprite = new Renderer(nullptr);
        MakeStandInTextures(*app, 2048);
        app->paused = false;
        rng.seed(seed);
    }
    void TearDown() override {
        FreeStandInTextures(*app);
        delete app->sprite;
        app->sprite = nullptr;
    }

    AppContext* app = nullptr;
    std::mt19937 rng;
};
