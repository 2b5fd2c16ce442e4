// Every game's busiest screen (hardest level, after the countdown) seen as by people with
// protanopia, deuteranopia and tritanopia: colours that the game draws in clearly different
// hues must stay apart, or the screen must carry the marks that tell them without colour.
// Saves each screen beside its deuteranopia view as build/e2e-shots/headless-vision-*.png.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"
#include "games/KG_Sudoku9x9/KG_Sudoku9x9.h"
#include "games/RegisteredGames.h"
#include "gui/MainMenu.h"
#include "gui/RealScreen.h"
#include "platform/Renderer.h"

namespace {
using Rgb = std::array<double, 3>;
using Matrix = std::array<Rgb, 3>;

// Machado, Oliveira and Fernandes (2009), full severity, on linear RGB.
const Matrix kSimulations[3] = {
    {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}},
    {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}},
    {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}},
};
const char* const kSimulationNames[3] = {"protanopia", "deuteranopia", "tritanopia"};

double Linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }
double Gamma(double c) {
    c = std::clamp(c, 0.0, 1.0);
    return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

Rgb Simulate(const Rgb& srgb, int kind) {
    const Rgb lin{Linear(srgb[0]), Linear(srgb[1]), Linear(srgb[2])};
    Rgb out{};
    for (int i = 0; i < 3; ++i)
        out[i] = Gamma(kSimulations[kind][i][0] * lin[0] + kSimulations[kind][i][1] * lin[1] + kSimulations[kind][i][2] * lin[2]);
    return out;
}

Rgb Lab(const Rgb& srgb) {
    const double r = Linear(srgb[0]), g = Linear(srgb[1]), b = Linear(srgb[2]);
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047, y = 0.2126 * r + 0.7152 * g + 0.0722 * b,
                 z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double Distance(const Rgb& a, const Rgb& b) {
    const Rgb la = Lab(a), lb = Lab(b);
    return std::hypot(la[0] - lb[0], la[1] - lb[1], la[2] - lb[2]);
}

Rgb PixelRgb(const SDL_Surface* s, int x, int y) {
    const uint32_t p = RealScreen::Pixel(s, x, y);
    return {((p >> 16) & 0xFF) / 255.0, ((p >> 8) & 0xFF) / 255.0, (p & 0xFF) / 255.0};
}

// The clearly coloured areas of a screen: pixels of strong chroma grouped by coarse colour,
// each group that covers a noticeable area represented by its mean.
std::vector<Rgb> SignalColours(const SDL_Surface* s) {
    std::map<int, std::pair<Rgb, int>> bins;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            const Rgb c = PixelRgb(s, x, y);
            if (std::max({c[0], c[1], c[2]}) - std::min({c[0], c[1], c[2]}) < 0.35) continue;
            const int key = static_cast<int>(c[0] * 3.99) * 16 + static_cast<int>(c[1] * 3.99) * 4 + static_cast<int>(c[2] * 3.99);
            auto& [sum, count] = bins[key];
            for (int i = 0; i < 3; ++i) sum[i] += c[i];
            ++count;
        }
    std::vector<Rgb> out;
    for (auto& [key, bin] : bins)
        if (bin.second >= 400) out.push_back({bin.first[0] / bin.second, bin.first[1] / bin.second, bin.first[2] / bin.second});
    return out;
}

// The screen beside its simulated view, for a look.
void SaveBeside(const SDL_Surface* s, int kind, const std::string& name) {
    SDL_Surface* both = SDL_CreateRGBSurfaceWithFormat(0, 2 * s->w, s->h, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            const Rgb v = Simulate(PixelRgb(s, x, y), kind);
            auto* row = static_cast<uint32_t*>(both->pixels) + y * (both->pitch / 4);
            row[x] = 0xFF000000 | RealScreen::Pixel(s, x, y);
            row[s->w + x] = 0xFF000000 | static_cast<uint32_t>(v[0] * 255 + 0.5) << 16 |
                            static_cast<uint32_t>(v[1] * 255 + 0.5) << 8 | static_cast<uint32_t>(v[2] * 255 + 0.5);
        }
    const auto dir = std::filesystem::path(KW_DATA_DIR).parent_path() / "e2e-shots";
    IMG_SavePNG(both, (dir / ("headless-vision-" + name + ".png")).c_str());
    SDL_FreeSurface(both);
}

class ColourVision : public ::testing::TestWithParam<int> {};
}  // namespace

TEST_P(ColourVision, HuesThatMeanSomethingStayApartOrCarryMarks) {
    const int index = GetParam();
    RealScreen screen;
    ASSERT_TRUE(screen.Open(1));
    AppContext* app = screen.app;
    app->colourSymbols = true;
    auto* menu = new MainMenu();
    app->activeControl = menu;
    menu->level = 2;
    menu->StartGame(index);
    for (int i = 0; i < 40; ++i) {
        app->frameTime = app->realFrameTime = 0.1;
        menu->Update();
    }
    app->mouseX = 1010;
    app->mouseY = 755;
    if (auto* sudoku = dynamic_cast<KG_Sudoku9x9*>(menu->game)) {
        // A digit that repeats the first given digit of its row: the busiest Sudoku is one in conflict.
        for (int c = 0; c < 9; ++c)
            if (sudoku->cells[c][0].IsEmpty()) {
                sudoku->OnLButtonUp(static_cast<uint16_t>(sudoku->cells[c][0].position.x + 5),
                                    static_cast<uint16_t>(sudoku->cells[c][0].position.y + 5));
                for (int d = 0; d < 9; ++d)
                    if (!sudoku->cells[d][0].IsEmpty()) {
                        sudoku->OnKeyUp(static_cast<uint16_t>('0' + sudoku->cells[d][0].value));
                        break;
                    }
                break;
            }
    }
    const std::string name = "game" + std::to_string(index);
    // The game alone over plain grey: the backdrop's scenery means nothing.
    SDL_Surface* shot = screen.Shoot("vision-" + name + "-alone", [menu] { menu->game->Render(); });
    bool marks = false;
    for (const DrawCommand& c : app->sprite->Commands())
        marks |= c.kind == DrawCommand::kSprite && c.texture == app->texMisc1 && c.src.top >= 700;
    const std::vector<Rgb> colours = SignalColours(shot);
    for (int kind = 0; kind < 3; ++kind)
        for (size_t a = 0; a < colours.size(); ++a)
            for (size_t b = a + 1; b < colours.size(); ++b) {
                if (Distance(colours[a], colours[b]) < 30) continue;  // one hue with its shading
                const double seen = Distance(Simulate(colours[a], kind), Simulate(colours[b], kind));
                EXPECT_TRUE(seen >= 10 || marks)
                    << name << " under " << kSimulationNames[kind] << ": " << colours[a][0] * 255 << "," << colours[a][1] * 255
                    << "," << colours[a][2] * 255 << " and " << colours[b][0] * 255 << "," << colours[b][1] * 255 << ","
                    << colours[b][2] * 255 << " look alike without a mark";
            }
    SDL_FreeSurface(shot);
    SDL_Surface* full = screen.ShootMenu(*menu, "vision-" + name);
    SaveBeside(full, 1, name + "-deuteranopia");
    SDL_FreeSurface(full);
    delete menu;
    app->activeControl = nullptr;
    screen.Close();
}

INSTANTIATE_TEST_SUITE_P(BusiestScreens, ColourVision, ::testing::Range(0, kGameCount));
