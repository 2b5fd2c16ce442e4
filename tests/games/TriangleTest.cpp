// Triangle arithmetic: joining two fields, the layout of the triangle, the answer entry and
// the course of a game.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "games/KG_Dreieck_rechnen/KG_Dreieck_rechnen.h"
#include "games/KG_Dreieck_rechnen/TriangleNode.h"
#include "GameTestSupport.h"

TEST(TriangleJoinTest, TheFirstOperatorThatFits) {
    struct Case {
        int left, right, op, value;
    };
    const Case cases[] = {
        {6, 3, kOpDivide, 2},    {3, 4, kOpMultiply, 12}, {7, 7, kOpDivide, 1},  {5, 20, kOpMultiply, 100},
        {6, 17, kOpAdd, 23},     {11, 10, kOpSubtract, 1}, {10, 11, kOpAdd, 21}, {2, 12, kOpMultiply, 24},
        {20, 4, kOpDivide, 5},   {12, 12, kOpDivide, 1},  {17, 3, kOpMultiply, 51}, {13, 9, kOpSubtract, 4}, {1, 1, kOpDivide, 1},
    };
    for (const Case& c : cases) {
        const Joined j = JoinValues(c.left, c.right);
        EXPECT_EQ(j.op, c.op) << c.left << ", " << c.right;
        EXPECT_EQ(j.value, c.value) << c.left << ", " << c.right;
    }
    EXPECT_STREQ(OperatorText(kOpAdd), "+");
    EXPECT_STREQ(OperatorText(kOpSubtract), "-");
    EXPECT_STREQ(OperatorText(kOpMultiply), "*");
    EXPECT_STREQ(OperatorText(kOpDivide), "/");
}

namespace {
// The apex of a top row, checking that every field of the triangle is at least 1.
int ApexOf(std::vector<int> row, bool& allPositive) {
    while (row.size() > 1) {
        std::vector<int> next;
        for (size_t k = 0; k + 1 < row.size(); ++k) {
            const int v = JoinValues(row[k], row[k + 1]).value;
            allPositive = allPositive && v >= 1;
            next.push_back(v);
        }
        row = next;
    }
    return row[0];
}
}  // namespace

TEST(TriangleJoinTest, EveryTopRowGivesFieldsOfAtLeastOneAndAThreeDigitApex) {
    int largest = 0;
    bool allPositive = true;
    for (int a = 1; a <= 20; ++a)
        for (int b = 1; b <= 20; ++b)
            for (int c = 1; c <= 20; ++c) {
                largest = std::max(largest, ApexOf({a, b, c}, allPositive));
                for (int d = 1; d <= 20; ++d) largest = std::max(largest, ApexOf({a, b, c, d}, allPositive));
            }
    EXPECT_TRUE(allPositive);
    EXPECT_LE(largest, 999) << "an apex the entry of three digits cannot take";
}

TEST(TriangleLayoutTest, RowsAreCentredOnTheScreen) {
    const float x3[] = {432, 512, 592, 472, 552, 512};
    const float y3[] = {212, 212, 212, 272, 272, 332};
    int i = 0;
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k < 3 - row; ++k, ++i) {
            const Vec2 c = KG_Dreieck_rechnen::FieldCentre(3, row, k, 1024);
            EXPECT_FLOAT_EQ(c.x, x3[i]) << row << "/" << k;
            EXPECT_FLOAT_EQ(c.y, y3[i]) << row << "/" << k;
        }
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(KG_Dreieck_rechnen::FieldCentre(4, 0, k, 1024).x, 392.0f + 80.0f * k);
        EXPECT_FLOAT_EQ(KG_Dreieck_rechnen::FieldCentre(4, 0, k, 1024).y, 152.0f);
    }
    EXPECT_FLOAT_EQ(KG_Dreieck_rechnen::FieldCentre(4, 3, 0, 1024).x, 512.0f);
    EXPECT_FLOAT_EQ(KG_Dreieck_rechnen::FieldCentre(4, 3, 0, 1024).y, 332.0f);
}

namespace {
class FilelessTriangle : public KG_Dreieck_rechnen {
public:
    FilelessTriangle(int level, unsigned seed) : KG_Dreieck_rechnen(level, seed) { WithoutFile(*this); }
};

class TriangleGameTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        LoadEnglish();
    }
    void Start(int level, unsigned seed = 9) {
        game = std::make_unique<FilelessTriangle>(level, seed);
        game->Start();
    }
    void Type(const std::string& keys) { TypeKeys(*game, keys); }
    void Enter() { PressEnter(*game); }
    std::unique_ptr<FilelessTriangle> game;
};
}  // namespace

TEST_F(TriangleGameTest, TrianglesOfTheLevels) {
    Start(0);
    EXPECT_EQ(game->taskCount, 10);
    EXPECT_EQ(game->nodes.Count(), 6);
    const int top[] = {6, 3, 4};
    game->BuildTriangle(top, 3);
    ASSERT_NE(game->apex, nullptr);
    EXPECT_EQ(game->apex->value, 24);
    EXPECT_EQ(game->apex->op, kOpMultiply);
    EXPECT_EQ(game->apex->left->value, 2);
    EXPECT_EQ(game->apex->left->op, kOpDivide);
    EXPECT_EQ(game->apex->right->value, 12);
    const int sevens[] = {7, 7, 7};
    game->BuildTriangle(sevens, 3);
    EXPECT_EQ(game->apex->value, 1);

    Start(2);
    EXPECT_EQ(game->taskCount, 20);
    EXPECT_EQ(game->rowCount, 4);
    EXPECT_EQ(game->nodes.Count(), 10);
    EXPECT_FLOAT_EQ(game->apex->position.x, 512.0f) << "the level-2 apex stands above the input field";
    for (TriangleNode* n : game->nodes)
        if (n->IsTop()) {
            EXPECT_TRUE(n->value >= 1 && n->value <= 20);
        }
    // "=" and the input field share the apex's column.
    const auto frame = RenderFrame(*game);
    for (const DrawCommand& c : TextsOf(frame))
        if (c.text == "=") {
            EXPECT_EQ((c.rect.left + c.rect.right) / 2, 512);
        }
    float left = 1e9f, right = -1e9f;
    for (const DrawCommand& c : SpritesOf(frame, app->texMisc1)) {
        if (c.src.top != 450 || c.src.left < 100 || c.transform[5] != 384 + 100 - 25) continue;
        left = std::min(left, c.transform[4]);
        right = std::max(right, c.transform[4] + c.transform[0] * c.src.Width());
    }
    EXPECT_FLOAT_EQ((left + right) / 2, 512.0f) << "the input field";
    EXPECT_FLOAT_EQ(right - left, 50.0f);
}

TEST_F(TriangleGameTest, TheDrawnTriangleShowsValuesAndOperators) {
    Start(0);
    const int top[] = {6, 3, 4};
    game->BuildTriangle(top, 3);
    const auto frame = RenderFrame(*game);
    std::vector<std::string> texts;
    for (const DrawCommand& c : TextsOf(frame)) texts.push_back(c.text);
    for (const char* t : {"6", "3", "4", "/", "*"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
    int numberFields = 0, operatorFields = 0;
    for (const DrawCommand& c : SpritesOf(frame, app->texMisc1)) {
        if (c.src == Rect{50, 450, 100, 500}) ++operatorFields;
        if (c.src == Rect{100, 450, 150, 500} && c.transform[5] < 300) ++numberFields;
    }
    EXPECT_EQ(operatorFields, 3);
    EXPECT_EQ(numberFields, 3) << "every field once";
}

TEST_F(TriangleGameTest, TheEntryTakesThreeDigitsAndBackspaceClearsThem) {
    Start(0);
    const int top[] = {6, 3, 4};
    game->BuildTriangle(top, 3);
    Enter();
    EXPECT_EQ(game->Answered(), 0) << "Enter without digits";
    Type("1234");
    EXPECT_EQ(game->answer.Text(), "123");
    game->OnKeyDown(kKeyBack);
    game->OnKeyDown(kKeyBack);
    Type("4");
    EXPECT_EQ(game->answer.Text(), "14");
    game->OnKeyDown(kKeyBack);
    game->OnKeyDown(kKeyBack);
    Type("24");
    Enter();
    EXPECT_EQ(game->rightCount, 1) << "24 read as " << game->answer.Text();
    EXPECT_TRUE(game->answer.LastRight());
    Type("5");
    Enter();
    EXPECT_EQ(game->Answered(), 1) << "keys during the verdict";
    Step(*game, 2.0);
    EXPECT_FALSE(game->answer.InVerdict());
    EXPECT_EQ(game->answer.Text(), "");
    EXPECT_TRUE(game->answer.LastRight()) << "the last verdict is remembered";
    game->BuildTriangle(top, 3);
    Type("240");
    Enter();
    EXPECT_EQ(game->wrongCount, 1);
    EXPECT_FALSE(game->answer.LastRight());
    int pinkFrames = 0, struckFrames = 0;
    for (int i = 0; i < 19; ++i) {
        Step(*game, 0.1);
        for (const DrawCommand& c : TextsOf(RenderFrame(*game))) {
            if (c.text == "24" && c.color == 0xFFFF7F7F) ++pinkFrames;
            struckFrames += c.text == "240" && c.color == 0xFF2A2238;  // beside the field, struck through
        }
    }
    EXPECT_GT(pinkFrames, 6);
    EXPECT_EQ(struckFrames, 19);
}

TEST_F(TriangleGameTest, TheGameEndsAfterItsTasksWithTheGrade) {
    Start(1);
    for (int task = 0; task < 20; ++task) {
        ASSERT_EQ(game->GetState(), kStatePlaying);
        Step(*game, 6.0);
        const int apex = game->apex->value;
        Type(std::to_string(task % 5 == 0 ? apex + 1 : apex));
        Enter();
        for (int i = 0; i < 30 && game->answer.InVerdict(); ++i) Step(*game, 0.1);
    }
    EXPECT_EQ(game->GetState(), kStateOver);
    EXPECT_EQ(game->rightCount, 16);
    EXPECT_EQ(game->wrongCount, 4);
    game->ComputeGrade();
    EXPECT_DOUBLE_EQ(game->GetGrade(), 4.0 / 20 * 5 + 1 + 120.0 / 240);
    const std::string result = game->GetResultText();
    EXPECT_NE(result.find("80"), std::string::npos) << result;
}
