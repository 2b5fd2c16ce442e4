"""The light-sequence game at the first level: started from the list, it lights its first
sequence of four buttons (found by comparing screenshots with one taken when no button is lit);
the scenario clicks them back in that order and watches the longer sequence that follows,
which must begin with the first one. It then leaves through the in-game menu; the game's
statistics file books one game."""
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


def grab(s, path):
    subprocess.run(["import", "-window", "root", path], env=s.env, check=True)
    return path


def rgb(path):
    return subprocess.run(["convert", path, "rgb:-"], capture_output=True, check=True).stdout


def lit_centre(base, shot):
    """Centre of the one region where shot differs from base (a lit button), None when nothing
    differs, 'veil' when most of the screen does (the countdown)."""
    points = []
    row = W * 3
    for y in range(TOP, H, STRIDE):
        a, b = base[y * row:(y + 1) * row], shot[y * row:(y + 1) * row]
        if a == b:
            continue
        for x in range(0, W, STRIDE):
            i = x * 3
            if abs(a[i] - b[i]) + abs(a[i + 1] - b[i + 1]) + abs(a[i + 2] - b[i + 2]) > 40:
                points.append((x, y))
    if not points:
        return None
    if len(points) > 1500:
        return "veil"
    # The largest group of points around one centre (a single lit button).
    best = []
    for px, py in points[::max(1, len(points) // 50)]:
        group = [(x, y) for x, y in points if abs(x - px) < 30 and abs(y - py) < 30]
        if len(group) > len(best):
            best = group
    cx = sum(x for x, _ in best) / len(best)
    cy = sum(y for _, y in best) / len(best)
    return (round(cx), round(cy))


def watch(s, label, seconds):
    """Screenshots for that long, as fast as they come; returns (time, path) pairs."""
    folder = os.path.join(s.scratch, label)
    os.makedirs(folder, exist_ok=True)
    shots = []
    end = time.time() + seconds
    n = 0
    while time.time() < end:
        t = time.time()
        shots.append((t, grab(s, os.path.join(folder, f"{n:03d}.png"))))
        n += 1
    return shots


def flashes(s, shots, base_path, label):
    """The lit buttons in the order they lit: runs of shots showing the same button, split where
    a shot in between shows none. Keeps one shot of a lit button in the shot folder."""
    base = rgb(base_path)
    runs = []
    previous = None
    kept = False
    gaps = []
    last_t = None
    for t, path in shots:
        c = lit_centre(base, rgb(path))
        if last_t is not None:
            gaps.append(t - last_t)
        last_t = t
        if c == "veil":
            previous = None
            continue
        if c is not None and not kept:
            subprocess.run(["cp", path, os.path.join(s.shot_dir, f"{s.name}-{label}-lit.png")], check=True)
            kept = True
        if c is not None and previous is not None and near(c, previous):
            runs[-1][1].append(t)
        elif c is not None:
            runs.append((c, [t]))
        previous = c
    worst = max(gaps) if gaps else 0
    print(f"{label}: {len(shots)} shots, longest gap {worst:.2f} s, lit runs "
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

    sequence = None
    for attempt in range(3):
        start_remembering(s, menu)
        # Countdown (3 s) and the showing (10 s), then the player's turn with nothing lit.
        shots = watch(s, f"show{attempt}", 13.5)
        s.sleep(0.3)
        base = s.screenshot(f"turn{attempt}")
        seen = flashes(s, shots, base, f"show{attempt}")
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
    s.screenshot("repeated")
    # The last clicked button lights for a second, then the longer sequence is shown.
    s.sleep(max(0.0, clicked + 1.15 - time.time()))
    shots = watch(s, "grown", 10.5)
    s.sleep(0.5)
    base2 = s.screenshot("grown-turn")
    grown = flashes(s, shots, base2, "grown")

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
    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    sav = s.file("gedächtnis.sav")
    check(sav is not None, "gedächtnis.sav not written after leaving the game")
    check(sav_value(sav, "ANZ_SPIELE:") == 1, f"gedächtnis.sav does not book one game: {sav!r}")
    check(b"EINTRAG_START" in sav, f"no top-ten line in gedächtnis.sav: {sav!r}")
print("remembering scenario passed")
