#pragma once
// Classic 9x9 Sudoku: a complete grid drawn at random, with 10, 20 or 30 cells emptied by level
// so that exactly one solution remains. The player selects an empty cell with the mouse and types a
// digit; conflicting digits turn red, and the game ends when the grid is full and free of
// conflicts.
#include "framework/Knobel_Game.h"
#include "framework/LockedList.h"
#include "games/KG_Sudoku9x9/SudokuCell.h"

class KG_Sudoku9x9 : public Knobel_Game {
public:
    static constexpr int kSide = 9;
    // A grade step per this many seconds for each cell to fill (ten cells allow three minutes).
    static constexpr double kSecondsPerCell = 18.0;

    explicit KG_Sudoku9x9(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_Sudoku9x9(int level, unsigned seed);
    ~KG_Sudoku9x9() override;

    void OnLButtonUp(uint16_t x, uint16_t y) override;
    void OnKeyUp(uint16_t key) override;
    void Update() override;
    void Render() override;

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;

    // Empties `count` cells of the grid, taken in a random order and each only while the puzzle
    // keeps exactly one solution; false when the order ran out first.
    static bool EmptyUniquely(int grid[kSide][kSide], int count);
    // Marks every cell that repeats a digit in its row, column or box, and sets solved and
    // conflictFree.
    void CheckBoard();
    int EmptyCellCount() const;

    int errorCount = 0;
    int inputCount = 0;
    int cellsToFill = 10;
    SudokuCell* selectedCell = nullptr;
    SudokuCell cells[kSide][kSide];
    LockedList<SudokuCell> conflictCells;  // does not own its cells
    bool solved = false;
    bool conflictFree = true;

private:
    void CheckGroup(SudokuCell* group[kSide]);

public:
    GradeTermList GradeTerms() const override;
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 359; }
    std::vector<KeyPlace> KeyPlaces() override;
    // Space stays the key that empties a cell; the cursor's cell is the selected one.
    bool CursorTakesKey(uint16_t key) const override { return key != kKeySpace && Knobel_Game::CursorTakesKey(key); }
    void OnKeyCursorMoved(int x, int y) override;
};
