// The intro player on the dummy video and audio drivers: when it plays, how it ends (by
// itself, by Escape, by a closed window, by damage, by the caps), what it leaves behind.
#include "app/IntroTestSupport.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/Events.h"
#include "platform/Renderer.h"
#include "platform/Sound.h"

using introtest::IntroTest;
using introtest::MakeVideo;

TEST(IntroDecision, PlaysOnlyWhenEnabledAndFullScreen) {
    AppContext* app = GetAppContext();
    const struct {
        bool intro, fullScreen, plays;
    } table[] = {{true, true, true}, {true, false, false}, {false, true, false}, {false, false, false}};
    for (const auto& row : table) {
        app->introEnabled = row.intro;
        app->fullScreen = row.fullScreen;
        EXPECT_EQ(IntroWanted(*app), row.plays) << "intro " << row.intro << ", full screen " << row.fullScreen;
    }
}

TEST(IntroSoundLevel, FollowsTheEffectsVolumeAndItsLoudnessCurve) {
    EXPECT_EQ(IntroSoundVolume(100), 128);
    EXPECT_EQ(IntroSoundVolume(0), 0);     // effects off: no sound at all
    EXPECT_EQ(IntroSoundVolume(-5), 0);
    // Half the volume is -15 dB, as for an effect: 128 * 10^(-0.75) = 22.8.
    EXPECT_NEAR(IntroSoundVolume(50), 23, 1);
    EXPECT_LT(IntroSoundVolume(10), IntroSoundVolume(50));
    EXPECT_GT(IntroSoundVolume(1), 0);

    int16_t samples[] = {32767, -32768, 1000, -1000, 0};
    ScaleSamples(samples, 5, 64);
    EXPECT_EQ(samples[0], 16383);
    EXPECT_EQ(samples[1], -16384);
    EXPECT_EQ(samples[2], 500);
    EXPECT_EQ(samples[3], -500);
    int16_t loud[] = {32767, -32768};
    ScaleSamples(loud, 2, 128);
    EXPECT_EQ(loud[0], 32767);
    EXPECT_EQ(loud[1], -32768);
    ScaleSamples(loud, 2, 0);
    EXPECT_EQ(loud[0], 0);
}

TEST(IntroLetterboxing, FitsTheVideoIntoTheCanvasWithBars) {
    auto same = [](SDL_Rect a, SDL_Rect b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; };
    EXPECT_TRUE(same(IntroLetterbox(4.0 / 3.0, 1024, 768), SDL_Rect{0, 0, 1024, 768}));
    EXPECT_TRUE(same(IntroLetterbox(16.0 / 9.0, 1024, 768), SDL_Rect{0, 96, 1024, 576}));  // bars above and below
    EXPECT_TRUE(same(IntroLetterbox(1.0, 1024, 768), SDL_Rect{128, 0, 768, 768}));          // bars at the sides
    EXPECT_TRUE(same(IntroLetterbox(0.0, 1024, 768), SDL_Rect{0, 0, 1024, 768}));           // nonsense: whole canvas
    EXPECT_TRUE(same(IntroLetterbox(1e300, 1024, 768), SDL_Rect{0, 383, 1024, 1}));
}

TEST_F(IntroTest, AGoodFilePlaysForItsLengthAndStaysOnScreen) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1", "intro.avi"));
    const IntroReport r = Play("intro.avi");
    EXPECT_EQ(result, kOk);
    EXPECT_EQ(r.end, IntroEnd::kFinished);
    EXPECT_EQ(r.picturesShown, 25);
    EXPECT_GE(seconds, 0.95);  // paced by the time stamps, not as fast as it decodes
    EXPECT_LT(seconds, 5.0);
    EXPECT_TRUE(app->introOnScreen);
    EXPECT_TRUE(GetInputFlags().escapePass);
}

TEST_F(IntroTest, TheShippedIntroPlaysToItsEnd) {
    const IntroReport r = Play(KW_DATA_DIR "/intro.avi");
    EXPECT_EQ(r.end, IntroEnd::kFinished);
    EXPECT_EQ(r.picturesShown, 90);
    EXPECT_GE(seconds, 3.5);
}

TEST_F(IntroTest, PicturesAreShownInTheirColoursLetterboxedOnTheCanvas) {
    // 16:9, red for the first half second, then blue: bars above and below a 4:3 canvas.
    ASSERT_TRUE(MakeVideo("--pattern --size 320x180 --seconds 1 --red-seconds 0.5", "intro.avi"));
    std::vector<std::pair<int, std::vector<Uint32>>> seen;
    SDL_Renderer* renderer = app->device->Handle();
    const IntroReport r = Play("intro.avi", {}, [&](int shown) {
        if (shown != 5 && shown != 20) return;
        // The software renderer keeps the presented picture in the window's surface.
        std::vector<Uint32> px;
        for (SDL_Point p : {SDL_Point{512, 384}, SDL_Point{512, 40}, SDL_Point{512, 727}, SDL_Point{5, 384}}) {
            const SDL_Rect one{p.x, p.y, 1, 1};
            Uint32 value = 0;
            SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_RGB888, &value, 4);
            px.push_back(value & 0xFFFFFF);
        }
        seen.emplace_back(shown, px);
    });
    ASSERT_EQ(r.end, IntroEnd::kFinished);
    ASSERT_EQ(seen.size(), 2u);
    auto near = [](Uint32 got, Uint32 want) {
        for (int shift : {16, 8, 0})
            if (std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) > 12)
                return false;
        return true;
    };
    EXPECT_TRUE(near(seen[0].second[0], 0xFF0000)) << std::hex << seen[0].second[0];
    EXPECT_TRUE(near(seen[1].second[0], 0x0000FF)) << std::hex << seen[1].second[0];
    for (const auto& [shown, px] : seen) {
        EXPECT_EQ(px[1], 0u) << "bar above, picture " << shown;
        EXPECT_EQ(px[2], 0u) << "bar below, picture " << shown;
        EXPECT_NE(px[3], 0u) << "the picture reaches the sides, picture " << shown;
    }
}

TEST_F(IntroTest, EscapeEndsItWithinAPicture) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 2", "intro.avi"));
    const IntroReport r = Play("intro.avi", {}, [](int shown) {
        if (shown == 5) PushKey(SDL_KEYDOWN, SDLK_ESCAPE);  // pressed and still held
    });
    EXPECT_EQ(r.end, IntroEnd::kSkipped);
    EXPECT_EQ(r.picturesShown, 5);
    EXPECT_LT(seconds, 1.0);
    EXPECT_FALSE(GetInputFlags().escapePass);
    EXPECT_TRUE(app->introOnScreen);
}

TEST_F(IntroTest, ClosingTheWindowDuringTheIntroEndsIt) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 2", "intro.avi"));
    IntroReport r = Play("intro.avi", {}, [](int shown) {
        if (shown != 3) return;
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = SDL_WINDOWEVENT_CLOSE;
        SDL_PushEvent(&e);
    });
    EXPECT_EQ(r.end, IntroEnd::kWindowClosed);
    EXPECT_EQ(r.picturesShown, 3);
    r = Play("intro.avi", {}, [](int shown) {
        if (shown != 3) return;
        SDL_Event e{};
        e.type = SDL_QUIT;
        SDL_PushEvent(&e);
    });
    EXPECT_EQ(r.end, IntroEnd::kWindowClosed);
}

TEST_F(IntroTest, AMissingFileOrNoWindowReturnsAtOnce) {
    IntroReport r = Play("intro.avi");
    EXPECT_EQ(result, kFail);
    EXPECT_EQ(r.end, IntroEnd::kNotPlayed);
    EXPECT_EQ(r.picturesShown, 0);
    EXPECT_LT(seconds, 0.5);
    EXPECT_FALSE(app->introOnScreen);
    EXPECT_TRUE(GetInputFlags().escapePass);

    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1", "intro.avi"));
    Device* device = app->device;
    app->device = nullptr;  // no window to play in
    r = Play("intro.avi");
    app->device = device;
    EXPECT_EQ(result, kFail);
    EXPECT_EQ(r.picturesShown, 0);
}

TEST_F(IntroTest, WithoutTheVideoLibrariesItIsNotPlayedAndTheFileIsNotOpened) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1 --sound", "intro.avi"));
    app->soundVolume = 100;
    introtest::MissingVideoLibraries missing;
    introtest::OpenWatch watch(".");
    ASSERT_TRUE(watch.Ok());
    const IntroReport r = Play("intro.avi");
    EXPECT_EQ(result, kFail);
    EXPECT_EQ(r.end, IntroEnd::kNotPlayed);
    EXPECT_EQ(r.picturesShown, 0);
    EXPECT_FALSE(r.soundOpened);
    EXPECT_LT(seconds, 0.5);
    EXPECT_EQ(watch.Opened(), std::set<std::string>{});
    EXPECT_FALSE(app->introOnScreen);
    EXPECT_TRUE(GetInputFlags().escapePass);
}

TEST_F(IntroTest, JumpingTimeStampsEndItAfterOneSecondWithoutAPicture) {
    // After picture 5 the stamps jump 100 seconds ahead.
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1 --jump-after 5 --jump-seconds 100", "intro.avi"));
    const IntroReport r = Play("intro.avi");
    EXPECT_EQ(r.end, IntroEnd::kStalled);
    EXPECT_EQ(r.picturesShown, 6);
    EXPECT_GE(seconds, 1.0);
    EXPECT_LT(seconds, 4.0);
}

TEST_F(IntroTest, AnIntroLongerThanTheCapIsCut) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 3", "intro.avi"));
    IntroLimits limits;
    limits.totalSeconds = 0.5;
    const IntroReport r = Play("intro.avi", limits);
    EXPECT_EQ(r.end, IntroEnd::kTimeLimit);
    EXPECT_GE(r.picturesShown, 1);
    EXPECT_LT(r.picturesShown, 20);
    EXPECT_LT(seconds, 2.0);
}

namespace {
// Overwrites four bytes at the offset as a little-endian number.
void Patch32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string RandomBytes(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string out(n, '\0');
    for (char& c : out) c = static_cast<char>(rng() & 0xFF);
    return out;
}
}  // namespace

TEST_F(IntroTest, DamagedAndForeignFilesEndItQuicklyAndOpenNothingElse) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1", "good.avi"));
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1", "other.avi"));
    const std::string good = introtest::ReadBytes("good.avi");
    const size_t strf = good.find("strf");
    const size_t vids = good.find("vids");
    ASSERT_NE(strf, std::string::npos);
    ASSERT_NE(vids, std::string::npos);

    std::string hugePicture = good;  // BITMAPINFOHEADER: size, then width and height
    Patch32(hugePicture, strf + 12, 30000);
    std::string noVideo = good;
    noVideo.replace(vids, 4, "txts");
    std::string garbageAfterHeader = good.substr(0, good.find("movi") + 4);
    garbageAfterHeader += RandomBytes(good.size() - garbageAfterHeader.size(), 7);
    std::string wave = "RIFF";
    wave += std::string("\x24\x08\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xac\0\0\x02\0\x10\0data\0\x08\0\0", 40);
    wave += std::string(2048, '\0');

    const struct {
        const char* what;
        std::string bytes;
        bool mayShowPictures;
    } cases[] = {
        {"zero length", "", false},
        {"truncated", good.substr(0, good.size() * 2 / 5), true},
        {"random bytes", RandomBytes(64 * 1024, 1), false},
        {"random bytes after an AVI header", garbageAfterHeader, true},
        {"a WAVE file", wave, false},
        {"a PNG file", std::string("\x89PNG\r\n\x1a\n", 8) + RandomBytes(4000, 2), false},
        {"an MP4 file", std::string("\0\0\0\x18" "ftypisom\0\0\0\0isommp41", 24) + RandomBytes(4000, 3), false},
        {"an HLS playlist", "#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\nother.avi\n#EXT-X-ENDLIST\n", false},
        {"a concat list", "ffconcat version 1.0\nfile other.avi\nfile 'file:other.avi'\n", false},
        {"a picture too large", hugePicture, false},
        {"no video stream", noVideo, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        introtest::WriteBytes("intro.avi", c.bytes);
        introtest::OpenWatch watch(".");
        ASSERT_TRUE(watch.Ok());
        const IntroReport r = Play("intro.avi");
        EXPECT_LT(seconds, 2.0);
        EXPECT_EQ(r.refusedOpens, 0);
        EXPECT_EQ(watch.Opened(), std::set<std::string>{"intro.avi"});
        if (!c.mayShowPictures) {
            EXPECT_EQ(result, kFail);
            EXPECT_EQ(r.end, IntroEnd::kNotPlayed);
            EXPECT_EQ(r.picturesShown, 0);
        } else {
            EXPECT_LT(r.picturesShown, 25);
            EXPECT_NE(r.end, IntroEnd::kTimeLimit);
        }
    }
}

TEST_F(IntroTest, TheSoundFollowsTheEffectsVolumeAndItsDeviceIsClosedAfterwards) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1 --sound", "intro.avi"));
    // The disk driver writes what the device plays: the tone is at half of full scale.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    for (int volume : {100, 50}) {
        SCOPED_TRACE(volume);
        const std::string out = "sound-" + std::to_string(volume) + ".raw";
        setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
        app->soundVolume = volume;
        const IntroReport r = Play("intro.avi");
        EXPECT_EQ(r.end, IntroEnd::kFinished);
        EXPECT_TRUE(r.soundOpened);
        EXPECT_EQ(r.soundVolume, IntroSoundVolume(volume));
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
        const std::string raw = introtest::ReadBytes(out);
        int peak = 0;
        for (size_t i = 0; i + 1 < raw.size(); i += 2)
            peak = std::max(peak, std::abs(static_cast<int>(static_cast<int16_t>(
                                      static_cast<uint8_t>(raw[i]) | (static_cast<uint8_t>(raw[i + 1]) << 8)))));
        ASSERT_GT(raw.size(), 44100u);  // a good part of the second was played
        const double expected = 16384.0 * IntroSoundVolume(volume) / 128.0;
        EXPECT_NEAR(peak, expected, expected * 0.04);
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    app->soundVolume = 0;  // effects off: the intro stays silent and opens no device
    const IntroReport silent = Play("intro.avi");
    EXPECT_EQ(silent.end, IntroEnd::kFinished);
    EXPECT_FALSE(silent.soundOpened);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST_F(IntroTest, EverythingIsReleasedAndTheEffectsGetTheirDevice) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 0.5 --sound", "intro.avi"));
    auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator{});
    };
    app->soundVolume = 100;
    const auto before = openFiles();
    for (int i = 0; i < 3; ++i) {
        const IntroReport r = Play("intro.avi");
        ASSERT_TRUE(r.soundOpened);
    }
    EXPECT_EQ(openFiles(), before);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    ASSERT_EQ(StartSound(*app), kOk);  // the effects open the mixer after the intro
    EXPECT_NE(app->directSound, nullptr);
    ReleaseSound(*app);
}
