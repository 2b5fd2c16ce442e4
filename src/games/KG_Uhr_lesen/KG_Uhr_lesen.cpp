#include "games/KG_Uhr_lesen/KG_Uhr_lesen.h"

#include <cstdlib>
#include <vector>

#include "app/AppContext.h"
#include "framework/Grade.h"
#include "framework/TextFormat.h"
#include "games/AnswerField.h"
#include "games/KG_Uhr_lesen/ClockMath.h"
#include "platform/FontManager.h"

namespace {
constexpr Color kWhite = 0xFFFFFFFF;
constexpr Color kBlack = 0xFF000000;
constexpr Rect kField{100, 450, 150, 500};
constexpr double kClockSize = 200.0;
// The first level's two clocks are larger, so that a dial reads to the minute at a glance.
constexpr double kLargeClockSize = 300.0;
constexpr float kInputStretch = 1.5f;
}  // namespace

KG_Uhr_lesen::KG_Uhr_lesen(int level) : KG_Uhr_lesen(level, false, 0) {}

KG_Uhr_lesen::KG_Uhr_lesen(int level, unsigned seed) : KG_Uhr_lesen(level, true, seed) {}

KG_Uhr_lesen::KG_Uhr_lesen(int level_, bool seeded, unsigned seed)
    : TypedTaskGame(level_, "uhr.sav", kMaxDigits, kSecondsPerClock) {
    if (seeded) std::srand(seed);
    switch (level) {
        case 0: clockCount = 2, taskCount = 5; break;
        case 1: clockCount = 2, taskCount = 10; break;
        default: clockCount = 3, taskCount = 15; break;
    }
    secondsPerGrade = kSecondsPerClock * clockCount * taskCount;
    briskSeconds = 4.0 * clockCount;  // read each clock, add up and type
    clockFont = MakeFont("Arial", 40);
    labelFont = MakeFont("Arial", level == 0 ? 30 : 22);
    dialFont = level == 0 ? MakeFont("Arial", 60) : clockFont;
    playTime = 0.0;
    state = kStatePlaying;
    NewTask();
    rightCount = wrongCount = 0;
}

KG_Uhr_lesen::~KG_Uhr_lesen() {
    clocks.Clear(true);
    plusSigns.Clear(true);
    minusSigns.Clear(true);
}

// The clocks stand evenly across the middle three quarters of the screen (the larger clocks of
// the first level across the middle half) at a third of its height, the signs halfway between
// them. At the first level all clocks of a task are of one kind; above it each clock draws its
// own.
void KG_Uhr_lesen::NewTask() {
    clocks.Clear(true);
    plusSigns.Clear(true);
    minusSigns.Clear(true);
    const int W = app->screenWidth, H = app->screenHeight;
    const double span = level == 0 ? 0.5 : 0.75;
    const double stepX = W * span / (clockCount - 1);
    double x = W * (1.0 - span) / 2.0;
    const double size = level == 0 ? kLargeClockSize : kClockSize;
    const double y = H / 3.0;
    const int kind = level == 0 ? std::rand() % 2 : 2;
    int first = 0;
    std::vector<clockmath::Term> terms;
    for (int i = 0; i < clockCount; ++i) {
        Clock* clock = new Clock(static_cast<float>(x), static_cast<float>(y), kind, size);
        clocks.Add(clock);
        if (i == 0) {
            first = clock->MinutesOfDay();
        } else {
            const bool plus = std::rand() % 2 == 0;
            Vec2* sign = new Vec2{static_cast<float>(x - stepX / 2), static_cast<float>(y)};
            (plus ? plusSigns : minusSigns).Add(sign);
            terms.push_back({plus, clock->MinutesOfDay()});
        }
        x += stepX;
    }
    answerMinutes = clockmath::TaskAnswer(first, terms);
    answer.Clear();
}

bool KG_Uhr_lesen::IsRight(const std::string& typed) const {
    return clockmath::TypedMinutes(typed) == answerMinutes;
}

void KG_Uhr_lesen::DrawSignField(const Vec2& centre, const char* sign) {
    const Vec2 topLeft{centre.x - 25.0f, centre.y - 25.0f};
    app->DrawSprite(app->texMisc1, &kField, nullptr, nullptr, 0.0, &topLeft, kWhite);
    fontManager->DrawTextAt(sign, centre.x, centre.y, kBlack, kTextCenter | kTextVCenter, clockFont);
}

void KG_Uhr_lesen::Render() {
    if (!running) return;
    const int W = app->screenWidth, H = app->screenHeight;
    const float cx = static_cast<float>(W / 2), cy = static_cast<float>(H / 2);
    if (state == kStatePlaying) DrawTimePanel();
    for (Vec2* q : plusSigns) DrawSignField(*q, "+");
    for (Vec2* q : minusSigns) DrawSignField(*q, "-");
    for (Clock* clock : clocks) clock->Draw(dialFont, labelFont);
    fontManager->DrawTextAt("=", cx, cy + 50.0f, kBlack, kTextCenter | kTextVCenter, clockFont);

    const Vec2 p{cx, cy + 150.0f};
    answerfield::Draw(p, kInputStretch);
    if (answer.ShowsTyped()) {
        int hours = 0, minutes = 0;
        clockmath::SplitTyped(answer.Text(), hours, minutes);
        fontManager->DrawTextAt(clockmath::TimeText(hours, minutes).c_str(), p.x, p.y, kBlack,
                                kTextCenter | kTextVCenter, font);
    }
    if (answer.ShowsTick()) TypedAnswer::DrawTick(Vec2{p.x + 25.0f * kInputStretch, p.y - 25.0f});
    if (answer.ShowsRightAnswer()) {
        answerfield::DrawWrongAnswer(clockmath::SpacedTimeText(answerMinutes / 60, answerMinutes % 60), p, font);
    }
    if (answer.ShowsStruckTyped()) {
        int hours = 0, minutes = 0;
        clockmath::SplitTyped(answer.Text(), hours, minutes);
        answerfield::DrawStruckAnswer(clockmath::TimeText(hours, minutes), Vec2{p.x - 25.0f * kInputStretch - 20.0f, p.y},
                                      font);
    }
}

const char* KG_Uhr_lesen::GetHelpText() { return app->GetText(111); }
const char* KG_Uhr_lesen::GetTitle() { return app->GetText(110); }
