// The keyboard focus of the menu pages. One button of the visible page has the focus, painted
// in its hover look inside a glowing ring. Down, Right and Tab move it on in reading order (top
// to bottom, then left to right), Up, Left and Shift+Tab back, both round the ends; Enter and
// Space press it the way a click does (down and up on the same button), Escape presses the back
// button of a page outside a game. On the game list the focus runs through all sixteen games,
// shown or not, and the list scrolls along; Page Up and Page Down move by a list's length. The
// pointer takes the focus along to the button it moves onto, so the two never disagree.
#include <algorithm>

#include "app/AppContext.h"
#include "framework/Statistics.h"
#include "gui/GUIElement.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "gui/MenuLayout.h"

namespace {
constexpr int kSoundMenuClick = 0;

bool IsListRow(int id) { return id >= MainMenu::kListRowIdBase && id < MainMenu::kListRowIdBase + kGameCount; }

// The back button of each page outside a game (the pages of a running game keep their own
// Escape: it resumes the game).
int BackButtonOf(int page) {
    switch (page) {
        case kPageLevel: return kBtnLevelBack;
        case kPageMode: return kBtnModeBack;
        case kPageGameList: return kBtnListBack;
        case kPageInfo: return kBtnInfoBack;
        case kPageStatistics: return kBtnStatisticsBack;
        case kPageInstructions: return kBtnInstructionsBack;
        case kPageSettings: return kBtnSettingsBack;
        default: return 0;
    }
}

bool IsNavigationKey(uint16_t key) {
    switch (key) {
        case kKeyUp: case kKeyDown: case kKeyLeft: case kKeyRight: case kKeyTab:
        case kKeyPageUp: case kKeyPageDown: case kKeyReturn: case kKeySpace: return true;
        default: return false;
    }
}
}  // namespace

GUIElement* MainMenu::VisiblePage() const {
    const PageLayout* layout = FindPage(currentPage);
    if (layout == nullptr || !elementEnabled[layout->slot]) return nullptr;
    return elements[layout->slot];
}

GUIElement* MainMenu::FindButton(int id) const {
    GUIElement* page = VisiblePage();
    if (page == nullptr || id == 0) return nullptr;
    for (GUIElement* b : page->children)
        if (b->GetId() == id) return b;
    return nullptr;
}

bool MainMenu::HasFocus(const GUIElement* button) const {
    return button != nullptr && button->GetId() == focusId && button->parent != nullptr &&
           button->parent == VisiblePage();
}

std::vector<int> MainMenu::FocusOrder() const {
    std::vector<int> order;
    GUIElement* page = VisiblePage();
    if (page == nullptr) return order;
    if (currentPage == kPageGameList) {
        for (int i = 0; i < kGameCount; ++i) order.push_back(kListRowIdBase + i);
        order.push_back(kBtnListBack);
        return order;
    }
    std::vector<const GUIElement*> buttons;
    for (GUIElement* b : page->children) buttons.push_back(b);
    std::stable_sort(buttons.begin(), buttons.end(), [](const GUIElement* a, const GUIElement* b) {
        return a->top != b->top ? a->top < b->top : a->left < b->left;
    });
    for (const GUIElement* b : buttons) order.push_back(b->GetId());
    return order;
}

// A page that appears has the focus on its first button; the game list on the first game shown,
// and the result page on its OK button, so that Enter goes on as it always did.
void MainMenu::FocusFirstButton() {
    if (currentPage == kPageGameList && VisiblePage() != nullptr) {
        focusId = kListRowIdBase + listFirst;
        return;
    }
    if (currentPage == kPageResult && VisiblePage() != nullptr) {
        focusId = kBtnResultOk;
        return;
    }
    const std::vector<int> order = FocusOrder();
    focusId = order.empty() ? 0 : order.front();
}

void MainMenu::MoveFocus(int step) {
    const std::vector<int> order = FocusOrder();
    const int n = static_cast<int>(order.size());
    if (n == 0) return;
    const int at = static_cast<int>(std::find(order.begin(), order.end(), focusId) - order.begin());
    int target = 0;
    if (at < n) target = at + step;
    // The scroll buttons (focused by the pointer) lie just before and after the games shown.
    else if (focusId == kBtnScrollUp && currentPage == kPageGameList) target = listFirst + (step > 0 ? 0 : -1);
    else if (focusId == kBtnScrollDown && currentPage == kPageGameList) target = listFirst + listLastRow + (step > 0 ? 1 : 0);
    else target = step > 0 ? 0 : n - 1;
    target = (target % n + n) % n;
    if (IsListRow(order[target])) FocusListRow(order[target] - kListRowIdBase);
    else focusId = order[target];
}

// Focuses a game of the list and scrolls it into view.
void MainMenu::FocusListRow(int game) {
    game = std::clamp(game, 0, kGameCount - 1);
    focusId = kListRowIdBase + game;
    if (game < listFirst) Scroll(game - listFirst);
    else if (game > listFirst + listLastRow) Scroll(game - listFirst - listLastRow);
}

// Page Up and Page Down: the list moves by its length and the focus with it, keeping its row
// where the ends of the list allow.
void MainMenu::PageListFocus(int direction) {
    const int rows = listLastRow + 1;
    const int game = IsListRow(focusId) ? focusId - kListRowIdBase : listFirst;
    Scroll(direction * rows);
    FocusListRow(game + direction * rows);
}

// The list scrolled by the wheel or its arrows: a focused game that left the view hands the
// focus to the nearest game shown, a scroll button that went away to the game beside it.
void MainMenu::FocusAfterScroll() {
    if (currentPage != kPageGameList) return;
    const int last = listFirst + listLastRow;
    if (IsListRow(focusId))
        focusId = kListRowIdBase + std::clamp(focusId - kListRowIdBase, listFirst, last);
    else if (focusId == kBtnScrollUp && FindButton(kBtnScrollUp) == nullptr)
        focusId = kListRowIdBase + listFirst;
    else if (focusId == kBtnScrollDown && FindButton(kBtnScrollDown) == nullptr)
        focusId = kListRowIdBase + last;
}

void MainMenu::FocusPointedButton() {
    GUIElement* page = VisiblePage();
    if (page != nullptr && hitElement != nullptr && hitElement->parent == page) focusId = hitElement->GetId();
}

// Keys for the visible page; a game being played (no page covers it) gets all keys itself.
bool MainMenu::FocusKeyDown(uint16_t key) {
    if (GameTakesInput() || VisiblePage() == nullptr) return false;
    switch (key) {
        case kKeyDown:
        case kKeyRight: MoveFocus(1); return true;
        case kKeyUp:
        case kKeyLeft: MoveFocus(-1); return true;
        case kKeyTab: MoveFocus(app->shiftHeld ? -1 : 1); return true;
        case kKeyPageUp:
        case kKeyPageDown:
            if (currentPage == kPageGameList) PageListFocus(key == kKeyPageDown ? 1 : -1);
            return true;
        case kKeyReturn:
        case kKeySpace:
            if (pressKey_ == 0 && FindButton(focusId) != nullptr) {  // repeats do not press again
                pressKey_ = key;
                pressKeyPage_ = currentPage;
                pressKeyFocus_ = focusId;
            }
            return true;
        default: return false;
    }
}

// The press acts when its key comes up on the page and button where it went down, as a click
// acts on release; key releases of the page's keys never reach the game.
bool MainMenu::FocusKeyUp(uint16_t key) {
    if (key != 0 && key == pressKey_) {
        pressKey_ = 0;
        if (currentPage == pressKeyPage_ && focusId == pressKeyFocus_ && FindButton(focusId) != nullptr) {
            app->PlaySound(kSoundMenuClick, 1.0f);
            PerformAction(focusId);
        }
        return true;
    }
    return !GameTakesInput() && VisiblePage() != nullptr && IsNavigationKey(key);
}

bool MainMenu::PressBackButton() {
    const int back = BackButtonOf(currentPage);
    if (FindButton(back) == nullptr) return false;
    focusId = back;
    app->PlaySound(kSoundMenuClick, 1.0f);
    PerformAction(back);
    return true;
}

namespace {
// The ring's picture on misc2: a 60 x 60 rounded frame, line 8 px inside the region with a
// corner radius of 20, cut into corners of 28 x 28 and edges 4 px long that stretch.
constexpr int kRingX = 510, kRingY = 700, kRingCorner = 28, kRingEdge = 4, kRingInset = 8;
constexpr float kRingRadius = 20.0f;
constexpr float kRingGap = 4.0f;  // between a button's outline and the ring's line
}  // namespace

// The ring around the focused button, in the button's own shape: the rounded rectangle of the
// big and small buttons, the circle of the round ones, the socket of a language selector.
void MainMenu::PaintFocusRing() {
    const GUIElement* button = FindButton(focusId);
    if (button == nullptr) return;
    // The OK buttons wait for a name once the result enters a top-ten list.
    if (focusId == kBtnResultOk && gameEntry != nullptr && gameEntry->name[0] == '\0') return;
    if (focusId == kBtnSeriesOk && seriesEntry != nullptr && seriesEntry->name[0] == '\0') return;
    const Vec2 at = button->ToScreen(Vec2{0.0f, 0.0f});
    const float w = static_cast<float>(button->SourceWidth()), h = static_cast<float>(button->SourceHeight());
    // The line's rectangle and corner radius relative to the button (from the pictures' geometry).
    float x = 3.0f, y = 4.0f, lw = w - 6.0f, lh = h - 8.0f, radius = 14.0f;
    if (focusId == kBtnGerman || focusId == kBtnEnglish) {
        x = -6.0f, y = -5.0f, lw = 138.0f, lh = 34.0f, radius = 17.0f;
    } else if (w == h) {
        x = w / 2.0f - 21.5f, y = 4.0f, lw = 43.0f, lh = 43.0f, radius = 21.5f;  // round, 50 x 50
    }
    x -= kRingGap, y -= kRingGap, lw += 2 * kRingGap, lh += 2 * kRingGap, radius += kRingGap;
    const float s = radius / kRingRadius;
    const float c = kRingCorner * s;
    const float left = at.x + x - kRingInset * s, top = at.y + y - kRingInset * s;
    const float outerW = lw + 2 * kRingInset * s, outerH = lh + 2 * kRingInset * s;
    const float midW = std::max(0.0f, outerW - 2 * c), midH = std::max(0.0f, outerH - 2 * c);
    auto piece = [this](int sx, int sy, int sw, int sh, float px, float py, float pw, float ph) {
        if (pw <= 0.0f || ph <= 0.0f) return;
        const Rect src{kRingX + sx, kRingY + sy, kRingX + sx + sw, kRingY + sy + sh};
        const Vec2 scale{pw / sw, ph / sh};
        const Vec2 pos{px, py};
        app->DrawSprite(app->texMisc2, &src, &scale, nullptr, 0.0, &pos, 0xFFFFFFFF);
    };
    const int k = kRingCorner, e = kRingEdge, far = kRingCorner + kRingEdge;
    piece(0, 0, k, k, left, top, c, c);
    piece(far, 0, k, k, left + c + midW, top, c, c);
    piece(0, far, k, k, left, top + c + midH, c, c);
    piece(far, far, k, k, left + c + midW, top + c + midH, c, c);
    piece(k, 0, e, k, left + c, top, midW, c);
    piece(k, far, e, k, left + c, top + c + midH, midW, c);
    piece(0, k, k, e, left, top + c, c, midH);
    piece(far, k, k, e, left + c + midW, top + c, c, midH);
}
