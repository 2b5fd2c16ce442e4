// The menu's part in the history of results: booking each game and series result into it,
// the plots of the statistics pages, and the note on the result page.
#include <algorithm>
#include <string>

#include "app/AppContext.h"
#include "framework/Grade.h"
#include "framework/Knobel_Game.h"
#include "framework/TextFormat.h"
#include "gui/HistoryPlot.h"
#include "gui/MainMenu.h"
#include "platform/FontManager.h"

namespace {
constexpr Color kNoteColor = 0xFF1F6B2E;  // a dark leaf green, readable on the panel face
}

// Called once the result can no longer change, before the result page can be left.
void MainMenu::RecordGameResult() {
    resultNote = 0;
    showGradeWhy = false;
    if (game == nullptr) return;
    HistoryRecord r;
    r.when = HistoryTimestamp();
    r.game = HistoryStem(game->saveFileName);
    r.level = std::clamp(game->level, 0, 2);
    r.grade = GradeInRange(game->GetGrade());
    r.seconds = std::clamp(game->GetPlayTime(), 0.0, 1.0e6);
    if (!game->CountsAnswers(r.right, r.wrong)) r.right = r.wrong = -1;
    r.leftEarly = game->GetState() == kStateAborted;
    if (r.game.empty()) return;
    resultNote = ResultNoteFor(history, r, resultNoteAverage);
    history.Append(r);
}

void MainMenu::RecordSeriesResult(double grade, bool aborted) {
    if (seriesCount < 1) return;
    HistoryRecord r;
    r.when = HistoryTimestamp();
    r.game = kSeriesStem;
    r.level = std::clamp(level, 0, 2);
    r.grade = GradeInRange(grade);
    r.seconds = std::clamp(seriesTime, 0.0, 1.0e6);
    r.leftEarly = aborted;
    r.average = GradeInRange(seriesSum / seriesCount);
    r.best = GradeInRange(seriesBest);
    r.worst = GradeInRange(seriesWorst);
    history.Append(r);
}

// The running game's plot fills the page between the title and the buttons, the legend below.
void MainMenu::PaintGamePlot(Vec2 pos, int w, int h) {
    if (game == nullptr) return;
    const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
    const PlotSeries plot = CollectPlot(history, PlotSource::kGame, HistoryStem(game->saveFileName));
    DrawPlot(*app, *fontManager, smallFont, plot, Rect{x + 50, y + 70, x + w - 60, y + h - 120}, game->GetTitle());
    DrawPlotLegend(*app, *fontManager, smallFont, plot, Rect{x + 50, y + h - 112, x + w - 50, y + h - 82});
}

// All games together above, the series below, one legend for both.
void MainMenu::PaintAllPlots(Vec2 pos, int w, int h) {
    const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
    const PlotSeries games = CollectPlot(history, PlotSource::kAllGames);
    const PlotSeries series = CollectPlot(history, PlotSource::kSeries);
    DrawPlot(*app, *fontManager, smallFont, games, Rect{x + 50, y + 62, x + w - 60, y + 290},
             app->GetText(kTextPlotAllGames));
    DrawPlot(*app, *fontManager, smallFont, series, Rect{x + 50, y + 292, x + w - 60, y + h - 116},
             app->GetText(kTextPlotSeries));
    DrawPlotLegend(*app, *fontManager, smallFont, games, Rect{x + 50, y + h - 110, x + w - 50, y + h - 80});
}

void MainMenu::PaintResultNote(Vec2 pos, int w, int h) {
    if (resultNote == 0 || showGradeWhy) return;
    const char* newBest = app->GetText(kTextNoteNewBest);
    const std::string note = resultNote == kTextNoteAverage ? FormatText(app->GetText(kTextNoteAverage), resultNoteAverage)
                                                            : std::string(newBest != nullptr ? newBest : "");
    const int x = static_cast<int>(pos.x), y = static_cast<int>(pos.y);
    const int top = gameEntry != nullptr ? y + h - 190 : y + h - 140;
    fontManager->DrawTextRect(note.c_str(), x + 20, top, x + w - 20, top + 40, kNoteColor, kTextCenter | kTextVCenter,
                              smallFont);
}
