#pragma once
// Reading of RIFF/WAVE sound files: the format of the sound and the bytes of its samples.
// Pure parsing, without the sound device, so that every byte it reads is checked in one place.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// The format of a WAVE file (its "fmt " chunk; the tag of an extensible format is the one of its
// sub-format).
struct WaveFormat {
    uint16_t formatTag = 0;  // 1 integer PCM, 3 floating point
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

constexpr uint16_t kWaveFormatPcm = 1;
constexpr uint16_t kWaveFormatFloat = 3;

// A parsed WAVE file: its format and the bytes of its "data" chunk.
struct WaveSound {
    WaveFormat format;
    std::vector<uint8_t> data;
    uint32_t Frames() const { return format.blockAlign ? static_cast<uint32_t>(data.size() / format.blockAlign) : 0; }
};

// Limits of what a sound may be: longer or larger files are refused rather than loaded.
constexpr uint32_t kMaxWaveDataBytes = 16u << 20;
constexpr uint32_t kMaxWaveSeconds = 30;
// The largest archive entry that is read as a sound: the data limit and room for other chunks.
constexpr uint32_t kMaxWaveEntryBytes = kMaxWaveDataBytes + (1u << 20);

// Parses RIFF/WAVE bytes: form type "WAVE", a "fmt " chunk with integer PCM of 8, 16, 24 or 32
// bits or 32-bit floats (plain or extensible), 1 to 8 channels, and a non-empty "data" chunk
// of whole sample frames. Anything else (a chunk running past the end, a missing chunk, a
// size that is not a whole number of frames, another format) is refused with false.
bool ParseWave(const uint8_t* bytes, size_t size, WaveSound& out);

// Reads the archive entry name and parses it as a sound; false when the entry is missing,
// larger than kMaxWaveEntryBytes, cannot be read or is no sound that can be played.
bool ReadWaveEntry(FILE* archive, const char* name, WaveSound& out);
