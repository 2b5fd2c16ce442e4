"""Remember squares, Adding squares and Crazy cuboid started from the menu: at the first level
a real move in each (an answer square lit by a click, a candidate picked, a piece applied to the
large grid) changes exactly what it should on the screen. Each game is left through the in-game
menu and its statistics file checked. (Every level is drawn headless with the real art by
PatternScreensTest.)"""
import sys

from harness import Session, check
from menu_nav import AWAY, Menu, crop, sav_value, shoot_until

W, H = 1024, 768


def luma(shot, x, y, w, h):
    """Mean brightness (0..255) of a rectangle."""
    data = crop(shot, x, y, w, h)
    n = len(data) // 3
    return sum(0.299 * data[3 * i] + 0.587 * data[3 * i + 1] + 0.114 * data[3 * i + 2] for i in range(n)) / n


def middle(x, y, size):
    """The middle third of a square with top-left (x, y): x, y, w, h."""
    return (x + size // 3, y + size // 3, size // 3, size // 3)


with Session(sys.argv) as s:
    menu = Menu(s)
    s.start()
    s.sleep(1.0)

    # Remember squares (index 8): 3 x 3 grids of 63-pixel squares, 66 apart, from (412, 284).
    def remember_square(c, r):
        return 412 + 66 * c, 284 + 66 * r

    shot = menu.start_game(8, "remember")
    # The models are shown for 2 + 4 x 3 seconds; then the first empty answer grid: nine dark
    # squares alike. Should a model that happens to look like that still show, the click is
    # ignored and made again.
    def middles(t):
        return [luma(t, *middle(*remember_square(c, r), 63)) for c in range(3) for r in range(3)]

    def empty_grid(t):
        m = middles(t)
        return max(m) < 150 and max(m) - min(m) < 8

    s.sleep(13.0)
    x, y = remember_square(1, 1)
    for attempt in range(4):
        empty = shoot_until(s, "remember-answering", empty_grid, timeout=6.0)
        check(empty_grid(empty), f"the answer grid is not empty and dark: {middles(empty)}")
        s.click(x + 31, y + 31)
        s.move(*AWAY)
        lit = shoot_until(s, "remember-clicked",
                          lambda t: luma(t, *middle(x, y, 63)) > luma(empty, *middle(x, y, 63)) + 60, timeout=2.0)
        if luma(lit, *middle(x, y, 63)) > luma(empty, *middle(x, y, 63)) + 60:
            break
    check(luma(lit, *middle(x, y, 63)) > luma(empty, *middle(x, y, 63)) + 60, "the clicked square did not light up")
    for c, r in [(0, 0), (2, 2), (1, 0), (0, 1)]:
        check(not s.region_differs(empty, lit, *remember_square(c, r), 63, 63), f"square {(c, r)} changed too")
    menu.leave_through_abort("remember", name_if_asked=True)
    sav = s.file("quadrate.sav")
    check(sav is not None and sav_value(sav, "ANZ_SPIELE:") == 1, f"quadrate.sav does not book one game: {sav!r}")

    # Adding squares (index 9): four candidates of 3 x 3 squares (30 px, 33 apart) centred at
    # x = 128 + 256 i, y = 512; after a pick the sum stays for a moment, and a wrong pick with it.
    def candidate(i):
        return 128 + 256 * i - 50, 512 - 50, 96, 96

    shot = menu.start_game(9, "adding")
    s.click(128 - 50 + 15, 512 - 50 + 15)
    s.move(*AWAY)
    paused = shoot_until(s, "adding-picked", lambda t: sum(
        s.region_differs(shot, t, *candidate(i)) for i in range(4)) >= 2, timeout=1.0)
    gone = [i for i in range(4) if s.region_differs(shot, paused, *candidate(i))]
    check(len(gone) == 3 or (len(gone) == 2 and 0 not in gone),
          f"not the sum alone, or the sum beside the wrong pick, during the pause: {gone} hidden")
    check(not s.region_differs(shot, paused, 256 - 50, 256 - 50, 96, 96), "a summand changed")
    s.sleep(1.5)
    s.screenshot("adding-next")
    menu.leave_through_abort("adding", name_if_asked=True)
    sav = s.file("addieren.sav")
    check(sav is not None and sav_value(sav, "ANZ_SPIELE:") == 1, f"addieren.sav does not book one game: {sav!r}")

    # Crazy cuboid (index 1): the large grid of 97-pixel squares from (362, 84), 100 apart; the
    # first piece lights column 0 and lies at (78, 462), squares 30 px, 33 apart.
    def big_square(c, r):
        return 362 + 100 * c, 84 + 100 * r

    shot = menu.start_game(1, "crazy")
    s.click(78 + 15 + 33, 462 + 15)  # a dark square of the piece: the piece applies all the same
    s.move(*AWAY)
    moved = shoot_until(s, "crazy-moved", lambda t: all(
        s.region_differs(shot, t, *big_square(0, r), 97, 97) for r in range(3)))
    for r in range(3):
        x, y = big_square(0, r)
        check(s.region_differs(shot, moved, x, y, 97, 97), f"grid square (0, {r}) did not flip")
        check(abs(luma(moved, *middle(x, y, 97)) - luma(shot, *middle(x, y, 97))) > 60,
              f"grid square (0, {r}) did not change between lit and dark")
        for c in (1, 2):
            check(not s.region_differs(shot, moved, *big_square(c, r), 97, 97), f"grid square {(c, r)} changed")
    check(not s.region_differs(shot, moved, 78, 462, 96, 96), "the piece itself changed")
    menu.leave_through_abort("crazy")
    sav = s.file("crazy.sav")
    check(sav is not None and sav_value(sav, "ANZ_SPIELE:") == 1, f"crazy.sav does not book one game: {sav!r}")

    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    stats = s.file("stats.sav")
    check(stats is not None and sav_value(stats, "ANZ_SPIELE:") == 3, f"stats.sav does not book three games: {stats!r}")
print("pattern games scenario passed")
