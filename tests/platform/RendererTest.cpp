#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "app/AppContext.h"
#include "app/Events.h"
#include "platform/FontManager.h"
#include "platform/RenderTarget.h"
#include "platform/Renderer.h"
#include "platform/Texture.h"

namespace {
constexpr uint32_t kGrey = 0x646464;
constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;

// The bounding box of the pixels that differ from the background, as (left, top, right, bottom).
Rect Bounds(const std::vector<uint32_t>& px, uint32_t background) {
    Rect r{1024, 768, -1, -1};
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x)
            if (px[y * 1024 + x] != background) {
                r.left = std::min(r.left, x);
                r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1);
                r.bottom = std::max(r.bottom, y + 1);
            }
    return r;
}

struct RendererTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(target.Ok());
        app = GetAppContext();
        app->sprite = new Renderer(target.renderer);
    }
    void TearDown() override {
        delete app->sprite;
        app->sprite = nullptr;
        delete texture;
    }
    std::vector<uint32_t> Frame(const std::function<void()>& draw) {
        app->sprite->Begin();
        draw();
        app->sprite->End();
        app->sprite->Replay(0xFF000000 | kGrey);
        return target.Read();
    }
    RenderTarget target;
    AppContext* app = nullptr;
    Texture* texture = nullptr;
};
}  // namespace

TEST(SpriteTransform, ScalesRotatesAboutTheCentreThenTranslates) {
    float m[6];
    BuildSpriteTransform(nullptr, nullptr, 0.0, nullptr, m);
    EXPECT_FLOAT_EQ(m[0], 1);
    EXPECT_FLOAT_EQ(m[2], 0);
    EXPECT_FLOAT_EQ(m[4], 0);
    const Vec2 scale{2, 3}, centre{10, 20}, pos{100, 50};
    BuildSpriteTransform(&scale, &centre, M_PI / 2, &pos, m);
    // (5, 10) -> scaled (10, 30) -> turned a quarter clockwise about (10, 20): (0, 20) -> +pos.
    const float x = m[0] * 5 + m[2] * 10 + m[4], y = m[1] * 5 + m[3] * 10 + m[5];
    EXPECT_NEAR(x, 100.0f, 1e-4);
    EXPECT_NEAR(y, 70.0f, 1e-4);
}

TEST_F(RendererTest, SpriteLandsWhereTheTransformationSays) {
    texture = target.Make(40, 20, kBlue | 0xFF000000, kRed | 0xFF000000);
    // Scale 2: 80 x 40; turned 90 degrees clockwise about the scaled centre (40, 20); moved by (300, 200).
    const Vec2 scale{2, 2}, centre{40, 20}, pos{300, 200};
    const Rect src{0, 0, 40, 20};
    auto px = Frame([&] { app->DrawSprite(texture, &src, &scale, &centre, M_PI / 2, &pos, 0xFFFFFFFF); });
    // The 80 x 40 box turned about (340, 220) covers x 320..360, y 180..260.
    const Rect b = Bounds(px, kGrey);
    EXPECT_NEAR(b.left, 320, 1);
    EXPECT_NEAR(b.right, 360, 1);
    EXPECT_NEAR(b.top, 180, 1);
    EXPECT_NEAR(b.bottom, 260, 1);
    // The red top-left quarter of the image turns to the top-right after a clockwise turn.
    EXPECT_EQ(px[190 * 1024 + 350], kRed);
    EXPECT_EQ(px[190 * 1024 + 330], kBlue);
    EXPECT_EQ(px[250 * 1024 + 350], kBlue);

    // Unturned and unscaled with null pointers: the image at the origin, pixel for pixel.
    px = Frame([&] { app->DrawSprite(texture, &src, nullptr, nullptr, 0.0, nullptr, 0xFFFFFFFF); });
    EXPECT_EQ(px[0], kRed);
    EXPECT_EQ(px[19 * 1024 + 39], kBlue);
    EXPECT_EQ(px[20 * 1024 + 39], kGrey);
    EXPECT_EQ(px[19 * 1024 + 40], kGrey);

    // A negative vertical scale mirrors the image upwards from its position.
    const Vec2 mirror{1, -1}, at{500, 500};
    px = Frame([&] { app->DrawSprite(texture, &src, &mirror, nullptr, 0.0, &at, 0xFFFFFFFF); });
    EXPECT_EQ(Bounds(px, kGrey), (Rect{500, 480, 540, 500}));
    EXPECT_EQ(px[498 * 1024 + 505], kRed);
    EXPECT_EQ(px[482 * 1024 + 505], kBlue);

    // Runaway transformations draw nothing and break nothing.
    const Vec2 huge{1e7f, 1e7f}, nan{NAN, 1}, far{1e12f, 0};
    px = Frame([&] {
        app->DrawSprite(texture, &src, &huge, nullptr, 0.5, nullptr, 0xFFFFFFFF);
        app->DrawSprite(texture, &src, &nan, nullptr, 0.0, nullptr, 0xFFFFFFFF);
        app->DrawSprite(texture, &src, nullptr, nullptr, 0.0, &far, 0xFFFFFFFF);
        app->DrawSprite(texture, &src, nullptr, &far, INFINITY, nullptr, 0xFFFFFFFF);
    });
    EXPECT_EQ(Bounds(px, kGrey).right, -1);
}

TEST_F(RendererTest, ColourMultipliesIncludingAlpha) {
    texture = target.Make(10, 10, 0xFFFFFFFF, 0xFFFFFFFF);
    const Vec2 at{100, 100};
    auto px = Frame([&] { app->DrawSprite(texture, nullptr, nullptr, nullptr, 0.0, &at, 0xFF00FF00); });
    EXPECT_EQ(px[105 * 1024 + 105], 0x00FF00u);
    px = Frame([&] { app->DrawSprite(texture, nullptr, nullptr, nullptr, 0.0, &at, 0x80FFFFFF); });
    const uint32_t p = px[105 * 1024 + 105];
    // Half of white over grey 100: about 178 in every channel.
    EXPECT_NEAR(static_cast<int>(p & 0xFF), 178, 2);
    EXPECT_EQ((p >> 16) & 0xFF, p & 0xFF);
    px = Frame([&] { app->DrawSprite(texture, nullptr, nullptr, nullptr, 0.0, &at, 0x00FFFFFF); });
    EXPECT_EQ(px[105 * 1024 + 105], kGrey);
    // The transparent padding of the power-of-two texture draws nothing.
    px = Frame([&] { app->DrawSprite(texture, nullptr, nullptr, nullptr, 0.0, &at, 0xFFFFFFFF); });
    EXPECT_EQ(px[112 * 1024 + 112], kGrey);
    EXPECT_EQ(px[109 * 1024 + 109], 0xFFFFFFu);
}

TEST_F(RendererTest, TextStaysInsideItsRectangle) {
    FontManager* fm = GetFontManager();
    const Rect box{200, 100, 500, 300};
    auto px = Frame([&] { fm->DrawTextById("Mitte \xC4\xD6\xDC \x80", box, 0xFF000000, kTextCenter | kTextVCenter, -1); });
    Rect b = Bounds(px, kGrey);
    ASSERT_LT(b.left, b.right) << "nothing drawn";
    EXPECT_GE(b.left, box.left);
    EXPECT_LE(b.right, box.right);
    EXPECT_GE(b.top, box.top);
    EXPECT_LE(b.bottom, box.bottom);
    // Centred: the margins left and right differ by a pixel or two at most.
    EXPECT_NEAR(b.left - box.left, box.right - b.right, 3);
    EXPECT_NEAR(b.top - box.top, box.bottom - b.bottom, 8);

    const char* paragraph = "Ein langer Absatz, der in einem schmalen Rechteck auf mehrere Zeilen umbrochen werden muss.";
    const Rect narrow{100, 400, 300, 700};
    px = Frame([&] { fm->DrawTextById(paragraph, narrow, 0xFFFFFFFF, kTextWordBreak, -1); });
    b = Bounds(px, kGrey);
    EXPECT_GE(b.left, narrow.left);
    EXPECT_LE(b.right, narrow.right);
    EXPECT_GE(b.bottom - b.top, 4 * 15 - 5);  // several lines of 15 pixels

    // Without word break a long line is clipped at the rectangle; with 0x100 it is not.
    const Rect small{100, 100, 160, 140};
    px = Frame([&] { fm->DrawTextById(paragraph, small, 0xFFFFFFFF, 0, -1); });
    EXPECT_LE(Bounds(px, kGrey).right, 160);
    px = Frame([&] { fm->DrawTextById(paragraph, small, 0xFFFFFFFF, kTextNoClip, -1); });
    EXPECT_GT(Bounds(px, kGrey).right, 300);
}

TEST_F(RendererTest, RepeatedTextIsRasterisedOnce) {
    FontManager* fm = GetFontManager();
    auto draw = [&] {
        for (int i = 0; i < 5; ++i) fm->DrawTextAt("Zeile", 100.0f, 30.0f * i, 0xFF000000, 0, -1);
        fm->DrawTextAt("Zeile", 512.0f, 300.0f, 0xFFFF0000, kTextCenter, -1);
    };
    Frame(draw);
    const long first = app->sprite->LinesRasterised();
    EXPECT_GE(first, 1);
    Frame(draw);
    EXPECT_EQ(app->sprite->LinesRasterised(), first);
    // A left-aligned text that moves keeps its rendered line.
    for (int x = 0; x < 5; ++x) Frame([&] { fm->DrawTextAt("Zeile", 100.0f + x, 30.0f, 0xFF000000, 0, -1); });
    EXPECT_EQ(app->sprite->LinesRasterised(), first);
    app->sprite->SetTextCacheEnabled(false);
    Frame(draw);
    Frame(draw);
    EXPECT_GT(app->sprite->LinesRasterised(), first + 1);
}

TEST(FrameSkip, IdenticalFramesDrawOnceAndChangesOrExposureDrawAgain) {
    AppContext* app = GetAppContext();
    Texture texture;
    texture.width = texture.height = 64;
    app->sprite = new Renderer(nullptr);
    Font* font = GetFontManager()->DefaultFont();
    auto frame = [&](float x, const char* text) {
        app->sprite->Begin();
        const Vec2 pos{x, 10};
        app->DrawSprite(&texture, nullptr, nullptr, nullptr, 0.0, &pos, 0xFFFFFFFF);
        GetFontManager()->DrawTextAt(text, 10, 10, 0xFF000000, 0, font);
        app->sprite->End();
        return app->sprite->PresentFrame(0xFF646464);
    };
    EXPECT_TRUE(frame(10, "a"));
    EXPECT_FALSE(frame(10, "a"));
    EXPECT_FALSE(frame(10, "a"));
    EXPECT_TRUE(frame(11, "a"));   // one sprite moved
    EXPECT_FALSE(frame(11, "a"));
    EXPECT_TRUE(frame(11, "b"));   // one text changed
    EXPECT_FALSE(frame(11, "b"));

    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_EXPOSED;
    DispatchEvent(e);
    EXPECT_TRUE(frame(11, "b"));
    EXPECT_FALSE(frame(11, "b"));
    e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    DispatchEvent(e);
    EXPECT_TRUE(frame(11, "b"));
    app->sprite->OnLostDevice();
    app->sprite->OnResetDevice();
    EXPECT_TRUE(frame(11, "b"));
    EXPECT_EQ(app->sprite->FramesDrawn(), 6);
    delete app->sprite;
    app->sprite = nullptr;
}

// A pointer moving over a still page: after a few frames the page comes from the layer, and
// every frame shows exactly what drawing it whole shows; a change under the layer is drawn.
TEST_F(RendererTest, FramesOverTheLayerLookAsDrawnWhole) {
    texture = target.Make(64, 64, kRed, kBlue);
    auto draw = [&](float pageX, float pointerX) {
        return [=, this] {
            for (int i = 0; i < 5; ++i) {
                const Vec2 pos{pageX + 70.0f * i, 100.0f + 3.5f * i};
                app->DrawSprite(texture, nullptr, nullptr, nullptr, 0.1 * i, &pos, 0xC0FFFFFF);
            }
            const Vec2 pointer{pointerX, 300};
            app->DrawSprite(texture, nullptr, nullptr, nullptr, 0.0, &pointer, 0xFFFFFFFF);
        };
    };
    auto presented = [&](const std::function<void()>& frame) {
        app->sprite->Begin();
        frame();
        app->sprite->End();
        app->sprite->PresentFrame(0xFF000000 | kGrey);
        return target.Read();
    };
    for (float pageX : {20.0f, 20.0f, 33.0f}) {
        for (int step = 0; step < 6; ++step) {
            const auto viaLayer = presented(draw(pageX, 200.0f + 7 * step));
            EXPECT_EQ(viaLayer, Frame(draw(pageX, 200.0f + 7 * step))) << pageX << " " << step;
        }
        EXPECT_EQ(app->sprite->LayerCount(), 5u) << pageX;
    }
}
