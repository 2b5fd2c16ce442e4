#include "framework/Statistics.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "framework/SafeFileTestHelpers.h"

namespace {
ScoreEntry* Entry(const char* name, double grade) {
    auto* e = new ScoreEntry();
    std::snprintf(e->name, sizeof e->name, "%s", name);
    e->grade = grade;
    return e;
}

SeriesScoreEntry* Series(const char* name, double grade, double best, double worst, int level) {
    auto* e = new SeriesScoreEntry();
    std::snprintf(e->name, sizeof e->name, "%s", name);
    e->grade = grade;
    e->bestGrade = best;
    e->worstGrade = worst;
    e->level = level;
    return e;
}

template <typename Record>
void LoadFrom(Record& r, const std::string& bytes) {
    std::istringstream in(bytes);
    r.Load(in);
}

template <typename Record>
std::string SaveOf(Record& r) {
    std::ostringstream out;
    r.Save(out);
    return out.str();
}

template <typename Record>
std::vector<std::string> Names(Record& r) {
    std::vector<std::string> names;
    for (auto* e : r.Entries()) names.push_back(e->name);
    return names;
}

std::string EntryLine(const char* name, double grade) {
    char line[200];
    std::snprintf(line, sizeof line, "EINTRAG_START\tNAME:\t%s\tDATUM:\t1\t2\t2003\tERG:\t%g\tEINTRAG_ENDE\r\n", name,
                  grade);
    return line;
}

const char kGameHead[] =
    "LEVEL_ZEIT:\t0\r\nGEL\xD6ST:\t0\r\nBEST_ERG:\t6\r\nSCHL_ERG:\t1\r\nANZ_SPIELE:\t0\r\nERGS:\t0\r\n"
    "IVAR1:\t0\r\nIVAR2:\t0\r\nIVAR3:\t0\r\nDVAR1:\t0\r\nDVAR2:\t0\r\nDVAR3:\t0\r\n";

void ExpectToday(const ScoreEntry& e) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(e.day, local.tm_mday);
    EXPECT_EQ(e.month, local.tm_mon + 1);
    EXPECT_EQ(e.year, local.tm_year + 1900);
}
}  // namespace

TEST(ScoreEntries, StartWithTodaysDateAndTheInitialValues) {
    ScoreEntry e;
    ExpectToday(e);
    EXPECT_STREQ(e.name, "");
    EXPECT_EQ(e.grade, 0.0);
    EXPECT_EQ(e.nameLength, 0);
    SeriesScoreEntry s;
    ExpectToday(s);
    EXPECT_EQ(s.level, 0);
    EXPECT_EQ(s.bestGrade, 6.0);
    EXPECT_EQ(s.worstGrade, 1.0);
}

TEST(Statistics, WritesGameAndGlobalFilesByteForByte) {
    GameStatistics g;
    g.time = 1234567.8;
    g.solvedCount = 2;
    g.bestGrade = 1.25;
    g.worstGrade = 4.5;
    g.gamesPlayed = 5;
    g.gradeSum = 13.3333333;
    g.intValues[1] = -7;
    g.doubleValues[2] = 0.00001234;
    ScoreEntry* e = Entry("Anna Maria", 1.25);
    e->day = 3, e->month = 11, e->year = 2024;
    g.Insert(e);
    EXPECT_EQ(SaveOf(g),
              "LEVEL_ZEIT:\t1.23457e+06\r\nGEL\xD6ST:\t2\r\nBEST_ERG:\t1.25\r\nSCHL_ERG:\t4.5\r\nANZ_SPIELE:\t5\r\n"
              "ERGS:\t13.3333\r\nIVAR1:\t0\r\nIVAR2:\t-7\r\nIVAR3:\t0\r\nDVAR1:\t0\r\nDVAR2:\t0\r\nDVAR3:\t1.234e-05\r\n"
              "EINTRAG_START\tNAME:\tAnna_Maria\tDATUM:\t3\t11\t2024\tERG:\t1.25\tEINTRAG_ENDE\r\n");

    GlobalStatistics s;
    s.time = 61;
    s.solvedCount = 1;
    s.bestGrade = 1;
    s.worstGrade = 5.5;
    s.gamesPlayed = 16;
    s.gradeSum = 40;
    SeriesScoreEntry* se = Series("Max", 2.5, 1.0, 5.5, 2);
    se->day = 9, se->month = 1, se->year = 2025;
    s.Insert(se);
    EXPECT_EQ(SaveOf(s),
              "GAME_ZEIT:\t61\r\nGEL\xD6ST:\t1\r\nBEST_ERG:\t1\r\nSCHL_ERG:\t5.5\r\nANZ_SPIELE:\t16\r\nERGS:\t40\r\n"
              "EINTRAG_START\tNAME:\tMax\tDATUM:\t9\t1\t2025\tERG:\t2.5\tBEST:\t1\tSCHLECHT:\t5.5\tSCHW:\t2\t"
              "EINTRAG_ENDE\r\n");
}

TEST(Statistics, RoundTripsThroughTheFormatIncludingNamesWithBlanks) {
    GameStatistics g;
    g.time = 1234567.8;
    g.intValues[0] = 3;
    g.doubleValues[0] = 2.75;
    g.Insert(Entry("Anna Maria", 2.0));
    g.Insert(Entry("Typed_Underscore", 3.0));
    g.Insert(Entry("", 4.0));  // an empty name writes nothing between the tabs
    GameStatistics back;
    LoadFrom(back, SaveOf(g));
    EXPECT_EQ(back.time, 1234570.0);
    EXPECT_EQ(back.intValues[0], 3);
    EXPECT_EQ(back.doubleValues[0], 2.75);
    EXPECT_EQ(Names(back), (std::vector<std::string>{"Anna Maria", "Typed Underscore", ""}));
    EXPECT_EQ(back.Entries().Get(2)->grade, 4.0);
    EXPECT_EQ(back.Entries().Get(2)->year, g.Entries().Get(2)->year);

    GlobalStatistics s;
    s.Insert(Series("Anna Maria", 2.5, 1.5, 4.0, 1));
    GlobalStatistics sback;
    LoadFrom(sback, SaveOf(s));
    ASSERT_EQ(sback.Entries().Count(), 1);
    SeriesScoreEntry* e = sback.Entries().Get(0);
    EXPECT_STREQ(e->name, "Anna Maria");
    EXPECT_EQ(e->grade, 2.5);
    EXPECT_EQ(e->bestGrade, 1.5);
    EXPECT_EQ(e->worstGrade, 4.0);
    EXPECT_EQ(e->level, 1);
    EXPECT_EQ(e->nameLength, 0);
}

TEST(Statistics, TypedNamesThatSpellAnEntryKeywordReadBack) {
    // Typed with a blank, these names are written as the words that start and end an entry.
    GameStatistics g;
    g.Insert(Entry("EINTRAG ENDE", 2.0));
    g.Insert(Entry("EINTRAG START", 3.0));
    g.Entries().Get(1)->year = 2003;
    GlobalStatistics s;
    s.Insert(Series("EINTRAG START", 2.5, 1.0, 4.0, 2));
    s.Insert(Series("EINTRAG ENDE", 3.5, 1.5, 5.0, 1));
    GameStatistics gBack;
    GlobalStatistics sBack;
    LoadFrom(gBack, SaveOf(g));
    LoadFrom(sBack, SaveOf(s));
    EXPECT_EQ(Names(gBack), (std::vector<std::string>{"EINTRAG ENDE", "EINTRAG START"}));
    ASSERT_EQ(gBack.Entries().Count(), 2);
    EXPECT_EQ(gBack.Entries().Get(0)->grade, 2.0);
    EXPECT_EQ(gBack.Entries().Get(1)->grade, 3.0);
    EXPECT_EQ(gBack.Entries().Get(1)->year, 2003);
    EXPECT_EQ(Names(sBack), (std::vector<std::string>{"EINTRAG START", "EINTRAG ENDE"}));
    ASSERT_EQ(sBack.Entries().Count(), 2);
    EXPECT_EQ(sBack.Entries().Get(1)->worstGrade, 5.0);
    EXPECT_EQ(sBack.Entries().Get(1)->level, 1);

    // Without the date behind it, the keyword is what it says: an entry cut short.
    GameStatistics cut;
    std::istringstream in("EINTRAG_START NAME: EINTRAG_START NAME: Eva DATUM: 1 2 2003 ERG: 2 EINTRAG_ENDE\n"
                          "EINTRAG_START NAME: EINTRAG_ENDE ERG: 4 EINTRAG_ENDE");
    cut.Load(in);
    EXPECT_EQ(Names(cut), (std::vector<std::string>{"", "Eva", ""}));
    EXPECT_EQ(cut.Entries().Get(1)->grade, 2.0);
    EXPECT_EQ(cut.Entries().Get(2)->grade, 0.0);
}

TEST(Statistics, ReadsThreeDigitExponentsUtf8KeyAndUnixLineEnds) {
    GameStatistics g;
    LoadFrom(g, "LEVEL_ZEIT:\t1.23457e+006\nGEL\xC3\x96ST:\t4\nERGS: 1E2\n");
    EXPECT_EQ(g.time, 1234570.0);
    EXPECT_EQ(g.solvedCount, 4);
    EXPECT_EQ(g.gradeSum, 100.0);
    LoadFrom(g, "GEL\xD6ST:\t5");
    EXPECT_EQ(g.solvedCount, 5);
}

TEST(Statistics, KeysInAnyOrderOrOnOneLineLoadTheSameValues) {
    GameStatistics reference;
    LoadFrom(reference, "LEVEL_ZEIT:\t12.5\r\nGEL\xD6ST:\t1\r\nBEST_ERG:\t1.5\r\nSCHL_ERG:\t3\r\nANZ_SPIELE:\t2\r\n"
                        "ERGS:\t4.5\r\nIVAR2:\t8\r\nDVAR3:\t0.5\r\n" + EntryLine("Eva", 2.5));
    GameStatistics shuffled;
    LoadFrom(shuffled, "DVAR3: 0.5 ERGS: 4.5 Kommentar ANZ_SPIELE: 2 " + EntryLine("Eva", 2.5) +
                           " SCHL_ERG: 3 IVAR2: 8 BEST_ERG: 1.5 GEL\xD6ST: 1 LEVEL_ZEIT: 12.5");
    EXPECT_EQ(SaveOf(shuffled), SaveOf(reference));
    GameStatistics repeated;
    LoadFrom(repeated, "IVAR2: 1 IVAR2: 8");
    EXPECT_EQ(repeated.intValues[1], 8);
}

TEST(Statistics, ElevenEntriesLoadAndTenAreWritten) {
    std::string file = kGameHead;
    for (int i = 0; i < 11; ++i) file += EntryLine(("P" + std::to_string(i)).c_str(), 1.0 + i * 0.25);
    GameStatistics g;
    LoadFrom(g, file);
    EXPECT_EQ(g.Entries().Count(), 11);
    std::string saved = SaveOf(g);
    EXPECT_EQ(saved.find("P10"), std::string::npos);
    EXPECT_NE(saved.find("P9"), std::string::npos);
    GameStatistics again;
    LoadFrom(again, saved);
    EXPECT_EQ(again.Entries().Count(), 10);
    EXPECT_EQ(SaveOf(again), saved);
    EXPECT_EQ(saved.substr(0, sizeof kGameHead - 1), kGameHead);
}

TEST(Statistics, EqualGradesKeepTheOrderInWhichTheyCame) {
    GameStatistics g;
    g.Insert(Entry("second best", 2.0));
    g.Insert(Entry("first", 3.0));
    g.Insert(Entry("best", 1.0));
    g.Insert(Entry("later", 3.0));
    g.Insert(Entry("last", 5.0));
    g.Insert(Entry("latest", 3.0));
    EXPECT_EQ(Names(g), (std::vector<std::string>{"best", "second best", "first", "later", "latest", "last"}));

    GlobalStatistics s;
    s.Insert(Series("a", 2.0, 1, 3, 0));
    s.Insert(Series("b", 2.0, 1, 3, 0));
    s.Insert(Series("c", 1.0, 1, 3, 0));
    EXPECT_EQ(Names(s), (std::vector<std::string>{"c", "a", "b"}));
}

TEST(Statistics, InsertLooksOnlyAtTheFirstTenPlaces) {
    GameStatistics g;
    for (int i = 0; i < 10; ++i) g.Insert(Entry("top", 1.0));
    g.Insert(Entry("eleventh", 5.0));
    g.Insert(Entry("twelfth", 2.0));  // no larger grade among the first ten: appended
    EXPECT_EQ(Names(g).back(), "twelfth");
    EXPECT_EQ(g.Entries().Count(), 12);
}

TEST(Statistics, QualificationAtTheBoundaries) {
    GameStatistics g;
    EXPECT_FALSE(g.Qualifies(6.0));
    EXPECT_TRUE(g.Qualifies(5.99));
    for (int i = 0; i < 9; ++i) g.Insert(Entry("x", 1.0 + i * 0.375));  // worst 4.0
    EXPECT_TRUE(g.Qualifies(5.9));
    EXPECT_TRUE(g.Qualifies(4.0));
    EXPECT_FALSE(g.Qualifies(6.0));
    g.Insert(Entry("x", 4.0));
    EXPECT_FALSE(g.Qualifies(4.0));
    EXPECT_TRUE(g.Qualifies(3.9));
    EXPECT_FALSE(g.Qualifies(6.0));
    // Entries behind the tenth play no part.
    g.Insert(Entry("eleventh", 5.5));
    EXPECT_FALSE(g.Qualifies(5.0));

    GlobalStatistics s;
    for (int i = 0; i < 10; ++i) s.Insert(Series("x", 2.0 + i * 0.25, 1, 3, 0));  // worst 4.25
    EXPECT_FALSE(s.Qualifies(4.25));
    EXPECT_TRUE(s.Qualifies(4.2));
}

TEST(Statistics, GradesThatAreNotNumbersNeverBreakTheOrder) {
    GameStatistics g;
    g.Insert(Entry("nan", std::nan("")));
    g.Insert(Entry("two", 2.0));
    g.Insert(Entry("one", 1.0));
    g.Insert(Entry("nan2", std::nan("")));
    g.Insert(Entry("three", 3.0));
    EXPECT_EQ(Names(g), (std::vector<std::string>{"one", "two", "three", "nan", "nan2"}));
    EXPECT_FALSE(g.Qualifies(std::nan("")));
    for (int i = 0; i < 5; ++i) g.Insert(Entry("nan", std::nan("")));
    EXPECT_TRUE(g.Qualifies(5.0));  // better than the entries without a number among the ten
    g.BookGrade(std::nan(""));
    EXPECT_EQ(g.gamesPlayed, 0);
    EXPECT_EQ(g.gradeSum, 0.0);
}

TEST(Statistics, BookingSetsBestAndWorst) {
    GameStatistics g;
    g.BookGrade(3.0);
    EXPECT_EQ(g.bestGrade, 3.0);
    EXPECT_EQ(g.worstGrade, 3.0);
    EXPECT_EQ(g.gamesPlayed, 1);
    g.BookGrade(1.5);
    g.BookGrade(4.0);
    EXPECT_EQ(g.bestGrade, 1.5);
    EXPECT_EQ(g.worstGrade, 4.0);
    EXPECT_EQ(g.gradeSum, 8.5);
    EXPECT_EQ(g.solvedCount, 0);  // the caller counts solved games

    GlobalStatistics s;
    s.BookGrade(6.0);
    EXPECT_EQ(s.bestGrade, 6.0);
    EXPECT_EQ(s.worstGrade, 6.0);
    EXPECT_EQ(s.gamesPlayed, 1);
}

TEST(Statistics, ResetReturnsToTheInitialValues) {
    GameStatistics g;
    LoadFrom(g, std::string("LEVEL_ZEIT: 5 GEL\xD6ST: 2 BEST_ERG: 1 SCHL_ERG: 5 ANZ_SPIELE: 3 ERGS: 9 IVAR3: 4 DVAR1: 2 ") +
                    EntryLine("a", 2.0));
    g.Reset();
    EXPECT_EQ(SaveOf(g), kGameHead);
    GlobalStatistics s;
    s.Insert(Series("a", 2, 1, 3, 0));
    s.BookGrade(2);
    s.time = 8;
    s.Reset();
    EXPECT_EQ(SaveOf(s), "GAME_ZEIT:\t0\r\nGEL\xD6ST:\t0\r\nBEST_ERG:\t6\r\nSCHL_ERG:\t1\r\nANZ_SPIELE:\t0\r\nERGS:\t0\r\n");
}

TEST(StatisticsRobustness, EntriesEndAtTheEndOfTheFileAndKeepWhatWasRead) {
    GameStatistics g;
    LoadFrom(g, "ANZ_SPIELE: 2 EINTRAG_START NAME: Eva DATUM: 4 5 2006 ERG: 2.5");
    EXPECT_EQ(g.gamesPlayed, 2);
    ASSERT_EQ(g.Entries().Count(), 1);
    EXPECT_STREQ(g.Entries().Get(0)->name, "Eva");
    EXPECT_EQ(g.Entries().Get(0)->grade, 2.5);
    EXPECT_EQ(g.Entries().Get(0)->year, 2006);

    GlobalStatistics s;
    LoadFrom(s, "EINTRAG_START NAME: Max DATUM: 4");  // the date stops after the day
    ASSERT_EQ(s.Entries().Count(), 1);
    EXPECT_EQ(s.Entries().Get(0)->day, 4);
    EXPECT_EQ(s.Entries().Get(0)->bestGrade, 6.0);
}

TEST(StatisticsRobustness, MissingAndBrokenValuesKeepTheirDefaults) {
    GameStatistics g;
    // No date: today; a value that is not a number leaves the field and is read as a word.
    LoadFrom(g, "GEL\xD6ST: ANZ_SPIELE: 3 BEST_ERG: nan SCHL_ERG: inf ERGS: -x "
                "EINTRAG_START NAME: Eva ERG: EINTRAG_ENDE "
                "EINTRAG_START NAME: Tom DATUM: 1 zwei 2000 ERG: 3 EINTRAG_START NAME: Ida ERG: 2 EINTRAG_ENDE");
    EXPECT_EQ(g.solvedCount, 0);
    EXPECT_EQ(g.gamesPlayed, 3);
    EXPECT_EQ(g.bestGrade, 6.0);
    EXPECT_EQ(g.worstGrade, 1.0);
    EXPECT_EQ(g.gradeSum, 0.0);
    ASSERT_EQ(Names(g), (std::vector<std::string>{"Eva", "Tom", "Ida"}));
    ExpectToday(*g.Entries().Get(0));
    EXPECT_EQ(g.Entries().Get(0)->grade, 0.0);
    EXPECT_EQ(g.Entries().Get(1)->day, 1);
    EXPECT_EQ(g.Entries().Get(1)->grade, 3.0);  // "zwei" ends the date, the words after it are read on
    EXPECT_EQ(g.Entries().Get(2)->grade, 2.0);  // an entry without its end does not swallow the next one
}

TEST(StatisticsRobustness, HugeNumbersAreClampedAndCountsKeptSane) {
    GameStatistics g;
    LoadFrom(g, "LEVEL_ZEIT: 1e999 ERGS: -1e999 BEST_ERG: 1e-999 GEL\xD6ST: -5 ANZ_SPIELE: 99999999999 "
                "IVAR1: -99999999999 DVAR1: 0x1p3 EINTRAG_START ERG: 1e400 DATUM: 1e5 99999999999 -3 EINTRAG_ENDE");
    EXPECT_EQ(g.time, DBL_MAX);
    EXPECT_EQ(g.gradeSum, -DBL_MAX);
    EXPECT_EQ(g.bestGrade, 0.0);
    EXPECT_EQ(g.solvedCount, 0);
    EXPECT_GT(g.gamesPlayed, 0);
    EXPECT_EQ(g.intValues[0], INT_MIN);
    EXPECT_EQ(g.doubleValues[0], 0.0);  // hex is not read: 0, then the word "x1p3"
    ASSERT_EQ(g.Entries().Count(), 1);
    EXPECT_EQ(g.Entries().Get(0)->grade, DBL_MAX);
    EXPECT_EQ(g.Entries().Get(0)->day, 1);
    EXPECT_EQ(g.Entries().Get(0)->month, INT_MAX);
    EXPECT_EQ(g.Entries().Get(0)->year, -3);
    // What was loaded is written and read back the same.
    GameStatistics back;
    LoadFrom(back, SaveOf(g));
    EXPECT_EQ(SaveOf(back), SaveOf(g));
    // Booking after a loaded count cannot overflow (as the game does it).
    LoadFrom(g, "GEL\xD6ST: 99999999999");
    g.BookGrade(2.0);
    g.solvedCount += 1;
    EXPECT_GT(g.gamesPlayed, 0);
    EXPECT_GT(g.solvedCount, 0);
}

TEST(StatisticsRobustness, GarbageAndTruncatedFilesLoadWithoutCrashOrHang) {
    for (const std::string& bytes : GarbageInputs()) {
        GameStatistics g;
        LoadFrom(g, bytes);
        EXPECT_EQ(g.gamesPlayed, 0);
        GlobalStatistics s;
        LoadFrom(s, bytes);
        EXPECT_EQ(s.gamesPlayed, 0);
    }
    // A name of ten million characters is cut to the field.
    GameStatistics big;
    LoadFrom(big, "EINTRAG_START NAME: " + std::string(10 * 1024 * 1024, 'N') + " ERG: 2 EINTRAG_ENDE");
    ASSERT_EQ(big.Entries().Count(), 1);
    EXPECT_EQ(std::strlen(big.Entries().Get(0)->name), static_cast<size_t>(ScoreEntry::kNameSize - 1));
    EXPECT_EQ(big.Entries().Get(0)->grade, 2.0);

    // Every prefix of a full file loads what it holds and nothing else.
    GameStatistics full;
    LoadFrom(full, "LEVEL_ZEIT: 100 GEL\xD6ST: 1 BEST_ERG: 1.5 SCHL_ERG: 5 ANZ_SPIELE: 7 ERGS: 21 IVAR1: 9 DVAR1: 2.5");
    full.Insert(Entry("Anna Maria", 2.0));
    full.Insert(Entry("Bob", 3.0));
    std::string file = SaveOf(full);
    for (size_t n = 0; n <= file.size(); ++n) {
        GameStatistics part;
        LoadFrom(part, file.substr(0, n));
        EXPECT_LE(part.Entries().Count(), 2);
        EXPECT_TRUE(part.gamesPlayed == 0 || part.gamesPlayed == 7) << n;
    }

    GlobalStatistics many;
    std::string entries;
    for (int i = 0; i < 3000; ++i) entries += "EINTRAG_START EINTRAG_ENDE ";
    LoadFrom(many, entries);
    EXPECT_EQ(many.Entries().Count(), kMaxLoadedEntries);
}

// Found by fuzzing: a name cut at a NUL byte to a keyword, and a count at its bound that is
// booked once more, each came back different after a save and a load.
TEST(StatisticsRobustness, WhatIsLoadedSavesAndLoadsTheSame) {
    const std::string inputs[] = {
        std::string("EINTRAG_START NAME: NAME:\0\0xyz ERG: 2 EINTRAG_ENDE", 50),
        std::string("EINTRAG_START NAME: Eva\0Maria ERG: 2 EINTRAG_ENDE", 49),
        "ANZ_SPIELE: 1333333333333333333333333336 EINTRAG_START NAME: ERG: ERGS:EINTRAG_ENDE",
    };
    for (const std::string& input : inputs) {
        GameStatistics g;
        LoadFrom(g, input);
        g.BookGrade(2.0);
        std::string saved = SaveOf(g);
        GameStatistics back;
        LoadFrom(back, saved);
        EXPECT_EQ(SaveOf(back), saved);
    }
}

TEST(StatisticsFiles, MissingFileKeepsTheRecordAndSavesCreateIt) {
    GameStatistics g;
    g.time = 5;
    EXPECT_FALSE(LoadStatisticsFile("fehlt.sav", g));
    EXPECT_EQ(g.time, 5.0);
    EXPECT_FALSE(LoadStatisticsFile("", g));
    std::filesystem::create_directory("ordner.sav");
    LoadStatisticsFile("ordner.sav", g);  // reads as an empty file
    EXPECT_EQ(g.time, 5.0);
    std::filesystem::remove("ordner.sav");
    EXPECT_FALSE(SaveStatisticsFile("", g));
    // The Remembering game's file: a UTF-8 name on Linux.
    ASSERT_TRUE(SaveStatisticsFile("gedächtnis.sav", g));
    EXPECT_EQ(FilesHere(), (std::vector<std::string>{"ged\xC3\xA4" "chtnis.sav"}));
    GameStatistics back;
    ASSERT_TRUE(LoadStatisticsFile("gedächtnis.sav", back));
    EXPECT_EQ(back.time, 5.0);

    GlobalStatistics s;
    s.Insert(Series("Anna Maria", 2, 1, 3, 2));
    ASSERT_TRUE(SaveStatisticsFile("stats.sav", s));
    GlobalStatistics sback;
    ASSERT_TRUE(LoadStatisticsFile("stats.sav", sback));
    EXPECT_EQ(SaveOf(sback), SaveOf(s));
    EXPECT_EQ(ReadBytes("stats.sav"), SaveOf(s));
}
