#include <gtest/gtest.h>

#include "app/AppContext.h"
#include "framework/Game.h"
#include "gui/GUIElement.h"

namespace {
struct Screen : Game {
    void OnLostDevice() override {}
    void OnResetDevice() override {}
};
}  // namespace

TEST(GameHitTest, LowerSlotWinsWhenBothContainTheMouse) {
    Screen s;
    s.elements[0] = new GUIElement(1, Rect{0, 0, 100, 100}, 0, 0, &s, &Game::OnDrawElement0);
    s.elements[1] = new GUIElement(2, Rect{0, 0, 100, 100}, 50, 50, &s, &Game::OnDrawElement1);
    s.elementEnabled[0] = s.elementEnabled[1] = true;
    s.app->mouseX = 60;
    s.app->mouseY = 60;
    EXPECT_TRUE(s.HitTestElements(-1));
    EXPECT_EQ(s.hitElement, s.elements[0]);
    s.elementEnabled[0] = false;
    EXPECT_TRUE(s.HitTestElements(-1));
    EXPECT_EQ(s.hitElement, s.elements[1]);
}

TEST(GameHitTest, NothingEnabledKeepsTheLastHit) {
    Screen s;
    s.elements[3] = new GUIElement(7, Rect{0, 0, 10, 10}, 0, 0, &s, &Game::OnDrawElement3);
    s.elementEnabled[3] = true;
    s.app->mouseX = 5;
    s.app->mouseY = 5;
    ASSERT_TRUE(s.HitTestElements(1));
    GUIElement* last = s.hitElement;
    s.elementEnabled[3] = false;
    EXPECT_FALSE(s.HitTestElements(1));
    EXPECT_EQ(s.hitElement, last);
    // A tested element that misses clears the hit.
    s.elementEnabled[3] = true;
    s.app->mouseX = 500;
    EXPECT_FALSE(s.HitTestElements(1));
    EXPECT_EQ(s.hitElement, nullptr);
}

TEST(GameHitTest, DestructorDeletesTheElements) {
    Screen* s = new Screen;
    s->elements[13] = new GUIElement(1, Rect{0, 0, 10, 10}, 0, 0, s, &Game::OnDrawElement13);
    s->elements[13]->AddChild(new GUIElement(2, Rect{0, 0, 5, 5}, 1, 1, s, &Game::OnDrawElement13));
    delete s;  // the sanitizers report a leak or double delete
}
