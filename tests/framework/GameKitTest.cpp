// The helpers every game shares: random values in [0, 1), glides, grades and the typed answer.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "app/AppContext.h"
#include "framework/GameKit.h"

TEST(Random01, StaysBelowOneAtTheGeneratorsLargestValue) {
    EXPECT_EQ(Random01From(0), 0.0);
    EXPECT_LT(Random01From(RAND_MAX), 1.0);
    EXPECT_GT(Random01From(RAND_MAX), 0.999);
    // Half the generator's range is half the unit interval, whatever RAND_MAX is.
    EXPECT_NEAR(Random01From(RAND_MAX / 2), 0.5, 1e-6);
    std::srand(7);
    double sum = 0.0;
    for (int i = 0; i < 20000; ++i) {
        const double v = Random01();
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
        sum += v;
    }
    EXPECT_NEAR(sum / 20000, 0.5, 0.02);
    EXPECT_EQ(RandomBelow(0), 0);
    EXPECT_EQ(RandomBelow(-3), 0);
    for (int i = 0; i < 100; ++i) EXPECT_LT(RandomBelow(3), 3);
}

TEST(Glide, ALongFrameLandsExactlyOnTheTargetAndNeverOvershoots) {
    EXPECT_EQ(Glide(10.0, 110.0, 3.0, 5.0), 110.0);  // a 3-second stall
    EXPECT_EQ(Glide(10.0f, 110.0f, 3.0, 1.0), 110.0f);
    const Vec2 landed = Glide(Vec2{0, 0}, Vec2{400, -30}, 3.0, 5.0);
    EXPECT_EQ(landed, (Vec2{400, -30}));
    EXPECT_DOUBLE_EQ(Glide(0.0, 100.0, 0.1, 5.0), 50.0);  // half the way in a tenth at rate 5
    double p = 0.0;
    for (int i = 0; i < 200; ++i) {
        p = Glide(p, 100.0, 1.0 / 60, 5.0);
        ASSERT_LE(p, 100.0);
    }
    EXPECT_EQ(p, 100.0) << "a glide comes to rest on its target";
    float f = 0.0f;
    int frames = 0;
    while (f != 133.0f && frames < 1000) f = Glide(f, 133.0f, 1.0 / 60, 5.0), ++frames;
    EXPECT_EQ(f, 133.0f);
    EXPECT_LT(frames, 200) << "a tile comes to rest within a few seconds";
    // A broken frame time moves nothing instead of spreading NaN.
    EXPECT_EQ(Glide(5.0, 100.0, std::nan(""), 5.0), 5.0);
    EXPECT_EQ(Glide(5.0, 100.0, -1.0, 5.0), 5.0);
    EXPECT_EQ(Glide(5.0, 100.0, std::numeric_limits<double>::infinity(), 5.0), 100.0);
}

TEST(Grade, KeptWithinOneToSixAndNeverNaN) {
    EXPECT_EQ(GradeInRange(std::nan("")), 6.0);
    EXPECT_EQ(GradeInRange(std::numeric_limits<double>::infinity()), 6.0);
    EXPECT_EQ(GradeInRange(-std::numeric_limits<double>::infinity()), 1.0);
    EXPECT_EQ(GradeInRange(0.5), 1.0);
    EXPECT_EQ(GradeInRange(7.0), 6.0);
    EXPECT_EQ(GradeInRange(2.25), 2.25);
}

TEST(Grade, StandardFormulaDividesInFloatingPoint) {
    const StandardGrade g{120.0};
    // Played to the end: 3 wrong of 10 tasks in 60 s: 1 + 1.5 + 0.5.
    EXPECT_DOUBLE_EQ(g(true, 3, 10, 10, 60.0), 3.0);
    // One mistake is never free (with integer division 1 / 10 would be 0).
    EXPECT_GT(g(true, 1, 10, 10, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(g(true, 1, 10, 10, 0.0), 1.5);
    // Left early: nothing answered is no result; otherwise the tasks not answered count as wrong.
    EXPECT_EQ(g(false, 0, 10, 0, 30.0), 6.0);
    EXPECT_DOUBLE_EQ(g(false, 1, 10, 4, 0.0), 4.5);
    EXPECT_DOUBLE_EQ(g(false, 0, 10, 9, 54.0), 1.95);
    EXPECT_EQ(g(true, 0, 10, 10, 1e9), 6.0);
    EXPECT_EQ(g(true, 0, 0, 0, 0.0), 1.0);  // no division by zero
}

namespace {
struct TypedAnswerTest : ::testing::Test {
    void SetUp() override { app = GetAppContext(); }
    void Type(TypedAnswer& a, uint16_t key) {
        a.KeyDown(key);
        a.KeyUp(key);
    }
    bool Enter(TypedAnswer& a) {
        a.KeyDown(kKeyReturn);
        return a.KeyUp(kKeyReturn);
    }
    AppContext* app = nullptr;
};
}  // namespace

TEST_F(TypedAnswerTest, DigitsBackspaceAndTheLengthLimit) {
    TypedAnswer a(3);
    for (uint16_t k : {'1', '2', 'A', ' ', '3', '4'}) Type(a, k);
    EXPECT_EQ(a.Text(), "123");  // letters ignored, a fourth digit ignored
    Type(a, kKeyBack);
    EXPECT_EQ(a.Text(), "12");
    Type(a, kKeyBack);
    Type(a, kKeyBack);
    Type(a, kKeyBack);  // nothing left to remove
    EXPECT_EQ(a.Text(), "");
    Type(a, '0');
    EXPECT_EQ(a.Text(), "0");
}

TEST_F(TypedAnswerTest, EnterIsAnAnswerOnlyWithTextAndItsOwnKeyDown) {
    TypedAnswer a(4);
    EXPECT_FALSE(Enter(a));  // nothing typed
    Type(a, '7');
    EXPECT_FALSE(a.KeyUp(kKeyReturn));  // a key-up whose key-down this entry never saw
    a.KeyDown(kKeyReturn);
    EXPECT_TRUE(a.KeyUp(kKeyReturn));
    EXPECT_FALSE(a.KeyUp(kKeyReturn));  // the same press is judged once
}

TEST_F(TypedAnswerTest, VerdictPlaysItsSoundAndIgnoresKeysForTwoSeconds) {
    TypedAnswer a(4);
    Type(a, '5');
    ASSERT_TRUE(Enter(a));
    a.Judge(false);
    EXPECT_EQ(app->lastSoundId, 11);
    EXPECT_TRUE(a.InVerdict());
    EXPECT_FALSE(a.ShowsTyped());
    EXPECT_FALSE(a.ShowsTick());
    Type(a, '6');
    Type(a, kKeyBack);
    EXPECT_FALSE(Enter(a));
    EXPECT_EQ(a.Text(), "5");
    // The right answer blinks: shown in two of every four tenths.
    int shown = 0;
    bool ended = false;
    for (int i = 0; i < 40 && !ended; ++i) {
        if (a.ShowsRightAnswer()) ++shown;
        ended = a.Step(0.05);
    }
    EXPECT_TRUE(ended);
    EXPECT_NEAR(shown, 20, 2);
    EXPECT_FALSE(a.InVerdict());
    EXPECT_EQ(a.Text(), "");  // ready for the next task
    EXPECT_FALSE(a.Step(0.05));
    Type(a, '8');
    ASSERT_TRUE(Enter(a));
    a.Judge(true);
    EXPECT_EQ(app->lastSoundId, 1);
    EXPECT_TRUE(a.ShowsTick());
    EXPECT_TRUE(a.ShowsTyped());
    EXPECT_FALSE(a.ShowsRightAnswer());
    EXPECT_TRUE(a.LastRight());
}

TEST_F(TypedAnswerTest, AVerdictMayBeShorterThanTwoSeconds) {
    TypedAnswer a(4);
    Type(a, '3');
    ASSERT_TRUE(Enter(a));
    a.Judge(true, 1.0);
    EXPECT_FALSE(a.Step(0.6));
    EXPECT_TRUE(a.Step(0.6));
    Type(a, '4');
    ASSERT_TRUE(Enter(a));
    a.Judge(false, std::nan(""));  // no usable length: the usual two seconds
    EXPECT_FALSE(a.Step(1.9));
    EXPECT_TRUE(a.Step(0.2));
    Type(a, '5');
    ASSERT_TRUE(Enter(a));
    a.Judge(false, -1.0);
    EXPECT_NEAR(a.VerdictTime(), 2.0, 1e-12);
}

TEST_F(TypedAnswerTest, AnEnterPressedDuringTheVerdictIsNotJudgedAfterIt) {
    TypedAnswer a(4);
    Type(a, '1');
    ASSERT_TRUE(Enter(a));
    a.Judge(true);
    a.KeyDown(kKeyReturn);
    a.Step(2.5);
    Type(a, '2');
    EXPECT_FALSE(a.KeyUp(kKeyReturn));
}

TEST_F(TypedAnswerTest, LettersFollowShiftAndShiftDoesNotStickAcrossAPause) {
    TypedAnswer a(15, TypedAnswer::Kind::kLetters);
    Type(a, 'M');
    a.KeyDown(kKeyShift);
    Type(a, 'O');
    a.KeyUp(kKeyShift);
    Type(a, 'N');
    Type(a, '4');  // digits are not letters
    EXPECT_EQ(a.Text(), "mOn");
    a.KeyDown(kKeyShift);
    a.ReleaseKeys();  // paused: the Shift key-up goes to the pause page
    Type(a, 'D');
    EXPECT_EQ(a.Text(), "mOnd");
    a.KeyDown(kKeyReturn);
    a.ReleaseKeys();
    EXPECT_FALSE(a.KeyUp(kKeyReturn));
    a.SetKind(TypedAnswer::Kind::kDigits);
    EXPECT_EQ(a.Text(), "");
}
