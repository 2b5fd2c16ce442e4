#include "games/KG_Sudoku9x9/SudokuSolver.h"

#include <bit>

namespace {
constexpr unsigned kAllDigits = 0x3FE;  // bits 1..9

struct Search {
    int cell[81];  // digit or 0, index column * 9 + row
    unsigned column[9] = {}, row[9] = {}, box[9] = {};
    int limit = 1;
    int found = 0;

    static int BoxOf(int c, int r) { return c / 3 * 3 + r / 3; }

    void Place(int i, int d, bool on) {
        const unsigned bit = 1u << d;
        const int c = i / 9, r = i % 9;
        column[c] ^= bit;
        row[r] ^= bit;
        box[BoxOf(c, r)] ^= bit;
        cell[i] = on ? d : 0;
    }

    // Fills the empty cell with the fewest candidates first.
    void Run() {
        int best = -1;
        unsigned bestFree = 0;
        int bestCount = 10;
        for (int i = 0; i < 81; ++i) {
            if (cell[i] != 0) continue;
            const int c = i / 9, r = i % 9;
            const unsigned free = kAllDigits & ~(column[c] | row[r] | box[BoxOf(c, r)]);
            const int count = std::popcount(free);
            if (count < bestCount) {
                best = i, bestFree = free, bestCount = count;
                if (count <= 1) break;
            }
        }
        if (best < 0) {
            ++found;
            return;
        }
        for (unsigned free = bestFree; free != 0 && found < limit; free &= free - 1) {
            const int d = std::countr_zero(free);
            Place(best, d, true);
            Run();
            Place(best, d, false);
        }
    }
};
}  // namespace

int CountSudokuSolutions(const int grid[9][9], int limit) {
    Search s;
    s.limit = limit;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            const int v = grid[c][r];
            s.cell[c * 9 + r] = 0;
            if (v < 1 || v > 9) continue;
            const unsigned bit = 1u << v;
            const int b = Search::BoxOf(c, r);
            if ((s.column[c] | s.row[r] | s.box[b]) & bit) return 0;  // a digit twice: no solution
            s.Place(c * 9 + r, v, true);
        }
    s.Run();
    return s.found;
}
