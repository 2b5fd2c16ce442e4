#include "framework/Knobel_Game.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/AppContext.h"
#include "framework/Grade.h"
#include "framework/TextFormat.h"
#include "platform/FontManager.h"

namespace {
// Every game draws with the same default font. It is added to the font manager once and
// shared, so that starting game after game does not add font after font to the manager.
Font* SharedGameFont(FontManager* manager) {
    static int fontId = -1;
    Font* f = fontId >= 0 ? manager->FindFont(fontId) : nullptr;
    if (f == nullptr || f->id != fontId) {
        f = manager->AddFont("Arial", 20);
        fontId = f->id;
    }
    return f;
}
}  // namespace

Knobel_Game::Knobel_Game(int level_, const char* fileName) : level(level_) {
    running = false;
    std::snprintf(saveFileName, sizeof saveFileName, "%s", fileName ? fileName : "");
    LoadStatisticsFile(saveFileName, gameStatistics);
    grade = 6.0;
    fontManager = GetFontManager();
    font = SharedGameFont(fontManager);
    saveOnExit = true;
}

// Books the grade (unless it was booked or saving was disabled) and rewrites the game's
// statistics file.
Knobel_Game::~Knobel_Game() {
    if (saveOnExit) BookResult();
    else if (saveFileName[0] != '\0') SaveStatisticsFile(saveFileName, gameStatistics);
}

void Knobel_Game::BookResult() {
    if (!saveOnExit) return;
    saveOnExit = false;
    grade = GradeInRange(grade);
    gameStatistics.BookGrade(grade);
    if (app->statistics != nullptr) app->statistics->BookGrade(grade);
    if (grade <= 1.5) {
        gameStatistics.solvedCount += 1;
        if (app->statistics != nullptr) app->statistics->solvedCount += 1;
    }
    if (saveFileName[0] != '\0') SaveStatisticsFile(saveFileName, gameStatistics);
}

void Knobel_Game::OnLostDevice() {
    if (font != nullptr) font->OnLostDevice();
    for (auto& f : ownFonts_) f->OnLostDevice();
}

void Knobel_Game::OnResetDevice() {
    if (font != nullptr) font->OnResetDevice();
    for (auto& f : ownFonts_) f->OnResetDevice();
}

// Not added to the font manager, whose list lives as long as the program: a game's fonts go
// with the game.
Font* Knobel_Game::MakeFont(const char* faceName, double height) {
    ownFonts_.push_back(std::make_unique<Font>(-1, faceName, height));
    return ownFonts_.back().get();
}

void Knobel_Game::Start() {
    running = true;
    state = kStatePlaying;
}

int Knobel_Game::GetState() { return state; }
void Knobel_Game::SetState(int newState) { state = newState; }
const char* Knobel_Game::GetHelpText() { return nullptr; }
const char* Knobel_Game::GetResultText() { return nullptr; }
const char* Knobel_Game::GetTitle() { return nullptr; }
void Knobel_Game::ComputeGrade() { grade = 6.0; }
bool Knobel_Game::AllowsHelpKey() { return true; }

// The statistics text is the same in every game: the top ten (always ten lines), total time,
// solved count, best and worst grade once a game was booked, average and games played.
const char* Knobel_Game::GetStatisticsText() {
    GameStatistics& s = gameStatistics;
    statisticsText_.clear();
    int i = 0;
    for (ScoreEntry* e : s.Entries()) {
        if (i >= 10) break;
        AppendText(statisticsText_, app->GetText(49), i + 1, e->name, e->day, e->month, e->year, e->grade);
        statisticsText_ += "\n";
        ++i;
    }
    for (; i < 10; ++i) statisticsText_ += "\n";
    long long t = s.time >= 0 && s.time < 9.0e15 ? static_cast<long long>(s.time) : 0;
    AppendText(statisticsText_, app->GetText(43), static_cast<int>(t / 3600), static_cast<int>((t / 60) % 60),
               static_cast<int>(t % 60));
    statisticsText_ += "\n";
    AppendText(statisticsText_, app->GetText(44), s.solvedCount);
    statisticsText_ += "\n";
    if (!(s.worstGrade < s.bestGrade)) {
        AppendText(statisticsText_, app->GetText(45), s.bestGrade);
        statisticsText_ += "\n";
        AppendText(statisticsText_, app->GetText(46), s.worstGrade);
        statisticsText_ += "\n";
    }
    double average = s.gamesPlayed > 0 ? s.gradeSum / s.gamesPlayed : 0.0;
    AppendText(statisticsText_, app->GetText(47), average);
    statisticsText_ += "\n";
    AppendText(statisticsText_, app->GetText(48), s.gamesPlayed);
    return statisticsText_.c_str();
}

const char* Knobel_Game::FrameResultText(std::initializer_list<std::string> lines, int firstLineId) {
    int t = static_cast<int>(playTime);
    resultText_ = FormatText(app->GetText(firstLineId), t / 60, t % 60);
    resultText_ += "\n";
    for (const std::string& line : lines) {
        resultText_ += line;
        resultText_ += "\n";
    }
    resultText_ += "\n";
    AppendText(resultText_, app->GetText(50), grade);
    return resultText_.c_str();
}

void Knobel_Game::DrawHelp(GUIElement* element, Rect rect, Vec2 position, Vec2 scale, Font* pageFont) {
    const char* help = HelpWithKeys();
    if (help == nullptr) return;
    int left = static_cast<int>(position.x + 50);
    int top = static_cast<int>(position.y + 50);
    int right = static_cast<int>(position.x + (rect.right - rect.left) - 50);
    int bottom = static_cast<int>(position.y + (rect.bottom - rect.top) - 70);
    fontManager->DrawTextRect(help, left, top, right, bottom, 0xFF000000, kTextCenter | kTextVCenter | kTextWordBreak,
                              pageFont);
}

void Knobel_Game::DrawTimePanel() {
    const int W = app->screenWidth;
    Rect src{0, 700, 300, 750};
    Vec2 pos{static_cast<float>(W / 2 - 150), 0.0f};
    app->DrawSprite(app->texMenu2, &src, nullptr, nullptr, 0.0, &pos, 0xFFFFFFFF);
    int t = static_cast<int>(playTime);
    std::string text = FormatText(app->GetText(63), t / 60, t % 60);
    fontManager->DrawTextRect(text.c_str(), W / 2 - 150, 0, W / 2 + 150, 50, 0xFF000000, kTextCenter | kTextVCenter, font);
    DrawTaskProgress();
}

double Knobel_Game::SecondsUntilChange() {
    if (!Playing()) return kNoChange;
    return SecondsToNextWholeSecond(playTime);
}

void Knobel_Game::AdvanceTime(bool countPlayTime) {
    if (countPlayTime) playTime += app->frameTime;
    gameStatistics.time += app->frameTime;
}

bool Knobel_Game::QualifiesForTopTen() { return gameStatistics.Qualifies(grade); }

ScoreEntry* Knobel_Game::CreateEntry() {
    ScoreEntry* e = new ScoreEntry();
    e->grade = grade;
    return e;
}

void Knobel_Game::AddEntry(ScoreEntry* entry) {
    if (entry != nullptr) gameStatistics.Insert(entry);
}

void Knobel_Game::ResetStatistics() { gameStatistics.Reset(); }

std::string Knobel_Game::RulesText() {
    const char* help = GetHelpText();
    std::string rules = help != nullptr ? help : "";
    int current = 0, total = 0;
    const char* sentence = app->GetText(TaskCountTextId());
    if (TaskProgress(current, total) && total > 1 && sentence != nullptr && *sentence != '\0')
        rules += FormatText(sentence, total);
    return rules;
}

// A plaque narrower and lower than the time panel, hanging right under it, so that a line the
// series adds beside the panel keeps its own place.
void Knobel_Game::DrawTaskProgress() {
    int current = 0, total = 0;
    if (!TaskProgress(current, total) || total < 2) return;
    current = std::clamp(current, 1, total);
    const char* format = app->GetText(TaskProgressTextId());
    if (format == nullptr || *format == '\0') return;
    const int W = app->screenWidth;
    const Rect src{0, 700, 300, 750};
    const Vec2 scale{200.0f / 300.0f, 30.0f / 50.0f};
    const Vec2 pos{static_cast<float>(W / 2 - 100), 48.0f};
    app->DrawSprite(app->texMenu2, &src, &scale, nullptr, 0.0, &pos, 0xFFFFFFFF);
    const std::string text = FormatText(format, current, total);
    fontManager->DrawTextRect(text.c_str(), W / 2 - 100, 48, W / 2 + 100, 78, 0xFF000000, kTextCenter | kTextVCenter,
                              font);
}
