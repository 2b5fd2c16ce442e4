#include "platform/Renderer.h"

#include <SDL.h>

#include <cstring>

#include "platform/Texture.h"

Renderer::Renderer(SDL_Renderer* target) : target_(target) {}
Renderer::~Renderer() = default;

HResult Renderer::Begin() {
    commands_.clear();
    SetIdentity();
    return kOk;
}

HResult Renderer::End() { return kOk; }

void Renderer::SetTransform(const float m[6]) { std::memcpy(transform_, m, sizeof transform_); }

void Renderer::SetIdentity() {
    static const float identity[6] = {1, 0, 0, 1, 0, 0};
    SetTransform(identity);
}

void Renderer::Draw(Texture* texture, const Rect* src, Color color) {
    if (texture == nullptr) return;
    DrawCommand c;
    c.kind = DrawCommand::kSprite;
    c.texture = texture;
    c.src = src ? *src : Rect{0, 0, texture->width, texture->height};
    std::memcpy(c.transform, transform_, sizeof transform_);
    c.color = color;
    commands_.push_back(std::move(c));
}

void Renderer::DrawText(Font* font, const char* text, Rect rect, unsigned format, Color color) {
    if (text == nullptr) return;
    DrawCommand c;
    c.kind = DrawCommand::kText;
    c.font = font;
    c.text = text;
    c.rect = rect;
    c.format = format;
    c.color = color;
    commands_.push_back(std::move(c));
}

bool Renderer::PresentFrame(Color clearColor) {
    if (!forceRedraw_ && commands_ == presented_) return false;
    forceRedraw_ = false;
    presented_ = commands_;
    if (target_ == nullptr) return true;
    SDL_SetRenderDrawColor(target_, (clearColor >> 16) & 0xFF, (clearColor >> 8) & 0xFF, clearColor & 0xFF,
                           (clearColor >> 24) & 0xFF);
    SDL_RenderClear(target_);
    SDL_RenderPresent(target_);
    return true;
}

void Renderer::OnLostDevice() { forceRedraw_ = true; }
void Renderer::OnResetDevice() { forceRedraw_ = true; }
