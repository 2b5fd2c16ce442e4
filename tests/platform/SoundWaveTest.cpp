// Parsing of RIFF/WAVE entries: what loads, and that every damaged file is refused cleanly.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "platform/Archive.h"
#include "platform/Wave.h"
#include "platform/SoundTestWave.h"

using namespace wavetest;

namespace {
bool Parse(const std::vector<uint8_t>& bytes, WaveSound* out = nullptr) {
    WaveSound local;
    return ParseWave(bytes.data(), bytes.size(), out ? *out : local);
}
}  // namespace

struct PcmLayout {
    uint16_t channels;
    uint16_t bits;
    uint32_t rate;
};

class WavePcmLayouts : public ::testing::TestWithParam<PcmLayout> {};

TEST_P(WavePcmLayouts, LoadsWithItsFormatAndData) {
    const PcmLayout p = GetParam();
    const std::vector<uint8_t> samples = ToneData(p.channels, p.rate, p.bits, 1000);
    WaveSound wave;
    ASSERT_TRUE(Parse(Assemble({{"fmt ", FmtBody(1, p.channels, p.rate, p.bits)}, {"data", samples}}), &wave));
    EXPECT_EQ(wave.format.formatTag, 1);
    EXPECT_EQ(wave.format.channels, p.channels);
    EXPECT_EQ(wave.format.bitsPerSample, p.bits);
    EXPECT_EQ(wave.format.samplesPerSec, p.rate);
    EXPECT_EQ(wave.format.blockAlign, p.channels * p.bits / 8);
    EXPECT_EQ(wave.data, samples);
    EXPECT_EQ(wave.Frames(), 1000u);
}

INSTANTIATE_TEST_SUITE_P(EightAndSixteenBit, WavePcmLayouts,
                         ::testing::Values(PcmLayout{1, 8, 11025}, PcmLayout{2, 8, 22050}, PcmLayout{1, 16, 44100},
                                           PcmLayout{2, 16, 48000}),
                         [](const ::testing::TestParamInfo<PcmLayout>& info) {
                             const PcmLayout& p = info.param;
                             return std::string(p.channels == 1 ? "Mono" : "Stereo") + std::to_string(p.bits) +
                                    "Bit" + std::to_string(p.rate);
                         });

TEST(WaveParse, AcceptsTheUsualVariants) {
    // chunks in any order, unknown chunks with odd sizes (and their pad byte) skipped
    EXPECT_TRUE(Parse(Assemble({{"LIST", {1, 2, 3}},
                                {"data", ToneData(1, 8000, 16, 50)},
                                {"junk", {9}},
                                {"fmt ", FmtBody(1, 1, 8000, 16)}})));
    // a longer "fmt " chunk (with the extra-size field) and an odd 8-bit data chunk
    std::vector<uint8_t> fmt = FmtBody(1, 1, 8000, 8);
    Put16(fmt, 0);
    EXPECT_TRUE(Parse(Assemble({{"fmt ", fmt}, {"data", ToneData(1, 8000, 8, 101)}})));
    // 24-bit integers and 32-bit floats
    EXPECT_TRUE(Parse(Assemble({{"fmt ", FmtBody(1, 2, 44100, 24)}, {"data", std::vector<uint8_t>(600, 0)}})));
    EXPECT_TRUE(Parse(Assemble({{"fmt ", FmtBody(3, 1, 44100, 32)}, {"data", std::vector<uint8_t>(400, 0)}})));
    // the extensible form with the PCM sub-format
    std::vector<uint8_t> ext = FmtBody(0xFFFE, 2, 44100, 16);
    Put16(ext, 22);
    Put16(ext, 16);
    Put32(ext, 3);
    const uint8_t pcmGuid[16] = {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    ext.insert(ext.end(), pcmGuid, pcmGuid + 16);
    WaveSound wave;
    ASSERT_TRUE(Parse(Assemble({{"fmt ", ext}, {"data", ToneData(2, 44100, 16, 10)}}), &wave));
    EXPECT_EQ(wave.format.formatTag, 1);
    // a RIFF that ends before the entry does: the bytes after it are not part of the sound
    std::vector<uint8_t> trailing = PcmWave(1, 8000, 8, 100);
    trailing.insert(trailing.end(), {'g', 'a', 'r', 'b', 'a', 'g', 'e'});
    EXPECT_TRUE(Parse(trailing));
}

TEST(WaveParse, RefusesOtherFilesAndFormats) {
    WaveSound none;
    EXPECT_FALSE(ParseWave(nullptr, 0, none));
    EXPECT_FALSE(Parse({}));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 8000, 8)}, {"data", {1, 2}}}, -1, "AVI ")));
    std::vector<uint8_t> rifx = PcmWave(1, 8000, 8, 10);
    std::memcpy(rifx.data(), "RIFX", 4);
    EXPECT_FALSE(Parse(rifx));
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    EXPECT_FALSE(Parse(png));
    // compressed (ADPCM), 12-bit, no channels, nine channels, wrong block size, absurd rates
    const std::vector<uint8_t> data(64, 0);
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(2, 1, 8000, 16)}, {"data", data}})));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 8000, 12)}, {"data", data}})));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 0, 8000, 16)}, {"data", data}})));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 9, 8000, 8)}, {"data", std::vector<uint8_t>(90, 0)}})));
    std::vector<uint8_t> badAlign = FmtBody(1, 2, 8000, 16);
    badAlign[12] = 2;  // block align 2 for 16-bit stereo
    EXPECT_FALSE(Parse(Assemble({{"fmt ", badAlign}, {"data", data}})));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 0, 16)}, {"data", data}})));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 4000000, 16)}, {"data", data}})));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(3, 1, 8000, 16)}, {"data", data}})));
}

TEST(WaveParse, RefusesMissingChunksAndOddSizes) {
    EXPECT_FALSE(Parse(Assemble({{"data", ToneData(1, 8000, 16, 10)}})));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 8000, 16)}})));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 8000, 16)}, {"date", ToneData(1, 8000, 16, 10)}})));
    // a "fmt " chunk too short for a format
    std::vector<uint8_t> shortFmt = FmtBody(1, 1, 8000, 16);
    shortFmt.resize(14);
    EXPECT_FALSE(Parse(Assemble({{"fmt ", shortFmt}, {"data", ToneData(1, 8000, 16, 10)}})));
    // 16-bit data of an odd number of bytes, stereo data of half a frame, no data at all
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 8000, 16)}, {"data", std::vector<uint8_t>(21, 0)}})));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 2, 8000, 16)}, {"data", std::vector<uint8_t>(22, 0)}})));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 8000, 16)}, {"data", {}}})));
    // longer than half a minute
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 1000, 8)}, {"data", std::vector<uint8_t>(31000, 128)}})));
}

TEST(WaveParse, RefusesSizesPastTheEnd) {
    const std::vector<uint8_t> good = PcmWave(2, 22050, 16, 200);
    ASSERT_TRUE(Parse(good));
    // every truncation of a valid file fails, without reading past what is there
    for (size_t n = 0; n < good.size(); ++n) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_FALSE(Parse(cut)) << "cut at " << n;
    }
    // a RIFF size larger than the entry, and the largest possible sizes
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 8000, 8)}, {"data", {1, 2, 3, 4}}}, 1000)));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 8000, 8)}, {"data", {1, 2, 3, 4}}}, 0xFFFFFFFF)));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 8000, 8)}, {"data", {1, 2, 3, 4}, 0xFFFFFFF0}})));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 8000, 8), 0xFFFFFFFF}, {"data", {1, 2, 3, 4}}})));
    EXPECT_FALSE(Parse(Assemble({{"fmt ", FmtBody(1, 1, 8000, 8)}, {"data", {1, 2, 3, 4}, 5}})));
    // a RIFF size that cuts the last chunk's header
    std::vector<uint8_t> cutHeader = Assemble({{"fmt ", FmtBody(1, 1, 8000, 8)}, {"data", {1, 2}}, {"LIST", {}}});
    cutHeader[4] = static_cast<uint8_t>(cutHeader[4] - 4);
    EXPECT_FALSE(Parse(cutHeader));
}

TEST(WaveParse, SurvivesRandomDamage) {
    const std::vector<uint8_t> good = PcmWave(1, 8000, 16, 64);
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> bytes = good;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < flips; ++i) bytes[rng() % bytes.size()] = static_cast<uint8_t>(rng());
        WaveSound wave;
        if (ParseWave(bytes.data(), bytes.size(), wave)) {
            // whatever passes is self-consistent
            EXPECT_GT(wave.data.size(), 0u);
            EXPECT_EQ(wave.data.size() % wave.format.blockAlign, 0u);
            EXPECT_LE(wave.data.size(), bytes.size());
        }
    }
}

TEST(WaveEntry, ReadsASoundFromTheArchiveAndRefusesEntriesTooLargeForOne) {
    const std::vector<uint8_t> sound = PcmWave(1, 8000, 16, 100);
    std::vector<uint8_t> archive;
    std::string error;
    ASSERT_TRUE(BuildArchive({{"Sounds\\pop.wav", sound}, {"Sounds\\big.wav", sound}, {"misc1.PNG", {1, 2, 3}}},
                             archive, error));
    // The second entry claims more bytes than any sound may have; the file is made that long
    // (sparse), so that the entry lies inside it.
    const uint32_t bigSize = kMaxWaveEntryBytes + 1;
    const size_t record = kArchiveHeaderSize + kArchiveRecordSize;
    for (int i = 0; i < 4; ++i) archive[record + 4 + i] = static_cast<uint8_t>(bigSize >> (8 * i));
    FILE* out = std::fopen("sport.gob", "wb");
    ASSERT_NE(out, nullptr);
    ASSERT_EQ(std::fwrite(archive.data(), 1, archive.size(), out), archive.size());
    std::fclose(out);
    std::filesystem::resize_file("sport.gob", archive.size() + bigSize);

    FILE* f = OpenArchive("sport.gob");
    ASSERT_NE(f, nullptr);
    WaveSound wave;
    ASSERT_TRUE(ReadWaveEntry(f, "sounds\\POP.wav", wave));
    EXPECT_EQ(wave.Frames(), 100u);
    EXPECT_EQ(wave.data, std::vector<uint8_t>(sound.end() - 200, sound.end()));
    WaveSound none;
    EXPECT_FALSE(ReadWaveEntry(f, "Sounds\\big.wav", none));
    EXPECT_FALSE(ReadWaveEntry(f, "Sounds\\missing.wav", none));
    EXPECT_FALSE(ReadWaveEntry(f, "misc1.PNG", none));
    EXPECT_FALSE(ReadWaveEntry(nullptr, "Sounds\\pop.wav", none));
    EXPECT_TRUE(none.data.empty());
    CloseArchive(f);
}
