#include "games/KG_Quadrat_addieren/KG_Quadrat_addieren.h"

#include <algorithm>
#include <cstdlib>

#include "app/AppContext.h"
#include "framework/ColourCues.h"
#include "framework/Grade.h"
#include "framework/Random.h"
#include "framework/TextFormat.h"
#include "framework/TypedAnswer.h"
#include "games/TickSeed.h"
#include "platform/FontManager.h"

namespace {
constexpr Color kBlack = 0xFF000000;
constexpr float kLabelBelow = 75.0f;
constexpr int kSoundWrong = 11;
constexpr float kLabelHalfHeight = 16.0f;

// A candidate takes clicks on its squares, the gaps between them and its label below.
bool TakesClick(const PatternGrid& candidate, float x, float y) {
    const Rect b = candidate.Bounds();
    const float labelBottom = (b.top + b.bottom) / 2.0f + kLabelBelow + kLabelHalfHeight;
    return b.left <= x && x <= b.right && b.top <= y && y <= std::max(static_cast<float>(b.bottom), labelBottom);
}
}  // namespace

KG_Quadrat_addieren::Level KG_Quadrat_addieren::LevelTable(int level) {
    switch (level) {
        case 1: return {3, 4, 3, 10};
        case 2: return {3, 4, 4, 10};
        default: return {2, 4, 3, 10};
    }
}

KG_Quadrat_addieren::KG_Quadrat_addieren(int level) : KG_Quadrat_addieren(level, TickCountSeed()) {}

KG_Quadrat_addieren::KG_Quadrat_addieren(int level_, unsigned seed) : Knobel_Game(level_, "addieren.sav") {
    std::srand(seed);
    const Level table = LevelTable(level);
    operandCount = table.operandCount;
    choiceCount = table.choiceCount;
    gridSize = table.gridSize;
    taskCount = table.taskCount;
    rightCount = wrongCount = 0;
    feedbackTime = 0.0;
    design = RandomBelow(PatternSquare::kDesignCount);
    signFont_ = MakeFont("Arial", 48);
    NewTask();
    state = kStatePlaying;
    playTime = 0.0;
    const float cx = static_cast<float>(app->screenWidth / 2);
    litSample = std::make_unique<PatternSquare>(kSampleSize, Vec2{cx - 80, 90}, design);
    litSample->SetLit(true);
    unlitSample = std::make_unique<PatternSquare>(kSampleSize, Vec2{cx + 50, 90}, design);
}

KG_Quadrat_addieren::~KG_Quadrat_addieren() {
    answer = nullptr;
    operands.Clear(true);
    choices.Clear(true);
    plusSigns.Clear(true);
    labelPoints.Clear(true);
}

// The random numbers are drawn in this order: the place of the sum among the candidates, the
// first patterns of the wrong candidates (replaced at the end), the patterns of the summands,
// then the wrong candidates from left to right. Each wrong candidate
// is a near miss of the sum, so neither the number of lit squares nor its parity gives the sum
// away; with three summands each is the overlap of two random patterns, which keeps the sum
// about half lit instead of nearly full (a full sum could only be missed by darker candidates).
void KG_Quadrat_addieren::NewTask() {
    answer = nullptr;
    operands.Clear(true);
    choices.Clear(true);
    plusSigns.Clear(true);
    labelPoints.Clear(true);
    const double W = app->screenWidth, H = app->screenHeight;

    const double choiceStep = W * 3 / 4 / std::max(1, choiceCount - 1);
    const Vec2 choiceStart{static_cast<float>(W / 8), static_cast<float>(2 * H / 3)};
    const int k = RandomBelow(choiceCount);
    for (int i = 0; i < choiceCount; ++i) {
        const Vec2 centre{static_cast<float>(choiceStart.x + i * choiceStep), choiceStart.y};
        PatternGrid* grid = new PatternGrid(i != k, gridSize, design, kGridExtent, &centre, kGridGap);
        if (i == k) answer = grid;
        choices.Add(grid);
        labelPoints.Add(new Vec2{centre.x, centre.y + kLabelBelow});
    }

    const double operandStep = W * 2 / 4 / std::max(1, operandCount - 1);
    const Vec2 operandStart{static_cast<float>(W / 4), static_cast<float>(H / 3)};
    for (int j = 0; j < operandCount; ++j) {
        const Vec2 centre{static_cast<float>(operandStart.x + j * operandStep), operandStart.y};
        PatternGrid* summand = new PatternGrid(true, gridSize, design, kGridExtent, &centre, kGridGap);
        if (operandCount >= 3) {
            const uint64_t first = summand->Mask();
            summand->Randomize();
            summand->SetMask(summand->Mask() & first);
        }
        answer->Combine(*summand, false);
        operands.Add(summand);
        if (j + 1 < operandCount)
            plusSigns.Add(new Vec2{static_cast<float>(operandStart.x + (j + 0.5) * operandStep), operandStart.y});
    }
    MakeNearMisses();
}

// One to three squares changed (one or three a quarter of the time each, two half of it, so
// the parity of the lit count is a fair coin); each change lights a dark square or darkens a
// lit one with even odds, so the candidates are as often fuller as emptier than the sum.
uint64_t KG_Quadrat_addieren::NearMiss(uint64_t sum, int squareCount) {
    const int changes = 1 + RandomBelow(2) + RandomBelow(2);
    uint64_t miss = sum, changed = 0;
    for (int change = 0; change < changes; ++change) {
        const bool lightOne = RandomBelow(2) == 0;
        int pool[64], size = 0, other[64], otherSize = 0;
        for (int i = 0; i < squareCount; ++i) {
            if (changed >> i & 1) continue;
            if (((miss >> i & 1) == 0) == lightOne)
                pool[size++] = i;
            else
                other[otherSize++] = i;
        }
        const int square = size > 0 ? pool[RandomBelow(size)] : other[RandomBelow(otherSize)];
        miss ^= uint64_t{1} << square;
        changed |= uint64_t{1} << square;
    }
    return miss;
}

void KG_Quadrat_addieren::MakeNearMisses() {
    const int squareCount = std::min(64, answer->GridSize() * answer->GridSize());
    const uint64_t sum = answer->Mask();
    for (int i = 0; i < choiceCount; ++i) {
        PatternGrid* grid = choices.Get(i);
        if (grid == answer) continue;
        bool repeated = true;
        while (repeated) {
            grid->SetMask(NearMiss(sum, squareCount));
            repeated = false;
            for (int j = 0; j < i; ++j) repeated = repeated || choices.Get(j)->Equals(*grid);
        }
    }
}

// One pick per click: the candidate under the point is judged, then the sum is shown alone,
// with a tick after a right pick and blinking after a wrong one.
void KG_Quadrat_addieren::OnLButtonDown(uint16_t x, uint16_t y) {
    if (!Playing() || InFeedback()) return;
    for (PatternGrid* choice : choices) {
        if (!TakesClick(*choice, x, y)) continue;
        lastRight = answer->Equals(*choice);
        picked = choice;
        if (lastRight) {
            ++rightCount;
        } else {
            ++wrongCount;
            app->PlaySound(kSoundWrong, 1.0f);
        }
        feedbackTime = lastRight ? kFeedbackSeconds : kWrongFeedbackSeconds;
        return;
    }
}

// The verdict pause runs only while the game is played, so that a game left during the pause
// is not finished afterwards; the play time stands still during the pause.
void KG_Quadrat_addieren::Update() {
    const bool playing = Playing();
    bool countPlayTime = false;
    if (playing) {
        if (InFeedback()) {
            feedbackTime -= app->frameTime;
            if (feedbackTime <= 0) {
                feedbackTime = 0.0;
                if (rightCount + wrongCount < taskCount)
                    NewTask();
                else
                    state = kStateOver;
            }
        } else {
            countPlayTime = true;
        }
    }
    AdvanceTime(countPlayTime);
}

double KG_Quadrat_addieren::SecondsUntilChange() {
    if (Playing() && InFeedback()) return 0.0;  // the verdict ends
    return Knobel_Game::SecondsUntilChange();
}

void KG_Quadrat_addieren::Render() {
    if (!running || state != kStatePlaying) return;
    const float cx = static_cast<float>(app->screenWidth / 2), cy = static_cast<float>(app->screenHeight / 2);
    const unsigned centred = kTextCenter | kTextVCenter;
    DrawTimePanel();
    fontManager->DrawTextAt(app->GetText(101), cx, 105, kBlack, centred, font);
    fontManager->DrawTextAt("=", cx, cy, kBlack, centred, signFont_);
    for (Vec2* p : plusSigns) fontManager->DrawTextAt("+", p->x, p->y, kBlack, centred, signFont_);
    if (!InFeedback()) {
        int i = 0;
        for (Vec2* p : labelPoints) {
            const std::string label = FormatText("(%c)", 'a' + i++);
            fontManager->DrawTextAt(label.c_str(), p->x, p->y, kBlack, centred, font);
        }
    }
    litSample->Draw();
    unlitSample->Draw();
    for (PatternGrid* summand : operands) summand->Draw();
    if (InFeedback()) {
        DrawFeedback();
    } else {
        for (PatternGrid* choice : choices) choice->Draw();
    }
}

// Two frames shown in four tenths of a second, as a wrong typed answer blinks.
bool KG_Quadrat_addieren::ShowsSumInPause() const {
    if (!InFeedback() || lastRight) return true;
    const int phase = static_cast<int>(feedbackTime * 10.0) % 4;
    return phase == 0 || phase == 1;
}

const char* KG_Quadrat_addieren::GetHelpText() { return app->GetText(102); }
const char* KG_Quadrat_addieren::GetTitle() { return app->GetText(100); }

// Time, right and wrong on one line, the success rate, the average time per answer, an empty
// line and the grade: six lines, so that the first one stays clear of the result page's title.
const char* KG_Quadrat_addieren::GetResultText() {
    const int answered = rightCount + wrongCount;
    const int rate = answered > 0 ? rightCount * 100 / answered : 0;
    const double average = answered > 0 ? playTime / answered : 0.0;
    std::string counts = FormatText(app->GetText(30), rightCount);
    counts += "    ";
    AppendText(counts, app->GetText(31), wrongCount);
    return FrameResultText({counts, FormatText(app->GetText(32), rate), FormatText(app->GetText(41), average)});
}

double KG_Quadrat_addieren::OperandWork() const { return operandCount * gridSize * gridSize / 9.0; }

// Share of wrong picks times five plus one step per 6 s for each operand of the game's tasks
// (two minutes at the easiest level); a game left early counts the tasks not answered as wrong.
void KG_Quadrat_addieren::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList KG_Quadrat_addieren::GradeTerms() const {
    const StandardGrade rule{kSecondsPerOperand * OperandWork() * std::max(taskCount, 1)};
    return rule.Terms(state == kStateOver, wrongCount, taskCount, rightCount + wrongCount, playTime);
}

// A brisk player reads an operand of nine squares in about 2.5 s, choosing included.
PlayShape KG_Quadrat_addieren::ShapeOfPlay() { return {taskCount, 2.5 * OperandWork(), true}; }

void KG_Quadrat_addieren::SetPlayedResult(const PlayedResult& r) {
    rightCount = r.done - r.wrong;
    wrongCount = r.wrong;
    EndPlayed(r);
}

void KG_Quadrat_addieren::DrawFeedback() {
    answer->Draw();
    const Vec2* label = labelPoints.Get(AnswerIndex());
    if (label != nullptr) TypedAnswer::DrawTick(Vec2{label->x - 25, label->y - 25});
    if (lastRight || picked == nullptr || picked == answer) return;
    picked->Draw();
    const Vec2* at = labelPoints.Get(choices.IndexOf(picked));
    if (at == nullptr) return;
    DrawCueMark(*app, kCueCross, Vec2{at->x - 35.0f, at->y}, 36.0f);
    const char* word = app->GetText(464);
    if (word != nullptr) fontManager->DrawTextAt(word, at->x - 12.0f, at->y, 0xFF000000, kTextVCenter, font);
}

// The candidates; each takes a click on any of its squares, so on its first.
std::vector<KeyPlace> KG_Quadrat_addieren::KeyPlaces() {
    std::vector<KeyPlace> places;
    for (PatternGrid* choice : choices) {
        const GridLayout& l = choice->Layout();
        KeyPlace p = PlaceOver(choice->Bounds());
        p.x = static_cast<int>(l.firstTopLeft.x) + l.squareSize / 2;
        p.y = static_cast<int>(l.firstTopLeft.y) + l.squareSize / 2;
        places.push_back(p);
    }
    return places;
}
