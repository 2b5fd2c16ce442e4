#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include "app/AppContext.h"
#include "platform/FontManager.h"
#include "platform/Renderer.h"
#include "platform/TextCache.h"

namespace {
// Every character 10 pixels wide.
int Measure(const std::string& s) { return static_cast<int>(s.size()) * 10; }

std::vector<std::string> Texts(const std::vector<TextLine>& lines) {
    std::vector<std::string> out;
    for (const TextLine& l : lines) out.push_back(l.text);
    return out;
}
}  // namespace

TEST(FontManager, TextAtRectanglesFollowTheFormat) {
    EXPECT_EQ(FontManager::TextAtRect(512, 40, kTextCenter, 1024, 768), (Rect{0, 40, 1024, 808}));
    EXPECT_EQ(FontManager::TextAtRect(400, 300, kTextCenter | kTextVCenter, 1024, 768), (Rect{-112, -84, 912, 684}));
    EXPECT_EQ(FontManager::TextAtRect(300.7f, 20.9f, kTextRight, 1024, 768), (Rect{0, 20, 300, 788}));
    EXPECT_EQ(FontManager::TextAtRect(30.9f, 5, kTextLeft, 1024, 768), (Rect{30, 5, 1024, 773}));
}

TEST(FontManager, DrawCallsRecordRectangleFontAndFormat) {
    AppContext* app = GetAppContext();
    app->sprite = new Renderer(nullptr);
    FontManager* fm = GetFontManager();
    Font* big = fm->AddFont("Comic Sans MS", 30);
    Font* other = fm->AddFont("Arial", 20);
    EXPECT_EQ(other->id, big->id + 1);
    app->sprite->Begin();
    fm->DrawTextAt("a", 512, 10, 0xFF000000, kTextCenter, 12345);   // an id never handed out
    fm->DrawTextAt("b", 400, 300, 0xFF000000, 5, big->id);
    fm->DrawTextScreen("c", 0xFFFFFFFF, 0, other);
    fm->DrawTextRect("", 0, 0, 10, 10, 0xFFFFFFFF, 0, nullptr);        // nothing to draw
    fm->DrawTextRect(nullptr, 0, 0, 10, 10, 0xFFFFFFFF, 0, nullptr);
    const auto& c = app->sprite->Commands();
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0].font, fm->DefaultFont());
    EXPECT_EQ(c[0].font->faceName, "Arial");
    EXPECT_EQ(c[0].font->height, 15);
    EXPECT_EQ(c[0].rect, (Rect{0, 10, 1024, 778}));
    EXPECT_EQ(c[1].font, big);
    EXPECT_EQ(c[1].rect, (Rect{-112, -84, 912, 684}));
    EXPECT_EQ(c[1].format, 5u);
    EXPECT_EQ(c[2].rect, (Rect{0, 0, 1024, 768}));
    // Text is never transformed, whatever the last sprite set.
    for (int i = 0; i < 6; ++i) EXPECT_EQ(c[0].transform[i], (i == 0 || i == 3) ? 1.0f : 0.0f);
    delete app->sprite;
    app->sprite = nullptr;
}

TEST(FontManager, FacesComeFromFontconfigAtTheCellHeight) {
    FontManager* fm = GetFontManager();
    TTF_Font* arial = fm->DefaultFont()->Handle();
    ASSERT_NE(arial, nullptr);
    EXPECT_STREQ(TTF_FontFaceFamilyName(arial), "Liberation Sans");
    EXPECT_EQ(TTF_FontHeight(arial), 15);
    Font* comic = fm->AddFont("Comic Sans MS", 40);
    ASSERT_NE(comic->Handle(), nullptr);
    EXPECT_STREQ(TTF_FontFaceFamilyName(comic->Handle()), "Comic Neue");
    EXPECT_NEAR(TTF_FontHeight(comic->Handle()), 40, 1);
    EXPECT_EQ(comic->LineHeight(), 40);
    Font* missing = fm->AddFont("No Such Face At All", 22);
    EXPECT_NE(missing->Handle(), nullptr);  // a sans stands in
    // Silly heights do not break anything.
    EXPECT_GE(fm->AddFont("Arial", -12)->LineHeight(), 12);
    EXPECT_GE(fm->AddFont("Arial", 0)->LineHeight(), 1);
    EXPECT_EQ(fm->AddFont("Arial", 1e9)->LineHeight(), 400);
    // Device loss is harmless twice; ReleaseAll leaves a usable default font.
    fm->OnLostDevice();
    fm->OnLostDevice();
    EXPECT_TRUE(comic->lost);
    fm->OnResetDevice();
    EXPECT_FALSE(comic->lost);
    fm->ReleaseAll();
    ASSERT_NE(fm->DefaultFont(), nullptr);
    EXPECT_EQ(fm->FindFont(0), fm->DefaultFont());
}

TEST(TextLayout, LineBreaksAndWordBreakAsDrawText) {
    // CR LF, LF and CR all break; a trailing break adds no line.
    EXPECT_EQ(Texts(LayoutText("a\r\nbb\ncc\rd\r\n", 500, 100, 0, 15, Measure)),
              (std::vector<std::string>{"a", "bb", "cc", "d"}));
    // Single line: the breaks do not break.
    EXPECT_EQ(Texts(LayoutText("a\r\nb", 500, 100, kTextSingleLine, 15, Measure)), (std::vector<std::string>{"a b"}));
    // Word break at spaces; spaces at the break vanish; a word wider than the line is broken.
    EXPECT_EQ(Texts(LayoutText("eins zwei drei  vier extraordinarily x", 100, 300, kTextWordBreak, 15, Measure)),
              (std::vector<std::string>{"eins zwei", "drei  vier", "extraordin", "arily x"}));
    // Even a rectangle narrower than one letter shows every letter, one a line.
    EXPECT_EQ(Texts(LayoutText("abc", 5, 300, kTextWordBreak, 15, Measure)), (std::vector<std::string>{"a", "b", "c"}));
    // Without word break a long line stays one line.
    EXPECT_EQ(LayoutText("eins zwei drei vier", 50, 300, 0, 15, Measure).size(), 1u);
    EXPECT_TRUE(LayoutText("", 50, 300, 0, 15, Measure).empty());
}

TEST(TextLayout, AlignmentOfLinesAndBlock) {
    auto lines = LayoutText("abcd\nab", 100, 100, kTextCenter | kTextVCenter, 15, Measure);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].x, 30);
    EXPECT_EQ(lines[1].x, 40);
    EXPECT_EQ(lines[0].y, 35);  // the block of two lines is centred as a whole
    EXPECT_EQ(lines[1].y, 50);
    lines = LayoutText("abcd\nab", 100, 100, kTextRight | kTextBottom, 15, Measure);
    EXPECT_EQ(lines[0].x, 60);
    EXPECT_EQ(lines[1].x, 80);
    EXPECT_EQ(lines[1].y, 85);
    lines = LayoutText("abcd\n\nab", 100, 100, 0, 15, Measure);  // an empty line still takes its height
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].y, 30);
}

TEST(TextLayout, Windows1252BecomesUtf8) {
    EXPECT_EQ(Windows1252ToUtf8("Gr\xF6\xDF" "e"), "Gr\xC3\xB6\xC3\x9F" "e");
    EXPECT_EQ(Windows1252ToUtf8("\x80 \x84\x93"), "\xE2\x82\xAC \xE2\x80\x9E\xE2\x80\x9C");
    EXPECT_EQ(Windows1252ToUtf8("plain"), "plain");
}
