#pragma once
// Code breaking: the program hides a code of 4 or 5 coloured pegs (six colours, repeats
// allowed). The player drags pegs from the palette into the holes of the current row and
// clicks the row's key board to have the guess scored: a black key peg for each right colour
// in the right place, a white one for each right colour elsewhere. Eight rows are available;
// on the easiest level each key peg sits at the place of the peg it refers to.
#include <vector>

#include "framework/Knobel_Game.h"
#include "framework/LockedList.h"
#include "games/KG_MMaster/MMasterPieces.h"

class KG_MMaster : public Knobel_Game {
public:
    static constexpr double kRevealSeconds = 2.0;
    static constexpr int kRows = 8;
    // A good player needs four or five rows: a code found within them costs no grade for the
    // rows, only for the time taken (a step per 200 s, 25 s for each row of the board).
    static constexpr int kFreeRows = 5;
    static constexpr double kSecondsPerGrade = 200.0;

    explicit KG_MMaster(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_MMaster(int level, unsigned seed);
    ~KG_MMaster() override;

    void OnMouseMove(uint16_t x, uint16_t y) override;
    void OnLButtonDown(uint16_t x, uint16_t y) override;
    void OnLButtonUp(uint16_t x, uint16_t y) override;
    bool HoldsPiece() const override { return heldPeg != nullptr; }
    void Update() override;
    double SecondsUntilChange() override;
    void Render() override;

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;

    // The grade of a game in which the code was found in `rowsUsed` rows, and of one in which
    // it was not (`rowsScored` rows, the last with `lastBlacks` black key pegs). A game without
    // the code never grades better than one won in the last row.
    static double WonGrade(int rowsUsed, int maxRows, double seconds);
    static double NotFoundGrade(int rowsScored, int lastBlacks, int codeLength, int maxRows, double seconds);
    // The same as terms (before the limit).
    static GradeTermList WonTerms(int rowsUsed, int maxRows, double seconds);
    static GradeTermList NotFoundTerms(int rowsScored, int lastBlacks, int codeLength, int maxRows, double seconds);

    // Screen places of the layout: a hole of a guess row, the row's key board, a hole of the
    // code row, a palette place (s of n).
    Vec2 HolePosition(int row, int k) const;
    Vec2 KeyBoardPosition(int row) const;
    Vec2 CodeHolePosition(int k) const;
    Vec2 PaletteHome(int s, int n) const;

    std::vector<int> Code();
    std::vector<int> RowColours(int row);
    LockedList<PegHole>* Row(int row) { return rows.Get(row); }

    LockedList<PegHole> secretCode;
    LockedList<LockedList<PegHole>> rows;
    LockedList<KeyBoard> keyBoards;
    LockedList<Peg> palette;
    Peg* heldPeg = nullptr;  // owned while held
    int codeLength = 4;
    int maxRows = kRows;
    int currentRow = 0;
    bool buttonHeld = false;
    int lastMouseX = 0, lastMouseY = 0;
    bool positionalHints = false;
    double endTimer = 0.0;
    bool won = false;
    // Set by the last scoring (the code found, or the last row used): no input after it.
    bool finished = false;

private:
    void DropHeldPeg(int x, int y);
    void ScoreCurrentRow();
    void FillPalette();
    double originX_ = 0.0, originY_ = 0.0;
    PegHole* heldFromHole_ = nullptr;  // the hole of the current row the held peg came from
    int heldFromPalette_ = -1;         // else its place in the palette

public:
    GradeTermList GradeTerms() const override;
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 354; }
    std::vector<KeyPlace> KeyPlaces() override;
    // Enter scores the row; 1 to 6 put a colour into the next free hole, Backspace takes the
    // last peg of the row out again.
    bool CursorTakesKey(uint16_t key) const override { return key != kKeyReturn && Knobel_Game::CursorTakesKey(key); }
    void OnKeyDown(uint16_t key) override;
};
