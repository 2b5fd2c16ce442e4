#include "games/KG_Schiebe_Puzzle/KG_Schiebe_Puzzle.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/AppContext.h"
#include "framework/Grade.h"
#include "framework/TextFormat.h"
#include "games/TickSeed.h"

namespace {
constexpr Color kSlotTint = 0x80302418;
}  // namespace

int KG_Schiebe_Puzzle::SideOfLevel(int level) { return level >= 2 ? 5 : (level == 1 ? 4 : 3); }
int KG_Schiebe_Puzzle::ShuffleStepsOfLevel(int level) { return level >= 2 ? 150 : (level == 1 ? 100 : 50); }

KG_Schiebe_Puzzle::KG_Schiebe_Puzzle(int level) : KG_Schiebe_Puzzle(level, TickCountSeed()) {}

KG_Schiebe_Puzzle::KG_Schiebe_Puzzle(int level_, unsigned seed) : Knobel_Game(level_, "puzzle.sav") {
    gridSize = SideOfLevel(level);
    shuffleSteps = ShuffleStepsOfLevel(level);
    const int ts = TileSizeOf(gridSize);
    const float W = static_cast<float>(app->screenWidth), H = static_cast<float>(app->screenHeight);
    std::srand(seed);
    const int picture = std::rand() % 3;
    board.Build(gridSize, picture, Vec2{W / 2 - 420, H / 2 - 200}, ts);
    model.Build(gridSize, picture, Vec2{W / 2 + 20, H / 2 - 200}, ts);
    moves = 0;
    playTime = 0.0;
    board.Shuffle(shuffleSteps, [] { return std::rand(); });
    invalidClicks = 0;
    state = kStatePlaying;
}

void KG_Schiebe_Puzzle::OnLButtonUp(uint16_t x, uint16_t y) {
    if (!Playing()) return;
    switch (board.ClickAt(x, y)) {
        case PuzzleBoard::Click::kSlid: ++moves; break;
        case PuzzleBoard::Click::kBlocked: ++invalidClicks, StartShake(x, y); break;
        case PuzzleBoard::Click::kMissed: break;
    }
}

void KG_Schiebe_Puzzle::Update() {
    board.GlideStep(app->realFrameTime);
    if (shakeTime > 0.0) shakeTime = std::max(0.0, shakeTime - app->realFrameTime);
    if (running && state == kStatePlaying && board.Solved()) state = kStateOver;
    AdvanceTime(running && state == kStatePlaying);
}

// The empty cell of a board: the plain field, tinted as a dark recess, so the gap reads as a
// slot even where the picture has the colours of the backdrop.
void KG_Schiebe_Puzzle::DrawSlot(const PuzzleBoard& b) {
    int col = 0, row = 0;
    b.HoleCell(col, row);
    const PuzzleTile& hole = b.At(col, row);
    const Rect field{550, 0, 600, 50};
    const Vec2 scale{hole.size.x / 50.0f, hole.size.y / 50.0f};
    app->DrawSprite(app->texMisc1, &field, &scale, nullptr, 0.0, &hole.target, kSlotTint);
}

void KG_Schiebe_Puzzle::Render() {
    DrawSlot(board);
    DrawSlot(model);
    ApplyShake(true);
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            board.At(i, j).Draw();
            model.At(i, j).Draw();
        }
    ApplyShake(false);
    if (running && state == kStatePlaying) DrawTimePanel();
}

const char* KG_Schiebe_Puzzle::GetHelpText() { return app->GetText(74); }
const char* KG_Schiebe_Puzzle::GetTitle() { return app->GetText(17); }

const char* KG_Schiebe_Puzzle::GetResultText() {
    return FrameResultText({FormatText(app->GetText(29), shuffleSteps), FormatText(app->GetText(27), moves),
                            FormatText(app->GetText(28), invalidClicks)});
}

// Solved: a step per twice the shuffle's moves made beyond as many moves as the shuffle took
// (a solve in no more moves than the shuffle costs nothing for them), per four minutes and per
// ten invalid clicks. Left before: the same charge for the moves, five steps times the share of
// cells out of place, a step per two minutes and per ten invalid clicks; so leaving a few moves
// short of the solve never grades better than solving.
void KG_Schiebe_Puzzle::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList KG_Schiebe_Puzzle::GradeTerms() const {
    const int extra = std::max(moves - shuffleSteps, 0);
    GradeTermList t;
    AddTerm(t, TermKind::kBase, 1.0);
    AddTerm(t, TermKind::kExtraMoves, static_cast<double>(extra) / (2.0 * shuffleSteps), extra);
    if (state != kStateOver) {
        const double cells = static_cast<double>(gridSize) * gridSize;
        AddTerm(t, TermKind::kTilesAway, board.CellsAway() / cells * 5.0, board.CellsAway());
    }
    AddTerm(t, TermKind::kTime, playTime / (state == kStateOver ? 240.0 : 120.0), playTime);
    if (invalidClicks > 0) AddTerm(t, TermKind::kInvalidClicks, invalidClicks / 10.0, invalidClicks);
    return CloseTerms(std::move(t));
}

// Steps are moves, as many as the shuffle took; a mistake is an invalid click. Left early, the
// board lies as many shuffle steps from solved as moves are missing.
PlayShape KG_Schiebe_Puzzle::ShapeOfPlay() { return {shuffleSteps, 0.7, true, false}; }

void KG_Schiebe_Puzzle::SetPlayedResult(const PlayedResult& r) {
    board = model;
    unsigned walk = 7;
    for (int i = std::max(r.done, 0); i < shuffleSteps; ++i)
        board.ShuffleStep([&walk] { return static_cast<int>((walk = walk * 1103515245u + 12345u) >> 16); });
    moves = r.done;
    invalidClicks = r.wrong;
    EndPlayed(r);
}

void KG_Schiebe_Puzzle::StartShake(float x, float y) {
    int col = 0, row = 0;
    if (!board.CellAt(x, y, col, row)) return;
    shakeCol = col, shakeRow = row;
    shakeTime = kShakeSeconds;
}

// Three swings of up to six pixels, dying away.
float KG_Schiebe_Puzzle::ShakeOffset() const {
    if (!(shakeTime > 0.0) || !board.Inside(shakeCol, shakeRow)) return 0.0f;
    const double left = shakeTime / kShakeSeconds;
    return static_cast<float>(6.0 * left * std::sin((1.0 - left) * 3.0 * 2.0 * 3.14159265358979));
}

void KG_Schiebe_Puzzle::ApplyShake(bool on) {
    if (!on) {
        if (shakeApplied_) board.At(shakeCol, shakeRow).position = shakeSaved_;
        shakeApplied_ = false;
        return;
    }
    const float offset = ShakeOffset();
    if (offset == 0.0f) return;
    PuzzleTile& tile = board.At(shakeCol, shakeRow);
    shakeSaved_ = tile.position;
    tile.position.x += offset;
    shakeApplied_ = true;
}

double KG_Schiebe_Puzzle::SecondsUntilChange() {
    if (shakeTime > 0.0) return 0.0;  // the tile swings
    return Knobel_Game::SecondsUntilChange();
}

// Every cell of the board, the hole's included, where its tile comes to rest.
std::vector<KeyPlace> KG_Schiebe_Puzzle::KeyPlaces() {
    std::vector<KeyPlace> places;
    for (int row = 0; row < board.Side(); ++row)
        for (int col = 0; col < board.Side(); ++col) {
            const PuzzleTile& t = board.At(col, row);
            places.push_back(PlaceAround(t.target.x + t.size.x / 2, t.target.y + t.size.y / 2, t.size.x / 2, t.size.y / 2));
        }
    return places;
}
