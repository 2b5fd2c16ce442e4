"""Reading clocks, the date game and triangle arithmetic at the first level, started from the
menu: digits typed during the countdown and on the pause page change nothing; typed digits
show in the answer field; Enter gives a verdict on the screen (the tick, or the right answer
blinking in light red) and after it the next task with an empty field. Each game is left
through the in-game menu and its statistics file books the game."""
import ctypes
import sys
import time

from harness import Session, check
from menu_nav import AWAY, LEVELS, LIST_ROWS, PLAY, SCROLL_DOWN, SCROLL_UP, SINGLE_GAME, Menu, crop, sav_value, \
    shoot_until

W, H = 1024, 768


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


class Grabber:
    """Reads a rectangle of the screen straight from the X server, fast enough to catch a
    blinking answer (a screenshot through ImageMagick takes half a second on a loaded machine)."""

    def __init__(self, display_name):
        self.x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(_XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                       ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.dpy = self.x11.XOpenDisplay(display_name.encode())
        check(bool(self.dpy), f"cannot open display {display_name}")
        self.root = self.x11.XDefaultRootWindow(self.dpy)

    def rgb(self, x, y, w, h):
        """RGB bytes of the rectangle, row by row (a 24-bit screen, 32 bits per pixel)."""
        image = self.x11.XGetImage(self.dpy, self.root, x, y, w, h, 0xFFFFFFFF, 2)  # ZPixmap
        check(bool(image), "XGetImage failed")
        im = image.contents
        check(im.bits_per_pixel == 32, f"unexpected {im.bits_per_pixel} bits per pixel")
        raw = ctypes.string_at(im.data, im.bytes_per_line * h)
        out = bytearray()
        for row in range(h):
            line = raw[row * im.bytes_per_line: row * im.bytes_per_line + 4 * w]
            for i in range(0, 4 * w, 4):
                out += bytes((line[i + 2], line[i + 1], line[i]))  # little-endian BGRX
        self.x11.XDestroyImage(image)
        return bytes(out)

    def close(self):
        self.x11.XCloseDisplay(self.dpy)


def count_rgb(data, pred):
    return sum(1 for i in range(0, len(data), 3) if pred(data[i], data[i + 1], data[i + 2]))


def count(shot, x, y, w, h, pred):
    data = crop(shot, x, y, w, h)
    return sum(1 for i in range(0, len(data), 3) if pred(data[i], data[i + 1], data[i + 2]))


def dark(r, g, b):
    return r + g + b < 120


def pink(r, g, b):
    return r > 200 and 90 < g < 170 and 90 < b < 170


def green(r, g, b):
    return g > 140 and g > r + 40 and g > b + 40


class Game:
    def __init__(self, index, label, sav, field_y, task_box):
        self.index, self.label, self.sav = index, label, sav
        self.field_y = field_y            # centre line of the answer field
        self.task_box = task_box          # where the task is drawn (x, y, w, h)

    def field(self):
        """The box in which the field and its text lie, however wide the field is stretched."""
        return (W // 2 - 120, self.field_y - 22, 240, 44)

    def typed(self, shot):
        x, y, w, h = self.field()
        return count(shot, x, y, w, h, dark)


GAMES = [
    Game(12, "clock", "uhr.sav", H // 2 + 150, (0, 140, W, 230)),
    Game(2, "date", "datum.sav", H // 2 + 150, (100, 200, W - 200, 250)),
    Game(3, "triangle", "dreieck.sav", H // 2 + 100, (300, 120, 424, 250)),
]


def start_typing_in_countdown(s, menu, game):
    """From the main page into the game, typing digits while the countdown runs."""
    s.click(*PLAY)
    s.click(*LEVELS[0])
    s.click(*SINGLE_GAME)
    while game.index - menu.list_first >= LIST_ROWS:
        s.click(*SCROLL_DOWN)
        menu.list_first += 1
    while game.index < menu.list_first:
        s.click(*SCROLL_UP)
        menu.list_first -= 1
    s.click(*menu.list_row(game.index - menu.list_first))
    s.move(*AWAY)
    s.type("1234")
    s.screenshot(f"{game.label}-countdown")
    s.sleep(3.6)
    return s.screenshot(f"{game.label}-playing")


def play(s, menu, game):
    first = start_typing_in_countdown(s, menu, game)
    empty = first
    fx, fy, fw, fh = game.field()
    if game.label != "clock":  # the clock's empty field shows 0:00
        check(game.typed(first) == 0, f"{game.label}: keys typed during the countdown show in the field")

    # Digits typed now show in the field (a weekday task of the date game takes letters).
    keys = "1"
    s.type(keys)
    shot = shoot_until(s, f"{game.label}-typed", lambda t: s.region_differs(empty, t, fx, fy, fw, fh), timeout=2.0)
    if game.label == "date" and not s.region_differs(empty, shot, fx, fy, fw, fh):
        keys = "M"
        s.type(keys)
        shot = shoot_until(s, f"{game.label}-typed", lambda t: s.region_differs(empty, t, fx, fy, fw, fh),
                           timeout=2.0)
    check(s.region_differs(empty, shot, fx, fy, fw, fh),
          f"{game.label}: a typed key did not show, so the countdown's keys were taken")
    check(game.typed(shot) > 0, f"{game.label}: no dark digit in the field after typing")

    # Keys on the pause page change nothing.
    s.key("Escape")
    s.sleep(0.5)
    s.screenshot(f"{game.label}-paused")
    s.type("5" if keys == "1" else "E")
    s.key("BackSpace", "BackSpace")
    s.key("Escape")
    s.move(*AWAY)
    resumed = shoot_until(s, f"{game.label}-resumed", lambda t: not s.region_differs(shot, t, fx, fy, fw, fh),
                          timeout=2.0)
    check(not s.region_differs(shot, resumed, fx, fy, fw, fh),
          f"{game.label}: keys on the pause page changed the answer")

    # Enter: the verdict shows, the tick or the right answer blinking in light red (shown two
    # tenths of a second in four, so the screen is shot as often as it can be).
    s.key("Return", pause=0.0)
    box = (fx, fy - 5, fw + 60, fh + 10)
    grabber = Grabber(s.display)
    pinks = greens = grabs = 0
    deadline = time.time() + 1.8
    while time.time() < deadline and pinks <= 30 and greens <= 60:
        data = grabber.rgb(*box)
        grabs += 1
        pinks, greens = count_rgb(data, pink), count_rgb(data, green)
    grabber.close()
    s.screenshot(f"{game.label}-verdict")
    print(f"{game.label}: verdict seen after {grabs} grabs ({pinks} pink, {greens} green pixels)")
    check(pinks > 30 or greens > 60, f"{game.label}: no verdict on the screen ({pinks} pink, {greens} green)")

    # Then the next task with an empty field.
    s.sleep(1.5)
    following = shoot_until(s, f"{game.label}-next", lambda t: not s.region_differs(empty, t, fx, fy, fw, fh),
                            timeout=2.0)
    check(not s.region_differs(empty, following, fx, fy, fw, fh), f"{game.label}: the field was not emptied")
    tx, ty, tw, th = game.task_box
    check(s.region_differs(first, following, tx, ty, tw, th), f"{game.label}: no new task after the verdict")

    menu.leave_through_abort(game.label, name_if_asked=True)
    sav = s.file(game.sav)
    check(sav is not None, f"{game.sav} not written after leaving the game")
    check(sav_value(sav, "ANZ_SPIELE:") == 1, f"{game.sav} does not book one game: {sav!r}")


with Session(sys.argv) as s:
    menu = Menu(s)
    s.start()
    s.sleep(1.0)
    for g in GAMES:
        play(s, menu, g)
    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
print("clock, date and triangle scenario passed")
