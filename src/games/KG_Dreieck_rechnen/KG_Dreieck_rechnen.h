#pragma once
// Triangle arithmetic: a triangle of fields pointing down. The top row holds three or four
// numbers; every field below joins the two above it with an operator. The player works the
// triangle down to its lowest field and types its value; Enter checks.
#include <string>

#include "framework/LockedList.h"
#include "framework/TypedTaskGame.h"
#include "games/KG_Dreieck_rechnen/TriangleNode.h"

class KG_Dreieck_rechnen : public TypedTaskGame {
public:
    // A grade step per this many seconds for each operation of the game's triangles (three
    // per triangle of three rows, six of four), so ten triangles of three rows allow 120 s.
    static constexpr double kSecondsPerOperation = 4.0;
    static constexpr int kMaxDigits = 3;
    static constexpr float kFieldSpacing = 80.0f;
    static constexpr float kRowSpacing = 60.0f;

    explicit KG_Dreieck_rechnen(int level);
    // The same with the generator seeded first and not reseeded, for tests.
    KG_Dreieck_rechnen(int level, unsigned seed);
    ~KG_Dreieck_rechnen() override;

    void Render() override;

    const char* GetHelpText() override;
    const char* GetTitle() override;

    // The centre of field k of a row (row 0 is the top row of n fields, each row below has
    // one field less) on a screen of width W: the rows are centred on the middle of the
    // screen, and the top row lies higher the more rows there are.
    static Vec2 FieldCentre(int n, int row, int k, int screenWidth);
    // A new triangle with a random top row.
    void NewTask() override;
    bool IsRight(const std::string& typed) const override;
    // A triangle with the given top row of n values (tests).
    void BuildTriangle(const int* topValues, int n);

    TriangleNode* apex = nullptr;  // the lowest field; owned by nodes
    LockedList<TriangleNode> nodes;
    int rowCount = 3;  // fields in the top row

protected:
    bool HasTask() const override { return apex != nullptr; }

private:
    KG_Dreieck_rechnen(int level, bool seeded, unsigned seed);
    void Build(const int* topValues);

    Font* digitFont = nullptr;
};
