// Play by keys for every game: the cursor over the game's places, clicks on them as the mouse
// would make them, and pieces carried with the arrows.
#include <algorithm>

#include "app/AppContext.h"
#include "framework/Knobel_Game.h"

namespace {
constexpr int kSoundGameClick = 1;
constexpr int kCarryStep = 24;     // pixels per arrow press while a piece is carried
constexpr int kFineCarryStep = 3;  // the same with Shift held
constexpr float kHandHalf = 22.0f; // the ring round a point where a piece is carried freely

bool IsArrow(uint16_t key) { return key == kKeyLeft || key == kKeyRight || key == kKeyUp || key == kKeyDown; }
bool IsActKey(uint16_t key) { return key == kKeySpace || key == kKeyReturn; }

KeyDirection DirectionOf(uint16_t key) {
    switch (key) {
        case kKeyLeft: return KeyDirection::kLeft;
        case kKeyRight: return KeyDirection::kRight;
        case kKeyUp: return KeyDirection::kUp;
        default: return KeyDirection::kDown;
    }
}
}  // namespace

bool Knobel_Game::CursorTakesKey(uint16_t key) const { return IsArrow(key) || IsActKey(key) || key == kKeyTab; }

void Knobel_Game::PointerTo(int x, int y) {
    app->prevMouseX = app->mouseX;
    app->prevMouseY = app->mouseY;
    app->mouseX = x;
    app->mouseY = y;
}

void Knobel_Game::KeyDown(uint16_t key) {
    const bool revealed = !app->keyboardPlay;
    app->keyboardPlay = true;
    // A piece the game put down by itself (a pause, the end of a task) is no longer carried.
    if (keyCursor_.carrying && !HoldsPiece()) keyCursor_.carrying = false;
    std::vector<KeyPlace> places;
    if (Playing() && CursorTakesKey(key) && !(HoldsPiece() && !keyCursor_.carrying)) places = KeyPlaces();
    if (places.empty()) {
        OnKeyDown(key);
        return;
    }
    if (key < cursorKeysDown_.size()) cursorKeysDown_.set(key);
    if (!keyCursor_.placed || (revealed && !keyCursor_.carrying)) {
        // The cursor shows first where the pointer was, if that is one of the places.
        const int under = PlaceAt(places, app->mouseX, app->mouseY);
        const KeyPlace& p = places[keyCursor_.placed ? static_cast<size_t>(PlaceAt(places, keyCursor_.x, keyCursor_.y))
                                                     : 0];
        const Rect& a = under >= 0 ? places[under].area : Rect{};
        const bool pointerOnPlace = under >= 0 && app->mouseX >= a.left && app->mouseX <= a.right &&
                                    app->mouseY >= a.top && app->mouseY <= a.bottom;
        keyCursor_.x = pointerOnPlace ? places[under].x : p.x;
        keyCursor_.y = pointerOnPlace ? places[under].y : p.y;
        keyCursor_.placed = true;
        if (!IsActKey(key)) {
            OnKeyCursorMoved(keyCursor_.x, keyCursor_.y);
            return;  // the first arrow shows the cursor where it stands
        }
    }
    if (key == kKeyTab) {
        // Tab (Shift+Tab: backwards) visits the places one after the other, whatever their layout.
        if (keyCursor_.carrying) return;
        const int n = static_cast<int>(places.size());
        const int next = (PlaceAt(places, keyCursor_.x, keyCursor_.y) + (app->shiftHeld ? n - 1 : 1)) % n;
        keyCursor_.x = places[static_cast<size_t>(next)].x, keyCursor_.y = places[static_cast<size_t>(next)].y;
        OnKeyCursorMoved(keyCursor_.x, keyCursor_.y);
    } else if (IsArrow(key)) {
        MoveKeyCursor(DirectionOf(key), places);
    } else if (!keyCursor_.actKeyDown) {
        ActOnKeyCursor(places);  // a held key's repeats do not act again
    }
    if (IsActKey(key)) keyCursor_.actKeyDown = true;
}

void Knobel_Game::KeyUp(uint16_t key) {
    if (key < cursorKeysDown_.size() && cursorKeysDown_.test(key)) {
        cursorKeysDown_.reset(key);
        if (IsActKey(key)) keyCursor_.actKeyDown = false;
        return;
    }
    OnKeyUp(key);
}

void Knobel_Game::MoveKeyCursor(KeyDirection direction, const std::vector<KeyPlace>& places) {
    if (keyCursor_.carrying && CarriesFreely()) {
        const int step = app->shiftHeld ? kFineCarryStep : kCarryStep;
        const int dx = direction == KeyDirection::kLeft ? -step : direction == KeyDirection::kRight ? step : 0;
        const int dy = direction == KeyDirection::kUp ? -step : direction == KeyDirection::kDown ? step : 0;
        keyCursor_.x = std::clamp(keyCursor_.x + dx, 0, app->screenWidth - 1);
        keyCursor_.y = std::clamp(keyCursor_.y + dy, 0, app->screenHeight - 1);
    } else {
        // From the point of the place the cursor is on, so that rows and columns stay straight.
        int fromX = keyCursor_.x, fromY = keyCursor_.y;
        if (!keyCursor_.carrying) {
            const KeyPlace& here = places[static_cast<size_t>(PlaceAt(places, fromX, fromY))];
            fromX = here.x, fromY = here.y;
        }
        const int next = NextPlace(places, fromX, fromY, direction);
        if (next < 0) return;
        keyCursor_.x = places[static_cast<size_t>(next)].x;
        keyCursor_.y = places[static_cast<size_t>(next)].y;
    }
    if (keyCursor_.carrying) {
        PointerTo(keyCursor_.x, keyCursor_.y);
        OnMouseMove(static_cast<uint16_t>(keyCursor_.x), static_cast<uint16_t>(keyCursor_.y));
    } else {
        OnKeyCursorMoved(keyCursor_.x, keyCursor_.y);
    }
}

// A click on the place as the mouse makes it (moved there, pressed, released), the drawn
// pointer left where the mouse put it; a press that picks up a piece keeps it carried until the
// next Space or Enter.
void Knobel_Game::ActOnKeyCursor(const std::vector<KeyPlace>& places) {
    const auto x = static_cast<uint16_t>(keyCursor_.x), y = static_cast<uint16_t>(keyCursor_.y);
    if (keyCursor_.carrying) {
        PointerTo(x, y);
        const bool sounds = TakesClicks();
        OnLButtonUp(x, y);
        keyCursor_.carrying = HoldsPiece();
        if (sounds) app->PlaySound(kSoundGameClick, 1.0f);
        return;
    }
    const KeyPlace& p = places[static_cast<size_t>(PlaceAt(places, keyCursor_.x, keyCursor_.y))];
    keyCursor_.x = p.x, keyCursor_.y = p.y;
    const auto px = static_cast<uint16_t>(p.x), py = static_cast<uint16_t>(p.y);
    OnMouseMove(px, py);
    OnLButtonDown(px, py);
    if (HoldsPiece()) {
        // The pointer goes with the piece, so that the game's drag code and a pause see it there.
        PointerTo(p.x, p.y);
        keyCursor_.carrying = true;
        return;
    }
    const bool sounds = TakesClicks();
    OnLButtonUp(px, py);
    if (sounds) app->PlaySound(kSoundGameClick, 1.0f);
}

void Knobel_Game::MouseTookOver() {
    app->keyboardPlay = false;
    if (keyCursor_.carrying && HoldsPiece() && Playing())
        OnLButtonUp(static_cast<uint16_t>(keyCursor_.x), static_cast<uint16_t>(keyCursor_.y));
    keyCursor_.carrying = false;
}

void Knobel_Game::DrawKeyCursor() {
    if (!app->keyboardPlay || !keyCursor_.placed || !Playing()) return;
    if (keyCursor_.carrying && CarriesFreely()) {
        DrawKeyRing(PlaceAround(static_cast<float>(keyCursor_.x), static_cast<float>(keyCursor_.y), kHandHalf).area);
        return;
    }
    const std::vector<KeyPlace> places = KeyPlaces();
    const int at = PlaceAt(places, keyCursor_.x, keyCursor_.y);
    if (at >= 0) DrawKeyRing(places[static_cast<size_t>(at)].area);
}

const char* Knobel_Game::HelpWithKeys() {
    if (GetHelpText() == nullptr) return nullptr;
    helpWithKeys_ = RulesText();
    const char* keys = KeysTextId() > 0 ? app->GetText(KeysTextId()) : nullptr;
    if (keys != nullptr) helpWithKeys_ += std::string(keys[0] == ' ' ? "" : " ") + keys;  // texts start with a blank
    return helpWithKeys_.c_str();
}
