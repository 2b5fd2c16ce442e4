"""Sudoku and Memory started from the menu at the first level: each game appears after the
countdown; in Sudoku an empty cell takes a typed digit; each is left through Escape and the
abort button of the in-game menu, after which its statistics file exists."""
import subprocess
import sys
import time

from harness import Session, check

W, H = 1024, 768
# Menu buttons, by the page layouts (centre of each button).
PLAY = (W // 2, H // 2 - 300 + 150 + 25)           # main page: play
LEVEL_0 = (W // 2, H // 2 - 150 + 75 + 25)         # level page: first level
SINGLE_GAME = (W // 2, H // 2 - 150 + 150 + 25)    # mode page: one game
LIST_TOP = H // 2 - 350                            # game list page
SCROLL_UP = (W // 2 - 200 + 175 + 25, LIST_TOP + 75 + 25)
SCROLL_DOWN = (W // 2 - 200 + 175 + 25, LIST_TOP + 560 + 25)
LIST_ROWS = 7
ABORT = (W // 2, H // 2 - 200 + 300 + 25)          # in-game menu: end the game
AWAY = (1010, 755)                                 # where the pointer covers nothing of a game


list_first = [0]


def list_row(row):
    return (W // 2, LIST_TOP + 135 + 60 * row + 25)


def crop(shot, x, y, w, h):
    """RGB bytes of a rectangle of a screenshot."""
    return subprocess.run(["convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "rgb:-"],
                          capture_output=True, check=True).stdout


def dark_pixels(shot, x, y, w, h):
    """Pixels of a rectangle dark or saturated enough to belong to a digit (black, grey or red)."""
    data = crop(shot, x, y, w, h)
    return sum(1 for i in range(0, len(data), 3) if data[i] + data[i + 1] + data[i + 2] < 300)


def card_centres(shot, limit):
    """Points well inside face-down cards: strongly coloured at the four corners of a 60 x 60
    square around them (the back's frame and the light table are pale)."""
    data = crop(shot, 0, 0, W, H)

    def coloured(x, y):
        i = (y * W + x) * 3
        r, g, b = data[i], data[i + 1], data[i + 2]
        return max(r, g, b) - min(r, g, b) > 80

    found = []
    for y in range(120, H - 40, 6):
        for x in range(40, W - 40, 6):
            if all(coloured(x + dx, y + dy) for dx in (-30, 30) for dy in (-30, 30)) and \
                    all((x - fx) ** 2 + (y - fy) ** 2 > 110 ** 2 for fx, fy in found):
                found.append((x, y))
                if len(found) == limit:
                    return found
    return found


def shoot_until(s, label, condition, timeout=4.0):
    """Screenshots until the condition holds for one (a frame may take a moment under load);
    returns the last one."""
    deadline = time.time() + timeout
    while True:
        shot = s.screenshot(label)
        if condition(shot) or time.time() > deadline:
            return shot
        time.sleep(0.2)


def sav_value(data, key):
    """The value after a key in a statistics file's bytes."""
    tokens = data.split()
    for i, t in enumerate(tokens[:-1]):
        if t == key.encode():
            return float(tokens[i + 1])
    return None


def cell_origin(c, r):
    return (W // 2 - 235 + 50 * c + 10 * (c // 3), H // 2 - 235 + 50 * r + 10 * (r // 3))


def start_game(s, index, label):
    s.click(*PLAY)
    s.click(*LEVEL_0)
    s.click(*SINGLE_GAME)
    s.screenshot(f"{label}-list")
    # The list keeps its scroll position from one visit to the next.
    while index - list_first[0] >= LIST_ROWS:
        s.click(*SCROLL_DOWN)
        list_first[0] += 1
    while index < list_first[0]:
        s.click(*SCROLL_UP)
        list_first[0] -= 1
    s.click(*list_row(index - list_first[0]))
    s.move(*AWAY)
    s.sleep(0.8)
    s.screenshot(f"{label}-countdown")
    s.sleep(3.2)
    return s.screenshot(f"{label}-playing")


def leave_through_abort(s, label, name_if_asked=False):
    s.key("Escape")
    s.sleep(0.5)
    s.screenshot(f"{label}-paused")
    s.click(*ABORT)
    s.move(*AWAY)
    s.sleep(1.0)
    if name_if_asked:
        # A grade below 6 asks for a name first; on the main page the keys do nothing.
        s.screenshot(f"{label}-aborted")
        s.type("Eve")
        s.key("Return")
        s.sleep(0.5)
    return s.screenshot(f"{label}-left")


with Session(sys.argv) as s:
    s.start()
    s.sleep(2.0)
    s.screenshot("menu")

    # Sudoku (list index 11): find an empty cell on the screen, select it, type a digit.
    shot = start_game(s, 11, "sudoku")
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
    leave_through_abort(s, "sudoku")
    sav = s.file("sudoku.sav")
    check(sav is not None, "sudoku.sav not written after leaving the game")
    check(sav_value(sav, "ANZ_SPIELE:") == 1, f"sudoku.sav does not book one game: {sav!r}")
    check(sav_value(sav, "ERGS:") == 6, f"sudoku.sav does not book the grade 6: {sav!r}")

    # Memory (list index 5): turn two cards.
    shot = start_game(s, 5, "memory")
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
    leave_through_abort(s, "memory", name_if_asked=True)
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
