#include "games/KG_Waage_Game_Fruechte/KG_Waage_Game_Fruechte.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/AppContext.h"
#include "framework/ColourCues.h"
#include "framework/Glide.h"
#include "framework/TextFormat.h"
#include "games/TickSeed.h"
#include "platform/FontManager.h"

namespace {
constexpr int kIdTitle = 135;
constexpr int kIdRules = 136;
constexpr int kIdWeighingTime = 37;
constexpr int kIdRight = 30;
constexpr int kIdWrong = 31;
constexpr int kIdAverage = 41;
constexpr int kIdTimeLeft = 117;
constexpr Color kTimeUpColor = 0xFFD01010;
}  // namespace

KG_Waage_Game_Fruechte::KG_Waage_Game_Fruechte(int level) : KG_Waage_Game_Fruechte(level, TickCountSeed()) {}

KG_Waage_Game_Fruechte::KG_Waage_Game_Fruechte(int level_, unsigned seed) : Knobel_Game(level_, "waage_fruits.sav") {
    std::srand(seed);
    const balance::BalanceLevel setup = balance::BalanceLevelOf(level);
    rightCount = wrongCount = 0;
    feedbackTime = 0.0;
    timeSum = 0.0;
    playTime = 0.0;
    taskCount = setup.taskCount;
    NewTask();
}

KG_Waage_Game_Fruechte::~KG_Waage_Game_Fruechte() { balance.reset(); }

void KG_Waage_Game_Fruechte::NewTask() {
    feedbackTime = 0.0;
    balance.reset();
    balance = std::make_unique<Balance>(level);
    timeLimit = balance::BalanceLevelOf(level).timeLimit;
    timeLeft = timeLimit;
}

bool KG_Waage_Game_Fruechte::TakesMouse() const { return Playing() && feedbackTime <= 0.0 && balance != nullptr; }

void KG_Waage_Game_Fruechte::OnMouseMove(uint16_t x, uint16_t y) {
    if (TakesMouse()) balance->MouseMove(x, y);
}

void KG_Waage_Game_Fruechte::OnLButtonDown(uint16_t x, uint16_t y) {
    if (TakesMouse()) balance->MouseDown(x, y);
}

void KG_Waage_Game_Fruechte::OnLButtonUp(uint16_t x, uint16_t y) {
    if (TakesMouse()) balance->MouseUp();
}

void KG_Waage_Game_Fruechte::Judge(bool right, double seconds) {
    (right ? rightCount : wrongCount) += 1;
    timeSum += seconds;
    lastRight = right;
    feedbackTime = kVerdictSeconds;
}

void KG_Waage_Game_Fruechte::Update() {
    AdvanceTime(false);  // the statistics' time; the playing time grows only while a task runs
    if (!Playing() || balance == nullptr) return;
    if (feedbackTime > 0.0) {
        balance->Update();
        SettleBeam();
        feedbackTime -= app->frameTime;
        if (feedbackTime <= 0.0) {
            feedbackTime = 0.0;
            if (rightCount + wrongCount < taskCount) NewTask();
            else state = kStateOver;
        }
        return;
    }
    balance->Update();
    timeLeft -= app->frameTime;
    playTime += app->frameTime;
    if (timeLeft <= 0.0) {
        timeLeft = 0.0;
        balance->MouseUp();  // a fruit still carried is put down first
        Judge(balance->IsBalanced(), timeLimit);
    } else if (balance->IsBalanced()) {
        Judge(true, timeLimit - timeLeft);
    }
}

double KG_Waage_Game_Fruechte::SecondsUntilChange() {
    if (Playing()) return 0.0;  // the time limit of a task and the verdict run
    return Knobel_Game::SecondsUntilChange();
}

void KG_Waage_Game_Fruechte::Render() {
    if (!running) return;
    if (state == kStatePlaying) {
        DrawTimePanel();
        const int W = app->screenWidth;
        const int t = static_cast<int>(std::max(0.0, timeLeft));
        const bool timeUp = feedbackTime > 0.0 && !lastRight;
        const std::string left = FormatText(app->GetText(kIdTimeLeft), t / 60, t % 60);
        fontManager->DrawTextRect(left.c_str(), W / 2 - 150, 76, W / 2 + 150, 116, timeUp ? kTimeUpColor : 0xFF000000,
                                  kTextCenter | kTextVCenter, font);
    }
    if (balance != nullptr) balance->Draw();
    if (state == kStatePlaying && feedbackTime > 0.0 && lastRight) {
        // The tick of a solved task, in front of the stand.
        const Rect tick{0, 450, 50, 500};
        const Vec2 at{app->screenWidth / 2 - 25.0f, app->screenHeight / 2 + 60.0f};
        app->DrawSprite(app->texMisc1, &tick, nullptr, nullptr, 0.0, &at, 0xFFFFFFFF);
    } else if (state == kStatePlaying && feedbackTime > 0.0) {
        DrawTimeUp();
    }
}

const char* KG_Waage_Game_Fruechte::GetHelpText() { return app->GetText(kIdRules); }
const char* KG_Waage_Game_Fruechte::GetTitle() { return app->GetText(kIdTitle); }

double KG_Waage_Game_Fruechte::AverageSeconds() const {
    const int judged = rightCount + wrongCount;
    return judged > 0 ? timeSum / judged : 0.0;
}

const char* KG_Waage_Game_Fruechte::GetResultText() {
    ComputeGrade();
    return FrameResultText({FormatText(app->GetText(kIdRight), rightCount),
                            FormatText(app->GetText(kIdWrong), wrongCount),
                            FormatText(app->GetText(kIdAverage), AverageSeconds())},
                           kIdWeighingTime);
}

void KG_Waage_Game_Fruechte::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList KG_Waage_Game_Fruechte::GradeTerms() const {
    return balance::BalanceTerms(state == kStateOver, rightCount, wrongCount, taskCount, playTime);
}

PlayShape KG_Waage_Game_Fruechte::ShapeOfPlay() { return {taskCount, 8.0, true}; }

void KG_Waage_Game_Fruechte::SetPlayedResult(const PlayedResult& r) {
    rightCount = r.done - r.wrong;
    wrongCount = r.wrong;
    EndPlayed(r);
}

void KG_Waage_Game_Fruechte::SettleBeam() {
    constexpr double kSettleRate = 2.5;  // on top of the beam's own rate
    balance->angle = Glide(balance->angle, balance->targetAngle, app->frameTime, kSettleRate);
    balance->Layout();
}

void KG_Waage_Game_Fruechte::DrawTimeUp() {
    const float cx = app->screenWidth / 2.0f, y = app->screenHeight / 2 + 85.0f;
    DrawCueMark(*app, kCueCross, Vec2{cx, y}, 50.0f);
    const char* text = app->GetText(466);
    if (text != nullptr)
        fontManager->DrawTextAt(text, cx, y + 45.0f, 0xFF000000, kTextCenter | kTextVCenter, font);
}

// Every fruit that may be carried, on the pans and on the floor.
std::vector<KeyPlace> KG_Waage_Game_Fruechte::KeyPlaces() {
    std::vector<KeyPlace> places;
    if (!TakesMouse()) return places;
    for (LockedList<Weight>* list : {&balance->leftPan, &balance->rightPan, &balance->floor})
        for (Weight* w : *list)
            if (w->movable) places.push_back(PlaceOver(w->Bounds()));
    return places;
}
