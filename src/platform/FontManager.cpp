#include "platform/FontManager.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "app/AppContext.h"
#include "platform/Renderer.h"
#include "platform/TextCache.h"

namespace {
// Cell heights beyond this are taken as this (no screen needs larger letters).
constexpr int kMaxCellHeight = 400;

struct FontFile {
    std::string path;
    int index = 0;
    bool bold = false;  // the face itself is bold (otherwise it is emboldened)
};

// The bold face fontconfig offers for a family name ("Arial" gives a metric-compatible sans);
// a family that is not installed gives the default sans. Looked up once per name.
const FontFile& FindFontFile(const std::string& face) {
    static std::map<std::string, FontFile> found;
    auto it = found.find(face);
    if (it != found.end()) return it->second;
    FontFile result;
    for (const std::string& name : {face, std::string("sans-serif")}) {
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>((name + ":bold").c_str()));
        if (pattern == nullptr) continue;
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult res = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &res);
        FcPatternDestroy(pattern);
        if (match == nullptr) continue;
        FcChar8* file = nullptr;
        int index = 0, weight = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
            result.path = reinterpret_cast<const char*>(file);
            if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) result.index = index;
            result.bold = FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch && weight >= FC_WEIGHT_BOLD;
        }
        FcPatternDestroy(match);
        if (!result.path.empty()) break;
    }
    return found.emplace(face, result).first->second;
}

// Opens the face at the point size whose line height (ascent + descent) is the cell height.
TTF_Font* OpenAtCellHeight(const FontFile& file, int cell) {
    int size = cell;
    TTF_Font* font = TTF_OpenFontIndex(file.path.c_str(), size, file.index);
    if (font == nullptr) return nullptr;
    const int first = TTF_FontHeight(font);
    if (first > 0 && first != cell) {
        size = std::max(1, static_cast<int>(std::lround(static_cast<double>(cell) * size / first)));
        TTF_SetFontSize(font, size);
    }
    for (int i = 0; i < 8 && size > 1 && TTF_FontHeight(font) > cell; ++i) TTF_SetFontSize(font, --size);
    for (int i = 0; i < 8; ++i) {
        TTF_SetFontSize(font, size + 1);
        if (TTF_FontHeight(font) > cell) break;
        ++size;
    }
    TTF_SetFontSize(font, size);
    return font;
}
}  // namespace

Font::Font(int id_, const char* face, double h) : id(id_), faceName(face ? face : ""), height(h) {}
Font::~Font() {
    if (ttf_ != nullptr && TTF_WasInit()) TTF_CloseFont(ttf_);
}
HResult Font::OnLostDevice() { if (!lost) lost = true; return kOk; }
HResult Font::OnResetDevice() { if (lost) lost = false; return kOk; }

int Font::LineHeight() {
    // Windows semantics: a positive height is the cell height, a negative one the character
    // height (the letters' em size), 0 a default size.
    const double h = std::isfinite(height) ? height : 0.0;
    const int cell = static_cast<int>(std::clamp(h, -static_cast<double>(kMaxCellHeight), static_cast<double>(kMaxCellHeight)));
    if (cell > 0) return cell;
    TTF_Font* f = Handle();
    return f != nullptr ? std::max(1, TTF_FontHeight(f)) : std::max(1, -cell);
}

TTF_Font* Font::Handle() {
    if (tried_) return ttf_;
    tried_ = true;
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    const FontFile& file = FindFontFile(faceName);
    if (file.path.empty()) return nullptr;
    const double h = std::isfinite(height) ? height : 0.0;
    const int cell = static_cast<int>(std::clamp(h, -static_cast<double>(kMaxCellHeight), static_cast<double>(kMaxCellHeight)));
    if (cell > 0) ttf_ = OpenAtCellHeight(file, cell);
    else ttf_ = TTF_OpenFontIndex(file.path.c_str(), cell < 0 ? -cell : 12, file.index);
    if (ttf_ != nullptr && !file.bold) TTF_SetFontStyle(ttf_, TTF_STYLE_BOLD);
    return ttf_;
}

FontManager::FontManager() : defaultFont_(new Font(-1, "Arial", 15)) {}
FontManager::~FontManager() { ReleaseAll(); }

Font* FontManager::DefaultFont() {
    // After ReleaseAll the next text gets a fresh default font.
    if (defaultFont_ == nullptr) defaultFont_ = new Font(-1, "Arial", 15);
    return defaultFont_;
}

Font* FontManager::AddFont(const char* faceName, double height) {
    Font* f = new Font(count_++, faceName, height);
    fonts_.Add(f);
    return f;
}

Font* FontManager::FindFont(int id) {
    for (Font* f : fonts_)
        if (f->id == id) return f;
    return DefaultFont();
}

void FontManager::DrawTextRect(const char* text, int l, int t, int r, int b, Color color, unsigned format, Font* font) {
    AppContext* app = GetAppContext();
    if (app->sprite == nullptr || text == nullptr) return;
    app->sprite->SetIdentity();
    app->sprite->DrawText(font ? font : DefaultFont(), text, Rect{l, t, r, b}, format, color);
}

void FontManager::DrawTextById(const char* text, Rect rc, Color color, unsigned format, int fontId) {
    DrawTextRect(text, rc.left, rc.top, rc.right, rc.bottom, color, format, FindFont(fontId));
}

int FontManager::TextWidth(const std::string& text, Font* font) {
    TTF_Font* ttf = font != nullptr ? font->Handle() : nullptr;
    int w = 0, h = 0;
    if (ttf == nullptr || TTF_SizeUTF8(ttf, Windows1252ToUtf8(text).c_str(), &w, &h) != 0) return 0;
    return w;
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
