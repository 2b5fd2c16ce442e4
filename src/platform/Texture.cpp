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
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    if (argb == nullptr) return false;
    if (argb->w < 1 || argb->h < 1 || argb->w > kMaxTextureSide || argb->h > kMaxTextureSide) {
        SDL_FreeSurface(argb);
        return false;
    }
    out.imageWidth = argb->w;
    out.imageHeight = argb->h;
    out.width = NextPowerOfTwo(argb->w);
    out.height = NextPowerOfTwo(argb->h);
    out.pixels.resize(static_cast<size_t>(out.imageWidth) * out.imageHeight);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        const uint32_t* src = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
        uint32_t* dst = out.pixels.data() + static_cast<size_t>(y) * out.imageWidth;
        for (int x = 0; x < argb->w; ++x) dst[x] = src[x] == kColorKey ? 0u : src[x];
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
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
