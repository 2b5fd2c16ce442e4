// The keyboard focus of the pages: its order on every page, pressing, Escape, the game list's
// scrolling, the pointer taking it along, and the keys that must reach a game or a name.
#include <string>
#include <vector>

#include "gui/MenuFixture.h"
#include "gui/MenuLayout.h"
#include "platform/Texture.h"

class MenuFocusTest : public MenuTest {
protected:
    static int Row(int game) { return MainMenu::kListRowIdBase + game; }
};

TEST_F(MenuFocusTest, EveryPageStartsOnItsFirstButtonAndTheKeysWalkItsReadingOrderRound) {
    std::vector<int> list(kGameCount + 1, kBtnListBack);
    for (int g = 0; g < kGameCount; ++g) list[g] = Row(g);
    const std::vector<std::pair<int, std::vector<int>>> pages = {
        {kPageMain, {kBtnPlay, kBtnStatistics, kBtnInstructions, kBtnInfo, kBtnSettings, kBtnQuit, kBtnGerman, kBtnEnglish}},
        {kPageLevel, {kBtnLevelEasy, kBtnLevelMedium, kBtnLevelHard, kBtnLevelBack}},
        {kPageMode, {kBtnSeries, kBtnSingle, kBtnModeBack}}, {kPageInfo, {kBtnInfoBack}},
        {kPageStatistics, {kBtnStatisticsBack, kBtnStatisticsPlot, kBtnResetAll}}, {kPageHelp, {kBtnHelpBack}},
        {kPageInstructions, {kBtnInstructionsBack}}, {kPageInGame, {kBtnResume, kBtnHelp, kBtnGameStatistics, kBtnAbort}},
        {kPageGameStatistics, {kBtnGameStatisticsBack, kBtnGamePlot, kBtnResetGame}}, {kPageResult, {kBtnResultOk, kBtnGradeWhy}},
        {kPageSettings, {kBtnVolumeDown, kBtnVolumeUp, kBtnIntro, kBtnFullScreen, kBtnLanguage, kBtnSymbols, kBtnSettingsBack}},
        {kPageSeriesResult, {kBtnSeriesOk}}, {kPageGameList, list},
    };
    const uint16_t forward[] = {kKeyDown, kKeyRight, kKeyTab};
    for (const auto& [page, order] : pages) {
        menu->ShowPage(page);
        std::vector<int> seen{menu->focusId}, want = order;
        for (size_t i = 0; i < order.size(); ++i) {
            Key(forward[i % 3]);
            seen.push_back(menu->focusId);
            const int game = menu->focusId - Row(0);  // the list scrolls with the focus
            EXPECT_TRUE(page != kPageGameList || game == kBtnListBack - Row(0) || unsigned(game - menu->listFirst) <= 6u);
        }
        want.push_back(order.front());  // past the last button: the first
        EXPECT_EQ(seen, want) << "page " << page;
        Key(kKeyUp);  // before the first: the last
        EXPECT_EQ(menu->focusId, order.back()) << "page " << page;
        app->shiftHeld = true, Key(kKeyTab), app->shiftHeld = false, Key(kKeyLeft);
        EXPECT_EQ(menu->focusId, order[(order.size() * 2 - 3) % order.size()]) << "page " << page;
    }
}

TEST_F(MenuFocusTest, EnterAndSpacePressLikeAClickEscapePressesBack) {
    Key(kKeyReturn);
    EXPECT_TRUE(menu->currentPage == kPageLevel && app->lastSoundId == 0);
    Key(kKeyDown), Key(kKeySpace);
    EXPECT_TRUE(menu->currentPage == kPageMode && menu->level == 1);
    menu->OnKeyDown(kKeyReturn), menu->OnKeyDown(kKeyReturn);  // a held key repeats its down
    menu->OnKeyDown(kKeyDown), menu->OnKeyUp(kKeyReturn);     // the focus moved away meanwhile: no press
    EXPECT_EQ(menu->currentPage, kPageMode);
    Key(kKeyEscape), Key(kKeyEscape), Key(kKeyEscape);  // the main page has no back button
    EXPECT_TRUE(menu->currentPage == kPageMain && app->runState == 0);
}

TEST_F(MenuFocusTest, TheGameListScrollsWithTheFocusAndPagesByItsLength) {
    OpenGameList();
    Key(kKeyPageDown);
    EXPECT_TRUE(menu->focusId == Row(7) && menu->listFirst == 7);
    Key(kKeyPageDown), Key(kKeyPageDown);
    EXPECT_TRUE(menu->focusId == Row(15) && menu->listFirst == 9);
    Key(kKeyPageUp);
    EXPECT_TRUE(menu->focusId == Row(8) && menu->listFirst == 2);
    Key(kKeyEscape);
    Click(kPlayX, kPlayY), Click(kEasyX, kEasyY), Click(kSingleX, kSingleY);
    EXPECT_EQ(menu->focusId, Row(2));  // the first game shown
    for (int i = 0; i < 3; ++i) menu->OnMouseWheel(static_cast<uint32_t>(static_cast<uint16_t>(-120)) << 16);
    EXPECT_TRUE(menu->focusId == Row(5) && menu->listFirst == 5);  // the wheel keeps the focus in view
}

TEST_F(MenuFocusTest, ThePointerTakesTheFocusWhichAloneIsLitAndRinged) {
    MoveTo(kQuitX, kQuitY);  // where the pointer rests when the window opens is no move
    EXPECT_EQ(menu->focusId, kBtnPlay);
    MoveTo(kStatsX, kStatsY), Key(kKeyDown);
    Texture sheet;
    app->texMisc2 = &sheet;  // the ring's sheet
    const Renderer& r = Draw();
    app->texMisc2 = nullptr;
    EXPECT_TRUE(menutest::FindText(r, "T9")->color == 0xFF000000u && menutest::FindText(r, "T11")->color == 0xFFFF0000u);
    int ring = 0;
    for (const DrawCommand& c : r.Commands()) ring += c.src.left >= 510 && c.src.right <= 570 && c.src.top >= 700;
    EXPECT_EQ(ring, 8);
}

TEST_F(MenuFocusTest, KeysOfANameOrAGameAreNotThePages) {
    ResultPageWithEntry();
    Type("a");
    for (uint16_t k : {kKeyDown, kKeyTab, kKeySpace, kKeyLeft}) Key(k);
    Type(" b");
    EXPECT_EQ(std::string(menu->gameEntry->name), "a b");
    menu->OnKeyDown(kKeyReturn), menu->OnKeyUp(kKeyReturn);  // hands the name in; the release presses nothing
    EXPECT_EQ(menu->currentPage, kPageGameList);
    menu->ShowPage(kPageMain);
    StartFirstGame(), Frames(3.1);
    TestGame* game = TestGame::last;
    for (uint16_t k : {kKeyDown, kKeyReturn, kKeySpace, kKeyTab}) Key(k);
    EXPECT_EQ(game->keysDown, (std::vector<uint16_t>{kKeyDown, kKeyReturn, kKeySpace, kKeyTab}));
    menu->OnKeyUp(kKeyEscape);
    Key(kKeyDown), Key(kKeyUp), Key(kKeySpace);  // resumes; the game sees none of it
    EXPECT_TRUE(game->GetState() == kStatePlaying && game->keysUp.size() == 4u);
}
