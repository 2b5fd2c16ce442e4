#include "games/KG_CrazyQuader/KG_CrazyQuader.h"

#include <algorithm>
#include <cstdlib>

#include "app/AppContext.h"
#include "framework/Grade.h"
#include "framework/Random.h"
#include "framework/TextFormat.h"
#include "games/TickSeed.h"

KG_CrazyQuader::KG_CrazyQuader(int level) : KG_CrazyQuader(level, TickCountSeed()) {}

KG_CrazyQuader::KG_CrazyQuader(int level_, unsigned seed) : Knobel_Game(level_, "crazy.sav") {
    std::srand(seed);
    design = RandomBelow(PatternSquare::kDesignCount);
    const CrazyLevel table = CrazyLevelTable(level);
    gridSize = table.gridSize;
    scrambleCount = table.scrambleCount;
    BuildLevel();
    Scramble();
    state = kStatePlaying;
    playTime = 0.0;
    moves = 0;
}

KG_CrazyQuader::~KG_CrazyQuader() { pieces.Clear(true); }

void KG_CrazyQuader::BuildLevel() {
    pieces.Clear(true);
    const Vec2 centre{static_cast<float>(app->screenWidth / 2), static_cast<float>(app->screenHeight / 2 - 150)};
    working = std::make_unique<PatternGrid>(false, gridSize, design, kGridExtent, &centre, kGridGap);
    target = std::make_unique<PatternGrid>(false, gridSize, design, kGridExtent, &centre, kGridGap);
    const CrazyLevel table = CrazyLevelTable(level);
    const std::vector<uint64_t> patterns = CrazyPiecePatterns(level);
    const std::vector<Vec2> centres = CrazyPieceCentres(level, app->screenWidth, app->screenHeight);
    for (size_t i = 0; i < patterns.size() && i < centres.size(); ++i) {
        PatternGrid* piece = new PatternGrid(false, gridSize, design, table.pieceExtent, &centres[i], table.pieceGap);
        for (int c = 0; c < gridSize; ++c)
            for (int r = 0; r < gridSize; ++r) piece->Set(c, r, ((patterns[i] >> (c * gridSize + r)) & 1u) != 0);
        pieces.Add(piece);
    }
}

// scrambleCount random pieces applied to the dark grid. Should they cancel out and leave it
// dark, the puzzle would start solved: then it is scrambled again.
void KG_CrazyQuader::Scramble() {
    const int count = pieces.Count();
    if (count == 0) return;
    scrambleRounds = 0;
    // A piece applied twice cancels out: the pieces applied an odd number of times solve it.
    std::vector<bool> odd(static_cast<size_t>(count), false);
    auto apply = [&](int piece) {
        working->Combine(*pieces.Get(piece), true);
        odd[static_cast<size_t>(piece)] = !odd[static_cast<size_t>(piece)];
    };
    do {
        ++scrambleRounds;
        for (int i = 0; i < scrambleCount; ++i) apply(RandomBelow(count));
    } while (working->IsDark() && scrambleRounds < kMaxScrambles);
    // Only reached when the generator keeps repeating itself: the last piece lights every square.
    if (working->IsDark()) apply(count - 1);
    solutionMoves = static_cast<int>(std::count(odd.begin(), odd.end(), true));
}

int KG_CrazyQuader::PieceAt(float x, float y) {
    int i = 0;
    for (PatternGrid* piece : pieces) {
        if (piece->Contains(x, y)) return i;
        ++i;
    }
    return -1;
}

void KG_CrazyQuader::ApplyPiece(int index) {
    PatternGrid* piece = pieces.Get(index);
    if (piece == nullptr) return;
    working->Combine(*piece, true);
    moves += 1;
    if (working->Equals(*target)) state = kStateOver;
}

// A click anywhere on a piece, on a lit or a dark square, applies it; the pieces do not
// overlap, so one click applies at most one piece.
void KG_CrazyQuader::OnLButtonDown(uint16_t x, uint16_t y) {
    if (!Playing()) return;
    const int index = PieceAt(x, y);
    if (index >= 0) ApplyPiece(index);
}

void KG_CrazyQuader::Update() { AdvanceTime(Playing()); }

void KG_CrazyQuader::Render() {
    if (!running || state != kStatePlaying) return;
    DrawTimePanel();
    for (PatternGrid* piece : pieces) piece->Draw();
    working->Draw();
}

const char* KG_CrazyQuader::GetHelpText() { return app->GetText(106); }
const char* KG_CrazyQuader::GetTitle() { return app->GetText(105); }

const char* KG_CrazyQuader::GetResultText() {
    return FrameResultText({FormatText(app->GetText(29), scrambleCount), FormatText(app->GetText(27), moves)});
}

// Solved: one step per scramble's worth of moves beyond those of the scramble's own solution
// (a solve in that many moves or fewer costs nothing), plus one per four minutes. Unsolved: 6.0.
void KG_CrazyQuader::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList KG_CrazyQuader::GradeTerms() const {
    if (state != kStateOver) return NoResultTerms();
    const int extra = std::max(moves - solutionMoves, 0);
    GradeTermList t;
    AddTerm(t, TermKind::kBase, 1.0);
    AddTerm(t, TermKind::kExtraMoves, static_cast<double>(extra) / std::max(1, scrambleCount), extra);
    AddTerm(t, TermKind::kTime, playTime / kSecondsPerGrade, playTime);
    return CloseTerms(std::move(t));
}

// Steps are pieces clicked; a mistake is a move beyond the scramble's own solution.
PlayShape KG_CrazyQuader::ShapeOfPlay() { return {solutionMoves, 4.0, true}; }

void KG_CrazyQuader::SetPlayedResult(const PlayedResult& r) {
    moves = r.done + r.wrong;
    EndPlayed(r);
}

// The pieces on the table; a piece takes a click on any of its squares, so on its first.
std::vector<KeyPlace> KG_CrazyQuader::KeyPlaces() {
    std::vector<KeyPlace> places;
    for (PatternGrid* piece : pieces) {
        const GridLayout& l = piece->Layout();
        KeyPlace p = PlaceOver(piece->Bounds());
        p.x = static_cast<int>(l.firstTopLeft.x) + l.squareSize / 2;
        p.y = static_cast<int>(l.firstTopLeft.y) + l.squareSize / 2;
        places.push_back(p);
    }
    return places;
}
