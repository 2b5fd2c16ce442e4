#pragma once
// The games of the game table as test parameters: every built game at each of its levels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/GameTable.h"

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
