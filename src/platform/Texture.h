#pragma once
#include <string>

struct SDL_Texture;

// A loaded picture: the image sits at the top-left of a texture whose sides are powers of two,
// so source rectangles address image pixels directly.
class Texture {
public:
    ~Texture();
    SDL_Texture* handle = nullptr;  // null without a rendering device (headless tests)
    int imageWidth = 0, imageHeight = 0;
    int width = 0, height = 0;      // the texture's power-of-two sides
    std::string archiveName;        // where it was loaded from, to load it again after a reset
};
