#include "games/KG_Bilder_Basteln/KG_Bilder_Basteln.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/AppContext.h"
#include "framework/Grade.h"
#include "framework/Random.h"
#include "framework/TextFormat.h"
#include "games/KG_Bilder_Basteln/PictureLevel.h"
#include "games/TickSeed.h"
#include "platform/FontManager.h"

namespace {
constexpr Color kSilhouetteTint = 0xFF5F5F5F;
constexpr Color kSelectedTint = 0xFFFF0000;
constexpr Color kShadowTint = 0x50000000;
constexpr Vec2 kLiftedShadow{5.0f, 7.0f};  // the shadow of a shape held above the board
constexpr float kCounterLineY = 70.0f;
// Copies and decoys are laid this far from the screen edges.
constexpr int kScatterMargin = 100;
// The time panel covers the top centre of the screen (300 x 50); a shape's centre is kept at
// least this far below it, so that a shape dragged to the top stays in view and can be grabbed.
constexpr float kPanelHalfWidth = 150.0f;
constexpr float kBelowPanel = 75.0f;
}  // namespace

KG_Bilder_Basteln::KG_Bilder_Basteln(int level) : KG_Bilder_Basteln(level, TickCountSeed()) {}

KG_Bilder_Basteln::KG_Bilder_Basteln(int level_, unsigned seed) : Knobel_Game(level_, "bilder.sav") {
    selected = nullptr;
    holding = false;
    // Made before the picture is loaded, so the counter line always has its font.
    labelFont = MakeFont("Arial", 30);
    std::srand(seed);
    LoadPicture();
    if (level >= 1) AddDecoys();
    matched = 0;
    moves = 0;
    playTime = 0.0;
}

KG_Bilder_Basteln::~KG_Bilder_Basteln() {
    selected = lastMoved = nullptr;
    holding = false;
    silhouettes.Clear(true);
    shapes.Clear(true);
}

// Each silhouette gets a movable copy of the same type and scale, somewhere on the screen, in
// a size of 0.6..1.9 and turned by a multiple of 45 degrees. Extra shapes of the file join from
// the middle level on.
void KG_Bilder_Basteln::LoadPicture() {
    const int W = app->screenWidth, H = app->screenHeight;
    const int first = std::rand() % picture::kLevelCount;
    picture::LevelData data;
    pictureNumber_ = picture::LoadPicture(app->archive, first, data, W, H);
    for (const picture::LevelObject& o : data.objects) {
        if (!o.silhouette) {
            if (level >= 1) shapes.Add(new ShapeObject(o));
            continue;
        }
        ShapeObject* s = new ShapeObject(o);
        s->color = o.color;  // shown by its shape once the picture is finished
        silhouettes.Add(s);
        ShapeObject* copy = new ShapeObject(o);
        const int y = RandomBelow(H - 2 * kScatterMargin) + kScatterMargin;
        const int x = RandomBelow(W - 2 * kScatterMargin) + kScatterMargin;
        copy->SetPosition(static_cast<float>(x), static_cast<float>(y));
        copy->sizeFactor = (std::rand() % 14 + 6) / 10.0;
        copy->rotation = s->rotation;
        copy->AddRotation((std::rand() % 24) * 45);
        shapes.Add(copy);
    }
}

void KG_Bilder_Basteln::AddDecoys() {
    const int W = app->screenWidth, H = app->screenHeight;
    for (int i = 0; i < kDecoysPerLevel * level; ++i) {
        ShapeObject* d = new ShapeObject();
        d->type = std::rand() % 4;
        d->rotation = (std::rand() % 24) * 15;
        d->scale = Vec2{1.0f, 1.0f};
        d->sizeFactor = 1.0;
        const int y = RandomBelow(H - 2 * kScatterMargin) + kScatterMargin;
        const int x = RandomBelow(W - 2 * kScatterMargin) + kScatterMargin;
        d->SetPosition(static_cast<float>(x), static_cast<float>(y));
        shapes.Add(d);
    }
}

ShapeObject* KG_Bilder_Basteln::ShapeAt(double x, double y) {
    ShapeObject* hit = nullptr;
    for (ShapeObject* s : shapes)
        if (s->Covers(x, y)) hit = s;  // later shapes lie on top
    return hit;
}

void KG_Bilder_Basteln::MoveShape(ShapeObject* shape, double x, double y) {
    const float nx = static_cast<float>(std::clamp(x, 0.0, app->screenWidth - 1.0));
    float ny = static_cast<float>(std::clamp(y, 0.0, app->screenHeight - 1.0));
    if (std::abs(nx - app->screenWidth / 2.0f) <= kPanelHalfWidth) ny = std::max(ny, kBelowPanel);
    if (nx == shape->position.x && ny == shape->position.y) return;
    shape->SetPosition(nx, ny);
    if (shape != lastMoved) {
        ++moves;
        lastMoved = shape;
    }
}

void KG_Bilder_Basteln::SnapIfFits(ShapeObject* shape) {
    if (shape == nullptr) return;
    for (ShapeObject* s : silhouettes)
        if (shape->Fits(*s)) {
            shape->TakeOver(*s);
            return;
        }
}

void KG_Bilder_Basteln::DropHeld() {
    holding = false;
    SnapIfFits(selected);
}

void KG_Bilder_Basteln::OnMouseMove(uint16_t x, uint16_t y) {
    if (!Playing()) return;
    if (holding && selected != nullptr) MoveShape(selected, x + grabOffset_.x, y + grabOffset_.y);
}

// Picks the topmost shape under the pointer and lifts it above the others; the point where it
// was taken stays under the pointer while it is dragged.
void KG_Bilder_Basteln::OnLButtonDown(uint16_t x, uint16_t y) {
    if (!Playing()) return;
    if (HoldsPiece()) DropHeld();  // its button-up never came
    holding = true;
    selected = ShapeAt(x, y);
    if (selected == nullptr) return;
    grabOffset_ = Vec2{selected->position.x - x, selected->position.y - y};
    shapes.Remove(selected, false);
    shapes.Add(selected);
}

// Only a shape this game saw picked up is put down where the pointer is.
void KG_Bilder_Basteln::OnLButtonUp(uint16_t x, uint16_t y) {
    if (!Playing()) return;
    const bool wasHolding = holding;
    holding = false;
    if (selected != nullptr) {
        if (!wasHolding) return;
        MoveShape(selected, x + grabOffset_.x, y + grabOffset_.y);
        SnapIfFits(selected);
    } else if (ShapeAt(x, y) != nullptr) {
        lastMoved = nullptr;
    }
}

void KG_Bilder_Basteln::OnRButtonUp(uint16_t x, uint16_t y) {
    if (!Playing()) return;
    selected = nullptr;
    lastMoved = nullptr;
}

// The shape the menu put down as the game stops is counted at once: the game may be ended from
// the pause page without another frame of play.
void KG_Bilder_Basteln::OnInputSuspended() {
    holding = false;
    if (Playing()) MatchShapes();
}

void KG_Bilder_Basteln::OnKeyDown(uint16_t key) {
    if (!Playing() || selected == nullptr) return;
    const ShapeObject before = *selected;
    switch (key) {
        case kKeyEnd:
        case 'S': selected->AddSize(-ShapeObject::kSizeStep); break;
        case kKeyHome:
        case 'W': selected->AddSize(ShapeObject::kSizeStep); break;
        case kKeyLeft: MoveShape(selected, selected->position.x - 1.0, selected->position.y); break;
        case kKeyUp: MoveShape(selected, selected->position.x, selected->position.y - 1.0); break;
        case kKeyRight: MoveShape(selected, selected->position.x + 1.0, selected->position.y); break;
        case kKeyDown: MoveShape(selected, selected->position.x, selected->position.y + 1.0); break;
        case 'A':
        case kKeySubtract: selected->AddRotation(-ShapeObject::kTurnStep); break;
        case 'D':
        case kKeyAdd: selected->AddRotation(ShapeObject::kTurnStep); break;
        default: break;
    }
    const bool reshaped = selected->sizeFactor != before.sizeFactor || selected->rotation != before.rotation;
    // The arrows stay free to nudge a shape out of place; a shape turned or sized to fit snaps.
    if (reshaped && !holding) SnapIfFits(selected);
}

// Every silhouette looks for the first shape that fits it; the held shape takes no part. A
// fitting shape that is not selected snaps onto its silhouette.
void KG_Bilder_Basteln::MatchShapes() {
    const int previous = matched;
    matched = 0;
    bool allCovered = silhouettes.Count() > 0;
    for (ShapeObject* s : silhouettes) {
        bool covered = false;
        for (ShapeObject* b : shapes) {
            if (holding && b == selected) continue;
            if (!b->Fits(*s)) continue;
            ++matched;
            if (b != selected) b->TakeOver(*s);
            covered = true;
            break;
        }
        if (!covered) allCovered = false;
    }
    if (allCovered) {
        // The finished picture shows every shape in place, none of them red, each in the
        // colour of its part of the picture.
        SnapIfFits(selected);
        selected = nullptr;
        holding = false;
        for (ShapeObject* s : silhouettes)
            for (ShapeObject* b : shapes)
                if (b->Fits(*s)) {
                    b->color = s->color;
                    break;
                }
        state = kStateOver;
    }
    if (matched > previous) app->PlaySound(kSoundPop, 1.0f);
    else if (matched < previous) app->PlaySound(kSoundPunch, 1.0f);
}

void KG_Bilder_Basteln::Update() {
    AdvanceTime(running && state == kStatePlaying);
    if (Playing()) MatchShapes();
}

// The time panel lies over the shapes; none may be dragged under it, and it always shows.
void KG_Bilder_Basteln::Render() {
    if (!running) return;
    for (ShapeObject* s : silhouettes) s->Draw(kSilhouetteTint);
    for (ShapeObject* s : shapes) {
        if (s == selected && holding) s->Draw(kShadowTint, kLiftedShadow);
        s->Draw(s == selected ? kSelectedTint : s->color);
    }
    if (state == kStatePlaying) DrawTimePanel();
    const std::string counter = FormatText(app->GetText(55), matched, silhouettes.Count());
    fontManager->DrawTextAt(counter.c_str(), app->screenWidth / 2.0f, kCounterLineY, 0xFF000000, kTextCenter, labelFont);
}

const char* KG_Bilder_Basteln::GetHelpText() { return app->GetText(65); }
const char* KG_Bilder_Basteln::GetTitle() { return app->GetText(20); }

const char* KG_Bilder_Basteln::GetResultText() { return FrameResultText({FormatText(app->GetText(57), moves)}); }

// A finished picture costs one grade step per 16 s for each of its silhouettes. One left
// unfinished starts from 6.0, wins five steps for the share of the picture covered and loses
// one per 8 s for each silhouette.
void KG_Bilder_Basteln::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList KG_Bilder_Basteln::GradeTerms() const {
    const int S = silhouettes.Count();
    if (S <= 0) return NoResultTerms();
    GradeTermList t;
    AddTerm(t, TermKind::kBase, 1.0);
    if (state == kStateOver) {
        AddTerm(t, TermKind::kTime, playTime / (kSecondsPerShape * S), playTime);
    } else {
        AddTerm(t, TermKind::kShapesLeft, static_cast<double>(S - matched) / S * 5.0, S - matched, S);
        AddTerm(t, TermKind::kTime, playTime / (kEarlySecondsPerShape * S), playTime);
    }
    return CloseTerms(std::move(t));
}

// Steps are shapes put in place, about 8 s each to drag, size and turn.
PlayShape KG_Bilder_Basteln::ShapeOfPlay() { return {silhouettes.Count(), 8.0, false}; }

void KG_Bilder_Basteln::SetPlayedResult(const PlayedResult& r) {
    matched = r.done;
    EndPlayed(r);
}

// Every movable shape that shows somewhere, topmost last; it is taken where no other shape
// lies over it, as near its centre as may be.
std::vector<KeyPlace> KG_Bilder_Basteln::KeyPlaces() {
    std::vector<ShapeObject*> all;
    for (ShapeObject* s : shapes) all.push_back(s);
    std::vector<KeyPlace> places;
    for (ShapeObject* s : all) {
        const int half = static_cast<int>(ShapeObject::kHalfSide * s->sizeFactor);
        KeyPlace p = PlaceAround(s->position.x, s->position.y, static_cast<float>(half));
        bool free = false;
        for (int r = 0; r <= half && !free; r += 4)
            for (int dy = -r; dy <= r && !free; dy += 4)
                for (int dx = -r; dx <= r && !free; dx += (std::abs(dy) == r ? 4 : 2 * std::max(r, 1))) {
                    const int x = p.x + dx, y = p.y + dy;
                    if (ShapeAt(x, y) == s) p.x = x, p.y = y, free = true;
                }
        if (free) places.push_back(p);
    }
    return places;
}

bool KG_Bilder_Basteln::CursorTakesKey(uint16_t key) const {
    const bool arrow = key == kKeyLeft || key == kKeyRight || key == kKeyUp || key == kKeyDown;
    if (arrow && app->shiftHeld && !HoldsPiece()) return false;
    return Knobel_Game::CursorTakesKey(key);
}
