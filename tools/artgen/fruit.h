#pragma once
// The fruit weights of the balance game.
#include "paint.h"

namespace art {
// Fruit picture 0..7 (cherries, strawberry, plum, apple, orange, pear, pineapple, melon) in a
// 100 x 100 box at the origin, standing on its bottom centre (50, 100).
void DrawFruit(cairo_t* cr, int picture);
}  // namespace art
