#include "app/RecordKeeper.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/AppContext.h"
#include "framework/Statistics.h"

// A booking is on disk at once, a changed setting too; the running time alone writes nothing.
TEST(RecordKeeper, WritesAfterABookingAndASettingOnly) {
    auto text = [](const char* name) {
        std::stringstream s;
        s << std::ifstream(name, std::ios::binary).rdbuf();
        return s.str();
    };
    AppContext* app = GetAppContext();
    RecordKeeper keeper(*app);
    app->statistics->time += 5.0;
    keeper.SaveChanges();
    EXPECT_FALSE(std::filesystem::exists("stats.sav") || std::filesystem::exists("knobel.cfg"));
    app->statistics->BookGrade(2.5);
    app->language = 1;
    keeper.SaveChanges();
    EXPECT_NE(text("stats.sav").find("ANZ_SPIELE:\t1\r\n"), std::string::npos);
    EXPECT_NE(text("knobel.cfg").find("SPRACHE:\t1\r\n"), std::string::npos);
}
