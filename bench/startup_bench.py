#!/usr/bin/env python3
"""Start-up, idle and memory benchmark: runs programs side by side under Xvfb, several times
each (the programs take turns, so a busy machine hurts them alike), and prints the medians.

    startup_bench.py --data DIR --bare BARE_BINARY [--runs N] [--all-games] NAME=BINARY...

For each run of each program, measured from outside:
  window  ms from the start to the map of its first window
  menu    ms from the start until the menu backdrop shows (for the bare program: its grey)
  idle    % of one core used in the menu (5 s), and in Sudoku with its clock running (5 s)
  memory  MiB private (Private_Clean + Private_Dirty of smaps_rollup) in the menu
With --all-games, each program once more plays every game of the list (starts it, waits for
the countdown, leaves it) and its private memory is taken after that.

Prints the table of medians, one column per program, and with --frames FRAME_BENCH...
(one frame benchmark per program, in the same order) the frame costs of every game's
busiest screen."""
import argparse
import ctypes
import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
from harness import Session  # noqa: E402
import menu_nav  # noqa: E402

MENU_SAMPLES = Session.MENU_SAMPLES
SUDOKU = 11
IDLE_SECONDS = 5.0
GAME_NAMES = ["Picture building", "Crazy cuboid", "Date", "Triangle", "Remembering", "Memory",
              "Mastermind", "Ordo", "Remember squares", "Adding squares", "Sliding puzzle", "Sudoku", "Clock",
              "Balance", "Change", "Click numbers"]


class XWatch:
    """One X connection that sees windows being mapped and reads pixels of the root window."""

    class _MapEvent(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                    ("override_redirect", ctypes.c_int)]

    class _Event(ctypes.Union):
        pass

    _Event._fields_ = [("map", _MapEvent), ("pad", ctypes.c_long * 24)]

    def __init__(self, display):
        x = ctypes.cdll.LoadLibrary("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XGetImage.restype = ctypes.c_void_p
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XGetPixel.restype = ctypes.c_ulong
        x.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.c_void_p]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x = x
        self.dpy = x.XOpenDisplay(display.encode())
        if not self.dpy:
            raise SystemExit(f"cannot open display {display}")
        self.root = x.XDefaultRootWindow(self.dpy)
        x.XSelectInput(self.dpy, self.root, 1 << 19)  # SubstructureNotifyMask
        x.XFlush(self.dpy)
        self.fd = x.XConnectionNumber(self.dpy)

    def wait_map(self, proc, timeout=60.0):
        """Monotonic time at which a top-level window was mapped; None if none was."""
        deadline = time.monotonic() + timeout
        ev = self._Event()
        while time.monotonic() < deadline and proc.poll() is None:
            while self.x.XPending(self.dpy):
                self.x.XNextEvent(self.dpy, ctypes.byref(ev))
                if ev.map.type == 19:  # MapNotify
                    return time.monotonic()
            select.select([self.fd], [], [], 0.002)
        return None

    def pixels(self, points):
        out = []
        for px, py in points:
            image = self.x.XGetImage(self.dpy, self.root, px, py, 1, 1, 0xFFFFFFFF, 2)
            if not image:
                return None
            v = self.x.XGetPixel(image, 0, 0)
            self.x.XDestroyImage(image)
            out.append(((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF))
        return out

    def wait_pixels(self, want, proc, timeout=60.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline and proc.poll() is None:
            got = self.pixels(MENU_SAMPLES)
            if got and all(all(abs(p - q) <= 3 for p, q in zip(a, b)) for a, b in zip(got, want)):
                return time.monotonic()
            time.sleep(0.002)
        return None

    def close(self):
        self.x.XCloseDisplay(self.dpy)


def cpu_ns(pid):
    """{thread id: nanoseconds on a CPU so far} of all threads of the process."""
    out = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                out[tid] = int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass
    return out


def idle_percent(pid, seconds=IDLE_SECONDS):
    """% of one core used over the next seconds. A thread that ends meanwhile takes its whole
    past with it, so each thread counts from where it stood at the start (or from nothing when
    it is new); what a thread did between the start and its end is lost, which only errs low by
    that thread's last moments."""
    start_cpu, start = cpu_ns(pid), time.monotonic()
    time.sleep(seconds)
    end_cpu = cpu_ns(pid)
    used = sum(ns - start_cpu.get(tid, 0) for tid, ns in end_cpu.items())
    return 100.0 * used / 1e9 / (time.monotonic() - start)


def private_mib(pid):
    total = 0
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            if line.startswith(("Private_Clean:", "Private_Dirty:")):
                total += int(line.split()[1])
    return total / 1024.0


def menu_reference(gob, data):
    """The menu backdrop's pixels at the sample points, from bg.PNG of the archive."""
    scratch = tempfile.mkdtemp(prefix="kw-bench-ref-")
    try:
        ref = os.path.join(scratch, "bg.png")
        subprocess.run([gob, "extract", os.path.join(data, "sport.gob"), "bg.PNG", ref], check=True,
                       stdout=subprocess.DEVNULL)
        out = []
        for x, y in MENU_SAMPLES:
            r = subprocess.run(["convert", ref, "-format", f"%[fx:int(255*p{{{x},{y}}}.r)],"
                                f"%[fx:int(255*p{{{x},{y}}}.g)],%[fx:int(255*p{{{x},{y}}}.b)]", "info:"],
                               capture_output=True, text=True, check=True).stdout
            out.append(tuple(int(v) for v in r.strip().split(",")))
        return out
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


def one_run(binary, data, want, bare=False, shots=None):
    """Start, window, menu, idle and memory of one run of one program."""
    result = {}
    with Session(["bench", binary, data, shots]) as s:
        watch = XWatch(s.display)
        try:
            s._stderr = open(s.stderr_path, "wb")
            t0 = time.monotonic()
            s.proc = subprocess.Popen([binary], cwd=s.workdir, env=s.env, stdout=subprocess.DEVNULL,
                                      stderr=s._stderr)
            mapped = watch.wait_map(s.proc)
            shown = watch.wait_pixels(want, s.proc)
            if mapped is None or shown is None:
                raise SystemExit(f"{binary}: no window or no menu")
            result["window"] = (mapped - t0) * 1000.0
            result["menu"] = (shown - t0) * 1000.0
        finally:
            watch.close()
        s.window = s.wait_window("Knobelwerk", 30)
        time.sleep(1.0)
        result["idle_menu"] = idle_percent(s.proc.pid)
        result["mem_menu"] = private_mib(s.proc.pid)
        if not bare:
            menu_nav.Menu(s).start_game(SUDOKU, "sudoku")
            time.sleep(1.0)
            result["idle_game"] = idle_percent(s.proc.pid)
        s.close()
        s.wait_exit()
    return result


def with_retry(what, *args, **kwargs):
    """A run that lost its X server or its program (a busy shared machine) is run once more."""
    for attempt in range(3):
        try:
            return what(*args, **kwargs)
        except (OSError, AssertionError, SystemExit) as e:
            print(f"{what.__name__} failed ({e}); again", file=sys.stderr)
    raise SystemExit(f"{what.__name__} failed three times")


def all_games_memory(binary, data, shots):
    with Session(["bench", binary, data, shots]) as s:
        s.start()
        menu = menu_nav.Menu(s)
        for index in range(16):
            menu.start_game(index, f"all{index:02d}")
            time.sleep(1.0)
            menu.leave_through_abort(f"all{index:02d}")
        time.sleep(1.0)
        mib = private_mib(s.proc.pid)
        s.close()
        s.wait_exit()
    return mib


def frame_costs(frame_bench, data, shots):
    """{game index: (median ms, max ms, commands)} from one frame benchmark run under Xvfb."""
    out = {}
    with Session(["bench", frame_bench, data, shots]) as s:
        r = subprocess.run([frame_bench], cwd=s.workdir, env=s.env, capture_output=True, text=True, timeout=900)
        for line in r.stdout.splitlines():
            parts = line.split()
            if len(parts) == 5 and parts[0] == "frame":
                out[int(parts[1])] = (float(parts[2]), float(parts[3]), int(parts[4]))
            elif len(parts) >= 5 and parts[0] in ("history", "plot", "list", "present"):
                out[" ".join(parts[:-3])] = (float(parts[-3]), float(parts[-2]), int(parts[-1]))
    return out


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--data", required=True)
    ap.add_argument("--gob", required=True, help="the archive tool, to read the menu backdrop")
    ap.add_argument("--bare", required=True)
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--all-games", action="store_true")
    ap.add_argument("--frames", nargs="*", default=[])
    ap.add_argument("programs", nargs="+", help="NAME=BINARY")
    args = ap.parse_args()
    programs = [p.split("=", 1) for p in args.programs]
    shots = tempfile.mkdtemp(prefix="kw-bench-shots-")
    want = menu_reference(args.gob, args.data)
    grey = [(100, 100, 100)] * len(MENU_SAMPLES)
    runs = {name: [] for name, _ in programs}
    runs["bare SDL"] = []
    for i in range(args.runs):
        for name, binary in programs:
            runs[name].append(with_retry(one_run, os.path.abspath(binary), args.data, want, shots=shots))
        runs["bare SDL"].append(with_retry(one_run, os.path.abspath(args.bare), args.data, grey, bare=True, shots=shots))
        print(f"run {i + 1}/{args.runs} done", file=sys.stderr)
    all_games = {}
    if args.all_games:
        for name, binary in programs:
            all_games[name] = with_retry(all_games_memory, os.path.abspath(binary), args.data, shots)
    frames = {}
    for (name, _), bench in zip(programs, args.frames):
        frames[name] = frame_costs(os.path.abspath(bench), args.data, shots)
    shutil.rmtree(shots, ignore_errors=True)

    columns = ["bare SDL"] + [name for name, _ in programs]
    rows = [("first window (ms)", "window", "{:.0f}"), ("menu shown (ms)", "menu", "{:.0f}"),
            ("idle CPU in the menu (%)", "idle_menu", "{:.2f}"), ("idle CPU, clock running (%)", "idle_game", "{:.2f}"),
            ("private memory, menu (MiB)", "mem_menu", "{:.1f}")]
    width = 34
    print(f"Medians of {args.runs} runs under Xvfb")
    print("".ljust(width) + "".join(c.rjust(14) for c in columns))
    for label, key, fmt in rows:
        cells = []
        for c in columns:
            values = [r[key] for r in runs[c] if key in r]
            cells.append(fmt.format(statistics.median(values)) if values else "-")
        print(label.ljust(width) + "".join(v.rjust(14) for v in cells))
    if all_games:
        cells = ["-"] + [f"{all_games[name]:.1f}" for name, _ in programs]
        print("private memory, all games (MiB)".ljust(width) + "".join(v.rjust(14) for v in cells))
    if frames:
        print()
        print("Busiest screen per game, level 3: median / max ms per frame (record, draw, present)")
        print("".ljust(width) + "".join(name.rjust(18) for name in frames))
        for index in range(16):
            cells = []
            for name in frames:
                f = frames[name].get(index)
                cells.append(f"{f[0]:.2f} / {f[1]:.2f}" if f else "-")
            label = f"{GAME_NAMES[index]} ({frames[next(iter(frames))].get(index, (0, 0, 0))[2]} cmds)"
            print(label.ljust(width) + "".join(v.rjust(18) for v in cells))
        print()
        print("History of 10,000 results: median / max ms (load; statistics page with full plots, per frame)")
        for key, label in (("history load", "load verlauf.sav"), ("present only", "empty frame (clear, present)"),
                           ("list 40", "all games, lists (no plot)"),
                           ("plot 40", "all games and series, whole"), ("plot 40 moving", "  pointer moving"),
                           ("plot 52", "one game (Sudoku), whole"), ("plot 52 moving", "  pointer moving")):
            cells = []
            for name in frames:
                f = frames[name].get(key)
                cells.append(f"{f[0]:.2f} / {f[1]:.2f}" if f else "-")
            print(label.ljust(width) + "".join(v.rjust(18) for v in cells))


if __name__ == "__main__":
    main()
