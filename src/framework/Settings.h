#pragma once
// The settings file "knobel.cfg": five lines of key, tab and value.
struct AppContext;

// Reads the settings into app (fullScreen, language, soundVolume, musicVolume, introEnabled);
// a missing file keeps what app holds.
void ReadSettings(AppContext& app, const char* fileName = "knobel.cfg");
// Writes the five settings lines (CR LF) through a temporary file and a rename.
bool WriteSettings(const AppContext& app, const char* fileName = "knobel.cfg");
