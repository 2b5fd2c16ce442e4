#pragma once
// One square of the Sudoku grid: a given digit of the puzzle or a field the player fills.
#include "framework/Types.h"

struct AppContext;

class SudokuCell {
public:
    static constexpr int kEmpty = -1;

    SudokuCell();

    // Edges included: a click on the line between two cells hits both.
    bool Contains(int x, int y) const;
    bool IsEmpty() const { return value == kEmpty; }
    // The field, tinted light blue when selected, and its digit centred on it: red while the cell
    // takes part in a conflict, dark grey for a given digit, black for the player's own.
    void Draw(bool selected) const;

    bool given = true;
    AppContext* app = nullptr;
    bool valid = true;
    int value = kEmpty;
    Vec2 position;
    double size = 50.0;
};
