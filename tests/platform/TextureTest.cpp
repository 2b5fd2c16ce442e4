#include <gtest/gtest.h>

#include <cstring>
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
