"""The Debian package, built with cpack from this build into a temporary folder: its fields,
its files, and its dependencies, which must be exactly the run-time packages the program
needs (the packages of the shared libraries it links against, and the two font packages)
and nothing from the build; and its recommendations, exactly the packages of the FFmpeg
libraries the program opens for the intro (the sonames of the headers it was compiled against).

usage: test_package.py BUILD_DIR
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

BUILD_DIR = os.path.abspath(sys.argv[1])
CPACK = os.environ.get("KW_CPACK", "cpack")
FONTS = {"fonts-liberation2", "fonts-comic-neue"}
ALWAYS = {"libsdl2-2.0-0", "libsdl2-image-2.0-0", "libsdl2-ttf-2.0-0", "libsdl2-mixer-2.0-0", "libfontconfig1"}
DATA = ("sport.gob", "deutsch.lng", "english.lng")


def setUpModule():
    global TOP, DEB, FIELDS, CONTENTS
    TOP = tempfile.mkdtemp(prefix="kw-package-")
    DEB = cpack(os.path.join(TOP, "first"))
    FIELDS = {}
    for line in subprocess.run(["dpkg-deb", "--field", DEB], capture_output=True, text=True, check=True).stdout.splitlines():
        if line and not line[0].isspace():
            key, _, value = line.partition(":")
            FIELDS[key] = value.strip()
    CONTENTS = subprocess.run(["dpkg-deb", "--contents", DEB], capture_output=True, text=True, check=True).stdout


def tearDownModule():
    shutil.rmtree(TOP, ignore_errors=True)


def depends(field="Depends"):
    """Package names of a relation field, without version relations."""
    names = set()
    for item in FIELDS.get(field, "").split(","):
        for alternative in item.split("|"):
            names.add(re.sub(r"\s*\(.*\)", "", alternative).strip().split(":")[0])
    return names - {""}


def needed_packages(binary):
    """The Debian packages that own the shared libraries the binary is linked against."""
    dynamic = subprocess.run(["readelf", "-d", binary], capture_output=True, text=True, check=True).stdout
    ldd = subprocess.run(["ldd", binary], capture_output=True, text=True, check=True).stdout
    paths = {}
    for line in ldd.splitlines():
        name, arrow, rest = line.strip().partition(" => ")
        if arrow and rest.startswith("/"):
            paths[name] = rest.split()[0]
    return owners_of(re.findall(r"\(NEEDED\)\s+Shared library: \[(.+?)\]", dynamic), paths)


def video_libraries():
    """The FFmpeg libraries the program opens: their sonames, from the major versions in the
    headers it was compiled against, and their paths in the libraries' folder."""
    paths = {}
    for module in ("avutil", "swresample", "swscale", "avcodec", "avformat"):
        variables = {}
        for variable in ("includedir", "libdir"):
            variables[variable] = subprocess.run(["pkg-config", f"--variable={variable}", f"lib{module}"],
                                                 capture_output=True, text=True, check=True).stdout.strip()
        text = ""
        for header in ("version_major.h", "version.h"):
            path = os.path.join(variables["includedir"], f"lib{module}", header)
            if os.path.exists(path):
                with open(path) as f:
                    text += f.read()
        major = re.search(rf"#define\s+LIB{module.upper()}_VERSION_MAJOR\s+(\d+)", text)
        if major is None:
            raise AssertionError(f"no major version in the headers of lib{module}")
        soname = f"lib{module}.so.{major.group(1)}"
        path = os.path.join(variables["libdir"], soname)
        if os.path.exists(path):
            paths[soname] = path
    return paths


def owners_of(sonames, paths):
    """The Debian packages that own the libraries of the sonames, found by their paths."""
    wanted = {}
    for soname in sonames:
        path = paths.get(soname)
        if path is None:
            raise AssertionError(f"{soname} is not found on this machine")
        # dpkg knows a library by the path its package installed, which may be the real file
        # or the link beside it (/lib and /usr/lib are the same folder on Debian 12).
        wanted[soname] = {path, os.path.realpath(path), path.replace("/usr/lib/", "/lib/", 1),
                          os.path.realpath(path).replace("/usr/lib/", "/lib/", 1)}
    # One dpkg query for all of them: each answer line is "package[:arch]: path".
    query = sorted(set().union(*wanted.values()))
    owners = {}
    for line in subprocess.run(["dpkg", "-S", *query], capture_output=True, text=True).stdout.splitlines():
        package, _, path = line.partition(": ")
        owners[path.strip()] = package.split(":")[0]
    packages = set()
    for soname, candidates in wanted.items():
        found = [owners[c] for c in candidates if c in owners]
        if not found:
            raise AssertionError(f"no package owns {soname}")
        packages.add(found[0])
    return packages


def cpack(folder):
    r = subprocess.run([CPACK, "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake"), "-B", folder],
                       cwd=BUILD_DIR, capture_output=True, text=True)
    if r.returncode != 0:
        raise RuntimeError(f"cpack failed:\n{r.stdout}\n{r.stderr}")
    debs = glob.glob(os.path.join(folder, "*.deb"))
    if len(debs) != 1:
        raise RuntimeError(f"cpack made {debs}")
    return debs[0]


class Package(unittest.TestCase):
    def test_lintian_finds_no_error_or_warning(self):
        r = subprocess.run(["lintian", "--fail-on", "error,warning", DEB], capture_output=True, text=True)
        self.assertEqual((r.returncode, r.stdout), (0, ""), r.stderr)

    def test_a_second_package_of_the_same_build_is_byte_identical(self):
        with open(DEB, "rb") as a, open(cpack(os.path.join(TOP, "again")), "rb") as b:
            self.assertTrue(a.read() == b.read(), "the two packages differ")
        # Every file carries the one time stamp of the source, not the time of its build.
        self.assertEqual(len({tuple(line.split()[3:5]) for line in CONTENTS.splitlines()}), 1)

    def test_generated_art_sounds_and_video_come_out_the_same_again(self):
        again, tools = os.path.join(TOP, "generated"), os.path.join(BUILD_DIR, "tools")
        for tool, out in (("artgen", "art"), ("soundgen", "sounds"), ("introgen", "intro.avi")):
            os.makedirs(os.path.join(again, "art"), exist_ok=True)
            os.makedirs(os.path.join(again, "sounds"), exist_ok=True)
            subprocess.run([os.path.join(tools, tool, tool), os.path.join(again, out)], check=True,
                           stdout=subprocess.DEVNULL)
        for built, new in (("generated/art", "art"), ("generated/sounds", "sounds"), ("data/intro.avi", "intro.avi")):
            r = subprocess.run(["diff", "-rq", os.path.join(BUILD_DIR, built), os.path.join(again, new)],
                               capture_output=True, text=True)
            self.assertEqual(r.returncode, 0, r.stdout + r.stderr)

    def test_fields(self):
        arch = subprocess.run(["dpkg", "--print-architecture"], capture_output=True, text=True).stdout.strip()
        self.assertEqual(FIELDS["Package"], "knobelwerk")
        self.assertEqual(FIELDS["Section"], "games")
        self.assertEqual(FIELDS["Architecture"], arch)
        self.assertRegex(FIELDS["Version"], r"^\d+\.\d+\.\d+$")
        self.assertRegex(FIELDS["Maintainer"], r"^.+ <.+@.+>$")
        self.assertTrue(FIELDS["Description"])
        self.assertEqual(os.path.basename(DEB), f"knobelwerk_{FIELDS['Version']}_{arch}.deb")

    def test_depends_on_exactly_the_run_time_packages(self):
        deps = depends()
        self.assertLessEqual(ALWAYS | FONTS, deps)
        linked = needed_packages(os.path.join(BUILD_DIR, "knobelwerk"))
        self.assertLessEqual(linked, deps, "a linked library's package is missing")
        self.assertEqual(deps - linked - FONTS, set(), "depends on packages the program does not use")
        for d in deps:
            self.assertFalse(d.endswith("-dev") or "cairo" in d or "gtest" in d or "benchmark" in d, d)
        for field in ("Build-Depends", "Pre-Depends"):
            self.assertNotIn(field, FIELDS)

    def test_recommends_exactly_the_video_libraries_the_program_opens(self):
        # The program starts without them, so they are not required, but apt installs them.
        libraries = video_libraries()
        video = owners_of(libraries, libraries)
        self.assertEqual(len(video), 5, video)
        self.assertEqual(depends("Recommends"), video)
        self.assertEqual(depends() & video, set())
        for item in FIELDS["Recommends"].split(","):
            self.assertRegex(item.strip(), r"^\S+ \(>= [^)]+\)$", "a minimum version, as for a linked library")

    def test_contents_are_the_installed_tree_owned_by_root(self):
        files = {}
        for line in CONTENTS.splitlines():
            parts = line.split()
            mode, owner, path = parts[0], parts[1], parts[-1]
            self.assertEqual(owner, "root/root", line)
            if not mode.startswith("d"):
                files[path] = mode
        app = [p for p in files if p.startswith("./usr/share/applications/")]
        self.assertEqual(len(app), 1, app)
        app_id = os.path.basename(app[0])[: -len(".desktop")]
        expected = {
            "./usr/games/knobelwerk": "-rwxr-xr-x",
            "./usr/share/doc/knobelwerk/copyright": "-rw-r--r--",
            "./usr/share/doc/knobelwerk/changelog.gz": "-rw-r--r--",
            "./usr/share/lintian/overrides/knobelwerk": "-rw-r--r--",
            "./usr/libexec/knobelwerk/knobelwerk": "-rwxr-xr-x",
            **{f"./usr/share/knobelwerk/{f}": "-rw-r--r--" for f in DATA},
            f"./usr/share/applications/{app_id}.desktop": "-rw-r--r--",
            f"./usr/share/metainfo/{app_id}.metainfo.xml": "-rw-r--r--",
            **{f"./usr/share/icons/hicolor/{n}x{n}/apps/{app_id}.png": "-rw-r--r--" for n in (48, 64, 128, 256)},
            f"./usr/share/icons/hicolor/scalable/apps/{app_id}.svg": "-rw-r--r--",
            "./usr/share/man/man6/knobelwerk.6.gz": "-rw-r--r--",
            "./usr/share/knobelwerk/intro.avi": "-rw-r--r--",
        }
        self.assertEqual(files, expected)

    def test_program_is_stripped(self):
        unpacked = os.path.join(TOP, "unpacked")
        subprocess.run(["dpkg-deb", "-x", DEB, unpacked], check=True)
        sections = subprocess.run(["readelf", "-S", os.path.join(unpacked, "usr/libexec/knobelwerk/knobelwerk")],
                                  capture_output=True, text=True, check=True).stdout
        self.assertNotIn(".symtab", sections)
        self.assertNotIn(".debug_info", sections)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
