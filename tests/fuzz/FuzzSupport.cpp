// The shared part of every fuzz target: failure reports, the allocation watch, and (in the unit
// tests) the registry of targets that the corpus replay test walks.
#include "fuzz/FuzzTarget.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>

#ifdef KW_FUZZ_REPLAY
#include <gtest/gtest.h>
#endif

// The allocator interface of AddressSanitizer. Declared weak, so that a build without it links
// and simply measures nothing.
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                               void (*free_hook)(const volatile void*)) __attribute__((weak));
size_t __sanitizer_get_allocated_size(const volatile void* p) __attribute__((weak));
}

namespace kwfuzz {
namespace {

// The counters of the watch; the hooks run inside malloc and free, so they only count.
std::atomic<bool> g_armed{false};
std::atomic<long long> g_held{0};
std::atomic<long long> g_peak{0};
std::atomic<size_t> g_largest{0};

void OnMalloc(const volatile void*, size_t size) {
    if (!g_armed.load(std::memory_order_relaxed)) return;
    const long long held = g_held.fetch_add(static_cast<long long>(size), std::memory_order_relaxed) +
                           static_cast<long long>(size);
    long long peak = g_peak.load(std::memory_order_relaxed);
    while (held > peak && !g_peak.compare_exchange_weak(peak, held, std::memory_order_relaxed)) {
    }
    size_t largest = g_largest.load(std::memory_order_relaxed);
    while (size > largest && !g_largest.compare_exchange_weak(largest, size, std::memory_order_relaxed)) {
    }
}

// A block freed while armed counts down, also when it was allocated before: the peak is the
// most held above the level at which the input started.
void OnFree(const volatile void* p) {
    if (!g_armed.load(std::memory_order_relaxed) || p == nullptr) return;
    g_held.fetch_sub(static_cast<long long>(__sanitizer_get_allocated_size(p)), std::memory_order_relaxed);
}

bool InstallHooks() {
    if (__sanitizer_install_malloc_and_free_hooks == nullptr || __sanitizer_get_allocated_size == nullptr) return false;
    return __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
}

bool HooksInstalled() {
    static const bool installed = InstallHooks();
    return installed;
}

std::map<std::string, TargetFunction>& Registry() {
    static std::map<std::string, TargetFunction> registry;
    return registry;
}

}  // namespace

void Fail(const char* what, const char* file, int line) {
#ifdef KW_FUZZ_REPLAY
    ADD_FAILURE_AT(file, line) << "broken: " << what;
#else
    std::fprintf(stderr, "\n==== fuzz target check broken at %s:%d: %s\n", file, line, what);
    std::abort();
#endif
}

size_t AllowedPeakBytes(size_t inputSize) { return (1u << 20) + 64 * inputSize; }

AllocationReport RunOne(const char* name, TargetFunction target, const uint8_t* data, size_t size) {
    AllocationReport report;
    report.watched = HooksInstalled();
    if (report.watched) {
        g_held = 0;
        g_peak = 0;
        g_largest = 0;
        g_armed = true;
    }
    target(data, size);
    if (!report.watched) return report;
    g_armed = false;
    report.largest = g_largest.load();
    report.peak = static_cast<size_t>(std::max(0LL, g_peak.load()));
    if (report.peak > AllowedPeakBytes(size)) {
        char what[200];
        std::snprintf(what, sizeof what, "%s held %zu bytes at once (largest block %zu) for an input of %zu bytes", name,
                      report.peak, report.largest, size);
        Fail(what, __FILE__, __LINE__);
    }
    return report;
}

bool Register(const char* name, TargetFunction target) {
    Registry()[name] = target;
    return true;
}

TargetFunction Find(const std::string& name) {
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}

std::vector<std::string> RegisteredNames() {
    std::vector<std::string> names;
    for (const auto& [name, target] : Registry()) names.push_back(name);
    return names;
}

}  // namespace kwfuzz
