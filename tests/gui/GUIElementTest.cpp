// The widget: inclusive hit edges, the deepest hit, drawing order, moving within bounds.
#include <gtest/gtest.h>

#include <vector>

#include "app/AppContext.h"
#include "framework/Game.h"
#include "gui/GUIElement.h"

namespace {
struct Painted {
    int id;
    Rect src;
    Vec2 pos;
    Vec2 scale;
};

class Screen : public Game {
public:
    void OnDrawElement3(GUIElement* e, Rect src, Vec2 pos, Vec2 scale) override {
        painted.push_back({e->GetId(), src, pos, scale});
    }
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    std::vector<Painted> painted;
};

constexpr Rect kPanel{0, 0, 400, 600};
constexpr Rect kButton{0, 700, 300, 750};

// A 400 x 600 page at (312, 84) with a 300 x 50 button at (50, 150).
struct Page {
    Screen screen;
    GUIElement* page = new GUIElement(1, kPanel, 312.0f, 84.0f, &screen, &Game::OnDrawElement3);
    GUIElement* button = new GUIElement(2, kButton, 50.0f, 150.0f, &screen, &Game::OnDrawElement3);
    Page() {
        page->AddChild(button);
        screen.elements[0] = page;
        screen.elementEnabled[0] = true;
    }
};
}  // namespace

TEST(GUIElement, ConstructionTakesTheSizeFromTheSourceRectangle) {
    Screen screen;
    GUIElement e(7, kButton, 10.9f, 20.2f, &screen, &Game::OnDrawElement3);
    EXPECT_EQ(e.left, 10);
    EXPECT_EQ(e.top, 20);
    EXPECT_EQ(e.right, 310);
    EXPECT_EQ(e.bottom, 70);
    EXPECT_EQ(e.bounds, (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(e.parent, nullptr);
    EXPECT_FLOAT_EQ(e.scaleX, 1.0f);
}

TEST(GUIElement, HitEdgesAreInclusive) {
    Page p;
    EXPECT_EQ(p.page->HitTest(362, 234, -1), p.button);
    EXPECT_EQ(p.page->HitTest(361, 234, -1), p.page);
    EXPECT_EQ(p.page->HitTest(662, 284, -1), p.button);
    EXPECT_EQ(p.page->HitTest(663, 284, -1), p.page);
    EXPECT_EQ(p.page->HitTest(662, 285, -1), p.page);
    EXPECT_EQ(p.page->HitTest(712, 684, -1), p.page);
    EXPECT_EQ(p.page->HitTest(713, 684, -1), nullptr);
}

TEST(GUIElement, FirstAddedChildWins) {
    Page p;
    auto* second = new GUIElement(3, kButton, 60.0f, 160.0f, &p.screen, &Game::OnDrawElement3);
    p.page->AddChild(second);
    EXPECT_EQ(p.page->HitTest(400, 250, -1), p.button);
    EXPECT_EQ(p.page->HitTest(670, 290, -1), second);
    EXPECT_EQ(second->parent, p.page);
}

TEST(GUIElement, PointOutsideThePageIsNullEvenInsideAChild) {
    Page p;
    auto* outside = new GUIElement(4, kButton, -100.0f, 0.0f, &p.screen, &Game::OnDrawElement3);
    p.page->AddChild(outside);
    EXPECT_EQ(p.page->HitTest(250, 100, -1), nullptr);
    EXPECT_EQ(p.page->HitTest(312, 84, -1), outside);
}

TEST(GUIElement, DeepestElementIsReturned) {
    Page p;
    auto* inner = new GUIElement(5, Rect{0, 0, 10, 10}, 5.0f, 5.0f, &p.screen, &Game::OnDrawElement3);
    p.button->AddChild(inner);
    EXPECT_EQ(p.page->HitTest(362 + 5, 234 + 5, -1), inner);
    EXPECT_EQ(p.page->HitTest(362 + 16, 234 + 5, -1), p.button);
    EXPECT_EQ(inner->ToScreen(Vec2{1, 2}), (Vec2{368, 241}));
    EXPECT_EQ(inner->FromScreen(Vec2{368, 241}), (Vec2{1, 2}));
}

TEST(GUIElement, ScaleWidensTheHitArea) {
    Screen screen;
    GUIElement e(1, Rect{0, 0, 100, 50}, 10.0f, 10.0f, &screen, &Game::OnDrawElement3);
    EXPECT_FALSE(e.Contains(160, 20));
    e.scaleX = 1.5f;
    EXPECT_TRUE(e.Contains(160, 20));
    EXPECT_FALSE(e.Contains(161, 20));
}

TEST(GUIElement, MoveByStopsAtTheBoundsPerAxis) {
    Screen screen;
    GUIElement e(1, kButton, 724.0f, 100.0f, &screen, &Game::OnDrawElement3);
    ASSERT_EQ(e.right, 1024);
    e.MoveBy(10, 5);
    EXPECT_EQ(e.left, 724);
    EXPECT_EQ(e.right, 1024);
    EXPECT_EQ(e.top, 105);
    EXPECT_EQ(e.bottom, 155);
    e.MoveBy(-724, -106);
    EXPECT_EQ(e.left, 0);
    EXPECT_EQ(e.top, 105);
    e.MoveBy(-1, 613);
    EXPECT_EQ(e.left, 0);
    EXPECT_EQ(e.bottom, 768);
}

TEST(GUIElement, DrawPaintsTheParentFirstAtScreenPositions) {
    Page p;
    p.page->Draw(0.0f, 0.0f);
    ASSERT_EQ(p.screen.painted.size(), 2u);
    EXPECT_EQ(p.screen.painted[0].id, 1);
    EXPECT_EQ(p.screen.painted[0].pos, (Vec2{312, 84}));
    EXPECT_EQ(p.screen.painted[1].id, 2);
    EXPECT_EQ(p.screen.painted[1].src, kButton);
    EXPECT_EQ(p.screen.painted[1].pos, (Vec2{362, 234}));
    EXPECT_EQ(p.screen.painted[1].scale, (Vec2{1, 1}));
}

TEST(GUIElement, RemoveChildFindsNestedChildren) {
    Page p;
    auto* inner = new GUIElement(5, Rect{0, 0, 10, 10}, 5.0f, 5.0f, &p.screen, &Game::OnDrawElement3);
    p.button->AddChild(inner);
    EXPECT_TRUE(p.page->RemoveChild(inner));
    EXPECT_EQ(p.button->children.Count(), 0);
    Screen other;
    GUIElement stranger(9, kButton, 0, 0, &other, &Game::OnDrawElement3);
    EXPECT_FALSE(p.page->RemoveChild(&stranger));
}

TEST(GUIElement, ActivateWithoutParentReturnsItself) {
    Page p;
    EXPECT_EQ(p.page->Activate(0), p.page);
    EXPECT_EQ(p.button->Activate(0), p.button);
}

TEST(GameScreen, HitTestElementsUsesTheMousePositionAndSlotOrder) {
    Page p;
    AppContext* app = GetAppContext();
    auto* overlay = new GUIElement(8, kPanel, 312.0f, 84.0f, &p.screen, &Game::OnDrawElement3);
    p.screen.elements[5] = overlay;
    p.screen.elementEnabled[5] = true;
    app->mouseX = 400;
    app->mouseY = 250;
    EXPECT_TRUE(p.screen.HitTestElements(-1));
    EXPECT_EQ(p.screen.hitElement, p.button);
    app->mouseX = 5;
    EXPECT_FALSE(p.screen.HitTestElements(-1));
    EXPECT_EQ(p.screen.hitElement, nullptr);
    p.screen.hitElement = overlay;
    p.screen.elementEnabled[0] = p.screen.elementEnabled[5] = false;
    EXPECT_FALSE(p.screen.HitTestElements(-1));
    EXPECT_EQ(p.screen.hitElement, overlay);
}
