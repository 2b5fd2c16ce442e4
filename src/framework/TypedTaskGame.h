#pragma once
// A game of typed answers to a fixed number of tasks (reading clocks, the date game, triangle
// arithmetic): keys go to the answer entry while the game is played, Enter is judged against
// the current task, the verdict pause runs only while the game is played and is followed by
// the next task or the end. The result page counts right and wrong answers; the grade follows
// the common formula with the game's seconds per grade.
#include <string>

#include "framework/Knobel_Game.h"
#include "framework/TypedAnswer.h"

class TypedTaskGame : public Knobel_Game {
public:
    TypedTaskGame(int level, const char* saveFile, int maxLength, double secondsPerGrade);

    void OnKeyDown(uint16_t key) override;
    void OnKeyUp(uint16_t key) override;
    void OnInputSuspended() override { answer.ReleaseKeys(); }
    void Update() override;
    double SecondsUntilChange() override;
    const char* GetResultText() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;

    // Builds the next task.
    virtual void NewTask() = 0;
    // Whether the typed text answers the current task.
    virtual bool IsRight(const std::string& typed) const = 0;
    int Answered() const { return rightCount + wrongCount; }
    bool CountsAnswers(int& right, int& wrong) const override {
        right = rightCount;
        wrong = wrongCount;
        return true;
    }

    int taskCount = 10;
    int rightCount = 0;
    int wrongCount = 0;
    double briskSeconds = 6.0;  // a brisk pace per task
    TypedAnswer answer;

protected:
    // Whether the typed text is no answer at all (the game then says so); it is not judged and
    // stays typed.
    virtual bool Refuses(const std::string& typed) { return false; }
    // Whether a task is there to be answered.
    virtual bool HasTask() const { return true; }
    // How long the verdict on an answer shows.
    virtual double VerdictSeconds(bool right) const { return TypedAnswer::kVerdictSeconds; }

    // Seconds of play per grade step; a level of more or longer tasks allows as much more.
    double secondsPerGrade;

public:
    GradeTermList GradeTerms() const override;
    // The task being answered, or the one whose verdict shows.
    bool TaskProgress(int& current, int& total) const override {
        current = Answered() + (answer.InVerdict() ? 0 : 1);
        total = taskCount;
        return true;
    }
};
