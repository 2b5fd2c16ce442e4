#pragma once
// Counts the solutions of a 9x9 Sudoku, for making puzzles with exactly one.

// grid is indexed [column][row]; an empty cell holds any value outside 1..9. Counting stops
// once `limit` solutions are found, so CountSolutions(grid, 2) == 1 tells a unique puzzle.
// The grid is left as it was.
int CountSudokuSolutions(const int grid[9][9], int limit);

// Fills every empty cell of a grid without conflicts, trying the digits of each cell in an
// order drawn with rand(): from an empty grid, a complete grid drawn from all there are.
// False (grid unchanged) when the given digits cannot be completed.
bool FillSudokuAtRandom(int grid[9][9]);
