#pragma once
// The title picture of splash.PNG in its layers, so that the intro video can bring them in one
// after the other and end on exactly this picture.
#include <string>
#include <vector>

#include "motifs.h"

namespace art {
constexpr int kSplashWidth = 1024, kSplashHeight = 768;
// The time on the clock of the picture.
constexpr double kSplashClockHours = 10, kSplashClockMinutes = 10;
constexpr const char* kSplashTitle = "Knobelwerk";

// Where the name stands: its start, baseline, letter size and width.
struct TitleLayout {
    double x, baseline, size, width;
};
TitleLayout SplashTitleLayout(cairo_t* cr);

// The layers from the back: the night scenery with its glows and lights; the clock; coins,
// cards, puzzle pieces and sparkles; the name (poses, one per letter, move the letters while
// they come in).
void DrawSplashScenery(cairo_t* cr);
void DrawSplashClock(cairo_t* cr, double hours, double minutes);
void DrawSplashStillLife(cairo_t* cr);
void DrawSplashTitle(cairo_t* cr, const std::vector<LetterPose>* poses = nullptr);

// All layers in order: the picture of splash.PNG.
void DrawSplashPicture(cairo_t* cr);
}  // namespace art
