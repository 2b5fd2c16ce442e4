#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "games/KG_Schiebe_Puzzle/KG_Schiebe_Puzzle.h"
#include "GameTestSupport.h"

namespace {
class FilelessPuzzle : public KG_Schiebe_Puzzle {
public:
    FilelessPuzzle(int level, unsigned seed) : KG_Schiebe_Puzzle(level, seed) { WithoutFile(*this); }
};

// Whether the arrangement can be slid back: the parity of the tiles' permutation (the hole
// counted as a tile) equals the parity of the hole's distance from its home cell.
bool Solvable(const PuzzleBoard& b) {
    const int n = b.Side();
    std::vector<int> perm;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) perm.push_back(b.At(i, j).homeRow * n + b.At(i, j).homeCol);
    int inversions = 0;
    for (size_t a = 0; a < perm.size(); ++a)
        for (size_t c = a + 1; c < perm.size(); ++c)
            if (perm[a] > perm[c]) ++inversions;
    int hc = 0, hr = 0;
    b.HoleCell(hc, hr);
    const int distance = (n - 1 - hc) + (n - 1 - hr);
    return inversions % 2 == distance % 2;
}

// The centre of the board cell (i, j) as laid out.
Vec2 CellCentre(const PuzzleBoard& b, int i, int j) {
    const PuzzleTile& t = b.At(i, j);
    return {t.target.x + t.size.x / 2, t.target.y + t.size.y / 2};
}

class SlidingPuzzleTest : public GameTest {
protected:
    static void Click(KG_Schiebe_Puzzle& g, Vec2 p) {
        g.OnLButtonUp(static_cast<uint16_t>(std::lround(p.x)), static_cast<uint16_t>(std::lround(p.y)));
    }
    // A fresh solved board of side n laid out at (100, 100).
    static PuzzleBoard Solved(int n) {
        PuzzleBoard b;
        b.Build(n, 0, Vec2{100, 100}, KG_Schiebe_Puzzle::TileSizeOf(n));
        return b;
    }
};
}  // namespace

TEST_F(SlidingPuzzleTest, LevelsAndLayout) {
    const int sides[] = {3, 4, 5}, steps[] = {50, 100, 150}, sizes[] = {130, 97, 77};
    for (int level = 0; level < 3; ++level) {
        FilelessPuzzle g(level, 7);
        EXPECT_EQ(g.gridSize, sides[level]);
        EXPECT_EQ(g.shuffleSteps, steps[level]);
        EXPECT_EQ(KG_Schiebe_Puzzle::TileSizeOf(g.gridSize), sizes[level]);
        EXPECT_EQ(g.state, kStatePlaying);
        EXPECT_EQ(g.moves, 0);
        EXPECT_EQ(g.invalidClicks, 0);
        const float ts = static_cast<float>(sizes[level]);
        for (int i = 0; i < g.gridSize; ++i)
            for (int j = 0; j < g.gridSize; ++j) {
                const PuzzleTile& m = g.model.At(i, j);
                EXPECT_TRUE(m.AtHome(i, j));
                EXPECT_EQ(m.position, (Vec2{532 + (ts + 3) * i, 184 + (ts + 3) * j}));
                EXPECT_EQ(m.isHole, i == g.gridSize - 1 && j == g.gridSize - 1);
                // The board's cell places are the model's, 440 pixels to the left.
                const PuzzleTile& t = g.board.At(i, j);
                EXPECT_EQ(t.target, (Vec2{92 + (ts + 3) * i, 184 + (ts + 3) * j}));
                EXPECT_EQ(t.picture, m.picture);
            }
    }
}

// Over many seeds per level the shuffled board can be solved, is never solved already, and the
// hole's walk never goes straight back.
TEST_F(SlidingPuzzleTest, ShufflesAreSolvableNeverSolvedAndNeverUndoTheLastStep) {
    for (int level = 0; level < 3; ++level) {
        for (unsigned seed = 0; seed < 300; ++seed) {
            FilelessPuzzle g(level, seed * 7919u + 1);
            ASSERT_FALSE(g.board.Solved()) << "level " << level << " seed " << seed;
            ASSERT_TRUE(Solvable(g.board)) << "level " << level << " seed " << seed;
            int holes = 0;
            for (int i = 0; i < g.gridSize; ++i)
                for (int j = 0; j < g.gridSize; ++j) holes += g.board.At(i, j).isHole ? 1 : 0;
            ASSERT_EQ(holes, 1);
        }
        std::srand(level + 5);
        PuzzleBoard b = Solved(KG_Schiebe_Puzzle::SideOfLevel(level));
        int last = b.LastDirection();
        const int reverse[] = {1, 0, 3, 2};
        for (int s = 0; s < 2000; ++s) {
            const int d = b.ShuffleStep([] { return std::rand(); });
            ASSERT_GE(d, 0);
            ASSERT_NE(d, reverse[last]) << "step " << s << " undid the one before";
            last = d;
        }
        EXPECT_TRUE(Solvable(b));
    }
}

// The generator that always gives 0 sends the hole round a 2 x 3 block; after five rounds (30
// steps) the picture is whole again. Such a shuffle is shuffled on.
TEST_F(SlidingPuzzleTest, AShuffleThatEndsSolvedIsShuffledOn) {
    auto zero = [] { return 0; };
    PuzzleBoard walk = Solved(3);
    for (int s = 0; s < 30; ++s) walk.ShuffleStep(zero);
    EXPECT_TRUE(walk.Solved()) << "the walk itself returns to the solved picture";

    PuzzleBoard b = Solved(3);
    b.Shuffle(30, zero);
    EXPECT_FALSE(b.Solved());
    EXPECT_TRUE(Solvable(b));

    // Shuffled on with the real generator, it ends at once.
    int calls = 0;
    PuzzleBoard c = Solved(3);
    c.Shuffle(30, [&calls] { return calls++ < 300 ? 0 : std::rand(); });
    EXPECT_FALSE(c.Solved());
    EXPECT_TRUE(Solvable(c));
}

TEST_F(SlidingPuzzleTest, SlidesNeedTheHoleAndStayOnTheBoard) {
    PuzzleBoard b = Solved(3);
    // The hole is at the bottom-right corner.
    EXPECT_TRUE(b.SlideAllowed(2, 2, 1, 2));
    EXPECT_TRUE(b.SlideAllowed(1, 2, 2, 2));
    EXPECT_TRUE(b.SlideAllowed(2, 1, 2, 2));
    EXPECT_FALSE(b.SlideAllowed(2, 2, 3, 2));
    EXPECT_FALSE(b.SlideAllowed(2, 2, 2, 3));
    EXPECT_FALSE(b.SlideAllowed(0, 0, 1, 0)) << "neither cell is the hole";
    EXPECT_FALSE(b.SlideAllowed(-1, 0, 0, 0));
    EXPECT_FALSE(b.Slide(0, 0, 0, 1));
    EXPECT_TRUE(b.Solved());

    // Round the edges and corners: the hole goes up the right edge, along the top, down the left.
    const int path[][2] = {{2, 1}, {2, 0}, {1, 0}, {0, 0}, {0, 1}, {0, 2}, {1, 2}, {1, 1}};
    int hc = 2, hr = 2;
    for (const auto& p : path) {
        const Vec2 before = b.At(p[0], p[1]).target;
        const Vec2 holeAt = b.At(hc, hr).target;
        ASSERT_TRUE(b.Slide(p[0], p[1], hc, hr));
        EXPECT_TRUE(b.At(p[0], p[1]).isHole);
        EXPECT_EQ(b.At(p[0], p[1]).target, before) << "a cell keeps its screen place";
        EXPECT_EQ(b.At(hc, hr).target, holeAt);
        EXPECT_EQ(b.At(hc, hr).glideSpeed, 5.0);
        hc = p[0], hr = p[1];
        int c = 0, r = 0;
        b.HoleCell(c, r);
        EXPECT_EQ(c, hc);
        EXPECT_EQ(r, hr);
    }
    EXPECT_FALSE(b.Solved());
    EXPECT_EQ(b.CellsAway(), 9);
}

TEST_F(SlidingPuzzleTest, ClicksSlideATileBesideTheHoleAndCountTheRest) {
    FilelessPuzzle g(1, 12);
    g.Start();
    Step(g, 2.0);  // the tiles glide into the shuffled picture
    int hc = 0, hr = 0;
    g.board.HoleCell(hc, hr);
    // A tile not next to the hole: an invalid click, nothing moves.
    int fc = hc < 2 ? 3 : 0, fr = hr < 2 ? 3 : 0;
    const int homeCol = g.board.At(fc, fr).homeCol, homeRow = g.board.At(fc, fr).homeRow;
    Click(g, CellCentre(g.board, fc, fr));
    EXPECT_EQ(g.moves, 0);
    EXPECT_EQ(g.invalidClicks, 1);
    EXPECT_TRUE(g.board.At(fc, fr).AtHome(homeCol, homeRow));
    // ... but it shakes a moment, asking for frames meanwhile, and rests where it was.
    const Vec2 rest = g.board.At(fc, fr).position;
    Step(g, 0.1);
    EXPECT_NE(g.ShakeOffset(), 0.0f);
    EXPECT_EQ(g.SecondsUntilChange(), 0.0);
    RenderFrame(g);
    EXPECT_EQ(g.board.At(fc, fr).position, rest);
    Step(g, FilelessPuzzle::kShakeSeconds);
    EXPECT_GT(g.SecondsUntilChange(), 0.0);
    // Between the tiles (the 3-pixel gap) and beside the board: nothing at all.
    const PuzzleTile& corner = g.board.At(0, 0);
    Click(g, Vec2{corner.target.x + corner.size.x + 1.5f, corner.target.y + 10});
    Click(g, Vec2{20, 20});
    EXPECT_EQ(g.moves + g.invalidClicks, 1);
    // A neighbour of the hole slides in.
    const int nc = hc > 0 ? hc - 1 : hc + 1;
    const PuzzleTile moving = g.board.At(nc, hr);
    Click(g, CellCentre(g.board, nc, hr));
    EXPECT_EQ(g.moves, 1);
    EXPECT_TRUE(g.board.At(hc, hr).AtHome(moving.homeCol, moving.homeRow));
    EXPECT_TRUE(g.board.At(nc, hr).isHole);
    // Clicking the hole itself slides its first neighbour in (right, left, below, above).
    Step(g, 2.0);
    const int before = g.moves;
    Click(g, CellCentre(g.board, nc, hr));
    EXPECT_EQ(g.moves, before + 1);
    EXPECT_FALSE(g.board.At(nc, hr).isHole);
}

// While a tile glides into the hole, the invisible hole glides over it the other way. A click
// on the tile as drawn moves that tile, not a neighbour of the hole.
TEST_F(SlidingPuzzleTest, AClickOnAGlidingTileIsNotTakenByTheHole) {
    PuzzleBoard b = Solved(3);
    const Vec2 above = CellCentre(b, 2, 1);
    ASSERT_EQ(b.ClickAt(above.x, above.y), PuzzleBoard::Click::kSlid);
    ASSERT_TRUE(b.At(2, 1).isHole);
    b.GlideStep(0.1);  // half way: tile and hole cover the same place
    const PuzzleTile& tile = b.At(2, 2);
    ASSERT_TRUE(tile.AtHome(2, 1));
    const Vec2 mid{tile.position.x + tile.size.x / 2, tile.position.y + tile.size.y / 2};
    ASSERT_TRUE(b.At(2, 1).Contains(mid.x, mid.y)) << "the hole covers the point too";
    int c = 0, r = 0;
    ASSERT_TRUE(b.CellAt(mid.x, mid.y, c, r));
    EXPECT_EQ(c, 2);
    EXPECT_EQ(r, 2);
    EXPECT_EQ(b.ClickAt(mid.x, mid.y), PuzzleBoard::Click::kSlid);
    EXPECT_TRUE(b.Solved()) << "the tile went back; the left neighbour (1, 1) stayed";
}

TEST_F(SlidingPuzzleTest, SolvingEndsTheGameAndInputStops) {
    FilelessPuzzle g(0, 3);
    g.Start();
    Step(g, 1.0);
    EXPECT_EQ(g.state, kStatePlaying);
    // Put the tiles home by hand, as a solved board.
    g.board = g.model;
    Step(g, 0.5);
    EXPECT_EQ(g.state, kStateOver);
    EXPECT_DOUBLE_EQ(g.playTime, 1.0);
    const PuzzleTile corner = g.board.At(2, 1);
    Click(g, CellCentre(g.board, 2, 1));
    EXPECT_EQ(g.moves, 0);
    EXPECT_TRUE(g.board.Solved());
    Step(g, 1.0);
    EXPECT_EQ(g.state, kStateOver);
    EXPECT_DOUBLE_EQ(g.playTime, 1.0);
    (void)corner;
}

TEST_F(SlidingPuzzleTest, Grades) {
    FilelessPuzzle g(0, 4);
    g.state = kStateOver;
    g.moves = 60;  // ten beyond the shuffle's fifty
    g.playTime = 90.0;
    g.ComputeGrade();
    EXPECT_DOUBLE_EQ(g.grade, 1.475);
    g.invalidClicks = 5;
    g.ComputeGrade();
    EXPECT_DOUBLE_EQ(g.grade, 1.975);
    g.moves = 1000;
    g.ComputeGrade();
    EXPECT_EQ(g.grade, 6.0);
    // Left one slide short of the solve, fast but with many moves: never better than solving.
    g.board = g.model;
    ASSERT_TRUE(g.board.Slide(2, 2, 1, 2));
    g.invalidClicks = 0;
    g.state = kStateAborted;
    g.moves = 299;
    g.playTime = 59.0;
    g.ComputeGrade();
    const double early = g.grade;
    g.state = kStateOver;
    g.moves = 300;
    g.playTime = 60.0;
    g.ComputeGrade();
    EXPECT_LT(g.grade, early);
}

TEST_F(SlidingPuzzleTest, TilesAreCutFromTheirPictureWithoutTouchingItsBorder) {
    for (int level = 0; level < 3; ++level) {
        FilelessPuzzle g(level, 9);
        g.Start();
        const int n = g.gridSize, a = 200 / n, p = g.board.At(0, 0).picture;
        const auto frame = RenderFrame(g);
        std::vector<DrawCommand> sprites, slots;
        for (const DrawCommand& c : SpritesOf(frame, app->texMisc1))
            (c.src == Rect{550, 0, 600, 50} ? slots : sprites).push_back(c);
        ASSERT_EQ(sprites.size(), static_cast<size_t>(4 * (n * n - 1))) << "board and model, each with its shadow";
        // Under the hole of each board a recess is drawn first, cell-sized.
        ASSERT_EQ(slots.size(), 2u);
        EXPECT_TRUE(frame[0] == slots[0] && frame[1] == slots[1]);
        int hc = 0, hr = 0;
        g.board.HoleCell(hc, hr);
        EXPECT_EQ(slots[0].transform[4], g.board.At(hc, hr).target.x);
        EXPECT_EQ(slots[1].transform[4], g.model.At(n - 1, n - 1).target.x);
        EXPECT_NEAR(slots[0].transform[0] * 50, KG_Schiebe_Puzzle::TileSizeOf(n), 1e-3);
        for (size_t s = 0; s < sprites.size(); s += 2) {
            EXPECT_EQ(sprites[s].color, 0x9F000000u);
            EXPECT_EQ(sprites[s + 1].color, 0xFFFFFFFFu);
            EXPECT_EQ(sprites[s].src, sprites[s + 1].src);
            const Rect src = sprites[s].src;
            EXPECT_GT(src.left, 200 * p);
            EXPECT_LT(src.right, 200 * p + 200);
            EXPECT_GT(src.top, 500);
            EXPECT_LT(src.bottom, 700);
            // Each tile is drawn at its full size.
            const float w = sprites[s + 1].transform[0] * src.Width();
            EXPECT_NEAR(w, KG_Schiebe_Puzzle::TileSizeOf(n), 1e-3);
        }
        const Rect inner = g.model.At(1, 1).SourceRect();
        EXPECT_EQ(inner, (Rect{a + 200 * p, a + 500, 2 * a + 200 * p, 2 * a + 500})) << "inner edges are cut exactly";
    }
}
