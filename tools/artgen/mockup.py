#!/usr/bin/env python3
"""Mock-ups of the menu pages, a backdrop with the time panel and the loading screen, composed
with ImageMagick from the generated sheets at the positions the program draws them (labels
approximated in Comic Neue / Liberation Sans). For looking at the art without running the game:

    python3 tools/artgen/mockup.py build/generated/art /tmp/mockups
"""
import os
import subprocess
import sys

if len(sys.argv) < 3:
    raise SystemExit("usage: mockup.py ART_DIR OUT_DIR")
A = sys.argv[1]
OUT = sys.argv[2]
os.makedirs(OUT, exist_ok=True)
COMIC = '/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf'
SANS = '/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf'
W, H = 1024, 768


class M:
    """One convert command: a base picture, then sprites and texts composed over it."""

    def __init__(self, base, crop=None, scale=None):
        self.args = ['convert']
        if crop:
            self.args += [f'{A}/{base}', '-crop', crop, '+repage']
        else:
            self.args += [f'{A}/{base}']
        if scale: self.args += ['-resize', scale]
    def sprite(self, sheet, x, y, w, h, px, py):
        self.args += ['(', f'{A}/{sheet}', '-crop', f'{w}x{h}+{x}+{y}', '+repage', ')', '-geometry', f'+{px}+{py}', '-composite']
    def text(self, s, x, y, w, h, size=25, color='black', font=COMIC, grav='center'):
        self.args += ['(', '-size', f'{w}x{h}', '-background', 'none', '-fill', color, '-font', font, '-pointsize', str(size), '-gravity', grav, f'caption:{s}', ')', '-gravity', 'NorthWest', '-geometry', f'+{x}+{y}', '-composite']
    def save(self, out):
        subprocess.run(self.args + [out], check=True)


def button(m, page, bx, by, label, hover=False, src=(0,700,300,50), size=25):
    x, y, w, h = src
    m.sprite('menu2.PNG', x, y + (h if hover else 0), w, h, page[0]+bx, page[1]+by)
    if label: m.text(label, page[0]+bx, page[1]+by+10, w, 30, size, 'red' if hover else 'black')

def title(m, page, pw, t):
    m.text(t, page[0], page[1]+20, pw, 40, 34)

def pointer(m, x, y, f=0):
    m.sprite('misc1.PNG', 450-50*f, 0, 50, 50, x-8, y-14)

# main menu page 1
m = M('bg.PNG'); p = (W//2-200, H//2-300)
m.sprite('menu1.PNG', 0, 0, 400, 600, *p)
for i, (l, hv) in enumerate([('Spielen', False), ('Statistik', True), ('Anleitung', False), ('Info', False), ('Beenden', False)]):
    button(m, p, 50, 150+75*i, l, hv)
m.sprite('menu2.PNG', 600, 624, 24, 24, p[0]+76, p[1]+552)
m.sprite('menu2.PNG', 600, 600, 24, 24, p[0]+224, p[1]+552)
pointer(m, p[0]+250, p[1]+250)
m.save(f'{OUT}/page1.png')

# level page 9 over bg
m = M('bg.PNG'); p = (W//2-200, H//2-150)
m.sprite('menu1.PNG', 350, 600, 400, 300, *p); title(m, p, 400, 'Schwierigkeit')
for i, l in enumerate(['Leicht', 'Mittel', 'Schwer']): button(m, p, 50, 75+50*i, l, i == 1)
button(m, p, 50, 225, 'Zurück', False, (300,700,100,50))
m.save(f'{OUT}/page9.png')

# game list page 18
m = M('bg.PNG'); p = (W//2-200, H//2-350)
m.sprite('menu3.PNG', 0, 0, 400, 700, *p); title(m, p, 400, 'Einzelspiel')
names = ['Bilder basteln', 'Crazy Quader', 'Datum rechnen', 'Dreieck rechnen', 'Gedächtnis', 'Merkspiel', 'Code knacken']
for r, n in enumerate(names): button(m, p, 50, 135+60*r, n, r == 2)
button(m, p, 150, 625, 'Zurück', False, (300,700,100,50))
m.sprite('menu2.PNG', 750, 700, 50, 50, p[0]+175, p[1]+560)
m.save(f'{OUT}/page18.png')

# statistics page 40
m = M('bg.PNG'); p = (W//2-400, H//2-300)
m.sprite('menu2.PNG', 0, 0, 800, 600, *p); title(m, p, 800, 'Statistik')
lines = '\n'.join([f'{i}. Anna  2,3  (1,5 / 3,0) Leicht' for i in range(1, 11)] + ['Gesamtzeit: 1:02:03', 'Gelöst: 5', 'Beste Note: 1,5', 'Schlechteste Note: 3,0', 'Durchschnitt: 2,3'])
m.text(lines, p[0], p[1]+50, 800, 480, 21)
m.sprite('menu2.PNG', 250, 600, 50, 50, p[0]+50, p[1]+525)
m.sprite('menu2.PNG', 50, 600, 150, 50, p[0]+600, p[1]+525)
m.text('Löschen', p[0]+600, p[1]+525, 150, 50, 25)
m.save(f'{OUT}/page40.png')

# in-game: backdrop b, time panel, paused menu page 45
for b in range(7):
    sheet = f'back{b//2+1}.PNG'
    m = M(sheet, f'600x450+0+{450*(b%2)}', '1024x768!')
    m.sprite('menu2.PNG', 0, 700, 300, 50, W//2-150, 0)
    m.text('Zeit: 1:23', W//2-150, 0, 300, 50, 18, font=SANS)
    # some game pieces: fields, tiles
    for i in range(5):
        m.sprite('misc1.PNG', 550, 0, 50, 50, 300+55*i, 300)
    m.sprite('misc1.PNG', 100, 450, 50, 50, 300, 400)
    m.text('Wie spät ist es? Schwarzer Text auf dem Hintergrund.', 200, 480, 624, 40, 22, font=SANS)
    m.sprite('misc1.PNG', 0, 450, 50, 50, 360, 400)
    if b == 4:
        p = (W//2-175, H//2-200)
        m.sprite('menu1.PNG', 0, 600, 350, 400, *p); title(m, p, 350, 'Pause')
        for i, l in enumerate(['Weiterspielen', 'Anleitung', 'Statistik', 'Spiel beenden']): button(m, p, 25, 75+75*i, l, i == 0)
    m.save(f'{OUT}/backdrop{b}.png')

# result page 55 over a veiled backdrop
m = M('back1.PNG', '600x450+0+0', '1024x768!')
m.args += ['(', '-size', '1024x768', 'xc:#0000007f', ')', '-composite']
p = (W//2-300, H//2-225)
m.sprite('menu1.PNG', 400, 0, 600, 450, *p); title(m, p, 600, 'Bilder basteln')
m.text('Fehler: 2\nZeit: 1:23\nNote: 2,3', p[0], p[1]+50, 600, 250, 25)
m.text('Neuer Rekord! Name: Anna_', p[0], p[1]+300, 600, 80, 25, 'red')
m.sprite('menu2.PNG', 250, 650, 50, 50, p[0]+275, p[1]+375)
m.save(f'{OUT}/page55.png')

# loading screen at step 7 (German) and 27 (English, clamped)
for step, cap in ((7, 900), (27, 1012)):
    m = M('splash.PNG', '1024x768+0+0')
    m.sprite('splash.PNG', 0, cap, 700, 112, 0, 168)
    m.sprite('splash.PNG', 122, 768, 818, 66, 103, 667)
    fw = min(818, step*818//14)
    m.sprite('splash.PNG', 122, 834, fw, 66, 103, 667)
    m.save(f'{OUT}/loading{step}.png')

# information page 38
m = M('bg.PNG'); p = (W//2-175, H//2-200)
m.sprite('menu1.PNG', 0, 600, 350, 400, *p); title(m, p, 350, 'Info')
m.text('Knobelwerk\n16 Denkspiele\nin drei Stufen', p[0], p[1]+70, 350, 120, 25)
m.sprite('menu2.PNG', 250, 600, 50, 50, p[0]+10, p[1]+332)
pointer(m, p[0]+30, p[1]+350, 9)
m.save(f'{OUT}/page38.png')
