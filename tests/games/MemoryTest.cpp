#include <cmath>
#include <map>
#include <vector>

#include "framework/TextFormat.h"
#include "games/KG_Memory/KG_Memory.h"
#include "GameTestSupport.h"

namespace {
// A game that writes no statistics file.
class FilelessMemory : public KG_Memory {
public:
    FilelessMemory(int level, unsigned seed) : KG_Memory(level, seed) { WithoutFile(*this); }
};

struct LevelDeal {
    int level;
    int count;
    double size;
};
const LevelDeal kDeals[] = {{0, 16, 110.0}, {1, 24, 85.0}, {2, 32, 75.0}, {3, 8, 100.0}};

std::vector<MemoryCard*> CardsOf(KG_Memory& game) {
    std::vector<MemoryCard*> cards;
    for (MemoryCard* card : game.allCards) cards.push_back(card);
    return cards;
}

// Checks the layout of a deal: count, sizes, pairs, distances and margins.
void ExpectValidDeal(KG_Memory& game, const LevelDeal& deal, const std::string& what) {
    std::vector<MemoryCard*> cards = CardsOf(game);
    ASSERT_EQ(static_cast<int>(cards.size()), deal.count) << what;
    EXPECT_EQ(game.remainingCards.Count(), deal.count) << what;
    const int backDesign = cards[0]->backDesign;
    EXPECT_TRUE(backDesign >= 0 && backDesign <= 2) << what;
    for (size_t i = 0; i < cards.size(); ++i) {
        const MemoryCard& a = *cards[i];
        EXPECT_EQ(a.pairId, static_cast<int>(i / 2)) << what;
        EXPECT_EQ(a.size, deal.size) << what;
        EXPECT_EQ(a.backDesign, backDesign) << what;
        EXPECT_FALSE(a.faceUp) << what;
        EXPECT_GE(a.centre.x, deal.size + 75) << what;
        EXPECT_GE(a.centre.y, deal.size + 75) << what;
        EXPECT_LE(a.centre.x, 1024 - deal.size - 76) << what;
        EXPECT_LE(a.centre.y, 768 - deal.size - 76) << what;
        for (size_t j = 0; j < i; ++j)
            EXPECT_GE(a.DistanceTo(cards[j]->centre.x, cards[j]->centre.y), deal.size)
                << what << ": cards " << j << " and " << i;
    }
}

class MemoryTest : public GameTest {
protected:
    void StartGame(int level, unsigned seed) {
        game = std::make_unique<FilelessMemory>(level, seed);
        game->Start();
    }
    static void Click(KG_Memory& g, float x, float y) {
        g.OnLButtonUp(static_cast<uint16_t>(std::lround(x)), static_cast<uint16_t>(std::lround(y)));
    }
    static void Click(KG_Memory& g, const MemoryCard* card) { Click(g, card->centre.x, card->centre.y); }
    // Two cards of different pairs, and the partner of the first.
    void PickMismatch(MemoryCard*& a, MemoryCard*& b, MemoryCard*& partnerOfA) {
        std::vector<MemoryCard*> cards = CardsOf(*game);
        a = cards[0];
        partnerOfA = cards[1];
        b = cards[2];
    }
    void PlayPerfectly(KG_Memory& g) {
        std::map<int, std::vector<MemoryCard*>> pairs;
        for (MemoryCard* card : CardsOf(g)) pairs[card->pairId].push_back(card);
        for (auto& [id, pair] : pairs) {
            Click(g, pair[0]);
            Click(g, pair[1]);
        }
    }
    std::unique_ptr<FilelessMemory> game;
};
}  // namespace

TEST_F(MemoryTest, EveryDealKeepsDistanceAndMargins) {
    for (const LevelDeal& deal : kDeals) {
        for (unsigned seed = 0; seed < 150; ++seed) {
            KG_Memory g(deal.level, seed * 2654435761u + 17);
            WithoutFile(g);
            ExpectValidDeal(g, deal, "level " + std::to_string(deal.level) + " seed " + std::to_string(seed));
            EXPECT_EQ(g.crowdedPlacements, 0);
            EXPECT_EQ(g.redeals, 0);
            if (HasFailure()) return;
        }
    }
}

TEST_F(MemoryTest, CardsPlacedByTheScanKeepDistanceAndMargins) {
    const int saved = KG_Memory::drawsBeforeScan;
    KG_Memory::drawsBeforeScan = 0;  // every card found by the scan
    for (const LevelDeal& deal : kDeals) {
        for (unsigned seed = 0; seed < 2; ++seed) {
            KG_Memory g(deal.level, seed + 100);
            WithoutFile(g);
            ExpectValidDeal(g, deal, "scan, level " + std::to_string(deal.level));
            EXPECT_EQ(g.scannedPlacements, deal.count);
            EXPECT_EQ(g.crowdedPlacements, 0);
        }
    }
    KG_Memory::drawsBeforeScan = saved;
}

TEST_F(MemoryTest, DealingEndsOnAScreenTooSmallForTheCards) {
    app->screenWidth = 420;
    app->screenHeight = 400;
    KG_Memory g(0, 5);
    WithoutFile(g);
    EXPECT_EQ(g.allCards.Count(), 16);
    EXPECT_EQ(g.remainingCards.Count(), 16);
    EXPECT_EQ(g.redeals, KG_Memory::kMaxDeals - 1);
    EXPECT_EQ(g.crowdedPlacements, 15);
    for (MemoryCard* card : g.allCards) {
        EXPECT_GE(card->centre.x, 185.0f);
        EXPECT_LE(card->centre.x, 420 - 186.0f + 1);
        EXPECT_GE(card->centre.y, 185.0f);
    }
    app->screenWidth = 1024;
    app->screenHeight = 768;
}

TEST_F(MemoryTest, ClicksBetweenCardsAndOnCornersDoNothing) {
    StartGame(1, 3);
    std::vector<MemoryCard*> cards = CardsOf(*game);
    auto hitsAny = [&](float x, float y) {
        for (MemoryCard* c : cards)
            if (c->HitTest(x, y)) return true;
        return false;
    };
    // A point of the screen that no inscribed circle covers.
    int between = 0;
    for (int y = 20; y < 768 && between < 5; y += 37)
        for (int x = 20; x < 1024 && between < 5; x += 41)
            if (!hitsAny(x, y)) {
                Click(*game, x, y);
                ++between;
            }
    EXPECT_EQ(between, 5);
    // The corners of the cards, just inside the square but outside its circle.
    int corners = 0;
    for (MemoryCard* c : cards) {
        const float h = static_cast<float>(c->size / 2 - 3);
        for (auto [dx, dy] : {std::pair{-h, -h}, {h, -h}, {-h, h}, {h, h}}) {
            if (hitsAny(std::round(c->centre.x + dx), std::round(c->centre.y + dy))) continue;
            Click(*game, c->centre.x + dx, c->centre.y + dy);
            ++corners;
        }
    }
    EXPECT_GT(corners, 20);
    EXPECT_EQ(game->firstCard, nullptr);
    for (MemoryCard* c : cards) EXPECT_FALSE(c->faceUp);
    // The rim of the circle still counts.
    MemoryCard* edge = cards[0];
    Click(*game, edge->centre.x + static_cast<float>(edge->size / 2) - 1, edge->centre.y);
    EXPECT_EQ(game->firstCard, edge);
}

TEST_F(MemoryTest, APairStaysFaceUpWithThePopSound) {
    StartGame(0, 4);
    MemoryCard *a, *b, *partner;
    PickMismatch(a, b, partner);
    const int soundsBefore = app->soundsRequested;
    Click(*game, a);
    EXPECT_TRUE(a->faceUp);
    EXPECT_EQ(game->firstCard, a);
    EXPECT_EQ(game->attempts, 0);
    Click(*game, partner);
    EXPECT_EQ(game->attempts, 1);
    EXPECT_EQ(game->misses, 0);
    EXPECT_EQ(game->firstCard, nullptr);
    EXPECT_EQ(game->secondCard, nullptr);
    EXPECT_EQ(game->foundCards.Get(0), a);
    EXPECT_EQ(game->foundCards.Get(1), partner);
    EXPECT_EQ(game->remainingCards.Count(), 14);
    EXPECT_EQ(app->soundsRequested, soundsBefore + 1);
    EXPECT_EQ(app->lastSoundId, 12);
    // Found cards stay up and take no clicks.
    Click(*game, a);
    EXPECT_EQ(game->firstCard, nullptr);
    Step(*game, 5.0);
    EXPECT_TRUE(a->faceUp && partner->faceUp);
    EXPECT_EQ(game->allCards.Count(), 16);
}

TEST_F(MemoryTest, AMismatchShowsTwoSecondsIgnoringClicksThenTurnsBackWithThePunch) {
    StartGame(0, 5);
    MemoryCard *a, *b, *partner;
    PickMismatch(a, b, partner);
    const int soundsBefore = app->soundsRequested;
    Click(*game, a);
    Click(*game, a);  // the turned card again: nothing
    EXPECT_EQ(game->firstCard, a);
    EXPECT_EQ(game->secondCard, nullptr);
    EXPECT_EQ(game->attempts, 0);
    Click(*game, b);
    EXPECT_EQ(game->attempts, 1);
    EXPECT_EQ(game->misses, 1);
    EXPECT_DOUBLE_EQ(game->hideTimer, 2.0);
    EXPECT_TRUE(a->faceUp && b->faceUp);
    game->SetState(kStatePaused);  // beside the pause page the open pair lies face down
    EXPECT_TRUE(SpritesOf(RenderFrame(*game), app->texMemoryPattern).empty());
    game->SetState(kStatePlaying);
    EXPECT_EQ(SpritesOf(RenderFrame(*game), app->texMemoryPattern).size(), 2u);

    Click(*game, partner);  // a third card during the display
    EXPECT_FALSE(partner->faceUp);
    EXPECT_EQ(game->attempts, 1);
    Step(*game, 1.25);
    EXPECT_TRUE(a->faceUp && b->faceUp);
    EXPECT_EQ(app->soundsRequested, soundsBefore);
    Click(*game, partner);
    EXPECT_FALSE(partner->faceUp);
    Step(*game, 0.75);
    EXPECT_FALSE(a->faceUp || b->faceUp);
    EXPECT_EQ(game->firstCard, nullptr);
    EXPECT_EQ(game->secondCard, nullptr);
    EXPECT_EQ(app->soundsRequested, soundsBefore + 1);
    EXPECT_EQ(app->lastSoundId, 13);
    Step(*game, 1.0);
    EXPECT_EQ(app->soundsRequested, soundsBefore + 1);
    Click(*game, partner);
    EXPECT_EQ(game->firstCard, partner);
}

TEST_F(MemoryTest, ClicksBeforeStartOrWhilePausedAreIgnored) {
    game = std::make_unique<FilelessMemory>(0, 6);
    MemoryCard* card = game->allCards.Get(0);
    Click(*game, card);
    EXPECT_FALSE(card->faceUp);
    game->Start();
    game->SetState(kStatePaused);
    Click(*game, card);
    EXPECT_FALSE(card->faceUp);
    game->SetState(kStatePlaying);
    Click(*game, card);
    EXPECT_TRUE(card->faceUp);
}

TEST_F(MemoryTest, TheGameEndsWhenAllPairsAreFound) {
    StartGame(2, 7);
    Step(*game, 2.0);
    PlayPerfectly(*game);
    EXPECT_EQ(game->remainingCards.Count(), 0);
    EXPECT_EQ(game->foundCards.Count(), 32);
    EXPECT_EQ(game->attempts, 16);
    EXPECT_EQ(game->state, kStatePlaying);
    Step(*game, 1.0);
    EXPECT_EQ(game->state, kStateOver);
    Step(*game, 1.0);
    EXPECT_DOUBLE_EQ(game->playTime, 3.0);
    EXPECT_DOUBLE_EQ(game->gameStatistics.time, 4.0);
}

TEST_F(MemoryTest, TimeRunsOnlyWhilePlaying) {
    game = std::make_unique<FilelessMemory>(0, 8);
    Step(*game, 1.0);
    EXPECT_DOUBLE_EQ(game->playTime, 0.0);
    game->Start();
    Step(*game, 1.0);
    game->SetState(kStateAborted);  // the result page of a game left early
    Step(*game, 1.0);
    EXPECT_DOUBLE_EQ(game->playTime, 1.0);
    EXPECT_DOUBLE_EQ(game->gameStatistics.time, 3.0);
}

TEST_F(MemoryTest, GradeExamples) {
    StartGame(0, 9);
    // Four misses, then every pair.
    std::vector<MemoryCard*> cards = CardsOf(*game);
    for (int i = 0; i < 4; ++i) {
        Click(*game, cards[0]);
        Click(*game, cards[2]);
        Step(*game, 2.0);
    }
    PlayPerfectly(*game);
    Step(*game, 0.0);
    ASSERT_EQ(game->state, kStateOver);
    EXPECT_EQ(game->misses, 4);
    EXPECT_EQ(game->attempts, 12);
    game->playTime = 90.0;
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 2.0);
    game->playTime = 1200.0;
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->grade, 6.0);

    FilelessMemory perfect(0, 10);
    perfect.Start();
    PlayPerfectly(perfect);
    Step(perfect, 0.0);
    perfect.playTime = 60.0;
    perfect.ComputeGrade();
    EXPECT_DOUBLE_EQ(perfect.grade, 1.5);

    FilelessMemory aborted(0, 11);
    aborted.Start();
    aborted.SetState(kStateAborted);
    aborted.ComputeGrade();
    EXPECT_DOUBLE_EQ(aborted.grade, 6.0);

    // Left with half of the pairs found: five steps times the half not found.
    FilelessMemory half(0, 12);
    half.Start();
    std::map<int, std::vector<MemoryCard*>> pairs;
    for (MemoryCard* card : CardsOf(half)) pairs[card->pairId].push_back(card);
    for (int id = 0; id < 4; ++id) {
        Click(half, pairs[id][0]);
        Click(half, pairs[id][1]);
    }
    half.SetState(kStateAborted);
    half.playTime = 60.0;
    half.ComputeGrade();
    EXPECT_DOUBLE_EQ(half.grade, 0.5 + 1 + 2.5);
}

TEST_F(MemoryTest, ResultTextListsTimeMissesAttemptsAndGrade) {
    LoadEnglish();
    StartGame(0, 13);
    MemoryCard *a, *b, *partner;
    PickMismatch(a, b, partner);
    Click(*game, a);
    Click(*game, b);
    game->playTime = 61.9;
    game->SetState(kStateAborted);
    game->ComputeGrade();
    std::string expected = FormatText(app->GetText(22), 1, 1) + "\n" + FormatText(app->GetText(23), 1) + "\n" +
                           FormatText(app->GetText(24), 1) + "\n\n" + FormatText(app->GetText(50), game->grade);
    EXPECT_EQ(std::string(game->GetResultText()), expected);
    EXPECT_NE(expected.find("Misses: 1"), std::string::npos) << expected;
    ASSERT_NE(game->GetTitle(), nullptr);
    EXPECT_STREQ(game->GetTitle(), app->GetText(19));
    EXPECT_NE(std::string(game->GetTitle()).find("pairs"), std::string::npos);
    EXPECT_STREQ(game->GetHelpText(), app->GetText(69));
    EXPECT_NE(game->GetHelpText(), nullptr);
}

TEST_F(MemoryTest, RenderDrawsShadowsFacesPicturesAndBacks) {
    StartGame(0, 14);
    MemoryCard *a, *b, *partner;
    PickMismatch(a, b, partner);
    Click(*game, a);
    const std::vector<DrawCommand> frame = RenderFrame(*game);
    ASSERT_EQ(SpritesOf(frame, app->texMenu2).size(), 1u);

    std::vector<DrawCommand> sheet = SpritesOf(frame, app->texMisc2);
    std::vector<DrawCommand> pictures = SpritesOf(frame, app->texMemoryPattern);
    ASSERT_EQ(sheet.size(), 32u);
    ASSERT_EQ(pictures.size(), 1u);
    const float s = 1.1f;
    size_t k = 0;
    for (MemoryCard* card : game->allCards) {
        const DrawCommand& shadow = sheet[k++];
        EXPECT_EQ(shadow.src, (Rect{0, 500, 100, 600}));
        EXPECT_EQ(shadow.color, 0xFF000000u);
        EXPECT_FLOAT_EQ(shadow.transform[0], s);
        EXPECT_FLOAT_EQ(shadow.transform[3], s);
        EXPECT_FLOAT_EQ(shadow.transform[4], card->centre.x - 55 + 2);
        EXPECT_FLOAT_EQ(shadow.transform[5], card->centre.y - 55 + 2);
        const DrawCommand& top = sheet[k++];
        EXPECT_EQ(top.color, 0xFFFFFFFFu);
        EXPECT_FLOAT_EQ(top.transform[4], card->centre.x - 55);
        EXPECT_FLOAT_EQ(top.transform[5], card->centre.y - 55);
        if (card == a) {
            EXPECT_EQ(top.src, (Rect{0, 500, 100, 600}));
        } else {
            const int left = 100 + 100 * card->backDesign;
            EXPECT_EQ(top.src, (Rect{left, 500, left + 100, 600}));
        }
    }
    const int id = a->pairId;
    EXPECT_EQ(pictures[0].src, (Rect{id % 8 * 65, id / 8 * 65, id % 8 * 65 + 65, id / 8 * 65 + 65}));
    EXPECT_FLOAT_EQ(pictures[0].transform[0], s);
    EXPECT_FLOAT_EQ(pictures[0].transform[4], a->centre.x - s * 32.5f);
    EXPECT_FLOAT_EQ(pictures[0].transform[5], a->centre.y - s * 32.5f);
    EXPECT_EQ(pictures[0].color, 0xFFFFFFFFu);
}

TEST_F(MemoryTest, PicturesOfTheSecondRowComeFromTheSecondRowOfTheSheet) {
    StartGame(2, 15);
    MemoryCard* card = CardsOf(*game)[2 * 11];  // pair 11
    Click(*game, card);
    std::vector<DrawCommand> pictures = SpritesOf(RenderFrame(*game), app->texMemoryPattern);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].src, (Rect{3 * 65, 65, 4 * 65, 130}));
    game->SetState(kStateOver);
    EXPECT_TRUE(SpritesOf(RenderFrame(*game), app->texMenu2).empty());
}
