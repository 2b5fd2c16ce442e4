"""End-to-end harness: runs the real program in a real window under Xvfb.

A scenario is a few lines:

    with Session(sys.argv) as s:
        s.start()
        s.click(512, 300)
        s.key("Escape")
        s.screenshot("menu")
        s.close()
        assert s.wait_exit() == 0

Each session has a fresh working directory holding copies of the game data, its own Xvfb
server with a 1024 x 768 screen, and writes its screenshots to the shot folder. start() can
also run another command (the installed launcher) in another folder; the harness keeps its
own scratch files out of the program's folder.
"""
import ctypes
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

DATA_FILES = ("sport.gob", "deutsch.lng", "english.lng", "intro.avi")


class E2EError(AssertionError):
    pass


class Session:
    def __init__(self, argv, name=None, settings="FULLSCREEN:\t0\r\nINTRO:\t0\r\n", copy_data=True):
        if len(argv) < 4:
            raise SystemExit("usage: test_X.py BINARY DATA_DIR SHOT_DIR")
        self.binary = os.path.abspath(argv[1])
        self.data_dir = os.path.abspath(argv[2])
        self.shot_dir = os.path.abspath(argv[3])
        self.name = name or os.path.splitext(os.path.basename(argv[0]))[0]
        os.makedirs(self.shot_dir, exist_ok=True)
        self.workdir = tempfile.mkdtemp(prefix="kw-e2e-")
        self.scratch = tempfile.mkdtemp(prefix="kw-e2e-scratch-")
        if copy_data:
            for f in DATA_FILES:
                src = os.path.join(self.data_dir, f)
                if os.path.exists(src):
                    shutil.copy(src, self.workdir)
        if settings is not None:
            with open(os.path.join(self.workdir, "knobel.cfg"), "wb") as f:
                f.write(settings.encode("cp1252"))
        self.xvfb = None
        self.proc = None
        self.window = None
        self.display = None
        self.stderr_path = os.path.join(self.scratch, "stderr.txt")
        self._stderr = None

    # --- lifetime -------------------------------------------------------------------------
    def __enter__(self):
        self._start_xvfb()
        return self

    def __exit__(self, *exc):
        if getattr(self, "_live", None) is not None:
            self._live.close()
            self._live = None
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        if self.xvfb:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
        if self._stderr:
            self._stderr.close()
        if exc[0] is None:
            shutil.rmtree(self.workdir, ignore_errors=True)
        else:
            print(f"working directory kept: {self.workdir}", file=sys.stderr)
            self.dump_stderr()
        shutil.rmtree(self.scratch, ignore_errors=True)
        return False

    def _start_xvfb(self):
        # Xvfb picks a free display number itself and writes it to the pipe once it listens,
        # so tests running side by side never share or steal a display. -noreset: by default
        # the server resets whenever its last client goes; a short-lived client (xdotool, the
        # program's own probe of the display) closing just as the program connects would then
        # take the program's window with it, and the window would never be found.
        read_end, write_end = os.pipe()
        try:
            self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                          "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,),
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_end)
            write_end = None
            number = b""
            deadline = time.time() + 20
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], 0.2)
                if ready:
                    chunk = os.read(read_end, 16)
                    if not chunk:
                        break
                    number += chunk
                if time.time() > deadline or (not ready and self.xvfb.poll() is not None):
                    break
            if not number.strip().isdigit():
                raise E2EError("Xvfb did not start")
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.display = f":{int(number)}"
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.setdefault("SDL_AUDIODRIVER", "dummy")
        self.env.pop("SDL_VIDEODRIVER", None)

    def start(self, wait_window=True, timeout=120, wait_menu=True, command=None, cwd=None):
        """Starts the program (or the given command) in the working directory (or cwd), waits
        for its window and, unless told otherwise, for the end of loading (the menu background
        shows beside the main page)."""
        self._stderr = open(self.stderr_path, "wb")
        self.started = time.time()
        self.proc = subprocess.Popen(command or [self.binary], cwd=cwd or self.workdir, env=self.env,
                                     stdout=subprocess.DEVNULL, stderr=self._stderr)
        if wait_window:
            self.window = self.wait_window("Knobelwerk", timeout)
            if wait_menu:
                self.wait_menu(timeout)
        return self

    # Points beside the main page and away from the pointer's start in the top-left corner.
    MENU_SAMPLES = ((150, 400), (900, 100), (1000, 700), (100, 740))

    def wait_menu(self, timeout=120):
        """Waits until the first screen after loading shows: the menu background."""
        gob = os.path.join(os.path.dirname(self.binary), "tools", "gob", "gob")
        archive = os.path.join(self.workdir, "sport.gob")
        if not os.path.exists(archive):
            archive = os.path.join(self.data_dir, "sport.gob")
        reference = os.path.join(self.scratch, "bg-reference.png")
        if not (os.path.exists(gob) and os.path.exists(archive)):
            return
        if not os.path.exists(reference):
            subprocess.run([gob, "extract", archive, "bg.PNG", reference], check=True,
                           stdout=subprocess.DEVNULL)
        want = [self.pixel(x, y, reference) for x, y in self.MENU_SAMPLES]
        deadline = time.time() + timeout
        while time.time() < deadline:
            check(self.proc.poll() is None, f"program ended with code {self.proc.returncode} while loading")
            shot = os.path.join(self.scratch, "waiting.png")
            subprocess.run(["import", "-window", "root", shot], env=self.env, check=True)
            got = [self.pixel(x, y, shot) for x, y in self.MENU_SAMPLES]
            if all(all(abs(p - q) <= 3 for p, q in zip(a, b)) for a, b in zip(got, want)):
                return
            time.sleep(0.3)
        raise E2EError(f"the menu did not appear within {timeout} s")

    def wait_window(self, title, timeout=120):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.proc and self.proc.poll() is not None:
                raise E2EError(f"program ended with code {self.proc.returncode} before its window appeared")
            r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                               env=self.env, capture_output=True, text=True)
            ids = r.stdout.split()
            if ids:
                return ids[0]
            time.sleep(0.1)
        tree = subprocess.run(["xwininfo", "-root", "-children"], env=self.env, capture_output=True, text=True)
        raise E2EError(f"no window named {title} within {timeout} s; the display holds:\n{tree.stdout}{tree.stderr}")

    def wait_exit(self, timeout=30):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise E2EError(f"program did not end within {timeout} s")

    # --- input ----------------------------------------------------------------------------
    def _xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def move(self, x, y):
        self._xdotool("mousemove", "--window", self.window, str(x), str(y))
        time.sleep(0.05)

    def click(self, x, y, pause=0.25):
        """Clicks at canvas coordinates (the window's client area is the canvas)."""
        self._xdotool("mousemove", "--window", self.window, str(x), str(y))
        time.sleep(0.05)
        self._xdotool("click", "1")
        time.sleep(pause)

    def key(self, *names, pause=0.2):
        for n in names:
            self._xdotool("key", n)
            time.sleep(pause)

    def type(self, text, pause=0.2):
        self._xdotool("type", "--delay", "60", text)
        time.sleep(pause)

    def sleep(self, seconds):
        time.sleep(seconds)

    # --- output ---------------------------------------------------------------------------
    def screenshot(self, label):
        path = os.path.join(self.shot_dir, f"{self.name}-{label}.png")
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)
        return path

    def pixel(self, x, y, shot=None):
        """(r, g, b) of a screen pixel, from a fresh screenshot unless one is given."""
        path = shot or self.screenshot("pixel")
        out = subprocess.run(["convert", path, "-format", f"%[fx:int(255*p{{{x},{y}}}.r)],"
                              f"%[fx:int(255*p{{{x},{y}}}.g)],%[fx:int(255*p{{{x},{y}}}.b)]", "info:"],
                             capture_output=True, text=True, check=True).stdout
        return tuple(int(v) for v in out.strip().split(","))

    def live_pixel(self, x, y):
        """(r, g, b) of a screen pixel read straight from the X server: fast enough to follow a
        video frame by frame, where a screenshot takes a large part of a second."""
        if getattr(self, "_live", None) is None:
            self._live = _LiveScreen(self.display)
        return self._live.pixel(x, y)

    def region_differs(self, shot_a, shot_b, x, y, w, h):
        """Whether two screenshots differ inside the rectangle."""
        geom = f"{w}x{h}+{x}+{y}"
        a = subprocess.run(["convert", shot_a, "-crop", geom, "rgb:-"], capture_output=True, check=True).stdout
        b = subprocess.run(["convert", shot_b, "-crop", geom, "rgb:-"], capture_output=True, check=True).stdout
        return a != b

    def file(self, name):
        """Bytes of a file the program wrote in its working directory, or None."""
        path = os.path.join(self.workdir, name)
        if not os.path.exists(path):
            return None
        with open(path, "rb") as f:
            return f.read()

    def stderr(self):
        if self._stderr and not self._stderr.closed:
            self._stderr.flush()
        with open(self.stderr_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def dump_stderr(self):
        try:
            sys.stderr.write(self.stderr()[-4000:])
        except OSError:
            pass

    def cpu_seconds(self):
        """User + system CPU seconds the program has used so far."""
        with open(f"/proc/{self.proc.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        ticks = os.sysconf("SC_CLK_TCK")
        return (int(fields[11]) + int(fields[12])) / ticks

    # --- message boxes --------------------------------------------------------------------
    def find_message_box(self, title="Fehler!", timeout=120):
        """The id of a message box window (xdotool's name search does not find its title)."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            box = self._window_titled(title)
            if box:
                return box
            check(self.proc.poll() is None, f"program ended with code {self.proc.returncode} without a message box")
            time.sleep(0.2)
        raise E2EError("no message box")

    def _window_titled(self, title):
        tree = subprocess.run(["xwininfo", "-root", "-tree"], env=self.env, capture_output=True, text=True).stdout
        for line in tree.splitlines():
            if f'"{title}"' in line:
                return line.split()[0]
        return None

    def dismiss_message_box(self, title="Fehler!"):
        """Answers a message box with Return, as a player would; returns when it is gone."""
        box = self.find_message_box(title)
        subprocess.run(["xdotool", "mousemove", "--window", box, "20", "20"], env=self.env, check=True)
        for _ in range(20):
            subprocess.run(["xdotool", "windowfocus", "--sync", box], env=self.env, stderr=subprocess.DEVNULL)
            subprocess.run(["xdotool", "key", "Return"], env=self.env, stderr=subprocess.DEVNULL)
            time.sleep(0.5)
            if self.proc.poll() is not None or not self._window_titled(title):
                return
        raise E2EError("the message box did not close")

    # --- closing --------------------------------------------------------------------------
    def close(self, window=None):
        """Closes a window as a window manager would: a WM_DELETE_WINDOW client message."""
        send_delete_window(self.display, int(window or self.window))


def x11_library():
    """libX11, with the signatures of opening and closing a display and finding its root window."""
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x11


class _LiveScreen:
    """One connection to the X server for reading single pixels of the root window."""

    def __init__(self, display_name):
        x11 = x11_library()
        x11.XGetImage.restype = ctypes.c_void_p
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                  ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XGetPixel.restype = ctypes.c_ulong
        x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        x11.XDestroyImage.argtypes = [ctypes.c_void_p]
        self.x11 = x11
        self.dpy = x11.XOpenDisplay(display_name.encode())
        if not self.dpy:
            raise E2EError(f"cannot open display {display_name}")
        self.root = x11.XDefaultRootWindow(self.dpy)

    def pixel(self, x, y):
        image = self.x11.XGetImage(self.dpy, self.root, x, y, 1, 1, 0xFFFFFFFF, 2)  # ZPixmap
        if not image:
            raise E2EError("XGetImage failed")
        value = self.x11.XGetPixel(image, 0, 0)
        self.x11.XDestroyImage(image)
        return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF)

    def close(self):
        if self.dpy:
            self.x11.XCloseDisplay(self.dpy)
            self.dpy = None


class _XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def send_delete_window(display_name, window):
    x11 = x11_library()
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    dpy = x11.XOpenDisplay(display_name.encode())
    if not dpy:
        raise E2EError(f"cannot open display {display_name}")
    ev = _XEvent()
    ev.xclient.type = 33  # ClientMessage
    ev.xclient.window = window
    ev.xclient.message_type = x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
    ev.xclient.format = 32
    ev.xclient.data[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
    ev.xclient.data[1] = 0  # CurrentTime
    x11.XSendEvent(dpy, window, 0, 0, ctypes.byref(ev))
    x11.XFlush(dpy)
    x11.XCloseDisplay(dpy)


def check(condition, message):
    if not condition:
        raise E2EError(message)
