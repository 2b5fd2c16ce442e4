// fuzz-sources: src/framework/Statistics.cpp src/framework/TokenReader.cpp src/framework/SafeFile.cpp
// fuzz-dict: tests/fuzz/persist.dict
// Fuzz target: the statistics readers and writers of both record types. The input is read as a
// statistics file and as the values a record may hold. Reading ends, the values stay finite and
// within their bounds, and the file the program writes for a record reads back to the same
// values (doubles to the six significant digits the format keeps).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "framework/Statistics.h"
#include "fuzz/FuzzBytes.h"
#include "fuzz/FuzzTarget.h"

namespace {
constexpr uint32_t kMaxCount = 1000000000;  // counts the program keeps

template <typename Record>
std::string SaveOf(Record& r) {
    std::ostringstream out;
    r.Save(out);
    return out.str();
}

// Whether a double read back from the file is the written one, to six significant digits.
bool Close(double back, double written) {
    return back == written || std::fabs(back - written) <= 5e-6 * std::fabs(written) + 1e-300;
}

bool SameEntry(const ScoreEntry& a, const ScoreEntry& b) {
    return std::strcmp(a.name, b.name) == 0 && a.day == b.day && a.month == b.month && a.year == b.year &&
           Close(a.grade, b.grade);
}
bool SameEntry(const SeriesScoreEntry& a, const SeriesScoreEntry& b) {
    return SameEntry(static_cast<const ScoreEntry&>(a), static_cast<const ScoreEntry&>(b)) && a.level == b.level &&
           Close(a.bestGrade, b.bestGrade) && Close(a.worstGrade, b.worstGrade);
}

void CheckExtraFields(const GameStatistics& back, const GameStatistics& r) {
    for (int i = 0; i < 3; ++i) {
        KW_FUZZ_CHECK(back.intValues[i] == r.intValues[i]);
        KW_FUZZ_CHECK(Close(back.doubleValues[i], r.doubleValues[i]));
    }
}
void CheckExtraFields(const GlobalStatistics&, const GlobalStatistics&) {}

// Writes the record, reads the file into a new record and compares: every value, the first ten
// entries in their order, and the file written again.
template <typename Record>
void CheckWrittenReadsBack(Record& r) {
    const std::string text = SaveOf(r);
    Record back;
    std::istringstream in(text);
    back.Load(in);
    KW_FUZZ_CHECK(Close(back.time, r.time));
    KW_FUZZ_CHECK(back.solvedCount == r.solvedCount);
    KW_FUZZ_CHECK(Close(back.bestGrade, r.bestGrade));
    KW_FUZZ_CHECK(Close(back.worstGrade, r.worstGrade));
    KW_FUZZ_CHECK(back.gamesPlayed == r.gamesPlayed);
    KW_FUZZ_CHECK(Close(back.gradeSum, r.gradeSum));
    CheckExtraFields(back, r);
    const int written = r.Entries().Count() < kTopTenSize ? r.Entries().Count() : kTopTenSize;
    KW_FUZZ_CHECK(back.Entries().Count() == written);
    for (int i = 0; i < written && i < back.Entries().Count(); ++i)
        KW_FUZZ_CHECK(SameEntry(*back.Entries().Get(i), *r.Entries().Get(i)));
    KW_FUZZ_CHECK(SaveOf(back) == text);
}

template <typename Record>
void CheckFile(const std::string& bytes) {
    Record record;
    std::istringstream in(bytes);
    record.Load(in);
    KW_FUZZ_CHECK(record.Entries().Count() <= kMaxLoadedEntries);
    KW_FUZZ_CHECK(record.gamesPlayed >= 0 && record.solvedCount >= 0);
    KW_FUZZ_CHECK(std::isfinite(record.time) && std::isfinite(record.gradeSum) && std::isfinite(record.bestGrade) &&
                  std::isfinite(record.worstGrade));
    for (auto* e : record.Entries()) {
        KW_FUZZ_CHECK(std::isfinite(e->grade));
        KW_FUZZ_CHECK(std::strchr(e->name, '_') == nullptr);  // read back as blanks
    }
    // Booking and qualification work on whatever was loaded.
    record.BookGrade(2.0);
    record.Qualifies(3.0);
    CheckWrittenReadsBack(record);
}

// A name the program may hold: typed (letters, digits, blanks) or read from a file (any bytes
// but whitespace and "_", which reads as a blank). A keyword of an entry field cannot be either.
void FillName(kwfuzz::FuzzBytes& bytes, ScoreEntry& e) {
    const uint8_t choice = bytes.Byte();
    const size_t length = choice == 255 ? ScoreEntry::kNameSize - 1 : choice % 24;
    for (size_t i = 0; i < length; ++i) {
        char c = static_cast<char>(bytes.Byte());
        if (c == '\0' || c == '_' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r')
            c = ' ';
        e.name[i] = c;
    }
    e.name[length] = '\0';
    static const char* const kFieldKeys[] = {"NAME:", "DATUM:", "ERG:", "BEST:", "SCHLECHT:", "SCHW:"};
    for (const char* key : kFieldKeys)
        if (std::strcmp(e.name, key) == 0) std::strcpy(e.name, "X");
}

void FillEntry(kwfuzz::FuzzBytes& bytes, ScoreEntry& e) {
    FillName(bytes, e);
    e.day = bytes.Int();
    e.month = bytes.Int();
    e.year = bytes.Int();
    e.grade = bytes.FiniteDouble();
}

template <typename Record>
void FillCommon(kwfuzz::FuzzBytes& bytes, Record& r) {
    r.time = bytes.FiniteDouble();
    r.solvedCount = static_cast<int>(bytes.U32() % (kMaxCount + 1));
    r.bestGrade = bytes.FiniteDouble();
    r.worstGrade = bytes.FiniteDouble();
    r.gamesPlayed = static_cast<int>(bytes.U32() % (kMaxCount + 1));
    r.gradeSum = bytes.FiniteDouble();
}

void CheckHeldValues(kwfuzz::FuzzBytes& bytes) {
    GameStatistics game;
    FillCommon(bytes, game);
    for (int i = 0; i < 3; ++i) {
        game.intValues[i] = bytes.Int();
        game.doubleValues[i] = bytes.FiniteDouble();
    }
    for (int n = bytes.Byte() % 13; n > 0; --n) {
        auto* e = new ScoreEntry();
        FillEntry(bytes, *e);
        game.Entries().Add(e);
    }
    CheckWrittenReadsBack(game);

    GlobalStatistics global;
    FillCommon(bytes, global);
    for (int n = bytes.Byte() % 13; n > 0; --n) {
        auto* e = new SeriesScoreEntry();
        FillEntry(bytes, *e);
        e->level = bytes.Int();
        e->bestGrade = bytes.FiniteDouble();
        e->worstGrade = bytes.FiniteDouble();
        global.Entries().Add(e);
    }
    CheckWrittenReadsBack(global);
}
}  // namespace

KW_FUZZ_TARGET(statistics) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckFile<GameStatistics>(bytes);
    CheckFile<GlobalStatistics>(bytes);
    kwfuzz::FuzzBytes values(data, size);
    CheckHeldValues(values);
    return 0;
}
