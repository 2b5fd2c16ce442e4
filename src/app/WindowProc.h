#pragma once
// The window procedure: the one entry for input. Mouse and key messages become calls of the
// input slots of AppContext::activeControl.
#include <cstdint>

enum WindowMessage : unsigned {
    kMsgCreate = 0x0001,
    kMsgDestroy = 0x0002,
    kMsgSetFocus = 0x0007,
    kMsgKillFocus = 0x0008,
    kMsgPaint = 0x000F,
    kMsgQuit = 0x0012,
    kMsgKeyDown = 0x0100,
    kMsgKeyUp = 0x0101,
    kMsgChar = 0x0102,
    kMsgMouseMove = 0x0200,
    kMsgLButtonDown = 0x0201,
    kMsgLButtonUp = 0x0202,
    kMsgLButtonDblClk = 0x0203,
    kMsgRButtonDown = 0x0204,
    kMsgRButtonUp = 0x0205,
    kMsgMouseWheel = 0x020A,
};

// Program-wide input flags: Ctrl held, and whether the next Escape key-up may pass (cleared
// when the intro was skipped with Escape, so that its key-up does not reach the menu).
struct InputFlags {
    bool ctrlHeld = false;
    bool escapePass = true;
    // The Enter of a full-screen switch went down: its key-up is swallowed like its key-down.
    bool swallowEnterUp = false;
};
InputFlags& GetInputFlags();

// Position parameter of a mouse message: x in the low word, y in the high word.
inline uint32_t MakePosition(int x, int y) {
    return (static_cast<uint32_t>(y & 0xFFFF) << 16) | static_cast<uint32_t>(x & 0xFFFF);
}

// Handles one message. A destroy posts the quit message (returned as true in quitPosted).
long WindowProc(unsigned message, uint32_t wParam, uint32_t lParam, bool* quitPosted = nullptr);

// Ctrl+Enter: switches between full screen and window and runs the reset protocol.
void SwitchFullScreen();
