#include "games/KG_Sudoku9x9/SudokuSolver.h"

#include <bit>
#include <cstdlib>
#include <utility>

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

    // The empty cell with the fewest candidates, or -1 when the grid is full.
    int Fewest(unsigned& bestFree) const {
        int best = -1, bestCount = 10;
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
        return best;
    }

    // Fills the empty cell with the fewest candidates first.
    void Run() {
        unsigned bestFree = 0;
        const int best = Fewest(bestFree);
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

    // The first completion found, the candidates of each cell in a random order; kept.
    bool Fill() {
        unsigned free = 0;
        const int best = Fewest(free);
        if (best < 0) return true;
        int digits[9], n = 0;
        for (; free != 0; free &= free - 1) digits[n++] = std::countr_zero(free);
        for (int i = n - 1; i > 0; --i) std::swap(digits[i], digits[std::rand() % (i + 1)]);
        for (int i = 0; i < n; ++i) {
            Place(best, digits[i], true);
            if (Fill()) return true;
            Place(best, digits[i], false);
        }
        return false;
    }

    // Takes the given digits; false when one repeats in a row, column or box.
    bool Load(const int grid[9][9]) {
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const int v = grid[c][r];
                cell[c * 9 + r] = 0;
                if (v < 1 || v > 9) continue;
                if ((column[c] | row[r] | box[BoxOf(c, r)]) & (1u << v)) return false;
                Place(c * 9 + r, v, true);
            }
        return true;
    }
};
}  // namespace

int CountSudokuSolutions(const int grid[9][9], int limit) {
    Search s;
    s.limit = limit;
    if (!s.Load(grid)) return 0;
    s.Run();
    return s.found;
}

bool FillSudokuAtRandom(int grid[9][9]) {
    Search s;
    if (!s.Load(grid) || !s.Fill()) return false;
    for (int i = 0; i < 81; ++i) grid[i / 9][i % 9] = s.cell[i];
    return true;
}
