// fuzz-sources: src/framework/Settings.cpp src/framework/TokenReader.cpp src/framework/SafeFile.cpp
// fuzz-dict: tests/fuzz/persist.dict
// Fuzz target: the settings reader and writer. The input is read twice: as a settings file,
// and as the values the program may hold. Whatever the file holds, reading ends; and whatever
// the values are, the file the program writes for them reads back to the same values.
#include <sstream>
#include <string>

#include "framework/Settings.h"
#include "fuzz/FuzzBytes.h"
#include "fuzz/FuzzTarget.h"

namespace {
bool Same(const SettingsValues& a, const SettingsValues& b) {
    return a.fullScreen == b.fullScreen && a.language == b.language && a.soundVolume == b.soundVolume &&
           a.musicVolume == b.musicVolume && a.introEnabled == b.introEnabled;
}

// Writes the values and reads the file into a record that holds other values before.
void CheckWrittenReadsBack(const SettingsValues& values) {
    const std::string text = FormatSettings(values);
    std::istringstream in(text);
    SettingsValues back;
    back.fullScreen = !values.fullScreen;
    back.introEnabled = !values.introEnabled;
    back.language = values.language ^ 1;
    back.soundVolume = ~values.soundVolume;
    back.musicVolume = ~values.musicVolume;
    ParseSettings(in, back);
    KW_FUZZ_CHECK(Same(back, values));
    KW_FUZZ_CHECK(FormatSettings(back) == text);
}
}  // namespace

KW_FUZZ_TARGET(settings) {
    SettingsValues fromFile;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    ParseSettings(in, fromFile);
    CheckWrittenReadsBack(fromFile);

    kwfuzz::FuzzBytes bytes(data, size);
    SettingsValues held;
    held.fullScreen = bytes.Bool();
    held.language = bytes.Int();
    held.soundVolume = bytes.Int();
    held.musicVolume = bytes.Int();
    held.introEnabled = bytes.Bool();
    CheckWrittenReadsBack(held);
    return 0;
}
