#pragma once
// Sound effects: eight WAVE files from the archive, ten copies each so that an effect can
// overlap itself. A copy is one mixer channel reserved for its sound id.
#include "framework/Types.h"

struct AppContext;

// The ten copies of one sound.
struct SoundCopies;

// Opens the sound device and loads the eight sounds, drawing the loading screen after each
// step; a failure leaves the program silent.
HResult StartSound(AppContext& app);
// Releases every loaded sound and the sound device.
void ReleaseSound(AppContext& app);
