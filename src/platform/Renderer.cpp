#include "platform/Renderer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/TextCache.h"
#include "platform/Texture.h"

void BuildSpriteTransform(const Vec2* scale, const Vec2* rotationCenter, double rotation, const Vec2* position,
                          float m[6]) {
    const double sx = scale ? scale->x : 1.0, sy = scale ? scale->y : 1.0;
    const double cx = rotationCenter ? rotationCenter->x : 0.0, cy = rotationCenter ? rotationCenter->y : 0.0;
    const double px = position ? position->x : 0.0, py = position ? position->y : 0.0;
    const double c = std::cos(rotation), s = std::sin(rotation);
    // p' = R (S p - centre) + centre + position, with R turning clockwise in y-down coordinates.
    m[0] = static_cast<float>(c * sx);
    m[1] = static_cast<float>(s * sx);
    m[2] = static_cast<float>(-s * sy);
    m[3] = static_cast<float>(c * sy);
    m[4] = static_cast<float>(cx - c * cx + s * cy + px);
    m[5] = static_cast<float>(cy - s * cx - c * cy + py);
}

Renderer::Renderer(SDL_Renderer* target) : target_(target) {
    if (target_ != nullptr) textCache_ = std::make_unique<TextCache>(target_);
}
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
    if (text == nullptr || font == nullptr || text[0] == '\0') return;
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
    if (target_ == nullptr) {
        ++framesDrawn_;
        return true;
    }
    Replay(clearColor);
    SDL_RenderPresent(target_);
    return true;
}

void Renderer::Replay(Color clearColor) {
    ++framesDrawn_;
    if (target_ == nullptr) return;
    SDL_SetRenderDrawColor(target_, (clearColor >> 16) & 0xFF, (clearColor >> 8) & 0xFF, clearColor & 0xFF,
                           (clearColor >> 24) & 0xFF);
    SDL_RenderClear(target_);
    for (const DrawCommand& c : commands_) {
        if (c.kind == DrawCommand::kSprite) ReplaySprite(c);
        else textCache_->Draw(c.font, c.text, c.rect, c.format, c.color);
    }
    textCache_->EndFrame();
}

// Maps the affine transformation (a rotation after a scaling, possibly mirrored) onto a
// destination rectangle turned about its anchor corner.
void Renderer::ReplaySprite(const DrawCommand& c) {
    const Texture* t = c.texture;
    if (t->handle == nullptr) return;
    Rect s = c.src;
    s.left = std::max(s.left, 0);
    s.top = std::max(s.top, 0);
    // The device texture holds the image alone; beyond it the texture is transparent.
    s.right = std::min(s.right, t->imageWidth);
    s.bottom = std::min(s.bottom, t->imageHeight);
    if (s.right <= s.left || s.bottom <= s.top) return;
    const float* m = c.transform;
    const float ou = static_cast<float>(s.left - c.src.left), ov = static_cast<float>(s.top - c.src.top);
    const float tx = m[0] * ou + m[2] * ov + m[4];
    const float ty = m[1] * ou + m[3] * ov + m[5];
    const float sx = std::hypot(m[0], m[1]);
    if (!(sx > 1e-6f)) return;
    const float cosA = m[0] / sx, sinA = m[1] / sx;
    const float sy = -sinA * m[2] + cosA * m[3];
    if (!(std::fabs(sy) > 1e-6f)) return;
    const float w = sx * s.Width(), h = std::fabs(sy) * s.Height();
    // Absurd sizes or places (a runaway scale) are not drawn: the software renderer would
    // allocate the whole turned picture.
    constexpr float kLimit = 16384.0f;
    if (!(w <= kLimit && h <= kLimit && std::fabs(tx) <= 4 * kLimit && std::fabs(ty) <= 4 * kLimit)) return;
    const SDL_FPoint anchor{0.0f, sy < 0 ? h : 0.0f};
    const SDL_FRect dst{tx - anchor.x, ty - anchor.y, w, h};
    const SDL_Rect src{s.left, s.top, s.Width(), s.Height()};
    SDL_SetTextureColorMod(t->handle, (c.color >> 16) & 0xFF, (c.color >> 8) & 0xFF, c.color & 0xFF);
    SDL_SetTextureAlphaMod(t->handle, (c.color >> 24) & 0xFF);
    const double angle = std::atan2(sinA, cosA) * 180.0 / M_PI;
    if (sy > 0 && std::fabs(angle) < 1e-4) {
        SDL_RenderCopyF(target_, t->handle, &src, &dst);
    } else {
        SDL_RenderCopyExF(target_, t->handle, &src, &dst, angle, &anchor, sy < 0 ? SDL_FLIP_VERTICAL : SDL_FLIP_NONE);
    }
}

void Renderer::OnLostDevice() {
    forceRedraw_ = true;
    if (textCache_) textCache_->Clear();
}
void Renderer::OnResetDevice() { forceRedraw_ = true; }

void Renderer::SetTextCacheEnabled(bool enabled) {
    if (textCache_) textCache_->SetEnabled(enabled);
}

long Renderer::LinesRasterised() const { return textCache_ ? textCache_->LinesRasterised() : 0; }
