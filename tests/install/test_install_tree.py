"""The installed tree (cmake --install into a temporary DESTDIR): the file list, the desktop
entry, AppStream metadata, icons and manual page as the desktop's own validators see them,
and the launcher, run with a stand-in for the game that reports where it was started.

usage: test_install_tree.py BUILD_DIR SOURCE_DIR
"""
import configparser
import gzip
import os
import shutil
import stat
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

BUILD_DIR, SOURCE_DIR = (os.path.abspath(p) for p in sys.argv[1:3])
CMAKE = os.environ.get("KW_CMAKE", "cmake")
DATA = ("sport.gob", "deutsch.lng", "english.lng")
ICON_SIZES = (48, 64, 128, 256)
XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"
LAUNCHER = "games/knobelwerk"

# The stand-in for the game: it reports its folder, its arguments and the files it sees there,
# then ends with a code of its own, which the launcher must hand on.
STUB = """#!/bin/sh
{ pwd -P; echo "args:$#"; ls -A; } > "$KW_STUB_REPORT"
exit 7
"""


def install(root):
    subprocess.run([CMAKE, "--install", BUILD_DIR, "--prefix", "/usr"], env=dict(os.environ, DESTDIR=root),
                   check=True, stdout=subprocess.DEVNULL)
    return os.path.join(root, "usr")


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is no PNG"
    return struct.unpack(">II", head[16:24])


def project_version():
    with open(os.path.join(BUILD_DIR, "CMakeCache.txt")) as f:
        return next(line.split("=", 1)[1].strip() for line in f if line.startswith("CMAKE_PROJECT_VERSION:"))


def setUpModule():
    global TOP, USR, APP_ID
    TOP = tempfile.mkdtemp(prefix="kw-install-")
    USR = install(os.path.join(TOP, "root"))
    apps = os.listdir(os.path.join(USR, "share", "applications"))
    APP_ID = apps[0][: -len(".desktop")] if len(apps) == 1 else None


def tearDownModule():
    shutil.rmtree(TOP, ignore_errors=True)


class InstalledFiles(unittest.TestCase):
    def test_every_file_in_its_standard_place_and_nothing_else(self):
        self.assertIsNotNone(APP_ID, "exactly one desktop entry expected")
        expected = {
            LAUNCHER,
            "libexec/knobelwerk/knobelwerk",
            "share/doc/knobelwerk/copyright",
            "share/doc/knobelwerk/changelog.gz",
            "share/lintian/overrides/knobelwerk",
            *(f"share/knobelwerk/{f}" for f in DATA),
            f"share/applications/{APP_ID}.desktop",
            f"share/metainfo/{APP_ID}.metainfo.xml",
            *(f"share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png" for n in ICON_SIZES),
            f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
            "share/man/man6/knobelwerk.6.gz",
            "share/knobelwerk/intro.avi",
        }
        found = {os.path.relpath(os.path.join(d, f), USR) for d, _, files in os.walk(USR) for f in files}
        self.assertEqual(found, expected)
        for exe in (LAUNCHER, "libexec/knobelwerk/knobelwerk"):
            self.assertEqual(stat.S_IMODE(os.stat(os.path.join(USR, exe)).st_mode), 0o755, exe)
        for f in DATA:
            self.assertEqual(stat.S_IMODE(os.stat(os.path.join(USR, "share/knobelwerk", f)).st_mode), 0o644, f)

    def test_desktop_entry_is_valid_and_launches_the_game_from_the_games_menu(self):
        path = os.path.join(USR, "share", "applications", f"{APP_ID}.desktop")
        r = subprocess.run(["desktop-file-validate", path], capture_output=True, text=True)
        self.assertEqual((r.returncode, r.stdout + r.stderr), (0, ""))
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(path, encoding="utf-8")
        e = entry["Desktop Entry"]
        self.assertEqual(e["Exec"], "knobelwerk")
        self.assertEqual(e["Icon"], APP_ID)
        self.assertEqual(e["Terminal"], "false")
        self.assertEqual(e["StartupWMClass"], "knobelwerk")
        self.assertIn("Game", e["Categories"].split(";"))
        self.assertIn("LogicGame", e["Categories"].split(";"))
        for key in ("Name", "Comment", "GenericName", "Keywords"):
            self.assertTrue(e[key] and e[f"{key}[de]"], key)
        self.assertNotEqual(e["Comment"], e["Comment[de]"])

    def test_appstream_metadata_is_valid_and_matches_the_desktop_entry(self):
        path = os.path.join(USR, "share", "metainfo", f"{APP_ID}.metainfo.xml")
        for args in (["validate", "--no-net", "--pedantic", path], ["validate-tree", "--no-net", "--pedantic", TOP + "/root"]):
            r = subprocess.run(["appstreamcli", *args, "--explain"], capture_output=True, text=True)
            self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
            self.assertNotRegex(r.stdout, r"(?m)^[EWIP]: ", "a finding even at the pedantic level")
        root = ET.parse(path).getroot()
        self.assertEqual(root.findtext("project_license"), "MIT")
        self.assertEqual(root.find("releases/release").get("version"), project_version())
        self.assertEqual(root.find("content_rating").get("type"), "oars-1.1")
        self.assertEqual(root.findtext("id"), APP_ID)
        self.assertEqual(root.findtext("launchable"), f"{APP_ID}.desktop")
        self.assertEqual(root.findtext("provides/binary"), "knobelwerk")
        paragraphs = root.findall("description/p")
        self.assertTrue(any(p.get(XML_LANG) is None for p in paragraphs), "no English description")
        self.assertTrue(any(p.get(XML_LANG) == "de" for p in paragraphs), "no German description")
        self.assertTrue(any(s.get(XML_LANG) == "de" for s in root.findall("summary")), "no German summary")

    def test_screenshots_are_the_committed_pictures_at_their_size_with_captions_in_both_languages(self):
        root = ET.parse(os.path.join(USR, "share", "metainfo", f"{APP_ID}.metainfo.xml")).getroot()
        shots = root.findall("screenshots/screenshot")
        committed = os.path.join(SOURCE_DIR, "data", "desktop", "screenshots")
        self.assertEqual({os.path.basename(s.findtext("image")) for s in shots}, set(os.listdir(committed)))
        self.assertGreaterEqual(len(shots), 5)
        for shot in shots:
            image = shot.find("image")
            self.assertRegex(image.text, r"^https://.*/data/desktop/screenshots/[a-z]+\.png$")
            self.assertEqual(png_size(os.path.join(committed, os.path.basename(image.text))), (1024, 768))
            self.assertEqual(sorted(c.get(XML_LANG, "en") for c in shot.findall("caption")), ["de", "en"])

    def test_icons_have_their_sizes_and_the_svg_draws_the_same_picture(self):
        icons = os.path.join(USR, "share", "icons", "hicolor")
        for n in ICON_SIZES:
            self.assertEqual(png_size(os.path.join(icons, f"{n}x{n}", "apps", f"{APP_ID}.png")), (n, n))
        svg = os.path.join(icons, "scalable", "apps", f"{APP_ID}.svg")
        root = ET.parse(svg).getroot()
        self.assertEqual(root.get("viewBox"), "0 0 256 256")
        if shutil.which("rsvg-convert") is None:
            self.skipTest("rsvg-convert is not installed")
        rendered = os.path.join(TOP, "svg-256.png")
        subprocess.run(["rsvg-convert", "-w", "256", "-h", "256", "-o", rendered, svg], check=True)
        # Root mean square difference over all channels, 0..1: the SVG and the PNG are one drawing
        # by two renderers, so only anti-aliasing differs.
        r = subprocess.run(["compare", "-metric", "RMSE", rendered,
                            os.path.join(icons, "256x256", "apps", f"{APP_ID}.png"), "null:"],
                           capture_output=True, text=True)
        rmse = float(r.stderr.split("(")[1].split(")")[0])
        self.assertLess(rmse, 0.02, r.stderr)

    def test_manual_page_formats_without_warnings(self):
        page = os.path.join(TOP, "knobelwerk.6")
        with gzip.open(os.path.join(USR, "share", "man", "man6", "knobelwerk.6.gz")) as src, open(page, "wb") as dst:
            dst.write(src.read())
        r = subprocess.run(["groff", "-man", "-ww", "-z", page], capture_output=True, text=True)
        self.assertEqual((r.returncode, r.stderr), (0, ""))
        r = subprocess.run(["man", "-l", page], capture_output=True, text=True,
                           env=dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8", MANPAGER="cat", PAGER="cat"))
        for section in ("NAME", "SYNOPSIS", "DESCRIPTION", "FILES", "ENVIRONMENT", "EXIT STATUS"):
            self.assertIn(f"\n{section}\n", r.stdout)
        self.assertIn(".local/share/knobelwerk", r.stdout)


class Launcher(unittest.TestCase):
    """The installed launcher, with the program replaced by the stand-in."""

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="kw-launcher-", dir=TOP)
        self.usr = self.copy_installation("install one")
        self.home = os.path.join(self.dir, "home of player")
        os.makedirs(self.home)
        self.report = os.path.join(self.dir, "report")

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def copy_installation(self, name):
        usr = os.path.join(self.dir, name, "usr")
        shutil.copytree(USR, usr, symlinks=True)
        with open(os.path.join(usr, "libexec", "knobelwerk", "knobelwerk"), "w") as f:
            f.write(STUB)
        # The scenarios start from an installation without the intro video and add one where
        # they need it.
        intro = os.path.join(usr, "share", "knobelwerk", "intro.avi")
        if os.path.exists(intro):
            os.remove(intro)
        return usr

    def launch(self, usr=None, *args, env=None, launcher=None):
        e = {"PATH": os.environ["PATH"], "HOME": self.home, "KW_STUB_REPORT": self.report}
        e.update(env or {})
        e = {k: v for k, v in e.items() if v is not None}
        if os.path.exists(self.report):
            os.remove(self.report)
        return subprocess.run([launcher or os.path.join(usr or self.usr, LAUNCHER), *args],
                              cwd=self.dir, env=e, capture_output=True, text=True, timeout=30)

    def reported(self):
        with open(self.report) as f:
            lines = f.read().splitlines()
        return lines[0], lines[1], set(lines[2:])

    def folder(self):
        return os.path.join(self.home, ".local", "share", "knobelwerk")

    def test_first_start_makes_a_private_folder_with_links_and_runs_the_game_there(self):
        r = self.launch()
        self.assertEqual(r.returncode, 7, r.stderr)
        self.assertEqual(r.stderr, "")
        cwd, args, files = self.reported()
        self.assertEqual(cwd, os.path.realpath(self.folder()))
        self.assertEqual(args, "args:0")
        self.assertEqual(files, set(DATA))
        self.assertEqual(stat.S_IMODE(os.stat(self.folder()).st_mode), 0o700)
        for f in DATA:
            link = os.path.join(self.folder(), f)
            self.assertTrue(os.path.islink(link))
            self.assertEqual(os.readlink(link), os.path.join(os.path.realpath(self.usr), "share", "knobelwerk", f))

    def test_xdg_data_home_is_used_when_absolute_and_ignored_when_relative(self):
        xdg = os.path.join(self.dir, "xdg data")
        self.assertEqual(self.launch(env={"XDG_DATA_HOME": xdg}).returncode, 7)
        self.assertEqual(self.reported()[0], os.path.join(os.path.realpath(xdg), "knobelwerk"))
        self.assertEqual(self.launch(env={"XDG_DATA_HOME": "relative/path"}).returncode, 7)
        self.assertEqual(self.reported()[0], os.path.realpath(self.folder()))
        self.assertFalse(os.path.exists(os.path.join(self.dir, "relative")))

    def test_links_follow_a_new_installation_and_the_players_files_stay(self):
        self.launch()
        with open(os.path.join(self.folder(), "knobel.cfg"), "wb") as f:
            f.write(b"SPRACHE:\t1\r\n")
        with open(os.path.join(self.folder(), "stats.sav"), "wb") as f:
            f.write(b"GAME_ZEIT:\t12\r\n")
        # The update comes with an intro video; the old installation disappears.
        usr2 = self.copy_installation("install two")
        with open(os.path.join(usr2, "share", "knobelwerk", "intro.avi"), "wb") as f:
            f.write(b"RIFF")
        shutil.rmtree(os.path.join(self.dir, "install one"))
        self.assertEqual(self.launch(usr2).returncode, 7)
        self.assertEqual(self.reported()[2], {*DATA, "intro.avi", "knobel.cfg", "stats.sav"})
        for f in (*DATA, "intro.avi"):
            self.assertTrue(os.path.samefile(os.path.join(self.folder(), f), os.path.join(usr2, "share", "knobelwerk", f)))
        with open(os.path.join(self.folder(), "knobel.cfg"), "rb") as f:
            self.assertEqual(f.read(), b"SPRACHE:\t1\r\n")
        with open(os.path.join(self.folder(), "stats.sav"), "rb") as f:
            self.assertEqual(f.read(), b"GAME_ZEIT:\t12\r\n")
        # The next one ships no intro video again: the stale link goes.
        usr3 = self.copy_installation("install three")
        self.assertEqual(self.launch(usr3).returncode, 7)
        self.assertEqual(self.reported()[2], {*DATA, "knobel.cfg", "stats.sav"})

    def test_a_real_file_of_the_players_own_is_left_alone_and_mentioned(self):
        os.makedirs(self.folder())
        own = os.path.join(self.folder(), "english.lng")
        with open(own, "wb") as f:
            f.write(b"my own texts")
        r = self.launch()
        self.assertEqual(r.returncode, 7)
        self.assertFalse(os.path.islink(own))
        with open(own, "rb") as f:
            self.assertEqual(f.read(), b"my own texts")
        self.assertIn("english.lng", r.stderr)

    def test_missing_data_or_program_give_a_clear_message_and_no_game(self):
        for missing in ("share/knobelwerk/sport.gob", "share/knobelwerk/deutsch.lng", "libexec/knobelwerk/knobelwerk"):
            with self.subTest(missing=missing):
                usr = self.copy_installation(f"broken {os.path.basename(missing)}")
                os.remove(os.path.join(usr, missing))
                r = self.launch(usr)
                self.assertEqual(r.returncode, 1)
                self.assertFalse(os.path.exists(self.report), "the game ran")
                self.assertRegex(r.stderr, r"^knobelwerk: .*(game data are missing|program .* is missing)")
                self.assertIn(os.path.basename(missing), r.stderr)
                self.assertIn("reinstall", r.stderr)

    def test_no_usable_folder_gives_a_clear_message(self):
        blocker = os.path.join(self.dir, "a file")
        with open(blocker, "w") as f:
            f.write("in the way")
        cases = {"folder is a file": {"XDG_DATA_HOME": blocker},
                 "no HOME and no XDG_DATA_HOME": {"HOME": None},
                 "relative HOME": {"HOME": "home"}}
        for name, env in cases.items():
            with self.subTest(name):
                r = self.launch(env=env)
                self.assertEqual(r.returncode, 1)
                self.assertFalse(os.path.exists(self.report), "the game ran")
                self.assertRegex(r.stderr, r"^knobelwerk: .*(folder|HOME)")

    def test_version_and_help_are_answered_without_the_game_and_other_arguments_refused(self):
        r = self.launch(None, "--version")
        self.assertEqual((r.returncode, r.stdout), (0, f"Knobelwerk {project_version()}\n"))
        r = self.launch(None, "--help")
        self.assertEqual(r.returncode, 0)
        self.assertIn("--version", r.stdout)
        for args in (["--fullscreen"], ["--version", "--help"]):
            r = self.launch(None, *args)
            self.assertEqual(r.returncode, 2)
            self.assertIn("no arguments", r.stderr)
        self.assertFalse(os.path.exists(self.report))

    def test_works_when_called_through_a_symbolic_link(self):
        link = os.path.join(self.dir, "games", "knobelwerk")
        os.makedirs(os.path.dirname(link))
        os.symlink(os.path.join(self.usr, LAUNCHER), link)
        r = self.launch(launcher=link)
        self.assertEqual(r.returncode, 7, r.stderr)
        self.assertEqual(self.reported()[2], set(DATA))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
