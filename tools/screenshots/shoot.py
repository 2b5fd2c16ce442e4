"""Takes the store screenshots from the real program in a 1024 x 768 window under Xvfb, with
the English texts: the main menu, a few games as they start, and a result page. It drives
the program as the end-to-end tests do (their harness and menu routes).

usage: shoot.py BINARY DATA_DIR OUT_DIR NAME...
  NAME is one of the scenes below; OUT_DIR receives NAME.png for each.
"""
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from harness import Session, check  # noqa: E402
from menu_nav import AWAY, PLAY, W, H, Menu  # noqa: E402

# Games shown as they start: list index and level.
GAMES = {"memory": (5, 0), "sudoku": (11, 0), "change": (14, 1), "clock": (12, 0)}
# The atom box at the middle level ends at once when checked without marks: its result page.
RESULT_GAME = (7, 1)
CHECK_BUTTON = (W // 2, H - 50)
RESULT_OK = (W // 2 - 300 + 275 + 25, H // 2 - 225 + 375 + 25)


def main(argv):
    if len(argv) < 5:
        raise SystemExit(__doc__)
    binary, data_dir, out_dir, names = argv[1], argv[2], os.path.abspath(argv[3]), argv[4:]
    unknown = [n for n in names if n not in (*GAMES, "menu", "result")]
    if unknown:
        raise SystemExit(f"unknown scenes: {unknown}")
    os.makedirs(out_dir, exist_ok=True)
    scratch = tempfile.mkdtemp(prefix="kw-shots-")
    try:
        with Session([argv[0], binary, data_dir, scratch], name="shot",
                     settings="FULLSCREEN:\t0\r\nSPRACHE:\t1\r\nINTRO:\t0\r\n") as s:
            menu = Menu(s)
            s.start()

            def keep(shot, name):
                shutil.copyfile(shot, os.path.join(out_dir, f"{name}.png"))

            if "menu" in names:
                s.move(PLAY[0] + 120, PLAY[1] + 10)
                s.sleep(0.5)
                keep(s.screenshot("menu"), "menu")
            for name in names:
                if name in GAMES:
                    index, level = GAMES[name]
                    keep(menu.start_game(index, name, level), name)
                    menu.leave_through_abort(name, name_if_asked=True)
            if "result" in names:
                menu.start_game(RESULT_GAME[0], "result", RESULT_GAME[1])
                s.click(*CHECK_BUTTON)
                s.move(*AWAY)
                s.sleep(7.0)  # the revealed atoms, then the result page
                keep(s.screenshot("result"), "result")
                s.click(*RESULT_OK)
            s.close()
            check(s.wait_exit() == 0, "the program did not end cleanly")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main(sys.argv)
