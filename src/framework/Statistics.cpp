#include "framework/Statistics.h"

#include <istream>
#include <ostream>

ScoreEntry::ScoreEntry() {}
void GameStatistics::Reset() {}
void GameStatistics::Load(std::istream& in) {}
void GameStatistics::Save(std::ostream& out) {}
void GameStatistics::BookGrade(double grade) {}
bool GameStatistics::Qualifies(double grade) { return false; }
void GameStatistics::Insert(ScoreEntry* entry) { entries.Add(entry); }
void GlobalStatistics::Reset() {}
void GlobalStatistics::Load(std::istream& in) {}
void GlobalStatistics::Save(std::ostream& out) {}
void GlobalStatistics::BookGrade(double grade) {}
bool GlobalStatistics::Qualifies(double grade) { return false; }
void GlobalStatistics::Insert(SeriesScoreEntry* entry) { entries.Add(entry); }
bool LoadStatisticsFile(const char*, GameStatistics&) { return false; }
bool LoadStatisticsFile(const char*, GlobalStatistics&) { return false; }
bool SaveStatisticsFile(const char*, GameStatistics&) { return false; }
bool SaveStatisticsFile(const char*, GlobalStatistics&) { return false; }
