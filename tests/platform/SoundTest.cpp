// Sound start-up, the ten copies of each sound and their channels, and the volume of a request.
// The tests run on SDL's dummy audio driver, which mixes in real time like a sound card.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/AppContext.h"
#include "platform/Archive.h"
#include "platform/Sound.h"
#include "platform/SoundTestWave.h"

using namespace wavetest;

namespace {
// Long enough that nothing ends while a test looks at it.
constexpr uint32_t kLongFrames = 44100 * 8;

// An archive in the working directory with the given entries.
void WriteArchive(const char* path, const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries) {
    std::vector<uint8_t> out = {'G', 'O', 'B', 0};
    Put32(out, static_cast<uint32_t>(entries.size()));
    uint32_t offset = 8 + 268 * static_cast<uint32_t>(entries.size());
    for (const auto& [name, bytes] : entries) {
        Put32(out, offset);
        Put32(out, static_cast<uint32_t>(bytes.size()));
        std::vector<uint8_t> field(260, 0);
        std::memcpy(field.data(), name.data(), std::min<size_t>(name.size(), 259));
        out.insert(out.end(), field.begin(), field.end());
        offset += static_cast<uint32_t>(bytes.size());
    }
    for (const auto& entry : entries) out.insert(out.end(), entry.second.begin(), entry.second.end());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()),
                                                static_cast<std::streamsize>(out.size()));
}

int PlayingChannels() { return Mix_Playing(-1); }

class SoundTest : public ::testing::Test {
protected:
    // Tests never reach for a real sound card.
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 0); }
    void TearDown() override {
        ReleaseSound(app);
        CloseArchive(app.archive);
        app.archive = nullptr;
    }
    // Starts the device (no archive: every sound slot stays empty) and puts a sound into slot id.
    SoundCopies* StartWith(int id, const std::vector<uint8_t>& bytes) {
        EXPECT_EQ(StartSound(app), kOk);
        WaveSound wave;
        EXPECT_TRUE(ParseWave(bytes.data(), bytes.size(), wave));
        app.soundBuffers[id] = CreateSoundCopies(wave, id);
        return app.soundBuffers[id];
    }
    AppContext app;
};
}  // namespace

TEST(SoundVolume, AttenuationFollowsVolumeAndFactor) {
    EXPECT_EQ(SoundAttenuation(100, 0.5f), -1500);
    EXPECT_EQ(SoundAttenuation(100, 1.0f), 0);
    EXPECT_EQ(SoundAttenuation(50, 1.0f), -1500);
    EXPECT_EQ(SoundAttenuation(100, 0.0f), -3000);
    EXPECT_EQ(SoundAttenuation(1, 1.0f), -2970);
    EXPECT_EQ(SoundAttenuation(100, 0.3333f), -2000);  // truncated toward zero (-2000.1)
    // never louder than full, never below the mixer's floor, whatever the factor
    EXPECT_EQ(SoundAttenuation(100, 2.0f), 0);
    EXPECT_EQ(SoundAttenuation(100, -5.0f), -10000);
    EXPECT_EQ(SoundAttenuation(100, std::nanf("")), -10000);
}

TEST(SoundVolume, MixerVolumeIsTheDecibelGain) {
    EXPECT_EQ(MixerVolume(0), MIX_MAX_VOLUME);
    EXPECT_EQ(MixerVolume(-1500), 23);  // 128 · 10^(-15/20) = 22.8
    EXPECT_EQ(MixerVolume(-600), 64);   // -6 dB is half the amplitude
    EXPECT_EQ(MixerVolume(-3000), 4);
    EXPECT_EQ(MixerVolume(-10000), 0);
    for (int a = -10000; a < 0; a += 100) EXPECT_LE(MixerVolume(a), MixerVolume(a + 100));
}

TEST_F(SoundTest, StartUpWithoutSoundFilesKeepsTheDeviceAndTheVolumeOfTheSettings) {
    app.soundVolume = 0;  // as after "SOUND: 0" in the settings: effects stay off
    app.musicVolume = 40;
    const int stepsBefore = app.loadingSteps;
    ASSERT_EQ(StartSound(app), kOk);
    EXPECT_EQ(app.soundVolume, 0);
    EXPECT_EQ(app.musicVolume, 40);
    EXPECT_NE(app.musicPlayer, nullptr);
    EXPECT_NE(app.directSound, nullptr);
    // the music player (counted, not drawn), the device, its channels and the eight sounds
    EXPECT_EQ(app.loadingSteps - stepsBefore, 11);
    for (SoundCopies* slot : app.soundBuffers) EXPECT_EQ(slot, nullptr);
    // the mixer runs as the game needs it: 44.1 kHz, 16-bit stereo, a channel per copy
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_NE(Mix_QuerySpec(&frequency, &format, &channels), 0);
    EXPECT_EQ(frequency, 44100);
    EXPECT_EQ(format, AUDIO_S16SYS);
    EXPECT_EQ(channels, 2);
    EXPECT_EQ(Mix_AllocateChannels(-1), kSoundChannels);
    for (int id = -1; id <= kSoundSlots; ++id) app.PlaySound(id, 1.0f);
    EXPECT_EQ(PlayingChannels(), 0);

    ReleaseSound(app);
    EXPECT_EQ(app.directSound, nullptr);
    EXPECT_EQ(app.musicPlayer, nullptr);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST_F(SoundTest, FailedDeviceLeavesTheProgramSilentButRunning) {
    const char* before = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = before ? before : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_TRUE(Failed(StartSound(app)));
    EXPECT_EQ(app.soundVolume, 0);
    EXPECT_EQ(app.directSound, nullptr);
    for (SoundCopies* slot : app.soundBuffers) EXPECT_EQ(slot, nullptr);
    // start-up then switches music off too; playing and releasing are harmless
    app.musicVolume = 0;
    for (int id = 0; id < kSoundSlots; ++id) app.PlaySound(id, 1.0f);
    ReleaseSound(app);
    ReleaseSound(app);
    EXPECT_EQ(app.musicPlayer, nullptr);
    if (before) setenv("SDL_AUDIODRIVER", saved.c_str(), 1); else unsetenv("SDL_AUDIODRIVER");
}

TEST_F(SoundTest, PlayTakesTheFirstFreeCopyWithItsVolume) {
    SoundCopies* copies = StartWith(12, PcmWave(1, 44100, 16, kLongFrames));
    ASSERT_NE(copies, nullptr);
    EXPECT_EQ(copies->lengthMs, 8000u);
    app.PlaySound(12, 0.5f);
    EXPECT_EQ(copies->attenuation[0], -1500);
    EXPECT_EQ(Mix_Volume(120, -1), 23);
    EXPECT_TRUE(Mix_Playing(120));
    app.PlaySound(12, 1.0f);
    EXPECT_EQ(copies->attenuation[1], 0);
    EXPECT_EQ(Mix_Volume(121, -1), MIX_MAX_VOLUME);
    EXPECT_TRUE(Mix_Playing(121));
    EXPECT_EQ(PlayingChannels(), 2);
    EXPECT_TRUE(CopyIsPlaying(*copies, 0, SDL_GetTicks64()));
    EXPECT_FALSE(CopyIsPlaying(*copies, 2, SDL_GetTicks64()));
}

TEST_F(SoundTest, TheEleventhRequestWhileAllCopiesPlayIsDropped) {
    SoundCopies* copies = StartWith(1, PcmWave(2, 44100, 16, kLongFrames));
    ASSERT_NE(copies, nullptr);
    for (int i = 0; i < 10; ++i) app.PlaySound(1, 1.0f);
    for (int copy = 0; copy < kSoundCopies; ++copy) {
        EXPECT_TRUE(CopyIsPlaying(*copies, copy, SDL_GetTicks64())) << copy;
        EXPECT_TRUE(Mix_Playing(10 + copy)) << copy;
    }
    EXPECT_EQ(FirstFreeCopy(*copies, SDL_GetTicks64()), -1);
    uint64_t ends[kSoundCopies];
    std::copy(copies->endTick, copies->endTick + kSoundCopies, ends);

    app.PlaySound(1, 0.25f);
    for (int copy = 0; copy < kSoundCopies; ++copy) {
        EXPECT_EQ(copies->attenuation[copy], 0) << "copy " << copy << " was restarted";
        EXPECT_EQ(copies->endTick[copy], ends[copy]);
        EXPECT_EQ(Mix_Volume(10 + copy, -1), MIX_MAX_VOLUME);
    }
    EXPECT_EQ(PlayingChannels(), 10);

    // a copy that the mixer reports finished is free again, and the next request takes it
    Mix_HaltChannel(13);
    EXPECT_FALSE(CopyIsPlaying(*copies, 3, SDL_GetTicks64()));
    app.PlaySound(1, 0.5f);
    EXPECT_EQ(copies->attenuation[3], -1500);
    EXPECT_TRUE(Mix_Playing(13));
    // and a copy whose playing time has run out counts as free even without the mixer's word
    EXPECT_EQ(FirstFreeCopy(*copies, ends[0]), 0);
}

TEST_F(SoundTest, SoundsPlayOnlyOnTheirOwnChannels) {
    SoundCopies* pop = StartWith(12, PcmWave(1, 22050, 8, 22050 * 10));
    ASSERT_NE(pop, nullptr);
    WaveSound wave;
    const std::vector<uint8_t> bytes = PcmWave(2, 48000, 16, 48000 * 10);
    ASSERT_TRUE(ParseWave(bytes.data(), bytes.size(), wave));
    app.soundBuffers[13] = CreateSoundCopies(wave, 13);
    for (int i = 0; i < 12; ++i) app.PlaySound(12, 1.0f);
    app.PlaySound(13, 1.0f);
    EXPECT_EQ(PlayingChannels(), 11);
    for (int ch = 120; ch < 131; ++ch) EXPECT_TRUE(Mix_Playing(ch)) << ch;
    EXPECT_FALSE(Mix_Playing(131));
    for (int ch = 0; ch < 120; ++ch) EXPECT_FALSE(Mix_Playing(ch)) << ch;
}

TEST_F(SoundTest, VolumeZeroAndAnUnfocusedWindowPlayNothing) {
    ASSERT_NE(StartWith(5, PcmWave(1, 44100, 16, kLongFrames)), nullptr);
    app.soundVolume = 0;
    app.PlaySound(5, 1.0f);
    EXPECT_EQ(PlayingChannels(), 0);
    app.soundVolume = 100;
    app.windowFocused = false;  // the player is in another window
    app.PlaySound(5, 1.0f);
    EXPECT_EQ(PlayingChannels(), 0);
    app.windowFocused = true;
    app.PlaySound(5, 1.0f);
    app.muted = true;
    app.PlaySound(5, 1.0f);
    EXPECT_EQ(PlayingChannels(), 1);  // muted, nothing more
}

TEST_F(SoundTest, SoundsAreConvertedToTheMixerFormat) {
    // 16-bit stereo at 44.1 kHz is the mixer's own format: the samples pass unchanged
    const std::vector<uint8_t> same = PcmWave(2, 44100, 16, 4410);
    SoundCopies* copies = StartWith(0, same);
    ASSERT_NE(copies, nullptr);
    ASSERT_EQ(copies->chunk->alen, 4410u * 4);
    EXPECT_EQ(std::memcmp(copies->chunk->abuf, same.data() + 44, 4410 * 4), 0);
    EXPECT_EQ(copies->lengthMs, 100u);
    // 8-bit mono at 22.05 kHz doubles in rate and quadruples in frame size
    WaveSound wave;
    const std::vector<uint8_t> small = PcmWave(1, 22050, 8, 11025);
    ASSERT_TRUE(ParseWave(small.data(), small.size(), wave));
    SoundCopies* converted = CreateSoundCopies(wave, 6);
    ASSERT_NE(converted, nullptr);
    EXPECT_NEAR(static_cast<double>(converted->chunk->alen), 22050.0 * 4, 64.0);
    EXPECT_EQ(converted->lengthMs, 500u);
    FreeSoundCopies(converted);
    // ids beyond the table get no copies
    EXPECT_EQ(CreateSoundCopies(wave, 14), nullptr);
    EXPECT_EQ(CreateSoundCopies(wave, -1), nullptr);
}

TEST_F(SoundTest, AMissingOrBrokenEntrySilencesOnlyItsId) {
    const std::vector<uint8_t> good = PcmWave(1, 44100, 16, 44100 * 5);
    std::vector<uint8_t> truncated = good;
    truncated.resize(good.size() - 10);
    WriteArchive("sport.gob", {{"Sounds\\klick_game.wav", good},
                               {"Sounds\\win.wav", truncated},
                               {"Sounds\\lose.wav", {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e'}},
                               {"sounds\\ALARM.WAV", good},
                               {"Sounds\\lamp1.wav", good},
                               {"Sounds\\pop.wav", good},
                               {"Sounds\\punch.wav", good}});
    app.archive = OpenArchive("sport.gob");
    ASSERT_NE(app.archive, nullptr);
    ASSERT_EQ(StartSound(app), kOk);
    EXPECT_EQ(app.soundVolume, 100);
    EXPECT_EQ(app.soundBuffers[0], nullptr);  // missing
    EXPECT_EQ(app.soundBuffers[5], nullptr);  // truncated
    EXPECT_EQ(app.soundBuffers[6], nullptr);  // not a WAVE
    for (int id : {1, 10, 11, 12, 13}) EXPECT_NE(app.soundBuffers[id], nullptr) << id;
    app.PlaySound(0, 1.0f);
    app.PlaySound(5, 1.0f);
    EXPECT_EQ(PlayingChannels(), 0);
    app.PlaySound(1, 1.0f);
    EXPECT_TRUE(Mix_Playing(10));
}

TEST_F(SoundTest, TheShippedArchiveHoldsAllEightSounds) {
    app.archive = OpenArchive(KW_DATA_DIR "/sport.gob");
    ASSERT_NE(app.archive, nullptr);
    ASSERT_EQ(StartSound(app), kOk);
    for (int id = 0; id < kSoundSlots; ++id) {
        const bool loaded = id == 0 || id == 1 || id == 5 || id == 6 || id >= 10;
        EXPECT_EQ(app.soundBuffers[id] != nullptr, loaded) << id;
    }
    for (int id : {0, 1, 5, 6, 10, 11, 12, 13}) {
        app.PlaySound(id, 1.0f);
        if (app.soundBuffers[id] != nullptr) {
            EXPECT_GT(app.soundBuffers[id]->endTick[0], 0u) << id;
        }
    }
}

namespace {
// Waits (at most two seconds) until the mixer has played every channel to its end.
bool WaitUntilSilent() {
    for (int i = 0; i < 200 && Mix_Playing(-1) > 0; ++i) SDL_Delay(10);
    return Mix_Playing(-1) == 0;
}
}  // namespace

TEST_F(SoundTest, TheDeviceRestsWhenQuietAndTheNextSoundWakesItInTheSameFormat) {
    SoundCopies* copies = StartWith(12, PcmWave(1, 44100, 16, 441));  // 10 ms
    ASSERT_NE(copies, nullptr);
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_NE(Mix_QuerySpec(&frequency, &format, &channels), 0);
    const uint64_t start = SDL_GetTicks64();
    EXPECT_FALSE(RestSoundWhenQuiet(app, start));
    EXPECT_GT(MillisecondsUntilSoundRest(app, start), 0);

    // a sound puts the rest off until it has ended and the quiet has lasted
    app.PlaySound(12, 1.0f);
    const uint64_t played = SDL_GetTicks64();
    EXPECT_GE(MillisecondsUntilSoundRest(app, played), static_cast<int64_t>(kSoundRestAfterMs + 10));
    ASSERT_TRUE(WaitUntilSilent());
    const uint64_t due = played + static_cast<uint64_t>(MillisecondsUntilSoundRest(app, played));
    EXPECT_FALSE(RestSoundWhenQuiet(app, due - 1));
    EXPECT_TRUE(RestSoundWhenQuiet(app, due));
    EXPECT_TRUE(app.directSound->resting);
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the device is closed";
    EXPECT_EQ(MillisecondsUntilSoundRest(app, due), -1);
    EXPECT_TRUE(RestSoundWhenQuiet(app, due + 1)) << "resting twice changes nothing";

    // a request that plays nothing leaves it resting
    app.soundVolume = 0;
    app.PlaySound(12, 1.0f);
    EXPECT_TRUE(app.directSound->resting);
    app.soundVolume = 100;

    // the next sound opens it in the format the sounds were converted to, with all channels
    app.PlaySound(12, 0.5f);
    EXPECT_FALSE(app.directSound->resting);
    int f2 = 0, c2 = 0;
    Uint16 fmt2 = 0;
    ASSERT_NE(Mix_QuerySpec(&f2, &fmt2, &c2), 0);
    EXPECT_EQ(f2, frequency);
    EXPECT_EQ(fmt2, format);
    EXPECT_EQ(c2, channels);
    EXPECT_EQ(Mix_AllocateChannels(-1), kSoundChannels);
    EXPECT_EQ(copies->attenuation[0], -1500);
    EXPECT_EQ(Mix_Volume(120, -1), 23);
    // the mixer reports the end of the woken sound again, so the copy comes free
    ASSERT_TRUE(WaitUntilSilent());
    for (int i = 0; i < 100 && CopyIsPlaying(*copies, 0, SDL_GetTicks64()); ++i) SDL_Delay(10);
    EXPECT_FALSE(CopyIsPlaying(*copies, 0, SDL_GetTicks64()));
}

TEST_F(SoundTest, ASoundStillPlayingKeepsTheDeviceAwake) {
    ASSERT_NE(StartWith(5, PcmWave(1, 44100, 16, kLongFrames)), nullptr);
    app.PlaySound(5, 1.0f);
    // even when its expected end has long passed, a channel the mixer still plays keeps it open
    const uint64_t late = SDL_GetTicks64() + 60000;
    EXPECT_FALSE(RestSoundWhenQuiet(app, late));
    EXPECT_TRUE(Mix_Playing(50));
    EXPECT_EQ(MillisecondsUntilSoundRest(app, late), static_cast<int64_t>(kSoundRestAfterMs));
}

TEST_F(SoundTest, AFailedWakeDropsTheSoundTriesAgainLaterAndReleasingWhileRestingIsSafe) {
    SoundCopies* copies = StartWith(13, PcmWave(2, 44100, 16, 441));
    ASSERT_NE(copies, nullptr);
    ASSERT_TRUE(RestSoundWhenQuiet(app, SDL_GetTicks64() + 60000));
    const int channels = app.directSound->channels;
    app.directSound->channels = 9;  // more channels than any driver opens
    app.PlaySound(13, 1.0f);
    EXPECT_TRUE(app.directSound->resting);
    EXPECT_EQ(copies->endTick[0], 0u) << "a dropped sound books no playing time";
    const uint64_t retry = app.directSound->nextWakeTryMs;
    EXPECT_GT(retry, SDL_GetTicks64());
    app.directSound->channels = channels;
    app.PlaySound(13, 1.0f);
    EXPECT_TRUE(app.directSound->resting) << "not tried again at once";
    app.directSound->nextWakeTryMs = 0;
    app.PlaySound(13, 1.0f);
    EXPECT_FALSE(app.directSound->resting);
    // resting again, then freeing a sound and releasing everything touches no closed mixer
    ASSERT_TRUE(WaitUntilSilent());
    ASSERT_TRUE(RestSoundWhenQuiet(app, SDL_GetTicks64() + 60000));
    FreeSoundCopies(app.soundBuffers[13]);
    app.soundBuffers[13] = nullptr;
    ReleaseSound(app);
    EXPECT_EQ(app.directSound, nullptr);
    // and the program can start its sound afresh
    EXPECT_EQ(StartSound(app), kOk);
    EXPECT_FALSE(app.directSound->resting);
}
