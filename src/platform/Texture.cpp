#include "platform/Texture.h"

#include <SDL.h>

Texture::~Texture() {
    if (handle != nullptr) SDL_DestroyTexture(handle);
}
