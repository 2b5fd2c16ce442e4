// The settings page (effects volume, intro, full screen, language, symbols on colours) and
// muting with M or F2. Every change takes effect and is written to the settings file at once.
#include <algorithm>
#include <string>

#include "app/AppContext.h"
#include "app/WindowProc.h"
#include "framework/Knobel_Game.h"
#include "framework/Settings.h"
#include "framework/TextFormat.h"
#include "gui/MainMenu.h"
#include "gui/MenuLayout.h"
#include "platform/FontManager.h"
#include "platform/Sound.h"

namespace {
constexpr Color kBlack = 0xFF000000;
constexpr Color kWhite = 0xFFFFFFFF;
constexpr int kSoundSample = 12;  // "pop": short, so the new volume is heard at once
constexpr int kTextOn = 166, kTextOff = 167, kTextLanguageName = 168;
constexpr int kRowTextIds[] = {161, 162, 163, 164, 165};
constexpr int kRowTops[] = {110, 190, 270, 350, 430};

// Volume steps: off, then 10 % to 100 %.
int VolumeStep(int volume, int direction) {
    volume = std::clamp(volume, 0, 100);
    const int step = direction > 0 ? volume / 10 + 1 : (volume + 9) / 10 - 1;
    return std::clamp(step, 0, 10) * 10;
}
}  // namespace

void MainMenu::PaintSettingsPage(Vec2 pos, int width) {
    const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
    for (int row = 0; row < 5; ++row)
        fontManager->DrawTextRect(app->GetText(kRowTextIds[row]), x + 50, y + kRowTops[row], x + 420,
                                  y + kRowTops[row] + 50, kBlack, kTextLeft | kTextVCenter, buttonFont);
    const int volume = std::clamp(app->soundVolume, 0, 100);
    const std::string value = volume == 0 ? std::string(app->GetText(kTextOff) ? app->GetText(kTextOff) : "")
                                          : FormatText("%d %%", volume);
    fontManager->DrawTextRect(value.c_str(), x + 530, y + kRowTops[0], x + 630, y + kRowTops[0] + 50, kBlack,
                              kTextCenter | kTextVCenter, buttonFont);
}

bool MainMenu::SettingsButtonLabel(int id, std::string& label) const {
    auto onOff = [this](bool on) {
        const char* text = app->GetText(on ? kTextOn : kTextOff);
        return std::string(text != nullptr ? text : "");
    };
    switch (id) {
        case kBtnVolumeDown: label = "-"; return true;
        case kBtnVolumeUp: label = "+"; return true;
        case kBtnIntro: label = onOff(app->introEnabled); return true;
        case kBtnFullScreen: label = onOff(app->fullScreen); return true;
        case kBtnSymbols: label = onOff(app->colourSymbols); return true;
        case kBtnLanguage: {
            const char* text = app->GetText(kTextLanguageName);
            label = text != nullptr ? text : "";
            return true;
        }
        default: return false;
    }
}

void MainMenu::PerformSettingsAction(int id) {
    switch (id) {
        case kBtnVolumeDown:
        case kBtnVolumeUp:
            app->soundVolume = VolumeStep(app->soundVolume, id == kBtnVolumeUp ? 1 : -1);
            app->muted = false;  // choosing a volume is asking to hear it
            app->PlaySound(kSoundSample, 1.0f);
            break;
        case kBtnIntro: app->introEnabled = !app->introEnabled; break;
        case kBtnFullScreen: SwitchFullScreen(); return;  // it writes the settings itself
        case kBtnLanguage: app->LoadLanguage(app->language == 0 ? 1 : 0); break;
        case kBtnSymbols: app->colourSymbols = !app->colourSymbols; break;
        case kBtnSettingsBack: ShowPage(kPageMain); return;
        default: return;  // a page's empty area
    }
    WriteSettings(*app);
}

// M is a letter while a name or a weekday is being typed; F2 mutes always.
bool MainMenu::HandleMuteKey(uint16_t key) {
    if (key != kKeyM && key != kKeyF2) return false;
    if (key == kKeyM) {
        const bool gameTypesLetters = app->runState == 1 && game != nullptr && !game->AllowsHelpKey();
        if (NameInputActive() || gameTypesLetters) return false;
    }
    if (!muteKeyDown) ToggleMute();
    muteKeyDown = true;
    return true;
}

void MainMenu::ToggleMute() {
    app->muted = !app->muted;
    if (app->muted) StopAllSounds(*app);
    WriteSettings(*app);
}

// A crossed-out speaker in the top-right corner, white on a dark plate, while muted.
void MainMenu::PaintMuteMark() {
    if (!app->muted) return;
    const Rect solid{500, 0, 550, 50};
    auto box = [this, &solid](float left, float top, float w, float h, Color color) {
        Vec2 scale{w / 50.0f, h / 50.0f};
        Vec2 pos{left, top};
        app->DrawSprite(app->texMisc1, &solid, &scale, nullptr, 0.0, &pos, color);
    };
    const float left = static_cast<float>(app->screenWidth - 70), top = 10.0f;
    box(left, top, 60, 40, 0xB0000000);
    box(left + 8, top + 14, 8, 12, kWhite);
    for (int i = 0; i < 6; ++i) box(left + 16 + 2 * i, top + 13 - 1.5f * i, 2, 14 + 3 * i, kWhite);
    fontManager->DrawTextRect("x", static_cast<int>(left) + 30, static_cast<int>(top), static_cast<int>(left) + 58,
                              static_cast<int>(top) + 38, kWhite, kTextCenter | kTextVCenter, buttonFont);
}
