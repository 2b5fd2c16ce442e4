"""The whole program by keys alone, in one start and without a single mouse event: every game
of the list at every level is chosen from the main page with the arrows and Enter, played
(or left through the pause page) until its result is booked, its result page confirmed (with
a typed name when the grade enters the top ten), and the next run chosen again. The focused
buttons of the main, level and settings pages are shot in both languages, the pause page in
German; at the end the program is quit by keys. Prints the grades of the runs as a table and
writes it to keyboard-runs.txt in the shot folder."""
import os
import sys
import time

from harness import E2EError, Session, check
from menu_nav import SAVE_FILES, sav_value

NAMES = ["Picture building", "Crazy cuboid", "Date game", "Triangle arithmetic", "Remembering", "Memory",
         "Mastermind", "Ordo", "Remember squares", "Adding squares", "Sliding puzzle", "Sudoku",
         "Reading the clock", "Balance", "Giving change", "Click numbers"]
LEVELS = 3
LIST_ROWS = 7
# Points beside the pages where every backdrop is light and the menu background dark: a game is
# being played (no countdown veil over it) once one of them is light.
PROBES = ((150, 400), (300, 30), (720, 30), (980, 440))


def keys(s, *names):
    """The keys in one go, in order (the program takes them from its queue one by one)."""
    if names:
        s._xdotool("key", "--delay", "25", *names)


def history(s):
    """The booked results: the lines of verlauf.sav after its header."""
    data = s.file("verlauf.sav") or b""
    return [line.split(b"\t") for line in data.split(b"\r\n")[1:] if line.strip()]


def wait_for(condition, what, timeout):
    deadline = time.time() + timeout
    while not condition():
        if time.time() > deadline:
            raise E2EError(f"timed out waiting for {what}")
        time.sleep(0.1)


def wait_playing(s, timeout=40):
    """Until the countdown veil is gone: the probe points are dark (the menu, then the veil; the
    last picture of a game left may still stand), then one shows the light backdrop."""
    def light():
        return any(sum(s.live_pixel(x, y)) / 3 >= 135 for x, y in PROBES)
    wait_for(lambda: not light(), "the countdown", timeout)
    wait_for(light, "the game after its countdown", timeout)


# --- playing, one function per game; a game without one is left through the pause page -------
def leave_early(s, level, booked):
    wait_playing(s)
    keys(s, "Escape", "Up", "Return")  # pause page: resume is focused, one up wraps to the end button


def typed_answers(answer):
    """Answers typed until the game ends by itself, one per verdict (a verdict takes up to two
    seconds; keys during it are ignored, so each answer waits for the end of the last one)."""
    def play(s, level, booked):
        wait_playing(s)
        deadline = time.time() + 240
        while not booked():
            check(time.time() < deadline, "a typed-answer game did not end")
            keys(s, *(["BackSpace"] * 8 + list(answer) + ["Return"]))
            start = time.time()
            while time.time() - start < 2.3 and not booked():
                time.sleep(0.1)
    return play


def pressing(*seq, period=1.0, timeout=150):
    """The same keys again and again until the game ends by itself."""
    def play(s, level, booked):
        wait_playing(s)
        deadline = time.time() + timeout
        while not booked():
            check(time.time() < deadline, f"keys {seq} did not end the game")
            keys(s, *seq)
            start = time.time()
            while time.time() - start < period and not booked():
                time.sleep(0.1)
    return play


PLAY = {
    2: typed_answers("01012000sa"),  # a date, or letters of a weekday when one is asked
    3: typed_answers("12"),
    4: pressing("Down", "space"),  # Remembering: a button pressed until a sequence fails
    6: pressing(*["1"] * 6, "Return", period=0.5),  # Mastermind: one guess per row until none is left
    9: pressing("Down", "space", period=2.3),  # Adding squares: a candidate picked per task
    12: typed_answers("1200"),
}


class KeyMenu:
    """From the main page to a game by keys; remembers how far the game list is scrolled."""

    def __init__(self, s):
        self.s = s
        self.list_first = 0

    def open_game(self, game, level):
        seq = ["Return"] + ["Down"] * level + ["Return", "Down", "Return"]  # play, level, one game
        first = self.list_first  # the list opens on the first game shown
        if game >= first:
            seq += ["Down"] * (game - first)
            self.list_first = max(first, game - LIST_ROWS + 1)
        else:
            seq += ["Up"] * (first - game)
            self.list_first = game
        keys(self.s, *seq, "Return")


def run(s, menu, game, level, shots):
    sav = SAVE_FILES[game]
    before = s.file(sav)
    played = sav_value(before, "ANZ_SPIELE:") if before else 0
    total = sav_value(before, "ERGS:") if before else 0
    booked_before = len(history(s))
    menu.open_game(game, level)
    booked = lambda: len(history(s)) > booked_before  # noqa: E731
    if shots and game not in PLAY:  # left as usual, with a look at the pause page
        wait_playing(s)
        keys(s, "Escape")
        time.sleep(0.6)
        s.screenshot("pause-de")
        keys(s, "Up", "Return")
    else:
        PLAY.get(game, leave_early)(s, level, booked)
    wait_for(booked, f"the result of game {game} level {level}", 30)
    line = history(s)[-1]
    grade, left = float(line[3]), line[7] == b"1"
    check(int(line[2]) == level, f"game {game}: booked at level {line[2]}, chosen {level}")
    time.sleep(0.3)  # the result page shows, for a game left early too
    if grade != 6.0:  # a grade below 6 enters the top ten
        s.type("Kim", pause=0.1)
    keys(s, "Return")
    wait_for(lambda: (s.file(sav) is not None and sav_value(s.file(sav), "ANZ_SPIELE:") == played + 1),
             f"{sav} booking game {game} level {level}", 20)
    time.sleep(0.3)
    keys(s, "Escape")  # from the game list, where a single game returns, to the main page
    sav_grade = sav_value(s.file(sav), "ERGS:") - total
    check(abs(sav_grade - grade) < 0.01, f"game {game}: {sav} books {sav_grade}, the history {grade}")
    return sav_grade, "left" if left else "finished"


def page_shots(s, language, to_play=()):
    """The main page (its focus where it is), the level page, the settings page."""
    s.screenshot(f"main-{language}")
    keys(s, *to_play, "Return")
    time.sleep(0.4)
    s.screenshot(f"level-{language}")
    keys(s, "Escape", "Down", "Down", "Down", "Down", "Return")
    time.sleep(0.4)
    s.screenshot(f"settings-{language}")
    keys(s, "Escape")
    time.sleep(0.3)


with Session(sys.argv) as s:
    s.start()
    page_shots(s, "de")
    menu = KeyMenu(s)
    results = {}
    started = time.time()
    for game in range(len(SAVE_FILES)):
        for level in range(LEVELS):
            results[game, level] = run(s, menu, game, level, shots=(game, level) == (0, 0))
            print(f"{NAMES[game]}, level {level + 1}: {results[game, level]}", flush=True)
    played_for = time.time() - started
    keys(s, "Up", "Return")  # main page: the last button is English
    time.sleep(0.4)
    page_shots(s, "en", to_play=("Down",))
    keys(s, "Up", "Up", "Up", "Return")  # main page: English, German, quit
    code = s.wait_exit()
    check(code == 0, f"exit code {code} after quitting by keys")

    width = max(len(n) for n in NAMES)
    lines = [f"{'game':<{width}}  " + "  ".join(f"{'level ' + str(lv + 1):<14}" for lv in range(LEVELS))]
    for game, name in enumerate(NAMES):
        cells = [f"{results[game, lv][0]:.2f} {results[game, lv][1]:<9}" for lv in range(LEVELS)]
        lines.append(f"{name:<{width}}  " + "  ".join(cells))
    lines.append(f"{len(results)} runs by keys alone in {played_for:.0f} s, no mouse event sent")
    table = "\n".join(lines) + "\n"
    print(table)
    with open(os.path.join(s.shot_dir, "keyboard-runs.txt"), "w") as f:
        f.write(table)
print("keyboard scenario passed")
