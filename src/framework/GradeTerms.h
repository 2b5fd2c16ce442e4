#pragma once
// Why a grade is what it is: the terms a game's grade formula adds up, each with what it
// counts. A game's grade is the sum of its terms kept within 1.0..6.0, so the terms the
// result page shows and the grade it books come from one and the same arithmetic.
#include <string>
#include <vector>

// What a term counts; its text is kTextFirstTerm + the kind.
enum class TermKind : int {
    kBase,           // every grade starts at 1.0
    kTime,           // figure: seconds played
    kTimePerClick,   // figure: seconds per click
    kMistakes,       // figure: mistakes
    kUnanswered,     // figure: tasks not done when the game was left
    kNoResult,       // left before anything counted: 6.0
    kNotRight,       // figure: tasks not solved right
    kNotFewest,      // figure: tasks not paid with the fewest pieces
    kMisses,         // figure: pairs of cards that did not match
    kCardsLeft,      // figure: cards not found
    kCellsOpen,      // figure: cells empty or clashing
    kExtraMoves,     // figure: moves beyond the shortest way
    kInvalidClicks,  // figure: clicks that moved nothing
    kTilesAway,      // figure: tiles not at their place
    kRowsBeyond,     // figure: rows used after the free ones
    kPegsMissed,     // figure of `of`: pegs the last row did not hit
    kLastRowFloor,   // never better than finding the code in the last row
    kFlawedBoards,   // figure: boards with a wrong click
    kBoardsLeft,     // figure: boards not done when the game was left
    kShapesLeft,     // figure of `of`: shapes not placed
    kPatternsWrong,  // figure of `of`: patterns not remembered
    kAtomsMissed,    // figure of `of`: atoms not found, a wrong mark cancelling a found one
    kSequence,       // figure of `of`: the longest sequence repeated
    kLimit,          // the sum kept within 1.0..6.0
    kCount
};

constexpr int kTextGradeWhy = 300;      // button and heading: why this grade?
constexpr int kTextGradeWhyBack = 301;  // button: back to the result
constexpr int kTextFirstTerm = 302;     // the text of each kind, in kind order

struct GradeTerm {
    TermKind kind = TermKind::kBase;
    double value = 0.0;   // what the term adds to the grade
    double figure = 0.0;  // what it counts (see TermKind)
    int of = 0;           // out of how many, where the text says so
};
using GradeTermList = std::vector<GradeTerm>;

// Appends a term.
inline void AddTerm(GradeTermList& terms, TermKind kind, double value, double figure = 0.0, int of = 0) {
    terms.push_back(GradeTerm{kind, value, figure, of});
}
// The grade that stands before the limit: the terms summed in their order.
double SumOfTerms(const GradeTermList& terms);
// Appends the limit as a term of its own where the sum leaves 1.0..6.0 (or is no number).
// Returns the terms for chaining.
GradeTermList CloseTerms(GradeTermList terms);
// The grade the terms give: their sum (the limit term left out) kept within 1.0..6.0.
double GradeOfTerms(const GradeTermList& terms);
// A grade of 6.0 for a game left before anything counted.
GradeTermList NoResultTerms();

// The line a term shows, from its text (nullptr gives an empty line).
std::string TermLabel(const char* text, const GradeTerm& term);
// The values in hundredths as the page shows them, each rounded so that together they make
// the grade as shown (rounded to hundredths) rather than missing it by a rounding step.
std::vector<int> ShownHundredths(const GradeTermList& terms, double grade);
