#pragma once
// A fuzz target: a function that takes any bytes, runs one reader of the program on them and
// checks what must hold whatever the bytes are. A target lives in tests/fuzz/<name>_fuzz.cpp,
// is written as
//
//     // fuzz-sources: src/framework/Foo.cpp src/framework/TokenReader.cpp
//     #include "fuzz/FuzzTarget.h"
//     KW_FUZZ_TARGET(name) { ...; KW_FUZZ_CHECK(property); return 0; }
//
// and its corpus is the folder tests/fuzz/corpus/<name>/. The same file builds two ways:
//  - by scripts/fuzz with libFuzzer, ASan and UBSan (from the sources its first lines name):
//    the target is the fuzzer's entry point, and a broken check stops the fuzzer with the
//    input saved as a finding;
//  - into the unit tests (KW_FUZZ_REPLAY): the target registers itself under its name and the
//    corpus replay test runs every file of its corpus folder through it.
// In both, each input runs under an allocation watch (with AddressSanitizer only): no input may
// make the reader hold much more memory than the input's own size.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kwfuzz {

using TargetFunction = int (*)(const uint8_t* data, size_t size);

// Reports a broken property: a test failure when replaying, the end of the run when fuzzing.
void Fail(const char* what, const char* file, int line);

// The memory one input may make a reader hold at once: a fixed allowance for the reader's own
// buffers (the token buffers, the 1,000-byte name fields of a full list of entries) and a small
// multiple of the input's size.
size_t AllowedPeakBytes(size_t inputSize);

// What the allocation watch saw while one input ran.
struct AllocationReport {
    bool watched = false;  // false without AddressSanitizer: nothing was measured
    size_t largest = 0;    // the largest single allocation
    size_t peak = 0;       // the most bytes held at once, above what was held before
};

// Runs one input through a target under the allocation watch and checks the allowance.
AllocationReport RunOne(const char* name, TargetFunction target, const uint8_t* data, size_t size);

// The registered targets (replay builds only).
bool Register(const char* name, TargetFunction target);
TargetFunction Find(const std::string& name);
std::vector<std::string> RegisteredNames();

}  // namespace kwfuzz

#define KW_FUZZ_CHECK(condition)                                              \
    do {                                                                      \
        if (!(condition)) ::kwfuzz::Fail(#condition, __FILE__, __LINE__);     \
    } while (0)

#ifdef KW_FUZZ_REPLAY
#define KW_FUZZ_ENTRY_(name) \
    [[maybe_unused]] static const bool kwFuzzRegistered_##name = ::kwfuzz::Register(#name, KwFuzzBody_##name);
#else
#define KW_FUZZ_ENTRY_(name)                                                    \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {   \
        ::kwfuzz::RunOne(#name, KwFuzzBody_##name, data, size);                 \
        return 0;                                                               \
    }
#endif

#define KW_FUZZ_TARGET(name)                                      \
    static int KwFuzzBody_##name(const uint8_t* data, size_t size); \
    KW_FUZZ_ENTRY_(name)                                          \
    static int KwFuzzBody_##name(const uint8_t* data, size_t size)
