#include "games/KG_Bilder_Basteln/LevelReader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

namespace picture {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// The words of an entry, one after the other, as views into its bytes. A word longer than
// kMaxWordLength is handed out as it is but never matches a key or converts to a number.
class Words {
public:
    explicit Words(std::string_view bytes) : bytes_(bytes) {}

    bool Next(std::string_view& word) {
        while (pos_ < bytes_.size() && IsSpace(bytes_[pos_])) ++pos_;
        if (pos_ >= bytes_.size()) return false;
        const size_t start = pos_;
        while (pos_ < bytes_.size() && !IsSpace(bytes_[pos_])) ++pos_;
        word = bytes_.substr(start, pos_ - start);
        return true;
    }

private:
    std::string_view bytes_;
    size_t pos_ = 0;
};

// The words that open or close a block: inside an object they mean that its OBJEKT_END is
// missing.
bool IsBlockWord(std::string_view w) {
    return w == "OBJEKT_START" || w == "ZIELOBJEKT_START" || w == "BAUOBJEKT_START" || w == "ZIELOBJEKT_END" ||
           w == "BAUOBJEKT_END";
}

struct RawObject {
    int type = 0;
    double x = 0.0, y = 0.0;
    bool hasScale = false;
    double scaleX = 0.0, scaleY = 0.0;
    int rotation = 0;
    double sizeFactor = 1.0;
    uint32_t color = 0xFFFFFFFF;
};

// Reads the value words of one key.
LevelError ReadDoubles(Words& words, double* values, int count) {
    for (int i = 0; i < count; ++i) {
        std::string_view w;
        if (!words.Next(w)) return LevelError::kUnterminatedObject;
        if (!ParseWholeDouble(w, values[i])) return LevelError::kBadNumber;
    }
    return LevelError::kNone;
}

LevelError ReadInt(Words& words, int& value) {
    std::string_view w;
    if (!words.Next(w)) return LevelError::kUnterminatedObject;
    return ParseWholeInt(w, value) ? LevelError::kNone : LevelError::kBadNumber;
}

// The words of one object up to its OBJEKT_END.
LevelError ReadObject(Words& words, RawObject& o) {
    std::string_view w;
    while (words.Next(w)) {
        LevelError e = LevelError::kNone;
        if (w == "OBJEKT_END") return LevelError::kNone;
        if (IsBlockWord(w)) return LevelError::kUnterminatedObject;
        if (w == "POSITON:") {
            double v[2];
            e = ReadDoubles(words, v, 2);
            o.x = v[0], o.y = v[1];
        } else if (w == "SCALE:") {
            double v[2];
            e = ReadDoubles(words, v, 2);
            o.scaleX = v[0], o.scaleY = v[1];
            o.hasScale = true;
        } else if (w == "ROT:") {
            e = ReadInt(words, o.rotation);
        } else if (w == "TYP:") {
            e = ReadInt(words, o.type);
        } else if (w == "SFACTOR:") {
            e = ReadDoubles(words, &o.sizeFactor, 1);
        } else if (w == "FARBE:") {
            std::string_view c;
            if (!words.Next(c)) e = LevelError::kUnterminatedObject;
            else if (!ParseColor(c, o.color)) e = LevelError::kBadColor;
        }
        if (e != LevelError::kNone) return e;
    }
    return LevelError::kUnterminatedObject;
}

// Checks an object and brings it into the form the game uses.
LevelError Finish(const RawObject& raw, int width, int height, LevelObject& out) {
    if (raw.type < 0 || raw.type >= kShapeTypes) return LevelError::kBadType;
    if (!(raw.x >= 0.0 && raw.x <= width && raw.y >= 0.0 && raw.y <= height)) return LevelError::kBadPosition;
    double sx = 1.0, sy = 1.0;
    if (raw.hasScale) {
        sx = raw.scaleX, sy = raw.scaleY;
        if (!(sx >= kMinScale && sx <= kMaxScale && sy >= kMinScale && sy <= kMaxScale)) return LevelError::kBadScale;
    }
    const double steps = std::round(raw.sizeFactor / kSizeStep);
    const double size = steps * kSizeStep;
    if (!(size >= kMinSizeFactor - 1e-9 && size <= kMaxSizeFactor + 1e-9)) return LevelError::kBadSize;
    out.type = raw.type;
    out.x = static_cast<float>(raw.x);
    out.y = static_cast<float>(raw.y);
    out.scaleX = static_cast<float>(sx);
    out.scaleY = static_cast<float>(sy);
    out.rotation = NormalizeRotation(raw.rotation);
    out.sizeFactor = steps / 10.0;
    out.color = raw.color;
    return LevelError::kNone;
}

}  // namespace

int LevelData::SilhouetteCount() const {
    int n = 0;
    for (const LevelObject& o : objects) n += o.silhouette ? 1 : 0;
    return n;
}

const char* LevelErrorName(LevelError error) {
    switch (error) {
        case LevelError::kNone: return "no error";
        case LevelError::kTooLarge: return "entry too large";
        case LevelError::kTooManyObjects: return "too many objects";
        case LevelError::kUnterminatedObject: return "object without OBJEKT_END";
        case LevelError::kBadNumber: return "bad number";
        case LevelError::kBadType: return "TYP outside 0..3";
        case LevelError::kBadPosition: return "position off the canvas";
        case LevelError::kBadScale: return "bad SCALE";
        case LevelError::kBadSize: return "SFACTOR out of reach";
        case LevelError::kBadColor: return "bad FARBE";
        case LevelError::kNoSilhouettes: return "no silhouettes";
    }
    return "unknown error";
}

bool ParseWholeInt(std::string_view word, int& value) {
    if (word.empty() || word.size() > kMaxWordLength) return false;
    const size_t whole = word.size();
    if (word[0] == '+') word.remove_prefix(1);
    if (word.empty() || word[0] == '+' || (word.size() < whole && word[0] == '-')) return false;
    int v = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
    if (ec != std::errc() || end != word.data() + word.size()) return false;
    value = v;
    return true;
}

bool ParseWholeDouble(std::string_view word, double& value) {
    if (word.empty() || word.size() > kMaxWordLength) return false;
    const size_t whole = word.size();
    if (word[0] == '+') word.remove_prefix(1);
    if (word.empty() || word[0] == '+' || (word.size() < whole && word[0] == '-')) return false;
    // Only digits, a point, a sign and an exponent: from_chars would also take "nan" and "inf".
    for (char c : word)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) return false;
    double v = 0.0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), v, std::chars_format::general);
    if (ec != std::errc() || end != word.data() + word.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool ParseColor(std::string_view word, uint32_t& color) {
    if (word.size() != 6) return false;
    uint32_t v = 0;
    for (char c : word) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else return false;
        v = v << 4 | static_cast<uint32_t>(d);
    }
    color = 0xFF000000u | v;
    return true;
}

LevelError ReadLevel(std::string_view bytes, LevelData& out, int width, int height) {
    out = LevelData();
    if (bytes.size() > kMaxLevelBytes) return LevelError::kTooLarge;
    LevelData level;
    Words words(bytes);
    bool silhouetteMode = false;
    std::string_view w;
    while (words.Next(w)) {
        if (w == "ZIELOBJEKT_START") {
            silhouetteMode = true;
        } else if (w == "BAUOBJEKT_START") {
            silhouetteMode = false;
        } else if (w == "OBJEKT_START") {
            if (level.objects.size() >= kMaxLevelObjects) return LevelError::kTooManyObjects;
            RawObject raw;
            LevelError e = ReadObject(words, raw);
            LevelObject object;
            if (e == LevelError::kNone) e = Finish(raw, width, height, object);
            if (e != LevelError::kNone) return e;
            object.silhouette = silhouetteMode;
            level.objects.push_back(object);
        }
    }
    if (level.SilhouetteCount() == 0) return LevelError::kNoSilhouettes;
    out = std::move(level);
    return LevelError::kNone;
}

}  // namespace picture
