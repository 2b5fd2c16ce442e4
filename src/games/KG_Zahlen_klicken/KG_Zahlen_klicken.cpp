#include "games/KG_Zahlen_klicken/KG_Zahlen_klicken.h"

#include <cstdlib>
#include <string>

#include "app/AppContext.h"
#include "framework/Grade.h"
#include "framework/TextFormat.h"
#include "games/KG_Zahlen_klicken/NumberBoard.h"
#include "games/TickSeed.h"
#include "platform/FontManager.h"

KG_Zahlen_klicken::KG_Zahlen_klicken(int level) : KG_Zahlen_klicken(level, TickCountSeed()) {}

KG_Zahlen_klicken::KG_Zahlen_klicken(int level_, unsigned seed) : Knobel_Game(level_, "zahlenklicken.sav") {
    // Level 0: 2 x 2 ascending; 1: 3 x 3 descending; 2: 4 x 4 in an order drawn for every board.
    gridSize = level == 1 ? 3 : (level == 2 ? 4 : 2);
    orderMode = level == 1 ? 1 : (level == 2 ? 2 : 0);
    // The numbers are what the player scans for: larger than the small default text, filling
    // about half of a tile.
    digitFont_ = MakeFont("Arial", kDigitHeight);
    std::srand(seed);
    boardCount = kBoardCount;
    perfectBoards = flawedBoards = wrongClicks = 0;
    pauseTimer = 0.0;
    state = kStatePlaying;
    playTime = 0.0;
    DealBoard();
}

KG_Zahlen_klicken::~KG_Zahlen_klicken() { tiles.Clear(true); }

void KG_Zahlen_klicken::DealBoard() {
    tiles.Clear(true);
    nextIndex = 0;
    boardPerfect = true;
    pauseTimer = 0.0;
    const number_board::Board board = number_board::Deal(orderMode, gridSize, app->screenWidth, app->screenHeight);
    ascending = board.ascending;
    for (const number_board::Tile& t : board.tiles) tiles.Add(new NumberTile(t.value, t.centre));
    ++dealtBoards_;
}

void KG_Zahlen_klicken::OnLButtonDown(uint16_t x, uint16_t y) {
    if (!Playing()) return;
    if (pauseTimer > 0) return;
    int index = 0;
    NumberTile* hit = nullptr;
    for (NumberTile* tile : tiles) {
        if (tile->HitTest(x, y)) {
            hit = tile;
            break;
        }
        ++index;
    }
    if (hit == nullptr) return;
    const bool correct = index == nextIndex;
    boardPerfect = boardPerfect && correct;
    if (correct) {
        tiles.Remove(hit, true);
    } else {
        hit->MarkClicked();
        ++wrongClicks;
    }
    if (tiles.Empty()) {
        if (boardPerfect)
            ++perfectBoards;
        else
            ++flawedBoards;
        // The click that clears the last board ends the game at once; between boards a short
        // pause lets the player look up.
        if (FinishedBoards() >= boardCount)
            state = kStateOver;
        else
            pauseTimer = kPauseSeconds;
    }
}

// The pause, the next board and the end run only while the game is played: a game ended from
// the pause page stays ended, however far its last pause had come.
void KG_Zahlen_klicken::Update() {
    const bool playing = running && state == kStatePlaying;
    const bool counting = playing && !(pauseTimer > 0);
    if (playing && pauseTimer > 0) {
        pauseTimer -= app->frameTime;
        if (pauseTimer <= 0) DealBoard();
    }
    AdvanceTime(counting);
}

double KG_Zahlen_klicken::SecondsUntilChange() {
    if (Playing() && pauseTimer > 0) return 0.0;  // the pause after a finished board
    return Knobel_Game::SecondsUntilChange();
}

void KG_Zahlen_klicken::Render() {
    if (!running) return;
    if (state == kStatePlaying) {
        DrawTimePanel();
        // The order of the board stands right above its top row, where the player looks.
        const int W = app->screenWidth;
        const int boardTop = static_cast<int>(app->screenHeight / 2 - gridSize / 2.0 * 54.0);
        fontManager->DrawTextRect(app->GetText(ascending ? 122 : 123), W / 2 - 150, boardTop - 46, W / 2 + 150,
                                  boardTop - 6, 0xFF000000, kTextCenter | kTextVCenter, font);
    }
    for (NumberTile* tile : tiles) tile->Draw(fontManager, digitFont_);
}

const char* KG_Zahlen_klicken::GetHelpText() { return app->GetText(121); }
const char* KG_Zahlen_klicken::GetTitle() { return app->GetText(120); }

// Time, wrong clicks, perfect and flawed boards (on one line, so the result fits its page),
// the share of perfect boards, the average time per board, and the grade after an empty line.
const char* KG_Zahlen_klicken::GetResultText() {
    const int finished = FinishedBoards();
    const int share = finished > 0 ? static_cast<int>(static_cast<double>(perfectBoards) / finished * 100.0) : 0;
    const double average = finished > 0 ? playTime / finished : 0.0;
    return FrameResultText({FormatText(app->GetText(124), wrongClicks),
                            FormatText(app->GetText(30), perfectBoards) + "   " +
                                FormatText(app->GetText(31), flawedBoards),
                            FormatText(app->GetText(32), share), FormatText(app->GetText(41), average)});
}

// Five steps for the share of flawed boards plus one step a minute for boards of four tiles,
// and as much longer for larger boards as they have more tiles; a game left early also counts
// every board not finished as flawed, and is no result when none was finished.
void KG_Zahlen_klicken::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

// The common grade of tasks, told in boards.
GradeTermList KG_Zahlen_klicken::GradeTerms() const {
    const double secondsPerStep = kSecondsPerGrade * gridSize * gridSize / 4.0;
    GradeTermList t = StandardGrade{secondsPerStep}.Terms(state == kStateOver, flawedBoards, boardCount, FinishedBoards(), playTime);
    for (GradeTerm& term : t) {
        if (term.kind == TermKind::kMistakes) term.kind = TermKind::kFlawedBoards;
        if (term.kind == TermKind::kUnanswered) term.kind = TermKind::kBoardsLeft;
    }
    return t;
}

// Steps are boards, at about half a second per tile; a mistake is a flawed board.
PlayShape KG_Zahlen_klicken::ShapeOfPlay() { return {boardCount, 0.45 * gridSize * gridSize, true}; }

void KG_Zahlen_klicken::SetPlayedResult(const PlayedResult& r) {
    perfectBoards = r.done - r.wrong;
    flawedBoards = r.wrong;
    EndPlayed(r);
}

std::vector<KeyPlace> KG_Zahlen_klicken::KeyPlaces() {
    std::vector<KeyPlace> places;
    for (NumberTile* tile : tiles) places.push_back(PlaceAround(tile->centre.x, tile->centre.y, number_board::kHalfTile));
    return places;
}
