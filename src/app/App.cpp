#include "app/App.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>

#include "app/AppContext.h"
#include "framework/Settings.h"
#include "app/Events.h"
#include "app/FrameLoop.h"
#include "app/Intro.h"
#include "app/QuitSignals.h"
#include "app/RecordKeeper.h"
#include "app/Timing.h"
#include "app/WindowProc.h"
#include "gui/MainMenu.h"
#include "platform/Archive.h"
#include "platform/Device.h"
#include "platform/FontManager.h"
#include "platform/Renderer.h"
#include "platform/Sound.h"
#include "platform/Texture.h"
#include "platform/TextureLoading.h"

namespace {
MainMenu* g_menu = nullptr;

void ShutDown(AppContext& app) {
    StopDecodingSharedTextures();  // it may still read the archive
    if (app.d3d != nullptr) {
        if (app.device != nullptr) {
            GetFontManager()->ReleaseAll();
            ReleaseSharedTextures(app);
            delete app.device;
            app.device = nullptr;
        }
        app.d3d = nullptr;
    }
    ReleaseSound(app);
    if (app.window != nullptr) {
        SDL_DestroyWindow(app.window);
        app.window = nullptr;
    }
}

SDL_Window* CreateMainWindow(AppContext& app) {
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    if (app.fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    return SDL_CreateWindow("Knobelwerk", 0, 0, app.screenWidth, app.screenHeight, flags);
}

// The rendering device on the main window; false when it cannot be made.
bool CreateDevice(AppContext& app) {
    app.presentParams.windowed = !app.fullScreen;
    app.presentParams.backBufferWidth = app.screenWidth;
    app.presentParams.backBufferHeight = app.screenHeight;
    app.device = Device::Create(app.window, app.presentParams);
    app.d3d = app.device;
    return app.device != nullptr;
}

// The intro plays in the main window, so window and device are made for it first; loading then
// draws into the same window. Returns false when the window was closed during the intro.
bool RunIntro(AppContext& app) {
    if (!IntroWanted(app)) return true;
    app.window = CreateMainWindow(app);
    if (app.window == nullptr || !CreateDevice(app)) return true;  // start-up tries again and reports
    SDL_ShowCursor(SDL_DISABLE);
    SDL_ShowWindow(app.window);
    IntroReport report;
    PlayIntro("intro.avi", IntroLimits{}, &report);
    return report.end != IntroEnd::kWindowClosed;
}

// Draws one frame; returns whether the picture changed (an unchanged frame is not presented).
bool RenderFrame(AppContext& app) {
    const int drawnBefore = app.sprite != nullptr ? app.sprite->FramesDrawn() : 0;
    app.device->Clear(0xFF646464);
    app.device->BeginScene();
    if (app.sprite != nullptr) app.sprite->Begin();
    g_menu->Render();
    g_menu->PaintCursor();
    if (app.sprite != nullptr) app.sprite->End();
    app.device->EndScene();
    app.device->Present();
    return app.sprite == nullptr || app.sprite->FramesDrawn() != drawnBefore;
}

// The main loop's hold on SDL, the device and the menu.
class ProgramPorts : public LoopPorts {
public:
    explicit ProgramPorts(AppContext& app) : app_(app), keeper_(app) {}
    double Now() override {
        return static_cast<double>(SDL_GetPerformanceCounter()) / static_cast<double>(SDL_GetPerformanceFrequency());
    }
    bool WaitEvent(SDL_Event& event, int timeoutMs) override { return SDL_WaitEventTimeout(&event, timeoutMs) != 0; }
    bool PollEvent(SDL_Event& event) override { return SDL_PollEvent(&event) != 0; }
    bool Dispatch(const SDL_Event& event) override {
        const bool goOn = DispatchEvent(event);
        keeper_.SaveChanges();
        return goOn;
    }
    bool Frame() override {
        const HResult level = app_.device->TestCooperativeLevel();
        deviceLost_ = level == Device::kDeviceLost;
        if (deviceLost_) return false;  // minimised: look again a little later
        if (level == Device::kDeviceNotReset) {
            ResetDevice();
            return true;
        }
        if (TimingStep(app_, GetFrameClock(), ReadCounter(app_))) g_menu->Update();
        keeper_.SaveChanges();
        const bool changed = RenderFrame(app_);
        RestSoundWhenQuiet(app_, SDL_GetTicks64());
        return changed;
    }
    // The loop also wakes when the sound device may rest.
    double SecondsUntilChange() override {
        if (deviceLost_) return 0.05;
        double screen = g_menu->SecondsUntilChange();
        if (g_menu->GamePlayed()) screen = std::min(screen, kPlayFramePeriod);
        const int64_t restMs = MillisecondsUntilSoundRest(app_, SDL_GetTicks64());
        return restMs < 0 ? screen : std::min(screen, static_cast<double>(restMs) / 1000.0);
    }
    bool Running() override { return app_.runState != 2; }

private:
    AppContext& app_;
    RecordKeeper keeper_;
    bool deviceLost_ = false;
};

int MainLoop(AppContext& app) {
    ProgramPorts ports(app);
    if (RunFrameLoop(ports) == LoopEnd::kQuit) {
        ShutDown(app);
        delete g_menu;
        g_menu = nullptr;
        app.activeControl = nullptr;
        CloseArchive(app.archive);
        app.archive = nullptr;
        return 0;
    }
    delete g_menu;
    g_menu = nullptr;
    app.activeControl = nullptr;
    ShutDown(app);
    CloseArchive(app.archive);
    app.archive = nullptr;
    return 0;
}
}  // namespace

void ShowStartupError(const char* text) {
    std::fprintf(stderr, "Fehler! %s\n", text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Fehler!", text, nullptr);
}

void ResetDevice() {
    AppContext& app = *GetAppContext();
    if (g_menu != nullptr) g_menu->OnLostDevice();
    GetFontManager()->OnLostDevice();
    if (app.sprite != nullptr) app.sprite->OnLostDevice();
    if (app.device != nullptr) app.device->Reset(app.presentParams);
    ReloadSharedTextures(app);
    if (g_menu != nullptr) g_menu->OnResetDevice();
    GetFontManager()->OnResetDevice();
    if (app.sprite != nullptr) app.sprite->OnResetDevice();
}

void SwitchFullScreen() {
    AppContext& app = *GetAppContext();
    app.fullScreen = !app.fullScreen;
    app.presentParams.windowed = !app.fullScreen;
    if (app.device != nullptr) ResetDevice();
    WriteSettings(app);
}

int RunProgram() {
    AppContext& app = *GetAppContext();
    app.runState = 0;
    app.d3d = nullptr;
    app.screenWidth = 1024;
    app.screenHeight = 768;

    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
        ShowStartupError("Direct3D kann nicht initialisiert werden");
        ShutDown(app);
        return 0;
    }
    SetQuitEventsOpen(true);
    IMG_Init(IMG_INIT_PNG);
    TTF_Init();
    if (!RunIntro(app)) {
        // Closing the window during the intro ends the program like closing it later: the
        // settings and the statistics are written when the application record goes.
        ShutDown(app);
        TTF_Quit();
        IMG_Quit();
        SetQuitEventsOpen(false);
        SDL_Quit();
        return 0;
    }
    app.archive = OpenArchive("sport.gob");
    StartDecodingSharedTextures(app);
    if (app.window == nullptr) app.window = CreateMainWindow(app);
    if (app.device == nullptr && !CreateDevice(app)) {
        ShowStartupError("Direct3D kann nicht initialisiert werden");
        ShutDown(app);
        CloseArchive(app.archive);
        app.archive = nullptr;
        SetQuitEventsOpen(false);
        SDL_Quit();
        return 0;
    }
    SDL_ShowCursor(SDL_DISABLE);
    SDL_ShowWindow(app.window);

    app.device->SetVSync(false);
    if (Failed(LoadSharedTextures(app))) {
        ShowStartupError("Es wurden nicht alle notwendigen Texturdateien gefunden");
        ShutDown(app);
        CloseArchive(app.archive);
        app.archive = nullptr;
        SetQuitEventsOpen(false);
        SDL_Quit();
        return 0;
    }
    if (Failed(StartSound(app))) {
        ShowStartupError("DirectSound kann nicht initialisiert werden");
        app.soundVolume = 0;
        app.musicVolume = 0;
    }
    delete app.texSplash;
    app.texSplash = nullptr;
    app.device->SetVSync(true);

    g_menu = new MainMenu();
    app.activeControl = g_menu;
    StartTiming(app);
    const int code = MainLoop(app);
    TTF_Quit();
    IMG_Quit();
    SetQuitEventsOpen(false);
    SDL_Quit();
    return code;
}
