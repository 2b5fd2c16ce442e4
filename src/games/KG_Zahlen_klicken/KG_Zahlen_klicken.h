#pragma once
// Click numbers: a small square grid of tiles with different numbers, to be clicked in
// ascending or descending order. A tile clicked in turn vanishes, one clicked out of turn
// turns red and stays. An empty board is followed by the next after a second; ten boards make
// a game.
#include "framework/Knobel_Game.h"
#include "framework/LockedList.h"
#include "games/KG_Zahlen_klicken/NumberTile.h"

class KG_Zahlen_klicken : public Knobel_Game {
public:
    static constexpr int kBoardCount = 10;
    static constexpr double kPauseSeconds = 1.0;
    static constexpr double kSecondsPerGrade = 60.0;
    static constexpr double kDigitHeight = 24.0;

    explicit KG_Zahlen_klicken(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_Zahlen_klicken(int level, unsigned seed);
    ~KG_Zahlen_klicken() override;

    void OnLButtonDown(uint16_t x, uint16_t y) override;
    void Update() override;
    double SecondsUntilChange() override;
    void Render() override;

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;

    // Boards finished so far, with or without a wrong click.
    int FinishedBoards() const { return perfectBoards + flawedBoards; }
    // Boards dealt so far (the one on the screen included).
    int DealtBoards() const { return dealtBoards_; }

    int orderMode = 0;  // 0 ascending, 1 descending, 2 drawn for every board
    int gridSize = 2;
    LockedList<NumberTile> tiles;  // the tiles still on the board, in clicking order; owns them
    bool ascending = true;
    int nextIndex = 0;  // always the first tile: clicked tiles leave the list
    int boardCount = kBoardCount;
    int perfectBoards = 0;
    int flawedBoards = 0;
    int wrongClicks = 0;
    bool boardPerfect = true;
    double pauseTimer = 0.0;  // after a finished board; clicks are ignored while it runs

private:
    void DealBoard();

    int dealtBoards_ = 0;
    Font* digitFont_ = nullptr;

public:
    GradeTermList GradeTerms() const override;
    bool TaskProgress(int& current, int& total) const override {
        current = DealtBoards();
        total = boardCount;
        return true;
    }
    int TaskProgressTextId() const override { return kTextRoundOf; }
    // The rules already say how many rounds a game has.
    int TaskCountTextId() const override { return -1; }
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 362; }
    std::vector<KeyPlace> KeyPlaces() override;
};
