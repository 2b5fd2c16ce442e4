#include "framework/Statistics.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>

#include "framework/SafeFile.h"
#include "framework/TokenReader.h"

namespace {
// Words are read into an input buffer of 1,000 bytes: at most 999 characters, the rest of a
// longer word is dropped. A name therefore always fits the 1,000-byte name field.
constexpr size_t kMaxStatisticsToken = ScoreEntry::kNameSize - 1;
// Counts are kept within a range in which adding to them can never overflow.
constexpr int kMaxCount = 1000000000;

// "GELÖST:" with the Windows-1252 byte for Ö, as the files are written; the UTF-8 spelling is
// accepted as well, for files that went through an editor.
const char kSolvedKey[] = "GEL\xD6ST:";
const char kSolvedKeyUtf8[] = "GEL\xC3\x96ST:";

bool IsSolvedKey(const std::string& token) { return token == kSolvedKey || token == kSolvedKeyUtf8; }

// printf %g with six significant digits, always with a decimal point.
std::string FormatDouble(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    for (char* c = text; *c != '\0'; ++c)
        if (*c == ',') *c = '.';
    return text;
}

void WriteLine(std::ostream& out, const char* key, const std::string& value) {
    out << key << '\t' << value << "\r\n";
}
void WriteLine(std::ostream& out, const char* key, int value) { WriteLine(out, key, std::to_string(value)); }
void WriteLine(std::ostream& out, const char* key, double value) { WriteLine(out, key, FormatDouble(value)); }

// Formatted numeric input from the word after a key. A word that is not a number is left for
// the reader to take as the next word, and the field keeps its value.
bool ReadNumber(TokenReader& reader, int& field) {
    std::string word;
    if (!reader.Next(word)) return false;
    if (ParseIntPrefix(word, field)) return true;
    reader.PutBack();
    return false;
}
bool ReadNumber(TokenReader& reader, double& field) {
    std::string word;
    if (!reader.Next(word)) return false;
    if (ParseDoublePrefix(word, field)) return true;
    reader.PutBack();
    return false;
}
void ReadCount(TokenReader& reader, int& field) {
    ReadNumber(reader, field);
    if (field < 0) field = 0;
    if (field > kMaxCount) field = kMaxCount;
}

bool IsEntryKeyword(const std::string& token) {
    return token == "EINTRAG_START" || token == "EINTRAG_ENDE" || token == "NAME:" || token == "DATUM:" ||
           token == "ERG:" || token == "BEST:" || token == "SCHLECHT:" || token == "SCHW:";
}

// Whether a word behind "NAME:" that spells an entry keyword is the name all the same: a typed
// name such as "EINTRAG ENDE" is written as that keyword, and in every entry the program writes
// the name is followed by "DATUM:". Leaves the word after it unread.
bool IsNameBeforeTheDate(TokenReader& reader, const std::string& word) {
    if (word != "EINTRAG_START" && word != "EINTRAG_ENDE") return false;
    std::string following;
    if (!reader.Next(following)) return false;
    reader.PutBack();
    return following == "DATUM:";
}

// The name is one word with "_" for every blank. A name that was empty when it was written
// leaves the next keyword right behind "NAME:"; that keyword is not taken as the name.
void ReadName(TokenReader& reader, ScoreEntry& entry) {
    std::string word;
    if (!reader.Next(word)) return;
    // The name field ends at a NUL byte, so the name is what comes before one.
    word.resize(strnlen(word.c_str(), word.size()));
    if (IsEntryKeyword(word) && !IsNameBeforeTheDate(reader, word)) {
        entry.name[0] = '\0';
        reader.PutBack(word);
        return;
    }
    size_t n = word.size() < sizeof entry.name - 1 ? word.size() : sizeof entry.name - 1;
    for (size_t i = 0; i < n; ++i) entry.name[i] = word[i] == '_' ? ' ' : word[i];
    entry.name[n] = '\0';
}

// Reads the fields of one entry up to "EINTRAG_ENDE" (the series fields only when series is
// set). The end of the file ends the entry with what was read; so does an "EINTRAG_START",
// which is left for the record to begin the next entry with.
void ReadEntry(TokenReader& reader, ScoreEntry& entry, SeriesScoreEntry* series) {
    std::string token;
    while (reader.Next(token)) {
        if (token == "EINTRAG_ENDE") return;
        if (token == "EINTRAG_START") {
            reader.PutBack();
            return;
        }
        if (token == "NAME:") {
            ReadName(reader, entry);
        } else if (token == "DATUM:") {
            if (ReadNumber(reader, entry.day) && ReadNumber(reader, entry.month)) ReadNumber(reader, entry.year);
        } else if (token == "ERG:") {
            ReadNumber(reader, entry.grade);
        } else if (series != nullptr && token == "BEST:") {
            ReadNumber(reader, series->bestGrade);
        } else if (series != nullptr && token == "SCHLECHT:") {
            ReadNumber(reader, series->worstGrade);
        } else if (series != nullptr && token == "SCHW:") {
            ReadNumber(reader, series->level);
        }
    }
}

// A name as one word: every blank (and any other whitespace, which would split the word) as "_".
std::string NameWord(const ScoreEntry& entry) {
    std::string word(entry.name, strnlen(entry.name, sizeof entry.name));
    for (char& c : word)
        if (IsSpaceChar(static_cast<unsigned char>(c))) c = '_';
    return word;
}

void WriteEntryStart(std::ostream& out, const ScoreEntry& e) {
    out << "EINTRAG_START\tNAME:\t" << NameWord(e) << "\tDATUM:\t" << std::to_string(e.day) << '\t'
        << std::to_string(e.month) << '\t' << std::to_string(e.year) << "\tERG:\t" << FormatDouble(e.grade);
}

// The record fields shared by both record types.
struct CommonFields {
    double& time;
    int& solvedCount;
    double& bestGrade;
    double& worstGrade;
    int& gamesPlayed;
    double& gradeSum;
};

// The shared fields in the state of "nothing booked yet": best 6.0 above worst 1.0.
void ResetCommonFields(CommonFields f) {
    f.time = 0.0;
    f.solvedCount = 0;
    f.bestGrade = 6.0;
    f.worstGrade = 1.0;
    f.gamesPlayed = 0;
    f.gradeSum = 0.0;
}

// Reads one word of a record: a key of the shared fields (timeKey names the time field);
// true when the word was one of them.
bool ReadCommonField(TokenReader& reader, const std::string& token, const char* timeKey, CommonFields f) {
    if (token == timeKey) ReadNumber(reader, f.time);
    else if (IsSolvedKey(token)) ReadCount(reader, f.solvedCount);
    else if (token == "BEST_ERG:") ReadNumber(reader, f.bestGrade);
    else if (token == "SCHL_ERG:") ReadNumber(reader, f.worstGrade);
    else if (token == "ANZ_SPIELE:") ReadCount(reader, f.gamesPlayed);
    else if (token == "ERGS:") ReadNumber(reader, f.gradeSum);
    else return false;
    return true;
}

void WriteCommonFields(std::ostream& out, const char* timeKey, CommonFields f) {
    WriteLine(out, timeKey, f.time);
    WriteLine(out, kSolvedKey, f.solvedCount);
    WriteLine(out, "BEST_ERG:", f.bestGrade);
    WriteLine(out, "SCHL_ERG:", f.worstGrade);
    WriteLine(out, "ANZ_SPIELE:", f.gamesPlayed);
    WriteLine(out, "ERGS:", f.gradeSum);
}

void Book(CommonFields f, double grade) {
    if (std::isnan(grade)) return;
    if (f.gamesPlayed < kMaxCount) f.gamesPlayed += 1;
    f.gradeSum += grade;
    if (grade < f.bestGrade) f.bestGrade = grade;
    if (grade > f.worstGrade) f.worstGrade = grade;
}

// A result enters the list when it is better than one of the first ten, or while the list
// has fewer than ten entries; 6.0 (no result) and a grade that is not a number never do.
template <typename Entry>
bool QualifiesIn(LockedList<Entry>& entries, double grade) {
    if (grade == 6.0 || std::isnan(grade)) return false;
    int i = 0;
    for (Entry* e : entries) {
        if (i++ >= kTopTenSize) break;
        if (grade < GradeOrderKey(e->grade)) return true;
    }
    return entries.Count() < kTopTenSize;
}

// Before the first of the first ten entries with a larger grade, else at the end: equal grades
// keep the order in which they came.
template <typename Entry>
void InsertInto(LockedList<Entry>& entries, Entry* entry) {
    double key = GradeOrderKey(entry->grade);
    int i = 0;
    for (Entry* e : entries) {
        if (i >= kTopTenSize) break;
        if (GradeOrderKey(e->grade) > key) {
            entries.Add(entry, i);
            return;
        }
        ++i;
    }
    entries.Add(entry);
}

template <typename Record>
bool LoadFile(const char* fileName, Record& stats) {
    if (fileName == nullptr || fileName[0] == '\0') return false;
    std::ifstream in(fileName, std::ios::binary);
    if (!in.is_open()) return false;
    stats.Load(in);
    return true;
}

template <typename Record>
bool SaveFile(const char* fileName, Record& stats) {
    if (fileName == nullptr || fileName[0] == '\0') return false;
    std::ostringstream out;
    stats.Save(out);
    return WriteFileAtomically(fileName, out.str());
}
}  // namespace

ScoreEntry::ScoreEntry() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) != nullptr) {
        day = local.tm_mday;
        month = local.tm_mon + 1;
        year = local.tm_year + 1900;
    }
}

// ---- GameStatistics ----

void GameStatistics::Reset() {
    ResetCommonFields({time, solvedCount, bestGrade, worstGrade, gamesPlayed, gradeSum});
    for (int& v : intValues) v = 0;
    for (double& v : doubleValues) v = 0.0;
    entries.Clear(true);
}

void GameStatistics::Load(std::istream& in) {
    static const char* const kIntKeys[3] = {"IVAR1:", "IVAR2:", "IVAR3:"};
    static const char* const kDoubleKeys[3] = {"DVAR1:", "DVAR2:", "DVAR3:"};
    TokenReader reader(in, kMaxStatisticsToken);
    CommonFields fields{time, solvedCount, bestGrade, worstGrade, gamesPlayed, gradeSum};
    std::string token;
    while (reader.Next(token)) {
        if (ReadCommonField(reader, token, "LEVEL_ZEIT:", fields)) continue;
        if (token == "EINTRAG_START") {
            auto* entry = new ScoreEntry();
            ReadEntry(reader, *entry, nullptr);
            if (entries.Count() < kMaxLoadedEntries) entries.Add(entry);
            else delete entry;
            continue;
        }
        for (int i = 0; i < 3; ++i) {
            if (token == kIntKeys[i]) ReadNumber(reader, intValues[i]);
            else if (token == kDoubleKeys[i]) ReadNumber(reader, doubleValues[i]);
        }
    }
}

void GameStatistics::Save(std::ostream& out) {
    WriteCommonFields(out, "LEVEL_ZEIT:", {time, solvedCount, bestGrade, worstGrade, gamesPlayed, gradeSum});
    WriteLine(out, "IVAR1:", intValues[0]);
    WriteLine(out, "IVAR2:", intValues[1]);
    WriteLine(out, "IVAR3:", intValues[2]);
    WriteLine(out, "DVAR1:", doubleValues[0]);
    WriteLine(out, "DVAR2:", doubleValues[1]);
    WriteLine(out, "DVAR3:", doubleValues[2]);
    int i = 0;
    for (ScoreEntry* e : entries) {
        if (i++ >= kTopTenSize) break;
        WriteEntryStart(out, *e);
        out << "\tEINTRAG_ENDE\r\n";
    }
}

void GameStatistics::BookGrade(double grade) {
    Book({time, solvedCount, bestGrade, worstGrade, gamesPlayed, gradeSum}, grade);
}
bool GameStatistics::Qualifies(double grade) { return QualifiesIn(entries, grade); }
void GameStatistics::Insert(ScoreEntry* entry) {
    if (entry != nullptr) InsertInto(entries, entry);
}

// ---- GlobalStatistics ----

void GlobalStatistics::Reset() {
    ++changes;
    ResetCommonFields({time, solvedCount, bestGrade, worstGrade, gamesPlayed, gradeSum});
    entries.Clear(true);
}

void GlobalStatistics::Load(std::istream& in) {
    TokenReader reader(in, kMaxStatisticsToken);
    CommonFields fields{time, solvedCount, bestGrade, worstGrade, gamesPlayed, gradeSum};
    std::string token;
    while (reader.Next(token)) {
        if (ReadCommonField(reader, token, "GAME_ZEIT:", fields)) continue;
        if (token == "EINTRAG_START") {
            auto* entry = new SeriesScoreEntry();
            ReadEntry(reader, *entry, entry);
            if (entries.Count() < kMaxLoadedEntries) entries.Add(entry);
            else delete entry;
        }
    }
}

void GlobalStatistics::Save(std::ostream& out) {
    WriteCommonFields(out, "GAME_ZEIT:", {time, solvedCount, bestGrade, worstGrade, gamesPlayed, gradeSum});
    int i = 0;
    for (SeriesScoreEntry* e : entries) {
        if (i++ >= kTopTenSize) break;
        WriteEntryStart(out, *e);
        out << "\tBEST:\t" << FormatDouble(e->bestGrade) << "\tSCHLECHT:\t" << FormatDouble(e->worstGrade)
            << "\tSCHW:\t" << std::to_string(e->level) << "\tEINTRAG_ENDE\r\n";
    }
}

void GlobalStatistics::BookGrade(double grade) {
    ++changes;
    Book({time, solvedCount, bestGrade, worstGrade, gamesPlayed, gradeSum}, grade);
}
bool GlobalStatistics::Qualifies(double grade) { return QualifiesIn(entries, grade); }
void GlobalStatistics::Insert(SeriesScoreEntry* entry) {
    ++changes;
    if (entry != nullptr) InsertInto(entries, entry);
}

// ---- files ----

bool LoadStatisticsFile(const char* fileName, GameStatistics& stats) { return LoadFile(fileName, stats); }
bool LoadStatisticsFile(const char* fileName, GlobalStatistics& stats) { return LoadFile(fileName, stats); }
bool SaveStatisticsFile(const char* fileName, GameStatistics& stats) { return SaveFile(fileName, stats); }
bool SaveStatisticsFile(const char* fileName, GlobalStatistics& stats) { return SaveFile(fileName, stats); }
