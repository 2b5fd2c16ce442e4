// Fuzz target: the settings reader. Whatever the file holds, reading ends, and what is written
// from the result reads back to the same settings.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "framework/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    SettingsValues values;
    ParseSettings(in, values);
    std::string text = FormatSettings(values);
    std::istringstream again(text);
    SettingsValues back;
    back.fullScreen = !values.fullScreen;
    back.introEnabled = !values.introEnabled;
    back.language = values.language ^ 1;
    ParseSettings(again, back);
    if (FormatSettings(back) != text) __builtin_trap();
    return 0;
}
