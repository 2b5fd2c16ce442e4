// splash.PNG: the title picture, the two captions and the progress bar of the loading screen.
#include <cmath>

#include "motifs.h"
#include "scenery.h"
#include "sheets.h"
#include "splash.h"

namespace art {
namespace {
constexpr double kBarW = 818, kBarH = 66;
// The trough inside the frame, shared by frame and fill so that they line up exactly.
constexpr double kTroughX = 13, kTroughY = 13, kTroughW = kBarW - 26, kTroughH = kBarH - 26;

void Caption(cairo_t* cr, const std::string& text) {
    // Transparent around the words; they sit left under the title.
    SelectFont(cr, Face::kDisplay, 42);
    double w = TextWidth(cr, text);
    double x = std::max(24.0, 360 - w / 2);
    // A soft dark cushion keeps the words readable on any part of the picture; it fades out
    // well inside the region.
    cairo_new_path(cr);
    RoundedRect(cr, x - 4, 40, w + 8, 36, 18);
    SoftShadow(cr, 14, 0, 0, 0.4, palette::kNight);
    cairo_new_path(cr);
    OutlinedText(cr, text, x, 72, Hex(0xFFF3C9), 7, 0.45);
}

void BarFrame(cairo_t* cr) {
    cairo_new_path(cr);
    RoundedRect(cr, 2, 2, kBarW - 4, kBarH - 6, (kBarH - 6) / 2);
    SoftShadow(cr, 6, 0, 3, 0.5);
    VerticalGradient(cr, 2, Hex(0xF0B76B), kBarH - 4, Hex(0xA95F22));
    cairo_fill_preserve(cr);
    InnerShadow(cr, 3, 0, 2, 0.5, palette::kWhite);
    SetColor(cr, palette::kPanelEdgeDark);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    RoundedRect(cr, kTroughX, kTroughY, kTroughW, kTroughH, kTroughH / 2);
    VerticalGradient(cr, kTroughY, Hex(0x0E2238), kTroughY + kTroughH, Hex(0x24466A));
    cairo_fill_preserve(cr);
    InnerShadow(cr, 6, 0, 3, 0.8, Hex(0x000000));
    SetColor(cr, palette::kPanelEdgeDark);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void BarFill(cairo_t* cr) {
    cairo_new_path(cr);
    RoundedRect(cr, kTroughX, kTroughY, kTroughW, kTroughH, kTroughH / 2);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    VerticalGradient(cr, kTroughY, Hex(0xB8F07A), kTroughY + kTroughH, Hex(0x3E9E3A));
    cairo_fill(cr);
    // Candy stripes.
    for (double x = -kTroughH; x < kTroughW + kTroughH; x += 34) {
        cairo_move_to(cr, kTroughX + x, kTroughY + kTroughH);
        cairo_line_to(cr, kTroughX + x + 16, kTroughY + kTroughH);
        cairo_line_to(cr, kTroughX + x + 16 + kTroughH, kTroughY);
        cairo_line_to(cr, kTroughX + x + kTroughH, kTroughY);
        cairo_close_path(cr);
    }
    SetColor(cr, palette::kWhite, 0.16);
    cairo_fill(cr);
    // Glossy upper half.
    RoundedRect(cr, kTroughX + 8, kTroughY + 4, kTroughW - 16, kTroughH * 0.38, kTroughH * 0.19);
    SetColor(cr, palette::kWhite, 0.4);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    RoundedRect(cr, kTroughX, kTroughY, kTroughW, kTroughH, kTroughH / 2);
    InnerShadow(cr, 4, 0, -2, 0.35, Hex(0x1F5E1C));
    SetColor(cr, Hex(0x23561F));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}
}  // namespace

TitleLayout SplashTitleLayout(cairo_t* cr) {
    // The name, centred over the caption (which the loading screen puts at x 0..700).
    const double size = 124, width = TitleWordWidth(cr, kSplashTitle, size);
    return TitleLayout{360 - width / 2, 132, size, width};
}

void DrawSplashScenery(cairo_t* cr) {
    DrawNightScenery(cr, kSplashWidth, kSplashHeight);
    // A warm glow behind the title and the still life.
    cairo_rectangle(cr, 0, 0, 1024, 768);
    RadialGradient(cr, 420, 110, 460, Hex(0xFFD27A), Hex(0xFFD27A), 0.28, 0.0);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 0, 1024, 768);
    RadialGradient(cr, 520, 470, 420, Hex(0x9FE3F0), Hex(0x9FE3F0), 0.18, 0.0);
    cairo_fill(cr);
    DrawBokeh(cr, kSplashWidth, kSplashHeight, 3, 40);
}

void DrawSplashClock(cairo_t* cr, double hours, double minutes) {
    DrawClock(cr, 872, 178, 118, hours, minutes, palette::kBerry);
}

void DrawSplashStillLife(cairo_t* cr) {
    // The still life of the collection's games.
    DrawCoinStack(cr, 128, 628, 56, 5, palette::kGold);
    DrawCoin(cr, 232, 590, 44, palette::kSilver, "", &palette::kGold);
    DrawCoin(cr, 865, 600, 48, palette::kGold, "", &palette::kSilver);
    DrawCoin(cr, 948, 548, 36, palette::kCopper);
    DrawCardBack(cr, 668, 452, 136, 192, 0.22, palette::kPlum);
    DrawCardFront(cr, 760, 470, 136, 192, -0.10, palette::kBerry, 1);
    // Four interlocking pieces, one lifted out of its place.
    const double s = 116, ox = 305, oy = 395;
    DrawPuzzlePiece(cr, ox, oy, s, 0, palette::kSun, {0, 1, -1, 0});
    DrawPuzzlePiece(cr, ox + s, oy, s, 0, palette::kSky, {0, 0, 1, -1});
    DrawPuzzlePiece(cr, ox, oy + s, s, 0, palette::kLeaf, {1, -1, 0, 0});
    DrawPuzzlePiece(cr, ox + s + 70, oy + s + 40, s, 0.42, palette::kBerry, {-1, 0, 0, 1}, 0.5);
    DrawSparkle(cr, 470, 330, 18, 0.9);
    DrawSparkle(cr, 962, 330, 14, 0.8);
    DrawSparkle(cr, 560, 600, 12, 0.7);
    DrawSparkle(cr, 90, 470, 16, 0.8);
}

void DrawSplashTitle(cairo_t* cr, const std::vector<LetterPose>* poses) {
    const TitleLayout t = SplashTitleLayout(cr);
    DrawTitleWord(cr, kSplashTitle, t.x, t.baseline, t.size, poses);
}

void DrawSplashPicture(cairo_t* cr) {
    DrawSplashScenery(cr);
    DrawSplashClock(cr, kSplashClockHours, kSplashClockMinutes);
    DrawSplashStillLife(cr);
    DrawSplashTitle(cr);
}

bool DrawSplashSheet(const std::string& dir) {
    return DrawSheet(dir, "splash.PNG", 1024, 1124, [](cairo_t* cr) {
        InRegion(cr, 0, 0, kSplashWidth, kSplashHeight, [&] { DrawSplashPicture(cr); });
        InRegion(cr, 122, 768, kBarW, kBarH, [&] { BarFrame(cr); });
        InRegion(cr, 122, 834, kBarW, kBarH, [&] { BarFill(cr); });
        InRegion(cr, 0, 900, 700, 112, [&] { Caption(cr, "16 Denkspiele für helle Köpfe"); });
        InRegion(cr, 0, 1012, 700, 112, [&] { Caption(cr, "16 brain games for bright minds"); });
    });
}

}  // namespace art
