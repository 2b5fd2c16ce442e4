#include "app/WindowProc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/MyControl.h"
#include "framework/Types.h"

namespace {
// Writes down every input call it receives.
struct RecordingControl : MyControl {
    std::vector<std::string> calls;
    void OnMouseMove(uint16_t x, uint16_t y) override { Add("move", x, y); }
    void OnLButtonDown(uint16_t x, uint16_t y) override { Add("ldown", x, y); }
    void OnLButtonUp(uint16_t x, uint16_t y) override { Add("lup", x, y); }
    void OnLButtonDblClk(uint16_t x, uint16_t y) override { Add("ldbl", x, y); }
    void OnRButtonDown(uint16_t x, uint16_t y) override { Add("rdown", x, y); }
    void OnRButtonUp(uint16_t x, uint16_t y) override { Add("rup", x, y); }
    void OnKeyDown(uint16_t k) override { calls.push_back("kdown " + std::to_string(k)); }
    void OnKeyUp(uint16_t k) override { calls.push_back("kup " + std::to_string(k)); }
    void OnMouseWheel(uint32_t p) override { calls.push_back("wheel " + std::to_string(p >> 16)); }
    void Add(const char* what, int x, int y) {
        calls.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

struct WindowProcFixture : ::testing::Test {
    void SetUp() override {
        app = GetAppContext();
        app->activeControl = &control;
        app->fullScreen = false;
        GetInputFlags() = InputFlags{};
    }
    void TearDown() override { app->activeControl = nullptr; }
    AppContext* app = nullptr;
    RecordingControl control;
};
}  // namespace

TEST_F(WindowProcFixture, CtrlEnterSwitchesFullScreenAndIsNotPassedOn) {
    WindowProc(kMsgKeyDown, kKeyControl, 0);
    WindowProc(kMsgKeyDown, kKeyReturn, 0);
    EXPECT_TRUE(app->fullScreen);
    EXPECT_TRUE(app->presentParams.windowed == false);
    EXPECT_EQ(control.calls, (std::vector<std::string>{"kdown 17"}));
    WindowProc(kMsgKeyDown, kKeyReturn, 0);  // still held: switches back
    EXPECT_FALSE(app->fullScreen);
}

TEST_F(WindowProcFixture, TheEnterOfTheSwitchIsSwallowedOnKeyUpAsWell) {
    WindowProc(kMsgKeyDown, kKeyControl, 0);
    WindowProc(kMsgKeyDown, kKeyReturn, 0);
    WindowProc(kMsgKeyUp, kKeyReturn, 0);   // the switch's own Enter: not an answer
    WindowProc(kMsgKeyUp, kKeyControl, 0);
    WindowProc(kMsgKeyDown, kKeyReturn, 0);  // a plain Enter afterwards passes both ways
    WindowProc(kMsgKeyUp, kKeyReturn, 0);
    EXPECT_EQ(control.calls, (std::vector<std::string>{"kdown 17", "kup 17", "kdown 13", "kup 13"}));
    // Ctrl released before Enter: the Enter's key-up is still the switch's.
    control.calls.clear();
    WindowProc(kMsgKeyDown, kKeyControl, 0);
    WindowProc(kMsgKeyDown, kKeyReturn, 0);
    WindowProc(kMsgKeyUp, kKeyControl, 0);
    WindowProc(kMsgKeyUp, kKeyReturn, 0);
    EXPECT_EQ(control.calls, (std::vector<std::string>{"kdown 17", "kup 17"}));
}

TEST_F(WindowProcFixture, ReleasingCtrlEndsTheSwitchChord) {
    WindowProc(kMsgKeyDown, kKeyControl, 0);
    WindowProc(kMsgKeyUp, kKeyControl, 0);
    WindowProc(kMsgKeyDown, kKeyReturn, 0);
    EXPECT_FALSE(app->fullScreen);
    EXPECT_EQ(control.calls, (std::vector<std::string>{"kdown 17", "kup 17", "kdown 13"}));
}

TEST_F(WindowProcFixture, FirstEscapeAfterASkippedIntroIsSwallowed) {
    WindowProc(kMsgKeyUp, kKeyEscape, 0);  // no skip: passes
    GetInputFlags().escapePass = false;    // the intro was skipped with Escape
    WindowProc(kMsgKeyUp, kKeyEscape, 0);  // swallowed
    WindowProc(kMsgKeyUp, kKeyEscape, 0);  // passes again
    EXPECT_EQ(control.calls, (std::vector<std::string>{"kup 27", "kup 27"}));
    EXPECT_TRUE(GetInputFlags().escapePass);
}

TEST_F(WindowProcFixture, MouseMessagesCarryPositionsAndUpdateTheRecord) {
    WindowProc(kMsgMouseMove, 0, MakePosition(10, 20));
    WindowProc(kMsgMouseMove, 0, MakePosition(1023, 767));
    EXPECT_EQ(app->prevMouseX, 10);
    EXPECT_EQ(app->prevMouseY, 20);
    EXPECT_EQ(app->mouseX, 1023);
    EXPECT_EQ(app->mouseY, 767);
    WindowProc(kMsgLButtonDown, 0, MakePosition(5, 6));
    WindowProc(kMsgLButtonUp, 0, MakePosition(5, 6));
    WindowProc(kMsgLButtonDblClk, 0, MakePosition(5, 6));
    WindowProc(kMsgRButtonDown, 0, MakePosition(7, 8));
    WindowProc(kMsgRButtonUp, 0, MakePosition(7, 8));
    WindowProc(kMsgMouseWheel, 120u << 16, 0);
    EXPECT_EQ(control.calls, (std::vector<std::string>{"move 10,20", "move 1023,767", "ldown 5,6", "lup 5,6",
                                                       "ldbl 5,6", "rdown 7,8", "rup 7,8", "wheel 120"}));
}

TEST_F(WindowProcFixture, NothingIsCalledWithoutAnActiveControl) {
    app->activeControl = nullptr;
    WindowProc(kMsgKeyDown, kKeyA, 0);
    WindowProc(kMsgKeyUp, kKeyA, 0);
    WindowProc(kMsgMouseMove, 0, MakePosition(3, 4));
    WindowProc(kMsgLButtonUp, 0, MakePosition(3, 4));
    EXPECT_TRUE(control.calls.empty());
    EXPECT_EQ(app->mouseX, 3);  // the position is still kept
}

TEST_F(WindowProcFixture, DestroyPostsTheQuitMessage) {
    bool quit = false;
    WindowProc(kMsgDestroy, 0, 0, &quit);
    EXPECT_TRUE(quit);
}
