// The level files of picture building: the strict reader over an entry's bytes, and the loader
// that takes a level from the archive or falls back to the next one and to the built-in picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "games/KG_Bilder_Basteln/LevelReader.h"
#include "games/KG_Bilder_Basteln/PictureLevel.h"
#include "platform/Archive.h"

using namespace picture;

namespace {
const char kExample[] =
    "ZIELOBJEKT_START OBJEKT_START POSITON: 400 300 SCALE: 1 1 ROT: 45 TYP: 0 SFACTOR: 1.2 OBJEKT_END ZIELOBJEKT_END";

// One silhouette object with the given middle part.
std::string Silhouette(const std::string& inner) {
    return "ZIELOBJEKT_START OBJEKT_START " + inner + " OBJEKT_END ZIELOBJEKT_END";
}

LevelError Read(const std::string& text, LevelData& out) { return ReadLevel(text, out); }
LevelError Read(const std::string& text) {
    LevelData out;
    return ReadLevel(text, out);
}
}  // namespace

TEST(PictureLevelReader, ReadsTheExampleObject) {
    LevelData level;
    ASSERT_EQ(Read(kExample, level), LevelError::kNone);
    ASSERT_EQ(level.objects.size(), 1u);
    const LevelObject& o = level.objects[0];
    EXPECT_TRUE(o.silhouette);
    EXPECT_EQ(o.type, 0);
    EXPECT_FLOAT_EQ(o.x, 400);
    EXPECT_FLOAT_EQ(o.y, 300);
    EXPECT_FLOAT_EQ(o.scaleX, 1);
    EXPECT_FLOAT_EQ(o.scaleY, 1);
    EXPECT_EQ(o.rotation, 45);
    EXPECT_DOUBLE_EQ(o.sizeFactor, 1.2);
}

// Windows line ends, tabs, unknown words outside and inside objects, both modes, file order.
TEST(PictureLevelReader, KeepsFileOrderAndModesAndSkipsUnknownWords) {
    const std::string text =
        "BILD: Haus\r\n"
        "OBJEKT_START POSITON: 10 20 TYP: 1 OBJEKT_END\r\n"  // before any block: an extra shape
        "ZIELOBJEKT_START\r\n"
        "OBJEKT_START\tNAME: Dach POSITON: 500.5 400 TYP: 2 SCALE: 1 0.5 OBJEKT_END\r\n"
        "ZIELOBJEKT_END BAUOBJEKT_START\r\n"
        "OBJEKT_START TYP: 3 POSITON: 30 40 OBJEKT_END BAUOBJEKT_END\r\n"
        "ZIELOBJEKT_START OBJEKT_START TYP: 0 POSITON: 600 500 OBJEKT_END";
    LevelData level;
    ASSERT_EQ(Read(text, level), LevelError::kNone);
    ASSERT_EQ(level.objects.size(), 4u);
    EXPECT_FALSE(level.objects[0].silhouette);
    EXPECT_TRUE(level.objects[1].silhouette);
    EXPECT_FALSE(level.objects[2].silhouette);
    EXPECT_TRUE(level.objects[3].silhouette);
    EXPECT_EQ(level.SilhouetteCount(), 2);
    EXPECT_EQ(level.ExtraCount(), 2);
    EXPECT_FLOAT_EQ(level.objects[1].x, 500.5f);
    EXPECT_FLOAT_EQ(level.objects[1].scaleY, 0.5f);
    EXPECT_EQ(level.objects[2].type, 3);
    EXPECT_EQ(level.objects[1].color, 0xFFFFFFFFu);  // no colour: white
}

// The colour a silhouette's shape takes on when the picture is finished.
TEST(PictureLevelReader, ReadsColours) {
    LevelData level;
    ASSERT_EQ(Read(Silhouette("POSITON: 1 1 FARBE: E8505f"), level), LevelError::kNone);
    EXPECT_EQ(level.objects[0].color, 0xFFE8505Fu);
    for (const char* bad : {"FARBE: 12345", "FARBE: 1234567", "FARBE: GG0000", "FARBE: #E8505F", "FARBE: OBJEKT_END"})
        EXPECT_EQ(Read(Silhouette(std::string("POSITON: 1 1 ") + bad)), LevelError::kBadColor) << bad;
    EXPECT_EQ(Read("ZIELOBJEKT_START OBJEKT_START FARBE:"), LevelError::kUnterminatedObject);
    uint32_t c = 0;
    EXPECT_TRUE(ParseColor("000000", c));
    EXPECT_EQ(c, 0xFF000000u);
}

// A missing SCALE would leave the shape at (0, 0): invisible, yet its copy clickable.
TEST(PictureLevelReader, RepairsWhatTheKeysCanStillReach) {
    LevelData level;
    ASSERT_EQ(Read(Silhouette("POSITON: 100 200 TYP: 1"), level), LevelError::kNone);
    EXPECT_FLOAT_EQ(level.objects[0].scaleX, 1.0f);
    EXPECT_FLOAT_EQ(level.objects[0].scaleY, 1.0f);
    EXPECT_DOUBLE_EQ(level.objects[0].sizeFactor, 1.0);
    struct Case {
        const char* rot;
        int expected;
    } rotations[] = {{"-45", 315}, {"720", 0}, {"359", 359}, {"-360", 0}, {"-721", 359}, {"+30", 30}};
    for (const Case& c : rotations) {
        ASSERT_EQ(Read(Silhouette(std::string("POSITON: 1 1 ROT: ") + c.rot), level), LevelError::kNone) << c.rot;
        EXPECT_EQ(level.objects[0].rotation, c.expected) << c.rot;
    }
    struct Size {
        const char* text;
        double expected;
    } sizes[] = {{"1.23", 1.2}, {"0.36", 0.4}, {"2.04", 2.0}, {"1e0", 1.0}, {"0.5", 0.5}};
    for (const Size& s : sizes) {
        ASSERT_EQ(Read(Silhouette(std::string("POSITON: 1 1 SFACTOR: ") + s.text), level), LevelError::kNone) << s.text;
        EXPECT_DOUBLE_EQ(level.objects[0].sizeFactor, s.expected) << s.text;
    }
}

TEST(PictureLevelReader, RefusesBrokenObjects) {
    struct Case {
        std::string text;
        LevelError error;
    } cases[] = {
        // The old reader looped for ever at the end of the file inside an object, or after a
        // word that is no number.
        {"ZIELOBJEKT_START OBJEKT_START POSITON: 100 100 TYP: 1", LevelError::kUnterminatedObject},
        {"ZIELOBJEKT_START OBJEKT_START POSITON: 100", LevelError::kUnterminatedObject},
        {Silhouette("POSITON: OBJEKT_END"), LevelError::kBadNumber},
        {Silhouette("POSITON: 1 1 ROT: 4x"), LevelError::kBadNumber},
        {Silhouette("POSITON: 1 1 ROT: 4.5"), LevelError::kBadNumber},
        {Silhouette("POSITON: 1 1 ROT: 99999999999"), LevelError::kBadNumber},
        {Silhouette("POSITON: nan 100"), LevelError::kBadNumber},
        {Silhouette("POSITON: inf 100"), LevelError::kBadNumber},
        {Silhouette("POSITON: 1e999 100"), LevelError::kBadNumber},
        {Silhouette("POSITON: 0x10 100"), LevelError::kBadNumber},
        {Silhouette("POSITON: 100 100 SFACTOR: 1,5"), LevelError::kBadNumber},
        {Silhouette("POSITON: 100 100 TYP: " + std::string(100, '1')), LevelError::kBadNumber},
        // Values outside what the sheet and the keys can show.
        {Silhouette("POSITON: 100 100 TYP: 7"), LevelError::kBadType},
        {Silhouette("POSITON: 100 100 TYP: -1"), LevelError::kBadType},
        {Silhouette("POSITON: -5 100"), LevelError::kBadPosition},
        {Silhouette("POSITON: 100 769"), LevelError::kBadPosition},
        {Silhouette("POSITON: 1025 100"), LevelError::kBadPosition},
        {Silhouette("POSITON: 100 100 SCALE: 0 0"), LevelError::kBadScale},
        {Silhouette("POSITON: 100 100 SCALE: 1 -1"), LevelError::kBadScale},
        {Silhouette("POSITON: 100 100 SCALE: 1 100"), LevelError::kBadScale},
        {Silhouette("POSITON: 100 100 SFACTOR: 0.3"), LevelError::kBadSize},
        {Silhouette("POSITON: 100 100 SFACTOR: 2.1"), LevelError::kBadSize},
        {Silhouette("POSITON: 100 100 SFACTOR: -1"), LevelError::kBadSize},
        // A block word inside an object means its OBJEKT_END is missing.
        {"ZIELOBJEKT_START OBJEKT_START POSITON: 1 1 OBJEKT_START POSITON: 2 2 OBJEKT_END", LevelError::kUnterminatedObject},
        {"ZIELOBJEKT_START OBJEKT_START POSITON: 1 1 ZIELOBJEKT_END", LevelError::kUnterminatedObject},
        // A bad extra shape spoils the level as much as a bad silhouette.
        {std::string(kExample) + " BAUOBJEKT_START OBJEKT_START TYP: 9 OBJEKT_END", LevelError::kBadType},
    };
    for (const Case& c : cases) {
        LevelData level;
        level.objects.resize(3);
        EXPECT_EQ(Read(c.text, level), c.error) << c.text;
        EXPECT_TRUE(level.objects.empty()) << c.text;
    }
}

// The reader starts in extra-shape mode: a file without ZIELOBJEKT_START has no picture.
TEST(PictureLevelReader, ALevelWithoutSilhouettesIsRefused) {
    EXPECT_EQ(Read(""), LevelError::kNoSilhouettes);
    EXPECT_EQ(Read("   \r\n\t "), LevelError::kNoSilhouettes);
    EXPECT_EQ(Read("OBJEKT_START POSITON: 100 100 TYP: 1 OBJEKT_END"), LevelError::kNoSilhouettes);
    EXPECT_EQ(Read("ZIELOBJEKT_START ZIELOBJEKT_END BAUOBJEKT_START OBJEKT_START OBJEKT_END"),
              LevelError::kNoSilhouettes);
}

TEST(PictureLevelReader, BoundsTheEntryAndTheObjects) {
    std::string many = "ZIELOBJEKT_START ";
    for (size_t i = 0; i < kMaxLevelObjects; ++i) many += "OBJEKT_START POSITON: 10 10 OBJEKT_END ";
    EXPECT_EQ(Read(many), LevelError::kNone);
    EXPECT_EQ(Read(many + "OBJEKT_START POSITON: 10 10 OBJEKT_END"), LevelError::kTooManyObjects);
    std::string large = kExample;
    large.resize(kMaxLevelBytes, ' ');
    EXPECT_EQ(Read(large), LevelError::kNone);
    large.push_back(' ');
    EXPECT_EQ(Read(large), LevelError::kTooLarge);
    // A huge word (a garbage entry) is skipped outside objects, and never matches a key.
    EXPECT_EQ(Read(std::string(40000, 'Z') + " " + kExample), LevelError::kNone);
    EXPECT_EQ(Read(std::string("ZIELOBJEKT_START OBJEKT_START POSITON: 1 1 ") + std::string(1000, 'x') + "OBJEKT_END"),
              LevelError::kUnterminatedObject);
    // Bytes that are no text at all.
    std::string binary;
    for (int i = 0; i < 5000; ++i) binary += static_cast<char>(i * 131 % 256);
    EXPECT_EQ(Read(binary), LevelError::kNoSilhouettes);
    const char withNul[] = "ZIELOBJEKT_START OBJEKT_START POSITON: 1\0 1 OBJEKT_END";
    EXPECT_EQ(Read(std::string(withNul, sizeof withNul - 1)), LevelError::kBadNumber);
}

TEST(PictureLevelReader, StrictNumbers) {
    int i = -1;
    EXPECT_TRUE(ParseWholeInt("-45", i));
    EXPECT_EQ(i, -45);
    EXPECT_TRUE(ParseWholeInt("+7", i));
    EXPECT_EQ(i, 7);
    for (const char* bad : {"", "+", "-", "++1", "+-1", "1+", "4x", "x4", "1.0", "2147483648", " 1"})
        EXPECT_FALSE(ParseWholeInt(bad, i)) << bad;
    double d = -1;
    EXPECT_TRUE(ParseWholeDouble("1.5e2", d));
    EXPECT_DOUBLE_EQ(d, 150.0);
    EXPECT_TRUE(ParseWholeDouble("-.5", d));
    EXPECT_DOUBLE_EQ(d, -0.5);
    EXPECT_TRUE(ParseWholeDouble("+3", d));
    EXPECT_DOUBLE_EQ(d, 3.0);
    for (const char* bad : {"", ".", "e5", "1e", "nan", "inf", "-inf", "INF", "0x1p3", "1e400", "1.5.", "1..5", "--1"})
        EXPECT_FALSE(ParseWholeDouble(bad, d)) << bad;
}

// The loader: the drawn entry, else the next ones in turn, else the built-in picture; never a
// "tmp.file", and a user's "tmp.file" is left as it is.
class PictureLoaderTest : public ::testing::Test {
protected:
    void Pack(const std::vector<ArchiveEntry>& entries) {
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(BuildArchive(entries, bytes, error)) << error;
        std::ofstream("levels.gob", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                             static_cast<std::streamsize>(bytes.size()));
        archive = OpenArchive("levels.gob");
        ASSERT_NE(archive, nullptr);
    }
    void TearDown() override { CloseArchive(archive); }
    static std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }
    static std::string AtX(int x) {
        return "ZIELOBJEKT_START OBJEKT_START POSITON: " + std::to_string(x) + " 300 TYP: 1 OBJEKT_END";
    }
    FILE* archive = nullptr;
};

TEST_F(PictureLoaderTest, TakesTheDrawnEntryOrTheNextUsableOne) {
    std::ofstream("tmp.file") << "a user's file";
    Pack({{"misc1.PNG", Bytes("picture")},
          {"bb_3", Bytes(AtX(103))},
          {"bb_4", Bytes("OBJEKT_START POSITON: 1 1 OBJEKT_END")},  // extra shapes only
          {"bb_5", Bytes(Silhouette("POSITON: 1 1 TYP: 7"))},
          {"bb_6", Bytes(AtX(106))},
          {"bb_12", Bytes(AtX(112))}});
    LevelData level;
    EXPECT_EQ(LoadPicture(archive, 3, level, 1024, 768), 3);
    EXPECT_FLOAT_EQ(level.objects[0].x, 103);
    EXPECT_EQ(LoadPicture(archive, 4, level, 1024, 768), 6);
    EXPECT_FLOAT_EQ(level.objects[0].x, 106);
    EXPECT_EQ(LoadPicture(archive, 7, level, 1024, 768), 12);
    EXPECT_EQ(LoadPicture(archive, 0, level, 1024, 768), 3);
    EXPECT_EQ(LoadPicture(archive, 13 + 6, level, 1024, 768), 6);
    std::ifstream in("tmp.file");
    std::string kept;
    std::getline(in, kept);
    EXPECT_EQ(kept, "a user's file");
}

TEST_F(PictureLoaderTest, FallsBackToTheBuiltInPicture) {
    std::string huge = AtX(200);
    huge.resize(kMaxLevelBytes + 1, ' ');
    Pack({{"bb_0", Bytes("garbage")}, {"bb_1", Bytes(huge)}});
    LevelData level;
    EXPECT_EQ(LoadPicture(archive, 0, level, 1024, 768), kBuiltInPicture);
    EXPECT_GE(level.SilhouetteCount(), 4);
    EXPECT_EQ(LoadPicture(nullptr, 5, level, 1024, 768), kBuiltInPicture);
    LevelData builtIn;
    ASSERT_EQ(ReadLevel(BuiltInLevelText(), builtIn), LevelError::kNone);
    EXPECT_EQ(builtIn.objects.size(), level.objects.size());
    EXPECT_GE(builtIn.ExtraCount(), 2);
    EXPECT_FALSE(std::filesystem::exists("tmp.file"));
}
