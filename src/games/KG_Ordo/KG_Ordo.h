#pragma once
// The atom box: 5 or 8 atoms hide in an 8 x 8 box. The player fires probes from the 32
// places around it and sees where each comes out (entry and exit share a colour and a
// number), whether it was absorbed or reflected at once; marks the cells believed to hold
// atoms and presses the check button. The easiest level warns of every probe the marks do
// not explain.
#include "framework/Knobel_Game.h"
#include "games/KG_Ordo/BoxTrace.h"

class KG_Ordo;

struct BoxCell {
    Vec2 position;  // centre on the screen
    bool marked = false;
    bool atom = false;
};

// A no-place value for the other end of a probe that never came out.
constexpr int kNoPlace = -100;

struct Probe {
    Vec2 position;  // centre on the screen
    int gridX = 0, gridY = 0;
    bool reflected = false;
    int reflectX = kNoPlace, reflectY = kNoPlace;
    bool absorbed = false;
    int absorbX = kNoPlace, absorbY = kNoPlace;
    bool fired = false;  // fired, or another probe came out here
    int steps = 0;
    Color colour = 0xFFFFFFFF;
    Probe* exitProbe = nullptr;
    // A fired probe: where it came out; an exit place: where the probe that came out here
    // went in; kNoPlace for a probe absorbed or reflected.
    int otherX = kNoPlace, otherY = kNoPlace;
    bool hintWrong = false;
    int shotNumber = 0;  // shown on both ends of a probe that came out
};

class KG_Ordo : public Knobel_Game {
public:
    static constexpr int kSide = 8;
    static constexpr double kRevealRight = 2.0;
    static constexpr double kRevealWrong = 4.0;
    // A grade step per this many seconds for each hidden atom once the box is solved (five
    // atoms allow 250 s); half as many while it is not.
    static constexpr double kSecondsPerAtom = 50.0;

    explicit KG_Ordo(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_Ordo(int level, unsigned seed);

    void OnLButtonDown(uint16_t x, uint16_t y) override;
    void OnLButtonUp(uint16_t x, uint16_t y) override;
    void Update() override;
    double SecondsUntilChange() override;
    void Render() override;

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;
    void DrawHelp(GUIElement* element, Rect rect, Vec2 position, Vec2 scale, Font* pageFont) override;

    // The colour of the n-th shot: four steps of red, then of green, then of blue.
    static Color ShotColour(int n);
    // The probe standing at a place of the edge, or null.
    Probe* ProbeAt(int gridX, int gridY);
    // Fires an unfired probe: traces it through the atoms and marks its exit place.
    void Fire(Probe& probe);
    // Level-0 warnings: every fired probe whose result the marks would not give.
    void RecheckHints();
    void ToggleMark(int x, int y);
    void Check();
    BoxGrid Atoms() const;
    BoxGrid Marks() const;
    Rect CheckButton() const;

    double endTimer = 0.0;
    bool showHints = false;
    int atomCount = 5;
    int markCount = 0;
    bool correct = false;
    bool checked = false;  // the check was made: the box shows its atoms, no more input
    int shotCount = 0;
    BoxCell cells[kSide][kSide];
    Probe probes[4][kSide];  // left, right, top, bottom

private:
    void DrawProbe(const Probe& p);

public:
    GradeTermList GradeTerms() const override;
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 355; }
    std::vector<KeyPlace> KeyPlaces() override;
};
