#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

"""Draws every picture and icon the forms show, and the scalable program icon.

Needs:  Debian's Pillow, the DejaVu fonts and fontconfig, which finds the font
            apt-get install -y python3-pil fonts-dejavu-core fontconfig
Run:    /usr/bin/python3 art/make_pictures.py      (from any directory)
Writes: forms/pictures/*.png (the names the designs ask for; the build takes them all), and
        NAME@2x.png of every form picture, the welcome background and the About emblem,
        drawn at twice the size for screens scaled 1.5x or more
        packaging/icons/tolvaren.svg

Everything is drawn at four times the final size and scaled down, which gives smooth
edges without any drawing library beyond Pillow. The icons are laid out on a 128-unit
grid whose edges fall on multiples of 8, so the 16, 32 and 48 pixel versions stay crisp.
The decorative pictures are shown unscaled from their top-left corner in boxes that can
be a little smaller than the bitmap, so each subject sits towards the top left.
"""
import math
import subprocess
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFont

ROOT = Path(__file__).resolve().parent.parent
HERE = ROOT / "forms" / "pictures"  # where the pictures go
SS = 4  # supersampling factor
FONT_PATTERN = "DejaVu Sans:style=Bold"


def find_font(pattern):
    """The font file fontconfig holds for pattern. fc-match always answers
    with some font, so a stand-in face is refused: the pictures would come
    out different without a word."""
    try:
        found = subprocess.run(["fc-match", "--format=%{family[0]}|%{style[0]}|%{file}", pattern],
                               capture_output=True, text=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError) as error:
        sys.exit(f"fc-match could not look up {pattern!r} ({error}); install fontconfig")
    family, style, path = found.split("|", 2)
    if f"{family}:style={style}" != pattern:
        sys.exit(f"no {pattern!r} font (fontconfig offers {family} {style}); install fonts-dejavu-core")
    return path


FONT = find_font(FONT_PATTERN)

INK = (58, 50, 46)          # outlines
AMBER = ((252, 216, 112), (230, 172, 52))
BRASS = ((240, 206, 110), (184, 134, 40))
STEEL = ((214, 220, 228), (150, 160, 172))
IRON = ((110, 116, 126), (52, 56, 64))
RED = (214, 48, 44)
GLASS = (236, 244, 252, 190)
WATER = ((120, 186, 240), (40, 110, 200))


class Grad:
    """Vertical gradient from top colour to bottom colour over the shape's height."""

    def __init__(self, top, bottom):
        self.top, self.bottom = top, bottom


def rgba(c):
    return tuple(c) + (255,) * (4 - len(c))


class Pen:
    """Draws onto a supersampled RGBA canvas through an affine map (local -> pixels)."""

    def __init__(self, img, m=(1, 0, 0, 0, 1, 0)):
        self.img, self.m = img, m

    def at(self, x, y, k=1.0, rot=0.0):
        a, b, c, d, e, f = self.m
        cs, sn = math.cos(math.radians(rot)) * k, math.sin(math.radians(rot)) * k
        return Pen(self.img, (a * cs + b * sn, -a * sn + b * cs, a * x + b * y + c,
                              d * cs + e * sn, -d * sn + e * cs, d * x + e * y + f))

    @property
    def k(self):
        a, b, _, d, e, _ = self.m
        return math.sqrt(abs(a * e - b * d))

    def pt(self, x, y):
        a, b, c, d, e, f = self.m
        return ((a * x + b * y + c) * SS, (d * x + e * y + f) * SS)

    def _paint(self, pts, fill, width=0, closed=True):
        pad = width * self.k * SS + 2
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        x0, y0 = max(int(min(xs) - pad), 0), max(int(min(ys) - pad), 0)
        x1 = min(int(max(xs) + pad) + 1, self.img.width)
        y1 = min(int(max(ys) + pad) + 1, self.img.height)
        if x1 <= x0 or y1 <= y0:
            return
        size = (x1 - x0, y1 - y0)
        local = [(x - x0, y - y0) for x, y in pts]
        mask = Image.new("L", size, 0)
        dr = ImageDraw.Draw(mask)
        if width:
            w = max(1, round(width * self.k * SS))
            if closed:
                local = local + local[:2]
            dr.line(local, fill=255, width=w, joint="curve")
            r = w / 2  # round caps
            for x, y in (local[0], local[-1]):
                dr.ellipse((x - r, y - r, x + r, y + r), fill=255)
        else:
            dr.polygon(local, fill=255)
        if isinstance(fill, Grad):
            top = Image.new("RGBA", size, rgba(fill.top))
            ramp = Image.linear_gradient("L").resize(size)
            src = Image.composite(Image.new("RGBA", size, rgba(fill.bottom)), top, ramp)
        else:
            src = Image.new("RGBA", size, rgba(fill))
        src.putalpha(ImageChops.multiply(src.getchannel("A"), mask))
        self.img.alpha_composite(src, (x0, y0))

    def poly(self, pts, fill=None, line=None, w=1.0, closed=True):
        p = [self.pt(x, y) for x, y in pts]
        if fill is not None and closed:
            self._paint(p, fill)
        if line is not None:
            self._paint(p, line, w, closed)

    def path(self, pts, line, w=1.0):
        self.poly(pts, None, line, w, closed=False)

    def rect(self, x0, y0, x1, y1, fill=None, line=None, w=1.0, r=0.0):
        self.poly(rrect_pts(x0, y0, x1, y1, r), fill, line, w)

    def ellipse(self, cx, cy, rx, ry=None, fill=None, line=None, w=1.0):
        self.poly(arc_pts(cx, cy, rx, ry or rx, 0, 360, closed=True), fill, line, w)

    def arc(self, cx, cy, r, a0, a1, line, w=1.0):
        self.path(arc_pts(cx, cy, r, r, a0, a1), line, w)

    def text(self, x, y, s, size, fill):
        x, y = self.pt(x, y)
        font = ImageFont.truetype(FONT, max(1, round(size * self.k * SS)))
        ImageDraw.Draw(self.img).text((x, y), s, fill=rgba(fill), font=font, anchor="mm")


def arc_pts(cx, cy, rx, ry, a0, a1, closed=False):
    """Points along an ellipse; angles in degrees, 0 = east, growing clockwise on screen."""
    n = max(8, int(abs(a1 - a0) / 4))
    pts = [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
            cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]
    return pts[:-1] if closed else pts


def rrect_pts(x0, y0, x1, y1, r):
    if r <= 0:
        return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]
    return (arc_pts(x1 - r, y0 + r, r, r, 270, 360) + arc_pts(x1 - r, y1 - r, r, r, 0, 90) +
            arc_pts(x0 + r, y1 - r, r, r, 90, 180) + arc_pts(x0 + r, y0 + r, r, r, 180, 270))


def canvas(w, h, top=None, bottom=None, scale=1):
    """A w x h picture, drawn in its own units at `scale` pixels a unit."""
    img = Image.new("RGBA", (w * scale * SS, h * scale * SS), (0, 0, 0, 0))
    pen = Pen(img, (scale, 0, 0, 0, scale, 0))
    if top:
        pen.rect(0, 0, w, h, Grad(top, bottom or top))
    return pen


def save(pen, name, scale=1, opaque=True, palette=False):
    """palette: store 256 colours, one byte a pixel. For the large, quiet
    backgrounds: they load several times faster and the program keeps them
    in a quarter of the memory, with no difference to be seen (the edges
    stay as sharp as drawn; only the gradient's steps are shared).
    scale 2 writes NAME@2x.png."""
    img = pen.img.resize((pen.img.width // SS, pen.img.height // SS), Image.LANCZOS)
    img = img.convert("RGB") if opaque else img
    if palette:
        img = img.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    img.save(HERE / (name if scale == 1 else name.replace(".png", f"@{scale}x.png")), optimize=True)


def floor_shadow(p, cx, cy, rx, ry=3):
    for i in range(4):  # stacked ellipses make a soft edge
        p.ellipse(cx, cy, rx * (1 - i * 0.18), ry * (1 - i * 0.18), fill=(40, 40, 60, 22))


# ---------------------------------------------------------------- objects --------
# Each object draws itself around its own origin, so a picture can place and scale it.

def ruler(p, length, height=16, step=4):
    p.rect(0, 0, length, height, Grad(*AMBER), INK, 1, r=1.5)
    for n in range(1, int((length - 1) / step) + 1):
        x = n * step
        tick = height * (0.55 if n % 10 == 0 else 0.4 if n % 5 == 0 else 0.25)
        p.path([(x, 1), (x, tick)], INK, 0.8)


def tape_measure(p):
    """Case centred on the origin (about 52 wide) with the blade running out to the right."""
    ruler(p.at(18, 12), 84, 12, 3.5)
    p.rect(100, 10, 106, 26, Grad(*STEEL), INK, 1, r=1)  # the hook
    p.rect(-26, -26, 26, 26, Grad((236, 78, 62), (176, 40, 34)), INK, 1.2, r=14)
    p.rect(-20, -20, 20, 20, None, (255, 255, 255, 70), 1.5, r=10)
    p.ellipse(0, 0, 12, fill=Grad((92, 96, 104), (44, 46, 52)), line=INK, w=1)
    p.ellipse(0, 0, 4, fill=(210, 214, 220))
    p.rect(20, 8, 27, 20, (44, 46, 52), r=1)  # mouth of the case
    p.rect(-8, -26, 8, -22, (250, 250, 250, 90), r=2)


def weight(p, label=True):
    """Iron weight, about 30 wide and 30 high, bottom centre at the origin."""
    p.ellipse(0, -24, 7, 6, None, INK, 3.5)
    p.ellipse(0, -24, 7, 6, None, (120, 126, 136), 1.8)
    p.poly([(-10, -20), (10, -20), (15, 0), (-15, 0)], Grad(*IRON), INK, 1)
    p.path([(-8, -17), (-11, -3)], (255, 255, 255, 60), 1.5)
    if label:
        p.text(0, -8.5, "kg", 8, (236, 236, 236))


def balance(p):
    """Balance scale, about 90 wide and 62 high, origin at the pivot."""
    p.poly([(-16, 52), (16, 52), (20, 58), (-20, 58)], Grad(*BRASS), INK, 1)
    p.rect(-3, 0, 3, 52, Grad(*BRASS), INK, 1)
    for side in (-1, 1):
        x = side * 38
        p.path([(x, 0), (x - 14, 34)], INK, 0.7)
        p.path([(x, 0), (x + 14, 34)], INK, 0.7)
        p.poly(arc_pts(x, 34, 17, 7, 0, 180), Grad(*BRASS), INK, 1)
        p.path([(x - 17, 34), (x + 17, 34)], INK, 1)
    weight(p.at(-38, 34, 0.75))
    p.ellipse(38, 28, 6.5, fill=Grad((240, 80, 70), (180, 30, 30)), line=INK, w=0.8)  # an apple
    p.path([(38, 21.5), (39.5, 18)], (90, 60, 30), 1)
    p.ellipse(42.5, 19.5, 3, 1.5, fill=(90, 170, 70))
    p.rect(-42, -3, 42, 3, Grad(*BRASS), INK, 1, r=2)
    p.ellipse(0, 0, 5, fill=Grad(*BRASS), line=INK, w=1)
    p.poly([(-3, -5), (3, -5), (0, -13)], Grad(*BRASS), INK, 1)


def thermometer(p, level=30):
    """Upright thermometer, bulb centre at the origin, about 76 high, 26 wide with scale."""
    p.rect(-6, -66, 6, 0, GLASS, INK, 1, r=6)
    p.ellipse(0, 0, 10, fill=Grad((246, 90, 80), (190, 30, 30)), line=INK, w=1)
    p.rect(-2.5, -level - 8, 2.5, -4, (214, 42, 40), r=2.5)
    p.ellipse(-3, -3, 3, 2.5, fill=(255, 255, 255, 120))
    p.path([(-3.5, -60), (-3.5, -16)], (255, 255, 255, 200), 1.2)
    for i, y in enumerate(range(-58, -12, 4)):
        p.path([(7, y), (11 if i % 2 else 14, y)], INK, 0.8)


def sun(p, r=10):
    for i in range(12):
        a = math.radians(i * 30)
        p.path([(math.cos(a) * (r + 3), math.sin(a) * (r + 3)),
                (math.cos(a) * (r + 7), math.sin(a) * (r + 7))], (240, 170, 40), 2)
    p.ellipse(0, 0, r, fill=Grad((255, 224, 90), (248, 170, 40)), line=(214, 140, 30), w=1)


def snowflake(p, r=10, colour=(90, 150, 210)):
    for i in range(6):
        a = math.radians(i * 60 + 90)
        ca, sa = math.cos(a), math.sin(a)
        p.path([(0, 0), (ca * r, sa * r)], colour, 1.6)
        for t in (0.55,):
            bx, by = ca * r * t, sa * r * t
            for s in (-1, 1):
                b = a + s * math.radians(45)
                p.path([(bx, by), (bx + math.cos(b) * r * 0.35, by + math.sin(b) * r * 0.35)],
                       colour, 1.3)


def jug(p):
    """Measuring jug, about 74 wide with its handle and 66 high, top-left at the origin."""
    body = [(6, 2), (58, 2), (54, 64), (10, 64)]
    p.path(arc_pts(58, 26, 17, 19, -80, 80), INK, 7)  # handle
    p.path(arc_pts(58, 26, 17, 19, -80, 80), (222, 232, 244), 4.5)
    p.poly(body, GLASS)
    p.poly([(8.3, 28), (55.7, 28), (54, 64), (10, 64)], Grad(*WATER))
    p.ellipse(32, 28, 23.7, 2.5, fill=(170, 214, 250))
    p.poly(body, None, INK, 1.2)
    p.ellipse(32, 2, 26, 3, fill=(250, 252, 255, 150), line=INK, w=1)  # rim
    p.poly([(8.5, 0.2), (-3, -3.5), (-1.5, -1), (7.2, 7)], (236, 244, 252), INK, 1)  # spout
    for i, y in enumerate(range(14, 60, 6)):
        p.path([(12, y), (22 if i % 2 == 0 else 17, y)], (40, 60, 90), 1)
    p.path([(48, 8), (45.5, 56)], (255, 255, 255, 150), 2)


def cylinder(p, h=58):
    """Graduated cylinder, 16 wide, bottom of the foot at the origin."""
    p.rect(-12, -4, 12, 0, Grad(*STEEL), INK, 1, r=1.5)
    p.rect(-8, -h, 8, -4, GLASS)
    p.rect(-8, -h * 0.45, 8, -4, Grad(*WATER))
    p.ellipse(0, -h * 0.45, 8, 1.5, fill=(170, 214, 250))
    p.rect(-8, -h, 8, -4, None, INK, 1)
    p.path([(-10, -h), (10, -h)], INK, 1.5)
    for i, y in enumerate(range(int(-h + 6), -6, 5)):
        p.path([(-8, y), (-1 if i % 2 == 0 else -4, y)], (40, 60, 90), 0.8)


def speedometer(p, r=56, angle=-35):
    """Half dial centred on the origin; the needle angle is from straight up."""
    p.poly(arc_pts(0, 0, r + 3, r + 3, 180, 360) + [(r + 3, 5), (-r - 3, 5)],
           Grad((236, 240, 246), (150, 158, 170)), INK, 1)
    p.poly(arc_pts(0, 0, r - 1, r - 1, 180, 360) + [(r - 1, 2), (-r + 1, 2)],
           Grad((70, 78, 92), (28, 32, 40)))
    for a0, a1, c in ((180, 276, (84, 190, 90)), (276, 318, (246, 200, 50)),
                      (318, 360, (230, 64, 50))):
        p.arc(0, 0, r - 7, a0, a1, c, 4)
    for i in range(21):
        a = math.radians(180 + i * 9)
        r0 = r - 19 if i % 2 == 0 else r - 15
        p.path([(math.cos(a) * r0, math.sin(a) * r0),
                (math.cos(a) * (r - 11), math.sin(a) * (r - 11))],
               (240, 240, 240), 1.4 if i % 2 == 0 else 0.8)
    p.text(0, -r * 0.42, "km/h", 7.5, (200, 206, 214))
    a = math.radians(angle)
    tip = (math.sin(a) * (r - 12), -math.cos(a) * (r - 12))
    side = (math.cos(a) * 2.6, math.sin(a) * 2.6)
    p.poly([(side[0], side[1]), tip, (-side[0], -side[1])], (236, 60, 44), (120, 20, 10), 0.6)
    p.ellipse(0, 0, 6, fill=Grad((220, 224, 230), (120, 126, 136)), line=INK, w=0.8)


def clock(p, r=40):
    """Wall clock showing ten past ten, centred on the origin."""
    p.ellipse(1.5, 2.5, r + 1, fill=(30, 40, 50, 50))
    p.ellipse(0, 0, r, fill=Grad((70, 150, 160), (24, 90, 104)), line=INK, w=1)
    p.ellipse(0, 0, r - 6, fill=Grad((255, 255, 252), (232, 236, 236)), line=INK, w=0.8)
    for i in range(60):
        a = math.radians(i * 6)
        big = i % 5 == 0
        r0 = r - (16 if i % 15 == 0 else 13 if big else 10)
        p.path([(math.cos(a) * r0, math.sin(a) * r0), (math.cos(a) * (r - 9), math.sin(a) * (r - 9))],
               INK, 2 if big else 0.6)
    for turns, length, w in ((10 + 10 / 60, 0.45, 4), (10 / 5, 0.7, 2.6)):  # hour, minute
        a = math.radians(turns * 30 - 90) if w == 4 else math.radians(10 * 6 - 90)
        p.path([(0, 0), (math.cos(a) * r * length, math.sin(a) * r * length)], INK, w)
    a = math.radians(38 * 6 - 90)
    p.path([(-math.cos(a) * 8, -math.sin(a) * 8), (math.cos(a) * r * 0.75, math.sin(a) * r * 0.75)],
           RED, 1)
    p.ellipse(0, 0, 3, fill=RED)
    p.arc(0, 0, r - 2.5, 200, 250, (255, 255, 255, 90), 2)


def hourglass(p, h=64):
    """Hourglass, centred on the origin."""
    half = h / 2 - 5
    glass = [(-13, -half), (13, -half), (2.5, 0), (13, half), (-13, half), (-2.5, 0)]
    p.poly(glass, GLASS)
    sand = Grad((240, 200, 120), (212, 160, 70))
    p.poly([(-7, -half * 0.45), (7, -half * 0.45), (1.5, -1.5), (-1.5, -1.5)], sand)
    p.path([(0, 0), (0, half - 6)], (212, 160, 70), 1)
    p.poly([(-12, half), (12, half), (0, half - 10)], sand)
    p.poly(glass, None, INK, 1)
    for x in (-16, 16):
        p.rect(x - 1.6, -half, x + 1.6, half, Grad((170, 110, 60), (110, 66, 30)), INK, 0.8)
    for y in (-h / 2, h / 2 - 5):
        p.rect(-19, y, 19, y + 5, Grad((176, 116, 64), (116, 70, 34)), INK, 1, r=1.5)


# ---------------------------------------------------------------- pictures -------

def selection_background(scale):
    w, h = 500, 285
    p = canvas(w, h, (248, 250, 252), (230, 236, 244), scale=scale)
    for x in range(0, w, 10):
        p.path([(x + 0.5, 0), (x + 0.5, h)], (120, 150, 190, 26 if x % 50 else 44), 1)
    for y in range(0, h, 10):
        p.path([(0, y + 0.5), (w, y + 0.5)], (120, 150, 190, 26 if y % 50 else 44), 1)
    # a faint protractor in the lower right and ruler ticks on the left and bottom edges
    cx, cy, r = 360, 300, 170
    p.arc(cx, cy, r, 180, 360, (110, 140, 180, 40), 2)
    p.arc(cx, cy, r - 40, 180, 360, (110, 140, 180, 30), 1)
    for i in range(0, 181, 5):
        a = math.radians(180 + i)
        r0 = r - (18 if i % 30 == 0 else 11 if i % 10 == 0 else 6)
        p.path([(cx + math.cos(a) * r0, cy + math.sin(a) * r0),
                (cx + math.cos(a) * r, cy + math.sin(a) * r)], (110, 140, 180, 48), 1)
    for y in range(0, h, 5):
        p.path([(0, y + 0.5), (14 if y % 50 == 0 else 9 if y % 10 == 0 else 5, y + 0.5)],
               (100, 120, 150, 70), 1)
    for x in range(0, w, 5):
        n = 14 if x % 50 == 0 else 9 if x % 10 == 0 else 5
        p.path([(x + 0.5, h), (x + 0.5, h - n)], (100, 120, 150, 70), 1)
    save(p, "selection-background.png", scale, palette=True)


def selection(scale):
    p = canvas(170, 89, (252, 250, 244), (232, 230, 242), scale=scale)
    floor_shadow(p, 66, 78, 62, 5)
    balance(p.at(104, 22, 0.62))
    clock(p.at(54, 32, 0.6), 40)
    thermometer(p.at(20, 70, 0.85), 34)
    ruler(p.at(8, 68, 1, -6), 120, 14, 4)
    save(p, "selection.png", scale)


def distance(scale):
    p = canvas(146, 90, (252, 246, 236), (236, 222, 204), scale=scale)
    floor_shadow(p, 70, 58, 66, 4)
    tape_measure(p.at(32, 30))
    ruler(p.at(6, 68), 134, 16, 4)
    save(p, "distance.png", scale)


def mass(scale):
    p = canvas(115, 80, (250, 250, 252), (220, 224, 232), scale=scale)
    floor_shadow(p, 54, 68, 28, 3)
    balance(p.at(54, 11, 0.92))
    save(p, "mass.png", scale)


def temp(scale):
    p = canvas(140, 88, (226, 240, 252), (252, 244, 230), scale=scale)
    floor_shadow(p, 32, 82, 14, 2.5)
    thermometer(p.at(30, 72), 40)
    sun(p.at(80, 28), 10)
    snowflake(p.at(84, 64), 10)
    save(p, "temp.png", scale)


def volume(scale):
    p = canvas(170, 82, (246, 246, 255), (222, 222, 246), scale=scale)
    floor_shadow(p, 62, 75, 54, 3)
    jug(p.at(14, 10))
    cylinder(p.at(108, 76))
    save(p, "volume.png", scale)


def speed(scale):
    p = canvas(170, 69, (244, 246, 250), (212, 218, 228), scale=scale)
    for y, x0 in ((22, 6), (34, 0), (46, 10)):  # motion lines
        p.path([(x0, y), (x0 + 26, y)], (120, 140, 170), 2.2)
    speedometer(p.at(98, 62), 56, 38)
    save(p, "speed.png", scale)


def time(scale):
    p = canvas(150, 94, (240, 250, 250), (210, 232, 232), scale=scale)
    floor_shadow(p, 112, 84, 22, 3)
    clock(p.at(50, 47), 40)
    hourglass(p.at(112, 50), 64)
    save(p, "time.png", scale)


# ---------------------------------------------------------------- icons ----------
# Shapes are (kind, geometry, paint) on a 128-unit square, so one list feeds both the
# PNG renderer and the SVG writer. `px` is the target size: small sizes get fewer
# ruler ticks and features snapped to whole pixels.

TILE = Grad((76, 146, 226), (28, 78, 158))


def program_icon_shapes(px):
    u = 128 / px  # one target pixel in design units
    s = [("rrect", (8, 8, 120, 120, 20 if px > 16 else 24), TILE),
         ("rect", (24, 80, 104, 112), Grad(*AMBER))]
    if px >= 32:
        s.append(("frame", (24, 80, 104, 112, max(u, 2.5)), (150, 100, 20)))
    tw = max(u, 3)  # tick width: one pixel, but never hairline on the big icon
    for x in range(32, 97, 8 if px >= 48 else 16):
        long = 16 if x % 32 == 0 else 12 if x % 16 == 0 and px >= 48 else 8
        x0 = x - tw / 2 if px >= 128 else x
        s.append(("rect", (x0, 80, x0 + tw, 80 + long), INK))
    if px >= 128:  # a soft shadow under the arrow
        s.append(("poly", arrow_pts(dy=4), (10, 30, 70, 70)))
    s.append(("poly", arrow_pts(), (255, 255, 255)))
    return s


def arrow_pts(dy=0):
    """Two-way arrow spanning 16..112 across and 16..64 down."""
    y0, y1, t0, t1, c = 32 + dy, 48 + dy, 16 + dy, 64 + dy, 40 + dy
    return [(16, c), (48, t0), (48, y0), (80, y0), (80, t0), (112, c),
            (80, t1), (80, y1), (48, y1), (48, t1)]


def about_icon_shapes(px):
    u = 128 / px
    white = (255, 255, 255)
    if px > 16:
        i_shapes = [("ellipse", (64, 30, 10), white), ("rect", (56, 48, 72, 92), white),
                    ("rect", (44, 48, 56, 56), white), ("rect", (44, 88, 84, 96), white)]
    else:  # drawn pixel by pixel
        i_shapes = [("rect", (56, 16, 72, 32), white), ("rect", (56, 40, 72, 88), white),
                    ("rect", (48, 40, 56, 48), white), ("rect", (48, 80, 80, 88), white)]
    s = [("ellipse", (64, 64, 60), Grad((80, 196, 140), (22, 120, 86)))] + i_shapes
    # a small ruler across the bottom right corner
    s += [("rect", (64, 100 if px > 16 else 96, 128, 128), Grad(*AMBER)),
          ("frame", (64, 100 if px > 16 else 96, 128, 128, u), (150, 100, 20))]
    for x in range(72, 128, 8 if px > 16 else 16):
        s.append(("rect", (x, 100, x + u, 100 + (12 if x % 16 == 8 else 8)) if px > 16
                  else (x, 96, x + u, 112), INK))
    return s


def render_icon(shapes, px, name):
    p = canvas(128, 128)
    for kind, g, paint in shapes:
        if kind == "rrect":
            p.rect(*g[:4], fill=paint, r=g[4])
        elif kind == "rect":
            p.rect(*g, fill=paint)
        elif kind == "frame":  # a border drawn inside the rectangle
            x0, y0, x1, y1, w = g
            p.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0),
                    (x0 + w, y0 + w), (x0 + w, y1 - w), (x1 - w, y1 - w), (x1 - w, y0 + w),
                    (x0 + w, y0 + w)], fill=paint)
        elif kind == "ellipse":
            p.ellipse(*g, fill=paint)
        elif kind == "poly":
            p.poly(g, fill=paint)
    img = p.img.resize((px, px), Image.BOX)  # box filter keeps grid-aligned edges crisp
    img.save(HERE / name, optimize=True)


def svg_paint(paint, defs, attr="fill"):
    if isinstance(paint, Grad):
        gid = f"g{len(defs)}"
        defs.append(f'<linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">'
                    f'<stop offset="0" stop-color="#{bytes(paint.top).hex()}"/>'
                    f'<stop offset="1" stop-color="#{bytes(paint.bottom).hex()}"/>'
                    f'</linearGradient>')
        return f'{attr}="url(#{gid})"'
    op = f' {attr}-opacity="{paint[3] / 255:.2f}"' if len(paint) == 4 else ""
    return f'{attr}="#{bytes(paint[:3]).hex()}"{op}'


def write_svg(shapes, path):
    defs, body = [], []
    for kind, g, paint in shapes:
        fill = svg_paint(paint, defs, "stroke" if kind == "frame" else "fill")
        if kind in ("rect", "rrect"):
            r = f' rx="{g[4]:g}"' if kind == "rrect" else ""
            body.append(f'<rect x="{g[0]:g}" y="{g[1]:g}" width="{g[2] - g[0]:g}" '
                        f'height="{g[3] - g[1]:g}"{r} {fill}/>')
        elif kind == "frame":
            x0, y0, x1, y1, w = g
            body.append(f'<rect x="{x0 + w / 2:g}" y="{y0 + w / 2:g}" width="{x1 - x0 - w:g}" '
                        f'height="{y1 - y0 - w:g}" fill="none" '
                        f'{fill} stroke-width="{w:g}"/>')
        elif kind == "ellipse":
            body.append(f'<circle cx="{g[0]:g}" cy="{g[1]:g}" r="{g[2]:g}" {fill}/>')
        elif kind == "poly":
            pts = " ".join(f"{x:g},{y:g}" for x, y in g)
            body.append(f'<polygon points="{pts}" {fill}/>')
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text('<?xml version="1.0" encoding="UTF-8"?>\n'
                    '<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" '
                    'viewBox="0 0 128 128">\n'
                    f'<defs>{"".join(defs)}</defs>\n' + "\n".join(body) + "\n</svg>\n")


def icons():
    for px in (16, 32, 48, 128):
        render_icon(program_icon_shapes(px), px, f"tolvaren-{px}.png")
    for px in (16, 32):
        render_icon(about_icon_shapes(px), px, f"about-{px}.png")
    render_icon(about_icon_shapes(32), 64, "about-32@2x.png")  # the About box's emblem, twice the size
    write_svg(program_icon_shapes(128), ROOT / "packaging" / "icons" / "tolvaren.svg")


if __name__ == "__main__":
    for scale in (1, 2):
        for draw in (selection_background, selection, distance, mass, temp, volume, speed, time):
            draw(scale)
    icons()
