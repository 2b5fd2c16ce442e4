#pragma once
#include <cstdint>

union SDL_Event;

// The Windows virtual-key code of an SDL key (keypad digits give the digit codes), or 0.
uint16_t VirtualKeyFromSDL(int sdlKeycode);

// Turns one SDL event into window messages and hands them to the window procedure. Returns
// false when the event asks the program to quit.
bool DispatchEvent(const SDL_Event& event);
