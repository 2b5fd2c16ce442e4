"""Without a working sound device the program says so once, then runs silently: the menu
works, and the settings written at the end hold 0 for both volumes."""
import sys
import time

from harness import Session, check

with Session(sys.argv, settings="FULLSCREEN:\t0\r\nSOUND:\t80\r\nINTRO:\t0\r\n") as s:
    s.env["SDL_AUDIODRIVER"] = "no-such-driver"
    s.start(wait_window=False)
    s.dismiss_message_box()
    check("DirectSound kann nicht initialisiert werden" in s.stderr(), "the sound message was not printed")
    s.window = s.wait_window("Knobelwerk")
    time.sleep(1.0)
    s.click(512, 259)  # "Play" on the main page: the menu still answers
    s.screenshot("silent-menu")
    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    cfg = s.file("knobel.cfg")
    check(cfg is not None and b"SOUND:\t0\r\n" in cfg and b"MUSIK:\t0\r\n" in cfg, f"settings: {cfg!r}")
print("sound failure scenario passed")
