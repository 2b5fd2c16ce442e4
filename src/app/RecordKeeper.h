#pragma once
// Saves as the program goes: "stats.sav" right after a game or a series entry was booked (or
// the statistics were reset), "knobel.cfg" right after a setting changed. A crash, a kill or a
// power cut then loses at most the running time since the last booking. Exit writes both
// files as well.
#include "framework/Settings.h"

struct AppContext;

class RecordKeeper {
public:
    // Takes what app holds now as written.
    explicit RecordKeeper(AppContext& app);
    // Writes the files whose contents changed since; the main loop calls it after every event
    // and every frame.
    void SaveChanges();

private:
    AppContext& app_;
    SettingsValues settings_;
    int statisticsChanges_ = 0;
};
