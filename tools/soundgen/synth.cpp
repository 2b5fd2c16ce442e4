#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace snd {

double Osc::Step(double freq) {
    const double p = phase_;
    phase_ += 2.0 * kPi * freq / kRate;
    if (phase_ > 2.0 * kPi) phase_ -= 2.0 * kPi;
    return p;
}

double Osc::Harmonics(double freq, const std::vector<double>& amps) {
    const double p = Step(freq);
    double sum = 0.0;
    for (size_t k = 0; k < amps.size(); ++k) {
        if (freq * static_cast<double>(k + 1) > 16000.0) break;
        sum += amps[k] * std::sin(p * static_cast<double>(k + 1));
    }
    return sum;
}

double Semitone(double fromA4) { return 440.0 * std::pow(2.0, fromA4 / 12.0); }

double RiseCos(double t, double attack) {
    if (t <= 0.0) return 0.0;
    if (t >= attack) return 1.0;
    return 0.5 - 0.5 * std::cos(kPi * t / attack);
}

double Decay(double t, double tau) { return t < 0.0 ? 0.0 : std::exp(-t / tau); }

double Gate(double t, double attack, double hold, double release) {
    if (t < 0.0) return 0.0;
    if (t < attack) return RiseCos(t, attack);
    if (t < attack + hold) return 1.0;
    const double r = t - attack - hold;
    if (r >= release) return 0.0;
    return 0.5 + 0.5 * std::cos(kPi * r / release);
}

LowPass::LowPass(double cutoff) : a_(1.0 - std::exp(-2.0 * kPi * cutoff / kRate)) {}

double LowPass::Step(double x) {
    y_ += a_ * (x - y_);
    return y_;
}

void MixInto(Buffer& dst, const Buffer& src, size_t offset, double gain) {
    if (dst.size() < offset + src.size()) dst.resize(offset + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i) dst[offset + i] += static_cast<float>(gain * src[i]);
}

void Echo(Buffer& b, double delay, double feedback, double wet) {
    const size_t d = Samples(delay);
    Buffer echo(b.size(), 0.0f);
    for (size_t i = d; i < b.size(); ++i) echo[i] = static_cast<float>(b[i - d] + feedback * echo[i - d]);
    for (size_t i = 0; i < b.size(); ++i) b[i] += static_cast<float>(wet * echo[i]);
}

void Finish(Buffer& b, double peak, double fadeIn, double fadeOut) {
    if (b.empty()) return;
    double mean = 0.0;
    for (float s : b) mean += s;
    mean /= static_cast<double>(b.size());
    for (float& s : b) s = static_cast<float>(s - mean);
    const size_t in = std::min(b.size(), Samples(fadeIn));
    const size_t out = std::min(b.size(), Samples(fadeOut));
    for (size_t i = 0; i < in; ++i) b[i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / in));
    for (size_t i = 0; i < out; ++i) {
        b[b.size() - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / out));
    }
    float top = 0.0f;
    for (float s : b) top = std::max(top, std::fabs(s));
    if (top > 0.0f) {
        const float scale = static_cast<float>(peak) / top;
        for (float& s : b) s *= scale;
    }
}

std::vector<uint8_t> EncodeWave(const Buffer& b) {
    std::vector<uint8_t> out;
    auto put16 = [&out](uint32_t v) {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto put32 = [&](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    auto tag = [&out](const char* t) { out.insert(out.end(), t, t + 4); };
    const uint32_t dataBytes = static_cast<uint32_t>(b.size() * 2);
    tag("RIFF");
    put32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);            // PCM
    put16(1);            // mono
    put32(kRate);
    put32(kRate * 2);    // bytes a second
    put16(2);            // bytes a frame
    put16(16);           // bits a sample
    tag("data");
    put32(dataBytes);
    for (float s : b) {
        const double v = std::clamp(static_cast<double>(s), -1.0, 1.0) * 32767.0;
        put16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(v))));
    }
    return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace snd
