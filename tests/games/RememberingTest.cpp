// The sequence-memory game: where its buttons lie, how a sequence is shown frame by frame, how
// clicks are judged, growth, the alarm on a wrong click, grades, the result line and drawing.
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "framework/TextFormat.h"
#include "games/KG_Gedaechtnis/ButtonPlacement.h"
#include "games/KG_Gedaechtnis/KG_Gedaechtnis.h"
#include "games/KG_Gedaechtnis/SequenceRound.h"
#include "GameTestSupport.h"

namespace {
using Verdict = SequenceRound::Verdict;

// A game that writes no statistics file.
class FilelessRemembering : public KG_Gedaechtnis {
public:
    FilelessRemembering(int level, unsigned seed) : KG_Gedaechtnis(level, seed) { WithoutFile(*this); }
};

struct LevelLayout {
    int level;
    int count;
    double size;
};
const LevelLayout kLayouts[] = {{0, 20, 40.0}, {1, 30, 30.0}, {2, 40, 20.0}};

// A frame time that adds up without rounding: steps of 2.5 s and 0.5 s are whole frames.
constexpr double kFrame = 1.0 / 64;

void ExpectValidPlacement(const ButtonPlacement& p, const LevelLayout& l, const std::string& what) {
    ASSERT_EQ(static_cast<int>(p.centres.size()), l.count) << what;
    EXPECT_EQ(p.crowded, 0) << what;
    for (size_t i = 0; i < p.centres.size(); ++i) {
        const Vec2 a = p.centres[i];
        EXPECT_GE(a.x, l.size + 100) << what;
        EXPECT_GE(a.y, l.size + 100) << what;
        EXPECT_LE(a.x, 1024 - l.size - 101) << what;
        EXPECT_LE(a.y, 768 - l.size - 101) << what;
        for (size_t j = 0; j < i; ++j) {
            const double d = std::hypot(static_cast<double>(a.x) - p.centres[j].x, static_cast<double>(a.y) - p.centres[j].y);
            EXPECT_GE(d, l.size) << what << ": buttons " << j << " and " << i;
        }
    }
}

class RememberingTest : public GameTest {
protected:
    void StartGame(int level, unsigned seed) {
        game = std::make_unique<FilelessRemembering>(level, seed);
        game->Start();
    }
    static void Click(KG_Gedaechtnis& g, float x, float y) {
        g.OnLButtonDown(static_cast<uint16_t>(std::lround(x)), static_cast<uint16_t>(std::lround(y)));
    }
    static void ClickButton(KG_Gedaechtnis& g, int index) {
        const MemoryButton* b = g.Button(index);
        Click(g, b->centre.x, b->centre.y);
    }
    // Frames until the player's turn; returns how many were needed.
    int WatchShowing(KG_Gedaechtnis& g) {
        int frames = 0;
        while (g.round.showing && frames < 100000) {
            Step(g, kFrame);
            ++frames;
        }
        return frames;
    }
    void RepeatSequence(KG_Gedaechtnis& g) {
        const std::vector<int> seq = g.round.sequence;
        for (int b : seq) ClickButton(g, b);
    }
    // The buttons lit in the current frame.
    static std::vector<int> LitButtons(KG_Gedaechtnis& g) {
        std::vector<int> lit;
        for (int i = 0; i < g.buttons.Count(); ++i)
            if (g.Button(i)->Lit()) lit.push_back(i);
        return lit;
    }
    // Moves two buttons so that they touch at one point, away from the others; returns that point.
    static Vec2 MakeTouching(KG_Gedaechtnis& g, int a, int b) {
        const float s = static_cast<float>(g.buttonSize);
        for (int i = 0; i < g.buttons.Count(); ++i) g.Button(i)->centre = Vec2{900.0f, 100.0f + 3 * s * i};
        g.Button(a)->centre = Vec2{300.0f, 400.0f};
        g.Button(b)->centre = Vec2{300.0f + s, 400.0f};
        return Vec2{300.0f + s / 2, 400.0f};
    }

    // Shows a sequence frame by frame and checks its timeline: one lit button per step, lit for
    // four fifths of the step, the next step on time, and the player's turn as the last light
    // goes out.
    void ExpectTimeline(KG_Gedaechtnis& g, const std::vector<int>& seq) {
        g.round.sequence = seq;
        g.round.sequencePos = 0;
        g.round.showing = true;
        g.round.stepTimer = 0.0;
        const int L = static_cast<int>(seq.size());
        const int framesPerStep = static_cast<int>(std::lround(10.0 / L / kFrame));
        struct Flash {
            int button;
            int first;
            int last;
        };
        std::vector<Flash> flashes;
        int turnFrame = -1;
        int previous = -1;
        for (int f = 1; f <= 12 * 64 && turnFrame < 0; ++f) {
            Step(g, kFrame);
            const std::vector<int> lit = LitButtons(g);
            ASSERT_LE(lit.size(), 1u) << "frame " << f;
            const int now = lit.empty() ? -1 : lit[0];
            if (now >= 0 && now == previous) flashes.back().last = f;
            if (now >= 0 && now != previous) flashes.push_back({now, f, f});
            previous = now;
            // Clicks while the sequence shows are not judged.
            if (f == 3 * framesPerStep / 2) {
                ClickButton(g, seq[g.round.sequencePos - 1]);
                ClickButton(g, seq[0]);
                EXPECT_EQ(g.round.judgedClicks, 0);
                EXPECT_FALSE(g.TakesClicks()) << "nor sounded";
            }
            if (!g.round.showing) turnFrame = f;
        }
        ASSERT_EQ(static_cast<int>(flashes.size()), L) << "a repeated button must flash twice";
        const double litSeconds = 10.0 / L * 0.8;
        for (int k = 0; k < L; ++k) {
            EXPECT_EQ(flashes[k].button, seq[k]) << "step " << k;
            EXPECT_EQ(flashes[k].first, k == 0 ? 1 : k * framesPerStep) << "step " << k;
            const double lit = (flashes[k].last - flashes[k].first + 1) * kFrame;
            EXPECT_NEAR(lit, litSeconds, kFrame) << "step " << k;
        }
        EXPECT_EQ(turnFrame, flashes.back().last + 1) << "the player's turn starts as the last light goes out";
        EXPECT_TRUE(g.TakesClicks());
        EXPECT_EQ(g.round.sequencePos, 0);
        EXPECT_TRUE(LitButtons(g).empty());
    }

    std::unique_ptr<FilelessRemembering> game;
};
}  // namespace

TEST_F(RememberingTest, ButtonsKeepTheMarginsAndOneSizeApartOverManySeeds) {
    for (const LevelLayout& l : kLayouts) {
        for (unsigned seed = 0; seed < 300; ++seed) {
            std::srand(seed * 2654435761u + 3);
            ExpectValidPlacement(PlaceButtons(l.count, l.size, 1024, 768), l,
                                 "level " + std::to_string(l.level) + " seed " + std::to_string(seed));
            if (HasFailure()) return;
        }
    }
}

TEST_F(RememberingTest, PlacementDrawsYBeforeXAndRedrawsTooCloseCentres) {
    std::srand(42);
    const int y = std::rand() % 488;
    const int x = std::rand() % 744;
    std::srand(42);
    ButtonPlacement p = PlaceButtons(1, 40.0, 1024, 768);
    ASSERT_EQ(p.centres.size(), 1u);
    EXPECT_EQ(p.centres[0], (Vec2{static_cast<float>(x + 140), static_cast<float>(y + 140)}));

    // Two buttons on a strip one pixel high and 81 wide: most draws for the second lie too
    // close to the first and are drawn again.
    for (unsigned seed = 0; seed < 50; ++seed) {
        std::srand(seed);
        p = PlaceButtons(2, 40.0, 81 + 280, 1 + 280);
        ASSERT_EQ(p.centres.size(), 2u);
        EXPECT_EQ(p.crowded, 0);
        EXPECT_EQ(p.centres[0].y, p.centres[1].y);
        EXPECT_GE(std::fabs(p.centres[0].x - p.centres[1].x), 40.0f) << seed;
    }
}

TEST_F(RememberingTest, PlacementEndsOnAScreenTooSmallForTheButtons) {
    std::srand(5);
    ButtonPlacement p = PlaceButtons(20, 40.0, 300, 300, 2000);
    EXPECT_EQ(p.centres.size(), 20u);
    EXPECT_GT(p.crowded, 0);
    for (const Vec2& c : p.centres) {
        EXPECT_GE(c.x, 140.0f);
        EXPECT_GE(c.y, 140.0f);
    }
    EXPECT_EQ(PlaceButtons(0, 40.0, 1024, 768).centres.size(), 0u);
}

TEST_F(RememberingTest, EachLevelBuildsItsButtonsWithOneDesignAndAFirstSequenceOfFour) {
    for (const LevelLayout& l : kLayouts) {
        FilelessRemembering g(l.level, 11 + l.level);
        ASSERT_EQ(g.buttons.Count(), l.count);
        EXPECT_EQ(g.buttonCount, l.count);
        EXPECT_EQ(g.crowdedButtons, 0);
        const int design = g.Button(0)->picture;
        EXPECT_TRUE(design >= 0 && design < 12);
        for (MemoryButton* b : g.buttons) {
            EXPECT_EQ(b->picture, design);
            EXPECT_EQ(b->size, l.size);
            EXPECT_FALSE(b->Lit());
        }
        ASSERT_EQ(g.round.Length(), 4);
        for (int b : g.round.sequence) EXPECT_TRUE(b >= 0 && b < l.count);
        EXPECT_TRUE(g.round.showing);
        EXPECT_EQ(g.round.sequencePos, 0);
        EXPECT_EQ(g.state, kStatePlaying);
        EXPECT_EQ(g.round.showDuration, 10.0);
    }
}

TEST_F(RememberingTest, NothingIsShownBeforeStart) {
    game = std::make_unique<FilelessRemembering>(0, 1);
    Step(*game, 1.0);
    EXPECT_TRUE(LitButtons(*game).empty());
    EXPECT_EQ(game->round.sequencePos, 0);
    const std::vector<DrawCommand> frame = RenderFrame(*game);
    EXPECT_TRUE(SpritesOf(frame, app->texMenu2).empty());
    EXPECT_EQ(SpritesOf(frame, app->texMisc3).size(), 20u);
    game->Start();
    Step(*game, kFrame);
    EXPECT_EQ(LitButtons(*game), std::vector<int>{game->round.sequence[0]});
    game->SetState(kStatePaused);  // the showing stands still with its light out
    for (const DrawCommand& c : SpritesOf(RenderFrame(*game), app->texMisc3)) EXPECT_EQ(c.src.top % 200, 50);
}

TEST_F(RememberingTest, ASequenceOfFourWithARepeatedButtonShowsOverTenSeconds) {
    StartGame(0, 2);
    ExpectTimeline(*game, {3, 3, 7, 1});
    EXPECT_DOUBLE_EQ(game->playTime, 0.0) << "watching does not count";
}

TEST_F(RememberingTest, ASequenceOfTwentyShowsEachButtonForFourTenthsOfASecond) {
    StartGame(0, 3);
    ExpectTimeline(*game, {0, 1, 2, 3, 4, 5, 6, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 19});
}

TEST_F(RememberingTest, TheStepClockStartsAfreshAfterAStall) {
    StartGame(1, 4);
    Step(*game, kFrame);
    EXPECT_EQ(game->round.sequencePos, 1);
    Step(*game, 7.0);  // a stalled frame: one step, not the three it spans
    EXPECT_EQ(game->round.sequencePos, 2);
    EXPECT_EQ(LitButtons(*game), std::vector<int>{game->round.sequence[1]});
    EXPECT_DOUBLE_EQ(game->round.stepTimer, 2.5);
}

TEST_F(RememberingTest, ARepeatedSequenceGrowsByOneAndIsShownAgainAfterOneSecond) {
    StartGame(0, 5);
    WatchShowing(*game);
    const std::vector<int> first = game->round.sequence;
    Step(*game, 0.5);
    ClickButton(*game, first[0]);
    EXPECT_EQ(game->round.sequencePos, 1);
    EXPECT_TRUE(game->Button(first[0])->Lit());
    EXPECT_DOUBLE_EQ(game->Button(first[0])->lightTime, 1.0);
    for (size_t i = 1; i < first.size(); ++i) ClickButton(*game, first[i]);
    EXPECT_EQ(game->state, kStatePlaying);
    ASSERT_EQ(game->round.Length(), 5);
    EXPECT_EQ(std::vector<int>(game->round.sequence.begin(), game->round.sequence.begin() + 4), first);
    EXPECT_TRUE(game->round.showing);
    EXPECT_EQ(game->round.sequencePos, 0);
    EXPECT_EQ(game->round.longestRepeated, 4);
    EXPECT_EQ(game->round.judgedClicks, 4);

    // One second of pause (the last clicked button fades), then the first step.
    const double played = game->playTime;
    for (int f = 0; f < 63; ++f) Step(*game, kFrame);
    EXPECT_EQ(game->round.sequencePos, 0);
    Step(*game, kFrame);
    EXPECT_EQ(game->round.sequencePos, 1);
    EXPECT_EQ(LitButtons(*game), std::vector<int>{game->round.sequence[0]});
    EXPECT_DOUBLE_EQ(game->round.stepTimer, 2.0);  // five steps in ten seconds
    EXPECT_DOUBLE_EQ(game->playTime, played);
}

TEST_F(RememberingTest, AWrongClickEndsTheGameWithTheAlarm) {
    StartGame(0, 6);
    WatchShowing(*game);
    const int right = game->round.sequence[0];
    const int wrong = (right + 1) % game->buttons.Count();
    const int sounds = app->soundsRequested;
    Step(*game, 2.0);
    ClickButton(*game, wrong);
    EXPECT_EQ(game->state, kStateOverOther);
    EXPECT_EQ(app->soundsRequested, sounds + 1);
    EXPECT_EQ(app->lastSoundId, 10);
    EXPECT_TRUE(game->Button(wrong)->Lit());
    EXPECT_EQ(game->round.sequencePos, 0);
    // Over: further clicks change nothing, and the time stands.
    ClickButton(*game, right);
    EXPECT_EQ(game->round.judgedClicks, 1);
    EXPECT_TRUE(game->Button(right)->Lit()) << "the button that was due lights";
    Step(*game, 0.5);
    EXPECT_DOUBLE_EQ(game->playTime, 2.0);
    EXPECT_TRUE(game->Button(wrong)->Lit());
    Step(*game, KG_Gedaechtnis::kFailLight);
    EXPECT_FALSE(game->Button(wrong)->Lit());
    EXPECT_FALSE(game->Button(right)->Lit());
    EXPECT_EQ(app->soundsRequested, sounds + 1);
}

TEST_F(RememberingTest, ClicksBetweenButtonsCostNothing) {
    StartGame(2, 7);
    WatchShowing(*game);
    int tried = 0;
    for (int y = 5; y < 768 && tried < 30; y += 23)
        for (int x = 5; x < 1024 && tried < 30; x += 31)
            if (game->ButtonAt(x, y) < 0) {
                Click(*game, x, y);
                ++tried;
            }
    EXPECT_EQ(tried, 30);
    EXPECT_EQ(game->round.judgedClicks, 0);
    EXPECT_EQ(game->state, kStatePlaying);
    // The rim counts, the corner of the picture's square does not.
    MemoryButton* b = game->Button(game->round.sequence[0]);
    const float r = static_cast<float>(b->size / 2);
    EXPECT_FALSE(b->HitTest(b->centre.x + r - 1, b->centre.y + r - 1));
    EXPECT_TRUE(b->HitTest(b->centre.x + r, b->centre.y));
}

TEST_F(RememberingTest, AClickOnThePointWhereTwoButtonsTouchIsJudgedOnce) {
    StartGame(0, 8);
    WatchShowing(*game);
    const Vec2 touch = MakeTouching(*game, 2, 5);
    ASSERT_TRUE(game->Button(2)->HitTest(touch.x, touch.y));
    ASSERT_TRUE(game->Button(5)->HitTest(touch.x, touch.y));
    EXPECT_EQ(game->ButtonAt(touch.x, touch.y), 2);
    // The last step of the sequence: one step, then the sequence grows once.
    game->round.sequence = {9, 9, 9, 2};
    game->round.sequencePos = 3;
    Click(*game, touch.x, touch.y);
    EXPECT_EQ(game->round.judgedClicks, 1);
    EXPECT_EQ(game->state, kStatePlaying);
    EXPECT_EQ(game->round.Length(), 5);
    EXPECT_TRUE(game->Button(2)->Lit());
    EXPECT_FALSE(game->Button(5)->Lit());

    // The winning click: nothing is read beyond the end of the sequence.
    game->round.sequence.assign(20, 7);
    game->round.sequence[19] = 2;
    game->round.sequencePos = 19;
    game->round.showing = false;
    Click(*game, touch.x, touch.y);
    EXPECT_EQ(game->round.judgedClicks, 2);
    EXPECT_EQ(game->state, kStateOver);
    EXPECT_EQ(game->round.longestRepeated, 20);
    EXPECT_EQ(game->round.Judge(2), Verdict::kIgnored);
}

TEST_F(RememberingTest, JudgingAClick) {
    SequenceRound r(3, 10.0);
    r.sequence = {0, 2, 1};
    EXPECT_EQ(r.Judge(0), Verdict::kIgnored) << "during the showing";
    r.showing = false;
    EXPECT_EQ(r.Judge(0), Verdict::kRight);
    EXPECT_EQ(r.Judge(2), Verdict::kRight);
    EXPECT_EQ(r.Judge(1), Verdict::kWon) << "as long as there are buttons";
    EXPECT_EQ(r.Judge(1), Verdict::kIgnored);
    EXPECT_EQ(r.judgedClicks, 3);

    SequenceRound s(5, 10.0);
    s.sequence = {4, 4};
    s.showing = false;
    EXPECT_EQ(s.Judge(4), Verdict::kRight);
    EXPECT_EQ(s.Judge(4), Verdict::kRepeated);
    EXPECT_EQ(s.longestRepeated, 2);
    s.Grow(3);
    EXPECT_EQ(s.sequence, (std::vector<int>{4, 4, 3}));
    EXPECT_TRUE(s.showing);
    EXPECT_EQ(s.stepTimer, 1.0);
    s.showing = false;
    EXPECT_EQ(s.Judge(3), Verdict::kWrong);
    EXPECT_EQ(s.sequencePos, 0);
    EXPECT_EQ(s.longestRepeated, 2);
}

TEST_F(RememberingTest, ClicksBeforeStartOrWhilePausedAreIgnored) {
    game = std::make_unique<FilelessRemembering>(0, 9);
    game->round.showing = false;
    ClickButton(*game, game->round.sequence[0]);
    EXPECT_EQ(game->round.judgedClicks, 0);
    game->Start();
    game->SetState(kStatePaused);
    ClickButton(*game, game->round.sequence[0]);
    EXPECT_EQ(game->round.judgedClicks, 0);
    game->SetState(kStatePlaying);
    ClickButton(*game, game->round.sequence[0]);
    EXPECT_EQ(game->round.judgedClicks, 1);
}

TEST_F(RememberingTest, AWholeGameWonAtTheFirstLevel) {
    StartGame(0, 10);
    double watching = 0.0;
    while (game->state == kStatePlaying) {
        watching += WatchShowing(*game) * kFrame;
        Step(*game, 1.5);
        RepeatSequence(*game);
        ASSERT_LE(game->round.Length(), 20);
    }
    EXPECT_EQ(game->state, kStateOver);
    EXPECT_EQ(game->round.Length(), 20);
    EXPECT_EQ(game->round.longestRepeated, 20);
    EXPECT_DOUBLE_EQ(game->playTime, 17 * 1.5);
    EXPECT_GT(watching, 17 * 9.5);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 1.0 + 17 * 1.5 / 204 / 2.0) << "by the average time per click";
}

TEST_F(RememberingTest, GradeExamples) {
    LoadEnglish();
    StartGame(0, 12);
    // Lost at length 10 (nine repeated) after 100 s and 30 clicks: 2.75 + 1 + 100 / 30 / 2.
    game->round.sequence.assign(10, 0);
    game->round.longestRepeated = 9;
    game->round.judgedClicks = 30;
    game->playTime = 100.0;
    game->SetState(kStateOverOther);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 3.75 + 100.0 / 30 / 2);
    // Won after 120 s of input in 30 clicks: 1 + 120 / 30 / 2.
    game->round.sequence.assign(20, 0);
    game->round.longestRepeated = 20;
    game->playTime = 120.0;
    game->SetState(kStateOver);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 3.0);
    game->playTime = 1000.0;
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 6.0);

    // Left before any click was judged: no result, and no top-ten entry with a win sound.
    FilelessRemembering left(0, 13);
    left.Start();
    left.SetState(kStateAborted);
    left.ComputeGrade();
    EXPECT_DOUBLE_EQ(left.grade, 6.0);
    // Left after one right click: nothing repeated yet, 5 for all twenty buttons.
    FilelessRemembering clicked(0, 14);
    clicked.Start();
    clicked.round.showing = false;
    ClickButton(clicked, clicked.round.sequence[0]);
    clicked.SetState(kStateAborted);
    clicked.ComputeGrade();
    EXPECT_DOUBLE_EQ(clicked.grade, 6.0);
    // Lost at once: the wrong first click is judged, so the formula holds.
    FilelessRemembering lost(1, 15);
    lost.Start();
    lost.round.showing = false;
    lost.round.sequence = {0, 0, 0, 0, 0};
    lost.round.longestRepeated = 4;
    ClickButton(lost, 1);
    ASSERT_EQ(lost.state, kStateOverOther);
    lost.playTime = 0.8;
    lost.ComputeGrade();
    EXPECT_DOUBLE_EQ(lost.grade, 5.0 * (1 - 4.0 / 30) + 1 + 0.8 / 2) << "only the sequence repeated counts";
}

TEST_F(RememberingTest, ResultLineSaysHowLongASequenceWasRepeated) {
    LoadEnglish();
    StartGame(0, 16);
    WatchShowing(*game);
    // Wrong at the very first step: nothing was repeated.
    ClickButton(*game, (game->round.sequence[0] + 1) % 20);
    game->playTime = 75.2;
    game->ComputeGrade();
    const std::string expected = FormatText(app->GetText(22), 1, 15) + "\n" + FormatText(app->GetText(36), 0) +
                                 "\n\n" + FormatText(app->GetText(50), game->grade);
    EXPECT_EQ(std::string(game->GetResultText()), expected);
    EXPECT_NE(expected.find("Longest sequence repeated: 0"), std::string::npos) << expected;

    // One sequence repeated, then a wrong click: four.
    FilelessRemembering once(0, 17);
    once.Start();
    WatchShowing(once);
    RepeatSequence(once);
    WatchShowing(once);
    ClickButton(once, (once.round.sequence[0] + 1) % 20);
    ASSERT_EQ(once.state, kStateOverOther);
    EXPECT_NE(std::string(once.GetResultText()).find("Longest sequence repeated: 4"), std::string::npos);

    // Won: the line without a number.
    once.SetState(kStateOver);
    EXPECT_NE(std::string(once.GetResultText()).find(app->GetText(38)), std::string::npos);
    EXPECT_STREQ(game->GetTitle(), app->GetText(18));
    EXPECT_STREQ(game->GetHelpText(), app->GetText(67));
}

TEST_F(RememberingTest, RenderDrawsThePanelAndEveryButtonLitOrUnlit) {
    LoadEnglish();
    StartGame(1, 18);
    Step(*game, kFrame);
    const int litButton = game->round.sequence[0];
    std::vector<DrawCommand> frame = RenderFrame(*game);
    ASSERT_EQ(SpritesOf(frame, app->texMenu2).size(), 2u);
    std::vector<DrawCommand> texts = TextsOf(frame);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, FormatText(app->GetText(452), 1, 27));
    EXPECT_EQ(texts[0].text, FormatText(app->GetText(63), 0, 0) + "\n" + FormatText(app->GetText(51), 1, 4));
    EXPECT_EQ(texts[0].rect, (Rect{362, 0, 662, 50}));
    EXPECT_EQ(texts[0].format, kTextCenter | kTextVCenter);

    std::vector<DrawCommand> sprites = SpritesOf(frame, app->texMisc3);
    ASSERT_EQ(sprites.size(), 30u);
    const int d = game->Button(0)->picture;
    const int left = d % 6 * 100, top = d / 6 * 200;
    for (int i = 0; i < 30; ++i) {
        const MemoryButton* b = game->Button(i);
        const DrawCommand& c = sprites[i];
        const int y = top + (i == litButton ? 150 : 50);
        EXPECT_EQ(c.src, (Rect{left, y, left + 50, y + 50})) << i;
        EXPECT_FLOAT_EQ(c.transform[0], 0.6f);
        EXPECT_FLOAT_EQ(c.transform[3], 0.6f);
        EXPECT_FLOAT_EQ(c.transform[4], b->centre.x - 15);
        EXPECT_FLOAT_EQ(c.transform[5], b->centre.y - 15);
        EXPECT_EQ(c.color, 0xFFFFFFFFu);
    }

    WatchShowing(*game);
    Step(*game, 61.0);
    ClickButton(*game, game->round.sequence[0]);
    texts = TextsOf(RenderFrame(*game));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, FormatText(app->GetText(63), 1, 1) + "\n" + FormatText(app->GetText(52), 2, 4));
    EXPECT_NE(texts[0].text.find("Your turn: 2 of 4"), std::string::npos);

    game->SetState(kStateAborted);
    frame = RenderFrame(*game);
    EXPECT_TRUE(SpritesOf(frame, app->texMenu2).empty());
    EXPECT_TRUE(TextsOf(frame).empty());
    EXPECT_EQ(SpritesOf(frame, app->texMisc3).size(), 30u);
}
