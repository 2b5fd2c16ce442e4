#pragma once
// Giving change: the price lies at the top left as a heap of coins and notes, what the customer
// handed over at the top right. The player drags coins and notes from the unlimited supply
// along the bottom edge into the change tray until it holds the change, and presses the
// check button. Each task counts twice: right change, and right change in the fewest pieces.
// The next task follows at once; only the result page tells the counts.
#include <algorithm>
#include <memory>

#include "framework/Knobel_Game.h"
#include "framework/LockedList.h"
#include "games/KG_Wechselgeld_Game/ChangeTask.h"
#include "games/KG_Wechselgeld_Game/MoneyPieces.h"

class KG_Wechselgeld_Game : public Knobel_Game {
public:
    // After a check the button ignores presses this long (seconds of real time), so that the
    // second click of a double click does not judge the next, still empty tray.
    static constexpr double kButtonRest = 0.5;

    explicit KG_Wechselgeld_Game(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_Wechselgeld_Game(int level, unsigned seed);
    ~KG_Wechselgeld_Game() override;

    void OnMouseMove(uint16_t x, uint16_t y) override;
    void OnLButtonDown(uint16_t x, uint16_t y) override;
    void OnLButtonUp(uint16_t x, uint16_t y) override;
    void Update() override;
    double SecondsUntilChange() override;
    void Render() override;
    bool HoldsPiece() const override { return HeldPiece() != nullptr; }
    // The button-up of a press on the button will not come back to the game.
    void OnInputSuspended() override { buttonPressed = false; }

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;

    void NewTask();
    // Judges the change tray and counts the task.
    void Check();
    // The check button, centred on the screen.
    bool OnButton(float x, float y) const;
    MoneyPiece* HeldPiece() const;
    int Change() const { return paymentTotal - priceTotal; }

    MoneyPiece* heldChange = nullptr;   // from the supply or the change tray
    MoneyPiece* heldPrice = nullptr;
    MoneyPiece* heldPayment = nullptr;
    std::unique_ptr<MoneyTray> changeTray;
    std::unique_ptr<MoneyTray> priceTray;
    std::unique_ptr<MoneyTray> paymentTray;
    LockedList<MoneySource> sources;  // in the order of the denominations
    money::ChangeLevel setup;
    int priceTotal = 0;
    int paymentTotal = 0;
    int rightCount = 0;
    int fewestCount = 0;
    int tasksDone = 0;
    // The button is pressed: the left button went down on it (and it was not resting).
    bool buttonPressed = false;
    double buttonRest = 0.0;

private:
    void DropHeldPiece(float x, float y);
    void DrawButton();
    Font* labelFont_ = nullptr;

public:
    GradeTermList GradeTerms() const override;
    // A task paid back right counts as right, whatever the pieces.
    bool CountsAnswers(int& right, int& wrong) const override {
        right = rightCount;
        wrong = std::max(tasksDone - rightCount, 0);
        return true;
    }
    // After a check the verdict shows a while (longer after wrong change, which the tray then
    // shows as it should have been); the next task follows when it ends. The play time stands
    // still meanwhile. A check on an empty tray is no answer: it asks for pieces.
    enum class Verdict { kNone, kFewest, kRight, kWrong, kEmptyTray };
    static constexpr double kVerdictSeconds = 2.0;
    static constexpr double kWrongVerdictSeconds = 3.5;
    static constexpr double kHintSeconds = 2.5;

    bool InVerdict() const { return verdictTime > 0.0 && verdict != Verdict::kEmptyTray; }
    // Clicks do nothing while a verdict shows; the menu does not sound them.
    bool TakesClicks() const override { return Playing() && !InVerdict(); }
    bool TaskProgress(int& current, int& total) const override {
        current = tasksDone + (InVerdict() ? 0 : 1);
        total = setup.taskCount;
        return true;
    }

    Verdict verdict = Verdict::kNone;
    double verdictTime = 0.0;

private:
    void ShowVerdict(const money::ChangeVerdict& v);
    // The fewest pieces of the change, side by side in the change tray.
    void LayOutRightChange();
    void DrawVerdict();
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 361; }
    std::vector<KeyPlace> KeyPlaces() override;
    bool CarriesFreely() const override { return true; }
};
