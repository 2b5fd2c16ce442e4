#pragma once
// The intro of Knobelwerk: the title picture of the loading screen builds up (the scenery fades
// in, the clock's hands run to ten past ten, the letters of the name drop in one after the
// other, sparkles flash round the name) and then stands still as exactly the picture the
// loading screen shows, so that loading follows without a jump. A soft chord, one rising note
// for every letter and a shimmer for the sparkles go with it.
#include <cairo.h>

#include <cstdint>
#include <vector>

namespace intro {
constexpr int kWidth = 1024, kHeight = 768;
constexpr int kFps = 25;
constexpr int kFrames = 90;           // 3.6 seconds
constexpr int kKeyInterval = kFps;    // a key frame every second
constexpr int kSoundRate = 22050;
// From this frame on every picture is the finished title picture.
constexpr int kStillFrom = 64;
// The finished picture is encoded finely; the moving pictures before it a little coarser.
constexpr int kStillQuantiser = 3, kMovingQuantiser = 4;

class Pictures {
public:
    Pictures();
    ~Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;
    // Draws frame `index` (0 .. kFrames - 1) over the whole kWidth x kHeight surface.
    void Draw(cairo_t* cr, int index) const;
    // The finished title picture, as the loading screen shows it (opaque ARGB32).
    cairo_surface_t* Still() const { return still_; }

private:
    cairo_surface_t* scenery_ = nullptr;    // the night scenery with its glows and lights
    cairo_surface_t* stillLife_ = nullptr;  // coins, cards, pieces and sparkles over it
    cairo_surface_t* still_ = nullptr;      // the whole picture
};

// The sound track: kFrames / kFps seconds of 16-bit mono samples at kSoundRate.
std::vector<int16_t> Sound();
}  // namespace intro
