"""Code breaking, the sliding puzzle and the atom box at the second and third level: each shows
its board (five holes a row at the third level of code breaking, 4 x 4 and 5 x 5 tiles), the
atom box its own help page with the picture, and a check without marks reveals the atoms and
ends with the result page."""
import sys

from harness import Session, check
from menu_nav import AWAY, Menu, crop

W, H = 1024, 768


def light(shot, x, y, w, h):
    """Share of light pixels in a rectangle."""
    data = crop(shot, x, y, w, h)
    n = len(data) // 3
    return sum(1 for i in range(0, len(data), 3) if data[i] + data[i + 1] + data[i + 2] > 600) / max(n, 1)


with Session(sys.argv) as s:
    menu = Menu(s)
    s.start()
    for level in (1, 2):
        shot = menu.start_game(6, f"mmaster-level{level}", level)
        # The fifth hole of the first row exists only at the third level.
        fifth = light(shot, 642 - 15, 577 - 15, 30, 30)
        check((fifth > 0.5) == (level == 2), f"level {level}: fifth hole light share {fifth:.2f}")
        menu.leave_through_abort(f"mmaster-level{level}")

        shot = menu.start_game(10, f"puzzle-level{level}", level)
        menu.leave_through_abort(f"puzzle-level{level}", name_if_asked=True)

        shot = menu.start_game(7, f"ordo-level{level}", level)
        if level == 2:
            s.key("h")
            s.move(*AWAY)
            s.sleep(0.6)
            s.screenshot("ordo-help")
            s.key("h")
            s.sleep(0.4)
        before = s.screenshot(f"ordo-level{level}-before-check")
        s.click(W // 2, H - 50)
        s.move(*AWAY)
        s.sleep(1.0)
        revealed = s.screenshot(f"ordo-level{level}-revealed")
        check(s.region_differs(before, revealed, 337, 209, 400, 400), "the check did not reveal the atoms")
        s.sleep(6.0)  # the rest of the four seconds of a wrong check, and the two before the result
        s.screenshot(f"ordo-level{level}-result")
        s.click(W // 2 - 300 + 275 + 25, H // 2 - 225 + 375 + 25)  # nothing to name: the result page's OK
        s.move(*AWAY)
        s.sleep(0.8)
        s.screenshot(f"ordo-level{level}-left")

    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
print("logic levels scenario passed")
