#pragma once
// The one screen of the program: the menu pages, the running game with its countdown, pause,
// help and result pages, the series of all games, name input for the top-ten lists, and the
// animated mouse pointer. It is the receiver of all input for the whole run.
#include <string>
#include <vector>

#include "framework/Game.h"
#include "framework/History.h"

class Knobel_Game;
class FontManager;
struct Font;
struct ScoreEntry;
struct SeriesScoreEntry;
class Texture;

// Page ids (the id of a page's top-level element).
enum MenuPage {
    kPageNone = 0,
    kPageMain = 1,
    kPageLevel = 9,
    kPageMode = 14,
    kPageGameList = 18,
    kPageInfo = 38,
    kPageStatistics = 40,
    kPageInstructions = 43,
    kPageInGame = 45,
    kPageHelp = 50,
    kPageGameStatistics = 52,
    kPageResult = 55,
    kPageSeriesResult = 57,
    kPageSettings = 60,
};

class MainMenu : public Game {
public:
    static constexpr int kListRowIdBase = 22;  // id of a game-list row = 22 + game index
    static constexpr int kNameCapacity = 99;   // characters a typed name may hold

    MainMenu();
    ~MainMenu() override;

    void OnMouseMove(uint16_t x, uint16_t y) override;
    void OnLButtonDown(uint16_t x, uint16_t y) override;
    void OnLButtonUp(uint16_t x, uint16_t y) override;
    void OnLButtonDblClk(uint16_t x, uint16_t y) override;
    void OnRButtonDown(uint16_t x, uint16_t y) override;
    void OnRButtonUp(uint16_t x, uint16_t y) override;
    void OnKeyDown(uint16_t key) override;
    void OnKeyUp(uint16_t key) override;
    void OnMouseWheel(uint32_t wheelParam) override;
    void OnChar(uint8_t character) override;
    void OnFocusLost() override;

    void Update() override;
    void Render() override;
    double SecondsUntilChange() override;

    // The painters of the twelve pages (hook k paints the page in slot k and its buttons).
    void OnDrawElement0(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;
    void OnDrawElement1(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;
    void OnDrawElement2(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;
    void OnDrawElement3(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;
    void OnDrawElement4(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;
    void OnDrawElement5(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;
    void OnDrawElement6(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;
    void OnDrawElement7(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;
    void OnDrawElement8(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;
    void OnDrawElement9(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;
    void OnDrawElement10(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;
    void OnDrawElement11(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;
    void OnDrawElement12(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override;

    void OnLostDevice() override;
    void OnResetDevice() override;

    // Shows the page with that id alone (0 or an id without a page hides all pages).
    void ShowPage(int id);
    // Deletes the previous game and constructs the game of that list index after a countdown.
    void StartGame(int index);
    // Draws the mouse pointer; the frame calls it after Render.
    void PaintCursor();
    // A game is being played: its countdown is over and no page covers it.
    bool GamePlayed() const { return GameTakesInput(); }

    int listFirst = 0;
    int listLastRow = 6;
    double resultDelay = 2.0;
    double countdown = 0.0;
    bool seriesMode = false;
    int gameIndex = 0;
    int currentPage = kPageMain;
    double pressFade = 0.0;
    double pressFadeMax = 0.1;
    bool buttonHeld = false;
    Knobel_Game* game = nullptr;
    Font* buttonFont = nullptr;
    Font* smallFont = nullptr;
    Font* titleFont = nullptr;
    Font* countdownFont = nullptr;
    FontManager* fontManager = nullptr;
    int level = 0;
    ScoreEntry* gameEntry = nullptr;
    SeriesScoreEntry* seriesEntry = nullptr;
    double seriesTime = 0.0;
    double seriesBest = 6.0;
    double seriesWorst = 1.0;
    double seriesSum = 0.0;
    int seriesCount = 0;
    int backdrop = 4;
    bool resultShown = false;
    // Every booked result, for the plots of the statistics pages; loaded at construction.
    History history;
    bool showPlot = false;         // the statistics pages show the plots instead of the lists
    int resultNote = 0;            // text id of the note on the result page, 0: none
    double resultNoteAverage = 0;  // the average that note compares with
    bool muteKeyDown = false;  // a mute key is held: its repeats and its release are swallowed

private:
    // Where the left button went down: a button acts only when it comes up on the same one,
    // and a press the game took gives the game its release.
    int pressedId_ = 0;          // the element pressed, 0: none
    int pressedPage_ = kPageNone;
    bool pressInGame_ = false;

    // MenuPages.cpp: building the pages.
    void BuildPages();
    void BuildGameList();
    GUIElement* AddPage(int pageId);
    void AddButton(GUIElement* page, int buttonId, Rect src, int x, int y);
    // MenuPaint.cpp: painting.
    void PaintElement(GUIElement* e, Rect src, Vec2 pos, Vec2 scale);
    void PaintPage(GUIElement* page, Rect src, Vec2 pos);
    void PaintButton(GUIElement* button, Rect src, Vec2 pos);
    void PaintTitle(const char* text, Vec2 pos, int width);
    void PaintVersion();
    void PaintStatisticsPage(Vec2 pos, int width, int height);
    void PaintResultPage(Vec2 pos, int width, int height);
    void PaintSeriesResultPage(Vec2 pos, int width, int height);
    void DrawVeil(Texture* texture, unsigned color);
    void DrawBackdrop();
    void DrawCountdown();
    // MenuInput.cpp: input.
    // Hit-tests the visible page; forwards the event to the game when no page took it.
    bool PageTookMouse();
    void PressLeftButton(uint16_t x, uint16_t y, bool doubleClick);
    bool GameTakesInput() const;
    bool GameIsOver() const;  // played to one of its ends
    void SuspendGameInput();
    void PerformAction(int id);
    bool NameInputActive() const;
    void EditName(ScoreEntry* entry, uint16_t key);
    void BookTypedEntries();
    void EnterName();
    void TogglePause();
    void ToggleHelp();
    void Scroll(int delta);
    // SettingsPage.cpp: the settings page and muting.
    void PaintSettingsPage(Vec2 pos, int width);
    bool SettingsButtonLabel(int id, std::string& label) const;
    void PerformSettingsAction(int id);
    // M (unless letters are being typed) and F2 mute and unmute; true when the key did so.
    bool HandleMuteKey(uint16_t key);
    void ToggleMute();
    void PaintMuteMark();
    // MainMenu.cpp: the course of a game and of a series.
    void StartSeries();
    void FinishResult();
    void FinishSeriesResult();
    void GoToNextGame();
    int DropGame(bool gradeFirst);
    void ResetAllStatistics();
    void HandleFinishedGame();
    void HandleAbortedGame();
    double SeriesGrade(bool aborted) const;
    // MenuHistory.cpp: the history of results, its plots and the result note.
    void RecordGameResult();
    void RecordSeriesResult(double grade, bool aborted);
    void PaintGamePlot(Vec2 pos, int width, int height);
    void PaintAllPlots(Vec2 pos, int width, int height);
    void PaintResultNote(Vec2 pos, int width, int height);

public:
    bool showGradeWhy = false;  // the result page shows the terms of the grade

private:
    // GradeBreakdown.cpp: why the grade on the result page is what it is.
    bool HandleGradeWhyKey(uint16_t key);
    void PaintGradeWhyLabel(Vec2 pos, int width, int height, bool hovered);
    void PaintGradeBreakdown(Vec2 pos, int width, int height);

public:
    // A result of 4.0 or better is celebrated (sound and confetti).
    static bool IsGoodResult(double grade) { return grade <= 4.0; }
    // The series' place: the number of the running game and how many games a series has.
    int SeriesGameNumber() const;
    int SeriesGameTotal() const;
    double seriesGrade = 6.0;      // the grade the last series was booked with
    bool seriesLeftEarly = false;  // the last series was left before its last game

private:
    // MenuSeries.cpp: the end of a series, leaving a game, the name input and the rules page.
    void EndSeries(bool aborted);
    void CloseSeries();
    void LeaveBeforeTheStart();
    void SkipName();
    void CloseHelp();
    double GameSecondsUntilChange();
    double CaretSecondsUntilChange() const;
    void WidenLanguageButtons();
    // MenuShellPaint.cpp: what the pages and the game screen show of it.
    void PaintSeriesLine();
    void PaintCountdownSeries();
    void PaintNameLine(const ScoreEntry& entry, int x, int top, int width, int bottom);
    void PaintPlainPanel(Vec2 pos, int width);
    void PaintListLevel(Vec2 pos, int width);
    void PaintGameStatisticsPage(Vec2 pos, int width, int height);
    std::string TopTenLevel(const ScoreEntry& entry) const;

    double caretClock_ = 0.0;         // runs while a name is typed; the caret blinks with it
    int helpOpenedFrom_ = kPageNone;  // the page the rules return to; none: the game
    uint16_t nameEndKey_ = 0;         // the key that ended a name input, until it comes up
    // MenuFocus.cpp: the keyboard focus of the pages.
public:
    // The focused button of the visible page (0: none). Arrows and Tab move it, Enter and
    // Space press it, the pointer takes it along.
    int focusId = 0;
    // The buttons of the visible page in the order the focus visits them (the game list: all
    // games, shown or not, then its back button).
    std::vector<int> FocusOrder() const;

private:
    uint16_t pressKey_ = 0;  // Enter or Space went down on the focused button, 0: none
    int pressKeyPage_ = kPageNone;
    int pressKeyFocus_ = 0;
    int pointerX_ = -1, pointerY_ = -1;  // where the pointer was last reported, -1: not yet

    GUIElement* VisiblePage() const;
    GUIElement* FindButton(int id) const;
    void FocusFirstButton();
    void MoveFocus(int step);
    void FocusListRow(int game);
    void PageListFocus(int direction);
    void FocusAfterScroll();
    void FocusPointedButton();
    bool FocusKeyDown(uint16_t key);
    bool FocusKeyUp(uint16_t key);
    bool PressBackButton();
    bool HasFocus(const GUIElement* button) const;
    void PaintFocusRing();
};
