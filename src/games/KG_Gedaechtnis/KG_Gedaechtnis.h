#pragma once
// The sequence-memory game: identical round buttons scattered over the screen light up one
// after another; the player clicks them back in the same order. Each repeated sequence grows
// by one button and is shown again. One wrong click ends the game; repeating a sequence as
// long as there are buttons wins it.
#include "framework/Knobel_Game.h"
#include "framework/LockedList.h"
#include "games/KG_Gedaechtnis/MemoryButton.h"
#include "games/KG_Gedaechtnis/SequenceRound.h"

class KG_Gedaechtnis : public Knobel_Game {
public:
    static constexpr double kShowDuration = 10.0;
    static constexpr double kClickLight = 1.0;  // seconds a clicked button lights, right or wrong
    static constexpr double kSecondsPerClickGrade = 2.0;  // average seconds per click that cost a step

    explicit KG_Gedaechtnis(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_Gedaechtnis(int level, unsigned seed);
    ~KG_Gedaechtnis() override;

    void OnLButtonDown(uint16_t x, uint16_t y) override;
    void Update() override;
    double SecondsUntilChange() override;
    void Render() override;
    // Clicks count only in the player's turn: not while the sequence is shown.
    bool TakesClicks() const override { return running && state == kStatePlaying && !round.showing; }

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;

    // The button under the point (the first in creation order), or -1.
    int ButtonAt(float x, float y);
    MemoryButton* Button(int index) { return buttons.Get(index); }

    LockedList<MemoryButton> buttons;  // in creation order; owns them
    int buttonCount = 20;
    double buttonSize = 40.0;
    int crowdedButtons = 0;  // buttons that found no free place (see ButtonPlacement)
    SequenceRound round{20, kShowDuration};

private:
    void DrawPanel();

public:
    GradeTermList GradeTerms() const override;
    // The sequence being shown or repeated: the first has kStartLength buttons, the last as
    // many as there are buttons.
    bool TaskProgress(int& current, int& total) const override {
        current = round.Length() - SequenceRound::kStartLength + 1;
        total = buttons.Count() - SequenceRound::kStartLength + 1;
        return true;
    }
    int TaskProgressTextId() const override { return kTextSequenceOf; }
    int TaskCountTextId() const override { return kTextSequenceCount; }

public:
    // After a wrong click the button that was due lights (with a tick) beside the wrong one
    // (with a cross) until the result page comes.
    static constexpr double kFailLight = 2.5;
    int failExpected = -1;
    int failClicked = -1;

private:
    void ShowExpected(int clicked);
    void DrawFailMarks();
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 352; }
    std::vector<KeyPlace> KeyPlaces() override;
};
