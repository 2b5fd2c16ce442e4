"""Where the menu's buttons are on the canvas, and the ways through the menu that the
scenarios share: from the main page into a game of the list, and out of it again."""
import subprocess
import time

W, H = 1024, 768
# Menu buttons, by the page layouts (centre of each button).
PLAY = (W // 2, H // 2 - 300 + 150 + 25)           # main page: play
LEVELS = [(W // 2, H // 2 - 150 + 75 + 25 + 50 * i) for i in range(3)]  # level page
LEVEL_0 = LEVELS[0]
SINGLE_GAME = (W // 2, H // 2 - 150 + 150 + 25)    # mode page: one game
LIST_TOP = H // 2 - 350                            # game list page
SCROLL_UP = (W // 2 - 200 + 175 + 25, LIST_TOP + 75 + 25)
SCROLL_DOWN = (W // 2 - 200 + 175 + 25, LIST_TOP + 560 + 25)
LIST_ROWS = 7
RESUME = (W // 2, H // 2 - 200 + 75 + 25)          # in-game menu: continue
ABORT = (W // 2, H // 2 - 200 + 300 + 25)          # in-game menu: end the game
PAUSE_PAGE = (W // 2 - 175, H // 2 - 200, 350, 400)  # x, y, w, h of the in-game menu
RESULT_OK = (W // 2 - 300 + 455 + 25, H // 2 - 225 + 375 + 25)  # both result pages
LIST_BACK = (W // 2, LIST_TOP + 625 + 25)
AWAY = (1010, 755)                                 # where the pointer covers nothing of a game

# The statistics file of each game of the list.
SAVE_FILES = ["bilder.sav", "crazy.sav", "datum.sav", "dreieck.sav", "gedächtnis.sav", "merkspiel.sav",
              "mindmaster.sav", "thinkbox.sav", "quadrate.sav", "addieren.sav", "puzzle.sav", "sudoku.sav",
              "uhr.sav", "waage_fruits.sav", "geld.sav", "zahlenklicken.sav"]


class Menu:
    """Remembers how far the game list is scrolled (the list keeps it from visit to visit)."""

    def __init__(self, session):
        self.s = session
        self.list_first = 0

    def list_row(self, row):
        return (W // 2, LIST_TOP + 135 + 60 * row + 25)

    def start_game(self, index, label, level=0):
        """From the main page into the game of that list index; returns the screenshot taken
        once the countdown is over."""
        s = self.s
        s.click(*PLAY)
        s.click(*LEVELS[level])
        s.click(*SINGLE_GAME)
        s.screenshot(f"{label}-list")
        while index - self.list_first >= LIST_ROWS:
            s.click(*SCROLL_DOWN)
            self.list_first += 1
        while index < self.list_first:
            s.click(*SCROLL_UP)
            self.list_first -= 1
        s.click(*self.list_row(index - self.list_first))
        s.move(*AWAY)
        s.sleep(0.8)
        counting = s.screenshot(f"{label}-countdown")
        s.sleep(3.2)
        shot = s.screenshot(f"{label}-playing")
        # The countdown runs in capped frame steps, so a stalled machine stretches it: while the
        # top of the screen is still the countdown's (no time panel yet), it has not ended.
        deadline = time.time() + 20
        while not s.region_differs(counting, shot, 0, 0, 1024, 200) and time.time() < deadline:
            s.sleep(0.3)
            shot = s.screenshot(f"{label}-playing")
        return shot

    def leave_through_abort(self, label, name_if_asked=False):
        """Escape, the abort button, the result page (a name when the grade asks for one),
        then from the game list back to the main page."""
        s = self.s
        s.key("Escape")
        s.sleep(0.5)
        s.screenshot(f"{label}-paused")
        s.click(*ABORT)
        s.move(*AWAY)
        s.sleep(1.0)
        s.screenshot(f"{label}-aborted")
        if name_if_asked:
            # A grade below 6 asks for a name first; without the name input the keys do nothing.
            s.type("Eve")
            s.key("Return")
            s.sleep(0.5)
        # Without a name input the result page waits for its OK; on the list the click hits nothing.
        s.click(*RESULT_OK)
        s.click(*LIST_BACK)
        s.move(*AWAY)
        s.sleep(0.5)
        return s.screenshot(f"{label}-left")


def crop(shot, x, y, w, h):
    """RGB bytes of a rectangle of a screenshot."""
    return subprocess.run(["convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "rgb:-"],
                          capture_output=True, check=True).stdout


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
