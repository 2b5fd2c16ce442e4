#pragma once
// The progress plots of the statistics pages, drawn from the history of results: grades over
// time with 1.0 at the top, one mark per result shaped by its level (circle, square, triangle,
// each also in its own colour), the moving average of the last ten as a line, the best grade of
// each level as a thin line with its value, and how many results are shown. Also the note on
// the result page when a result beats the player's own record.
#include <string>
#include <vector>

#include "framework/History.h"
#include "framework/Types.h"

struct AppContext;
class FontManager;
struct Font;

struct PlotSeries {
    struct Point {
        double grade;
        int level;
    };
    std::vector<Point> points;   // the results shown, oldest first
    std::vector<double> average; // moving average of the last ten at each point shown
    size_t total = 0;            // results there are in all
    double best[3] = {0, 0, 0};  // best grade of each level; 0: none
    std::string firstDate, lastDate;  // of the results shown, "DD.MM.YYYY"
};

// At most this many results are plotted, the newest ones.
constexpr size_t kPlotMaxShown = 60;

// The results of one game (its statistics file stem), of all games, or of the series.
enum class PlotSource { kGame, kAllGames, kSeries };
PlotSeries CollectPlot(const History& history, PlotSource source, const std::string& stem = {},
                       size_t maxShown = kPlotMaxShown);

// Draws the plot into area (page coordinates on the screen), with its caption line above.
void DrawPlot(AppContext& app, FontManager& fonts, Font* font, const PlotSeries& plot, Rect area,
              const char* caption);
// The legend under a plot: the marks of the three levels with their best grades, and the line
// of the moving average.
void DrawPlotLegend(AppContext& app, FontManager& fonts, Font* font, const PlotSeries& plot, Rect area);

// The text id of the note for a new result against the earlier ones of the same game and level:
// a new best, better than the average of the last ten, or 0 for no note. `average` receives
// that average.
int ResultNoteFor(const History& history, const HistoryRecord& result, double& average);

// Text ids of the plots and notes.
enum HistoryText {
    kTextPlotShow = 86,      // button: show the plot
    kTextPlotList = 87,      // button: back to the list
    kTextPlotTooFew = 88,    // fewer than two results
    kTextPlotShown = 89,     // results shown: shown, in all
    kTextPlotBest = 90,      // "Best grades:"
    kTextPlotAverage = 91,   // legend of the moving average
    kTextPlotAllGames = 92,  // caption: all games
    kTextPlotSeries = 93,    // caption: the series
    kTextNoteNewBest = 94,   // result page: new best at this level
    kTextNoteAverage = 95,   // result page: better than the average of the last ten (the average)
};
