// Remember squares: the showing timeline, input only while answering, the count of remembered
// patterns, and a grade that neither changes the state nor depends on how often it is asked.
#include <memory>
#include <string>

#include "framework/TextFormat.h"
#include "games/KG_Quadrat_merken/KG_Quadrat_merken.h"
#include "GameTestSupport.h"

namespace {
class FilelessMerken : public KG_Quadrat_merken {
public:
    FilelessMerken(int level, unsigned seed) : KG_Quadrat_merken(level, seed) { WithoutFile(*this); }
};

class QuadratMerkenTest : public GameTest {
protected:
    void Begin(int level, unsigned seed = 5) {
        game = std::make_unique<FilelessMerken>(level, seed);
        game->Start();
    }
    // Runs the showing to its end in small frames.
    void ShowAll() {
        for (int i = 0; i < 10000 && game->showing; ++i) Step(*game, 0.05);
        ASSERT_FALSE(game->showing);
    }
    void ClickSquare(PatternGrid& grid, int c, int r) {
        const PatternSquare* s = grid.SquareAt(c, r);
        game->OnLButtonDown(static_cast<uint16_t>(s->position.x + s->size / 2),
                            static_cast<uint16_t>(s->position.y + s->size / 2));
    }
    // Lights the squares of an answer grid by clicks, as the player does.
    void Enter(PatternGrid& answer, const PatternGrid& model) {
        for (int c = 0; c < answer.GridSize(); ++c)
            for (int r = 0; r < answer.GridSize(); ++r)
                if (answer.IsLit(c, r) != model.IsLit(c, r)) ClickSquare(answer, c, r);
    }
    void PressEnter() {
        game->OnKeyDown(kKeyReturn);
        game->OnKeyUp(kKeyReturn);
    }
    std::unique_ptr<FilelessMerken> game;
};
}  // namespace

TEST_F(QuadratMerkenTest, LevelTableAndGrids) {
    struct Row {
        int level, count, n;
        double showTime;
        int squareSize;
    };
    for (const Row& row : {Row{0, 5, 3, 3.0, 63}, Row{1, 6, 3, 2.0, 63}, Row{2, 6, 4, 4.0, 47}}) {
        Begin(row.level, 11);
        EXPECT_EQ(game->patternCount, row.count);
        EXPECT_EQ(game->models.Count(), row.count);
        EXPECT_EQ(game->answers.Count(), row.count);
        EXPECT_EQ(game->showTime, row.showTime);
        EXPECT_EQ(game->state, kStatePlaying);
        for (PatternGrid* g : game->models) {
            EXPECT_TRUE(g->IsModel());
            EXPECT_EQ(g->GridSize(), row.n);
            EXPECT_EQ(g->Layout().squareSize, row.squareSize);
        }
        for (PatternGrid* g : game->answers) {
            EXPECT_FALSE(g->IsModel());
            EXPECT_TRUE(g->IsDark());
        }
        const int design = game->models.Get(0)->SquareAt(0, 0)->design;
        EXPECT_EQ(design, game->design);
        for (PatternGrid* g : game->answers) EXPECT_EQ(g->SquareAt(1, 1)->design, design) << "one design per game";
    }
}

TEST_F(QuadratMerkenTest, EveryModelTheFirstIncludedStaysTheShowTime) {
    Begin(1);  // six models, 2.0 s each
    Step(*game, 1.95);
    EXPECT_EQ(game->current, 0);
    Step(*game, 0.1);
    EXPECT_EQ(game->current, 1);
    EXPECT_TRUE(game->showing);
    for (int k = 2; k < 6; ++k) {
        Step(*game, 1.95);
        EXPECT_EQ(game->current, k - 1);
        Step(*game, 0.1);
        EXPECT_EQ(game->current, k);
    }
    Step(*game, 1.95);
    EXPECT_TRUE(game->showing);
    EXPECT_EQ(game->playTime, 0.0) << "watching is not play time";
    Step(*game, 0.1);
    EXPECT_FALSE(game->showing);
    EXPECT_EQ(game->current, 0);
    Step(*game, 0.5);
    EXPECT_DOUBLE_EQ(game->playTime, 0.5);

    Begin(2);  // 4.0 s per model, the first one too
    Step(*game, 3.9);
    EXPECT_EQ(game->current, 0);
    Step(*game, 0.2);
    EXPECT_EQ(game->current, 1);
    Step(*game, 3.9);
    EXPECT_EQ(game->current, 1);
    Step(*game, 0.2);
    EXPECT_EQ(game->current, 2);
}

TEST_F(QuadratMerkenTest, NothingRunsBeforeTheStartOrWhilePaused) {
    game = std::make_unique<FilelessMerken>(0, 3);
    Step(*game, 5.0);
    EXPECT_EQ(game->current, 0);
    EXPECT_TRUE(game->showing);
    EXPECT_TRUE(RenderFrame(*game).empty()) << "nothing is drawn before the start";
    game->Start();
    game->SetState(kStatePaused);
    Step(*game, 5.0);
    EXPECT_EQ(game->current, 0);
}

TEST_F(QuadratMerkenTest, ClicksAndEnterAreIgnoredWhileShowing) {
    Begin(0);
    PatternGrid& first = *game->answers.Get(0);
    ClickSquare(first, 1, 1);
    PressEnter();
    EXPECT_TRUE(first.IsDark());
    EXPECT_EQ(game->current, 0);
    Step(*game, 3.1);
    PressEnter();
    EXPECT_EQ(game->current, 1) << "Enter during the showing skipped a model";
    // Pressed during the showing, released while answering: not an Enter of the answers.
    game->OnKeyDown(kKeyReturn);
    ShowAll();
    game->OnKeyUp(kKeyReturn);
    EXPECT_EQ(game->current, 0);
    ClickSquare(first, 1, 1);
    EXPECT_TRUE(first.IsLit(1, 1));
    ClickSquare(first, 1, 1);
    EXPECT_TRUE(first.IsDark());
    // Only Enter moves on.
    game->OnKeyUp('A');
    game->OnKeyUp(kKeySpace);
    EXPECT_EQ(game->current, 0);
    PressEnter();
    EXPECT_EQ(game->current, 1);
    // Held over a pause: the key-up after it does not count.
    game->OnKeyDown(kKeyReturn);
    game->OnInputSuspended();
    game->OnKeyUp(kKeyReturn);
    EXPECT_EQ(game->current, 1);
}

TEST_F(QuadratMerkenTest, AllPatternsInAnotherOrderAreRemembered) {
    Begin(0, 21);
    for (int k = 0; k < 5; ++k) game->models.Get(k)->SetMask(uint64_t{1} << k | 0x100);
    ShowAll();
    for (int k = 0; k < 5; ++k) {
        Enter(*game->answers.Get(k), *game->models.Get(4 - k));
        PressEnter();
    }
    EXPECT_EQ(game->state, kStateOver);
    EXPECT_TRUE(game->FinishedByEnter());
    EXPECT_EQ(game->correctCount, 5);
    LoadEnglish();
    game->ComputeGrade();
    EXPECT_NE(std::string(game->GetResultText()).find(FormatText(app->GetText(26), 5, 5)), std::string::npos)
        << game->GetResultText();
}

TEST_F(QuadratMerkenTest, OneAnswerCountsForIdenticalModels) {
    Begin(0, 8);
    const uint64_t masks[5] = {0b000010001, 0b000010001, 0b110000000, 0b000000111, 0b101000101};
    for (int k = 0; k < 5; ++k) game->models.Get(k)->SetMask(masks[k]);
    ShowAll();
    Enter(*game->answers.Get(0), *game->models.Get(0));
    PressEnter();
    Enter(*game->answers.Get(1), *game->models.Get(3));
    for (int k = 1; k < 5; ++k) PressEnter();
    EXPECT_EQ(game->correctCount, 3) << "models 0 and 1 by the first answer, model 3 by the second";
    LoadEnglish();
    EXPECT_NE(std::string(game->GetResultText()).find(FormatText(app->GetText(25), 3, 5)), std::string::npos);
}

TEST_F(QuadratMerkenTest, ADarkModelIsMatchedByAnUntouchedAnswer) {
    Begin(0, 9);
    game->models.Get(2)->SetMask(0);
    for (int k : {0, 1, 3, 4}) game->models.Get(k)->SetMask(1);
    ShowAll();
    for (int k = 0; k < 5; ++k) PressEnter();
    EXPECT_EQ(game->correctCount, 1);
}

TEST_F(QuadratMerkenTest, GradeOfAFinishedGame) {
    Begin(0, 4);
    for (int k = 0; k < 5; ++k) game->models.Get(k)->SetMask(uint64_t{1} << k);
    ShowAll();
    Enter(*game->answers.Get(0), *game->models.Get(0));
    PressEnter();
    Enter(*game->answers.Get(1), *game->models.Get(1));
    Step(*game, 60.0);
    for (int k = 1; k < 5; ++k) PressEnter();
    ASSERT_EQ(game->state, kStateOver);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 3.0 / 5 * 5 + 1 + 60.0 / 120);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 4.5);
    EXPECT_EQ(game->state, kStateOver);
}

// A game left before its last Enter: the answers are counted as they stand, one grade step per
// minute, on every call, and the state stays "left early" (the menu asks for the grade every
// frame of the result page and ends a series on that state).
TEST_F(QuadratMerkenTest, LeftEarlyTheGradeUsesAMinutePerStepOnEveryCallAndTheStateStays) {
    Begin(0, 6);
    for (int k = 0; k < 5; ++k) game->models.Get(k)->SetMask(0);  // empty answers match them all
    Step(*game, 3.5);
    ASSERT_TRUE(game->showing);
    game->playTime = 30.0;
    game->SetState(kStateAborted);
    for (int call = 0; call < 3; ++call) {
        game->ComputeGrade();
        EXPECT_DOUBLE_EQ(game->grade, 1.0 + 30.0 / 60) << "call " << call;
        EXPECT_EQ(game->state, kStateAborted) << "call " << call;
        EXPECT_TRUE(game->showing);
        EXPECT_EQ(game->current, 1);
    }
    EXPECT_FALSE(game->FinishedByEnter());
    // The menu keeps updating a game left early while its result page shows.
    Step(*game, 5.0);
    game->ComputeGrade();
    EXPECT_EQ(game->state, kStateAborted);
    EXPECT_DOUBLE_EQ(game->grade, 1.5);
    LoadEnglish();
    EXPECT_NE(std::string(game->GetResultText()).find(FormatText(app->GetText(26), 5, 5)), std::string::npos);

    // Left while answering, with two patterns entered: the same rule.
    Begin(0, 6);
    for (int k = 0; k < 5; ++k) game->models.Get(k)->SetMask(uint64_t{3} << k);
    ShowAll();
    Enter(*game->answers.Get(0), *game->models.Get(3));
    PressEnter();
    Enter(*game->answers.Get(1), *game->models.Get(0));
    game->playTime = 12.0;
    game->SetState(kStateAborted);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 3.0 / 5 * 5 + 1 + 12.0 / 60);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 4.2);
    EXPECT_EQ(game->state, kStateAborted);
}

TEST_F(QuadratMerkenTest, ScreenWhileShowingAndWhileAnswering) {
    LoadEnglish();
    Begin(2, 14);
    game->models.Get(0)->SetMask(0b1001);
    auto frame = RenderFrame(*game);
    auto squares = SpritesOf(frame, app->texMisc3);
    ASSERT_EQ(squares.size(), 16u);
    int lit = 0;
    for (const DrawCommand& c : squares) lit += c.src == PatternSquare::SourceRect(game->design, true);
    EXPECT_EQ(lit, 2);
    ASSERT_EQ(SpritesOf(frame, app->texMenu2).size(), 2u) << "the time panel and the progress under it";
    bool counter = false;
    for (const DrawCommand& t : TextsOf(frame)) counter = counter || t.text == FormatText(app->GetText(51), 1, 6);
    EXPECT_TRUE(counter);

    ShowAll();
    ClickSquare(*game->answers.Get(0), 3, 3);
    frame = RenderFrame(*game);
    squares = SpritesOf(frame, app->texMisc3);
    ASSERT_EQ(squares.size(), 16u);
    EXPECT_EQ(squares.back().src, PatternSquare::SourceRect(game->design, true)) << "the clicked square is lit";
    counter = false;
    for (const DrawCommand& t : TextsOf(frame)) counter = counter || t.text == FormatText(app->GetText(52), 1, 6);
    EXPECT_TRUE(counter);

    game->SetState(kStateOver);
    EXPECT_TRUE(RenderFrame(*game).empty());
}
