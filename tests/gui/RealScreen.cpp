#include "gui/RealScreen.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/AppContext.h"
#include "gui/MainMenu.h"
#include "platform/Archive.h"
#include "platform/Device.h"
#include "platform/FontManager.h"
#include "platform/Renderer.h"
#include "platform/TextureLoading.h"

bool RealScreen::Open(int language, bool linear) {
    namespace fs = std::filesystem;
    for (const char* f : {"deutsch.lng", "english.lng"})
        fs::copy_file(fs::path(KW_DATA_DIR) / f, f, fs::copy_options::overwrite_existing);
    app = GetAppContext();
    app->LoadLanguage(language);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        ADD_FAILURE() << "SDL_Init: " << SDL_GetError();
        return false;
    }
    open = true;
    if (linear) SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    app->window = SDL_CreateWindow("test", 0, 0, 1024, 768, SDL_WINDOW_HIDDEN);
    app->presentParams.windowed = true;
    app->device = Device::Create(app->window, app->presentParams);
    if (app->device == nullptr) {
        ADD_FAILURE() << "no device";
        return false;
    }
    app->archive = OpenArchive(KW_DATA_DIR "/sport.gob");
    if (Failed(LoadSharedTextures(*app))) {
        ADD_FAILURE() << "shared textures missing";
        return false;
    }
    target = SDL_CreateTexture(app->device->Handle(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, 1024, 768);
    if (target == nullptr) {
        ADD_FAILURE() << "no target texture: " << SDL_GetError();
        return false;
    }
    return true;
}

void RealScreen::Close() {
    if (!open) return;
    open = false;
    GetFontManager()->ReleaseAll();
    ReleaseSharedTextures(*app);
    if (target) SDL_DestroyTexture(target);
    target = nullptr;
    delete app->device;
    app->device = nullptr;
    CloseArchive(app->archive);
    app->archive = nullptr;
    if (app->window) SDL_DestroyWindow(app->window);
    app->window = nullptr;
    SDL_Quit();
}

SDL_Surface* RealScreen::Shoot(const std::string& name, const std::function<void()>& draw) {
    SDL_Renderer* r = app->device->Handle();
    SDL_SetRenderTarget(r, target);
    app->sprite->ForceRedraw();
    app->device->Clear(0xFF646464);
    app->sprite->Begin();
    draw();
    app->sprite->End();
    app->device->Present();
    SDL_SetRenderTarget(r, target);
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 1024, 768, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch);
    SDL_SetRenderTarget(r, nullptr);
    const std::filesystem::path shots = std::filesystem::path(KW_DATA_DIR).parent_path() / "e2e-shots";
    std::filesystem::create_directories(shots);
    IMG_SavePNG(s, (shots / ("headless-" + name + ".png")).c_str());
    return s;
}

SDL_Surface* RealScreen::ShootMenu(MainMenu& menu, const std::string& name) {
    return Shoot(name, [&menu] {
        menu.Render();
        menu.PaintCursor();
    });
}

SDL_Surface* RealScreen::ShootOverBackdrop(const std::string& name, const std::function<void()>& draw) {
    return Shoot(name, [this, &draw] {
        const Rect back{0, 0, 600, 450};
        const Vec2 scale{1024.0f / 600.0f, 768.0f / 450.0f};
        app->DrawSprite(app->texBack3, &back, &scale, nullptr, 0.0, nullptr, 0xFFFFFFFF);
        draw();
    });
}
