#include "framework/Game.h"

#include "app/AppContext.h"
#include "gui/GUIElement.h"

Game::Game() : app(GetAppContext()) {}

Game::~Game() {
    for (GUIElement*& e : elements) {
        delete e;
        e = nullptr;
    }
}

bool Game::HitTestElements(int button) {
    for (int i = 0; i < kElementCount; ++i) {
        if (!elementEnabled[i] || elements[i] == nullptr) continue;
        hitElement = elements[i]->HitTest(app->mouseX, app->mouseY, button);
        if (hitElement != nullptr) return true;
    }
    return false;
}
