#include "games/KG_Ordo/KG_Ordo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/AppContext.h"
#include "framework/ColourCues.h"
#include "framework/Grade.h"
#include "framework/TextFormat.h"
#include "games/TickSeed.h"
#include "platform/FontManager.h"

namespace {
constexpr Rect kField{550, 0, 600, 50};
constexpr Rect kReflectedMarker{650, 0, 700, 50};
constexpr Rect kAbsorbedMarker{700, 0, 750, 50};
constexpr Rect kWarningMarker{750, 0, 800, 50};
constexpr Rect kCheckButton{400, 600, 600, 650};
constexpr Color kWhite = 0xFFFFFFFF;
constexpr Color kBlack = 0xFF000000;
constexpr Color kMarked = 0xFF7F0000;
constexpr Color kFoundAtom = 0xFF00FF00;
constexpr Color kMissedAtom = 0xFF7F7F7F;
constexpr int kSoundRight = 1;
constexpr int kSoundWrong = 11;

bool Within(Vec2 centre, int x, int y) { return std::fabs(x - centre.x) <= 25.0f && std::fabs(y - centre.y) <= 25.0f; }

Vec2 TopLeft(Vec2 centre) { return {centre.x - 25.0f, centre.y - 25.0f}; }

// Light colours carry black numbers, dark ones white.
Color NumberColourOn(Color c) {
    const double r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return 0.299 * r + 0.587 * g + 0.114 * b > 140.0 ? kBlack : kWhite;
}
}  // namespace

KG_Ordo::KG_Ordo(int level) : KG_Ordo(level, TickCountSeed()) {}

KG_Ordo::KG_Ordo(int level_, unsigned seed) : Knobel_Game(level_, "thinkbox.sav") {
    atomCount = level >= 2 ? 8 : 5;
    showHints = level <= 0;
    endTimer = 0.0;
    playTime = 0.0;
    shotCount = 0;
    correct = false;
    const int W = app->screenWidth, H = app->screenHeight;
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y)
            cells[x][y] = BoxCell{Vec2{static_cast<float>(W / 2 + 50 * x - 150), static_cast<float>(H / 2 + 50 * y - 150)},
                                  false, false};
    markCount = 0;
    std::srand(seed);
    for (int placed = 0; placed < atomCount;) {
        const int x = std::rand() % kSide;
        const int y = std::rand() % kSide;
        if (cells[x][y].atom) continue;
        cells[x][y].atom = true;
        ++placed;
    }
    for (int k = 0; k < kSide; ++k) {
        const float along = static_cast<float>(H / 2 + 50 * k - 150);
        const float across = static_cast<float>(W / 2 + 50 * k - 150);
        probes[0][k] = Probe{};
        probes[0][k].position = {static_cast<float>(W / 2 - 220), along};
        probes[0][k].gridX = -1, probes[0][k].gridY = k;
        probes[1][k] = Probe{};
        probes[1][k].position = {static_cast<float>(W / 2 + 270), along};
        probes[1][k].gridX = kSide, probes[1][k].gridY = k;
        probes[2][k] = Probe{};
        probes[2][k].position = {across, static_cast<float>(H / 2 - 220)};
        probes[2][k].gridX = k, probes[2][k].gridY = -1;
        probes[3][k] = Probe{};
        probes[3][k].position = {across, static_cast<float>(H / 2 + 270)};
        probes[3][k].gridX = k, probes[3][k].gridY = kSide;
    }
}

Color KG_Ordo::ShotColour(int n) {
    auto part = [](int step) { return static_cast<Color>(step * 0.25 * 255); };
    return 0xFF000000 | part(n % 4) << 16 | part((n / 4) % 4) << 8 | part((n / 16) % 4);
}

Probe* KG_Ordo::ProbeAt(int gridX, int gridY) {
    if (!IsEdgePlace(gridX, gridY)) return nullptr;
    if (gridX < 0) return &probes[0][gridY];
    if (gridX >= kSide) return &probes[1][gridY];
    if (gridY < 0) return &probes[2][gridX];
    return &probes[3][gridX];
}

BoxGrid KG_Ordo::Atoms() const {
    BoxGrid g{};
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y) g[x][y] = cells[x][y].atom;
    return g;
}

BoxGrid KG_Ordo::Marks() const {
    BoxGrid g{};
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y) g[x][y] = cells[x][y].marked;
    return g;
}

Rect KG_Ordo::CheckButton() const {
    const int W = app->screenWidth, H = app->screenHeight;
    return Rect{W / 2 - 100, H - 75, W / 2 + 100, H - 25};
}

void KG_Ordo::Fire(Probe& probe) {
    if (probe.fired) return;
    ++shotCount;
    probe.fired = true;
    probe.colour = ShotColour(shotCount);
    probe.shotNumber = shotCount;
    probe.otherX = probe.otherY = kNoPlace;
    const BoxTrace t = TraceRay(Atoms(), probe.gridX, probe.gridY);
    probe.steps = t.steps;
    if (t.kind == BoxTrace::kAbsorbed) {
        probe.absorbed = true;
        probe.absorbX = t.cellX, probe.absorbY = t.cellY;
        return;
    }
    if (t.kind == BoxTrace::kReflected) {
        probe.reflected = true;
        probe.reflectX = t.cellX, probe.reflectY = t.cellY;
        return;
    }
    Probe* exit = ProbeAt(t.exitX, t.exitY);
    if (exit == nullptr) return;
    probe.exitProbe = exit;
    exit->fired = true;
    exit->colour = probe.colour;
    exit->steps = probe.steps;
    exit->shotNumber = probe.shotNumber;
    exit->otherX = probe.gridX, exit->otherY = probe.gridY;
    probe.otherX = t.exitX, probe.otherY = t.exitY;
}

// A place is explained when the ray traced through the marks does what the real one did:
// absorbed, reflected at the entry, or out at the same other end. An exit place is traced
// from its own side, which is the same path backwards.
void KG_Ordo::RecheckHints() {
    const BoxGrid marks = Marks();
    for (auto& side : probes)
        for (Probe& p : side) {
            p.hintWrong = false;
            if (!p.fired) continue;
            const BoxTrace t = TraceRay(marks, p.gridX, p.gridY);
            bool explained = false;
            switch (t.kind) {
                case BoxTrace::kAbsorbed: explained = p.absorbed; break;
                case BoxTrace::kReflected: explained = p.reflected; break;
                case BoxTrace::kLeft:
                    explained = !p.absorbed && !p.reflected && t.exitX == p.otherX && t.exitY == p.otherY;
                    break;
            }
            p.hintWrong = !explained;
        }
}

void KG_Ordo::ToggleMark(int x, int y) {
    BoxCell& c = cells[x][y];
    c.marked = !c.marked;
    markCount += c.marked ? 1 : -1;
    if (showHints) RecheckHints();
}

void KG_Ordo::OnLButtonDown(uint16_t mx, uint16_t my) {
    if (!Playing() || checked) return;
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y)
            if (Within(cells[x][y].position, mx, my)) {
                ToggleMark(x, y);
                return;
            }
    for (auto& side : probes)
        for (Probe& p : side) {
            if (!Within(p.position, mx, my)) continue;
            if (p.fired) return;
            Fire(p);
            if (showHints) RecheckHints();
            return;
        }
}

// Right is any marking with as many atoms as hidden that no probe can tell from them: from
// every place of the edge a ray ends the same way through the marks as through the atoms.
void KG_Ordo::Check() {
    correct = markCount == atomCount && SameAtEveryPlace(Marks(), Atoms());
    endTimer = correct ? kRevealRight : kRevealWrong;
    checked = true;
    app->PlaySound(correct ? kSoundRight : kSoundWrong, 1.0f);
}

void KG_Ordo::OnLButtonUp(uint16_t x, uint16_t y) {
    if (!Playing() || checked) return;
    const Rect b = CheckButton();
    if (x >= b.left && x <= b.right && y >= b.top && y <= b.bottom) Check();
}

void KG_Ordo::Update() {
    AdvanceTime(running && state == kStatePlaying && !checked);
    if (!running || !checked) return;
    if (endTimer > 0.0) endTimer -= app->frameTime;
    if (endTimer <= 0.0 && state == kStatePlaying) state = correct ? kStateOver : kStateOverOther;
}

double KG_Ordo::SecondsUntilChange() {
    if (running && checked && state == kStatePlaying) return 0.0;  // the pause before the end
    return Knobel_Game::SecondsUntilChange();
}

void KG_Ordo::DrawProbe(const Probe& p) {
    const Vec2 at = TopLeft(p.position);
    const bool coloured = p.fired && !p.absorbed && !p.reflected;
    app->DrawSprite(app->texMisc1, &kField, nullptr, nullptr, 0.0, &at, coloured ? p.colour : kWhite);
    if (p.absorbed) app->DrawSprite(app->texMisc1, &kAbsorbedMarker, nullptr, nullptr, 0.0, &at, kWhite);
    if (p.reflected) app->DrawSprite(app->texMisc1, &kReflectedMarker, nullptr, nullptr, 0.0, &at, kWhite);
    if (coloured && p.shotNumber > 0) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", p.shotNumber);
        fontManager->DrawTextAt(number, p.position.x, p.position.y, NumberColourOn(p.colour), kTextCenter | kTextVCenter,
                                font);
    }
    if (p.hintWrong) app->DrawSprite(app->texMisc1, &kWarningMarker, nullptr, nullptr, 0.0, &at, kWhite);
}

void KG_Ordo::Render() {
    if (!running) return;
    const int W = app->screenWidth;
    if (state == kStatePlaying) {
        DrawTimePanel();
        const std::string line = FormatText(app->GetText(132), atomCount, markCount);
        fontManager->DrawTextRect(line.c_str(), W / 2 - 250, 50, W / 2 + 250, 100, kBlack, kTextCenter | kTextVCenter,
                                  font);
    }
    for (auto& column : cells)
        for (BoxCell& c : column) {
            Color tint = c.marked ? kMarked : kWhite;
            if (checked) {
                if (c.atom) tint = c.marked ? kFoundAtom : kMissedAtom;
                else tint = c.marked ? kMarked : kWhite;
            }
            const Vec2 at = TopLeft(c.position);
            app->DrawSprite(app->texMisc1, &kField, nullptr, nullptr, 0.0, &at, tint);
            // After the check every atom shows itself, found or not.
            if (checked && c.atom) app->DrawSprite(app->texMisc1, &kAbsorbedMarker, nullptr, nullptr, 0.0, &at, kWhite);
            // A guess found right (green) gets a tick, a guess on an empty cell (dark red) a cross.
            if (checked && c.marked && ColourCuesWanted(*app))
                DrawCueMark(*app, c.atom ? kCueTick : kCueCross, Vec2{c.position.x + 13, c.position.y - 13}, 24.0f);
        }
    for (auto& side : probes)
        for (Probe& p : side) DrawProbe(p);
    if (!checked && state == kStatePlaying) {
        const Rect b = CheckButton();
        const Vec2 at{static_cast<float>(b.left), static_cast<float>(b.top)};
        app->DrawSprite(app->texMenu2, &kCheckButton, nullptr, nullptr, 0.0, &at, kWhite);
        fontManager->DrawTextRect(app->GetText(133), b.left, b.top, b.right, b.bottom, kBlack,
                                  kTextCenter | kTextVCenter, font);
    }
}

const char* KG_Ordo::GetHelpText() { return app->GetText(131); }
const char* KG_Ordo::GetTitle() { return app->GetText(130); }
const char* KG_Ordo::GetResultText() { return FrameResultText({}); }

// The rules, in the rules page's own font, beside a picture of the box.
void KG_Ordo::DrawHelp(GUIElement*, Rect rect, Vec2 position, Vec2 scale, Font* pageFont) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    // The picture at 0.6 of its size leaves the text the width it needs.
    const Rect picture{0, 0, 300, 340};
    const Vec2 pictureScale{scale.x * 0.6f, scale.y * 0.6f};
    const Vec2 at{position.x + static_cast<float>(w - 230), position.y + 130.0f};
    app->DrawSprite(app->texMisc2, &picture, &pictureScale, nullptr, 0.0, &at, kWhite);
    const int x = static_cast<int>(position.x), y = static_cast<int>(position.y);
    // Set flush left, the text starts without the blank the language file puts before it.
    const char* help = HelpWithKeys();
    if (help == nullptr) return;
    while (*help == ' ') ++help;
    fontManager->DrawTextRect(help, x + 50, y + 50, x + w - 250, y + h - 70, kBlack,
                              kTextVCenter | kTextWordBreak, pageFont);
}

// Right: a step per 50 seconds for each atom. Otherwise five steps times the share of atoms
// not found and a step per 25 seconds for each atom; a mark on an empty cell cancels a found
// atom, so marking every cell finds nothing.
void KG_Ordo::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList KG_Ordo::GradeTerms() const {
    const double secondsPerGrade = kSecondsPerAtom * std::max(atomCount, 1);
    GradeTermList t;
    AddTerm(t, TermKind::kBase, 1.0);
    if (checked && correct) {
        AddTerm(t, TermKind::kTime, playTime / secondsPerGrade, playTime);
    } else {
        int found = 0, wrongMarks = 0;
        for (auto& column : cells)
            for (const BoxCell& c : column) {
                if (!c.marked) continue;
                if (c.atom) ++found;
                else ++wrongMarks;
            }
        const int k = std::max(found - wrongMarks, 0);
        AddTerm(t, TermKind::kAtomsMissed, static_cast<double>(atomCount - k) / atomCount * 5.0, atomCount - k, atomCount);
        AddTerm(t, TermKind::kTime, playTime / (secondsPerGrade / 2.0), playTime);
    }
    return CloseTerms(std::move(t));
}

// Steps are atoms marked, about 25 s each to fire the probes that place it; the box is checked
// at the end.
PlayShape KG_Ordo::ShapeOfPlay() { return {atomCount, 25.0, false}; }

void KG_Ordo::SetPlayedResult(const PlayedResult& r) {
    int marked = 0;
    for (auto& column : cells)
        for (BoxCell& c : column) c.marked = c.atom && marked++ < r.done;
    checked = correct = r.finished;
    EndPlayed(r);
}

// The cells of the box, the probe places round it and the check button.
std::vector<KeyPlace> KG_Ordo::KeyPlaces() {
    std::vector<KeyPlace> places;
    if (checked) return places;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) places.push_back(PlaceAround(cells[x][y].position.x, cells[x][y].position.y, 25.0f));
    for (auto& side : probes)
        for (Probe& p : side) places.push_back(PlaceAround(p.position.x, p.position.y, 25.0f));
    places.push_back(PlaceOver(CheckButton()));
    return places;
}
