#pragma once
// The eight sound effects of the game.
#include "synth.h"

namespace snd {

struct Effect {
    const char* fileName;
    Buffer (*make)();
};

Buffer MenuClick();   // klick_menu.wav: a soft wooden tick
Buffer GameClick();   // klick_game.wav: a brighter click, also the right-answer sound
Buffer Win();         // win.wav: a short rising fanfare
Buffer Lose();        // lose.wav: a falling phrase
Buffer Alarm();       // alarm.wav: a clear two-tone alarm
Buffer WrongBuzz();   // lamp1.wav: a low buzz for a wrong answer
Buffer Pop();         // pop.wav: a bubbly pop
Buffer Punch();       // punch.wav: a dull thump

constexpr Effect kEffects[] = {
    {"klick_menu.wav", MenuClick}, {"klick_game.wav", GameClick}, {"win.wav", Win},
    {"lose.wav", Lose},            {"alarm.wav", Alarm},          {"lamp1.wav", WrongBuzz},
    {"pop.wav", Pop},              {"punch.wav", Punch},
};

}  // namespace snd
