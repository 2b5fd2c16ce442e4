"""Code breaking started from the menu at the first level: four pegs dragged from the palette
into the holes of the first row, the row scored on its key board (the next row opens), and the
game left through the in-game menu, after which its statistics file books one game."""
import sys
import time

from harness import Session, check
from menu_nav import AWAY, Menu, crop, sav_value, shoot_until


def drag(s, start, end, steps=6):
    """Button down at start, the pointer moved in steps, button up at end."""
    s._xdotool("mousemove", "--window", s.window, str(start[0]), str(start[1]))
    time.sleep(0.1)
    s._xdotool("mousedown", "1")
    time.sleep(0.15)
    for i in range(1, steps + 1):
        x = start[0] + (end[0] - start[0]) * i // steps
        y = start[1] + (end[1] - start[1]) * i // steps
        s._xdotool("mousemove", "--window", s.window, str(x), str(y))
        time.sleep(0.05)
    time.sleep(0.1)
    s._xdotool("mouseup", "1")
    time.sleep(0.4)


def colourful(shot, x, y, w, h):
    """Pixels of a rectangle whose colour is strong (a peg, not the grey hole)."""
    data = crop(shot, x, y, w, h)
    return sum(1 for i in range(0, len(data), 3)
               if max(data[i:i + 3]) - min(data[i:i + 3]) > 90)


with Session(sys.argv) as s:
    menu = Menu(s)
    s.start()

    # Code breaking (list index 6): four pegs from the palette into row 0, then its key board.
    shot = menu.start_game(6, "mmaster")
    holes = [(434 + 52 * k, 577) for k in range(4)]
    palette_first = (362, 698)
    for k, hole in enumerate(holes):
        check(colourful(shot, hole[0] - 12, hole[1] - 12, 24, 24) == 0, f"hole {k} is not empty at the start")
        drag(s, palette_first, hole)
        s.move(*AWAY)
        s.sleep(0.5)
        shot = shoot_until(s, f"mmaster-peg{k}", lambda t: colourful(t, hole[0] - 12, hole[1] - 12, 24, 24) > 150)
        check(colourful(shot, hole[0] - 12, hole[1] - 12, 24, 24) > 150, f"no peg in hole {k} after the drag")
    filled = shot
    s.click(652, 577)
    s.move(*AWAY)
    # The next row is the current one now: its holes light up, the scored row dims.
    scored = shoot_until(s, "mmaster-scored", lambda t: s.region_differs(filled, t, 434 - 20, 522 - 20, 40, 40))
    check(s.region_differs(filled, scored, 434 - 20, 522 - 20, 40, 40), "scoring the row did not open the next one")
    check(s.region_differs(filled, scored, 434 - 24, 577 - 24, 10, 10), "the scored row did not dim")
    menu.leave_through_abort("mmaster", name_if_asked=True)
    sav = s.file("mindmaster.sav")
    check(sav is not None and sav_value(sav, "ANZ_SPIELE:") == 1, f"mindmaster.sav does not book one game: {sav!r}")

    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
print("code breaking scenario passed")
