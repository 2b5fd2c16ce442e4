// The number-clicking game: board layout and hit squares, dealing and order, judging clicks,
// the pause between boards, the end after ten boards, grades, the result text and drawing.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "framework/TextFormat.h"
#include "games/KG_Zahlen_klicken/KG_Zahlen_klicken.h"
#include "games/KG_Zahlen_klicken/NumberBoard.h"
#include "platform/FontManager.h"
#include "GameTestSupport.h"

namespace {
namespace nb = number_board;

class FilelessClickNumbers : public KG_Zahlen_klicken {
public:
    FilelessClickNumbers(int level, unsigned seed) : KG_Zahlen_klicken(level, seed) { WithoutFile(*this); }
};

std::vector<NumberTile*> TilesOf(KG_Zahlen_klicken& g) {
    std::vector<NumberTile*> out;
    for (NumberTile* t : g.tiles) out.push_back(t);
    return out;
}

class ClickNumbersTest : public GameTest {
protected:
    void StartGame(int level, unsigned seed) {
        game = std::make_unique<FilelessClickNumbers>(level, seed);
        game->Start();
    }
    static void Click(KG_Zahlen_klicken& g, float x, float y) {
        g.OnLButtonDown(static_cast<uint16_t>(std::lround(x)), static_cast<uint16_t>(std::lround(y)));
    }
    static void ClickTile(KG_Zahlen_klicken& g, const NumberTile* t) { Click(g, t->centre.x, t->centre.y); }
    // Clears the board in order, after `wrong` clicks on the last tile in the order.
    static void ClearBoard(KG_Zahlen_klicken& g, int wrong = 0) {
        std::vector<NumberTile*> tiles = TilesOf(g);
        for (int i = 0; i < wrong; ++i) ClickTile(g, tiles.back());
        for (NumberTile* t : tiles) ClickTile(g, t);
    }
    // Steps through the pause after a board.
    void Pause(KG_Zahlen_klicken& g) {
        for (int i = 0; i < 20 && g.pauseTimer > 0; ++i) Step(g, 0.0625);
    }
    std::unique_ptr<FilelessClickNumbers> game;
};
}  // namespace

TEST_F(ClickNumbersTest, TileCentresAndHitSquaresPerLevel) {
    struct Case {
        int n;
        float first;
    };
    for (Case c : {Case{2, 485.0f}, Case{3, 458.0f}, Case{4, 431.0f}}) {
        const Vec2 o = nb::Origin(c.n, 1024, 768);
        EXPECT_EQ(o.x, c.first);
        EXPECT_EQ(o.y, c.first - 128);
        // The grid is centred on the screen.
        EXPECT_EQ(o.x + (c.n - 1) * 54.0f / 2, 512.0f);
        EXPECT_EQ(o.y + (c.n - 1) * 54.0f / 2, 384.0f);
    }
    const Vec2 c{485.0f, 357.0f};
    EXPECT_TRUE(nb::Hits(c, 485 + 25, 357 - 25)) << "edges and corners included";
    EXPECT_TRUE(nb::Hits(c, 485 - 25, 357 + 25));
    EXPECT_FALSE(nb::Hits(c, 485 + 26, 357));
    EXPECT_FALSE(nb::Hits(c, 485, 357 - 26));

    // On a board: a click 25 pixels from the centre hits, one in the 4-pixel gap between two
    // tiles hits nothing.
    for (int level = 0; level < 3; ++level) {
        FilelessClickNumbers g(level, 1);
        g.Start();
        const int n = 2 + level;
        ASSERT_EQ(g.tiles.Count(), n * n);
        std::set<std::pair<float, float>> centres;
        for (NumberTile* t : g.tiles) centres.insert({t->centre.x, t->centre.y});
        const Vec2 o = nb::Origin(n, 1024, 768);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) EXPECT_TRUE(centres.count({o.x + 54 * i, o.y + 54 * j})) << level;
        const int before = g.tiles.Count();
        Click(g, o.x + 27, o.y);  // between columns 0 and 1
        Click(g, o.x, o.y + 27);  // between rows 0 and 1
        Click(g, o.x - 26, o.y);  // left of the board
        EXPECT_EQ(g.tiles.Count(), before);
        EXPECT_EQ(g.wrongClicks, 0);
        for (NumberTile* t : g.tiles) EXPECT_FALSE(t->clicked);
        // 25 pixels right of the first tile in clicking order: it goes.
        NumberTile* first = g.tiles.Get(0);
        Click(g, first->centre.x + 25, first->centre.y - 25);
        EXPECT_EQ(g.tiles.Count(), before - 1) << level;
        EXPECT_FALSE(g.tiles.Contains(first));
    }
}

TEST_F(ClickNumbersTest, BoardsHoldDistinctNumbersInClickingOrder) {
    bool seenAscending = false, seenDescending = false;
    for (unsigned seed = 0; seed < 200; ++seed) {
        for (int mode = 0; mode < 3; ++mode) {
            const int n = 2 + mode;
            std::srand(seed);
            const nb::Board b = nb::Deal(mode, n, 1024, 768);
            ASSERT_EQ(static_cast<int>(b.tiles.size()), n * n);
            std::set<int> values;
            for (const nb::Tile& t : b.tiles) {
                EXPECT_TRUE(t.value >= 0 && t.value < 20);
                values.insert(t.value);
            }
            EXPECT_EQ(static_cast<int>(values.size()), n * n) << "numbers repeat, seed " << seed;
            if (mode == 0) {
                EXPECT_TRUE(b.ascending);
            }
            if (mode == 1) {
                EXPECT_FALSE(b.ascending);
            }
            if (mode == 2) (b.ascending ? seenAscending : seenDescending) = true;
            for (size_t i = 1; i < b.tiles.size(); ++i) {
                if (b.ascending)
                    EXPECT_LT(b.tiles[i - 1].value, b.tiles[i].value);
                else
                    EXPECT_GT(b.tiles[i - 1].value, b.tiles[i].value);
            }
            if (HasFailure()) return;
        }
    }
    EXPECT_TRUE(seenAscending && seenDescending) << "the third level asks for both orders";
}

TEST_F(ClickNumbersTest, TheOrderIsDrawnBeforeTheNumbersColumnByColumn) {
    std::srand(77);
    const bool ascending = std::rand() % 2 != 0;
    std::vector<int> drawn;
    for (int k = 0; k < 400; ++k) drawn.push_back(std::rand() % 20);
    std::srand(77);
    const nb::Board b = nb::Deal(2, 4, 1024, 768);
    EXPECT_EQ(b.ascending, ascending);
    // The first distinct numbers drawn go to column 0 from the top, then column 1 ...
    std::vector<int> expected;
    for (int v : drawn)
        if (std::find(expected.begin(), expected.end(), v) == expected.end() && expected.size() < 16)
            expected.push_back(v);
    ASSERT_EQ(expected.size(), 16u);
    const Vec2 o = nb::Origin(4, 1024, 768);
    for (int k = 0; k < 16; ++k) {
        const Vec2 centre{o.x + 54.0f * (k / 4), o.y + 54.0f * (k % 4)};
        auto it = std::find_if(b.tiles.begin(), b.tiles.end(), [&](const nb::Tile& t) { return t.centre == centre; });
        ASSERT_NE(it, b.tiles.end());
        EXPECT_EQ(it->value, expected[k]) << "position " << k;
    }
}

TEST_F(ClickNumbersTest, ARightClickRemovesTheTileAWrongOneTurnsItRedEveryTime) {
    StartGame(1, 2);
    std::vector<NumberTile*> tiles = TilesOf(*game);
    ASSERT_EQ(tiles.size(), 9u);
    EXPECT_FALSE(game->ascending);
    EXPECT_GT(tiles[0]->value, tiles[1]->value);
    NumberTile* last = tiles.back();
    ClickTile(*game, last);
    EXPECT_TRUE(last->clicked);
    EXPECT_EQ(game->tiles.Count(), 9);
    EXPECT_EQ(game->wrongClicks, 1);
    EXPECT_FALSE(game->boardPerfect);
    ClickTile(*game, last);  // red already: counts again
    EXPECT_EQ(game->wrongClicks, 2);
    ClickTile(*game, tiles[0]);
    EXPECT_EQ(game->tiles.Count(), 8);
    EXPECT_EQ(game->tiles.Get(0), tiles[1]);
    for (size_t i = 1; i < tiles.size(); ++i) ClickTile(*game, tiles[i]);
    EXPECT_EQ(game->tiles.Count(), 0);
    EXPECT_EQ(game->flawedBoards, 1);
    EXPECT_EQ(game->perfectBoards, 0);
    EXPECT_EQ(game->wrongClicks, 2);
    EXPECT_DOUBLE_EQ(game->pauseTimer, 1.0);
    EXPECT_EQ(app->soundsRequested, 0) << "the game plays no sounds";
}

TEST_F(ClickNumbersTest, ClicksBeforeStartDuringThePauseAndAfterTheEndAreIgnored) {
    game = std::make_unique<FilelessClickNumbers>(0, 3);
    NumberTile* first = game->tiles.Get(0);
    ClickTile(*game, first);
    ClickTile(*game, game->tiles.Get(3));
    EXPECT_EQ(game->tiles.Count(), 4);
    EXPECT_EQ(game->wrongClicks, 0);
    Step(*game, 1.0);
    EXPECT_DOUBLE_EQ(game->playTime, 0.0);
    EXPECT_TRUE(TextsOf(RenderFrame(*game)).empty()) << "nothing shows before the start";
    EXPECT_TRUE(RenderFrame(*game).empty());

    game->Start();
    ClearBoard(*game);
    ASSERT_GT(game->pauseTimer, 0.0);
    Step(*game, 0.5);
    const int dealt = game->DealtBoards();
    // During the pause the board is empty; clicks where the tiles lay do nothing.
    Click(*game, 485, 357);
    EXPECT_EQ(game->wrongClicks, 0);
    Step(*game, 0.5);
    EXPECT_EQ(game->DealtBoards(), dealt + 1);
    EXPECT_EQ(game->tiles.Count(), 4);

    game->SetState(kStatePaused);
    ClickTile(*game, game->tiles.Get(0));
    EXPECT_EQ(game->tiles.Count(), 4);
    game->SetState(kStatePlaying);
    for (int b = 1; b < 10; ++b) {
        ClearBoard(*game);
        Pause(*game);
    }
    ASSERT_EQ(game->state, kStateOver);
    Click(*game, 485, 357);
    EXPECT_EQ(game->wrongClicks, 0);
    EXPECT_EQ(game->perfectBoards, 10);
}

TEST_F(ClickNumbersTest, AGameIsExactlyTenBoardsAndThePausesDoNotCount) {
    StartGame(2, 4);
    for (int b = 1; b <= 10; ++b) {
        EXPECT_EQ(game->DealtBoards(), b);
        EXPECT_EQ(game->tiles.Count(), 16);
        Step(*game, 2.0);
        ClearBoard(*game, b % 3 == 0 ? 1 : 0);
        EXPECT_EQ(game->FinishedBoards(), b);
        EXPECT_EQ(game->state, b < 10 ? kStatePlaying : kStateOver) << "the last clearing click ends the game";
        Step(*game, 0.5);
        Step(*game, 0.5);
        if (b < 10) {
            EXPECT_EQ(game->state, kStatePlaying);
            EXPECT_EQ(game->DealtBoards(), b + 1);
        }
    }
    EXPECT_EQ(game->state, kStateOver);
    EXPECT_EQ(game->DealtBoards(), 10);
    EXPECT_EQ(game->perfectBoards, 7);
    EXPECT_EQ(game->flawedBoards, 3);
    EXPECT_EQ(game->wrongClicks, 3);
    EXPECT_DOUBLE_EQ(game->playTime, 20.0);
    EXPECT_DOUBLE_EQ(game->gameStatistics.time, 30.0);
    Step(*game, 5.0);
    EXPECT_EQ(game->DealtBoards(), 10);
    EXPECT_DOUBLE_EQ(game->playTime, 20.0);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 3.0 / 10 * 5 + 1 + 20.0 / 240) << "a minute per grade step for each four tiles";
}

TEST_F(ClickNumbersTest, EndingTheGameFromThePausePageChargesTheBoardsNotPlayed) {
    StartGame(0, 5);
    for (int b = 1; b < 10; ++b) {
        ClearBoard(*game);
        Pause(*game);
    }
    game->SetState(kStatePaused);
    game->SetState(kStateAborted);
    for (int i = 0; i < 40; ++i) Step(*game, 0.05);
    EXPECT_EQ(game->state, kStateAborted);
    EXPECT_EQ(game->DealtBoards(), 10);
    game->playTime = 30.0;
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 1.0 / 10 * 5 + 1 + 0.5) << "the tenth board counts as flawed";
}

TEST_F(ClickNumbersTest, GradeExamples) {
    StartGame(0, 6);
    game->SetState(kStateOver);
    game->flawedBoards = 2;
    game->perfectBoards = 8;
    game->playTime = 90.0;
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 3.5);
    game->playTime = 600.0;
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 6.0);

    // Left before the first board was finished: no result.
    FilelessClickNumbers early(1, 7);
    early.Start();
    ClickTile(early, TilesOf(early).back());
    early.playTime = 10.0;
    early.SetState(kStateAborted);
    early.ComputeGrade();
    EXPECT_DOUBLE_EQ(early.grade, 6.0);
    // Left after four boards of nine tiles, one of them flawed, at one minute: 7 of 10 charged.
    early.perfectBoards = 3;
    early.flawedBoards = 1;
    early.playTime = 60.0;
    early.ComputeGrade();
    EXPECT_DOUBLE_EQ(early.grade, 3.5 + 1 + 60.0 / 135);
}

TEST_F(ClickNumbersTest, ResultTextListsClicksBoardsShareAverageAndGrade) {
    LoadEnglish();
    StartGame(0, 8);
    for (int b = 0; b < 10; ++b) {
        Step(*game, 3.0);
        ClearBoard(*game, b < 3 ? 2 : 0);
        Pause(*game);
    }
    ASSERT_EQ(game->state, kStateOver);
    game->ComputeGrade();
    // Seven lines: the perfect and flawed boards share one, the grade stands apart.
    const std::string expected = FormatText(app->GetText(22), 0, 30) + "\n" + FormatText(app->GetText(124), 6) + "\n" +
                                 FormatText(app->GetText(30), 7) + "   " + FormatText(app->GetText(31), 3) + "\n" +
                                 FormatText(app->GetText(32), 70) + "\n" + FormatText(app->GetText(41), 3.0) + "\n\n" +
                                 FormatText(app->GetText(50), game->grade);
    EXPECT_EQ(std::string(game->GetResultText()), expected);
    EXPECT_STREQ(game->GetTitle(), app->GetText(120));
    EXPECT_STREQ(game->GetHelpText(), app->GetText(121));

    FilelessClickNumbers none(0, 9);
    none.SetState(kStateAborted);
    none.ComputeGrade();
    const std::string empty = FormatText(app->GetText(32), 0) + "\n" + FormatText(app->GetText(41), 0.0) + "\n\n";
    EXPECT_NE(std::string(none.GetResultText()).find(empty), std::string::npos) << none.GetResultText();
    EXPECT_NE(expected.find("Wrong clicks: 6"), std::string::npos) << expected;
}

TEST_F(ClickNumbersTest, RenderDrawsThePanelTheOrderLineAndTheTilesWithBlackAndRedNumbers) {
    LoadEnglish();
    StartGame(1, 10);
    std::vector<NumberTile*> tiles = TilesOf(*game);
    ClickTile(*game, tiles.back());
    std::vector<DrawCommand> frame = RenderFrame(*game);
    EXPECT_EQ(SpritesOf(frame, app->texMenu2).size(), 2u);
    std::vector<DrawCommand> texts = TextsOf(frame);
    ASSERT_EQ(texts.size(), 3u + 9u);
    EXPECT_EQ(texts[0].text, FormatText(app->GetText(63), 0, 0));
    EXPECT_EQ(texts[1].text, FormatText(app->GetText(451), 1, 10));
    EXPECT_STREQ(texts[2].text.c_str(), app->GetText(123));
    EXPECT_EQ(texts[2].rect, (Rect{362, 257, 662, 297})) << "right above the board's top row (tiles from y 305)";
    std::vector<DrawCommand> sheet = SpritesOf(frame, app->texMisc1);
    ASSERT_EQ(sheet.size(), 9u);
    for (size_t i = 0; i < tiles.size(); ++i) {
        EXPECT_EQ(sheet[i].src, (Rect{550, 0, 600, 50}));
        EXPECT_FLOAT_EQ(sheet[i].transform[0], 1.0f);
        EXPECT_FLOAT_EQ(sheet[i].transform[4], tiles[i]->centre.x - 25);
        EXPECT_FLOAT_EQ(sheet[i].transform[5], tiles[i]->centre.y - 25);
        EXPECT_EQ(sheet[i].color, 0xFFFFFFFFu);
        const DrawCommand& number = texts[3 + i];
        EXPECT_EQ(number.text, std::to_string(tiles[i]->value));
        EXPECT_EQ(number.color, i + 1 == tiles.size() ? 0xFFFF0000u : 0xFF000000u);
        EXPECT_EQ(number.format, kTextCenter | kTextVCenter);
        ASSERT_NE(number.font, nullptr);
        EXPECT_EQ(number.font->height, KG_Zahlen_klicken::kDigitHeight);
    }

    FilelessClickNumbers up(0, 11);
    up.Start();
    texts = TextsOf(RenderFrame(up));
    ASSERT_GE(texts.size(), 3u);
    EXPECT_STREQ(texts[2].text.c_str(), app->GetText(122));
    up.SetState(kStateOver);
    frame = RenderFrame(up);
    EXPECT_TRUE(SpritesOf(frame, app->texMenu2).empty());
    EXPECT_EQ(SpritesOf(frame, app->texMisc1).size(), 4u);
}
