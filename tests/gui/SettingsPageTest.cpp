// The settings page and the mute keys, driven like the window procedure drives the menu.
#include <fstream>
#include <sstream>

#include "framework/Settings.h"
#include "framework/Statistics.h"
#include "gui/MenuFixture.h"
#include "gui/MenuLayout.h"

namespace {
constexpr int kSettingsX = 512, kSettingsY = 499;  // button 68 at (50, 390) of page 1
constexpr int kVolumeDownX = 592, kVolumeUpX = 792, kVolumeY = 219;  // page 60 at (112, 84)
constexpr int kToggleX = 692, kIntroY = 299, kLanguageY = 459, kSymbolsY = 539;

std::string Saved() {
    std::ifstream in("knobel.cfg", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool MuteMarkDrawn(const Renderer& r) {
    for (const DrawCommand& c : r.Commands())
        if (c.src == Rect{500, 0, 550, 50} && c.transform[4] > 900) return true;
    return false;
}
}  // namespace

TEST_F(MenuTest, SettingsPageChangesTakeEffectAndAreSavedAtOnce) {
    app->soundVolume = 15;
    app->muted = true;
    Click(kSettingsX, kSettingsY);
    ASSERT_EQ(menu->currentPage, kPageSettings);
    const int sounds = app->soundsRequested;
    Click(kVolumeDownX, kVolumeY);  // 15 lies between the steps: down to 10
    EXPECT_EQ(app->soundVolume, 10);
    EXPECT_FALSE(app->muted);
    EXPECT_EQ(app->soundsRequested, sounds + 2);  // the click, then the sample at the new volume
    Click(kVolumeDownX, kVolumeY);
    Click(kVolumeDownX, kVolumeY);
    EXPECT_EQ(app->soundVolume, 0);
    for (int i = 0; i < 12; ++i) Click(kVolumeUpX, kVolumeY);
    EXPECT_EQ(app->soundVolume, 100);
    Click(kToggleX, kIntroY);
    Click(kToggleX, kSymbolsY);
    Click(kToggleX, kLanguageY);
    SettingsValues saved;
    std::istringstream in(Saved());
    ParseSettings(in, saved);
    EXPECT_FALSE(saved.introEnabled);
    EXPECT_FALSE(saved.colourSymbols);
    EXPECT_EQ(saved.language, app->language);
    EXPECT_EQ(saved.soundVolume, 100);
}

TEST_F(MenuTest, MMutesInTheMenuAndInAGameButNotWhileLettersAreTyped) {
    app->muted = false;
    Key(kKeyM);
    EXPECT_TRUE(app->muted);
    EXPECT_NE(Saved().find("STUMM:\t1\r\n"), std::string::npos);
    EXPECT_TRUE(MuteMarkDrawn(Draw()));
    StartFirstGame();
    Frames(3.1);
    TestGame* game = TestGame::last;
    Key(kKeyM);
    EXPECT_FALSE(app->muted);
    EXPECT_FALSE(MuteMarkDrawn(Draw()));
    EXPECT_TRUE(game->keysDown.empty() && game->keysUp.empty());  // the mute key is not the game's
    game->helpAllowed = false;  // the game takes typed letters now
    Key(kKeyM);
    EXPECT_FALSE(app->muted);
    EXPECT_EQ(game->keysUp.size(), 1u);
    Key(kKeyF2);
    EXPECT_TRUE(app->muted);
    game->helpAllowed = true;
    game->nextGrade = 1.0;
    game->SetState(kStateOver);
    Frames(2.1);
    ASSERT_NE(menu->gameEntry, nullptr);
    Key(kKeyM);  // a top-ten name: M is a letter there
    EXPECT_STREQ(menu->gameEntry->name, "m");
    EXPECT_TRUE(app->muted);
    Key(kKeyF2);
    EXPECT_FALSE(app->muted);
}
