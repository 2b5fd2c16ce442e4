// The waiting main loop against a fake clock: a script of input events and a screen whose
// picture changes at set moments (timers) or on every frame for a while (an animation).
#include "app/FrameLoop.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/App.h"

namespace {
constexpr int kQuitCode = -1;
constexpr double kFrameCost = 0.002;  // what drawing a frame takes on the fake clock

struct Dispatched {
    int code;
    double at;
};

class FakePorts : public LoopPorts {
public:
    // Script: an input event with that code at that moment.
    void Input(double at, int code = 0) { events_.push_back({code, at}); }
    void Timer(double at) { timers_.push_back(at); }
    void Animate(double from, double until) { animations_.push_back({from, until}); }
    void EndAt(double t) { end_ = t; }

    double Now() override { return now_; }
    bool WaitEvent(SDL_Event& event, int timeoutMs) override {
        ++waits_;
        EXPECT_NE(timeoutMs, 0) << "a wait of nothing is a spin";
        const double limit = timeoutMs < 0 ? end_ : std::min(end_, now_ + timeoutMs / 1000.0);
        if (next_ < events_.size() && events_[next_].at <= limit) {
            now_ = std::max(now_, events_[next_].at);
            return Take(event);
        }
        now_ = limit;
        return false;
    }
    bool PollEvent(SDL_Event& event) override {
        if (next_ < events_.size() && events_[next_].at <= now_) return Take(event);
        return false;
    }
    bool Dispatch(const SDL_Event& event) override {
        dispatched.push_back({event.user.code, now_});
        inputChangedPicture_ = true;
        return event.user.code != kQuitCode;
    }
    bool Frame() override {
        frameStart_ = now_;
        frames.push_back(now_);
        const long picture = Picture(now_);
        const bool changed = picture != lastPicture_ || inputChangedPicture_;
        lastPicture_ = picture;
        inputChangedPicture_ = false;
        now_ += kFrameCost;
        return changed;
    }
    double SecondsUntilChange() override {
        double next = kNoChange;
        for (double t : timers_)
            if (t > frameStart_) next = std::min(next, t - frameStart_);
        return next;
    }
    bool Running() override { return now_ < end_; }

    std::vector<Dispatched> dispatched;
    std::vector<double> frames;
    int waits_ = 0;

    int FramesBetween(double from, double to) const {
        return static_cast<int>(std::count_if(frames.begin(), frames.end(), [&](double f) { return f >= from && f < to; }));
    }
    // The first frame at or after t, or a huge value.
    double FirstFrameFrom(double t) const {
        for (double f : frames)
            if (f >= t) return f;
        return 1e9;
    }

private:
    struct Scripted {
        int code;
        double at;
    };
    struct Span {
        double from, until;
    };
    bool Take(SDL_Event& event) {
        event = SDL_Event{};
        event.type = SDL_USEREVENT;
        event.user.code = events_[next_].code;
        ++next_;
        return true;
    }
    // What the screen shows at t: the timers passed, and the frame's own moment while an
    // animation runs.
    long Picture(double t) const {
        long picture = 0;
        for (double timer : timers_)
            if (timer <= t) ++picture;
        for (const Span& a : animations_)
            if (t >= a.from && t < a.until) picture += static_cast<long>(t * 1e6) * 1000;
        return picture;
    }

    std::vector<Scripted> events_;
    size_t next_ = 0;
    std::vector<double> timers_;
    std::vector<Span> animations_;
    double now_ = 0.0;
    double end_ = 10.0;
    double frameStart_ = 0.0;
    long lastPicture_ = -1;
    bool inputChangedPicture_ = false;
};
}  // namespace

TEST(FrameLoop, WaitMillisecondsRoundsUpAndKnowsForever) {
    EXPECT_EQ(WaitMilliseconds(1.0, 1.0101), 11);  // never wakes before the moment
    EXPECT_EQ(WaitMilliseconds(1.0, 1.001), 1);
    EXPECT_EQ(WaitMilliseconds(2.0, 1.0), 0);
    EXPECT_EQ(WaitMilliseconds(2.0, -kNoChange), 0);
    EXPECT_EQ(WaitMilliseconds(0.0, kNoChange), -1);
    EXPECT_EQ(WaitMilliseconds(0.0, 1.0e12), 86400000);  // stays inside an int
}

TEST(FrameLoop, AnIdleScreenSleepsUntilInputAndEveryEventIsHandedOnAtOnceInOrder) {
    FakePorts p;
    const std::vector<double> times = {0.5, 0.5, 0.5004, 1.25, 3.0, 3.001, 3.002, 7.9};
    for (size_t i = 0; i < times.size(); ++i) p.Input(times[i], static_cast<int>(i));
    EXPECT_EQ(RunFrameLoop(p), LoopEnd::kStopped);

    ASSERT_EQ(p.dispatched.size(), times.size());
    for (size_t i = 0; i < times.size(); ++i) {
        EXPECT_EQ(p.dispatched[i].code, static_cast<int>(i));
        // Handed on when it arrives (or when the frame it arrived during is done).
        EXPECT_LE(p.dispatched[i].at - times[i], kFrameCost + 1e-9) << "event " << i;
        // And a frame shows it within one frame period.
        EXPECT_LE(p.FirstFrameFrom(p.dispatched[i].at) - times[i], kFramePeriod + kFrameCost + 0.001) << "event " << i;
    }
    // Nothing moves between the inputs: a frame for the start and about two per burst of input.
    EXPECT_LE(p.frames.size(), 2u + 2 * times.size());
    EXPECT_EQ(p.FramesBetween(3.1, 7.9), 0);
}

TEST(FrameLoop, EveryTimerStepGetsItsFrameOnTime) {
    FakePorts p;
    const std::vector<double> timers = {0.25, 1.0, 1.0005, 2.7, 5.0, 9.9};
    for (double t : timers) p.Timer(t);
    RunFrameLoop(p);
    for (double t : timers) {
        const double late = p.FirstFrameFrom(t) - t;
        EXPECT_GE(late, 0.0);
        // Two timers closer than a frame period share a frame.
        EXPECT_LE(late, t == 1.0005 ? kFramePeriod + 0.001 : 0.0011) << "timer at " << t;
    }
    EXPECT_LE(p.frames.size(), 1u + 2 * timers.size());
}

TEST(FrameLoop, AnAnimationRunsAtTheFullFrameRateAndTheLoopSleepsWhenItStops) {
    FakePorts p;
    p.Input(1.0);  // starts it, say
    p.Animate(1.0, 2.0);
    RunFrameLoop(p);
    const int during = p.FramesBetween(1.0, 2.0);
    EXPECT_GE(during, 55);
    EXPECT_LE(during, 61);
    // No two frames closer than the frame period.
    for (size_t i = 1; i < p.frames.size(); ++i) EXPECT_GE(p.frames[i] - p.frames[i - 1], kFramePeriod - 1e-9);
    EXPECT_LE(p.FramesBetween(2.0, 10.0), 2);
}

TEST(FrameLoop, AFloodOfInputIsAllHandedOnWhileFramesStayAtTheFrameRate) {
    FakePorts p;
    for (int i = 0; i < 1000; ++i) p.Input(1.0 + i * 0.001, i);
    RunFrameLoop(p);
    ASSERT_EQ(p.dispatched.size(), 1000u);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(p.dispatched[i].code, i);
    EXPECT_LE(p.FramesBetween(1.0, 2.0), 61);
    EXPECT_GE(p.FramesBetween(1.0, 2.0), 55);
}

TEST(FrameLoop, AQuitEventEndsTheLoopAtOnce) {
    FakePorts p;
    p.Input(0.5, 1);
    p.Input(2.0, kQuitCode);
    p.Input(2.0, 7);  // never handed on
    EXPECT_EQ(RunFrameLoop(p), LoopEnd::kQuit);
    ASSERT_EQ(p.dispatched.size(), 2u);
    EXPECT_EQ(p.dispatched[1].code, kQuitCode);
    EXPECT_NEAR(p.Now(), 2.0, 1e-9);
}

TEST(FrameLoop, WithNothingToWaitForTheLoopWaitsWithoutLimitInsteadOfSpinning) {
    FakePorts p;
    p.EndAt(1000.0);
    RunFrameLoop(p);
    EXPECT_LE(p.frames.size(), 2u);
    EXPECT_LE(p.waits_, 3);
}
