// Fuzz target: the statistics readers of both record types. Reading ends, the values stay
// finite and within their bounds, and a saved record reads back to the same file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "framework/Statistics.h"

namespace {
template <typename Record>
std::string SaveOf(Record& r) {
    std::ostringstream out;
    r.Save(out);
    return out.str();
}

template <typename Record>
void Check(const std::string& bytes) {
    Record record;
    std::istringstream in(bytes);
    record.Load(in);
    if (record.Entries().Count() > kMaxLoadedEntries) __builtin_trap();
    if (record.gamesPlayed < 0 || record.solvedCount < 0) __builtin_trap();
    if (!std::isfinite(record.time) || !std::isfinite(record.gradeSum) || !std::isfinite(record.bestGrade) ||
        !std::isfinite(record.worstGrade))
        __builtin_trap();
    for (auto* e : record.Entries())
        if (!std::isfinite(e->grade)) __builtin_trap();
    // Booking and qualification work on whatever was loaded.
    record.BookGrade(2.0);
    record.Qualifies(3.0);
    std::string saved = SaveOf(record);
    Record back;
    std::istringstream again(saved);
    back.Load(again);
    if (SaveOf(back) != saved) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    Check<GameStatistics>(bytes);
    Check<GlobalStatistics>(bytes);
    return 0;
}
