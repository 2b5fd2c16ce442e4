#pragma once
// Base of all mini-games: state, level, play time, grade, the game's statistics record with
// its top-ten list (loaded from and saved to the game's ".sav" file), the default font and
// the text operations through which the menu shows a game without knowing it.
#include <bitset>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/Game.h"
#include "framework/GradeTerms.h"
#include "framework/KeyCursor.h"
#include "framework/Statistics.h"

class FontManager;
struct Font;

// Every game keeps the fairness rule (finishing never grades worse than leaving early at the
// same pace and accuracy, better play never grades worse, a brisk flawless game reaches 1.5),
// and describes its play so that the rule can be checked on its own grade formula.
// A whole flawless game at a level: its steps (tasks, boards, pairs, moves, sequences, ...), a
// brisk human pace in seconds per step, whether a mistake lets the game go on, and whether each
// step is credited as done (a right answer, a pair found) rather than only leading there (a
// move, a guess).
struct PlayShape {
    int steps = 0;
    double pace = 1.0;
    bool mistakes = true;
    bool credited = true;
};
// A result as a player could have made it: steps done, mistakes made alongside, played to the
// end or left early, at a pace in seconds per step.
struct PlayedResult {
    bool finished = false;
    int done = 0;
    int wrong = 0;
    double pace = 1.0;
};

enum GameState {
    kStateOver = 0,      // played to the end
    kStateOverOther = 2, // the game's second ending; treated like kStateOver
    kStateAborted = 4,   // left early by the player
    kStatePlaying = 6,
    kStatePaused = 7,    // a menu page covers the game; Update is not called
};

class Knobel_Game : public Game {
public:
    Knobel_Game(int level, const char* saveFileName);
    ~Knobel_Game() override;

    void OnLostDevice() override;
    void OnResetDevice() override;
    // A quick second click is a click like any other: it reaches the game as a button-down.
    void OnLButtonDblClk(uint16_t x, uint16_t y) override { OnLButtonDown(x, y); }

    virtual void Start();
    virtual int GetState();
    virtual void SetState(int newState);
    virtual const char* GetHelpText();
    virtual const char* GetStatisticsText();
    virtual const char* GetResultText();
    virtual const char* GetTitle();
    virtual void ComputeGrade();
    // Draws the rules word-wrapped into the help panel.
    virtual void DrawHelp(GUIElement* element, Rect rect, Vec2 position, Vec2 scale, Font* font);
    virtual bool AllowsHelpKey();
    // While the game is played its time panel turns every second; a game with timers of its
    // own (pauses, verdicts, showings) asks for every frame while one runs.
    double SecondsUntilChange() override;
    // True while the player holds a piece with the left button. Before the game stops getting
    // input (pause, help), the menu hands it the button-up at the last mouse position, so the
    // piece is dropped by the game's own rules and never lost.
    virtual bool HoldsPiece() const { return false; }
    // Whether a click now counts in the game; the menu sounds only clicks that do.
    virtual bool TakesClicks() const { return true; }
    // The game stops getting input for a while (pause, help): it forgets keys it saw go down,
    // since their key-ups will not reach it.
    virtual void OnInputSuspended() {}
    // The game's play at its level (see PlayShape); steps 0 while it does not describe it.
    virtual PlayShape ShapeOfPlay() { return {}; }
    // Puts the game into the state its own play would have left after that result (the play
    // time done * pace unless the game counts time otherwise), so that ComputeGrade grades it.
    // Only for a game that is not being played.
    virtual void SetPlayedResult(const PlayedResult& result) { EndPlayed(result); }
    // The right and wrong answers of a game that counts them (for the history of results).
    virtual bool CountsAnswers(int& right, int& wrong) const { return false; }

    bool QualifiesForTopTen();
    ScoreEntry* CreateEntry();         // the caller owns it until AddEntry
    void AddEntry(ScoreEntry* entry);  // the top-ten list takes it
    double GetGrade() const { return grade; }
    double GetPlayTime() const { return playTime; }
    void ResetStatistics();
    void DisableSaving() { saveOnExit = false; }

    int state = kStatePlaying;
    double playTime = 0.0;
    int level = 0;
    bool running = false;
    bool saveOnExit = true;
    FontManager* fontManager = nullptr;
    Font* font = nullptr;
    char saveFileName[1000] = {};
    GameStatistics gameStatistics;
    double grade = 6.0;

protected:
    // Input counts only while the game is being played: started, and neither paused nor over.
    bool Playing() const { return running && state == kStatePlaying; }
    // While a page pauses the game (Escape, the rules, or the window losing focus), the game
    // stays in view beside it, but nothing the player must remember may show: a memory game
    // draws its open cards face down, its lights out and its patterns hidden while this holds.
    bool Concealed() const { return state == kStatePaused; }
    // A font of the game's own, made once (in the constructor) and kept until the game is
    // deleted; the base passes device loss and reset on to it.
    Font* MakeFont(const char* faceName, double height);
    // The time panel every game shows while it is played: the wide panel at the top centre
    // with the running time in it.
    void DrawTimePanel();
    // The common frame of a result text: the playing time (text firstLineId), the game's own
    // lines, an empty line and the grade.
    const char* FrameResultText(std::initializer_list<std::string> lines, int firstLineId = 22);
    // Adds the frame time to the statistics time (every frame) and to playTime while playing.
    void AdvanceTime(bool countPlayTime);
    // The end of a played result: over or left, and its play time.
    void EndPlayed(const PlayedResult& r) {
        state = r.finished ? kStateOver : kStateAborted;
        playTime = r.done * r.pace;
    }

    std::string resultText_;
    std::string statisticsText_;

private:
    std::vector<std::unique_ptr<Font>> ownFonts_;

public:
    // The terms the grade adds up (see GradeTerms.h), from the game as it stands; a game's
    // ComputeGrade is GradeOfTerms of them. Without terms of its own a game has no result.
    virtual GradeTermList GradeTerms() const { return NoResultTerms(); }
    // Where the player is in a game of several tasks, rounds or boards: the one being played
    // (counted from 1) and how many the level has; false for a game of one board or puzzle.
    virtual bool TaskProgress(int& current, int& total) const { return false; }
    // The progress line ("Task %d of %d") and the rules' sentence on how many there are ("%d
    // tasks"), as text ids: the word fits the game (tasks, rounds, sequences, patterns).
    virtual int TaskProgressTextId() const { return kTextTaskOf; }
    virtual int TaskCountTextId() const { return kTextTaskCount; }
    // The rules with the sentence on how many tasks the level has.
    std::string RulesText();

    static constexpr int kTextTaskOf = 450, kTextRoundOf = 451, kTextSequenceOf = 452, kTextPatternOf = 453;
    static constexpr int kTextTaskCount = 454, kTextRoundCount = 455, kTextSequenceCount = 456,
                         kTextPatternCount = 457;

protected:
    // The progress line under the time panel, the same in every game that reports one.
    void DrawTaskProgress();

public:
    // Books the grade into the game's record and the totals and writes the record, once (unless
    // saving was disabled): the menu calls it as the result page appears; a game not booked by
    // then books itself when it is deleted.
    void BookResult();

    // ---- Play by keys ----
    // The places the keyboard cursor visits, on the screen; none while the game is played by
    // typing (then every key goes to the game as it is).
    virtual std::vector<KeyPlace> KeyPlaces() { return {}; }
    // Whether a piece carried by keys moves freely in steps of the arrows (Shift: fine steps)
    // rather than from place to place.
    virtual bool CarriesFreely() const { return false; }
    // Whether the cursor takes the key now; the game gets the others. Arrows, Space and Enter.
    virtual bool CursorTakesKey(uint16_t key) const;
    // The cursor went to another place by keys (not carrying).
    virtual void OnKeyCursorMoved(int x, int y) {}
    // A key from the menu: the cursor's keys move it or act, the others go to OnKeyDown/OnKeyUp.
    void KeyDown(uint16_t key);
    void KeyUp(uint16_t key);
    // The ring round the cursor's place, while keys play.
    void DrawKeyCursor();
    // The real pointer moved: a piece carried by keys is put down where it is, the cursor hides.
    void MouseTookOver();
    const KeyCursorState& KeyCursor() const { return keyCursor_; }
    // The text that names the game's keys, appended to its rules; 0 for none.
    virtual int KeysTextId() const { return 0; }
    // The rules with the keys line after them.
    const char* HelpWithKeys();

private:
    void MoveKeyCursor(KeyDirection direction, const std::vector<KeyPlace>& places);
    void ActOnKeyCursor(const std::vector<KeyPlace>& places);
    void PointerTo(int x, int y);
    KeyCursorState keyCursor_;
    std::string helpWithKeys_;
    std::bitset<256> cursorKeysDown_;  // key-downs the cursor took: their key-ups are its own
};
