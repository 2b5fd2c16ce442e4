#pragma once
#include <cstdint>

// Receiver of window input: the window procedure hands every mouse and key event to the one
// control that AppContext::activeControl points to.
class MyControl {
public:
    virtual ~MyControl() = default;
    virtual void Reserved() {}
    virtual void OnMouseMove(uint16_t x, uint16_t y) {}
    virtual void OnLButtonDown(uint16_t x, uint16_t y) {}
    virtual void OnLButtonUp(uint16_t x, uint16_t y) {}
    virtual void OnLButtonDblClk(uint16_t x, uint16_t y) {}
    virtual void OnRButtonDown(uint16_t x, uint16_t y) {}
    virtual void OnRButtonUp(uint16_t x, uint16_t y) {}
    virtual void OnKeyDown(uint16_t key) {}
    virtual void OnKeyUp(uint16_t key) {}
    // The whole wheel parameter: high word the signed wheel delta, low word the key state.
    virtual void OnMouseWheel(uint32_t wheelParam) {}
    // A typed character (the layout's own, as a Windows-1252 byte), beside the key-down of its key.
    virtual void OnChar(uint8_t character) {}
    // The window lost the focus, or was minimised or hidden: the player is away.
    virtual void OnFocusLost() {}
};
