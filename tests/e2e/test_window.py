"""The program opens its window, clears it to the grey background colour, and ends with exit
code 0 when the window is closed as a window manager would close it."""
import sys
import time

from harness import Session, check

with Session(sys.argv) as s:
    s.start()
    time.sleep(1.5)
    shot = s.screenshot("first-frame")
    r, g, b = s.pixel(512, 384, shot)
    # Until the menu draws over it, the canvas shows the clear colour (or the menu backdrop).
    check((r, g, b) != (0, 0, 0), f"canvas centre is black: {(r, g, b)}")
    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    check(s.file("knobel.cfg") is not None, "knobel.cfg not written at exit")
print("window scenario passed")
