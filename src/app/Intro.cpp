#include "app/Intro.h"

// The intro player is not built yet: there is simply no intro.
HResult PlayIntro(const char* fileName) { return kFail; }
