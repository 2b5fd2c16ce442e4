#include "games/KG_MMaster/KG_MMaster.h"

#include <algorithm>
#include <cstdlib>

#include "app/AppContext.h"
#include "framework/Grade.h"
#include "framework/Random.h"
#include "games/KG_MMaster/CodeScore.h"
#include "games/TickSeed.h"
#include "platform/FontManager.h"

namespace {
constexpr double kStepX = 52.0, kStepY = 55.0;
constexpr Color kHiddenMark = 0xFF5A5A5A;
}  // namespace

KG_MMaster::KG_MMaster(int level) : KG_MMaster(level, TickCountSeed()) {}

KG_MMaster::KG_MMaster(int level_, unsigned seed) : Knobel_Game(level_, "mindmaster.sav") {
    heldPeg = nullptr;
    codeLength = level >= 2 ? 5 : 4;
    positionalHints = level <= 0;
    maxRows = kRows;
    const int W = app->screenWidth, H = app->screenHeight;
    originX_ = W / 2 - (codeLength / 2) * 52 - 26;
    originY_ = H / 2 + (maxRows / 2) * 55 - 27.5;
    std::srand(seed);
    currentRow = 0;
    for (int r = 0; r < maxRows; ++r) {
        auto* row = new LockedList<PegHole>();
        for (int k = 0; k < codeLength; ++k) row->Add(new PegHole(HolePosition(r, k)));
        rows.Add(row);
        keyBoards.Add(new KeyBoard(KeyBoardPosition(r)));
    }
    for (int k = 0; k < codeLength; ++k) {
        auto* hole = new PegHole(CodeHolePosition(k));
        hole->Place(new Peg(std::rand() % kPlayColours, hole->position));
        secretCode.Add(hole);
    }
    buttonHeld = false;
    endTimer = 0.0;
    playTime = 0.0;
}

KG_MMaster::~KG_MMaster() {
    delete heldPeg;
    heldPeg = nullptr;
}

Vec2 KG_MMaster::HolePosition(int row, int k) const {
    return {static_cast<float>(originX_ + kStepX * (k + 1)), static_cast<float>(originY_ - kStepY * row)};
}
Vec2 KG_MMaster::KeyBoardPosition(int row) const {
    return {static_cast<float>(originX_ + kStepX * (codeLength + 1) + 10), static_cast<float>(originY_ - kStepY * row)};
}
Vec2 KG_MMaster::CodeHolePosition(int k) const {
    return {static_cast<float>(originX_ + kStepX * (k + 1)), static_cast<float>(originY_ - kStepY * (maxRows + 0.5))};
}
Vec2 KG_MMaster::PaletteHome(int s, int n) const {
    return {static_cast<float>(app->screenWidth / 2 + 50 * s - 50 * (n / 2)), static_cast<float>(app->screenHeight - 70)};
}

std::vector<int> KG_MMaster::Code() {
    std::vector<int> out;
    for (PegHole* hole : secretCode) out.push_back(hole->Colour());
    return out;
}

std::vector<int> KG_MMaster::RowColours(int row) {
    std::vector<int> out;
    if (LockedList<PegHole>* r = rows.Get(row))
        for (PegHole* hole : *r) out.push_back(hole->Colour());
    return out;
}

void KG_MMaster::OnLButtonDown(uint16_t x, uint16_t y) {
    if (!Playing() || finished) return;
    if (heldPeg != nullptr) DropHeldPeg(x, y);  // its button-up never came
    lastMouseX = x;
    lastMouseY = y;
    buttonHeld = true;
    for (Peg* p : palette) {
        if (!p->Hit(x, y)) continue;
        heldFromPalette_ = palette.IndexOf(p);
        heldFromHole_ = nullptr;
        heldPeg = palette.RemoveAt(heldFromPalette_, false);
        return;
    }
    LockedList<PegHole>* row = rows.Get(currentRow);
    if (row == nullptr) return;
    bool rowFull = true;
    for (PegHole* hole : *row) {
        if (hole->Hit(x, y)) {
            heldPeg = hole->Take();
            heldFromHole_ = heldPeg != nullptr ? hole : nullptr;
            return;
        }
        rowFull = rowFull && hole->peg != nullptr;
    }
    if (!rowFull) return;
    KeyBoard* board = keyBoards.Get(currentRow);
    if (board != nullptr && board->Hit(x, y)) ScoreCurrentRow();
}

void KG_MMaster::OnMouseMove(uint16_t x, uint16_t y) {
    if (!Playing() || !buttonHeld || heldPeg == nullptr) return;
    heldPeg->home.x += static_cast<float>(x - lastMouseX);
    heldPeg->home.y += static_cast<float>(y - lastMouseY);
    lastMouseX = x;
    lastMouseY = y;
}

void KG_MMaster::OnLButtonUp(uint16_t x, uint16_t y) {
    if (!Playing()) return;
    buttonHeld = false;
    DropHeldPeg(x, y);
}

// A hole of the current row under the point takes the peg; a peg there already changes
// places with it (into the hole the held peg came from) or, for a peg from the palette, gives
// way. Anywhere else the peg goes back where it came from, so the palette never grows.
void KG_MMaster::DropHeldPeg(int x, int y) {
    if (heldPeg == nullptr) return;
    Peg* p = heldPeg;
    PegHole* from = heldFromHole_;
    heldPeg = nullptr;
    heldFromHole_ = nullptr;
    if (LockedList<PegHole>* row = rows.Get(currentRow); row != nullptr && !finished) {
        for (PegHole* hole : *row) {
            if (!hole->Hit(x, y)) continue;
            Peg* there = hole->Take();
            hole->Place(p);
            if (there != nullptr && !(from != nullptr && from->Place(there))) delete there;
            return;
        }
    }
    if (from != nullptr && from->Place(p)) return;
    palette.Add(p, heldFromPalette_);
}

void KG_MMaster::ScoreCurrentRow() {
    KeyBoard* board = keyBoards.Get(currentRow);
    if (board == nullptr) return;
    const GuessScore score = ScoreGuess(Code(), RowColours(currentRow), positionalHints);
    for (const KeyPegAward& award : score.awards) {
        if (award.black) board->AddBlack(award.slot);
        else board->AddWhite(award.slot);
    }
    ++currentRow;
    if (score.blacks == codeLength) {
        won = true;
        finished = true;
    } else if (currentRow >= maxRows) {
        won = false;
        finished = true;
    }
    if (finished) endTimer = kRevealSeconds;
}

// Every colour is always on offer: a colour missing from the palette (and not in the hand)
// gets a new peg that rises from the bottom of the screen.
void KG_MMaster::FillPalette() {
    const double dt = app->frameTime;
    const int n = palette.Count();
    bool present[kPlayColours] = {};
    int s = 0;
    for (Peg* p : palette) {
        // Each colour keeps its own place, also while a peg of it is in the hand.
        const bool known = p->colour >= 0 && p->colour < kPlayColours;
        p->home = known && n <= kPlayColours ? PaletteHome(p->colour, kPlayColours) : PaletteHome(s, n);
        ++s;
        p->Glide(dt);
        if (p->colour >= 0 && p->colour < kPlayColours) present[p->colour] = true;
    }
    if (heldPeg != nullptr) {
        heldPeg->Glide(dt);
        if (heldPeg->colour >= 0 && heldPeg->colour < kPlayColours) present[heldPeg->colour] = true;
    }
    const Vec2 entry{static_cast<float>(app->screenWidth / 2), static_cast<float>(app->screenHeight)};
    // A new peg goes in among the others in the order of the colours.
    for (int c = 0; c < kPlayColours; ++c) {
        if (present[c]) continue;
        int at = 0;
        for (Peg* p : palette) at += p->colour < c ? 1 : 0;
        palette.Add(new Peg(c, entry), at);
    }
}

void KG_MMaster::Update() {
    AdvanceTime(running && state == kStatePlaying && !finished);
    if (!running) return;
    if (finished) {
        if (endTimer > 0.0) endTimer -= app->frameTime;
        if (endTimer <= 0.0 && state == kStatePlaying) state = won ? kStateOver : kStateOverOther;
    }
    FillPalette();
    const double dt = app->frameTime;
    for (LockedList<PegHole>* row : rows)
        for (PegHole* hole : *row)
            if (hole->peg != nullptr) hole->peg->Glide(dt);
    for (KeyBoard* board : keyBoards) board->Settle(dt);
}

double KG_MMaster::SecondsUntilChange() {
    if (running && finished && state == kStatePlaying) return 0.0;  // the pause before the end
    return Knobel_Game::SecondsUntilChange();
}

void KG_MMaster::Render() {
    if (!running) return;
    if (state == kStatePlaying) DrawTimePanel();
    // The code row: covered while the code is sought, shown once the game is decided.
    for (PegHole* hole : secretCode) {
        if (finished) {
            hole->Draw(true);
            continue;
        }
        const Vec2 topLeft{hole->position.x - 25.0f, hole->position.y - 25.0f};
        const Rect field{550, 0, 600, 50};
        app->DrawSprite(app->texMisc1, &field, nullptr, nullptr, 0.0, &topLeft, 0xFF7F7F7F);
        fontManager->DrawTextAt("?", hole->position.x, hole->position.y, kHiddenMark, kTextCenter | kTextVCenter, font);
    }
    // Only the row being filled is lit; once the game is decided, none.
    const int litRow = finished ? -1 : currentRow;
    int r = 0;
    for (LockedList<PegHole>* row : rows) {
        const bool bright = r++ == litRow;
        for (PegHole* hole : *row) hole->Draw(bright);
    }
    r = 0;
    for (KeyBoard* board : keyBoards) board->Draw(r++ == litRow);
    for (Peg* p : palette) p->Draw(true);
    if (heldPeg != nullptr) heldPeg->Draw(true);
}

const char* KG_MMaster::GetHelpText() { return app->GetText(126); }
const char* KG_MMaster::GetTitle() { return app->GetText(125); }
const char* KG_MMaster::GetResultText() { return FrameResultText({}); }

double KG_MMaster::WonGrade(int rowsUsed, int maxRows_, double seconds) {
    return SumOfTerms(WonTerms(rowsUsed, maxRows_, seconds));
}

double KG_MMaster::NotFoundGrade(int rowsScored, int lastBlacks, int codeLength_, int maxRows_, double seconds) {
    return SumOfTerms(NotFoundTerms(rowsScored, lastBlacks, codeLength_, maxRows_, seconds));
}

GradeTermList KG_MMaster::WonTerms(int rowsUsed, int maxRows_, double seconds) {
    const int spare = std::max(maxRows_ - kFreeRows, 1);
    const int u = std::max(rowsUsed - kFreeRows, 0);
    GradeTermList t;
    AddTerm(t, TermKind::kBase, 1.0);
    AddTerm(t, TermKind::kRowsBeyond, static_cast<double>(u) / spare * 3.0, u);
    AddTerm(t, TermKind::kTime, seconds / kSecondsPerGrade, seconds);
    return t;
}

GradeTermList KG_MMaster::NotFoundTerms(int rowsScored, int lastBlacks, int codeLength_, int maxRows_, double seconds) {
    if (rowsScored <= 0 || codeLength_ <= 0) return NoResultTerms();
    GradeTermList t;
    const int missed = codeLength_ - lastBlacks;
    AddTerm(t, TermKind::kBase, 1.0);
    AddTerm(t, TermKind::kPegsMissed, static_cast<double>(missed) / codeLength_ * 5.0, missed, codeLength_);
    AddTerm(t, TermKind::kTime, seconds / 60.0, seconds);
    const double g = SumOfTerms(t), floor = WonGrade(maxRows_, maxRows_, seconds);
    if (floor > g) AddTerm(t, TermKind::kLastRowFloor, floor - g);
    return t;
}

// Found: the first five rows cost nothing, each further row a whole step, and a
// step per 200 seconds, so fewer rows grade better by the time they save. Not found: the share of pegs the last row missed and a step per minute, but never
// better than finding the code in the last row.
void KG_MMaster::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList KG_MMaster::GradeTerms() const {
    if (won) return CloseTerms(WonTerms(currentRow, maxRows, playTime));
    const KeyBoard* last = currentRow > 0 ? const_cast<LockedList<KeyBoard>&>(keyBoards).Get(currentRow - 1) : nullptr;
    return CloseTerms(NotFoundTerms(currentRow, last != nullptr ? last->blackCount : 0, codeLength, maxRows, playTime));
}

// Steps are rows scored; a skilful game finds the code in the fifth row at about 20 s per row,
// and a row left early has found its share of the pegs.
PlayShape KG_MMaster::ShapeOfPlay() { return {kFreeRows, 20.0, false, false}; }

void KG_MMaster::SetPlayedResult(const PlayedResult& r) {
    won = r.finished;
    currentRow = std::clamp(r.done, 0, maxRows);
    if (!won && currentRow > 0) keyBoards.Get(currentRow - 1)->blackCount = std::min(codeLength * r.done / kFreeRows, codeLength);
    EndPlayed(r);
}

// The palette, the holes of the current row and its key board.
std::vector<KeyPlace> KG_MMaster::KeyPlaces() {
    std::vector<KeyPlace> places;
    if (finished) return places;
    for (Peg* p : palette) places.push_back(PlaceAround(p->position.x, p->position.y, 22.0f));
    if (LockedList<PegHole>* row = rows.Get(currentRow))
        for (PegHole* hole : *row) places.push_back(PlaceAround(hole->position.x, hole->position.y, 25.0f));
    if (KeyBoard* board = keyBoards.Get(currentRow))
        places.push_back(PlaceAround(board->position.x, board->position.y, 25.0f));
    return places;
}

void KG_MMaster::OnKeyDown(uint16_t key) {
    if (!Playing() || finished || heldPeg != nullptr) return;
    LockedList<PegHole>* row = rows.Get(currentRow);
    if (row == nullptr) return;
    PegHole* firstFree = nullptr;
    PegHole* lastFilled = nullptr;
    for (PegHole* hole : *row) {
        if (hole->peg == nullptr && firstFree == nullptr) firstFree = hole;
        if (hole->peg != nullptr) lastFilled = hole;
    }
    if (key >= '1' && key < '1' + kPlayColours) {
        if (firstFree == nullptr) return;
        const int colour = key - '1';
        auto find = [&]() -> Peg* {
            for (Peg* p : palette)
                if (p->colour == colour) return p;
            return nullptr;
        };
        Peg* p = find();
        if (p == nullptr) {
            FillPalette();  // the peg of that colour taken a moment ago is not replaced yet
            p = find();
        }
        if (p == nullptr) return;
        // From the palette into the hole, as a drag puts it there (the palette refills itself).
        const int index = palette.IndexOf(p);
        Peg* taken = palette.RemoveAt(index, false);
        if (!firstFree->Place(taken)) palette.Add(taken, index);
    } else if (key == kKeyBack && lastFilled != nullptr) {
        delete lastFilled->Take();  // the palette keeps every colour anyway
    } else if (key == kKeyReturn && firstFree == nullptr) {
        ScoreCurrentRow();
    }
}
