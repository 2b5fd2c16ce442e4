#pragma once
// The balance game: fruit labelled with its mass lies on the floor below a beam balance, some
// more stands fixed on its pans. The player carries every fruit from the floor onto the pans
// so that the balance comes to rest level, before the time for the task runs out. A task ends
// as soon as the balance is level, or when its time is up; the verdict shows for two seconds
// while the balance settles, then the next task follows.
#include <memory>

#include "framework/Knobel_Game.h"
#include "games/KG_Waage_Game_Fruechte/Balance.h"

class KG_Waage_Game_Fruechte : public Knobel_Game {
public:
    static constexpr double kVerdictSeconds = 2.0;

    explicit KG_Waage_Game_Fruechte(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_Waage_Game_Fruechte(int level, unsigned seed);
    ~KG_Waage_Game_Fruechte() override;

    void OnMouseMove(uint16_t x, uint16_t y) override;
    void OnLButtonDown(uint16_t x, uint16_t y) override;
    void OnLButtonUp(uint16_t x, uint16_t y) override;
    void OnKeyDown(uint16_t key) override {}
    void OnKeyUp(uint16_t key) override {}
    void Update() override;
    double SecondsUntilChange() override;
    void Render() override;
    bool HoldsPiece() const override { return balance != nullptr && balance->held != nullptr; }

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;

    void NewTask();
    // Seconds per judged task: solved tasks with the time they took, timed-out ones with their
    // whole time limit.
    double AverageSeconds() const;

    std::unique_ptr<Balance> balance;
    int taskCount = 5;
    int rightCount = 0;
    int wrongCount = 0;
    double timeSum = 0.0;
    double timeLeft = 0.0;
    double timeLimit = 60.0;
    double feedbackTime = 0.0;
    bool lastRight = false;  // the verdict being shown

private:
    bool TakesMouse() const;
    void Judge(bool right, double seconds);

public:
    GradeTermList GradeTerms() const override;
    bool CountsAnswers(int& right, int& wrong) const override {
        right = rightCount;
        wrong = wrongCount;
        return true;
    }
    bool TaskProgress(int& current, int& total) const override {
        current = rightCount + wrongCount + (feedbackTime > 0.0 ? 0 : 1);
        total = taskCount;
        return true;
    }

private:
    // During the verdict the beam comes to rest faster, so that it has settled before the
    // next task (or the result page) comes.
    void SettleBeam();
    // "Time's up" with a cross, when a task ran out of time.
    void DrawTimeUp();
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 360; }
    std::vector<KeyPlace> KeyPlaces() override;
    bool CarriesFreely() const override { return true; }
};
