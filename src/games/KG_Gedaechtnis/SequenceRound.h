#pragma once
// The sequence of the memory game and its two phases: the game shows it, step by step over a
// fixed time whatever its length, then the player repeats it click by click. A repeated
// sequence grows by one button and is shown again after a short pause.
#include <vector>

class SequenceRound {
public:
    static constexpr int kStartLength = 4;
    static constexpr double kLitShare = 0.8;           // of a step the button is lit
    static constexpr double kPauseBeforeReplay = 1.0;  // seconds between a repeated and the longer sequence

    // What one frame of the showing does to the buttons: -1 for none.
    struct ShowStep {
        int darkButton = -1;   // the button of the previous step goes dark
        int litButton = -1;    // the button of the new step lights ...
        double litFor = 0.0;   // ... for this many seconds
        bool turnBegins = false;
    };

    enum class Verdict {
        kIgnored,   // during the showing, or with no step left to compare with
        kRight,     // the right button, more steps to go
        kRepeated,  // the last step of the sequence: grow it and show it again
        kWon,       // the last step of a sequence as long as there are buttons
        kWrong,
    };

    SequenceRound(int buttonCount, double showDuration);

    // The showing: advances the step clock by one frame. The first step comes in the first
    // frame; the player's turn begins when the light of the last step goes out.
    ShowStep Advance(double seconds);
    // The player's click on a button (its index).
    Verdict Judge(int button);
    // Appends a button to the sequence and shows it again from the start after the pause.
    void Grow(int button);

    int Length() const { return static_cast<int>(sequence.size()); }
    // The step the player must click next, or -1 while none is due.
    int ExpectedButton() const;

    std::vector<int> sequence;  // button indices, in order
    int sequencePos = 0;        // next step to show, or next step the player must click
    bool showing = true;        // clicks are ignored while the sequence is shown
    double stepTimer = 0.0;     // seconds until the next step of the showing
    double showDuration = 10.0;
    int buttonCount = 0;
    int judgedClicks = 0;       // clicks compared with a step, right or wrong
    int longestRepeated = 0;    // length of the longest sequence the player repeated
};
