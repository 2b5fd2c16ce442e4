#pragma once
// Pictures for the texture tests: PNG bytes made from ARGB pixels.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::vector<uint8_t> MakePng(int w, int h, uint32_t fill, const std::vector<std::pair<int, uint32_t>>& dots = {}) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (s == nullptr) return {};
    auto* p = static_cast<uint32_t*>(s->pixels);
    const int stride = s->pitch / 4;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p[y * stride + x] = fill;
    for (const auto& [index, colour] : dots) p[(index / w) * stride + index % w] = colour;
    const std::string path = "picture-" + std::to_string(w) + "x" + std::to_string(h) + ".png";
    IMG_SavePNG(s, path.c_str());
    SDL_FreeSurface(s);
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
