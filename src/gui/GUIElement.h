#pragma once
#include "framework/Game.h"
#include "framework/LockedList.h"
#include "framework/Types.h"

// The program's one widget: a rectangle with an id, a source rectangle that gives its size,
// a position relative to its parent and children placed relative to it. It paints nothing
// itself: Draw hands its geometry to one of the owner's draw hooks.
class GUIElement {
public:
    GUIElement(int id, Rect srcRect, float x, float y, Game* owner, DrawHook drawHook,
               bool autoScale = false, int dock = 0);
    virtual ~GUIElement();
    GUIElement(const GUIElement&) = delete;
    GUIElement& operator=(const GUIElement&) = delete;

    // The deepest element at (x, y), given in the parent's coordinates; null outside.
    virtual GUIElement* HitTest(int x, int y, int button);
    virtual bool AddChild(GUIElement* child);
    virtual bool RemoveChild(GUIElement* child);
    virtual void Draw(float offsetX, float offsetY);
    virtual void Layout();
    virtual void MoveBy(int dx, int dy);
    virtual void Notify();
    virtual GUIElement* Activate(int);
    virtual void DeactivateOthers(GUIElement* keep);

    int GetId() const { return id; }
    void SetId(int newId) { id = newId; }
    void SetPosition(int x, int y);
    int SourceWidth() const { return srcRect.right - srcRect.left; }
    int SourceHeight() const { return srcRect.bottom - srcRect.top; }
    void SetBounds(Rect b) { bounds = b; }
    bool Contains(int x, int y) const;
    // Conversions between this element's coordinates and the screen's.
    Vec2 ToScreen(Vec2 local) const;
    Vec2 FromScreen(Vec2 screen) const;

    GUIElement* parent = nullptr;
    int left = 0, top = 0, right = 0, bottom = 0;
    Rect srcRect;
    Rect bounds;
    LockedList<GUIElement> children;
    int id = 0;
    float scaleX = 1.0f, scaleY = 1.0f;
    bool autoScale = false;
    int dock = 0;
    Game* owner = nullptr;
    DrawHook drawHook = nullptr;
};
