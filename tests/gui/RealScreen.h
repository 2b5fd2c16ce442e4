#pragma once
// The program's own renderer on a hidden window, drawing into a 1024 x 768 target texture with
// the archive, shared textures and texts of the build: what the screens tests look at. Each
// picture is read back and saved for a look as build/e2e-shots/headless-<name>.png.
#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>

struct AppContext;
class MainMenu;

class RealScreen {
public:
    RealScreen() = default;
    RealScreen(const RealScreen&) = delete;
    RealScreen& operator=(const RealScreen&) = delete;
    ~RealScreen() { Close(); }

    // Texts in `language` (0 German, 1 English); `linear` filters scaled sprites as the program
    // does. Returns false (with the reason as a test failure) when something could not be made.
    bool Open(int language, bool linear = false);
    // Releases fonts, textures, device, archive and window. Safe to call twice.
    void Close();

    // Clears to grey, runs `draw` inside one sprite batch, presents and reads the picture back.
    // The caller frees the surface.
    SDL_Surface* Shoot(const std::string& name, const std::function<void()>& draw);
    // The menu with its running game and the pointer.
    SDL_Surface* ShootMenu(MainMenu& menu, const std::string& name);
    // The backdrop the menu lays under a game, then `draw`.
    SDL_Surface* ShootOverBackdrop(const std::string& name, const std::function<void()>& draw);

    // RGB of a pixel of a shot.
    static uint32_t Pixel(const SDL_Surface* shot, int x, int y) {
        return static_cast<const uint32_t*>(shot->pixels)[y * (shot->pitch / 4) + x] & 0xFFFFFF;
    }

    AppContext* app = nullptr;
    SDL_Texture* target = nullptr;

private:
    bool open = false;
};
