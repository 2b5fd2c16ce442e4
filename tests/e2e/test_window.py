"""The program opens its window, draws its first frames, and ends with exit code 0 when the
window is closed as a window manager would close it. Before any picture is loaded the canvas
shows the grey clear colour 0xFF646464."""
import os
import subprocess
import sys
import time

from harness import Session, check

GOB = os.path.join(os.path.dirname(os.path.abspath(sys.argv[1])), "tools", "gob", "gob")

with Session(sys.argv) as s:
    s.start()
    time.sleep(0.5)
    shot = s.screenshot("first-frame")
    check(s.pixel(512, 384, shot) != (0, 0, 0), "canvas centre is black")
    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    check(s.file("knobel.cfg") is not None, "knobel.cfg not written at exit")

# An archive without the splash picture: the loading screen drawn before it shows only the
# clear colour, behind the texture message.
with Session(sys.argv, name="grey") as s:
    archive = os.path.join(s.workdir, "sport.gob")
    filler = os.path.join(s.workdir, "filler.txt")
    with open(filler, "w") as f:
        f.write("no pictures here")
    subprocess.run([GOB, "pack", archive, f"readme={filler}"], check=True, stdout=subprocess.DEVNULL)
    s.start(wait_window=False)
    s.find_message_box()
    time.sleep(0.5)
    shot = s.screenshot("clear-colour")
    for x, y in ((100, 100), (900, 700), (512, 700)):
        check(s.pixel(x, y, shot) == (100, 100, 100), f"({x}, {y}) is {s.pixel(x, y, shot)}, not the grey clear colour")
    s.dismiss_message_box()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
print("window scenario passed")
