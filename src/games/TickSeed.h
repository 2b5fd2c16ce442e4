#pragma once
// The seed the games give the C library's generator: the milliseconds since an arbitrary
// fixed point (the system's tick count), cut to the generator's seed type.
#include <chrono>

inline unsigned TickCountSeed() {
    using namespace std::chrono;
    return static_cast<unsigned>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
