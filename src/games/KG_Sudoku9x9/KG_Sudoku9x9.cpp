#include "games/KG_Sudoku9x9/KG_Sudoku9x9.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "app/AppContext.h"
#include "framework/TextFormat.h"
#include "games/TickSeed.h"

namespace {
constexpr int kPermutationMoves = 20;
constexpr int kKeyDigit1 = '1';
constexpr int kKeyDigit9 = '9';
}  // namespace

KG_Sudoku9x9::KG_Sudoku9x9(int level) : KG_Sudoku9x9(level, TickCountSeed()) {}

KG_Sudoku9x9::KG_Sudoku9x9(int level_, unsigned seed) : Knobel_Game(level_, "sudoku.sav") {
    // The grid: 50-pixel cells with a 10-pixel gap after every third column and row, centred.
    const int left = app->screenWidth / 2 - 235;
    const int top = app->screenHeight / 2 - 235;
    for (int c = 0; c < kSide; ++c) {
        for (int r = 0; r < kSide; ++r) {
            SudokuCell& cell = cells[c][r];
            cell.position = Vec2{static_cast<float>(left + 50 * c + 10 * (c / 3)),
                                 static_cast<float>(top + 50 * r + 10 * (r / 3))};
        }
    }
    cellsToFill = level <= 0 ? 10 : (level == 1 ? 20 : 30);
    std::srand(seed);
    selectedCell = nullptr;
    conflictFree = true;
    solved = false;
    state = kStatePlaying;

    int digits[kSide];
    PermuteDigits(digits);
    int grid[kSide][kSide];
    FillGrid(digits, grid);
    for (int c = 0; c < kSide; ++c)
        for (int r = 0; r < kSide; ++r) cells[c][r].value = grid[c][r];

    // Empty distinct cells; drawing an already empty cell again does not count.
    for (int emptied = 0; emptied < cellsToFill;) {
        int c = std::rand() % kSide;
        int r = std::rand() % kSide;
        SudokuCell& cell = cells[c][r];
        if (cell.IsEmpty()) continue;
        cell.value = SudokuCell::kEmpty;
        cell.given = false;
        ++emptied;
    }
    errorCount = 0;
    inputCount = 0;
    playTime = 0.0;
    state = kStatePlaying;
}

KG_Sudoku9x9::~KG_Sudoku9x9() { conflictCells.Clear(false); }

void KG_Sudoku9x9::PermuteDigits(int digits[kSide]) {
    std::vector<int> list;
    for (int d = 1; d <= kSide; ++d) list.push_back(d);
    for (int move = 0; move < kPermutationMoves; ++move) {
        int from = std::rand() % static_cast<int>(list.size());
        int digit = list[from];
        list.erase(list.begin() + from);
        int before = std::rand() % static_cast<int>(list.size());
        list.insert(list.begin() + before, digit);
    }
    std::copy(list.begin(), list.end(), digits);
}

// Rows are the three triples side by side; from row to row the triples move one place to the
// left, and after rows 0, 3 and 6 each triple also turns by one digit.
void KG_Sudoku9x9::FillGrid(const int digits[kSide], int grid[kSide][kSide]) {
    std::array<std::array<int, 3>, 3> triples;
    for (int t = 0; t < 3; ++t)
        for (int i = 0; i < 3; ++i) triples[t][i] = digits[3 * t + i];
    for (int r = 0; r < kSide; ++r) {
        for (int t = 0; t < 3; ++t)
            for (int i = 0; i < 3; ++i) grid[3 * t + i][r] = triples[t][i];
        std::rotate(triples.begin(), triples.begin() + 1, triples.end());
        if (r == 0 || r == 3 || r == 6) {
            for (auto& triple : triples) std::rotate(triple.begin(), triple.begin() + 1, triple.end());
        }
    }
}

void KG_Sudoku9x9::OnLButtonUp(uint16_t x, uint16_t y) {
    if (!Playing()) return;
    // The last cell hit wins, so a click on a shared edge selects the lower or right cell.
    for (int c = 0; c < kSide; ++c)
        for (int r = 0; r < kSide; ++r)
            if (!cells[c][r].given && cells[c][r].Contains(x, y)) selectedCell = &cells[c][r];
}

void KG_Sudoku9x9::OnKeyUp(uint16_t key) {
    if (selectedCell == nullptr || !Playing()) return;
    if (selectedCell->given) return;
    selectedCell->value = (key >= kKeyDigit1 && key <= kKeyDigit9) ? key - '0' : SudokuCell::kEmpty;
    bool wasConflictFree = conflictFree;
    CheckBoard();
    if (wasConflictFree && !conflictFree) ++errorCount;
    ++inputCount;
}

void KG_Sudoku9x9::CheckBoard() {
    solved = true;
    conflictFree = true;
    for (auto& column : cells)
        for (SudokuCell& cell : column) cell.valid = true;
    conflictCells.Clear(false);

    SudokuCell* group[kSide];
    for (int i = 0; i < kSide; ++i) {
        for (int j = 0; j < kSide; ++j) group[j] = &cells[i][j];
        CheckGroup(group);
        for (int j = 0; j < kSide; ++j) group[j] = &cells[j][i];
        CheckGroup(group);
    }
    for (int k = 0; k < kSide; ++k) {
        int left = 3 * (k % 3), top = 3 * (k / 3);
        for (int l = 0; l < kSide; ++l) group[l] = &cells[left + l % 3][top + l / 3];
        CheckGroup(group);
    }
}

void KG_Sudoku9x9::CheckGroup(SudokuCell* group[kSide]) {
    int counts[kSide + 1] = {};
    for (int i = 0; i < kSide; ++i) {
        int v = group[i]->value;
        if (v >= 1 && v <= kSide)
            ++counts[v];
        else
            solved = false;
    }
    for (int i = 0; i < kSide; ++i) {
        int v = group[i]->value;
        if (v < 1 || v > kSide || counts[v] < 2) continue;
        group[i]->valid = false;
        conflictCells.Add(group[i], -1, true);
        conflictFree = false;
        solved = false;
    }
}

int KG_Sudoku9x9::EmptyCellCount() const {
    int empty = 0;
    for (const auto& column : cells)
        for (const SudokuCell& cell : column) empty += cell.IsEmpty() ? 1 : 0;
    return empty;
}

void KG_Sudoku9x9::Update() {
    if (running && solved) state = kStateOver;
    AdvanceTime(running && state == kStatePlaying);
}

void KG_Sudoku9x9::Render() {
    if (running && state == kStatePlaying) DrawTimePanel();
    for (auto& column : cells)
        for (SudokuCell& cell : column) cell.Draw(&cell == selectedCell);
}

const char* KG_Sudoku9x9::GetHelpText() { return app->GetText(75); }
const char* KG_Sudoku9x9::GetTitle() { return app->GetText(14); }

const char* KG_Sudoku9x9::GetResultText() {
    double perInput = inputCount > 0 ? playTime / inputCount : 0.0;
    return FrameResultText({FormatText(app->GetText(40), errorCount), FormatText(app->GetText(41), perInput)});
}

// One grade step per three minutes; a solved grid adds the share of conflicting inputs, a grid
// left early the same and five steps times the share of cells still empty or in conflict.
void KG_Sudoku9x9::ComputeGrade() {
    double g;
    if (state == kStateOver) {
        g = static_cast<double>(errorCount) / cellsToFill + 1.0 + playTime / kSecondsPerGrade;
    } else {
        double share = static_cast<double>(conflictCells.Count() + EmptyCellCount()) / cellsToFill;
        share = std::clamp(share, 0.0, 1.0);
        // Wrong inputs cost as much as when the grid is solved.
        g = share * 5.0 + static_cast<double>(errorCount) / cellsToFill + 1.0 + playTime / kSecondsPerGrade;
    }
    grade = std::min(g, 6.0);
}

// Steps are cells filled; a mistake is a wrong input.
PlayShape KG_Sudoku9x9::ShapeOfPlay() { return {cellsToFill, 3.0, true}; }

void KG_Sudoku9x9::SetPlayedResult(const PlayedResult& r) {
    int filled = 0;
    for (auto& column : cells)
        for (SudokuCell& c : column)
            if (!c.given) c.value = filled++ < r.done ? 1 : SudokuCell::kEmpty;  // no conflict is checked
    conflictCells.Clear(false);
    errorCount = r.wrong;
    EndPlayed(r);
}
