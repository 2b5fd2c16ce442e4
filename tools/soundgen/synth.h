#pragma once
// Small synthesis kit of the sound generator: mono float buffers at 44.1 kHz, oscillators with
// band-limited harmonics, envelopes, noise and filters, and the finishing of a sound (level,
// fades, 16-bit PCM WAVE).
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace snd {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<float>;

inline size_t Samples(double seconds) { return static_cast<size_t>(seconds * kRate + 0.5); }
inline double Time(size_t i) { return static_cast<double>(i) / kRate; }

// A phase accumulator; the frequency may change from sample to sample.
class Osc {
public:
    // Advances by one sample at freq Hz and returns the phase (radians) before the step.
    double Step(double freq);
    double Sine(double freq) { return std::sin(Step(freq)); }
    // Sum of harmonics k = 1.. with the given amplitudes, leaving out those above 16 kHz.
    double Harmonics(double freq, const std::vector<double>& amps);

private:
    double phase_ = 0.0;
};

// Frequency of a note a number of semitones from A4 (440 Hz).
double Semitone(double fromA4);

// 0 → 1 over `attack` seconds with a raised cosine.
double RiseCos(double t, double attack);
// exp(-t / tau) for t >= 0.
double Decay(double t, double tau);
// Attack, then hold, then a raised-cosine release; 0 outside [0, attack + hold + release].
double Gate(double t, double attack, double hold, double release);

// White noise from a fixed seed, so every build writes the same files.
class Noise {
public:
    explicit Noise(unsigned seed) : rng_(seed) {}
    double Next() { return dist_(rng_); }

private:
    std::minstd_rand rng_;
    std::uniform_real_distribution<double> dist_{-1.0, 1.0};
};

// One-pole low-pass filter.
class LowPass {
public:
    explicit LowPass(double cutoff);
    double Step(double x);

private:
    double a_;
    double y_ = 0.0;
};

// Adds src into dst starting at sample offset (dst grows as needed).
void MixInto(Buffer& dst, const Buffer& src, size_t offset, double gain = 1.0);
// A feedback echo: delay in seconds, feedback gain.
void Echo(Buffer& b, double delay, double feedback, double wet);

// Scales the sound so that its largest sample is `peak` (of full scale), fades it in and out
// with raised cosines of the given lengths, and removes any DC offset first.
void Finish(Buffer& b, double peak, double fadeIn, double fadeOut);

// 16-bit PCM mono WAVE bytes of the buffer (samples clamped to full scale).
std::vector<uint8_t> EncodeWave(const Buffer& b);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace snd
