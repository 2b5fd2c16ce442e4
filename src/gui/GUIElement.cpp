#include "gui/GUIElement.h"

#include "app/AppContext.h"

GUIElement::GUIElement(int id_, Rect src, float x, float y, Game* owner_, DrawHook hook,
                       bool autoScale_, int dock_)
    : srcRect(src), id(id_), autoScale(autoScale_), dock(dock_), owner(owner_), drawHook(hook) {
    AppContext* app = GetAppContext();
    bounds = Rect{0, 0, app->screenWidth, app->screenHeight};
    SetPosition(static_cast<int>(x), static_cast<int>(y));
}

GUIElement::~GUIElement() {
    children.Clear(true);
    parent = nullptr;
}

void GUIElement::SetPosition(int x, int y) {
    left = x;
    top = y;
    right = left + SourceWidth();
    bottom = top + SourceHeight();
}

bool GUIElement::Contains(int x, int y) const {
    double w = static_cast<double>(right - left) * scaleX;
    double h = static_cast<double>(bottom - top) * scaleY;
    return left <= x && x <= left + w && top <= y && y <= top + h;
}

GUIElement* GUIElement::HitTest(int x, int y, int button) {
    if (!Contains(x, y)) return nullptr;
    for (GUIElement* child : children) {
        if (GUIElement* hit = child->HitTest(x - left, y - top, button)) return hit;
    }
    return this;
}

bool GUIElement::AddChild(GUIElement* child) {
    children.Add(child);
    child->parent = this;
    return true;
}

bool GUIElement::RemoveChild(GUIElement* child) {
    if (children.Remove(child, true)) return true;
    for (GUIElement* c : children) {
        if (c->RemoveChild(child)) return true;
    }
    return false;
}

void GUIElement::Draw(float offsetX, float offsetY) {
    if (owner != nullptr && drawHook != nullptr) {
        (owner->*drawHook)(this, srcRect, Vec2{left + offsetX, top + offsetY}, Vec2{scaleX, scaleY});
    }
    for (GUIElement* child : children) child->Draw(left + offsetX, top + offsetY);
}

// Docking: children docked left/right/top/bottom are stacked along the edges of this
// element's scaled area, a fill child takes what remains. No element of the program docks.
void GUIElement::Layout() {
    int l = 0, t = 0;
    int r = static_cast<int>((right - left) * scaleX);
    int b = static_cast<int>((bottom - top) * scaleY);
    for (GUIElement* c : children) {
        int w = c->SourceWidth(), h = c->SourceHeight();
        switch (c->dock) {
            case 1: c->SetPosition(l, t); if (c->autoScale && h > 0) c->scaleY = float(b - t) / h; l += int(w * c->scaleX); break;
            case 2: c->SetPosition(r - int(w * c->scaleX), t); if (c->autoScale && h > 0) c->scaleY = float(b - t) / h; r -= int(w * c->scaleX); break;
            case 3: c->SetPosition(l, t); if (c->autoScale && w > 0) c->scaleX = float(r - l) / w; t += int(h * c->scaleY); break;
            case 4: c->SetPosition(l, b - int(h * c->scaleY)); if (c->autoScale && w > 0) c->scaleX = float(r - l) / w; b -= int(h * c->scaleY); break;
            case 5: c->SetPosition(l, t); if (c->autoScale && w > 0 && h > 0) { c->scaleX = float(r - l) / w; c->scaleY = float(b - t) / h; } break;
            default: break;
        }
        c->Layout();
    }
}

void GUIElement::MoveBy(int dx, int dy) {
    if (right + dx <= bounds.right - bounds.left && left + dx >= 0) {
        left += dx;
        right += dx;
    }
    if (bottom + dy <= bounds.bottom - bounds.top && top + dy >= 0) {
        top += dy;
        bottom += dy;
    }
}

void GUIElement::Notify() {
    for (GUIElement* c : children) c->Notify();
}

GUIElement* GUIElement::Activate(int) {
    if (parent == nullptr) return this;
    parent->DeactivateOthers(this);
    return this;
}

// Deactivating a child only passes the message on to its own children.
void GUIElement::DeactivateOthers(GUIElement* keep) {
    for (GUIElement* c : children)
        if (c != keep) c->Notify();
}

Vec2 GUIElement::ToScreen(Vec2 p) const {
    for (const GUIElement* e = this; e != nullptr; e = e->parent) {
        p.x += e->left;
        p.y += e->top;
    }
    return p;
}

Vec2 GUIElement::FromScreen(Vec2 p) const {
    for (const GUIElement* e = this; e != nullptr; e = e->parent) {
        p.x -= e->left;
        p.y -= e->top;
    }
    return p;
}
