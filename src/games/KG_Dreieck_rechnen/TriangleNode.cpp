#include "games/KG_Dreieck_rechnen/TriangleNode.h"

#include <cstdio>
#include <cstdlib>

#include "app/AppContext.h"
#include "platform/FontManager.h"

Joined JoinValues(int l, int r) {
    if (r != 0 && l % r == 0) return {kOpDivide, l / r};
    if (l * r <= 100) return {kOpMultiply, l * r};
    if (l - r >= 0) return {kOpSubtract, l - r};
    return {kOpAdd, l + r};
}

const char* OperatorText(int op) {
    switch (op) {
        case kOpSubtract: return "-";
        case kOpMultiply: return "*";
        case kOpDivide: return "/";
        default: return "+";
    }
}

TriangleNode::TriangleNode(float x, float y) : app(GetAppContext()) {
    value = std::rand() % 20 + 1;
    position = Vec2{x, y};
}

TriangleNode::TriangleNode(float x, float y, int value_) : app(GetAppContext()) {
    value = value_;
    position = Vec2{x, y};
}

void TriangleNode::Join(TriangleNode* l, TriangleNode* r) {
    left = l;
    right = r;
    const Joined j = JoinValues(l->value, r->value);
    op = j.op;
    value = j.value;
}

void TriangleNode::Draw(Font* font) const {
    const Vec2 topLeft{position.x - 25.0f, position.y - 25.0f};
    const bool top = IsTop();
    app->DrawSprite(app->texMisc1, top ? &kNumberField : &kOperatorField, nullptr, nullptr, 0.0, &topLeft, 0xFFFFFFFF);
    char text[16];
    if (top)
        std::snprintf(text, sizeof text, "%d", value);
    else
        std::snprintf(text, sizeof text, "%s", OperatorText(op));
    GetFontManager()->DrawTextAt(text, position.x, position.y, 0xFF000000, kTextCenter | kTextVCenter, font);
}
