#pragma once
// Every booked result, kept in "verlauf.sav": one tab-separated line per booked game and per
// booked series, appended and synced as the result is booked, so that a trend can be shown.
// The file opens in a spreadsheet as it is: a header line naming the columns, Windows-1252
// text, CR LF line ends. Reading is bounded (the last kKeep results, a large file is read from
// its end) and forgiving (damaged lines are skipped); the file is cut back to its last kKeep
// lines by an atomic rewrite once it has grown kMargin lines beyond that.
#include <cstddef>
#include <deque>
#include <string>

inline constexpr const char* kHistoryFile = "verlauf.sav";
inline constexpr const char* kSeriesStem = "serie";

struct HistoryRecord {
    std::string when;      // local date and time, "YYYY-MM-DDThh:mm:ss"
    std::string game;      // the game's statistics file stem ("sudoku"), or "serie"
    int level = 0;         // 0..2
    double grade = 6.0;
    double seconds = 0.0;  // play time
    int right = -1;        // right and wrong answers; -1 where the game does not count them
    int wrong = -1;
    bool leftEarly = false;
    double average = 0.0;  // a series' plain average, best and worst grade; 0 for a game
    double best = 0.0;
    double worst = 0.0;

    bool IsSeries() const { return game == kSeriesStem; }
};

// The local date and time of now as written in the file.
std::string HistoryTimestamp();
// The stem of a statistics file name in Windows-1252 ("gedächtnis.sav" -> "ged\xE4chtnis").
std::string HistoryStem(const char* saveFileName);
// One record as its file line (without the line end), and back; false for a damaged line.
std::string FormatHistoryLine(const HistoryRecord& r);
bool ParseHistoryLine(const char* line, size_t length, HistoryRecord& r);

class History {
public:
    static constexpr size_t kKeep = 10000;
    static constexpr size_t kMargin = 1000;
    static constexpr size_t kMaxLine = 300;  // longer lines are damaged

    explicit History(std::string path = kHistoryFile) : path_(std::move(path)) {}

    // Replaces what is held by the last kKeep good lines of the file; a missing file is empty.
    void Load();
    // Appends the record to the file (synced before it returns) and keeps it. False when the
    // file could not be written; the record is kept in memory all the same.
    bool Append(const HistoryRecord& record);
    // Drops the results of one game (its stem, or "serie"), or all with an empty stem, from
    // memory and file, as resetting the statistics does.
    bool Forget(const std::string& game);
    const std::deque<HistoryRecord>& Records() const { return records_; }
    const std::string& Path() const { return path_; }

private:
    bool Rewrite();

    std::string path_;
    std::deque<HistoryRecord> records_;
    size_t fileLines_ = 0;        // lines in the file as far as known
    bool endsInLine_ = true;      // the file ends with a line break (or is empty)
};
