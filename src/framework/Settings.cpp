#include "framework/Settings.h"

#include <cstdio>
#include <fstream>
#include <istream>

#include "app/AppContext.h"
#include "framework/SafeFile.h"
#include "framework/TokenReader.h"

namespace {
// Words are read into a buffer of a thousand characters; longer words are cut.
constexpr size_t kMaxSettingsToken = 999;

}  // namespace

SettingsValues SettingsOf(const AppContext& app) {
    SettingsValues v;
    v.fullScreen = app.fullScreen;
    v.language = app.language;
    v.soundVolume = app.soundVolume;
    v.musicVolume = app.musicVolume;
    v.introEnabled = app.introEnabled;
    v.colourSymbols = app.colourSymbols;
    v.muted = app.muted;
    return v;
}

void ParseSettings(std::istream& in, SettingsValues& values) {
    TokenReader reader(in, kMaxSettingsToken);
    std::string key;
    while (reader.Next(key)) {
        int* intField = nullptr;
        bool* boolField = nullptr;
        if (key == "FULLSCREEN:") boolField = &values.fullScreen;
        else if (key == "SPRACHE:") intField = &values.language;
        else if (key == "SOUND:") intField = &values.soundVolume;
        else if (key == "MUSIK:") intField = &values.musicVolume;
        else if (key == "INTRO:") boolField = &values.introEnabled;
        else if (key == "SYMBOLE:") boolField = &values.colourSymbols;
        else if (key == "STUMM:") boolField = &values.muted;
        else continue;
        // A key at the very end of the file reads an empty word, which converts to 0.
        std::string word;
        if (!reader.Next(word)) word.clear();
        int value = AtoiClamped(word);
        if (intField != nullptr) *intField = value;
        else *boolField = value != 0;
    }
}

std::string FormatSettings(const SettingsValues& values) {
    char text[256];
    std::snprintf(text, sizeof text, "FULLSCREEN:\t%d\r\nSPRACHE:\t%d\r\nSOUND:\t%d\r\nMUSIK:\t%d\r\nINTRO:\t%d\r\n"
                  "SYMBOLE:\t%d\r\nSTUMM:\t%d\r\n",
                  values.fullScreen ? 1 : 0, values.language, values.soundVolume, values.musicVolume,
                  values.introEnabled ? 1 : 0, values.colourSymbols ? 1 : 0, values.muted ? 1 : 0);
    return text;
}

void ReadSettings(AppContext& app, const char* fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in.is_open()) return;
    SettingsValues v = SettingsOf(app);
    ParseSettings(in, v);
    app.fullScreen = v.fullScreen;
    app.language = v.language;
    app.soundVolume = v.soundVolume;
    app.musicVolume = v.musicVolume;
    app.introEnabled = v.introEnabled;
    app.colourSymbols = v.colourSymbols;
    app.muted = v.muted;
}

bool WriteSettings(const AppContext& app, const char* fileName) {
    return WriteFileAtomically(fileName, FormatSettings(SettingsOf(app)));
}
