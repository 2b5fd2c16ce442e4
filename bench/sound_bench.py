#!/usr/bin/env python3
"""Click-to-sound benchmark on a private PulseAudio server: the time from a menu click (the
button's release, sent through XTEST) to the click effect's first sample in the null sink's
recording, with the device awake (a sound played half a second before) and after it rested
(two quiet seconds closed it). Prints the medians of --runs clicks each, and how many clicks
the stream ran dry in (a crackle).

    sound_bench.py --gob GOB --data DIR [--runs N] NAME=BINARY...

The recording's clock comes from when its chunks arrived: the null sink hands a sample to the
recorder when it mixes it, up to its latency (capped at the recorder's 10 ms) before it would be
heard, so both rows read early by that much alike; their difference is what waking costs."""
import argparse
import ctypes
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
from harness import Session  # noqa: E402
from pulse import SoundServer, onsets, played, trimmed, wave_samples  # noqa: E402

GERMAN = (400, 648)  # main page: a button that keeps the page


class Clicker:
    """Left clicks through XTEST, timed when the release has left for the server."""

    def __init__(self, display):
        x = ctypes.cdll.LoadLibrary("libX11.so.6")
        xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.x, self.xtst = x, xtst
        self.dpy = x.XOpenDisplay(display.encode())

    def click(self):
        self.xtst.XTestFakeButtonEvent(self.dpy, 1, 1, 0)
        self.x.XSync(self.dpy, 0)
        time.sleep(0.03)
        self.xtst.XTestFakeButtonEvent(self.dpy, 1, 0, 0)
        self.x.XSync(self.dpy, 0)
        return time.monotonic()

    def close(self):
        self.x.XCloseDisplay(self.dpy)


def streams(server):
    return subprocess.run(["pactl", "list", "short", "sink-inputs"], env=server.env, capture_output=True,
                          text=True).stdout.strip()


def delay_ms(rec, clicker, effect):
    mark = rec.frames()
    clicked = clicker.click()
    deadline = time.monotonic() + 2.0
    while time.monotonic() < deadline:
        time.sleep(0.1)
        found = onsets(rec.left(mark), effect)
        if found:
            return (rec.time_of(mark + found[0]) - clicked) * 1000.0
    return None


def measure(binary, data, effect, runs):
    shots = tempfile.mkdtemp(prefix="kw-bench-sound-")
    awake, rested = [], []
    with SoundServer() as server, Session(["bench", binary, data, shots]) as s:
        server.attach(s.env)
        rec = server.recorder(latency_ms=10)
        s.start()
        s.move(*GERMAN)
        clicker = Clicker(s.display)
        try:
            for _ in range(runs):
                while streams(server):
                    time.sleep(0.1)
                rested.append(delay_ms(rec, clicker, effect))
                time.sleep(0.5)
                awake.append(delay_ms(rec, clicker, effect))
                time.sleep(0.5)
        finally:
            clicker.close()
        recorded = rec.stop()
        s.close()
        s.wait_exit()
    lost = sum(1 for v in awake + rested if v is None)
    # The clicks take turns: after the rest, then awake.
    heard = played(recorded, effect)
    dropouts = [sum(1 for _, gaps in heard[first::2] if gaps) for first in (1, 0)]
    return [v for v in awake if v is not None], [v for v in rested if v is not None], lost, dropouts


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--gob", required=True)
    ap.add_argument("--data", required=True)
    ap.add_argument("--runs", type=int, default=20)
    ap.add_argument("programs", nargs="+", help="NAME=BINARY")
    args = ap.parse_args()
    scratch = tempfile.mkdtemp(prefix="kw-bench-click-")
    path = os.path.join(scratch, "klick_menu.wav")
    subprocess.run([args.gob, "extract", os.path.join(args.data, "sport.gob"), "Sounds\\klick_menu.wav", path],
                   check=True, stdout=subprocess.DEVNULL)
    effect = trimmed(wave_samples(path))
    results = {}
    for name, binary in (p.split("=", 1) for p in args.programs):
        results[name] = measure(os.path.abspath(binary), os.path.abspath(args.data), effect, args.runs)
    width = 40
    print(f"Click to first sound on a PulseAudio server, medians of {args.runs} clicks")
    print("".ljust(width) + "".join(name.rjust(14) for name in results))
    rows = [("device awake (ms)", lambda r: statistics.median(r[0])),
            ("after the rest (ms)", lambda r: statistics.median(r[1])),
            ("waking the device (ms)", lambda r: statistics.median(r[1]) - statistics.median(r[0])),
            ("slowest after the rest (ms)", lambda r: max(r[1])),
            ("clicks not heard", lambda r: r[2]),
            ("clicks with a dropout, awake", lambda r: r[3][0]),
            ("clicks with a dropout, after the rest", lambda r: r[3][1])]
    for label, value in rows:
        cells = []
        for r in results.values():
            try:
                cells.append(f"{value(r):.1f}")
            except (ValueError, statistics.StatisticsError):
                cells.append("-")
        print(label.ljust(width) + "".join(c.rjust(14) for c in cells))


if __name__ == "__main__":
    main()
