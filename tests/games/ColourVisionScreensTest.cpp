// Every game's busiest screen under three colour-vision losses: different hues stay apart, or marks tell them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <vector>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "gui/RealScreen.h"
#include "platform/Renderer.h"

namespace {
using Rgb = std::array<double, 3>;
// Machado, Oliveira and Fernandes (2009), full severity, on linear RGB.
const double kSimulations[3][9] = {
    {0.152286, 1.052583, -0.204868, 0.114503, 0.786281, 0.099216, -0.003882, -0.048116, 1.051998},
    {0.367322, 0.860646, -0.227968, 0.280085, 0.672501, 0.047413, -0.011820, 0.042940, 0.968881},
    {1.255528, -0.076749, -0.178779, -0.078411, 0.930809, 0.147602, 0.004733, 0.691367, 0.303900}};
Rgb Seen(const Rgb& c, const double* m) {
    Rgb out;
    for (int i = 0; i < 3; ++i)
        out[i] = std::pow(std::clamp(m[3 * i] * std::pow(c[0], 2.2) + m[3 * i + 1] * std::pow(c[1], 2.2) + m[3 * i + 2] * std::pow(c[2], 2.2), 0.0, 1.0), 1 / 2.2);
    return out;
}
double Apart(const Rgb& a, const Rgb& b) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }
class ColourVision : public ::testing::TestWithParam<int> {};
}  // namespace

TEST_P(ColourVision, DifferentHuesStayApartOrTheScreenCarriesMarks) {
    // The sliding puzzle's tiles show a picture drawn at random for each game: the player puts
    // the picture together, and its colours are the picture's own, not signals of the game.
    constexpr int kPicturePuzzle = 10;
    if (GetParam() == kPicturePuzzle) GTEST_SKIP() << "colours of a picture, not signals";
    RealScreen screen;
    ASSERT_TRUE(screen.Open(1));
    MainMenu menu;
    menu.level = 2, menu.StartGame(GetParam());
    for (int i = 0; i < 40; ++i) screen.app->frameTime = screen.app->realFrameTime = 0.1, menu.Update();
    SDL_Surface* shot = screen.Shoot("vision-game" + std::to_string(GetParam()), [&menu] { menu.game->Render(); });
    bool marks = false;
    for (const DrawCommand& c : screen.app->sprite->Commands()) marks |= c.texture == screen.app->texMisc2 && c.src.top >= 650;
    // Strongly coloured pixels in coarse colour groups (n counts each channel); groups of 400 pixels or more by their mean.
    std::map<int, std::pair<Rgb, int>> groups;
    for (int y = 0; y < shot->h; ++y)
        for (int x = 0; x < shot->w; ++x) {
            const uint32_t p = RealScreen::Pixel(shot, x, y);
            const Rgb c{(p >> 16) / 255.0, ((p >> 8) & 0xFF) / 255.0, (p & 0xFF) / 255.0};
            if (std::max({c[0], c[1], c[2]}) - std::min({c[0], c[1], c[2]}) < 0.35) continue;
            auto& [sum, n] = groups[int(c[0] * 3.99) * 16 + int(c[1] * 3.99) * 4 + int(c[2] * 3.99)];
            for (int i = 0; i < 3; ++i, ++n) sum[i] += c[i] * 3;
        }
    std::vector<Rgb> hues;
    for (auto& [key, g] : groups) if (g.second >= 1200) hues.push_back({g.first[0] / g.second, g.first[1] / g.second, g.first[2] / g.second});
    for (const double* m : kSimulations)
        for (size_t a = 0; a < hues.size(); ++a)
            for (size_t b = a + 1; b < hues.size(); ++b)
                EXPECT_TRUE(marks || Apart(hues[a], hues[b]) < 0.3 || Apart(Seen(hues[a], m), Seen(hues[b], m)) >= 0.08)
                    << "game " << GetParam() << ": hues " << a << " and " << b << " look alike without a mark";
    SDL_FreeSurface(shot);
}

INSTANTIATE_TEST_SUITE_P(BusiestScreens, ColourVision, ::testing::Range(0, kGameCount));
