#include "framework/Statistics.h"
#include "gui/MenuFixture.h"

class SettingsMenuTest : public MenuTest {};

// Page 60 lies at (112, 84): volume buttons at (430, 110) and (630, 110), toggles from (430, 190) on.
TEST_F(SettingsMenuTest, SettingsPageChangesTakeEffectAndAreSavedAtOnce) {
    app->soundVolume = 15, app->muted = true;
    Click(512, 499);
    Click(592, 219);  // 15 lies between the steps: down to 10, unmuted
    EXPECT_TRUE(app->soundVolume == 10 && !app->muted && app->lastSoundId == 12);
    Click(792, 219), Click(792, 219);
    for (int y : {299, 459, 539}) Click(692, y);  // intro, language, symbols
    const AppContext v;  // a new record reads the file
    EXPECT_TRUE(v.soundVolume == 30 && !v.introEnabled && v.language == 1 && app->language == 1 && !v.colourSymbols);
}

TEST_F(SettingsMenuTest, MIsALetterWhileLettersAreTypedF2MutesAlways) {
    StartFirstGame(), Frames(3.1);
    TestGame* game = TestGame::last;
    game->helpAllowed = false;  // the game takes typed letters now
    Key(kKeyM), Key(kKeyF2);
    EXPECT_TRUE(app->muted && game->keysUp.size() == 1u);
    game->nextGrade = 1.0, game->SetState(kStateOver), Frames(2.1);
    ASSERT_NE(menu->gameEntry, nullptr);
    Key(kKeyM), Type("m"), Key(kKeyF2);  // M is a letter of the top-ten name
    EXPECT_TRUE(std::string(menu->gameEntry->name) == "m" && !app->muted);
}
