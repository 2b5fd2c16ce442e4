#include "framework/Settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <sstream>
#include <string>

#include "app/AppContext.h"
#include "framework/SafeFileTestHelpers.h"
#include "framework/Statistics.h"

namespace {
SettingsValues Parse(const std::string& bytes) {
    SettingsValues v;
    std::istringstream in(bytes);
    ParseSettings(in, v);
    return v;
}

bool IsDefault(const SettingsValues& v) {
    SettingsValues d;
    return FormatSettings(v) == FormatSettings(d);
}

// The application record is written to the test's own folder, never at process exit.
class AppContextPersistence : public ::testing::Test {
protected:
    void TearDown() override { DestroyAppContext(); }
};

const char kFiveLines[] = "FULLSCREEN:\t1\r\nSPRACHE:\t0\r\nSOUND:\t100\r\nMUSIK:\t100\r\nINTRO:\t1\r\n";
const std::string kDefaultFile = std::string(kFiveLines) + "SYMBOLE:\t1\r\nSTUMM:\t0\r\n";
}  // namespace

TEST(SettingsParse, KeyAndValueOnLinesOfTheirOwn) {
    SettingsValues v = Parse("SPRACHE:\n1\n");
    EXPECT_EQ(v.language, 1);
    v.language = 0;
    EXPECT_TRUE(IsDefault(v));
}

TEST(SettingsParse, AnyOrderAndWordsBetween) {
    SettingsValues v = Parse("# meine Einstellungen\r\nINTRO:\t0 bitte MUSIK: 30\tSOUND: 40 und SPRACHE: 1 FULLSCREEN: 0 ende");
    EXPECT_FALSE(v.fullScreen);
    EXPECT_EQ(v.language, 1);
    EXPECT_EQ(v.soundVolume, 40);
    EXPECT_EQ(v.musicVolume, 30);
    EXPECT_FALSE(v.introEnabled);
}

TEST(SettingsParse, AnyNonZeroNumberSwitchesOnAndIsWrittenAsOne) {
    SettingsValues v = Parse("FULLSCREEN: 7 INTRO: -3");
    EXPECT_TRUE(v.fullScreen);
    EXPECT_TRUE(v.introEnabled);
    EXPECT_EQ(FormatSettings(v), kDefaultFile);
    v = Parse("FULLSCREEN: 0");
    EXPECT_EQ(FormatSettings(v), "FULLSCREEN:\t0\r\nSPRACHE:\t0\r\nSOUND:\t100\r\nMUSIK:\t100\r\nINTRO:\t1\r\nSYMBOLE:\t1\r\nSTUMM:\t0\r\n");
}

TEST(SettingsParse, EveryValueRoundTripsAndFilesOfOlderVersionsKeepTheNewDefaults) {
    const SettingsValues v{false, 1, 30, 0, false, false, true}, old = Parse(kFiveLines);
    EXPECT_EQ(FormatSettings(Parse(FormatSettings(v))), "FULLSCREEN:\t0\r\nSPRACHE:\t1\r\nSOUND:\t30\r\nMUSIK:\t0\r\nINTRO:\t0\r\nSYMBOLE:\t0\r\nSTUMM:\t1\r\n");
    EXPECT_EQ(FormatSettings(old), kDefaultFile);  // symbols on, not muted
}

TEST(SettingsParse, KeysAreCaseSensitiveAndTheLastOneWins) {
    EXPECT_TRUE(IsDefault(Parse("fullscreen: 0 Sprache: 1 sound: 5 MUSIK 5 INTRO 0")));
    SettingsValues v = Parse("SOUND: 10 SOUND: 20 SOUND: 30");
    EXPECT_EQ(v.soundVolume, 30);
}

TEST(SettingsParse, ValuesConvertLikeAtoi) {
    SettingsValues v = Parse("SOUND: 100abc MUSIK: laut SPRACHE: -2 INTRO: +1");
    EXPECT_EQ(v.soundVolume, 100);  // the digits in front count
    EXPECT_EQ(v.musicVolume, 0);    // not a number
    EXPECT_EQ(v.language, -2);      // no range test
    EXPECT_TRUE(v.introEnabled);
    EXPECT_EQ(Parse("SOUND: 99999999999999").soundVolume, INT_MAX);
    EXPECT_EQ(Parse("SOUND: -99999999999999").soundVolume, INT_MIN);
    // The word after a key is its value, even when it is another key.
    v = Parse("SOUND: MUSIK: 5");
    EXPECT_EQ(v.soundVolume, 0);
    EXPECT_EQ(v.musicVolume, 100);
    // A key at the end of the file reads an empty word: 0.
    EXPECT_FALSE(Parse("FULLSCREEN:").fullScreen);
    EXPECT_EQ(Parse("MUSIK:\r\n").musicVolume, 0);
}

TEST(SettingsParse, GarbageKeepsTheDefaults) {
    for (const std::string& bytes : GarbageInputs()) EXPECT_TRUE(IsDefault(Parse(bytes)));
    EXPECT_TRUE(IsDefault(Parse("FULLSCR")));
    // A key glued to a huge word: the word is cut, the next key still counts.
    SettingsValues v = Parse("SOUND: " + std::string(5 * 1024 * 1024, '7') + " MUSIK: 3");
    EXPECT_EQ(v.soundVolume, INT_MAX);
    EXPECT_EQ(v.musicVolume, 3);
}

TEST(SettingsFile, ReadsIntoTheRecordAndKeepsItWithoutAFile) {
    AppContext app;
    app.soundVolume = 42;
    ReadSettings(app, "none.cfg");
    EXPECT_EQ(app.soundVolume, 42);
    WriteBytes("mine.cfg", "SOUND: 7\r\nINTRO: 0\r\n");
    ReadSettings(app, "mine.cfg");
    EXPECT_EQ(app.soundVolume, 7);
    EXPECT_FALSE(app.introEnabled);
    EXPECT_TRUE(app.fullScreen);
    ASSERT_TRUE(WriteSettings(app, "mine.cfg"));
    EXPECT_EQ(ReadBytes("mine.cfg"), "FULLSCREEN:\t1\r\nSPRACHE:\t0\r\nSOUND:\t7\r\nMUSIK:\t100\r\nINTRO:\t0\r\nSYMBOLE:\t1\r\nSTUMM:\t0\r\n");
    std::filesystem::create_directory("folder.cfg");
    EXPECT_FALSE(WriteSettings(app, "folder.cfg"));
    ReadSettings(app, "folder.cfg");  // a folder reads as an empty file
    EXPECT_EQ(app.soundVolume, 7);
}

// The application record reads the global statistics, the settings and the language texts
// when it is built and writes settings and statistics when it is destroyed.
TEST_F(AppContextPersistence, WithoutFilesARunWritesTheDefaults) {
    DestroyAppContext();
    AppContext* app = GetAppContext();
    EXPECT_TRUE(app->fullScreen);
    EXPECT_EQ(app->language, 0);
    EXPECT_EQ(app->soundVolume, 100);
    EXPECT_EQ(app->musicVolume, 100);
    EXPECT_TRUE(app->introEnabled);
    EXPECT_EQ(app->GetText(0), nullptr);
    ASSERT_NE(app->statistics, nullptr);
    EXPECT_EQ(app->statistics->gamesPlayed, 0);
    DestroyAppContext();
    EXPECT_EQ(ReadBytes("knobel.cfg"), kDefaultFile);
    EXPECT_EQ(ReadBytes("stats.sav"),
              "GAME_ZEIT:\t0\r\nGEL\xD6ST:\t0\r\nBEST_ERG:\t6\r\nSCHL_ERG:\t1\r\nANZ_SPIELE:\t0\r\nERGS:\t0\r\n");
}

TEST_F(AppContextPersistence, ReadsStatisticsSettingsAndTheChosenLanguage) {
    DestroyAppContext();
    WriteBytes("knobel.cfg", "FULLSCREEN: 7\r\nSPRACHE:\r\n1\r\nSOUND: 0\r\n");
    WriteBytes("stats.sav", "GAME_ZEIT:\t90.5\r\nANZ_SPIELE:\t3\r\n");
    WriteBytes("deutsch.lng", "<TEXT_START> 0 Zur\xFC" "ck|");
    WriteBytes("english.lng", "<TEXT_START> 0 Back|");
    AppContext* app = GetAppContext();
    EXPECT_EQ(app->language, 1);
    EXPECT_STREQ(app->GetText(0), " Back");
    EXPECT_EQ(app->soundVolume, 0);
    EXPECT_DOUBLE_EQ(app->statistics->time, 90.5);
    EXPECT_EQ(app->statistics->gamesPlayed, 3);
    app->statistics->BookGrade(2.0);
    app->LoadLanguage(0);
    app->musicVolume = 55;
    DestroyAppContext();
    EXPECT_EQ(ReadBytes("knobel.cfg"), "FULLSCREEN:\t1\r\nSPRACHE:\t0\r\nSOUND:\t0\r\nMUSIK:\t55\r\nINTRO:\t1\r\nSYMBOLE:\t1\r\nSTUMM:\t0\r\n");
    EXPECT_EQ(ReadBytes("stats.sav"),
              "GAME_ZEIT:\t90.5\r\nGEL\xD6ST:\t0\r\nBEST_ERG:\t2\r\nSCHL_ERG:\t2\r\nANZ_SPIELE:\t4\r\nERGS:\t2\r\n");
    // The next record starts from what was written.
    app = GetAppContext();
    EXPECT_EQ(app->language, 0);
    EXPECT_STREQ(app->GetText(0), " Zur\xFC" "ck");
    EXPECT_EQ(app->statistics->gamesPlayed, 4);
}
