// Rendering costs on the software renderer at 1024 x 768 (SDL_VIDEODRIVER=dummy): one busy
// frame with and without the text cache, an idle frame that the frame skip leaves undrawn,
// and loading the sixteen shared textures from the archive.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/AppContext.h"
#include "platform/Archive.h"
#include "platform/Device.h"
#include "platform/FontManager.h"
#include "platform/Renderer.h"
#include "platform/Texture.h"
#include "platform/TextureLoading.h"

namespace {
struct Canvas {
    Canvas() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        SDL_Init(SDL_INIT_VIDEO);
        window = SDL_CreateWindow("bench", 0, 0, 1024, 768, SDL_WINDOW_HIDDEN);
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
        target = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, 1024, 768);
        SDL_SetRenderTarget(renderer, target);
        background = Make(1024, 768, 0xFFFDF8EB);
        sprite = Make(64, 64, 0xFFE0E0E0);
    }
    ~Canvas() {
        delete background;
        delete sprite;
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
    }
    Texture* Make(int w, int h, uint32_t colour) {
        TextureImage image;
        image.imageWidth = w;
        image.imageHeight = h;
        image.width = NextPowerOfTwo(w);
        image.height = NextPowerOfTwo(h);
        image.pixels.assign(static_cast<size_t>(image.width) * image.height, colour);
        Texture* t = new Texture();
        t->Upload(renderer, image);
        return t;
    }
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* target = nullptr;
    Texture* background = nullptr;
    Texture* sprite = nullptr;
};

// The background, 1,000 sprites of 32..96 pixels, turned and tinted, and 30 lines of text.
void RecordBusyFrame(AppContext* app, Canvas& c, int frame, int sprites = 1000) {
    app->sprite->Begin();
    app->DrawSprite(c.background, nullptr, nullptr, nullptr, 0.0, nullptr, 0xFFFFFFFF);
    for (int i = 0; i < sprites; ++i) {
        const float s = 0.5f + (i % 17) / 16.0f;
        const Vec2 scale{s, s}, centre{32 * s, 32 * s};
        const Vec2 pos{static_cast<float>((i * 97 + frame) % 960), static_cast<float>((i * 53) % 700)};
        app->DrawSprite(c.sprite, nullptr, &scale, &centre, i * 0.1, &pos, 0xFF000000 | (i * 2654435761u & 0xFFFFFF));
    }
    char text[96];
    for (int line = 0; line < 30; ++line) {
        std::snprintf(text, sizeof text, "Zeile %d: 12 richtige Antworten in 1:23 Minuten - Note %d,%d", line + 1,
                      1 + line % 5, line % 10);
        GetFontManager()->DrawTextAt(text, 40.0f, 20.0f + 24.0f * line, 0xFF000000, 0, -1);
    }
    app->sprite->End();
}

void BM_BusyFrame(benchmark::State& state) {
    Canvas c;
    AppContext* app = GetAppContext();
    app->sprite = new Renderer(c.renderer);
    app->sprite->SetTextCacheEnabled(state.range(1) != 0);
    int frame = 0;
    for (auto _ : state) {
        RecordBusyFrame(app, c, frame++, static_cast<int>(state.range(0)));
        app->sprite->Replay(0xFF646464);
        // The software renderer draws when the frame is read, as on presenting.
        uint32_t pixel;
        SDL_Rect one{0, 0, 1, 1};
        SDL_RenderReadPixels(c.renderer, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
        benchmark::DoNotOptimize(pixel);
    }
    state.counters["lines_rasterised_per_frame"] =
        benchmark::Counter(static_cast<double>(app->sprite->LinesRasterised()) / state.iterations());
    delete app->sprite;
    app->sprite = nullptr;
}
BENCHMARK(BM_BusyFrame)
    ->ArgNames({"sprites", "text_cache"})
    ->Args({1000, 1})
    ->Args({1000, 0})
    ->Args({0, 1})
    ->Args({0, 0})
    ->Unit(benchmark::kMillisecond);

// What an unchanged menu costs each frame: recording and comparing, nothing drawn.
void BM_IdleFrame(benchmark::State& state) {
    Canvas c;
    AppContext* app = GetAppContext();
    app->sprite = new Renderer(c.renderer);
    for (auto _ : state) {
        RecordBusyFrame(app, c, 0);
        benchmark::DoNotOptimize(app->sprite->PresentFrame(0xFF646464));
    }
    state.counters["frames_drawn"] = app->sprite->FramesDrawn();
    delete app->sprite;
    app->sprite = nullptr;
}
BENCHMARK(BM_IdleFrame)->Unit(benchmark::kMicrosecond);

void BM_LoadSharedTextures(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_Init(SDL_INIT_VIDEO);
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, 1024, 768, SDL_WINDOW_HIDDEN);
    AppContext* app = GetAppContext();
    app->device = Device::Create(window, app->presentParams);
    app->archive = OpenArchive(KW_DATA_DIR "/sport.gob");
    for (auto _ : state) {
        app->loadingSteps = 0;
        if (Failed(LoadSharedTextures(*app))) state.SkipWithError("sport.gob incomplete");
        ReleaseSharedTextures(*app);
    }
    CloseArchive(app->archive);
    app->archive = nullptr;
    delete app->device;
    app->device = nullptr;
    SDL_DestroyWindow(window);
}
BENCHMARK(BM_LoadSharedTextures)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
