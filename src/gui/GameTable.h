#pragma once
// The sixteen games of the menu and of the series, in list order. A game that is not built
// yet has no constructor; adding a game is one line in the table.
class Knobel_Game;

using GameFactory = Knobel_Game* (*)(int level);

struct GameInfo {
    int index;
    GameFactory create;  // nullptr while the game is not built
    int nameTextId;
};

constexpr int kGameCount = 16;

const GameInfo& GetGameInfo(int index);  // index 0..15
// Constructs the game of that list index with the level; nullptr for an index outside
// 0..15 or a game that is not built.
Knobel_Game* CreateGame(int index, int level);
// Replaces the constructor of one list entry (tests use it to put a small game in the list).
void SetGameFactory(int index, GameFactory create);
