#include "app/RecordKeeper.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/AppContext.h"
#include "framework/Statistics.h"

namespace {
std::string FileText(const char* name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

// A booking is on disk at once, a changed setting too; the running time alone writes nothing.
TEST(RecordKeeper, WritesAfterABookingAndASettingOnly) {
    AppContext* app = GetAppContext();
    RecordKeeper keeper(*app);
    app->statistics->time += 5.0;
    keeper.SaveChanges();
    EXPECT_FALSE(std::filesystem::exists("stats.sav"));
    EXPECT_FALSE(std::filesystem::exists("knobel.cfg"));
    app->statistics->BookGrade(2.5);
    keeper.SaveChanges();
    EXPECT_NE(FileText("stats.sav").find("ANZ_SPIELE:\t1\r\n"), std::string::npos);
    app->language = 1;
    keeper.SaveChanges();
    EXPECT_NE(FileText("knobel.cfg").find("SPRACHE:\t1\r\n"), std::string::npos);
    std::filesystem::remove("stats.sav");
    keeper.SaveChanges();
    EXPECT_FALSE(std::filesystem::exists("stats.sav"));
    app->statistics->Insert(new SeriesScoreEntry());
    keeper.SaveChanges();
    EXPECT_NE(FileText("stats.sav").find("EINTRAG_START"), std::string::npos);
}
