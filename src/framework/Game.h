#pragma once
#include "framework/MyControl.h"
#include "framework/Types.h"

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
