#pragma once
// The one global application record. Every part of the program reaches it through
// GetAppContext() or the `app` field of a Game. It holds no platform headers: the device,
// the sprite batch, textures and sounds are the program's own platform types.
#include <cstdint>
#include <cstdio>

#include "framework/LockedList.h"
#include "framework/Types.h"

class MyControl;
class Device;
class Renderer;
class Texture;
class SoundDevice;
class MusicPlayer;
struct SoundCopies;
struct TextEntry;
class GlobalStatistics;
struct SDL_Window;

// What is kept of the presentation parameters for a device reset.
struct PresentParams {
    bool windowed = false;
    int backBufferWidth = 1024;
    int backBufferHeight = 768;
};

struct AppContext {
    AppContext();
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    int runState = 0;  // 0 menu, 1 a game runs, 2 leave the main loop
    MyControl* activeControl = nullptr;
    int screenWidth = 1024;
    int screenHeight = 768;
    bool fullScreen = true;
    Device* d3d = nullptr;      // the platform's display object (window system and renderer)
    Device* device = nullptr;   // the rendering device
    Renderer* sprite = nullptr; // the one sprite batch used for all 2-D drawing
    PresentParams presentParams;
    SDL_Window* window = nullptr;
    MusicPlayer* musicPlayer = nullptr;
    SoundDevice* directSound = nullptr;
    SoundCopies* soundBuffers[14] = {};
    int soundVolume = 100;
    int musicVolume = 100;
    int mouseX = 0, mouseY = 0;
    int prevMouseX = 0, prevMouseY = 0;
    bool hasPerfCounter = false;
    double secondsPerTick = 0.001;
    int animTick = 0;
    bool paused = false;
    double frameTime = 0.0;
    int64_t lastCounter = 0;
    int64_t nowCounter = 0;
    double realFrameTime = 0.0;
    // What the cap on a frame's time step took off frameTime (0 while paused). The menu's
    // time total adds it back, so that time spent on a resting page is counted.
    double frameTimeCut = 0.0;
    FILE* archive = nullptr;
    Texture* texMisc1 = nullptr;
    Texture* texMisc2 = nullptr;
    Texture* texMisc3 = nullptr;
    Texture* texMisc4 = nullptr;
    Texture* texMenu1 = nullptr;
    Texture* texMenu2 = nullptr;
    Texture* texMenu3 = nullptr;
    Texture* texCards1 = nullptr;
    Texture* texCards2 = nullptr;
    Texture* texSplash = nullptr;
    Texture* texMemoryPattern = nullptr;
    Texture* texBack1 = nullptr;
    Texture* texBack2 = nullptr;
    Texture* texBack3 = nullptr;
    Texture* texBack4 = nullptr;
    Texture* texBackground = nullptr;
    LockedList<TextEntry>* texts = nullptr;
    GlobalStatistics* statistics = nullptr;
    int language = 0;
    bool introEnabled = true;
    // The window has the input focus; sound effects play only while it has.
    bool windowFocused = true;
    bool colourSymbols = true;  // games add symbols and patterns to their colour signals
    bool muted = false;         // M or F2: no sound at all, whatever the volume

    // Language texts: loads "deutsch.lng" (0) or "english.lng" (1); GetText returns the text
    // of an id, or nullptr when there is none.
    void LoadLanguage(int number);
    const char* GetText(int id);

    // Draws a textured rectangle: scale about the origin, rotation by `rotation` radians about
    // rotationCenter (in scaled coordinates), then translation. Null pointers mean identity.
    void DrawSprite(Texture* texture, const Rect* srcRect, const Vec2* scale, const Vec2* rotationCenter,
                    double rotation, const Vec2* position, Color color);

    // Plays sound id with a volume factor (1.0 = full) on the first of its ten copies that is free.
    void PlaySound(int soundId, float volumeFactor);
    // Every PlaySound call is counted, even without a sound device, so tests can observe it.
    int soundsRequested = 0;
    int lastSoundId = -1;

    // Loads an image from the archive into a texture (sides rounded up to powers of two).
    HResult LoadTexture(const char* fileName, Texture** outTexture, FILE** archiveFile, bool allowFileFallback);

    // Draws the loading screen after one more loading step.
    void DrawLoadingScreen();
    int loadingSteps = 0;
    // The intro's last picture is on screen. It ends on the title picture of the loading screen,
    // so until the splash texture is there the loading screen leaves it standing instead of
    // showing the bare grey.
    bool introOnScreen = false;

    // A Shift key is held (Shift+Tab moves the focus of a page backwards; fine steps when a
    // piece is carried by keys).
    bool shiftHeld = false;
    // The last input to a game was a key: its keyboard cursor shows until the mouse moves.
    bool keyboardPlay = false;
};

// The one application record, created on first use and destroyed at process exit.
AppContext* GetAppContext();
// Destroys the record now (writing the settings and the global statistics); the next
// GetAppContext() builds a fresh one. Runs by itself at process exit.
void DestroyAppContext();
