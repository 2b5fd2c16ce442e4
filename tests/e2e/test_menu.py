"""The main menu in a real window: the German main page, the switch to English, the level,
mode and game-list pages (scrolled to the end), the statistics, instructions and information
pages, the settings page (a volume step saved at once), M muting on the main page and in a
game, a game started from the list with its countdown, pause page, statistics and rules,
left through the abort button to its result page and back to the list, a series left in its
first game that ends on the series result page, and quitting by the quit button, which writes
the settings and the global statistics."""
import sys

import time

from harness import E2EError, Session, check
from menu_nav import crop

# Centres of the buttons on the 1024 x 768 canvas (pages are centred on the screen).
PLAY = (512, 259)
STATISTICS = (512, 319)
INSTRUCTIONS = (512, 379)
INFO = (512, 439)
SETTINGS = (512, 499)
QUIT = (512, 559)
ENGLISH = (548, 648)
EASY = (512, 334)
SINGLE = (512, 409)
SCROLL_DOWN = (512, 619)
LIST_BACK = (512, 684)
BIG_PAGE_BACK = (187, 634)   # statistics and instructions pages
INFO_BACK = (372, 541)
SUDOKU_ROW = (512, 314)       # third row once the list is scrolled to its end
PAUSE_STATISTICS = (512, 434)
PAUSE_HELP = (512, 359)
PAUSE_ABORT = (512, 509)
RESULT_OK = (692, 559)       # result pages at (212, 159), OK at (455, 375)
SERIES = (512, 334)          # mode page at (312, 234), series button at (50, 75)
RESULT_PANEL = (212, 159, 600, 450)
LEFT_EARLY = (262, 229, 500, 28)  # the "left early" line under the title
GAME_PAGE_BACK = (187, 634)  # help and game statistics pages
PARK = (5, 5)                # the pointer waits in a corner for the screenshots
VOLUME_DOWN = (592, 219)     # settings page at (112, 84), "-" button at (430, 110)
MUTE_MARK = (954, 10, 60, 40)

MAIN_BUTTONS = (362, 234, 300, 350)   # x, y, w, h of the five big buttons
BELOW_PLAY = (362, 296, 300, 288)     # the big buttons below play, which has the focus when the page appears
PANEL_MARGIN = (340, 610)             # inside the main page, below its buttons


def shot(s, label):
    s.move(*PARK)
    s.sleep(0.4)
    return s.screenshot(label)


def differs(s, a, b, area=(0, 0, 1024, 768)):
    return s.region_differs(a, b, *area)


def wait_for_main_page(s, timeout=90):
    """Waits until the loading screen has given way to the main page (its light panel)."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        r, g, b = s.pixel(*PANEL_MARGIN)
        if r > 200 and g > 200 and b > 160:
            s.sleep(0.5)
            return
        s.sleep(0.5)
    raise E2EError("the main page did not appear")


def red_pixels(shot_file, area):
    data = crop(shot_file, *area)
    return sum(1 for i in range(0, len(data) - 2, 3) if data[i] > 180 and data[i + 1] < 90 and data[i + 2] < 90)


def run_series_left_early(s, main):
    """A series left in its first game: the game's result page, then the series result page over
    the menu's background, booked in the history and in the game's file before it is left."""
    s.click(*PLAY)
    s.click(*EASY)
    s.click(*SERIES)
    s.sleep(4.0)
    s.key("Escape")
    s.click(*PAUSE_ABORT)
    s.sleep(0.5)
    game_left = shot(s, "series-game-left")
    s.click(*RESULT_OK)
    series = shot(s, "series-result")
    check(differs(s, game_left, series, RESULT_PANEL), "no series result page after the game's result")
    check(red_pixels(series, LEFT_EARLY) > 30, "the series result page does not say it was left early")
    history = s.file("verlauf.sav") or b""
    check(b"\tserie\t0\t" in history, f"the series is not in verlauf.sav: {history!r}")
    check(s.file("bilder.sav") is not None, "the game of the series was not booked before its page was left")
    s.click(*RESULT_OK)
    home = shot(s, "series-home")
    check(not differs(s, main, home, MAIN_BUTTONS), "the series result page did not lead to the main page")


def run(s):
    s.start()
    wait_for_main_page(s)
    german = shot(s, "main-de")
    check(s.pixel(512, 384, german) != (100, 100, 100), "the main page is not drawn over the clear colour")

    s.click(*ENGLISH)
    english = shot(s, "main-en")
    check(differs(s, german, english, MAIN_BUTTONS), "the English button changed no label")

    s.click(*PLAY)
    level = shot(s, "level")
    check(differs(s, english, level), "no level page after Play")

    s.click(*EASY)
    mode = shot(s, "mode")
    check(differs(s, level, mode, (362, 300, 300, 120)), "no mode page after Easy")

    s.click(*SINGLE)
    first = shot(s, "list-top")
    for _ in range(12):
        s.click(*SCROLL_DOWN, pause=0.15)
    last = shot(s, "list-end")
    check(differs(s, first, last, (362, 169, 300, 410)), "the game list did not scroll")

    s.click(*LIST_BACK)
    back = shot(s, "main-again")
    check(not differs(s, english, back, BELOW_PLAY), "the list's back button did not lead to the main page")

    s.click(*STATISTICS)
    statistics = shot(s, "statistics")
    check(differs(s, back, statistics), "no statistics page")
    s.click(*BIG_PAGE_BACK)

    s.click(*INSTRUCTIONS)
    instructions = shot(s, "instructions")
    check(differs(s, statistics, instructions, (162, 134, 700, 480)), "no instructions page")
    s.click(*BIG_PAGE_BACK)

    s.click(*INFO)
    info = shot(s, "info")
    check(differs(s, back, info), "no information page")
    s.click(*INFO_BACK)

    s.click(*SETTINGS)
    settings = shot(s, "settings")
    check(differs(s, back, settings), "no settings page")
    s.click(*VOLUME_DOWN)
    s.sleep(0.3)
    check(b"SOUND:\t90\r\n" in (s.file("knobel.cfg") or b""), "a volume step was not saved at once")
    s.click(*BIG_PAGE_BACK)
    s.key("m")
    muted = shot(s, "main-muted")
    check(differs(s, back, muted, MUTE_MARK), "M showed no speaker mark")
    check(b"STUMM:\t1\r\n" in (s.file("knobel.cfg") or b""), "muting was not saved")

    # A game over the menu: countdown, the pause page with the game's statistics and rules, abort.
    s.click(*PLAY)
    s.click(*EASY)
    s.click(*SINGLE)
    for _ in range(12):
        s.click(*SCROLL_DOWN, pause=0.15)
    s.click(*SUDOKU_ROW, pause=0.1)
    countdown = shot(s, "game-countdown")
    s.sleep(4.0)
    playing = shot(s, "game-playing")
    check(differs(s, countdown, playing), "the countdown veil did not go away")
    s.key("m")
    unmuted = shot(s, "game-unmuted")
    check(differs(s, playing, unmuted, MUTE_MARK), "M in a game did not take the speaker mark away")
    s.key("Escape")
    paused = shot(s, "game-paused")
    check(differs(s, playing, paused, (337, 184, 350, 400)), "Escape showed no in-game menu")
    s.click(*PAUSE_STATISTICS)
    shot(s, "game-statistics")
    s.click(*GAME_PAGE_BACK)
    s.click(*PAUSE_HELP)
    shot(s, "game-help")
    s.click(*GAME_PAGE_BACK)
    s.click(*PAUSE_ABORT)
    s.sleep(0.5)
    left = shot(s, "game-left")
    check(red_pixels(left, LEFT_EARLY) > 30, "the result page of the game left does not say so")
    s.click(*RESULT_OK)
    in_list = shot(s, "list-after-result")
    check(differs(s, left, in_list, RESULT_PANEL), "the result page's OK did not lead to the game list")
    s.click(*LIST_BACK)
    after = shot(s, "after-abort")
    check(not differs(s, back, after, MAIN_BUTTONS), "the game list did not lead back to the main page")
    check(s.file("sudoku.sav") is not None, "sudoku.sav not written when the game was left")
    # Booked into the history at once, while the program still runs (as a kill would find it).
    history = s.file("verlauf.sav") or b""
    check(history.startswith(b"Datum\tSpiel\t") and b"\tsudoku\t0\t" in history and history.endswith(b"\r\n"),
          f"the left game is not in verlauf.sav: {history!r}")

    run_series_left_early(s, back)

    s.click(*QUIT)
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    cfg = s.file("knobel.cfg")
    check(cfg is not None, "knobel.cfg not written")
    lines = cfg.decode("cp1252").splitlines()
    check(len(lines) == 7, f"knobel.cfg has {len(lines)} lines: {lines}")
    check("STUMM:\t0" in lines and "SOUND:\t90" in lines, f"mute or volume not kept: {lines}")
    check("SPRACHE:\t1" in lines, f"the language was not saved: {lines}")
    check(s.file("stats.sav") is not None, "stats.sav not written")


with Session(sys.argv) as session:
    try:
        run(session)
    except AssertionError as error:
        print(f"menu scenario failed: {error}", file=sys.stderr)
        raise
print("menu scenario passed")
