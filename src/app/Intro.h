#pragma once
#include "framework/Types.h"

// Plays the intro video full screen; returns when it ended or Escape was pressed.
HResult PlayIntro(const char* fileName);
