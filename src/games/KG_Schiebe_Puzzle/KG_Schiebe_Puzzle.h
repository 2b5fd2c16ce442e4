#pragma once
// The sliding puzzle: a square picture cut into n x n tiles with the bottom-right tile left
// out, shuffled by random slides. The player clicks a tile next to the hole to slide it in;
// the game is over when every tile is back in its cell. Beside the board an unshuffled model
// shows the finished picture.
#include "framework/Knobel_Game.h"
#include "games/KG_Schiebe_Puzzle/PuzzleBoard.h"

class KG_Schiebe_Puzzle : public Knobel_Game {
public:
    explicit KG_Schiebe_Puzzle(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_Schiebe_Puzzle(int level, unsigned seed);

    void OnLButtonUp(uint16_t x, uint16_t y) override;
    void Update() override;
    void Render() override;

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;

    // Side, shuffle steps and tile size of a level.
    static int SideOfLevel(int level);
    static int ShuffleStepsOfLevel(int level);
    static int TileSizeOf(int side) { return (400 - 3 * side) / side; }

    PuzzleBoard board;
    PuzzleBoard model;
    int gridSize = 3;
    int shuffleSteps = 50;
    int moves = 0;
    int invalidClicks = 0;

private:
    void DrawSlot(const PuzzleBoard& b);

public:
    GradeTermList GradeTerms() const override;
    // A click on a tile that cannot slide shakes it briefly, sideways.
    static constexpr double kShakeSeconds = 0.35;
    double SecondsUntilChange() override;
    // The tile's sideways offset in pixels now (0 when none shakes).
    float ShakeOffset() const;

    double shakeTime = 0.0;
    int shakeCol = -1, shakeRow = -1;

private:
    void StartShake(float x, float y);
    // Moves the shaking tile by the offset for drawing, and puts it back after.
    void ApplyShake(bool on);
    Vec2 shakeSaved_;
    bool shakeApplied_ = false;
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 358; }
    std::vector<KeyPlace> KeyPlaces() override;
};
