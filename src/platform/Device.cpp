#include "platform/Device.h"

#include <SDL.h>

#include "app/AppContext.h"
#include "platform/Renderer.h"

Device* Device::Create(SDL_Window* window, const PresentParams& params) {
    if (window == nullptr) return nullptr;
    Device* d = new Device();
    d->window_ = window;
    d->renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (d->renderer_ == nullptr) {
        d->renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
        d->software_ = true;
    }
    if (d->renderer_ == nullptr) {
        delete d;
        return nullptr;
    }
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(d->renderer_, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE)) d->software_ = true;
    SDL_RenderSetLogicalSize(d->renderer_, params.backBufferWidth, params.backBufferHeight);
    SDL_SetRenderDrawBlendMode(d->renderer_, SDL_BLENDMODE_BLEND);
    return d;
}

Device::~Device() {
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
}

HResult Device::TestCooperativeLevel() {
    if (lost_) return kDeviceNotReset;
    if (window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED)) return kDeviceLost;
    return kOk;
}

// Applies the display mode of the parameters and keeps the canvas size.
HResult Device::Reset(const PresentParams& params) {
    lost_ = false;
    if (window_ != nullptr) SDL_SetWindowFullscreen(window_, params.windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (renderer_ != nullptr) SDL_RenderSetLogicalSize(renderer_, params.backBufferWidth, params.backBufferHeight);
    if (sprite != nullptr) sprite->OnResetDevice();
    return kOk;
}

void Device::SetVSync(bool on) {
    if (renderer_ != nullptr) SDL_RenderSetVSync(renderer_, on ? 1 : 0);
}

void Device::Clear(Color color) { clearColor_ = color; }

void Device::Present() {
    if (sprite != nullptr) {
        sprite->PresentFrame(clearColor_);
        return;
    }
    if (renderer_ == nullptr) return;
    SDL_SetRenderDrawColor(renderer_, (clearColor_ >> 16) & 0xFF, (clearColor_ >> 8) & 0xFF, clearColor_ & 0xFF, 0xFF);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
}
