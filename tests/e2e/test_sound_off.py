"""With "SOUND: 0" in the settings the effects stay off on a real sound server: menu clicks and
a page change record silence, and the setting is written back unchanged."""
import sys

from harness import Session, check
from pulse import SoundServer

with SoundServer() as server, Session(sys.argv, settings="FULLSCREEN:\t0\r\nSOUND:\t0\r\nINTRO:\t0\r\n") as s:
    server.attach(s.env)
    rec = server.recorder()
    s.start()
    for x, y in ((400, 648), (400, 648), (512, 259), (512, 334)):  # German flag twice, play, a level
        s.click(x, y, pause=0.3)
    s.sleep(0.5)
    recorded = rec.stop()
    check(len(recorded) > 44100, f"only {len(recorded)} frames recorded")
    check(not any(recorded), f"{sum(1 for v in recorded if v)} non-zero samples recorded")
    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    cfg = s.file("knobel.cfg")
    check(cfg is not None and b"SOUND:\t0\r\n" in cfg, f"settings: {cfg!r}")
print("sound off scenario passed")
