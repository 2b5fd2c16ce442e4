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
Renderer::~Renderer() { DropLayer(); }

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
    // How many leading calls this frame shares with the one presented last.
    const size_t stable = static_cast<size_t>(
        std::mismatch(commands_.begin(), commands_.end(), presented_.begin(), presented_.end()).first -
        commands_.begin());
    if (!forceRedraw_ && stable == commands_.size() && stable == presented_.size()) return false;
    forceRedraw_ = false;
    presented_ = commands_;
    if (target_ == nullptr) {
        ++framesDrawn_;
        return true;
    }
    if (!ReplayOverLayer(clearColor, stable)) Replay(clearColor);
    SDL_RenderPresent(target_);
    return true;
}

namespace {
bool OnPixelCentre(float v) { return std::fabs(v - std::floor(v) - 0.5f) < 1e-3f; }

void ClearTo(SDL_Renderer* target, Color c) {
    SDL_SetRenderDrawColor(target, (c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF, (c >> 24) & 0xFF);
    SDL_RenderClear(target);
}
}  // namespace

void Renderer::Replay(Color clearColor) {
    ++framesDrawn_;
    if (target_ == nullptr) return;
    ClearTo(target_, clearColor);
    ReplayRange(0, commands_.size());
    textCache_->EndFrame();
}

void Renderer::ReplayRange(size_t from, size_t to) {
    for (size_t i = from; i < to && i < commands_.size(); ++i) {
        const DrawCommand& c = commands_[i];
        if (c.kind == DrawCommand::kSprite) ReplaySprite(c);
        else textCache_->Draw(c.font, c.text, c.rect, c.format, c.color);
    }
}

// The layer is kept while the frames begin with the calls it holds. It is built (or grown)
// from the calls a frame shares with the one before, at most every few frames, so that a
// screen whose early calls change every frame does not pay for a layer it cannot use.
bool Renderer::ReplayOverLayer(Color clearColor, size_t stable) {
    constexpr size_t kLeastWorthKeeping = 3;
    constexpr int kFramesBetweenBuilds = 4;
    if (layerRefused_) return false;
    ++framesSinceLayer_;
    if (layerCount_ > stable) layerCount_ = 0;  // the frame changed within the layer
    if (stable >= kLeastWorthKeeping && stable > layerCount_ && framesSinceLayer_ >= kFramesBetweenBuilds &&
        !BuildLayer(clearColor, stable))
        layerCount_ = 0;
    if (layerCount_ == 0) return false;
    ++framesDrawn_;
    ClearTo(target_, clearColor);
    SDL_RenderCopy(target_, layer_, nullptr, nullptr);
    ReplayRange(layerCount_, commands_.size());
    textCache_->EndFrame();
    return true;
}

bool Renderer::BuildLayer(Color clearColor, size_t count) {
    int w = 0, h = 0;
    SDL_RenderGetLogicalSize(target_, &w, &h);
    if (w <= 0 || h <= 0) SDL_GetRendererOutputSize(target_, &w, &h);
    if (w <= 0 || h <= 0) return false;
    if (layer_ == nullptr || w != layerWidth_ || h != layerHeight_) {
        DropLayer();
        layer_ = SDL_CreateTexture(target_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
        if (layer_ == nullptr) {
            layerRefused_ = true;
            return false;
        }
        layerWidth_ = w;
        layerHeight_ = h;
        SDL_SetTextureBlendMode(layer_, SDL_BLENDMODE_NONE);
    }
    SDL_Texture* screen = SDL_GetRenderTarget(target_);
    if (SDL_SetRenderTarget(target_, layer_) != 0) {
        layerRefused_ = true;
        DropLayer();
        return false;
    }
    ClearTo(target_, clearColor | 0xFF000000u);
    ReplayRange(0, count);
    SDL_SetRenderTarget(target_, screen);
    // Copied one to one, the nearest pixel is the exact one and cheaper to find.
    float sx = 1.0f, sy = 1.0f;
    SDL_RenderGetScale(target_, &sx, &sy);
    SDL_SetTextureScaleMode(layer_, sx == 1.0f && sy == 1.0f ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    layerCount_ = count;
    framesSinceLayer_ = 0;
    return true;
}

void Renderer::DropLayer() {
    if (layer_ != nullptr) SDL_DestroyTexture(layer_);
    layer_ = nullptr;
    layerCount_ = 0;
    layerWidth_ = layerHeight_ = 0;
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
    SDL_FRect dst{tx - anchor.x, ty - anchor.y, w, h};
    // An edge exactly on a row of pixel centres is a tie that the rasteriser breaks one way on
    // the window and the other way in the layer, whose rows run upwards; a sliver off the tie,
    // the sprite covers the same rows on both.
    if (OnPixelCentre(dst.y) || OnPixelCentre(dst.y + dst.h)) dst.y += 1.0f / 64.0f;
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
    DropLayer();
    if (textCache_) textCache_->Clear();
}
void Renderer::OnResetDevice() {
    forceRedraw_ = true;
    DropLayer();
}

void Renderer::SetTextCacheEnabled(bool enabled) {
    if (textCache_) textCache_->SetEnabled(enabled);
}

long Renderer::LinesRasterised() const { return textCache_ ? textCache_->LinesRasterised() : 0; }
