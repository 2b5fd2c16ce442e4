#pragma once
// The beam balance of one task: a stand in the middle of the screen, a beam that tilts
// towards the heavier pan, two pans with their fruit and the fruit still lying on the floor.
// The player carries fruit with the mouse; a fruit let go is put where it is (not where the
// pointer is): in the lower third of the screen back on the floor, else on the pan of its
// half of the screen.
#include "framework/LockedList.h"
#include "framework/Types.h"
#include "games/KG_Waage_Game_Fruechte/BalanceTask.h"
#include "games/KG_Waage_Game_Fruechte/Weight.h"

struct AppContext;

class Balance {
public:
    // Where the pan picture lies in misc1, and its pixel that sits on the beam's end.
    static constexpr Rect kPanRegion{300, 385, 480, 443};
    static constexpr float kPanJointX = 90.0f;
    static constexpr float kPanJointY = 32.5f;
    // Fruit enters at the top edge: its foot this far down.
    static constexpr float kEntryY = 50.0f;

    explicit Balance(int level);
    ~Balance();
    Balance(const Balance&) = delete;
    Balance& operator=(const Balance&) = delete;

    void Update();
    void Draw();
    void MouseDown(int x, int y);
    void MouseMove(int x, int y);
    void MouseUp();
    // Level, with no fruit carried and none left on the floor.
    bool IsBalanced();
    // The beam's ends for the current angle, and every fruit's place on its pan or the floor.
    void Layout();

    int LeftSum();
    int RightSum();

    double angle = 0.0;        // degrees, positive: right side down
    double targetAngle = 0.0;
    AppContext* app;
    LockedList<Weight> rightPan;
    LockedList<Weight> leftPan;
    LockedList<Weight> floor;
    Vec2 leftAnchor;
    Vec2 rightAnchor;
    Weight* held = nullptr;  // carried by the pointer, in none of the lists
    int lastMouseX = 0;
    int lastMouseY = 0;
    bool buttonDown = false;
};
