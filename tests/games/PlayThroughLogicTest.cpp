// Code breaking, the sliding puzzle and the atom box played from the main menu to the top-ten
// list, driven like the window procedure drives the menu: each game's own state (the code, the
// tiles, the atoms) tells the test where to drag and click.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <queue>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/TextFormat.h"
#include "games/KG_MMaster/KG_MMaster.h"
#include "games/KG_Ordo/KG_Ordo.h"
#include "games/KG_Schiebe_Puzzle/KG_Schiebe_Puzzle.h"
#include "games/PlayThroughSupport.h"
#include "gui/MainMenu.h"
#include "platform/Renderer.h"
#include "platform/Texture.h"

namespace {
constexpr int kMMasterIndex = 6;
constexpr int kOrdoIndex = 7;
constexpr int kPuzzleIndex = 10;
using playthrough::Tokens;
using playthrough::ValueAfter;

class PlayThroughLogicTest : public playthrough::MenuPlayTest {
protected:
    void MoveMouse(Vec2 p) {
        app->prevMouseX = app->mouseX;
        app->prevMouseY = app->mouseY;
        app->mouseX = static_cast<int>(std::lround(p.x));
        app->mouseY = static_cast<int>(std::lround(p.y));
        menu->OnMouseMove(static_cast<uint16_t>(app->mouseX), static_cast<uint16_t>(app->mouseY));
    }
    void ClickAt(Vec2 p) { Click(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))); }
    // Button down on one point, the pointer moved in three steps, button up on the other.
    void Drag(Vec2 from, Vec2 to) {
        MoveMouse(from);
        menu->OnLButtonDown(static_cast<uint16_t>(app->mouseX), static_cast<uint16_t>(app->mouseY));
        Frame();
        for (int s = 1; s <= 3; ++s) {
            MoveMouse(Vec2{from.x + (to.x - from.x) * s / 3, from.y + (to.y - from.y) * s / 3});
            Frame();
        }
        menu->OnLButtonUp(static_cast<uint16_t>(app->mouseX), static_cast<uint16_t>(app->mouseY));
        Frame(0.3);
    }

    // One row that holds no colour of the code, then the code itself.
    void BreakCode(KG_MMaster& game) {
        const std::vector<int> code = game.Code();
        int missing = 0;
        while (std::find(code.begin(), code.end(), missing) != code.end()) ++missing;
        for (const std::vector<int>& guess : {std::vector<int>(code.size(), missing), code}) {
            const int row = game.currentRow;
            for (size_t k = 0; k < guess.size(); ++k) {
                Peg* peg = nullptr;
                for (Peg* p : game.palette)
                    if (p->colour == guess[k]) peg = p;
                ASSERT_NE(peg, nullptr);
                Drag(peg->position, game.HolePosition(row, static_cast<int>(k)));
                ASSERT_EQ(game.Row(row)->Get(static_cast<int>(k))->Colour(), guess[k]);
            }
            ClickAt(game.KeyBoardPosition(row));
            ASSERT_EQ(game.currentRow, row + 1);
        }
        EXPECT_TRUE(game.won);
        EXPECT_EQ(game.keyBoards.Get(1)->blackCount, static_cast<int>(code.size()));
    }

    // Shortest sequence of hole cells (breadth-first over the arrangements of a 3 x 3 board).
    static std::vector<int> SolvePuzzle(const PuzzleBoard& b) {
        using State = std::array<int8_t, 9>;
        State start{};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) start[j * 3 + i] = static_cast<int8_t>(b.At(i, j).homeRow * 3 + b.At(i, j).homeCol);
        State goal{};
        for (int k = 0; k < 9; ++k) goal[k] = static_cast<int8_t>(k);
        std::map<State, std::pair<State, int>> from;  // state -> (previous state, cell clicked)
        std::queue<State> open;
        open.push(start);
        from[start] = {start, -1};
        while (!open.empty()) {
            State s = open.front();
            open.pop();
            if (s == goal) break;
            int hole = 0;
            while (s[hole] != 8) ++hole;
            const int hc = hole % 3, hr = hole / 3;
            for (auto [dc, dr] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int c = hc + dc, r = hr + dr;
                if (c < 0 || r < 0 || c > 2 || r > 2) continue;
                State t = s;
                std::swap(t[hole], t[r * 3 + c]);
                if (from.count(t)) continue;
                from[t] = {s, r * 3 + c};
                open.push(t);
            }
        }
        std::vector<int> clicks;
        for (State s = goal; from.at(s).second >= 0; s = from.at(s).first) clicks.insert(clicks.begin(), from.at(s).second);
        return clicks;
    }

    void SolveAtoms(KG_Ordo& game) {
        // A real shot first, then every atom marked.
        ClickAt(game.ProbeAt(-1, 0)->position);
        EXPECT_EQ(game.shotCount, 1);
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y)
                if (game.cells[x][y].atom) ClickAt(game.cells[x][y].position);
        EXPECT_EQ(game.markCount, game.atomCount);
        const Rect b = game.CheckButton();
        Click((b.left + b.right) / 2, (b.top + b.bottom) / 2);
        EXPECT_TRUE(game.checked);
        EXPECT_TRUE(game.correct);
    }

    void FinishWithName(const char* file, double grade) {
        Frame();
        EXPECT_TRUE(FrameShows(FormatText(app->GetText(50), grade)));
        EnterName();
        EXPECT_EQ(menu->currentPage, kPageGameList);
        EXPECT_EQ(app->runState, 0);
        ExpectOneTopTenLine(file, "Ann_7", grade);
    }
};
}  // namespace

TEST_F(PlayThroughLogicTest, AllThreeSolvedFromTheMenuIntoTheirTopTenAndTheTotals) {
    StartFromMenu(kMMasterIndex);
    auto* mm = dynamic_cast<KG_MMaster*>(menu->game);
    ASSERT_NE(mm, nullptr);
    Frame(0.5);  // the palette fills from the bottom of the screen...
    Frame(0.5);  // ...and its pegs move to their places
    BreakCode(*mm);
    WaitForResultPage();
    EXPECT_EQ(mm->GetState(), kStateOver);
    const double mmGrade = mm->GetGrade();
    EXPECT_DOUBLE_EQ(mmGrade, 1.0 + mm->GetPlayTime() / 200.0);
    FinishWithName("mindmaster.sav", mmGrade);

    StartFromMenu(kPuzzleIndex);
    auto* puzzle = dynamic_cast<KG_Schiebe_Puzzle*>(menu->game);
    ASSERT_NE(puzzle, nullptr);
    Frame(1.0);
    const std::vector<int> clicks = SolvePuzzle(puzzle->board);
    ASSERT_FALSE(clicks.empty());
    for (int cell : clicks) {
        const PuzzleTile& t = puzzle->board.At(cell % 3, cell / 3);
        ClickAt(Vec2{t.target.x + t.size.x / 2, t.target.y + t.size.y / 2});
        Frame(0.5);
    }
    EXPECT_EQ(puzzle->moves, static_cast<int>(clicks.size()));
    EXPECT_EQ(puzzle->invalidClicks, 0);
    WaitForResultPage();
    EXPECT_EQ(puzzle->GetState(), kStateOver);
    const double puzzleGrade = puzzle->GetGrade();
    EXPECT_DOUBLE_EQ(puzzleGrade, std::max(static_cast<int>(clicks.size()) - 50, 0) / 100.0 + 1.0 +
                                      puzzle->GetPlayTime() / 240.0);
    Frame();
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(27), static_cast<int>(clicks.size()))));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(29), 50)));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(28), 0)));
    FinishWithName("puzzle.sav", puzzleGrade);

    StartFromMenu(kOrdoIndex);
    auto* ordo = dynamic_cast<KG_Ordo*>(menu->game);
    ASSERT_NE(ordo, nullptr);
    Frame(2.0);
    SolveAtoms(*ordo);
    WaitForResultPage();
    EXPECT_EQ(ordo->GetState(), kStateOver);
    const double ordoGrade = ordo->GetGrade();
    EXPECT_DOUBLE_EQ(ordoGrade, 1.0 + ordo->GetPlayTime() / (50.0 * ordo->atomCount));
    EXPECT_NEAR(ordo->GetPlayTime(), 2.0, 0.5);
    FinishWithName("thinkbox.sav", ordoGrade);

    ExpectTotals(EndProgramAndReadTotals(), {mmGrade, puzzleGrade, ordoGrade});
}

// At the hardest level: a five-peg code, eight atoms; the help key shows the box's own help.
TEST_F(PlayThroughLogicTest, CodeAndAtomsAtTheHardestLevel) {
    menu->level = 2;
    menu->StartGame(kMMasterIndex);
    for (int i = 0; i < 40 && !menu->game->running; ++i) Frame(0.1);
    auto* mm = dynamic_cast<KG_MMaster*>(menu->game);
    ASSERT_NE(mm, nullptr);
    ASSERT_EQ(mm->codeLength, 5);
    Frame(0.5);
    Frame(0.5);
    // A peg held when the help page opens is dropped, not lost.
    Peg* held = mm->palette.Get(0);
    MoveMouse(held->position);
    menu->OnLButtonDown(static_cast<uint16_t>(app->mouseX), static_cast<uint16_t>(app->mouseY));
    EXPECT_TRUE(mm->HoldsPiece());
    menu->OnKeyUp('H');
    EXPECT_EQ(mm->GetState(), kStatePaused);
    EXPECT_FALSE(mm->HoldsPiece());
    EXPECT_NE(mm->palette.IndexOf(held), -1);
    menu->OnLButtonUp(static_cast<uint16_t>(app->mouseX), static_cast<uint16_t>(app->mouseY));
    menu->OnKeyUp('H');
    EXPECT_EQ(mm->GetState(), kStatePlaying);
    Frame(0.3);
    BreakCode(*mm);
    WaitForResultPage();
    const double mmGrade = mm->GetGrade();
    FinishWithName("mindmaster.sav", mmGrade);

    menu->level = 2;
    menu->StartGame(kOrdoIndex);
    for (int i = 0; i < 40 && !menu->game->running; ++i) Frame(0.1);
    auto* ordo = dynamic_cast<KG_Ordo*>(menu->game);
    ASSERT_NE(ordo, nullptr);
    ASSERT_EQ(ordo->atomCount, 8);
    Texture misc2;  // a stand-in, so that the picture is recorded
    app->texMisc2 = &misc2;
    menu->OnKeyUp('H');
    Frame();
    app->texMisc2 = nullptr;
    std::string rules = app->GetText(131);
    rules.erase(0, rules.find_first_not_of(' '));
    EXPECT_TRUE(FrameShows(rules));
    bool picture = false;
    for (const DrawCommand& c : app->sprite->Commands())
        picture = picture || (c.kind == DrawCommand::kSprite && c.texture == &misc2 && c.src == Rect{0, 0, 300, 340});
    EXPECT_TRUE(picture);
    menu->OnKeyUp('H');
    Frame();
    SolveAtoms(*ordo);
    WaitForResultPage();
    FinishWithName("thinkbox.sav", ordo->GetGrade());
}
