#include "games/KG_Waage_Game_Fruechte/Balance.h"

#include <algorithm>
#include <cmath>

#include "app/AppContext.h"
#include "framework/Glide.h"

namespace {
constexpr double kDegrees = 0.017453292;
constexpr double kBeamRate = 1.0;
constexpr float kArm = 100.0f;
// A pan's fruit stand in rows of three from this point (relative to the beam's end), the
// rows stacked upwards.
constexpr float kRowLeft = -40.0f;
constexpr float kRowFoot = -32.5f;
constexpr float kSpacing = 50.0f;
constexpr float kRowWidth = 100.0f;

int SumOf(LockedList<Weight>& list) {
    int sum = 0;
    for (Weight* w : list) sum += w->grams;
    return sum;
}

// Each row's labels lie below its fruit: the rows stand a label's height apart, so that a label
// does not cover the fruit below it, unless so many rows would reach the texts at the top.
constexpr float kLabelRoom = 20.0f;
constexpr float kHighestFoot = 150.0f;

void LayOutPan(LockedList<Weight>& pan, Vec2 anchor) {
    const int rows = (pan.Count() + 2) / 3;
    float rowStep = kSpacing + kLabelRoom;
    if (rows > 1) rowStep = std::clamp((anchor.y + kRowFoot - kHighestFoot) / (rows - 1), kSpacing, rowStep);
    Vec2 o{0, 0};
    for (Weight* w : pan) {
        w->target = Vec2{anchor.x + kRowLeft + o.x, anchor.y + kRowFoot + o.y};
        o.x += kSpacing;
        if (o.x > kRowWidth) {
            o.x = 0;
            o.y -= rowStep;
        }
    }
}
}  // namespace

Balance::Balance(int level) : app(GetAppContext()) {
    angle = targetAngle = 0.0;
    Layout();
    held = nullptr;
    buttonDown = false;
    for (const balance::DealtWeight& d : balance::DealBalanceTask(balance::BalanceLevelOf(level), app->screenWidth)) {
        Weight* w = new Weight(d.x, kEntryY, d.grams, !d.fixed, d.picture);
        if (!d.fixed) floor.Add(w);
        else if (d.side == balance::Side::kRight) rightPan.Add(w);
        else leftPan.Add(w);
    }
    Layout();
}

Balance::~Balance() {
    delete held;
    held = nullptr;
}

int Balance::LeftSum() { return SumOf(leftPan); }
int Balance::RightSum() { return SumOf(rightPan); }

void Balance::Layout() {
    const float cx = app->screenWidth / 2, cy = app->screenHeight / 2;
    const double a = angle * kDegrees;
    const float c = static_cast<float>(std::cos(a)), s = static_cast<float>(std::sin(a));
    leftAnchor = Vec2{cx - kArm * c, cy - kArm * s};
    rightAnchor = Vec2{cx + kArm * c, cy + kArm * s};
    LayOutPan(rightPan, rightAnchor);
    LayOutPan(leftPan, leftAnchor);
    // The floor row, centred under the balance.
    const int n = floor.Count();
    const float left = app->screenWidth / 2 - kSpacing * (n - 1) / 2;
    const float y = static_cast<float>(3 * app->screenHeight / 4);
    int i = 0;
    for (Weight* w : floor) w->target = Vec2{left + kSpacing * i++, y};
}

void Balance::Update() {
    int left = 0, right = 0;
    for (Weight* w : leftPan) {
        left += w->grams;
        w->Move();
    }
    for (Weight* w : rightPan) {
        right += w->grams;
        w->Move();
    }
    for (Weight* w : floor) w->Move();
    targetAngle = balance::TargetAngle(left, right);
    angle = Glide(angle, targetAngle, app->frameTime, kBeamRate);
    Layout();
    if (held != nullptr) held->Move();
}

void Balance::Draw() {
    const float cx = app->screenWidth / 2, cy = app->screenHeight / 2;
    const Rect stand{800, 0, 884, 100};
    const Vec2 standAt{cx - 42, cy + 22.5f};
    app->DrawSprite(app->texMisc1, &stand, nullptr, nullptr, 0.0, &standAt, 0xFFFFFFFF);
    const Rect beam{500, 320, 700, 360};
    const Vec2 pivot{100, 22.5f};
    const Vec2 beamAt{cx - 100, cy};
    app->DrawSprite(app->texMisc1, &beam, nullptr, &pivot, angle * kDegrees, &beamAt, 0xFFFFFFFF);
    for (Vec2 anchor : {leftAnchor, rightAnchor}) {
        const Vec2 panAt{anchor.x - kPanJointX, anchor.y - kPanJointY};
        app->DrawSprite(app->texMisc1, &kPanRegion, nullptr, nullptr, 0.0, &panAt, 0xFFFFFFFF);
    }
    for (Weight* w : rightPan) w->Draw();
    for (Weight* w : leftPan) w->Draw();
    for (Weight* w : floor) w->Draw();
    if (held != nullptr) held->Draw();
}

void Balance::MouseDown(int x, int y) {
    // A press while a fruit is still carried (its button-up was lost) puts it down first.
    if (held != nullptr) MouseUp();
    lastMouseX = x;
    lastMouseY = y;
    buttonDown = true;
    for (LockedList<Weight>* list : {&leftPan, &rightPan, &floor}) {
        for (Weight* w : *list) {
            if (!w->movable || !w->Contains(static_cast<float>(x), static_cast<float>(y))) continue;
            list->Remove(w, false);
            // It stays where it was grabbed and from now on follows the pointer's moves.
            w->target = w->position;
            held = w;
            return;
        }
    }
}

void Balance::MouseMove(int x, int y) {
    if (buttonDown && held != nullptr)
        held->MoveTargetBy(static_cast<float>(x - lastMouseX), static_cast<float>(y - lastMouseY));
    lastMouseX = x;
    lastMouseY = y;
}

void Balance::MouseUp() {
    buttonDown = false;
    if (held == nullptr) return;
    Weight* w = held;
    held = nullptr;
    if (w->position.y > 2.0f * app->screenHeight / 3) floor.Add(w);
    else if (w->position.x > app->screenWidth / 2) rightPan.Add(w);
    else leftPan.Add(w);
}

bool Balance::IsBalanced() { return held == nullptr && floor.Empty() && LeftSum() == RightSum(); }
