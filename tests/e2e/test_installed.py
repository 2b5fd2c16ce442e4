"""The installed game, started as the desktop menu starts it: an install into a temporary
DESTDIR, then the installed launcher with a temporary HOME. The window opens (its window
class is the one the desktop entry names), quitting writes the settings and the statistics
into the player's folder and nothing into the installed tree, the player's earlier settings
are kept, a second player with another HOME starts clean, and without the game data the
launcher says so and fails."""
import configparser
import os
import stat
import subprocess
import sys
import tempfile

from harness import Session, check

BUILD_DIR = os.path.dirname(os.path.abspath(sys.argv[1]))
CMAKE = os.environ.get("KW_CMAKE", "cmake")
PLAY_RIGHT = (630, 266)  # on the "Play" button, right of its label: hovered, label readable
ENGLISH_SETTINGS = b"FULLSCREEN:\t0\r\nSPRACHE:\t1\r\nSOUND:\t100\r\nMUSIK:\t100\r\nINTRO:\t0\r\n"


def install(root):
    env = dict(os.environ, DESTDIR=root)
    subprocess.run([CMAKE, "--install", BUILD_DIR, "--prefix", "/usr"], env=env, check=True,
                   stdout=subprocess.DEVNULL)
    return os.path.join(root, "usr")


def snapshot(tree):
    """Every entry below tree with its kind, size, mode, time and link target."""
    entries = {}
    for folder, dirs, files in os.walk(tree):
        for name in dirs + files:
            path = os.path.join(folder, name)
            st = os.lstat(path)
            target = os.readlink(path) if os.path.islink(path) else None
            entries[os.path.relpath(path, tree)] = (st.st_mode, st.st_size, st.st_mtime_ns, target)
    return entries


def player_env(session, home):
    env = dict(session.env, HOME=home)
    env.pop("XDG_DATA_HOME", None)
    return env


def read(path):
    with open(path, "rb") as f:
        return f.read()


def run_player(argv, usr, home, label, before=None):
    """One player's session: the launcher from the desktop entry, the menu, the window closed
    as a window manager closes it. Returns the player's folder."""
    folder = os.path.join(home, ".local", "share", "knobelwerk")
    with Session(argv, name=f"test_installed-{label}", settings=None, copy_data=False) as s:
        s.env = player_env(s, home)
        if before:
            before(folder)
        s.start(command=[os.path.join(usr, "games", "knobelwerk")], cwd=home)
        wm_class = subprocess.run(["xprop", "-id", s.window, "WM_CLASS"], env=s.env,
                                  capture_output=True, text=True).stdout
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        desktop = [f for f in os.listdir(os.path.join(usr, "share", "applications")) if f.endswith(".desktop")]
        entry.read(os.path.join(usr, "share", "applications", desktop[0]), encoding="utf-8")
        wm = entry["Desktop Entry"]["StartupWMClass"]
        check(f'"{wm}"' in wm_class, f"window class {wm_class.strip()!r} is not the desktop entry's {wm!r}")
        s.move(*PLAY_RIGHT)
        s.sleep(0.6)
        s.screenshot("menu")
        s.close()
        code = s.wait_exit()
        check(code == 0, f"{label}: exit code {code}")
        check("knobelwerk:" not in s.stderr(), f"{label}: launcher complained: {s.stderr()}")
    return folder


with tempfile.TemporaryDirectory(prefix="kw-installed-") as top:
    usr = install(os.path.join(top, "root dir"))  # a blank in the path on purpose
    installed = snapshot(usr)

    # The first player has played before: English, in a window, and their settings survive.
    home_a = os.path.join(top, "home-a")
    os.makedirs(home_a)

    def seed(folder):
        os.makedirs(folder)
        with open(os.path.join(folder, "knobel.cfg"), "wb") as f:
            f.write(ENGLISH_SETTINGS)

    folder_a = run_player(sys.argv, usr, home_a, "player-a", before=seed)
    cfg_a = read(os.path.join(folder_a, "knobel.cfg"))
    check(b"SPRACHE:\t1\r\n" in cfg_a and b"FULLSCREEN:\t0\r\n" in cfg_a, f"player A's settings lost: {cfg_a!r}")
    check(os.path.getsize(os.path.join(folder_a, "stats.sav")) > 0, "stats.sav not written into the player's folder")
    for f in ("sport.gob", "deutsch.lng", "english.lng"):
        link = os.path.join(folder_a, f)
        check(os.path.islink(link) and os.path.samefile(link, os.path.join(usr, "share", "knobelwerk", f)),
              f"{f} is not a link to the installed data")
    check(snapshot(usr) == installed, "the program changed the installed tree")

    # A second player with another HOME starts clean: default settings (German, full screen),
    # nothing of player A's.
    home_b = os.path.join(top, "home-b")
    os.makedirs(home_b)
    a_files = snapshot(folder_a)
    folder_b = run_player(sys.argv, usr, home_b, "player-b")
    cfg_b = read(os.path.join(folder_b, "knobel.cfg"))
    check(b"SPRACHE:\t0\r\n" in cfg_b and b"FULLSCREEN:\t1\r\n" in cfg_b, f"player B did not start clean: {cfg_b!r}")
    check(os.path.exists(os.path.join(folder_b, "stats.sav")), "player B's stats.sav missing")
    check(stat.S_IMODE(os.stat(folder_b).st_mode) == 0o700, "the new player's folder is not private")
    check(snapshot(folder_a) == a_files, "player B's run touched player A's folder")
    check(snapshot(usr) == installed, "the program changed the installed tree")

    # Without the game data the launcher names what is missing, fails, and opens no window.
    os.remove(os.path.join(usr, "share", "knobelwerk", "sport.gob"))
    with Session(sys.argv, name="test_installed-no-data", settings=None, copy_data=False) as s:
        r = subprocess.run([os.path.join(usr, "games", "knobelwerk")], cwd=home_b, env=player_env(s, home_b),
                           capture_output=True, text=True, timeout=30)
        check(r.returncode != 0, "the launcher succeeded without the game data")
        check("game data are missing" in r.stderr and "sport.gob" in r.stderr, f"unclear message: {r.stderr!r}")
        windows = subprocess.run(["xdotool", "search", "--name", "^Knobelwerk$"], env=s.env,
                                 capture_output=True, text=True).stdout
        check(windows.strip() == "", "a window opened without the game data")
print("installed game scenario passed")
