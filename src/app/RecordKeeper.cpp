#include "app/RecordKeeper.h"

#include "app/AppContext.h"
#include "framework/Statistics.h"

RecordKeeper::RecordKeeper(AppContext& app) : app_(app), settings_(SettingsOf(app)) {
    if (app.statistics != nullptr) statisticsChanges_ = app.statistics->changes;
}

// A file that cannot be written (a full disk, a read-only folder) is tried again at the next
// change and at exit, not at every frame.
void RecordKeeper::SaveChanges() {
    const SettingsValues now = SettingsOf(app_);
    if (!(now == settings_)) {
        settings_ = now;
        WriteSettings(app_);
    }
    GlobalStatistics* stats = app_.statistics;
    if (stats != nullptr && stats->changes != statisticsChanges_) {
        statisticsChanges_ = stats->changes;
        SaveStatisticsFile("stats.sav", *stats);
    }
}
