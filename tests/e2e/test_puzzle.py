"""The sliding puzzle started from the menu at the first level: the cells are clicked until a
tile slides into the hole (the model stays as it is), and the game is left through the
in-game menu, after which its statistics file books one game."""
import sys

from harness import Session, check
from menu_nav import AWAY, Menu, sav_value


with Session(sys.argv) as s:
    menu = Menu(s)
    s.start()

    # Sliding puzzle (list index 10): click the cells until one slides.
    shot = menu.start_game(10, "puzzle")
    board = (92, 184, 400, 400)
    # The tiles glide into their places after the countdown: wait until the board is still.
    for attempt in range(20):
        s.sleep(0.5)
        still = s.screenshot("puzzle-still")
        if not s.region_differs(shot, still, *board):
            break
        shot = still
    slid = None
    for j in range(3):
        for i in range(3):
            x, y = 92 + 133 * i + 65, 184 + 133 * j + 65
            s.click(x, y)
            s.move(*AWAY)
            s.sleep(1.0)
            after = s.screenshot(f"puzzle-click{j}{i}")
            if s.region_differs(shot, after, *board):
                slid = (i, j, after)
                break
        if slid:
            break
    check(slid is not None, "no click slid a tile")
    i, j, after = slid
    cx, cy = 92 + 133 * i, 184 + 133 * j
    check(s.region_differs(shot, after, cx + 20, cy + 20, 90, 90), "the clicked cell did not change")
    model = (532, 184, 400, 400)
    check(not s.region_differs(shot, after, *model), "the model changed")
    menu.leave_through_abort("puzzle", name_if_asked=True)
    sav = s.file("puzzle.sav")
    check(sav is not None and sav_value(sav, "ANZ_SPIELE:") == 1, f"puzzle.sav does not book one game: {sav!r}")

    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
print("sliding puzzle scenario passed")
