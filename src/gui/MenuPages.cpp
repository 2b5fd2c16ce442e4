// Building the menu pages from the layout tables.
#include "app/AppContext.h"
#include "gui/GUIElement.h"
#include "gui/GameTable.h"
#include "gui/MainMenu.h"
#include "gui/MenuLayout.h"

namespace {
const DrawHook kHooks[kPageCount] = {
    &Game::OnDrawElement0, &Game::OnDrawElement1, &Game::OnDrawElement2,  &Game::OnDrawElement3,
    &Game::OnDrawElement4, &Game::OnDrawElement5, &Game::OnDrawElement6,  &Game::OnDrawElement7,
    &Game::OnDrawElement8, &Game::OnDrawElement9, &Game::OnDrawElement10, &Game::OnDrawElement11,
    &Game::OnDrawElement12,
};
}  // namespace

// Builds (or rebuilds) the panel of a page in its slot; the buttons follow separately.
GUIElement* MainMenu::AddPage(int pageId) {
    const PageLayout* layout = FindPage(pageId);
    if (layout == nullptr) return nullptr;
    const int W = app->screenWidth / 2, H = app->screenHeight / 2;
    GUIElement*& slot = elements[layout->slot];
    delete slot;
    slot = new GUIElement(layout->id, layout->src, static_cast<float>(W + layout->offsetX),
                          static_cast<float>(H + layout->offsetY), this, kHooks[layout->slot]);
    return slot;
}

void MainMenu::AddButton(GUIElement* page, int buttonId, Rect src, int x, int y) {
    page->AddChild(new GUIElement(buttonId, src, static_cast<float>(x), static_cast<float>(y), this, page->drawHook));
}

void MainMenu::BuildPages() {
    for (const PageLayout& layout : kPages) {
        if (layout.id == kPageGameList) {
            BuildGameList();
            continue;
        }
        GUIElement* page = AddPage(layout.id);
        for (int i = 0; i < kButtonCount; ++i) {
            const ButtonLayout& b = kButtons[i];
            if (b.page == layout.id) AddButton(page, b.id, b.src, b.x, b.y);
        }
    }
    WidenLanguageButtons();
}

// The list shows listLastRow + 1 games from listFirst on; a scroll button exists only when
// there is something to scroll to.
void MainMenu::BuildGameList() {
    hitElement = nullptr;  // it may lie in the old list
    GUIElement* page = AddPage(kPageGameList);
    for (int r = 0; r <= listLastRow; ++r) AddButton(page, kListRowIdBase + listFirst + r, kBigButton, 50, 135 + 60 * r);
    const bool canScrollUp = listFirst != 0;
    const bool canScrollDown = listFirst < kGameCount - listLastRow - 1;
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonLayout& b = kButtons[i];
        if (b.page != kPageGameList) continue;
        if ((b.id == kBtnScrollUp && !canScrollUp) || (b.id == kBtnScrollDown && !canScrollDown)) continue;
        AddButton(page, b.id, b.src, b.x, b.y);
    }
    if (currentPage == kPageGameList) HitTestElements(-1);  // the hover of the new buttons
}

void MainMenu::Scroll(int delta) {
    int first = listFirst + delta;
    if (first > kGameCount - listLastRow - 1) first = kGameCount - listLastRow - 1;
    if (first < 0) first = 0;
    if (first == listFirst) return;
    listFirst = first;
    BuildGameList();
    FocusAfterScroll();
}
