// Fuzz target: the language file parser. The table stays within its bounds and every text
// starts with the one blank the parser puts in front of it (or is a reserved, empty one).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "framework/Language.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    static LockedList<TextEntry> table;  // reused, as the program reloads one table
    ParseLanguage(in, table);
    if (table.Count() > kMaxLanguageTexts) __builtin_trap();
    for (TextEntry* entry : table) {
        if (entry == nullptr || entry->text == nullptr) __builtin_trap();
        size_t length = std::strlen(entry->text);
        if (length > static_cast<size_t>(kMaxLanguageTextLength)) __builtin_trap();
        if (length > 0 && entry->text[0] != ' ') __builtin_trap();
        if (length == 0 && entry->owned) __builtin_trap();  // a read text holds at least its blank
    }
    return 0;
}
