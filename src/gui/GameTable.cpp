#include "gui/GameTable.h"

#include "games/KG_Bilder_Basteln/KG_Bilder_Basteln.h"
#include "games/KG_Datum_Game/KG_Datum_Game.h"
#include "games/KG_Dreieck_rechnen/KG_Dreieck_rechnen.h"
#include "games/KG_MMaster/KG_MMaster.h"
#include "games/KG_Memory/KG_Memory.h"
#include "games/KG_Ordo/KG_Ordo.h"
#include "games/KG_Schiebe_Puzzle/KG_Schiebe_Puzzle.h"
#include "games/KG_Sudoku9x9/KG_Sudoku9x9.h"
#include "games/KG_Uhr_lesen/KG_Uhr_lesen.h"
#include "games/KG_Waage_Game_Fruechte/KG_Waage_Game_Fruechte.h"
#include "games/KG_Wechselgeld_Game/KG_Wechselgeld_Game.h"

namespace {
GameInfo g_games[kGameCount] = {
    {0, [](int level) -> Knobel_Game* { return new KG_Bilder_Basteln(level); }, 20},
    {1, nullptr, 105},  // KG_CrazyQuader
    {2, [](int level) -> Knobel_Game* { return new KG_Datum_Game(level); }, 170},
    {3, [](int level) -> Knobel_Game* { return new KG_Dreieck_rechnen(level); }, 42},
    {4, nullptr, 18},   // KG_Gedächtnis
    {5, [](int level) -> Knobel_Game* { return new KG_Memory(level); }, 19},
    {6, [](int level) -> Knobel_Game* { return new KG_MMaster(level); }, 125},
    {7, [](int level) -> Knobel_Game* { return new KG_Ordo(level); }, 130},
    {8, nullptr, 21},   // KG_Quadrat_merken
    {9, nullptr, 100},  // KG_Quadrat_addieren
    {10, [](int level) -> Knobel_Game* { return new KG_Schiebe_Puzzle(level); }, 17},
    {11, [](int level) -> Knobel_Game* { return new KG_Sudoku9x9(level); }, 14},
    {12, [](int level) -> Knobel_Game* { return new KG_Uhr_lesen(level); }, 110},
    {13, [](int level) -> Knobel_Game* { return new KG_Waage_Game_Fruechte(level); }, 135},
    {14, [](int level) -> Knobel_Game* { return new KG_Wechselgeld_Game(level); }, 140},
    {15, nullptr, 120}, // KG_Zahlen_klicken
};
}  // namespace

const GameInfo& GetGameInfo(int index) {
    if (index < 0 || index >= kGameCount) index = 0;
    return g_games[index];
}

Knobel_Game* CreateGame(int index, int level) {
    if (index < 0 || index >= kGameCount || g_games[index].create == nullptr) return nullptr;
    return g_games[index].create(level);
}

void SetGameFactory(int index, GameFactory create) {
    if (index >= 0 && index < kGameCount) g_games[index].create = create;
}
