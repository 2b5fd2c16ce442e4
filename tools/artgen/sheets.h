#pragma once
// Each sheet of the archive is drawn by a function of its own; each returns false on failure.
#include <cairo.h>

#include <string>

namespace art {
// The shell: splash, menu background, in-game backdrops, menu sheets, misc1, misc3, misc4.
bool DrawShellSheets(const std::string& outDir);
// The card game: misc2 (card face, shadow, backs, veil), Memory_Muster, MemoryCards1/2.
bool DrawCardSheets(const std::string& outDir);
// The application icon: icon-48/64/128/256.png and the scalable icon.svg.
bool DrawIcons(const std::string& outDir);

// The sheets of the shell, one function each.
bool DrawSplashSheet(const std::string& outDir);       // splash.PNG
bool DrawMenuBackground(const std::string& outDir);    // bg.PNG
bool DrawBackdropSheets(const std::string& outDir);    // back1.PNG .. back4.PNG
bool DrawMenuSheets(const std::string& outDir);        // menu1.PNG .. menu3.PNG
bool DrawMisc1Sheet(const std::string& outDir);        // misc1.PNG
bool DrawGamePieceSheets(const std::string& outDir);   // misc3.PNG, misc4.PNG
// The row of marks beside colour signals (nine 50 x 50 pictures from x 0), at `top` of a sheet.
void DrawCueMarks(cairo_t* cr, double top);
// The ring around the menu's focused button: a 60 x 60 picture at (left, top) of a sheet.
void DrawFocusRing(cairo_t* cr, double left, double top);
// The keyboard cursor's ring, 60 x 60, drawn at the region's origin.
void DrawKeyRing(cairo_t* cr);
}  // namespace art
