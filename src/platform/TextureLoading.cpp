// Texture loading, sprite drawing and the loading screen: the operations of the application
// record that talk to the rendering device.
#include "platform/TextureLoading.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/AppContext.h"
#include "platform/Archive.h"
#include "platform/Device.h"
#include "platform/Renderer.h"
#include "platform/Texture.h"

namespace {
const SharedTextureSlot kSlots[kSharedTextureCount] = {
    {"splash.PNG", &AppContext::texSplash},
    {"misc1.PNG", &AppContext::texMisc1},
    {"misc2.PNG", &AppContext::texMisc2},
    {"misc3.PNG", &AppContext::texMisc3},
    {"misc4.PNG", &AppContext::texMisc4},
    {"menu1.PNG", &AppContext::texMenu1},
    {"menu2.PNG", &AppContext::texMenu2},
    {"menu3.PNG", &AppContext::texMenu3},
    {"back1.PNG", &AppContext::texBack1},
    {"back2.PNG", &AppContext::texBack2},
    {"back3.PNG", &AppContext::texBack3},
    {"back4.PNG", &AppContext::texBack4},
    {"MemoryCards1.png", &AppContext::texCards1},
    {"MemoryCards2.png", &AppContext::texCards2},
    {"Memory_Muster.PNG", &AppContext::texMemoryPattern},
    {"bg.PNG", &AppContext::texBackground},
};

SDL_Renderer* DeviceRenderer(const AppContext& app) { return app.device != nullptr ? app.device->Handle() : nullptr; }

// Decodes the bytes and puts them into the texture; the device gets a second try.
bool CreateFromBytes(SDL_Renderer* renderer, const std::vector<uint8_t>& bytes, Texture& texture) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        TextureImage image;
        if (DecodeTextureImage(bytes.data(), bytes.size(), image) && texture.Upload(renderer, image)) return true;
    }
    return false;
}

bool ReadPlainFile(const char* path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size < 0 || size > (64 << 20)) return false;  // no picture of the program is that large
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0);
    return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), size));
}
}  // namespace

const SharedTextureSlot* SharedTextureSlots() { return kSlots; }

HResult AppContext::LoadTexture(const char* fileName, Texture** outTexture, FILE** archiveFile, bool allowFileFallback) {
    if (outTexture == nullptr || fileName == nullptr) return kFail;
    *outTexture = nullptr;
    Texture* texture = new Texture();
    texture->archiveName = fileName;
    std::vector<uint8_t> bytes;
    FILE* file = archiveFile != nullptr ? *archiveFile : nullptr;
    bool ok = ReadArchiveEntry(file, fileName, bytes) && CreateFromBytes(DeviceRenderer(*this), bytes, *texture);
    if (!ok && allowFileFallback) {
        ok = ReadPlainFile(fileName, bytes) && CreateFromBytes(DeviceRenderer(*this), bytes, *texture);
        texture->archiveName.clear();
    }
    if (!ok) {
        delete texture;
        return kFail;
    }
    *outTexture = texture;
    return kOk;
}

void AppContext::DrawSprite(Texture* texture, const Rect* srcRect, const Vec2* scale, const Vec2* rotationCenter,
                            double rotation, const Vec2* position, Color color) {
    if (sprite == nullptr || texture == nullptr) return;
    float m[6];
    BuildSpriteTransform(scale, rotationCenter, rotation, position, m);
    sprite->SetTransform(m);
    sprite->Draw(texture, srcRect, color);
}

void AppContext::DrawLoadingScreen() {
    ++loadingSteps;
    if (device == nullptr || sprite == nullptr) return;
    if (texSplash == nullptr && introOnScreen) {
        SDL_PumpEvents();
        return;
    }
    introOnScreen = false;
    device->Clear(0xFF646464);
    device->BeginScene();
    sprite->Begin();
    if (texSplash != nullptr) {
        const Vec2 scale{screenWidth / 1024.0f, screenHeight / 768.0f};
        const Rect picture{0, 0, 1024, 768};
        DrawSprite(texSplash, &picture, &scale, nullptr, 0.0, nullptr, 0xFFFFFFFF);
        if (language == 0 || language == 1) {
            const Rect caption = language == 0 ? Rect{0, 900, 700, 1012} : Rect{0, 1012, 700, 1124};
            const Vec2 at{0.0f, 168.0f * scale.y};
            DrawSprite(texSplash, &caption, &scale, nullptr, 0.0, &at, 0xFFFFFFFF);
        }
        const Vec2 bar{103.0f * scale.x, 667.0f * scale.y};
        const Rect frame{122, 768, 940, 834};
        DrawSprite(texSplash, &frame, &scale, nullptr, 0.0, &bar, 0xFFFFFFFF);
        // Start-up has more steps than the bar has room for: the fill stops at the frame's end.
        const int fill = std::min(loadingSteps * 818 / 14, 818);
        const Rect filled{122, 834, 122 + fill, 900};
        if (fill > 0) DrawSprite(texSplash, &filled, &scale, nullptr, 0.0, &bar, 0xFFFFFFFF);
    }
    sprite->End();
    device->EndScene();
    // Outside the frame loop: the screen must show this step now, even if it looks like the last.
    sprite->ForceRedraw();
    device->Present();
    SDL_PumpEvents();
}

HResult LoadSharedTextures(AppContext& app) {
    if (app.sprite == nullptr) app.sprite = new Renderer(DeviceRenderer(app));
    if (app.device != nullptr) app.device->sprite = app.sprite;
    app.DrawLoadingScreen();
    for (const SharedTextureSlot& slot : kSlots) {
        Texture*& field = app.*slot.field;
        delete field;
        field = nullptr;
        if (Failed(app.LoadTexture(slot.fileName, &field, &app.archive, false))) return kFail;
        if (slot.field != &AppContext::texSplash) app.DrawLoadingScreen();
    }
    return kOk;
}

void ReloadSharedTextures(AppContext& app) {
    // A full-screen switch resets the device without losing anything; a lost device lost all.
    if (app.device != nullptr && !app.device->TakeTexturesLost()) return;
    SDL_Renderer* renderer = DeviceRenderer(app);
    std::vector<uint8_t> bytes;
    for (const SharedTextureSlot& slot : kSlots) {
        Texture* texture = app.*slot.field;
        if (texture == nullptr || texture->archiveName.empty()) continue;
        // The object stays the same, so every holder of the pointer sees the new picture.
        if (!ReadArchiveEntry(app.archive, texture->archiveName.c_str(), bytes) ||
            !CreateFromBytes(renderer, bytes, *texture))
            texture->ReleaseHandle();
    }
}

void ReleaseSharedTextures(AppContext& app) {
    for (const SharedTextureSlot& slot : kSlots) {
        delete (app.*slot.field);
        app.*slot.field = nullptr;
    }
    if (app.device != nullptr) app.device->sprite = nullptr;
    delete app.sprite;
    app.sprite = nullptr;
}
