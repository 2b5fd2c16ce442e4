"""Every game of the game table, started from the list at the first level: after the
countdown it shows, Escape pauses it, clicks beside the in-game menu do not reach it, Escape
resumes it, and the abort button leaves it; its statistics file then books one game. The
scenario grows with the game table."""
import os
import re
import sys

from harness import Session, check
from menu_nav import AWAY, PAUSE_PAGE, SAVE_FILES, W, H, Menu, crop, sav_value, shoot_until

TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "gui", "GameTable.cpp")
# Points beside the in-game menu: where games keep their pieces, fields and buttons.
BESIDE_PAUSE_PAGE = [(120, 700), (900, 120), (200, 400), (850, 600), (512, 700), (512, 60)]


def built_games():
    """List indexes of the games the table constructs: the lines with a constructor."""
    indexes = []
    with open(TABLE, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"\s*\{(\d+),\s*\[\]", line)
            if m:
                indexes.append(int(m.group(1)))
    return indexes


def outside_pause_page_equal(shot_a, shot_b):
    """The two pictures agree everywhere but on the in-game menu (its buttons glow under the
    pointer) and the pointer's corner."""
    x, y, w, h = PAUSE_PAGE
    bands = [(0, 0, W, y), (0, y + h, W, AWAY[1] - 30 - (y + h)), (0, y, x, h), (x + w, y, W - x - w, h)]
    return all(crop(shot_a, *b) == crop(shot_b, *b) for b in bands)


games = built_games()
check(len(games) >= 2, f"the game table lists too few games: {games}")

with Session(sys.argv) as s:
    menu = Menu(s)
    s.start()
    for index in games:
        label = f"game{index:02d}"
        before = s.file(SAVE_FILES[index])
        played_before = sav_value(before, "ANZ_SPIELE:") if before else 0
        menu.start_game(index, label)
        s.key("Escape")
        s.move(*AWAY)
        s.sleep(0.5)
        paused = shoot_until(s, f"{label}-paused", lambda t: True)
        for x, y in BESIDE_PAUSE_PAGE:
            s.click(x, y, pause=0.1)
        s.key("1", "Left", "Up")  # Enter and Space would press the focused button of the page
        s.move(*AWAY)
        s.sleep(0.5)
        clicked = s.screenshot(f"{label}-paused-clicked")
        check(outside_pause_page_equal(paused, clicked),
              f"game {index}: clicks or keys beside the in-game menu changed the paused game")
        s.key("Escape")
        s.sleep(0.5)
        s.screenshot(f"{label}-resumed")
        menu.leave_through_abort(label, name_if_asked=True)
        data = s.file(SAVE_FILES[index])
        check(data is not None, f"game {index}: {SAVE_FILES[index]} not written after leaving")
        check(sav_value(data, "ANZ_SPIELE:") == played_before + 1,
              f"game {index}: {SAVE_FILES[index]} does not book the game: {data!r}")
    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
print(f"all games scenario passed: {games}")
