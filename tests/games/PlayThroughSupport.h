#pragma once
// Playing a game from the main menu headless, driven like the window procedure drives the
// menu: clicks at canvas coordinates, keys, frames with chosen times; and reading back the
// statistics files the games write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "framework/Statistics.h"
#include "framework/TextFormat.h"
#include "gui/MainMenu.h"
#include "platform/Renderer.h"

namespace playthrough {
constexpr int W = 1024, H = 768;

inline std::vector<std::string> Tokens(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::vector<std::string> out;
    std::string t;
    while (in >> t) out.push_back(t);
    return out;
}

// The value after a key in a statistics file, or NaN.
inline double ValueAfter(const std::vector<std::string>& tokens, const std::string& key) {
    for (size_t i = 0; i + 1 < tokens.size(); ++i)
        if (tokens[i] == key) return std::stod(tokens[i + 1]);
    return std::nan("");
}

// The top-ten lines of a game file: name and grade of each entry.
inline std::vector<std::pair<std::string, double>> EntriesOf(const std::vector<std::string>& tokens) {
    std::vector<std::pair<std::string, double>> out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i] != "EINTRAG_START") continue;
        std::string name;
        double grade = std::nan("");
        for (size_t j = i + 1; j < tokens.size() && tokens[j] != "EINTRAG_ENDE"; ++j) {
            if (tokens[j] == "NAME:" && j + 1 < tokens.size()) name = tokens[j + 1];
            if (tokens[j] == "ERG:" && j + 1 < tokens.size()) grade = std::stod(tokens[j + 1]);
        }
        out.emplace_back(name, grade);
    }
    return out;
}

class MenuPlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The real texts, so that the result page formats the games' lines with them.
        for (const char* name : {"deutsch.lng", "english.lng"}) {
            std::error_code ec;
            std::filesystem::copy_file(std::string(KW_DATA_DIR) + "/" + name, name,
                                       std::filesystem::copy_options::overwrite_existing, ec);
        }
        app = GetAppContext();
        app->LoadLanguage(1);
        app->sprite = new Renderer(nullptr);
        menu = new MainMenu();
        app->activeControl = menu;
    }
    void TearDown() override {
        delete menu;
        app->activeControl = nullptr;
        delete app->sprite;
        app->sprite = nullptr;
    }

    // One frame as the main loop runs it.
    void Frame(double seconds = 0.05) {
        app->frameTime = app->paused ? 0.0 : seconds;
        app->realFrameTime = seconds;
        menu->Update();
        app->sprite->Begin();
        menu->Render();
        menu->PaintCursor();
        app->sprite->End();
    }
    void Click(int x, int y) {
        app->prevMouseX = app->mouseX;
        app->prevMouseY = app->mouseY;
        app->mouseX = x;
        app->mouseY = y;
        menu->OnMouseMove(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        menu->OnLButtonDown(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        menu->OnLButtonUp(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        Frame();
    }
    void Key(uint16_t key) {
        menu->OnKeyDown(key);
        menu->OnKeyUp(key);
    }

    // Main page, first level, one game, then the row of the game in the list.
    void StartFromMenu(int index) {
        ASSERT_NO_FATAL_FAILURE(BackToMainPage());
        Click(W / 2, H / 2 - 300 + 150 + 25);
        ASSERT_EQ(menu->currentPage, kPageLevel);
        Click(W / 2, H / 2 - 150 + 75 + 25);
        ASSERT_EQ(menu->currentPage, kPageMode);
        EXPECT_EQ(menu->level, 0);
        Click(W / 2, H / 2 - 150 + 150 + 25);
        ASSERT_EQ(menu->currentPage, kPageGameList);
        while (index - menu->listFirst > menu->listLastRow) {
            int before = menu->listFirst;
            Click(W / 2 - 200 + 175 + 25, H / 2 - 350 + 560 + 25);
            ASSERT_EQ(menu->listFirst, before + 1);
        }
        Click(W / 2, H / 2 - 350 + 135 + 60 * (index - menu->listFirst) + 25);
        ASSERT_NE(menu->game, nullptr);
        ASSERT_EQ(app->runState, 1);
        EXPECT_EQ(menu->gameIndex, index);
        for (int i = 0; i < 100 && !menu->game->running; ++i) Frame(0.1);
        ASSERT_TRUE(menu->game->running);
        ASSERT_EQ(menu->game->GetState(), kStatePlaying);
    }

    // Frames until the result page shows (the game ended two seconds before).
    void WaitForResultPage() {
        for (int i = 0; i < 200 && menu->currentPage != kPageResult; ++i) Frame(0.05);
        ASSERT_EQ(menu->currentPage, kPageResult);
    }

    // Whether the last frame drew a text holding part.
    bool FrameShows(const std::string& part) {
        for (const DrawCommand& c : app->sprite->Commands())
            if (c.kind == DrawCommand::kText && c.text.find(part) != std::string::npos) return true;
        return false;
    }

    // Types "Ann 7" and hands it in with Enter.
    // A single game's result leads back to its list; the list's back button to the main page.
    void BackToMainPage() {
        if (menu->currentPage == kPageGameList) Click(W / 2, H / 2 - 350 + 625 + 25);
        ASSERT_EQ(menu->currentPage, kPageMain);
    }
    void EnterName() {
        ASSERT_NE(menu->gameEntry, nullptr);
        for (char c : std::string("Ann 7")) menu->OnChar(static_cast<uint8_t>(c));
        EXPECT_STREQ(menu->gameEntry->name, "Ann 7");
        Key(kKeyReturn);
        Frame();
    }

    // The game's file holds one top-ten line with that name and grade, and books one game.
    void ExpectOneTopTenLine(const std::string& file, const std::string& name, double grade) {
        std::vector<std::string> sav = Tokens(file);
        ASSERT_FALSE(sav.empty()) << file << " not written";
        auto entries = EntriesOf(sav);
        ASSERT_EQ(entries.size(), 1u) << file;
        EXPECT_EQ(entries[0].first, name);
        EXPECT_NEAR(entries[0].second, grade, 1e-4);
        EXPECT_EQ(ValueAfter(sav, "ANZ_SPIELE:"), 1);
        EXPECT_NEAR(ValueAfter(sav, "ERGS:"), grade, 1e-4);
    }

    // Ends the program as the window closes (the totals of all games are written then), reads
    // "stats.sav" and makes a fresh application record and menu for what the test does next.
    std::vector<std::string> EndProgramAndReadTotals() {
        TearDown();
        menu = nullptr;
        DestroyAppContext();
        std::vector<std::string> stats = Tokens("stats.sav");
        app = GetAppContext();
        app->sprite = new Renderer(nullptr);
        menu = new MainMenu();
        return stats;
    }
    // The totals book every game played with its grade: count, sum, best, worst, solved (1.5 or
    // better) and some time.
    static void ExpectTotals(const std::vector<std::string>& stats, const std::vector<double>& grades) {
        ASSERT_FALSE(stats.empty()) << "stats.sav not written";
        double sum = 0;
        int solved = 0;
        for (double g : grades) {
            sum += g;
            solved += g <= 1.5 ? 1 : 0;
        }
        EXPECT_EQ(ValueAfter(stats, "ANZ_SPIELE:"), static_cast<double>(grades.size()));
        EXPECT_NEAR(ValueAfter(stats, "ERGS:"), sum, 1e-4);
        EXPECT_NEAR(ValueAfter(stats, "BEST_ERG:"), *std::min_element(grades.begin(), grades.end()), 1e-4);
        EXPECT_NEAR(ValueAfter(stats, "SCHL_ERG:"), *std::max_element(grades.begin(), grades.end()), 1e-4);
        EXPECT_EQ(ValueAfter(stats, "GEL\xD6ST:"), solved);
        EXPECT_GT(ValueAfter(stats, "GAME_ZEIT:"), 0.0);
    }

    AppContext* app = nullptr;
    MainMenu* menu = nullptr;
};
}  // namespace playthrough
