// The card game's art as it ships in "sport.gob": sheet sizes, the card outline shared by face,
// shadow and backs, opaque veil, and sixteen card pictures that are all different.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Archive.h"

namespace {
// A decoded sheet as non-premultiplied ARGB words.
struct Sheet {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    int Alpha(int x, int y) const { return At(x, y) >> 24; }
};

Sheet Load(const char* name) {
    Sheet sheet;
    FILE* archive = OpenArchive(KW_DATA_DIR "/sport.gob");
    EXPECT_NE(archive, nullptr);
    if (archive == nullptr) return sheet;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadArchiveEntry(archive, name, bytes)) << name;
    CloseArchive(archive);
    SDL_Surface* loaded = IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    EXPECT_NE(loaded, nullptr) << name;
    if (loaded == nullptr) return sheet;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    sheet.width = argb->w;
    sheet.height = argb->h;
    sheet.pixels.resize(static_cast<size_t>(argb->w) * argb->h);
    for (int y = 0; y < argb->h; ++y) {
        std::memcpy(&sheet.pixels[static_cast<size_t>(y) * argb->w], static_cast<uint8_t*>(argb->pixels) + y * argb->pitch,
                    static_cast<size_t>(argb->w) * 4);
    }
    SDL_FreeSurface(argb);
    return sheet;
}

// Share of pixels of a rectangle with alpha of at least `minAlpha`.
double Coverage(const Sheet& s, int left, int top, int right, int bottom, int minAlpha = 128) {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) n += s.Alpha(x, y) >= minAlpha;
    }
    return static_cast<double>(n) / ((right - left) * (bottom - top));
}

bool HasKeyColour(const Sheet& s) {
    return std::find(s.pixels.begin(), s.pixels.end(), 0xFF00FF64u) != s.pixels.end();
}

// A card picture reduced to 13 x 13 blocks of premultiplied colour and coverage.
std::vector<double> Signature(const Sheet& s, int k) {
    std::vector<double> sig;
    const int x0 = (k % 8) * 65, y0 = (k / 8) * 65;
    for (int by = 0; by < 13; ++by) {
        for (int bx = 0; bx < 13; ++bx) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int y = 0; y < 5; ++y) {
                for (int x = 0; x < 5; ++x) {
                    const uint32_t p = s.At(x0 + bx * 5 + x, y0 + by * 5 + y);
                    const double alpha = (p >> 24) / 255.0;
                    a += alpha;
                    r += alpha * ((p >> 16) & 0xFF) / 255.0;
                    g += alpha * ((p >> 8) & 0xFF) / 255.0;
                    b += alpha * (p & 0xFF) / 255.0;
                }
            }
            sig.insert(sig.end(), {r / 25, g / 25, b / 25, a / 25});
        }
    }
    return sig;
}

// The average colour of a picture's opaque pixels.
std::vector<double> MainColour(const Sheet& s, int k) {
    double r = 0, g = 0, b = 0, n = 0;
    for (int y = 0; y < 65; ++y) {
        for (int x = 0; x < 65; ++x) {
            const uint32_t p = s.At((k % 8) * 65 + x, (k / 8) * 65 + y);
            if ((p >> 24) < 250) continue;
            r += (p >> 16) & 0xFF;
            g += (p >> 8) & 0xFF;
            b += p & 0xFF;
            n += 1;
        }
    }
    return {r / n, g / n, b / n};
}
}  // namespace

TEST(CardArt, Misc2HoldsFaceBacksVeilAndIllustration) {
    const Sheet s = Load("misc2.PNG");
    ASSERT_GE(s.width, 550);
    ASSERT_GE(s.height, 600);
    EXPECT_FALSE(HasKeyColour(s));
    // the veil is opaque everywhere, the box illustration is there
    EXPECT_EQ(Coverage(s, 500, 0, 550, 50, 255), 1.0);
    EXPECT_GT(Coverage(s, 0, 0, 300, 340), 0.5);

    // the face: opaque and light inside, transparent rounded corners, edges close to the border
    EXPECT_EQ(Coverage(s, 14, 514, 86, 586, 255), 1.0);
    EXPECT_GT(Coverage(s, 4, 504, 96, 596, 255), 0.99);
    for (auto [x, y] : {std::pair{0, 500}, {99, 500}, {0, 599}, {99, 599}, {3, 503}, {96, 596}}) {
        EXPECT_EQ(s.Alpha(x, y), 0) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{50, 503}, {50, 596}, {3, 550}, {96, 550}}) {
        EXPECT_EQ(s.Alpha(x, y), 255) << x << "," << y;
    }
    int partial = 0;
    for (int y = 500; y < 600; ++y) {
        for (int x = 0; x < 100; ++x) partial += s.Alpha(x, y) > 0 && s.Alpha(x, y) < 255;
    }
    EXPECT_GT(partial, 40) << "the rounded corners are not anti-aliased";
    const uint32_t middle = s.At(50, 550);
    EXPECT_GT((middle >> 16) & 0xFF, 200u);
    EXPECT_GT((middle >> 8) & 0xFF, 200u);
    EXPECT_GT(middle & 0xFF, 180u);

    // the backs have exactly the face's outline, so the one shadow fits all cards
    for (int b = 0; b < 3; ++b) {
        int worst = 0;
        for (int y = 500; y < 600; ++y) {
            for (int x = 0; x < 100; ++x) worst = std::max(worst, std::abs(s.Alpha(x, y) - s.Alpha(100 + 100 * b + x, y)));
        }
        EXPECT_LE(worst, 1) << "back " << b;
    }
    // and three different designs, none of them blank like the face
    auto differs = [&s](int ax, int bx) {
        long sum = 0;
        for (int y = 510; y < 590; ++y) {
            for (int x = 10; x < 90; ++x) {
                const uint32_t p = s.At(ax + x, y), q = s.At(bx + x, y);
                for (int shift : {0, 8, 16}) sum += std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF));
            }
        }
        return sum / (80.0 * 80 * 3);
    };
    for (int a = 0; a < 4; ++a) {
        for (int b = a + 1; b < 4; ++b) EXPECT_GT(differs(100 * a, 100 * b), 30.0) << a << " " << b;
    }
}

TEST(CardArt, SixteenDistinctCardPictures) {
    const Sheet s = Load("Memory_Muster.PNG");
    ASSERT_GE(s.width, 520);
    ASSERT_GE(s.height, 130);
    EXPECT_FALSE(HasKeyColour(s));
    for (int k = 0; k < 16; ++k) {
        SCOPED_TRACE(k);
        const int x0 = (k % 8) * 65, y0 = (k / 8) * 65;
        // a clear picture, anti-aliased, with a transparent margin so that nothing bleeds into
        // the neighbour when the picture is scaled
        EXPECT_GT(Coverage(s, x0, y0, x0 + 65, y0 + 65), 0.15);
        int partial = 0, margin = 0;
        for (int y = 0; y < 65; ++y) {
            for (int x = 0; x < 65; ++x) {
                const int a = s.Alpha(x0 + x, y0 + y);
                partial += a > 0 && a < 255;
                if (x < 2 || y < 2 || x > 62 || y > 62) margin = std::max(margin, a);
            }
        }
        EXPECT_GT(partial, 30);
        EXPECT_EQ(margin, 0);
    }
    // no two pictures alike, neither in shape nor in colour
    std::vector<std::vector<double>> sig, colour;
    for (int k = 0; k < 16; ++k) {
        sig.push_back(Signature(s, k));
        colour.push_back(MainColour(s, k));
    }
    for (int a = 0; a < 16; ++a) {
        for (int b = a + 1; b < 16; ++b) {
            double d = 0;
            for (size_t i = 0; i < sig[a].size(); ++i) d += std::fabs(sig[a][i] - sig[b][i]);
            d /= static_cast<double>(sig[a].size());
            const double c = std::hypot(colour[a][0] - colour[b][0], colour[a][1] - colour[b][1], colour[a][2] - colour[b][2]);
            EXPECT_GT(d, 0.08) << "pictures " << a << " and " << b << " look alike";
            EXPECT_GT(c, 30.0) << "pictures " << a << " and " << b << " share their colour";
        }
    }
}

TEST(CardArt, SmallCardImagesAreRealImages) {
    for (const char* name : {"MemoryCards1.png", "MemoryCards2.png"}) {
        const Sheet s = Load(name);
        EXPECT_GE(s.width, 1) << name;
        EXPECT_GE(s.height, 1) << name;
        EXPECT_FALSE(HasKeyColour(s)) << name;
    }
}
