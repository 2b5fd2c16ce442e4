#include "gui/MainMenu.h"

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"

MainMenu::MainMenu() {}
MainMenu::~MainMenu() { delete game; }
void MainMenu::Update() {}

void MainMenu::Render() {
    if (app->texBackground == nullptr) return;
    Rect src{0, 0, 1024, 768};
    Vec2 scale{app->screenWidth / 1024.0f, app->screenHeight / 768.0f};
    app->DrawSprite(app->texBackground, &src, &scale, nullptr, 0.0, nullptr, 0xFFFFFFFF);
}

void MainMenu::OnLostDevice() {}
void MainMenu::OnResetDevice() {}
void MainMenu::PaintCursor() {}
