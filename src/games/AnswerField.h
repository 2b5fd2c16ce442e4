#pragma once
// The answer field of the games that take typed answers, and the right answer shown on it
// after a wrong one. The field is the plain number field of misc1 widened to the text: its
// rounded ends keep their size and only the middle is stretched.
#include <string>
#include <utility>
#include <vector>

#include "framework/Types.h"

struct Font;

namespace answerfield {

constexpr Rect kRegion{100, 450, 150, 500};
constexpr int kEndWidth = 10;

// Draws the field centred on the point, 50 * stretch pixels wide (stretch below 1 counts as 1)
// and 50 high.
void Draw(Vec2 centre, float stretch);
// The right answer after a wrong one, in light red with a thin dark edge so that it reads on
// the field and on the backdrop alike.
void DrawWrongAnswer(const std::string& text, Vec2 centre, Font* font);

// One line of text in pieces of their own colours, side by side and centred together on the
// point.
void DrawPieces(const std::vector<std::pair<std::string, Color>>& pieces, Vec2 centre, Font* font);

// A wrong typed answer beside the field: a cross, then the text struck through, ending at
// rightEnd (its vertical middle).
void DrawStruckAnswer(const std::string& text, Vec2 rightEnd, Font* font);

}  // namespace answerfield
