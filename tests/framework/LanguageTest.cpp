#include "framework/Language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "app/AppContext.h"
#include "framework/Statistics.h"
#include "framework/TextFormat.h"
#include "framework/SafeFileTestHelpers.h"

namespace {
// Parses a language file's bytes into a fresh table.
class Table {
public:
    explicit Table(const std::string& bytes) {
        std::istringstream in(bytes);
        ParseLanguage(in, list);
    }
    int Count() { return list.Count(); }
    // The text of an id, or "<none>" when there is no entry.
    std::string Text(int id) {
        TextEntry* e = list.Get(id);
        return e == nullptr ? "<none>" : std::string(e->text);
    }
    LockedList<TextEntry> list;
};

// A fresh application record that reads its files from the (temporary) working directory and
// writes them there again when the test ends.
AppContext* FreshApp() {
    DestroyAppContext();
    return GetAppContext();
}

class Language : public ::testing::Test {
protected:
    void TearDown() override { DestroyAppContext(); }
};
}  // namespace

TEST(LanguageParse, DropsExactlyOneSeparatorAndStartsWithABlank) {
    Table t("ANZ_TEXTE: 8\n"
            "<TEXT_START> 5\nfirst line\nsecond line|\n"
            "<TEXT_START> 7 Hallo|\n"
            "<TEXT_START> 6  two blanks|\n"
            "<TEXT_START> 4Xglued|\n"
            "<TEXT_START> 3 |\n");
    EXPECT_EQ(t.Text(5), " first line\nsecond line");  // the line break after the id is the separator
    EXPECT_EQ(t.Text(7), " Hallo");
    EXPECT_EQ(t.Text(6), "  two blanks");  // only one blank is dropped
    EXPECT_EQ(t.Text(4), " glued");        // the separator is dropped whatever it is
    EXPECT_EQ(t.Text(3), " ");              // "|" at once: one blank
}

TEST(LanguageParse, ReadsWindowsLineEndsAsTextMode) {
    Table t("ANZ_TEXTE: 6\r\n<TEXT_START> 5\r\nfirst\r\nsecond|\r\n<TEXT_START> 1\r\n|\r\n");
    EXPECT_EQ(t.Text(5), " first\nsecond");
    EXPECT_EQ(t.Text(1), " ");
    EXPECT_EQ(t.Count(), 6);
}

TEST(LanguageParse, ReservedIdsAreEmptyAndIdsBeyondTheTableHaveNoText) {
    Table t("ANZ_TEXTE: 3\n<TEXT_START> 0 zero|\n<TEXT_START> 2 two|\n");
    EXPECT_EQ(t.Count(), 3);
    EXPECT_EQ(t.Text(0), " zero");
    EXPECT_EQ(t.Text(1), "");
    EXPECT_EQ(t.Text(2), " two");
    EXPECT_EQ(t.Text(3), "<none>");
    EXPECT_EQ(t.Text(-1), "<none>");
}

TEST(LanguageParse, SkipsWordsBetweenTextsAndKeepsTheLaterOfTwoTexts) {
    Table t("Kommentar ANZ_TEXTE: 3 noch ein paar Worte\n"
            "<TEXT_START> 1 first|  zwischen den Texten <TEXT_START> 0 zero| und <text_start> 2 kein Text|\n"
            "<TEXT_START> 1 second|");
    EXPECT_EQ(t.Count(), 3);
    EXPECT_EQ(t.Text(0), " zero");
    EXPECT_EQ(t.Text(1), " second");
    EXPECT_EQ(t.Text(2), "");  // the lower-case marker is just a word
}

TEST(LanguageParse, WithoutReservedIdsTextsTakeTheNextFreeId) {
    Table withCount("ANZ_TEXTE: 3 <TEXT_START> 0 a| <TEXT_START> 1 b| <TEXT_START> 2 c|");
    Table without("<TEXT_START> 0 a| <TEXT_START> 1 b| <TEXT_START> 2 c|");
    ASSERT_EQ(without.Count(), withCount.Count());
    for (int id = 0; id < 3; ++id) EXPECT_EQ(without.Text(id), withCount.Text(id));

    Table appended("<TEXT_START> 0 a| <TEXT_START> 1 b| <TEXT_START> 2 c| <TEXT_START> 3 d| <TEXT_START> 9 nine|");
    EXPECT_EQ(appended.Count(), 5);
    EXPECT_EQ(appended.Text(4), " nine");
    EXPECT_EQ(appended.Text(9), "<none>");
}

TEST(LanguageParse, CutsLongTextsAndEndsAnOpenTextAtTheEndOfTheFile) {
    std::string longText(20000, 'a');
    Table t("ANZ_TEXTE: 3 <TEXT_START> 0 " + longText + "| <TEXT_START> 1 after| <TEXT_START> 2 open\nto the end");
    EXPECT_EQ(t.Text(0).size(), static_cast<size_t>(kMaxLanguageTextLength));
    EXPECT_EQ(t.Text(0), " " + std::string(kMaxLanguageTextLength - 1, 'a'));
    EXPECT_EQ(t.Text(1), " after");  // the cut rest of text 0 is not read as words
    EXPECT_EQ(t.Text(2), " open\nto the end");
}

TEST(LanguageParse, BoundsCountsAndIgnoresTextsWithoutAUsableId) {
    EXPECT_EQ(Table("ANZ_TEXTE: 2000000000").Count(), kMaxLanguageTexts);
    EXPECT_EQ(Table("ANZ_TEXTE: 99999999999999999999").Count(), kMaxLanguageTexts);
    EXPECT_EQ(Table("ANZ_TEXTE: 60000 ANZ_TEXTE: 60000").Count(), kMaxLanguageTexts);
    EXPECT_EQ(Table("ANZ_TEXTE: -5").Count(), 0);
    EXPECT_EQ(Table("ANZ_TEXTE: viele").Count(), 0);

    Table t("ANZ_TEXTE: 2 <TEXT_START> -1 minus| <TEXT_START> x no id| <TEXT_START> 1 one|"
            "<TEXT_START> 99999999999 huge|");
    EXPECT_EQ(t.Count(), 3);
    EXPECT_EQ(t.Text(0), "");
    EXPECT_EQ(t.Text(1), " one");
    EXPECT_EQ(t.Text(2), " huge");
}

TEST(LanguageParse, SurvivesGarbage) {
    for (const std::string& bytes : GarbageInputs()) {
        Table t(bytes);
        EXPECT_LE(t.Count(), kMaxLanguageTexts);
    }
    Table marker(std::string("<TEXT_START>"));
    EXPECT_EQ(marker.Count(), 0);
    Table noText("<TEXT_START> 0");
    EXPECT_EQ(noText.Text(0), " ");
}

TEST(LanguageParse, ReplacesTheWholeTable) {
    std::istringstream first("ANZ_TEXTE: 5 <TEXT_START> 4 old|");
    std::istringstream second("<TEXT_START> 0 new|");
    LockedList<TextEntry> list;
    ParseLanguage(first, list);
    ParseLanguage(second, list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_STREQ(list.Get(0)->text, " new");
}

TEST_F(Language, SwitchingTwiceLeavesOnlyTheLastFilesTexts) {
    WriteBytes("deutsch.lng", "ANZ_TEXTE: 4\r\n<TEXT_START> 0 Zur\xFC" "ck|\r\n<TEXT_START> 3 nur deutsch|\r\n");
    WriteBytes("english.lng", "ANZ_TEXTE: 2\r\n<TEXT_START> 0 Back|\r\n");
    AppContext* app = FreshApp();
    EXPECT_EQ(app->language, 0);
    EXPECT_STREQ(app->GetText(0), " Zur\xFC" "ck");
    app->LoadLanguage(1);
    app->LoadLanguage(0);
    app->LoadLanguage(1);
    EXPECT_EQ(app->language, 1);
    EXPECT_STREQ(app->GetText(0), " Back");
    EXPECT_STREQ(app->GetText(1), "");
    EXPECT_EQ(app->GetText(3), nullptr);
    EXPECT_EQ(app->texts->Count(), 2);
}

TEST_F(Language, MissingFileOrUnknownNumberLeavesAnEmptyTable) {
    WriteBytes("deutsch.lng", "ANZ_TEXTE: 4\r\n<TEXT_START> 0 Zur\xFC" "ck|\r\n");
    AppContext* app = FreshApp();
    ASSERT_NE(app->GetText(0), nullptr);
    app->LoadLanguage(1);  // there is no english.lng
    EXPECT_EQ(app->language, 1);
    EXPECT_EQ(app->texts->Count(), 0);
    EXPECT_EQ(app->GetText(0), nullptr);
    app->LoadLanguage(0);
    EXPECT_NE(app->GetText(0), nullptr);
    std::filesystem::create_directory("english.lng");
    app->LoadLanguage(1);  // a folder reads as an empty file
    EXPECT_EQ(app->GetText(0), nullptr);
    app->LoadLanguage(7);
    EXPECT_EQ(app->language, 7);
    EXPECT_EQ(app->GetText(0), nullptr);
    EXPECT_EQ(app->GetText(-1), nullptr);
}

TEST_F(Language, FormatsPlaceholdersAndFormatsNothingWithoutAText) {
    WriteBytes("deutsch.lng", "ANZ_TEXTE: 64\r\n<TEXT_START> 22 Spielzeit: %d:%02d min|\r\n"
                              "<TEXT_START> 50\r\nNote: %.2f|\r\n<TEXT_START> 30 Richtig: %d|\r\n");
    AppContext* app = FreshApp();
    std::string text = FormatText(app->GetText(22), 3, 7);
    EXPECT_EQ(text, " Spielzeit: 3:07 min");
    text += "\n";
    AppendText(text, app->GetText(50), 2.345);
    EXPECT_EQ(text, " Spielzeit: 3:07 min\n Note: 2,35");  // German: a decimal comma
    // Ids without a text: reserved ones format as empty, ids out of range format nothing.
    AppendText(text, app->GetText(63), 1, 2);
    AppendText(text, app->GetText(64), 1, 2);
    AppendText(text, app->GetText(-3), 1, 2);
    EXPECT_EQ(text, " Spielzeit: 3:07 min\n Note: 2,35");
    EXPECT_EQ(FormatText(app->GetText(1000), 5), "");
    // Only fractions take the comma; widths, '*' and the other conversions stay as printf has them.
    EXPECT_EQ(FormatText("%d. %s %5.1f%% %*d %g %c", 3, "a.b", 2.25, 3, 7, 1e-5, 'x'), "3. a.b   2,2%   7 1e-05 x");
    GameStatistics stats;
    stats.BookGrade(2.5);
    std::ostringstream out;
    stats.Save(out);  // files keep their points
    EXPECT_NE(out.str().find("ERGS:\t2.5\r\n"), std::string::npos) << out.str();
    app->LoadLanguage(1);
    EXPECT_EQ(FormatText("%.2f", 1.09), "1.09");
}

TEST_F(Language, ShippedFilesHoldEveryIdWithALeadingBlank) {
    for (const char* name : {"deutsch.lng", "english.lng"}) {
        std::string path = std::string(KW_DATA_DIR) + "/" + name;
        ASSERT_TRUE(std::filesystem::exists(path)) << path;
        std::istringstream in(ReadBytes(path));
        LockedList<TextEntry> list;
        ParseLanguage(in, list);
        EXPECT_EQ(list.Count(), 500) << name;
        for (TextEntry* e : list) {
            std::string text = e->text;
            EXPECT_TRUE(text.empty() || text[0] == ' ') << name << ": " << text;
            EXPECT_EQ(text.find('\r'), std::string::npos) << name << ": " << text;
        }
    }
}
