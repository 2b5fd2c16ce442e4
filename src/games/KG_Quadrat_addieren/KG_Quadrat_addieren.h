#pragma once
// Adding squares: two or three grids are added (a square of the sum is lit when it is lit in
// any of them); the player picks the sum among four candidates. After each pick only the sum
// stays on screen for a second; a game has ten tasks.
#include <memory>

#include "framework/Knobel_Game.h"
#include "framework/LockedList.h"
#include "games/shared/PatternGrid.h"

class KG_Quadrat_addieren : public Knobel_Game {
public:
    static constexpr int kGridExtent = 100;
    static constexpr int kGridGap = 3;
    static constexpr double kFeedbackSeconds = 1.0;
    // A grade step per this many seconds for each operand of a task, on a grid of nine squares
    // (ten tasks of two operands allow two minutes); larger grids allow as much more.
    static constexpr double kSecondsPerOperand = 6.0;
    static constexpr double kSampleSize = 30.0;

    struct Level {
        int operandCount;
        int choiceCount;
        int gridSize;
        int taskCount;
    };
    static Level LevelTable(int level);

    explicit KG_Quadrat_addieren(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_Quadrat_addieren(int level, unsigned seed);
    ~KG_Quadrat_addieren() override;

    void OnLButtonDown(uint16_t x, uint16_t y) override;
    void Update() override;
    double SecondsUntilChange() override;
    void Render() override;
    // Builds the next task: the summands, their sum at a random place among the candidates and
    // the wrong candidates, all different.
    void NewTask();
    // The sum with one to three of its first squareCount squares changed.
    static uint64_t NearMiss(uint64_t sum, int squareCount);

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    // The work of one task: its operands weighed by their squares, one for a grid of nine.
    double OperandWork() const;
    void SetPlayedResult(const PlayedResult& r) override;

    int AnswerIndex() const { return const_cast<LockedList<PatternGrid>&>(choices).IndexOf(answer); }
    bool InFeedback() const { return feedbackTime > 0; }
    // After a wrong pick the sum blinks during the pause: whether it shows in this phase.
    bool ShowsSumInPause() const;

    LockedList<PatternGrid> operands;  // the summands, left to right; owned
    LockedList<PatternGrid> choices;   // the candidates, left to right; owned
    LockedList<Vec2> plusSigns;        // centres of the "+" signs; owned
    LockedList<Vec2> labelPoints;      // centres of the labels (a) .. (d); owned
    std::unique_ptr<PatternSquare> litSample;
    std::unique_ptr<PatternSquare> unlitSample;
    PatternGrid* answer = nullptr;  // the candidate that is the sum
    int gridSize = 3;
    int operandCount = 2;
    int choiceCount = 4;
    int design = 0;
    int rightCount = 0;
    int wrongCount = 0;
    int taskCount = 10;
    double feedbackTime = 0.0;
    bool lastRight = false;  // the verdict of the last pick

private:
    void MakeNearMisses();
    // The "+" and "=" between the grids, large enough to read as the sum's signs.
    Font* signFont_ = nullptr;


public:
    GradeTermList GradeTerms() const override;
    bool CountsAnswers(int& right, int& wrong) const override {
        right = rightCount;
        wrong = wrongCount;
        return true;
    }
    bool TaskProgress(int& current, int& total) const override {
        current = rightCount + wrongCount + (InFeedback() ? 0 : 1);
        total = taskCount;
        return true;
    }
    // The rules already say how many tasks a game has.
    int TaskCountTextId() const override { return -1; }

public:
    // The candidate of the last pick; after a wrong one it stays crossed out beside the sum.
    PatternGrid* picked = nullptr;
    static constexpr double kWrongFeedbackSeconds = 2.0;

private:
    // The verdict pause: the sum with a tick and, after a wrong pick, the pick with a cross and
    // the word.
    void DrawFeedback();
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 357; }
    std::vector<KeyPlace> KeyPlaces() override;
};
