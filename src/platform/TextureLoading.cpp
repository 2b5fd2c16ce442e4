#include "app/AppContext.h"
#include "platform/Renderer.h"
#include "platform/Texture.h"

HResult AppContext::LoadTexture(const char* fileName, Texture** outTexture, FILE** archiveFile, bool allowFileFallback) {
    return kFail;
}

void AppContext::DrawSprite(Texture* texture, const Rect* srcRect, const Vec2* scale, const Vec2* rotationCenter,
                            double rotation, const Vec2* position, Color color) {}

void AppContext::DrawLoadingScreen() { ++loadingSteps; }

#include "platform/Device.h"
#include "platform/TextureLoading.h"

HResult LoadSharedTextures(AppContext& app) {
    if (app.sprite == nullptr) app.sprite = new Renderer(app.device ? app.device->Handle() : nullptr);
    if (app.device != nullptr) app.device->sprite = app.sprite;
    return kOk;
}
void ReloadSharedTextures(AppContext& app) {}
void ReleaseSharedTextures(AppContext& app) {}
