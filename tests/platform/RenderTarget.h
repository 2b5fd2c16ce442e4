#pragma once
// A headless software renderer drawing into a 1024 x 768 target texture that the tests read
// back before presenting.
#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/Texture.h"

class RenderTarget {
public:
    RenderTarget() {
        SDL_Init(SDL_INIT_VIDEO);
        window = SDL_CreateWindow("test", 0, 0, 1024, 768, SDL_WINDOW_HIDDEN);
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
        target = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, 1024, 768);
        SDL_SetRenderTarget(renderer, target);
    }
    ~RenderTarget() {
        SDL_DestroyRenderer(renderer);  // destroys the textures made on it as well
        SDL_DestroyWindow(window);
        SDL_Quit();
    }
    bool Ok() const { return window && renderer && target; }

    // The RGB of every pixel (alpha of a render target is not reliable).
    std::vector<uint32_t> Read() {
        std::vector<uint32_t> pixels(1024 * 768);
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), 1024 * 4);
        for (uint32_t& p : pixels) p &= 0xFFFFFF;
        return pixels;
    }

    // A texture of one colour with a differently coloured top-left quarter.
    Texture* Make(int w, int h, uint32_t colour, uint32_t corner) {
        TextureImage image;
        image.imageWidth = w;
        image.imageHeight = h;
        image.width = NextPowerOfTwo(w);
        image.height = NextPowerOfTwo(h);
        image.pixels.assign(static_cast<size_t>(w) * h, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.pixels[y * w + x] = (x < w / 2 && y < h / 2) ? corner : colour;
        Texture* t = new Texture();
        t->Upload(renderer, image);
        return t;
    }

    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* target = nullptr;
};
