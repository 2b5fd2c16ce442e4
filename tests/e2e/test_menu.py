"""The main menu in a real window: the German main page, the switch to English, the level,
mode and game-list pages (scrolled to the end), the statistics, instructions and information
pages, and quitting by the quit button, which writes the settings and the global statistics."""
import sys

from harness import Session, check

# Centres of the buttons on the 1024 x 768 canvas (pages are centred on the screen).
PLAY = (512, 259)
STATISTICS = (512, 334)
INSTRUCTIONS = (512, 409)
INFO = (512, 484)
QUIT = (512, 559)
ENGLISH = (548, 648)
EASY = (512, 334)
SINGLE = (512, 409)
SCROLL_DOWN = (512, 619)
LIST_BACK = (512, 684)
BIG_PAGE_BACK = (187, 634)   # statistics and instructions pages
INFO_BACK = (372, 541)
PARK = (5, 5)                # the pointer waits in a corner for the screenshots

MAIN_BUTTONS = (362, 234, 300, 350)   # x, y, w, h of the five big buttons


def shot(s, label):
    s.move(*PARK)
    s.sleep(0.4)
    return s.screenshot(label)


def differs(s, a, b, area=(0, 0, 1024, 768)):
    return s.region_differs(a, b, *area)


with Session(sys.argv) as s:
    s.start()
    s.sleep(2.0)
    german = shot(s, "main-de")
    check(s.pixel(512, 384, german) != (100, 100, 100), "the main page is not drawn over the clear colour")

    s.click(*ENGLISH)
    english = shot(s, "main-en")
    check(differs(s, german, english, MAIN_BUTTONS), "the English button changed no label")

    s.click(*PLAY)
    level = shot(s, "level")
    check(differs(s, english, level), "no level page after Play")

    s.click(*EASY)
    mode = shot(s, "mode")
    check(differs(s, level, mode, (362, 300, 300, 120)), "no mode page after Easy")

    s.click(*SINGLE)
    first = shot(s, "list-top")
    for _ in range(12):
        s.click(*SCROLL_DOWN, pause=0.15)
    last = shot(s, "list-end")
    check(differs(s, first, last, (362, 169, 300, 410)), "the game list did not scroll")

    s.click(*LIST_BACK)
    back = shot(s, "main-again")
    check(not differs(s, english, back, MAIN_BUTTONS), "the list's back button did not lead to the main page")

    s.click(*STATISTICS)
    statistics = shot(s, "statistics")
    check(differs(s, back, statistics), "no statistics page")
    s.click(*BIG_PAGE_BACK)

    s.click(*INSTRUCTIONS)
    instructions = shot(s, "instructions")
    check(differs(s, statistics, instructions, (162, 134, 700, 480)), "no instructions page")
    s.click(*BIG_PAGE_BACK)

    s.click(*INFO)
    info = shot(s, "info")
    check(differs(s, back, info), "no information page")
    s.click(*INFO_BACK)

    s.click(*QUIT)
    code = s.wait_exit()
    check(code == 0, f"exit code {code}")
    cfg = s.file("knobel.cfg")
    check(cfg is not None, "knobel.cfg not written")
    lines = cfg.decode("cp1252").splitlines()
    check(len(lines) == 5, f"knobel.cfg has {len(lines)} lines: {lines}")
    check("SPRACHE:\t1" in lines, f"the language was not saved: {lines}")
    check(s.file("stats.sav") is not None, "stats.sav not written")
print("menu scenario passed")
