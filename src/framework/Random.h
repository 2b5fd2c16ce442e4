#pragma once
// Random values from the C library generator, so that a game seeded with srand() deals the
// same tasks again. RAND_MAX differs between systems (32767 on some, 2^31 - 1 here): never
// divide by a fixed number.
#include <cstdlib>

// A value in [0, 1): 0 for rand() = 0, just below 1 for rand() = RAND_MAX.
inline double Random01() { return std::rand() / (static_cast<double>(RAND_MAX) + 1.0); }

// The value rand() gives, mapped to [0, 1) the same way (for tests and for callers that drew
// the number already).
inline double Random01From(int drawn) { return drawn / (static_cast<double>(RAND_MAX) + 1.0); }

// rand() % n for n >= 1; 0 for any smaller n.
inline int RandomBelow(int n) { return n >= 1 ? std::rand() % n : 0; }
