#pragma once
// Solving the lights-out puzzle of Crazy cuboid for tests: which pieces, combined exclusively,
// give a pattern (Gaussian elimination over GF(2), one bit per square, up to 64 pieces).
#include <cstdint>
#include <utility>
#include <vector>

namespace lightsout {
inline bool Solve(const std::vector<uint64_t>& pieces, uint64_t target, std::vector<int>& chosen) {
    struct Row {
        uint64_t bits;
        uint64_t used;  // the pieces it is made of
    };
    // Kept sorted by highest bit, descending, each with a highest bit of its own.
    std::vector<Row> basis;
    for (size_t i = 0; i < pieces.size() && i < 64; ++i) {
        Row row{pieces[i], uint64_t{1} << i};
        for (const Row& b : basis)
            if ((row.bits ^ b.bits) < row.bits) row.bits ^= b.bits, row.used ^= b.used;
        if (row.bits == 0) continue;
        basis.push_back(row);
        for (size_t j = basis.size() - 1; j > 0 && basis[j].bits > basis[j - 1].bits; --j) std::swap(basis[j], basis[j - 1]);
    }
    uint64_t rest = target, used = 0;
    for (const Row& b : basis)
        if ((rest ^ b.bits) < rest) rest ^= b.bits, used ^= b.used;
    if (rest != 0) return false;
    chosen.clear();
    for (size_t i = 0; i < pieces.size() && i < 64; ++i)
        if ((used >> i) & 1u) chosen.push_back(static_cast<int>(i));
    return true;
}
}  // namespace lightsout
