"""The atom box started from the menu at the first level: a probe fired from the left edge
changes its place, a marked cell turns dark red, and the game is left through the in-game menu,
after which its statistics file books one game."""
import sys

from harness import Session, check
from menu_nav import AWAY, Menu, crop, sav_value, shoot_until


def reddish(shot, x, y, w, h):
    data = crop(shot, x, y, w, h)
    return sum(1 for i in range(0, len(data), 3)
               if data[i] > 90 and data[i] > 2 * data[i + 1] and data[i] > 2 * data[i + 2])


with Session(sys.argv) as s:
    menu = Menu(s)
    s.start()

    # The atom box (list index 7): fire the probe left of row 0, mark the cell (3, 3).
    shot = menu.start_game(7, "ordo")
    probe = (292, 234)
    s.click(*probe)
    s.move(*AWAY)
    fired = shoot_until(s, "ordo-fired", lambda t: s.region_differs(shot, t, probe[0] - 20, probe[1] - 20, 40, 40))
    check(s.region_differs(shot, fired, probe[0] - 20, probe[1] - 20, 40, 40), "the fired probe did not change")
    cell = (512, 384)
    check(reddish(fired, cell[0] - 15, cell[1] - 15, 30, 30) == 0, "the cell is marked before the click")
    s.click(*cell)
    s.move(*AWAY)
    marked = shoot_until(s, "ordo-marked", lambda t: reddish(t, cell[0] - 15, cell[1] - 15, 30, 30) > 400)
    check(reddish(marked, cell[0] - 15, cell[1] - 15, 30, 30) > 400, "the marked cell is not dark red")
    check(not s.region_differs(fired, marked, 362 - 20, 234 - 20, 40, 40), "another cell changed")
    menu.leave_through_abort("ordo", name_if_asked=True)
    sav = s.file("thinkbox.sav")
    check(sav is not None and sav_value(sav, "ANZ_SPIELE:") == 1, f"thinkbox.sav does not book one game: {sav!r}")

    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
print("atom box scenario passed")
