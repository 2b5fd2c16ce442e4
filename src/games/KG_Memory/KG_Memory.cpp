#include "games/KG_Memory/KG_Memory.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "app/AppContext.h"
#include "framework/TextFormat.h"
#include "games/TickSeed.h"

namespace {
constexpr int kSoundPop = 12;
constexpr int kSoundPunch = 13;
// Centres keep this far from the screen edges beyond one card size.
constexpr double kMargin = 75.0;
constexpr double kMarginTotal = 150.0;

struct Deal {
    int count;
    double size;
};

Deal DealForLevel(int level) {
    switch (level) {
        case 0: return {16, 110.0};
        case 1: return {24, 85.0};
        case 2: return {32, 75.0};
        default: return {8, 100.0};
    }
}
}  // namespace

KG_Memory::KG_Memory(int level) : KG_Memory(level, TickCountSeed()) {}

KG_Memory::KG_Memory(int level_, unsigned seed) : Knobel_Game(level_, "merkspiel.sav") {
    Deal deal = DealForLevel(level);
    cardCount_ = deal.count;
    cardSize_ = deal.size;
    std::srand(seed);
    attempts = 0;
    misses = 0;
    hideTimer = -1.0;
    firstCard = secondCard = nullptr;
    DealCards();
    playTime = 0.0;
}

KG_Memory::~KG_Memory() {
    firstCard = secondCard = nullptr;
    remainingCards.Clear(true);
    foundCards.Clear(true);
    allCards.Clear(false);
}

// Random centres, each at least one card size away from every card dealt before and inside
// the margins, drawn until one is free. So that dealing always ends, a card that finds no free
// place within drawsBeforeScan draws takes one of the free positions by a scan, and a deal in
// which the cards already lying leave no room at all is dealt anew.
void KG_Memory::DealCards() {
    const int backDesign = std::rand() % 3;
    for (int deal = 1; !TryDeal(backDesign, deal == kMaxDeals); ++deal) {
        ++redeals;
        remainingCards.Clear(true);
        allCards.Clear(false);
    }
}

bool KG_Memory::TryDeal(int backDesign, bool lastChance) {
    const int rangeY = std::max(1, static_cast<int>(app->screenHeight - 2 * cardSize_ - kMarginTotal));
    const int rangeX = std::max(1, static_cast<int>(app->screenWidth - kMarginTotal - 2 * cardSize_));
    const double offset = cardSize_ + kMargin;
    for (int i = 0; i < cardCount_; ++i) {
        Vec2 centre;
        bool placed = false;
        for (int draw = 0; draw < drawsBeforeScan && !placed; ++draw) {
            int y = std::rand() % rangeY;
            int x = std::rand() % rangeX;
            centre = Vec2{static_cast<float>(x + offset), static_cast<float>(y + offset)};
            placed = IsFree(centre);
        }
        if (!placed && !ScanForPlace(rangeX, rangeY, offset, lastChance, centre)) {
            if (!lastChance) return false;
            ++crowdedPlacements;
        }
        MemoryCard* card = new MemoryCard(i / 2, centre, cardSize_, backDesign);
        allCards.Add(card);
        remainingCards.Add(card);
    }
    return true;
}

double KG_Memory::NearestCentreSquared(Vec2 centre) const {
    double nearest = std::numeric_limits<double>::infinity();
    for (MemoryCard* card : const_cast<LockedList<MemoryCard>&>(allCards)) {
        double dx = static_cast<double>(centre.x) - card->centre.x;
        double dy = static_cast<double>(centre.y) - card->centre.y;
        nearest = std::min(nearest, dx * dx + dy * dy);
    }
    return nearest;
}

bool KG_Memory::IsFree(Vec2 centre) const { return NearestCentreSquared(centre) >= cardSize_ * cardSize_; }

// Walks every position the random draw can produce and takes one of the free ones, each with
// the same chance, just as drawing until a free one comes up would. With none free the result
// is false; on the last chance centre is then the position farthest from its nearest card.
bool KG_Memory::ScanForPlace(int rangeX, int rangeY, double offset, bool lastChance, Vec2& centre) {
    ++scannedPlacements;
    std::vector<char> blocked(static_cast<size_t>(rangeX));
    long long freeCount = 0;
    for (int y = 0; y < rangeY; ++y) {
        MarkBlockedRow(y, offset, blocked);
        freeCount += std::count(blocked.begin(), blocked.end(), 0);
    }
    if (freeCount > 0) {
        long long pick = std::rand() % freeCount;
        for (int y = 0; y < rangeY; ++y) {
            MarkBlockedRow(y, offset, blocked);
            for (int x = 0; x < rangeX; ++x) {
                if (blocked[x] || pick-- > 0) continue;
                centre = Vec2{static_cast<float>(x + offset), static_cast<float>(y + offset)};
                return true;
            }
        }
    }
    if (lastChance) {
        double bestNearest = -1.0;
        for (int y = 0; y < rangeY; ++y)
            for (int x = 0; x < rangeX; ++x) {
                Vec2 candidate{static_cast<float>(x + offset), static_cast<float>(y + offset)};
                double nearest = NearestCentreSquared(candidate);
                if (nearest > bestNearest) {
                    bestNearest = nearest;
                    centre = candidate;
                }
            }
    }
    return false;
}

// A card blocks an interval of each row it reaches; its ends are found with the same test as a
// drawn position gets.
void KG_Memory::MarkBlockedRow(int y, double offset, std::vector<char>& blocked) const {
    std::fill(blocked.begin(), blocked.end(), 0);
    const int last = static_cast<int>(blocked.size()) - 1;
    const float rowY = static_cast<float>(y + offset);
    const double needed = cardSize_ * cardSize_;
    for (MemoryCard* card : const_cast<LockedList<MemoryCard>&>(allCards)) {
        const double dy = static_cast<double>(rowY) - card->centre.y;
        if (dy * dy >= needed) continue;
        auto blocks = [&](int x) {
            double dx = static_cast<double>(static_cast<float>(x + offset)) - card->centre.x;
            return dx * dx + dy * dy < needed;
        };
        const double middle = card->centre.x - offset;
        const double half = std::sqrt(needed - dy * dy);
        int lo = static_cast<int>(std::max(0.0, std::floor(middle - half) - 1));
        int hi = static_cast<int>(std::min(static_cast<double>(last), std::ceil(middle + half) + 1));
        while (lo <= hi && !blocks(lo)) ++lo;
        while (hi >= lo && !blocks(hi)) --hi;
        if (lo <= hi) std::fill(blocked.begin() + lo, blocked.begin() + hi + 1, 1);
    }
}

void KG_Memory::OnLButtonUp(uint16_t x, uint16_t y) {
    if (hideTimer > 0) return;  // a mismatched pair is still showing
    if (!Playing()) return;
    MemoryCard* hit = nullptr;
    for (MemoryCard* card : remainingCards) {
        if (card != firstCard && card->HitTest(x, y)) {
            hit = card;
            break;
        }
    }
    if (hit == nullptr) return;
    hit->TurnUp();
    if (firstCard == nullptr) {
        firstCard = hit;
        return;
    }
    secondCard = hit;
    ++attempts;
    if (firstCard->SamePair(*secondCard)) {
        foundCards.Add(firstCard);
        foundCards.Add(secondCard);
        remainingCards.Remove(firstCard, false);
        remainingCards.Remove(secondCard, false);
        firstCard = secondCard = nullptr;
        hideTimer = -1.0;
        app->PlaySound(kSoundPop, 1.0f);
    } else {
        hideTimer = kMismatchSeconds;
        ++misses;
    }
}

void KG_Memory::Update() {
    AdvanceTime(running && state == kStatePlaying);
    if (firstCard != nullptr && secondCard != nullptr) {
        hideTimer -= app->realFrameTime;
        if (hideTimer <= 0) {
            app->PlaySound(kSoundPunch, 1.0f);
            firstCard->TurnDown();
            secondCard->TurnDown();
            firstCard = secondCard = nullptr;
        }
    }
    if (remainingCards.Empty()) state = kStateOver;
}

double KG_Memory::SecondsUntilChange() {
    if (firstCard != nullptr && secondCard != nullptr) return 0.0;  // two open cards turn back
    return Knobel_Game::SecondsUntilChange();
}

void KG_Memory::Render() {
    if (running && state == kStatePlaying) DrawTimePanel();
    // Found pairs stay open during a pause; the cards still to be matched all lie face down.
    for (MemoryCard* card : allCards) card->Draw(Concealed() && remainingCards.Contains(card));
}

const char* KG_Memory::GetHelpText() { return app->GetText(69); }
const char* KG_Memory::GetTitle() { return app->GetText(19); }

const char* KG_Memory::GetResultText() {
    return FrameResultText({FormatText(app->GetText(23), misses), FormatText(app->GetText(24), attempts)});
}

// One grade step per 15 seconds for each pair dealt (two minutes for eight pairs) plus the share
// of misses; a game left early adds five steps times the share of cards not found.
void KG_Memory::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList KG_Memory::GradeTerms() const {
    const double dealt = std::max<double>(foundCards.Count() + remainingCards.Count(), 1.0);
    GradeTermList t;
    AddTerm(t, TermKind::kBase, 1.0);
    AddTerm(t, TermKind::kTime, playTime / (kSecondsPerPair * dealt / 2.0), playTime);
    AddTerm(t, TermKind::kMisses, misses / dealt, misses);
    if (state != kStateOver && remainingCards.Count() > 0)
        AddTerm(t, TermKind::kCardsLeft, 5.0 * remainingCards.Count() / dealt, remainingCards.Count());
    return CloseTerms(std::move(t));
}

// Steps are pairs found; a mistake is a miss.
PlayShape KG_Memory::ShapeOfPlay() { return {allCards.Count() / 2, 3.5, true}; }

void KG_Memory::SetPlayedResult(const PlayedResult& r) {
    foundCards.Clear(false);
    remainingCards.Clear(false);
    for (MemoryCard* card : allCards) (card->pairId < r.done ? foundCards : remainingCards).Add(card);
    misses = r.wrong;
    EndPlayed(r);
}

// The cards still in play (a found pair leaves the table).
std::vector<KeyPlace> KG_Memory::KeyPlaces() {
    std::vector<KeyPlace> places;
    for (MemoryCard* c : remainingCards)
        places.push_back(PlaceAround(c->centre.x, c->centre.y, static_cast<float>(c->size / 2)));
    return places;
}
