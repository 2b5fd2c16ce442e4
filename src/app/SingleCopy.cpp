#include "app/SingleCopy.h"

#include <SDL.h>

#include <cstdio>
#include <fstream>

#include "framework/Settings.h"
#include "platform/FolderLock.h"

namespace {
// The player's language, read from the settings without changing them.
int SettingsLanguage() {
    SettingsValues values;
    std::ifstream in("knobel.cfg", std::ios::binary);
    if (in.is_open()) ParseSettings(in, values);
    return values.language;
}
}  // namespace

bool ClaimPlayerFolder() {
    if (TakeFolderLock() != FolderLockResult::kHeldByOther) return true;
    const bool english = SettingsLanguage() == 1;
    const char* title = english ? "Knobelwerk is already running" : "Knobelwerk l\xC3\xA4uft schon";
    const char* text = english ? "Knobelwerk is already running in this folder. Carry on playing in its window."
                               : "Knobelwerk l\xC3\xA4uft in diesem Ordner schon. Spiel in seinem Fenster weiter.";
    std::fprintf(stderr, "%s\n", text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title, text, nullptr);
    return false;
}
