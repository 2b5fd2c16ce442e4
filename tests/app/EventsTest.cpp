#include "app/Events.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/AppContext.h"
#include "app/WindowProc.h"
#include "framework/MyControl.h"
#include "framework/Types.h"

namespace {
struct Keys : MyControl {
    std::vector<int> downs, ups, dbl, clicks;
    void OnKeyDown(uint16_t k) override { downs.push_back(k); }
    void OnKeyUp(uint16_t k) override { ups.push_back(k); }
    void OnLButtonDown(uint16_t x, uint16_t y) override { clicks.push_back(x); }
    void OnLButtonDblClk(uint16_t x, uint16_t y) override { dbl.push_back(x); }
};

SDL_Event KeyEvent(Uint32 type, SDL_Keycode sym) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    return e;
}
}  // namespace

TEST(Events, KeysBecomeVirtualKeyCodes) {
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_a), 0x41);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_z), 0x5A);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_0), 0x30);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_9), 0x39);
    // Keypad digits type digits, as players expect.
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_KP_0), 0x30);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_KP_1), 0x31);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_KP_9), 0x39);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_KP_ENTER), 13);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_RETURN), 13);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_BACKSPACE), 8);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_ESCAPE), 27);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_RSHIFT), 16);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_LCTRL), 17);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_KP_PLUS), 0x6B);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_KP_MINUS), 0x6D);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_LEFT), 0x25);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_DOWN), 0x28);
    EXPECT_EQ(VirtualKeyFromSDL(SDLK_F12), 0);
}

// Escape, Enter and F1 by their place; a layout without Latin letters types the US letter.
TEST(Events, CommandKeysWorkOnEveryLayout) {
    auto key = [](SDL_Scancode code, SDL_Keycode sym) { return VirtualKeyOf(SDL_Keysym{code, sym, 0, 0}); };
    EXPECT_EQ(key(SDL_SCANCODE_H, 0x0440), 'H');  // Cyrillic er
    EXPECT_EQ(key(SDL_SCANCODE_Z, SDLK_y), 'Y');  // German layout: the layout's letter
    EXPECT_EQ(key(SDL_SCANCODE_1, '&'), '1');     // French digit row
    EXPECT_EQ(key(SDL_SCANCODE_F1, 0), kKeyF1);
}

TEST(Events, KeyRepeatAndUnknownKeys) {
    AppContext* app = GetAppContext();
    Keys keys;
    app->activeControl = &keys;
    GetInputFlags() = InputFlags{};
    SDL_Event down = KeyEvent(SDL_KEYDOWN, SDLK_KP_7);
    DispatchEvent(down);
    down.key.repeat = 1;  // a repeated key-down is delivered like the first
    DispatchEvent(down);
    DispatchEvent(KeyEvent(SDL_KEYUP, SDLK_KP_7));
    DispatchEvent(KeyEvent(SDL_KEYDOWN, SDLK_F12));  // no code: not passed on
    EXPECT_EQ(keys.downs, (std::vector<int>{0x37, 0x37}));
    EXPECT_EQ(keys.ups, (std::vector<int>{0x37}));
    app->activeControl = nullptr;
}

TEST(Events, MousePositionsAreClampedToTheCanvas) {
    AppContext* app = GetAppContext();
    Keys keys;
    app->activeControl = &keys;
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = -63;  // the black bar left of a scaled canvas
    e.motion.y = 900;
    DispatchEvent(e);
    EXPECT_EQ(app->mouseX, 0);
    EXPECT_EQ(app->mouseY, 767);
    e.motion.x = 1125;
    e.motion.y = -5;
    DispatchEvent(e);
    EXPECT_EQ(app->mouseX, 1023);
    EXPECT_EQ(app->mouseY, 0);

    SDL_Event b{};
    b.type = SDL_MOUSEBUTTONDOWN;
    b.button.button = SDL_BUTTON_LEFT;
    b.button.x = 40;
    b.button.clicks = 1;
    DispatchEvent(b);
    b.button.clicks = 2;  // the second click of a double click
    DispatchEvent(b);
    EXPECT_EQ(keys.clicks, (std::vector<int>{40}));
    EXPECT_EQ(keys.dbl, (std::vector<int>{40}));
    app->activeControl = nullptr;
}

TEST(Events, QuitAndWindowCloseEndTheLoop) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_FALSE(DispatchEvent(quit));
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    EXPECT_FALSE(DispatchEvent(close));
}
