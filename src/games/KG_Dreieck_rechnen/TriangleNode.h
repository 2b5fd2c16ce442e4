#pragma once
// One field of the number triangle: a number of the top row, or a field that joins the two
// fields above it with the first operator that keeps every value a whole number of at least 1.
#include "framework/Types.h"

struct AppContext;
struct Font;

enum TriangleOperator { kOpAdd = 0, kOpSubtract = 1, kOpMultiply = 2, kOpDivide = 3 };

// The first of "/" (left divisible by right), "*" (product at most 100), "-" (difference at
// least 0), "+" that applies to the two values; its result.
struct Joined {
    int op;
    int value;
};
Joined JoinValues(int left, int right);
// "+", "-", "*" or "/".
const char* OperatorText(int op);

class TriangleNode {
public:
    // A top-row field with the value rand() % 20 + 1.
    TriangleNode(float x, float y);
    // A top-row field with a given value (tests).
    TriangleNode(float x, float y, int value);

    void Join(TriangleNode* left, TriangleNode* right);
    bool IsTop() const { return left == nullptr || right == nullptr; }
    // The field with its number or operator. The game draws every field once (a field shared
    // by two fields below it drawn twice would darken its soft edges).
    void Draw(Font* font) const;

    AppContext* app = nullptr;
    int value = 1;
    TriangleNode* left = nullptr;   // not owned
    TriangleNode* right = nullptr;  // not owned
    int op = kOpAdd;
    Vec2 position;  // centre

    static constexpr Rect kNumberField{100, 450, 150, 500};
    static constexpr Rect kOperatorField{50, 450, 100, 500};
};
