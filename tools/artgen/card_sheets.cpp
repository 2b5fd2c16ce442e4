#include <cairo.h>

#include "paint.h"
#include "sheets.h"

namespace art {
namespace {
bool Plain(const std::string& dir, const char* name, int w, int h) {
    cairo_surface_t* s = NewSheet(w, h);
    cairo_t* cr = cairo_create(s);
    SetColor(cr, palette::kPaper);
    cairo_paint(cr);
    cairo_destroy(cr);
    return SaveSheet(s, dir, name);
}
}  // namespace

bool DrawCardSheets(const std::string& dir) {
    bool ok = true;
    ok &= Plain(dir, "misc2.PNG", 550, 600);
    ok &= Plain(dir, "Memory_Muster.PNG", 520, 130);
    ok &= Plain(dir, "MemoryCards1.png", 4, 4);
    ok &= Plain(dir, "MemoryCards2.png", 4, 4);
    return ok;
}
}  // namespace art
