#pragma once
#include "framework/Types.h"

struct AppContext;
class Texture;

// The shared textures in their loading order: archive entry and field of AppContext.
struct SharedTextureSlot {
    const char* fileName;
    Texture* AppContext::*field;
};
constexpr int kSharedTextureCount = 16;
const SharedTextureSlot* SharedTextureSlots();

// Reads the shared pictures from the archive and begins decoding them in the background, so the
// work is under way while the window and the device are made; LoadSharedTextures takes them.
void StartDecodingSharedTextures(AppContext& app);
// Stops decoding begun ahead and not taken; afterwards the archive may be closed.
void StopDecodingSharedTextures();
// Creates the sprite batch and loads the sixteen shared textures from the archive in their
// fixed order, drawing the loading screen after each step but the splash picture.
HResult LoadSharedTextures(AppContext& app);
// Loads every shared texture again (after the device lost them).
void ReloadSharedTextures(AppContext& app);
// Releases the shared textures and the sprite batch (and stops a decoding begun ahead).
void ReleaseSharedTextures(AppContext& app);
