#include "platform/Wave.h"

#include <cstring>

#include "platform/Archive.h"

namespace {

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
bool IsTag(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

constexpr uint16_t kFormatExtensible = 0xFFFE;

// Reads a "fmt " chunk body and checks that the format is one the mixer can play.
bool ParseFormat(const uint8_t* p, uint32_t size, WaveFormat& f) {
    if (size < 16) return false;
    f.formatTag = Le16(p);
    f.channels = Le16(p + 2);
    f.samplesPerSec = Le32(p + 4);
    f.blockAlign = Le16(p + 12);
    f.bitsPerSample = Le16(p + 14);
    if (f.formatTag == kFormatExtensible) {
        // the sub-format GUID: two bytes of format tag, then the fixed suffix of the audio GUIDs
        static const uint8_t kGuidSuffix[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
        if (size < 40 || Le16(p + 16) < 22 || std::memcmp(p + 26, kGuidSuffix, sizeof kGuidSuffix) != 0) return false;
        f.formatTag = Le16(p + 24);
    }
    const unsigned bits = f.bitsPerSample;
    const bool pcm = f.formatTag == kWaveFormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
    const bool flt = f.formatTag == kWaveFormatFloat && bits == 32;
    if (!pcm && !flt) return false;
    if (f.channels < 1 || f.channels > 8) return false;
    if (f.blockAlign != f.channels * bits / 8) return false;
    return f.samplesPerSec >= 1000 && f.samplesPerSec <= 384000;
}
}  // namespace

bool ParseWave(const uint8_t* bytes, size_t size, WaveSound& out) {
    if (bytes == nullptr || size < 12) return false;
    if (!IsTag(bytes, "RIFF") || !IsTag(bytes + 8, "WAVE")) return false;
    const uint32_t riffSize = Le32(bytes + 4);
    if (riffSize < 4 || riffSize > size - 8) return false;
    const size_t end = 8 + static_cast<size_t>(riffSize);

    const uint8_t* fmt = nullptr;
    uint32_t fmtSize = 0;
    const uint8_t* data = nullptr;
    uint32_t dataSize = 0;
    size_t pos = 12;
    while (pos < end) {
        if (end - pos < 8) return false;  // a cut-off chunk header
        const uint32_t chunkSize = Le32(bytes + pos + 4);
        const size_t body = pos + 8;
        if (chunkSize > end - body) return false;
        if (fmt == nullptr && IsTag(bytes + pos, "fmt ")) {
            fmt = bytes + body;
            fmtSize = chunkSize;
        } else if (data == nullptr && IsTag(bytes + pos, "data")) {
            data = bytes + body;
            dataSize = chunkSize;
        }
        pos = body + chunkSize + (chunkSize & 1u);  // odd chunks are padded to an even length
    }
    if (fmt == nullptr || data == nullptr) return false;
    WaveFormat format;
    if (!ParseFormat(fmt, fmtSize, format)) return false;
    if (dataSize == 0 || dataSize % format.blockAlign != 0 || dataSize > kMaxWaveDataBytes) return false;
    if (dataSize / format.blockAlign / format.samplesPerSec >= kMaxWaveSeconds) return false;
    out.format = format;
    out.data.assign(data, data + dataSize);
    return true;
}

bool ReadWaveEntry(FILE* archive, const char* name, WaveSound& out) {
    uint32_t size = 0;
    if (FindEntry(archive, name, &size) == nullptr) return false;
    if (size > kMaxWaveEntryBytes) return false;  // far larger than any sound we play
    std::vector<uint8_t> bytes;
    if (!ReadArchiveEntry(archive, name, bytes)) return false;
    return ParseWave(bytes.data(), bytes.size(), out);
}
