#include "games/KG_Memory/MemoryCard.h"

#include <cmath>

#include "app/AppContext.h"

namespace {
constexpr int kPictureSide = 65;
constexpr int kPicturesPerRow = 8;
}  // namespace

MemoryCard::MemoryCard(int pairId_, Vec2 centre_, double size_, int backDesign_)
    : app(GetAppContext()), pairId(pairId_), centre(centre_), size(size_), backDesign(backDesign_) {}

double MemoryCard::DistanceTo(float x, float y) const {
    double dx = static_cast<double>(x) - centre.x;
    double dy = static_cast<double>(y) - centre.y;
    return std::sqrt(dx * dx + dy * dy);
}

// The card art is 100 pixels wide; the 65-pixel picture sits in the middle of the face.
void MemoryCard::Draw(bool concealed) const {
    const float s = static_cast<float>(size / 100.0);
    const Vec2 scale{s, s};
    const float half = static_cast<float>(size / 2);
    const Rect face{0, 500, 100, 600};
    const Vec2 shadowAt{centre.x - half + 2, centre.y - half + 2};
    app->DrawSprite(app->texMisc2, &face, &scale, nullptr, 0.0, &shadowAt, 0xFF000000);

    const Vec2 topLeft{centre.x - half, centre.y - half};
    if (faceUp && !concealed) {
        app->DrawSprite(app->texMisc2, &face, &scale, nullptr, 0.0, &topLeft, 0xFFFFFFFF);
        const int left = (pairId % kPicturesPerRow) * kPictureSide;
        const int top = (pairId / kPicturesPerRow) * kPictureSide;
        const Rect picture{left, top, left + kPictureSide, top + kPictureSide};
        const Vec2 pictureAt{centre.x - s * 32.5f, centre.y - s * 32.5f};
        app->DrawSprite(app->texMemoryPattern, &picture, &scale, nullptr, 0.0, &pictureAt, 0xFFFFFFFF);
    } else {
        const Rect back{100 + 100 * backDesign, 500, 200 + 100 * backDesign, 600};
        app->DrawSprite(app->texMisc2, &back, &scale, nullptr, 0.0, &topLeft, 0xFFFFFFFF);
    }
}
