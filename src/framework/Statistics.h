#pragma once
// Statistics records: one GameStatistics per mini-game in the game's own file, one
// GlobalStatistics for the whole program in "stats.sav". Grades are German school grades,
// 1.0 best, 6.0 worst; a smaller grade is always the better result.
#include <cmath>
#include <iosfwd>
#include <limits>

#include "framework/LockedList.h"

// Entries shown, written and compared for qualification: the top ten.
constexpr int kTopTenSize = 10;
// A file never loads more entries than this (only the first ten are ever shown or written).
constexpr int kMaxLoadedEntries = 1000;

// One line of a game's top-ten list.
struct ScoreEntry {
    ScoreEntry();  // today's local date, empty name, grade 0
    virtual ~ScoreEntry() = default;
    static constexpr int kNameSize = 1000;
    int nameLength = 0;  // characters typed so far during name input; not stored
    char name[kNameSize] = {};
    double grade = 0.0;
    int day = 1, month = 1, year = 2000;
};

// The order of the top-ten lists: a smaller grade is better. A grade that is not a number
// (never read from a file, but a game could compute one) counts as worse than any other, so
// it can neither break the order nor push a real result out.
inline double GradeOrderKey(double grade) { return std::isnan(grade) ? std::numeric_limits<double>::infinity() : grade; }

// One line of the series top-ten list.
struct SeriesScoreEntry : ScoreEntry {
    int level = 0;
    double bestGrade = 6.0;
    double worstGrade = 1.0;
};

class GameStatistics {
public:
    GameStatistics() = default;
    void Reset();
    void Load(std::istream& in);
    void Save(std::ostream& out);
    void BookGrade(double grade);  // a grade that is not a number is not booked
    bool Qualifies(double grade);
    void Insert(ScoreEntry* entry);  // takes ownership
    LockedList<ScoreEntry>& Entries() { return entries; }

    double time = 0.0;
    int solvedCount = 0;
    double bestGrade = 6.0;
    double worstGrade = 1.0;
    int gamesPlayed = 0;
    double gradeSum = 0.0;
    int intValues[3] = {};
    double doubleValues[3] = {};
    LockedList<ScoreEntry> entries;
};

class GlobalStatistics {
public:
    GlobalStatistics() = default;
    void Reset();
    void Load(std::istream& in);
    void Save(std::ostream& out);
    void BookGrade(double grade);
    bool Qualifies(double grade);
    void Insert(SeriesScoreEntry* entry);  // takes ownership
    LockedList<SeriesScoreEntry>& Entries() { return entries; }

    double time = 0.0;
    int solvedCount = 0;
    double bestGrade = 6.0;
    double worstGrade = 1.0;
    int gamesPlayed = 0;
    double gradeSum = 0.0;
    LockedList<SeriesScoreEntry> entries;
    // Counts bookings, insertions and resets (not the running time), so that the program can
    // write the file as soon as a result is booked. Not stored.
    int changes = 0;
};

// Reads a record from the named file if it can be opened; false when it could not.
bool LoadStatisticsFile(const char* fileName, GameStatistics& stats);
bool LoadStatisticsFile(const char* fileName, GlobalStatistics& stats);
// Writes a record to the named file through a temporary file and a rename, so that an
// interrupted save leaves the previous file intact.
bool SaveStatisticsFile(const char* fileName, GameStatistics& stats);
bool SaveStatisticsFile(const char* fileName, GlobalStatistics& stats);
