// The fairness rule, for every game of the game table at every level, on results each game
// sets up itself and grades with its own ComputeGrade: finishing never grades worse than
// leaving early at the same pace and accuracy (after the first step, after half, one step
// short); better play never grades worse (one more step done, one mistake fewer); a flawless
// game at the game's brisk pace reaches 1.5; every grade is within 1.0..6.0.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numeric>
#include <set>

#include "framework/GradeTerms.h"
#include "framework/Knobel_Game.h"
#include "games/RegisteredGames.h"

namespace {
constexpr double kSame = 1e-9;  // grades equal but for rounding

class FairGradesTest : public RegisteredGameTest {
protected:
    void SetUp() override {
        Prepare(1);
        game.reset(CreateGame(GetParam().index, GetParam().level));
        game->DisableSaving();
        game->saveFileName[0] = '\0';
        shape = game->ShapeOfPlay();
        ASSERT_GE(shape.steps, 2) << "the game describes its play";
    }
    void TearDown() override {
        game.reset();
        RegisteredGameTest::TearDown();
    }
    // Each result replaces the one before on the same game.
    double Grade(bool finished, int done, int wrong) {
        game->SetPlayedResult(PlayedResult{finished, done, wrong, shape.pace});
        game->ComputeGrade();
        const double grade = game->GetGrade();
        EXPECT_TRUE(std::isfinite(grade) && grade >= 1.0 && grade <= 6.0)
            << grade << (finished ? " finished" : " left") << " after " << done << " with " << wrong;
        return grade;
    }
    // At least the same share of mistakes as a whole game with one in three steps wrong, where
    // a mistake lets the game go on.
    int WrongAt(int done, bool sloppy) const {
        const int whole = sloppy && shape.mistakes ? shape.steps / 3 : 0;
        return (done * whole + shape.steps - 1) / shape.steps;
    }

    std::unique_ptr<Knobel_Game> game;
    PlayShape shape;
};

TEST_P(FairGradesTest, FinishingAndBetterPlayNeverGradeWorse) {
    EXPECT_LE(Grade(true, shape.steps, 0), 1.5) << "flawless at " << shape.pace << " s per step";
    for (bool sloppy : {false, true}) {
        const int wrong = WrongAt(shape.steps, sloppy);
        const double finished = Grade(true, shape.steps, wrong);
        if (wrong > 0) EXPECT_LE(Grade(true, shape.steps, wrong - 1), finished + kSame) << "one mistake fewer";
        for (int k : std::set<int>{1, shape.steps / 2, shape.steps - 1}) {
            const int w = WrongAt(k, sloppy);
            const double left = Grade(false, k, w);
            EXPECT_LE(finished, left + kSame) << "finishing against leaving after " << k << " with " << w << " mistakes";
            if (shape.credited) EXPECT_LE(Grade(false, k + 1, w), left + kSame) << "one more step before leaving, after " << k;
            if (w > 0) EXPECT_LE(Grade(false, k, w - 1), left + kSame) << "one mistake fewer, after " << k;
        }
    }
}

// "Why this grade?": the terms of a result add up to its grade, also where the grade is held at
// 6.0 (a slow game) or nothing counted yet, and the values as shown add up to the grade as shown.
TEST_P(FairGradesTest, TermsAddUpToTheGrade) {
    for (double pace : {shape.pace, shape.pace * 40.0})
        for (bool finished : {true, false})
            for (int k : std::set<int>{0, 1, shape.steps / 2, shape.steps})
                for (int w : std::set<int>{0, WrongAt(k, true), k}) {
                    game->SetPlayedResult(PlayedResult{finished, k, w, pace});
                    game->ComputeGrade();
                    const GradeTermList terms = game->GradeTerms();
                    double sum = 0.0;
                    for (const GradeTerm& t : terms) sum += t.value;
                    EXPECT_NEAR(sum, game->GetGrade(), 0.005) << (finished ? "finished" : "left") << " after " << k
                                                               << " with " << w << " at " << pace << " s";
                    const std::vector<int> shown = ShownHundredths(terms, game->GetGrade());
                    EXPECT_EQ(std::accumulate(shown.begin(), shown.end(), 0), std::lround(game->GetGrade() * 100.0));
                }
}

INSTANTIATE_TEST_SUITE_P(EveryGame, FairGradesTest, ::testing::ValuesIn(BuiltGames()), CaseName);
}  // namespace
