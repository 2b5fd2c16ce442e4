#pragma once
// The layout of the menu pages and their buttons: one table each, used for building the
// pages, for painting them and for showing them.
#include "framework/Types.h"

struct AppContext;
class Texture;

enum class PanelSheet { kMenu1, kMenu2, kMenu3 };

struct PageLayout {
    int id;
    int slot;          // entry of Game::elements; the page is painted by draw hook `slot`
    Rect src;          // panel picture, also the page's size
    int offsetX;       // position relative to the screen centre
    int offsetY;
    PanelSheet sheet;
    int titleTextId;   // -1: no title, or a title the painter finds itself
};

struct ButtonLayout {
    int page;
    int id;
    Rect src;          // on the menu2 sheet; the hover picture lies directly below
    int x, y;          // relative to the page
    int labelTextId;   // -1: no label
};

// Button ids.
enum MenuButton {
    kBtnPlay = 2, kBtnQuit = 3, kBtnStatistics = 4, kBtnInstructions = 5, kBtnInfo = 6,
    kBtnGerman = 7, kBtnEnglish = 8,
    kBtnLevelBack = 10, kBtnLevelEasy = 11, kBtnLevelMedium = 12, kBtnLevelHard = 13,
    kBtnModeBack = 15, kBtnSeries = 16, kBtnSingle = 17,
    kBtnListBack = 19, kBtnScrollUp = 20, kBtnScrollDown = 21,
    kBtnInfoBack = 39, kBtnStatisticsBack = 41, kBtnResetAll = 42, kBtnInstructionsBack = 44,
    kBtnResume = 46, kBtnHelp = 47, kBtnGameStatistics = 48, kBtnAbort = 49,
    kBtnHelpBack = 51, kBtnGameStatisticsBack = 53, kBtnResetGame = 54,
    kBtnResultOk = 56, kBtnSeriesOk = 58,
    kBtnSettings = 68, kBtnVolumeDown = 61, kBtnVolumeUp = 62, kBtnIntro = 63, kBtnFullScreen = 64,
    kBtnLanguage = 65, kBtnSymbols = 66, kBtnSettingsBack = 67,
    kBtnStatisticsPlot = 70, kBtnGamePlot = 71,  // switch between the lists and the plots
    kBtnGradeWhy = 72,  // the result page: why this grade, and back
};

constexpr int kPageCount = 13;
// In slot order.
extern const PageLayout kPages[kPageCount];
// The fixed buttons, page by page in building order (the game list is built apart: its rows,
// then its back button and the scroll buttons that have something to scroll to).
extern const ButtonLayout kButtons[];
extern const int kButtonCount;
// The order in which visible pages are drawn.
extern const int kPaintOrder[kPageCount];

const PageLayout* FindPage(int id);
Texture* PanelTexture(const AppContext& app, PanelSheet sheet);

constexpr Rect kBigButton{0, 700, 300, 750};
constexpr Rect kSmallButton{300, 700, 400, 750};
constexpr Rect kIconButton{250, 600, 300, 650};
constexpr Rect kLanguageButton{600, 600, 624, 624};
constexpr Rect kScrollUpButton{700, 700, 750, 750};
constexpr Rect kScrollDownButton{750, 700, 800, 750};
constexpr Rect kWideButton{50, 600, 200, 650};
