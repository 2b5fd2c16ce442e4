#pragma once
// The language text table: the position in the list is the text id.
#include <iosfwd>

#include "framework/LockedList.h"

struct TextEntry {
    explicit TextEntry(const char* shared) : text(const_cast<char*>(shared)), owned(false) {}
    ~TextEntry() { if (owned) delete[] text; }
    TextEntry(const TextEntry&) = delete;
    TextEntry& operator=(const TextEntry&) = delete;
    char* text;
    bool owned;
};

// A text holds at most this many characters (its leading blank included); longer texts are cut.
constexpr int kMaxLanguageTextLength = 9999;
// The table never grows beyond this many entries, whatever a file's ANZ_TEXTE: or ids say: about
// fifty times the texts the program has, and little memory even when a tiny file asks for all.
constexpr int kMaxLanguageTexts = 10000;

// Empties the table and fills it from a language file's stream.
void ParseLanguage(std::istream& in, LockedList<TextEntry>& table);
// File name of a language number ("deutsch.lng", "english.lng"), or nullptr.
const char* LanguageFileName(int number);
