#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <cctype>
#include <cstring>
#include <iterator>
#include <filesystem>
#include <fstream>

#include "app/AppContext.h"
#include "platform/Archive.h"
#include "platform/Renderer.h"
#include "platform/Texture.h"
#include "platform/TextureLoading.h"
#include "platform/TexturePng.h"

namespace {
void WriteArchive(const char* path, const std::vector<ArchiveEntry>& entries) {
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(BuildArchive(entries, bytes, error));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}
}  // namespace

TEST(Texture, KeyColourBecomesTransparentBlackAndNothingElse) {
    // Pixel 0: the key colour; pixel 1: blue 101; pixel 2: the key colour half transparent.
    const auto png = MakePng(4, 2, 0xFF102030, {{0, 0xFF00FF64}, {1, 0xFF00FF65}, {2, 0x8000FF64}});
    TextureImage image;
    ASSERT_TRUE(DecodeTextureImage(png.data(), png.size(), image));
    EXPECT_EQ(image.pixels[0], 0x00000000u);
    EXPECT_EQ(image.pixels[1], 0xFF00FF65u);
    EXPECT_EQ(image.pixels[2], 0x8000FF64u);
    EXPECT_EQ(image.pixels[3], 0xFF102030u);
}

TEST(Texture, ImageIsAddressedAsTopLeftOfAPowerOfTwoTextureButKeepsOnlyItsOwnPixels) {
    const auto png = MakePng(600, 450, 0xFFAABBCC, {{599 + 449 * 600, 0xFF010203}});
    TextureImage image;
    ASSERT_TRUE(DecodeTextureImage(png.data(), png.size(), image));
    EXPECT_EQ(image.imageWidth, 600);
    EXPECT_EQ(image.imageHeight, 450);
    EXPECT_EQ(image.width, 1024);
    EXPECT_EQ(image.height, 512);
    // No padding is kept: the device holds the image alone.
    ASSERT_EQ(image.pixels.size(), 600u * 450u);
    EXPECT_EQ(image.pixels[0], 0xFFAABBCCu);
    EXPECT_EQ(image.pixels[449 * 600 + 599], 0xFF010203u);
    EXPECT_EQ(NextPowerOfTwo(1), 1);
    EXPECT_EQ(NextPowerOfTwo(0), 1);
    EXPECT_EQ(NextPowerOfTwo(1024), 1024);
    EXPECT_EQ(NextPowerOfTwo(1025), 2048);
}

TEST(Texture, DamagedPicturesAreRefused) {
    TextureImage image;
    const std::string garbage = "this is no picture at all, just some bytes of text";
    EXPECT_FALSE(DecodeTextureImage(reinterpret_cast<const uint8_t*>(garbage.data()), garbage.size(), image));
    EXPECT_FALSE(DecodeTextureImage(nullptr, 0, image));
    auto png = MakePng(8, 8, 0xFF00FF00);
    EXPECT_FALSE(DecodeTextureImage(png.data(), png.size() / 2, image));  // truncated
    // A header that claims 100000 x 100000 pixels is refused before anything is allocated.
    auto huge = png;
    const uint8_t side[4] = {0x00, 0x01, 0x86, 0xA0};
    std::memcpy(huge.data() + 16, side, 4);
    std::memcpy(huge.data() + 20, side, 4);
    EXPECT_FALSE(DecodeTextureImage(huge.data(), huge.size(), image));
}

TEST(Texture, LoadTextureReadsTheArchiveAndFallsBackToFilesOnlyWhenAllowed) {
    const auto png = MakePng(600, 450, 0xFF336699);
    WriteArchive("sport.gob", {{"misc1.PNG", png}, {"broken.PNG", {1, 2, 3}}});
    std::ofstream("loose.png", std::ios::binary).write(reinterpret_cast<const char*>(png.data()), png.size());
    AppContext* app = GetAppContext();
    FILE* archive = OpenArchive("sport.gob");
    Texture* t = nullptr;
    ASSERT_EQ(app->LoadTexture("MISC1.png", &t, &archive, false), kOk);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->width, 1024);
    EXPECT_EQ(t->height, 512);
    EXPECT_EQ(t->archiveName, "MISC1.png");
    delete t;
    EXPECT_EQ(app->LoadTexture("broken.PNG", &t, &archive, false), kFail);
    EXPECT_EQ(t, nullptr);
    EXPECT_EQ(app->LoadTexture("loose.png", &t, &archive, false), kFail);
    ASSERT_EQ(app->LoadTexture("loose.png", &t, &archive, true), kOk);
    delete t;
    FILE* none = nullptr;
    EXPECT_EQ(app->LoadTexture("misc1.PNG", &t, &none, false), kFail);
    EXPECT_EQ(app->LoadTexture("misc1.PNG", &t, nullptr, false), kFail);
    CloseArchive(archive);
}

TEST(Texture, SharedTexturesLoadInOrderWithALoadingStepEach) {
    std::filesystem::copy_file(std::string(KW_DATA_DIR) + "/sport.gob", "sport.gob");
    AppContext* app = GetAppContext();
    app->archive = OpenArchive("sport.gob");
    ASSERT_NE(app->archive, nullptr);
    ASSERT_EQ(LoadSharedTextures(*app), kOk);
    EXPECT_NE(app->sprite, nullptr);
    EXPECT_EQ(app->loadingSteps, 16);  // the sprite batch and fifteen textures; not the splash
    for (int i = 0; i < kSharedTextureCount; ++i) {
        const Texture* t = app->*SharedTextureSlots()[i].field;
        ASSERT_NE(t, nullptr) << SharedTextureSlots()[i].fileName;
        EXPECT_GE(t->width, t->imageWidth);
        EXPECT_EQ(t->width & (t->width - 1), 0);
    }
    EXPECT_GE(app->texSplash->imageHeight, 1124);
    EXPECT_EQ(app->texBackground->imageWidth, 1024);
    // After a lost device every texture is made again from the archive, in the same object.
    Texture* misc1 = app->texMisc1;
    const int width = misc1->width;
    misc1->width = misc1->imageWidth = 0;
    ReloadSharedTextures(*app);
    EXPECT_EQ(app->texMisc1, misc1);
    EXPECT_EQ(misc1->width, width);
    ReleaseSharedTextures(*app);
    EXPECT_EQ(app->sprite, nullptr);
    EXPECT_EQ(app->texMisc1, nullptr);
    CloseArchive(app->archive);
    app->archive = nullptr;
}

TEST(Texture, AMissingSharedTextureStopsTheLoading) {
    const auto png = MakePng(4, 4, 0xFFFFFFFF);
    WriteArchive("sport.gob", {{"splash.PNG", png}, {"misc1.PNG", png}, {"misc2.PNG", png}});
    AppContext* app = GetAppContext();
    app->archive = OpenArchive("sport.gob");
    EXPECT_EQ(LoadSharedTextures(*app), kFail);
    EXPECT_NE(app->texMisc2, nullptr);
    EXPECT_EQ(app->texMisc3, nullptr);
    ReleaseSharedTextures(*app);
    CloseArchive(app->archive);
    app->archive = nullptr;
    EXPECT_EQ(LoadSharedTextures(*app), kFail);  // no archive at all
    ReleaseSharedTextures(*app);
}

TEST(Texture, DecodingBegunAheadIsTakenByTheLoadingOfTheSameArchiveOnly) {
    std::filesystem::copy_file(std::string(KW_DATA_DIR) + "/sport.gob", "sport.gob");
    AppContext* app = GetAppContext();
    // without an archive there is nothing to begin, and the loading fails as before
    app->archive = nullptr;
    StartDecodingSharedTextures(*app);
    EXPECT_EQ(LoadSharedTextures(*app), kFail);
    ReleaseSharedTextures(*app);

    // begun ahead, then loaded: the same textures and loading steps as without
    app->archive = OpenArchive("sport.gob");
    ASSERT_NE(app->archive, nullptr);
    app->loadingSteps = 0;
    StartDecodingSharedTextures(*app);
    ASSERT_EQ(LoadSharedTextures(*app), kOk);
    EXPECT_EQ(app->loadingSteps, 16);
    EXPECT_EQ(app->texBackground->imageWidth, 1024);
    EXPECT_GE(app->texSplash->imageHeight, 1124);
    ReleaseSharedTextures(*app);

    // begun for one archive, loaded from another: the other archive's pictures are loaded
    const auto png = MakePng(4, 4, 0xFFFFFFFF);
    WriteArchive("small.gob", {{"splash.PNG", png}, {"misc1.PNG", png}});
    StartDecodingSharedTextures(*app);
    FILE* shipped = app->archive;
    app->archive = OpenArchive("small.gob");
    EXPECT_EQ(LoadSharedTextures(*app), kFail);
    EXPECT_EQ(app->texSplash->imageWidth, 4);
    EXPECT_EQ(app->texMisc2, nullptr);
    ReleaseSharedTextures(*app);
    CloseArchive(app->archive);
    app->archive = shipped;

    // begun and never loaded (the device could not be made): stopping it, or releasing, waits
    // for its reading of the archive, so the archive can be closed right after
    StartDecodingSharedTextures(*app);
    ReleaseSharedTextures(*app);
    StartDecodingSharedTextures(*app);
    StartDecodingSharedTextures(*app);  // begun twice: the first is dropped
    StopDecodingSharedTextures();
    StopDecodingSharedTextures();
    CloseArchive(app->archive);
    app->archive = nullptr;
}

// Every picture of the archive decodes to exactly the pixels the general conversion gives
// (decoder's surface converted to ARGB as a whole surface, key colour made transparent).
TEST(Texture, EveryArchivePictureDecodesToTheSamePixelsAsTheGeneralConversion) {
    FILE* archive = OpenArchive(KW_DATA_DIR "/sport.gob");
    ASSERT_NE(archive, nullptr);
    std::vector<ArchiveRecord> records;
    ASSERT_TRUE(ReadArchiveDirectory(archive, records));
    int pictures = 0;
    for (const ArchiveRecord& r : records) {
        std::string lower = r.name;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower.size() < 4 || lower.compare(lower.size() - 4, 4, ".png") != 0) continue;
        std::vector<uint8_t> png;
        ASSERT_TRUE(ReadArchiveEntry(archive, r.name.c_str(), png)) << r.name;
        TextureImage image;
        ASSERT_TRUE(DecodeTextureImage(png.data(), png.size(), image)) << r.name;
        SDL_Surface* decoded = IMG_LoadTyped_RW(SDL_RWFromConstMem(png.data(), static_cast<int>(png.size())), 1, "PNG");
        ASSERT_NE(decoded, nullptr);
        SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(decoded);
        ASSERT_NE(argb, nullptr);
        ASSERT_EQ(image.imageWidth, argb->w) << r.name;
        ASSERT_EQ(image.imageHeight, argb->h) << r.name;
        ASSERT_EQ(image.pixels.size(), static_cast<size_t>(argb->w) * argb->h) << r.name;
        size_t differing = 0;
        for (int y = 0; y < argb->h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
            for (int x = 0; x < argb->w; ++x) {
                const uint32_t want = row[x] == kColorKey ? 0u : row[x];
                if (image.pixels[static_cast<size_t>(y) * argb->w + x] != want) ++differing;
            }
        }
        SDL_FreeSurface(argb);
        EXPECT_EQ(differing, 0u) << r.name;
        ++pictures;
    }
    CloseArchive(archive);
    EXPECT_GE(pictures, 16);
}

// Pictures with a palette take the general way through a converted surface.
TEST(Texture, PalettedPicturesDecodeThroughTheGeneralConversion) {
    SDL_Surface* paletted = SDL_CreateRGBSurfaceWithFormat(0, 5, 3, 8, SDL_PIXELFORMAT_INDEX8);
    ASSERT_NE(paletted, nullptr);
    SDL_Color colours[3] = {{0x10, 0x20, 0x30, 0xFF}, {0x00, 0xFF, 0x64, 0xFF}, {0xAA, 0xBB, 0xCC, 0xFF}};
    SDL_SetPaletteColors(paletted->format->palette, colours, 0, 3);
    for (int i = 0; i < 15; ++i) static_cast<uint8_t*>(paletted->pixels)[(i / 5) * paletted->pitch + i % 5] = i % 3;
    SDL_SetColorKey(paletted, SDL_TRUE, 2);
    const char* path = "paletted.png";
    ASSERT_EQ(IMG_SavePNG(paletted, path), 0);
    SDL_FreeSurface(paletted);
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TextureImage image;
    ASSERT_TRUE(DecodeTextureImage(png.data(), png.size(), image));
    ASSERT_EQ(image.pixels.size(), 15u);
    EXPECT_EQ(image.pixels[0], 0xFF102030u);
    EXPECT_EQ(image.pixels[1], 0u);  // the key colour of the program
    EXPECT_EQ(image.pixels[2] & 0xFFFFFFu, 0xAABBCCu);
}
