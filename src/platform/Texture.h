#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/PixelBuffer.h"

struct SDL_Texture;
struct SDL_Renderer;

// The colour that marks transparent pixels in the pictures (exactly this opaque colour).
constexpr uint32_t kColorKey = 0xFF00FF64;
// Pictures larger than this on a side are refused (a damaged header must not allocate gigabytes).
constexpr int kMaxTextureSide = 8192;

// A decoded picture, ready for upload: ARGB pixels of the image, key-coloured pixels already
// transparent black, and the power-of-two sides the texture is addressed with.
struct TextureImage {
    int imageWidth = 0, imageHeight = 0;
    int width = 0, height = 0;
    PixelBuffer pixels;  // imageWidth * imageHeight, row by row
};

// The smallest power of two that is at least n (1 for n <= 1).
int NextPowerOfTwo(int n);
// Decodes PNG bytes into a TextureImage; false for anything that is not a PNG of a sane size.
bool DecodeTextureImage(const uint8_t* bytes, size_t size, TextureImage& out);

// A loaded picture. It is addressed as the top-left of a texture whose sides are powers of two
// (a sprite without a source rectangle covers those sides), so source rectangles address image
// pixels directly; the device holds only the image's own pixels, and what lies beyond them is
// transparent.
class Texture {
public:
    Texture() = default;
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    // Puts the picture into a device texture (alpha blending on); without a renderer only the
    // sizes are taken (headless tests). False when the device refuses it.
    bool Upload(SDL_Renderer* renderer, const TextureImage& image);
    void ReleaseHandle();

    SDL_Texture* handle = nullptr;  // null without a rendering device (headless tests)
    int imageWidth = 0, imageHeight = 0;
    int width = 0, height = 0;      // the texture's power-of-two sides
    std::string archiveName;        // where it was loaded from, to load it again after a reset
};
