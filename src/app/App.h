#pragma once
// Start-up, the main loop and shutdown of the program.

// Runs the program; returns its exit code.
int RunProgram();

// Shows a start-up error (message box titled "Fehler!", and the text on standard error).
void ShowStartupError(const char* text);

// The reset protocol: screen, fonts and sprite batch lost; device reset; all three reset.
void ResetDevice();

// The frame limiter: the time one frame may take at most 60 frames a second.
constexpr double kFramePeriod = 1.0 / 60.0;
