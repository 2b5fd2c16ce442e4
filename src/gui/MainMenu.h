#pragma once
#include "framework/Game.h"

class Knobel_Game;

// The one screen of the program: menu pages, the running game, the mouse pointer.
class MainMenu : public Game {
public:
    MainMenu();
    ~MainMenu() override;
    void Update() override;
    void Render() override;
    void OnLostDevice() override;
    void OnResetDevice() override;
    // Draws the mouse pointer, after everything else.
    void PaintCursor();

    Knobel_Game* game = nullptr;
};
