#include "app/WindowProc.h"

#include "app/AppContext.h"
#include "framework/MyControl.h"
#include "framework/Types.h"

InputFlags& GetInputFlags() {
    static InputFlags flags;
    return flags;
}

long WindowProc(unsigned message, uint32_t wParam, uint32_t lParam, bool* quitPosted) {
    AppContext* app = GetAppContext();
    InputFlags& flags = GetInputFlags();
    MyControl* control = app->activeControl;
    const uint16_t key = static_cast<uint16_t>(wParam & 0xFFFF);
    const uint16_t x = static_cast<uint16_t>(lParam & 0xFFFF);
    const uint16_t y = static_cast<uint16_t>(lParam >> 16);
    switch (message) {
        case kMsgCreate:
        case kMsgPaint:
            return 0;
        case kMsgDestroy:
            if (quitPosted != nullptr) *quitPosted = true;
            return 0;
        case kMsgKeyDown:
            if (key == kKeyReturn && flags.ctrlHeld) {
                flags.swallowEnterUp = true;
                SwitchFullScreen();
                break;
            }
            if (key == kKeyControl) flags.ctrlHeld = true;
            if (key == kKeyShift) app->shiftHeld = true;
            if (control) control->OnKeyDown(key);
            break;
        case kMsgKeyUp:
            if (key == kKeyEscape && !flags.escapePass) {
                flags.escapePass = true;
                break;
            }
            if (key == kKeyReturn && flags.swallowEnterUp) {
                flags.swallowEnterUp = false;
                break;
            }
            if (key == kKeyControl) flags.ctrlHeld = false;
            if (key == kKeyShift) app->shiftHeld = false;
            if (control) control->OnKeyUp(key);
            break;
        case kMsgChar:
            if (control) control->OnChar(static_cast<uint8_t>(key));
            break;
        case kMsgSetFocus:
            app->windowFocused = true;
            break;
        case kMsgKillFocus:
            // Keys released while the player was away never come up here.
            flags.ctrlHeld = false;
            app->shiftHeld = false;
            app->windowFocused = false;
            if (control) control->OnFocusLost();
            break;
        case kMsgMouseMove:
            app->prevMouseX = app->mouseX;
            app->prevMouseY = app->mouseY;
            app->mouseX = x;
            app->mouseY = y;
            if (control) control->OnMouseMove(x, y);
            break;
        case kMsgLButtonDown:
            if (control) control->OnLButtonDown(x, y);
            break;
        case kMsgLButtonUp:
            if (control) control->OnLButtonUp(x, y);
            break;
        case kMsgLButtonDblClk:
            if (control) control->OnLButtonDblClk(x, y);
            break;
        case kMsgRButtonDown:
            if (control) control->OnRButtonDown(x, y);
            break;
        case kMsgRButtonUp:
            if (control) control->OnRButtonUp(x, y);
            break;
        case kMsgMouseWheel:
            if (control) control->OnMouseWheel(wParam);
            break;
        default:
            break;
    }
    return 0;
}
