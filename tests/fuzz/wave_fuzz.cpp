// fuzz-sources: src/platform/Wave.cpp src/platform/Archive.cpp
// fuzz-max-len: 32768
// Fuzz target: the WAVE reader, on the bytes alone and on the same bytes as an archive entry
// read the way the sound start-up reads it. Whatever the bytes are, a sound that loads is
// consistent: its samples are the body of a "data" chunk inside the RIFF form inside the entry
// (the data length never exceeds the entry), whole frames of a format the mixer plays, shorter
// than the time limit; and the archive path loads exactly what the bytes alone load.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "platform/Archive.h"
#include "platform/Wave.h"

namespace {
const char kArchiveFile[] = "fuzz-sound.gob";
const char kEntryName[] = "Sounds\\win.wav";

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

// Whether the samples are the body of a "data" chunk whose size field is their length, lying
// wholly inside the RIFF form, which lies inside the input.
bool IsDataChunkOfTheInput(const uint8_t* data, size_t size, const std::vector<uint8_t>& samples) {
    if (size < 12) return false;
    const uint64_t riffEnd = 8 + static_cast<uint64_t>(U32(data + 4));
    if (riffEnd > size) return false;
    for (size_t at = 12; at + 8 <= riffEnd; ++at) {
        if (std::memcmp(data + at, "data", 4) != 0 || U32(data + at + 4) != samples.size()) continue;
        if (at + 8 + samples.size() > riffEnd) continue;
        if (std::memcmp(data + at + 8, samples.data(), samples.size()) == 0) return true;
    }
    return false;
}

void CheckSound(const WaveSound& wave, const uint8_t* data, size_t size) {
    const WaveFormat& f = wave.format;
    const unsigned bits = f.bitsPerSample;
    KW_FUZZ_CHECK((f.formatTag == kWaveFormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) ||
                  (f.formatTag == kWaveFormatFloat && bits == 32));
    KW_FUZZ_CHECK(f.channels >= 1 && f.channels <= 8);
    KW_FUZZ_CHECK(f.blockAlign == f.channels * bits / 8);
    KW_FUZZ_CHECK(f.samplesPerSec >= 1000 && f.samplesPerSec <= 384000);
    KW_FUZZ_CHECK(!wave.data.empty() && wave.data.size() <= kMaxWaveDataBytes);
    KW_FUZZ_CHECK(f.blockAlign != 0 && wave.data.size() % f.blockAlign == 0);
    KW_FUZZ_CHECK(wave.Frames() / f.samplesPerSec < kMaxWaveSeconds);
    // "RIFF", its size, "WAVE", a "fmt " chunk of at least 16 bytes and the "data" chunk header.
    KW_FUZZ_CHECK(wave.data.size() + 44 <= size);
    KW_FUZZ_CHECK(IsDataChunkOfTheInput(data, size, wave.data));
}
}  // namespace

KW_FUZZ_TARGET(wave) {
    WaveSound wave;
    const bool loaded = ParseWave(data, size, wave);
    if (loaded) CheckSound(wave, data, size);

    ArchiveEntry entry;
    entry.name = kEntryName;
    entry.bytes.assign(data, data + size);
    std::vector<uint8_t> archive;
    std::string error;
    if (!BuildArchive({entry}, archive, error)) return 0;
    FILE* out = std::fopen(kArchiveFile, "wb");
    if (out == nullptr) return 0;
    const bool written = std::fwrite(archive.data(), 1, archive.size(), out) == archive.size();
    if (std::fclose(out) != 0 || !written) return 0;
    FILE* file = OpenArchive(kArchiveFile);
    KW_FUZZ_CHECK(file != nullptr);
    WaveSound fromEntry;
    const bool entryLoaded = ReadWaveEntry(file, "SOUNDS\\WIN.WAV", fromEntry);
    KW_FUZZ_CHECK(entryLoaded == loaded);
    if (entryLoaded && loaded) {
        KW_FUZZ_CHECK(fromEntry.data == wave.data);
        const WaveFormat& a = fromEntry.format;
        const WaveFormat& b = wave.format;
        KW_FUZZ_CHECK(a.formatTag == b.formatTag && a.channels == b.channels && a.samplesPerSec == b.samplesPerSec &&
                      a.blockAlign == b.blockAlign && a.bitsPerSample == b.bitsPerSample);
    }
    WaveSound none;
    KW_FUZZ_CHECK(!ReadWaveEntry(file, "Sounds\\lose.wav", none) && none.data.empty());
    CloseArchive(file);
    std::remove(kArchiveFile);
    return 0;
}
