#include "games/KG_MMaster/MMasterPieces.h"

#include <cmath>

#include "app/AppContext.h"
#include "framework/ColourCues.h"
#include "framework/Glide.h"

namespace {
constexpr Rect kPegPicture{605, 5, 645, 45};
constexpr Rect kFieldPicture{550, 0, 600, 50};
constexpr double kGlideRate = 10.0;
constexpr Color kColours[] = {0xFFFF0000, 0xFF0000FF, 0xFF00FF00, 0xFFFFFF00, 0xFFFF8000,
                              0xFFFF00FF, 0x00FFFFFF, 0xFFFFFFFF, 0xFF000000};
constexpr Color kHoleBright = 0xFFFFFFFF;
constexpr Color kHoleDim = 0xFF7F7F7F;
constexpr Color kBoardBright = 0x7F7F5050;
constexpr Color kBoardDim = 0x7F7F7F7F;
constexpr Color kDimple = 0x30000000;
constexpr float kDimpleScale = 0.45f;

bool Within(Vec2 centre, int x, int y, float half) {
    return std::fabs(x - centre.x) <= half && std::fabs(y - centre.y) <= half;
}
}  // namespace

Color PegTint(int colour, bool bright) {
    if (colour < 0 || colour > kKeyBlack) colour = kPegEmpty;
    const Color c = kColours[colour];
    if (bright || colour >= kKeyWhite) return c;
    auto dim = [](Color v) { return (v & 0xFF) * 2 / 3; };
    return (c & 0xFF000000) | dim(c >> 16) << 16 | dim(c >> 8) << 8 | dim(c);
}

Peg::Peg(int colour_, Vec2 at) : app(GetAppContext()), position(at), home(at), colour(colour_) {}

void Peg::Glide(double frameTime) { position = ::Glide(position, home, frameTime, kGlideRate); }

void Peg::Draw(bool bright) const {
    if (colour == kPegEmpty) return;  // fully transparent
    const bool key = colour >= kKeyWhite;
    const float half = key ? 10.0f : 20.0f;
    const Vec2 scale{key ? 0.5f : 1.0f, key ? 0.5f : 1.0f};
    const Vec2 topLeft{position.x - half, position.y - half};
    app->DrawSprite(app->texMisc1, &kPegPicture, key ? &scale : nullptr, nullptr, 0.0, &topLeft,
                    PegTint(colour, bright));
    // Each code colour carries its own symbol; key pegs differ in brightness already.
    if (!key && colour >= 0 && colour < kPlayColours && ColourCuesWanted(*app))
        DrawCueMark(*app, colour, position, 24.0f, bright ? 0xFFFFFFFF : 0xFFAAAAAA);
}

bool Peg::Hit(int x, int y) const { return Within(position, x, y, 20.0f); }

PegHole::PegHole(Vec2 at) : app(GetAppContext()), position(at) {}
PegHole::~PegHole() { delete peg; }

bool PegHole::Place(Peg* p) {
    if (peg != nullptr || p == nullptr) return false;
    peg = p;
    peg->home = position;
    return true;
}

Peg* PegHole::Take() {
    Peg* p = peg;
    peg = nullptr;
    return p;
}

bool PegHole::Hit(int x, int y) const { return Within(position, x, y, 25.0f); }

void PegHole::Draw(bool bright) const {
    const Vec2 topLeft{position.x - 25.0f, position.y - 25.0f};
    app->DrawSprite(app->texMisc1, &kFieldPicture, nullptr, nullptr, 0.0, &topLeft, bright ? kHoleBright : kHoleDim);
    if (peg != nullptr) {
        peg->Draw(bright);
    } else if (bright) {
        // An empty hole of the row being filled shows a small dimple where the peg goes.
        const Vec2 scale{kDimpleScale, kDimpleScale};
        const Vec2 at{position.x - 20.0f * kDimpleScale, position.y - 20.0f * kDimpleScale};
        app->DrawSprite(app->texMisc1, &kPegPicture, &scale, nullptr, 0.0, &at, kDimple);
    }
}

KeyBoard::KeyBoard(Vec2 at) : app(GetAppContext()), position(at) {
    for (int i = 0; i < kSlots; ++i) keyPegs.Add(new Peg(kPegEmpty, at));
}

void KeyBoard::Add(int colour, int slot) {
    if (slot < 0) {
        keyPegs.Add(new Peg(colour, position), 0);
        return;
    }
    Peg* old = keyPegs.Get(slot);
    if (old == nullptr || old->colour != kPegEmpty) return;
    old->colour = colour;
}

Vec2 KeyBoard::SlotOffset(int slot) {
    switch (slot) {
        case 0: return {-12.5f, -12.5f};
        case 1: return {12.5f, -12.5f};
        case 2: return {-12.5f, 12.5f};
        case 3: return {12.5f, 12.5f};
        default: return {0.0f, 0.0f};
    }
}

void KeyBoard::Settle(double frameTime) {
    int slot = 0;
    for (Peg* p : keyPegs) {
        const Vec2 offset = SlotOffset(slot++);
        p->home = Vec2{position.x + offset.x, position.y + offset.y};
        p->Glide(frameTime);
    }
}

bool KeyBoard::Hit(int x, int y) const { return Within(position, x, y, 25.0f); }

void KeyBoard::Draw(bool bright) const {
    const Vec2 topLeft{position.x - 25.0f, position.y - 25.0f};
    app->DrawSprite(app->texMisc1, &kFieldPicture, nullptr, nullptr, 0.0, &topLeft, bright ? kBoardBright : kBoardDim);
    for (Peg* p : const_cast<LockedList<Peg>&>(keyPegs)) p->Draw(true);
}
