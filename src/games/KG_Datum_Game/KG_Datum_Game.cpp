#include "games/KG_Datum_Game/KG_Datum_Game.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/AppContext.h"
#include "framework/Grade.h"
#include "framework/Random.h"
#include "framework/TextFormat.h"
#include "games/AnswerField.h"
#include "games/KG_Datum_Game/DateTask.h"
#include "platform/FontManager.h"

namespace {
constexpr Color kBlack = 0xFF000000;
constexpr int kWeekdayNameId = 190;  // 190 Sunday .. 196 Saturday
constexpr int kStartLineId = 197;
constexpr int kDateQuestionId = 188;
constexpr int kFormatHintId = 172;
constexpr Color kFromTodayGrey = 0xFF7A7A7A;
constexpr int kWeekdayQuestionId = 189;
// The question wraps inside this box when it is too long for one line.
constexpr int kQuestionHalfWidth = 380;
constexpr int kQuestionHalfHeight = 70;

std::string TextOr(const char* text) { return text != nullptr ? text : ""; }
}  // namespace

KG_Datum_Game::KG_Datum_Game(int level) : KG_Datum_Game(level, false, 0) {}

KG_Datum_Game::KG_Datum_Game(int level, unsigned seed) : KG_Datum_Game(level, true, seed) {}

KG_Datum_Game::KG_Datum_Game(int level_, bool seeded, unsigned seed)
    : TypedTaskGame(level_, "datum.sav", kDateDigits, kSecondsPerStep) {
    if (seeded) std::srand(seed);
    switch (level) {
        case 0: stepCount = 2, taskCount = 10, weekdayShare = 0.1, randomStart = false; break;
        case 1: stepCount = 2, taskCount = 15, weekdayShare = 0.1, randomStart = true; break;
        default: stepCount = 3, taskCount = 20, weekdayShare = 0.2, randomStart = true; break;
    }
    secondsPerGrade = kSecondsPerStep * stepCount * taskCount;
    briskSeconds = 4.0 * stepCount;  // work out each step, then type the date
    NewTask();
    playTime = 0.0;
    rightCount = wrongCount = 0;
    bigFont = MakeFont("Arial", 25);
    smallFont = MakeFont("Arial", 20);
}

void KG_Datum_Game::NewTask() {
    today = Datum::Today();
    startDate = randomStart ? Datum::RandomAround(today) : today;
    answerDate = startDate;
    weekdayTask = Random01() < weekdayShare;
    question = TextOr(app->GetText(weekdayTask ? kWeekdayQuestionId : kDateQuestionId));
    int previous = -1;
    for (int i = 0; i < stepCount; ++i) {
        const datetask::Step step = datetask::NextStep(previous, [] { return std::rand(); });
        datetask::Apply(step, answerDate);
        const char* text = app->GetText(datetask::TextIdOf(step.type));
        if (datetask::TextTakesAmount(step.type))
            question += FormatText(text, step.amount);
        else
            question += TextOr(text);
        previous = step.type;
    }
    answer.SetKind(weekdayTask ? TypedAnswer::Kind::kLetters : TypedAnswer::Kind::kDigits);
    answer.SetMaxLength(weekdayTask ? kWeekdayLetters : kDateDigits);
    answer.Clear();
    showsFormatHint = false;
}

bool KG_Datum_Game::IsRight(const std::string& typed) const {
    if (weekdayTask) {
        const int w = answerDate.weekday;
        return w >= 0 && w <= 6 && datetask::MatchesWeekday(typed, app->GetText(kWeekdayNameId + w));
    }
    const datetask::TypedDate read = datetask::ReadTypedDate(typed, today);
    return read.isDate && read.date.SameDate(answerDate);
}

bool KG_Datum_Game::Refuses(const std::string& typed) {
    showsFormatHint = !weekdayTask && !datetask::ReadTypedDate(typed, today).isDate;
    return showsFormatHint;
}

void KG_Datum_Game::OnKeyDown(uint16_t key) {
    if (Playing()) showsFormatHint = false;
    TypedTaskGame::OnKeyDown(key);
}

std::string KG_Datum_Game::DateText(const Datum& date) const {
    return FormatText("%02d.%02d.%d", date.day, date.month, date.year);
}

std::string KG_Datum_Game::FieldText() const {
    if (answer.InVerdict() && !answer.LastRight()) {
        if (!weekdayTask) return DateText(answerDate);
        const int w = answerDate.weekday;
        return w >= 0 && w <= 6 ? TextOr(app->GetText(kWeekdayNameId + w)) : std::string();
    }
    if (answer.InVerdict() && !weekdayTask) return DateText(answerDate);
    return weekdayTask ? answer.Text() : datetask::ReadTypedDate(answer.Text(), today).Text();
}

void KG_Datum_Game::Render() {
    if (!running) return;
    const int W = app->screenWidth, H = app->screenHeight;
    const float cx = static_cast<float>(W / 2);
    if (state == kStatePlaying) DrawTimePanel();

    const int w = startDate.weekday;
    const char* weekdayName = w >= 0 && w <= 6 ? app->GetText(kWeekdayNameId + w) : nullptr;
    const std::string startLine = FormatText(app->GetText(kStartLineId), weekdayName != nullptr ? weekdayName : "",
                                             startDate.day, startDate.month, startDate.year);
    fontManager->DrawTextAt(startLine.c_str(), cx, static_cast<float>(H / 2 - 150), kBlack, kTextCenter | kTextVCenter,
                            bigFont);
    fontManager->DrawTextRect(question.c_str(), W / 2 - kQuestionHalfWidth, H / 2 - kQuestionHalfHeight,
                              W / 2 + kQuestionHalfWidth, H / 2 + kQuestionHalfHeight, kBlack,
                              kTextCenter | kTextVCenter | kTextWordBreak, bigFont);

    // The answer field, stretched to what it shows; after a wrong answer field and answer blink.
    const bool wrongVerdict = answer.InVerdict() && !answer.LastRight();
    const std::string shown = FieldText();
    const float stretch = std::max(1.0f, 0.3f * static_cast<float>(shown.size()));
    const float fieldY = static_cast<float>(H / 2 + 150);
    if (answer.ShowsStruckTyped()) {
        const std::string typed = weekdayTask ? answer.Text() : datetask::ReadTypedDate(answer.Text(), today).Text();
        answerfield::DrawStruckAnswer(typed, Vec2{cx - 25.0f * stretch - 20.0f, fieldY}, smallFont);
    }
    if (wrongVerdict && !answer.ShowsRightAnswer()) return;
    answerfield::Draw(Vec2{cx, fieldY}, stretch);
    if (wrongVerdict) {
        answerfield::DrawWrongAnswer(shown, Vec2{cx, fieldY}, smallFont);
    } else if (weekdayTask || answer.InVerdict()) {
        fontManager->DrawTextAt(shown.c_str(), cx, fieldY, kBlack, kTextCenter | kTextVCenter, smallFont);
    } else {
        std::vector<std::pair<std::string, Color>> pieces;
        for (const auto& [text, fromToday] : datetask::ReadTypedDate(answer.Text(), today).pieces)
            pieces.push_back({text, fromToday ? kFromTodayGrey : kBlack});
        answerfield::DrawPieces(pieces, Vec2{cx, fieldY}, smallFont);
    }
    if (showsFormatHint)
        fontManager->DrawTextAt(TextOr(app->GetText(kFormatHintId)).c_str(), cx, fieldY + 45.0f, kBlack,
                                kTextCenter | kTextVCenter, smallFont);
    if (answer.ShowsTick()) TypedAnswer::DrawTick(Vec2{cx + 25.0f * stretch, fieldY - 25.0f});
}

const char* KG_Datum_Game::GetHelpText() { return app->GetText(171); }
const char* KG_Datum_Game::GetTitle() { return app->GetText(170); }
