#pragma once
// Remember squares: grids with random patterns of lit squares are shown one after another;
// then the player lights the squares of as many empty grids, one at a time, and moves on with
// Enter. A shown pattern counts as remembered when any answer grid holds it.
#include "framework/Knobel_Game.h"
#include "framework/LockedList.h"
#include "games/shared/PatternGrid.h"

class KG_Quadrat_merken : public Knobel_Game {
public:
    static constexpr int kGridExtent = 200;
    static constexpr int kGridGap = 3;

    struct Level {
        int patternCount;
        int gridSize;
        double showTime;
    };
    static Level LevelTable(int level);

    explicit KG_Quadrat_merken(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_Quadrat_merken(int level, unsigned seed);
    ~KG_Quadrat_merken() override;

    void OnLButtonDown(uint16_t x, uint16_t y) override;
    void OnKeyDown(uint16_t key) override;
    void OnKeyUp(uint16_t key) override;
    void OnInputSuspended() override { enterDown_ = false; }
    void Update() override;
    double SecondsUntilChange() override;
    void Render() override;

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;

    // How many models some answer grid holds, as the answers stand (the order does not matter,
    // and one answer may match several identical models).
    int RememberedCount() const;
    // Whether the last Enter finished the game (rather than the player leaving it).
    bool FinishedByEnter() const { return finishedByEnter_; }

    LockedList<PatternGrid> models;   // shown in this order; owned
    LockedList<PatternGrid> answers;  // the player's grids, same order; owned
    int patternCount = 5;
    int gridSize = 3;
    int design = 0;
    int current = 0;
    bool showing = true;
    double showTimer = 3.0;
    double showTime = 3.0;
    int correctCount = 0;

private:
    Font* textFont_ = nullptr;
    bool finishedByEnter_ = false;
    // An Enter counts on its key-up only when its key-down came while answering, so that an
    // Enter pressed during the showing (or before a pause) does not skip a grid when released.
    bool enterDown_ = false;

public:
    GradeTermList GradeTerms() const override;
    // Patterns remembered, and patterns handed in that were not.
    bool CountsAnswers(int& right, int& wrong) const override;
    // The pattern being shown, or the grid being answered.
    bool TaskProgress(int& current_, int& total) const override {
        current_ = current + 1;
        total = patternCount;
        return true;
    }
    int TaskProgressTextId() const override { return showing ? 51 : 52; }
    int TaskCountTextId() const override { return kTextPatternCount; }
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 356; }
    std::vector<KeyPlace> KeyPlaces() override;
    // Enter stays the game's own: it hands in the grid.
    bool CursorTakesKey(uint16_t key) const override { return key != kKeyReturn && Knobel_Game::CursorTakesKey(key); }
};
