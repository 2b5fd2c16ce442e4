#pragma once
// Scoring a guess of the code-breaking game: a black key peg for every peg of the right colour
// in the right place, a white one for every further peg whose colour the code still holds
// elsewhere. Each peg of the code is matched at most once.
#include <vector>

struct KeyPegAward {
    bool black = false;
    int slot = -1;  // the place on the key board; -1: in front of the key pegs already there
};

struct GuessScore {
    int blacks = 0;
    int whites = 0;
    std::vector<KeyPegAward> awards;  // in the order they are handed out: blacks first
};

// code and guess hold colours 0..5 (a longer one is cut to the shorter). With positional
// hints, each key peg takes the slot of the peg it refers to; without, each is put in front.
GuessScore ScoreGuess(const std::vector<int>& code, const std::vector<int>& guess, bool positional);
