// Fuzz target: the level reader of picture building. Whatever the entry holds, reading ends;
// a level it accepts has a silhouette and only objects the game can show and the keys can
// reach; a refused level leaves nothing behind; and an accepted level written out again reads
// back to the same objects.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "games/KG_Bilder_Basteln/LevelReader.h"

using namespace picture;

namespace {
void Check(bool ok) {
    if (!ok) __builtin_trap();
}

std::string Write(const LevelData& level) {
    std::string out;
    char line[256];
    for (const LevelObject& o : level.objects) {
        std::snprintf(line, sizeof line,
                      "%s OBJEKT_START POSITON: %.9g %.9g SCALE: %.9g %.9g ROT: %d TYP: %d SFACTOR: %.1f FARBE: %06X "
                      "OBJEKT_END\n",
                      o.silhouette ? "ZIELOBJEKT_START" : "BAUOBJEKT_START", o.x, o.y, o.scaleX, o.scaleY, o.rotation,
                      o.type, o.sizeFactor, static_cast<unsigned>(o.color & 0xFFFFFF));
        out += line;
    }
    return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LevelData level;
    const LevelError error = ReadLevel(bytes, level);
    if (error != LevelError::kNone) {
        Check(level.objects.empty());
        return 0;
    }
    Check(level.SilhouetteCount() >= 1 && level.objects.size() <= kMaxLevelObjects);
    for (const LevelObject& o : level.objects) {
        Check(o.type >= 0 && o.type < kShapeTypes);
        Check(o.x >= 0 && o.x <= 1024 && o.y >= 0 && o.y <= 768);
        Check(o.scaleX >= kMinScale && o.scaleX <= kMaxScale && o.scaleY >= kMinScale && o.scaleY <= kMaxScale);
        Check(o.rotation >= 0 && o.rotation < 360);
        Check(o.sizeFactor >= kMinSizeFactor - 1e-9 && o.sizeFactor <= kMaxSizeFactor + 1e-9);
        Check(std::fabs(o.sizeFactor * 10 - std::round(o.sizeFactor * 10)) < 1e-9);
        Check((o.color >> 24) == 0xFF);
    }
    LevelData again;
    Check(ReadLevel(Write(level), again) == LevelError::kNone);
    Check(again.objects.size() == level.objects.size());
    for (size_t i = 0; i < level.objects.size(); ++i) {
        const LevelObject &a = level.objects[i], &b = again.objects[i];
        Check(a.silhouette == b.silhouette && a.type == b.type && a.x == b.x && a.y == b.y && a.scaleX == b.scaleX &&
              a.scaleY == b.scaleY && a.rotation == b.rotation && a.sizeFactor == b.sizeFactor && a.color == b.color);
    }
    return 0;
}
