// Guards the two shipped language files: every text the program looks up exists in both
// languages, every printf format takes exactly the values its callers pass, and the files
// are Windows-1252 with CR LF line ends as the game reads them.
#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "framework/Language.h"

namespace {

enum class Arg { Int, Double, String };
constexpr Arg I = Arg::Int;
constexpr Arg D = Arg::Double;
constexpr Arg S = Arg::String;

constexpr int kTextCount = 500;  // the ids reserved by the files' text count

struct ExpectedText {
    int id;
    std::vector<Arg> args;  // the values the callers pass, in order
};

// Every id the program looks up, with the values passed to it.
const std::vector<ExpectedText>& Table() {
    static const std::vector<ExpectedText> table = {
        {0, {}}, {1, {}}, {3, {}}, {4, {}}, {6, {}}, {7, {}}, {8, {}}, {9, {}}, {10, {}}, {11, {}}, {12, {}},
        {14, {}}, {17, {}}, {18, {}}, {19, {}}, {20, {}}, {21, {}},
        {22, {I, I}},          // playing time: minutes, seconds
        {23, {I}}, {24, {I}},  // misses, attempts
        {25, {I, I}}, {26, {I, I}},  // patterns right of patterns
        {27, {I}}, {28, {I}}, {29, {I}}, {30, {I}}, {31, {I}},
        {32, {I}},             // success rate in whole percent
        {36, {I}},
        {37, {I, I}},          // weighing time: minutes, seconds
        {38, {}},
        {40, {I}},
        {41, {D}},             // average seconds
        {42, {}},
        {43, {I, I, I}},       // total time: hours, minutes, seconds
        {44, {I}}, {45, {D}}, {46, {D}}, {47, {D}}, {48, {I}},
        {49, {I, S, I, I, I, D}},  // place, name, day, month, year, grade
        {50, {D}},
        {51, {I, I}}, {52, {I, I}},
        {54, {S}},             // the typed name
        {55, {I, I}},
        {56, {}},
        {57, {I}},
        {58, {}}, {59, {}}, {60, {}}, {61, {}},
        {62, {I, S, D, D, D}},  // rank, name, series grade, best, worst (the level name is appended)
        {63, {I, I}},
        {64, {}}, {65, {}}, {66, {}}, {67, {}}, {69, {}}, {70, {}}, {74, {}}, {75, {}}, {76, {}},
        {86, {}}, {87, {}}, {88, {}}, {89, {I, I}}, {90, {}}, {91, {}}, {92, {}}, {93, {}}, {94, {}},
        {95, {D}},             // the average of the last ten
        {98, {}}, {99, {}}, {100, {}}, {101, {}}, {102, {}}, {105, {}}, {106, {}}, {110, {}}, {111, {}},
        {117, {I, I}},         // time left: minutes, seconds
        {160, {}}, {161, {}}, {162, {}}, {163, {}}, {164, {}}, {165, {}}, {166, {}}, {167, {}}, {168, {}},
        {120, {}}, {121, {}}, {122, {}}, {123, {}},
        {124, {I}},
        {125, {}}, {126, {}}, {130, {}}, {131, {}},
        {132, {I, I}},         // atoms, marks
        {133, {}}, {135, {}}, {136, {}}, {140, {}}, {141, {}},
        {142, {I, I}}, {143, {I, I}},
        {144, {}}, {145, {}}, {146, {}}, {170, {}}, {171, {}}, {172, {}},
        {173, {I}}, {175, {I}}, {176, {}}, {177, {I}}, {178, {}}, {179, {I}}, {180, {}}, {181, {I}},
        {182, {}}, {183, {I}}, {184, {}}, {185, {I}}, {186, {}}, {187, {I}}, {188, {}}, {189, {}},
        {190, {}}, {191, {}}, {192, {}}, {193, {}}, {194, {}}, {195, {}}, {196, {}},
        {197, {S, I, I, I}},   // weekday name, day, month, year
        {300, {}}, {301, {}}, {302, {}}, {303, {I, I}}, {304, {D}}, {305, {I}}, {306, {I}}, {307, {}},
        {308, {I}}, {309, {I}}, {310, {I}}, {311, {I}}, {312, {I}}, {313, {I}}, {314, {I}}, {315, {I}},
        {316, {I}}, {317, {I, I}}, {318, {}}, {319, {I}}, {320, {I}}, {321, {I, I}}, {322, {I, I}},
        {323, {I, I}}, {324, {I, I}}, {325, {}},  // why this grade: the terms (see GradeTerms.h)
        {450, {I, I}}, {451, {I, I}}, {452, {I, I}}, {453, {I, I}},  // task, round, sequence, pattern of
        {454, {I}}, {455, {I}}, {456, {I}}, {457, {I}},              // how many a level has
        {460, {}}, {461, {}}, {462, {I, I}}, {463, {}},             // the change verdicts: euros, cents
        {464, {}}, {465, {}}, {466, {}},
        {400, {}}, {401, {I, I}}, {402, {I, I}}, {403, {D}}, {404, {S}}, {405, {}}, {406, {S}}, {407, {}}, {408, {}},
        {350, {}}, {351, {}}, {352, {}}, {353, {}}, {354, {}}, {355, {}}, {356, {}}, {357, {}}, {358, {}},
        {359, {}}, {360, {}}, {361, {}}, {362, {}},  // the keys of the games
    };
    return table;
}

bool InTable(int id) {
    for (const ExpectedText& e : Table())
        if (e.id == id) return true;
    return false;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The texts of a language file as the game reads them, by id; an id without text is empty.
std::vector<std::string> ReadLanguageTable(const std::string& bytes) {
    std::istringstream in(bytes);
    LockedList<TextEntry> table;
    ParseLanguage(in, table);
    std::vector<std::string> texts;
    for (TextEntry* entry : table) texts.emplace_back(entry->text ? entry->text : "");
    return texts;
}

// The printf conversions of a format in order; "%%" is a literal percent sign. Only the plain
// conversions the texts need are accepted (flags, width and precision digits, no length
// modifier, no '*'); anything else is reported in `error`.
std::vector<Arg> Conversions(const std::string& format, std::string& error) {
    std::vector<Arg> args;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') continue;
        size_t j = i + 1;
        if (j < format.size() && format[j] == '%') {
            i = j;
            continue;
        }
        while (j < format.size() && std::string("-+ #0").find(format[j]) != std::string::npos) ++j;
        while (j < format.size() && format[j] >= '0' && format[j] <= '9') ++j;
        if (j < format.size() && format[j] == '.') {
            ++j;
            while (j < format.size() && format[j] >= '0' && format[j] <= '9') ++j;
        }
        if (j >= format.size()) {
            error = "unterminated conversion at the end";
            return args;
        }
        const char conv = format[j];
        if (std::string("diuxXoc").find(conv) != std::string::npos) args.push_back(Arg::Int);
        else if (std::string("fFeEgGaA").find(conv) != std::string::npos) args.push_back(Arg::Double);
        else if (conv == 's') args.push_back(Arg::String);
        else {
            error = "unsupported conversion \"" + format.substr(i, j - i + 1) + "\"";
            return args;
        }
        i = j;
    }
    return args;
}

std::string Describe(const std::vector<Arg>& args) {
    std::string s = "(";
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) s += ", ";
        s += args[i] == Arg::Int ? "int" : args[i] == Arg::Double ? "double" : "string";
    }
    return s + ")";
}

struct LanguageFile {
    const char* name;
    std::string bytes;
    std::vector<std::string> texts;
};

class LanguageFiles : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        file_.name = GetParam();
        file_.bytes = ReadBytes(std::string(KW_DATA_DIR) + "/" + file_.name);
        ASSERT_FALSE(file_.bytes.empty()) << file_.name << " is missing or empty in " << KW_DATA_DIR;
        file_.texts = ReadLanguageTable(file_.bytes);
    }
    // The text of an id, or nullopt when the file has none.
    std::optional<std::string> Text(int id) const {
        if (id < 0 || static_cast<size_t>(id) >= file_.texts.size() || file_.texts[static_cast<size_t>(id)].empty())
            return std::nullopt;
        return file_.texts[static_cast<size_t>(id)];
    }
    LanguageFile file_;
};

TEST_P(LanguageFiles, StartsWithTheTextCountAndHoldsNoTextBeyondIt) {
    EXPECT_EQ(file_.bytes.rfind("ANZ_TEXTE: " + std::to_string(kTextCount) + "\r\n", 0), 0u) << file_.name;
    EXPECT_EQ(file_.texts.size(), static_cast<size_t>(kTextCount)) << file_.name << ": a text id beyond the count";
}

TEST_P(LanguageFiles, IsWindows1252WithCrLfLineEnds) {
    const std::string& b = file_.bytes;
    for (size_t i = 0; i < b.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(b[i]);
        if (c == '\n') {
            ASSERT_TRUE(i > 0 && b[i - 1] == '\r') << file_.name << ": bare LF at byte " << i;
        }
        if (c == '\r') {
            ASSERT_TRUE(i + 1 < b.size() && b[i + 1] == '\n') << file_.name << ": bare CR at byte " << i;
        }
        // A lead byte followed by continuation bytes is UTF-8 that slipped through unconverted.
        if (c >= 0xC2 && c <= 0xF4 && i + 1 < b.size()) {
            const unsigned char next = static_cast<unsigned char>(b[i + 1]);
            ASSERT_FALSE(next >= 0x80 && next <= 0xBF)
                << file_.name << ": UTF-8 sequence at byte " << i;
        }
        ASSERT_FALSE(c < 0x20 && c != '\r' && c != '\n' && c != '\t') << file_.name << ": control byte at " << i;
    }
}

TEST_P(LanguageFiles, EveryLookedUpIdHasAText) {
    for (const ExpectedText& e : Table()) {
        const std::optional<std::string> text = Text(e.id);
        ASSERT_TRUE(text.has_value()) << file_.name << ": id " << e.id << " is missing";
        EXPECT_NE(text->find_first_not_of(" \r\n\t"), std::string::npos) << file_.name << ": id " << e.id << " is blank";
        EXPECT_EQ((*text)[0], ' ') << file_.name << ": id " << e.id;
    }
}

TEST_P(LanguageFiles, DefinesNoIdThatNothingLooksUp) {
    for (int id = 0; id < static_cast<int>(file_.texts.size()); ++id)
        if (Text(id)) {
            EXPECT_TRUE(InTable(id)) << file_.name << ": id " << id << " is not used by the program (a typo?)";
        }
}

TEST_P(LanguageFiles, FormatsTakeExactlyTheValuesTheCallersPass) {
    for (const ExpectedText& e : Table()) {
        const std::optional<std::string> text = Text(e.id);
        if (!text) continue;  // reported by EveryLookedUpIdHasAText
        std::string error;
        const std::vector<Arg> found = Conversions(*text, error);
        EXPECT_TRUE(error.empty()) << file_.name << ": id " << e.id << ": " << error;
        EXPECT_EQ(Describe(found), Describe(e.args)) << file_.name << ": id " << e.id << ": \"" << *text << "\"";
    }
}

TEST_P(LanguageFiles, WeekdayNamesCanBeTypedWithLettersOnly) {
    for (int id = 190; id <= 196; ++id) {
        const std::optional<std::string> text = Text(id);
        ASSERT_TRUE(text.has_value()) << id;
        const std::string word = text->substr(1);  // after the leading blank
        EXPECT_FALSE(word.empty()) << id;
        EXPECT_LE(word.size(), 15u) << id << ": at most 15 letters can be typed";
        for (char c : word)
            EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) << file_.name << ": id " << id << " \"" << word << "\"";
    }
    // The weekday name brings its own leading blank into the start-date line.
    const std::optional<std::string> startDate = Text(197);
    ASSERT_TRUE(startDate.has_value());
    const size_t s = startDate->find("%s");
    ASSERT_NE(s, std::string::npos);
    EXPECT_NE((*startDate)[s - 1], ' ') << file_.name << ": id 197 would show two blanks before the weekday";
}

TEST_P(LanguageFiles, OnlyTheAboutTextSpansLines) {
    // Results and statistics are joined line by line and the date question is one line:
    // a line break inside any other text would break those layouts.
    for (const ExpectedText& e : Table()) {
        const std::optional<std::string> text = Text(e.id);
        if (!text || e.id == 56) continue;
        EXPECT_EQ(text->find_first_of("\r\n"), std::string::npos) << file_.name << ": id " << e.id;
    }
    ASSERT_TRUE(Text(56).has_value());
    EXPECT_NE(Text(56)->find('\n'), std::string::npos);
}

TEST_P(LanguageFiles, TextsFitTheirBuffers) {
    for (const ExpectedText& e : Table())
        if (std::optional<std::string> text = Text(e.id)) {
            EXPECT_LT(text->size(), 10000u) << e.id;
        }
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFiles, ::testing::Values("deutsch.lng", "english.lng"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param).substr(0, std::string(info.param).find('.'));
                         });

TEST(LanguageFilesGerman, UmlautsAreSingleWindows1252Bytes) {
    const std::string bytes = ReadBytes(std::string(KW_DATA_DIR) + "/deutsch.lng");
    const std::vector<std::string> texts = ReadLanguageTable(bytes);
    ASSERT_GT(texts.size(), 0u);
    EXPECT_EQ(texts[0], " Zur\xFC" "ck");                      // ü
    EXPECT_NE(bytes.find('\xE4'), std::string::npos);           // ä
    EXPECT_NE(bytes.find('\xF6'), std::string::npos);           // ö
    EXPECT_NE(bytes.find('\xDF'), std::string::npos);           // ß
}

TEST(LanguageFilesBoth, DefineTheSameIds) {
    const std::vector<std::string> de = ReadLanguageTable(ReadBytes(std::string(KW_DATA_DIR) + "/deutsch.lng"));
    const std::vector<std::string> en = ReadLanguageTable(ReadBytes(std::string(KW_DATA_DIR) + "/english.lng"));
    ASSERT_EQ(de.size(), en.size());
    for (size_t id = 0; id < de.size(); ++id) EXPECT_EQ(de[id].empty(), en[id].empty()) << "id " << id;
}

// The checker itself: a format with the wrong type or count must not pass unnoticed.
TEST(LanguageFormatCheck, ReadsConversionsLikePrintf) {
    std::string error;
    EXPECT_EQ(Describe(Conversions(" %d. %s  %02d.%02d.%d  Note %.2f", error)), Describe({I, S, I, I, I, D}));
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(Describe(Conversions(" Trefferquote: %d %%", error)), Describe({I}));
    EXPECT_EQ(Describe(Conversions(" 100 %% sicher", error)), Describe({}));
    EXPECT_EQ(Describe(Conversions(" %-5.1f|%+d", error)), Describe({D, I}));
    EXPECT_TRUE(error.empty());
    Conversions(" %ld", error);
    EXPECT_FALSE(error.empty());
    error.clear();
    Conversions(" 50 %", error);
    EXPECT_FALSE(error.empty());
    error.clear();
    Conversions(" %*d", error);
    EXPECT_FALSE(error.empty());
}

}  // namespace
