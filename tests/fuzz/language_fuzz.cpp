// fuzz-sources: src/framework/Language.cpp src/framework/TokenReader.cpp
// fuzz-dict: tests/fuzz/persist.dict
// Fuzz target: the language file parser. The table stays within its bounds and every text
// starts with the one blank the parser puts in front of it (or is a reserved, empty one).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "framework/Language.h"
#include "fuzz/FuzzTarget.h"

KW_FUZZ_TARGET(language) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    LockedList<TextEntry> table;
    ParseLanguage(in, table);
    KW_FUZZ_CHECK(table.Count() <= kMaxLanguageTexts);
    for (TextEntry* entry : table) {
        KW_FUZZ_CHECK(entry != nullptr && entry->text != nullptr);
        if (entry == nullptr || entry->text == nullptr) continue;
        size_t length = std::strlen(entry->text);
        KW_FUZZ_CHECK(length <= static_cast<size_t>(kMaxLanguageTextLength));
        KW_FUZZ_CHECK(length == 0 || entry->text[0] == ' ');
        KW_FUZZ_CHECK(length > 0 || !entry->owned);  // a read text holds at least its blank
    }
    return 0;
}
