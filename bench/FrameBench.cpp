// Frame costs of the busiest screen of every game: the real menu on a real window (the
// accelerated renderer when there is one, as the program uses it), each game at the hardest
// level after its countdown, every frame recorded, drawn and presented (the frame skip is
// forced off, and so is the wait for the display's refresh). Run in a folder with the game data; prints one line per game:
//   frame <index> <median ms> <max ms> <draw commands>
// then loading a history of 10,000 results and the statistics pages with full plots:
//   history load <median ms> <max ms> <records>
//   plot <page id> <median ms> <max ms> <draw commands>   (the page drawn whole)
//   plot <page id> moving <median ms> <max ms> <draw commands>   (the pointer moving over it)
// and, for comparison, an empty frame ("present only ...") and the page of all games with its
// lists ("list 40 ...").
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/History.h"
#include "framework/Knobel_Game.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "platform/Archive.h"
#include "platform/Device.h"
#include "platform/Renderer.h"
#include "platform/TextureLoading.h"

namespace {
constexpr int kWarmFrames = 20;
constexpr int kFrames = 90;
constexpr double kStep = 1.0 / 60.0;

void Step(AppContext& app, MainMenu& menu, double seconds) {
    app.frameTime = seconds;
    app.realFrameTime = seconds;
    menu.Update();
}

double Frame(AppContext& app, MainMenu& menu, bool whole = true) {
    if (whole) app.sprite->DropLayer();
    const auto start = std::chrono::steady_clock::now();
    app.sprite->Begin();
    menu.Render();
    menu.PaintCursor();
    app.sprite->End();
    app.sprite->ForceRedraw();
    app.sprite->PresentFrame(0xFF646464);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void PrintTimes(const char* what, std::vector<double> times, size_t count) {
    std::sort(times.begin(), times.end());
    std::printf("%s %.2f %.2f %zu\n", what, times[times.size() / 2], times.back(), count);
    std::fflush(stdout);
}

// A full history: 10,000 results of all sixteen games at three levels and a series now and then.
void WriteFullHistory(const char* path) {
    static const char* const kStems[] = {"bilder", "crazy", "datum", "dreieck", "ged\xE4" "chtnis", "merkspiel",
                                         "mindmaster", "thinkbox", "quadrate", "addieren", "puzzle", "sudoku",
                                         "uhr", "waage_fruits", "geld", "zahlenklicken"};
    std::ofstream out(path, std::ios::binary);
    out << "header\r\n";
    for (int i = 0; i < static_cast<int>(History::kKeep); ++i) {
        HistoryRecord r;
        r.when = "2026-05-17T20:15:00";
        r.game = i % 17 == 16 ? kSeriesStem : kStems[i % 16];
        r.level = i % 3;
        r.grade = 1.0 + (i * 37 % 500) / 100.0;
        r.seconds = 60 + i % 300;
        if (i % 4 == 0) r.right = 8, r.wrong = 2;
        if (r.IsSeries()) r.average = r.best = r.worst = r.grade;
        out << FormatHistoryLine(r) << "\r\n";
    }
}

// The statistics page with its plots, every frame drawn: whole, as when the page opens, and
// again with the pointer moving over the still page (from the second frame on, the page is
// copied from the layer and only the pointer is drawn anew).
void PlotFrames(AppContext& app, MainMenu& menu, int page, const char* label, bool plot = true) {
    menu.showPlot = plot;
    menu.ShowPage(page);
    for (const bool whole : {true, false}) {
        std::vector<double> times, cpu;
        for (int i = 0; i < kWarmFrames + kFrames; ++i) {
            app.mouseX = 420 + i % 50;
            app.mouseY = 330;
            Step(app, menu, kStep);
            const std::clock_t c0 = std::clock();
            const double ms = Frame(app, menu, whole);
            if (i >= kWarmFrames) times.push_back(ms);
            if (i >= kWarmFrames) cpu.push_back(1000.0 * static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC);
            SDL_PumpEvents();
        }
        const std::string name = std::string(label) + (whole ? "" : " moving");
        PrintTimes(name.c_str(), times, app.sprite->Commands().size());
        // The processor time of the program's own threads: on a busy machine closer to what the
        // frame costs than the time on the clock.
        PrintTimes((name + " cpu").c_str(), cpu, app.sprite->Commands().size());
    }
}

// An empty frame: what clearing and presenting alone cost on this display, the floor under
// every other figure.
void PresentOnly(AppContext& app) {
    std::vector<double> times;
    for (int i = 0; i < kWarmFrames + kFrames; ++i) {
        const auto start = std::chrono::steady_clock::now();
        app.sprite->Begin();
        app.sprite->End();
        app.sprite->ForceRedraw();
        app.sprite->PresentFrame(0xFF646464);
        if (i >= kWarmFrames)
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        SDL_PumpEvents();
    }
    PrintTimes("present only", times, 0);
}
}  // namespace

int main(int argc, char** argv) {
    AppContext& app = *GetAppContext();
    // What a frame costs, not how long the display makes it wait for the next refresh.
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return 1;
    IMG_Init(IMG_INIT_PNG);
    TTF_Init();
    app.window = SDL_CreateWindow("Knobelwerk", 0, 0, 1024, 768, 0);
    app.presentParams.windowed = true;
    app.device = Device::Create(app.window, app.presentParams);
    app.d3d = app.device;
    app.archive = OpenArchive("sport.gob");
    if (app.device == nullptr || Failed(LoadSharedTextures(app))) {
        std::fprintf(stderr, "no device or no textures\n");
        return 1;
    }
    const int levelWanted = argc > 1 ? std::atoi(argv[1]) : 2;
    {
        MainMenu menu;
        app.activeControl = &menu;
        app.mouseX = 1010;
        app.mouseY = 755;
        for (int index = 0; index < kGameCount; ++index) {
            menu.level = levelWanted;
            menu.StartGame(index);
            if (menu.game == nullptr) continue;
            menu.game->DisableSaving();
            Step(app, menu, 3.1);  // past the countdown
            std::vector<double> times;
            for (int i = 0; i < kWarmFrames + kFrames; ++i) {
                Step(app, menu, kStep);
                const double ms = Frame(app, menu);
                if (i >= kWarmFrames) times.push_back(ms);
                SDL_PumpEvents();
            }
            std::sort(times.begin(), times.end());
            std::printf("frame %d %.2f %.2f %zu\n", index, times[times.size() / 2], times.back(),
                        app.sprite->Commands().size());
            std::fflush(stdout);
        }
        // The history: loading it, then the page of all games and a game's page with full plots.
        const char* historyPath = "bench-verlauf.sav";
        WriteFullHistory(historyPath);
        std::vector<double> loads;
        for (int i = 0; i < 20; ++i) {
            History h(historyPath);
            const auto start = std::chrono::steady_clock::now();
            h.Load();
            loads.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            if (i == 0 && h.Records().size() != History::kKeep) std::fprintf(stderr, "history: %zu\n", h.Records().size());
        }
        PrintTimes("history load", loads, History::kKeep);
        menu.history = History(historyPath);
        menu.history.Load();
        std::remove(historyPath);
        delete menu.game;
        menu.game = nullptr;
        app.runState = 0;
        PresentOnly(app);
        PlotFrames(app, menu, kPageStatistics, "list 40", false);  // the same page without the plots
        PlotFrames(app, menu, kPageStatistics, "plot 40");
        menu.StartGame(11);  // sudoku
        if (menu.game != nullptr) {
            menu.game->DisableSaving();
            Step(app, menu, 3.1);
            PlotFrames(app, menu, kPageGameStatistics, "plot 52");
        }
        app.activeControl = nullptr;
    }
    ReleaseSharedTextures(app);
    delete app.device;
    app.device = nullptr;
    app.d3d = nullptr;
    CloseArchive(app.archive);
    app.archive = nullptr;
    SDL_DestroyWindow(app.window);
    app.window = nullptr;
    TTF_Quit();
    IMG_Quit();
    SDL_Quit();
    return 0;
}
