#pragma once
// Shared helpers of the menu and game-base tests: a text table with short, recognisable
// formats, a small game for the game list, and driving the menu like the window procedure.
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "framework/Language.h"
#include "framework/TextFormat.h"
#include "platform/Renderer.h"

namespace menutest {

// Fills the language table: text i is "T<i>", except the formats listed here.
inline void InstallTexts(AppContext* app) {
    static std::vector<std::string> texts;
    texts.clear();
    for (int i = 0; i < 450; ++i) texts.push_back("T" + std::to_string(i));
    texts[22] = "Played %d:%02d";
    texts[43] = "Time %d:%02d:%02d";
    texts[44] = "Solved %d";
    texts[45] = "Best %.2f";
    texts[46] = "Worst %.2f";
    texts[47] = "Average %.2f";
    texts[48] = "Games %d";
    texts[49] = "%d. %s %02d.%02d.%d %.2f";
    texts[50] = "Grade %.2f";
    texts[54] = "Name: %s";
    texts[59] = " easy";
    texts[60] = " medium";
    texts[61] = " hard";
    texts[62] = "%d. %s %.2f (%.2f-%.2f)";
    texts[63] = "Clock %d:%02d";
    texts[400] = "Left early";
    texts[401] = "Game %d of %d";
    texts[402] = "Games %d of %d";
    texts[403] = "Series %.2f";
    texts[404] = "Statistics %s";
    app->texts->Clear(true);
    for (const std::string& t : texts) app->texts->Add(new TextEntry(t.c_str()));
    SetDecimalComma(false);  // the formats above are English
}

// A game whose course the test decides: it ends when told, with the grade it is given.
class TestGame : public Knobel_Game {
public:
    explicit TestGame(int level, const char* file = "testgame.sav") : Knobel_Game(level, file) { last = this; }
    ~TestGame() override {
        if (last == this) last = nullptr;
    }
    void Update() override {
        ++updates;
        AdvanceTime(state == kStatePlaying);
    }
    void Render() override { ++renders; }
    // Every input slot counts its calls; a button-down picks up a piece that the next
    // button-up drops where it happens.
    void OnMouseMove(uint16_t x, uint16_t y) override { ++mouseMoves; }
    void OnLButtonDown(uint16_t x, uint16_t y) override {
        ++buttonDowns;
        holding = true;
    }
    void OnLButtonUp(uint16_t x, uint16_t y) override {
        ++buttonUps;
        lastX = x;
        lastY = y;
        if (holding) dropX = x, dropY = y;
        holding = false;
    }
    void OnRButtonDown(uint16_t x, uint16_t y) override { ++rightButtons; }
    void OnRButtonUp(uint16_t x, uint16_t y) override { ++rightButtons; }
    void OnMouseWheel(uint32_t) override { ++wheels; }
    void OnKeyUp(uint16_t key) override { keysUp.push_back(key); }
    void OnKeyDown(uint16_t key) override { keysDown.push_back(key); }
    bool HoldsPiece() const override { return holding; }
    void OnInputSuspended() override { ++suspensions; }
    int InputCalls() const {
        return mouseMoves + buttonDowns + buttonUps + rightButtons + wheels + static_cast<int>(keysUp.size() + keysDown.size());
    }
    const char* GetTitle() override { return "Test game"; }
    const char* GetHelpText() override { return "Rules of the test game"; }
    const char* GetResultText() override { return FrameResultText({"Test line"}); }
    void ComputeGrade() override { grade = nextGrade; }
    bool AllowsHelpKey() override { return helpAllowed; }
    using Knobel_Game::AdvanceTime;
    using Knobel_Game::DrawTimePanel;
    using Knobel_Game::FrameResultText;

    static inline TestGame* last = nullptr;
    double nextGrade = 6.0;
    bool helpAllowed = true;
    int updates = 0, renders = 0, buttonDowns = 0, buttonUps = 0;
    int mouseMoves = 0, rightButtons = 0, wheels = 0, suspensions = 0;
    int lastX = -1, lastY = -1;
    bool holding = false;
    int dropX = -1, dropY = -1;
    std::vector<uint16_t> keysUp, keysDown;
};

// Gives the application record a sprite batch that only records, for the length of a test.
struct RecordingRenderer {
    explicit RecordingRenderer(AppContext* a) : app(a) { app->sprite = new Renderer(nullptr); }
    ~RecordingRenderer() {
        delete app->sprite;
        app->sprite = nullptr;
    }
    RecordingRenderer(const RecordingRenderer&) = delete;
    RecordingRenderer& operator=(const RecordingRenderer&) = delete;
    AppContext* app;
};

// The texts a frame drew, in drawing order.
inline std::vector<std::string> DrawnTexts(const Renderer& r) {
    std::vector<std::string> out;
    for (const DrawCommand& c : r.Commands())
        if (c.kind == DrawCommand::kText) out.push_back(c.text);
    return out;
}

inline const DrawCommand* FindText(const Renderer& r, const std::string& text) {
    for (const DrawCommand& c : r.Commands())
        if (c.kind == DrawCommand::kText && c.text == text) return &c;
    return nullptr;
}

}  // namespace menutest
