#pragma once
// The settings file "knobel.cfg": lines of key, tab and value. The first five lines are the
// original settings; later keys follow them, so that older readers skip them as unknown words.
#include <iosfwd>
#include <string>

struct AppContext;

// The settings, with their defaults.
struct SettingsValues {
    bool fullScreen = true;     // FULLSCREEN:
    int language = 0;           // SPRACHE:
    int soundVolume = 100;      // SOUND:
    int musicVolume = 100;      // MUSIK:
    bool introEnabled = true;   // INTRO:
    bool colourSymbols = true;  // SYMBOLE: symbols and patterns beside colour signals
    bool muted = false;         // STUMM: all sound muted (M or F2)
    bool operator==(const SettingsValues&) const = default;
};

// Reads settings words from a stream into values: every key takes the word after it as a
// number (atoi: anything that is not a number gives 0); other words are skipped; the last
// occurrence of a key wins; keys that do not occur leave their value as it was.
void ParseSettings(std::istream& in, SettingsValues& values);
// The lines of the file, in the order FULLSCREEN, SPRACHE, SOUND, MUSIK, INTRO, SYMBOLE, STUMM
// (CR LF).
std::string FormatSettings(const SettingsValues& values);

// The settings as app holds them.
SettingsValues SettingsOf(const AppContext& app);

// Reads the settings into app (fullScreen, language, soundVolume, musicVolume, introEnabled,
// colourSymbols, muted);
// a missing file keeps what app holds.
void ReadSettings(AppContext& app, const char* fileName = "knobel.cfg");
// Writes the settings lines (CR LF) through a temporary file and a rename.
bool WriteSettings(const AppContext& app, const char* fileName = "knobel.cfg");
