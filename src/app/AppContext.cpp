#include "app/AppContext.h"

#include <cstdlib>

#include "framework/Language.h"
#include "framework/Settings.h"
#include "framework/Statistics.h"

namespace {
AppContext* g_app = nullptr;
bool g_atExitRegistered = false;
}  // namespace

void DestroyAppContext() {
    delete g_app;
    g_app = nullptr;
}

AppContext* GetAppContext() {
    if (g_app == nullptr) {
        g_app = new AppContext();
        if (!g_atExitRegistered) {
            g_atExitRegistered = true;
            std::atexit(DestroyAppContext);
        }
    }
    return g_app;
}

// Construction reads the global statistics, then the settings, then the language texts.
AppContext::AppContext() {
    texts = new LockedList<TextEntry>();
    statistics = new GlobalStatistics();
    LoadStatisticsFile("stats.sav", *statistics);
    d3d = nullptr;
    device = nullptr;
    paused = false;
    fullScreen = true;
    introEnabled = true;
    animTick = 0;
    language = 0;
    soundVolume = 100;
    musicVolume = 100;
    ReadSettings(*this);
    LoadLanguage(language);
}

// Destruction writes the settings and the global statistics, then frees the lists.
AppContext::~AppContext() {
    WriteSettings(*this);
    SaveStatisticsFile("stats.sav", *statistics);
    delete statistics;
    statistics = nullptr;
    delete texts;
    texts = nullptr;
}
