// Picture building: the fit of a shape on its silhouette, the keys, the scattered copies and
// decoys, matching and snapping with their sounds, the mouse rules and the grades.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/TextFormat.h"
#include "games/KG_Bilder_Basteln/KG_Bilder_Basteln.h"
#include "games/KG_Bilder_Basteln/PictureLevel.h"
#include "platform/Archive.h"
#include "GameTestSupport.h"

namespace {
constexpr int W = 1024, H = 768;

ShapeObject Shape(int type, float x, float y, int rotation = 0, double size = 1.0) {
    ShapeObject s;
    s.type = type;
    s.position = Vec2{x, y};
    s.rotation = rotation;
    s.sizeFactor = size;
    return s;
}

uint16_t U(double v) { return static_cast<uint16_t>(std::lround(v)); }

class PictureGame : public KG_Bilder_Basteln {
public:
    PictureGame(int level, unsigned seed) : KG_Bilder_Basteln(level, seed) { WithoutFile(*this); }
};

class PictureBuildingTest : public GameTest {
protected:
    void TearDown() override {
        game.reset();
        CloseArchive(app->archive);
        app->archive = nullptr;
        GameTest::TearDown();
    }
    void Start(int level = 0, unsigned seed = 1) {
        game = std::make_unique<PictureGame>(level, seed);
        game->Start();
    }
    // A game whose picture is the given silhouettes, with no shapes yet.
    void StartWith(const std::vector<ShapeObject>& picture) {
        Start();
        game->selected = game->lastMoved = nullptr;
        game->shapes.Clear(true);
        game->silhouettes.Clear(true);
        for (const ShapeObject& s : picture) game->silhouettes.Add(new ShapeObject(s));
    }
    ShapeObject* AddShape(const ShapeObject& s) {
        ShapeObject* shape = new ShapeObject(s);
        game->shapes.Add(shape);
        return shape;
    }
    // An archive whose entries bb_0 .. bb_12 are the given texts (empty texts are left out).
    void UseArchive(const std::vector<std::string>& levels) {
        std::vector<ArchiveEntry> entries{{"misc1.PNG", {1, 2, 3}}};
        for (size_t i = 0; i < levels.size(); ++i)
            if (!levels[i].empty())
                entries.push_back({"bb_" + std::to_string(i), std::vector<uint8_t>(levels[i].begin(), levels[i].end())});
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(BuildArchive(entries, bytes, error)) << error;
        std::ofstream("sport.gob", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        app->archive = OpenArchive("sport.gob");
        ASSERT_NE(app->archive, nullptr);
    }
    void Drag(double fromX, double fromY, double toX, double toY) {
        game->OnLButtonDown(U(fromX), U(fromY));
        game->OnMouseMove(U((fromX + toX) / 2), U((fromY + toY) / 2));
        game->OnMouseMove(U(toX), U(toY));
        game->OnLButtonUp(U(toX), U(toY));
    }
    std::vector<ShapeObject*> Shapes() {
        std::vector<ShapeObject*> out;
        for (ShapeObject* s : game->shapes) out.push_back(s);
        return out;
    }
    std::vector<ShapeObject*> Silhouettes() {
        std::vector<ShapeObject*> out;
        for (ShapeObject* s : game->silhouettes) out.push_back(s);
        return out;
    }
    std::unique_ptr<PictureGame> game;
};

// The three level texts used below: a silhouette of each type, and an extra shape or two.
std::string LevelWithExtras(int x) {
    return "ZIELOBJEKT_START\n"
           "OBJEKT_START POSITON: " + std::to_string(x) + " 300 SCALE: 1 1 ROT: 30 TYP: 0 SFACTOR: 1.5 OBJEKT_END\n"
           "OBJEKT_START POSITON: 600 300 SCALE: 1 1 ROT: 0 TYP: 1 SFACTOR: 1 OBJEKT_END\n"
           "ZIELOBJEKT_END BAUOBJEKT_START\n"
           "OBJEKT_START POSITON: 150 650 SCALE: 1 1 ROT: 90 TYP: 3 SFACTOR: 0.8 OBJEKT_END\n"
           "BAUOBJEKT_END ZIELOBJEKT_START\n"
           "OBJEKT_START POSITON: 700 500 SCALE: 1 1 ROT: 180 TYP: 2 SFACTOR: 0.5 OBJEKT_END\n"
           "OBJEKT_START POSITON: 800 500 SCALE: 1 1 ROT: 90 TYP: 3 SFACTOR: 2 OBJEKT_END\n"
           "ZIELOBJEKT_END BAUOBJEKT_START\n"
           "OBJEKT_START POSITON: 850 650 SCALE: 1 1 ROT: 0 TYP: 1 SFACTOR: 0.6 OBJEKT_END\n"
           "BAUOBJEKT_END\n";
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// The fit of a shape on a silhouette

TEST(PictureShape, FitsByTypeTurnDistanceAndSize) {
    struct Case {
        int type, silhouetteTurn, shapeTurn;
        bool fits;
    } turns[] = {
        {0, 350, 80, true},   {0, 350, 20, false}, {0, 0, 270, true},   {0, 45, 135, true},   {0, 45, 90, false},
        {2, 10, 130, true},   {2, 10, 250, true},  {2, 10, 70, false},  {2, 0, 180, false},   {2, 90, 330, true},
        {3, 0, 180, true},    {3, 0, 90, false},   {3, 45, 225, true},  {3, 45, 135, false},
        {1, 0, 15, true},     {1, 90, 345, true},  {1, 0, 180, true},
    };
    for (const Case& c : turns) {
        ShapeObject s = Shape(c.type, 300, 300, c.silhouetteTurn);
        ShapeObject b = Shape(c.type, 300, 300, c.shapeTurn);
        EXPECT_EQ(b.Fits(s), c.fits) << "type " << c.type << ": " << c.silhouetteTurn << " vs " << c.shapeTurn;
    }
    const ShapeObject s = Shape(0, 300, 300, 0, 1.2);
    EXPECT_TRUE(Shape(0, 310, 300, 0, 1.2).Fits(s));
    EXPECT_TRUE(Shape(0, 306, 308, 0, 1.2).Fits(s));  // distance exactly 10
    EXPECT_FALSE(Shape(0, 310.5f, 300, 0, 1.2).Fits(s));
    EXPECT_FALSE(Shape(0, 307, 308, 0, 1.2).Fits(s));
    EXPECT_TRUE(Shape(0, 300, 300, 0, 1.24).Fits(s));
    EXPECT_TRUE(Shape(0, 300, 300, 0, 1.16).Fits(s));
    EXPECT_FALSE(Shape(0, 300, 300, 0, 1.26).Fits(s));
    EXPECT_FALSE(Shape(0, 300, 300, 0, 1.14).Fits(s));
    EXPECT_FALSE(Shape(1, 300, 300, 0, 1.2).Fits(s));  // another type
    // Six steps up from 0.6 reach the 1.2 of a level, however the tenths add up.
    ShapeObject grown = Shape(0, 300, 300, 0, 0.6);
    for (int i = 0; i < 6; ++i) grown.AddSize(ShapeObject::kSizeStep);
    EXPECT_TRUE(grown.Fits(s));
    EXPECT_NEAR(grown.sizeFactor, 1.2, 1e-12);
    // A triangle needs the vertical scale of its silhouette too.
    ShapeObject t = Shape(2, 300, 300);
    ShapeObject u = Shape(2, 300, 300);
    u.scale.y = 0.5f;
    EXPECT_FALSE(u.Fits(t));
    u.scale = Vec2{0.5f, 1.0f};
    EXPECT_TRUE(u.Fits(t));
}

TEST(PictureShape, KeysKeepSizeAndTurnInRange) {
    ShapeObject s = Shape(0, 100, 100, 0, 0.5);
    s.AddSize(-0.1);
    EXPECT_DOUBLE_EQ(s.sizeFactor, 0.4);
    s.AddSize(-0.1);
    EXPECT_DOUBLE_EQ(s.sizeFactor, 0.4);
    s.sizeFactor = 1.9;
    s.AddSize(0.1);
    EXPECT_DOUBLE_EQ(s.sizeFactor, 2.0);
    s.AddSize(0.1);
    EXPECT_DOUBLE_EQ(s.sizeFactor, 2.0);
    s.AddRotation(-15);
    EXPECT_EQ(s.rotation, 345);
    s.AddRotation(15);
    EXPECT_EQ(s.rotation, 0);
    s.rotation = 350;
    s.AddRotation(15);
    EXPECT_EQ(s.rotation, 5);
    // The square that takes clicks, edges included.
    s = Shape(0, 100, 100, 0, 1.5);
    EXPECT_TRUE(s.HitTest(175, 25));
    EXPECT_FALSE(s.HitTest(175.5, 100));
    EXPECT_FALSE(s.HitTest(100, 24));
}

// Every silhouette can be reached from every start a copy may have: any size of 0.6..1.9 and
// any turn of the silhouette plus a multiple of 45 degrees.
TEST(PictureShape, EverySizeAndTurnOfALevelIsReachableWithTheKeys) {
    for (int type = 0; type < 4; ++type)
        for (int target = 4; target <= 20; ++target)
            for (int turn = 0; turn < 360; turn += 15) {
                const ShapeObject s = Shape(type, 300, 300, turn, target / 10.0);
                for (int start = 6; start <= 19; ++start)
                    for (int k = 0; k < 24; k += 5) {
                        ShapeObject b = Shape(type, 300, 300, (turn + 45 * k) % 360, start / 10.0);
                        for (int i = 0; i < 20 && std::fabs(b.sizeFactor - s.sizeFactor) > 0.05; ++i)
                            b.AddSize(b.sizeFactor < s.sizeFactor ? 0.1 : -0.1);
                        for (int i = 0; i < 24 && !b.Fits(s); ++i) b.AddRotation(ShapeObject::kTurnStep);
                        ASSERT_TRUE(b.Fits(s)) << type << " " << target << " " << turn << " " << start << " " << k;
                    }
            }
}

// ---------------------------------------------------------------------------------------------
// The copies, the extra shapes and the decoys

TEST_F(PictureBuildingTest, CopiesLieScatteredInTheirSizesAndTurns) {
    UseArchive(std::vector<std::string>(13, LevelWithExtras(300)));
    std::set<double> sizes;
    std::set<int> offsets;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        Start(0, seed);
        std::vector<ShapeObject*> sil = Silhouettes(), shapes = Shapes();
        ASSERT_EQ(sil.size(), 4u);
        ASSERT_EQ(shapes.size(), 4u) << "level 0 uses no extra shapes";
        for (size_t i = 0; i < sil.size(); ++i) {
            const ShapeObject& s = *sil[i];
            const ShapeObject& c = *shapes[i];
            EXPECT_EQ(c.type, s.type);
            EXPECT_EQ(c.scale, s.scale);
            const double tenths = c.sizeFactor * 10;
            EXPECT_NEAR(tenths, std::round(tenths), 1e-9);
            EXPECT_GE(c.sizeFactor, 0.6 - 1e-9);
            EXPECT_LE(c.sizeFactor, 1.9 + 1e-9);
            sizes.insert(std::round(tenths) / 10);
            const int offset = ((c.rotation - s.rotation) % 360 + 360) % 360;
            EXPECT_EQ(offset % 45, 0);
            offsets.insert(offset);
            EXPECT_GE(c.position.x, 100);
            EXPECT_LE(c.position.x, W - 101);
            EXPECT_GE(c.position.y, 100);
            EXPECT_LE(c.position.y, H - 101);
        }
    }
    // The sizes were 0 or 1 with an integer division.
    EXPECT_GE(sizes.size(), 12u);
    EXPECT_EQ(offsets.size(), 8u);
}

TEST_F(PictureBuildingTest, ExtraShapesAndDecoysJoinFromTheMiddleLevel) {
    UseArchive(std::vector<std::string>(13, LevelWithExtras(300)));
    for (int level = 0; level < 3; ++level) {
        Start(level, 7);
        std::vector<ShapeObject*> shapes = Shapes();
        const size_t expected = level == 0 ? 4 : 4 + 2 + 5 * level;
        ASSERT_EQ(shapes.size(), expected) << "level " << level;
        if (level == 0) continue;
        // File order: copy, copy, extra, copy, copy, extra; then the decoys.
        EXPECT_EQ(shapes[2]->type, 3);
        EXPECT_FLOAT_EQ(shapes[2]->position.x, 150);
        EXPECT_EQ(shapes[2]->rotation, 90);
        EXPECT_DOUBLE_EQ(shapes[2]->sizeFactor, 0.8);
        EXPECT_EQ(shapes[5]->type, 1);
        for (size_t i = 6; i < shapes.size(); ++i) {
            const ShapeObject& d = *shapes[i];
            EXPECT_TRUE(d.type >= 0 && d.type <= 3);
            EXPECT_EQ(d.rotation % 15, 0);
            EXPECT_DOUBLE_EQ(d.sizeFactor, 1.0);
            EXPECT_EQ(d.scale, (Vec2{1.0f, 1.0f}));
            EXPECT_TRUE(d.position.x >= 100 && d.position.x <= W - 101 && d.position.y >= 100 && d.position.y <= H - 101);
        }
    }
}

// The level is "bb_<rand() % 13>", the first number drawn after seeding.
TEST_F(PictureBuildingTest, ThePictureIsDrawnFromThirteenLevels) {
    std::vector<std::string> levels;
    for (int i = 0; i < 13; ++i) levels.push_back(LevelWithExtras(200 + i));
    UseArchive(levels);
    std::set<int> seen;
    for (unsigned seed = 1; seed <= 80; ++seed) {
        std::srand(seed);
        const int expected = std::rand() % 13;
        Start(0, seed);
        EXPECT_EQ(game->PictureNumber(), expected);
        EXPECT_FLOAT_EQ(Silhouettes()[0]->position.x, 200 + expected);
        seen.insert(expected);
    }
    EXPECT_EQ(seen.size(), 13u);
}

// A missing or broken entry passes to the next one; with none left the built-in picture is
// played. The game never ends at once and a failure is never booked as a solved picture.
TEST_F(PictureBuildingTest, ABrokenLevelFallsBackAndTheGameStillHasAPicture) {
    std::vector<std::string> levels(13, "OBJEKT_START POSITON: 100 100 OBJEKT_END");  // extra shapes only
    levels[9] = LevelWithExtras(321);
    UseArchive(levels);
    Start(0, 3);
    EXPECT_EQ(game->PictureNumber(), 9);
    EXPECT_FLOAT_EQ(Silhouettes()[0]->position.x, 321);

    CloseArchive(app->archive);
    app->archive = nullptr;
    for (int level = 0; level < 3; ++level) {
        Start(level, 5);
        EXPECT_EQ(game->PictureNumber(), picture::kBuiltInPicture);
        EXPECT_GE(game->silhouettes.Count(), 4);
        ASSERT_NE(game->labelFont, nullptr);
        Step(*game, 0.1);
        EXPECT_EQ(game->GetState(), kStatePlaying);
        game->SetState(kStateAborted);
        game->ComputeGrade();
        EXPECT_TRUE(std::isfinite(game->GetGrade()));
        EXPECT_GT(game->GetGrade(), 5.0);
    }
}

// ---------------------------------------------------------------------------------------------
// Matching, snapping and the sounds

TEST_F(PictureBuildingTest, AFittingShapeSnapsWithAPopAndLeavesWithAPunch) {
    StartWith({Shape(0, 400, 400, 30, 1.5), Shape(1, 600, 400, 0, 1.0)});
    ShapeObject* square = AddShape(Shape(0, 407, 394, 120, 1.52));
    ShapeObject* circle = AddShape(Shape(1, 200, 200, 0, 1.0));
    int before = app->soundsRequested;
    Step(*game, 0.1);
    EXPECT_EQ(game->matched, 1);
    EXPECT_EQ(square->position, (Vec2{400, 400}));
    EXPECT_EQ(square->rotation, 30);
    EXPECT_DOUBLE_EQ(square->sizeFactor, 1.52);  // the size factor stays
    EXPECT_EQ(app->soundsRequested, before + 1);
    EXPECT_EQ(app->lastSoundId, KG_Bilder_Basteln::kSoundPop);
    // Nothing changes: no sound.
    before = app->soundsRequested;
    Step(*game, 0.1);
    EXPECT_EQ(app->soundsRequested, before);
    // The square is dragged away: a punch.
    Drag(400, 400, 300, 600);
    EXPECT_EQ(square->position, (Vec2{300, 600}));
    before = app->soundsRequested;
    Step(*game, 0.1);
    EXPECT_EQ(game->matched, 0);
    EXPECT_EQ(app->soundsRequested, before + 1);
    EXPECT_EQ(app->lastSoundId, KG_Bilder_Basteln::kSoundPunch);
    EXPECT_EQ(game->GetState(), kStatePlaying);
    // Both in place: the picture is finished.
    Drag(300, 600, 404, 405);
    Drag(200, 200, 606, 396);
    EXPECT_EQ(circle->position, (Vec2{600, 400}));  // snapped when put down
    Step(*game, 0.1);
    EXPECT_EQ(game->matched, 2);
    EXPECT_EQ(game->GetState(), kStateOver);
    EXPECT_EQ(game->selected, nullptr);
    EXPECT_EQ(square->position, (Vec2{400, 400}));
}

TEST_F(PictureBuildingTest, TheHeldShapeTakesNoPartAndTheSelectedOneDoesNotSnap) {
    StartWith({Shape(1, 400, 400), Shape(0, 700, 400)});
    ShapeObject* circle = AddShape(Shape(1, 200, 200));
    game->OnLButtonDown(200, 200);
    game->OnMouseMove(405, 403);
    EXPECT_TRUE(game->HoldsPiece());
    Step(*game, 0.1);
    EXPECT_EQ(game->matched, 0);
    EXPECT_EQ(circle->position, (Vec2{405, 403}));
    // No longer held but still selected: it counts, and stays where it is, free for the keys.
    game->holding = false;
    Step(*game, 0.1);
    EXPECT_EQ(game->matched, 1);
    EXPECT_EQ(circle->position, (Vec2{405, 403}));
    // The last silhouette covered finishes the picture, with every shape in place.
    AddShape(Shape(0, 703, 396));
    Step(*game, 0.1);
    EXPECT_EQ(game->matched, 2);
    EXPECT_EQ(game->GetState(), kStateOver);
    EXPECT_EQ(circle->position, (Vec2{400, 400}));
    EXPECT_EQ(game->selected, nullptr);
}

TEST_F(PictureBuildingTest, ArrowKeysNudgeAFittingShapeWithoutSnappingBack) {
    StartWith({Shape(1, 400, 400), Shape(0, 700, 400)});
    ShapeObject* circle = AddShape(Shape(1, 200, 200));
    Drag(200, 200, 400, 400);
    ASSERT_EQ(game->selected, circle);
    Step(*game, 0.1);
    EXPECT_EQ(game->matched, 1);
    for (int i = 0; i < 5; ++i) game->OnKeyDown(kKeyRight);
    Step(*game, 0.1);
    EXPECT_EQ(circle->position, (Vec2{405, 400}));
    for (int i = 0; i < 6; ++i) game->OnKeyDown(kKeyRight);
    Step(*game, 0.1);
    EXPECT_EQ(game->matched, 0);
    EXPECT_EQ(circle->position, (Vec2{411, 400}));
    // Deselected within reach, it snaps.
    game->OnKeyDown(kKeyLeft);
    game->OnRButtonUp(0, 0);
    Step(*game, 0.1);
    EXPECT_EQ(circle->position, (Vec2{400, 400}));
}

TEST_F(PictureBuildingTest, AClickTakesTheTopmostShapeDrawnUnderThePointer) {
    StartWith({Shape(1, 700, 400)});
    ShapeObject* bar = AddShape(Shape(3, 300, 300, 90));  // upright: 40 wide, 80 high
    AddShape(Shape(2, 300, 300));  // a triangle above it, apex up
    EXPECT_EQ(game->ShapeAt(315, 270), bar) << "beside the triangle's tip";
    EXPECT_EQ(game->ShapeAt(335, 260), nullptr) << "inside both squares, on neither shape";
}

TEST_F(PictureBuildingTest, TurningOrSizingIntoPlaceSnaps) {
    StartWith({Shape(3, 400, 400, 90, 1.0), Shape(0, 700, 400)});
    ShapeObject* bar = AddShape(Shape(3, 200, 200, 45, 0.8));
    Drag(200, 200, 406, 398);
    ASSERT_EQ(game->selected, bar);
    game->OnKeyDown('W');
    EXPECT_DOUBLE_EQ(bar->sizeFactor, 0.9);
    game->OnKeyDown(kKeyHome);
    EXPECT_DOUBLE_EQ(bar->sizeFactor, 1.0);
    EXPECT_EQ(bar->position, (Vec2{406, 398}));
    game->OnKeyDown('D');
    game->OnKeyDown(kKeyAdd);
    EXPECT_EQ(bar->rotation, 75);
    game->OnKeyDown('D');
    EXPECT_EQ(bar->rotation, 90);
    EXPECT_EQ(bar->position, (Vec2{400, 400}));
    game->OnKeyDown('A');
    game->OnKeyDown(kKeySubtract);
    EXPECT_EQ(bar->rotation, 60);
    game->OnKeyDown('S');
    game->OnKeyDown(kKeyEnd);
    EXPECT_DOUBLE_EQ(bar->sizeFactor, 0.8);
    EXPECT_EQ(game->moves, 1);  // size and turn are no moves
}

// A level without silhouettes (only possible when even the built-in picture is gone) never
// counts as finished, and its grade is 6.0 whatever happens.
TEST_F(PictureBuildingTest, NoSilhouettesNeverFinishesAndGradesSix) {
    StartWith({});
    AddShape(Shape(1, 300, 300));
    for (int i = 0; i < 20; ++i) Step(*game, 0.5);
    EXPECT_EQ(game->GetState(), kStatePlaying);
    EXPECT_EQ(game->matched, 0);
    game->ComputeGrade();
    EXPECT_EQ(game->GetGrade(), 6.0);
    game->SetState(kStateAborted);
    game->ComputeGrade();
    EXPECT_EQ(game->GetGrade(), 6.0);
    game->SetState(kStateOver);
    game->ComputeGrade();
    EXPECT_EQ(game->GetGrade(), 6.0);
}

TEST_F(PictureBuildingTest, Grades) {
    StartWith({Shape(1, 300, 300), Shape(1, 500, 300), Shape(0, 700, 300), Shape(2, 300, 500)});
    game->playTime = 32;  // 16 s per grade step for each of the four silhouettes
    game->SetState(kStateOver);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->GetGrade(), 1.5);
    game->playTime = 900;
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->GetGrade(), 6.0);
    game->SetState(kStateAborted);
    game->playTime = 16;
    game->matched = 3;
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->GetGrade(), 6.0 - 3.0 / 4 * 5 + 0.5);
    game->matched = 0;
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->GetGrade(), 6.0);
}

// ---------------------------------------------------------------------------------------------
// The mouse and the keys

TEST_F(PictureBuildingTest, TheTopmostShapeIsPickedAndKeepsTheGrabPoint) {
    StartWith({Shape(1, 800, 600)});
    ShapeObject* below = AddShape(Shape(0, 300, 300));
    ShapeObject* above = AddShape(Shape(1, 330, 320));
    game->OnLButtonDown(310, 310);
    EXPECT_EQ(game->selected, above);
    game->OnMouseMove(410, 300);
    EXPECT_EQ(above->position, (Vec2{430, 310}));  // the grab point stays under the pointer
    game->OnLButtonUp(410, 300);
    EXPECT_EQ(below->position, (Vec2{300, 300}));
    // Picking the lower one lifts it on top.
    game->OnLButtonDown(290, 290);
    EXPECT_EQ(game->selected, below);
    game->OnLButtonUp(290, 290);
    EXPECT_EQ(Shapes().back(), below);
    EXPECT_EQ(below->position, (Vec2{300, 300}));  // a click moves nothing
    EXPECT_EQ(game->moves, 1);
    // A click beside every shape selects nothing.
    game->OnLButtonDown(10, 700);
    EXPECT_EQ(game->selected, nullptr);
    EXPECT_FALSE(game->HoldsPiece());
    game->OnLButtonUp(10, 700);
}

TEST_F(PictureBuildingTest, AMoveCountsOncePerShape) {
    StartWith({Shape(1, 800, 600)});
    ShapeObject* a = AddShape(Shape(0, 200, 200));
    AddShape(Shape(0, 500, 200));
    Drag(200, 200, 250, 250);
    EXPECT_EQ(game->moves, 1);
    Drag(250, 250, 300, 300);
    game->OnKeyDown(kKeyDown);
    game->OnKeyDown(kKeyLeft);
    EXPECT_EQ(game->moves, 1);
    EXPECT_EQ(a->position, (Vec2{299, 301}));
    Drag(500, 200, 500, 400);
    EXPECT_EQ(game->moves, 2);
    Drag(299, 301, 299, 380);
    EXPECT_EQ(game->moves, 3);
    game->OnKeyDown(kKeyUp);
    EXPECT_EQ(game->moves, 3);
    game->OnRButtonUp(0, 0);
    EXPECT_EQ(game->selected, nullptr);
    game->OnKeyDown(kKeyUp);  // no shape selected: nothing happens
    EXPECT_EQ(a->position, (Vec2{299, 379}));
    Drag(299, 379, 299, 300);
    EXPECT_EQ(game->moves, 4);  // the right button forgot the last moved shape
}

// A button-up whose button-down this game did not see (it went to a page, or before the start)
// moves nothing.
TEST_F(PictureBuildingTest, AButtonUpMovesOnlyAShapePickedUpHere) {
    StartWith({Shape(1, 800, 600)});
    ShapeObject* a = AddShape(Shape(0, 200, 200));
    game->OnLButtonDown(200, 200);
    game->OnLButtonUp(200, 200);
    ASSERT_EQ(game->selected, a);
    game->OnMouseMove(600, 600);
    game->OnLButtonUp(600, 600);
    EXPECT_EQ(a->position, (Vec2{200, 200}));
    EXPECT_EQ(game->moves, 0);
}

TEST_F(PictureBuildingTest, ShapesStayOnTheCanvas) {
    StartWith({Shape(1, 800, 600)});
    ShapeObject* a = AddShape(Shape(0, 200, 200));
    game->OnLButtonDown(230, 230);  // grabbed 30 pixels right of and below the centre
    game->OnMouseMove(0, 0);
    EXPECT_EQ(a->position, (Vec2{0, 0}));
    game->OnMouseMove(65535, 65535);
    EXPECT_EQ(a->position, (Vec2{W - 1, H - 1}));
    game->OnLButtonUp(65535, 65535);
    EXPECT_EQ(a->position, (Vec2{W - 1, H - 1}));
    for (int i = 0; i < 5; ++i) {
        game->OnKeyDown(kKeyRight);
        game->OnKeyDown(kKeyDown);
    }
    EXPECT_EQ(a->position, (Vec2{W - 1, H - 1}));
    // It can be taken again where it lies.
    game->OnRButtonUp(0, 0);
    game->OnLButtonDown(W - 5, H - 5);
    EXPECT_EQ(game->selected, a);
    game->OnLButtonUp(W - 5, H - 5);
    // Never under the time panel at the top centre, where it could be neither seen nor taken.
    Drag(W - 1, H - 1, W / 2 + 100, 10);
    EXPECT_EQ(a->position, (Vec2{W / 2 + 100, 75}));
    Drag(W / 2 + 100, 75, W / 2 + 200, 10);
    EXPECT_EQ(a->position, (Vec2{W / 2 + 200, 10}));
}

TEST_F(PictureBuildingTest, AShapePutDownAsTheGamePausesCountsAtOnce) {
    StartWith({Shape(1, 400, 400), Shape(0, 700, 400)});
    AddShape(Shape(1, 200, 200));
    game->OnLButtonDown(200, 200);
    game->OnMouseMove(405, 403);
    game->OnLButtonUp(405, 403);  // what the menu does on Escape, before the pause page
    game->OnInputSuspended();
    game->SetState(kStateAborted);
    EXPECT_EQ(game->matched, 1);
}

// The menu drops a held shape before a pause; a button-down that finds a shape still held (its
// button-up was lost) drops it first; input while the game is not played changes nothing.
TEST_F(PictureBuildingTest, HeldShapesAreNeverLostAndInputCountsOnlyInPlay) {
    StartWith({Shape(1, 400, 400), Shape(2, 800, 600)});
    ShapeObject* a = AddShape(Shape(1, 200, 200));
    ShapeObject* b = AddShape(Shape(0, 600, 200));
    game->OnLButtonDown(200, 200);
    game->OnMouseMove(395, 405);
    EXPECT_TRUE(game->HoldsPiece());
    game->OnLButtonDown(600, 200);  // the button-up of the first drag never came
    EXPECT_EQ(a->position, (Vec2{400, 400}));  // dropped and snapped
    EXPECT_EQ(game->selected, b);
    EXPECT_TRUE(game->HoldsPiece());
    game->OnLButtonUp(620, 210);
    EXPECT_FALSE(game->HoldsPiece());
    // Held while paused: the menu hands over the button-up first.
    game->OnLButtonDown(620, 210);
    game->OnMouseMove(500, 500);
    game->OnLButtonUp(500, 500);
    game->OnInputSuspended();
    game->SetState(kStatePaused);
    EXPECT_FALSE(game->HoldsPiece());
    const Vec2 where = b->position;
    game->OnLButtonDown(static_cast<uint16_t>(where.x), static_cast<uint16_t>(where.y));
    game->OnMouseMove(100, 100);
    game->OnKeyDown('W');
    game->OnKeyDown(kKeyLeft);
    game->OnRButtonUp(0, 0);
    EXPECT_EQ(b->position, where);
    EXPECT_DOUBLE_EQ(b->sizeFactor, 1.0);
    EXPECT_EQ(game->selected, b);
    EXPECT_FALSE(game->HoldsPiece());
    // Before the start, too.
    game = std::make_unique<PictureGame>(0, 1);
    ShapeObject* first = game->shapes.Get(0);
    const Vec2 start = first->position;
    game->OnLButtonDown(static_cast<uint16_t>(start.x), static_cast<uint16_t>(start.y));
    game->OnMouseMove(10, 10);
    EXPECT_EQ(game->selected, nullptr);
    EXPECT_EQ(first->position, start);
}

// ---------------------------------------------------------------------------------------------
// What is drawn

TEST_F(PictureBuildingTest, DrawsSilhouettesGreyTheSelectedShapeRedAndTheCounterLine) {
    LoadEnglish();
    StartWith({Shape(2, 400, 400, 0, 1.5), Shape(1, 600, 400)});
    ShapeObject* a = AddShape(Shape(2, 200, 200, 90, 0.5));
    AddShape(Shape(3, 600, 600, 0, 2.0));
    game->OnLButtonDown(200, 200);
    game->OnMouseMove(220, 210);
    std::vector<DrawCommand> frame = RenderFrame(*game);
    std::vector<DrawCommand> sprites = SpritesOf(frame, app->texMisc1);
    // Two silhouettes, the other shape, then the held shape (lifted on top) with its shadow.
    ASSERT_EQ(sprites.size(), 5u);
    EXPECT_EQ(sprites[0].color, 0xFF5F5F5Fu);
    EXPECT_EQ(sprites[1].color, 0xFF5F5F5Fu);
    EXPECT_EQ(sprites[0].src, (Rect{400, 150, 500, 250}));
    EXPECT_EQ(sprites[1].src, (Rect{200, 150, 300, 250}));
    EXPECT_EQ(sprites[2].color, 0xFFFFFFFFu);
    EXPECT_EQ(sprites[2].src, (Rect{600, 150, 700, 250}));
    EXPECT_EQ(sprites[3].color >> 24, 0x50u);
    EXPECT_EQ(sprites[4].color, 0xFFFF0000u);
    EXPECT_EQ(sprites[4].src, (Rect{400, 150, 500, 250}));
    // The picture's centre lies on the position: scale 1.5, no turn.
    EXPECT_FLOAT_EQ(sprites[0].transform[0], 1.5f);
    EXPECT_FLOAT_EQ(sprites[0].transform[4] + 75, 400);
    EXPECT_FLOAT_EQ(sprites[0].transform[5] + 75, 400);
    // The held shape turned by 90 degrees about its centre.
    EXPECT_EQ(a->position, (Vec2{220, 210}));
    const float* m = sprites[4].transform;
    EXPECT_NEAR(m[0] * 50 + m[2] * 50 + m[4], a->position.x, 1e-3);
    EXPECT_NEAR(m[1] * 50 + m[3] * 50 + m[5], a->position.y, 1e-3);
    EXPECT_NEAR(m[1], 0.5, 1e-6);
    std::vector<DrawCommand> texts = TextsOf(frame);
    bool counter = false;
    for (const DrawCommand& t : texts)
        if (t.text == FormatText(app->GetText(55), 0, 2) && t.font == game->labelFont) counter = true;
    EXPECT_TRUE(counter);
    // Nothing but the backdrop before the start.
    game = std::make_unique<PictureGame>(0, 1);
    EXPECT_TRUE(SpritesOf(RenderFrame(*game), app->texMisc1).empty());
}

// While the picture is built the shapes are white, so that no colour gives a silhouette away;
// finished, each shape shows the colour of its part of the picture.
TEST_F(PictureBuildingTest, TheFinishedPictureShowsItsColours) {
    std::string level = LevelWithExtras(300);
    level.replace(level.find("SFACTOR: 1.5"), 12, "SFACTOR: 1.5 FARBE: E8505F");
    level.replace(level.find("SFACTOR: 0.5"), 12, "SFACTOR: 0.5 FARBE: 66C06A");
    UseArchive(std::vector<std::string>(13, level));
    Start(1, 11);
    auto colours = [&] {
        std::vector<Color> out;
        for (const DrawCommand& c : SpritesOf(RenderFrame(*game), app->texMisc1)) out.push_back(c.color);
        return out;
    };
    std::vector<Color> playing = colours();
    ASSERT_EQ(playing.size(), 4u + 11u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(playing[i], 0xFF5F5F5Fu);
    for (size_t i = 4; i < playing.size(); ++i) EXPECT_EQ(playing[i], 0xFFFFFFFFu);
    std::vector<ShapeObject*> sil = Silhouettes(), shapes = Shapes();
    const int copyOf[] = {0, 1, 3, 4};  // the extra shape lies between
    for (int i = 0; i < 4; ++i) {
        shapes[copyOf[i]]->sizeFactor = sil[i]->sizeFactor;
        shapes[copyOf[i]]->TakeOver(*sil[i]);
    }
    Step(*game, 0.1);
    ASSERT_EQ(game->GetState(), kStateOver);
    std::vector<Color> finished = colours();
    EXPECT_EQ(finished[4 + 0], 0xFFE8505Fu);
    EXPECT_EQ(finished[4 + 1], 0xFFFFFFFFu);
    EXPECT_EQ(finished[4 + 2], 0xFFFFFFFFu);  // the extra shape
    EXPECT_EQ(finished[4 + 3], 0xFF66C06Au);
    EXPECT_EQ(finished[4 + 4], 0xFFFFFFFFu);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(finished[i], 0xFF5F5F5Fu);
}

TEST_F(PictureBuildingTest, ResultTextShowsTimeMovesAndGrade) {
    LoadEnglish();
    StartWith({Shape(1, 400, 400)});
    game->playTime = 125.5;
    game->moves = 7;
    game->SetState(kStateOver);
    game->ComputeGrade();
    const std::string text = game->GetResultText();
    EXPECT_NE(text.find(FormatText(app->GetText(22), 2, 5)), std::string::npos);
    EXPECT_NE(text.find(FormatText(app->GetText(57), 7)), std::string::npos);
    EXPECT_NE(text.find(FormatText(app->GetText(50), game->GetGrade())), std::string::npos);
    EXPECT_STREQ(game->GetTitle(), app->GetText(20));
    EXPECT_STREQ(game->GetHelpText(), app->GetText(65));
}
