#include "games/KG_Dreieck_rechnen/KG_Dreieck_rechnen.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/Grade.h"
#include "framework/TextFormat.h"
#include "games/AnswerField.h"
#include "games/TickSeed.h"
#include "platform/FontManager.h"

namespace {
constexpr Color kBlack = 0xFF000000;
}  // namespace

KG_Dreieck_rechnen::KG_Dreieck_rechnen(int level) : KG_Dreieck_rechnen(level, false, 0) {}

KG_Dreieck_rechnen::KG_Dreieck_rechnen(int level, unsigned seed) : KG_Dreieck_rechnen(level, true, seed) {}

KG_Dreieck_rechnen::KG_Dreieck_rechnen(int level_, bool seeded, unsigned seed)
    : TypedTaskGame(level_, "dreieck.sav", kMaxDigits, kSecondsPerOperation) {
    if (seeded) std::srand(seed);
    switch (level) {
        case 0: rowCount = 3, taskCount = 10; break;
        case 1: rowCount = 3, taskCount = 20; break;
        default: rowCount = 4, taskCount = 20; break;
    }
    const int operations = rowCount * (rowCount - 1) / 2;
    secondsPerGrade = kSecondsPerOperation * operations * taskCount;
    briskSeconds = 2.0 * operations;  // two seconds to work out a field, Enter included
    digitFont = MakeFont("Arial", 35);
    NewTask();
    rightCount = wrongCount = 0;
    playTime = 0.0;
    state = kStatePlaying;
    // The next triangles follow from the tick count (the first one from the generator as the
    // menu left it).
    if (!seeded) std::srand(TickCountSeed());
}

KG_Dreieck_rechnen::~KG_Dreieck_rechnen() {
    apex = nullptr;
    nodes.Clear(true);
}

// With W = 1024 and three fields the top row stands at x 432, 512, 592 and y 212, the apex at
// (512, 332); with four fields the top row at x 392..632 and y 152, the apex again at x 512.
Vec2 KG_Dreieck_rechnen::FieldCentre(int n, int row, int k, int W) {
    const float left = static_cast<float>(W / 2) - static_cast<float>(n - 1) * kFieldSpacing / 2.0f;
    const float top = static_cast<float>(W / 2) - static_cast<float>(n + 2) * kRowSpacing;
    return Vec2{left + row * kFieldSpacing / 2.0f + k * kFieldSpacing, top + row * kRowSpacing};
}

void KG_Dreieck_rechnen::NewTask() {
    std::vector<int> top(static_cast<size_t>(rowCount));
    for (int& v : top) v = std::rand() % 20 + 1;
    Build(top.data());
}

void KG_Dreieck_rechnen::BuildTriangle(const int* topValues, int n) {
    rowCount = std::clamp(n, 1, 8);
    Build(topValues);
}

void KG_Dreieck_rechnen::Build(const int* topValues) {
    apex = nullptr;
    nodes.Clear(true);
    const int W = app->screenWidth;
    std::vector<TriangleNode*> above;
    for (int k = 0; k < rowCount; ++k) {
        const Vec2 c = FieldCentre(rowCount, 0, k, W);
        auto* node = new TriangleNode(c.x, c.y, topValues[k]);
        nodes.Add(node);
        above.push_back(node);
    }
    for (int row = 1; row < rowCount; ++row) {
        std::vector<TriangleNode*> current;
        for (int k = 0; k < rowCount - row; ++k) {
            const Vec2 c = FieldCentre(rowCount, row, k, W);
            auto* node = new TriangleNode(c.x, c.y, 1);
            node->Join(above[static_cast<size_t>(k)], above[static_cast<size_t>(k) + 1]);
            nodes.Add(node);
            current.push_back(node);
        }
        above = current;
    }
    apex = above.front();
    answer.Clear();
}

bool KG_Dreieck_rechnen::IsRight(const std::string& typed) const {
    return apex != nullptr && std::atoi(typed.c_str()) == apex->value;
}

void KG_Dreieck_rechnen::Render() {
    if (!running) return;
    const int W = app->screenWidth, H = app->screenHeight;
    const float cx = static_cast<float>(W / 2), cy = static_cast<float>(H / 2);
    if (state == kStatePlaying) DrawTimePanel();
    fontManager->DrawTextAt("=", cx, cy + 50.0f, kBlack, kTextCenter | kTextVCenter, digitFont);

    const Vec2 p{cx, cy + 100.0f};
    const float s = std::max(1.0f, static_cast<float>(answer.Length()) * 0.5f);
    answerfield::Draw(p, s);
    if (answer.ShowsTyped())
        fontManager->DrawTextAt(answer.Text().c_str(), p.x, p.y, kBlack, kTextCenter | kTextVCenter, digitFont);
    if (answer.ShowsTick()) TypedAnswer::DrawTick(Vec2{p.x + 25.0f * s, p.y - 25.0f});
    if (answer.ShowsRightAnswer() && apex != nullptr) {
        answerfield::DrawWrongAnswer(std::to_string(apex->value), p, digitFont);
    }
    if (answer.ShowsStruckTyped()) answerfield::DrawStruckAnswer(answer.Text(), Vec2{p.x - 25.0f * s - 20.0f, p.y}, digitFont);
    for (TriangleNode* node : nodes) node->Draw(digitFont);
}

const char* KG_Dreieck_rechnen::GetHelpText() { return app->GetText(66); }
const char* KG_Dreieck_rechnen::GetTitle() { return app->GetText(42); }
