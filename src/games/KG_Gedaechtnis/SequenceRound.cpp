#include "games/KG_Gedaechtnis/SequenceRound.h"

SequenceRound::SequenceRound(int buttonCount_, double showDuration_)
    : showDuration(showDuration_), buttonCount(buttonCount_) {}

// Each step lasts showDuration / L. The step clock keeps what a frame overshoots, so the whole
// showing takes showDuration however the frames fall; after a stall longer than a step the
// clock starts afresh instead of firing the missed steps one per frame.
SequenceRound::ShowStep SequenceRound::Advance(double seconds) {
    ShowStep out;
    if (!showing || sequence.empty()) return out;
    stepTimer -= seconds;
    if (stepTimer > 0) return out;
    const double step = showDuration / Length();
    stepTimer += step;
    if (stepTimer <= 0) stepTimer = step;
    if (sequencePos < Length()) {
        out.darkButton = sequence[sequencePos > 0 ? sequencePos - 1 : 0];
        out.litButton = sequence[sequencePos];
        out.litFor = step * kLitShare;
        ++sequencePos;
        // The player's turn begins the moment the last light goes out.
        if (sequencePos == Length()) stepTimer -= step * (1.0 - kLitShare);
    } else {
        sequencePos = 0;
        showing = false;
        out.turnBegins = true;
    }
    return out;
}

int SequenceRound::ExpectedButton() const {
    if (showing || sequencePos < 0 || sequencePos >= Length()) return -1;
    return sequence[sequencePos];
}

SequenceRound::Verdict SequenceRound::Judge(int button) {
    const int expected = ExpectedButton();
    if (expected < 0) return Verdict::kIgnored;
    ++judgedClicks;
    if (button != expected) return Verdict::kWrong;
    ++sequencePos;
    if (sequencePos < Length()) return Verdict::kRight;
    longestRepeated = Length();
    return Length() >= buttonCount ? Verdict::kWon : Verdict::kRepeated;
}

void SequenceRound::Grow(int button) {
    sequence.push_back(button);
    sequencePos = 0;
    showing = true;
    stepTimer = kPauseBeforeReplay;
}
