#pragma once
// Classic 9x9 Sudoku: a complete grid built from a random order of the digits, with 10, 20
// or 30 cells emptied by level. The player selects an empty cell with the mouse and types a
// digit; conflicting digits turn red, and the game ends when the grid is full and free of
// conflicts.
#include "framework/Knobel_Game.h"
#include "framework/LockedList.h"
#include "games/KG_Sudoku9x9/SudokuCell.h"

class KG_Sudoku9x9 : public Knobel_Game {
public:
    static constexpr int kSide = 9;
    static constexpr double kSecondsPerGrade = 180.0;

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

    // The digits 1..9 in an order made by 20 random moves: a digit is taken out and put back
    // before another one (never at the very end).
    static void PermuteDigits(int digits[kSide]);
    // The complete valid grid, indexed [column][row], that the order of digits yields.
    static void FillGrid(const int digits[kSide], int grid[kSide][kSide]);
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
};
