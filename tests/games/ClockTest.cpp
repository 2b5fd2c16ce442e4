// The clock game: typed digits, the time a task asks for, hand angles, the clocks on the
// screen and the answer entry.
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "games/KG_Uhr_lesen/Clock.h"
#include "games/KG_Uhr_lesen/ClockMath.h"
#include "games/KG_Uhr_lesen/KG_Uhr_lesen.h"
#include "GameTestSupport.h"

using clockmath::Term;

TEST(ClockMathTest, TypedDigitsInMinutes) {
    EXPECT_EQ(clockmath::TypedMinutes("30"), 30);
    EXPECT_EQ(clockmath::TypedMinutes("100"), 60);
    EXPECT_EQ(clockmath::TypedMinutes("0130"), 90);
    EXPECT_EQ(clockmath::TypedMinutes("1345"), 825);
    EXPECT_EQ(clockmath::TypedMinutes("2359"), 1439);
    EXPECT_EQ(clockmath::TypedMinutes("0"), 0);
    EXPECT_EQ(clockmath::TypedMinutes("0000"), 0);
    EXPECT_EQ(clockmath::TypedMinutes("2400"), 1440) << "no modulo: 24:00 is never an answer";
    EXPECT_EQ(clockmath::TypedMinutes("99"), 99);
    EXPECT_EQ(clockmath::TypedMinutes("175"), 135);
    EXPECT_EQ(clockmath::TypedMinutes("2430"), 1470);
    EXPECT_EQ(clockmath::TypedMinutes(""), 0);
    EXPECT_EQ(clockmath::TypedMinutes(std::string(40, '9')), 9999999 * 60 + 99) << "stops growing, no overflow";
    int h = -1, m = -1;
    clockmath::SplitTyped("100", h, m);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(m, 0);
    clockmath::SplitTyped("", h, m);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(m, 0);
    clockmath::SplitTyped("0005", h, m);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(m, 5);
}

TEST(ClockMathTest, AnswersWrapAroundMidnight) {
    EXPECT_EQ(clockmath::TaskAnswer(23 * 60 + 30, {{true, 60}}), 30);
    EXPECT_EQ(clockmath::TaskAnswer(60, {{false, 180}}), 22 * 60);
    EXPECT_EQ(clockmath::TaskAnswer(0, {{false, 0}}), 0);
    EXPECT_EQ(clockmath::TaskAnswer(600, {{true, 1200}, {false, 330}}), 30);
    EXPECT_EQ(clockmath::TaskAnswer(1439, {{true, 1439}, {true, 1439}}), (3 * 1439) % 1440);
    EXPECT_EQ(clockmath::TaskAnswer(0, {{false, 1439}, {false, 1439}}), 2);
    // Typing 3, 0 answers 23:30 + 1:00; typing 2, 4, 3, 0 does not.
    EXPECT_EQ(clockmath::TypedMinutes("30"), clockmath::TaskAnswer(1410, {{true, 60}}));
    EXPECT_NE(clockmath::TypedMinutes("2430"), clockmath::TaskAnswer(1410, {{true, 60}}));
}

TEST(ClockMathTest, HandAnglesInDegrees) {
    EXPECT_DOUBLE_EQ(clockmath::MinuteAngle(30), 180.0);
    EXPECT_DOUBLE_EQ(clockmath::HourAngle(3, 30), 105.0);
    EXPECT_DOUBLE_EQ(clockmath::HourAngle(15, 30), 105.0);
    EXPECT_DOUBLE_EQ(clockmath::MinuteAngle(0), 0.0);
    EXPECT_DOUBLE_EQ(clockmath::HourAngle(12, 0), 0.0);
    EXPECT_DOUBLE_EQ(clockmath::HourAngle(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(clockmath::MinuteAngle(59), 354.0);
    EXPECT_DOUBLE_EQ(clockmath::HourAngle(23, 59), 359.5);
    EXPECT_DOUBLE_EQ(clockmath::MinuteAngle(1), 6.0);
    EXPECT_DOUBLE_EQ(clockmath::HourAngle(1, 12), 36.0);
}

TEST(ClockMathTest, TimesPrintTheHourZero) {
    EXPECT_EQ(clockmath::TimeText(0, 5), "0:05");
    EXPECT_EQ(clockmath::TimeText(13, 45), "13:45");
    EXPECT_EQ(clockmath::TimeText(0, 0), "0:00");
    EXPECT_EQ(clockmath::SpacedTimeText(0, 30), "0 : 30");
    EXPECT_EQ(clockmath::SpacedTimeText(22, 0), "22 : 00");
}

namespace {
class FilelessClock : public KG_Uhr_lesen {
public:
    FilelessClock(int level, unsigned seed) : KG_Uhr_lesen(level, seed) { WithoutFile(*this); }
};

// The rotation of a drawn sprite in degrees, clockwise, within [0, 360).
double RotationOf(const DrawCommand& c) {
    double d = std::atan2(c.transform[1], c.transform[0]) * 180.0 / M_PI;
    return d < -1e-6 ? d + 360.0 : std::max(0.0, d);
}

class ClockGameTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        LoadEnglish();
    }
    void Start(int level, unsigned seed = 5) {
        game = std::make_unique<FilelessClock>(level, seed);
        game->Start();
    }
    void Type(const std::string& keys) { TypeKeys(*game, keys); }
    void Enter() { PressEnter(*game); }
    std::string RightDigits() const {
        return std::to_string(game->answerMinutes / 60 * 100 + game->answerMinutes % 60);
    }
    std::vector<Clock*> Clocks() {
        std::vector<Clock*> out;
        for (Clock* c : game->clocks) out.push_back(c);
        return out;
    }
    std::unique_ptr<FilelessClock> game;
};
}  // namespace

TEST_F(ClockGameTest, ClocksStandInARowAndTheAnswerFollowsFromThem) {
    for (int level = 0; level < 3; ++level) {
        Start(level, 17 + level);
        const int count = level == 2 ? 3 : 2;
        EXPECT_EQ(game->taskCount, level == 0 ? 5 : level == 1 ? 10 : 15);
        std::set<bool> kinds;
        for (int task = 0; task < 100; ++task) {
            game->NewTask();
            std::vector<Clock*> clocks = Clocks();
            ASSERT_EQ(static_cast<int>(clocks.size()), count);
            EXPECT_EQ(game->plusSigns.Count() + game->minusSigns.Count(), count - 1);
            std::set<bool> taskKinds;
            for (int i = 0; i < count; ++i) {
                EXPECT_FLOAT_EQ(clocks[i]->centre.x, level == 0 ? 256 + 512 * i : count == 2 ? 128 + 768 * i : 128 + 384 * i);
                EXPECT_FLOAT_EQ(clocks[i]->centre.y, 256.0f);
                EXPECT_TRUE(clocks[i]->hour >= 0 && clocks[i]->hour < 24);
                EXPECT_TRUE(clocks[i]->minute >= 0 && clocks[i]->minute < 60);
                taskKinds.insert(clocks[i]->analogue);
                kinds.insert(clocks[i]->analogue);
            }
            if (level == 0) {
                EXPECT_EQ(taskKinds.size(), 1u) << "clocks of two kinds in one level-0 task";
            }
            // The sign between clocks i-1 and i decides how clock i counts.
            std::vector<Term> terms;
            for (int i = 1; i < count; ++i) {
                const float signX = (clocks[i - 1]->centre.x + clocks[i]->centre.x) / 2;
                bool plus = false, found = false;
                for (Vec2* q : game->plusSigns)
                    if (q->x == signX && q->y == 256.0f) plus = found = true;
                for (Vec2* q : game->minusSigns)
                    if (q->x == signX && q->y == 256.0f) found = true;
                ASSERT_TRUE(found) << "no sign at " << signX;
                terms.push_back({plus, clocks[i]->MinutesOfDay()});
            }
            EXPECT_EQ(game->answerMinutes, clockmath::TaskAnswer(clocks[0]->MinutesOfDay(), terms));
        }
        EXPECT_EQ(kinds.size(), 2u) << "level " << level << " never showed both kinds";
    }
}

TEST_F(ClockGameTest, DialsShowLabelAndHandsDisplaysTheTime) {
    Start(0);
    auto frameOf = [&](Clock& clock) {
        app->sprite->Begin();
        clock.Draw(nullptr, nullptr);
        app->sprite->End();
        return app->sprite->Commands();
    };
    Clock noon(200.0f, 300.0f, true, 12, 0);
    auto frame = frameOf(noon);
    ASSERT_EQ(TextsOf(frame).size(), 1u);
    EXPECT_EQ(TextsOf(frame)[0].text, "pm");
    auto sprites = SpritesOf(frame, app->texMisc1);
    ASSERT_EQ(sprites.size(), 4u) << "dial, hands, the label's field";
    sprites.pop_back();
    const Rect dial = Clock::kDial;
    EXPECT_EQ(sprites[0].src, (Rect{dial.left + 1, dial.top + 1, dial.right - 1, dial.bottom - 1})) << "no texel beside";
    EXPECT_EQ(sprites[1].src, Clock::kHourHand);
    EXPECT_EQ(sprites[2].src, Clock::kMinuteHand);
    EXPECT_NEAR(RotationOf(sprites[1]), 0.0, 1e-3);
    EXPECT_NEAR(RotationOf(sprites[2]), 0.0, 1e-3);
    // The hands turn about the clock's centre: the middle of the picture stays on it.
    for (const DrawCommand& c : sprites) {
        const double half = (c.src.right - c.src.left) / 2.0;
        EXPECT_NEAR(c.transform[0] * half + c.transform[2] * half + c.transform[4], 200.0, 1e-3);
        EXPECT_NEAR(c.transform[1] * half + c.transform[3] * half + c.transform[5], 300.0, 1e-3);
    }
    Clock midnight(200.0f, 300.0f, true, 0, 0);
    EXPECT_EQ(TextsOf(frameOf(midnight))[0].text, "am");
    Clock halfPast(200.0f, 300.0f, true, 15, 30);
    sprites = SpritesOf(frameOf(halfPast), app->texMisc1);
    EXPECT_NEAR(RotationOf(sprites[1]), 105.0, 1e-3);
    EXPECT_NEAR(RotationOf(sprites[2]), 180.0, 1e-3);
    Clock late(200.0f, 300.0f, true, 23, 59);
    sprites = SpritesOf(frameOf(late), app->texMisc1);
    EXPECT_NEAR(RotationOf(sprites[1]), 359.5, 1e-3);
    EXPECT_NEAR(RotationOf(sprites[2]), 354.0, 1e-3);
    Clock digital(200.0f, 300.0f, false, 0, 5);
    frame = frameOf(digital);
    ASSERT_EQ(TextsOf(frame).size(), 1u);
    EXPECT_EQ(TextsOf(frame)[0].text, "0:05");
    EXPECT_EQ(SpritesOf(frame, app->texMisc1)[0].src, Clock::kDisplay);
}

TEST_F(ClockGameTest, OneClockFontForTheWholeGame) {
    Start(2);
    std::set<const Font*> fonts;
    for (int task = 0; task < 20; ++task) {
        game->NewTask();
        for (const DrawCommand& c : TextsOf(RenderFrame(*game))) fonts.insert(c.font);
    }
    EXPECT_LE(fonts.size(), 3u) << "time panel and signs, clocks";
}

TEST_F(ClockGameTest, TypingJudgingAndTheNextTask) {
    Start(0);
    Type("12345");
    EXPECT_EQ(game->answer.Text(), "1234") << "a fifth digit";
    game->OnKeyDown(kKeyBack);
    game->OnKeyDown(kKeyBack);
    EXPECT_EQ(game->answer.Text(), "12");
    bool shown = false;
    for (const DrawCommand& c : TextsOf(RenderFrame(*game))) shown = shown || c.text == "0:12";
    EXPECT_TRUE(shown) << "typed 1, 2 shows as 0:12";
    game->OnKeyDown(kKeyBack);
    game->OnKeyDown(kKeyBack);
    game->OnKeyDown(kKeyBack);
    Enter();
    EXPECT_EQ(game->Answered(), 0) << "Enter without digits";
    game->OnKeyUp(kKeyReturn);
    EXPECT_EQ(game->Answered(), 0);

    const std::vector<Clock*> first = Clocks();
    auto times = [&] {
        std::vector<int> out{game->answerMinutes};
        for (Clock* c : game->clocks) out.push_back(c->MinutesOfDay());
        return out;
    };
    const std::vector<int> firstTimes = times();
    Type(RightDigits());
    Enter();
    EXPECT_EQ(game->rightCount, 1);
    EXPECT_EQ(app->lastSoundId, 1);
    EXPECT_TRUE(game->answer.LastRight());
    bool tick = false;
    for (const DrawCommand& c : SpritesOf(RenderFrame(*game), app->texMisc1))
        tick = tick || (c.src == Rect{0, 450, 50, 500} && c.transform[4] == 512.0f + 37.5f);
    EXPECT_TRUE(tick);
    Type("1");
    EXPECT_EQ(game->answer.Text(), RightDigits()) << "keys during the verdict";
    Step(*game, 1.0);
    EXPECT_EQ(Clocks(), first);
    Step(*game, 1.01);
    EXPECT_FALSE(game->answer.InVerdict());
    EXPECT_EQ(game->answer.Text(), "");
    EXPECT_NE(times(), firstTimes) << "no new task after the verdict";

    // A wrong answer: the right time blinks in pink, the typed one stays beside it, struck through.
    const int right = game->answerMinutes;
    Type(right == 0 ? "1" : "0");
    Enter();
    EXPECT_EQ(game->wrongCount, 1);
    EXPECT_EQ(app->lastSoundId, 11);
    const std::string shownRight = clockmath::SpacedTimeText(right / 60, right % 60);
    int pinkFrames = 0, struckFrames = 0;
    for (int i = 0; i < 19; ++i) {
        Step(*game, 0.1);
        for (const DrawCommand& c : TextsOf(RenderFrame(*game))) {
            if (c.text == shownRight && c.color == 0xFFFF7F7F) ++pinkFrames;
            if ((c.text == "0:00" || c.text == "0:01") && c.color == 0xFF2A2238) ++struckFrames;
        }
    }
    EXPECT_GT(pinkFrames, 6);
    EXPECT_EQ(struckFrames, 19);
    EXPECT_LT(pinkFrames, 14);
}

TEST_F(ClockGameTest, TheGameEndsAfterItsTasksWithTheGrade) {
    Start(0);
    for (int task = 0; task < 5; ++task) {
        ASSERT_EQ(game->GetState(), kStatePlaying);
        Step(*game, 12.0);
        if (task == 3)
            Type(game->answerMinutes == 1439 ? "0" : "2400");
        else
            Type(RightDigits());
        Enter();
        for (int i = 0; i < 30 && game->answer.InVerdict(); ++i) Step(*game, 0.1);
    }
    EXPECT_EQ(game->GetState(), kStateOver);
    EXPECT_EQ(game->rightCount, 4);
    EXPECT_EQ(game->wrongCount, 1);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->GetGrade(), 1.0 / 5 * 5 + 1 + 60.0 / 120);
    const std::string result = game->GetResultText();
    EXPECT_NE(result.find("80"), std::string::npos) << result;
    Step(*game, 1.0);
    EXPECT_EQ(game->GetState(), kStateOver);

    // Left early during a verdict: the game stays left and keeps its counts.
    Start(1);
    Step(*game, 30.0);
    Type("1");
    Enter();
    game->SetState(kStateAborted);
    for (int i = 0; i < 40; ++i) Step(*game, 0.1);
    EXPECT_EQ(game->GetState(), kStateAborted);
    game->ComputeGrade();
    const double wrongShare = game->wrongCount == 1 ? 1.0 : 0.0;
    EXPECT_DOUBLE_EQ(game->GetGrade(), std::min(6.0, wrongShare * 10 + 1 + 30.0 / 120));
}
