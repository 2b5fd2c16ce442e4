#include "platform/Texture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

namespace {
const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint32_t ReadBigEndian32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           static_cast<uint32_t>(p[3]);
}

// Checks the PNG signature and the size in its first chunk (IHDR) before the decoder
// allocates anything.
bool IsSanePng(const uint8_t* bytes, size_t size) {
    if (bytes == nullptr || size < 33) return false;
    if (std::memcmp(bytes, kPngSignature, sizeof kPngSignature) != 0) return false;
    if (std::memcmp(bytes + 12, "IHDR", 4) != 0) return false;
    const uint32_t w = ReadBigEndian32(bytes + 16);
    const uint32_t h = ReadBigEndian32(bytes + 20);
    return w >= 1 && h >= 1 && w <= kMaxTextureSide && h <= kMaxTextureSide;
}
void FreeSurface(void* surface) { SDL_FreeSurface(static_cast<SDL_Surface*>(surface)); }

// The usual case: the decoder's 32-bit pixels, row after row without gaps, turned into ARGB
// (key-coloured pixels transparent) where they lie; the surface then belongs to the buffer.
bool ConvertInPlace(SDL_Surface* decoded, PixelBuffer& out) {
    const Uint32 format = decoded->format->format;
    if (format != SDL_PIXELFORMAT_ABGR8888 && format != SDL_PIXELFORMAT_ARGB8888) return false;
    if (decoded->pitch != decoded->w * 4 || SDL_MUSTLOCK(decoded) || SDL_HasColorKey(decoded)) return false;
    auto* pixels = static_cast<uint32_t*>(decoded->pixels);
    const size_t count = static_cast<size_t>(decoded->w) * static_cast<size_t>(decoded->h);
    const bool swap = format == SDL_PIXELFORMAT_ABGR8888;
    for (size_t i = 0; i < count; ++i) {
        uint32_t p = pixels[i];
        if (swap) p = (p & 0xFF00FF00u) | (p & 0xFFu) << 16 | (p >> 16 & 0xFFu);
        pixels[i] = p == kColorKey ? 0u : p;
    }
    out.Adopt(pixels, count, decoded, FreeSurface);
    return true;
}

// Every other layout: converted into a buffer of the picture's own. A palette or a transparent
// colour of the file goes the way through a converted surface.
bool ConvertIntoBuffer(SDL_Surface* decoded, PixelBuffer& out) {
    const int w = decoded->w, h = decoded->h;
    out.resize(static_cast<size_t>(w) * h);
    if (!SDL_ISPIXELFORMAT_INDEXED(decoded->format->format) && !SDL_HasColorKey(decoded)) {
        SDL_LockSurface(decoded);
        const bool converted = SDL_ConvertPixels(w, h, decoded->format->format, decoded->pixels, decoded->pitch,
                                                 SDL_PIXELFORMAT_ARGB8888, out.data(), w * 4) == 0;
        SDL_UnlockSurface(decoded);
        if (converted) return true;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    if (argb == nullptr || argb->w != w || argb->h != h) {
        if (argb != nullptr) SDL_FreeSurface(argb);
        return false;
    }
    SDL_LockSurface(argb);
    for (int y = 0; y < h; ++y)
        std::memcpy(out.data() + static_cast<size_t>(y) * w,
                    static_cast<const uint8_t*>(argb->pixels) + static_cast<size_t>(y) * argb->pitch,
                    static_cast<size_t>(w) * 4);
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return true;
}
}  // namespace

int NextPowerOfTwo(int n) {
    int p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}

bool DecodeTextureImage(const uint8_t* bytes, size_t size, TextureImage& out) {
    out = TextureImage();
    if (!IsSanePng(bytes, size) || size > static_cast<size_t>(INT32_MAX)) return false;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    if (rw == nullptr) return false;
    SDL_Surface* decoded = IMG_LoadTyped_RW(rw, 1, "PNG");
    if (decoded == nullptr) return false;
    if (decoded->w < 1 || decoded->h < 1 || decoded->w > kMaxTextureSide || decoded->h > kMaxTextureSide) {
        SDL_FreeSurface(decoded);
        return false;
    }
    const int w = decoded->w, h = decoded->h;
    if (!ConvertInPlace(decoded, out.pixels)) {
        const bool converted = ConvertIntoBuffer(decoded, out.pixels);
        SDL_FreeSurface(decoded);
        if (!converted) {
            out = TextureImage();
            return false;
        }
        for (uint32_t& p : out.pixels)
            if (p == kColorKey) p = 0u;
    }
    out.imageWidth = w;
    out.imageHeight = h;
    out.width = NextPowerOfTwo(w);
    out.height = NextPowerOfTwo(h);
    return true;
}

Texture::~Texture() { ReleaseHandle(); }

void Texture::ReleaseHandle() {
    if (handle != nullptr) SDL_DestroyTexture(handle);
    handle = nullptr;
}

bool Texture::Upload(SDL_Renderer* renderer, const TextureImage& image) {
    ReleaseHandle();
    imageWidth = image.imageWidth;
    imageHeight = image.imageHeight;
    width = image.width;
    height = image.height;
    if (renderer == nullptr) return true;
    if (imageWidth < 1 || imageHeight < 1 ||
        image.pixels.size() != static_cast<size_t>(imageWidth) * static_cast<size_t>(imageHeight))
        return false;
    SDL_Texture* t =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, imageWidth, imageHeight);
    if (t == nullptr) return false;
    if (SDL_UpdateTexture(t, nullptr, image.pixels.data(), imageWidth * 4) != 0) {
        SDL_DestroyTexture(t);
        return false;
    }
    SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    handle = t;
    return true;
}
