#pragma once
// Sound effects: eight WAVE files from the archive, ten copies each so that an effect can
// overlap itself. A copy is one mixer channel reserved for its sound id: the copies of sound id
// s are the channels 10·s .. 10·s + 9 (140 channels, allocated when the device opens).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/Types.h"
#include "platform/Wave.h"

struct AppContext;
struct Mix_Chunk;

constexpr int kSoundSlots = 14;   // sound ids 0..13
constexpr int kSoundCopies = 10;  // copies of each sound
constexpr int kSoundChannels = kSoundSlots * kSoundCopies;

// The background-music player. The program plays no music; the object only exists.
class MusicPlayer {};

// The open mixer device and the format it mixes in. While nothing plays for a while the device
// rests: it is closed, so its mixing thread stops waking, and the next sound opens it again in
// exactly the same format (the loaded sounds stay valid).
class SoundDevice {
public:
    int frequency = 0;
    uint16_t format = 0;
    int channels = 0;
    bool channelsReserved = false;  // the 140 copy channels are allocated
    bool resting = false;           // closed while quiet
    uint64_t quietFromMs = 0;       // when the last sound started so far ends (ms ticks)
    uint64_t nextWakeTryMs = 0;     // a failed reopening is not tried again before this
};

// Milliseconds of silence after which the device rests. Waking it is no later than playing on
// the open device, whose stream keeps a buffer of silence queued ahead of a new sound, so it
// rests whatever the window's focus.
constexpr uint64_t kSoundRestAfterMs = 2000;

// The ten copies of one sound: one converted sample buffer played on ten reserved channels.
struct SoundCopies {
    int soundId = 0;
    Mix_Chunk* chunk = nullptr;
    uint32_t lengthMs = 0;                 // playing time of one copy
    uint64_t endTick[kSoundCopies] = {};   // latest end of each copy's current play (ms ticks)
    int attenuation[kSoundCopies] = {};    // volume last set on each copy, hundredths of a dB
    int Channel(int copy) const { return soundId * kSoundCopies + copy; }
};

// The attenuation of a play request in hundredths of a decibel:
// (soundVolume · factor / 100) · 3000 − 3000, truncated, kept within −10000..0.
int SoundAttenuation(int soundVolume, float volumeFactor);
// The mixer's linear channel volume (0..128) for an attenuation: gain = 10^(dB / 20).
int MixerVolume(int attenuation);

// Whether a copy still plays at nowMs: it was started, the mixer has not reported it finished,
// and its playing time (with a little slack) has not run out.
bool CopyIsPlaying(const SoundCopies& copies, int copy, uint64_t nowMs);
// The first copy not playing at nowMs, or −1 when all ten are busy.
int FirstFreeCopy(const SoundCopies& copies, uint64_t nowMs);

// Converts a parsed WAVE into the mixer's format and sets up its ten copies for sound id
// soundId (0..13). Needs the open device; nullptr on failure.
SoundCopies* CreateSoundCopies(const WaveSound& wave, int soundId);
// Reads the archive entry fileName, parses it and sets up its copies; nullptr on failure.
SoundCopies* LoadSound(AppContext& app, const char* fileName, int soundId);
// Stops the copies and frees them.
void FreeSoundCopies(SoundCopies* copies);

// Opens the sound device and loads the eight sounds, drawing the loading screen after each
// step; the volume of the settings stays (0 keeps the effects off). Fails (with soundVolume 0)
// when the device cannot be opened or its channels cannot be reserved; a sound that cannot be
// loaded only leaves its id silent.
HResult StartSound(AppContext& app);
// Stops every sound that is playing (muting cuts them off).
void StopAllSounds(AppContext& app);
// Releases every loaded sound, then the sound device and the music player.
void ReleaseSound(AppContext& app);

// Lets the device rest once nothing has played for kSoundRestAfterMs; true when it rests now.
bool RestSoundWhenQuiet(AppContext& app, uint64_t nowMs);
// The output device is gone (unplugged, or the sound server ended): it rests at once, so that
// the next sound opens whatever device there is by then.
void RestLostSoundDevice(AppContext& app);
// Milliseconds from nowMs until the device may rest; -1 when there is none or it rests already.
int64_t MillisecondsUntilSoundRest(const AppContext& app, uint64_t nowMs);
