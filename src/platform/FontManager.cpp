#include "platform/FontManager.h"

#include <SDL_ttf.h>

#include "app/AppContext.h"
#include "platform/Renderer.h"

Font::Font(int id_, const char* face, double h) : id(id_), faceName(face ? face : ""), height(h) {}
Font::~Font() {
    if (ttf_ != nullptr) TTF_CloseFont(ttf_);
}
HResult Font::OnLostDevice() { if (!lost) lost = true; return kOk; }
HResult Font::OnResetDevice() { if (lost) lost = false; return kOk; }
TTF_Font* Font::Handle() { return ttf_; }

FontManager::FontManager() : defaultFont_(new Font(-1, "Arial", 15)) {}
FontManager::~FontManager() { ReleaseAll(); }

Font* FontManager::AddFont(const char* faceName, double height) {
    Font* f = new Font(count_++, faceName, height);
    fonts_.Add(f);
    return f;
}

Font* FontManager::FindFont(int id) {
    for (Font* f : fonts_)
        if (f->id == id) return f;
    return defaultFont_;
}

void FontManager::DrawTextRect(const char* text, int l, int t, int r, int b, Color color, unsigned format, Font* font) {
    AppContext* app = GetAppContext();
    if (app->sprite == nullptr || text == nullptr) return;
    app->sprite->SetIdentity();
    app->sprite->DrawText(font ? font : defaultFont_, text, Rect{l, t, r, b}, format, color);
}

void FontManager::DrawTextById(const char* text, Rect rc, Color color, unsigned format, int fontId) {
    DrawTextRect(text, rc.left, rc.top, rc.right, rc.bottom, color, format, FindFont(fontId));
}

Rect FontManager::TextAtRect(float x, float y, unsigned format, int W, int H) {
    Rect r;
    if (format & kTextCenter) {
        int d = static_cast<int>(W / 2 - x);
        r.left = -d;
        r.right = W - d;
    } else if (format & kTextRight) {
        r.left = 0;
        r.right = static_cast<int>(x);
    } else {
        r.left = static_cast<int>(x);
        r.right = W;
    }
    if (format & kTextVCenter) {
        int d = static_cast<int>(H / 2 - y);
        r.top = -d;
        r.bottom = H - d;
    } else {
        r.top = static_cast<int>(y);
        r.bottom = static_cast<int>(H + y);
    }
    return r;
}

void FontManager::DrawTextAt(const char* text, float x, float y, Color color, unsigned format, int fontId) {
    DrawTextAt(text, x, y, color, format, FindFont(fontId));
}

void FontManager::DrawTextAt(const char* text, float x, float y, Color color, unsigned format, Font* font) {
    AppContext* app = GetAppContext();
    Rect r = TextAtRect(x, y, format, app->screenWidth, app->screenHeight);
    DrawTextRect(text, r.left, r.top, r.right, r.bottom, color, format, font);
}

void FontManager::DrawTextScreen(const char* text, Color color, unsigned format, int fontId) {
    DrawTextScreen(text, color, format, FindFont(fontId));
}

void FontManager::DrawTextScreen(const char* text, Color color, unsigned format, Font* font) {
    AppContext* app = GetAppContext();
    DrawTextRect(text, 0, 0, app->screenWidth, app->screenHeight, color, format, font);
}

void FontManager::OnLostDevice() {
    if (defaultFont_ && !defaultFont_->lost) defaultFont_->OnLostDevice();
    for (Font* f : fonts_)
        if (!f->lost) f->OnLostDevice();
}

void FontManager::OnResetDevice() {
    if (defaultFont_ && defaultFont_->lost) defaultFont_->OnResetDevice();
    for (Font* f : fonts_)
        if (f->lost) f->OnResetDevice();
}

void FontManager::ReleaseAll() {
    delete defaultFont_;
    defaultFont_ = nullptr;
    fonts_.Clear(true);
}

FontManager* GetFontManager() {
    static FontManager manager;
    return &manager;
}
