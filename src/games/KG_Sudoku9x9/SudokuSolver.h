#pragma once
// Counts the solutions of a 9x9 Sudoku, for making puzzles with exactly one.

// grid is indexed [column][row]; an empty cell holds any value outside 1..9. Counting stops
// once `limit` solutions are found, so CountSolutions(grid, 2) == 1 tells a unique puzzle.
// The grid is left as it was.
int CountSudokuSolutions(const int grid[9][9], int limit);
