#include "platform/Sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

#include "app/AppContext.h"

namespace {

// ---- channel bookkeeping -----------------------------------------------------------------------

// Set when a copy starts, cleared by the mixer when the channel finishes (on the audio thread).
std::atomic<bool> g_channelPlaying[kSoundChannels];

// A copy counts as busy a little past its playing time, for the mixer's buffer latency.
constexpr uint64_t kEndSlackMs = 150;

void SDLCALL OnChannelFinished(int channel) {
    if (channel >= 0 && channel < kSoundChannels) g_channelPlaying[channel].store(false);
}

void ClearChannelFlags() {
    for (auto& flag : g_channelPlaying) flag.store(false);
}

// Whether the mixer's channels exist: the mixer frees them while the device is closed, and
// asking a closed mixer about a channel reads freed memory.
bool g_mixerOpen = false;

// ---- the device ----------------------------------------------------------------------------------

SoundDevice* OpenSoundDevice() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    g_mixerOpen = true;
    auto* device = new SoundDevice();
    device->quietFromMs = SDL_GetTicks64();
    return device;
}

bool AllocateCopyChannels() {
    if (Mix_AllocateChannels(kSoundChannels) != kSoundChannels) return false;
    if (Mix_ReserveChannels(kSoundChannels) != kSoundChannels) return false;
    Mix_ChannelFinished(OnChannelFinished);
    return true;
}

void CloseMixer() {
    Mix_ChannelFinished(nullptr);
    Mix_CloseAudio();
    g_mixerOpen = false;
    ClearChannelFlags();
}

// Opens a resting device again in the format its sounds were converted to (no changes allowed,
// so SDL converts for the sound card if it has to).
bool WakeSoundDevice(SoundDevice& device, uint64_t nowMs) {
    if (!device.resting) return true;
    if (nowMs < device.nextWakeTryMs) return false;
    if (Mix_OpenAudioDevice(device.frequency, device.format, device.channels, 1024, nullptr, 0) != 0) {
        device.nextWakeTryMs = nowMs + 1000;
        return false;
    }
    g_mixerOpen = true;
    if (!AllocateCopyChannels()) {
        CloseMixer();
        device.nextWakeTryMs = nowMs + 1000;
        return false;
    }
    device.resting = false;
    device.quietFromMs = nowMs;
    return true;
}

// The cooperative step of the device: the channels of all copies are allocated and reserved, so
// that nothing else ever plays on them.
bool ReserveCopyChannels(SoundDevice& device) {
    ClearChannelFlags();
    if (!AllocateCopyChannels()) return false;
    device.channelsReserved = true;
    return true;
}

// The format every sound is converted to.
bool DescribeBuffers(SoundDevice& device) {
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0) return false;
    device.frequency = frequency;
    device.format = format;
    device.channels = channels;
    return true;
}

// 24-bit samples widened to 32 bits, which the converter understands.
std::vector<uint8_t> Widen24(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out(data.size() / 3 * 4);
    for (size_t i = 0, o = 0; i + 2 < data.size(); i += 3, o += 4) {
        out[o] = 0;
        out[o + 1] = data[i];
        out[o + 2] = data[i + 1];
        out[o + 3] = data[i + 2];
    }
    return out;
}

struct SoundEntry {
    int id;
    const char* name;
};
// The load order of the sounds.
constexpr SoundEntry kSoundFiles[] = {
    {1, "Sounds\\klick_game.wav"}, {0, "Sounds\\klick_menu.wav"}, {5, "Sounds\\win.wav"},
    {6, "Sounds\\lose.wav"},       {10, "Sounds\\alarm.wav"},     {12, "Sounds\\pop.wav"},
    {13, "Sounds\\punch.wav"},     {11, "Sounds\\lamp1.wav"},
};

}  // namespace

int SoundAttenuation(int soundVolume, float volumeFactor) {
    const float value = static_cast<float>(soundVolume) * volumeFactor / 100.0f * 3000.0f - 3000.0f;
    if (!(value > -10000.0f)) return -10000;  // also NaN
    if (value >= 0.0f) return 0;
    return static_cast<int>(value);
}

int MixerVolume(int attenuation) {
    const double gain = std::pow(10.0, attenuation / 2000.0);
    const long volume = std::lround(gain * MIX_MAX_VOLUME);
    return static_cast<int>(volume < 0 ? 0 : volume > MIX_MAX_VOLUME ? MIX_MAX_VOLUME : volume);
}

bool CopyIsPlaying(const SoundCopies& copies, int copy, uint64_t nowMs) {
    if (copy < 0 || copy >= kSoundCopies) return false;
    const int channel = copies.Channel(copy);
    if (channel < 0 || channel >= kSoundChannels) return false;
    return g_channelPlaying[channel].load() && nowMs < copies.endTick[copy];
}

int FirstFreeCopy(const SoundCopies& copies, uint64_t nowMs) {
    for (int copy = 0; copy < kSoundCopies; ++copy) {
        if (!CopyIsPlaying(copies, copy, nowMs)) return copy;
    }
    return -1;
}

SoundCopies* CreateSoundCopies(const WaveSound& wave, int soundId) {
    if (soundId < 0 || soundId >= kSoundSlots || wave.data.empty()) return nullptr;
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0) return nullptr;

    const WaveFormat& f = wave.format;
    SDL_AudioFormat source = AUDIO_S16LSB;
    std::vector<uint8_t> widened;
    const std::vector<uint8_t>* samples = &wave.data;
    if (f.formatTag == kWaveFormatFloat) {
        source = AUDIO_F32LSB;
    } else if (f.bitsPerSample == 8) {
        source = AUDIO_U8;
    } else if (f.bitsPerSample == 24) {
        widened = Widen24(wave.data);
        samples = &widened;
        source = AUDIO_S32LSB;
    } else if (f.bitsPerSample == 32) {
        source = AUDIO_S32LSB;
    }
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, source, static_cast<Uint8>(f.channels), static_cast<int>(f.samplesPerSec), format,
                          static_cast<Uint8>(channels), frequency) < 0) {
        return nullptr;
    }
    const size_t length = samples->size();
    const size_t capacity = length * static_cast<size_t>(cvt.len_mult);
    if (cvt.len_mult < 1 || capacity > (256u << 20)) return nullptr;
    auto* buffer = static_cast<Uint8*>(SDL_malloc(capacity));
    if (buffer == nullptr) return nullptr;
    std::memcpy(buffer, samples->data(), length);
    cvt.buf = buffer;
    cvt.len = static_cast<int>(length);
    cvt.len_cvt = cvt.len;
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) {
        SDL_free(buffer);
        return nullptr;
    }
    auto* chunk = static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk)));
    if (chunk == nullptr || cvt.len_cvt <= 0) {
        SDL_free(chunk);
        SDL_free(buffer);
        return nullptr;
    }
    chunk->allocated = 1;  // Mix_FreeChunk frees the buffer as well
    chunk->abuf = buffer;
    chunk->alen = static_cast<Uint32>(cvt.len_cvt);
    chunk->volume = MIX_MAX_VOLUME;

    auto* copies = new SoundCopies();
    copies->soundId = soundId;
    copies->chunk = chunk;
    copies->lengthMs = static_cast<uint32_t>((static_cast<uint64_t>(wave.Frames()) * 1000 + f.samplesPerSec - 1) /
                                             f.samplesPerSec);
    for (int copy = 0; copy < kSoundCopies; ++copy) g_channelPlaying[copies->Channel(copy)].store(false);
    return copies;
}

SoundCopies* LoadSound(AppContext& app, const char* fileName, int soundId) {
    if (app.directSound == nullptr || app.archive == nullptr || fileName == nullptr) return nullptr;
    WaveSound wave;
    if (!ReadWaveEntry(app.archive, fileName, wave)) return nullptr;
    return CreateSoundCopies(wave, soundId);
}

void FreeSoundCopies(SoundCopies* copies) {
    if (copies == nullptr) return;
    for (int copy = 0; copy < kSoundCopies; ++copy) {
        if (g_mixerOpen && copies->chunk != nullptr && Mix_Playing(copies->Channel(copy))) {
            Mix_HaltChannel(copies->Channel(copy));
        }
        g_channelPlaying[copies->Channel(copy)].store(false);
    }
    if (copies->chunk != nullptr) Mix_FreeChunk(copies->chunk);
    delete copies;
}

HResult StartSound(AppContext& app) {
    if (app.musicPlayer != nullptr || app.directSound != nullptr) ReleaseSound(app);

    app.musicPlayer = new MusicPlayer();
    ++app.loadingSteps;  // counted, not drawn
    if (app.musicPlayer == nullptr) app.musicVolume = 0;

    app.directSound = OpenSoundDevice();
    if (app.directSound == nullptr) {
        app.soundVolume = 0;
        return kFail;
    }
    app.DrawLoadingScreen();
    if (!ReserveCopyChannels(*app.directSound)) {
        app.soundVolume = 0;
        return kFail;
    }
    app.DrawLoadingScreen();
    DescribeBuffers(*app.directSound);
    for (const SoundEntry& entry : kSoundFiles) {
        app.soundBuffers[entry.id] = LoadSound(app, entry.name, entry.id);
        app.DrawLoadingScreen();
    }
    return kOk;
}

void ReleaseSound(AppContext& app) {
    if (app.directSound != nullptr && g_mixerOpen) Mix_HaltChannel(-1);
    for (SoundCopies*& slot : app.soundBuffers) {
        FreeSoundCopies(slot);
        slot = nullptr;
    }
    if (app.directSound != nullptr) {
        if (g_mixerOpen) CloseMixer();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        delete app.directSound;
        app.directSound = nullptr;
    }
    delete app.musicPlayer;
    app.musicPlayer = nullptr;
}

void AppContext::PlaySound(int soundId, float volumeFactor) {
    ++soundsRequested;
    lastSoundId = soundId;
    if (soundVolume <= 0 || muted || !windowFocused) return;
    if (soundId < 0 || soundId >= kSoundSlots) return;
    SoundCopies* copies = soundBuffers[soundId];
    if (copies == nullptr || copies->chunk == nullptr) return;
    const uint64_t now = SDL_GetTicks64();
    const int copy = FirstFreeCopy(*copies, now);
    if (copy < 0) return;  // all ten copies are playing: the request is dropped
    if (directSound == nullptr || !WakeSoundDevice(*directSound, now)) return;
    const int attenuation = SoundAttenuation(soundVolume, volumeFactor);
    const int channel = copies->Channel(copy);
    Mix_Volume(channel, MixerVolume(attenuation));
    if (Mix_PlayChannel(channel, copies->chunk, 0) < 0) return;
    copies->attenuation[copy] = attenuation;
    copies->endTick[copy] = now + copies->lengthMs + kEndSlackMs;
    directSound->quietFromMs = std::max(directSound->quietFromMs, copies->endTick[copy]);
    g_channelPlaying[channel].store(true);
}

void StopAllSounds(AppContext& app) {
    SoundDevice* device = app.directSound;
    if (device == nullptr || device->resting || !device->channelsReserved) return;
    Mix_HaltChannel(-1);
}

bool RestSoundWhenQuiet(AppContext& app, uint64_t nowMs) {
    SoundDevice* device = app.directSound;
    if (device == nullptr) return false;
    if (device->resting) return true;
    if (!device->channelsReserved || nowMs < device->quietFromMs + kSoundRestAfterMs) return false;
    if (Mix_Playing(-1) > 0) {  // a sound outlasted its expected end: look again later
        device->quietFromMs = nowMs;
        return false;
    }
    CloseMixer();
    device->resting = true;
    return true;
}

void RestLostSoundDevice(AppContext& app) {
    SoundDevice* device = app.directSound;
    if (device == nullptr || device->resting || !g_mixerOpen) return;
    CloseMixer();
    device->resting = true;
}

int64_t MillisecondsUntilSoundRest(const AppContext& app, uint64_t nowMs) {
    const SoundDevice* device = app.directSound;
    if (device == nullptr || device->resting || !device->channelsReserved) return -1;
    const uint64_t at = device->quietFromMs + kSoundRestAfterMs;
    return at > nowMs ? static_cast<int64_t>(at - nowMs) : 0;
}
