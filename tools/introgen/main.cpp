// introgen: writes the intro video "intro.avi", or a plain test video.
//
//   introgen OUT.avi
//       the intro: 1024 x 768, 25 frames a second, 3.6 seconds, with sound
//   introgen --pattern [--size WxH] [--seconds S] [--red-seconds S] [--sound]
//            [--jump-after N --jump-seconds S] OUT.avi
//       red for the first --red-seconds (2), then blue, until --seconds (4); --sound adds a
//       440 Hz tone at half of full scale; --jump-after makes the time stamps jump forward by
//       --jump-seconds after picture N.
//
// The file is written beside OUT under a temporary name and renamed when complete.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "AviWriter.h"
#include "Story.h"

namespace {
struct Options {
    bool pattern = false;
    int width = intro::kWidth, height = intro::kHeight;
    double seconds = 4.0, redSeconds = 2.0;
    bool sound = false;
    int jumpAfter = -1;
    double jumpSeconds = 0.0;
    std::string out;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: introgen OUT.avi\n"
                 "       introgen --pattern [--size WxH] [--seconds S] [--red-seconds S] [--sound]\n"
                 "                [--jump-after N --jump-seconds S] OUT.avi\n");
    return 2;
}

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--pattern") o.pattern = true;
        else if (a == "--sound") o.sound = true;
        else if (a == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) != 2) return false;
        } else if (a == "--seconds" && hasValue) o.seconds = std::atof(argv[++i]);
        else if (a == "--red-seconds" && hasValue) o.redSeconds = std::atof(argv[++i]);
        else if (a == "--jump-after" && hasValue) o.jumpAfter = std::atoi(argv[++i]);
        else if (a == "--jump-seconds" && hasValue) o.jumpSeconds = std::atof(argv[++i]);
        else if (!a.empty() && a[0] != '-' && o.out.empty()) o.out = a;
        else return false;
    }
    if (o.out.empty()) return false;
    if (!o.pattern && (o.width != intro::kWidth || o.height != intro::kHeight || o.sound || o.jumpAfter >= 0))
        return false;
    return o.seconds > 0 && o.seconds <= 600 && o.width >= 16 && o.height >= 16 && o.width <= 4096 &&
           o.height <= 4096 && o.width % 2 == 0 && o.height % 2 == 0;
}

bool WriteIntro(AviWriter& writer, const std::string& path) {
    AviSettings settings;
    settings.fps = intro::kFps;
    settings.keyInterval = intro::kKeyInterval;
    settings.quantiser = intro::kStillQuantiser;
    settings.soundRate = intro::kSoundRate;
    if (!writer.Open(path, settings)) return false;
    const intro::Pictures pictures;
    const std::vector<int16_t> sound = intro::Sound();
    cairo_surface_t* frame = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, intro::kWidth, intro::kHeight);
    cairo_t* cr = cairo_create(frame);
    const int perFrame = intro::kSoundRate / intro::kFps;
    bool ok = true;
    for (int i = 0; ok && i < intro::kFrames; ++i) {
        pictures.Draw(cr, i);
        cairo_surface_flush(frame);
        ok = writer.AddPicture(cairo_image_surface_get_data(frame), cairo_image_surface_get_stride(frame), i,
                               i >= intro::kStillFrom ? intro::kStillQuantiser : intro::kMovingQuantiser);
        const size_t from = static_cast<size_t>(i) * perFrame;
        if (ok && from < sound.size()) {
            const int count = static_cast<int>(std::min<size_t>(perFrame, sound.size() - from));
            ok = writer.AddSound(sound.data() + from, count);
        }
    }
    cairo_destroy(cr);
    cairo_surface_destroy(frame);
    return ok && writer.Finish();
}

bool WritePattern(AviWriter& writer, const Options& o) {
    AviSettings settings;
    settings.width = o.width;
    settings.height = o.height;
    settings.soundRate = o.sound ? intro::kSoundRate : 0;
    if (!writer.Open(o.out + ".part", settings)) return false;
    const int frames = static_cast<int>(std::lround(o.seconds * settings.fps));
    const int perFrame = intro::kSoundRate / settings.fps;
    std::vector<uint32_t> pixels(static_cast<size_t>(o.width) * o.height);
    std::vector<int16_t> tone(perFrame);
    const int64_t jump = static_cast<int64_t>(std::lround(o.jumpSeconds * settings.fps));
    int64_t soundAt = 0;
    for (int i = 0; i < frames; ++i) {
        const bool red = i < std::lround(o.redSeconds * settings.fps);
        std::fill(pixels.begin(), pixels.end(), red ? 0xFFFF0000u : 0xFF0000FFu);
        const int64_t index = (o.jumpAfter >= 0 && i > o.jumpAfter) ? i + jump : i;
        if (!writer.AddPicture(reinterpret_cast<const uint8_t*>(pixels.data()), o.width * 4, index)) return false;
        if (o.sound) {
            for (int k = 0; k < perFrame; ++k, ++soundAt)
                tone[k] = static_cast<int16_t>(std::lround(16384.0 * std::sin(2 * M_PI * 440.0 * soundAt / intro::kSoundRate)));
            if (!writer.AddSound(tone.data(), perFrame)) return false;
        }
    }
    return writer.Finish();
}
}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!Parse(argc, argv, o)) return Usage();
    AviWriter writer;
    const std::string part = o.out + ".part";
    const bool ok = o.pattern ? WritePattern(writer, o) : WriteIntro(writer, part);
    if (!o.pattern) {
        cairo_debug_reset_static_data();
        FcFini();
    }
    if (!ok || std::rename(part.c_str(), o.out.c_str()) != 0) {
        std::fprintf(stderr, "introgen: cannot write %s: %s\n", o.out.c_str(),
                     writer.Error().empty() ? std::strerror(errno) : writer.Error().c_str());
        std::remove(part.c_str());
        return 1;
    }
    return 0;
}
