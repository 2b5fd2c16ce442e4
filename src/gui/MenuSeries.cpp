// The end of a series and of a game left early, the name input for the top-ten lists, and
// the way back from the rules.
#include <algorithm>
#include <cmath>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "framework/Statistics.h"
#include "gui/GUIElement.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "gui/MenuLayout.h"

namespace {
constexpr double kCaretBlink = 0.5;  // seconds the caret is shown, then hidden
}

int MainMenu::SeriesGameTotal() const {
    int n = 0;
    for (int i = 0; i < kGameCount; ++i)
        if (GetGameInfo(i).create != nullptr) ++n;
    return n;
}

int MainMenu::SeriesGameNumber() const {
    int n = 0;
    for (int i = 0; i <= gameIndex && i < kGameCount; ++i)
        if (GetGameInfo(i).create != nullptr) ++n;
    return n;
}

// A series ends on its result page, played to the end or left: the series is booked into the
// history, the last game into its file (before the page can be left), and the name input
// appears only when the grade enters the top ten.
void MainMenu::EndSeries(bool aborted) {
    seriesLeftEarly = aborted;
    seriesGrade = SeriesGrade(aborted);
    RecordSeriesResult(seriesGrade, aborted);
    delete seriesEntry;
    seriesEntry = nullptr;
    if (seriesCount > 0 && app->statistics != nullptr && app->statistics->Qualifies(seriesGrade)) {
        seriesEntry = new SeriesScoreEntry();
        seriesEntry->grade = seriesGrade;
        seriesEntry->level = level;
        seriesEntry->bestGrade = seriesBest;
        seriesEntry->worstGrade = seriesWorst;
    }
    DropGame(true);
    app->paused = false;
    app->runState = 0;
    countdown = -1.0;
    caretClock_ = 0.0;
    ShowPage(kPageSeriesResult);
}

void MainMenu::CloseSeries() {
    seriesMode = false;
    app->runState = 0;
    countdown = -1.0;
    ShowPage(kPageMain);
}

// Left from the in-game menu during the countdown: a single game goes back to its list; a
// series ends with the games played so far.
void MainMenu::LeaveBeforeTheStart() {
    if (seriesMode) EndSeries(true);
    else GoToNextGame();
}

// Escape on the name input: the result stays booked, no top-ten line is written.
void MainMenu::SkipName() {
    ScoreEntry* entry = currentPage == kPageResult ? gameEntry : static_cast<ScoreEntry*>(seriesEntry);
    if (entry == nullptr) return;
    entry->name[0] = '\0';
    entry->nameLength = 0;
    if (currentPage == kPageResult) FinishResult();
    else FinishSeriesResult();
}

// The rules close the same way by their button and by the key: back to the game, or to the
// page they were opened from.
void MainMenu::CloseHelp() {
    const int back = helpOpenedFrom_;
    helpOpenedFrom_ = kPageNone;
    if (game == nullptr) {
        ShowPage(kPageMain);
        return;
    }
    if (back != kPageNone) {
        ShowPage(back);
        return;
    }
    game->SetState(kStatePlaying);
    app->paused = false;
    ShowPage(kPageNone);
}

double MainMenu::CaretSecondsUntilChange() const {
    const double phase = std::fmod(std::max(caretClock_, 0.0), kCaretBlink);
    return std::max(kCaretBlink - phase, 0.01);
}

// The flags on the main page answer on their whole plate (the flag and its word), not only on
// the small mark in front of it.
void MainMenu::WidenLanguageButtons() {
    const PageLayout* page = FindPage(kPageMain);
    if (page == nullptr || elements[page->slot] == nullptr) return;
    for (GUIElement* b : elements[page->slot]->children) {
        if (b->GetId() != kBtnGerman && b->GetId() != kBtnEnglish) continue;
        b->right = b->left + 132;
        b->bottom = b->top + 30;
    }
}
