// The thirteen pictures of picture building as the build packed them into sport.gob, checked
// with the shapes' own alpha masks from misc1.PNG in the same archive: each level reads, its
// silhouettes lie on the canvas below the counter line without overlapping, one shape cannot
// cover two silhouettes, no extra shape fits where it lies, and every silhouette can be reached
// by a copy from any start with the size and turn keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "games/KG_Bilder_Basteln/LevelReader.h"
#include "games/KG_Bilder_Basteln/PictureLevel.h"
#include "games/KG_Bilder_Basteln/ShapeObject.h"
#include "platform/Archive.h"
#include "platform/Texture.h"

using namespace picture;

namespace {
constexpr int W = 1024, H = 768;
constexpr int kCounterLineBottom = 110;
constexpr double kPi = 3.14159265358979323846;

// The pixels of the canvas a shape covers (alpha of its picture at least one half), in its
// bounding box.
struct Coverage {
    int x0 = 0, y0 = 0, w = 0, h = 0;
    std::vector<uint8_t> in;
    bool At(int x, int y) const {
        x -= x0, y -= y0;
        return x >= 0 && y >= 0 && x < w && y < h && in[static_cast<size_t>(y) * w + x];
    }
    // The pixels more than one pixel inside: two shapes whose eroded masks meet overlap by more
    // than two pixels.
    Coverage Eroded() const {
        Coverage e = *this;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                bool all = true;
                for (int dy = -1; dy <= 1 && all; ++dy)
                    for (int dx = -1; dx <= 1 && all; ++dx) all = At(x0 + x + dx, y0 + y + dy);
                e.in[static_cast<size_t>(y) * w + x] = all;
            }
        return e;
    }
};

class PictureLevels : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() {
        archive = OpenArchive(KW_DATA_DIR "/sport.gob");
        std::vector<uint8_t> png;
        if (archive != nullptr && ReadArchiveEntry(archive, "misc1.PNG", png))
            sheetOk = DecodeTextureImage(png.data(), png.size(), sheet);
    }
    static void TearDownTestSuite() {
        CloseArchive(archive);
        archive = nullptr;
    }

    static double Alpha(int type, double u, double v) {
        const int x = static_cast<int>(std::floor(u)), y = static_cast<int>(std::floor(v));
        if (x < 0 || y < 0 || x >= 100 || y >= 100) return 0.0;
        return (sheet.pixels[static_cast<size_t>(150 + y) * sheet.imageWidth + 200 * type + x] >> 24) / 255.0;
    }

    // Samples the shape's picture at every pixel centre around it, the way the sprite is laid:
    // scaled by the size, turned about its centre, centred on the position.
    static Coverage Cover(const LevelObject& o) {
        Coverage c;
        const double half = 50.0 * o.sizeFactor * std::max(o.scaleX, o.scaleY) * std::sqrt(2.0) + 2;
        c.x0 = static_cast<int>(std::floor(o.x - half));
        c.y0 = static_cast<int>(std::floor(o.y - half));
        c.w = c.h = static_cast<int>(2 * half) + 2;
        c.in.assign(static_cast<size_t>(c.w) * c.h, 0);
        const double a = o.rotation * kPi / 180.0, cs = std::cos(a), sn = std::sin(a);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) {
                const double px = c.x0 + x + 0.5 - o.x, py = c.y0 + y + 0.5 - o.y;
                const double lx = cs * px + sn * py, ly = -sn * px + cs * py;  // turned back
                const double u = lx / (o.sizeFactor * o.scaleX) + 50, v = ly / (o.sizeFactor * o.scaleY) + 50;
                c.in[static_cast<size_t>(y) * c.w + x] = Alpha(o.type, u, v) >= 0.5;
            }
        return c;
    }

    static std::string Entry(int n) {
        std::vector<uint8_t> bytes;
        if (!ReadArchiveEntry(archive, ("bb_" + std::to_string(n)).c_str(), bytes)) return {};
        return std::string(bytes.begin(), bytes.end());
    }

    static inline FILE* archive = nullptr;
    static inline TextureImage sheet;
    static inline bool sheetOk = false;
};
}  // namespace

TEST_P(PictureLevels, IsAPictureTheShapesCanBuild) {
    ASSERT_NE(archive, nullptr);
    ASSERT_TRUE(sheetOk) << "misc1.PNG";
    const int n = GetParam();
    const std::string text = Entry(n);
    ASSERT_FALSE(text.empty()) << "bb_" << n << " is not in the archive";
    LevelData level;
    ASSERT_EQ(ReadLevel(text, level), LevelError::kNone) << LevelErrorName(ReadLevel(text, level));
    LevelData loaded;
    EXPECT_EQ(ReadLevelEntry(archive, n, loaded, W, H), true);

    // As written: SCALE 1 1, sizes in tenths within 0.5..2.0, turns in steps of 15 degrees.
    std::vector<std::string_view> words;
    for (size_t i = 0; i < text.size();) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        const size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        if (i > start) words.emplace_back(text.data() + start, i - start);
    }
    for (size_t i = 0; i + 2 < words.size(); ++i) {
        double v = 0;
        int r = 0;
        if (words[i] == "SCALE:") {
            EXPECT_EQ(words[i + 1], "1");
            EXPECT_EQ(words[i + 2], "1");
        } else if (words[i] == "SFACTOR:") {
            ASSERT_TRUE(ParseWholeDouble(words[i + 1], v));
            EXPECT_NEAR(v * 10, std::round(v * 10), 1e-9) << v;
            EXPECT_TRUE(v >= 0.5 - 1e-9 && v <= 2.0 + 1e-9) << v;
        } else if (words[i] == "ROT:") {
            ASSERT_TRUE(ParseWholeInt(words[i + 1], r));
            EXPECT_TRUE(r >= 0 && r < 360 && r % 15 == 0) << r;
        }
    }

    std::vector<LevelObject> silhouettes, extras;
    for (const LevelObject& o : level.objects) (o.silhouette ? silhouettes : extras).push_back(o);
    EXPECT_GE(silhouettes.size(), 4u);
    EXPECT_LE(silhouettes.size(), 10u);
    EXPECT_GE(extras.size(), 2u);
    EXPECT_LE(extras.size(), 4u);

    // On the canvas, below the counter line; the picture centred in the space below it.
    std::vector<Coverage> cover;
    int minX = W, minY = H, maxX = -1, maxY = -1;
    for (const LevelObject& o : level.objects) {
        Coverage c = Cover(o);
        int pixels = 0;
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) {
                if (!c.in[static_cast<size_t>(y) * c.w + x]) continue;
                ++pixels;
                const int px = c.x0 + x, py = c.y0 + y;
                ASSERT_TRUE(px >= 0 && px < W && py >= kCounterLineBottom && py < H)
                    << "a shape of type " << o.type << " at (" << o.x << ", " << o.y << ") reaches (" << px << ", " << py
                    << ")";
                if (o.silhouette) {
                    minX = std::min(minX, px), maxX = std::max(maxX, px);
                    minY = std::min(minY, py), maxY = std::max(maxY, py);
                }
            }
        EXPECT_GT(pixels, 300) << "a shape of type " << o.type << " is hardly visible";
        if (o.silhouette) cover.push_back(std::move(c));
    }
    EXPECT_NEAR((minX + maxX) / 2.0, W / 2.0, 40) << "the picture is not centred";
    EXPECT_NEAR((minY + maxY) / 2.0, (kCounterLineBottom + H) / 2.0, 60) << "the picture is not centred";
    EXPECT_GE(std::max(maxX - minX, maxY - minY), 250) << "the picture is too small to read";

    // Silhouettes touch but do not overlap (two pixels of anti-aliased edge are allowed).
    std::vector<Coverage> inner;
    for (const Coverage& c : cover) inner.push_back(c.Eroded());
    for (size_t i = 0; i < inner.size(); ++i)
        for (size_t j = 0; j < i; ++j) {
            int both = 0;
            const Coverage& a = inner[i];
            for (int y = 0; y < a.h; ++y)
                for (int x = 0; x < a.w; ++x)
                    both += a.in[static_cast<size_t>(y) * a.w + x] && inner[j].At(a.x0 + x, a.y0 + y);
            EXPECT_EQ(both, 0) << "silhouettes " << j << " and " << i << " overlap";
        }

    // One shape never covers two silhouettes: it would have to fit both.
    for (size_t i = 0; i < silhouettes.size(); ++i)
        for (size_t j = 0; j < i; ++j) {
            const ShapeObject a(silhouettes[i]), b(silhouettes[j]);
            if (a.type != b.type) continue;
            const double dist = std::hypot(a.position.x - b.position.x, a.position.y - b.position.y);
            const int sym = ShapeObject::SymmetryDegrees(a.type);
            const bool sameTurn = sym <= 1 || (a.rotation % sym == b.rotation % sym && (a.type != 2 || a.scale.y == b.scale.y));
            const bool sizesShared = std::fabs(a.sizeFactor - b.sizeFactor) <= 2 * ShapeObject::kFitSizeDifference + 1e-9;
            EXPECT_FALSE(dist <= 2 * ShapeObject::kFitDistance && sizesShared && sameTurn)
                << "silhouettes " << j << " and " << i << " can be covered by one shape";
        }

    // An extra shape fits no silhouette where it lies.
    for (const LevelObject& e : extras)
        for (const LevelObject& s : silhouettes)
            EXPECT_FALSE(ShapeObject(e).Fits(ShapeObject(s))) << "an extra shape at (" << e.x << ", " << e.y << ")";

    // Every silhouette is reached by its copy from any size of 0.6..1.9 and any of the eight
    // turns, with the size and turn keys alone.
    for (const LevelObject& o : silhouettes) {
        const ShapeObject s(o);
        for (int size = 6; size <= 19; ++size)
            for (int k = 0; k < 8; ++k) {
                ShapeObject copy(o);
                copy.sizeFactor = size / 10.0;
                copy.AddRotation(45 * k);
                for (int i = 0; i < 20 && std::fabs(copy.sizeFactor - s.sizeFactor) > ShapeObject::kFitSizeDifference; ++i)
                    copy.AddSize(copy.sizeFactor < s.sizeFactor ? ShapeObject::kSizeStep : -ShapeObject::kSizeStep);
                for (int i = 0; i < 24 && !copy.Fits(s); ++i) copy.AddRotation(ShapeObject::kTurnStep);
                EXPECT_TRUE(copy.Fits(s)) << "a silhouette of type " << o.type << " at (" << o.x << ", " << o.y
                                          << ") from size " << size / 10.0 << ", turn " << 45 * k;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Archive, PictureLevels, ::testing::Range(0, kLevelCount),
                         [](const ::testing::TestParamInfo<int>& info) { return "bb_" + std::to_string(info.param); });

// The built-in picture, played when the archive has no usable level, obeys the same rules as
// far as they need no pictures.
TEST(PictureLevelsBuiltIn, IsAValidLevel) {
    LevelData level;
    ASSERT_EQ(ReadLevel(BuiltInLevelText(), level), LevelError::kNone);
    EXPECT_GE(level.SilhouetteCount(), 4);
    EXPECT_GE(level.ExtraCount(), 2);
    for (const LevelObject& e : level.objects)
        for (const LevelObject& s : level.objects)
            if (!e.silhouette && s.silhouette) {
                EXPECT_FALSE(ShapeObject(e).Fits(ShapeObject(s)));
            }
}
