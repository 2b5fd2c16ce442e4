"""The libraries the program maps at start: FFmpeg is not among them, neither linked directly
(the dynamic section's NEEDED entries) nor brought in by another library. The program opens it
itself when a video plays.

usage: test_program_libraries.py PROGRAM
"""
import os
import re
import subprocess
import sys
import unittest

PROGRAM = os.path.abspath(sys.argv[1])
VIDEO = re.compile(r"^lib(avformat|avcodec|avutil|avfilter|avdevice|swscale|swresample|postproc)\.so")


def needed(binary):
    dynamic = subprocess.run(["readelf", "-d", binary], capture_output=True, text=True, check=True).stdout
    return re.findall(r"\(NEEDED\)\s+Shared library: \[(.+?)\]", dynamic)


class ProgramLibraries(unittest.TestCase):
    def test_ffmpeg_is_not_linked(self):
        names = needed(PROGRAM)
        self.assertIn("libSDL2-2.0.so.0", names)  # the list was read
        self.assertEqual([n for n in names if VIDEO.match(n)], [])

    def test_nothing_maps_ffmpeg_at_start(self):
        ldd = subprocess.run(["ldd", PROGRAM], capture_output=True, text=True, check=True).stdout
        loaded = [line.split()[0] for line in ldd.splitlines() if line.strip()]
        self.assertTrue(any(n.startswith("libSDL2-2.0") for n in loaded), ldd)
        self.assertEqual([n for n in loaded if VIDEO.match(n)], [])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
