"""The light-sequence game at the first level: started from the list, it lights its first
sequence of four buttons (found by comparing screenshots with one taken when no button is lit);
the scenario clicks them back in that order and watches the longer sequence that follows,
which must begin with the first one. It then leaves through the in-game menu; the game's
statistics file books one game."""
import ctypes
import os
import subprocess
import sys
import time

from harness import Session, check
from menu_nav import AWAY, LEVELS, PLAY, SCROLL_UP, SINGLE_GAME, Menu, sav_value

W, H = 1024, 768
TOP = 60          # the time panel above changes every second
STRIDE = 3        # sample every third pixel in both directions
SAME_BUTTON = 14  # centres of one button seen in two shots lie this close together


class Grabber:
    """Reads the screen straight from the X server (a few milliseconds, where a screenshot
    through ImageMagick takes a second on a loaded machine): every third row below the time
    panel, every third pixel of it, as bytes."""

    class XImage(ctypes.Structure):
        _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                    ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                    ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                    ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                    ("bits_per_pixel", ctypes.c_int)]

    def __init__(self, display):
        x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XGetImage.restype = ctypes.POINTER(self.XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                  ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XDestroyImage.argtypes = [ctypes.POINTER(self.XImage)]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x11 = x11
        self.dpy = x11.XOpenDisplay(display.encode())
        check(bool(self.dpy), f"cannot open display {display}")
        self.root = x11.XDefaultRootWindow(self.dpy)

    def close(self):
        self.x11.XCloseDisplay(self.dpy)

    def grab(self):
        """Rows TOP, TOP + 3, ... of the screen, each as the bytes of every third pixel (4 bytes
        a pixel: blue, green, red, pad)."""
        img = self.x11.XGetImage(self.dpy, self.root, 0, TOP, W, H - TOP, 0xFFFFFFFF, 2)  # ZPixmap
        check(bool(img), "XGetImage failed")
        im = img.contents
        check(im.bits_per_pixel == 32, f"unexpected screen format: {im.bits_per_pixel} bits a pixel")
        raw = ctypes.string_at(im.data, im.bytes_per_line * im.height)
        bpl = im.bytes_per_line
        self.x11.XDestroyImage(img)
        rows = []
        for y in range(0, H - TOP, STRIDE):
            line = raw[y * bpl:y * bpl + W * 4]
            rows.append(line[0::4 * STRIDE] + line[1::4 * STRIDE] + line[2::4 * STRIDE])
        return rows


def lit_centre(base, frame):
    """Centre of the one region where frame differs from base (a lit button), None when nothing
    differs, 'veil' when most of the screen does (the countdown)."""
    n = len(range(0, W, STRIDE))
    points = []
    for r, (a, b) in enumerate(zip(base, frame)):
        if a == b:
            continue
        y = TOP + r * STRIDE
        for i in range(n):
            d = abs(a[i] - b[i]) + abs(a[n + i] - b[n + i]) + abs(a[2 * n + i] - b[2 * n + i])
            if d > 40:
                points.append((i * STRIDE, y))
        if len(points) > 1500:
            return "veil"
    if not points:
        return None
    # The largest group of points around one centre (a single lit button).
    best = []
    for px, py in points[::max(1, len(points) // 50)]:
        group = [(x, y) for x, y in points if abs(x - px) < 30 and abs(y - py) < 30]
        if len(group) > len(best):
            best = group
    cx = sum(x for x, _ in best) / len(best)
    cy = sum(y for _, y in best) / len(best)
    return (round(cx), round(cy))


def watch(grabber, seconds, every=0.06):
    """The screen, read about every 60 ms for that long; returns (time, frame) pairs."""
    frames = []
    end = time.time() + seconds
    while time.time() < end:
        t = time.time()
        frames.append((t, grabber.grab()))
        time.sleep(max(0.0, t + every - time.time()))
    return frames


def save_frame(s, frame, label):
    """A grabbed frame (a third of the screen's size) as a picture in the shot folder."""
    n = len(frame[0]) // 3
    pixels = bytearray()
    for row in frame:
        for i in range(n):
            pixels += bytes((row[2 * n + i], row[n + i], row[i]))
    ppm = f"P6 {n} {len(frame)} 255\n".encode() + bytes(pixels)
    subprocess.run(["convert", "ppm:-", os.path.join(s.shot_dir, f"{s.name}-{label}.png")], input=ppm, check=True)


def flashes(s, frames, base, label):
    """The lit buttons in the order they lit: runs of frames showing the same button, split
    where a frame in between shows none. Keeps the first frame with a lit button."""
    runs = []
    kept = False
    previous = None
    gaps = []
    last_t = None
    for t, frame in frames:
        c = lit_centre(base, frame)
        if last_t is not None:
            gaps.append(t - last_t)
        last_t = t
        if c == "veil":
            previous = None
            continue
        if c is not None and not kept:
            save_frame(s, frame, f"{label}-lit")
            kept = True
        if c is not None and previous is not None and near(c, previous):
            runs[-1][1].append(t)
        elif c is not None:
            runs.append((c, [t]))
        previous = c
    worst = max(gaps) if gaps else 0
    print(f"{label}: {len(frames)} frames, longest gap {worst:.2f} s, lit runs "
          f"{[(c, round(ts[-1] - ts[0], 2)) for c, ts in runs]}")
    return [c for c, _ in runs]


def near(a, b):
    return abs(a[0] - b[0]) <= SAME_BUTTON and abs(a[1] - b[1]) <= SAME_BUTTON


def start_remembering(s, menu):
    """From the main page into the light-sequence game at the first level, without waiting."""
    s.click(*PLAY)
    s.click(*LEVELS[0])
    s.click(*SINGLE_GAME)
    while menu.list_first > 0:
        s.click(*SCROLL_UP)
        menu.list_first -= 1
    s.click(*menu.list_row(4))
    s.move(*AWAY)


with Session(sys.argv) as s:
    menu = Menu(s)
    s.start()
    s.sleep(1.0)
    grabber = Grabber(s.display)

    sequence = None
    for attempt in range(3):
        start_remembering(s, menu)
        # Countdown (3 s) and the showing (10 s), then the player's turn with nothing lit.
        frames = watch(grabber, 13.5)
        s.sleep(0.3)
        s.screenshot(f"turn{attempt}")
        seen = flashes(s, frames, grabber.grab(), f"show{attempt}")
        if len(seen) == 4:
            sequence = seen
            break
        # A button lit twice in a row whose dark moment no shot caught: play a new sequence.
        print(f"attempt {attempt}: {len(seen)} flashes seen, starting a new game")
        menu.leave_through_abort(f"retry{attempt}")
    check(sequence is not None, "the first sequence of four lit buttons was not seen")

    # Click the sequence back.
    for x, y in sequence:
        s.click(x, y, pause=0.3)
    s.move(*AWAY)
    clicked = time.time()
    # The last clicked button lights for a second, then the longer sequence is shown.
    s.sleep(max(0.0, clicked + 1.15 - time.time()))
    frames = watch(grabber, 10.5)
    s.sleep(0.5)
    s.screenshot("grown-turn")
    grown = flashes(s, frames, grabber.grab(), "grown")

    def compress(seq):
        out = []
        for c in seq:
            if not out or not near(out[-1], c):
                out.append(c)
        return out

    # A button lit twice in a row may show as one long flash when no shot caught the dark
    # moment between; compare the sequences with such repeats taken together.
    first, second = compress(sequence), compress(grown)
    check(len(second) >= len(first) and all(near(a, b) for a, b in zip(first, second)),
          f"the longer sequence does not begin with the first: {sequence} then {grown}")
    check(len(grown) == 5 or (len(grown) == 4 and near(grown[-1], sequence[-1])),
          f"the sequence did not grow by one: first {sequence}, then {grown}")

    # Leave; the grade of a game with judged clicks asks for a name in an empty top ten.
    menu.leave_through_abort("remembering", name_if_asked=True)
    grabber.close()
    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    sav = s.file("gedächtnis.sav")
    check(sav is not None, "gedächtnis.sav not written after leaving the game")
    check(sav_value(sav, "ANZ_SPIELE:") == 1, f"gedächtnis.sav does not book one game: {sav!r}")
    check(b"EINTRAG_START" in sav, f"no top-ten line in gedächtnis.sav: {sav!r}")
print("remembering scenario passed")
