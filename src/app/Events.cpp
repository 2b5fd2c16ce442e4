#include "app/Events.h"

#include <SDL.h>

#include <cstring>
#include <string>

#include "app/AppContext.h"
#include "app/WindowProc.h"
#include "framework/Types.h"
#include "platform/Device.h"
#include "platform/Renderer.h"
#include "platform/Sound.h"
#include "platform/TextCache.h"

uint16_t VirtualKeyFromSDL(int k) {
    if (k >= SDLK_a && k <= SDLK_z) return static_cast<uint16_t>(kKeyA + (k - SDLK_a));
    if (k >= SDLK_0 && k <= SDLK_9) return static_cast<uint16_t>(kKey0 + (k - SDLK_0));
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return static_cast<uint16_t>(kKey0 + 1 + (k - SDLK_KP_1));
    switch (k) {
        case SDLK_KP_0: return kKey0;
        case SDLK_BACKSPACE: return kKeyBack;
        case SDLK_TAB: return kKeyTab;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return kKeyReturn;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return kKeyShift;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return kKeyControl;
        case SDLK_ESCAPE: return kKeyEscape;
        case SDLK_SPACE: return kKeySpace;
        case SDLK_END: return kKeyEnd;
        case SDLK_HOME: return kKeyHome;
        case SDLK_PAGEUP: return kKeyPageUp;
        case SDLK_PAGEDOWN: return kKeyPageDown;
        case SDLK_LEFT: return kKeyLeft;
        case SDLK_UP: return kKeyUp;
        case SDLK_RIGHT: return kKeyRight;
        case SDLK_DOWN: return kKeyDown;
        case SDLK_KP_PLUS: return kKeyAdd;
        case SDLK_KP_MINUS: return kKeySubtract;
        case SDLK_DELETE: return kKeyDelete;
        case SDLK_F1: return kKeyF1;
        case SDLK_F2: return kKeyF2;
        case SDLK_F3: return kKeyF3;
        default: return 0;
    }
}

uint16_t VirtualKeyOf(const SDL_Keysym& key) {
    // The command keys by their place on the keyboard, whatever the layout makes of them.
    switch (key.scancode) {
        case SDL_SCANCODE_ESCAPE: return kKeyEscape;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_RETURN2:
        case SDL_SCANCODE_KP_ENTER: return kKeyReturn;
        case SDL_SCANCODE_F1: return kKeyF1;
        default: break;
    }
    const uint16_t vk = VirtualKeyFromSDL(key.sym);
    if (vk != 0) return vk;
    // A layout without Latin letters (Cyrillic, Greek) or with other characters on the digit
    // row (French): the letter or digit printed there on a US keyboard.
    if (key.scancode >= SDL_SCANCODE_A && key.scancode <= SDL_SCANCODE_Z)
        return static_cast<uint16_t>(kKeyA + (key.scancode - SDL_SCANCODE_A));
    if (key.scancode >= SDL_SCANCODE_1 && key.scancode <= SDL_SCANCODE_9)
        return static_cast<uint16_t>(kKey0 + 1 + (key.scancode - SDL_SCANCODE_1));
    if (key.scancode == SDL_SCANCODE_0) return kKey0;
    return 0;
}

namespace {
// Mouse positions arrive in canvas pixels; clicks in the black bars around a scaled canvas
// come outside it and are clamped to its edge.
uint32_t CanvasPosition(int x, int y) {
    AppContext* app = GetAppContext();
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    if (x > app->screenWidth - 1) x = app->screenWidth - 1;
    if (y > app->screenHeight - 1) y = app->screenHeight - 1;
    return MakePosition(x, y);
}

void ForceRedraw() {
    AppContext* app = GetAppContext();
    if (app->sprite != nullptr) app->sprite->ForceRedraw();
}
}  // namespace

bool DispatchEvent(const SDL_Event& e) {
    AppContext* app = GetAppContext();
    bool quit = false;
    switch (e.type) {
        case SDL_QUIT:
            return false;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    WindowProc(kMsgDestroy, 0, 0, &quit);
                    break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    WindowProc(kMsgSetFocus, 0, 0);
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                case SDL_WINDOWEVENT_MINIMIZED:
                case SDL_WINDOWEVENT_HIDDEN:
                    WindowProc(kMsgKillFocus, 0, 0);
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_RESIZED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_SHOWN:
                    ForceRedraw();
                    break;
                default:
                    break;
            }
            break;
        case SDL_RENDER_DEVICE_RESET:
        case SDL_RENDER_TARGETS_RESET:
            if (app->device != nullptr) app->device->MarkLost(e.type == SDL_RENDER_DEVICE_RESET);
            break;
        case SDL_AUDIODEVICEREMOVED:  // e.g. the sound server went away
            if (!e.adevice.iscapture) RestLostSoundDevice(*app);
            break;
        case SDL_MOUSEMOTION:
            WindowProc(kMsgMouseMove, 0, CanvasPosition(e.motion.x, e.motion.y));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const uint32_t pos = CanvasPosition(e.button.x, e.button.y);
            const bool down = e.type == SDL_MOUSEBUTTONDOWN;
            if (e.button.button == SDL_BUTTON_LEFT) {
                if (down) WindowProc(e.button.clicks >= 2 ? kMsgLButtonDblClk : kMsgLButtonDown, 0, pos);
                else WindowProc(kMsgLButtonUp, 0, pos);
            } else if (e.button.button == SDL_BUTTON_RIGHT) {
                WindowProc(down ? kMsgRButtonDown : kMsgRButtonUp, 0, pos);
            }
            break;
        }
        case SDL_MOUSEWHEEL: {
            const int delta = e.wheel.y * 120;
            WindowProc(kMsgMouseWheel, static_cast<uint32_t>(static_cast<uint16_t>(delta)) << 16, 0);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const uint16_t vk = VirtualKeyOf(e.key.keysym);
            if (vk != 0) WindowProc(e.type == SDL_KEYDOWN ? kMsgKeyDown : kMsgKeyUp, vk, 0);
            break;
        }
        case SDL_TEXTINPUT: {
            const char* text = e.text.text;
            const std::string typed = Utf8ToWindows1252(std::string(text, strnlen(text, sizeof e.text.text)));
            for (char c : typed) WindowProc(kMsgChar, static_cast<unsigned char>(c), 0);
            break;
        }
        default:
            break;
    }
    return !quit;
}
