"""Code breaking, the sliding puzzle and the atom box at the higher levels: at the third level
code breaking has five holes a row and the puzzle 5 x 5 tiles, and the atom box shows its own
help page; at the second level a check without marks reveals the atoms and ends with the
result page."""
import sys

from harness import Session, check
from menu_nav import AWAY, Menu, crop

W, H = 1024, 768
BOX = (337, 209, 400, 400)


def light(shot, x, y, w, h):
    """Share of light pixels in a rectangle."""
    data = crop(shot, x, y, w, h)
    n = len(data) // 3
    return sum(1 for i in range(0, len(data), 3) if data[i] + data[i + 1] + data[i + 2] > 600) / max(n, 1)


with Session(sys.argv) as s:
    menu = Menu(s)
    s.start()

    # The fifth hole of the first row exists only at the third level.
    shot = menu.start_game(6, "mmaster-level2", 2)
    fifth = light(shot, 642 - 15, 577 - 15, 30, 30)
    check(fifth > 0.5, f"no fifth hole at the third level (light share {fifth:.2f})")
    menu.leave_through_abort("mmaster-level2")

    shot = menu.start_game(10, "puzzle-level2", 2)
    menu.leave_through_abort("puzzle-level2", name_if_asked=True)

    shot = menu.start_game(7, "ordo-level2", 2)
    s.key("h")
    s.move(*AWAY)
    s.sleep(0.6)
    helped = s.screenshot("ordo-help")
    check(s.region_differs(shot, helped, 562, 184, 300, 340), "the help page shows no picture")
    s.key("h")
    s.sleep(0.4)
    menu.leave_through_abort("ordo-level2")

    shot = menu.start_game(7, "ordo-level1", 1)
    s.click(W // 2, H - 50)
    s.move(*AWAY)
    s.sleep(1.0)
    revealed = s.screenshot("ordo-level1-revealed")
    check(s.region_differs(shot, revealed, *BOX), "the check did not reveal the atoms")
    s.sleep(6.0)  # the rest of the four seconds of a wrong check, and the two before the result
    result = s.screenshot("ordo-level1-result")
    check(s.region_differs(revealed, result, W // 2 - 250, H // 2 - 150, 500, 300), "no result page")
    s.click(W // 2 - 300 + 275 + 25, H // 2 - 225 + 375 + 25)  # nothing to name: the result page's OK
    s.move(*AWAY)
    s.sleep(0.8)
    s.screenshot("ordo-level1-left")

    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
print("logic levels scenario passed")
