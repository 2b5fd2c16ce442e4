#include "gui/MainMenu.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "framework/Statistics.h"
#include "gui/GameTable.h"
#include "gui/GUIElement.h"
#include "gui/MenuLayout.h"
#include "platform/FontManager.h"

namespace {
constexpr double kCountdownSeconds = 3.0;
constexpr double kResultDelaySeconds = 2.0;
constexpr int kSoundWin = 5;

// The first list index from `from` on whose game is built; kGameCount when there is none.
int NextBuiltGame(int from) {
    for (int i = std::max(from, 0); i < kGameCount; ++i)
        if (GetGameInfo(i).create != nullptr) return i;
    return kGameCount;
}
}  // namespace

MainMenu::MainMenu() {
    fontManager = GetFontManager();
    buttonFont = fontManager->AddFont("Comic Sans MS", 30);
    titleFont = fontManager->AddFont("Comic Sans MS", 40);
    countdownFont = fontManager->AddFont("Comic Sans MS", 80);
    smallFont = fontManager->AddFont("Comic Sans MS", 20);
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::srand(static_cast<unsigned>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
    ShowPage(kPageMain);
    BuildPages();
    FocusFirstButton();
    history.Load();
}

// Closing the program (the close button, a signal) while a name is typed keeps the result:
// the entry goes into its list with the name typed so far.
void MainMenu::BookTypedEntries() {
    if (gameEntry != nullptr && game != nullptr) {
        game->AddEntry(gameEntry);
        gameEntry = nullptr;
    }
    if (seriesEntry != nullptr && app->statistics != nullptr) {
        app->statistics->Insert(seriesEntry);
        seriesEntry = nullptr;
    }
}

MainMenu::~MainMenu() {
    BookTypedEntries();
    delete game;
    game = nullptr;
    delete gameEntry;
    gameEntry = nullptr;
    delete seriesEntry;
    seriesEntry = nullptr;
}

void MainMenu::OnLostDevice() {
    for (Font* f : {buttonFont, titleFont, countdownFont, smallFont})
        if (f != nullptr) f->OnLostDevice();
    if (game != nullptr) game->OnLostDevice();
}

void MainMenu::OnResetDevice() {
    for (Font* f : {buttonFont, titleFont, countdownFont, smallFont})
        if (f != nullptr) f->OnResetDevice();
    if (game != nullptr) game->OnResetDevice();
}

// Ends the running game, which books and saves its statistics as it goes, and forgets a
// top-ten entry that was never named (it belongs to that game). Returns the state it ended in.
int MainMenu::DropGame(bool gradeFirst) {
    int state = kStateOver;
    if (game != nullptr) {
        state = game->GetState();
        if (gradeFirst) game->ComputeGrade();
        delete game;
        game = nullptr;
    }
    delete gameEntry;
    gameEntry = nullptr;
    return state;
}

void MainMenu::StartGame(int index) {
    DropGame(false);
    backdrop = std::rand() % 7;
    game = CreateGame(index, level);
    if (game == nullptr) return;
    countdown = kCountdownSeconds;
    resultDelay = kResultDelaySeconds;
    gameIndex = index;
    ShowPage(kPageNone);
    app->runState = 1;
    app->paused = false;
    resultShown = false;
}

void MainMenu::StartSeries() {
    const int first = NextBuiltGame(0);
    if (first >= kGameCount) return;  // no game to play
    seriesMode = true;
    seriesBest = 6.0;
    seriesWorst = 1.0;
    seriesSum = 0.0;
    seriesCount = 0;
    StartGame(first);
    seriesTime = 0.0;
}

void MainMenu::Update() {
    if (buttonHeld) {
        if (pressFade < pressFadeMax) pressFade += app->realFrameTime;
        else pressFade = pressFadeMax;
    } else {
        if (pressFade > 0.0) pressFade -= app->realFrameTime;
        else pressFade = 0.0;
    }

    if (app->runState == 1) {
        if (game == nullptr) {
            app->runState = 0;
            ShowPage(kPageMain);
        } else if (countdown > 0.0) {
            countdown -= app->frameTime;
            if (game->GetState() == kStateAborted) LeaveBeforeTheStart();  // left from the in-game menu
            else if (countdown <= 0.0) game->Start();
        } else {
            if (game->GetState() != kStatePaused) game->Update();
            switch (game->GetState()) {
                case kStateOver:
                case kStateOverOther: HandleFinishedGame(); break;
                case kStateAborted: HandleAbortedGame(); break;
                default: resultDelay = kResultDelaySeconds; break;
            }
        }
    }
    if (app->statistics != nullptr) app->statistics->time += app->frameTime + app->frameTimeCut;
    caretClock_ = NameInputActive() ? caretClock_ + app->realFrameTime : 0.0;
}

double MainMenu::SecondsUntilChange() {
    // The pointer's press animation runs to its end.
    if (buttonHeld ? pressFade < pressFadeMax : pressFade > 0.0) return 0.0;
    if (NameInputActive()) return std::min(CaretSecondsUntilChange(), GameSecondsUntilChange());
    return GameSecondsUntilChange();
}

double MainMenu::GameSecondsUntilChange() {
    if (app->runState == 1) {
        if (game == nullptr) return 0.0;
        if (game->GetState() == kStatePaused) return kNoChange;  // a menu page covers it
        if (countdown > 0.0) return 0.0;
        switch (game->GetState()) {
            case kStatePlaying: return game->SecondsUntilChange();
            case kStateOver:
            case kStateOverOther:
            case kStateAborted:
                if (!resultShown) return 0.0;  // the veil fades in until the result page shows
                return game->SecondsUntilChange();
            default: return 0.0;
        }
    }
    // The statistics page shows the total time, which runs on.
    if (currentPage == kPageStatistics && app->statistics != nullptr)
        return SecondsToNextWholeSecond(app->statistics->time);
    return kNoChange;
}

// A game played to its end shows its result page after the finish delay.
void MainMenu::HandleFinishedGame() {
    if (resultShown) return;
    resultDelay -= app->realFrameTime;
    if (resultDelay > 0.0) return;
    game->ComputeGrade();
    if (IsGoodResult(game->GetGrade())) app->PlaySound(kSoundWin, 1.0f);
    ShowPage(kPageResult);
    RecordGameResult();
    if (gameEntry == nullptr && game->QualifiesForTopTen()) gameEntry = game->CreateEntry();
    game->BookResult();  // on disk before the page can be left
    resultShown = true;
}

// A game left early shows its result page at once, with the grade it is booked with.
void MainMenu::HandleAbortedGame() {
    if (resultShown) return;
    resultShown = true;
    game->ComputeGrade();
    RecordGameResult();
    if (IsGoodResult(game->GetGrade())) app->PlaySound(kSoundWin, 1.0f);
    ShowPage(kPageResult);
    if (gameEntry == nullptr && game->QualifiesForTopTen()) gameEntry = game->CreateEntry();
    game->BookResult();  // on disk before the page can be left
}

double MainMenu::SeriesGrade(bool aborted) const {
    if (seriesCount < 1) return 6.0;
    double s = seriesSum / seriesCount;
    if (aborted) {
        // Games not played cost up to four grade steps.
        s += (1.0 - seriesCount / 11.0) * 4.0;
        s = std::clamp(s, 1.0, 6.0);
    }
    return s;
}

void MainMenu::FinishResult() {
    if (game == nullptr) return;
    if (gameEntry != nullptr) {
        if (gameEntry->name[0] != '\0') game->AddEntry(gameEntry);
        else delete gameEntry;  // no name: the result is booked without a top-ten line
        gameEntry = nullptr;
    }
    if (seriesMode) {
        const double g = game->GetGrade();
        const bool aborted = game->GetState() == kStateAborted;
        seriesWorst = std::max(seriesWorst, g);
        seriesBest = std::min(seriesBest, g);
        seriesTime += game->GetPlayTime();
        seriesSum += g;
        seriesCount += 1;
        if (aborted || NextBuiltGame(gameIndex + 1) >= kGameCount) {
            EndSeries(aborted);
            return;
        }
    }
    GoToNextGame();
}

// The series result page is left: the entry goes into the top ten under the name typed (none
// without a name), and the main page follows.
void MainMenu::FinishSeriesResult() {
    if (seriesEntry != nullptr) {
        if (seriesEntry->name[0] == '\0') delete seriesEntry;  // skipped: no top-ten line
        else if (app->statistics != nullptr) app->statistics->Insert(seriesEntry);
        else delete seriesEntry;
        seriesEntry = nullptr;
    }
    CloseSeries();
}

void MainMenu::GoToNextGame() {
    const int oldState = DropGame(true);
    app->paused = false;
    if (seriesMode) {
        const int next = NextBuiltGame(gameIndex + 1);
        app->runState = 1;
        countdown = kCountdownSeconds;
        if (next >= kGameCount || oldState == kStateAborted) {
            ShowPage(kPageMain);
            app->runState = 0;
            countdown = -1.0;
            seriesMode = false;
        } else {
            StartGame(next);
        }
    } else {
        ShowPage(kPageGameList);  // the list the game was chosen from, as it was left
        app->runState = 0;
    }
}

void MainMenu::ResetAllStatistics() {
    const int shown = currentPage;
    const int focused = focusId;
    for (int i = 0; i < kGameCount; ++i) {
        StartGame(i);
        if (game != nullptr) {
            game->ResetStatistics();
            game->DisableSaving();  // its destructor writes the emptied record, books nothing
        }
    }
    delete game;  // the last emptied file is written now as well
    game = nullptr;
    if (app->statistics != nullptr) app->statistics->Reset();
    history.Forget({});
    ShowPage(shown);
    focusId = focused;
    app->runState = 0;
    countdown = -1.0;
}

void MainMenu::ShowPage(int id) {
    std::fill(std::begin(elementEnabled), std::end(elementEnabled), false);
    const PageLayout* page = FindPage(id);
    if (page != nullptr) elementEnabled[page->slot] = true;
    currentPage = id;
    // The hover belongs to the page now shown.
    hitElement = nullptr;
    if (page != nullptr && elements[page->slot] != nullptr) HitTestElements(-1);
    FocusFirstButton();
}
