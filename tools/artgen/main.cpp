// artgen OUTDIR: draws every picture of the game into OUTDIR.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>

#include "sheets.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: artgen OUTDIR\n");
        return 2;
    }
    bool ok = art::DrawShellSheets(argv[1]);
    ok &= art::DrawCardSheets(argv[1]);
    // Release the font caches that cairo's text drawing filled, so leak checkers stay quiet.
    cairo_debug_reset_static_data();
    FcFini();
    if (!ok) {
        std::fprintf(stderr, "artgen: could not write every sheet to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
