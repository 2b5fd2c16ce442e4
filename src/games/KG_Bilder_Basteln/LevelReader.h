#pragma once
// The level files of picture building: a stream of words separated by white space.
//   ZIELOBJEKT_START ... ZIELOBJEKT_END   the objects between are silhouettes of the picture
//   BAUOBJEKT_START ... BAUOBJEKT_END     the objects between are extra shapes (the mode at
//                                         the start of a file)
//   OBJEKT_START POSITON: x y SCALE: sx sy ROT: degrees TYP: type SFACTOR: size OBJEKT_END
// Other words outside an object, and unknown words inside one, are skipped. ("POSITON:" is
// spelled so in every level file.) A silhouette may carry "FARBE: RRGGBB", the colour its
// shape shows once the picture is finished; without it the shape stays white.
//
// The reader works on the entry's bytes in memory and is strict: every word is bounded, every
// number must be a whole word and finite, and every object is checked. A level with a broken
// object, an object cut off by the end of the file, too many objects or too many bytes is
// refused as a whole, as is a level without a silhouette.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace picture {

constexpr size_t kMaxLevelBytes = 64 * 1024;
constexpr size_t kMaxLevelObjects = 64;
constexpr size_t kMaxWordLength = 64;
constexpr int kShapeTypes = 4;          // 0 square, 1 circle, 2 triangle, 3 rectangle
constexpr double kMinSizeFactor = 0.4;  // the range the size keys keep a shape in
constexpr double kMaxSizeFactor = 2.0;
constexpr double kSizeStep = 0.1;
constexpr float kMinScale = 0.25f;
constexpr float kMaxScale = 4.0f;

struct LevelObject {
    bool silhouette = false;  // part of the picture, or an extra shape
    int type = 0;
    float x = 0.0f, y = 0.0f;
    float scaleX = 1.0f, scaleY = 1.0f;
    int rotation = 0;  // 0..359
    double sizeFactor = 1.0;
    uint32_t color = 0xFFFFFFFF;  // opaque, from FARBE:
};

struct LevelData {
    std::vector<LevelObject> objects;  // in file order
    int SilhouetteCount() const;
    int ExtraCount() const { return static_cast<int>(objects.size()) - SilhouetteCount(); }
};

enum class LevelError {
    kNone,
    kTooLarge,            // more than kMaxLevelBytes
    kTooManyObjects,      // more than kMaxLevelObjects
    kUnterminatedObject,  // the file ends inside an object, or a new block starts in one
    kBadNumber,           // a value that is not a whole, finite number (or is missing)
    kBadType,             // TYP outside 0..3
    kBadPosition,         // a centre off the canvas
    kBadScale,            // SCALE not within kMinScale..kMaxScale
    kBadSize,             // SFACTOR that the size keys cannot reach
    kBadColor,            // FARBE: that is not six hexadecimal digits
    kNoSilhouettes,
};

const char* LevelErrorName(LevelError error);

// Reads a level for a canvas of width x height pixels. On success `out` holds the objects in
// file order; on failure it is left empty. A missing SCALE becomes 1 1, ROT is brought into
// 0..359 (-45 becomes 315) and SFACTOR is rounded to the nearest 0.1.
LevelError ReadLevel(std::string_view bytes, LevelData& out, int width = 1024, int height = 768);

// Strict conversions of one word: all of it must be the number. Integers must fit an int;
// floating-point values must be finite (no "nan", "inf" or hexadecimal).
bool ParseWholeInt(std::string_view word, int& value);
bool ParseWholeDouble(std::string_view word, double& value);
// Six hexadecimal digits RRGGBB, as an opaque colour 0xFFRRGGBB.
bool ParseColor(std::string_view word, uint32_t& color);

// Rotation brought into 0..359 with a floor modulo.
inline int NormalizeRotation(long long degrees) {
    long long r = degrees % 360;
    return static_cast<int>(r < 0 ? r + 360 : r);
}

}  // namespace picture
