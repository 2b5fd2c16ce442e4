// Sudoku and Memory played from the main menu to the top-ten list, driven like the window
// procedure drives the menu: the games' own state tells the test where to click and what to type.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/Statistics.h"
#include "framework/TextFormat.h"
#include "games/KG_Memory/KG_Memory.h"
#include "games/KG_Sudoku9x9/KG_Sudoku9x9.h"
#include "games/PlayThroughSupport.h"
#include "gui/MainMenu.h"
#include "platform/Renderer.h"

namespace {
constexpr int kSudokuIndex = 11;
constexpr int kMemoryIndex = 5;
using playthrough::W;
using playthrough::H;
using playthrough::Tokens;
using playthrough::ValueAfter;
using playthrough::EntriesOf;

class PlayThroughMenuTest : public playthrough::MenuPlayTest {
protected:
    void SolveSudoku(KG_Sudoku9x9& game) {
        std::array<std::array<int, 9>, 9> grid;
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) grid[c][r] = game.cells[c][r].value;
        ASSERT_TRUE(Solve(grid));
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const SudokuCell& cell = game.cells[c][r];
                if (cell.given) continue;
                Click(static_cast<int>(cell.position.x) + 25, static_cast<int>(cell.position.y) + 25);
                ASSERT_EQ(game.selectedCell, &cell);
                Key(static_cast<uint16_t>('0' + grid[c][r]));
                Frame();
            }
    }
    static bool Solve(std::array<std::array<int, 9>, 9>& g) {
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                if (g[c][r] != -1) continue;
                for (int d = 1; d <= 9; ++d) {
                    bool allowed = true;
                    for (int i = 0; i < 9 && allowed; ++i)
                        allowed = g[c][i] != d && g[i][r] != d && g[c / 3 * 3 + i % 3][r / 3 * 3 + i / 3] != d;
                    if (!allowed) continue;
                    g[c][r] = d;
                    if (Solve(g)) return true;
                }
                g[c][r] = -1;
                return false;
            }
        return true;
    }

    // One miss first (two cards of different pairs, shown until they turn back), then every pair.
    void PlayMemory(KG_Memory& game) {
        std::map<int, std::vector<MemoryCard*>> pairs;
        for (MemoryCard* card : game.allCards) pairs[card->pairId].push_back(card);
        auto clickCard = [&](const MemoryCard* card) {
            Click(static_cast<int>(std::lround(card->centre.x)), static_cast<int>(std::lround(card->centre.y)));
        };
        clickCard(pairs[0][0]);
        clickCard(pairs[1][0]);
        EXPECT_EQ(game.misses, 1);
        for (int i = 0; i < 60 && game.secondCard != nullptr; ++i) Frame(0.1);
        ASSERT_EQ(game.secondCard, nullptr);
        for (auto& [id, pair] : pairs) {
            clickCard(pair[0]);
            clickCard(pair[1]);
        }
        EXPECT_EQ(game.attempts, 1 + static_cast<int>(pairs.size()));
        EXPECT_EQ(game.misses, 1);
    }

};
}  // namespace

TEST_F(PlayThroughMenuTest, BothGamesPlayedToTheTopTenAndBookedInTheTotals) {
    StartFromMenu(kSudokuIndex);
    auto* sudoku = dynamic_cast<KG_Sudoku9x9*>(menu->game);
    ASSERT_NE(sudoku, nullptr);
    Frame(1.0);
    SolveSudoku(*sudoku);
    WaitForResultPage();
    EXPECT_EQ(sudoku->GetState(), kStateOver);
    EXPECT_EQ(sudoku->errorCount, 0);
    const double sudokuGrade = sudoku->GetGrade();
    EXPECT_DOUBLE_EQ(sudokuGrade, 1.0 + sudoku->GetPlayTime() / 180.0);
    Frame();
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(40), 0)));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(50), sudokuGrade)));
    EnterName();
    EXPECT_EQ(menu->currentPage, kPageGameList);
    EXPECT_EQ(app->runState, 0);

    std::vector<std::string> sav = Tokens("sudoku.sav");
    ASSERT_FALSE(sav.empty()) << "sudoku.sav not written";
    auto entries = EntriesOf(sav);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].first, "Ann_7");
    EXPECT_NEAR(entries[0].second, sudokuGrade, 1e-4);
    EXPECT_EQ(ValueAfter(sav, "ANZ_SPIELE:"), 1);
    EXPECT_NEAR(ValueAfter(sav, "ERGS:"), sudokuGrade, 1e-4);

    StartFromMenu(kMemoryIndex);
    auto* memory = dynamic_cast<KG_Memory*>(menu->game);
    ASSERT_NE(memory, nullptr);
    ASSERT_EQ(memory->allCards.Count(), 16);
    PlayMemory(*memory);
    WaitForResultPage();
    EXPECT_EQ(memory->GetState(), kStateOver);
    const double memoryGrade = memory->GetGrade();
    EXPECT_DOUBLE_EQ(memoryGrade, memory->GetPlayTime() / 120.0 + 1.0 + 1.0 / 16);
    Frame();
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(23), 1)));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(24), 9)));
    EnterName();
    EXPECT_EQ(menu->currentPage, kPageGameList);

    sav = Tokens("merkspiel.sav");
    entries = EntriesOf(sav);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].first, "Ann_7");
    EXPECT_NEAR(entries[0].second, memoryGrade, 1e-4);

    // The totals of all games are written when the program ends.
    ExpectTotals(EndProgramAndReadTotals(), {sudokuGrade, memoryGrade});
}

TEST_F(PlayThroughMenuTest, AGameLeftAtOnceIsBookedWithoutATopTenLine) {
    StartFromMenu(kMemoryIndex);
    Frame(0.5);
    Key(kKeyEscape);
    Frame();
    EXPECT_EQ(menu->currentPage, kPageInGame);
    EXPECT_EQ(menu->game->GetState(), kStatePaused);
    Click(W / 2, H / 2 - 200 + 300 + 25);  // end the game
    for (int i = 0; i < 5; ++i) Frame();
    EXPECT_EQ(menu->currentPage, kPageResult);
    Click(W / 2 - 300 + 455 + 25, H / 2 - 225 + 375 + 25);  // its OK
    EXPECT_EQ(menu->currentPage, kPageGameList);
    EXPECT_EQ(app->runState, 0);
    std::vector<std::string> sav = Tokens("merkspiel.sav");
    ASSERT_FALSE(sav.empty()) << "merkspiel.sav not written";
    EXPECT_TRUE(EntriesOf(sav).empty());
    EXPECT_EQ(ValueAfter(sav, "ANZ_SPIELE:"), 1);
    EXPECT_EQ(ValueAfter(sav, "ERGS:"), 6);
}
