#include "Story.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <string>

#include "splash.h"
#include "synth.h"

namespace intro {
namespace {
// The loading screen's clear colour: the picture is drawn over it there as well.
constexpr double kGrey = 100.0 / 255.0;

// The picture opens from the centre in a widening circle with a soft rim (cheaper to encode
// than a fade, which changes every pixel of every frame).
constexpr double kOpenSeconds = 0.6, kOpenRim = 48.0;
// The clock's hands run this many minutes before they stop at ten past ten.
constexpr double kClockRun = 135.0, kClockSeconds = 2.0;
// Letter i starts to drop in at kLetterStart + i * kLetterStep and is at rest kLetterTime later.
constexpr double kLetterStart = 0.5, kLetterStep = 0.09, kLetterTime = 0.45;
// Where a letter's jump ends: the ease-out-back curve first reaches its goal.
constexpr double kBackC1 = 1.70158, kBackC3 = kBackC1 + 1.0;
constexpr double kLanding = 1.0 - kBackC1 / kBackC3;
// The sparkles round the name: start, length, place relative to the name, size.
struct Flash {
    double start, fx, dy, radius;
};
constexpr Flash kFlashes[] = {{1.72, 0.03, -92, 38}, {1.86, 0.98, -80, 32}, {2.0, 0.6, 24, 26}};
constexpr double kFlashTime = 0.45;

double Clamp01(double x) { return std::clamp(x, 0.0, 1.0); }
double Smooth(double x) {
    x = Clamp01(x);
    return x * x * (3 - 2 * x);
}
double EaseOutCubic(double x) {
    x = 1 - Clamp01(x);
    return 1 - x * x * x;
}
double EaseOutBack(double x) {
    x = Clamp01(x) - 1;
    return 1 + kBackC3 * x * x * x + kBackC1 * x * x;
}
double Seconds(int frame) { return static_cast<double>(frame) / kFps; }
int Letters() { return static_cast<int>(std::string(art::kSplashTitle).size()); }
double LetterStart(int i) { return kLetterStart + i * kLetterStep; }

std::vector<art::LetterPose> LetterPoses(double t) {
    std::vector<art::LetterPose> poses(Letters());
    for (int i = 0; i < Letters(); ++i) {
        const double u = (t - LetterStart(i)) / kLetterTime;
        art::LetterPose& p = poses[i];
        if (u >= 1) continue;  // at rest
        if (u <= 0) {
            p.alpha = 0;
            continue;
        }
        p.alpha = Clamp01(u / 0.25);
        p.scale = 0.3 + 0.7 * EaseOutBack(u);
        p.dy = -70.0 * (1 - EaseOutCubic(u));
    }
    return poses;
}

cairo_surface_t* Surface(const std::function<void(cairo_t*)>& draw) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    cairo_t* cr = cairo_create(s);
    draw(cr);
    cairo_destroy(cr);
    cairo_surface_flush(s);
    return s;
}

void Grey(cairo_t* cr) {
    cairo_set_source_rgb(cr, kGrey, kGrey, kGrey);
    cairo_paint(cr);
}
}  // namespace

Pictures::Pictures() {
    scenery_ = Surface([](cairo_t* cr) {
        Grey(cr);
        art::DrawSplashScenery(cr);
    });
    stillLife_ = Surface([](cairo_t* cr) { art::DrawSplashStillLife(cr); });
    still_ = Surface([](cairo_t* cr) {
        Grey(cr);
        art::DrawSplashPicture(cr);
    });
}

Pictures::~Pictures() {
    cairo_surface_destroy(scenery_);
    cairo_surface_destroy(stillLife_);
    cairo_surface_destroy(still_);
}

void Pictures::Draw(cairo_t* cr, int index) const {
    cairo_save(cr);
    if (index >= kStillFrom) {
        cairo_set_source_surface(cr, still_, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        return;
    }
    const double t = Seconds(index);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    // The picture without its name, opening.
    cairo_push_group(cr);
    cairo_set_source_surface(cr, scenery_, 0, 0);
    cairo_paint(cr);
    const double run = kClockRun * (1 - EaseOutCubic(t / kClockSeconds));
    art::DrawSplashClock(cr, art::kSplashClockHours, art::kSplashClockMinutes - run);
    cairo_set_source_surface(cr, stillLife_, 0, 0);
    cairo_paint(cr);
    cairo_pop_group_to_source(cr);
    if (t >= kOpenSeconds) {
        cairo_paint(cr);
    } else {
        const double reach = std::hypot(kWidth / 2.0, kHeight / 2.0) + kOpenRim;
        const double r = reach * Smooth(t / kOpenSeconds);
        cairo_pattern_t* iris = cairo_pattern_create_radial(kWidth / 2.0, kHeight / 2.0, std::max(0.0, r - kOpenRim),
                                                            kWidth / 2.0, kHeight / 2.0, std::max(r, 0.5));
        cairo_pattern_add_color_stop_rgba(iris, 0, 0, 0, 0, 1);
        cairo_pattern_add_color_stop_rgba(iris, 1, 0, 0, 0, 0);
        cairo_mask(cr, iris);
        cairo_pattern_destroy(iris);
    }
    // The name, letter by letter.
    const std::vector<art::LetterPose> poses = LetterPoses(t);
    art::DrawSplashTitle(cr, &poses);
    // Sparkles round it once it stands.
    const art::TitleLayout title = art::SplashTitleLayout(cr);
    for (const Flash& f : kFlashes) {
        const double u = (t - f.start) / kFlashTime;
        if (u <= 0 || u >= 1) continue;
        const double glow = std::sin(M_PI * u);
        art::DrawSparkle(cr, title.x + f.fx * title.width, title.baseline + f.dy, f.radius * glow, glow);
    }
    cairo_restore(cr);
}

std::vector<int16_t> Sound() {
    using namespace snd;
    const double length = static_cast<double>(kFrames) / kFps;
    Buffer track(Samples(length), 0.0f);
    // A warm chord under everything (C major, low).
    {
        Buffer pad(track.size());
        const double notes[] = {-21, -17, -14, -9};
        Osc osc[4];
        for (size_t i = 0; i < pad.size(); ++i) {
            const double t = Time(i);
            double s = 0;
            for (int n = 0; n < 4; ++n) s += osc[n].Harmonics(Semitone(notes[n]), {1.0, 0.3, 0.12});
            pad[i] = static_cast<float>(0.07 * RiseCos(t, 0.8) * Decay(std::max(0.0, t - 0.8), 2.2) * s);
        }
        MixInto(track, pad, 0);
    }
    // One bell-like note as each letter lands, climbing the pentatonic scale from C5.
    const double scale[] = {3, 5, 7, 10, 12, 15, 17, 19, 22, 24};
    for (int i = 0; i < Letters(); ++i) {
        const double freq = Semitone(scale[i % 10]);
        Buffer note(Samples(0.6));
        Osc a, b;
        for (size_t k = 0; k < note.size(); ++k) {
            const double t = Time(k);
            note[k] = static_cast<float>(RiseCos(t, 0.004) * Decay(t, 0.16) * (a.Sine(freq) + 0.25 * b.Sine(freq * 2.76)));
        }
        MixInto(track, note, Samples(LetterStart(i) + kLanding * kLetterTime), 0.45);
    }
    // A shimmer for every sparkle.
    const double shimmer[] = {27, 31, 34};
    for (size_t n = 0; n < std::size(kFlashes); ++n) {
        const double freq = Semitone(shimmer[n]);
        Buffer note(Samples(kFlashTime + 0.3));
        Osc a;
        for (size_t k = 0; k < note.size(); ++k) {
            const double t = Time(k);
            const double tremolo = 0.75 + 0.25 * std::sin(2 * kPi * 14 * t);
            note[k] = static_cast<float>(RiseCos(t, 0.01) * Decay(t, 0.18) * tremolo * a.Sine(freq));
        }
        MixInto(track, note, Samples(kFlashes[n].start), 0.18);
    }
    track.resize(Samples(length));
    Finish(track, 0.55, 0.005, 0.35);
    // Down to kSoundRate: the mean of each pair of samples (a gentle low-pass against aliasing).
    std::vector<int16_t> out(track.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) {
        const double v = 0.5 * (track[2 * i] + track[2 * i + 1]);
        out[i] = static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0));
    }
    return out;
}
}  // namespace intro
