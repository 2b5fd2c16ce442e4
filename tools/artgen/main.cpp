// artgen OUTDIR: draws every picture of the game's archive into OUTDIR.
// artgen --icons OUTDIR: draws the application icon (PNG at four sizes and SVG) into OUTDIR.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstring>

#include "sheets.h"

int main(int argc, char** argv) {
    const bool icons = argc == 3 && std::strcmp(argv[1], "--icons") == 0;
    if (argc != 2 && !icons) {
        std::fprintf(stderr, "usage: artgen OUTDIR | artgen --icons OUTDIR\n");
        return 2;
    }
    const char* outDir = argv[argc - 1];
    bool ok = true;
    if (icons) {
        ok = art::DrawIcons(outDir);
    } else {
        ok &= art::DrawShellSheets(outDir);
        ok &= art::DrawCardSheets(outDir);
    }
    // Release the font caches that cairo's text drawing filled, so leak checkers stay quiet.
    cairo_debug_reset_static_data();
    FcFini();
    if (!ok) {
        std::fprintf(stderr, "artgen: could not write every picture to %s\n", outDir);
        return 1;
    }
    return 0;
}
