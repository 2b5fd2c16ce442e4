#pragma once
// Builds RIFF/WAVE files in memory for the sound tests.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace wavetest {

inline void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
inline void PutTag(std::vector<uint8_t>& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

// A chunk: tag, size field and body (the size field may lie about the body).
struct Chunk {
    std::string tag;
    std::vector<uint8_t> body;
    int64_t sizeField = -1;  // -1: the body's real size
};

inline std::vector<uint8_t> FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    std::vector<uint8_t> b;
    const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    Put16(b, tag);
    Put16(b, channels);
    Put32(b, rate);
    Put32(b, rate * align);
    Put16(b, align);
    Put16(b, bits);
    return b;
}

// Assembles "RIFF" size "WAVE" and the chunks (odd bodies padded). riffSize -1: the true size.
inline std::vector<uint8_t> Assemble(const std::vector<Chunk>& chunks, int64_t riffSize = -1,
                                     const char* form = "WAVE") {
    std::vector<uint8_t> body;
    PutTag(body, form);
    for (const Chunk& c : chunks) {
        PutTag(body, c.tag.c_str());
        Put32(body, static_cast<uint32_t>(c.sizeField >= 0 ? c.sizeField : static_cast<int64_t>(c.body.size())));
        body.insert(body.end(), c.body.begin(), c.body.end());
        if (c.body.size() % 2 == 1) body.push_back(0);
    }
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    Put32(out, static_cast<uint32_t>(riffSize >= 0 ? riffSize : static_cast<int64_t>(body.size())));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// Sample bytes of a quiet 440 Hz tone in the given PCM layout.
inline std::vector<uint8_t> ToneData(uint16_t channels, uint32_t rate, uint16_t bits, uint32_t frames) {
    std::vector<uint8_t> d;
    for (uint32_t i = 0; i < frames; ++i) {
        const double v = 0.2 * std::sin(2.0 * 3.14159265358979 * 440.0 * i / rate);
        for (uint16_t c = 0; c < channels; ++c) {
            if (bits == 8) {
                d.push_back(static_cast<uint8_t>(128 + std::lround(v * 127)));
            } else {
                const int32_t s = static_cast<int32_t>(std::lround(v * 32767));
                Put16(d, static_cast<uint16_t>(s));
            }
        }
    }
    return d;
}

// A complete PCM WAVE file with a tone.
inline std::vector<uint8_t> PcmWave(uint16_t channels, uint32_t rate, uint16_t bits, uint32_t frames) {
    return Assemble({{"fmt ", FmtBody(1, channels, rate, bits)}, {"data", ToneData(channels, rate, bits, frames)}});
}

}  // namespace wavetest
