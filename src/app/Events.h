#pragma once
#include <cstdint>

union SDL_Event;
struct SDL_Keysym;

// The Windows virtual-key code of an SDL key (keypad digits give the digit codes), or 0.
uint16_t VirtualKeyFromSDL(int sdlKeycode);
// The virtual-key code of a key event: Escape, Enter and F1 by the key's place (so they work on
// every layout), other keys by what the layout types, letters and digits of layouts that type
// none by the key's place.
uint16_t VirtualKeyOf(const SDL_Keysym& key);

// Turns one SDL event into window messages and hands them to the window procedure. Returns
// false when the event asks the program to quit.
bool DispatchEvent(const SDL_Event& event);
