// Painting the menu: the backdrop, the running game with its veils and countdown, the visible
// page with its buttons, and the mouse pointer.
#include <algorithm>
#include <string>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "framework/Statistics.h"
#include "framework/TextFormat.h"
#include "gui/GUIElement.h"
#include "gui/GameTable.h"
#include "gui/HistoryPlot.h"
#include "gui/MainMenu.h"
#include "gui/MenuLayout.h"
#include "platform/FontManager.h"

#ifndef KW_VERSION
#define KW_VERSION "unknown"
#endif

namespace {
constexpr Color kWhite = 0xFFFFFFFF;
constexpr Color kBlack = 0xFF000000;
constexpr Color kRed = 0xFFFF0000;
constexpr Color kGrey = 0xFF808080;
constexpr Color kVeil = 0x7F000000;
constexpr unsigned kCentred = kTextCenter | kTextVCenter;
constexpr unsigned kCentredWrapped = kTextCenter | kTextVCenter | kTextWordBreak;

void Append(std::string& out, const char* text) {
    if (text != nullptr) out += text;
}
}  // namespace

void MainMenu::OnDrawElement0(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }
void MainMenu::OnDrawElement1(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }
void MainMenu::OnDrawElement2(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }
void MainMenu::OnDrawElement3(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }
void MainMenu::OnDrawElement4(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }
void MainMenu::OnDrawElement5(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }
void MainMenu::OnDrawElement6(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }
void MainMenu::OnDrawElement7(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }
void MainMenu::OnDrawElement8(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }
void MainMenu::OnDrawElement9(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }
void MainMenu::OnDrawElement10(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }
void MainMenu::OnDrawElement11(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }
void MainMenu::OnDrawElement12(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) { PaintElement(e, src, pos, scale); }

void MainMenu::Render() {
    const int W = app->screenWidth, H = app->screenHeight;
    if (app->runState == 1) {
        DrawBackdrop();
        if (game != nullptr) game->Render();
        if (GameTakesInput()) game->DrawKeyCursor();
        PaintSeriesLine();
        if (countdown > 0.0) {
            DrawVeil(app->texMisc1, kVeil);
            DrawCountdown();
            PaintCountdownSeries();
        }
        if (resultDelay >= 0.0) {
            const int alpha = std::clamp(static_cast<int>((1.0 - resultDelay / 2.0) * 127.0), 0, 127);
            if (alpha > 0) DrawVeil(app->texMisc1, static_cast<Color>(alpha) << 24);
        }
        if (elementEnabled[FindPage(kPageResult)->slot]) DrawVeil(app->texMisc2, kVeil);
    } else {
        Rect src{0, 0, 1024, 768};
        Vec2 scale{W / 1024.0f, H / 768.0f};
        app->DrawSprite(app->texBackground, &src, &scale, nullptr, 0.0, nullptr, kWhite);
    }
    for (int slot : kPaintOrder) {
        if (elementEnabled[slot] && elements[slot] != nullptr) elements[slot]->Draw(0.0f, 0.0f);
    }
    PaintFocusRing();
    PaintMuteMark();
}

void MainMenu::DrawBackdrop() {
    const int b = std::clamp(backdrop, 0, 6);
    Texture* sheets[4] = {app->texBack1, app->texBack2, app->texBack3, app->texBack4};
    const int top = 450 * (b % 2);
    Rect src{0, top, 600, top + 450};
    Vec2 scale{app->screenWidth / 600.0f, app->screenHeight / 450.0f};
    app->DrawSprite(sheets[b / 2], &src, &scale, nullptr, 0.0, nullptr, kWhite);
}

void MainMenu::DrawVeil(Texture* texture, Color color) {
    Rect src{500, 0, 550, 50};
    Vec2 scale{app->screenWidth / 50.0f, app->screenHeight / 50.0f};
    app->DrawSprite(texture, &src, &scale, nullptr, 0.0, nullptr, color);
}

// The whole seconds left, "Start" in the last second; a black shadow under white.
void MainMenu::DrawCountdown() {
    const std::string text = countdown < 1.0 ? std::string("Start") : FormatText("%d", static_cast<int>(countdown));
    const int W = app->screenWidth, H = app->screenHeight;
    fontManager->DrawTextRect(text.c_str(), 3, 3, W + 3, H + 3, kBlack, kCentred, countdownFont);
    fontManager->DrawTextRect(text.c_str(), 0, 0, W, H, kWhite, kCentred, countdownFont);
}

void MainMenu::PaintCursor() {
    const double frame = std::clamp(pressFadeMax > 0.0 ? pressFade / pressFadeMax * 9.0 : 0.0, 0.0, 9.0);
    const int f = static_cast<int>(frame);
    Rect src{450 - 50 * f, 0, 500 - 50 * f, 50};
    Vec2 pos{static_cast<float>(app->mouseX - 8), static_cast<float>(app->mouseY - 14)};
    app->DrawSprite(app->texMisc1, &src, nullptr, nullptr, 0.0, &pos, kWhite);
}

void MainMenu::PaintElement(GUIElement* e, Rect src, Vec2 pos, Vec2) {
    if (e->parent == nullptr) PaintPage(e, src, pos);
    else PaintButton(e, src, pos);
}

void MainMenu::PaintTitle(const char* text, Vec2 pos, int width) {
    fontManager->DrawTextAt(text, pos.x + width / 2, pos.y + 20, kBlack, kTextCenter, titleFont);
}

void MainMenu::PaintPage(GUIElement* page, Rect src, Vec2 pos) {
    const PageLayout* layout = FindPage(page->GetId());
    if (layout == nullptr) return;
    app->DrawSprite(PanelTexture(*app, layout->sheet), &src, nullptr, nullptr, 0.0, &pos, kWhite);
    const int w = src.Width(), h = src.Height();
    const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
    if (layout->titleTextId >= 0 && layout->id != kPageGameStatistics) PaintTitle(app->GetText(layout->titleTextId), pos, w);
    switch (layout->id) {
        case kPageMain: PaintVersion(); break;
        case kPageInfo:
            fontManager->DrawTextAt(app->GetText(56), pos.x + w / 2, pos.y + 70, kBlack, kTextCenter, buttonFont);
            break;
        case kPageInstructions:
            fontManager->DrawTextRect(app->GetText(76), x + 50, y + 50, x + w - 50, y + h - 70, kBlack, kCentredWrapped,
                                      smallFont);
            break;
        case kPageStatistics:
            if (showPlot) PaintAllPlots(pos, w, h);
            else PaintStatisticsPage(pos, w, h);
            break;
        case kPageHelp:
            if (game != nullptr) game->DrawHelp(page, src, pos, Vec2{page->scaleX, page->scaleY}, buttonFont);
            break;
        case kPageGameStatistics: PaintGameStatisticsPage(pos, w, h); break;
        case kPageGameList: PaintListLevel(pos, w); break;
        case kPageResult:
            PaintResultPage(pos, w, h);
            PaintResultNote(pos, w, h);
            break;
        case kPageSeriesResult: PaintSeriesResultPage(pos, w, h); break;
        case kPageSettings: PaintSettingsPage(pos, w); break;
        default: break;
    }
}

// The release in the screen's bottom-right corner, small and pale on the backdrop's blue.
void MainMenu::PaintVersion() {
    const std::string text = std::string("Version ") + KW_VERSION;
    const int W = app->screenWidth, H = app->screenHeight;
    fontManager->DrawTextRect(text.c_str(), 0, 0, W - 9, H - 5, 0x99000000, kTextRight | kTextBottom, smallFont);
    fontManager->DrawTextRect(text.c_str(), 0, 0, W - 10, H - 6, 0xCCFFFFFF, kTextRight | kTextBottom, smallFont);
}

void MainMenu::PaintButton(GUIElement* button, Rect src, Vec2 pos) {
    const int id = button->GetId();
    const bool hovered = HasFocus(button);  // the focus, which the pointer takes along
    bool lower = hovered;
    if (id == kBtnGerman || id == kBtnEnglish) lower = app->language == (id == kBtnGerman ? 0 : 1);
    Rect pic = src;
    if (lower) {
        pic.top += src.Height();
        pic.bottom += src.Height();
    }
    app->DrawSprite(app->texMenu2, &pic, nullptr, nullptr, 0.0, &pos, kWhite);

    const int w = src.Width(), h = src.Height();
    int labelId = -1;
    bool available = true;
    if (id >= kListRowIdBase && id < kListRowIdBase + kGameCount && button->parent->GetId() == kPageGameList) {
        const GameInfo& info = GetGameInfo(id - kListRowIdBase);
        labelId = info.nameTextId;
        available = info.create != nullptr;
    } else {
        for (int i = 0; i < kButtonCount; ++i)
            if (kButtons[i].id == id) labelId = kButtons[i].labelTextId;
    }
    std::string ownLabel;
    if (button->parent->GetId() == kPageSettings && SettingsButtonLabel(id, ownLabel)) {
        fontManager->DrawTextAt(ownLabel.c_str(), pos.x + w / 2, pos.y + 10, hovered ? kRed : kBlack, kTextCenter, buttonFont);
        return;
    }
    if (id == kBtnGradeWhy) return PaintGradeWhyLabel(pos, w, h, hovered);
    if (labelId < 0) return;
    if (id == kBtnStatisticsPlot || id == kBtnGamePlot) labelId = showPlot ? kTextPlotList : kTextPlotShow;
    const char* label = app->GetText(labelId);
    if (id == kBtnResetAll || id == kBtnResetGame || id == kBtnStatisticsPlot || id == kBtnGamePlot) {
        const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
        fontManager->DrawTextRect(label, x, y, x + w, y + h, kBlack, kCentred, buttonFont);
        return;
    }
    // A game that is not built yet is listed greyed out.
    const Color color = !available ? kGrey : hovered ? kRed : kBlack;
    fontManager->DrawTextAt(label, pos.x + w / 2, pos.y + 10, color, kTextCenter, buttonFont);
}

// The statistics of all games: the series top ten, then the totals.
void MainMenu::PaintStatisticsPage(Vec2 pos, int w, int h) {
    GlobalStatistics* s = app->statistics;
    if (s == nullptr) return;
    std::string block;
    int rank = 0;
    for (SeriesScoreEntry* e : s->Entries()) {
        if (rank >= 10) break;
        AppendText(block, app->GetText(62), rank + 1, e->name, e->grade, e->bestGrade, e->worstGrade);
        Append(block, app->GetText(59 + std::clamp(e->level, 0, 2)));
        block += "\n";
        ++rank;
    }
    // No padding for places not taken: the block stands centred on the page as a whole.
    if (rank == 0) {
        Append(block, app->GetText(408));  // no series yet
        block += "\n";
    }
    if (rank < 10) block += "\n";  // a blank line before the totals where there is room
    const long long t = s->time >= 0.0 && s->time < 9.0e15 ? static_cast<long long>(s->time) : 0;
    AppendText(block, app->GetText(43), static_cast<int>(t / 3600), static_cast<int>((t / 60) % 60),
               static_cast<int>(t % 60));
    block += "\n";
    AppendText(block, app->GetText(44), s->solvedCount);
    block += "\n";
    if (!(s->worstGrade < s->bestGrade)) {
        AppendText(block, app->GetText(45), s->bestGrade);
        block += "\n";
        AppendText(block, app->GetText(46), s->worstGrade);
        block += "\n";
    }
    AppendText(block, app->GetText(47), s->gamesPlayed > 0 ? s->gradeSum / s->gamesPlayed : 0.0);
    block += "\n";
    AppendText(block, app->GetText(48), s->gamesPlayed);
    const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
    fontManager->DrawTextRect(block.c_str(), x, y + 70, x + w, y + h - 80, kBlack, kCentred, buttonFont);
}

void MainMenu::PaintResultPage(Vec2 pos, int w, int h) {
    if (game == nullptr) return;
    game->ComputeGrade();
    if (!IsGoodResult(game->GetGrade())) PaintPlainPanel(pos, w);
    PaintTitle(game->GetTitle(), pos, w);
    const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
    if (game->GetState() == kStateAborted)
        fontManager->DrawTextRect(app->GetText(400), x, y + 70, x + w, y + 98, kRed, kCentred, smallFont);
    if (showGradeWhy) PaintGradeBreakdown(pos, w, h);
    else fontManager->DrawTextRect(game->GetResultText(), x, y + 90, x + w, y + h - 150, kBlack, kCentred, buttonFont);
    if (gameEntry != nullptr) PaintNameLine(*gameEntry, x, y + h - 150, w, y + h - 75);
}

// Games played, time, best and worst game, and the grade the series is booked with.
void MainMenu::PaintSeriesResultPage(Vec2 pos, int w, int h) {
    if (!IsGoodResult(seriesGrade) || seriesCount < 1) PaintPlainPanel(pos, w);
    const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
    if (seriesLeftEarly)
        fontManager->DrawTextRect(app->GetText(400), x, y + 70, x + w, y + 98, kRed, kCentred, smallFont);
    const int t = seriesTime >= 0.0 && seriesTime < 2.0e9 ? static_cast<int>(seriesTime) : 0;
    std::string block = FormatText(app->GetText(402), seriesCount, SeriesGameTotal());
    block += "\n";
    AppendText(block, app->GetText(22), t / 60, t % 60);
    block += "\n";
    if (seriesCount > 0) {
        AppendText(block, app->GetText(45), seriesBest);
        block += "\n";
        AppendText(block, app->GetText(46), seriesWorst);
        block += "\n";
    }
    block += "\n";
    AppendText(block, app->GetText(403), seriesGrade);
    fontManager->DrawTextRect(block.c_str(), x, y + 90, x + w, y + h - 150, kBlack, kCentred, buttonFont);
    if (seriesEntry != nullptr) PaintNameLine(*seriesEntry, x, y + h - 150, w, y + h - 75);
}
