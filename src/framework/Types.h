#pragma once
// Plain value types shared by every layer: rectangles, 2-D vectors, colours, result codes.
#include <cstdint>

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct Vec2 {
    float x = 0.0f, y = 0.0f;
    bool operator==(const Vec2&) const = default;
};

// 32-bit colour: alpha in the top byte, then red, green, blue.
using Color = uint32_t;

// Result codes of platform calls: negative means failure.
using HResult = int32_t;
constexpr HResult kOk = 0;
constexpr HResult kFail = static_cast<HResult>(0x80004005u);
inline bool Failed(HResult r) { return r < 0; }

// Text format flags of the text operations.
enum TextFormat : unsigned {
    kTextLeft = 0x0,
    kTextCenter = 0x1,
    kTextRight = 0x2,
    kTextVCenter = 0x4,
    kTextBottom = 0x8,
    kTextWordBreak = 0x10,
    kTextSingleLine = 0x20,
    kTextNoClip = 0x100,
};

// Windows virtual-key codes, as the input slots receive them.
enum Key : unsigned {
    kKeyBack = 8, kKeyTab = 9, kKeyReturn = 13, kKeyShift = 16, kKeyControl = 17,
    kKeyEscape = 27, kKeySpace = 32, kKeyEnd = 0x23, kKeyHome = 0x24, kKeyDelete = 0x2E,
    kKeyLeft = 0x25, kKeyUp = 0x26, kKeyRight = 0x27, kKeyDown = 0x28,
    kKey0 = 0x30, kKey9 = 0x39, kKeyA = 0x41, kKeyZ = 0x5A, kKeyAdd = 0x6B, kKeySubtract = 0x6D,
    kKeyM = 0x4D, kKeyF1 = 0x70, kKeyF2 = 0x71,
    kKeyW = 0x57, kKeyF3 = 0x72,
    kKeyPageUp = 0x21, kKeyPageDown = 0x22,
};
