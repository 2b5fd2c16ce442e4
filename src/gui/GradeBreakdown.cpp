// "Why this grade?" on the result page: the terms the game's grade adds up, each with what it
// counts and what it adds, and the grade they make. F3 (always, also while a name is typed),
// W (while no name is typed) and the page's button switch between it and the result.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/GradeTerms.h"
#include "framework/Knobel_Game.h"
#include "framework/TextFormat.h"
#include "gui/MainMenu.h"
#include "gui/MenuLayout.h"
#include "platform/FontManager.h"

namespace {
constexpr Color kInk = 0xFF000000;
constexpr Color kLimitInk = 0xFF8A1C1C;  // a dark red for the limit, which the text also names
constexpr int kLineHeight = 25;
constexpr int kMaxLines = 8;  // no grade has more terms; more would leave the page

// "1.00" for the start, "+0.83" or "-0.40" for the rest.
std::string ShownValue(int hundredths, bool first) {
    const char* sign = first ? "" : hundredths < 0 ? "-" : "+";
    const int a = std::abs(hundredths);
    return FormatText("%s%d%s%02d", sign, a / 100, DecimalComma() ? "," : ".", a % 100);
}
}  // namespace

bool MainMenu::HandleGradeWhyKey(uint16_t key) {
    if (currentPage != kPageResult || game == nullptr) return false;
    if (key != kKeyF3 && !(key == kKeyW && !NameInputActive())) return false;
    showGradeWhy = !showGradeWhy;
    return true;
}

void MainMenu::PaintGradeWhyLabel(Vec2 pos, int w, int h, bool hovered) {
    const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
    const char* label = app->GetText(showGradeWhy ? kTextGradeWhyBack : kTextGradeWhy);
    fontManager->DrawTextRect(label, x + 4, y, x + w - 4, y + h, hovered ? 0xFFFF0000 : kInk,
                              kTextCenter | kTextVCenter | kTextWordBreak, smallFont);
}

// In the place of the result text: one line per term, the values in a column at the right,
// the grade below them.
void MainMenu::PaintGradeBreakdown(Vec2 pos, int w, int h) {
    if (game == nullptr) return;
    const GradeTermList terms = game->GradeTerms();
    const double grade = game->GetGrade();
    const std::vector<int> shown = ShownHundredths(terms, grade);
    const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
    const int left = x + 60, right = x + w - 85, valueLeft = right - 90;  // clear of the confetti at the edges
    const int lines = std::min(static_cast<int>(terms.size()), kMaxLines);
    const int bottom = gameEntry != nullptr ? y + h - 150 : y + h - 80;
    int top = y + 48 + std::max(0, (bottom - (y + 48) - (lines + 2) * kLineHeight) / 2);

    fontManager->DrawTextRect(app->GetText(kTextGradeWhy), left, top, right, top + kLineHeight, kInk,
                              kTextCenter | kTextVCenter, smallFont);
    top += kLineHeight + 4;
    for (int i = 0; i < lines; ++i) {
        const GradeTerm& t = terms[i];
        const Color ink = t.kind == TermKind::kLimit ? kLimitInk : kInk;
        const std::string label = TermLabel(app->GetText(kTextFirstTerm + static_cast<int>(t.kind)), t);
        fontManager->DrawTextRect(label.c_str(), left, top, valueLeft - 8, top + kLineHeight, ink,
                                  kTextLeft | kTextVCenter, smallFont);
        fontManager->DrawTextRect(ShownValue(shown[i], i == 0).c_str(), valueLeft, top, right, top + kLineHeight, ink,
                                  kTextRight | kTextVCenter, smallFont);
        top += kLineHeight;
    }
    const std::string total = FormatText(app->GetText(50), grade);
    fontManager->DrawTextRect(total.c_str(), left, top + 2, right, top + 2 + kLineHeight + 8, kInk,
                              kTextRight | kTextVCenter, buttonFont);
}
