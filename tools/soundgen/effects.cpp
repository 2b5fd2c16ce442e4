#include "effects.h"

#include <algorithm>
#include <cmath>

namespace snd {
namespace {

// A brass-like note of two slightly detuned voices with a small accent at its start and an
// optional vibrato from `vibratoFrom` seconds on.
Buffer BrassNote(double freq, double attack, double hold, double release, double vibratoFrom) {
    static const std::vector<double> kBrass = {1.0, 0.55, 0.40, 0.25, 0.15, 0.09, 0.05};
    Buffer b(Samples(attack + hold + release));
    Osc a, c;
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = Time(i);
        const double v = t - vibratoFrom;
        const double vibrato = v > 0.0 ? 1.0 + 0.004 * std::sin(2.0 * kPi * 5.5 * v) * RiseCos(v, 0.12) : 1.0;
        const double env = Gate(t, attack, hold, release) * (0.8 + 0.2 * Decay(t, 0.08));
        const double f = freq * vibrato;
        b[i] = static_cast<float>(env * 0.5 * (a.Harmonics(f * 1.0012, kBrass) + c.Harmonics(f / 1.0012, kBrass)));
    }
    return b;
}

// A struck bell partial: a sine with a soft attack and a long decay.
Buffer Bell(double freq, double length, double tau) {
    Buffer b(Samples(length));
    Osc o, p;
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = Time(i);
        const double env = RiseCos(t, 0.003) * Decay(t, tau);
        b[i] = static_cast<float>(env * (o.Sine(freq) + 0.3 * p.Sine(freq * 2.76)));
    }
    return b;
}

// A muted, slightly nasal note whose upper harmonics open at the start and close again ("wah"),
// sliding down by `slide` semitones over `slideTime` seconds.
Buffer MutedNote(double freq, double attack, double hold, double release, double slide, double slideTime) {
    static const std::vector<double> kBase = {1.0, 0.7, 0.5, 0.35, 0.22, 0.14, 0.08};
    std::vector<double> amps(kBase.size());
    Buffer b(Samples(attack + hold + release));
    Osc o;
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = Time(i);
        const double bright = 0.3 + 0.6 * RiseCos(t, 0.07) * Decay(t, 0.35);
        for (size_t k = 0; k < amps.size(); ++k) amps[k] = kBase[k] * std::pow(bright, static_cast<double>(k));
        const double bend = std::pow(2.0, -slide * std::min(t, slideTime) / slideTime / 12.0);
        const double vibrato = 1.0 + 0.008 * std::sin(2.0 * kPi * 6.0 * t) * RiseCos(t - 0.15, 0.15);
        b[i] = static_cast<float>(Gate(t, attack, hold, release) * o.Harmonics(freq * bend * vibrato, amps));
    }
    return b;
}

}  // namespace

Buffer MenuClick() {
    Buffer b(Samples(0.07));
    Osc body, overtone;
    Noise noise(11);
    LowPass knockFilter(2500.0);
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = Time(i);
        const double tick = Decay(t, 0.010) * (0.75 * body.Sine(1250.0) + 0.25 * overtone.Sine(2525.0));
        const double knock = knockFilter.Step(noise.Next()) * Decay(t, 0.003);
        b[i] = static_cast<float>(tick + 0.6 * knock);
    }
    Finish(b, 0.42, 0.0008, 0.02);
    return b;
}

Buffer GameClick() {
    Buffer b(Samples(0.09));
    Osc tone, ping;
    Noise noise(23);
    LowPass smooth(4000.0);
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = Time(i);
        const double freq = 2200.0 + 600.0 * Decay(t, 0.004);
        const double body = Decay(t, 0.02) * tone.Harmonics(freq, {1.0, 0.3});
        const double shine = Decay(t, 0.008) * ping.Sine(5300.0);
        const double n = noise.Next();
        const double click = (n - smooth.Step(n)) * Decay(t, 0.0012);  // high-passed noise
        b[i] = static_cast<float>(body + 0.4 * shine + 0.5 * click);
    }
    Finish(b, 0.6, 0.0006, 0.025);
    return b;
}

Buffer Win() {
    // C5 E5 G5, then C6 held with a vibrato and a bell on top
    Buffer b(Samples(1.15));
    const double steps[] = {3.0, 7.0, 10.0};
    for (int n = 0; n < 3; ++n) MixInto(b, BrassNote(Semitone(steps[n]), 0.006, 0.08, 0.07, 1.0), Samples(0.09 * n));
    const size_t last = Samples(0.27);
    MixInto(b, BrassNote(Semitone(15.0), 0.006, 0.42, 0.3, 0.15), last, 1.4);
    MixInto(b, Bell(Semitone(27.0), 0.6, 0.18), last, 0.2);
    Echo(b, 0.09, 0.3, 0.18);
    b.resize(Samples(1.15));
    Finish(b, 0.8, 0.002, 0.12);
    return b;
}

Buffer Lose() {
    // G4, F#4, F4, then E4 held and sliding down
    Buffer b(Samples(1.4));
    const double steps[] = {-2.0, -3.0, -4.0};
    for (int n = 0; n < 3; ++n) MixInto(b, MutedNote(Semitone(steps[n]), 0.015, 0.14, 0.06, 0.0, 1.0), Samples(0.25 * n));
    MixInto(b, MutedNote(Semitone(-5.0), 0.015, 0.36, 0.22, 1.0, 0.5), Samples(0.75));
    b.resize(Samples(1.4));
    Finish(b, 0.62, 0.003, 0.12);
    return b;
}

Buffer Alarm() {
    // six alternating tones, high and low, each shaped so that no edge clicks
    static const std::vector<double> kSquarish = {1.0, 0.0, 0.3, 0.0, 0.15, 0.0, 0.08};
    const double segment = 0.125;
    Buffer b(Samples(6 * segment));
    Osc o;
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = Time(i);
        const int k = std::min(5, static_cast<int>(t / segment));
        const double freq = k % 2 == 0 ? 880.0 : 660.0;
        const double env = Gate(t - k * segment, 0.005, segment - 0.017, 0.01);
        b[i] = static_cast<float>(env * o.Harmonics(freq, kSquarish));
    }
    Finish(b, 0.5, 0.002, 0.02);
    return b;
}

Buffer WrongBuzz() {
    std::vector<double> saw(40);
    for (size_t k = 0; k < saw.size(); ++k) saw[k] = 1.0 / static_cast<double>(k + 1);
    Buffer b(Samples(0.42));
    Osc a, c;
    LowPass first(1500.0), second(1500.0);
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = Time(i);
        const double freq = 110.0 - 8.0 * RiseCos(t - 0.25, 0.17);
        const double raw = a.Harmonics(freq, saw) + c.Harmonics(freq * 1.006, saw);
        b[i] = static_cast<float>(Gate(t, 0.01, 0.32, 0.08) * second.Step(first.Step(raw)));
    }
    Finish(b, 0.7, 0.003, 0.03);
    return b;
}

Buffer Pop() {
    // a quick upward "bloop" and a smaller, higher one after it
    Buffer b(Samples(0.15));
    Osc big, small;
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = Time(i);
        const double f1 = 350.0 * std::pow(4.0, std::min(t, 0.045) / 0.045);
        double s = RiseCos(t, 0.002) * Decay(t, 0.03) * big.Sine(f1);
        const double u = t - 0.05;
        if (u >= 0.0) {
            const double f2 = 600.0 * std::pow(3.3, std::min(u, 0.035) / 0.035);
            s += 0.5 * RiseCos(u, 0.002) * Decay(u, 0.02) * small.Sine(f2);
        }
        b[i] = static_cast<float>(s);
    }
    Finish(b, 0.7, 0.001, 0.02);
    return b;
}

Buffer Punch() {
    Buffer b(Samples(0.32));
    Osc body;
    Noise noise(5);
    LowPass thud1(700.0), thud2(700.0), smack(2500.0);
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = Time(i);
        const double freq = 45.0 + 110.0 * Decay(t, 0.035);
        const double low = RiseCos(t, 0.002) * Decay(t, 0.085) * body.Sine(freq);
        const double n = noise.Next();
        const double burst = thud2.Step(thud1.Step(n)) * Decay(t, 0.02);
        const double hit = smack.Step(n) * Decay(t, 0.006);
        b[i] = static_cast<float>(low + 1.5 * burst + 0.3 * hit);
    }
    Finish(b, 0.85, 0.001, 0.04);
    return b;
}

}  // namespace snd
