"""Sudoku and Memory started from the menu at the first level: each game appears after the
countdown; in Sudoku an empty cell takes a typed digit; each is left through Escape and the
abort button of the in-game menu, after which its statistics file exists."""
import sys

from harness import Session, check
from menu_nav import AWAY, Menu, card_centres, crop, sav_value, shoot_until

W, H = 1024, 768


def dark_pixels(shot, x, y, w, h):
    """Pixels of a rectangle dark or saturated enough to belong to a digit (black, grey or red)."""
    data = crop(shot, x, y, w, h)
    return sum(1 for i in range(0, len(data), 3) if data[i] + data[i + 1] + data[i + 2] < 300)


def cell_origin(c, r):
    return (W // 2 - 235 + 50 * c + 10 * (c // 3), H // 2 - 235 + 50 * r + 10 * (r // 3))




with Session(sys.argv) as s:
    menu = Menu(s)
    s.start()
    s.sleep(2.0)
    s.screenshot("menu")

    # Sudoku (list index 11): find an empty cell on the screen, select it, type a digit.
    shot = menu.start_game(11, "sudoku")
    empty = None
    for c in range(9):
        for r in range(9):
            x, y = cell_origin(c, r)
            if dark_pixels(shot, x + 12, y + 10, 26, 30) == 0:
                empty = (c, r)
                break
        if empty:
            break
    check(empty is not None, "no empty Sudoku cell found on the screen")
    x, y = cell_origin(*empty)
    s.click(x + 25, y + 25)
    s.move(*AWAY)
    selected = shoot_until(s, "sudoku-selected", lambda t: s.region_differs(shot, t, x + 5, y + 5, 40, 40))
    check(s.region_differs(shot, selected, x + 5, y + 5, 40, 40), "selecting the empty cell did not tint it")
    s.key("7")
    typed = shoot_until(s, "sudoku-typed", lambda t: dark_pixels(t, x + 12, y + 10, 26, 30) > 20)
    check(s.region_differs(selected, typed, x + 10, y + 8, 30, 34), "the typed digit did not appear in the cell")
    check(dark_pixels(typed, x + 12, y + 10, 26, 30) > 20, "no digit drawn in the cell after typing")
    far = cell_origin(8 if empty[0] < 4 else 0, 8 if empty[1] < 4 else 0)
    check(not s.region_differs(selected, typed, far[0] + 5, far[1] + 5, 40, 40), "a far cell changed on typing")
    # Any key other than 1..9 empties the cell again; with every cell empty again the grade is
    # 6.0, so leaving does not stop at the result page.
    s.key("0")
    cleared = shoot_until(s, "sudoku-cleared", lambda t: dark_pixels(t, x + 12, y + 10, 26, 30) == 0)
    check(dark_pixels(cleared, x + 12, y + 10, 26, 30) == 0, "the digit stayed after clearing the cell")
    menu.leave_through_abort("sudoku")
    sav = s.file("sudoku.sav")
    check(sav is not None, "sudoku.sav not written after leaving the game")
    check(sav_value(sav, "ANZ_SPIELE:") == 1, f"sudoku.sav does not book one game: {sav!r}")
    check(sav_value(sav, "ERGS:") == 6, f"sudoku.sav does not book the grade 6: {sav!r}")

    # Memory (list index 5): turn two cards.
    shot = menu.start_game(5, "memory")
    cards = card_centres(shot, 2)
    check(len(cards) == 2, f"face-down cards not found on the screen: {cards}")
    for x, y in cards:
        s.click(x, y, pause=0.1)
    s.move(*AWAY)
    turned = shoot_until(s, "memory-turned", lambda t: all(
        s.region_differs(shot, t, cx - 20, cy - 20, 40, 40) for cx, cy in cards), timeout=1.5)
    for x, y in cards:
        check(s.region_differs(shot, turned, x - 20, y - 20, 40, 40), f"the card at {(x, y)} did not turn")
    # Should the two cards have been a pair, the grade lies below 6.
    menu.leave_through_abort("memory", name_if_asked=True)
    sav = s.file("merkspiel.sav")
    check(sav is not None, "merkspiel.sav not written after leaving the game")
    check(sav_value(sav, "ANZ_SPIELE:") == 1, f"merkspiel.sav does not book one game: {sav!r}")

    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    stats = s.file("stats.sav")
    check(stats is not None, "stats.sav not written at exit")
    check(sav_value(stats, "ANZ_SPIELE:") == 2, f"stats.sav does not book both games: {stats!r}")
print("games scenario passed")
