#include "framework/Settings.h"

void ReadSettings(AppContext& app, const char* fileName) {}
bool WriteSettings(const AppContext& app, const char* fileName) { return false; }
