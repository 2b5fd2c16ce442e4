"""Code breaking, the sliding puzzle and the atom box started from the menu at the first level,
each with a real move on the screen: pegs dragged into the holes of the first row and the row
scored; a tile slid into the hole; a probe fired and a cell marked. Each game is then left
through the in-game menu, after which its statistics file books one game."""
import sys
import time

from harness import Session, check
from menu_nav import AWAY, Menu, crop, sav_value, shoot_until

W, H = 1024, 768


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


def reddish(shot, x, y, w, h):
    data = crop(shot, x, y, w, h)
    return sum(1 for i in range(0, len(data), 3)
               if data[i] > 90 and data[i] > 2 * data[i + 1] and data[i] > 2 * data[i + 2])


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

    # Sliding puzzle (list index 10): click the cells until one slides.
    shot = menu.start_game(10, "puzzle")
    board = (92, 184, 400, 400)
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
print("logic games scenario passed")
