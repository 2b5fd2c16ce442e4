#include "gui/MenuLayout.h"

#include "app/AppContext.h"
#include "gui/MainMenu.h"

const PageLayout kPages[kPageCount] = {
    {kPageMain, 0, {0, 0, 400, 600}, -200, -300, PanelSheet::kMenu1, -1},
    {kPageMode, 1, {350, 600, 750, 900}, -200, -150, PanelSheet::kMenu1, 6},
    {kPageGameList, 2, {0, 0, 400, 700}, -200, -350, PanelSheet::kMenu3, 7},
    {kPageInfo, 3, {0, 600, 350, 1000}, -175, -200, PanelSheet::kMenu1, 10},
    {kPageStatistics, 4, {0, 0, 800, 600}, -400, -300, PanelSheet::kMenu2, 9},
    {kPageInGame, 5, {0, 600, 350, 1000}, -175, -200, PanelSheet::kMenu1, 12},
    {kPageHelp, 6, {0, 0, 800, 600}, -400, -300, PanelSheet::kMenu2, 11},
    {kPageGameStatistics, 7, {0, 0, 800, 600}, -400, -300, PanelSheet::kMenu2, 9},
    {kPageResult, 8, {400, 0, 1000, 450}, -300, -225, PanelSheet::kMenu1, -1},
    {kPageLevel, 9, {350, 600, 750, 900}, -200, -150, PanelSheet::kMenu1, 58},
    {kPageSeriesResult, 10, {400, 0, 1000, 450}, -300, -225, PanelSheet::kMenu1, 64},
    {kPageInstructions, 11, {0, 0, 800, 600}, -400, -300, PanelSheet::kMenu2, 11},
    {kPageSettings, 12, {0, 0, 800, 600}, -400, -300, PanelSheet::kMenu2, 160},
};

const ButtonLayout kButtons[] = {
    {kPageMain, kBtnPlay, kBigButton, 50, 150, 6},
    {kPageMain, kBtnStatistics, kBigButton, 50, 210, 9},
    {kPageMain, kBtnInstructions, kBigButton, 50, 270, 11},
    {kPageMain, kBtnInfo, kBigButton, 50, 330, 10},
    {kPageMain, kBtnSettings, kBigButton, 50, 390, 160},
    {kPageMain, kBtnQuit, kBigButton, 50, 450, 1},
    {kPageMain, kBtnGerman, kLanguageButton, 76, 552, -1},
    {kPageMain, kBtnEnglish, kLanguageButton, 224, 552, -1},
    {kPageMode, kBtnSeries, kBigButton, 50, 75, 8},
    {kPageMode, kBtnSingle, kBigButton, 50, 150, 7},
    {kPageMode, kBtnModeBack, kSmallButton, 50, 225, 0},
    {kPageGameList, kBtnListBack, kSmallButton, 150, 625, 0},
    {kPageGameList, kBtnScrollUp, kScrollUpButton, 175, 75, -1},
    {kPageGameList, kBtnScrollDown, kScrollDownButton, 175, 560, -1},
    {kPageInfo, kBtnInfoBack, kIconButton, 10, 332, -1},
    {kPageStatistics, kBtnStatisticsBack, kIconButton, 50, 525, -1},
    {kPageStatistics, kBtnResetAll, kWideButton, 600, 525, 98},
    {kPageStatistics, kBtnStatisticsPlot, kBigButton, 250, 525, 86},
    {kPageInGame, kBtnResume, kBigButton, 25, 75, 3},
    {kPageInGame, kBtnHelp, kBigButton, 25, 150, 11},
    {kPageInGame, kBtnGameStatistics, kBigButton, 25, 225, 9},
    {kPageInGame, kBtnAbort, kBigButton, 25, 300, 4},
    {kPageHelp, kBtnHelpBack, kIconButton, 50, 525, -1},
    {kPageGameStatistics, kBtnGameStatisticsBack, kIconButton, 50, 525, -1},
    {kPageGameStatistics, kBtnResetGame, kWideButton, 600, 525, 99},
    {kPageGameStatistics, kBtnGamePlot, kBigButton, 250, 525, 86},
    {kPageResult, kBtnResultOk, kIconButton, 455, 375, -1},  // clear of the main page's Quit below
    {kPageResult, kBtnGradeWhy, kWideButton, 295, 375, -1},
    {kPageLevel, kBtnLevelEasy, kBigButton, 50, 75, 59},
    {kPageLevel, kBtnLevelMedium, kBigButton, 50, 125, 60},
    {kPageLevel, kBtnLevelHard, kBigButton, 50, 175, 61},
    {kPageLevel, kBtnLevelBack, kSmallButton, 50, 225, 0},
    {kPageSeriesResult, kBtnSeriesOk, kIconButton, 455, 375, -1},  // (a double click)
    {kPageInstructions, kBtnInstructionsBack, kIconButton, 50, 525, -1},
    {kPageSettings, kBtnVolumeDown, kSmallButton, 430, 110, -1},
    {kPageSettings, kBtnVolumeUp, kSmallButton, 630, 110, -1},
    {kPageSettings, kBtnIntro, kBigButton, 430, 190, -1},
    {kPageSettings, kBtnFullScreen, kBigButton, 430, 270, -1},
    {kPageSettings, kBtnLanguage, kBigButton, 430, 350, -1},
    {kPageSettings, kBtnSymbols, kBigButton, 430, 430, -1},
    {kPageSettings, kBtnSettingsBack, kIconButton, 50, 525, -1},
};
const int kButtonCount = static_cast<int>(sizeof kButtons / sizeof kButtons[0]);

const int kPaintOrder[kPageCount] = {0, 1, 2, 3, 4, 9, 11, 12, 5, 6, 7, 8, 10};

const PageLayout* FindPage(int id) {
    for (const PageLayout& p : kPages)
        if (p.id == id) return &p;
    return nullptr;
}

Texture* PanelTexture(const AppContext& app, PanelSheet sheet) {
    switch (sheet) {
        case PanelSheet::kMenu1: return app.texMenu1;
        case PanelSheet::kMenu2: return app.texMenu2;
        case PanelSheet::kMenu3: return app.texMenu3;
    }
    return nullptr;
}
