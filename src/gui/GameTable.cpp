#include "gui/GameTable.h"

#include "games/KG_Bilder_Basteln/KG_Bilder_Basteln.h"
#include "games/KG_CrazyQuader/KG_CrazyQuader.h"
#include "games/KG_Datum_Game/KG_Datum_Game.h"
#include "games/KG_Dreieck_rechnen/KG_Dreieck_rechnen.h"
#include "games/KG_Gedaechtnis/KG_Gedaechtnis.h"
#include "games/KG_MMaster/KG_MMaster.h"
#include "games/KG_Memory/KG_Memory.h"
#include "games/KG_Ordo/KG_Ordo.h"
#include "games/KG_Quadrat_addieren/KG_Quadrat_addieren.h"
#include "games/KG_Quadrat_merken/KG_Quadrat_merken.h"
#include "games/KG_Schiebe_Puzzle/KG_Schiebe_Puzzle.h"
#include "games/KG_Sudoku9x9/KG_Sudoku9x9.h"
#include "games/KG_Uhr_lesen/KG_Uhr_lesen.h"
#include "games/KG_Waage_Game_Fruechte/KG_Waage_Game_Fruechte.h"
#include "games/KG_Wechselgeld_Game/KG_Wechselgeld_Game.h"
#include "games/KG_Zahlen_klicken/KG_Zahlen_klicken.h"

namespace {
GameInfo g_games[kGameCount] = {
    {0, [](int level) -> Knobel_Game* { return new KG_Bilder_Basteln(level); }, 20},
    {1, [](int level) -> Knobel_Game* { return new KG_CrazyQuader(level); }, 105},
    {2, [](int level) -> Knobel_Game* { return new KG_Datum_Game(level); }, 170},
    {3, [](int level) -> Knobel_Game* { return new KG_Dreieck_rechnen(level); }, 42},
    {4, [](int level) -> Knobel_Game* { return new KG_Gedaechtnis(level); }, 18},
    {5, [](int level) -> Knobel_Game* { return new KG_Memory(level); }, 19},
    {6, [](int level) -> Knobel_Game* { return new KG_MMaster(level); }, 125},
    {7, [](int level) -> Knobel_Game* { return new KG_Ordo(level); }, 130},
    {8, [](int level) -> Knobel_Game* { return new KG_Quadrat_merken(level); }, 21},
    {9, [](int level) -> Knobel_Game* { return new KG_Quadrat_addieren(level); }, 100},
    {10, [](int level) -> Knobel_Game* { return new KG_Schiebe_Puzzle(level); }, 17},
    {11, [](int level) -> Knobel_Game* { return new KG_Sudoku9x9(level); }, 14},
    {12, [](int level) -> Knobel_Game* { return new KG_Uhr_lesen(level); }, 110},
    {13, [](int level) -> Knobel_Game* { return new KG_Waage_Game_Fruechte(level); }, 135},
    {14, [](int level) -> Knobel_Game* { return new KG_Wechselgeld_Game(level); }, 140},
    {15, [](int level) -> Knobel_Game* { return new KG_Zahlen_klicken(level); }, 120},
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
