// Checks the generated sprite sheets against what the program draws from them: sizes, regions
// that must hold a picture, tinted regions that must be light, hover pictures that must differ,
// the pointer's hot spot, opaque veils and pictures, calm backdrops.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

namespace {

struct Box {
    int x, y, w, h;
};

struct Pixel {
    double r, g, b, a;  // 0..1, not premultiplied
    double Luma() const { return 0.2126 * r + 0.7152 * g + 0.0722 * b; }
};

class Sheet {
public:
    explicit Sheet(const std::string& name) {
        path_ = std::string(KW_DATA_DIR) + "/../generated/art/" + name;
        surface_ = cairo_image_surface_create_from_png(path_.c_str());
        if (cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS) {
            cairo_surface_t* argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width(), Height());
            cairo_t* cr = cairo_create(argb);
            cairo_set_source_surface(cr, surface_, 0, 0);
            cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
            cairo_paint(cr);
            cairo_destroy(cr);
            cairo_surface_destroy(surface_);
            surface_ = argb;
            cairo_surface_flush(surface_);
        }
    }
    ~Sheet() { cairo_surface_destroy(surface_); }
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    bool Ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
    const std::string& Path() const { return path_; }
    int Width() const { return cairo_image_surface_get_width(surface_); }
    int Height() const { return cairo_image_surface_get_height(surface_); }

    Pixel At(int x, int y) const {
        const unsigned char* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
        uint32_t v = reinterpret_cast<const uint32_t*>(row)[x];
        double a = (v >> 24) / 255.0;
        if (a == 0) return {0, 0, 0, 0};
        return {((v >> 16) & 0xFF) / 255.0 / a, ((v >> 8) & 0xFF) / 255.0 / a, (v & 0xFF) / 255.0 / a, a};
    }
    uint32_t Raw(int x, int y) const {
        const unsigned char* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
        return reinterpret_cast<const uint32_t*>(row)[x];
    }

    // Share of the box's pixels that are drawn (alpha above 10 %).
    double Covered(Box b) const {
        int n = 0;
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x) n += At(x, y).a > 0.1;
        return n / double(b.w * b.h);
    }
    bool FullyOpaque(Box b) const {
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x)
                if (At(x, y).a < 1.0) return false;
        return true;
    }
    // Mean brightness and the largest colour spread of the pixels that are mostly opaque.
    double MeanLuma(Box b) const {
        double sum = 0;
        int n = 0;
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x) {
                Pixel p = At(x, y);
                if (p.a < 0.9) continue;
                sum += p.Luma();
                ++n;
            }
        return n ? sum / n : 0;
    }
    double MinLuma(Box b) const {
        double m = 1;
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x) m = std::min(m, At(x, y).Luma());
        return m;
    }
    double MeanSpread(Box b) const {
        double sum = 0;
        int n = 0;
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x) {
                Pixel p = At(x, y);
                if (p.a < 0.9) continue;
                sum += std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b});
                ++n;
            }
        return n ? sum / n : 1;
    }
    // Mean absolute difference of two equally sized boxes (colour and alpha).
    double Difference(Box a, Box b) const {
        double sum = 0;
        for (int y = 0; y < a.h; ++y)
            for (int x = 0; x < a.w; ++x) {
                Pixel p = At(a.x + x, a.y + y), q = At(b.x + x, b.y + y);
                sum += std::fabs(p.r * p.a - q.r * q.a) + std::fabs(p.g * p.a - q.g * q.a) +
                       std::fabs(p.b * p.a - q.b * q.a) + std::fabs(p.a - q.a);
            }
        return sum / (a.w * a.h);
    }
    // Alpha-weighted centre of the box's picture, relative to the box.
    void Centroid(Box b, double* cx, double* cy) const {
        double sx = 0, sy = 0, sa = 0;
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x) {
                double a = At(x, y).a;
                sx += a * (x - b.x + 0.5);
                sy += a * (y - b.y + 0.5);
                sa += a;
            }
        *cx = sa ? sx / sa : 0;
        *cy = sa ? sy / sa : 0;
    }

private:
    std::string path_;
    cairo_surface_t* surface_ = nullptr;
};

std::unique_ptr<Sheet> Load(const std::string& name) {
    auto s = std::make_unique<Sheet>(name);
    EXPECT_TRUE(s->Ok()) << "cannot read " << s->Path();
    return s;
}

// Something is drawn in the box.
void ExpectDrawn(const Sheet& s, Box b, const char* what, double minShare = 0.15) {
    EXPECT_GE(s.Covered(b), minShare) << what << " at (" << b.x << ", " << b.y << ")";
}

// A button and its hover picture right below: both drawn, and visibly different.
void ExpectHoverPair(const Sheet& s, Box normal, const char* what) {
    Box hover{normal.x, normal.y + normal.h, normal.w, normal.h};
    ExpectDrawn(s, normal, what, 0.5);
    ExpectDrawn(s, hover, what, 0.5);
    EXPECT_GT(s.Difference(normal, hover), 0.02) << what << ": the hover picture equals the normal one";
}

TEST(ArtSheets, EverySheetHasAtLeastTheSizeItsRegionsNeed) {
    struct Need {
        const char* name;
        int w, h;
    };
    const Need needs[] = {{"splash.PNG", 1024, 1124}, {"misc1.PNG", 1000, 700},  {"misc2.PNG", 550, 700},
                          {"misc3.PNG", 550, 400},    {"misc4.PNG", 600, 850},   {"menu1.PNG", 1000, 1000},
                          {"menu2.PNG", 800, 800},    {"menu3.PNG", 400, 700},   {"back1.PNG", 600, 900},
                          {"back2.PNG", 600, 900},    {"back3.PNG", 600, 900},   {"back4.PNG", 600, 450},
                          {"MemoryCards1.png", 1, 1}, {"MemoryCards2.png", 1, 1}, {"Memory_Muster.PNG", 520, 130},
                          {"bg.PNG", 1024, 768}};
    for (const Need& n : needs) {
        Sheet s(n.name);
        ASSERT_TRUE(s.Ok()) << "cannot read " << s.Path();
        EXPECT_GE(s.Width(), n.w) << n.name;
        EXPECT_GE(s.Height(), n.h) << n.name;
    }
}

TEST(ArtSheets, NoSheetOfTheShellUsesTheKeyColour) {
    // Opaque 0xFF00FF64 would be keyed out as transparent: the art uses real alpha instead.
    for (const char* name : {"splash.PNG", "misc1.PNG", "misc3.PNG", "misc4.PNG", "menu1.PNG", "menu2.PNG",
                             "menu3.PNG", "back1.PNG", "back2.PNG", "back3.PNG", "back4.PNG", "bg.PNG"}) {
        auto s = Load(name);
        int keyed = 0;
        for (int y = 0; y < s->Height(); ++y)
            for (int x = 0; x < s->Width(); ++x) keyed += s->Raw(x, y) == 0xFF00FF64u;
        EXPECT_EQ(keyed, 0) << name;
    }
}

TEST(ArtSheets, SplashPictureCaptionsAndProgressBar) {
    auto s = Load("splash.PNG");
    EXPECT_TRUE(s->FullyOpaque({0, 0, 1024, 768})) << "the title picture covers the whole screen";
    for (int caption : {900, 1012}) {
        Box c{0, caption, 700, 112};
        ExpectDrawn(*s, c, "caption", 0.05);
        // Drawn over the picture: transparent around the words.
        EXPECT_EQ(s->At(2, caption + 2).a, 0) << "caption background at y " << caption;
        EXPECT_EQ(s->At(697, caption + 109).a, 0) << "caption background at y " << caption;
    }
    EXPECT_GT(s->Difference({0, 900, 700, 112}, {0, 1012, 700, 112}), 0.01) << "German and English captions";
    Box frame{122, 768, 818, 66}, fill{122, 834, 818, 66};
    ExpectDrawn(*s, frame, "progress-bar frame", 0.8);
    ExpectDrawn(*s, fill, "progress-bar fill", 0.4);
    // The fill lies exactly inside the frame: wherever the fill is drawn, the frame is solid.
    int outside = 0;
    for (int y = 0; y < 66; ++y)
        for (int x = 0; x < 818; ++x)
            if (s->At(fill.x + x, fill.y + y).a > 0 && s->At(frame.x + x, frame.y + y).a < 1.0) ++outside;
    EXPECT_EQ(outside, 0);
    // It reaches from the left end of the trough to the right end, so every step shows.
    EXPECT_GT(s->At(fill.x + 30, fill.y + 33).a, 0.9);
    EXPECT_GT(s->At(fill.x + 790, fill.y + 33).a, 0.9);
    // And it is lighter than the empty trough it covers.
    EXPECT_GT(s->MeanLuma({fill.x + 100, fill.y + 20, 600, 26}),
              s->MeanLuma({frame.x + 100, frame.y + 20, 600, 26}) + 0.3);
}

TEST(ArtSheets, PointerFramesKeepTheHotSpotAndShowThePress) {
    auto s = Load("misc1.PNG");
    for (int f = 0; f <= 9; ++f) {
        int left = 450 - 50 * f;
        EXPECT_EQ(s->At(left + 8, 14).a, 1.0) << "hot spot of frame " << f;
        // The arrow lies right of and below its tip, the corner above-left stays clear.
        EXPECT_EQ(s->At(left + 1, 1).a, 0) << "frame " << f;
        ExpectDrawn(*s, {left + 8, 14, 16, 24}, "pointer", 0.4);
    }
    EXPECT_GT(s->Difference({450, 0, 50, 50}, {0, 0, 50, 50}), 0.02) << "released and pressed frames";
}

TEST(ArtSheets, VeilsAreOpaque) {
    auto misc1 = Load("misc1.PNG");
    EXPECT_TRUE(misc1->FullyOpaque({500, 0, 50, 50})) << "countdown veil";
    auto misc2 = Load("misc2.PNG");
    EXPECT_TRUE(misc2->FullyOpaque({500, 0, 50, 50})) << "result-page veil";
}

TEST(ArtSheets, TintedRegionsOfMisc1AreLightAndGrey) {
    auto s = Load("misc1.PNG");
    // The field under cells, tiles and holes, and the pegs, are drawn in many colours.
    for (Box b : {Box{550, 0, 50, 50}, Box{605, 5, 40, 40}}) {
        ExpectDrawn(*s, b, "tinted region", 0.6);
        EXPECT_GT(s->MeanLuma(b), 0.75) << b.x;
        EXPECT_LT(s->MeanSpread(b), 0.03) << b.x << ": tinted art must be without colour";
    }
    EXPECT_TRUE(s->FullyOpaque({560, 10, 30, 30})) << "the field's face";
    // The shapes of picture building turn grey and red: light, grey, centred in their box.
    for (int type = 0; type < 4; ++type) {
        Box b{200 * type, 150, 100, 100};
        ExpectDrawn(*s, b, "shape", 0.25);
        EXPECT_GT(s->MeanLuma(b), 0.7) << "shape " << type;
        EXPECT_LT(s->MeanSpread(b), 0.03) << "shape " << type;
        double cx, cy;
        s->Centroid(b, &cx, &cy);
        EXPECT_NEAR(cx, 50, 1.5) << "shape " << type;
        EXPECT_NEAR(cy, 50, type == 2 ? 3.0 : 1.5) << "shape " << type;
    }
    // They share one module, so that level pictures fit together: 80 x 80 square, circle 80
    // across, triangle with 80-pixel sides (69 high), rectangle 80 x 40 (clearly not square).
    const struct {
        double w, h;
    } extents[] = {{80, 80}, {80, 80}, {80, 69.3}, {80, 40}};
    for (int type = 0; type < 4; ++type) {
        int x0 = 100, y0 = 100, x1 = -1, y1 = -1;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (s->At(200 * type + x, 150 + y).a > 0.5) {
                    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
                }
        EXPECT_NEAR(x1 - x0 + 1, extents[type].w, 1.5) << "shape " << type;
        EXPECT_NEAR(y1 - y0 + 1, extents[type].h, 1.5) << "shape " << type;
    }
}

TEST(ArtSheets, AnswerFieldsTickAndOtherPiecesOfMisc1) {
    auto s = Load("misc1.PNG");
    ExpectDrawn(*s, {0, 450, 50, 50}, "tick mark", 0.1);
    ExpectDrawn(*s, {50, 450, 50, 50}, "operator field", 0.5);
    ExpectDrawn(*s, {100, 450, 50, 50}, "number field", 0.8);
    // The number field is stretched sideways: its middle columns are all alike.
    for (int y = 0; y < 50; ++y) {
        Pixel a = s->At(100 + 12, 450 + y), b = s->At(100 + 38, 450 + y);
        EXPECT_NEAR(a.Luma() * a.a, b.Luma() * b.a, 0.01) << "row " << y;
    }
    EXPECT_GT(s->MeanLuma({108, 460, 34, 30}), 0.75) << "black digits must read on the field";
    EXPECT_LT(s->MeanLuma({108, 460, 34, 30}), 0.9) << "the light red of a wrong answer must show on the field";
    // Its rounded ends (10 px each) are drawn unstretched: all of the rounding lies in them.
    for (int y = 452; y < 498; ++y) {
        EXPECT_NEAR(s->At(110, y).a, s->At(125, y).a, 0.01) << "row " << y;
        EXPECT_NEAR(s->At(139, y).a, s->At(125, y).a, 0.01) << "row " << y;
    }
    const Box pieces[] = {{650, 0, 50, 50},   {700, 0, 50, 50},    {750, 0, 50, 50},   {800, 0, 84, 100},
                          {500, 320, 200, 40}, {300, 385, 180, 58},  {600, 400, 200, 100}, {600, 500, 200, 200}};
    for (Box b : pieces) ExpectDrawn(*s, b, "piece", 0.1);
    for (int p = 0; p < 3; ++p) EXPECT_TRUE(s->FullyOpaque({200 * p, 500, 200, 200})) << "puzzle picture " << p;
    // The beam's pivot and the stand's top centre are part of their pictures.
    EXPECT_GT(s->At(500 + 100, 320 + 22).a, 0.9);
    EXPECT_GT(s->At(800 + 42, 2).a, 0.5);
    // Clock hands point to twelve from the centre of their region, on clear ground.
    for (int top : {300, 500}) {
        EXPECT_GT(s->At(900, top + 60).a, 0.9) << "hand above the centre";
        EXPECT_EQ(s->At(900, top + 160).a, 0) << "nothing far below the centre";
        EXPECT_EQ(s->At(805, top + 5).a, 0) << "transparent corner";
    }
}

// Dial, hands and display: a clear margin all round (the hands are turned and filtered, so
// their neighbours' edges must not bleed in), every minute marked.
TEST(ArtSheets, ClockPartsOfMisc1) {
    auto s = Load("misc1.PNG");
    const Box parts[] = {{600, 500, 200, 200}, {800, 300, 200, 200}, {800, 500, 200, 200}, {600, 400, 200, 100},
                         {0, 450, 50, 50},     {50, 450, 50, 50},   {100, 450, 50, 50}};
    for (Box b : parts) {
        for (int i = 0; i < b.w; ++i)
            for (int d : {0, 1}) {
                EXPECT_EQ(s->At(b.x + i, b.y + d).a, 0) << "top margin of " << b.x << "," << b.y;
                EXPECT_EQ(s->At(b.x + i, b.y + b.h - 1 - d).a, 0) << "bottom margin of " << b.x << "," << b.y;
            }
        for (int j = 0; j < b.h; ++j)
            for (int d : {0, 1}) {
                EXPECT_EQ(s->At(b.x + d, b.y + j).a, 0) << "left margin of " << b.x << "," << b.y;
                EXPECT_EQ(s->At(b.x + b.w - 1 - d, b.y + j).a, 0) << "right margin of " << b.x << "," << b.y;
            }
    }
    // A dark mark on the minute ring at every minute, and light face between two marks.
    const double cx = 700, cy = 600;
    for (int m = 0; m < 60; ++m) {
        double darkest = 1, between = 0;
        for (double r = 66; r <= 72; r += 0.5) {
            const double a = m * M_PI / 30, b = (m + 0.5) * M_PI / 30;
            darkest = std::min(darkest, s->At(int(std::lround(cx + r * std::sin(a))), int(std::lround(cy - r * std::cos(a)))).Luma());
            between = std::max(between, s->At(int(std::lround(cx + r * std::sin(b))), int(std::lround(cy - r * std::cos(b)))).Luma());
        }
        EXPECT_LT(darkest, 0.35) << "minute " << m;
        EXPECT_GT(between, 0.8) << "between minute " << m << " and the next";
    }
    // The hour hand is shorter than the minute hand, and both leave the tick ring free of
    // shadow beyond their tips.
    EXPECT_GT(s->At(900, 300 + 100 - 40).a, 0.9);
    EXPECT_EQ(s->At(900, 300 + 100 - 52).a, 0);
    EXPECT_GT(s->At(900, 500 + 100 - 64).a, 0.9);
}

TEST(ArtSheets, MenuPanelsAreLightWhereTextIsPrinted) {
    auto m1 = Load("menu1.PNG");
    const Box panels1[] = {{0, 0, 400, 600}, {400, 0, 600, 450}, {0, 600, 350, 400}, {350, 600, 400, 300}};
    for (Box b : panels1) {
        ExpectDrawn(*m1, b, "panel", 0.9);
        Box text{b.x + b.w / 4, b.y + b.h / 3, b.w / 2, b.h / 3};
        EXPECT_GT(m1->MeanLuma(text), 0.85) << "panel at " << b.x << ", " << b.y;
        EXPECT_TRUE(m1->FullyOpaque(text));
        // The title (y + 20 .. y + 60) is printed black on a light band.
        EXPECT_GT(m1->MeanLuma({b.x + b.w / 2 - 60, b.y + 24, 120, 32}), 0.75);
    }
    auto m2 = Load("menu2.PNG");
    EXPECT_GT(m2->MeanLuma({200, 150, 400, 300}), 0.85) << "large panel";
    EXPECT_GT(m2->MeanLuma({340, 24, 120, 32}), 0.75) << "large panel title";
    auto m3 = Load("menu3.PNG");
    ExpectDrawn(*m3, {0, 0, 400, 700}, "game list", 0.9);
    EXPECT_GT(m3->MeanLuma({340, 140, 20, 400}), 0.75) << "game list between the rows";
}

TEST(ArtSheets, MainPanelShowsBothLanguagesBesideTheirSelectors) {
    auto s = Load("menu1.PNG");
    // German flag and word right of (76, 552), British right of (224, 552).
    Box german{106, 552, 110, 24}, english{254, 552, 110, 24};
    EXPECT_GT(s->Difference(german, english), 0.05);
    double redGerman = 0, blueEnglish = 0;
    for (int y = 556; y < 572; ++y)
        for (int x = 108; x < 134; ++x) {
            Pixel g = s->At(x, y), e = s->At(x + 148, y);
            redGerman += g.r > 0.7 && g.g < 0.3;
            blueEnglish += e.b > 0.3 && e.r < 0.2 && e.g < 0.25;
        }
    EXPECT_GT(redGerman, 40) << "the German flag's red stripe";
    EXPECT_GT(blueEnglish, 15) << "the British flag's blue";
}

TEST(ArtSheets, MenuButtonsHaveHoverPicturesBelow) {
    auto s = Load("menu2.PNG");
    ExpectHoverPair(*s, {0, 700, 300, 50}, "wide button");
    ExpectHoverPair(*s, {300, 700, 100, 50}, "small button");
    ExpectHoverPair(*s, {50, 600, 150, 50}, "reset-all button");
    ExpectHoverPair(*s, {250, 600, 50, 50}, "OK button");
    ExpectHoverPair(*s, {700, 700, 50, 50}, "scroll up");
    ExpectHoverPair(*s, {750, 700, 50, 50}, "scroll down");
    ExpectDrawn(*s, {400, 600, 200, 50}, "check button", 0.5);
    // The language selector: empty socket above, chosen language below.
    Box selector{600, 600, 24, 24}, chosen{600, 624, 24, 24};
    ExpectDrawn(*s, selector, "language selector", 0.4);
    ExpectDrawn(*s, chosen, "chosen language", 0.4);
    EXPECT_GT(s->Difference(selector, chosen), 0.05);
    // Labels are printed black (red while hovered) from y + 10 to y + 40: faces stay light.
    for (Box b : {Box{0, 700, 300, 50}, Box{0, 750, 300, 50}, Box{300, 700, 100, 50}, Box{50, 600, 150, 50},
                  Box{400, 600, 200, 50}})
        EXPECT_GT(s->MeanLuma({b.x + 20, b.y + 12, b.w - 40, 26}), 0.75) << b.x << ", " << b.y;
    // The up and down arrows are mirror images, not the same picture.
    EXPECT_GT(s->Difference({700, 700, 50, 50}, {750, 700, 50, 50}), 0.02);
}

TEST(ArtSheets, BackdropsAreOpaqueCalmAndLight) {
    const char* files[] = {"back1.PNG", "back1.PNG", "back2.PNG", "back2.PNG", "back3.PNG", "back3.PNG",
                           "back4.PNG"};
    for (int b = 0; b < 7; ++b) {
        auto s = Load(files[b]);
        Box r{0, 450 * (b % 2), 600, 450};
        EXPECT_TRUE(s->FullyOpaque(r)) << "backdrop " << b;
        // Black text and pieces stay readable: no dark patch anywhere, little contrast overall.
        EXPECT_GT(s->MinLuma(r), 0.55) << "backdrop " << b;
        EXPECT_GT(s->MeanLuma(r), 0.78) << "backdrop " << b;
    }
    auto bg = Load("bg.PNG");
    EXPECT_TRUE(bg->FullyOpaque({0, 0, 1024, 768})) << "menu background";
}

// The twelve designs are round lamps: laid edge to edge as the squares of a grid (down to 10
// pixels) and used as round buttons with a circular hit test. So the picture stays inside the
// circle inscribed in its box, the corners are clear, and lit is far brighter than dark, also
// when shrunk to 10 pixels.
TEST(ArtSheets, SquareDesignsAreRoundLampsThatDifferByBrightnessWhenLit) {
    auto s = Load("misc3.PNG");
    for (int d = 0; d < 12; ++d) {
        Box off{100 * (d % 6), 200 * (d / 6) + 50, 50, 50}, on{off.x, off.y + 100, 50, 50};
        for (Box b : {off, on}) {
            ExpectDrawn(*s, b, "design", 0.7);
            for (int y = 0; y < 50; ++y)
                for (int x = 0; x < 50; ++x) {
                    const double dx = x + 0.5 - 25, dy = y + 0.5 - 25;
                    if (dx * dx + dy * dy > 25.0 * 25.0) {
                        EXPECT_LT(s->At(b.x + x, b.y + y).a, 0.05)
                            << "design " << d << ": drawn outside the inscribed circle at (" << x << ", " << y << ")";
                    }
                }
            double cx = 0, cy = 0;
            s->Centroid(b, &cx, &cy);
            EXPECT_NEAR(cx, 25, 1.0) << "design " << d;
            EXPECT_NEAR(cy, 25, 1.0) << "design " << d;
        }
        EXPECT_GT(s->MeanLuma(on), s->MeanLuma(off) + 0.3) << "design " << d;
        // Shrunk to 10 pixels: the middle 6 x 6 pixels, each the mean of 5 x 5 texels.
        auto shrunk = [&](Box b) {
            double sum = 0;
            for (int y = 10; y < 40; ++y)
                for (int x = 10; x < 40; ++x) sum += s->At(b.x + x, b.y + y).Luma();
            return sum / 900;
        };
        EXPECT_GT(shrunk(on), shrunk(off) + 0.3) << "design " << d << " at 10 pixels";
    }
    for (int d = 1; d < 12; ++d)
        EXPECT_GT(s->Difference({0, 150, 50, 50}, {100 * (d % 6), 200 * (d / 6) + 150, 50, 50}), 0.02)
            << "design " << d << " looks like design 0";
}

TEST(ArtSheets, WeightsCoinsNotesAndTrayStrips) {
    auto s = Load("misc4.PNG");
    auto clearEdges = [&s](Box b) {
        return s->Covered({b.x, b.y, b.w, 2}) + s->Covered({b.x, b.y + b.h - 2, b.w, 2}) +
                   s->Covered({b.x, b.y, 2, b.h}) + s->Covered({b.x + b.w - 2, b.y, 2, b.h}) == 0;
    };
    for (int p = 0; p < 8; ++p) {
        Box b{100 * (p % 4), 100 * (p / 4), 100, 100};
        ExpectDrawn(*s, b, "fruit", 0.1);
        EXPECT_TRUE(clearEdges(b) && clearEdges({b.x, b.y + 200, 100, 100})) << "a dash at the edge of fruit or coin " << p;
        // It stands on the bottom centre: drawn down to the last rows, around the middle.
        EXPECT_GT(s->Covered({b.x + 25, b.y + 94, 50, 4}), 0.15) << "fruit " << p << " stands on its bottom centre";
        double cx, cy;
        s->Centroid(b, &cx, &cy);
        EXPECT_NEAR(cx, 50, 8) << "fruit " << p;
        // Fixed fruit is drawn at half brightness: the art is colourful enough to stay fruit.
        EXPECT_GT(s->MeanSpread(b), 0.25) << "fruit " << p;
        for (int q = 0; q < p; ++q)
            EXPECT_GT(s->Difference(b, {100 * (q % 4), 100 * (q / 4), 100, 100}), 0.05) << "fruit " << p << ", " << q;
    }
    for (int c = 0; c < 8; ++c) {
        Box b{100 * (c % 4), 200 + 100 * (c / 4), 100, 100};
        ExpectDrawn(*s, b, "coin", 0.25);
        double cx, cy;
        s->Centroid(b, &cx, &cy);
        EXPECT_NEAR(cx, 50, 3) << "coin " << c;
    }
    const Box notes[] = {{0, 450, 200, 100},   {0, 550, 220, 100},   {0, 650, 240, 100}, {0, 750, 240, 100},
                         {260, 450, 260, 120}, {260, 570, 270, 120}, {260, 690, 280, 120}};
    for (Box b : notes) ExpectDrawn(*s, b, "note", 0.7);
    for (Box b : notes) EXPECT_TRUE(clearEdges(b)) << "note at " << b.x << "," << b.y;
    // The frame strips are stretched along their length: every column of the horizontal strip
    // (and every row of the vertical one) is alike, two pixels past their ends as well, so that
    // filtering at the ends blends rod with rod.
    EXPECT_TRUE(s->FullyOpaque({505, 0, 95, 5}));
    EXPECT_TRUE(s->FullyOpaque({500, 5, 5, 95}));
    // (The two strips share the corner pixels (503..504, 3..4); either picture may hold them.)
    for (int y = 0; y < 5; ++y)
        for (int x : {503, 504, 550, 600, 601})
            if (y < 3 || x > 504) {
                EXPECT_EQ(s->Raw(x, y), s->Raw(505, y)) << x << ", " << y;
            }
    for (int x = 500; x < 505; ++x)
        for (int y : {3, 4, 50, 100, 101})
            if (y > 4 || x < 503) {
                EXPECT_EQ(s->Raw(x, y), s->Raw(x, 5)) << x << ", " << y;
            }
    // The trays' floor, stretched both ways: opaque, alike along each row, light under the
    // black labels, and its colours reaching past the region.
    Box floor{410, 110, 80, 80};
    EXPECT_TRUE(s->FullyOpaque({405, 105, 90, 90}));
    for (int y = 105; y < 195; ++y) EXPECT_EQ(s->Raw(405, y), s->Raw(494, y)) << "row " << y;
    EXPECT_GT(s->MeanLuma(floor), 0.8);
}

TEST(ArtSheets, BalanceFitsItsGeometry) {
    auto s = Load("misc1.PNG");
    // The beam's bar reaches both ends on the pivot's row, where the pans' posts stand.
    EXPECT_GT(s->At(500 + 2, 320 + 22).a, 0.9);
    EXPECT_GT(s->At(500 + 197, 320 + 22).a, 0.9);
    // The pan: fruit stand on its top edge (row 0 to 2) across the width of a row of three,
    // their labels lie on its light front rim, and its knuckle reaches down to the beam.
    const Box pan{300, 385, 180, 58};
    EXPECT_GT(s->Covered({pan.x + 10, pan.y, 160, 3}), 0.9);
    EXPECT_GT(s->MeanLuma({pan.x + 30, pan.y + 3, 120, 12}), 0.75);
    EXPECT_GT(s->At(pan.x + 90, pan.y + 54).a, 0.9);
    EXPECT_EQ(s->At(pan.x + 20, pan.y + 50).a, 0) << "clear beside the post";
}

}  // namespace
