#include <cmath>
#include <memory>
#include <vector>

#include "games/KG_MMaster/CodeScore.h"
#include "games/KG_MMaster/KG_MMaster.h"
#include "GameTestSupport.h"

namespace {
constexpr int R = kPegRed, B = kPegBlue, G = kPegGreen, Y = kPegYellow, O = kPegOrange, M = kPegMagenta;

class FilelessMMaster : public KG_MMaster {
public:
    FilelessMMaster(int level, unsigned seed) : KG_MMaster(level, seed) { WithoutFile(*this); }
};

struct ScoreCase {
    std::vector<int> code, guess;
    int blacks, whites;
};

class MMasterTest : public GameTest {
protected:
    void StartGame(int level, unsigned seed = 1) {
        game = std::make_unique<FilelessMMaster>(level, seed);
        game->Start();
        Settle();
    }
    // Long enough for every peg to reach its place.
    void Settle() {
        Step(*game, 0.1);
        Step(*game, 0.1);
    }

    static uint16_t U(float v) { return static_cast<uint16_t>(std::lround(v)); }
    Peg* PalettePeg(int colour) {
        for (Peg* p : game->palette)
            if (p->colour == colour) return p;
        return nullptr;
    }
    // Presses on a palette peg, drags it by the pointer's way and lets go at the point.
    void DragFromPalette(int colour, Vec2 to) {
        Peg* p = PalettePeg(colour);
        ASSERT_NE(p, nullptr);
        const Vec2 from = p->position;
        game->OnLButtonDown(U(from.x), U(from.y));
        ASSERT_EQ(game->heldPeg, p);
        game->OnMouseMove(U((from.x + to.x) / 2), U((from.y + to.y) / 2));
        game->OnMouseMove(U(to.x), U(to.y));
        game->OnLButtonUp(U(to.x), U(to.y));
        Settle();
    }
    void FillRow(const std::vector<int>& colours) {
        for (size_t k = 0; k < colours.size(); ++k)
            DragFromPalette(colours[k], game->HolePosition(game->currentRow, static_cast<int>(k)));
    }
    void ClickBoard() {
        const Vec2 b = game->KeyBoardPosition(game->currentRow);
        game->OnLButtonDown(U(b.x), U(b.y));
        game->OnLButtonUp(U(b.x), U(b.y));
    }
    void Guess(const std::vector<int>& colours) {
        FillRow(colours);
        ClickBoard();
        Settle();
    }
    // A guess with no peg of the code's colours at all (there are six colours and at most five
    // in the code), or the code itself.
    std::vector<int> WrongGuess() {
        std::vector<int> code = game->Code();
        int missing = 0;
        while (std::find(code.begin(), code.end(), missing) != code.end()) ++missing;
        return std::vector<int>(code.size(), missing);
    }
    std::vector<int> KeyColours(int row) {
        std::vector<int> out;
        for (Peg* p : game->keyBoards.Get(row)->keyPegs) out.push_back(p->colour);
        return out;
    }

    std::unique_ptr<FilelessMMaster> game;
};
}  // namespace

TEST(CodeScore, BlacksAndWhitesWithRepeatedColours) {
    const ScoreCase cases[] = {
        {{R, R, B, G}, {R, B, R, Y}, 1, 2},
        {{R, R, B, B}, {B, B, R, R}, 0, 4},
        {{R, B, B, B}, {B, R, R, R}, 0, 2},
        {{R, R, R, R}, {R, R, R, R}, 4, 0},
        {{R, R, R, R}, {B, G, Y, O}, 0, 0},
        {{R, B, G, Y}, {Y, G, B, R}, 0, 4},
        {{R, R, B, G}, {R, R, R, R}, 2, 0},
        {{R, B, G, Y, O}, {R, G, B, Y, M}, 2, 2},
        {{R, R, R, R, B}, {R, R, R, R, R}, 4, 0},
        {{B, R, R, G, G}, {R, B, G, R, M}, 0, 4},
        {{M, M, O, O, Y}, {M, O, M, Y, Y}, 2, 2},
    };
    for (const ScoreCase& c : cases) {
        for (bool positional : {false, true}) {
            GuessScore s = ScoreGuess(c.code, c.guess, positional);
            EXPECT_EQ(s.blacks, c.blacks) << ::testing::PrintToString(c.guess);
            EXPECT_EQ(s.whites, c.whites) << ::testing::PrintToString(c.guess);
            ASSERT_EQ(static_cast<int>(s.awards.size()), c.blacks + c.whites);
            for (size_t i = 0; i < s.awards.size(); ++i) {
                EXPECT_EQ(s.awards[i].black, static_cast<int>(i) < c.blacks) << "blacks come first";
                if (!positional) {
                    EXPECT_EQ(s.awards[i].slot, -1);
                }
            }
        }
    }
}

TEST(CodeScore, PositionalSlotsNameThePegsTheyReferTo) {
    GuessScore s = ScoreGuess({R, R, B, G}, {R, B, R, Y}, true);
    ASSERT_EQ(s.awards.size(), 3u);
    EXPECT_TRUE(s.awards[0].black);
    EXPECT_EQ(s.awards[0].slot, 0);
    EXPECT_EQ(s.awards[1].slot, 1);
    EXPECT_EQ(s.awards[2].slot, 2);
    // The white goes to the guess peg that is in the code elsewhere, not to the code's place.
    s = ScoreGuess({G, R, R, R}, {B, B, B, G}, true);
    ASSERT_EQ(s.awards.size(), 1u);
    EXPECT_FALSE(s.awards[0].black);
    EXPECT_EQ(s.awards[0].slot, 3);
}

TEST(CodeScore, GuessesOfADifferentLengthAreCutToTheShorter) {
    GuessScore s = ScoreGuess({R, B, G, Y}, {R, B}, false);
    EXPECT_EQ(s.blacks, 2);
    EXPECT_EQ(s.whites, 0);
    s = ScoreGuess({}, {R}, true);
    EXPECT_EQ(s.blacks + s.whites, 0);
}

TEST_F(MMasterTest, LayoutAndCodeByLevel) {
    for (int level = 0; level < 3; ++level) {
        FilelessMMaster g(level, 3);
        EXPECT_EQ(g.codeLength, level == 2 ? 5 : 4);
        EXPECT_EQ(g.positionalHints, level == 0);
        EXPECT_EQ(g.maxRows, 8);
        EXPECT_EQ(g.rows.Count(), 8);
        EXPECT_EQ(g.keyBoards.Count(), 8);
        EXPECT_EQ(g.secretCode.Count(), g.codeLength);
        EXPECT_TRUE(g.palette.Empty()) << "the palette is filled once the game runs";
        for (PegHole* hole : g.secretCode) {
            ASSERT_NE(hole->peg, nullptr);
            EXPECT_GE(hole->peg->colour, 0);
            EXPECT_LT(hole->peg->colour, 6);
            // Created where it belongs, so that the revealed code shows in the code row.
            EXPECT_EQ(hole->peg->position, hole->position);
            EXPECT_EQ(hole->peg->home, hole->position);
        }
    }
    FilelessMMaster four(0, 3);
    EXPECT_EQ(four.HolePosition(0, 0), (Vec2{434.0f, 576.5f}));
    EXPECT_EQ(four.HolePosition(0, 3), (Vec2{590.0f, 576.5f}));
    EXPECT_EQ(four.HolePosition(7, 0), (Vec2{434.0f, 191.5f}));
    EXPECT_EQ(four.KeyBoardPosition(0), (Vec2{652.0f, 576.5f}));
    EXPECT_EQ(four.CodeHolePosition(2), (Vec2{538.0f, 109.0f}));
    EXPECT_EQ(four.PaletteHome(0, 6), (Vec2{362.0f, 698.0f}));
    FilelessMMaster five(2, 3);
    EXPECT_EQ(five.HolePosition(0, 0), (Vec2{434.0f, 576.5f}));
    EXPECT_EQ(five.KeyBoardPosition(0), (Vec2{704.0f, 576.5f}));
}

TEST_F(MMasterTest, ThePaletteOffersEveryColourAndRefillsWhatIsTaken) {
    StartGame(1);
    ASSERT_EQ(game->palette.Count(), 6);
    for (int c = 0; c < 6; ++c) {
        Peg* p = game->palette.Get(c);
        EXPECT_EQ(p->colour, c);
        EXPECT_EQ(p->position, game->PaletteHome(c, 6));
    }
    Peg* red = PalettePeg(R);
    game->OnLButtonDown(U(red->position.x), U(red->position.y));
    EXPECT_TRUE(game->HoldsPiece());
    Settle();
    // The held peg keeps its colour on offer; nothing is added for it.
    EXPECT_EQ(game->palette.Count(), 5);
    game->OnLButtonUp(U(red->position.x), U(red->position.y));
    EXPECT_FALSE(game->HoldsPiece());
    EXPECT_EQ(game->palette.Get(R), red) << "a peg dropped off the board goes back to its place";
    Settle();
    EXPECT_EQ(game->palette.Count(), 6);
}

TEST_F(MMasterTest, DraggedPegsFillTheCurrentRowOnly) {
    StartGame(1);
    DragFromPalette(G, game->HolePosition(0, 2));
    PegHole* hole = game->Row(0)->Get(2);
    ASSERT_NE(hole->peg, nullptr);
    EXPECT_EQ(hole->peg->colour, G);
    EXPECT_EQ(hole->peg->home, hole->position);
    EXPECT_EQ(game->palette.Count(), 6) << "a new green peg took its place";
    EXPECT_EQ(game->palette.Get(G)->colour, G) << "in the palette's order, not at its end";
    // A hole of a later row does not take a peg: it goes back to the palette.
    DragFromPalette(B, game->HolePosition(1, 0));
    EXPECT_EQ(game->Row(1)->Get(0)->peg, nullptr);
    EXPECT_EQ(game->palette.Count(), 6);
    EXPECT_EQ(game->palette.Get(B)->colour, B) << "back at its place";
    DragFromPalette(R, game->HolePosition(0, 2));
    EXPECT_EQ(hole->peg->colour, R) << "a palette peg takes the place of the one in the hole";
    DragFromPalette(G, game->HolePosition(0, 2));
    // Pulled out of the row and dropped elsewhere, however often, a peg goes back to its hole.
    for (int drop = 0; drop < 20; ++drop, Settle()) {
        game->OnLButtonDown(U(hole->position.x), U(hole->position.y));
        game->OnLButtonUp(U(hole->position.x), static_cast<uint16_t>(drop % 2 ? 700 : 20));
    }
    EXPECT_EQ(hole->Colour(), G);
    EXPECT_EQ(game->palette.Count(), 6);
    // A peg in the current row can be picked up again and moved to another hole.
    game->OnLButtonDown(U(hole->position.x), U(hole->position.y));
    EXPECT_EQ(hole->peg, nullptr);
    ASSERT_NE(game->heldPeg, nullptr);
    const Vec2 to = game->HolePosition(0, 0);
    game->OnMouseMove(U(to.x), U(to.y));
    game->OnLButtonUp(U(to.x), U(to.y));
    EXPECT_EQ(game->Row(0)->Get(0)->Colour(), G);
}

TEST_F(MMasterTest, AKeyBoardClickWithAnEmptyHoleDoesNothing) {
    StartGame(0);
    FillRow({R, B, G});
    ClickBoard();
    EXPECT_EQ(game->currentRow, 0);
    EXPECT_EQ(game->keyBoards.Get(0)->blackCount + game->keyBoards.Get(0)->whiteCount, 0);
    for (int colour : KeyColours(0)) EXPECT_EQ(colour, kPegEmpty);
    DragFromPalette(Y, game->HolePosition(0, 3));
    ClickBoard();
    EXPECT_EQ(game->currentRow, 1);
}

TEST_F(MMasterTest, KeyPegsSitAtTheirPegsOnTheEasiestLevelAndInFrontOtherwise) {
    for (int level : {0, 1}) {
        StartGame(level, 11);
        // Set the code so that the result is known: red, red, blue, green.
        const int code[] = {R, R, B, G};
        int k = 0;
        for (PegHole* hole : game->secretCode) hole->peg->colour = code[k++];
        Guess({R, B, R, Y});
        KeyBoard* board = game->keyBoards.Get(0);
        EXPECT_EQ(board->blackCount, 1);
        EXPECT_EQ(board->whiteCount, 2);
        if (level == 0) {
            EXPECT_EQ(KeyColours(0), (std::vector<int>{kKeyBlack, kKeyWhite, kKeyWhite, kPegEmpty, kPegEmpty}));
        } else {
            EXPECT_EQ(KeyColours(0), (std::vector<int>{kKeyWhite, kKeyWhite, kKeyBlack, kPegEmpty, kPegEmpty,
                                                       kPegEmpty, kPegEmpty, kPegEmpty}));
        }
        int slot = 0;
        for (Peg* p : board->keyPegs) {
            const Vec2 offset = KeyBoard::SlotOffset(slot++);
            EXPECT_EQ(p->position, (Vec2{board->position.x + offset.x, board->position.y + offset.y}));
        }
        // The scored row is closed: its pegs cannot be picked up again.
        const Vec2 first = game->HolePosition(0, 0);
        game->OnLButtonDown(U(first.x), U(first.y));
        EXPECT_EQ(game->heldPeg, nullptr);
        EXPECT_EQ(game->Row(0)->Get(0)->Colour(), R);
        game->OnLButtonUp(U(first.x), U(first.y));
    }
}

TEST_F(MMasterTest, KeyPegsAreDrawnAtHalfSizeSoThatFourFitOnABoard) {
    StartGame(2, 5);
    int k = 0;
    for (PegHole* hole : game->secretCode) hole->peg->colour = k++ % 6;  // R B G Y O
    Guess({R, B, G, O, Y});
    const auto frame = RenderFrame(*game);
    int keys = 0;
    for (const DrawCommand& c : SpritesOf(frame, app->texMisc1)) {
        if (c.src != Rect{605, 5, 645, 45} || c.color == 0x30000000) continue;  // not the dimples of empty holes
        if (c.color == 0xFF000000 || c.color == 0xFFFFFFFF) {
            ++keys;
            EXPECT_FLOAT_EQ(c.transform[0], 0.5f);
            EXPECT_FLOAT_EQ(c.transform[3], 0.5f);
        } else {
            EXPECT_FLOAT_EQ(c.transform[0], 1.0f) << "a playing peg is drawn whole";
        }
    }
    EXPECT_EQ(keys, 5);
}

TEST_F(MMasterTest, FindingTheCodeShowsItAndEndsTheGameTwoSecondsLater) {
    StartGame(1, 21);
    auto codePegsDrawn = [&] {
        int n = 0;
        for (const DrawCommand& c : SpritesOf(RenderFrame(*game), app->texMisc1))
            if (c.src == Rect{605, 5, 645, 45} && c.transform[5] == 109.0f - 20.0f) ++n;
        return n;
    };
    EXPECT_EQ(codePegsDrawn(), 0) << "the code is hidden while it is sought";
    Guess(WrongGuess());
    Guess(game->Code());
    EXPECT_TRUE(game->won);
    EXPECT_TRUE(game->finished);
    EXPECT_EQ(game->currentRow, 2);
    EXPECT_EQ(game->state, kStatePlaying);
    EXPECT_EQ(codePegsDrawn(), 4);
    // No row is lit any more: the third row's holes are drawn dim.
    for (const DrawCommand& c : SpritesOf(RenderFrame(*game), app->texMisc1))
        if (c.src == Rect{550, 0, 600, 50} && c.transform[5] == game->HolePosition(2, 0).y - 25) {
            EXPECT_NE(c.color, 0xFFFFFFFFu);
        }
    const double t = game->playTime;
    Step(*game, 1.0);
    EXPECT_EQ(game->state, kStatePlaying);
    EXPECT_DOUBLE_EQ(game->playTime, t) << "the clock stops with the last scoring";
    Step(*game, 1.0);
    EXPECT_EQ(game->state, kStateOver);
    EXPECT_EQ(codePegsDrawn(), 4);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 1.0 + t / 200.0);
}

// Frame times that add up to exactly the two seconds leave the end timer at 0: the game is over
// and a ninth row (past the board) can never be scored.
TEST_F(MMasterTest, NoInputAfterTheLastScoringEvenWhenTheEndTimerLandsOnZero) {
    StartGame(0, 31);
    const std::vector<int> wrong = WrongGuess();
    for (int r = 0; r < 8; ++r) Guess(wrong);
    EXPECT_EQ(game->currentRow, 8);
    EXPECT_TRUE(game->finished);
    EXPECT_FALSE(game->won);
    const int paletteBefore = game->palette.Count();
    // During the two seconds nothing is taken: no palette peg, no hole, no key board.
    Peg* red = game->palette.Get(0);
    game->OnLButtonDown(U(red->position.x), U(red->position.y));
    EXPECT_FALSE(game->HoldsPiece());
    game->OnLButtonUp(U(red->position.x), U(red->position.y));
    game->endTimer = 2.0;
    Step(*game, 0.5);
    Step(*game, 1.5);
    EXPECT_EQ(game->endTimer, 0.0);
    EXPECT_EQ(game->state, kStateOverOther);
    game->SetState(kStatePlaying);  // even a game put back into play takes no more input
    game->OnLButtonDown(U(red->position.x), U(red->position.y));
    game->OnLButtonUp(U(red->position.x), U(red->position.y));
    const Vec2 b = game->KeyBoardPosition(7);
    game->OnLButtonDown(U(b.x), U(b.y));
    EXPECT_EQ(game->currentRow, 8);
    EXPECT_EQ(game->palette.Count(), paletteBefore);
    EXPECT_FALSE(game->HoldsPiece());
    Step(*game, 0.1);
    EXPECT_EQ(game->state, kStateOverOther) << "the end state comes from the finished game";
}

TEST_F(MMasterTest, APressWhileAPegIsHeldDropsItFirst) {
    StartGame(1);
    Peg* red = PalettePeg(R);
    game->OnLButtonDown(U(red->position.x), U(red->position.y));
    ASSERT_EQ(game->heldPeg, red);
    // The button-up went to a page; the next press lands on a hole of the current row.
    const Vec2 hole = game->HolePosition(0, 1);
    game->OnLButtonDown(U(hole.x), U(hole.y));
    // The peg went into the hole, and the press picked it up again from there.
    EXPECT_EQ(game->heldPeg, red);
    EXPECT_EQ(game->Row(0)->Get(1)->peg, nullptr);
    EXPECT_EQ(game->palette.IndexOf(red), -1);
    game->OnLButtonUp(U(hole.x), U(hole.y));
    EXPECT_EQ(game->Row(0)->Get(1)->peg, red);
    // The menu's pause hands a held peg the button-up where the pointer is.
    Peg* blue = PalettePeg(B);
    const int blueAt = game->palette.IndexOf(blue);
    game->OnLButtonDown(U(blue->position.x), U(blue->position.y));
    ASSERT_TRUE(game->HoldsPiece());
    game->OnLButtonUp(10, 10);
    EXPECT_FALSE(game->HoldsPiece());
    EXPECT_EQ(game->palette.IndexOf(blue), blueAt);
    // A peg still held when the game is deleted is freed with it (the leak check sees it).
    Peg* green = PalettePeg(G);
    game->OnLButtonDown(U(green->position.x), U(green->position.y));
    EXPECT_TRUE(game->HoldsPiece());
    game.reset();
}

TEST_F(MMasterTest, InputBeforeTheStartOrWhilePausedIsIgnored) {
    game = std::make_unique<FilelessMMaster>(0, 2);
    Step(*game, 0.2);
    EXPECT_TRUE(game->palette.Empty());
    EXPECT_TRUE(RenderFrame(*game).empty()) << "nothing is drawn before the start";
    game->Start();
    Settle();
    Peg* red = PalettePeg(R);
    game->SetState(kStatePaused);
    game->OnLButtonDown(U(red->position.x), U(red->position.y));
    EXPECT_FALSE(game->HoldsPiece());
    game->SetState(kStatePlaying);
    game->OnLButtonDown(U(red->position.x), U(red->position.y));
    EXPECT_TRUE(game->HoldsPiece());
    game->OnMouseMove(U(red->position.x + 30), U(red->position.y - 40));
    EXPECT_FLOAT_EQ(red->home.x, game->PaletteHome(0, 6).x + 30);
    game->OnLButtonUp(U(red->position.x + 30), U(red->position.y - 40));
}

TEST(MMasterGrade, FoundOrNotWithTheFloorForACodeNotFound) {
    // Found within five rows costs nothing, each further row a step, a step per 200 s.
    EXPECT_DOUBLE_EQ(KG_MMaster::WonGrade(2, 8, 60.0), 1.3);
    EXPECT_DOUBLE_EQ(KG_MMaster::WonGrade(5, 8, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(KG_MMaster::WonGrade(6, 8, 0.0), 2.0);
    EXPECT_DOUBLE_EQ(KG_MMaster::WonGrade(8, 8, 400.0), 6.0);
    EXPECT_DOUBLE_EQ(KG_MMaster::WonGrade(8, 8, 120.0), 4.6);
    // Not found: the share of pegs the last row missed and a step per minute...
    EXPECT_DOUBLE_EQ(KG_MMaster::NotFoundGrade(8, 2, 4, 8, 60.0), 4.5);
    EXPECT_DOUBLE_EQ(KG_MMaster::NotFoundGrade(8, 0, 5, 8, 0.0), 6.0);
    // ...but never better than finding the code in the last row.
    EXPECT_DOUBLE_EQ(KG_MMaster::NotFoundGrade(8, 3, 4, 8, 120.0), 4.6);
    EXPECT_DOUBLE_EQ(KG_MMaster::NotFoundGrade(1, 3, 4, 8, 15.0), 4.075);
    EXPECT_DOUBLE_EQ(KG_MMaster::NotFoundGrade(3, 4, 4, 8, 0.0), 4.0);
    EXPECT_DOUBLE_EQ(KG_MMaster::NotFoundGrade(0, 0, 4, 8, 10.0), 6.0);
}

TEST_F(MMasterTest, TheGradeFollowsTheCodeFoundNotTheState) {
    LoadEnglish();
    StartGame(1, 41);
    game->SetState(kStateAborted);
    game->ComputeGrade();
    EXPECT_EQ(game->grade, 6.0) << "left before any row was scored";
    game->SetState(kStatePlaying);
    Guess(WrongGuess());
    Guess(game->Code());
    game->playTime = 30.0;
    game->SetState(kStateAborted);  // left during the two seconds that show the code
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 1.15);
    Step(*game, 3.0);
    EXPECT_EQ(game->state, kStateAborted) << "a game left early stays left";
    const std::string text = game->GetResultText();
    EXPECT_NE(text.find("1.15"), std::string::npos) << text;
}
