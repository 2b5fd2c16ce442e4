// fuzz-sources: src/framework/History.cpp src/framework/SafeFile.cpp
// Fuzz target: the reader of the history of results. The input is read as a history file:
// every record kept is within its bounds, and the line written for it is read back to a line
// written the same.
#include <cstdio>
#include <string>

#include "framework/History.h"
#include "fuzz/FuzzTarget.h"

KW_FUZZ_TARGET(history) {
    const char* path = "history-fuzz.sav";
    FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    History h(path);
    h.Load();
    std::remove(path);
    KW_FUZZ_CHECK(h.Records().size() <= History::kKeep);
    for (const HistoryRecord& r : h.Records()) {
        KW_FUZZ_CHECK(r.level >= 0 && r.level <= 2 && r.grade >= 1.0 && r.grade <= 6.0 && r.seconds >= 0.0);
        KW_FUZZ_CHECK(r.right >= -1 && r.wrong >= -1);
        const std::string line = FormatHistoryLine(r);
        HistoryRecord back;
        KW_FUZZ_CHECK(ParseHistoryLine(line.data(), line.size(), back));
        KW_FUZZ_CHECK(FormatHistoryLine(back) == line);
    }
    return 0;
}
