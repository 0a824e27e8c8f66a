#!/usr/bin/env python3
"""Draws the program's pictures and writes them as Windows .bmp files.

    tools/make_pictures.py [--out DIR] [--sheet FILE.png]

Writes src/resources/bitmaps/<id>.bmp (or into DIR) and, with --sheet, a
contact sheet of every picture enlarged three times, for looking them over.
Pure Python 3 standard library: the build does not run this script, the .bmp
files it writes are committed next to it.

Every picture comes in two sizes, one for ordinary screens and one for
high-resolution screens. The large one is drawn at double size with its own
detail (one-pixel outlines and highlights stay one pixel), not enlarged.
Pictures drawn transparently use magenta 0xFF00FF as their key colour; the
file chooser's tree image list uses green 0x00FF00, as its image list is
made with that key.

Sections:
  1. Canvas and shapes        (Canvas, masks, outlines, gradients)
  2. File writers             (BMP 24 and 8 bits per pixel, PNG for the sheet)
  3. Palette
  4. Outline buttons          (152-159, previews 141-144)
  5. Padlocks                 (150, 151, 167, 169)
  6. Small icons              (edit bar and menu-bar glyphs)
  7. Edit bar strips          (131, 132, 136, 137, 160, 161)
  8. Menu-bar toolbar         (117, 118)
  9. File chooser pictures    (119-125, 139, 140)
 10. Dialog pictures          (111-114, 126-129)
 11. Background picture       (147)
 12. Table of pictures and main
"""

import argparse
import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# 1. Canvas and shapes
# ---------------------------------------------------------------------------

MAGENTA = 0xFF00FF
GREEN_KEY = 0x00FF00


def rgb(c):
    return ((c >> 16) & 255, (c >> 8) & 255, c & 255)


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    ra, ga, ba = rgb(a)
    rb, gb, bb = rgb(b)
    t = min(1.0, max(0.0, t))
    return (round(ra + (rb - ra) * t) << 16) | (round(ga + (gb - ga) * t) << 8) | round(ba + (bb - ba) * t)


class Canvas:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.p = [bg] * (w * h)

    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h

    def put(self, x, y, c):
        if self.inside(x, y):
            self.p[y * self.w + x] = c

    def get(self, x, y):
        return self.p[y * self.w + x]

    def rect(self, x0, y0, x1, y1, c):
        """Fills the columns x0..x1-1 and rows y0..y1-1."""
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.p[y * self.w + x] = c

    def frame(self, x0, y0, x1, y1, c):
        self.rect(x0, y0, x1, y0 + 1, c)
        self.rect(x0, y1 - 1, x1, y1, c)
        self.rect(x0, y0, x0 + 1, y1, c)
        self.rect(x1 - 1, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        """Bresenham line; wider lines stamp a width x width square per step."""
        x0, y0, x1, y1 = round(x0), round(y0), round(x1), round(y1)
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        lo = -(width // 2)
        while True:
            for oy in range(lo, lo + width):
                for ox in range(lo, lo + width):
                    self.put(x0 + ox, y0 + oy, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def dotted(self, x0, y0, x1, y1, c, on=1, off=1):
        """Horizontal or vertical dotted line, like the outline's connectors."""
        n = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(n + 1):
            if i % (on + off) < on:
                x = x0 + (i if x1 > x0 else -i if x1 < x0 else 0)
                y = y0 + (i if y1 > y0 else -i if y1 < y0 else 0)
                self.put(x, y, c)

    def fill(self, mask, c):
        for x, y in mask:
            self.put(x, y, c)

    def vgrad(self, mask, top, bottom, c0, c1):
        """Fills the mask with a vertical gradient from row top to row bottom."""
        span = max(1, bottom - top)
        for x, y in mask:
            self.put(x, y, mix(c0, c1, (y - top) / span))

    def shape(self, mask, fill, edge=None, light=None, dark=None, grad=None):
        """Fills a mask, optionally with a gradient (c0, c1), a one-pixel edge,
        a highlight along the inner top/left and a shade along the inner
        bottom/right: the bevelled look of the era's icons."""
        if not mask:
            return
        if grad:
            ys = [y for _, y in mask]
            self.vgrad(mask, min(ys), max(ys), grad[0], grad[1])
        else:
            self.fill(mask, fill)
        inner = mask
        if edge is not None:
            rim = boundary(mask)
            self.fill(rim, edge)
            inner = mask - rim
        if light is not None:
            self.fill({(x, y) for x, y in inner if (x - 1, y) not in inner or (x, y - 1) not in inner}, light)
        if dark is not None:
            self.fill({(x, y) for x, y in inner if (x + 1, y) not in inner or (x, y + 1) not in inner}, dark)

    def paste(self, other, ox, oy, key=None):
        for y in range(other.h):
            for x in range(other.w):
                c = other.get(x, y)
                if c != key:
                    self.put(ox + x, oy + y, c)


def rect_mask(x0, y0, x1, y1):
    return {(x, y) for y in range(y0, y1) for x in range(x0, x1)}


def round_rect_mask(x0, y0, x1, y1, r):
    """A rectangle whose corners are cut by a quarter circle of radius r."""
    m = set()
    for y in range(y0, y1):
        for x in range(x0, x1):
            cx = min(max(x + 0.5, x0 + r), x1 - r)
            cy = min(max(y + 0.5, y0 + r), y1 - r)
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r + 0.01:
                m.add((x, y))
    return m


def poly_mask(pts):
    """Pixels whose centres lie inside the polygon (even-odd rule)."""
    m = set()
    ys = [p[1] for p in pts]
    for y in range(math.floor(min(ys)), math.ceil(max(ys)) + 1):
        cy = y + 0.5
        xs = []
        for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
            if (ay <= cy < by) or (by <= cy < ay):
                xs.append(ax + (cy - ay) * (bx - ax) / (by - ay))
        xs.sort()
        for a, b in zip(xs[::2], xs[1::2]):
            for x in range(math.ceil(a - 0.5), math.floor(b - 0.5) + 1):
                m.add((x, y))
    return m


def ellipse_mask(cx, cy, rx, ry):
    m = set()
    for y in range(math.floor(cy - ry) - 1, math.ceil(cy + ry) + 1):
        for x in range(math.floor(cx - rx) - 1, math.ceil(cx + rx) + 1):
            if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1.0:
                m.add((x, y))
    return m


def thick_line_mask(x0, y0, x1, y1, w):
    """A stroke of width w from (x0, y0) to (x1, y1) with square ends."""
    dx, dy = x1 - x0, y1 - y0
    n = math.hypot(dx, dy) or 1.0
    px, py = -dy / n * w / 2, dx / n * w / 2
    return poly_mask([(x0 + px, y0 + py), (x1 + px, y1 + py), (x1 - px, y1 - py), (x0 - px, y0 - py)])


def boundary(mask):
    """Pixels of the mask with a 4-neighbour outside it."""
    return {(x, y) for x, y in mask
            if (x - 1, y) not in mask or (x + 1, y) not in mask or (x, y - 1) not in mask or (x, y + 1) not in mask}




# ---------------------------------------------------------------------------
# 2. File writers
# ---------------------------------------------------------------------------

PELS_PER_METRE = 3780  # 96 dots per inch


def bmp_bytes(cv, bits=24):
    """A bottom-up BI_RGB .bmp of the canvas: 24 bits per pixel, or 8 with a
    palette of the canvas's own colours (at most 256 of them)."""
    if bits == 24:
        stride = (cv.w * 3 + 3) & ~3
        rows = []
        for y in range(cv.h - 1, -1, -1):
            row = bytearray()
            for x in range(cv.w):
                r, g, b = rgb(cv.get(x, y))
                row += bytes((b, g, r))
            row += b"\0" * (stride - len(row))
            rows.append(bytes(row))
        table = b""
        used = 0
    elif bits == 8:
        colours = sorted(set(cv.p))
        if len(colours) > 256:
            raise ValueError("%d colours do not fit an 8-bit palette" % len(colours))
        index = {c: i for i, c in enumerate(colours)}
        stride = (cv.w + 3) & ~3
        rows = []
        for y in range(cv.h - 1, -1, -1):
            row = bytes(index[cv.get(x, y)] for x in range(cv.w))
            rows.append(row + b"\0" * (stride - len(row)))
        table = b"".join(bytes((c & 255, (c >> 8) & 255, (c >> 16) & 255, 0)) for c in colours)
        table += b"\0\0\0\0" * (256 - len(colours))
        used = 256
    else:
        raise ValueError("unsupported depth %d" % bits)
    pixels = b"".join(rows)
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, cv.w, cv.h, 1, bits, 0, len(pixels),
                       PELS_PER_METRE, PELS_PER_METRE, used, 0)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + table + pixels


def png_bytes(cv):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = bytearray()
    for y in range(cv.h):
        raw.append(0)
        for x in range(cv.w):
            raw += bytes(rgb(cv.get(x, y)))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", cv.w, cv.h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------
# 3. Palette: the sixteen classic colours and a few in-between shades
# ---------------------------------------------------------------------------

BLACK = 0x000000
WHITE = 0xFFFFFF
GREY_D = 0x808080
GREY_M = 0xA0A0A0
GREY_L = 0xC0C0C0
GREY_XL = 0xE0E0E0
NAVY = 0x000080
BLUE = 0x0000FF
BLUE_M = 0x3060D0
BLUE_L = 0x7CA4F0
BLUE_XL = 0xC8DCFF
RED_D = 0x800000
RED = 0xE01818
RED_L = 0xFF7060
GREEN_D = 0x006000
GREEN = 0x10A010
GREEN_L = 0x70D860
YELLOW = 0xFFE030
YELLOW_L = 0xFFF8B0
OLIVE = 0x807000
GOLD_D = 0x8A6400
GOLD = 0xE0B020
GOLD_L = 0xFFE070
TEAL = 0x008080
PAPER = 0xFFFFF0
EDIT_BAR = 0xB7B7FF    # the edit bar's own background colour (COLORREF 0xFFB7B7)
PRESS = 0x1C2E8C       # face of a pressed edit bar button


def snap(v):
    """Nearest pixel edge, halves rounding up (Python's round() would send
    3.5 and 4.5 both to 4 and lose a one-pixel line)."""
    return math.floor(v + 0.5)


class Pen:
    """Draws on a canvas in the units of a picture's design grid: a point
    (x, y) of the grid lands at (ox + x * sx, oy + y * sy). The same design
    drawn with a scale of 2 gets twice the pixels for its shapes while edges
    and highlights stay one pixel thin."""

    def __init__(self, cv, ox=0, oy=0, s=1, sy=None):
        self.cv, self.ox, self.oy = cv, ox, oy
        self.sx, self.sy = s, (s if sy is None else sy)
        self.s = s

    def pt(self, x, y):
        return (self.ox + x * self.sx, self.oy + y * self.sy)

    def poly(self, *pts):
        return poly_mask([self.pt(x, y) for x, y in pts])

    def rect(self, x0, y0, x1, y1):
        (a, b), (c, d) = self.pt(x0, y0), self.pt(x1, y1)
        return rect_mask(snap(a), snap(b), snap(c), snap(d))

    def rrect(self, x0, y0, x1, y1, r):
        (a, b), (c, d) = self.pt(x0, y0), self.pt(x1, y1)
        return round_rect_mask(snap(a), snap(b), snap(c), snap(d), r * self.sx)

    def ell(self, cx, cy, rx, ry=None):
        x, y = self.pt(cx, cy)
        return ellipse_mask(x, y, rx * self.sx, (rx if ry is None else ry) * self.sy)

    def ring(self, cx, cy, r, t):
        return self.ell(cx, cy, r) - self.ell(cx, cy, r - t)

    def stroke(self, x0, y0, x1, y1, w):
        (a, b), (c, d) = self.pt(x0, y0), self.pt(x1, y1)
        return thick_line_mask(a, b, c, d, w * self.sx)

    def line(self, x0, y0, x1, y1, c):
        (a, b), (d, e) = self.pt(x0, y0), self.pt(x1, y1)
        self.cv.line(math.floor(a), math.floor(b), math.floor(d), math.floor(e), c)


def star_points(cx, cy, r_out, r_in, n=5, turn=-90.0):
    pts = []
    for i in range(2 * n):
        a = math.radians(turn + i * 180.0 / n)
        r = r_out if i % 2 == 0 else r_in
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def draw_star(pen, cx, cy, r):
    """The small yellow star that marks something new."""
    pen.cv.shape(pen.poly(*star_points(cx, cy, r, r * 0.45)), YELLOW, edge=0xB07800, light=YELLOW_L)


# ---------------------------------------------------------------------------
# 4. Outline buttons: boxed plus/minus and blue diamonds, with previews
# ---------------------------------------------------------------------------

BOX_EDGE = 0x5A6E98
BOX_SIGN = 0x102060


def outline_button(size, kind, expanded, bg=MAGENTA):
    """An expand/collapse button of the outline, size x size pixels."""
    cv = Canvas(size, size, bg)
    s = size // 11
    if kind == "box":
        cv.shape(round_rect_mask(0, 0, size, size, 2 * s), WHITE, edge=BOX_EDGE, grad=(WHITE, 0xC4D0E8))
        lo, hi = 3 * s, size - 3 * s          # arm ends of the sign
        mid = size // 2 - (s // 2)            # top row of the sign's bar
        cv.rect(lo, mid, hi, mid + s, BOX_SIGN)
        if not expanded:
            cv.rect(mid, lo, mid + s, hi, BOX_SIGN)
    else:
        # Radii a little off the half-pixel grid, so that no pixel centre
        # lies on an edge and both halves come out mirror images.
        c = size / 2.0
        r = c - 0.2
        diamond = poly_mask([(c, c - r), (c + r, c), (c, c + r), (c - r, c)])
        if expanded:
            # Open: a hollow diamond around a small solid one.
            cv.shape(diamond, WHITE, edge=NAVY, grad=(WHITE, BLUE_XL))
            k = 1.5 if s == 1 else 3.2
            core = poly_mask([(c, c - k), (c + k, c), (c, c + k), (c - k, c)])
            cv.shape(core, BLUE_M, edge=None)
        else:
            cv.shape(diamond, BLUE_M, edge=NAVY, grad=(BLUE_L, 0x1438B0), light=0xC0D4FF)
    return cv


def button_preview(size, kind):
    """The picture of a button type on the settings page: its collapsed
    button with the dotted connectors it sits on in the outline."""
    cv = Canvas(size, size, WHITE)
    b = outline_button(11 * (size // 20), kind, False, MAGENTA)
    ox = oy = (size - b.w) // 2
    c = size // 2
    cv.dotted(c, 0, c, oy - 1, GREY_D)
    cv.dotted(c, oy + b.h, c, size - 1, GREY_D)
    cv.dotted(ox + b.w, c, size - 1, c, GREY_D)
    cv.paste(b, ox, oy, MAGENTA)
    return cv


# ---------------------------------------------------------------------------
# 5. Padlocks
# ---------------------------------------------------------------------------

def padlock(w, h):
    """A brass padlock with a steel shackle on the key colour."""
    cv = Canvas(w, h, MAGENTA)
    big = w > 40
    cx = w / 2.0
    body_top = round(h * 0.43)
    ow = w * 0.34                      # outer radius of the shackle's bow
    t = max(2.0, w * 0.125)            # its thickness
    bow_cy = ow + 0.0
    shackle = set()
    for y in range(0, body_top + 1):
        for x in range(w):
            px, py = x + 0.5, y + 0.5
            if py < bow_cy:
                d = math.hypot(px - cx, py - bow_cy)
                if ow - t <= d <= ow:
                    shackle.add((x, y))
            elif (cx - ow <= px <= cx - ow + t) or (cx + ow - t <= px <= cx + ow):
                shackle.add((x, y))
    steel_edge = 0x4A5058
    cv.shape(shackle, GREY_L, edge=steel_edge, light=WHITE if big else 0xE8E8E8,
             dark=GREY_D if big else None)
    if big:
        # A bright stripe along the bow, as light falls on polished steel.
        mid = ow - t / 2.0
        for x, y in list(shackle):
            px, py = x + 0.5, y + 0.5
            if py < bow_cy and abs(math.hypot(px - cx, py - bow_cy) - (mid + t * 0.12)) < max(0.7, t * 0.12):
                if (x, y) not in boundary(shackle):
                    cv.put(x, y, 0xF4F6F8)
    r = max(1, round(w * 0.09))
    body = round_rect_mask(0, body_top, w, h, r)
    cv.shape(body, GOLD, edge=GOLD_D, grad=(GOLD_L, 0xC08810),
             light=0xFFF4C0 if w >= 20 else None, dark=0xA07010 if w >= 20 else None)
    if big:
        # Two engraved rules across the body.
        for fy in (0.16, 0.84):
            y = body_top + round((h - body_top) * fy)
            cv.rect(r + 2, y, w - r - 2, y + max(1, w // 95), 0xB08418)
            cv.rect(r + 2, y + max(1, w // 95), w - r - 2, y + 2 * max(1, w // 95), 0xFFF0B0)
    # Keyhole: a round head and a tapering slot.
    ky = body_top + (h - body_top) * 0.42
    kr = max(1.0, w * 0.085)
    hole = ellipse_mask(cx, ky, kr, kr) | poly_mask(
        [(cx - kr * 0.55, ky), (cx + kr * 0.55, ky), (cx + kr * 0.9, ky + kr * 2.6), (cx - kr * 0.9, ky + kr * 2.6)])
    if w < 20:
        hole = rect_mask(round(cx) - 1, round(ky) - 1, round(cx) + 1, round(ky) + 2)
    elif not big:
        # At this size a tapering slot reads as an arrow: keep it straight.
        kx, ky = math.floor(cx) + 0.5, math.floor(ky) + 0.5
        hole = ellipse_mask(kx, ky, 1.5, 1.5) | rect_mask(math.floor(kx), math.floor(ky), math.floor(kx) + 1,
                                                          math.floor(ky) + 4)
    cv.shape(hole, 0x3A2A08, edge=None, dark=None)
    if big:
        cv.fill({(x, y) for x, y in boundary(hole) if (x, y + 1) not in hole}, 0xFFE890)
    return cv


# ---------------------------------------------------------------------------
# 6. Small icons: the glyphs of the edit bar and of the menu-bar toolbar,
#    each designed on a 16 x 16 grid and drawn at 16 or 32 pixels
# ---------------------------------------------------------------------------

STEEL = 0xB8C0CC
STEEL_EDGE = 0x485060
PAGE_EDGE = 0x404850
TEXT_LINE = 0x7890B0
ARROW = (0x80B0FF, 0x1850C8)
ARROW_EDGE = 0x082070


def text_lines(p, x0, x1, ys, colour=TEXT_LINE):
    for i, y in enumerate(ys):
        end = x1 - (2 if i % 2 else 0)
        p.cv.fill(p.rect(x0, y, end, y + 1) if p.s == 1 else p.rect(x0, y, end, y + 0.5), colour)


def page(p, x0, y0, x1, y1, fold=0.0):
    """A white sheet, optionally with its top-right corner folded over."""
    if fold:
        sheet = p.poly((x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1))
        p.cv.shape(sheet, WHITE, edge=PAGE_EDGE, grad=(WHITE, 0xE8ECF0))
        flap = p.poly((x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold))
        p.cv.shape(flap, GREY_L, edge=PAGE_EDGE)
    else:
        p.cv.shape(p.rect(x0, y0, x1, y1), WHITE, edge=PAGE_EDGE, grad=(WHITE, 0xE8ECF0))


def glyph_cut(p):
    blade_a = p.poly((5.0, 10.6), (6.6, 10.6), (11.6, 0.6), (10.6, 0.6))
    blade_b = p.poly((9.4, 10.6), (11.0, 10.6), (5.4, 0.6), (4.4, 0.6))
    p.cv.shape(blade_b, STEEL, edge=STEEL_EDGE, light=WHITE if p.s > 1 else None)
    p.cv.shape(blade_a, STEEL, edge=STEEL_EDGE, light=WHITE if p.s > 1 else None)
    p.cv.shape(p.ell(8.0, 6.4, 0.9), STEEL_EDGE)
    for cx in (4.3, 11.7):
        ring = p.ring(cx, 12.3, 3.3, 1.6)
        p.cv.shape(ring, RED, edge=RED_D, light=RED_L if p.s > 1 else None)


def glyph_copy(p):
    page(p, 1, 1, 10, 12)
    text_lines(p, 3, 8, (3.5, 5.5, 7.5))
    page(p, 6, 4, 15, 15, fold=3)
    text_lines(p, 8, 13, (8.5, 10.5, 12.5))


def glyph_paste(p):
    board = p.rrect(1.5, 2, 12.5, 15.5, 1.2)
    p.cv.shape(board, 0xB07838, edge=0x583010, grad=(0xD09858, 0xA06828))
    page(p, 6.5, 5.5, 15, 15.5, fold=2.5)
    text_lines(p, 8, 13, (9.5, 11.5, 13.5))
    clip = p.rrect(4, 0.5, 10, 4, 0.8)
    p.cv.shape(clip, GREY_L, edge=STEEL_EDGE, light=WHITE)


def glyph_delete(p):
    cross = p.stroke(3.2, 3.2, 12.8, 12.8, 3.2) | p.stroke(12.8, 3.2, 3.2, 12.8, 3.2)
    p.cv.shape(cross, RED, edge=RED_D, grad=(0xFF5040, 0xC00808))


def item_row(p, x0, y0, x1, line_colour, box_fill=WHITE):
    """One outline item: a small check box and a line of text."""
    p.cv.shape(p.rect(x0, y0, x0 + 5, y0 + 5), box_fill, edge=PAGE_EDGE)
    p.cv.fill(p.rect(x0 + 6.5, y0 + 1.5, x1, y0 + 3.5), line_colour)


def glyph_duplicate(p):
    item_row(p, 0.5, 0.5, 15.5, GREY_D)
    item_row(p, 0.5, 10.5, 15.5, BLUE_M, box_fill=BLUE_XL)
    # A small green arrow from the item down to its copy.
    arrow_mask = p.rect(2.5, 5.5, 3.5, 7.5) | p.poly((0.5, 7.5), (5.5, 7.5), (3, 10.2))
    p.cv.fill(arrow_mask, GREEN)


def arrow(p, direction):
    """A fat blue arrow; designed pointing down, turned for the others."""
    down = [(6, 1.5), (10, 1.5), (10, 7.5), (14.5, 7.5), (8, 14.5), (1.5, 7.5), (6, 7.5)]
    turn = {"down": lambda x, y: (x, y), "up": lambda x, y: (x, 16 - y),
            "right": lambda x, y: (y, x), "left": lambda x, y: (16 - y, x)}[direction]
    pts = [turn(x, y) for x, y in down]
    p.cv.shape(p.poly(*pts), ARROW[1], edge=ARROW_EDGE, grad=ARROW, light=0xC8DCFF)


def glyph_find(p):
    handle = p.stroke(9.8, 9.8, 14.3, 14.3, 3.0)
    p.cv.shape(handle, 0x503010, edge=BLACK, light=0x9A6838 if p.s > 1 else None)
    glass = p.ell(6.5, 6.5, 4.6)
    p.cv.shape(glass, BLUE_XL, edge=None, grad=(0xF0F8FF, 0xA8C8F0))
    p.cv.fill(p.ring(6.5, 6.5, 5.6, 1.4), GREY_D)
    p.cv.fill(boundary(p.ell(6.5, 6.5, 5.6)), 0x303840)
    p.cv.fill(p.stroke(4.2, 5.8, 5.6, 4.2, 1.1 if p.s > 1 else 1.0), WHITE)


def glyph_note(p):
    # The same note paper the outline draws next to an item with a note.
    fill, edge = 0xFFDE52, 0x732900
    sheet = p.poly((1.5, 1.5), (10.5, 1.5), (14.5, 5.5), (14.5, 14.5), (1.5, 14.5))
    p.cv.shape(sheet, fill, edge=edge, light=0xFFF0A0)
    p.cv.shape(p.poly((10.5, 1.5), (10.5, 5.5), (14.5, 5.5)), 0xE8B830, edge=edge)
    for y in (6.5, 9, 11.5):
        p.cv.fill(p.rect(3.5, y, 12.5 if y > 7 else 9, y + 1), 0xB08020)


def glyph_new_item(p):
    p.cv.fill(p.rect(3, 3.5, 4, 12) if p.s == 1 else p.rect(3, 3.5, 3.5, 12), GREY_M)
    item_row(p, 0.5, 0.5, 13, GREY_D)
    item_row(p, 0.5, 8.5, 12, BLUE_M, box_fill=BLUE_XL)
    draw_star(p, 12.3, 11.6, 4.2)


def glyph_new_subitem(p):
    p.cv.fill(p.rect(3, 5.5, 4, 11.5) if p.s == 1 else p.rect(3, 5.5, 3.5, 11.5), GREY_M)
    p.cv.fill(p.rect(3, 10.5, 6, 11.5) if p.s == 1 else p.rect(3, 11, 6, 11.5), GREY_M)
    item_row(p, 0.5, 0.5, 13, GREY_D)
    item_row(p, 5.5, 8.5, 12, BLUE_M, box_fill=BLUE_XL)
    draw_star(p, 12.3, 11.6, 4.2)


def glyph_edit_bar(p):
    bar = p.rrect(0.5, 3, 15.5, 13, 1.5)
    p.cv.shape(bar, EDIT_BAR, edge=0x3C3C90, grad=(0xE8E8FF, EDIT_BAR), light=WHITE)
    # Three tiny buttons: delete, move down, move up.
    if p.s == 1:
        # Too small for shapes: set pixel by pixel.
        p.cv.line(2, 6, 4, 8, RED)
        p.cv.line(4, 6, 2, 8, RED)
        for c, top, rows in ((7, 5, (0, 0, 2, 1, 0)), (12, 6, (0, 1, 2, 0, 0))):
            for i, half in enumerate(rows):
                p.cv.rect(c - half, top + i, c + half + 1, top + 1 + i, ARROW[1])
    else:
        p.cv.fill(p.stroke(2.4, 5.9, 5.6, 10.1, 1.1) | p.stroke(5.6, 5.9, 2.4, 10.1, 1.1), RED)
        for x0, up in ((6.5, False), (11, True)):
            if up:
                shaft = p.rect(x0 + 1.5, 8, x0 + 2.5, 10.5)
                head = p.poly((x0 - 0.4, 8.6), (x0 + 4.4, 8.6), (x0 + 2, 5.4))
            else:
                shaft = p.rect(x0 + 1.5, 5.5, x0 + 2.5, 8)
                head = p.poly((x0 - 0.4, 7.4), (x0 + 4.4, 7.4), (x0 + 2, 10.6))
            p.cv.fill(shaft | head, ARROW[1])


EDIT_GLYPHS = [glyph_cut, glyph_copy, glyph_paste, glyph_delete, glyph_duplicate,
               lambda p: arrow(p, "down"), lambda p: arrow(p, "up"),
               lambda p: arrow(p, "left"), lambda p: arrow(p, "right")]
TOOL_GLYPHS = [glyph_new_item, glyph_new_subitem, glyph_note, glyph_find, glyph_edit_bar]


def glyph(fn, s, bg=MAGENTA):
    cv = Canvas(16 * s, 16 * s, bg)
    fn(Pen(cv, 0, 0, s))
    return cv


# ---------------------------------------------------------------------------
# 7. Edit bar strips: nine buttons at fixed places on the bar's own colour.
#    The bar copies each button out of the strip for its state, so the three
#    strips share one layout; the gap between Duplicate and Move Down stays
#    plain bar.
# ---------------------------------------------------------------------------

EDIT_X = {1: [7, 30, 54, 78, 101, 144, 166, 190, 213], 2: [8, 51, 94, 137, 180, 301, 344, 387, 430]}
EDIT_PIECE = {1: (19, 20), 2: (37, 40)}


def luminance(c):
    r, g, b = rgb(c)
    return (0.299 * r + 0.587 * g + 0.114 * b) / 255.0


def edit_strip(s, state):
    cv = Canvas(240 * s, 20 * s, EDIT_BAR)
    pw, ph = EDIT_PIECE[s]
    for i, x in enumerate(EDIT_X[s]):
        face = round_rect_mask(x, s, x + pw, ph - s, 2 * s)
        g = glyph(EDIT_GLYPHS[i], s)
        gx, gy = x + (pw - g.w) // 2, (ph - g.h) // 2
        if state == "enabled":
            cv.shape(face, WHITE, edge=0x6A6AB4, grad=(WHITE, 0xD0D0FA), light=WHITE, dark=0xA8A8E0)
            cv.paste(g, gx, gy, MAGENTA)
        elif state == "pressed":
            # Sunken: dark above and left, light below and right, the glyph
            # one pixel down and right as if pushed in.
            cv.shape(face, 0x8C8CE0, edge=0x262680, grad=(0x7474D4, 0xA4A4F0), light=0x5050B0, dark=0xC4C4FF)
            cv.paste(g, gx + 1, gy + 1, MAGENTA)
        else:
            # Disabled: a flat face and the glyph's dark lines etched in grey.
            cv.shape(face, 0xC6C6F6, edge=0xA0A0D8)
            dark = {(x0, y0) for y0 in range(g.h) for x0 in range(g.w)
                    if g.get(x0, y0) != MAGENTA and luminance(g.get(x0, y0)) < 0.72}
            cv.fill({(gx + x0 + 1, gy + y0 + 1) for x0, y0 in dark}, 0xF4F4FF)
            cv.fill({(gx + x0, gy + y0) for x0, y0 in dark}, 0x8484AC)
    return cv


# ---------------------------------------------------------------------------
# 8. Menu-bar toolbar: five images side by side, in the order of the bar's
#    picture buttons (New Item, New Sub-Item, Item Note, Find, Edit Bar)
# ---------------------------------------------------------------------------

def toolbar(s):
    cell_w, cell_h = (17, 16) if s == 1 else (32, 32)
    cv = Canvas(cell_w * 5, cell_h, MAGENTA)
    for i, fn in enumerate(TOOL_GLYPHS):
        g = glyph(fn, s)
        cv.paste(g, i * cell_w + (cell_w - g.w) // 2, (cell_h - g.h) // 2, MAGENTA)
    return cv


# ---------------------------------------------------------------------------
# 9. File chooser: the tree's five node pictures on the green key, and the
#    OK, Cancel and New Folder pictures of the dialog (drawn opaque on white)
# ---------------------------------------------------------------------------

FOLDER_EDGE = 0x7A5A08
FOLDER = (0xFFF0A0, 0xE8B828)


def node_open_folder(p):
    back = p.poly((0.5, 2.5), (5, 2.5), (6.5, 4), (12.5, 4), (12.5, 13.5), (0.5, 13.5))
    p.cv.shape(back, 0xD8A830, edge=FOLDER_EDGE)
    p.cv.shape(p.rect(2, 5, 11.5, 9), WHITE, edge=GREY_D)
    front = p.poly((3, 7.5), (15, 7.5), (12.5, 13.5), (0.5, 13.5))
    p.cv.shape(front, FOLDER[1], edge=FOLDER_EDGE, grad=FOLDER, light=0xFFF8D0)


def node_closed_folder(p):
    body = p.poly((0.5, 2.5), (5.5, 2.5), (7, 4), (14.5, 4), (14.5, 13.5), (0.5, 13.5))
    p.cv.shape(body, FOLDER[1], edge=FOLDER_EDGE, grad=FOLDER, light=0xFFF8D0)
    p.cv.fill(p.rect(1, 5.5, 14, 6) if p.s > 1 else p.rect(1, 5, 14, 6), 0xC09020)


def node_program(p):
    p.cv.shape(p.rect(0.5, 1.5, 14.5, 13.5), WHITE, edge=0x283040, grad=(WHITE, 0xE4E8F0))
    p.cv.shape(p.rect(0.5, 1.5, 14.5, 5), BLUE_M, edge=0x283040, grad=(BLUE_L, NAVY))
    p.cv.fill(p.rect(11, 2.5, 13, 4) if p.s > 1 else p.rect(11, 2, 13, 4), WHITE)
    text_lines(p, 2.5, 12, (7, 9, 11))


def node_document(p):
    page(p, 2, 0.5, 13, 14.5, fold=3.5)
    text_lines(p, 4, 11, (5.5, 7.5, 9.5, 11.5))


def node_database(p):
    page(p, 1, 0.5, 11.5, 14.5, fold=3)
    text_lines(p, 2.5, 9, (5, 7))
    body = p.rect(5.5, 9, 14.5, 13) | p.ell(10, 9, 4.5, 1.6) | p.ell(10, 13, 4.5, 1.6)
    p.cv.shape(body, TEAL, edge=0x004848, grad=(0x40C0C0, 0x107878))
    p.cv.shape(p.ell(10, 9, 4.5, 1.6), 0x90E0E0, edge=0x004848)


NODE_PICTURES = [node_open_folder, node_closed_folder, node_program, node_document, node_database]


def tree_strip(s):
    """Five node pictures, 16 x 15 each (30 x 30 on high-resolution screens)."""
    cell_w, cell_h = (16, 15) if s == 1 else (30, 30)
    cv = Canvas(cell_w * 5, cell_h, GREEN_KEY)
    for i, fn in enumerate(NODE_PICTURES):
        fn(Pen(cv, i * cell_w, 0, s))
    return cv


def picture_ok(size):
    cv = Canvas(size, size, WHITE)
    p = Pen(cv, 0, 0, size / 20.0)
    tick = p.poly((1.8, 10.6), (5.2, 7.4), (8.2, 10.6), (15.6, 2.2), (18.6, 5.2), (8.4, 17.4))
    cv.shape(tick, GREEN, edge=0x0A4A0A, grad=(0x80E070, 0x108A10), light=0xC8F8B8)
    return cv


def picture_cancel(size):
    cv = Canvas(size, size, WHITE)
    p = Pen(cv, 0, 0, size / 20.0)
    cross = p.stroke(4, 4, 16, 16, 4.4) | p.stroke(16, 4, 4, 16, 4.4)
    cv.shape(cross, RED, edge=RED_D, grad=(0xFF6050, 0xB80808), light=0xFFB0A0)
    return cv


def picture_new_folder(size):
    cv = Canvas(size, size, WHITE)
    p = Pen(cv, 0, 2 * size / 20.0, size / 16.0)
    node_closed_folder(p)
    draw_star(Pen(cv, 0, 0, size / 20.0), 15.2, 5.2, 4.8)
    return cv


# ---------------------------------------------------------------------------
# 10. Dialog pictures: warning triangle, the program's picture, and the two
#     mode pictures of the colour picker (all on the dialogs' white)
# ---------------------------------------------------------------------------

def picture_warning(w, h):
    cv = Canvas(w, h, WHITE)
    p = Pen(cv, 0, 0, w / 33.0, h / 29.0)
    tri = p.poly((15.4, 0.6), (17.6, 0.6), (32.6, 26.4), (31.4, 28.4), (1.6, 28.4), (0.4, 26.4))
    cv.shape(tri, YELLOW, edge=0x403000, grad=(0xFFF8A0, 0xF0B800), light=0xFFFFE0, dark=0xC89000)
    cv.fill(p.poly((15.0, 8.5), (18.0, 8.5), (17.3, 19.5), (15.7, 19.5)), BLACK)
    cv.fill(p.ell(16.5, 23.3, 1.8, 1.8), BLACK)
    return cv


def picture_program(size):
    """The program's picture: a checklist pad and a pencil."""
    cv = Canvas(size, size, WHITE)
    p = Pen(cv, 0, 0, size / 32.0)
    cv.shape(p.rrect(3.5, 4, 25, 30.5, 1.5), WHITE, edge=0x283040, grad=(WHITE, 0xE0E8F4), dark=0xC8D0E0)
    cv.shape(p.rrect(3.5, 2.5, 25, 8, 1.5), BLUE_M, edge=NAVY, grad=(BLUE_L, 0x103090), light=0xC0D4FF)
    for x in (8, 14.25, 20.5):
        cv.shape(p.rect(x - 0.8, 1, x + 0.8, 5), GREY_L, edge=0x404850)
    for row, y in enumerate((11, 17, 23)):
        cv.shape(p.rect(6.5, y, 11, y + 4.5), WHITE, edge=0x303848)
        if row < 2:
            tick = p.stroke(7.3, y + 2.2, 8.6, y + 3.6, 1.4) | p.stroke(8.4, y + 3.6, 11.6, y - 0.6, 1.4)
            cv.fill(tick, 0x109018)
        cv.fill(p.rect(13, y + 1.5, 22.5 - 3 * (row == 1), y + 3), TEXT_LINE if row < 2 else 0x30486E)
    # The pencil, lying across the pad's right edge.
    ax, ay, bx, by = 29.5, 9.0, 20.0, 26.5
    dx, dy = bx - ax, by - ay
    n = math.hypot(dx, dy)
    ux, uy = dx / n, dy / n
    nx, ny = -uy * 2.1, ux * 2.1
    cut = 0.78
    mx, my = ax + dx * cut, ay + dy * cut
    body = p.poly((ax + nx, ay + ny), (mx + nx, my + ny), (mx - nx, my - ny), (ax - nx, ay - ny))
    cv.shape(body, YELLOW, edge=0x6A4A00, grad=(0xFFE860, 0xE8A800), light=0xFFF8C0)
    tip = p.poly((mx + nx, my + ny), (bx, by), (mx - nx, my - ny))
    cv.shape(tip, 0xF0D0A0, edge=0x6A4A00)
    cv.fill(p.poly((bx - ux * 2.2 + nx * 0.45, by - uy * 2.2 + ny * 0.45), (bx, by),
                   (bx - ux * 2.2 - nx * 0.45, by - uy * 2.2 - ny * 0.45)), 0x202020)
    ex, ey = ax + ux * 3.0, ay + uy * 3.0
    cv.shape(p.poly((ax + nx, ay + ny), (ex + nx, ey + ny), (ex - nx, ey - ny), (ax - nx, ay - ny)),
             0xF08CA0, edge=0x6A2838)
    return cv


def picture_colour_grid(size):
    cv = Canvas(size, size, WHITE)
    p = Pen(cv, 0, 0, size / 24.0)
    colours = [0xE02020, 0xFFD020, 0x20B030, 0x20C0E0, 0x2050E0, 0xA040D0, 0xFFFFFF, 0xA0A0A0, 0x303030]
    cv.fill(p.rect(1, 1, 23, 23), 0x404040)
    for i, c in enumerate(colours):
        x, y = 1.5 + (i % 3) * 7, 1.5 + (i // 3) * 7
        cv.shape(p.rect(x + 0.5, y + 0.5, x + 6.5, y + 6.5), c, light=mix(c, WHITE, 0.55), dark=mix(c, BLACK, 0.3))
    return cv


def picture_rgb_bars(size):
    """Three bars of different lengths, red, green and blue."""
    cv = Canvas(size, size, WHITE)
    p = Pen(cv, 0, 0, size / 24.0)
    for i, (c, length) in enumerate(((0xE82020, 20), (0x20B030, 13), (0x2458E8, 17))):
        y = 2 + i * 7
        bar = p.rect(2, y, 2 + length, y + 5)
        cv.shape(bar, c, edge=mix(c, BLACK, 0.55), light=mix(c, WHITE, 0.5), dark=mix(c, BLACK, 0.25))
    return cv


# ---------------------------------------------------------------------------
# 11. The built-in background: soft paper with a faint checked box, in one
#     ramp of at most 256 tones so that it fits an 8-bit palette
# ---------------------------------------------------------------------------

BG_RAMP = [(0.0, 0xFFFEF6), (0.35, 0xF0F3FA), (0.7, 0xDCE4F4), (1.0, 0xB8C8E8)]


def ramp_colour(v):
    for (a, ca), (b, cb) in zip(BG_RAMP, BG_RAMP[1:]):
        if v <= b:
            return mix(ca, cb, (v - a) / (b - a))
    return BG_RAMP[-1][1]


def picture_background(w=240, h=268):
    motif = round_rect_mask(128, 150, 222, 244, 14) - round_rect_mask(137, 159, 213, 235, 8)
    motif |= thick_line_mask(146, 192, 170, 218, 13) | thick_line_mask(166, 220, 226, 140, 13)
    halo = set()
    for x, y in motif:
        for dy in (-1, 0, 1):
            for dx in (-1, 0, 1):
                halo.add((x + dx, y + dy))
    seed = 0x2545F491
    cv = Canvas(w, h, WHITE)
    for y in range(h):
        for x in range(w):
            # A soft diagonal shading, a little paper grain and the motif.
            v = 0.06 + 0.30 * (y / h) + 0.10 * (x / w)
            seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
            v += ((seed >> 16) % 7 - 3) * 0.006
            # Two soft waves along the bottom, like distant hills.
            if y > 214 + 10 * math.sin(x / 41.0 + 0.6):
                v += 0.07
            if y > 240 + 7 * math.sin(x / 27.0 + 2.1):
                v += 0.07
            if (x, y) in motif:
                v += 0.13
            elif (x, y) in halo:
                v += 0.06
            v = min(1.0, max(0.0, v))
            cv.put(x, y, ramp_colour(round(v * 255) / 255.0))
    return cv


# ---------------------------------------------------------------------------
# 12. Table of pictures and main
# ---------------------------------------------------------------------------

# id: (what it shows, how to draw it, bits per pixel)
PICTURES = {
    111: ("program picture", lambda: picture_program(32), 24),
    112: ("program picture, high resolution", lambda: picture_program(64), 24),
    113: ("warning triangle, high resolution", lambda: picture_warning(68, 57), 24),
    114: ("warning triangle", lambda: picture_warning(33, 29), 24),
    117: ("menu-bar buttons, high resolution", lambda: toolbar(2), 24),
    118: ("menu-bar buttons", lambda: toolbar(1), 24),
    119: ("file chooser tree pictures, high resolution", lambda: tree_strip(2), 24),
    120: ("file chooser tree pictures", lambda: tree_strip(1), 24),
    121: ("Cancel cross, high resolution", lambda: picture_cancel(40), 24),
    122: ("Cancel cross", lambda: picture_cancel(20), 24),
    124: ("OK check mark, high resolution", lambda: picture_ok(40), 24),
    125: ("OK check mark", lambda: picture_ok(20), 24),
    126: ("colour picker preset mode, high resolution", lambda: picture_colour_grid(48), 24),
    127: ("colour picker preset mode", lambda: picture_colour_grid(24), 24),
    128: ("colour picker red/green/blue mode, high resolution", lambda: picture_rgb_bars(48), 24),
    129: ("colour picker red/green/blue mode", lambda: picture_rgb_bars(24), 24),
    131: ("edit bar, enabled, high resolution", lambda: edit_strip(2, "enabled"), 24),
    132: ("edit bar, enabled", lambda: edit_strip(1, "enabled"), 24),
    136: ("edit bar, pressed, high resolution", lambda: edit_strip(2, "pressed"), 24),
    137: ("edit bar, pressed", lambda: edit_strip(1, "pressed"), 24),
    139: ("New Folder, high resolution", lambda: picture_new_folder(40), 24),
    140: ("New Folder", lambda: picture_new_folder(20), 24),
    141: ("button type: boxed plus, high resolution", lambda: button_preview(40, "box"), 24),
    142: ("button type: blue diamond, high resolution", lambda: button_preview(40, "diamond"), 24),
    143: ("button type: boxed plus", lambda: button_preview(20, "box"), 24),
    144: ("button type: blue diamond", lambda: button_preview(20, "diamond"), 24),
    147: ("built-in background", picture_background, 8),
    150: ("large padlock", lambda: padlock(95, 135), 24),
    151: ("large padlock, high resolution", lambda: padlock(189, 270), 24),
    152: ("expanded boxed button", lambda: outline_button(11, "box", True), 24),
    153: ("collapsed boxed button", lambda: outline_button(11, "box", False), 24),
    154: ("expanded boxed button, high resolution", lambda: outline_button(22, "box", True), 24),
    155: ("collapsed boxed button, high resolution", lambda: outline_button(22, "box", False), 24),
    156: ("expanded diamond button", lambda: outline_button(11, "diamond", True), 24),
    157: ("expanded diamond button, high resolution", lambda: outline_button(22, "diamond", True), 24),
    158: ("collapsed diamond button", lambda: outline_button(11, "diamond", False), 24),
    159: ("collapsed diamond button, high resolution", lambda: outline_button(22, "diamond", False), 24),
    160: ("edit bar, disabled, high resolution", lambda: edit_strip(2, "disabled"), 24),
    161: ("edit bar, disabled", lambda: edit_strip(1, "disabled"), 24),
    167: ("small padlock, high resolution", lambda: padlock(25, 32), 24),
    169: ("small padlock", lambda: padlock(12, 15), 24),
}


def contact_sheet(pictures, zoom=3, width=1500):
    """Every picture enlarged, on a grey ground, in id order."""
    x = y = 8
    row_h = 0
    places = []
    for pid, cv in pictures:
        if x + cv.w * zoom > width and x > 8:
            x, y, row_h = 8, y + row_h + 12, 0
        places.append((x, y))
        x += cv.w * zoom + 12
        row_h = max(row_h, cv.h * zoom)
    sheet = Canvas(width, y + row_h + 8, 0x8C8C8C)
    for (pid, cv), (px, py) in zip(pictures, places):
        sheet.frame(px - 2, py - 2, px + cv.w * zoom + 2, py + cv.h * zoom + 2, 0x404040)
        for yy in range(cv.h):
            for xx in range(cv.w):
                sheet.rect(px + xx * zoom, py + yy * zoom, px + xx * zoom + zoom, py + yy * zoom + zoom, cv.get(xx, yy))
    return sheet


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description="Draw the program's pictures as .bmp files.")
    ap.add_argument("--out", default=os.path.join(here, "..", "src", "resources", "bitmaps"))
    ap.add_argument("--sheet", help="also write a contact sheet of all pictures (PNG)")
    ap.add_argument("--only", type=int, nargs="*", help="draw only these ids")
    args = ap.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    drawn = []
    for pid in sorted(PICTURES):
        if args.only and pid not in args.only:
            continue
        what, draw, bits = PICTURES[pid]
        cv = draw()
        with open(os.path.join(args.out, "%d.bmp" % pid), "wb") as f:
            f.write(bmp_bytes(cv, bits))
        print("%d.bmp  %3d x %3d  %2d bpp  %s" % (pid, cv.w, cv.h, bits, what))
        drawn.append((pid, cv))
    if args.sheet:
        with open(args.sheet, "wb") as f:
            f.write(png_bytes(contact_sheet(drawn)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
