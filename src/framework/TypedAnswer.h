#pragma once
// The answer a player types in the games that ask for a number (or a word): characters are
// collected on key-down (keypad digits arrive as digits), Backspace removes the last one, and
// Enter is judged on key-up, but only when this entry saw that Enter go down (the key-up of
// the full-screen switch or of an Enter pressed before the game took input is not an answer).
// A verdict pause of two seconds follows each answer, in which keys are ignored: a right
// answer shows a tick mark, after a wrong one the right answer blinks.
#include <cstdint>
#include <string>

#include "framework/Types.h"

class TypedAnswer {
public:
    enum class Kind { kDigits, kLetters };
    static constexpr double kVerdictSeconds = 2.0;
    static constexpr Color kWrongAnswerColor = 0xFFFF7F7F;
    static constexpr int kSoundRight = 1;
    static constexpr int kSoundWrong = 11;

    explicit TypedAnswer(int maxLength, Kind kind = Kind::kDigits);

    // Digits (or letters, upper case while Shift is held) are appended up to the length
    // limit; Backspace removes the last character. Ignored while a verdict shows.
    void KeyDown(uint16_t key);
    // True when this key-up is an Enter that completes an answer: its key-down was seen, at
    // least one character is typed and no verdict shows. The game then judges it.
    bool KeyUp(uint16_t key);
    // Starts the verdict pause with its sound (1 right, 11 wrong); a game may show a right
    // answer for a shorter time.
    void Judge(bool right, double seconds = kVerdictSeconds);
    // Counts the verdict down; true in the frame in which it ends. The typed text is cleared
    // then, ready for the next task.
    bool Step(double seconds);
    // The game stops getting input for a while: keys held down are forgotten, so a Shift or
    // Enter released meanwhile does not stick.
    void ReleaseKeys();

    void Clear();
    void SetKind(Kind kind);
    void SetMaxLength(int maxLength);

    const std::string& Text() const { return text_; }
    int Length() const { return static_cast<int>(text_.size()); }
    bool InVerdict() const { return verdictTime_ > 0.0; }
    double VerdictTime() const { return verdictTime_; }
    bool LastRight() const { return lastRight_; }
    bool ShiftHeld() const { return shiftHeld_; }
    // What the answer field shows: the typed text except while a wrong answer is judged; the
    // tick mark after a right answer; the right answer in the blinking phases after a wrong
    // one (two frames in four tenths of a second).
    bool ShowsTyped() const { return !InVerdict() || lastRight_; }
    bool ShowsTick() const { return InVerdict() && lastRight_; }
    bool ShowsRightAnswer() const;

    // The tick mark of a right answer, unscaled with its top-left corner at the point.
    static void DrawTick(Vec2 topLeft);

private:
    int maxLength_;
    Kind kind_;
    std::string text_;
    bool enterDown_ = false;
    bool shiftHeld_ = false;
    double verdictTime_ = 0.0;
    bool lastRight_ = false;

public:
    // After a wrong answer the typed text stays in view, struck through, beside the right one.
    bool ShowsStruckTyped() const { return InVerdict() && !lastRight_ && !text_.empty(); }
};
