"""The intro video at a full-screen start: a test video (red for two seconds, then blue) plays
before the loading screen and the menu; Escape skips it and the first Escape in the first game
still pauses it; closing the window during the intro ends the program normally; a windowed
start shows no intro; the shipped intro plays and gives way to the loading screen."""
import os
import subprocess
import sys
import time

from harness import E2EError, Session, check

INTROGEN = os.path.join(os.path.dirname(os.path.abspath(sys.argv[1])), "tools", "introgen", "introgen")
FULL_SCREEN_WITH_INTRO = "FULLSCREEN:\t1\r\nINTRO:\t1\r\n"
CENTRE = (512, 384)
BAR_RIM = (512, 673)   # the progress bar's frame: only the loading screen has it here
PLAY, EASY, SINGLE, MEMORY_ROW = (512, 259), (512, 334), (512, 409), (512, 494)  # "Paare finden"
PAUSE_PAGE = (337, 184, 350, 400)


def make_video(s, *args):
    subprocess.run([INTROGEN, "--pattern", *args, os.path.join(s.workdir, "intro.avi")], check=True)


def colour(rgb):
    r, g, b = rgb
    if r > 180 and g < 80 and b < 80:
        return "red"
    if b > 180 and r < 80 and g < 80:
        return "blue"
    return "other"


def loading(rgb):
    r, g, b = rgb
    return r > 200 and 150 < g < 205 and 80 < b < 150


def follow(s, stop, timeout=90):
    """Reads the screen's centre again and again; returns the colours it showed, in order, each
    with the time it first appeared, until stop(colours) is true."""
    seen = []
    deadline = time.time() + timeout
    while time.time() < deadline:
        check(s.proc.poll() is None, f"program ended with code {s.proc.returncode}")
        name = colour(s.live_pixel(*CENTRE))
        if name == "other" and loading(s.live_pixel(*BAR_RIM)):
            name = "loading"
        if not seen or seen[-1][0] != name:
            seen.append((name, time.time()))
        if stop([n for n, _ in seen]):
            return seen
        time.sleep(0.01)
    raise E2EError(f"gave up following the screen; it showed {[n for n, _ in seen]}")


def first(seen, name):
    return next(t for n, t in seen if n == name)


# 1. Red, then blue, then the loading screen and the menu.
with Session(sys.argv, name="intro", settings=FULL_SCREEN_WITH_INTRO) as s:
    make_video(s, "--seconds", "4", "--red-seconds", "2")
    s.start(wait_menu=False)
    seen = follow(s, lambda names: "loading" in names and "blue" in names)
    names = [n for n, _ in seen if n != "other"]
    check(names[:3] == ["red", "blue", "loading"], f"the screen showed {names}")
    red_for = first(seen, "blue") - first(seen, "red")
    check(1.5 < red_for < 6.0, f"red stood for {red_for:.2f} s")
    s.screenshot("loading")
    s.wait_menu()
    s.screenshot("menu")
    s.close()
    check(s.wait_exit() == 0, "exit code")

# 2. Escape skips it; the first Escape of the first game then pauses the game.
with Session(sys.argv, name="intro-skip", settings=FULL_SCREEN_WITH_INTRO) as s:
    make_video(s, "--seconds", "50", "--red-seconds", "50")
    s.start(wait_menu=False)
    follow(s, lambda names: "red" in names)
    s.screenshot("red")
    pressed = time.time()
    s.key("Escape")
    s.wait_menu()
    check(time.time() - pressed < 40, "the menu came no sooner than the end of the video")
    for point in (PLAY, EASY, SINGLE, MEMORY_ROW):
        s.click(*point)
    s.sleep(4.0)  # the countdown
    s.move(5, 5)
    playing = s.screenshot("game")
    s.key("Escape")
    s.sleep(0.4)
    paused = s.screenshot("game-paused")
    check(s.region_differs(playing, paused, *PAUSE_PAGE), "the first Escape in the game showed no in-game menu")
    s.close()
    check(s.wait_exit() == 0, "exit code")

# 3. Closing the window during the intro ends the program as usual, settings and statistics
#    written.
with Session(sys.argv, name="intro-close", settings=FULL_SCREEN_WITH_INTRO) as s:
    make_video(s, "--seconds", "50", "--red-seconds", "50")
    s.start(wait_menu=False)
    follow(s, lambda names: "red" in names)
    s.close()
    check(s.wait_exit() == 0, "exit code")
    cfg = s.file("knobel.cfg")
    check(cfg is not None and b"INTRO:\t1" in cfg and b"FULLSCREEN:\t1" in cfg, f"knobel.cfg: {cfg!r}")
    check(s.file("stats.sav") is not None, "stats.sav not written")

# 4. In a window the intro never plays, even when it is enabled.
with Session(sys.argv, name="intro-windowed", settings="FULLSCREEN:\t0\r\nINTRO:\t1\r\n") as s:
    make_video(s, "--seconds", "4", "--red-seconds", "2")
    s.start(wait_menu=False)
    seen = follow(s, lambda names: "loading" in names)
    s.wait_menu()
    names = [n for n, _ in seen]
    check("red" not in names and "blue" not in names, f"the screen showed {names}")
    s.close()
    check(s.wait_exit() == 0, "exit code")

# 5. The shipped intro: its pictures, then the loading screen over the same title picture.
with Session(sys.argv, name="intro-shipped", settings=FULL_SCREEN_WITH_INTRO) as s:
    s.start(wait_menu=False)
    started = time.time()
    shots = []
    while time.time() - started < 3.0:
        shots.append(s.screenshot(f"picture-{len(shots)}"))
    seen = follow(s, lambda names: "loading" in names)
    s.screenshot("after")
    s.wait_menu()
    s.close()
    check(s.wait_exit() == 0, "exit code")
print("intro scenario passed")
