#include <cairo.h>

#include "paint.h"
#include "sheets.h"

namespace art {
namespace {
// A plain sheet of the given size with a light panel fill, until the real art is drawn.
bool Plain(const std::string& dir, const char* name, int w, int h) {
    cairo_surface_t* s = NewSheet(w, h);
    cairo_t* cr = cairo_create(s);
    SetColor(cr, palette::kPaper);
    cairo_paint(cr);
    cairo_destroy(cr);
    return SaveSheet(s, dir, name);
}
}  // namespace

bool DrawShellSheets(const std::string& dir) {
    bool ok = true;
    ok &= Plain(dir, "splash.PNG", 1024, 1124);
    ok &= Plain(dir, "misc1.PNG", 1000, 700);
    ok &= Plain(dir, "misc3.PNG", 550, 400);
    ok &= Plain(dir, "misc4.PNG", 600, 850);
    ok &= Plain(dir, "menu1.PNG", 1000, 1000);
    ok &= Plain(dir, "menu2.PNG", 800, 800);
    ok &= Plain(dir, "menu3.PNG", 400, 700);
    ok &= Plain(dir, "back1.PNG", 600, 900);
    ok &= Plain(dir, "back2.PNG", 600, 900);
    ok &= Plain(dir, "back3.PNG", 600, 900);
    ok &= Plain(dir, "back4.PNG", 600, 450);
    ok &= Plain(dir, "bg.PNG", 1024, 768);
    return ok;
}
}  // namespace art
