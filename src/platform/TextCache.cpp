#include "platform/TextCache.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>

#include "platform/FontManager.h"

namespace {
// Texts not drawn in this many drawn frames are dropped; the whole cache stays below a budget.
constexpr long kKeepFrames = 120;
constexpr size_t kByteBudget = 48u << 20;
// Longer texts are cut: no screen of the program shows more.
constexpr size_t kMaxTextBytes = 16384;

const uint16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The longest prefix of p[start, end) that fits into width, at least one character.
size_t FittingPrefix(const std::string& p, size_t start, size_t end, int width,
                     const std::function<int(const std::string&)>& measure) {
    size_t lo = start + 1, hi = end;  // lo always counts as fitting
    while (lo < hi) {
        const size_t mid = (lo + hi + 1) / 2;
        if (measure(p.substr(start, mid - start)) <= width) lo = mid;
        else hi = mid - 1;
    }
    return lo;
}

// Splits a paragraph into lines no wider than width, breaking at spaces; a word wider than a
// whole line is broken between characters.
void BreakWords(const std::string& p, int width, const std::function<int(const std::string&)>& measure,
                std::vector<std::string>& out) {
    const size_t n = p.size();
    size_t start = 0;
    while (true) {
        size_t end = start, i = start;
        bool any = false;
        while (i < n) {
            size_t j = i;
            while (j < n && p[j] == ' ') ++j;
            size_t k = j;
            while (k < n && p[k] != ' ') ++k;
            if (k == j) {
                i = n;
                break;
            }
            if (measure(p.substr(start, k - start)) > width) {
                if (!any) {
                    end = FittingPrefix(p, start, k, width, measure);
                    i = end;
                }
                break;
            }
            end = k;
            any = true;
            i = k;
        }
        out.push_back(p.substr(start, end - start));
        if (i >= n) break;
        start = end;
        while (start < n && p[start] == ' ') ++start;
        if (start >= n) break;
    }
}
}  // namespace

std::string Windows1252ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (unsigned char c : text) {
        if (c < 0x80) out += static_cast<char>(c);
        else if (c < 0xA0) AppendUtf8(out, kCp1252High[c - 0x80]);
        else AppendUtf8(out, c);
    }
    return out;
}

// Typed text: the printable characters that Windows-1252 holds, each as its byte; control
// characters, the five unassigned bytes and characters outside the code page are left out.
std::string Utf8ToWindows1252(const std::string& text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size()) {  // a broken sequence: skip the byte
            ++i;
            continue;
        }
        unsigned cp = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const unsigned char c = static_cast<unsigned char>(text[i + k]);
            valid = valid && (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        i += valid ? length : 1;
        if (!valid || cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0)) continue;
        if (cp <= 0xFF) {
            out += static_cast<char>(cp);
            continue;
        }
        for (int b = 0; b < 32; ++b) {
            if (kCp1252High[b] == cp) {
                out += static_cast<char>(0x80 + b);
                break;
            }
        }
    }
    return out;
}

std::vector<TextLine> LayoutText(const std::string& input, int width, int height, unsigned format, int lineHeight,
                                 const std::function<int(const std::string&)>& measure) {
    std::string text = input.substr(0, kMaxTextBytes);
    std::replace(text.begin(), text.end(), '\t', ' ');
    std::vector<std::string> lines;
    if (format & kTextSingleLine) {
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        std::replace(text.begin(), text.end(), '\n', ' ');
        lines.push_back(text);
    } else {
        size_t start = 0;
        while (start <= text.size()) {
            size_t stop = text.find_first_of("\r\n", start);
            const std::string paragraph = text.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
            if (format & kTextWordBreak) BreakWords(paragraph, width, measure, lines);
            else lines.push_back(paragraph);
            if (stop == std::string::npos) break;
            start = stop + 1;
            if (text[stop] == '\r' && start < text.size() && text[start] == '\n') ++start;
        }
    }
    // A text that ends with a line break has no empty last line.
    if (lines.size() > 1 && lines.back().empty()) lines.pop_back();

    const int blockHeight = static_cast<int>(lines.size()) * lineHeight;
    int y = 0;
    if (format & kTextVCenter) y = (height - blockHeight) / 2;
    else if (format & kTextBottom) y = height - blockHeight;
    std::vector<TextLine> result;
    for (const std::string& line : lines) {
        TextLine l;
        l.text = line;
        l.width = line.empty() ? 0 : measure(line);
        if (format & kTextCenter) l.x = (width - l.width) / 2;
        else if (format & kTextRight) l.x = width - l.width;
        l.y = y;
        y += lineHeight;
        if (!line.empty()) result.push_back(std::move(l));
    }
    return result;
}

TextCache::TextCache(SDL_Renderer* target) : target_(target) {}
TextCache::~TextCache() { Clear(); }

void TextCache::Drop(std::unordered_map<std::string, Block>::iterator it) {
    for (Line& l : it->second.lines)
        if (l.texture != nullptr) SDL_DestroyTexture(l.texture);
    bytes_ -= it->second.bytes;
    blocks_.erase(it);
}

void TextCache::Clear() {
    while (!blocks_.empty()) Drop(blocks_.begin());
    bytes_ = 0;
}

TextCache::Block TextCache::Build(Font* font, const std::string& text, Rect rect, unsigned format) {
    Block block;
    TTF_Font* ttf = font->Handle();
    if (ttf == nullptr) return block;
    auto measure = [ttf](const std::string& s) {
        int w = 0, h = 0;
        return TTF_SizeUTF8(ttf, Windows1252ToUtf8(s).c_str(), &w, &h) == 0 ? w : 0;
    };
    const SDL_Color white{255, 255, 255, 255};
    for (const TextLine& l : LayoutText(text, rect.Width(), rect.Height(), format, font->LineHeight(), measure)) {
        SDL_Surface* surface = TTF_RenderUTF8_Blended(ttf, Windows1252ToUtf8(l.text).c_str(), white);
        ++linesRasterised_;
        if (surface == nullptr) continue;
        Line line;
        line.texture = SDL_CreateTextureFromSurface(target_, surface);
        line.x = l.x;
        line.y = l.y;
        line.w = surface->w;
        line.h = surface->h;
        SDL_FreeSurface(surface);
        if (line.texture == nullptr) continue;
        SDL_SetTextureBlendMode(line.texture, SDL_BLENDMODE_BLEND);
        block.bytes += static_cast<size_t>(line.w) * line.h * 4;
        block.lines.push_back(line);
    }
    return block;
}

void TextCache::Draw(Font* font, const std::string& text, Rect rect, unsigned format, Color color) {
    if (font == nullptr || text.empty() || target_ == nullptr) return;
    const unsigned layoutFormat = format & (kTextCenter | kTextRight | kTextVCenter | kTextBottom | kTextWordBreak | kTextSingleLine);
    // The rectangle's size matters only where the layout reads it, so a left-aligned text that
    // moves keeps its lines.
    const int width = (format & (kTextCenter | kTextRight | kTextWordBreak)) ? rect.Width() : 0;
    const int height = (format & (kTextVCenter | kTextBottom)) ? rect.Height() : 0;
    std::string key = font->faceName;
    key += '\x01' + std::to_string(font->LineHeight()) + '\x01' + std::to_string(layoutFormat) + '\x01' +
           std::to_string(width) + 'x' + std::to_string(height) + '\x01' + text;
    auto it = blocks_.find(key);
    if (it == blocks_.end()) {
        it = blocks_.emplace(std::move(key), Build(font, text, rect, format)).first;
        bytes_ += it->second.bytes;
    }
    it->second.lastUsed = frame_;
    const bool clip = !(format & kTextNoClip);
    for (const Line& l : it->second.lines) {
        SDL_Rect dst{rect.left + l.x, rect.top + l.y, l.w, l.h};
        SDL_Rect src{0, 0, l.w, l.h};
        if (clip) {
            const int left = std::max(dst.x, rect.left), top = std::max(dst.y, rect.top);
            const int right = std::min(dst.x + dst.w, rect.right), bottom = std::min(dst.y + dst.h, rect.bottom);
            if (right <= left || bottom <= top) continue;
            src = SDL_Rect{left - dst.x, top - dst.y, right - left, bottom - top};
            dst = SDL_Rect{left, top, right - left, bottom - top};
        }
        SDL_SetTextureColorMod(l.texture, (color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
        SDL_SetTextureAlphaMod(l.texture, (color >> 24) & 0xFF);
        SDL_RenderCopy(target_, l.texture, &src, &dst);
    }
}

void TextCache::EndFrame() {
    ++frame_;
    if (!enabled_) {
        Clear();
        return;
    }
    for (auto it = blocks_.begin(); it != blocks_.end();) {
        auto next = std::next(it);
        if (frame_ - it->second.lastUsed > kKeepFrames) Drop(it);
        it = next;
    }
    while (bytes_ > kByteBudget && !blocks_.empty()) {
        auto oldest = blocks_.begin();
        for (auto it = blocks_.begin(); it != blocks_.end(); ++it)
            if (it->second.lastUsed < oldest->second.lastUsed) oldest = it;
        Drop(oldest);
    }
}
