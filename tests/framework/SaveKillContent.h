#pragma once
// What the save-kill test's saving process writes, and how it talks to the test.
#include <cstdio>
#include <sstream>
#include <string>

#include "framework/Settings.h"
#include "framework/Statistics.h"

namespace savekill {

// The values of save number g of each file. Sizes differ from one save to the next, so that a
// file cut short or mixed from two saves never equals a complete one.
inline SettingsValues SettingsOf(int g) {
    SettingsValues v;
    v.fullScreen = g % 2 == 0;
    v.language = g % 3 == 0 ? 0 : 1;
    v.soundVolume = g;
    v.musicVolume = g * 37 % 1000003;
    v.introEnabled = g / 2 % 2 == 0;
    return v;
}

inline int EntriesOf(int g) { return g % 11; }

inline void FillStatistics(GlobalStatistics& s, int g) {
    s.Reset();
    s.time = g * 1.5;
    s.gamesPlayed = g;
    s.solvedCount = g / 2;
    s.gradeSum = g * 2.25;
    s.bestGrade = 1.0 + g % 5;
    s.worstGrade = 6.0 - g % 3;
    for (int i = 0; i < EntriesOf(g); ++i) {
        auto* e = new SeriesScoreEntry();
        const std::string name = "Spieler " + std::to_string(i) + std::string(static_cast<size_t>(g % 7 * 9), 'x');
        std::snprintf(e->name, sizeof e->name, "%s", name.c_str());
        e->grade = 1.0 + i * 0.5;
        e->day = 1 + i;
        e->month = 1 + g % 12;
        e->year = 2024;
        e->level = i % 3;
        s.Insert(e);
    }
}

inline std::string StatsText(int g) {
    GlobalStatistics s;
    FillStatistics(s, g);
    std::ostringstream out;
    s.Save(out);
    return out.str();
}

// The test sends the number of rounds a new saving process is to run (-1: until it is killed).
// The helper answers twice per process: once it has started (read the files), with its id,
// and once it has ended, with the numbers of the last saves it finished (-1: none) and its
// wait status.
struct Answer {
    int pid = -1;
    int settingsDone = -1;
    int statsDone = -1;
    int status = 0;
};

}  // namespace savekill
