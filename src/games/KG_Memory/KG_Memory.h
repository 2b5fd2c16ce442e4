#pragma once
// The pairs game with the cards scattered over the whole screen instead of laid out in a
// grid. Two cards are turned per try; a pair stays face up, a mismatch is shown for two
// seconds and turned back. The game ends when every pair is found.
#include <vector>

#include "framework/Knobel_Game.h"
#include "framework/LockedList.h"
#include "games/KG_Memory/MemoryCard.h"

class KG_Memory : public Knobel_Game {
public:
    static constexpr double kMismatchSeconds = 2.0;
    // A grade step per this many seconds for each pair dealt (eight pairs allow two minutes).
    static constexpr double kSecondsPerPair = 15.0;
    // Random positions drawn for one card before the free positions are scanned (tests lower
    // it to exercise the scan).
    static inline int drawsBeforeScan = 10000;
    // Deals tried before cards may be placed overlapping (only on a screen too small for them).
    static constexpr int kMaxDeals = 50;

    explicit KG_Memory(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_Memory(int level, unsigned seed);
    ~KG_Memory() override;

    void OnLButtonDown(uint16_t x, uint16_t y) override {}
    void OnLButtonUp(uint16_t x, uint16_t y) override;
    void Update() override;
    double SecondsUntilChange() override;
    void Render() override;

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;

    int CardCount() const { return cardCount_; }
    double CardSize() const { return cardSize_; }

    double hideTimer = -1.0;
    MemoryCard* firstCard = nullptr;
    MemoryCard* secondCard = nullptr;
    LockedList<MemoryCard> allCards;        // every card in dealing order; does not own
    LockedList<MemoryCard> remainingCards;  // cards not matched yet; owns them
    LockedList<MemoryCard> foundCards;      // matched cards in the order found; owns them
    int attempts = 0;
    int misses = 0;

    // How the deal went: cards placed by the scan, deals thrown away because the cards
    // already lying left no room, and cards that had to overlap their neighbours.
    int scannedPlacements = 0;
    int redeals = 0;
    int crowdedPlacements = 0;

private:
    void DealCards();
    bool TryDeal(int backDesign, bool lastChance);
    bool IsFree(Vec2 centre) const;
    double NearestCentreSquared(Vec2 centre) const;
    bool ScanForPlace(int rangeX, int rangeY, double offset, bool lastChance, Vec2& centre);
    void MarkBlockedRow(int y, double offset, std::vector<char>& blocked) const;

    int cardCount_ = 8;
    double cardSize_ = 100.0;

public:
    GradeTermList GradeTerms() const override;
    // Pairs found and misses.
    bool CountsAnswers(int& right, int& wrong) const override {
        right = foundCards.Count() / 2;
        wrong = misses;
        return true;
    }
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 353; }
    std::vector<KeyPlace> KeyPlaces() override;
};
