#include "framework/Language.h"

#include <istream>

#include "app/AppContext.h"

void ParseLanguage(std::istream& in, LockedList<TextEntry>& table) { table.Clear(true); }
const char* LanguageFileName(int number) { return number == 0 ? "deutsch.lng" : number == 1 ? "english.lng" : nullptr; }
void AppContext::LoadLanguage(int number) { language = number; }
const char* AppContext::GetText(int id) { return texts ? (texts->Get(id) ? texts->Get(id)->text : nullptr) : nullptr; }
