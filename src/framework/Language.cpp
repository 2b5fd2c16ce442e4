#include "framework/Language.h"
#include "framework/TextFormat.h"

#include <cstring>
#include <fstream>
#include <istream>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/TokenReader.h"

namespace {
// The one empty string that the entries reserved by ANZ_TEXTE: point to.
const char kEmptyText[] = "";

TextEntry* MakeText(const std::string& text) {
    auto* entry = new TextEntry(kEmptyText);
    entry->text = new char[text.size() + 1];
    std::memcpy(entry->text, text.c_str(), text.size() + 1);
    entry->owned = true;
    return entry;
}

// Reads a text behind "<TEXT_START>" and its id: one separator character is dropped, the text
// starts with a blank and runs to "|" (not stored) or to the end of the file; characters
// beyond the length limit are read and dropped.
std::string ReadText(TokenReader& reader) {
    std::string text = " ";
    if (reader.Get() < 0) return text;
    for (int c = reader.Get(); c >= 0 && c != '|'; c = reader.Get())
        if (text.size() < static_cast<size_t>(kMaxLanguageTextLength)) text.push_back(static_cast<char>(c));
    return text;
}
}  // namespace

// The texts are collected in an array first and handed to the list in order at the end: the
// same table as inserting each text before its id and removing the entry behind it, without
// walking the list for every text.
void ParseLanguage(std::istream& in, LockedList<TextEntry>& table) {
    table.Clear(true);
    std::vector<TextEntry*> texts;
    TokenReader reader(in, static_cast<size_t>(kMaxLanguageTextLength));
    std::string token;
    while (reader.Next(token)) {
        if (token == "ANZ_TEXTE:") {
            int count = 0;
            if (!reader.ReadInt(count)) continue;
            int room = kMaxLanguageTexts - static_cast<int>(texts.size());
            if (count > room) count = room;
            for (int i = 0; i < count; ++i) texts.push_back(new TextEntry(kEmptyText));
        } else if (token == "<TEXT_START>") {
            int id = -1;
            bool hasId = reader.ReadInt(id);
            std::string text = ReadText(reader);
            // A text without a usable id has no place in the table; negative ids are never looked up.
            if (!hasId || id < 0) continue;
            if (id < static_cast<int>(texts.size())) {
                delete texts[static_cast<size_t>(id)];
                texts[static_cast<size_t>(id)] = MakeText(text);
            } else if (static_cast<int>(texts.size()) < kMaxLanguageTexts) {
                texts.push_back(MakeText(text));
            }
        }
    }
    for (TextEntry* entry : texts) table.Add(entry);
}

const char* LanguageFileName(int number) { return number == 0 ? "deutsch.lng" : number == 1 ? "english.lng" : nullptr; }

void AppContext::LoadLanguage(int number) {
    language = number;
    SetDecimalComma(number == 0);  // German writes "1,09"
    if (texts == nullptr) return;
    texts->Clear(true);
    const char* fileName = LanguageFileName(number);
    if (fileName == nullptr) return;
    std::ifstream in(fileName, std::ios::binary);
    if (in.is_open()) ParseLanguage(in, *texts);
}

const char* AppContext::GetText(int id) {
    if (texts == nullptr) return nullptr;
    TextEntry* entry = texts->Get(id);
    return entry != nullptr ? entry->text : nullptr;
}
