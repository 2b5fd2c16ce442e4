// Picture building played from the main menu with the shipped archive: every copy is picked
// with the mouse, sized and turned with the keys and dragged onto its silhouette, through the
// menu's own input operations, until the result page, the top-ten line and the totals.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/AppContext.h"
#include "framework/TextFormat.h"
#include "games/KG_Bilder_Basteln/KG_Bilder_Basteln.h"
#include "games/PlayThroughSupport.h"
#include "gui/MainMenu.h"
#include "platform/Archive.h"
#include "platform/Renderer.h"

namespace {
constexpr int kPictureIndex = 0;
using playthrough::H;
using playthrough::Tokens;
using playthrough::W;
using playthrough::ValueAfter;

std::string Contents(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PicturePlayThroughTest : public playthrough::MenuPlayTest {
protected:
    void SetUp() override {
        MenuPlayTest::SetUp();
        app->archive = OpenArchive(KW_DATA_DIR "/sport.gob");
        ASSERT_NE(app->archive, nullptr);
    }
    void TearDown() override {
        CloseArchive(app->archive);
        app->archive = nullptr;
        MenuPlayTest::TearDown();
    }

    // Starts the game from the menu at a level: the first level through the pages, the others
    // by choosing it on the level page.
    KG_Bilder_Basteln* Start(int level) {
        if (level == 0) {
            StartFromMenu(kPictureIndex);
        } else {
            Click(W / 2, H / 2 - 300 + 150 + 25);
            Click(W / 2, H / 2 - 150 + 75 + 25 + 50 * level);
            EXPECT_EQ(menu->level, level);
            Click(W / 2, H / 2 - 150 + 150 + 25);
            while (menu->listFirst > 0) Click(W / 2 - 200 + 175 + 25, H / 2 - 350 + 75 + 25);
            Click(W / 2, H / 2 - 350 + 135 + 25);
            for (int i = 0; i < 100 && menu->game != nullptr && !menu->game->running; ++i) Frame(0.1);
        }
        auto* game = dynamic_cast<KG_Bilder_Basteln*>(menu->game);
        EXPECT_NE(game, nullptr);
        return game;
    }

    void MoveTo(int x, int y) {
        app->prevMouseX = app->mouseX;
        app->prevMouseY = app->mouseY;
        app->mouseX = x;
        app->mouseY = y;
        menu->OnMouseMove(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    }

    // A point of the shape where no other shape lies over it.
    static bool FreePoint(KG_Bilder_Basteln& game, ShapeObject* shape, int& px, int& py) {
        const int half = static_cast<int>(50 * shape->sizeFactor) - 2;
        for (int r = 0; r <= half; r += 3)
            for (int dy = -r; dy <= r; dy += 3)
                for (int dx = -r; dx <= r; dx += 3) {
                    const int x = static_cast<int>(shape->position.x) + dx, y = static_cast<int>(shape->position.y) + dy;
                    if (x < 0 || y < 0 || x >= W || y >= H) continue;
                    if (game.ShapeAt(x, y) == shape) {
                        px = x, py = y;
                        return true;
                    }
                }
        return false;
    }

    // Drags from (x, y) by (dx, dy) with the left button, in a few mouse moves, frame by frame.
    void Drag(int x, int y, int tx, int ty) {
        MoveTo(x, y);
        menu->OnLButtonDown(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        Frame();
        for (int i = 1; i <= 4; ++i) {
            MoveTo(x + (tx - x) * i / 4, y + (ty - y) * i / 4);
            Frame(0.02);
        }
        menu->OnLButtonUp(static_cast<uint16_t>(tx), static_cast<uint16_t>(ty));
        Frame();
        ++drags;
    }

    // Finds a point where the copy lies on top; while there is none, the shape on top of its
    // centre is put aside in a corner (remembered when it lay on its own silhouette).
    void DigOut(KG_Bilder_Basteln& game, ShapeObject* copy, int& px, int& py, std::vector<ShapeObject*>& displaced) {
        for (int tries = 0; !FreePoint(game, copy, px, py); ++tries) {
            ASSERT_LT(tries, 8);
            const int cx = static_cast<int>(copy->position.x), cy = static_cast<int>(copy->position.y);
            ShapeObject* top = game.ShapeAt(cx, cy);
            ASSERT_NE(top, nullptr);
            ASSERT_NE(top, copy);
            if (targetOf.count(top) && top->Fits(*targetOf.at(top))) displaced.push_back(top);
            const int corner = parked++ % 4;
            const int parkX = corner % 2 ? W - 60 : 60, parkY = corner / 2 ? 170 : H - 60;
            Drag(cx, cy, static_cast<int>(parkX + cx - top->position.x), static_cast<int>(parkY + cy - top->position.y));
        }
    }

    // Picks the copy, brings it to the silhouette's size and turn with the keys, and drags it so
    // that its centre lands on the silhouette's. A copy buried under other shapes is dug out
    // first: the shape on top is put aside in a corner, and put back on its own silhouette
    // afterwards if it lay there.
    void Place(KG_Bilder_Basteln& game, ShapeObject* copy, int depth = 0) {
        ASSERT_LT(depth, 8);
        const ShapeObject& target = *targetOf.at(copy);
        if (copy->Fits(target)) return;  // it happened to lie there already
        int px = 0, py = 0;
        std::vector<ShapeObject*> displaced;
        DigOut(game, copy, px, py, displaced);
        if (HasFatalFailure()) return;
        Click(px, py);
        ASSERT_EQ(game.selected, copy);
        for (int i = 0; i < 20 && std::fabs(copy->sizeFactor - target.sizeFactor) > 0.05; ++i) {
            Key(copy->sizeFactor < target.sizeFactor ? 'W' : 'S');
            Frame(0.02);
        }
        ShapeObject probe = *copy;
        probe.position = target.position;
        for (int i = 0; i < 24 && !probe.Fits(target); ++i) {
            Key('D');
            Frame(0.02);
            probe = *copy;
            probe.position = target.position;
        }
        ASSERT_TRUE(probe.Fits(target));
        // Resized, it may have to be taken at another point.
        DigOut(game, copy, px, py, displaced);
        if (HasFatalFailure()) return;
        const int tx = static_cast<int>(std::lround(target.position.x + (px - copy->position.x)));
        const int ty = static_cast<int>(std::lround(target.position.y + (py - copy->position.y)));
        Drag(px, py, tx, ty);
        ASSERT_TRUE(copy->Fits(target)) << "the copy did not land on its silhouette";
        ++placedByDrag;
        for (ShapeObject* again : displaced) {
            if (game.GetState() != kStatePlaying) return;
            Place(game, again, depth + 1);
            if (HasFatalFailure()) return;
        }
    }

    // Every copy onto its silhouette; returns the number of copies placed. The copies are the
    // first shapes, in the order of the silhouettes (the extra shapes of every level follow the
    // picture, and the decoys come last).
    int Solve(KG_Bilder_Basteln& game) {
        std::vector<ShapeObject*> copies;
        for (int i = 0; i < game.silhouettes.Count(); ++i) {
            ShapeObject* copy = game.shapes.Get(i);
            ShapeObject* target = game.silhouettes.Get(i);
            EXPECT_EQ(copy->type, target->type);
            targetOf[copy] = target;
            copies.push_back(copy);
        }
        for (ShapeObject* copy : copies) {
            if (game.GetState() != kStatePlaying) break;
            Place(game, copy);
            if (HasFatalFailure()) return 0;
        }
        return static_cast<int>(copies.size());
    }

    std::map<ShapeObject*, ShapeObject*> targetOf;
    int drags = 0;
    int parked = 0;
    int placedByDrag = 0;
};
}  // namespace

TEST_F(PicturePlayThroughTest, SolvedFromTheMenuToTheTopTenAndTheTotals) {
    KG_Bilder_Basteln* game = Start(0);
    ASSERT_NE(game, nullptr);
    ASSERT_GE(game->PictureNumber(), 0) << "the picture did not come from the archive";
    EXPECT_EQ(game->shapes.Count(), game->silhouettes.Count());
    EXPECT_FALSE(std::filesystem::exists("tmp.file"));
    Frame(1.0);
    EXPECT_EQ(Solve(*game), game->silhouettes.Count());
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_FALSE(std::filesystem::exists("tmp.file"));
    WaitForResultPage();
    EXPECT_EQ(game->GetState(), kStateOver);
    EXPECT_EQ(game->matched, game->silhouettes.Count());
    EXPECT_GE(game->moves, placedByDrag);
    EXPECT_LE(game->moves, drags);
    const double grade = game->GetGrade();
    EXPECT_DOUBLE_EQ(grade, 1.0 + game->GetPlayTime() / (16.0 * game->silhouettes.Count()));
    EXPECT_LT(grade, 1.5);
    Frame();
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(57), game->moves)));
    EXPECT_TRUE(FrameShows(FormatText(app->GetText(50), grade)));
    EnterName();
    EXPECT_EQ(menu->currentPage, kPageGameList);
    ExpectOneTopTenLine("bilder.sav", "Ann_7", grade);

    ExpectTotals(EndProgramAndReadTotals(), {grade});
    EXPECT_FALSE(std::filesystem::exists("tmp.file"));
    app->archive = OpenArchive(KW_DATA_DIR "/sport.gob");
}

// On the hardest level, with the decoys about and a user's "tmp.file" in the working folder,
// which the game neither reads, changes nor removes.
TEST_F(PicturePlayThroughTest, HardestLevelLeavesAUsersTmpFileAlone) {
    std::ofstream("tmp.file", std::ios::binary) << "notes of the user\r\n";
    KG_Bilder_Basteln* game = Start(2);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->level, 2);
    EXPECT_GE(game->shapes.Count(), game->silhouettes.Count() + 10);
    Solve(*game);
    ASSERT_FALSE(HasFatalFailure());
    WaitForResultPage();
    EXPECT_EQ(game->GetState(), kStateOver);
    const double grade = game->GetGrade();
    EXPECT_EQ(Contents("tmp.file"), "notes of the user\r\n");
    EnterName();
    ExpectOneTopTenLine("bilder.sav", "Ann_7", grade);
    EXPECT_EQ(Contents("tmp.file"), "notes of the user\r\n");
}

// Left through the pause menu with a shape held: the shape is put down before the pause page
// shows, and the half-built picture is booked with its grade.
TEST_F(PicturePlayThroughTest, PausedWithAShapeHeldAndLeftEarly) {
    KG_Bilder_Basteln* game = Start(0);
    ASSERT_NE(game, nullptr);
    ShapeObject* shape = game->shapes.Get(game->shapes.Count() - 1);  // the one on top
    int px = 0, py = 0;
    ASSERT_TRUE(FreePoint(*game, shape, px, py));
    const Vec2 grab{shape->position.x - px, shape->position.y - py};
    MoveTo(px, py);
    menu->OnLButtonDown(static_cast<uint16_t>(px), static_cast<uint16_t>(py));
    MoveTo(500, 140);
    Frame();
    ASSERT_TRUE(game->HoldsPiece());
    Key(kKeyEscape);
    Frame();
    EXPECT_EQ(game->GetState(), kStatePaused);
    EXPECT_FALSE(game->HoldsPiece());
    EXPECT_EQ(shape->position, (Vec2{500 + grab.x, 140 + grab.y}));
    EXPECT_EQ(game->moves, 1);
    Click(W / 2, H / 2 - 200 + 300 + 25);  // end the game
    for (int i = 0; i < 5 && menu->game != nullptr; ++i) Frame();
    std::vector<std::string> sav = Tokens("bilder.sav");
    ASSERT_FALSE(sav.empty());
    EXPECT_EQ(ValueAfter(sav, "ANZ_SPIELE:"), 1);
    const double booked = ValueAfter(sav, "ERGS:");
    EXPECT_TRUE(std::isfinite(booked));
    EXPECT_GE(booked, 5.0);
}
