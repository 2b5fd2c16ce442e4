"""Start-up: the loading screen with its progress bar, then the first screen; a damaged or
missing archive ends the program with the texture message and exit code 0."""
import os
import subprocess
import sys
import time

from harness import Session, check, E2EError

TEXTURE_MESSAGE = "Es wurden nicht alle notwendigen Texturdateien gefunden"
GOB = os.path.join(os.path.dirname(os.path.abspath(sys.argv[1])), "tools", "gob", "gob")


def extract(archive, name, out):
    subprocess.run([GOB, "extract", archive, name, out], check=True)


def near(a, b, tolerance=3):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


# 1. The normal start: the loading screen, then the first screen shows the menu background.
with Session(sys.argv, name="loading") as s:
    s.start(wait_menu=False)
    s.screenshot("start")
    s.wait_menu(timeout=120)
    s.screenshot("first-screen")
    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")

# 2. An archive that ends after misc4.PNG, with a splash picture of plain coloured regions:
#    loading stops at menu1.PNG with the message, and the loading screen of step 5 (sprite batch
#    and four sheets) stays visible behind the box, every part in its place.
BLUE, RED, MAGENTA, GREEN, YELLOW = (48, 96, 160), (192, 48, 48), (160, 32, 160), (32, 128, 32), (224, 192, 32)
with Session(sys.argv, name="loading-partial") as s:
    archive = os.path.join(s.workdir, "sport.gob")
    splash = os.path.join(s.workdir, "splash.PNG")
    subprocess.run(["convert", "-size", "1024x1124", "xc:rgb(48,96,160)",
                    "-fill", "rgb(192,48,48)", "-draw", "rectangle 0,900 699,1011",
                    "-fill", "rgb(160,32,160)", "-draw", "rectangle 0,1012 699,1123",
                    "-fill", "rgb(32,128,32)", "-draw", "rectangle 122,768 939,833",
                    "-fill", "rgb(224,192,32)", "-draw", "rectangle 122,834 939,899",
                    "PNG24:" + splash], check=True)
    parts = [f"splash.PNG={splash}"]
    for name in ("misc1.PNG", "misc2.PNG", "misc3.PNG", "misc4.PNG"):
        out = os.path.join(s.workdir, name)
        extract(archive, name, out)
        parts.append(f"{name}={out}")
    subprocess.run([GOB, "pack", archive, *parts], check=True)
    s.start(wait_window=False)
    s.find_message_box()
    time.sleep(0.5)
    shot = s.screenshot("progress")
    fill_end = 103 + 5 * 818 // 14
    expected = {
        (512, 60): BLUE,               # the picture
        (300, 200): RED,               # the German caption at (0, 168)
        (710, 200): BLUE,              # right of the caption
        (120, 700): YELLOW,            # the filled part of the bar
        (fill_end - 3, 700): YELLOW,
        (fill_end + 3, 700): GREEN,    # the empty frame after it
        (915, 700): GREEN,
        (930, 700): BLUE,              # the bar ends at x 921
        (512, 740): BLUE,              # below the bar
    }
    for (x, y), want in expected.items():
        got = s.pixel(x, y, shot)
        check(near(got, want), f"loading screen at ({x}, {y}) shows {got}, expected {want}")
    s.dismiss_message_box()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    check(TEXTURE_MESSAGE in s.stderr(), "texture message missing on stderr")

# 3. No archive at all: the same message, exit code 0.
with Session(sys.argv, name="loading-missing") as s:
    os.remove(os.path.join(s.workdir, "sport.gob"))
    s.start(wait_window=False)
    s.dismiss_message_box()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    check(TEXTURE_MESSAGE in s.stderr(), "texture message missing on stderr: " + s.stderr())
print("loading scenario passed")
