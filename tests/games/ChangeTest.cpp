// Giving change: the dealt tasks, the judge of a change tray, the grade, and the game played
// with the mouse (pieces carried into the tray and back home, the check button).
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/Random.h"
#include "framework/TextFormat.h"
#include "games/KG_Wechselgeld_Game/KG_Wechselgeld_Game.h"
#include "GameTestSupport.h"

namespace {
using money::ChangeLevelOf;
using money::JudgeChange;

constexpr int W = 1024, H = 768;

class FilelessChange : public KG_Wechselgeld_Game {
public:
    FilelessChange(int level, unsigned seed) : KG_Wechselgeld_Game(level, seed) { WithoutFile(*this); }
};

// The drawn box of a piece lies inside the area.
bool Inside(const money::Area& a, int cents, Vec2 at) {
    const Vec2 h = money::DrawnHalfOf(cents);
    return at.x - h.x >= a.left - 1e-3 && at.x + h.x <= a.right + 1e-3 && at.y - h.y >= a.top - 1e-3 &&
           at.y + h.y <= a.bottom + 1e-3;
}

// The fewest pieces for every amount up to limit, by dynamic programming over the first
// `available` denominations.
std::vector<int> FewestPieces(int limit, int available) {
    std::vector<int> best(limit + 1, INT_MAX);
    best[0] = 0;
    for (int a = 1; a <= limit; ++a)
        for (int i = 0; i < available; ++i) {
            const int c = money::DenominationAt(i).cents;
            if (c <= a && best[a - c] != INT_MAX) best[a] = std::min(best[a], best[a - c] + 1);
        }
    return best;
}

class ChangeTest : public GameTest {
protected:
    void StartGame(int level, unsigned seed) {
        game = std::make_unique<FilelessChange>(level, seed);
        game->Start();
    }
    void Down(float x, float y) { game->OnLButtonDown(Px(x), Px(y)); }
    void Up(float x, float y) { game->OnLButtonUp(Px(x), Px(y)); }
    void Move(float x, float y) {
        app->mouseX = Px(x);
        app->mouseY = Px(y);
        game->OnMouseMove(Px(x), Px(y));
    }
    static uint16_t Px(float v) { return static_cast<uint16_t>(std::lround(v)); }
    MoneySource* SourceOf(int cents) {
        for (MoneySource* s : game->sources)
            if (s->value == cents) return s;
        return nullptr;
    }
    // Drags a piece of that value from the supply and lets it go at (x, y).
    void Drag(int cents, float x, float y) {
        MoneySource* s = SourceOf(cents);
        ASSERT_NE(s, nullptr) << cents;
        Move(s->centre.x, s->centre.y);
        Down(s->centre.x, s->centre.y);
        ASSERT_NE(game->heldChange, nullptr);
        Move(x, y);
        Up(x, y);
    }
    // Lays the pieces out in the change tray, one beside the other.
    void GiveChange(const std::vector<int>& pieces) {
        const money::Area a = game->changeTray->PieceArea();
        for (size_t i = 0; i < pieces.size(); ++i)
            Drag(pieces[i], a.left + 40 + 45 * (i % 10), a.top + 40 + 60 * (i / 10 % 2));
    }
    void PressButton() {
        Down(W / 2, H / 2);
        Up(W / 2, H / 2);
    }
    std::vector<int> TrayValues() {
        std::vector<int> v;
        for (MoneyPiece* p : game->changeTray->pieces) v.push_back(p->value);
        return v;
    }

    std::unique_ptr<FilelessChange> game;
};
}  // namespace

// The tasks of every level, over many seeds: the customer always pays more than the price,
// the change can be given from the supply, and every piece lies inside its tray.
TEST_F(ChangeTest, DealtTasksOverManySeeds) {
    for (int level = 0; level < 3; ++level) {
        const money::ChangeLevel setup = ChangeLevelOf(level);
        int maxChange = 0;
        for (unsigned seed = 0; seed < 300; ++seed) {
            FilelessChange g(level, seed * 7919u + 3);
            const std::string what = "level " + std::to_string(level) + " seed " + std::to_string(seed);
            ASSERT_GT(g.paymentTotal, g.priceTotal) << what;
            const int change = g.Change();
            EXPECT_GE(change, 1) << what;
            maxChange = std::max(maxChange, change);
            if (level == 0) {
                EXPECT_LE(change, 100) << what;
            }
            ASSERT_EQ(g.priceTray->Count(), setup.pricePieces) << what;
            EXPECT_GE(g.paymentTray->Count(), setup.paymentPieces) << what;
            int price = 0, paid = 0;
            for (MoneyTray* tray : {g.priceTray.get(), g.paymentTray.get()}) {
                std::vector<money::DealtPiece> below;  // every value stays in sight
                for (MoneyPiece* p : tray->pieces) {
                    EXPECT_FALSE(money::HidesAValue(below, p->value, p->position)) << what << ": " << p->value;
                    below.push_back({p->value, p->position});
                    const int index = money::IndexOfCents(p->value);
                    EXPECT_TRUE(index >= 0 && index < setup.denominationCount) << what << ": " << p->value;
                    EXPECT_TRUE(Inside(tray->PieceArea(), p->value, p->position)) << what << ": " << p->value;
                    EXPECT_EQ(p->position, p->target) << what;
                    (tray == g.priceTray.get() ? price : paid) += p->value;
                }
            }
            EXPECT_EQ(price, g.priceTotal) << what;
            EXPECT_EQ(paid, g.paymentTotal) << what;
            // The supply can give it: the greedy split uses the level's pieces only.
            int sum = 0;
            for (int c : money::GreedySplit(change, setup.denominationCount)) {
                EXPECT_LT(money::IndexOfCents(c), setup.denominationCount);
                sum += c;
            }
            EXPECT_EQ(sum, change) << what;
            if (HasFailure()) return;
        }
        EXPECT_GE(maxChange, 50) << "level " << level;
    }
}

// At the first level the customer pays with one piece while the price is below two euro,
// else with two-euro coins and one last piece.
TEST_F(ChangeTest, AtTheFirstLevelThePaymentIsTheFewestPiecesAbovePrice) {
    for (unsigned seed = 0; seed < 200; ++seed) {
        FilelessChange g(0, seed);
        std::vector<int> paid;
        for (MoneyPiece* p : g.paymentTray->pieces) paid.push_back(p->value);
        if (g.priceTotal < 200) {
            EXPECT_EQ(paid.size(), 1u) << seed;
        } else {
            for (size_t i = 0; i + 1 < paid.size(); ++i) EXPECT_EQ(paid[i], 200) << seed;
        }
    }
}

// A place in a tray from the extreme values of rand(): the piece still lies wholly inside.
TEST_F(ChangeTest, PlacesFromTheExtremesOfRandLieInsideTheTray) {
    const money::Area area{153.6f, 115.2f, 409.6f, 345.6f};
    for (int i = 0; i < money::kDenominationCount; ++i) {
        const int cents = money::DenominationAt(i).cents;
        const Vec2 half = money::DrawnHalfOf(cents);
        for (int r1 : {0, RAND_MAX})
            for (int r2 : {0, RAND_MAX}) {
                const Vec2 p = money::PointInArea(area, half, Random01From(r1), Random01From(r2));
                EXPECT_TRUE(Inside(area, cents, p)) << cents << " at " << p.x << ", " << p.y;
            }
        const Vec2 low = money::PointInArea(area, half, 0.0, 0.0);
        EXPECT_FLOAT_EQ(low.x, area.left + half.x);
        EXPECT_FLOAT_EQ(low.y, area.top + half.y);
    }
    // An area smaller than the piece: its middle.
    const money::Area tiny{10, 10, 20, 30};
    const Vec2 p = money::PointInArea(tiny, money::DrawnHalfOf(50000), Random01From(RAND_MAX), 0.0);
    EXPECT_FLOAT_EQ(p.x, 15);
    EXPECT_FLOAT_EQ(p.y, 20);
}

TEST_F(ChangeTest, TheJudgeOfAChangeTray) {
    struct Case {
        int change;
        std::vector<int> pieces;
        bool right, fewest;
    };
    const Case cases[] = {
        {3, {2, 1}, true, true},
        {3, {1, 2}, true, true},  // the order does not matter
        {3, {1, 1, 1}, true, false},
        {3, {2, 1, 1}, false, false},  // greedy plus a cent
        {3, {}, false, false},
        {1, {}, false, false},
        {6, {2, 2, 2}, true, false},
        {6, {5, 1}, true, true},
        {188, {100, 50, 20, 10, 5, 2, 1}, true, true},
        {188, {1, 2, 5, 10, 20, 50, 100}, true, true},
        {188, {100, 50, 20, 10, 5, 2}, false, false},
        {400, {200, 200}, true, true},
        {400, {200, 100, 100}, true, false},
    };
    for (const Case& c : cases) {
        const money::ChangeVerdict v = JudgeChange(c.change, c.pieces, 8);
        EXPECT_EQ(v.right, c.right) << c.change << " in " << c.pieces.size() << " pieces";
        EXPECT_EQ(v.fewest, c.fewest) << c.change << " in " << c.pieces.size() << " pieces";
    }
    // Fewest counts with what the level offers: 12 euro is six coins when notes are missing.
    EXPECT_TRUE(JudgeChange(1200, {200, 200, 200, 200, 200, 200}, 8).fewest);
    EXPECT_FALSE(JudgeChange(1200, {200, 200, 200, 200, 200, 200}, 12).fewest);
    EXPECT_TRUE(JudgeChange(1200, {1000, 200}, 12).fewest);
}

// The greedy split is the fewest pieces for every amount with every level's denominations.
TEST_F(ChangeTest, TheGreedySplitIsTheFewestPieces) {
    for (int level = 0; level < 3; ++level) {
        const int available = ChangeLevelOf(level).denominationCount;
        const int limit = level == 0 ? 2000 : 120000;
        const std::vector<int> best = FewestPieces(limit, available);
        for (int a = 1; a <= limit; a += (a < 5000 ? 1 : 7)) {
            const std::vector<int> split = money::GreedySplit(a, available);
            ASSERT_EQ(static_cast<int>(split.size()), best[a]) << "amount " << a << " level " << level;
            ASSERT_EQ(money::GreedyCount(a, available), best[a]);
        }
    }
}

TEST_F(ChangeTest, TheGradeTable) {
    using money::ChangeGrade;
    EXPECT_NEAR(ChangeGrade(true, 6, 6, 7, 7, 0.0), 1.0 + 3.0 / 7 + 2.0 / 7, 1e-12);
    EXPECT_NEAR(ChangeGrade(true, 6, 6, 7, 7, 60.0), 1.714285714 + 0.5, 1e-6);
    EXPECT_DOUBLE_EQ(ChangeGrade(true, 7, 7, 7, 7, 120.0), 2.0);
    EXPECT_DOUBLE_EQ(ChangeGrade(true, 7, 0, 7, 7, 0.0), 3.0);
    EXPECT_DOUBLE_EQ(ChangeGrade(true, 0, 0, 7, 7, 0.0), 6.0);
    EXPECT_DOUBLE_EQ(ChangeGrade(true, 0, 0, 7, 7, 500.0), 6.0);
    EXPECT_DOUBLE_EQ(ChangeGrade(false, 0, 0, 0, 7, 10.0), 6.0);
    // Left early: the tasks not done count as wrong, one step per 80 seconds.
    EXPECT_DOUBLE_EQ(ChangeGrade(false, 2, 2, 2, 7, 40.0), 1.0 + 5.0 * 5 / 7 + 0.5);
    EXPECT_DOUBLE_EQ(ChangeGrade(false, 1, 0, 2, 7, 0.0), 1.0 + 3.0 * 6 / 7 + 2.0);
}

// Every supply piece is wholly on the screen, and a click takes the piece drawn on top.
TEST_F(ChangeTest, TheSupplyLiesOnTheScreenAndAClickTakesTheTopPiece) {
    for (int level = 0; level < 3; ++level) {
        StartGame(level, 1);
        const int n = game->sources.Count();
        ASSERT_EQ(n, ChangeLevelOf(level).denominationCount);
        for (int i = 0; i < n; ++i) {
            MoneySource* s = game->sources.Get(i);
            const Vec2 h = money::DrawnHalfOf(s->value);
            EXPECT_GE(s->centre.x - h.x, 0.0f) << s->value;
            EXPECT_LE(s->centre.x + h.x, W) << s->value;
            EXPECT_LE(s->centre.y + h.y, H) << s->value;
        }
        // Along the row, every point of a supply picture takes the last supply drawn there,
        // and every supply shows enough of itself to read its value.
        const float y = game->sources.Get(0)->centre.y;
        std::vector<int> shown(n, 0);
        for (int x = 0; x < W; ++x) {
            MoneySource* top = nullptr;
            for (MoneySource* s : game->sources)
                if (s->Contains(static_cast<float>(x), y)) top = s;
            Move(static_cast<float>(x), y);
            Down(static_cast<float>(x), y);
            if (top == nullptr) {
                EXPECT_EQ(game->heldChange, nullptr) << x;
            } else {
                ASSERT_NE(game->heldChange, nullptr) << x;
                EXPECT_EQ(game->heldChange->value, top->value) << "level " << level << " x " << x;
                ++shown[game->sources.IndexOf(top)];
            }
            Up(static_cast<float>(x), y);  // below the tray: it flies home
        }
        for (int i = 0; i < n; ++i) {
            MoneySource* s = game->sources.Get(i);
            EXPECT_GE(shown[i], money::IsCoin(s->value) ? 60 : 38) << "level " << level << ": " << s->value;
        }
        if (level == 0) {
            // The first level keeps the even spacing: a supply every eighth of the width.
            for (int i = 0; i < n; ++i) EXPECT_FLOAT_EQ(game->sources.Get(i)->centre.x, (i + 0.5f) * W / 8);
        }
    }
}

TEST_F(ChangeTest, SupplyPicturesAreDrawnWhereTheyTakeClicks) {
    StartGame(2, 2);
    const auto frame = RenderFrame(*game);
    const auto sprites = SpritesOf(frame, app->texMisc4);
    for (MoneySource* s : game->sources) {
        const money::Denomination& d = money::DenominationAt(money::IndexOfCents(s->value));
        const Vec2 h = money::DrawnHalfOf(s->value);
        bool found = false;
        for (const DrawCommand& c : sprites)
            found = found || (c.src == d.region && std::fabs(c.transform[4] - (s->centre.x - h.x)) < 0.01f &&
                              std::fabs(c.transform[5] - (s->centre.y - h.y)) < 0.01f);
        EXPECT_TRUE(found) << s->value;
    }
}

TEST_F(ChangeTest, ChangeDroppedInTheTrayStaysAndElsewhereFliesHome) {
    StartGame(0, 3);
    MoneySource* two = SourceOf(200);
    const money::Area tray = game->changeTray->PieceArea();
    Drag(200, 400, 520);
    ASSERT_EQ(game->changeTray->Count(), 1);
    EXPECT_FALSE(game->HoldsPiece());
    MoneyPiece* piece = game->changeTray->PieceAt(0);
    EXPECT_EQ(piece->target, (Vec2{400, 520}));
    // Dropped on the tray's edge, a piece glides wholly inside it.
    Drag(200, game->changeTray->area.left + 1, game->changeTray->area.bottom - 1);
    MoneyPiece* edge = game->changeTray->PieceAt(1);
    EXPECT_TRUE(Inside(tray, 200, edge->target));
    Step(*game, 3.0);
    EXPECT_EQ(edge->position, edge->target);

    // Out of the tray and let go above the price: it flies back to its supply and vanishes there.
    Move(400, 520);
    Down(400, 520);
    ASSERT_EQ(game->heldChange, piece);
    EXPECT_EQ(game->changeTray->Count(), 1);
    Move(300, 200);
    Step(*game, 1.0 / 60);
    Up(300, 200);
    EXPECT_FALSE(game->HoldsPiece());
    ASSERT_EQ(two->returning.Count(), 1);
    EXPECT_EQ(two->returning.Get(0)->target, two->centre);
    int frames = 0;
    while (two->returning.Count() > 0 && frames < 200) {
        Step(*game, 1.0 / 60);
        ++frames;
    }
    EXPECT_EQ(two->returning.Count(), 0);
    EXPECT_GT(frames, 10) << "it glides home, it does not jump";
}

TEST_F(ChangeTest, PriceAndPaymentPiecesStayInTheirTrays) {
    StartGame(1, 4);
    MoneyPiece* p = game->priceTray->PieceAt(game->priceTray->Count() - 1);
    Move(p->position.x, p->position.y);
    Down(p->position.x, p->position.y);
    ASSERT_EQ(game->heldPrice, p);
    Move(500, 500);
    Up(500, 500);  // over the change tray
    EXPECT_EQ(game->heldPrice, nullptr);
    EXPECT_EQ(game->changeTray->Count(), 0);
    ASSERT_EQ(game->priceTray->PieceAt(game->priceTray->Count() - 1), p);
    EXPECT_TRUE(Inside(game->priceTray->PieceArea(), p->value, p->target));
    // Moved within its own tray, it goes where it is let go.
    MoneyPiece* q = game->paymentTray->PieceAt(0);
    Move(q->position.x, q->position.y);
    Down(q->position.x, q->position.y);
    ASSERT_EQ(game->heldPayment, q);
    const money::Area a = game->paymentTray->PieceArea();
    const Vec2 to{std::round((a.left + a.right) / 2), std::round((a.top + a.bottom) / 2)};
    Move(to.x, to.y);
    Up(to.x, to.y);
    EXPECT_EQ(q->target, to);
    EXPECT_EQ(game->priceTotal + game->Change(), game->paymentTotal);
}

// The button acts on a release that ends a press begun on it, and a double click counts once.
TEST_F(ChangeTest, TheButtonTakesOnePressAndADoubleClickCountsOnce) {
    StartGame(0, 5);
    // A press elsewhere released on the button, and a press on it released elsewhere: nothing.
    Down(100, 100);
    Up(W / 2, H / 2);
    Down(W / 2, H / 2);
    Up(W / 2, H / 2 + 100);
    EXPECT_EQ(game->tasksDone, 0);
    // A check on the empty tray is no answer: it asks for pieces, and the time runs on.
    PressButton();
    EXPECT_EQ(game->tasksDone, 0);
    EXPECT_EQ(game->verdict, KG_Wechselgeld_Game::Verdict::kEmptyTray);
    Step(*game, 0.2);
    PressButton();
    EXPECT_GT(game->GetPlayTime(), 0.0);
    EXPECT_EQ(game->verdict, KG_Wechselgeld_Game::Verdict::kEmptyTray) << "still resting";
    Step(*game, KG_Wechselgeld_Game::kButtonRest);
    // Wrong change (a cent too much): the tray shows the right change while the verdict shows;
    // a double click, input and the play time stand still meanwhile.
    std::vector<int> pieces = money::GreedySplit(game->Change(), 8);
    pieces.push_back(1);
    GiveChange(pieces);
    PressButton();
    EXPECT_EQ(game->tasksDone, 1);
    EXPECT_EQ(game->verdict, KG_Wechselgeld_Game::Verdict::kWrong);
    game->OnLButtonDblClk(W / 2, H / 2);
    Up(W / 2, H / 2);
    EXPECT_EQ(game->tasksDone, 1);
    EXPECT_EQ(game->rightCount, 0);
    EXPECT_EQ(TrayValues(), money::GreedySplit(game->Change(), 8));
    const double t = game->GetPlayTime();
    Step(*game, KG_Wechselgeld_Game::kWrongVerdictSeconds - 0.1);
    EXPECT_EQ(game->GetPlayTime(), t);
    EXPECT_GT(game->SecondsUntilChange(), 0.0);
    EXPECT_TRUE(game->InVerdict());
    Step(*game, 0.2);
    EXPECT_FALSE(game->InVerdict());
    EXPECT_EQ(game->changeTray->Count(), 0) << "the next task starts with an empty tray";
}

TEST_F(ChangeTest, RightAndFewestAreCountedForEachTask) {
    StartGame(1, 6);
    Step(*game, 1.0);
    // Greedy change: right and fewest.
    GiveChange(money::GreedySplit(game->Change(), 12));
    PressButton();
    EXPECT_EQ(game->rightCount, 1);
    EXPECT_EQ(game->fewestCount, 1);
    EXPECT_EQ(game->verdict, KG_Wechselgeld_Game::Verdict::kFewest);
    Step(*game, KG_Wechselgeld_Game::kWrongVerdictSeconds);
    // The same change with its largest piece given in smaller ones: right only.
    std::vector<int> pieces = money::GreedySplit(game->Change(), 12);
    const int largest = pieces.front();
    ASSERT_GT(largest, 1);
    pieces.erase(pieces.begin());
    for (int c : money::GreedySplit(largest, money::IndexOfCents(largest))) pieces.push_back(c);
    ASSERT_GT(pieces.size(), money::GreedySplit(game->Change(), 12).size());
    GiveChange(pieces);
    EXPECT_EQ(TrayValues().size(), pieces.size());
    PressButton();
    EXPECT_EQ(game->rightCount, 2);
    EXPECT_EQ(game->fewestCount, 1);
    EXPECT_EQ(game->verdict, KG_Wechselgeld_Game::Verdict::kRight);
    Step(*game, KG_Wechselgeld_Game::kWrongVerdictSeconds);
    // One cent too much: neither.
    pieces = money::GreedySplit(game->Change(), 12);
    pieces.push_back(1);
    GiveChange(pieces);
    PressButton();
    EXPECT_EQ(game->rightCount, 2);
    EXPECT_EQ(game->fewestCount, 1);
    EXPECT_EQ(game->tasksDone, 3);
    // The rest wrong; the game ends when the verdict on the last task has shown.
    for (int i = 3; i < 6; ++i) {
        Step(*game, KG_Wechselgeld_Game::kWrongVerdictSeconds);
        EXPECT_EQ(game->GetState(), kStatePlaying);
        GiveChange({1, 1});
        PressButton();
    }
    EXPECT_EQ(game->tasksDone, 6);
    Step(*game, KG_Wechselgeld_Game::kWrongVerdictSeconds);
    EXPECT_EQ(game->GetState(), kStateOver);
    game->ComputeGrade();
    EXPECT_NEAR(game->GetGrade(),
                money::ChangeGrade(true, 2, 1, 6, 6, game->GetPlayTime(), 160.0), 1e-12);
    LoadEnglish();
    const std::string result = game->GetResultText();
    EXPECT_NE(result.find(FormatText(app->GetText(142), 2, 6)), std::string::npos) << result;
    EXPECT_NE(result.find(FormatText(app->GetText(143), 1, 6)), std::string::npos) << result;
    // Over: no more input is taken.
    PressButton();
    EXPECT_EQ(game->tasksDone, 6);
}

// A press while a piece is still held (its release was lost) drops it first, by the usual
// rules; no piece is ever lost or leaked.
TEST_F(ChangeTest, APressWhileHoldingDropsThePieceFirst) {
    StartGame(0, 7);
    MoneySource* one = SourceOf(1);
    MoneySource* two = SourceOf(2);
    Move(one->centre.x, one->centre.y);
    Down(one->centre.x, one->centre.y);
    ASSERT_NE(game->heldChange, nullptr);
    Move(500, 500);
    // Second press, over the tray, without a release in between.
    Down(500, 500);
    EXPECT_EQ(game->heldChange, nullptr);
    ASSERT_EQ(game->changeTray->Count(), 1);
    EXPECT_EQ(game->changeTray->PieceAt(0)->value, 1);
    // The same away from the tray: the held piece flies home, the new press takes a piece.
    Up(500, 500);
    Move(one->centre.x, one->centre.y);
    Down(one->centre.x, one->centre.y);
    Down(two->centre.x, two->centre.y);
    EXPECT_EQ(one->returning.Count(), 1);
    ASSERT_NE(game->heldChange, nullptr);
    EXPECT_EQ(game->heldChange->value, 2);
    EXPECT_TRUE(game->HoldsPiece());
    // The game is left with the piece in the hand: the destructor frees it (leak check).
    game.reset();
}

// The menu drops a held piece before a pause by sending the release at the pointer.
TEST_F(ChangeTest, PausingWhileHoldingLeavesThePieceWhereThePointerWas) {
    StartGame(0, 8);
    Drag(50, 450, 500);
    MoneySource* s = SourceOf(20);
    Move(s->centre.x, s->centre.y);
    Down(s->centre.x, s->centre.y);
    Move(600, 540);
    ASSERT_TRUE(game->HoldsPiece());
    game->OnLButtonUp(static_cast<uint16_t>(app->mouseX), static_cast<uint16_t>(app->mouseY));
    game->OnInputSuspended();
    game->SetState(kStatePaused);
    EXPECT_FALSE(game->HoldsPiece());
    EXPECT_EQ(game->changeTray->Count(), 2);
    // While paused, the real release and more clicks change nothing.
    Up(600, 540);
    PressButton();
    EXPECT_EQ(game->tasksDone, 0);
    game->SetState(kStatePlaying);
    EXPECT_EQ(game->changeTray->Count(), 2);
    EXPECT_EQ(game->changeTray->PieceAt(1)->target, (Vec2{600, 540}));
}

TEST_F(ChangeTest, ALabelFontMadeOnceServesEveryTray) {
    StartGame(2, 9);
    LoadEnglish();
    auto labelFonts = [&] {
        std::vector<const Font*> fonts;
        for (const DrawCommand& c : TextsOf(RenderFrame(*game)))
            if (c.text == app->GetText(144) || c.text == app->GetText(145) || c.text == app->GetText(146))
                fonts.push_back(c.font);
        return fonts;
    };
    const std::vector<const Font*> first = labelFonts();
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0], first[1]);
    EXPECT_EQ(first[1], first[2]);
    for (int i = 0; i < 3; ++i) {
        Step(*game, 1.0);
        PressButton();
    }
    const std::vector<const Font*> later = labelFonts();
    ASSERT_EQ(later.size(), 3u);
    EXPECT_EQ(later[0], first[0]);
}

TEST_F(ChangeTest, InputBeforeTheStartIsIgnored) {
    game = std::make_unique<FilelessChange>(0, 10);
    MoneySource* s = game->sources.Get(0);
    Down(s->centre.x, s->centre.y);
    EXPECT_FALSE(game->HoldsPiece());
    PressButton();
    EXPECT_EQ(game->tasksDone, 0);
    EXPECT_TRUE(RenderFrame(*game).empty()) << "nothing is drawn before the start";
    game->Start();
    Step(*game, 0.5);
    EXPECT_DOUBLE_EQ(game->GetPlayTime(), 0.5);
}
