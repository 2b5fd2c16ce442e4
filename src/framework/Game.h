#pragma once
#include "framework/MyControl.h"
#include <limits>

#include "framework/Types.h"

// A screen that will not change until input comes.
constexpr double kNoChange = std::numeric_limits<double>::infinity();

// Seconds until a clock at t seconds shows its next whole second (a hair after it, so that
// the clock has surely turned when the frame comes).
inline double SecondsToNextWholeSecond(double t) {
    if (!(t >= 0.0 && t < 1.0e15)) return 1.0;
    return 1.0 - (t - static_cast<double>(static_cast<long long>(t))) + 0.001;
}

struct AppContext;
class GUIElement;

// A screen: stepped and drawn once per frame, owns up to 14 GUI elements that it can show,
// hide and hit-test, receives one draw hook per element, and takes part in device loss.
class Game : public MyControl {
public:
    static constexpr int kElementCount = 14;

    Game();
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    virtual void Update() {}
    virtual void Render() {}
    // Seconds from now (after Update) until the picture can change without input: the next
    // step of a timer, the next second of a clock; kNoChange when only input changes it. The
    // main loop sleeps that long when a frame came out unchanged. Animations need not be
    // reported: while the picture changes, frames come at the full rate.
    virtual double SecondsUntilChange() { return 0.0; }

    // The draw hooks that GUI elements call to have themselves painted.
    virtual void OnDrawElement0(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement1(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement2(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement3(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement4(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement5(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement6(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement7(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement8(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement9(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement10(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement11(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement12(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}
    virtual void OnDrawElement13(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) {}

    // Hit-tests the enabled elements in slot order at the last mouse position; the first hit
    // is stored in hitElement. With no element enabled, hitElement keeps its value.
    virtual bool HitTestElements(int button);

    virtual void OnLostDevice() = 0;
    virtual void OnResetDevice() = 0;

    GUIElement* elements[kElementCount] = {};
    GUIElement* hitElement = nullptr;
    bool elementEnabled[kElementCount] = {};
    AppContext* app = nullptr;
};

// Pointer to one of the draw hooks, fixed when an element is built.
using DrawHook = void (Game::*)(GUIElement*, Rect, Vec2, Vec2);
