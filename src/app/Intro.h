#pragma once
// The intro video: played once at start-up, letterboxed in the full-screen main window, before
// the loading screen. Escape skips it; whatever goes wrong, start-up simply goes on.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "framework/Types.h"

struct AppContext;
struct SDL_Rect;

// How the intro ended.
enum class IntroEnd {
    kNotPlayed,     // no window to play in, or the file is missing or not a video we play
    kFinished,      // the video ended
    kSkipped,       // the player pressed Escape
    kWindowClosed,  // the window was closed: the program ends
    kBroken,        // a read or decode error
    kStalled,       // no picture for too long
    kTimeLimit,     // the intro ran too long
};

struct IntroLimits {
    double stallSeconds = 1.0;   // the longest time without a new picture
    double totalSeconds = 60.0;  // the longest intro
};

// What happened while the intro played (for start-up and for tests).
struct IntroReport {
    IntroEnd end = IntroEnd::kNotPlayed;
    int picturesShown = 0;
    bool soundOpened = false;
    int soundVolume = 0;   // mixer volume (0..128) of the intro's sound
    int refusedOpens = 0;  // attempts of the file to make the player open something else
};

// Called after every picture shown with the number shown so far.
using IntroPictureHook = std::function<void(int picturesShown)>;

// Whether start-up plays the intro: only when the settings enable it and the display is full screen.
bool IntroWanted(const AppContext& app);

// The mixer volume (0..128) of the intro's sound at the effects volume of the settings
// (0..100): as loud as an effect played at full factor; 0 (no sound) when effects are off.
int IntroSoundVolume(int soundVolume);
// Scales 16-bit samples by a mixer volume (0..128; 128 leaves them as they are).
void ScaleSamples(int16_t* samples, size_t count, int volume);
// Where a video of the given display aspect is shown on the canvas: as large as fits, centred,
// with black bars at the sides or at top and bottom.
SDL_Rect IntroLetterbox(double aspect, int canvasWidth, int canvasHeight);

// Plays the video in AppContext.window (on its device). Returns kOk when the video was opened
// and played, however it ended; the failure code when it could not be played at all.
HResult PlayIntro(const char* fileName);
HResult PlayIntro(const char* fileName, const IntroLimits& limits, IntroReport* report,
                  const IntroPictureHook& onPicture = {});
