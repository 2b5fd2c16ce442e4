#include "framework/TypedTaskGame.h"

#include "app/AppContext.h"
#include "framework/Grade.h"
#include "framework/TextFormat.h"

TypedTaskGame::TypedTaskGame(int level, const char* saveFile, int maxLength, double secondsPerGrade_)
    : Knobel_Game(level, saveFile), answer(maxLength), secondsPerGrade(secondsPerGrade_) {}

void TypedTaskGame::OnKeyDown(uint16_t key) {
    if (!Playing()) return;
    answer.KeyDown(key);
}

void TypedTaskGame::OnKeyUp(uint16_t key) {
    if (!Playing() || !HasTask()) return;
    if (!answer.KeyUp(key) || Refuses(answer.Text())) return;
    const bool right = IsRight(answer.Text());
    if (right)
        ++rightCount;
    else
        ++wrongCount;
    answer.Judge(right, VerdictSeconds(right));
}

void TypedTaskGame::Update() {
    // The verdict runs only while the game is played: a game left during it stays left.
    if (Playing() && answer.InVerdict()) {
        if (answer.Step(app->realFrameTime)) {
            if (Answered() < taskCount)
                NewTask();
            else
                state = kStateOver;
        }
        AdvanceTime(false);
        return;
    }
    AdvanceTime(Playing());
}

double TypedTaskGame::SecondsUntilChange() {
    if (Playing() && answer.InVerdict()) return 0.0;  // the verdict blinks and ends
    return Knobel_Game::SecondsUntilChange();
}

const char* TypedTaskGame::GetResultText() {
    const int answered = Answered();
    const int percent = answered > 0 ? rightCount * 100 / answered : 0;
    return FrameResultText({FormatText(app->GetText(30), rightCount), FormatText(app->GetText(31), wrongCount), "",
                            FormatText(app->GetText(32), percent)});
}

void TypedTaskGame::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList TypedTaskGame::GradeTerms() const {
    return StandardGrade{secondsPerGrade}.Terms(state == kStateOver, wrongCount, taskCount, Answered(), playTime);
}

PlayShape TypedTaskGame::ShapeOfPlay() { return {taskCount, briskSeconds, true}; }

void TypedTaskGame::SetPlayedResult(const PlayedResult& r) {
    rightCount = r.done - r.wrong;
    wrongCount = r.wrong;
    EndPlayed(r);
}
