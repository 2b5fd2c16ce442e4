#include "gui/HistoryPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/AppContext.h"
#include "framework/TextFormat.h"
#include "platform/FontManager.h"

namespace {
constexpr int kAverageOf = 10;
constexpr Color kInk = 0xFF2A2238;
constexpr Color kGrid = 0x402A2238;
constexpr Color kWell = 0x99FFFFFF;
constexpr Color kAverageLine = 0xFF7D5BC6;  // plum
// Level marks: circle (easy), square (medium), triangle (hard) on the shapes of misc1, tinted.
constexpr Rect kMarkSrc[3] = {{200, 150, 300, 250}, {0, 150, 100, 250}, {400, 150, 500, 250}};
constexpr Color kMarkColor[3] = {0xFF5DBB63, 0xFF4FA3E0, 0xFFE0475B};  // leaf, sky, berry
constexpr Rect kWhiteSrc{510, 10, 540, 40};
constexpr int kLevelTextId[3] = {59, 60, 61};
constexpr float kLabelGap = 17.0f;
constexpr size_t kAverageSegments = 34;

bool Wanted(const HistoryRecord& r, PlotSource source, const std::string& stem) {
    switch (source) {
        case PlotSource::kGame: return !r.IsSeries() && r.game == stem;
        case PlotSource::kAllGames: return !r.IsSeries();
        case PlotSource::kSeries: return r.IsSeries();
    }
    return false;
}

// "YYYY-MM-DDThh:mm:ss" -> "DD.MM.YYYY".
std::string Day(const std::string& when) {
    if (when.size() < 10) return {};
    return when.substr(8, 2) + "." + when.substr(5, 2) + "." + when.substr(0, 4);
}

void Fill(AppContext& app, float x, float y, float w, float h, Color color) {
    const Vec2 scale{w / kWhiteSrc.Width(), h / kWhiteSrc.Height()};
    const Vec2 pos{x, y};
    app.DrawSprite(app.texMisc1, &kWhiteSrc, &scale, nullptr, 0.0, &pos, color);
}

// A line of the given width from (x0, y0) to (x1, y1): a thin rectangle turned about its start,
// with a paler, wider one under it to soften the steps of a slanted edge.
void Line(AppContext& app, float x0, float y0, float x1, float y1, float width, Color color) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length < 0.5f) return;
    const double angle = std::atan2(dy, dx);
    // A level line has no steps to soften.
    for (int pass = dy == 0.0f ? 1 : 0; pass < 2; ++pass) {
        const float w = pass == 0 ? width + 1.5f : width;
        const Color c = pass == 0 ? (((color >> 24) / 3) << 24) | (color & 0xFFFFFF) : color;
        const Vec2 scale{length / kWhiteSrc.Width(), w / kWhiteSrc.Height()};
        const Vec2 center{0.0f, w / 2};
        const Vec2 pos{x0, y0 - w / 2};
        app.DrawSprite(app.texMisc1, &kWhiteSrc, &scale, &center, angle, &pos, c);
    }
}

void Mark(AppContext& app, int level, float cx, float cy, float size) {
    const int l = std::clamp(level, 0, 2);
    const Vec2 scale{size / 80.0f, size / 80.0f};  // the shapes are 80 across in a 100 box
    const Vec2 pos{cx - 50.0f * scale.x, cy - 50.0f * scale.y};
    app.DrawSprite(app.texMisc1, &kMarkSrc[l], &scale, nullptr, 0.0, &pos, kMarkColor[l]);
}

std::string Grade(double g) { return FormatText("%.2f", g); }
}  // namespace

PlotSeries CollectPlot(const History& history, PlotSource source, const std::string& stem, size_t maxShown) {
    PlotSeries plot;
    std::vector<const HistoryRecord*> chosen;
    for (const HistoryRecord& r : history.Records()) {
        if (!Wanted(r, source, stem)) continue;
        chosen.push_back(&r);
        const int l = std::clamp(r.level, 0, 2);
        if (plot.best[l] == 0.0 || r.grade < plot.best[l]) plot.best[l] = r.grade;
    }
    plot.total = chosen.size();
    const size_t first = chosen.size() > maxShown ? chosen.size() - maxShown : 0;
    double sum = 0.0;
    for (size_t i = 0; i < chosen.size(); ++i) {
        sum += chosen[i]->grade;
        if (i >= kAverageOf) sum -= chosen[i - kAverageOf]->grade;
        if (i < first) continue;
        plot.points.push_back({chosen[i]->grade, chosen[i]->level});
        plot.average.push_back(sum / static_cast<double>(std::min<size_t>(i + 1, kAverageOf)));
    }
    if (!plot.points.empty()) {
        plot.firstDate = Day(chosen[first]->when);
        plot.lastDate = Day(chosen.back()->when);
    }
    return plot;
}

void DrawPlot(AppContext& app, FontManager& fonts, Font* font, const PlotSeries& plot, Rect area, const char* caption) {
    // Caption on the left, the count on the right, above the well.
    const int captionH = 26;
    if (caption != nullptr)
        fonts.DrawTextRect(caption, area.left, area.top, area.right, area.top + captionH, kInk, kTextVCenter, font);
    if (plot.points.size() >= 2) {
        const std::string shown = FormatText(app.GetText(kTextPlotShown), static_cast<int>(plot.points.size()),
                                             static_cast<int>(plot.total));
        fonts.DrawTextRect(shown.c_str(), area.left, area.top, area.right, area.top + captionH, kInk,
                           kTextRight | kTextVCenter, font);
    }
    // The well with the grade lines 1 (top) to 6, their numbers on the left, the dates below.
    const float left = area.left + 30.0f, right = area.right - 52.0f;
    const float top = area.top + captionH + 10.0f, bottom = area.bottom - 26.0f;
    Fill(app, area.left + 22.0f, top - 8.0f, area.right - area.left - 22.0f, bottom - top + 16.0f, kWell);
    auto yOf = [&](double g) { return top + static_cast<float>((std::clamp(g, 1.0, 6.0) - 1.0) / 5.0) * (bottom - top); };
    for (int g = 1; g <= 6; ++g) {
        const float y = yOf(g);
        Line(app, left, y, right, y, 1.0f, kGrid);
        const std::string label = std::to_string(g);
        fonts.DrawTextRect(label.c_str(), area.left, static_cast<int>(y) - 12, static_cast<int>(left) - 6,
                           static_cast<int>(y) + 12, kInk, kTextRight | kTextVCenter, font);
    }
    const size_t n = plot.points.size();
    if (n < 2) {
        fonts.DrawTextRect(app.GetText(kTextPlotTooFew), static_cast<int>(left), static_cast<int>(top),
                           static_cast<int>(right), static_cast<int>(bottom), kInk,
                           kTextCenter | kTextVCenter | kTextWordBreak, font);
        return;
    }
    fonts.DrawTextRect(plot.firstDate.c_str(), static_cast<int>(left), static_cast<int>(bottom) + 4, area.right,
                       area.bottom, kInk, kTextLeft, font);
    fonts.DrawTextRect(plot.lastDate.c_str(), area.left, static_cast<int>(bottom) + 4, static_cast<int>(right),
                       area.bottom, kInk, kTextRight, font);
    const float step = (right - left) / static_cast<float>(n - 1);
    auto xOf = [&](size_t i) { return left + step * static_cast<float>(i); };
    // Best grade of each level: a thin line in the level's colour, its mark and value at the
    // right end; values that lie close together are moved apart to stay readable.
    float labelY[3] = {0, 0, 0};
    int order[3] = {0, 1, 2};
    std::sort(order, order + 3, [&](int a, int b) { return plot.best[a] < plot.best[b]; });
    float lastY = -1.0e9f;
    for (int k = 0; k < 3; ++k) {
        const int l = order[k];
        if (plot.best[l] == 0.0) continue;
        const float y = yOf(plot.best[l]);
        Line(app, left, y, right, y, 1.0f, (kMarkColor[l] & 0xFFFFFF) | 0xA0000000);
        labelY[l] = std::max(y, lastY + kLabelGap);
        lastY = labelY[l];
    }
    for (int l = 0; l < 3; ++l) {
        if (plot.best[l] == 0.0) continue;
        Mark(app, l, right + 10.0f, labelY[l], 11.0f);
        fonts.DrawTextRect(Grade(plot.best[l]).c_str(), static_cast<int>(right) + 17, static_cast<int>(labelY[l]) - 12,
                           area.right + 40, static_cast<int>(labelY[l]) + 12, kInk, kTextVCenter, font);
    }
    const float markSize = std::clamp(step * 1.4f, 7.0f, 15.0f);
    for (size_t i = 0; i < n; ++i) Mark(app, plot.points[i].level, xOf(i), yOf(plot.points[i].grade), markSize);
    // The average moves slowly: a point every few results draws the same curve with fewer
    // turned sprites, which the software renderer draws at a high price.
    const size_t every = (n + kAverageSegments - 1) / kAverageSegments;
    for (size_t i = 0; i + 1 < n;) {
        const size_t next = std::min(i + every, n - 1);
        Line(app, xOf(i), yOf(plot.average[i]), xOf(next), yOf(plot.average[next]), 3.0f, kAverageLine);
        i = next;
    }
}

void DrawPlotLegend(AppContext& app, FontManager& fonts, Font* font, const PlotSeries& plot, Rect area) {
    // "Best grades:  ● Easy 1.40   ■ Medium 2.10   ▲ Hard –   —— Average of the last ten"
    const int mid = (area.top + area.bottom) / 2;
    float x = static_cast<float>(area.left);
    const char* bestLabel = app.GetText(kTextPlotBest);
    fonts.DrawTextRect(bestLabel, static_cast<int>(x), area.top, area.right, area.bottom, kInk, kTextVCenter, font);
    x += 112.0f;
    for (int l = 0; l < 3; ++l) {
        Mark(app, l, x + 8.0f, static_cast<float>(mid), 14.0f);
        std::string text = app.GetText(kLevelTextId[l]) ? app.GetText(kLevelTextId[l]) : "";
        text += " ";
        text += plot.best[l] > 0.0 ? Grade(plot.best[l]) : std::string("-");
        fonts.DrawTextRect(text.c_str(), static_cast<int>(x) + 20, area.top, area.right, area.bottom, kInk, kTextVCenter,
                           font);
        x += 124.0f;
    }
    Line(app, x, static_cast<float>(mid), x + 28.0f, static_cast<float>(mid), 3.0f, kAverageLine);
    fonts.DrawTextRect(app.GetText(kTextPlotAverage), static_cast<int>(x) + 36, area.top, area.right + 60, area.bottom,
                       kInk, kTextVCenter, font);
}

int ResultNoteFor(const History& history, const HistoryRecord& result, double& average) {
    average = 0.0;
    double best = 7.0, sum = 0.0;
    int earlier = 0, counted = 0;
    const auto& records = history.Records();
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        if (it->IsSeries() != result.IsSeries() || it->game != result.game || it->level != result.level) continue;
        ++earlier;
        best = std::min(best, it->grade);
        if (counted < kAverageOf) {
            sum += it->grade;
            ++counted;
        }
    }
    constexpr double kMargin = 0.005;  // grades are shown with two decimals
    if (earlier >= 1 && result.grade < best - kMargin) return kTextNoteNewBest;
    if (counted >= 3) {
        average = sum / counted;
        if (result.grade < average - kMargin) return kTextNoteAverage;
    }
    return 0;
}
