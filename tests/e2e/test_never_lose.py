"""Results are never lost. A second copy started in the same folder is refused with a message in
the player's language and touches no file. A game left while the player is away (the focus
taken by another X client for 20 s) is paused like Escape pauses it, and its play time does not
take in the time away. A booked game is on disk the moment it is booked: SIGKILL right after
loses nothing (statistics, top ten, history of results), and the next copy starts at once (the
lock went with the killed one). SIGTERM ends the program like the close button, with exit code 0."""
import ctypes
import os
import signal
import subprocess
import sys
import time

from harness import Session, check, x11_library
from menu_nav import ABORT, AWAY, LEVELS, LIST_ROWS, PAUSE_PAGE, PLAY, SCROLL_DOWN, SINGLE_GAME, Menu, crop, sav_value

SUDOKU = 11
GERMAN = (400, 648)  # the German flag on the main page
BOX_TITLE = "Knobelwerk is already running"


def folder_state(path):
    """Every file of the folder with its bytes and modification time."""
    state = {}
    for name in sorted(os.listdir(path)):
        full = os.path.join(path, name)
        with open(full, "rb") as f:
            state[name] = (f.read(), os.stat(full).st_mtime_ns)
    return state


class FocusThief:
    """A small window of another X client that takes the input focus."""

    def __init__(self, display):
        x11 = x11_library()
        x11.XCreateSimpleWindow.restype = ctypes.c_ulong
        x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                            ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
        for name in ("XMapWindow", "XDestroyWindow"):
            getattr(x11, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x11 = x11
        self.dpy = x11.XOpenDisplay(display.encode())
        self.window = x11.XCreateSimpleWindow(self.dpy, x11.XDefaultRootWindow(self.dpy), 0, 0, 40, 40, 0, 0, 0)
        x11.XMapWindow(self.dpy, self.window)
        x11.XSync(self.dpy, 0)

    def close(self):
        self.x11.XDestroyWindow(self.dpy, self.window)
        self.x11.XSync(self.dpy, 0)
        self.x11.XCloseDisplay(self.dpy)


def focus(s, window):
    s._xdotool("windowfocus", "--sync", str(window))


def seed_full_top_ten(s, name):
    """Ten results of 1.0, so that a game left early is not asked for a name."""
    line = "EINTRAG_START\tNAME:\tAce\tDATUM:\t1\t1\t2025\tERG:\t1\tEINTRAG_ENDE\r\n"
    with open(os.path.join(s.workdir, name), "wb") as f:
        f.write((line * 10).encode("cp1252"))


with Session(sys.argv, settings="FULLSCREEN:\t0\r\nINTRO:\t0\r\nSPRACHE:\t1\r\n") as s:
    seed_full_top_ten(s, "sudoku.sav")
    s.start()
    menu = Menu(s)

    # A second copy in the same folder: the message in English, exit code 0, no file touched.
    before = folder_state(s.workdir)
    second = subprocess.Popen([s.binary], cwd=s.workdir, env=s.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.PIPE)
    s.find_message_box(BOX_TITLE, timeout=60)
    s.screenshot("second-copy")
    s.dismiss_message_box(BOX_TITLE)
    code = second.wait(30)
    message = second.stderr.read().decode("utf-8", "replace").strip()
    check(code == 0, f"the second copy ended with code {code}")
    check(folder_state(s.workdir) == before, "the second copy changed the folder")
    check(s.proc.poll() is None, "the first copy ended")
    print(f"second copy refused with exit code {code}: {message!r}; the folder is unchanged")
    focus(s, s.window)  # the message box had it

    # Sudoku (list index 11): scroll to it and start it, noting when the click was made.
    s.click(*PLAY)
    s.click(*LEVELS[0])
    s.click(*SINGLE_GAME)
    while SUDOKU - menu.list_first >= LIST_ROWS:
        s.click(*SCROLL_DOWN)
        menu.list_first += 1
    started = time.time()
    s.click(*menu.list_row(SUDOKU - menu.list_first))
    s.move(*AWAY)
    s.sleep(3.6)
    playing = s.screenshot("playing")
    s.key("Escape")
    s.sleep(0.5)
    escape_pause = s.screenshot("escape-pause")
    s.key("Escape")
    s.sleep(1.0)

    # Away for 20 s: another client takes the focus, then gives it back.
    thief = FocusThief(s.display)
    focus(s, thief.window)
    left = time.time()
    s.sleep(20)
    focus(s, s.window)
    back = time.time()
    thief.close()
    s.move(*AWAY)
    s.sleep(0.5)
    away_pause = s.screenshot("focus-pause")
    px, py, pw, ph = PAUSE_PAGE
    inner = (px + 25, py + 75, pw - 50, 275)  # the four buttons of the in-game menu
    check(crop(away_pause, *inner) == crop(escape_pause, *inner), "the pause page after the focus loss is not Escape's")
    check(crop(away_pause, *inner) != crop(playing, *inner), "no pause page after the focus loss")

    # Leaving from the pause page books the game; stats.sav holds it before anything else happens.
    s.click(*ABORT, pause=0.3)
    s.proc.send_signal(signal.SIGKILL)
    s.proc.wait(10)
    stats = s.file("stats.sav")
    sudoku = s.file("sudoku.sav")
    check(stats is not None and sav_value(stats, "ANZ_SPIELE:") == 1, f"stats.sav does not hold the game: {stats!r}")
    check(sav_value(sudoku, "ANZ_SPIELE:") == 1, f"sudoku.sav does not book the game: {sudoku!r}")
    history = (s.file("verlauf.sav") or b"").decode("cp1252").split("\r\n")
    rows = [line.split("\t") for line in history[1:] if line]
    check(history[0].startswith("Datum\tSpiel\t") and len(rows) == 1 and rows[0][1:3] == ["sudoku", "0"]
          and rows[0][7] == "1", f"verlauf.sav does not hold the game left early: {history!r}")
    played = sav_value(sudoku, "LEVEL_ZEIT:")
    # The game ran at most from the end of the countdown to the focus loss.
    bound = left - started - 3.0
    print(f"away {back - left:.1f} s; play time {played:.2f} s, at most {bound:.2f} s without the time away; "
          f"stats.sav after SIGKILL: ANZ_SPIELE {sav_value(stats, 'ANZ_SPIELE:'):.0f}")
    check(0.5 < played < bound + 1.0, f"play time {played} s is not within 1 s of {bound:.2f} s")

    # The killed copy left no lock behind. A changed setting is written at once; SIGTERM ends
    # the program like the close button.
    s.start()
    s.click(*GERMAN)
    s.sleep(0.5)
    check(b"SPRACHE:\t0\r\n" in (s.file("knobel.cfg") or b""), "the language change was not written at once")
    s.proc.send_signal(signal.SIGTERM)
    code = s.wait_exit()
    check(code == 0, f"exit code {code} after SIGTERM")
    stats_end = s.file("stats.sav")
    check(sav_value(stats_end, "ANZ_SPIELE:") == 1, "stats.sav lost the booked game")
    check(sav_value(stats_end, "GAME_ZEIT:") > sav_value(stats, "GAME_ZEIT:"), "SIGTERM did not write stats.sav")
    print(f"restarted after SIGKILL, SIGTERM gave exit code {code}")
print("never-lose scenario passed")
