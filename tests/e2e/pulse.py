"""A private PulseAudio server for one scenario, and a recorder of what is played on it.

    with SoundServer() as server, Session(argv) as s:
        server.attach(s.env)         # the program plays through SDL's pulseaudio driver
        rec = server.recorder()      # everything the null sink plays, from now on
        s.start(); s.click(...)
        samples = rec.stop()         # left channel, 16-bit, 44.1 kHz

The server lives in its own temporary folder (socket, runtime and state files, no cookie: any
local client may connect), has one null sink as its default sink and loads nothing else, so
neither a desktop's sound server nor a system daemon is touched or heard. The null sink plays
exact zeros while nothing plays, so the first non-zero sample is where a sound begins.
"""
import array
import os
import shutil
import subprocess
import tempfile
import threading
import time
import wave

RATE = 44100
SINK = "kw_sink"


class SoundServer:
    def __init__(self):
        if shutil.which("pulseaudio") is None or shutil.which("parec") is None:
            print("pulseaudio and parec are missing (scripts/setup.sh installs them): skipped")
            raise SystemExit(77)
        self.dir = tempfile.mkdtemp(prefix="kw-pulse-")
        self.socket = os.path.join(self.dir, "native")
        self.proc = None
        with open(os.path.join(self.dir, "client.conf"), "w") as f:
            f.write("autospawn = no\n")
        # Run as root, the server warns and goes on; without a DISPLAY or a session bus it
        # cannot reach any other server or daemon.
        self.env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": self.dir,
                    "XDG_RUNTIME_DIR": self.dir, "XDG_CONFIG_HOME": self.dir, "PULSE_RUNTIME_PATH": self.dir,
                    "PULSE_STATE_PATH": self.dir, "PULSE_CLIENTCONFIG": os.path.join(self.dir, "client.conf"),
                    "DBUS_SESSION_BUS_ADDRESS": "disabled:", "PULSE_SERVER": "unix:" + self.socket}

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()
        shutil.rmtree(self.dir, ignore_errors=True)
        return False

    def start(self, timeout=20):
        if os.path.exists(self.socket):
            os.unlink(self.socket)
        self.log = open(os.path.join(self.dir, "server.log"), "ab")
        self.proc = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1",
             "--log-target=stderr", "--log-level=error",
             "-L", f"module-native-protocol-unix socket={self.socket} auth-anonymous=1",
             "-L", f"module-null-sink sink_name={SINK} rate={RATE} channels=2 format=s16le norewinds=1"],
            env=self.env, stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log)
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.proc.poll() is not None:
                raise AssertionError(f"the sound server ended at once: {self.read_log()}")
            if os.path.exists(self.socket) and subprocess.run(
                    ["pactl", "info"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0:
                return
            time.sleep(0.05)
        raise AssertionError("the sound server did not start")

    def stop(self):
        if self.proc is not None and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.proc = None
        if getattr(self, "log", None):
            self.log.close()
            self.log = None

    def read_log(self):
        with open(os.path.join(self.dir, "server.log"), "rb") as f:
            return f.read().decode("utf-8", "replace")[-2000:]

    def attach(self, env):
        """Points a program's environment at this server (SDL's pulseaudio driver)."""
        env.update(SDL_AUDIODRIVER="pulseaudio", PULSE_SERVER=self.env["PULSE_SERVER"],
                   PULSE_CLIENTCONFIG=self.env["PULSE_CLIENTCONFIG"], PULSE_RUNTIME_PATH=self.dir)
        return env

    def recorder(self, latency_ms=100):
        """Small latencies make the sink mix in small blocks (a finer clock for the recording),
        but leave a program's stream less time to refill."""
        return Recorder(self, latency_ms)


class Recorder:
    """parec on the null sink's monitor. A reader thread keeps the bytes and when they came, so
    that a sample's position maps to the clock: t(n) = start + n / RATE, where start is taken from
    the chunk that came earliest relative to its position (the least delayed one)."""

    def __init__(self, server, latency_ms):
        self.proc = subprocess.Popen(
            ["parec", "-d", SINK + ".monitor", "--raw", "--format=s16le", f"--rate={RATE}", "--channels=2",
             f"--latency-msec={latency_ms}"], env=server.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.data = bytearray()
        self.start = None
        self.lock = threading.Lock()
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        while True:
            chunk = os.read(self.proc.stdout.fileno(), 4096)
            now = time.monotonic()
            if not chunk:
                return
            with self.lock:
                self.data += chunk
                start = now - len(self.data) / 4 / RATE
                if self.start is None or start < self.start:
                    self.start = start

    def frames(self):
        with self.lock:
            return len(self.data) // 4

    def left(self, first=0):
        """The left channel from frame first on (the program plays mono effects on both)."""
        with self.lock:
            end = len(self.data) // 4 * 4
            stereo = array.array("h", bytes(self.data[first * 4:end]))
        return stereo[0::2]

    def time_of(self, frame):
        return self.start + frame / RATE

    def stop(self):
        time.sleep(0.2)
        self.proc.terminate()
        self.proc.wait()
        self.thread.join(5)
        return self.left()


def closed(samples, gap=16):
    """The samples with every run of gap or more zeros taken out, and how many runs there were:
    a stream that ran dry plays such runs in the middle of a sound."""
    out, runs, zeros = array.array("h"), 0, 0
    for v in samples:
        if v == 0:
            zeros += 1
            continue
        if zeros >= gap and out:
            runs += 1
        elif zeros and out:
            out.extend([0] * zeros)
        zeros = 0
        out.append(v)
    return out, runs


def separated(samples, effect, probe=32, tolerance=3):
    """(frames at which the effect begins, the samples with the effect taken out at each). A
    begin is a non-zero sample after a zero, followed by the effect's first samples (the mixer's
    format conversion may change a sample by a unit); taking each found effect out, what is left
    within a unit counts as zero, so an effect that starts while one still sounds is found too."""
    rest, head = array.array("i", samples), effect[:probe]
    out = []
    for i in range(1, len(rest) - probe):
        if rest[i] != 0 and rest[i - 1] == 0 and abs(rest[i] - head[0]) <= tolerance and \
                all(abs(rest[i + k] - head[k]) <= tolerance for k in range(probe)):
            out.append(i)
            for k, v in enumerate(effect[:len(rest) - i]):
                rest[i + k] = 0 if abs(rest[i + k] - v) <= tolerance else rest[i + k] - v
    return out, rest


def onsets(samples, effect):
    return separated(samples, effect)[0]


def played(samples, effect):
    """[(the recording from each begin of the effect on, up to the next begin or the effect's
    end, without the other begins' effects and with stream gaps closed; how many gaps more than
    the effect has)]."""
    starts, rest = separated(samples, effect)
    own_gaps = closed(effect)[1]
    out = []
    for n, start in enumerate(starts):
        end = max(starts[n + 1] if n + 1 < len(starts) else len(rest), start + len(effect))
        body = rest[start:end]
        for k, v in enumerate(effect[:len(body)]):
            body[k] += v
        body, gaps = closed(array.array("h", (max(-32768, min(32767, v)) for v in body)))
        out.append((body, max(0, gaps - own_gaps)))
    return out


def together(samples, effect, other, reach=1100, step=8, points=400, tolerance=4):
    """The sum of two effects one click starts: the mixer may begin them up to one of its blocks
    apart, in either order. Tried where a sound begins after silence; the sum at the offset that
    fits the recording there (within a unit or so per sample), or None."""
    starts, zeros = [], 16
    for i, v in enumerate(samples):
        if v and zeros >= 16:
            starts.append(i)
        zeros = 0 if v else zeros + 1
    for start in starts:
        best = (tolerance * points + 1, None)
        for at in range(-reach, reach + 1):  # other begins at samples later (earlier when negative)
            e0, o0, err = max(0, -at), max(0, at), 0
            for k in range(0, step * points, step):
                if start + k >= len(samples):
                    break
                a = effect[k - e0] if 0 <= k - e0 < len(effect) else 0
                b = other[k - o0] if 0 <= k - o0 < len(other) else 0
                err += abs(samples[start + k] - max(-32768, min(32767, a + b)))
                if err >= best[0]:
                    break
            else:
                best = (err, at)
        if best[1] is not None:
            at = best[1]
            return summed(effect, other, at) if at >= 0 else summed(other, effect, -at)
    return None


def summed(effect, other, at=0):
    """The effect with the other effect added from sample at on, clipped as the mixer clips."""
    out = array.array("h", effect) + array.array("h", [0] * max(0, at + len(other) - len(effect)))
    for k, v in enumerate(other):
        out[at + k] = max(-32768, min(32767, out[at + k] + v))
    return out


def save_wave(path, samples):
    """Mono 16-bit samples as a WAVE file, to listen to what a scenario recorded."""
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(samples.tobytes())


def wave_samples(path):
    """The samples of a 16-bit mono PCM WAVE file."""
    with open(path, "rb") as f:
        data = f.read()
    pos = 12
    while pos + 8 <= len(data):
        size = int.from_bytes(data[pos + 4:pos + 8], "little")
        if data[pos:pos + 4] == b"data":
            return array.array("h", data[pos + 8:pos + 8 + size - size % 2])
        pos += 8 + size + (size & 1)
    raise AssertionError(f"no data chunk in {path}")


def trimmed(samples):
    """The samples from the first to the last non-zero one."""
    nonzero = [i for i, v in enumerate(samples) if v != 0]
    return samples[nonzero[0]:nonzero[-1] + 1] if nonzero else samples[:0]


def matches(recorded, effect, tolerance=0.02, length_ms=3):
    """Whether a recorded stretch (gaps closed) is the whole effect: the same length within
    length_ms, and the residual's energy a small part of the effect's."""
    effect = closed(effect)[0]
    if abs(len(recorded) - len(effect)) > RATE * length_ms // 1000:
        return False
    n = min(len(recorded), len(effect))
    energy = sum(v * v for v in effect) or 1
    residual = sum((recorded[i] - effect[i]) ** 2 for i in range(n)) + sum(v * v for v in effect[n:])
    return residual <= tolerance * energy
