#pragma once
// Text drawing on the device: lines laid out by the DrawText rules, rasterised once and kept
// as textures while they keep being drawn.
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/Types.h"

struct SDL_Renderer;
struct SDL_Texture;
struct Font;

// The program's texts are Windows-1252 byte strings; the font renderer takes UTF-8.
std::string Windows1252ToUtf8(const std::string& text);
// The other way, for typed text: characters the code page does not hold are left out.
std::string Utf8ToWindows1252(const std::string& text);

// One laid-out line: its text (Windows-1252) and its place relative to the rectangle's corner.
struct TextLine {
    std::string text;
    int x = 0, y = 0, width = 0;
};
// Lays a text out in a rectangle of the given size as DrawText does: line breaks (CR LF, LF or
// CR) unless single line, word break at spaces (a word wider than the line is broken inside),
// horizontal alignment per line, vertical alignment of the whole block. measure gives the
// width in pixels of a line.
std::vector<TextLine> LayoutText(const std::string& text, int width, int height, unsigned format, int lineHeight,
                                 const std::function<int(const std::string&)>& measure);

class TextCache {
public:
    explicit TextCache(SDL_Renderer* target);
    ~TextCache();
    TextCache(const TextCache&) = delete;
    TextCache& operator=(const TextCache&) = delete;

    // Draws the text in the rectangle with the font (colour multiplied into white glyphs);
    // without kTextNoClip the glyphs are clipped to the rectangle.
    void Draw(Font* font, const std::string& text, Rect rect, unsigned format, Color color);
    // Ends a frame: drops the texts that were not drawn for a while.
    void EndFrame();
    void Clear();
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    long LinesRasterised() const { return linesRasterised_; }

private:
    struct Line {
        SDL_Texture* texture = nullptr;
        int x = 0, y = 0, w = 0, h = 0;
    };
    struct Block {
        std::vector<Line> lines;
        long lastUsed = 0;
        size_t bytes = 0;
    };
    Block Build(Font* font, const std::string& text, Rect rect, unsigned format);
    void Drop(std::unordered_map<std::string, Block>::iterator it);

    SDL_Renderer* target_;
    std::unordered_map<std::string, Block> blocks_;
    long frame_ = 0;
    size_t bytes_ = 0;
    bool enabled_ = true;
    long linesRasterised_ = 0;
};
