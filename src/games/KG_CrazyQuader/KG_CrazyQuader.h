#pragma once
// Crazy cuboid, a lights-out puzzle: clicking one of the small pieces flips every square of the
// large grid that is lit in the piece; the puzzle is solved when the large grid is dark. It is
// made by applying random pieces to a dark grid, so it can always be solved.
#include <memory>

#include "framework/Knobel_Game.h"
#include "framework/LockedList.h"
#include "games/KG_CrazyQuader/CrazyPieces.h"
#include "games/shared/PatternGrid.h"

class KG_CrazyQuader : public Knobel_Game {
public:
    static constexpr int kGridExtent = 300;
    static constexpr int kGridGap = 3;
    static constexpr double kSecondsPerGrade = 240.0;
    // Scrambles tried while they leave the grid dark, before one piece is applied outright.
    static constexpr int kMaxScrambles = 1000;

    explicit KG_CrazyQuader(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_CrazyQuader(int level, unsigned seed);
    ~KG_CrazyQuader() override;

    void OnLButtonDown(uint16_t x, uint16_t y) override;
    void Update() override;
    void Render() override;

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;

    // The piece whose squares hold the point, or -1.
    int PieceAt(float x, float y);
    // Flips the large grid by piece i; counts a move and ends the game once the grid is dark.
    void ApplyPiece(int index);

    LockedList<PatternGrid> pieces;  // in table order; owned
    std::unique_ptr<PatternGrid> target;   // all dark, never drawn
    std::unique_ptr<PatternGrid> working;  // the large grid the player clears
    int gridSize = 3;
    int design = 0;
    int moves = 0;
    int scrambleCount = 40;
    int scrambleRounds = 0;  // scrambles made until one left the grid lit
    int solutionMoves = 0;   // pieces the scramble left applied: a solve in as many moves

private:
    void BuildLevel();
    void Scramble();

public:
    GradeTermList GradeTerms() const override;
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 351; }
    std::vector<KeyPlace> KeyPlaces() override;
};
