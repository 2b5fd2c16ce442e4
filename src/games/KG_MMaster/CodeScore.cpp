#include "games/KG_MMaster/CodeScore.h"

#include <algorithm>
#include <cstddef>

GuessScore ScoreGuess(const std::vector<int>& code, const std::vector<int>& guess, bool positional) {
    GuessScore score;
    const size_t n = std::min(code.size(), guess.size());
    std::vector<int> pool(code.begin(), code.begin() + static_cast<std::ptrdiff_t>(n));
    std::vector<bool> matched(n, false);
    auto takeFromPool = [&pool](int colour) {
        auto it = std::find(pool.begin(), pool.end(), colour);
        if (it == pool.end()) return false;
        pool.erase(it);
        return true;
    };
    for (size_t i = 0; i < n; ++i) {
        if (guess[i] != code[i]) continue;
        matched[i] = true;
        takeFromPool(guess[i]);
        ++score.blacks;
        score.awards.push_back({true, positional ? static_cast<int>(i) : -1});
    }
    for (size_t i = 0; i < n; ++i) {
        if (matched[i] || !takeFromPool(guess[i])) continue;
        ++score.whites;
        score.awards.push_back({false, positional ? static_cast<int>(i) : -1});
    }
    return score;
}
