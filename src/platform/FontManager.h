#pragma once
// The text renderer: bold TrueType fonts (found through fontconfig) drawn through the sprite
// batch with the standard text format flags.
#include <string>

#include "framework/LockedList.h"
#include "framework/Types.h"

typedef struct _TTF_Font TTF_Font;

// One font. The height is the cell height of the text lines in pixels.
struct Font {
    Font(int id, const char* faceName, double height);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    HResult OnLostDevice();
    HResult OnResetDevice();
    // The TrueType face, opened on first use; nullptr when none could be opened.
    TTF_Font* Handle();
    // The height of a text line in pixels: the cell height.
    int LineHeight();

    int id;
    std::string faceName;
    double height;
    bool lost = false;

private:
    TTF_Font* ttf_ = nullptr;
    bool tried_ = false;
};

class FontManager {
public:
    FontManager();
    ~FontManager();

    Font* AddFont(const char* faceName, double height);
    Font* DefaultFont();
    // The font with that id (first match in list order), or the default font.
    Font* FindFont(int id);

    void DrawTextRect(const char* text, int left, int top, int right, int bottom, Color color, unsigned format, Font* font);
    void DrawTextById(const char* text, Rect rect, Color color, unsigned format, int fontId);
    void DrawTextAt(const char* text, float x, float y, Color color, unsigned format, int fontId);
    void DrawTextAt(const char* text, float x, float y, Color color, unsigned format, Font* font);
    void DrawTextScreen(const char* text, Color color, unsigned format, int fontId);
    void DrawTextScreen(const char* text, Color color, unsigned format, Font* font);
    // The width in pixels of one line of text; 0 when the font has no face.
    int TextWidth(const std::string& text, Font* font);
    // The rectangle DrawTextAt draws in: a screen-sized rectangle placed by the point and format.
    static Rect TextAtRect(float x, float y, unsigned format, int screenWidth, int screenHeight);

    void OnLostDevice();
    void OnResetDevice();
    void ReleaseAll();

private:
    LockedList<Font> fonts_;
    Font* defaultFont_ = nullptr;
    int count_ = 0;
};

FontManager* GetFontManager();
