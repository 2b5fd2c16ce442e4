#include "games/KG_Sudoku9x9/KG_Sudoku9x9.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "app/AppContext.h"
#include "framework/TextFormat.h"
#include "games/KG_Sudoku9x9/SudokuSolver.h"
#include "games/TickSeed.h"

namespace {
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

    // A complete grid drawn at random, again until cellsToFill cells could be emptied with the
    // solution kept unique.
    int grid[kSide][kSide];
    do {
        for (auto& column : grid)
            for (int& v : column) v = SudokuCell::kEmpty;
        FillSudokuAtRandom(grid);
    } while (!EmptyUniquely(grid, cellsToFill));
    for (int c = 0; c < kSide; ++c)
        for (int r = 0; r < kSide; ++r) {
            cells[c][r].value = grid[c][r] >= 1 ? grid[c][r] : SudokuCell::kEmpty;
            cells[c][r].given = !cells[c][r].IsEmpty();
        }
    errorCount = 0;
    inputCount = 0;
    playTime = 0.0;
    state = kStatePlaying;
}

KG_Sudoku9x9::~KG_Sudoku9x9() { conflictCells.Clear(false); }

bool KG_Sudoku9x9::EmptyUniquely(int grid[kSide][kSide], int count) {
    std::array<int, kSide * kSide> order;
    for (int i = 0; i < kSide * kSide; ++i) order[i] = i;
    for (int i = kSide * kSide - 1; i > 0; --i) std::swap(order[i], order[std::rand() % (i + 1)]);
    int emptied = 0;
    for (int i = 0; i < kSide * kSide && emptied < count; ++i) {
        int& value = grid[order[i] / kSide][order[i] % kSide];
        const int kept = value;
        value = SudokuCell::kEmpty;
        if (CountSudokuSolutions(grid, 2) == 1)
            ++emptied;
        else
            value = kept;
    }
    return emptied == count;
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
    if (key >= kKeyDigit1 && key <= kKeyDigit9)
        selectedCell->value = key - '0';
    else if (key == kKeyBack || key == kKeyDelete || key == kKeySpace || key == kKey0)
        selectedCell->value = SudokuCell::kEmpty;
    else
        return;  // modifiers, Tab, arrows and other keys leave the cell alone
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

// One grade step per 18 seconds for each cell to fill (three minutes for ten cells) plus the
// share of conflicting inputs; a grid left early adds five steps times the share of cells still
// empty or in conflict.
void KG_Sudoku9x9::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList KG_Sudoku9x9::GradeTerms() const {
    const double secondsPerGrade = kSecondsPerCell * std::max(cellsToFill, 1);
    GradeTermList t;
    AddTerm(t, TermKind::kBase, 1.0);
    AddTerm(t, TermKind::kMistakes, static_cast<double>(errorCount) / cellsToFill, errorCount);
    AddTerm(t, TermKind::kTime, playTime / secondsPerGrade, playTime);
    if (state != kStateOver) {
        const int open = conflictCells.Count() + EmptyCellCount();
        const double share = static_cast<double>(open) / cellsToFill;
        AddTerm(t, TermKind::kCellsOpen, std::clamp(share, 0.0, 1.0) * 5.0, open);
    }
    return CloseTerms(std::move(t));
}

// Steps are cells filled, about six seconds each to find the digit; a mistake is a wrong input.
PlayShape KG_Sudoku9x9::ShapeOfPlay() { return {cellsToFill, 6.0, true}; }

void KG_Sudoku9x9::SetPlayedResult(const PlayedResult& r) {
    int filled = 0;
    for (auto& column : cells)
        for (SudokuCell& c : column)
            if (!c.given) c.value = filled++ < r.done ? 1 : SudokuCell::kEmpty;  // no conflict is checked
    conflictCells.Clear(false);
    errorCount = r.wrong;
    EndPlayed(r);
}

std::vector<KeyPlace> KG_Sudoku9x9::KeyPlaces() {
    std::vector<KeyPlace> places;
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c) {
            const SudokuCell& cell = cells[c][r];
            const float half = static_cast<float>(cell.size / 2);
            places.push_back(PlaceAround(cell.position.x + half, cell.position.y + half, half));
        }
    return places;
}

// Digits go where the cursor is; a given cell takes none.
void KG_Sudoku9x9::OnKeyCursorMoved(int x, int y) {
    if (!Playing()) return;
    selectedCell = nullptr;
    for (int c = 0; c < kSide; ++c)
        for (int r = 0; r < kSide; ++r)
            if (!cells[c][r].given && cells[c][r].Contains(x, y)) selectedCell = &cells[c][r];
}
