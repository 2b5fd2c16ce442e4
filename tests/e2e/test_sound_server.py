"""The program on a private PulseAudio server, heard through a recorder on its null sink. A
click on a menu element plays the whole menu click, from its first sample; two quick clicks are
two clicks; after two quiet seconds the device rests (the server sees no stream) and the next
click is still whole; the server stopped and started again under the shown menu costs no crash
and no hang, and the clicks are heard again; in games the game click, Memory's pop or punch, the
wrong-answer buzz, the alarm and the result page's fanfare are heard."""
import array
import os
import subprocess
import sys
import time

from harness import Session, check
from menu_nav import AWAY, Menu, card_centres
from pulse import RATE, SoundServer, closed, matches, onsets, played, save_wave, summed, together, trimmed, wave_samples

GERMAN = (400, 648)  # main page: the German flag, which keeps the page
EFFECTS = ("klick_menu", "klick_game", "win", "alarm", "lamp1", "pop", "punch")


def load_effects(s):
    gob = os.path.join(os.path.dirname(s.binary), "tools", "gob", "gob")
    out = {}
    for name in EFFECTS:
        path = os.path.join(s.scratch, name + ".wav")
        subprocess.run([gob, "extract", os.path.join(s.workdir, "sport.gob"), f"Sounds\\{name}.wav", path],
                       check=True, stdout=subprocess.DEVNULL)
        out[name] = trimmed(wave_samples(path))
    return out


def lit_buttons(s, seconds):
    """Centres of the buttons that light while the sequence shows, in the order first seen:
    small areas where a screenshot differs from one of the player's turn."""
    shots, end = [], time.time() + seconds
    while time.time() < end:
        shots.append(s.screenshot(f"show{len(shots)}"))
    s.sleep(2.0)
    base = s.screenshot("turn")
    centres = []
    for shot in shots:
        box = subprocess.run(["convert", base, shot, "-compose", "difference", "-composite", "-crop", "1024x700+0+60",
                              "+repage", "-threshold", "15%", "-trim", "-format", "%w %h %X %Y", "info:"],
                             capture_output=True, text=True).stdout  # below the changing header
        w, h, x, y = (int(v) for v in box.split())
        c = (x + w // 2, 60 + y + h // 2)
        if 10 < w <= 90 and 10 < h <= 90 and all(abs(c[0] - o[0]) + abs(c[1] - o[1]) > 30 for o in centres):
            centres.append(c)
    return centres


def streams(server):
    r = subprocess.run(["pactl", "list", "short", "sink-inputs"], env=server.env, capture_output=True, text=True)
    return r.stdout.strip()


def wait_rest(s, server, timeout=6.0):
    deadline = time.time() + timeout
    while streams(server) and time.time() < deadline:
        time.sleep(0.1)
    check(not streams(server), "the device did not rest after the quiet seconds")


def begins(samples, sound):
    """Whether the sound, an effect or a pair (effect, other) that one click starts, begins."""
    if isinstance(sound, tuple):
        sound = together(samples, *sound)
    return sound is not None and bool(onsets(samples, sound))


def heard(rec, since, *sounds, seconds=3.0):
    """Waits, a few seconds at most, until one of the sounds begins in the recording from frame
    since on (a busy machine may handle a click late)."""
    deadline = time.time() + seconds
    while not any(begins(rec.left(since), e) for e in sounds):
        if time.time() > deadline:
            return False
        time.sleep(0.1)
    return True


def check_effect(rec, since, effect, name, count=1, whole=True, over=None, until=None):
    """The effect was played count times from frame since on (up to frame until), each from its
    first sample (and, when whole, to its last); over is an effect the same click may start on
    top of it, in about the same moment (their sum) or later. Returns the stream gaps inside them."""
    time.sleep(0.5 + len(effect) / RATE)
    samples = rec.left(since)[:None if until is None else until - since]
    found = played(samples, effect)
    if over is not None and not found:
        effect = together(samples, effect, over) or summed(effect, over)
        found = played(samples, effect)
    save_wave(os.path.join(s.shot_dir, f"{s.name}-{name.replace(' ', '-')}.wav"), samples)
    check(len(found) == count, f"{name}: {count} onset(s) wanted, {len(found)} recorded")
    for body, _ in found:
        if over is not None:
            late = next((k for k, (a, b) in enumerate(zip(body, effect)) if abs(a - b) > 3), None)
            if late is not None:
                under = summed([0] * len(body), over, late)
                body = array.array("h", (a - b for a, b in zip(body, under)))
        check(matches(body if whole else body[:len(closed(effect)[0])], effect),
              f"{name}: the {len(body) * 1000 / RATE:.1f} ms recorded are not the effect's {len(effect) * 1000 / RATE:.1f}")
    return sum(g for _, g in found)


with SoundServer() as server, Session(sys.argv) as s:
    server.attach(s.env)
    effects = load_effects(s)
    click = effects["klick_menu"]
    rec = server.recorder()
    s.start()
    gaps = 0
    check(not rec.left().tobytes().strip(b"\0"), "sound while loading")

    # Two quiet seconds after start-up the device rests (no stream on the server); a click wakes it.
    wait_rest(s, server)
    mark = rec.frames()
    s.click(*GERMAN)
    gaps += check_effect(rec, mark, click, "a click that woke the device")

    mark = rec.frames()
    s.move(*GERMAN)
    s._xdotool("click", "--repeat", "2", "--delay", "90", "1")
    gaps += check_effect(rec, mark, click, "two quick clicks", count=2)

    wait_rest(s, server)
    mark = rec.frames()
    s.click(*GERMAN)
    gaps += check_effect(rec, mark, click, "a click after the rest")

    # The server goes away while the device plays, and comes back before two quiet seconds
    # passed: the lost device must not wait for its rest to be opened anew.
    s.click(*GERMAN, pause=0.02)
    server.stop()
    s.click(*GERMAN, pause=0.5)
    tried = time.time()
    s.click(*GERMAN, pause=0.1)
    check(s.proc.poll() is None, "the program ended when the sound server went away")
    server.start()
    rec = server.recorder()
    s.sleep(max(0.0, tried + 1.2 - time.time()))  # a failed reopening is tried again a second later
    mark = rec.frames()
    s.click(*GERMAN)
    gaps += check_effect(rec, mark, click, "a click after the server came back")
    s.screenshot("server-back")

    # Memory: a click on a card plays the game click; two cards played are a pair (pop) or,
    # once they have shown, not (punch).
    menu = Menu(s)
    shot = menu.start_game(5, "memory")
    cards = card_centres(shot, 2)
    check(len(cards) == 2, f"face-down cards not found on the screen: {cards}")
    # A pair pops as the second click sounds: the recording holds their sum. Each click waits to
    # be heard before the next: a click in a countdown that outlasted its time on a busy machine
    # is silent and turns nothing (it is made again), and two clicks handled in one late frame
    # would sound as one.
    pop = (effects["pop"], effects["klick_game"])
    marks = []
    for x, y in cards:
        for attempt in range(3):
            since = rec.frames()
            s.click(x, y, pause=0.1)
            if heard(rec, since, effects["klick_game"], pop):
                break
        marks.append(since)
    s.move(*AWAY)
    s.sleep(2.5)
    both = together(rec.left(marks[1]), *pop)
    if both is not None and played(rec.left(marks[1]), both):
        gaps += check_effect(rec, marks[0], effects["klick_game"], "a click on a card", whole=False, until=marks[1])
        gaps += check_effect(rec, marks[1], both, "pop")
    else:
        gaps += check_effect(rec, marks[0], effects["klick_game"], "a click on a card", count=2, whole=False)
        gaps += check_effect(rec, marks[0], effects["punch"], "punch")
    menu.leave_through_abort("memory", name_if_asked=True)

    # Adding squares: of the four candidates one is right; a wrong pick buzzes.
    menu.start_game(9, "adding")
    for attempt in range(6):
        mark = rec.frames()
        s.click(128 - 50 + 15, 512 - 50 + 15, pause=0.1)
        if heard(rec, mark, effects["lamp1"], (effects["lamp1"], effects["klick_game"])):
            break
        s.sleep(1.5)
    gaps += check_effect(rec, mark, effects["lamp1"], "a wrong pick", over=effects["klick_game"])
    menu.leave_through_abort("adding", name_if_asked=True)

    # Remembering: a wrong button sounds the alarm and ends the game; its result page, with a
    # poor grade, has no fanfare.
    menu.start_game(4, "remembering")
    buttons = lit_buttons(s, 8.0)
    check(len(buttons) >= 2, f"fewer than two lit buttons seen: {buttons}")
    for attempt in range(4):
        mark = rec.frames()
        s.click(*buttons[1 - attempt % 2], pause=0.1)
        if heard(rec, mark, effects["alarm"], (effects["alarm"], effects["klick_game"])):
            break
    s.move(*AWAY)
    s.sleep(3.0)
    gaps += check_effect(rec, mark, effects["alarm"], "a wrong button", whole=False, over=effects["klick_game"])
    gaps += check_effect(rec, mark, effects["win"], "the result page", count=0)

    rec.stop()
    if gaps:
        print(f"the stream ran dry {gaps} time(s) inside a sound (a busy machine)")
    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
print("sound server scenario passed")
