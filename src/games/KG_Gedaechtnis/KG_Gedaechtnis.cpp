#include "games/KG_Gedaechtnis/KG_Gedaechtnis.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/AppContext.h"
#include "framework/ColourCues.h"
#include "framework/Grade.h"
#include "framework/Random.h"
#include "framework/TextFormat.h"
#include "games/KG_Gedaechtnis/ButtonPlacement.h"
#include "games/TickSeed.h"
#include "platform/FontManager.h"

namespace {
constexpr int kSoundAlarm = 10;
constexpr int kDesignCount = 12;

struct Layout {
    int count;
    double size;
};

Layout LayoutForLevel(int level) {
    switch (level) {
        case 1: return {30, 30.0};
        case 2: return {40, 20.0};
        default: return {20, 40.0};
    }
}
}  // namespace

KG_Gedaechtnis::KG_Gedaechtnis(int level) : KG_Gedaechtnis(level, TickCountSeed()) {}

KG_Gedaechtnis::KG_Gedaechtnis(int level_, unsigned seed) : Knobel_Game(level_, "gedächtnis.sav") {
    const Layout layout = LayoutForLevel(level);
    buttonCount = layout.count;
    buttonSize = layout.size;
    std::srand(seed);
    const int picture = std::rand() % kDesignCount;
    ButtonPlacement placed = PlaceButtons(buttonCount, buttonSize, app->screenWidth, app->screenHeight);
    crowdedButtons = placed.crowded;
    for (const Vec2& centre : placed.centres) buttons.Add(new MemoryButton(picture, buttonSize, centre));

    round = SequenceRound(buttons.Count(), kShowDuration);
    for (int i = 0; i < SequenceRound::kStartLength; ++i) round.sequence.push_back(RandomBelow(buttons.Count()));
    round.sequencePos = 0;
    round.showing = true;
    round.stepTimer = 0.0;
    state = kStatePlaying;
    playTime = 0.0;
}

KG_Gedaechtnis::~KG_Gedaechtnis() { buttons.Clear(true); }

int KG_Gedaechtnis::ButtonAt(float x, float y) {
    int i = 0;
    for (MemoryButton* b : buttons) {
        if (b->HitTest(x, y)) return i;
        ++i;
    }
    return -1;
}

// Only the first button under the point counts: two buttons may touch, and a click on the
// point where they touch is one click.
void KG_Gedaechtnis::OnLButtonDown(uint16_t x, uint16_t y) {
    if (!Playing()) return;
    if (round.showing) return;
    const int hit = ButtonAt(x, y);
    if (hit < 0) return;
    SequenceRound::Verdict verdict = round.Judge(hit);
    if (verdict == SequenceRound::Verdict::kIgnored) return;
    buttons.Get(hit)->Light(kClickLight);
    switch (verdict) {
        case SequenceRound::Verdict::kWrong:
            state = kStateOverOther;
            app->PlaySound(kSoundAlarm, 1.0f);
            ShowExpected(hit);
            break;
        case SequenceRound::Verdict::kWon:
            state = kStateOver;
            break;
        case SequenceRound::Verdict::kRepeated:
            round.Grow(RandomBelow(buttons.Count()));
            break;
        default:
            break;
    }
}

void KG_Gedaechtnis::Update() {
    const bool counting = running && state == kStatePlaying && !round.showing;
    if (running) {
        for (MemoryButton* b : buttons) b->CountDown(app->realFrameTime);
        // The showing stands still once the game is over or left.
        if (state == kStatePlaying) {
            const SequenceRound::ShowStep step = round.Advance(app->realFrameTime);
            if (step.darkButton >= 0) buttons.Get(step.darkButton)->Light(0.0);
            if (step.litButton >= 0) buttons.Get(step.litButton)->Light(step.litFor);
            // The turn and the dark board begin in the same frame.
            if (step.turnBegins && round.Length() > 0) buttons.Get(round.sequence.back())->Light(0.0);
        }
    }
    AdvanceTime(counting);
}

double KG_Gedaechtnis::SecondsUntilChange() {
    if (running) {
        if (state == kStatePlaying && round.showing) return 0.0;  // the showing steps on
        for (MemoryButton* b : buttons)
            if (b->Lit()) return 0.0;  // a light goes out
    }
    return Knobel_Game::SecondsUntilChange();
}

void KG_Gedaechtnis::Render() {
    if (running && state == kStatePlaying) DrawPanel();
    // A pause puts every light out: the sequence is not shown while its clock stands still.
    for (MemoryButton* b : buttons) b->Draw(Concealed());
    DrawFailMarks();
}

// The time panel with a second line: how far the showing has come, or which step the player
// is at. In the player's turn the panel turns green, so the start of the turn is seen at a
// glance as well as read.
void KG_Gedaechtnis::DrawPanel() {
    const int W = app->screenWidth;
    const Rect src{0, 700, 300, 750};
    const Vec2 pos{static_cast<float>(W / 2 - 150), 0.0f};
    app->DrawSprite(app->texMenu2, &src, nullptr, nullptr, 0.0, &pos, round.showing ? 0xFFFFFFFF : 0xFF9CE39C);
    const int t = static_cast<int>(playTime);
    std::string text = FormatText(app->GetText(63), t / 60, t % 60);
    text += "\n";
    if (round.showing)
        AppendText(text, app->GetText(51), round.sequencePos, round.Length());
    else
        AppendText(text, app->GetText(52), round.sequencePos + 1, round.Length());
    fontManager->DrawTextRect(text.c_str(), W / 2 - 150, 0, W / 2 + 150, 50, 0xFF000000, kTextCenter | kTextVCenter,
                              font);
    DrawTaskProgress();
}

const char* KG_Gedaechtnis::GetHelpText() { return app->GetText(67); }
const char* KG_Gedaechtnis::GetTitle() { return app->GetText(18); }

const char* KG_Gedaechtnis::GetResultText() {
    if (state == kStateOver) {
        const char* won = app->GetText(38);
        return FrameResultText({won != nullptr ? won : ""});
    }
    return FrameResultText({FormatText(app->GetText(36), round.longestRepeated)});
}

// Five steps for the part of the buttons the longest sequence repeated did not reach (a sequence
// shown but not repeated earns nothing), plus one step per two seconds of the average input
// time per click. Judged by the pace per click, a longer sequence at the same pace always
// grades better. A game left before any click was judged has no result.
void KG_Gedaechtnis::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList KG_Gedaechtnis::GradeTerms() const {
    const bool over = state == kStateOver || state == kStateOverOther;
    if (!over && round.judgedClicks == 0) return NoResultTerms();
    const int L = round.longestRepeated;
    const int N = std::max(1, buttons.Count());
    const double perClick = playTime / std::max(1, round.judgedClicks);
    GradeTermList t;
    AddTerm(t, TermKind::kBase, 1.0);
    AddTerm(t, TermKind::kSequence, 5.0 * (1.0 - static_cast<double>(L) / N), L, N);
    AddTerm(t, TermKind::kTimePerClick, perClick / kSecondsPerClickGrade, perClick);
    return CloseTerms(std::move(t));
}

// Steps are sequences repeated, from four buttons to all of them, at a pace per click; a
// mistake ends the game.
PlayShape KG_Gedaechtnis::ShapeOfPlay() { return {buttons.Count() - SequenceRound::kStartLength + 1, 0.7, false}; }

void KG_Gedaechtnis::SetPlayedResult(const PlayedResult& r) {
    const int first = SequenceRound::kStartLength;
    const int repeated = r.finished ? buttons.Count() : first - 1 + r.done;  // the longest sequence repeated
    round.judgedClicks = (repeated * (repeated + 1) - first * (first - 1)) / 2;
    round.sequence.assign(static_cast<size_t>(std::min(repeated + 1, buttons.Count())), 0);
    round.longestRepeated = repeated;
    EndPlayed(r);
    playTime = round.judgedClicks * r.pace;
}

void KG_Gedaechtnis::ShowExpected(int clicked) {
    failExpected = round.ExpectedButton();
    failClicked = clicked;
    if (MemoryButton* b = buttons.Get(failExpected)) b->Light(kFailLight);
    if (MemoryButton* b = buttons.Get(failClicked)) b->Light(kFailLight);
}

void KG_Gedaechtnis::DrawFailMarks() {
    if (state != kStateOverOther) return;
    const float mark = static_cast<float>(std::max(24.0, buttonSize * 0.8));
    auto markAt = [&](int index, int cue) {
        const MemoryButton* b = buttons.Get(index);
        if (b == nullptr || !b->Lit()) return;
        const float d = static_cast<float>(buttonSize / 2) + mark / 2.0f - 4.0f;
        DrawCueMark(*app, cue, Vec2{b->centre.x + d, b->centre.y - d}, mark);
    };
    markAt(failExpected, kCueTick);
    if (failClicked != failExpected) markAt(failClicked, kCueCross);
}

std::vector<KeyPlace> KG_Gedaechtnis::KeyPlaces() {
    std::vector<KeyPlace> places;
    for (MemoryButton* b : buttons) places.push_back(PlaceAround(b->centre.x, b->centre.y, static_cast<float>(b->size / 2)));
    return places;
}
