#include "platform/Sound.h"

#include "app/AppContext.h"

HResult StartSound(AppContext& app) { return kOk; }
void ReleaseSound(AppContext& app) {}
void AppContext::PlaySound(int soundId, float volumeFactor) {
    ++soundsRequested;
    lastSoundId = soundId;
}
