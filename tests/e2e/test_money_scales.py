"""Giving change and Balance started from the menu at the first level, played with real drags:
a coin carried from the supply into the change tray arrives there; a fruit carried from the
floor onto a pan arrives there and the beam turns. In each game a piece is still held when
Escape pauses the game; after resuming it lies where the pointer let it go. Each game is left
through the in-game menu and books one game in its statistics file."""
import sys

from harness import Session, check
from menu_nav import AWAY, W, H, Menu, crop, sav_value, shoot_until

CX, CY = W // 2, H // 2
SUPPLY_Y = H - 75
# At the first level the supply lies in eight equal shares of the width: 1 cent .. 2 euro.
SUPPLY_X = {cents: (i + 0.5) * W / 8 for i, cents in enumerate([1, 2, 5, 10, 20, 50, 100, 200])}
FLOOR_Y = 3 * H // 4  # the feet of the fruit on the floor


def press(s):
    s._xdotool("mousedown", "1")
    s.sleep(0.1)


def release(s):
    s._xdotool("mouseup", "1")
    s.sleep(0.1)


def drag(s, start, end, steps=6, hold=0.0):
    """Presses at start, moves to end in steps, waits there for hold seconds."""
    s.move(*start)
    press(s)
    for i in range(1, steps + 1):
        s.move(int(start[0] + (end[0] - start[0]) * i / steps), int(start[1] + (end[1] - start[1]) * i / steps))
        s.sleep(0.05)
    s.sleep(hold)


def differs(s, a, b, x, y, w, h):
    return s.region_differs(a, b, x, y, w, h)


def coloured(shot, x, y, w, h, spread=60):
    """How many pixels of the rectangle are strongly coloured (fruit, coins), not paper or ink."""
    data = crop(shot, x, y, w, h)
    return sum(1 for i in range(0, len(data), 3)
               if max(data[i:i + 3]) - min(data[i:i + 3]) > spread)


def floor_fruit(shot):
    """The x of each fruit lying on the floor: a centred row, 50 pixels apart."""
    def fruit_at(x):
        return x >= 20 and coloured(shot, int(x) - 6, FLOOR_Y - 30, 12, 24) > 20
    for n in range(12, 0, -1):
        xs = [CX - 25 * (n - 1) + 50 * i for i in range(n)]
        if all(fruit_at(x) for x in xs) and not fruit_at(xs[0] - 50) and not fruit_at(xs[-1] + 50):
            return xs
    return []


def beam_drop(shot):
    """How far the beam's lower outline lies below its level place, 60 pixels right of the
    pivot: positive when the right pan is down. Above the beam there are only the right pan
    and its fruit; below it the light backdrop, so the lowest dark pixel is the beam's."""
    data = crop(shot, CX + 60, CY - 60, 1, 160)
    lowest = None
    for row in range(160):
        if sum(data[3 * row:3 * row + 3]) < 250:
            lowest = row
    check(lowest is not None, "no beam found right of the pivot")
    return (CY - 60 + lowest) - (CY + 29)


with Session(sys.argv) as s:
    menu = Menu(s)
    s.start()

    # Giving change (list index 14).
    shot = menu.start_game(14, "change")
    tray = (W // 4, int(0.55 * H), W // 2, int(0.25 * H))  # x, y, w, h of the change tray
    check(coloured(shot, 20, SUPPLY_Y - 40, W - 40, 80) > 2000, "no supply of coins along the bottom")
    check(coloured(shot, tray[0] + 10, tray[1] + 40, tray[2] - 20, tray[3] - 50) < 50, "the change tray is not empty")
    # The 2-euro coin into the tray.
    drag(s, (int(SUPPLY_X[200]), SUPPLY_Y), (400, 540))
    release(s)
    s.move(*AWAY)
    arrived = shoot_until(s, "change-coin", lambda t: coloured(t, 360, 500, 80, 80) > 600)
    check(coloured(arrived, 360, 500, 80, 80) > 600, "the 2-euro coin did not arrive in the change tray")
    check(not differs(s, shot, arrived, int(SUPPLY_X[200]) - 40, SUPPLY_Y - 40, 80, 80),
          "the supply of 2-euro coins changed")
    # The 1-euro coin held when the game is paused: it is put down where the pointer is.
    drag(s, (int(SUPPLY_X[100]), SUPPLY_Y), (620, 560), hold=1.0)
    s.key("Escape")
    s.sleep(0.5)
    s.screenshot("change-paused-holding")
    release(s)
    s.sleep(0.3)
    s.key("Escape")
    s.move(*AWAY)
    s.sleep(1.0)
    resumed = shoot_until(s, "change-resumed", lambda t: coloured(t, 580, 520, 80, 80) > 600)
    check(coloured(resumed, 580, 520, 80, 80) > 600, "the coin held during the pause is not in the tray")
    check(coloured(resumed, 360, 500, 80, 80) > 600, "the first coin left the tray")
    s.sleep(1.5)
    later = s.screenshot("change-later")
    check(not differs(s, resumed, later, tray[0], tray[1], tray[2], tray[3]), "the coins moved after resuming")
    menu.leave_through_abort("change")
    sav = s.file("geld.sav")
    check(sav is not None, "geld.sav not written after leaving the game")
    check(sav_value(sav, "ANZ_SPIELE:") == 1, f"geld.sav does not book one game: {sav!r}")
    check(sav_value(sav, "ERGS:") == 6, f"geld.sav does not book the grade 6: {sav!r}")

    # Balance (list index 13).
    menu.start_game(13, "balance")
    s.sleep(1.5)  # the fruit comes in from the top
    shot = s.screenshot("balance-settled")
    xs = floor_fruit(shot)
    check(len(xs) >= 5, f"fruit on the floor not found: {xs}")
    before = beam_drop(shot)
    # The rightmost fruit onto the pan of the side that is up, or the right one when level.
    side = -1 if before > 3 else 1
    drag(s, (xs[-1], FLOOR_Y - 20), (CX + side * 100, 280), hold=1.5)
    release(s)
    s.move(*AWAY)
    s.sleep(4.0)  # the beam eases to its new tilt
    placed = s.screenshot("balance-placed")
    check(len(floor_fruit(placed)) == len(xs) - 1, "the fruit did not leave the floor")
    after = beam_drop(placed)
    # A light fruit against a heavy weight turns the beam by less than a pixel here, so the fruit
    # standing on the raised pan counts as well; a turn must be towards that pan.
    pan = (CX + side * 87 - 65, CY - 150, 130, 140)
    check(after != before or differs(s, shot, placed, *pan), f"neither the beam turned nor the pan {side} changed")
    check((after - before) * side >= 0, f"the beam turned the wrong way: {before} -> {after}, pan {side}")
    # Another fruit held when the game is paused, over a pan beside the in-game menu (a release
    # over its buttons would press them): after resuming it stands on that pan.
    xs = floor_fruit(placed)
    check(len(xs) >= 4, f"fruit on the floor not found after the first move: {xs}")
    drag(s, (xs[0], FLOOR_Y - 20), (CX - side * 212, 280), hold=1.5)
    s.key("Escape")
    s.sleep(0.5)
    s.screenshot("balance-paused-holding")
    release(s)
    s.sleep(0.3)
    s.key("Escape")
    s.move(*AWAY)
    s.sleep(3.0)
    resumed = s.screenshot("balance-resumed")
    check(len(floor_fruit(resumed)) == len(xs) - 1, "the fruit held during the pause went back to the floor")
    menu.leave_through_abort("balance", name_if_asked=True)
    sav = s.file("waage_fruits.sav")
    check(sav is not None, "waage_fruits.sav not written after leaving the game")
    check(sav_value(sav, "ANZ_SPIELE:") == 1, f"waage_fruits.sav does not book one game: {sav!r}")

    s.close()
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
print("money and scales scenario passed")
