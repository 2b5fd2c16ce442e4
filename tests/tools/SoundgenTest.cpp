// The sound effects as they ship in "sport.gob": each decodes with the game's own WAVE reader,
// is short, never touches full scale, starts and ends in silence, and sounds like what it is for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include "platform/Archive.h"
#include "platform/Sound.h"

namespace {
struct Expected {
    const char* name;
    double minSeconds, maxSeconds;
};
constexpr Expected kEffects[] = {
    {"klick_menu.wav", 0.05, 0.15}, {"klick_game.wav", 0.05, 0.15}, {"win.wav", 0.6, 1.5},
    {"lose.wav", 0.6, 1.5},         {"alarm.wav", 0.3, 1.5},        {"lamp1.wav", 0.2, 0.8},
    {"pop.wav", 0.05, 0.3},         {"punch.wav", 0.1, 0.5},
};

std::vector<int16_t> Samples(const WaveSound& wave) {
    std::vector<int16_t> s(wave.data.size() / 2);
    for (size_t i = 0; i < s.size(); ++i) {
        s[i] = static_cast<int16_t>(wave.data[2 * i] | (wave.data[2 * i + 1] << 8));
    }
    return s;
}

int Peak(const std::vector<int16_t>& s, size_t from, size_t to) {
    int peak = 0;
    for (size_t i = from; i < to && i < s.size(); ++i) peak = std::max(peak, std::abs(static_cast<int>(s[i])));
    return peak;
}

// Zero crossings a second over a stretch: a rough measure of pitch and brightness.
double Crossings(const std::vector<int16_t>& s, size_t from, size_t to) {
    int n = 0;
    for (size_t i = from + 1; i < to; ++i) n += (s[i - 1] < 0) != (s[i] < 0);
    return n * 44100.0 / static_cast<double>(to - from);
}

class ShippedSounds : public ::testing::Test {
protected:
    void SetUp() override {
        FILE* archive = OpenArchive(KW_DATA_DIR "/sport.gob");
        ASSERT_NE(archive, nullptr);
        for (const Expected& e : kEffects) {
            std::vector<uint8_t> bytes;
            const std::string entry = std::string("Sounds\\") + e.name;
            ASSERT_TRUE(ReadArchiveEntry(archive, entry.c_str(), bytes)) << entry;
            WaveSound wave;
            ASSERT_TRUE(ParseWave(bytes.data(), bytes.size(), wave)) << entry;
            waves[e.name] = wave;
        }
        CloseArchive(archive);
    }
    std::map<std::string, WaveSound> waves;
};
}  // namespace

TEST_F(ShippedSounds, AreShortCleanSixteenBitMono) {
    for (const Expected& e : kEffects) {
        SCOPED_TRACE(e.name);
        const WaveSound& wave = waves[e.name];
        EXPECT_EQ(wave.format.formatTag, 1);
        EXPECT_EQ(wave.format.bitsPerSample, 16);
        EXPECT_EQ(wave.format.channels, 1);
        EXPECT_EQ(wave.format.samplesPerSec, 44100u);
        const double seconds = wave.Frames() / 44100.0;
        EXPECT_GE(seconds, e.minSeconds);
        EXPECT_LE(seconds, e.maxSeconds);

        const std::vector<int16_t> s = Samples(wave);
        const int peak = Peak(s, 0, s.size());
        EXPECT_LT(peak, 32000) << "touches full scale";
        EXPECT_GT(peak, 32767 / 4) << "too quiet to hear";
        // silence at both ends, reached through fades rather than a cut
        EXPECT_LE(std::abs(s.front()), 64);
        EXPECT_LE(std::abs(s.back()), 64);
        EXPECT_LT(Peak(s, 0, 9), peak / 3);                       // first 0.2 ms
        EXPECT_LT(Peak(s, s.size() - 44, s.size()), peak / 10);  // last 1 ms
    }
}

TEST_F(ShippedSounds, SoundLikeWhatTheyAreFor) {
    std::map<std::string, std::vector<int16_t>> s;
    for (const Expected& e : kEffects) s[e.name] = Samples(waves[e.name]);
    auto whole = [&s](const char* n) { return Crossings(s[n], 0, s[n].size()); };
    auto part = [&s](const char* n, double a, double b) {
        const size_t size = s[n].size();
        return Crossings(s[n], static_cast<size_t>(a * size), static_cast<size_t>(b * size));
    };
    // the game click is brighter than the menu tick
    EXPECT_GT(whole("klick_game.wav"), whole("klick_menu.wav") * 1.3);
    // the fanfare rises, the losing phrase falls
    EXPECT_GT(part("win.wav", 0.25, 0.75), part("win.wav", 0.0, 0.1) * 1.4);
    EXPECT_LT(part("lose.wav", 0.6, 0.9), part("lose.wav", 0.0, 0.15) * 0.9);
    // the wrong-answer buzz and the thump are low, the pop rises
    EXPECT_LT(whole("lamp1.wav"), 500.0);
    EXPECT_LT(part("punch.wav", 0.2, 1.0), 150.0);
    EXPECT_GT(part("pop.wav", 0.2, 0.3), part("pop.wav", 0.0, 0.1) * 1.5);
    // the alarm alternates between two clear pitches
    const double high = part("alarm.wav", 0.0, 1.0 / 6), low = part("alarm.wav", 1.0 / 6, 2.0 / 6);
    EXPECT_GT(high, low * 1.15);
    EXPECT_GT(low, 500.0);
    // and no two effects are the same file
    for (const Expected& a : kEffects) {
        for (const Expected& b : kEffects) {
            if (&a != &b) {
                EXPECT_NE(waves[a.name].data, waves[b.name].data) << a.name << " " << b.name;
            }
        }
    }
}
