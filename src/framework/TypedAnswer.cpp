#include "framework/TypedAnswer.h"

#include <algorithm>
#include <cmath>

#include "app/AppContext.h"

TypedAnswer::TypedAnswer(int maxLength, Kind kind) : maxLength_(std::max(0, maxLength)), kind_(kind) {}

void TypedAnswer::KeyDown(uint16_t key) {
    if (key == kKeyShift) {
        shiftHeld_ = true;
        return;
    }
    if (InVerdict()) return;
    if (key == kKeyReturn) {
        enterDown_ = true;
        return;
    }
    if (key == kKeyBack) {
        if (!text_.empty()) text_.pop_back();
        return;
    }
    char c = 0;
    if (kind_ == Kind::kDigits && key >= kKey0 && key <= kKey9) {
        c = static_cast<char>(key);
    } else if (kind_ == Kind::kLetters && key >= kKeyA && key <= kKeyZ) {
        c = static_cast<char>(shiftHeld_ ? key : key + ('a' - 'A'));
    }
    if (c != 0 && Length() < maxLength_) text_ += c;
}

bool TypedAnswer::KeyUp(uint16_t key) {
    if (key == kKeyShift) {
        shiftHeld_ = false;
        return false;
    }
    if (key != kKeyReturn) return false;
    const bool seenDown = enterDown_;
    enterDown_ = false;
    return seenDown && !InVerdict() && !text_.empty();
}

void TypedAnswer::Judge(bool right, double seconds) {
    lastRight_ = right;
    verdictTime_ = std::isfinite(seconds) && seconds > 0.0 ? seconds : kVerdictSeconds;
    enterDown_ = false;
    GetAppContext()->PlaySound(right ? kSoundRight : kSoundWrong, 1.0f);
}

bool TypedAnswer::Step(double seconds) {
    if (!InVerdict()) return false;
    if (std::isfinite(seconds) && seconds > 0.0) verdictTime_ -= seconds;
    if (verdictTime_ > 0.0) return false;
    verdictTime_ = 0.0;
    text_.clear();
    return true;
}

void TypedAnswer::ReleaseKeys() {
    enterDown_ = false;
    shiftHeld_ = false;
}

void TypedAnswer::Clear() { text_.clear(); }

void TypedAnswer::SetKind(Kind kind) {
    if (kind != kind_) text_.clear();
    kind_ = kind;
}

void TypedAnswer::SetMaxLength(int maxLength) {
    maxLength_ = std::max(0, maxLength);
    if (Length() > maxLength_) text_.resize(static_cast<size_t>(maxLength_));
}

bool TypedAnswer::ShowsRightAnswer() const {
    if (!InVerdict() || lastRight_) return false;
    const int phase = static_cast<int>(std::trunc(verdictTime_ * 10.0)) % 4;
    return phase == 0 || phase == 1;
}

void TypedAnswer::DrawTick(Vec2 topLeft) {
    AppContext* app = GetAppContext();
    const Rect tick{0, 450, 50, 500};
    app->DrawSprite(app->texMisc1, &tick, nullptr, nullptr, 0.0, &topLeft, 0xFFFFFFFF);
}
