#include "sheets.h"

namespace art {

bool DrawShellSheets(const std::string& dir) {
    bool ok = DrawSplashSheet(dir);
    ok &= DrawMenuBackground(dir);
    ok &= DrawBackdropSheets(dir);
    ok &= DrawMenuSheets(dir);
    ok &= DrawMisc1Sheet(dir);
    ok &= DrawGamePieceSheets(dir);
    return ok;
}

}  // namespace art
