// Input of the menu: the visible page takes what it can, the running game gets the rest;
// Escape pauses, H and F1 open the rules, and on the result pages the player types a name.
#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "framework/Settings.h"
#include "framework/Statistics.h"
#include "gui/GUIElement.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "gui/MenuLayout.h"

namespace {
constexpr int kSoundMenuClick = 0;
constexpr int kSoundGameClick = 1;
constexpr uint16_t kKeyH = 72;
}  // namespace

// Input reaches the game only while it is being played: its countdown is over, and it is
// neither paused nor over (no page covers it).
bool MainMenu::GameTakesInput() const {
    return app->runState == 1 && game != nullptr && countdown <= 0.0 && game->GetState() == kStatePlaying;
}

// Before the game stops getting input, a piece it holds is dropped where the pointer is (the
// button-up would otherwise reach a page, or nothing), and it forgets the keys it holds.
void MainMenu::SuspendGameInput() {
    if (game == nullptr) return;
    if (game->HoldsPiece()) game->OnLButtonUp(static_cast<uint16_t>(app->mouseX), static_cast<uint16_t>(app->mouseY));
    game->OnInputSuspended();
}

bool MainMenu::GameIsOver() const {
    const int state = game->GetState();
    return state == kStateOver || state == kStateOverOther;
}

bool MainMenu::PageTookMouse() { return HitTestElements(-1); }

// A move onto a button takes the focus there; the first report of the pointer only tells where
// it rests (a window opening under it), which is no move.
void MainMenu::OnMouseMove(uint16_t x, uint16_t y) {
    const bool onPage = PageTookMouse();
    const bool moved = pointerX_ >= 0 && (x != pointerX_ || y != pointerY_);
    pointerX_ = x;
    pointerY_ = y;
    if (moved) FocusPointedButton();
    if (moved && game != nullptr && app->runState == 1) game->MouseTookOver();  // the keyboard cursor hides
    if (!onPage && GameTakesInput()) game->OnMouseMove(x, y);
}

void MainMenu::PressLeftButton(uint16_t x, uint16_t y, bool doubleClick) {
    buttonHeld = true;
    const bool onPage = PageTookMouse();
    pressedId_ = onPage && hitElement != nullptr ? hitElement->GetId() : 0;
    pressedPage_ = currentPage;
    pressInGame_ = !onPage && GameTakesInput();
    if (onPage) FocusPointedButton();
    if (!pressInGame_) return;
    if (doubleClick) game->OnLButtonDblClk(x, y);
    else game->OnLButtonDown(x, y);
}

void MainMenu::OnLButtonDown(uint16_t x, uint16_t y) { PressLeftButton(x, y, false); }

// The second press of a double click holds the button like any press.
void MainMenu::OnLButtonDblClk(uint16_t x, uint16_t y) { PressLeftButton(x, y, true); }

void MainMenu::OnRButtonDown(uint16_t x, uint16_t y) {
    if (!PageTookMouse() && GameTakesInput()) game->OnRButtonDown(x, y);
}

void MainMenu::OnRButtonUp(uint16_t x, uint16_t y) {
    if (!PageTookMouse() && GameTakesInput()) game->OnRButtonUp(x, y);
}

// A button acts when the press and the release were both on it; a press the game took (the
// start of a drag) ends in the game wherever the release comes.
void MainMenu::OnLButtonUp(uint16_t x, uint16_t y) {
    buttonHeld = false;
    const bool inGame = pressInGame_;
    const int pressedId = pressedId_;
    const int pressedPage = pressedPage_;
    pressInGame_ = false;
    pressedId_ = 0;
    if (!inGame && HitTestElements(1)) {
        if (hitElement->GetId() != pressedId || currentPage != pressedPage) return;
        app->PlaySound(kSoundMenuClick, 1.0f);
        PerformAction(hitElement->GetId());
    } else if (inGame && GameTakesInput()) {
        if (game->TakesClicks()) app->PlaySound(kSoundGameClick, 1.0f);
        game->OnLButtonUp(x, y);
    }
}

// The wheel scrolls the game list; elsewhere it goes to the game.
void MainMenu::OnMouseWheel(uint32_t wheelParam) {
    const int delta = static_cast<int16_t>(wheelParam >> 16);
    if (currentPage == kPageGameList) {
        if (delta > 0) Scroll(-1);
        else if (delta < 0) Scroll(1);
    } else if (GameTakesInput()) {
        game->OnMouseWheel(wheelParam);
    }
}

void MainMenu::PerformAction(int id) {
    if (currentPage == kPageGameList && id >= kListRowIdBase && id < kListRowIdBase + kGameCount) {
        StartGame(id - kListRowIdBase);
        return;
    }
    switch (id) {
        case kBtnPlay: ShowPage(kPageLevel); break;
        case kBtnStatistics: ShowPage(kPageStatistics); break;
        case kBtnInstructions: ShowPage(kPageInstructions); break;
        case kBtnInfo: ShowPage(kPageInfo); break;
        case kBtnQuit: app->runState = 2; break;
        case kBtnGerman:
        case kBtnEnglish:
            app->LoadLanguage(id == kBtnGerman ? 0 : 1);
            WriteSettings(*app);
            break;
        case kBtnSeries: StartSeries(); break;
        case kBtnSingle:
            seriesMode = false;
            ShowPage(kPageGameList);
            break;
        case kBtnModeBack:
        case kBtnLevelBack: ShowPage(id == kBtnModeBack ? kPageLevel : kPageMain); break;
        case kBtnListBack:
        case kBtnInfoBack:
        case kBtnStatisticsBack:
        case kBtnInstructionsBack: ShowPage(kPageMain); break;
        case kBtnScrollUp: Scroll(-1); break;
        case kBtnScrollDown: Scroll(1); break;
        case kBtnResetAll: ResetAllStatistics(); break;
        case kBtnLevelEasy:
        case kBtnLevelMedium:
        case kBtnLevelHard:
            level = id - kBtnLevelEasy;
            ShowPage(kPageMode);
            break;
        case kBtnResume:
            if (game != nullptr) game->SetState(kStatePlaying);
            app->paused = false;
            ShowPage(kPageNone);
            break;
        case kBtnHelp:
            helpOpenedFrom_ = kPageInGame;
            ShowPage(kPageHelp);
            break;
        case kBtnGameStatistics: ShowPage(kPageGameStatistics); break;
        case kBtnAbort:
            if (game != nullptr) game->SetState(kStateAborted);
            app->paused = false;
            break;
        case kBtnHelpBack: CloseHelp(); break;
        case kBtnGameStatisticsBack: ShowPage(kPageInGame); break;
        case kBtnResetGame:
            if (game != nullptr) game->ResetStatistics();
            if (game != nullptr) history.Forget(HistoryStem(game->saveFileName));
            break;
        case kBtnStatisticsPlot:
        case kBtnGamePlot: showPlot = !showPlot; break;
        case kBtnResultOk: FinishResult(); break;
        case kBtnGradeWhy: showGradeWhy = !showGradeWhy; break;
        case kBtnSeriesOk: FinishSeriesResult(); break;
        case kBtnSettings: ShowPage(kPageSettings); break;
        default: PerformSettingsAction(id); break;  // a page's empty area
    }
}

bool MainMenu::NameInputActive() const {
    return (currentPage == kPageResult && gameEntry != nullptr) ||
           (currentPage == kPageSeriesResult && seriesEntry != nullptr);
}

void MainMenu::OnKeyDown(uint16_t key) {
    if (HandleMuteKey(key)) return;
    if (HandleGradeWhyKey(key)) return;
    if (NameInputActive()) {
        EditName(currentPage == kPageResult ? gameEntry : seriesEntry, key);
        if (!NameInputActive()) nameEndKey_ = key;  // its release belongs to the name, not the next page
        return;
    }
    if (FocusKeyDown(key)) return;
    if (GameTakesInput()) game->KeyDown(key);
}

void MainMenu::OnKeyUp(uint16_t key) {
    if ((key == kKeyM || key == kKeyF2) && muteKeyDown) {
        muteKeyDown = false;  // the release of a mute key is not the game's
        return;
    }
    if (NameInputActive()) return;
    if (key == nameEndKey_) {
        nameEndKey_ = 0;
        return;
    }
    if (FocusKeyUp(key)) return;
    if (app->runState != 1 || game == nullptr) {
        if (key == kKeyEscape) PressBackButton();
        return;
    }
    if (key == kKeyEscape) {
        TogglePause();
        return;
    }
    // F1 always opens the rules; H only while the game does not take typed letters.
    const bool helpKey = key == kKeyF1 || (key == kKeyH && game->AllowsHelpKey());
    if (helpKey && currentPage != kPageResult && currentPage != kPageSeriesResult) {
        ToggleHelp();
        return;
    }
    if (GameTakesInput()) game->KeyUp(key);
}

// The name of a top-ten entry takes what the keyboard layout types.
void MainMenu::OnChar(uint8_t character) {
    if (!NameInputActive()) return;
    ScoreEntry* entry = currentPage == kPageResult ? gameEntry : static_cast<ScoreEntry*>(seriesEntry);
    int& length = entry->nameLength;
    if (length < 0 || length > kNameCapacity) length = 0;
    if (character < 0x20 || length >= kNameCapacity) return;
    entry->name[length++] = static_cast<char>(character);
    entry->name[length] = '\0';
}

// A player who leaves the window while playing finds the game paused, the same way Escape
// pauses it.
void MainMenu::OnFocusLost() {
    pressKey_ = 0;  // releases will not come
    nameEndKey_ = 0;
    if (app->runState != 1 || game == nullptr) return;
    if (game->GetState() == kStatePlaying) TogglePause();
}

// Escape switches between playing and the in-game menu; a game that is over stays over.
void MainMenu::TogglePause() {
    const int state = game->GetState();
    if (state == kStatePaused) {
        game->SetState(kStatePlaying);
        app->paused = false;
        ShowPage(kPageNone);
    } else if (state == kStatePlaying || countdown > 0.0) {
        SuspendGameInput();
        // The piece put down as the game stops may have finished it: a finished game is not paused.
        if (GameIsOver()) return;
        game->SetState(kStatePaused);
        app->paused = true;
        ShowPage(kPageInGame);
    }
}

void MainMenu::ToggleHelp() {
    const int state = game->GetState();
    if (currentPage == kPageHelp) {
        CloseHelp();
    } else if (state == kStatePlaying || state == kStatePaused || countdown > 0.0) {
        helpOpenedFrom_ = state == kStatePaused ? currentPage : kPageNone;
        if (state == kStatePlaying) SuspendGameInput();
        if (GameIsOver()) return;
        game->SetState(kStatePaused);
        app->paused = true;
        ShowPage(kPageHelp);
    }
}

// Keys that edit a name: Backspace removes the last character, Enter hands the name in. The
// characters themselves come as typed text (OnChar).
void MainMenu::EditName(ScoreEntry* entry, uint16_t key) {
    int& length = entry->nameLength;
    if (length < 0 || length > kNameCapacity) length = 0;
    if (key == kKeyBack) {
        if (length >= 1) entry->name[--length] = '\0';
    } else if (key == kKeyReturn) {
        EnterName();
    } else if (key == kKeyEscape) {
        SkipName();
    }
}

// An empty name hands in nothing: the result stays booked, without a top-ten line.
void MainMenu::EnterName() {
    if (currentPage == kPageResult) {
        if (gameEntry != nullptr) FinishResult();
    } else if (seriesEntry != nullptr) {
        FinishSeriesResult();
    }
}
