#include "games/KG_Quadrat_merken/KG_Quadrat_merken.h"

#include <algorithm>
#include <cstdlib>

#include "app/AppContext.h"
#include "framework/Grade.h"
#include "framework/Random.h"
#include "framework/TextFormat.h"
#include "games/TickSeed.h"
#include "platform/FontManager.h"

namespace {
constexpr double kSecondsPerGradeFinished = 120.0;
constexpr double kSecondsPerGradeLeft = 60.0;
}  // namespace

KG_Quadrat_merken::Level KG_Quadrat_merken::LevelTable(int level) {
    switch (level) {
        case 1: return {6, 3, 2.0};
        case 2: return {6, 4, 4.0};
        default: return {5, 3, 3.0};
    }
}

KG_Quadrat_merken::KG_Quadrat_merken(int level) : KG_Quadrat_merken(level, TickCountSeed()) {}

KG_Quadrat_merken::KG_Quadrat_merken(int level_, unsigned seed) : Knobel_Game(level_, "quadrate.sav") {
    std::srand(seed);
    const Level table = LevelTable(level);
    patternCount = table.patternCount;
    gridSize = table.gridSize;
    showTime = table.showTime;
    design = RandomBelow(PatternSquare::kDesignCount);
    for (int k = 0; k < patternCount; ++k) {
        models.Add(new PatternGrid(true, gridSize, design, kGridExtent, nullptr, kGridGap));
        answers.Add(new PatternGrid(false, gridSize, design, kGridExtent, nullptr, kGridGap));
    }
    current = 0;
    showing = true;
    showTimer = showTime;
    state = kStatePlaying;
    playTime = 0.0;
}

KG_Quadrat_merken::~KG_Quadrat_merken() {
    answers.Clear(true);
    models.Clear(true);
}

void KG_Quadrat_merken::OnLButtonDown(uint16_t x, uint16_t y) {
    if (!Playing() || showing) return;
    if (PatternGrid* grid = answers.Get(current)) grid->Click(x, y);
}

void KG_Quadrat_merken::OnKeyDown(uint16_t key) {
    if (!Playing() || showing || key != kKeyReturn) return;
    enterDown_ = true;
}

// Enter moves on to the next answer grid; after the last one the answers are counted.
void KG_Quadrat_merken::OnKeyUp(uint16_t key) {
    if (!Playing() || showing || key != kKeyReturn || !enterDown_) return;
    enterDown_ = false;
    current += 1;
    if (current < answers.Count()) return;
    correctCount = RememberedCount();
    finishedByEnter_ = true;
    showing = true;
    state = kStateOver;
}

int KG_Quadrat_merken::RememberedCount() const {
    int count = 0;
    for (PatternGrid* model : const_cast<LockedList<PatternGrid>&>(models)) {
        for (PatternGrid* answer : const_cast<LockedList<PatternGrid>&>(answers)) {
            if (answer->Equals(*model)) {
                ++count;
                break;
            }
        }
    }
    return count;
}

// Every model stays the level's show time; only the answering counts as play time.
void KG_Quadrat_merken::Update() {
    const bool playing = Playing();
    const bool answering = !showing;
    if (playing && showing) {
        showTimer -= app->realFrameTime;
        if (showTimer <= 0) {
            showTimer = showTime;
            current += 1;
            if (current >= patternCount) {
                current = 0;
                showing = false;
            }
        }
    }
    AdvanceTime(playing && answering);
}

double KG_Quadrat_merken::SecondsUntilChange() {
    if (Playing() && showing) return 0.0;  // the patterns are shown one after the other
    return Knobel_Game::SecondsUntilChange();
}

void KG_Quadrat_merken::Render() {
    if (!running || state != kStatePlaying) return;
    DrawTimePanel();  // with the pattern watched or answered below it
    PatternGrid* grid = showing ? models.Get(current) : answers.Get(current);
    if (grid != nullptr) grid->Draw();
}

const char* KG_Quadrat_merken::GetHelpText() { return app->GetText(70); }
const char* KG_Quadrat_merken::GetTitle() { return app->GetText(21); }

const char* KG_Quadrat_merken::GetResultText() {
    const int remembered = finishedByEnter_ ? correctCount : RememberedCount();
    const int id = remembered == patternCount ? 26 : 25;
    return FrameResultText({FormatText(app->GetText(id), remembered, patternCount)});
}

// Share of patterns missed times five, plus one step per two minutes of answering; a game left
// before the last Enter costs one step per minute.
bool KG_Quadrat_merken::CountsAnswers(int& right, int& wrong) const {
    right = finishedByEnter_ ? correctCount : RememberedCount();
    wrong = std::max((finishedByEnter_ ? patternCount : current) - right, 0);
    return true;
}

void KG_Quadrat_merken::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList KG_Quadrat_merken::GradeTerms() const {
    const int n = std::max(1, patternCount);
    const int remembered = finishedByEnter_ ? correctCount : RememberedCount();
    const double perStep = finishedByEnter_ ? kSecondsPerGradeFinished : kSecondsPerGradeLeft;
    GradeTermList t;
    AddTerm(t, TermKind::kBase, 1.0);
    AddTerm(t, TermKind::kPatternsWrong, static_cast<double>(n - remembered) / n * 5.0, n - remembered, n);
    AddTerm(t, TermKind::kTime, playTime / perStep, playTime);
    return CloseTerms(std::move(t));
}

// Steps are patterns answered; a mistake is an answer left empty.
PlayShape KG_Quadrat_merken::ShapeOfPlay() { return {patternCount, 5.0, true}; }

// The patterns are made distinct first: a pattern dealt twice is remembered by one answer, so
// the step that gives it again would earn nothing.
void KG_Quadrat_merken::SetPlayedResult(const PlayedResult& r) {
    for (int i = 0; i < models.Count() && i < answers.Count(); ++i) {
        models.Get(i)->SetMask(static_cast<uint64_t>(i) + 1);
        answers.Get(i)->SetMask(i < r.done - r.wrong ? models.Get(i)->Mask() : 0);
    }
    correctCount = RememberedCount();
    finishedByEnter_ = r.finished;
    showing = r.finished;
    current = r.finished ? answers.Count() : std::max(r.done - 1, 0);
    EndPlayed(r);
}

// The squares of the answer grid being filled.
std::vector<KeyPlace> KG_Quadrat_merken::KeyPlaces() {
    std::vector<KeyPlace> places;
    PatternGrid* grid = showing ? nullptr : answers.Get(current);
    if (grid == nullptr) return places;
    const GridLayout& l = grid->Layout();
    const float half = l.squareSize / 2.0f;
    for (int r = 0; r < grid->GridSize(); ++r)
        for (int c = 0; c < grid->GridSize(); ++c) {
            const Vec2 at = l.TopLeft(c, r);
            places.push_back(PlaceAround(at.x + half, at.y + half, half));
        }
    return places;
}
