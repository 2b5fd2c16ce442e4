// Adding squares: the task generator (the sum at the drawn place, four different candidates of
// which exactly one is right), picks, the verdict pause, the end after ten tasks, the grade
// and the result text.
#include <bit>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "framework/TextFormat.h"
#include "games/KG_Quadrat_addieren/KG_Quadrat_addieren.h"
#include "GameTestSupport.h"

namespace {
class FilelessAddieren : public KG_Quadrat_addieren {
public:
    FilelessAddieren(int level, unsigned seed) : KG_Quadrat_addieren(level, seed) { WithoutFile(*this); }
};

class QuadratAddierenTest : public GameTest {
protected:
    void Begin(int level, unsigned seed = 5) {
        game = std::make_unique<FilelessAddieren>(level, seed);
        game->Start();
    }
    // Clicks the middle of the first square of candidate i.
    void Pick(int i) {
        const PatternSquare* s = game->choices.Get(i)->SquareAt(0, 0);
        game->OnLButtonDown(static_cast<uint16_t>(s->position.x + 5), static_cast<uint16_t>(s->position.y + 5));
    }
    int WrongIndex() const { return game->AnswerIndex() == 0 ? 1 : 0; }
    uint64_t SumOfSummands() {
        uint64_t sum = 0;
        for (PatternGrid* g : game->operands) sum |= g->Mask();
        return sum;
    }
    std::unique_ptr<FilelessAddieren> game;
};
}  // namespace

TEST_F(QuadratAddierenTest, LevelTableAndLayout) {
    struct Row {
        int level, operands, n, squareSize;
    };
    for (const Row& row : {Row{0, 2, 3, 30}, Row{1, 3, 3, 30}, Row{2, 3, 4, 22}}) {
        Begin(row.level);
        ASSERT_EQ(game->operands.Count(), row.operands);
        ASSERT_EQ(game->choices.Count(), 4);
        EXPECT_EQ(game->taskCount, 10);
        EXPECT_EQ(game->plusSigns.Count(), row.operands - 1);
        EXPECT_EQ(game->labelPoints.Count(), 4);
        for (int i = 0; i < 4; ++i) {
            const Rect b = game->choices.Get(i)->Bounds();
            EXPECT_EQ(b.left, 128 + 256 * i - 50);
            EXPECT_EQ(b.top, 512 - 50);
            EXPECT_EQ(game->labelPoints.Get(i)->x, 128.0f + 256 * i);
            EXPECT_EQ(game->labelPoints.Get(i)->y, 587.0f);
            EXPECT_EQ(game->choices.Get(i)->Layout().squareSize, row.squareSize);
        }
        const int step = row.operands == 2 ? 512 : 256;
        for (int j = 0; j < row.operands; ++j) {
            EXPECT_EQ(game->operands.Get(j)->Bounds().left, 256 + step * j - 50);
            EXPECT_EQ(game->operands.Get(j)->Bounds().top, 256 - 50);
            EXPECT_TRUE(game->operands.Get(j)->IsModel());
        }
        EXPECT_EQ(game->plusSigns.Get(0)->x, 256.0f + step / 2);
        EXPECT_EQ(game->plusSigns.Get(0)->y, 256.0f);
        EXPECT_EQ(game->litSample->position, (Vec2{432, 90}));
        EXPECT_TRUE(game->litSample->IsLit());
        EXPECT_EQ(game->unlitSample->position, (Vec2{562, 90}));
        EXPECT_FALSE(game->unlitSample->IsLit());
    }
}

TEST_F(QuadratAddierenTest, TheSumStandsAtTheDrawnPlaceAndIsTheOrOfTheSummands) {
    for (int level = 0; level < 3; ++level)
        for (unsigned seed = 1; seed <= 50; ++seed) {
            std::srand(seed);
            std::rand();  // the design
            const int k = std::rand() % 4;
            Begin(level, seed);
            ASSERT_EQ(game->AnswerIndex(), k) << "level " << level << " seed " << seed;
            EXPECT_FALSE(game->answer->IsModel());
            EXPECT_EQ(game->answer->Mask(), SumOfSummands()) << "level " << level << " seed " << seed;
        }
}

// Guessing by fullness or by parity (at random among ties) wins hardly more than blind picking.
TEST_F(QuadratAddierenTest, NearMissesThatNeitherTheFullestNorTheParityGivesAway) {
    constexpr int kTasks = 10000;
    for (int level = 0; level < 3; ++level) {
        Begin(level, 17);
        double fullest = 0, odd = 0, oddOneOut = 0;
        for (int task = 0; task < kTasks; ++task, game->NewTask()) {
            const uint64_t sum = SumOfSummands();
            std::set<uint64_t> patterns;
            int most = -1, atMost = 0, sumLit = 0, odds = 0;
            for (PatternGrid* c : game->choices) {
                patterns.insert(c->Mask());
                const int lit = c->LitCount();
                const int changed = std::popcount(c->Mask() ^ sum);
                ASSERT_TRUE(c == game->answer ? changed == 0 : changed >= 1 && changed <= 3) << level << " " << task;
                atMost = lit > most ? 1 : atMost + (lit == most);
                most = std::max(most, lit);
                odds += lit % 2;
                if (c == game->answer) sumLit = lit;
            }
            ASSERT_EQ(patterns.size(), 4u);
            fullest += sumLit == most ? 1.0 / atMost : 0.0;
            odd += odds == 0 ? 0.25 : (sumLit % 2 ? 1.0 / odds : 0.0);
            oddOneOut += odds % 2 == 0 ? 0.25 : ((sumLit % 2 ? odds : 4 - odds) == 1 ? 1.0 : 0.0);
        }
        for (double wins : {fullest, odd, oddOneOut}) EXPECT_LT(wins / kTasks, 0.35) << "level " << level;
    }
}

TEST_F(QuadratAddierenTest, OneCountPerClickOnACandidateOrItsLabelAndNoneBesideIt) {
    Begin(0);
    PatternGrid* wrong = game->choices.Get(WrongIndex());
    const PatternSquare* s = wrong->SquareAt(0, 0);
    game->OnLButtonDown(500, 700);
    game->OnLButtonDown(static_cast<uint16_t>(s->position.x - 3), static_cast<uint16_t>(s->position.y + 5));
    EXPECT_EQ(game->rightCount + game->wrongCount, 0);
    EXPECT_FALSE(game->InFeedback());
    // A summand is no candidate.
    const PatternSquare* summand = game->operands.Get(0)->SquareAt(1, 1);
    game->OnLButtonDown(static_cast<uint16_t>(summand->position.x + 5), static_cast<uint16_t>(summand->position.y + 5));
    EXPECT_EQ(game->rightCount + game->wrongCount, 0);

    const uint64_t before = wrong->Mask();
    const Vec2* label = game->labelPoints.Get(WrongIndex());
    game->OnLButtonDown(static_cast<uint16_t>(label->x + 10), static_cast<uint16_t>(label->y + 8));
    EXPECT_EQ(game->wrongCount, 1);
    EXPECT_EQ(game->rightCount, 0);
    EXPECT_TRUE(game->InFeedback());
    EXPECT_EQ(wrong->Mask(), before) << "a candidate is not changed by a click";
}

TEST_F(QuadratAddierenTest, ThePauseIgnoresClicksShowsOnlyTheSumAndThenTheNextTaskFollows) {
    LoadEnglish();
    Begin(1, 77);
    const uint64_t sum = game->answer->Mask();
    Pick(game->AnswerIndex());
    EXPECT_EQ(game->rightCount, 1);
    for (int i = 0; i < 4; ++i) Pick(i);
    EXPECT_EQ(game->rightCount + game->wrongCount, 1) << "clicks during the pause counted";

    auto frame = RenderFrame(*game);
    // Three summands, the sum and the two legend squares; a tick where the sum's label was.
    EXPECT_EQ(SpritesOf(frame, app->texMisc3).size(), 3u * 9 + 9 + 2);
    for (const DrawCommand& t : TextsOf(frame)) EXPECT_EQ(t.text.find("(a)"), std::string::npos) << "labels hidden";
    const auto ticks = SpritesOf(frame, app->texMisc1);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].src, (Rect{0, 450, 50, 500}));
    EXPECT_FLOAT_EQ(ticks[0].transform[4], 128.0f + 256 * game->AnswerIndex() - 25);

    Step(*game, 0.5);
    EXPECT_EQ(game->answer->Mask(), sum);
    EXPECT_EQ(game->playTime, 0.0) << "the pause is not play time";
    Step(*game, 0.6);
    EXPECT_FALSE(game->InFeedback());
    EXPECT_EQ(game->state, kStatePlaying);
    frame = RenderFrame(*game);
    EXPECT_EQ(SpritesOf(frame, app->texMisc3).size(), 3u * 9 + 4 * 9 + 2);
    int labels = 0;
    for (const DrawCommand& t : TextsOf(frame))
        labels += t.text == "(a)" || t.text == "(b)" || t.text == "(c)" || t.text == "(d)";
    EXPECT_EQ(labels, 4);
}

TEST_F(QuadratAddierenTest, AfterAWrongPickThePickIsCrossedOutBesideTheSum) {
    Begin(0, 78);
    const int soundsBefore = app->soundsRequested;
    Pick(WrongIndex());
    EXPECT_EQ(app->soundsRequested, soundsBefore + 1);
    EXPECT_EQ(app->lastSoundId, 11);
    for (int i = 0; i < 19; ++i) {
        const std::vector<DrawCommand> frame = RenderFrame(*game);
        EXPECT_EQ(SpritesOf(frame, app->texMisc3).size(), 4u * 9 + 2) << "summands, sum and pick";
        EXPECT_EQ(SpritesOf(frame, app->texMisc1).size(), 1u) << "the tick at the sum";
        int crosses = 0;
        for (const DrawCommand& c : frame) crosses += c.src == Rect{350, 650, 400, 700};
        EXPECT_EQ(crosses, 1) << "the cross at the pick";
        Step(*game, 0.1);
    }
    Step(*game, 0.2);
    ASSERT_FALSE(game->InFeedback());
    Pick(game->AnswerIndex());
    EXPECT_EQ(game->rightCount, 1);
    EXPECT_EQ(app->soundsRequested, soundsBefore + 1) << "no sound of the game's own for a right pick";
}

TEST_F(QuadratAddierenTest, TenTasksThenTheGameIsOver) {
    LoadEnglish();
    Begin(0, 99);
    for (int task = 0; task < 10; ++task) {
        ASSERT_EQ(game->state, kStatePlaying) << "task " << task;
        Step(*game, 3.0);
        if (task % 4 == 3)
            Pick(WrongIndex());
        else
            Pick(game->AnswerIndex());
        Step(*game, 0.5);
        Step(*game, task % 4 == 3 ? 1.6 : 0.6);
    }
    EXPECT_EQ(game->state, kStateOver);
    EXPECT_EQ(game->rightCount, 8);
    EXPECT_EQ(game->wrongCount, 2);
    EXPECT_DOUBLE_EQ(game->playTime, 30.0);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 2.0 / 10 * 5 + 1 + 30.0 / 120);
    const std::string expected = FormatText(app->GetText(22), 0, 30) + "\n" + FormatText(app->GetText(30), 8) + "    " +
                                 FormatText(app->GetText(31), 2) + "\n" + FormatText(app->GetText(32), 80) + "\n" +
                                 FormatText(app->GetText(41), 3.0) + "\n\n" + FormatText(app->GetText(50), 2.25);
    EXPECT_EQ(std::string(game->GetResultText()), expected);
}

TEST_F(QuadratAddierenTest, GradeOfAGameLeftEarly) {
    Begin(0, 3);
    game->SetState(kStateAborted);
    game->ComputeGrade();
    EXPECT_EQ(game->grade, 6.0) << "nothing answered";
    game->SetState(kStatePlaying);
    Pick(game->AnswerIndex());
    Step(*game, 1.1);
    Step(*game, 24.0);
    Pick(WrongIndex());
    game->SetState(kStateAborted);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 1.0 + 9.0 / 10 * 5 + 0.2) << "the wrong answer and the eight not given";
    game->wrongCount = 0;
    game->rightCount = 4;
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 1.0 + 6.0 / 10 * 5 + 24.0 / 120);
}

// The menu keeps updating a game that was left while its result page shows: a verdict pause
// still running must not build tasks or finish the game afterwards.
TEST_F(QuadratAddierenTest, LeavingDuringThePauseStaysLeft) {
    Begin(0, 12);
    for (int task = 0; task < 10; ++task) {
        Pick(game->AnswerIndex());
        if (task < 9) Step(*game, 1.1);
    }
    ASSERT_TRUE(game->InFeedback());
    game->SetState(kStateAborted);
    PatternGrid* shown = game->answer;
    Step(*game, 2.0);
    EXPECT_EQ(game->state, kStateAborted);
    EXPECT_EQ(game->answer, shown) << "a new task was built after the game was left";
}

TEST_F(QuadratAddierenTest, OneDesignForAllSquaresOfAGame) {
    Begin(2, 31);
    for (int task = 0; task < 3; ++task) {
        for (PatternGrid* g : game->choices)
            for (PatternSquare* s : g->squares) EXPECT_EQ(s->design, game->design);
        for (PatternGrid* g : game->operands)
            for (PatternSquare* s : g->squares) EXPECT_EQ(s->design, game->design);
        game->NewTask();
    }
    EXPECT_EQ(game->litSample->design, game->design);
}
