"""Picture building started from the menu at the first level: a shape found on the screen is
picked with the mouse (it turns red), dragged with the button held, made bigger and smaller
with W and S and turned with D; each change shows on the screen. The game is left through the
in-game menu and books one game in bilder.sav; no "tmp.file" is ever written. Then a look at
the hardest level."""
import os
import sys

from harness import Session, check
from menu_nav import AWAY, Menu, crop, sav_value, shoot_until

W, H = 1024, 768
STEP = 2  # pixels sampled on every second row and column


_cache = {}


def pixels(shot):
    return crop(shot, 0, 0, W, H)


def red_points(shot):
    """Points of the selected (red-tinted) shape (each screenshot file is read once)."""
    key = (shot, os.stat(shot).st_mtime_ns)
    if key not in _cache:
        data = pixels(shot)
        out = set()
        for y in range(0, H, STEP):
            row = y * W
            for x in range(0, W, STEP):
                i = (row + x) * 3
                if data[i] > 150 and data[i + 1] < 60 and data[i + 2] < 60:
                    out.add((x, y))
        if len(_cache) > 16:
            _cache.clear()
        _cache[key] = out
    return _cache[key]


def light_candidates(shot):
    """Points deep inside light grey areas (the faces of the untinted shapes): light and grey
    at the point and 12 pixels around it."""
    data = pixels(shot)

    def light(x, y):
        i = (y * W + x) * 3
        r, g, b = data[i], data[i + 1], data[i + 2]
        return min(r, g, b) > 205 and max(r, g, b) - min(r, g, b) < 10

    found = []
    for y in range(130, H - 40, 8):
        for x in range(40, W - 40, 8):
            if all(light(x + dx, y + dy) for dx, dy in ((0, 0), (12, 0), (-12, 0), (0, 12), (0, -12))):
                if all(abs(x - fx) + abs(y - fy) > 60 for fx, fy in found):
                    found.append((x, y))
    return found


def centre(points):
    return (sum(p[0] for p in points) / len(points), sum(p[1] for p in points) / len(points))


def drag(s, x0, y0, x1, y1, steps=8):
    s.move(x0, y0)
    s._xdotool("mousedown", "1")
    s.sleep(0.1)
    for i in range(1, steps + 1):
        s.move(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
    s.sleep(0.1)
    s._xdotool("mouseup", "1")
    s.sleep(0.3)


with Session(sys.argv) as s:
    menu = Menu(s)
    s.start()
    shot = menu.start_game(0, "picture")
    check(s.file("tmp.file") is None, "a tmp.file was written while the level was loaded")

    # Pick a shape: click light grey faces until one turns red.
    picked = None
    for x, y in light_candidates(shot)[:12]:
        s.click(x, y)
        s.move(*AWAY)
        after = shoot_until(s, "picture-picked", lambda t: len(red_points(t)) > 100, timeout=1.5)
        reds = red_points(after)
        if len(reds) > 100:
            picked = (x, y, after, reds)
            break
    check(picked is not None, "no shape turned red when clicked")
    x, y, selected, reds = picked
    cx, cy = centre(reds)

    # Drag it by (dx, dy): the red shape follows.
    dx = 160 if cx < W / 2 else -160
    dy = 90 if cy < H / 2 else -90
    drag(s, x, y, x + dx, y + dy)
    s.move(*AWAY)
    moved = shoot_until(s, "picture-dragged", lambda t: len(red_points(t)) > 100 and
                        abs(centre(red_points(t))[0] - (cx + dx)) < 25, timeout=3)
    reds_moved = red_points(moved)
    check(len(reds_moved) > 100, "the dragged shape is no longer red")
    mx, my = centre(reds_moved)
    check(abs(mx - (cx + dx)) < 25 and abs(my - (cy + dy)) < 25,
          f"the shape went to {(mx, my)}, not to {(cx + dx, cy + dy)}")

    # Smaller with S, then bigger again with W. Copies are dealt at 0.6 to 1.9 and the keys keep
    # a shape within 0.4 to 2.0 in steps of 0.1: three steps down always leave room for three up,
    # and each way the area changes by well over a fifth.
    before = len(reds_moved)
    s.key("s", "s", "s")
    smaller = shoot_until(s, "picture-smaller", lambda t: len(red_points(t)) < before * 0.8, timeout=3)
    shrunk = len(red_points(smaller))
    check(shrunk < before * 0.8, f"S did not make the shape smaller ({before} -> {shrunk})")
    s.key("w", "w", "w")
    bigger = shoot_until(s, "picture-bigger", lambda t: len(red_points(t)) > shrunk * 1.2, timeout=3)
    grown = len(red_points(bigger))
    check(grown > shrunk * 1.2, f"W did not make the shape bigger ({shrunk} -> {grown})")
    smaller = bigger

    # Turned by 45 degrees with D: the red points change unless the shape is a circle.
    s.key("d", "d", "d")
    turned = shoot_until(s, "picture-turned", lambda t: red_points(t) != red_points(smaller), timeout=2)
    after_turn = red_points(turned)
    if after_turn == red_points(smaller):
        xs = [p[0] for p in after_turn]
        ys = [p[1] for p in after_turn]
        w, h = max(xs) - min(xs) + STEP, max(ys) - min(ys) + STEP
        fill = len(after_turn) * STEP * STEP / (w * h)
        check(abs(w - h) <= 4 and 0.7 < fill < 0.86, "D did not turn the shape, and it is no circle")

    # The right button puts the shape down: no red any more.
    s.move(*AWAY)
    s._xdotool("click", "3")
    released = shoot_until(s, "picture-released", lambda t: len(red_points(t)) < 20, timeout=2)
    check(len(red_points(released)) < 20, "the shape stayed red after the right click")

    menu.leave_through_abort("picture", name_if_asked=True)
    sav = s.file("bilder.sav")
    check(sav is not None, "bilder.sav not written after leaving the game")
    check(sav_value(sav, "ANZ_SPIELE:") == 1, f"bilder.sav does not book one game: {sav!r}")

    # The hardest level, for a look: ten decoys lie about too.
    menu.start_game(0, "picture-level2", level=2)
    menu.leave_through_abort("picture-level2", name_if_asked=True)
    check(s.file("tmp.file") is None, "a tmp.file was left in the working folder")

    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    sav = s.file("bilder.sav")
    check(sav_value(sav, "ANZ_SPIELE:") == 2, f"bilder.sav does not book both games: {sav!r}")
print("picture building scenario passed")
