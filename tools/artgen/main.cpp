// artgen OUTDIR: draws every picture of the game into OUTDIR.
#include <cstdio>

#include "sheets.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: artgen OUTDIR\n");
        return 2;
    }
    bool ok = art::DrawShellSheets(argv[1]);
    ok &= art::DrawCardSheets(argv[1]);
    if (!ok) {
        std::fprintf(stderr, "artgen: could not write every sheet to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
