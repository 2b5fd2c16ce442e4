// The games of the game table played at every level to their result page with keys alone,
// through the menu's key input: the keyboard cursor is steered to what a player would click,
// pieces are carried with the arrows, digits typed; no mouse event is sent. Each game's own
// state tells the player what to do. (The typed-answer games take keys as ever.)
#include <cmath>
#include <cstdlib>
#include <functional>

#include "games/KG_CrazyQuader/KG_CrazyQuader.h"
#include "games/KG_Gedaechtnis/KG_Gedaechtnis.h"
#include "games/KG_MMaster/KG_MMaster.h"
#include "games/KG_Memory/KG_Memory.h"
#include "games/KG_Ordo/KG_Ordo.h"
#include "games/KG_Quadrat_addieren/KG_Quadrat_addieren.h"
#include "games/KG_Quadrat_merken/KG_Quadrat_merken.h"
#include "games/KG_Sudoku9x9/KG_Sudoku9x9.h"
#include "games/KG_Sudoku9x9/SudokuSolver.h"
#include "games/KG_Waage_Game_Fruechte/KG_Waage_Game_Fruechte.h"
#include "games/KG_Wechselgeld_Game/KG_Wechselgeld_Game.h"
#include "games/KG_Wechselgeld_Game/MoneyTable.h"
#include "games/KG_Zahlen_klicken/KG_Zahlen_klicken.h"
#include "games/LightsOutSolver.h"
#include "games/PlayThroughSupport.h"
#include "games/RegisteredGames.h"

namespace {
using playthrough::H;
using playthrough::W;

class KeyPlayTest : public playthrough::MenuPlayTest, public ::testing::WithParamInterface<GameCase> {
protected:
    Knobel_Game& Game() { return *menu->game; }
    bool Over() { return menu->game == nullptr || menu->game->GetState() != kStatePlaying; }
    void Press(uint16_t key, double seconds = 0.02) { menu->OnKeyDown(key), menu->OnKeyUp(key), Frame(seconds); }
    void Wait(const std::function<bool()>& busy) { for (int i = 0; i < 400 && !Over() && busy(); ++i) Frame(0.1); }
    // Arrows until the cursor is on the place that `wanted` picks, each the first of a shortest
    // way there (breadth-first over the moves of the arrows and Tab); false when there is none.
    bool Steer(const std::function<bool(const KeyPlace&)>& wanted) {
        const uint16_t arrows[5] = {kKeyLeft, kKeyRight, kKeyUp, kKeyDown, kKeyTab};
        for (int i = 0; i < 150; ++i) {
            const std::vector<KeyPlace> places = Game().KeyPlaces();
            if (places.empty() || !Game().KeyCursor().placed) {
                Press(kKeyDown);  // the first arrow shows the cursor
                continue;
            }
            const int at = PlaceAt(places, Game().KeyCursor().x, Game().KeyCursor().y);
            if (wanted(places[at])) return true;
            std::vector<int> firstStep(places.size(), -1);
            std::vector<int> queue{at};
            firstStep[at] = 0;
            int goal = -1;
            for (size_t q = 0; q < queue.size() && goal < 0; ++q)
                for (int d = 0; d < 5; ++d) {
                    const KeyPlace& from = places[queue[q]];
                    const int n = d == 4 ? (queue[q] + 1) % static_cast<int>(places.size())
                                         : NextPlace(places, from.x, from.y, static_cast<KeyDirection>(d));
                    if (n < 0 || firstStep[n] >= 0) continue;
                    firstStep[n] = queue[q] == at ? d : firstStep[queue[q]];
                    queue.push_back(n);
                    if (wanted(places[n]) && goal < 0) goal = n;
                }
            if (goal < 0) return false;
            Press(arrows[firstStep[goal]]);
        }
        return false;
    }
    void Act() { Press(Game().CursorTakesKey(kKeySpace) ? kKeySpace : kKeyReturn); }
    // A click by keys on the place that holds the point.
    void ClickAt(float x, float y) {
        auto holds = [&](const KeyPlace& p) {
            return p.area.left <= x && x <= p.area.right && p.area.top <= y && y <= p.area.bottom;
        };
        ASSERT_TRUE(Steer(holds)) << "no way to (" << x << ", " << y << ")";
        Act();
    }
    // Picks up the piece whose place is centred nearest (x, y), carries it by (dx, dy), puts it down.
    void Carry(float x, float y, int dx, int dy) {
        auto distance = [&](const KeyPlace& p) { return std::hypot((p.area.left + p.area.right) / 2.0f - x, (p.area.top + p.area.bottom) / 2.0f - y); };
        ASSERT_TRUE(Steer([&](const KeyPlace& p) {  // the nearest, as pieces may still glide
            for (const KeyPlace& other : Game().KeyPlaces())
                if (distance(other) < distance(p)) return false;
            return distance(p) < 30;
        })) << "nothing to pick up at (" << x << ", " << y << ")";
        Press(kKeySpace);
        ASSERT_TRUE(Game().KeyCursor().carrying);
        const int toX = Game().KeyCursor().x + dx, toY = Game().KeyCursor().y + dy;
        for (int i = 0; i < 300; ++i) {
            const int ex = toX - Game().KeyCursor().x, ey = toY - Game().KeyCursor().y;
            if (std::abs(ex) <= 1 && std::abs(ey) <= 1) break;
            const bool across = std::abs(ex) > 1;
            app->shiftHeld = std::abs(across ? ex : ey) < 24;  // fine steps near the goal
            Press(across ? (ex < 0 ? kKeyLeft : kKeyRight) : (ey < 0 ? kKeyUp : kKeyDown));
        }
        app->shiftHeld = false;
        Press(kKeySpace);
    }

    void PlaySudoku(KG_Sudoku9x9& g) {  // the one solution, typed cell by cell
        int grid[9][9];
        for (int i = 0; i < 81; ++i) grid[i / 9][i % 9] = g.cells[i / 9][i % 9].value;
        ASSERT_TRUE(FillSudokuAtRandom(grid));
        for (int i = 0; i < 81; ++i)
            if (SudokuCell& cell = g.cells[i / 9][i % 9]; !cell.given) {
                ClickAt(cell.position.x + 25, cell.position.y + 25);
                Press(static_cast<uint16_t>('0' + grid[i / 9][i % 9]));
            }
    }
};

TEST_P(KeyPlayTest, PlaysToTheResultPageWithKeysAlone) {
    const int index = GetParam().index, level = GetParam().level;
    if (index == 0 || index == 2 || index == 3 || index == 10 || index == 12) GTEST_SKIP() << "not played here";
    app->keyboardPlay = false;
    menu->level = level;
    menu->StartGame(index);
    for (int i = 0; i < 100 && menu->game != nullptr && !menu->game->running; ++i) Frame(0.1);
    ASSERT_TRUE(menu->game != nullptr && menu->game->running);
    Frame(1.0);
    if (auto* g = dynamic_cast<KG_CrazyQuader*>(menu->game)) {
        std::vector<uint64_t> masks;
        for (PatternGrid* p : g->pieces) masks.push_back(p->Mask());
        std::vector<int> solution;
        ASSERT_TRUE(lightsout::Solve(masks, g->working->Mask(), solution));
        for (int piece : solution) ClickAt(g->pieces.Get(piece)->Bounds().left + 2, g->pieces.Get(piece)->Bounds().top + 2);
    }
    if (auto* g = dynamic_cast<KG_Gedaechtnis*>(menu->game))
        for (int i = 0; i < 100 && !Over(); ++i) {
            Wait([&] { return g->round.showing; });
            if (!Over()) ClickAt(g->Button(0)->centre.x, g->Button(0)->centre.y);
        }
    if (auto* g = dynamic_cast<KG_Memory*>(menu->game)) {
        std::vector<MemoryCard*> cards;
        for (MemoryCard* c : g->remainingCards) cards.push_back(c);
        for (size_t i = 0; i < cards.size(); ++i)
            for (size_t j = i + 1; j < cards.size() && !HasFailure(); ++j)
                if (cards[i]->SamePair(*cards[j])) ClickAt(cards[i]->centre.x, cards[i]->centre.y), ClickAt(cards[j]->centre.x, cards[j]->centre.y);
    }
    if (auto* g = dynamic_cast<KG_MMaster*>(menu->game)) {
        for (int colour : g->Code()) Press(static_cast<uint16_t>('1' + colour));
        Press(kKeyReturn);
    }
    if (auto* g = dynamic_cast<KG_Ordo*>(menu->game)) {
        for (auto& column : g->cells)
            for (BoxCell& cell : column)
                if (cell.atom) ClickAt(cell.position.x, cell.position.y);
        ClickAt(W / 2.0f, g->CheckButton().top + 10.0f);
    }
    if (auto* g = dynamic_cast<KG_Quadrat_merken*>(menu->game))
        for (int k = 0; k < g->patternCount && !Over(); ++k) {
            Wait([&] { return g->showing; });
            const GridLayout& l = g->answers.Get(k)->Layout();
            for (int c = 0; c < g->gridSize; ++c)
                for (int r = 0; r < g->gridSize; ++r)
                    if (g->models.Get(k)->IsLit(c, r)) ClickAt(l.TopLeft(c, r).x + l.squareSize / 2, l.TopLeft(c, r).y + l.squareSize / 2);
            Press(kKeyReturn);
        }
    if (auto* g = dynamic_cast<KG_Quadrat_addieren*>(menu->game))
        for (int i = 0; i < 100 && !Over() && !HasFailure(); ++i) {
            Wait([&] { return g->InFeedback(); });
            const Rect b = g->choices.Get(g->AnswerIndex())->Bounds();
            if (!Over()) ClickAt(b.left + 2, b.top + 2);
        }
    if (auto* g = dynamic_cast<KG_Sudoku9x9*>(menu->game)) PlaySudoku(*g);
    if (auto* g = dynamic_cast<KG_Waage_Game_Fruechte*>(menu->game))
        for (int i = 0; i < 100 && !Over() && !HasFailure(); ++i) {
            Wait([&] { return g->feedbackTime > 0.0 || g->balance == nullptr; });
            Frame(2.0);  // the fruit has come down
            if (Over()) break;
            std::vector<Weight*> floor;
            for (Weight* w : g->balance->floor) floor.push_back(w);
            unsigned mask = 0;
            for (int l = 0, r = 0; mask < (1u << floor.size()); ++mask) {
                l = g->balance->LeftSum(), r = g->balance->RightSum();
                for (size_t k = 0; k < floor.size(); ++k) (mask >> k & 1 ? l : r) += floor[k]->grams;
                if (l == r) break;
            }
            for (size_t k = 0; k < floor.size() && g->feedbackTime <= 0.0 && g->balance->floor.Contains(floor[k]); ++k) {
                const Rect b = floor[k]->Bounds();
                const float x = (b.left + b.right) / 2.0f, y = (b.top + b.bottom) / 2.0f;
                Carry(x, y, static_cast<int>(((mask >> k & 1) ? W / 2 - 100.0f : W / 2 + 100.0f) - x), static_cast<int>(300 - y));
            }
            Frame(0.5);
        }
    if (auto* g = dynamic_cast<KG_Wechselgeld_Game*>(menu->game))
        for (int i = 0; i < 100 && !Over() && !HasFailure(); ++i) {
            Wait([&] { return g->InVerdict(); });
            if (Over()) break;
            const money::Area a = g->changeTray->PieceArea();
            int n = 0;
            for (int cents : money::GreedySplit(g->Change(), g->setup.denominationCount)) {
                MoneySource* s = nullptr;
                for (MoneySource* m : g->sources) s = m->value == cents ? m : s;
                Carry(s->centre.x, s->centre.y, static_cast<int>(a.left + 45 + 50.0f * (n % 9) - s->centre.x),
                      static_cast<int>(a.top + 45 + 60.0f * (n / 9 % 2) - s->centre.y));
                ++n;
            }
            Frame(0.6);
            ClickAt(W / 2.0f, H / 2.0f);
        }
    if (auto* g = dynamic_cast<KG_Zahlen_klicken*>(menu->game))
        for (int i = 0; i < 1000 && !Over() && !HasFailure(); ++i) {
            Wait([&] { return g->pauseTimer > 0; });
            if (!Over()) ClickAt(g->tiles.Get(0)->centre.x, g->tiles.Get(0)->centre.y);
        }
    ASSERT_NE(menu->game, nullptr);
    Wait([] { return true; });  // a game may show its end a moment before it is over
    EXPECT_TRUE(menu->game->GetState() == kStateOver || menu->game->GetState() == kStateOverOther) << "not played to its end";
    WaitForResultPage();
    std::printf("[ keys     ] game %2d level %d: grade %.1f\n", index, level, menu->game ? menu->game->GetGrade() : 0.0);
}

INSTANTIATE_TEST_SUITE_P(EveryGame, KeyPlayTest, ::testing::ValuesIn(BuiltGames()), CaseName);
}  // namespace
