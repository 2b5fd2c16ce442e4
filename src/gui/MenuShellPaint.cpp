// What the menu shows of the player's way: the series' place over the game, the name input
// with its caret, the level of the game list, and a game's statistics page with its levels.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "app/AppContext.h"
#include "framework/History.h"
#include "framework/Knobel_Game.h"
#include "framework/Statistics.h"
#include "framework/TextFormat.h"
#include "gui/MainMenu.h"
#include "platform/FontManager.h"

namespace {
constexpr Color kWhite = 0xFFFFFFFF;
constexpr Color kBlack = 0xFF000000;
constexpr Color kNameRed = 0xFFFF0000;
constexpr Color kHintColor = 0xFF5A4632;  // the brown of the panel frames, quieter than black
constexpr unsigned kCentred = kTextCenter | kTextVCenter;
constexpr int kTextGameOfSeries = 401;
constexpr int kTextNameHint = 405;
constexpr int kTextGameStatistics = 404;
constexpr int kTextLevelLine = 406;
constexpr int kTextNoTopTen = 407;

std::string LevelName(AppContext& app, int level) {
    const char* name = app.GetText(59 + std::clamp(level, 0, 2));
    std::string s = name != nullptr ? name : "";
    const size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}
}  // namespace

// A small plaque beside the time panel: "Game 5 of 16".
void MainMenu::PaintSeriesLine() {
    if (!seriesMode || game == nullptr || countdown > 0.0) return;
    const int W = app->screenWidth;
    const Rect src{0, 700, 300, 750};
    const Vec2 scale{160.0f / 300.0f, 34.0f / 50.0f};
    const Vec2 pos{static_cast<float>(W / 2 + 158), 8.0f};
    app->DrawSprite(app->texMenu2, &src, &scale, nullptr, 0.0, &pos, kWhite);
    const std::string text = FormatText(app->GetText(kTextGameOfSeries), SeriesGameNumber(), SeriesGameTotal());
    fontManager->DrawTextRect(text.c_str(), W / 2 + 158, 8, W / 2 + 318, 42, kBlack, kCentred, smallFont);
}

// Above the countdown's number, in its white with a shadow.
void MainMenu::PaintCountdownSeries() {
    if (!seriesMode) return;
    const int W = app->screenWidth, H = app->screenHeight;
    const std::string text = FormatText(app->GetText(kTextGameOfSeries), SeriesGameNumber(), SeriesGameTotal());
    fontManager->DrawTextRect(text.c_str(), 2, H / 2 - 148, W + 2, H / 2 - 88, kBlack, kCentred, titleFont);
    fontManager->DrawTextRect(text.c_str(), 0, H / 2 - 150, W, H / 2 - 90, kWhite, kCentred, titleFont);
}

// The name line of a top-ten entry with a blinking caret behind the name, and below it how
// to hand the name in or go on without it.
void MainMenu::PaintNameLine(const ScoreEntry& entry, int x, int top, int width, int bottom) {
    const std::string line = FormatText(app->GetText(54), entry.name);
    const int mid = (top + bottom) / 2;
    fontManager->DrawTextRect(line.c_str(), x, top, x + width, mid + 10, kNameRed, kCentred, buttonFont);
    if (std::fmod(caretClock_, 1.0) < 0.5) {
        const int right = x + width / 2 + fontManager->TextWidth(line, buttonFont) / 2;
        fontManager->DrawTextRect("|", right + 1, top, right + 30, mid + 10, kNameRed, kTextLeft | kTextVCenter,
                                  buttonFont);
    }
    fontManager->DrawTextRect(app->GetText(kTextNameHint), x, mid + 8, x + width, bottom, kHintColor, kCentred,
                              smallFont);
}

// The result panel without its confetti, for a result that is not celebrated: the strips of
// face beside the confetti are laid over it.
void MainMenu::PaintPlainPanel(Vec2 pos, int width) {
    if (width != 600) return;  // only the result panel carries confetti
    const Rect left{400 + 90, 78, 400 + 140, 300};
    const Rect right{400 + 460, 78, 400 + 512, 300};
    const Vec2 leftPos{pos.x + 24.0f, pos.y + 78.0f};
    const Vec2 rightPos{pos.x + 520.0f, pos.y + 78.0f};
    app->DrawSprite(app->texMenu1, &left, nullptr, nullptr, 0.0, &leftPos, kWhite);
    app->DrawSprite(app->texMenu1, &right, nullptr, nullptr, 0.0, &rightPos, kWhite);
}

// The level the games of the list are played at, under the list's title.
void MainMenu::PaintListLevel(Vec2 pos, int width) {
    const std::string text = FormatText(app->GetText(kTextLevelLine), LevelName(*app, level).c_str());
    const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
    fontManager->DrawTextRect(text.c_str(), x, y + 72, x + width, y + 100, kHintColor, kCentred, smallFont);
}

// The level a top-ten entry was played at, as the history of results knows it: the results of
// this game with the entry's date and grade. Empty when the history does not tell it clearly.
std::string MainMenu::TopTenLevel(const ScoreEntry& entry) const {
    if (game == nullptr) return {};
    const std::string stem = HistoryStem(game->saveFileName);
    const std::string date = FormatText("%04d-%02d-%02d", entry.year, entry.month, entry.day);
    int found = -1;
    for (const HistoryRecord& r : history.Records()) {
        if (r.game != stem || r.when.compare(0, date.size(), date) != 0) continue;
        if (!(std::fabs(r.grade - entry.grade) < 0.0005)) continue;
        if (found >= 0 && found != r.level) return {};  // two levels fit: say nothing
        found = r.level;
    }
    return found < 0 ? std::string() : LevelName(*app, found);
}

// A game's statistics: its name in the title, its top ten with the level of each line.
void MainMenu::PaintGameStatisticsPage(Vec2 pos, int width, int height) {
    if (game == nullptr) return;
    const char* name = game->GetTitle() != nullptr ? game->GetTitle() : "";
    while (*name == ' ') ++name;  // a game's name comes with the blank language texts lead with
    const std::string title = FormatText(app->GetText(kTextGameStatistics), name);
    PaintTitle(title.c_str(), pos, width);
    if (showPlot) {
        PaintGamePlot(pos, width, height);
        return;
    }
    const char* text = game->GetStatisticsText();
    std::string block;
    int line = 0, taken = 0;
    auto entries = game->gameStatistics.Entries().begin();
    const auto end = game->gameStatistics.Entries().end();
    // The text's top-ten lines come first (ten, empty ones for places not taken): the lines
    // taken get their level, the empty ones are left out so that the block stands centred.
    for (const char* p = text != nullptr ? text : ""; *p != '\0';) {
        const char* nl = std::strchr(p, '\n');
        const size_t n = nl != nullptr ? static_cast<size_t>(nl - p) : std::strlen(p);
        if (line < kTopTenSize) {
            if (entries != end) {
                block.append(p, n);
                const std::string lv = TopTenLevel(**entries);
                if (!lv.empty()) block += "   " + lv;
                block += '\n';
                ++entries;
                ++taken;
            } else if (line == 0) {
                block += std::string(app->GetText(kTextNoTopTen) != nullptr ? app->GetText(kTextNoTopTen) : "") + "\n";
            }
            if (line == kTopTenSize - 1 && taken < kTopTenSize) block += '\n';
        } else {
            block.append(p, n);
            if (nl != nullptr) block += '\n';
        }
        ++line;
        if (nl == nullptr) break;
        p = nl + 1;
    }
    const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
    fontManager->DrawTextRect(block.c_str(), x, y + 70, x + width, y + height - 80, kBlack, kCentred, buttonFont);
}
