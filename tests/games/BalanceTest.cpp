// Balance: the dealt tasks, the beam's tilt, the grade, and the game played with the mouse
// (fruit carried onto the pans, the time limit, the verdict pause).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/TextFormat.h"
#include "games/KG_Waage_Game_Fruechte/KG_Waage_Game_Fruechte.h"
#include "GameTestSupport.h"

namespace {
using balance::BalanceLevelOf;
using balance::TargetAngle;

constexpr int W = 1024, H = 768;
constexpr double kPi = 3.14159265358979323846;

class FilelessBalance : public KG_Waage_Game_Fruechte {
public:
    FilelessBalance(int level, unsigned seed) : KG_Waage_Game_Fruechte(level, seed) { WithoutFile(*this); }
};

std::vector<Weight*> Items(LockedList<Weight>& list) {
    std::vector<Weight*> out;
    for (Weight* w : list) out.push_back(w);
    return out;
}

// Which floor weights go to the left pan so that both pans weigh the same (bit i: weight i).
unsigned SplitOfTheFloor(Balance& b) {
    const std::vector<Weight*> floor = Items(b.floor);
    const int left = b.LeftSum(), right = b.RightSum();
    for (unsigned mask = 0; mask < (1u << floor.size()); ++mask) {
        int l = left, r = right;
        for (size_t i = 0; i < floor.size(); ++i) (mask >> i & 1 ? l : r) += floor[i]->grams;
        if (l == r) return mask;
    }
    ADD_FAILURE() << "a task without a solution";
    return 0;
}

class BalanceTest : public GameTest {
protected:
    void StartGame(int level, unsigned seed) {
        game = std::make_unique<FilelessBalance>(level, seed);
        game->Start();
        Settle();  // the fruit comes in
    }
    // Long frames: the beam and every fruit arrive where they are going.
    void Settle() {
        Step(*game, 3.0);
        Step(*game, 3.0);
    }
    static uint16_t Px(float v) { return static_cast<uint16_t>(std::lround(v)); }
    void Move(float x, float y) {
        app->mouseX = Px(x);
        app->mouseY = Px(y);
        game->OnMouseMove(Px(x), Px(y));
    }
    void Down(float x, float y) { game->OnLButtonDown(Px(x), Px(y)); }
    void Up(float x, float y) { game->OnLButtonUp(Px(x), Px(y)); }
    // Grabs a fruit at its middle, carries it to (x, y), lets it catch up, and lets it go.
    void Carry(Weight* w, float x, float y) {
        const Vec2 grab{w->position.x, w->position.y - 20};
        Move(grab.x, grab.y);
        Down(grab.x, grab.y);
        ASSERT_EQ(game->balance->held, w);
        Move(x, y);
        Step(*game, 1.0);
        Up(x, y);
    }
    // Carries every floor fruit onto the pan that balances the task.
    void Solve() {
        Balance& b = *game->balance;
        const unsigned mask = SplitOfTheFloor(b);
        const std::vector<Weight*> floor = Items(b.floor);
        for (size_t i = 0; i < floor.size(); ++i) {
            const bool left = mask >> i & 1;
            Carry(floor[i], left ? W / 2 - 100 : W / 2 + 100, 300);
        }
    }
    std::unique_ptr<FilelessBalance> game;
};
}  // namespace

// Many tasks of every level: the two sides of the designed solution weigh the same, there is
// fruit to carry, and the share of fruit placed on the pans is the level's chance.
TEST_F(BalanceTest, DealtTasksOverManySeeds) {
    for (int level = 0; level < 3; ++level) {
        const balance::BalanceLevel setup = BalanceLevelOf(level);
        int fixed = 0, all = 0;
        for (unsigned seed = 0; seed < 1500; ++seed) {
            std::srand(seed * 2654435761u + 11);
            const std::vector<balance::DealtWeight> task = balance::DealBalanceTask(setup, W);
            const std::string what = "level " + std::to_string(level) + " seed " + std::to_string(seed);
            int left = 0, right = 0, floor = 0;
            for (const balance::DealtWeight& d : task) {
                (d.side == balance::Side::kLeft ? left : right) += d.grams;
                floor += d.fixed ? 0 : 1;
                fixed += d.fixed ? 1 : 0;
                ++all;
                EXPECT_TRUE(d.x >= 0 && d.x < W) << what;
                const int expected[] = {0, 1, 3, 4, 6, 7};
                const int m = static_cast<int>(std::find(balance::kMasses, balance::kMasses + 6, d.grams) -
                                               balance::kMasses);
                ASSERT_LT(m, 6) << what << ": " << d.grams;
                EXPECT_TRUE(d.picture == expected[m] || ((m == 1 || m == 3) && d.picture == expected[m] + 1))
                    << what << ": " << d.grams << " g as picture " << d.picture;
            }
            EXPECT_EQ(left, right) << what;
            EXPECT_GE(floor, setup.floorCount) << what;
            EXPECT_LE(floor, setup.floorCount + 3) << what;
            if (HasFailure()) return;
        }
        EXPECT_NEAR(static_cast<double>(fixed) / all, setup.panChance, 0.02) << "level " << level;
    }
}

// The deal through the game: fixed fruit on its pans, the rest on the floor, every task solvable.
TEST_F(BalanceTest, TheGamePutsFixedFruitOnThePansAndTheRestOnTheFloor) {
    for (int level = 0; level < 3; ++level) {
        for (unsigned seed = 0; seed < 40; ++seed) {
            FilelessBalance g(level, seed);
            Balance& b = *g.balance;
            EXPECT_GE(b.floor.Count(), BalanceLevelOf(level).floorCount);
            for (Weight* w : b.floor) EXPECT_TRUE(w->movable);
            for (Weight* w : b.leftPan) EXPECT_FALSE(w->movable);
            for (Weight* w : b.rightPan) EXPECT_FALSE(w->movable);
            SplitOfTheFloor(b);
            // The fruit comes in along the top edge and glides to its place.
            for (LockedList<Weight>* list : {&b.floor, &b.leftPan, &b.rightPan})
                for (Weight* w : *list) EXPECT_FLOAT_EQ(w->position.y, Balance::kEntryY);
            EXPECT_DOUBLE_EQ(g.timeLimit, BalanceLevelOf(level).timeLimit);
            EXPECT_EQ(g.taskCount, BalanceLevelOf(level).taskCount);
        }
    }
}

TEST_F(BalanceTest, TargetAngles) {
    EXPECT_DOUBLE_EQ(TargetAngle(500, 250 + 250), 0.0);
    EXPECT_DOUBLE_EQ(TargetAngle(500, 250), -20.0);
    EXPECT_DOUBLE_EQ(TargetAngle(0, 250), 30.0);
    EXPECT_DOUBLE_EQ(TargetAngle(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(TargetAngle(1000, 25), -30.0 * 1000 / 1025);
    // Whenever the sides differ, the beam leans by more than 15 and at most 30 degrees.
    for (int l = 0; l <= 2000; l += 25)
        for (int r = 0; r <= 2000; r += 175)
            if (l != r) {
                const double a = std::fabs(TargetAngle(l, r));
                EXPECT_GT(a, 15.0);
                EXPECT_LE(a, 30.0);
            }
}

// The beam turns towards the heavier pan with the clamped glide, and is drawn turned by the
// angle in radians.
TEST_F(BalanceTest, TheBeamTiltsTowardsTheHeavierPanAndIsDrawnInRadians) {
    StartGame(0, 1);
    Balance& b = *game->balance;
    b.leftPan.Clear(true);
    b.rightPan.Clear(true);
    b.rightPan.Add(new Weight(600, 300, 250, false, 4));
    const double before = b.angle;
    Step(*game, 0.1);
    EXPECT_DOUBLE_EQ(b.targetAngle, 30.0);
    EXPECT_NEAR(b.angle, before + (30.0 - before) * 0.1, 1e-9) << "a tenth of the way in a tenth of a second";
    // A stall of three seconds lands on the target; it never swings past it.
    Step(*game, 3.0);
    EXPECT_DOUBLE_EQ(b.angle, 30.0);
    EXPECT_GT(b.rightAnchor.y, H / 2.0f + 49.0f) << "the heavier right side is down";
    EXPECT_LT(b.leftAnchor.y, H / 2.0f - 49.0f);
    const auto beams = [&] {
        std::vector<DrawCommand> out;
        for (const DrawCommand& c : SpritesOf(RenderFrame(*game), app->texMisc1))
            if (c.src == (Rect{500, 320, 700, 360})) out.push_back(c);
        return out;
    }();
    ASSERT_EQ(beams.size(), 1u);
    EXPECT_NEAR(beams[0].transform[0], std::cos(30.0 * kPi / 180), 1e-5);
    EXPECT_NEAR(beams[0].transform[1], std::sin(30.0 * kPi / 180), 1e-5);
    // The beam's pivot stays on the stand's top, its ends under the pans' posts.
    const float* m = beams[0].transform;
    EXPECT_NEAR(m[0] * 100 + m[2] * 22.5f + m[4], W / 2, 1e-3);
    EXPECT_NEAR(m[1] * 100 + m[3] * 22.5f + m[5], H / 2 + 22.5, 1e-3);
    EXPECT_NEAR(m[0] * 200 + m[2] * 22.5f + m[4], b.rightAnchor.x, 1e-3);
    EXPECT_NEAR(m[1] * 200 + m[3] * 22.5f + m[5], b.rightAnchor.y + 22.5, 1e-3);
}

// The fruit rows stand on the pans: their feet on the pan's top edge, the row over its width.
TEST_F(BalanceTest, FruitRowsStandOnThePans) {
    StartGame(2, 2);
    Balance& b = *game->balance;
    for (Weight* w : Items(b.floor)) {
        if (b.leftPan.Count() == 9) break;  // three rows
        b.floor.Remove(w, false);
        b.leftPan.Add(w);
    }
    Settle();
    std::vector<DrawCommand> pans;
    for (const DrawCommand& c : SpritesOf(RenderFrame(*game), app->texMisc1))
        if (c.src == Balance::kPanRegion) pans.push_back(c);
    ASSERT_EQ(pans.size(), 2u);
    const DrawCommand& left = pans[0];
    const float panLeft = left.transform[4], panTop = left.transform[5];
    int row = 0;
    for (Weight* w : b.leftPan) {
        if (row++ >= 3) break;  // the first row stands on the pan, the others on fruit
        EXPECT_NEAR(w->position.y, panTop, 0.01) << "feet on the pan's top edge";
        EXPECT_GE(w->position.x - 25, panLeft) << "within the pan";
        EXPECT_LE(w->position.x + 25, panLeft + Balance::kPanRegion.Width());
    }
    // The rows stack upwards, three fruit each.
    ASSERT_GE(b.leftPan.Count(), 4);
    EXPECT_LE(b.leftPan.Get(3)->position.y + 16, b.leftPan.Get(0)->position.y - 50) << "a label clear of the fruit below";
    EXPECT_NEAR(b.leftPan.Get(3)->position.x, b.leftPan.Get(0)->position.x, 0.01);
}

TEST_F(BalanceTest, IsBalancedNeedsEqualPansAnEmptyFloorAndNoFruitInTheHand) {
    StartGame(0, 3);
    Balance& b = *game->balance;
    b.leftPan.Clear(true);
    b.rightPan.Clear(true);
    b.floor.Clear(true);
    b.leftPan.Add(new Weight(300, 300, 500, false, 6));
    b.rightPan.Add(new Weight(700, 300, 250, false, 4));
    EXPECT_FALSE(b.IsBalanced());
    b.rightPan.Add(new Weight(700, 300, 250, true, 5));
    EXPECT_TRUE(b.IsBalanced());
    b.floor.Add(new Weight(500, 576, 25, true, 0));
    EXPECT_FALSE(b.IsBalanced());
    Weight* w = b.floor.Get(0);
    b.floor.Remove(w, false);
    b.held = w;
    EXPECT_FALSE(b.IsBalanced());
    b.held = nullptr;
    b.rightPan.Add(w);
    EXPECT_FALSE(b.IsBalanced());
    b.leftPan.Add(new Weight(300, 300, 25, true, 0));
    EXPECT_TRUE(b.IsBalanced());
}

// A fruit let go is put by where it is, which trails the pointer, not by where the pointer is.
TEST_F(BalanceTest, AFruitGoesWhereItIsNotWhereThePointerIs) {
    StartGame(0, 4);
    Balance& b = *game->balance;
    const int floorBefore = b.floor.Count();
    Weight* w = b.floor.Get(0);
    Move(w->position.x, w->position.y - 20);
    Down(w->position.x, w->position.y - 20);
    ASSERT_EQ(b.held, w);
    Move(W / 2 + 150, 250);  // the pointer is over the right pan at once
    Step(*game, 1.0 / 60);   // the fruit has hardly moved
    EXPECT_GT(w->position.y, 2.0f * H / 3);
    Up(W / 2 + 150, 250);
    EXPECT_EQ(b.floor.Count(), floorBefore);
    EXPECT_EQ(b.rightPan.IndexOf(w), -1);
    // Carried to the left half, let go while the pointer has already gone right.
    w = b.floor.Get(0);
    Move(w->position.x, w->position.y - 20);
    Down(w->position.x, w->position.y - 20);
    Move(W / 2 - 200, 250);
    Step(*game, 2.0);
    Move(W / 2 + 300, 250);
    Up(W / 2 + 300, 250);
    EXPECT_GE(b.leftPan.IndexOf(w), 0);
    EXPECT_EQ(b.floor.Count(), floorBefore - 1);
}

// A fruit grabbed while it still glides stays under the pointer.
TEST_F(BalanceTest, AFruitGrabbedWhileGlidingStaysUnderThePointer) {
    game = std::make_unique<FilelessBalance>(0, 5);
    game->Start();
    Step(*game, 0.1);  // the fruit is on its way down from the top edge
    Balance& b = *game->balance;
    Weight* w = b.floor.Get(0);
    ASSERT_GT(std::fabs(w->target.y - w->position.y), 100.0f);
    const Vec2 grabbed = w->position;
    Move(grabbed.x, grabbed.y - 10);
    Down(grabbed.x, grabbed.y - 10);
    ASSERT_EQ(b.held, w);
    for (int i = 0; i < 30; ++i) Step(*game, 1.0 / 30);
    EXPECT_NEAR(w->position.x, grabbed.x, 0.5);
    EXPECT_NEAR(w->position.y, grabbed.y, 0.5);
    // The pointer moves by (40, 30): so does the fruit.
    Move(grabbed.x + 40, grabbed.y + 20);
    Step(*game, 3.0);
    EXPECT_NEAR(w->position.x, grabbed.x + 40, 1.0);
    EXPECT_NEAR(w->position.y, grabbed.y + 30, 1.0);
    Up(grabbed.x + 40, grabbed.y + 20);
}

TEST_F(BalanceTest, FixedFruitCannotBeMovedAndHasRedLabels) {
    for (unsigned seed = 0; seed < 50; ++seed) {
        StartGame(2, seed);
        Balance& b = *game->balance;
        if (b.leftPan.Empty() && b.rightPan.Empty()) continue;
        Weight* fixed = b.leftPan.Empty() ? b.rightPan.Get(0) : b.leftPan.Get(0);
        Move(fixed->position.x, fixed->position.y - 20);
        Down(fixed->position.x, fixed->position.y - 20);
        EXPECT_EQ(b.held, nullptr);
        Up(fixed->position.x, fixed->position.y - 20);
        const std::string label = std::to_string(fixed->grams) + "g";
        bool red = false, dim = false;
        const auto frame = RenderFrame(*game);
        for (const DrawCommand& c : TextsOf(frame)) red = red || (c.text == label && c.color == 0xFFFF0000);
        for (const DrawCommand& c : SpritesOf(frame, app->texMisc4)) dim = dim || c.color == 0xFF7F7F7F;
        EXPECT_TRUE(red);
        EXPECT_TRUE(dim);
        return;
    }
    FAIL() << "no task with fixed fruit";
}

TEST_F(BalanceTest, ASolvedTaskIsJudgedAtOnceThenTheVerdictPausesTheMouse) {
    StartGame(0, 6);
    Solve();
    EXPECT_TRUE(game->balance->IsBalanced());
    const double left = game->timeLeft;
    Step(*game, 1.0 / 60);
    EXPECT_EQ(game->rightCount, 1);
    EXPECT_EQ(game->wrongCount, 0);
    EXPECT_DOUBLE_EQ(game->feedbackTime, KG_Waage_Game_Fruechte::kVerdictSeconds);
    EXPECT_NEAR(game->timeSum, game->timeLimit - left + 1.0 / 60, 1e-9);
    // The tick is shown; the mouse is ignored; the playing time stands still.
    bool tick = false;
    for (const DrawCommand& c : SpritesOf(RenderFrame(*game), app->texMisc1)) tick = tick || c.src == (Rect{0, 450, 50, 500});
    EXPECT_TRUE(tick);
    Weight* w = game->balance->rightPan.Empty() ? game->balance->leftPan.Get(0) : game->balance->rightPan.Get(0);
    const double played = game->GetPlayTime();
    Down(w->position.x, w->position.y - 20);
    EXPECT_FALSE(game->HoldsPiece());
    Step(*game, 1.0);
    EXPECT_DOUBLE_EQ(game->GetPlayTime(), played);
    Step(*game, 1.0);
    // The next task: a new balance (it may well sit where the old one was freed) that is
    // not solved yet.
    EXPECT_FALSE(game->balance->IsBalanced()) << "the next task";
    EXPECT_DOUBLE_EQ(game->timeLeft, game->timeLimit);
    EXPECT_DOUBLE_EQ(game->feedbackTime, 0.0);
}

// Time runs out while a fruit is carried: it is put down first, then the balance is judged;
// the task counts with its whole time limit, and the time left never shows below zero.
TEST_F(BalanceTest, TimeOutWhileHoldingDropsTheFruitAndCountsTheWholeLimit) {
    StartGame(0, 7);
    LoadEnglish();
    Balance& b = *game->balance;
    Weight* w = b.floor.Get(0);
    Move(w->position.x, w->position.y - 20);
    Down(w->position.x, w->position.y - 20);
    ASSERT_TRUE(game->HoldsPiece());
    const int pieces = b.floor.Count() + b.leftPan.Count() + b.rightPan.Count() + 1;
    Step(*game, 50.0);
    Step(*game, 50.0);  // a long stall past the limit
    EXPECT_FALSE(game->HoldsPiece());
    EXPECT_EQ(b.floor.Count() + b.leftPan.Count() + b.rightPan.Count(), pieces);
    EXPECT_EQ(game->wrongCount, 1);
    EXPECT_DOUBLE_EQ(game->timeSum, game->timeLimit);
    EXPECT_DOUBLE_EQ(game->AverageSeconds(), game->timeLimit);
    EXPECT_DOUBLE_EQ(game->timeLeft, 0.0);
    const std::string shown = FormatText(app->GetText(117), 0, 0);
    bool zero = false;
    for (const DrawCommand& c : TextsOf(RenderFrame(*game))) {
        EXPECT_EQ(c.text.find('-'), std::string::npos) << c.text;
        zero = zero || c.text == shown;
    }
    EXPECT_TRUE(zero);
    // One solved task of ten seconds after it: the average counts both tasks.
    Step(*game, 2.0);
    ASSERT_EQ(game->feedbackTime, 0.0);
    Step(*game, 10.0);
    Solve();  // the carrying takes one second per fruit
    const double used = game->timeLimit - game->timeLeft;
    Step(*game, 1.0 / 60);
    EXPECT_EQ(game->rightCount, 1);
    EXPECT_NEAR(game->AverageSeconds(), (game->timeLimit + used + 1.0 / 60) / 2, 1e-9);
}

TEST_F(BalanceTest, APressWhileCarryingPutsTheFruitDownFirst) {
    StartGame(1, 8);
    Balance& b = *game->balance;
    Weight* first = b.floor.Get(0);
    Weight* second = b.floor.Get(1);
    Move(first->position.x, first->position.y - 20);
    Down(first->position.x, first->position.y - 20);
    Move(W / 2 - 150, 300);
    Step(*game, 2.0);
    // The release was lost; the next press puts the first fruit on the left pan.
    Move(second->position.x, second->position.y - 20);
    Down(second->position.x, second->position.y - 20);
    EXPECT_GE(b.leftPan.IndexOf(first), 0);
    EXPECT_EQ(b.held, second);
    // Left with a fruit in the hand: the destructor frees it (leak check).
    game.reset();
}

TEST_F(BalanceTest, TheGameEndsAfterItsTasksWithItsGrade) {
    StartGame(0, 9);
    for (int task = 0; task < 5; ++task) {
        if (task == 2) {
            Step(*game, 61.0);  // one timed out
        } else {
            Solve();
            Step(*game, 1.0 / 60);
        }
        ASSERT_GT(game->feedbackTime, 0.0);
        Step(*game, 2.5);
    }
    EXPECT_EQ(game->GetState(), kStateOver);
    EXPECT_EQ(game->rightCount, 4);
    EXPECT_EQ(game->wrongCount, 1);
    game->ComputeGrade();
    EXPECT_NEAR(game->GetGrade(), std::min(6.0, 1.0 / 5 * 5 + 1 + game->GetPlayTime() / 90), 1e-12);
    LoadEnglish();
    const std::string result = game->GetResultText();
    const int t = static_cast<int>(game->GetPlayTime());
    EXPECT_EQ(result.rfind(FormatText(app->GetText(37), t / 60, t % 60), 0), 0u) << result;
    EXPECT_NE(result.find(FormatText(app->GetText(30), 4)), std::string::npos);
    EXPECT_NE(result.find(FormatText(app->GetText(31), 1)), std::string::npos);
    EXPECT_NE(result.find(FormatText(app->GetText(41), game->AverageSeconds())), std::string::npos);
    // Over: the balance is still drawn, the mouse does nothing, time stands.
    Step(*game, 1.0);
    EXPECT_FALSE(RenderFrame(*game).empty());
    EXPECT_EQ(game->GetState(), kStateOver);
}

TEST_F(BalanceTest, TheGradeTable) {
    using balance::BalanceGrade;
    EXPECT_DOUBLE_EQ(BalanceGrade(true, 4, 1, 5, 90.0), 3.0);
    EXPECT_DOUBLE_EQ(BalanceGrade(true, 5, 0, 5, 45.0), 1.5);
    EXPECT_DOUBLE_EQ(BalanceGrade(true, 0, 5, 5, 0.0), 6.0);
    EXPECT_DOUBLE_EQ(BalanceGrade(true, 0, 5, 5, 300.0), 6.0);
    EXPECT_DOUBLE_EQ(BalanceGrade(true, 10, 0, 10, 90.0), 1.5) << "twice the tasks, twice the time";
    EXPECT_DOUBLE_EQ(BalanceGrade(false, 0, 0, 5, 30.0), 6.0);
    // Left early: the tasks not judged count as wrong.
    EXPECT_DOUBLE_EQ(BalanceGrade(false, 2, 0, 5, 30.0), 4.5);
    EXPECT_DOUBLE_EQ(BalanceGrade(false, 3, 1, 5, 0.0), 3.0);
    EXPECT_DOUBLE_EQ(BalanceGrade(false, 1, 1, 5, 60.0), 6.0);
}
