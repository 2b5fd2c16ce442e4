#include "app/Timing.h"

#include <gtest/gtest.h>

#include "app/AppContext.h"

namespace {
struct TimingFixture : ::testing::Test {
    void SetUp() override {
        app = GetAppContext();
        app->hasPerfCounter = true;
        app->secondsPerTick = 0.001;  // one tick per millisecond keeps the numbers readable
        app->lastCounter = 1000;
        app->paused = false;
        app->animTick = 0;
    }
    AppContext* app = nullptr;
    FrameClock clock;
};
}  // namespace

TEST_F(TimingFixture, FrameTimeFollowsTheCounterAndStopsWhilePaused) {
    EXPECT_TRUE(TimingStep(*app, clock, 1016));
    EXPECT_NEAR(app->frameTime, 0.016, 1e-9);
    EXPECT_NEAR(app->realFrameTime, 0.016, 1e-9);
    EXPECT_EQ(app->lastCounter, 1016);

    app->paused = true;
    EXPECT_TRUE(TimingStep(*app, clock, 1036));
    EXPECT_EQ(app->frameTime, 0.0);
    EXPECT_NEAR(app->realFrameTime, 0.020, 1e-9);
}

TEST_F(TimingFixture, AnimationTickAdvancesAtMostOncePerFrame) {
    TimingStep(*app, clock, 1000 + 5000);  // a long stall of five seconds
    EXPECT_EQ(app->animTick, 1);
    TimingStep(*app, clock, 6000 + 50);  // 50 ms: the excess of the stall was dropped
    EXPECT_EQ(app->animTick, 1);
    TimingStep(*app, clock, 6050 + 30);  // 80 ms in all: strictly above 75 ms
    EXPECT_EQ(app->animTick, 2);
    TimingStep(*app, clock, 6080 + 75);  // exactly 75 ms is not above it
    EXPECT_EQ(app->animTick, 2);
}

TEST_F(TimingFixture, AnimationTickStandsStillWhilePaused) {
    app->paused = true;
    for (int i = 1; i <= 20; ++i) TimingStep(*app, clock, 1000 + i * 100);
    EXPECT_EQ(app->animTick, 0);
}

TEST_F(TimingFixture, NegativeStepIsCarriedIntoTheNextFrame) {
    // A counter that runs backwards (a wrap) gives a negative step: no update this frame, the
    // step is carried and the next frame's update gets the sum.
    EXPECT_FALSE(TimingStep(*app, clock, 990));
    EXPECT_TRUE(TimingStep(*app, clock, 1020));
    EXPECT_NEAR(app->frameTime, 0.020, 1e-9);
}

TEST_F(TimingFixture, AStallOfTwentySecondsHandsOnAQuarterOfASecond) {
    EXPECT_TRUE(TimingStep(*app, clock, 1000 + 20000));
    EXPECT_DOUBLE_EQ(app->frameTime, kMaxTimeStep);
    EXPECT_DOUBLE_EQ(app->realFrameTime, kMaxTimeStep);
    EXPECT_DOUBLE_EQ(app->frameTimeCut, 19.75);  // the menu's time total keeps the true time
    EXPECT_TRUE(TimingStep(*app, clock, 21000 + 16));  // the stall is gone, not carried
    EXPECT_NEAR(app->frameTime, 0.016, 1e-9);
}
