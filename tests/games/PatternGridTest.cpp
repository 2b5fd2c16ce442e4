// The shared pattern grid: layout from extent, gap and size, the hit test, clicks, set, equality
// and the two ways of combining grids, and how a grid draws its squares.
#include <cstdlib>
#include <memory>
#include <vector>

#include "games/shared/PatternGrid.h"
#include "GameTestSupport.h"

namespace {
class PatternGridTest : public GameTest {
protected:
    const std::vector<DrawCommand>& Drawn(const PatternGrid& grid) {
        app->sprite->Begin();
        grid.Draw();
        app->sprite->End();
        return app->sprite->Commands();
    }
};

struct LayoutCase {
    const char* use;
    int n, extent, gap;
    Vec2 centre;
    int squareSize;
    Vec2 first, last;  // top-left of column 0 / row 0 and of the last column / row
};

// Every layout the three games use, on the 1024 x 768 canvas.
const LayoutCase kLayouts[] = {
    {"remember 3x3", 3, 200, 3, {512, 384}, 63, {412, 284}, {544, 416}},
    {"remember 4x4", 4, 200, 3, {512, 384}, 47, {412, 284}, {562, 434}},
    {"adding 3x3", 3, 100, 3, {256, 256}, 30, {206, 206}, {272, 272}},
    {"adding 4x4", 4, 100, 3, {896, 512}, 22, {846, 462}, {921, 537}},
    {"cuboid grid 3x3", 3, 300, 3, {512, 234}, 97, {362, 84}, {562, 284}},
    {"cuboid grid 4x4", 4, 300, 3, {512, 234}, 72, {362, 84}, {587, 309}},
    {"cuboid grid 5x5", 5, 300, 3, {512, 234}, 57, {362, 84}, {602, 324}},
    {"cuboid piece 3x3", 3, 100, 3, {128, 512}, 30, {78, 462}, {144, 528}},
    // (-75) / 2 is -37: the start is halved toward zero.
    {"cuboid piece 4x4", 4, 75, 0, {281.6f, 612}, 18, {244.6f, 575}, {298.6f, 629}},
    {"cuboid piece 5x5", 5, 50, 0, {213.33333f, 662}, 10, {188.33333f, 637}, {228.33333f, 677}},
};

PatternGrid* Grid(int n, uint64_t mask, bool model = false) {
    Vec2 centre{200, 200};
    PatternGrid* g = new PatternGrid(model, n, 0, 90, &centre, 3);
    g->SetMask(mask);
    return g;
}
}  // namespace

TEST_F(PatternGridTest, LayoutOfEveryGridTheGamesUse) {
    for (const LayoutCase& c : kLayouts) {
        PatternGrid grid(false, c.n, 4, c.extent, &c.centre, c.gap);
        EXPECT_EQ(grid.Layout().squareSize, c.squareSize) << c.use;
        ASSERT_EQ(grid.squares.Count(), c.n * c.n) << c.use;
        const PatternSquare* first = grid.SquareAt(0, 0);
        const PatternSquare* last = grid.SquareAt(c.n - 1, c.n - 1);
        EXPECT_FLOAT_EQ(first->position.x, c.first.x) << c.use;
        EXPECT_FLOAT_EQ(first->position.y, c.first.y) << c.use;
        EXPECT_FLOAT_EQ(last->position.x, c.last.x) << c.use;
        EXPECT_FLOAT_EQ(last->position.y, c.last.y) << c.use;
        // Column by column: index = column * n + row.
        EXPECT_EQ(grid.squares.Get(1), grid.SquareAt(0, 1)) << c.use;
        EXPECT_EQ(grid.squares.Get(c.n), grid.SquareAt(1, 0)) << c.use;
        for (PatternSquare* s : grid.squares) {
            EXPECT_EQ(s->size, c.squareSize) << c.use;
            EXPECT_EQ(s->design, 4) << c.use;
            EXPECT_FALSE(s->IsLit()) << c.use;
        }
    }
}

TEST_F(PatternGridTest, WithoutACentreTheGridStandsAtTheMiddleOfTheScreen) {
    PatternGrid grid(false, 3, 0, 200, nullptr, 3);
    EXPECT_FLOAT_EQ(grid.SquareAt(0, 0)->position.x, 412);
    EXPECT_FLOAT_EQ(grid.SquareAt(0, 0)->position.y, 284);
}

TEST_F(PatternGridTest, HitTestIncludesTheEdgesAndMissesTheGaps) {
    Vec2 centre{512, 384};
    PatternGrid grid(false, 3, 0, 200, &centre, 3);  // squares 63 wide, 3 apart, from 412
    EXPECT_TRUE(grid.Contains(412, 284));
    EXPECT_TRUE(grid.Contains(475, 347));  // bottom-right corner of the first square
    EXPECT_FALSE(grid.Contains(476, 300));  // in the gap between columns 0 and 1
    EXPECT_FALSE(grid.Contains(477.5f, 300));
    EXPECT_TRUE(grid.Contains(478, 300));   // left edge of column 1
    EXPECT_FALSE(grid.Contains(411.9f, 300));
    EXPECT_TRUE(grid.Contains(607, 479));   // bottom-right corner of the last square
    EXPECT_FALSE(grid.Contains(607.1f, 479));

    // A click in a gap flips nothing; a click on an edge flips that square alone.
    EXPECT_FALSE(grid.Click(476, 300));
    EXPECT_EQ(grid.Mask(), 0u);
    EXPECT_TRUE(grid.Click(478, 347));
    EXPECT_EQ(grid.Mask(), uint64_t{1} << 3);  // column 1, row 0
}

TEST_F(PatternGridTest, OneClickFlipsOneSquareEvenOnASharedEdge) {
    Vec2 centre{100, 100};
    PatternGrid piece(false, 5, 0, 50, &centre, 0);  // 10-pixel squares from 75, no gaps
    // x = 85 is the right edge of column 0 and the left edge of column 1: the first square wins.
    EXPECT_TRUE(piece.Click(85, 80));
    EXPECT_EQ(piece.Mask(), 1u);
    EXPECT_EQ(piece.LitCount(), 1);
    EXPECT_TRUE(piece.Click(85, 80));
    EXPECT_EQ(piece.Mask(), 0u);
    EXPECT_TRUE(piece.Click(90, 99));  // column 1, row 2
    EXPECT_TRUE(piece.IsLit(1, 2));
    EXPECT_EQ(piece.LitCount(), 1);
}

TEST_F(PatternGridTest, AModelGridIgnoresClicks) {
    std::srand(3);
    PatternGrid model(true, 3, 0, 200, nullptr, 3);
    const uint64_t before = model.Mask();
    for (PatternSquare* s : model.squares) {
        EXPECT_FALSE(model.Click(s->position.x + 5, s->position.y + 5));
        EXPECT_TRUE(model.Contains(s->position.x + 5, s->position.y + 5));
    }
    EXPECT_EQ(model.Mask(), before);
}

TEST_F(PatternGridTest, AModelsPatternIsTheParityOfAHundredRandomPicks) {
    for (int n : {3, 4}) {
        for (unsigned seed : {1u, 17u, 4242u}) {
            std::srand(seed);
            uint64_t expected = 0;
            for (int i = 0; i < 100; ++i) expected ^= uint64_t{1} << (std::rand() % (n * n));
            std::srand(seed);
            PatternGrid model(true, n, 0, 200, nullptr, 3);
            EXPECT_EQ(model.Mask(), expected) << "n " << n << " seed " << seed;
            EXPECT_TRUE(model.IsModel());
        }
    }
    PatternGrid plain(false, 3, 0, 200, nullptr, 3);
    EXPECT_TRUE(plain.IsDark());
}

TEST_F(PatternGridTest, SetChecksColumnAndRowEachAndIgnoresEverythingOutside) {
    PatternGrid grid(false, 3, 0, 200, nullptr, 3);
    // (0, 3) has the index 3 of square (1, 0): it must not light it.
    grid.Set(0, 3, true);
    grid.Set(3, 0, true);
    grid.Set(-1, 1, true);
    grid.Set(1, -1, true);
    grid.Set(2, 3, true);
    grid.Set(-1, 4, true);  // index 1 on a 3 x 3 grid
    grid.Set(100, 100, true);
    EXPECT_TRUE(grid.IsDark());
    EXPECT_FALSE(grid.IsLit(1, 0));
    EXPECT_FALSE(grid.IsLit(0, 3));
    EXPECT_EQ(grid.SquareAt(0, 3), nullptr);
    EXPECT_EQ(grid.SquareAt(-1, 0), nullptr);

    grid.Set(2, 1, true);
    EXPECT_TRUE(grid.IsLit(2, 1));
    EXPECT_EQ(grid.Mask(), uint64_t{1} << 7);
    grid.Set(2, 1, false);
    EXPECT_TRUE(grid.IsDark());
}

TEST_F(PatternGridTest, ExclusiveAndInclusiveCombinationTruthTables) {
    // Squares 0..3 of a 2 x 2 grid hold the four pairs (a, b) = (0,0), (1,0), (0,1), (1,1).
    const uint64_t a = 0b1010, b = 0b1100;
    std::unique_ptr<PatternGrid> x(Grid(2, a)), y(Grid(2, b));
    x->Combine(*y, true);
    EXPECT_EQ(x->Mask(), 0b0110u) << "XOR";
    EXPECT_EQ(y->Mask(), b) << "the other grid stays as it was";
    x->SetMask(a);
    x->Combine(*y, false);
    EXPECT_EQ(x->Mask(), 0b1110u) << "OR";

    // XOR twice restores; OR with itself keeps; XOR with itself darkens.
    x->SetMask(a);
    x->Combine(*y, true);
    x->Combine(*y, true);
    EXPECT_EQ(x->Mask(), a);
    x->Combine(*x, false);
    EXPECT_EQ(x->Mask(), a);
    x->Combine(*x, true);
    EXPECT_TRUE(x->IsDark());
}

TEST_F(PatternGridTest, EqualityComparesEverySquare) {
    std::unique_ptr<PatternGrid> a(Grid(4, 0x8421)), b(Grid(4, 0x8421)), c(Grid(4, 0x8420));
    EXPECT_TRUE(a->Equals(*b));
    EXPECT_TRUE(b->Equals(*a));
    EXPECT_FALSE(a->Equals(*c));
    std::unique_ptr<PatternGrid> model(Grid(4, 0x8421, true));
    EXPECT_TRUE(model->Equals(*a)) << "model or not does not matter, only the pattern";
}

TEST_F(PatternGridTest, GridsOfDifferentSizesNeverMatchNorMix) {
    std::unique_ptr<PatternGrid> small(Grid(3, 0)), large(Grid(4, 0));
    EXPECT_FALSE(small->Equals(*large)) << "two dark grids of different sizes";
    EXPECT_FALSE(large->Equals(*small));
    small->SetMask(0b101010101);
    large->SetMask(0xFFFF);
    small->Combine(*large, true);
    EXPECT_EQ(small->Mask(), 0b101010101u);
    small->Combine(*large, false);
    EXPECT_EQ(small->Mask(), 0b101010101u);
    large->Combine(*small, true);
    EXPECT_EQ(large->Mask(), 0xFFFFu);
    large->Combine(*small, false);
    EXPECT_EQ(large->Mask(), 0xFFFFu);
}

TEST_F(PatternGridTest, SizesAreKeptWithinBounds) {
    PatternGrid none(false, 0, 0, 100, nullptr, 3);
    EXPECT_EQ(none.GridSize(), 1);
    EXPECT_EQ(none.squares.Count(), 1);
    PatternGrid huge(false, 1000, 0, 100, nullptr, 3);
    EXPECT_EQ(huge.GridSize(), PatternGrid::kMaxSize);
    EXPECT_EQ(huge.squares.Count(), PatternGrid::kMaxSize * PatternGrid::kMaxSize);
    huge.SetMask(~uint64_t{0});
    EXPECT_EQ(huge.LitCount(), 64);
}

TEST_F(PatternGridTest, SquaresAreDrawnFromTheirDesignLitOrDark) {
    EXPECT_EQ(PatternSquare::SourceRect(0, false), (Rect{0, 50, 50, 100}));
    EXPECT_EQ(PatternSquare::SourceRect(0, true), (Rect{0, 150, 50, 200}));
    EXPECT_EQ(PatternSquare::SourceRect(5, true), (Rect{500, 150, 550, 200}));
    EXPECT_EQ(PatternSquare::SourceRect(7, false), (Rect{100, 250, 150, 300}));
    EXPECT_EQ(PatternSquare::SourceRect(11, true), (Rect{500, 350, 550, 400}));
    EXPECT_EQ(PatternSquare::SourceRect(12, true), PatternSquare::SourceRect(0, true)) << "wraps around";
    EXPECT_EQ(PatternSquare::SourceRect(-1, false), PatternSquare::SourceRect(11, false));

    Vec2 centre{512, 234};
    PatternGrid grid(false, 3, 7, 300, &centre, 3);
    grid.Set(1, 2, true);
    const auto sprites = SpritesOf(Drawn(grid), app->texMisc3);
    ASSERT_EQ(sprites.size(), 9u);
    int lit = 0;
    for (const DrawCommand& c : sprites) {
        EXPECT_FLOAT_EQ(c.transform[0], 97.0f / 50);
        EXPECT_FLOAT_EQ(c.transform[3], 97.0f / 50);
        EXPECT_EQ(c.color, 0xFFFFFFFFu);
        if (c.src == PatternSquare::SourceRect(7, true)) {
            ++lit;
            EXPECT_FLOAT_EQ(c.transform[4], 362 + 100);
            EXPECT_FLOAT_EQ(c.transform[5], 84 + 200);
        } else {
            EXPECT_EQ(c.src, PatternSquare::SourceRect(7, false));
        }
    }
    EXPECT_EQ(lit, 1);
}
