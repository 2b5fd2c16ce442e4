#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "games/KG_Ordo/BoxTrace.h"
#include "games/KG_Ordo/KG_Ordo.h"
#include "platform/FontManager.h"
#include "GameTestSupport.h"

namespace {
class FilelessOrdo : public KG_Ordo {
public:
    FilelessOrdo(int level, unsigned seed) : KG_Ordo(level, seed) { WithoutFile(*this); }
};

BoxGrid Box(std::initializer_list<std::pair<int, int>> atoms) {
    BoxGrid g{};
    for (auto [x, y] : atoms) g[x][y] = true;
    return g;
}

struct TraceCase {
    const char* what;
    BoxGrid atoms;
    int placeX, placeY;
    BoxTrace::Kind kind;
    int x, y;  // the stopping atom, or the exit place
};

std::vector<std::pair<int, int>> AllPlaces() {
    std::vector<std::pair<int, int>> out;
    for (int k = 0; k < 8; ++k) {
        out.push_back({-1, k});
        out.push_back({8, k});
        out.push_back({k, -1});
        out.push_back({k, 8});
    }
    return out;
}

class OrdoTest : public GameTest {
protected:
    void StartGame(int level, unsigned seed = 1) {
        game = std::make_unique<FilelessOrdo>(level, seed);
        game->Start();
    }
    // Replaces the hidden atoms.
    void SetAtoms(std::initializer_list<std::pair<int, int>> atoms) {
        for (auto& column : game->cells)
            for (BoxCell& c : column) c.atom = false;
        for (auto [x, y] : atoms) game->cells[x][y].atom = true;
        game->atomCount = static_cast<int>(atoms.size());
    }
    void Press(Vec2 at) {
        game->OnLButtonDown(static_cast<uint16_t>(std::lround(at.x)), static_cast<uint16_t>(std::lround(at.y)));
    }
    void FireAt(int gx, int gy) { Press(game->ProbeAt(gx, gy)->position); }
    void Mark(int x, int y) { Press(game->cells[x][y].position); }
    void PressCheck() {
        const Rect b = game->CheckButton();
        game->OnLButtonUp(static_cast<uint16_t>((b.left + b.right) / 2), static_cast<uint16_t>((b.top + b.bottom) / 2));
    }
    int Warnings() {
        int n = 0;
        for (auto& side : game->probes)
            for (Probe& p : side) n += p.hintWrong ? 1 : 0;
        return n;
    }

    std::unique_ptr<FilelessOrdo> game;
};
}  // namespace

TEST(BoxTrace, AbsorbedDeflectedTurnedBackAndReflected) {
    const TraceCase cases[] = {
        {"empty box, straight through", Box({}), -1, 5, BoxTrace::kLeft, 8, 5},
        {"empty box, top to bottom", Box({}), 2, -1, BoxTrace::kLeft, 2, 8},
        {"straight into an atom", Box({{0, 3}}), -1, 3, BoxTrace::kAbsorbed, 0, 3},
        {"atom deep inside", Box({{6, 3}}), -1, 3, BoxTrace::kAbsorbed, 6, 3},
        {"reflected at the entry, below", Box({{0, 3}}), -1, 2, BoxTrace::kReflected, 0, 3},
        {"reflected at the entry, above", Box({{0, 3}}), -1, 4, BoxTrace::kReflected, 0, 3},
        {"reflected at the bottom entry", Box({{4, 7}}), 3, 8, BoxTrace::kReflected, 4, 7},
        {"two atoms ahead turn it back", Box({{3, 2}, {3, 4}}), -1, 3, BoxTrace::kLeft, -1, 3},
        // Each direction turned by each of its two diagonals.
        {"down, atom ahead right: turns left", Box({{5, 5}}), 4, -1, BoxTrace::kLeft, -1, 4},
        {"down, atom ahead left: turns right", Box({{3, 5}}), 4, -1, BoxTrace::kLeft, 8, 4},
        {"up, atom ahead left: turns right", Box({{3, 2}}), 4, 8, BoxTrace::kLeft, 8, 3},
        {"up, atom ahead right: turns left", Box({{5, 2}}), 4, 8, BoxTrace::kLeft, -1, 3},
        {"right, atom ahead above: turns down", Box({{5, 3}}), -1, 4, BoxTrace::kLeft, 4, 8},
        {"right, atom ahead below: turns up", Box({{5, 5}}), -1, 4, BoxTrace::kLeft, 4, -1},
        {"left, atom ahead above: turns down", Box({{2, 3}}), 8, 4, BoxTrace::kLeft, 3, 8},
        {"left, atom ahead below: turns up", Box({{2, 5}}), 8, 4, BoxTrace::kLeft, 3, -1},
        // Corner entries.
        {"corner entry reflected", Box({{1, 0}}), 0, -1, BoxTrace::kReflected, 1, 0},
        {"corner entry turned out at once", Box({{1, 1}}), -1, 0, BoxTrace::kLeft, 0, -1},
        {"corner entry absorbed", Box({{0, 0}}), 0, -1, BoxTrace::kAbsorbed, 0, 0},
        {"corner to corner", Box({{1, 6}}), -1, 7, BoxTrace::kLeft, 0, 8},
        {"two turns", Box({{5, 3}, {3, 6}}), -1, 4, BoxTrace::kLeft, 8, 5},
        {"deflected into an absorption", Box({{5, 3}, {4, 7}}), -1, 4, BoxTrace::kAbsorbed, 4, 7},
    };
    for (const TraceCase& c : cases) {
        const BoxTrace t = TraceRay(c.atoms, c.placeX, c.placeY);
        EXPECT_EQ(t.kind, c.kind) << c.what;
        if (c.kind == BoxTrace::kLeft) {
            EXPECT_EQ(t.exitX, c.x) << c.what;
            EXPECT_EQ(t.exitY, c.y) << c.what;
        } else {
            EXPECT_EQ(t.cellX, c.x) << c.what;
            EXPECT_EQ(t.cellY, c.y) << c.what;
        }
    }
    EXPECT_EQ(TraceRay(Box({}), -1, 5).steps, 8);
    EXPECT_EQ(TraceRay(Box({{0, 3}}), -1, 2).steps, 0);
}

TEST(BoxTrace, TracingOnlyReadsTheBox) {
    const BoxGrid atoms = Box({{2, 2}, {5, 6}});
    const BoxGrid copy = atoms;
    for (auto [x, y] : AllPlaces()) TraceRay(atoms, x, y);
    EXPECT_EQ(atoms, copy);
}

// In every box, every ray ends: it is absorbed, reflected, or leaves at a place of the edge;
// and a ray sent in where another came out comes out where that one went in, in as many steps.
TEST(BoxTrace, EveryTraceEndsAndRunsBothWays) {
    std::mt19937 rng(12345);
    for (int trial = 0; trial < 3000; ++trial) {
        BoxGrid atoms{};
        const int count = 1 + static_cast<int>(rng() % 24);
        for (int i = 0; i < count; ++i) atoms[rng() % 8][rng() % 8] = true;
        for (auto [x, y] : AllPlaces()) {
            const BoxTrace t = TraceRay(atoms, x, y);
            if (t.kind != BoxTrace::kLeft) {
                ASSERT_TRUE(t.cellX >= 0 && t.cellX < 8 && t.cellY >= 0 && t.cellY < 8);
                ASSERT_TRUE(atoms[t.cellX][t.cellY]) << "stopped by a cell without an atom";
                continue;
            }
            ASSERT_TRUE(IsEdgePlace(t.exitX, t.exitY)) << t.exitX << "," << t.exitY;
            const BoxTrace back = TraceRay(atoms, t.exitX, t.exitY);
            ASSERT_EQ(back.kind, BoxTrace::kLeft) << "trial " << trial << " from " << x << "," << y;
            ASSERT_EQ(back.exitX, x);
            ASSERT_EQ(back.exitY, y);
            ASSERT_EQ(back.steps, t.steps);
        }
    }
}

TEST_F(OrdoTest, AtomsCellsAndProbesByLevel) {
    for (int level = 0; level < 3; ++level) {
        for (unsigned seed = 0; seed < 20; ++seed) {
            FilelessOrdo g(level, seed + 100);
            int atoms = 0;
            for (auto& column : g.cells)
                for (BoxCell& c : column) atoms += c.atom ? 1 : 0;
            EXPECT_EQ(atoms, level == 2 ? 8 : 5);
            EXPECT_EQ(g.atomCount, atoms);
            EXPECT_EQ(g.showHints, level == 0);
        }
    }
    FilelessOrdo g(0, 1);
    EXPECT_EQ(g.cells[0][0].position, (Vec2{362.0f, 234.0f}));
    EXPECT_EQ(g.cells[7][7].position, (Vec2{712.0f, 584.0f}));
    EXPECT_EQ(g.ProbeAt(-1, 2)->position, (Vec2{292.0f, 334.0f}));
    EXPECT_EQ(g.ProbeAt(8, 2)->position, (Vec2{782.0f, 334.0f}));
    EXPECT_EQ(g.ProbeAt(3, -1)->position, (Vec2{512.0f, 164.0f}));
    EXPECT_EQ(g.ProbeAt(3, 8)->position, (Vec2{512.0f, 654.0f}));
    EXPECT_EQ(g.ProbeAt(-1, -1), nullptr);
    EXPECT_EQ(g.ProbeAt(3, 3), nullptr);
    EXPECT_EQ(KG_Ordo::ShotColour(1), 0xFF3F0000u);
    EXPECT_EQ(KG_Ordo::ShotColour(2), 0xFF7F0000u);
    EXPECT_EQ(KG_Ordo::ShotColour(4), 0xFF003F00u);
    EXPECT_EQ(KG_Ordo::ShotColour(16), 0xFF00003Fu);
    EXPECT_EQ(KG_Ordo::ShotColour(21), 0xFF3F3F3Fu);
}

TEST_F(OrdoTest, FiringMarksBothEndsAndAFiredPlaceTakesNoSecondShot) {
    StartGame(1);
    SetAtoms({{0, 1}, {5, 5}});
    FireAt(4, -1);  // down column 4, turned left by the atom at (5, 5): out at the left of row 4
    Probe* entry = game->ProbeAt(4, -1);
    Probe* exit = game->ProbeAt(-1, 4);
    EXPECT_EQ(game->shotCount, 1);
    EXPECT_TRUE(entry->fired);
    EXPECT_EQ(entry->exitProbe, exit);
    EXPECT_EQ(entry->otherX, -1);
    EXPECT_EQ(entry->otherY, 4);
    EXPECT_TRUE(exit->fired);
    EXPECT_EQ(exit->colour, entry->colour);
    EXPECT_EQ(exit->colour, 0xFF3F0000u);
    EXPECT_EQ(exit->otherX, 4);
    EXPECT_EQ(exit->otherY, -1);
    EXPECT_EQ(exit->shotNumber, 1);
    EXPECT_EQ(exit->steps, entry->steps);
    // Neither end can be fired again.
    FireAt(4, -1);
    FireAt(-1, 4);
    EXPECT_EQ(game->shotCount, 1);
    EXPECT_EQ(exit->colour, 0xFF3F0000u);

    FireAt(-1, 1);
    Probe* absorbed = game->ProbeAt(-1, 1);
    EXPECT_TRUE(absorbed->absorbed);
    EXPECT_EQ(absorbed->absorbX, 0);
    EXPECT_EQ(absorbed->absorbY, 1);
    // A probe that never came out has no other end that could be taken for a place.
    EXPECT_FALSE(IsEdgePlace(absorbed->otherX, absorbed->otherY));
    EXPECT_EQ(absorbed->exitProbe, nullptr);
    FireAt(-1, 0);
    Probe* reflected = game->ProbeAt(-1, 0);
    EXPECT_TRUE(reflected->reflected);
    EXPECT_EQ(reflected->reflectX, 0);
    EXPECT_EQ(reflected->reflectY, 1);
    EXPECT_FALSE(IsEdgePlace(reflected->otherX, reflected->otherY));
    EXPECT_EQ(game->shotCount, 3);
    EXPECT_EQ(reflected->colour, KG_Ordo::ShotColour(3));
}

TEST_F(OrdoTest, ARayTurnedBackComesOutWhereItWentIn) {
    StartGame(1);
    SetAtoms({{3, 2}, {3, 4}});
    FireAt(-1, 3);
    Probe* p = game->ProbeAt(-1, 3);
    EXPECT_FALSE(p->absorbed || p->reflected);
    EXPECT_EQ(p->exitProbe, p);
    EXPECT_EQ(p->otherX, -1);
    EXPECT_EQ(p->otherY, 3);
    EXPECT_EQ(p->colour, 0xFF3F0000u);
}

TEST_F(OrdoTest, WarningsShowProbesTheMarksDoNotExplain) {
    StartGame(0);
    SetAtoms({{2, 2}, {5, 5}, {6, 1}, {1, 6}, {4, 3}});
    FireAt(-1, 2);
    FireAt(4, -1);
    FireAt(8, 5);
    FireAt(-1, 7);
    FireAt(3, 8);
    const int fired = [&] {
        int n = 0;
        for (auto& side : game->probes)
            for (Probe& p : side) n += p.fired ? 1 : 0;
        return n;
    }();
    EXPECT_GT(Warnings(), 0);
    // Marks equal to the atoms explain every probe.
    for (auto [x, y] : {std::pair{2, 2}, {5, 5}, {6, 1}, {1, 6}, {4, 3}}) Mark(x, y);
    EXPECT_EQ(game->markCount, 5);
    EXPECT_EQ(Warnings(), 0);
    // Taking one mark away brings warnings back; setting it again clears them.
    Mark(4, 3);
    EXPECT_EQ(game->markCount, 4);
    EXPECT_GT(Warnings(), 0);
    EXPECT_LE(Warnings(), fired);
    Mark(4, 3);
    EXPECT_EQ(Warnings(), 0);
    // The warnings are drawn over their places.
    Mark(4, 3);
    int drawn = 0;
    for (const DrawCommand& c : SpritesOf(RenderFrame(*game), app->texMisc1)) drawn += c.src == Rect{750, 0, 800, 50};
    EXPECT_EQ(drawn, Warnings());
}

TEST_F(OrdoTest, NoWarningsAboveTheEasiestLevel) {
    StartGame(1);
    SetAtoms({{2, 2}});
    FireAt(-1, 2);
    Mark(6, 6);
    EXPECT_EQ(Warnings(), 0);
}

TEST_F(OrdoTest, TheCheckIsRightOnlyForExactlyTheAtoms) {
    StartGame(1);
    SetAtoms({{1, 1}, {2, 5}, {6, 6}, {7, 0}, {3, 3}});
    for (auto [x, y] : {std::pair{1, 1}, {2, 5}, {6, 6}, {7, 0}, {3, 3}}) Mark(x, y);
    Mark(4, 4);  // one more
    Step(*game, 60.0);
    PressCheck();
    EXPECT_TRUE(game->checked);
    EXPECT_FALSE(game->correct);
    EXPECT_DOUBLE_EQ(game->endTimer, 4.0);
    EXPECT_EQ(app->lastSoundId, 11);
    Step(*game, 3.9);
    EXPECT_EQ(game->state, kStatePlaying);
    EXPECT_DOUBLE_EQ(game->playTime, 60.0) << "the clock stops at the check";
    Step(*game, 0.2);
    EXPECT_EQ(game->state, kStateOverOther);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 60.0 / 125 + 1.0 + 1.0) << "five found, less one wrong mark: four of five";
}

// A layout no probe tells from the hidden atoms (found by moving one atom) is right too.
TEST_F(OrdoTest, AnyLayoutGivingTheSameResultEverywhereIsRight) {
    int twins[3] = {};
    for (int level = 0; level < 3; ++level)
        for (unsigned seed = 1; seed <= 300; ++seed) {
            StartGame(level, seed);
            const BoxGrid atoms = game->Atoms();
            BoxGrid twin = atoms;
            bool moved = false;
            for (int i = 0; i < 64 * 64 && !moved; ++i) {
                bool &from = twin[i / 512][i / 64 % 8], &to = twin[i % 64 / 8][i % 8];
                if (!from || to) continue;
                from = false, to = true;
                moved = SameAtEveryPlace(twin, atoms);
                if (!moved) from = true, to = false;
            }
            if (!moved) continue;
            ++twins[level];
            for (int c = 0; c < 64; ++c)
                if (twin[c / 8][c % 8]) Mark(c / 8, c % 8);
            PressCheck();
            EXPECT_TRUE(game->correct) << "level " << level << " seed " << seed;
        }
    for (int n : twins) EXPECT_GT(n, 0);
}

TEST_F(OrdoTest, ARightCheckEndsAfterTwoSeconds) {
    StartGame(2);
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            if (game->cells[x][y].atom) Mark(x, y);
    Step(*game, 30.0);
    PressCheck();
    EXPECT_TRUE(game->correct);
    EXPECT_DOUBLE_EQ(game->endTimer, 2.0);
    Step(*game, 1.0);
    Step(*game, 1.0);
    EXPECT_EQ(game->state, kStateOver);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 1.0 + 30.0 / 400);
}

TEST_F(OrdoTest, NoInputAfterTheCheck) {
    StartGame(0);
    Mark(0, 0);
    PressCheck();
    ASSERT_TRUE(game->checked);
    const bool wasCorrect = game->correct;
    // Neither new marks, nor shots, nor a second check during the reveal or after it.
    for (int round = 0; round < 2; ++round) {
        Mark(0, 0);
        Mark(3, 4);
        FireAt(-1, 0);
        for (auto& column : game->cells)
            for (BoxCell& c : column)
                if (c.atom && !c.marked) Press(c.position);
        PressCheck();
        EXPECT_EQ(game->markCount, 1);
        EXPECT_TRUE(game->cells[0][0].marked);
        EXPECT_EQ(game->shotCount, 0);
        EXPECT_EQ(game->correct, wasCorrect);
        Step(*game, 5.0);
        game->SetState(kStatePlaying);
    }
    EXPECT_FALSE(game->correct);
}

TEST_F(OrdoTest, GradesIncludingMarkingEveryCell) {
    StartGame(1);
    SetAtoms({{1, 1}, {2, 5}, {6, 6}, {7, 0}, {3, 3}});
    // Three of five marked, left after a minute: 60 / 125 + 0.4 * 5 + 1.
    Mark(1, 1);
    Mark(2, 5);
    Mark(6, 6);
    game->playTime = 60.0;
    game->SetState(kStateAborted);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 3.48);
    game->SetState(kStatePlaying);
    // Every cell marked finds nothing.
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            if (!game->cells[x][y].marked) Mark(x, y);
    EXPECT_EQ(game->markCount, 64);
    game->playTime = 5.0;
    game->SetState(kStateAborted);
    game->ComputeGrade();
    EXPECT_EQ(game->grade, 6.0);
    // Nothing marked, left at once.
    StartGame(1);
    game->SetState(kStateAborted);
    game->ComputeGrade();
    EXPECT_EQ(game->grade, 6.0);
}

TEST_F(OrdoTest, TheBoxShowsMarksThenTheAtomsAfterTheCheck) {
    LoadEnglish();
    StartGame(1);
    SetAtoms({{1, 1}, {2, 2}});
    Mark(1, 1);
    Mark(5, 5);
    auto tintOf = [&](int x, int y) {
        const Vec2 c = game->cells[x][y].position;
        for (const DrawCommand& d : SpritesOf(RenderFrame(*game), app->texMisc1))
            if (d.src == Rect{550, 0, 600, 50} && d.transform[4] == c.x - 25 && d.transform[5] == c.y - 25)
                return d.color;
        return 0u;
    };
    EXPECT_EQ(tintOf(1, 1), 0xFF7F0000u);
    EXPECT_EQ(tintOf(2, 2), 0xFFFFFFFFu) << "atoms are hidden";
    EXPECT_EQ(tintOf(5, 5), 0xFF7F0000u);
    auto texts = TextsOf(RenderFrame(*game));
    bool counts = false, check = false;
    for (const DrawCommand& t : texts) {
        counts = counts || t.text.find("Atoms: 2") != std::string::npos;
        check = check || t.text == app->GetText(133);
    }
    EXPECT_TRUE(counts);
    EXPECT_TRUE(check);
    PressCheck();
    EXPECT_EQ(tintOf(1, 1), 0xFF00FF00u);
    EXPECT_EQ(tintOf(2, 2), 0xFF7F7F7Fu);
    EXPECT_EQ(tintOf(5, 5), 0xFF7F0000u);
    EXPECT_TRUE(SpritesOf(RenderFrame(*game), app->texMenu2).size() == 1u) << "only the time panel, no check button";
    Step(*game, 5.0);
    EXPECT_EQ(tintOf(2, 2), 0xFF7F7F7Fu) << "the atoms stay shown until the result page";
}

TEST_F(OrdoTest, BothEndsOfAProbeShowItsNumber) {
    StartGame(1);
    SetAtoms({{5, 5}});
    FireAt(4, -1);
    FireAt(-1, 0);
    int ones = 0, twos = 0;
    for (const DrawCommand& t : TextsOf(RenderFrame(*game))) {
        ones += t.text == "1";
        twos += t.text == "2";
    }
    EXPECT_EQ(ones, 2);
    EXPECT_EQ(twos, 2);
}

TEST_F(OrdoTest, TheHelpPageShowsThePictureBesideTheRules) {
    LoadEnglish();
    StartGame(0);
    app->sprite->Begin();
    Font* pageFont = GetFontManager()->AddFont("Comic Neue", 24);
    game->DrawHelp(nullptr, Rect{0, 0, 800, 600}, Vec2{112, 84}, Vec2{1, 1}, pageFont);
    app->sprite->End();
    const auto& frame = app->sprite->Commands();
    const auto pictures = SpritesOf(frame, app->texMisc2);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].src, (Rect{0, 0, 300, 340}));
    EXPECT_FLOAT_EQ(pictures[0].transform[4], 112 + 570);
    EXPECT_FLOAT_EQ(pictures[0].transform[5], 84 + 130);
    const auto texts = TextsOf(frame);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].text.front(), ' ') << "flush left, without a leading blank";
    EXPECT_TRUE(texts[0].text.size() > 100 && std::string(game->HelpWithKeys()).ends_with(texts[0].text));
    EXPECT_EQ(texts[0].rect, (Rect{162, 134, 662, 614}));
    EXPECT_EQ(texts[0].format, static_cast<unsigned>(kTextVCenter | kTextWordBreak));
    EXPECT_EQ(texts[0].font, pageFont) << "the size of every other game's rules";
}
