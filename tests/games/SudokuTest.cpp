#include <algorithm>
#include <array>
#include <set>

#include "framework/TextFormat.h"
#include "games/KG_Sudoku9x9/KG_Sudoku9x9.h"
#include "platform/FontManager.h"
#include "GameTestSupport.h"

namespace {
using Grid = std::array<std::array<int, 9>, 9>;  // [column][row], -1 empty

Grid GridOf(const KG_Sudoku9x9& game) {
    Grid g;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) g[c][r] = game.cells[c][r].value;
    return g;
}

bool Allowed(const Grid& g, int c, int r, int d) {
    for (int i = 0; i < 9; ++i)
        if (g[c][i] == d || g[i][r] == d) return false;
    int bc = c / 3 * 3, br = r / 3 * 3;
    for (int i = 0; i < 9; ++i)
        if (g[bc + i % 3][br + i / 3] == d) return false;
    return true;
}

// Counts the solutions up to the limit; the first one found is copied to `first`.
int Solve(Grid g, Grid* first, int limit = 1) {
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            if (g[c][r] != -1) continue;
            int found = 0;
            for (int d = 1; d <= 9 && found < limit; ++d) {
                if (!Allowed(g, c, r, d)) continue;
                g[c][r] = d;
                found += Solve(g, found == 0 ? first : nullptr, limit - found);
                g[c][r] = -1;
            }
            return found;
        }
    if (first != nullptr) *first = g;
    return 1;
}

bool IsValidComplete(const Grid& g) {
    for (int i = 0; i < 9; ++i) {
        std::set<int> column, row, box;
        for (int j = 0; j < 9; ++j) {
            column.insert(g[i][j]);
            row.insert(g[j][i]);
            box.insert(g[i % 3 * 3 + j % 3][i / 3 * 3 + j / 3]);
        }
        for (const auto* s : {&column, &row, &box})
            if (*s != std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}) return false;
    }
    return true;
}

uint16_t MiddleX(const SudokuCell& cell) { return static_cast<uint16_t>(cell.position.x + 25); }
uint16_t MiddleY(const SudokuCell& cell) { return static_cast<uint16_t>(cell.position.y + 25); }

class SudokuTest : public GameTest {
protected:
    // A started game whose solution is known.
    void StartGame(int level, unsigned seed) {
        game = std::make_unique<KG_Sudoku9x9>(level, seed);
        WithoutFile(*game);
        game->Start();
        ASSERT_EQ(Solve(GridOf(*game), &solution), 1);
    }
    SudokuCell* FirstEmptyCell(int skipColumn = -1) {
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r)
                if (c != skipColumn && game->cells[c][r].IsEmpty()) return &game->cells[c][r];
        return nullptr;
    }
    void Select(const SudokuCell* cell) { game->OnLButtonUp(MiddleX(*cell), MiddleY(*cell)); }
    int ColumnOf(const SudokuCell* cell) { return static_cast<int>((cell - &game->cells[0][0]) / 9); }
    int RowOf(const SudokuCell* cell) { return static_cast<int>((cell - &game->cells[0][0]) % 9); }
    // A digit given elsewhere in the cell's row.
    int DigitGivenInRow(const SudokuCell* cell) {
        for (int c = 0; c < 9; ++c)
            if (game->cells[c][RowOf(cell)].given) return game->cells[c][RowOf(cell)].value;
        ADD_FAILURE() << "a row without a given digit";
        return 1;
    }
    // The given cells that a digit typed into the cell would repeat.
    std::set<const SudokuCell*> GivenClashes(const SudokuCell* cell, int digit) {
        const int column = ColumnOf(cell), row = RowOf(cell);
        std::set<const SudokuCell*> clashes;
        for (int i = 0; i < 9; ++i)
            for (const SudokuCell* other : {&game->cells[column][i], &game->cells[i][row],
                                            &game->cells[column / 3 * 3 + i % 3][row / 3 * 3 + i / 3]})
                if (other->given && other->value == digit) clashes.insert(other);
        return clashes;
    }
    void FillSolution() {
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r)
                if (!game->cells[c][r].given) {
                    Select(&game->cells[c][r]);
                    game->OnKeyUp(static_cast<uint16_t>('0' + solution[c][r]));
                }
    }

    std::unique_ptr<KG_Sudoku9x9> game;
    Grid solution;
};
}  // namespace

TEST_F(SudokuTest, EveryPuzzleEmptiesExactlyItsCellsAndHasOneSolutionInItsOwnLayout) {
    const int expectedEmpty[3] = {10, 20, 30};
    std::set<Grid> layouts;  // solutions with the digits renamed in the order of the first row
    for (int level = 0; level < 3; ++level) {
        for (unsigned seed = 1; seed <= 60; ++seed) {
            KG_Sudoku9x9 puzzle(level, seed * 7919u + level);
            WithoutFile(puzzle);
            EXPECT_EQ(puzzle.cellsToFill, expectedEmpty[level]);
            EXPECT_EQ(puzzle.state, kStatePlaying);
            int empty = 0;
            for (auto& column : puzzle.cells)
                for (SudokuCell& cell : column) {
                    EXPECT_EQ(cell.given, !cell.IsEmpty());
                    if (cell.given) {
                        EXPECT_TRUE(cell.value >= 1 && cell.value <= 9);
                    }
                    empty += cell.IsEmpty() ? 1 : 0;
                }
            EXPECT_EQ(empty, expectedEmpty[level]) << "level " << level << " seed " << seed;
            Grid g;
            ASSERT_EQ(Solve(GridOf(puzzle), &g, 2), 1) << "level " << level << " seed " << seed;
            EXPECT_TRUE(IsValidComplete(g));
            int rename[10];
            for (int c = 0; c < 9; ++c) rename[g[c][0]] = c + 1;
            for (auto& column : g) std::transform(column.begin(), column.end(), column.begin(), [&](int v) { return rename[v]; });
            layouts.insert(g);
        }
    }
    EXPECT_EQ(layouts.size(), 180u);
}

TEST_F(SudokuTest, CellsLieInThreeBlocksWithGaps) {
    StartGame(0, 3);
    EXPECT_EQ(game->cells[0][0].position, (Vec2{277, 149}));
    EXPECT_EQ(game->cells[2][0].position, (Vec2{377, 149}));
    EXPECT_EQ(game->cells[3][0].position, (Vec2{437, 149}));
    EXPECT_EQ(game->cells[8][8].position, (Vec2{697, 569}));
    EXPECT_EQ(game->cells[8][8].size, 50.0);
}

TEST_F(SudokuTest, SelectionTakesEmptyCellsEdgesIncludedAndKeepsItOnGivenDigits) {
    StartGame(2, 11);
    SudokuCell* empty = FirstEmptyCell();
    ASSERT_NE(empty, nullptr);
    const auto left = static_cast<uint16_t>(empty->position.x), top = static_cast<uint16_t>(empty->position.y);
    game->OnLButtonUp(left, top);  // the top-left corner belongs to the cell
    EXPECT_EQ(game->selectedCell, empty);

    game->selectedCell = nullptr;
    game->OnLButtonUp(static_cast<uint16_t>(left + 50), static_cast<uint16_t>(top + 50));
    // the bottom-right corner too, unless an empty neighbour there shares it and wins
    ASSERT_NE(game->selectedCell, nullptr);
    EXPECT_TRUE(game->selectedCell->Contains(left + 50, top + 50));

    Select(empty);
    SudokuCell* given = nullptr;
    for (auto& column : game->cells)
        for (SudokuCell& cell : column)
            if (cell.given && given == nullptr) given = &cell;
    Select(given);
    EXPECT_EQ(game->selectedCell, empty);
    game->OnLButtonUp(5, 5);      // outside the grid
    game->OnLButtonUp(270, 400);  // left of the grid
    game->OnLButtonUp(430, 400);  // in the gap between two blocks
    EXPECT_EQ(game->selectedCell, empty);
}

TEST_F(SudokuTest, ASharedEdgeSelectsTheLastEmptyCellTested) {
    // Empty two neighbours inside one block so that their common edge hits both.
    StartGame(0, 5);
    for (SudokuCell* cell : {&game->cells[0][0], &game->cells[1][0]}) {
        cell->given = false;
        cell->value = -1;
    }
    game->OnLButtonUp(static_cast<uint16_t>(game->cells[1][0].position.x), 160);
    EXPECT_EQ(game->selectedCell, &game->cells[1][0]);
}

TEST_F(SudokuTest, DigitKeysFillTheCellAndOnlyClearingKeysEmptyIt) {
    StartGame(0, 21);
    SudokuCell* cell = FirstEmptyCell();
    Select(cell);
    game->OnKeyDown('5');  // digits are taken on key-up only
    EXPECT_TRUE(cell->IsEmpty());
    game->OnKeyUp('5');
    EXPECT_EQ(cell->value, 5);
    game->OnKeyUp('0');
    EXPECT_TRUE(cell->IsEmpty());
    for (uint16_t clear : {kKeyBack, kKeyDelete, kKeySpace}) {
        game->OnKeyUp('9'), game->OnKeyUp(clear);
        EXPECT_TRUE(cell->IsEmpty()) << clear;
    }
    game->OnKeyUp('9');
    for (uint16_t other : {kKeyControl, kKeyShift, kKeyTab, kKeyLeft, kKeyDown, kKeyReturn, kKeyA})
        game->OnKeyUp(other);
    EXPECT_EQ(cell->value, 9);
    EXPECT_EQ(game->inputCount, 9);
}

TEST_F(SudokuTest, OnlyTheStepIntoAConflictCountsAsAnError) {
    StartGame(1, 33);
    SudokuCell* first = FirstEmptyCell();
    Select(first);
    int clash = DigitGivenInRow(first);
    ASSERT_GT(clash, 0);
    game->OnKeyUp(static_cast<uint16_t>('0' + clash));
    EXPECT_FALSE(first->valid);
    EXPECT_FALSE(game->conflictFree);
    EXPECT_EQ(game->errorCount, 1);
    // The typed digit and every given digit it repeats turn red, each listed once.
    const std::set<const SudokuCell*> clashes = GivenClashes(first, clash);
    EXPECT_FALSE(clashes.empty());
    for (const SudokuCell* other : clashes) EXPECT_FALSE(other->valid);
    EXPECT_EQ(game->conflictCells.Count(), static_cast<int>(clashes.size()) + 1);

    // A second conflict elsewhere while the first remains is no new error.
    SudokuCell* second = FirstEmptyCell(ColumnOf(first));
    ASSERT_NE(second, nullptr);
    Select(second);
    game->OnKeyUp(static_cast<uint16_t>('0' + DigitGivenInRow(second)));
    EXPECT_EQ(game->errorCount, 1);
    EXPECT_GT(game->conflictCells.Count(), static_cast<int>(clashes.size()) + 1);

    // Clearing is an input, never an error; once the grid is clean a new conflict counts again.
    game->OnKeyUp(kKeyBack);
    Select(first);
    game->OnKeyUp(kKeySpace);
    EXPECT_TRUE(game->conflictFree);
    EXPECT_EQ(game->conflictCells.Count(), 0);
    EXPECT_TRUE(first->valid);
    EXPECT_EQ(game->errorCount, 1);
    game->OnKeyUp(static_cast<uint16_t>('0' + clash));
    EXPECT_EQ(game->errorCount, 2);
    EXPECT_EQ(game->inputCount, 5);
}

TEST_F(SudokuTest, ACellInTwoConflictingGroupsIsListedOnce) {
    StartGame(2, 8);
    // Put a digit into an empty cell that repeats in its row and in its column.
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            SudokuCell& cell = game->cells[c][r];
            if (!cell.IsEmpty()) continue;
            for (int d = 1; d <= 9; ++d) {
                bool inRow = false, inColumn = false;
                for (int i = 0; i < 9; ++i) {
                    inRow |= game->cells[i][r].value == d;
                    inColumn |= game->cells[c][i].value == d;
                }
                if (!inRow || !inColumn) continue;
                Select(&cell);
                game->OnKeyUp(static_cast<uint16_t>('0' + d));
                EXPECT_FALSE(cell.valid);
                int listed = 0;
                for (SudokuCell* listedCell : game->conflictCells) listed += listedCell == &cell ? 1 : 0;
                EXPECT_EQ(listed, 1);
                return;
            }
        }
    FAIL() << "no empty cell with a digit repeated in both its row and its column";
}

TEST_F(SudokuTest, KeysWhilePausedOrWithoutSelectionAreIgnored) {
    StartGame(0, 44);
    game->OnKeyUp('3');
    EXPECT_EQ(game->inputCount, 0);
    SudokuCell* cell = FirstEmptyCell();
    Select(cell);
    game->SetState(kStatePaused);
    game->OnKeyUp('3');
    EXPECT_TRUE(cell->IsEmpty());
    EXPECT_EQ(game->inputCount, 0);
    game->SetState(kStatePlaying);
    game->OnKeyUp('3');
    EXPECT_EQ(cell->value, 3);
}

TEST_F(SudokuTest, ASolvedGridEndsTheGameOnTheNextUpdate) {
    StartGame(1, 55);
    Step(*game, 1.5);
    EXPECT_DOUBLE_EQ(game->playTime, 1.5);
    FillSolution();
    EXPECT_TRUE(game->solved);
    EXPECT_EQ(game->state, kStatePlaying);
    EXPECT_EQ(game->errorCount, 0);
    EXPECT_EQ(game->inputCount, 20);
    Step(*game, 0.5);
    EXPECT_EQ(game->state, kStateOver);
    EXPECT_DOUBLE_EQ(game->playTime, 1.5);  // the finishing frame no longer counts
    EXPECT_DOUBLE_EQ(game->gameStatistics.time, 2.0);
    game->OnKeyUp('1');  // a finished grid takes no more input
    EXPECT_EQ(game->inputCount, 20);
}

TEST_F(SudokuTest, TimeRunsOnlyAfterStartWhilePlaying) {
    KG_Sudoku9x9 waiting(0, 9);
    WithoutFile(waiting);
    Step(waiting, 1.0);
    EXPECT_DOUBLE_EQ(waiting.playTime, 0.0);
    EXPECT_DOUBLE_EQ(waiting.gameStatistics.time, 1.0);
    waiting.Start();
    Step(waiting, 1.0);
    EXPECT_DOUBLE_EQ(waiting.playTime, 1.0);
    waiting.SetState(kStateAborted);
    Step(waiting, 1.0);
    EXPECT_DOUBLE_EQ(waiting.playTime, 1.0);
    EXPECT_DOUBLE_EQ(waiting.gameStatistics.time, 3.0);
}

TEST_F(SudokuTest, GradeOfASolvedGameAndOfOneLeftEarly) {
    StartGame(0, 66);
    FillSolution();
    Step(*game, 0.0);
    ASSERT_EQ(game->state, kStateOver);
    game->playTime = 90.0;
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 1.5);
    game->errorCount = 3;
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 1.8);
    game->errorCount = 50;  // 5 + 1 + 0.5
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 6.0);

    KG_Sudoku9x9 early(1, 77);
    WithoutFile(early);
    early.Start();
    early.playTime = 180.0;
    early.SetState(kStateAborted);
    early.ComputeGrade();  // 20 of 20 cells empty: 5 + 1 + 1 = 7
    EXPECT_DOUBLE_EQ(early.grade, 6.0);
    early.playTime = 0.0;
    early.ComputeGrade();
    EXPECT_DOUBLE_EQ(early.grade, 6.0);
}

TEST_F(SudokuTest, GradeLeftEarlyCountsEmptyAndConflictingCells) {
    StartGame(0, 88);
    // Fill all but two cells correctly, then make one of the filled ones conflict.
    int filled = 0;
    SudokuCell* last = nullptr;
    for (int c = 0; c < 9 && filled < 8; ++c)
        for (int r = 0; r < 9 && filled < 8; ++r)
            if (!game->cells[c][r].given) {
                last = &game->cells[c][r];
                Select(last);
                game->OnKeyUp(static_cast<uint16_t>('0' + solution[c][r]));
                ++filled;
            }
    game->SetState(kStateAborted);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 2.0 / 10 * 5 + 1);
    game->SetState(kStatePlaying);
    Select(last);
    game->OnKeyUp(static_cast<uint16_t>('0' + DigitGivenInRow(last)));
    game->SetState(kStateAborted);
    // Six mistakes, then two cells short: the conflict counts besides the empty cells, and the
    // mistakes count as when solving (1.6), so leaving is never the better deal.
    game->errorCount = 6;
    game->ComputeGrade();
    EXPECT_GT(game->grade, 2.0 / 10 * 5 + 1.6);
    game->SetState(kStatePlaying);
    FillSolution();
    Step(*game, 0.0);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 1.6);
}

TEST_F(SudokuTest, ResultTextListsTimeConflictsAverageAndGrade) {
    LoadEnglish();
    StartGame(0, 99);
    SudokuCell* cell = FirstEmptyCell();
    Select(cell);
    game->OnKeyUp(static_cast<uint16_t>('0' + DigitGivenInRow(cell)));
    game->OnKeyUp('0');
    game->playTime = 125.0;
    game->SetState(kStateAborted);
    game->ComputeGrade();
    std::string expected = FormatText(app->GetText(22), 2, 5) + "\n" + FormatText(app->GetText(40), 1) + "\n" +
                           FormatText(app->GetText(41), 62.5) + "\n\n" + FormatText(app->GetText(50), game->grade);
    EXPECT_EQ(std::string(game->GetResultText()), expected);
    EXPECT_NE(expected.find("62.5"), std::string::npos) << expected;
    EXPECT_STREQ(game->GetTitle(), app->GetText(14));
    EXPECT_STREQ(game->GetHelpText(), app->GetText(75));
    ASSERT_NE(game->GetTitle(), nullptr);
    EXPECT_STREQ(game->GetTitle(), " Sudoku");  // language texts start with a blank
}

TEST_F(SudokuTest, AverageTimeIsZeroWithoutInput) {
    LoadEnglish();
    StartGame(0, 12);
    game->playTime = 30.0;
    std::string text = game->GetResultText();
    EXPECT_NE(text.find(FormatText(app->GetText(41), 0.0)), std::string::npos) << text;
}

TEST_F(SudokuTest, RenderDrawsPanelTintedCellsAndColouredDigits) {
    StartGame(0, 13);
    game->playTime = 75.0;
    SudokuCell* selected = FirstEmptyCell();
    Select(selected);
    const int wrong = DigitGivenInRow(selected);
    const std::set<const SudokuCell*> clashes = GivenClashes(selected, wrong);
    game->OnKeyUp(static_cast<uint16_t>('0' + wrong));
    SudokuCell* mine = FirstEmptyCell(ColumnOf(selected));
    Select(mine);
    game->OnKeyUp(static_cast<uint16_t>('0' + solution[ColumnOf(mine)][RowOf(mine)]));
    Select(selected);

    const std::vector<DrawCommand> frame = RenderFrame(*game);
    std::vector<DrawCommand> panel = SpritesOf(frame, app->texMenu2);
    ASSERT_EQ(panel.size(), 1u);
    EXPECT_EQ(panel[0].src, (Rect{0, 700, 300, 750}));
    EXPECT_FLOAT_EQ(panel[0].transform[4], 362.0f);
    EXPECT_FLOAT_EQ(panel[0].transform[5], 0.0f);

    std::vector<DrawCommand> fields = SpritesOf(frame, app->texMisc1);
    ASSERT_EQ(fields.size(), 81u);
    int i = 0;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r, ++i) {
            const SudokuCell& cell = game->cells[c][r];
            EXPECT_EQ(fields[i].src, (Rect{550, 0, 600, 50}));
            EXPECT_FLOAT_EQ(fields[i].transform[0], 1.0f);
            EXPECT_FLOAT_EQ(fields[i].transform[4], cell.position.x);
            EXPECT_FLOAT_EQ(fields[i].transform[5], cell.position.y);
            EXPECT_EQ(fields[i].color, &cell == selected ? 0xFFB4D8F6u : 0xFFFFFFFFu) << "blue, not the red of conflicts";
        }

    // Every digit centred on its cell with font 0, coloured by its kind.
    Font* digitFont = GetFontManager()->FindFont(0);
    int digits = 0;
    for (const DrawCommand& t : TextsOf(frame)) {
        if (t.rect.right - t.rect.left != 1024 || t.text.size() != 1) continue;
        ++digits;
        EXPECT_EQ(t.font, digitFont);
        EXPECT_EQ(t.format, 5u);
        const int middleX = (t.rect.left + t.rect.right) / 2, middleY = (t.rect.top + t.rect.bottom) / 2;
        int c = 0, r = 0;
        while (c < 8 && game->cells[c + 1][0].position.x <= middleX) ++c;
        while (r < 8 && game->cells[0][r + 1].position.y <= middleY) ++r;
        const SudokuCell& cell = game->cells[c][r];
        EXPECT_EQ(middleX, static_cast<int>(cell.position.x) + 25);
        EXPECT_EQ(middleY, static_cast<int>(cell.position.y) + 25);
        EXPECT_EQ(t.text, std::to_string(cell.value));
        // red: the wrong digit and the given ones it repeats; black: the player's right digit
        const bool red = &cell == selected || clashes.count(&cell) > 0;
        EXPECT_EQ(t.color, red ? 0xFFFF0000u : (&cell == mine ? 0xFF000000u : 0xFF4F4F4Fu)) << c << "," << r;
    }
    EXPECT_EQ(digits, 81 - 10 + 2);
    EXPECT_EQ(selected->valid, false);
    EXPECT_EQ(mine->valid, true);
}

TEST_F(SudokuTest, NoTimePanelBeforeStartOrAfterTheEnd) {
    KG_Sudoku9x9 waiting(0, 14);
    WithoutFile(waiting);
    EXPECT_TRUE(SpritesOf(RenderFrame(waiting), app->texMenu2).empty());
    EXPECT_EQ(SpritesOf(RenderFrame(waiting), app->texMisc1).size(), 81u);
    waiting.Start();
    waiting.SetState(kStateOver);
    EXPECT_TRUE(SpritesOf(RenderFrame(waiting), app->texMenu2).empty());
}
