#!/usr/bin/env python3
"""Writes the vector sources of Lumo's pictures: one SVG per picture and density file.

The pictures, their cells and their files are listed in tools/art/manifest.md; this program draws
each cell in design pixels (the plain file's pixels, density 2) and writes one SVG per file, already
at that file's pixel size, into the folder given as its argument (tools/make-art.sh passes a scratch
folder: the drawing code here is the one source of the art, the SVGs are only a step). Straight edges are placed per file so that they fall
on whole pixels at 1x, 1.5x and 2x alike; curves are left to the renderer's anti-aliasing.
tools/make-art.sh runs it and renders the SVGs; run alone: python3 -B tools/art/make-svg.py OUT_DIR

Index:
  1. Palette and the pen (SVG elements in design pixels, snapped per scale)
  2. Shared shapes (arrows, documents, folders, boxes)
  3. The cells of each strip
  4. Whole pictures (start-up picture, artwork)
  5. Writing the files
"""
import math
import pathlib
import re
import sys

from manifest import ART_DIR, SCALES, read_manifest, variant_name



# --- 1. Palette and the pen --------------------------------------------------------------------

SLATE = (46, 50, 65)          # the title band; ink on light grounds
SLATE_DEEP = (23, 25, 33)     # the drawer's darker gradient end
SLATE_MID = (88, 96, 128)     # the menu's pressed face
LIGHT = (248, 248, 248)       # the light lists; ink on dark grounds
WHITE = (255, 255, 255)
ACCENT = (35, 114, 204)       # the accent bar 0xFFCC7223 (red in byte 0)
BLUE_LIGHT = (77, 151, 245)   # pressed row gradient, outer colour
BLUE_PRESSED = (34, 107, 228) # pressed row gradient, middle colour; pressed glyphs
BLUE_DEEP = (24, 84, 160)     # filled buttons when pressed
PRESSED_FACE = (211, 230, 249)
GREY = (138, 140, 153)        # secondary text
GREY_LINE = (202, 202, 202)   # separators; disabled glyphs
GREY_FILL = (236, 236, 236)
AMBER = (255, 178, 0)
AMBER_LIGHT = (255, 200, 0)
GREEN = (136, 188, 24)
RED = (255, 45, 85)
TREE_LINE = (118, 124, 148)   # reads on the dark tree and on light lists alike

STROKE = 2.0                  # glyph stroke in design pixels
RADIUS = 3.0                  # boxes and documents
TILE_RADIUS = 6.0             # settings tiles


def num(v):
    text = ("%.3f" % v).rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def rgb(c):
    return "#%02x%02x%02x" % c


def half_up(v):
    """Rounds halves up (Python's round() rounds them to even, which would place twin edges of a
    symmetric shape unevenly)."""
    return math.floor(v + 0.5)


class Pen:
    """Collects SVG elements for one cell, in design pixels, for the file scale `s`."""

    def __init__(self, s):
        self.s = s
        self.parts = []

    # Snapping: design coordinates that land on whole pixels at this scale.
    def edge(self, v):
        return half_up(v * self.s) / self.s

    def width(self, w):
        return max(1, half_up(w * self.s)) / self.s

    def centre(self, c, w):
        px = max(1, half_up(w * self.s))
        return (half_up(c * self.s - px / 2.0) + px / 2.0) / self.s

    def _paint(self, fill, stroke, sw, opacity, extra=""):
        attrs = []
        attrs.append('fill="%s"' % (rgb(fill) if fill else "none"))
        if stroke:
            attrs.append('stroke="%s" stroke-width="%s" stroke-linecap="round" '
                         'stroke-linejoin="round"' % (rgb(stroke), num(sw)))
        if opacity < 1.0:
            attrs.append('opacity="%s"' % num(opacity))
        if extra:
            attrs.append(extra)
        return " ".join(attrs)

    def raw(self, text):
        self.parts.append(text)

    def path(self, d, fill=None, stroke=None, sw=STROKE, evenodd=False):
        extra = 'fill-rule="evenodd"' if evenodd else ""
        self.parts.append('<path d="%s" %s/>' % (d, self._paint(fill, stroke, sw, 1.0, extra)))

    def poly(self, points, fill=None, stroke=None, sw=STROKE, closed=False):
        d = "M" + " L".join("%s %s" % (num(x), num(y)) for x, y in points) + (" Z" if closed else "")
        self.path(d, fill, stroke, sw)

    def circle(self, cx, cy, r, fill=None, stroke=None, sw=STROKE, opacity=1.0):
        self.parts.append('<circle cx="%s" cy="%s" r="%s" %s/>'
                          % (num(cx), num(cy), num(r), self._paint(fill, stroke, sw, opacity)))

    def ellipse(self, cx, cy, rx, ry, angle, fill):
        self.parts.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" transform="rotate(%s %s %s)" '
                          'fill="%s"/>' % (num(cx), num(cy), num(rx), num(ry), num(angle), num(cx),
                                           num(cy), rgb(fill)))

    def rect(self, x0, y0, x1, y1, r=0.0, fill=None):
        """A filled rectangle whose edges are snapped to whole pixels."""
        x0, y0, x1, y1 = self.edge(x0), self.edge(y0), self.edge(x1), self.edge(y1)
        self.parts.append('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" %s/>'
                          % (num(x0), num(y0), num(x1 - x0), num(y1 - y0), num(r),
                             self._paint(fill, None, 0, 1.0)))

    def frame(self, x0, y0, x1, y1, r, stroke, sw=STROKE, fill=None):
        """An outlined rectangle given by its outer edges; the stroke lies inside them."""
        x0, y0, x1, y1 = self.edge(x0), self.edge(y0), self.edge(x1), self.edge(y1)
        w = self.width(sw)
        self.parts.append('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" %s/>'
                          % (num(x0 + w / 2), num(y0 + w / 2), num(x1 - x0 - w), num(y1 - y0 - w),
                             num(max(0.0, r - w / 2)), self._paint(fill, stroke, w, 1.0)))

    def hline(self, x0, x1, y, color, sw=STROKE, cap="round"):
        y = self.centre(y, sw)
        w = self.width(sw)
        self.parts.append('<path d="M%s %s H%s" stroke="%s" stroke-width="%s" stroke-linecap="%s" '
                          'fill="none"/>' % (num(x0), num(y), num(x1), rgb(color), num(w), cap))

    def vline(self, x, y0, y1, color, sw=STROKE, cap="round"):
        x = self.centre(x, sw)
        w = self.width(sw)
        self.parts.append('<path d="M%s %s V%s" stroke="%s" stroke-width="%s" stroke-linecap="%s" '
                          'fill="none"/>' % (num(x), num(y0), num(y1), rgb(color), num(w), cap))


# --- 2. Shared shapes --------------------------------------------------------------------------

def arrow_head(p, tip, angle_deg, size, color):
    """An open arrow head (two strokes) whose tip points along angle_deg (0 = right, 90 = down)."""
    a = math.radians(angle_deg)
    pts = []
    for turn in (150, -150):
        b = a + math.radians(turn)
        pts.append((tip[0] + size * math.cos(b), tip[1] + size * math.sin(b)))
    p.poly([pts[0], tip, pts[1]], stroke=color)


def document(p, x0, y0, x1, y1, fold, body, fold_color):
    """A flat page in `body` with its top right corner folded over in `fold_color`."""
    r = RADIUS
    d = ("M%s %s H%s L%s %s V%s Q%s %s %s %s H%s Q%s %s %s %s V%s Q%s %s %s %s Z" % (
        num(x0 + r), num(y0), num(x1 - fold), num(x1), num(y0 + fold), num(y1 - r),
        num(x1), num(y1), num(x1 - r), num(y1), num(x0 + r), num(x0), num(y1), num(x0),
        num(y1 - r), num(y0 + r), num(x0), num(y0), num(x0 + r), num(y0)))
    p.path(d, fill=body)
    p.path("M%s %s V%s Q%s %s %s %s H%s Z" % (
        num(x1 - fold), num(y0), num(y0 + fold - 2), num(x1 - fold), num(y0 + fold),
        num(x1 - fold + 2), num(y0 + fold), num(x1)), fill=fold_color)


def folder_outline(p, x0, y0, x1, y1, color):
    """A folder drawn as one outline: the tab at the top left, the body below."""
    r = 2.0
    tab_w = (x1 - x0) * 0.38
    tab_h = 3.0
    d = ("M%s %s V%s Q%s %s %s %s H%s L%s %s H%s Q%s %s %s %s V%s Q%s %s %s %s H%s "
         "Q%s %s %s %s Z" % (
             num(x0), num(y1 - r), num(y0 + r), num(x0), num(y0), num(x0 + r), num(y0),
             num(x0 + tab_w), num(x0 + tab_w + tab_h), num(y0 + tab_h), num(x1 - r),
             num(x1), num(y0 + tab_h), num(x1), num(y0 + tab_h + r), num(y1 - r), num(x1),
             num(y1), num(x1 - r), num(y1), num(x0 + r), num(x0), num(y1), num(x0),
             num(y1 - r)))
    p.path(d, stroke=color)


def folder_filled(p, x0, y0, x1, y1, back, front):
    """A flat folder: the back with its tab, and the front leaf a shade lighter."""
    r = 2.0
    tab_w = (x1 - x0) * 0.4
    tab_h = 3.0
    p.path("M%s %s V%s Q%s %s %s %s H%s L%s %s H%s Q%s %s %s %s V%s H%s Z" % (
        num(x0), num(y1 - r), num(y0 + r), num(x0), num(y0), num(x0 + r), num(y0),
        num(x0 + tab_w), num(x0 + tab_w + tab_h), num(y0 + tab_h), num(x1 - r), num(x1),
        num(y0 + tab_h), num(x1), num(y0 + tab_h + r), num(y1 - r), num(x0)), fill=back)
    top = y0 + tab_h + 3.0
    p.path("M%s %s H%s V%s Q%s %s %s %s H%s Q%s %s %s %s Z" % (
        num(x0), num(top), num(x1), num(y1 - r), num(x1), num(y1), num(x1 - r), num(y1),
        num(x0 + r), num(x0), num(y1), num(x0), num(y1 - r)), fill=front)


def note(p, x, y, size, color):
    """An eighth note: head at (x, y) (its centre), the stem rising on its right, a flag."""
    hr = size * 0.2
    p.ellipse(x, y, hr * 1.25, hr, -20, color)
    sx = x + hr * 1.1
    p.poly([(sx, y - 0.3), (sx, y - size * 0.8)], stroke=color, sw=size * 0.12)
    p.path("M%s %s Q%s %s %s %s" % (num(sx), num(y - size * 0.8), num(sx + size * 0.1),
                                     num(y - size * 0.55), num(sx + size * 0.38),
                                     num(y - size * 0.5)), stroke=color, sw=size * 0.12)


def beamed_notes(p, x0, y0, w, color, stem):
    """Two eighth notes joined by a beam, inside the box (x0, y0, x0 + w, y0 + w)."""
    hx = (x0 + w * 0.26, x0 + w * 0.70)
    hy = (y0 + w * 0.80, y0 + w * 0.70)
    rx, ry = w * 0.15, w * 0.11
    for cx, cy in zip(hx, hy):
        p.ellipse(cx, cy, rx, ry, -22, color)
    sx = [cx + rx * 0.86 for cx in hx]
    top = (y0 + w * 0.16, y0 + w * 0.06)
    for i in range(2):
        p.poly([(sx[i], hy[i] - ry * 0.3), (sx[i], top[i] + stem)], stroke=color, sw=stem)
    beam = stem * 1.7
    p.poly([(sx[0] - stem / 2, top[0]), (sx[1] + stem / 2, top[1]),
            (sx[1] + stem / 2, top[1] + beam), (sx[0] - stem / 2, top[0] + beam)],
           fill=color, closed=True)


def check_mark(p, cx, cy, size, color, sw):
    p.poly([(cx - size * 0.42, cy + size * 0.02), (cx - size * 0.12, cy + size * 0.32),
            (cx + size * 0.45, cy - size * 0.30)], stroke=color, sw=sw)


def gear(p, cx, cy, r_out, r_in, teeth, color, sw=STROKE, hole=None, fill=None):
    pts = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = i * step - math.pi / 2
        for da, r in ((-0.27, r_in), (-0.16, r_out), (0.16, r_out), (0.27, r_in)):
            pts.append((cx + r * math.cos(a + da * step * 1.6), cy + r * math.sin(a + da * step * 1.6)))
    d = "M" + " L".join("%s %s" % (num(x), num(y)) for x, y in pts) + " Z"
    if hole and fill:
        d += " M%s %s a%s %s 0 1 0 %s 0 a%s %s 0 1 0 %s 0 Z" % (
            num(cx - hole), num(cy), num(hole), num(hole), num(2 * hole), num(hole), num(hole),
            num(-2 * hole))
        p.path(d, fill=fill, evenodd=True)
    else:
        p.path(d, stroke=color, sw=sw)
        if hole:
            p.circle(cx, cy, hole, stroke=color, sw=sw)


def star(p, cx, cy, r_out, r_in, color):
    pts = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        r = r_out if i % 2 == 0 else r_in
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    p.poly(pts, fill=color, stroke=color, sw=1.2, closed=True)


# --- 3. The cells of each strip ----------------------------------------------------------------

# PlayImgList.png: 32 x 32, on the light button bar.
def play_round(p, pressed, glyph):
    p.circle(16, 16, 13 if not pressed else 12.5, fill=BLUE_DEEP if pressed else ACCENT)
    glyph(p, WHITE)


def glyph_play(p, c):
    p.poly([(13, 10), (13, 22), (22.5, 16)], fill=c, stroke=c, sw=1.6, closed=True)


def glyph_pause(p, c):
    p.rect(11, 10, 14, 22, 1, fill=c)
    p.rect(18, 10, 21, 22, 1, fill=c)


def glyph_previous(p, c):
    p.rect(6, 8, 9, 24, 1, fill=c)
    p.poly([(25, 8.5), (25, 23.5), (12, 16)], fill=c, stroke=c, sw=STROKE, closed=True)


def glyph_next(p, c):
    p.rect(23, 8, 26, 24, 1, fill=c)
    p.poly([(7, 8.5), (7, 23.5), (20, 16)], fill=c, stroke=c, sw=STROKE, closed=True)


def glyph_add_files(p, c):
    folder_outline(p, 4, 7, 28, 26, c)
    p.hline(11, 21, 17, c)
    p.vline(16, 12, 22, c)


def glyph_loop_once(p, c):
    p.hline(5, 21, 16, c)
    arrow_head(p, (22, 16), 0, 7, c)
    p.vline(27, 9, 23, c)


def glyph_loop_repeat(p, c):
    p.path("M6 18 V14 Q6 9 11 9 H24", stroke=c)
    arrow_head(p, (25, 9), 0, 5.5, c)
    p.path("M26 14 V18 Q26 23 21 23 H8", stroke=c)
    arrow_head(p, (7, 23), 180, 5.5, c)


def glyph_shuffle(p, c):
    p.path("M5 10 H9 C15 10 16 22 22 22 H25", stroke=c)
    arrow_head(p, (26, 22), 0, 5.5, c)
    p.path("M5 22 H9 C15 22 16 10 22 10 H25", stroke=c)
    arrow_head(p, (26, 10), 0, 5.5, c)


def play_cells():
    cells = []
    for glyph, round_button in ((glyph_play, True), (glyph_pause, True),
                                (glyph_previous, False), (glyph_next, False),
                                (glyph_add_files, False), (glyph_loop_once, False),
                                (glyph_loop_repeat, False), (glyph_shuffle, False)):
        for pressed in (False, True):
            if round_button:
                cells.append(lambda p, g=glyph, pr=pressed: play_round(p, pr, g))
            else:
                cells.append(lambda p, g=glyph, pr=pressed: g(p, BLUE_PRESSED if pr else SLATE))
    return cells


# MenuImgList.png: 24 x 24, light glyphs on the dark drawer.
def menu_add(p, c):
    p.hline(4, 20, 12, c)
    p.vline(12, 4, 20, c)


def menu_edit(p, c):
    p.poly([(15.5, 4.5), (19.5, 8.5), (9, 19), (4.5, 19.5), (5, 15)], stroke=c, closed=True)
    p.poly([(13, 7), (17, 11)], stroke=c)


def menu_delete(p, c):
    p.hline(4, 20, 7, c)
    p.path("M9.5 7 V5 H14.5 V7", stroke=c)
    p.path("M6.5 7 L7.5 18.5 Q7.7 20 9.2 20 H14.8 Q16.3 20 16.5 18.5 L17.5 7", stroke=c)
    p.vline(10.5, 10.5, 16.5, c, sw=1.5)
    p.vline(13.5, 10.5, 16.5, c, sw=1.5)


def menu_playlist(p, c):
    p.hline(4, 14, 6, c)
    p.hline(4, 14, 11, c)
    p.hline(4, 10, 16, c)
    note(p, 14.5, 18, 12, c)


def sort_bars(p, c, lengths, up):
    p.vline(7, 5, 19, c)
    if up:
        arrow_head(p, (7, 4.5), -90, 4.5, c)
    else:
        arrow_head(p, (7, 19.5), 90, 4.5, c)
    for y, length in zip((6, 12, 18), lengths):
        p.hline(12, 12 + length, y, c)


def menu_sort_up(p, c):
    sort_bars(p, c, (3, 5.5, 8), True)


def menu_sort_down(p, c):
    sort_bars(p, c, (8, 5.5, 3), False)


def menu_clear(p, c):
    p.hline(4, 16, 6, c)
    p.hline(4, 12, 11, c)
    p.hline(4, 9, 16, c)
    p.poly([(14, 13), (20, 19)], stroke=c)
    p.poly([(20, 13), (14, 19)], stroke=c)


def menu_options(p, c):
    gear(p, 12, 12, 9, 6.6, 8, c, hole=2.6)


def menu_about(p, c):
    p.circle(12, 12, 8.5, stroke=c)
    p.circle(12, 8, 1.3, fill=c)
    p.vline(12, 11, 16.5, c)


def menu_cells():
    return [lambda p, f=f: f(p, LIGHT) for f in (
        menu_add, menu_edit, menu_delete, menu_playlist, menu_sort_up, menu_sort_down, menu_clear,
        menu_options, menu_about)]


# TitleImgList.png: 24 x 24, light glyphs on the title band.
def title_back(p, c):
    p.poly([(15, 5), (8, 12), (15, 19)], stroke=c, sw=2.4)


def title_menu(p, c):
    for y in (6.5, 12, 17.5):
        p.hline(4, 20, y, c)


def title_folder(p, c):
    folder_outline(p, 3, 5, 21, 19, c)


def title_cells():
    return [lambda p, f=f: f(p, LIGHT) for f in (title_back, title_menu, title_folder)]


# BrowseImgList.png: 32 x 32, slate glyphs with blue boxes on the light button band.
def stacked_boxes(p, back_checked, front_checked):
    """Two check boxes, one behind the other: the pair stands for every item of the list."""
    def box(x0, y0, size, checked, behind):
        if checked:
            p.rect(x0, y0, x0 + size, y0 + size, RADIUS, fill=BLUE_LIGHT if behind else ACCENT)
            check_mark(p, x0 + size / 2, y0 + size / 2 + 0.4, size * 0.66, WHITE, STROKE)
        else:
            p.frame(x0, y0, x0 + size, y0 + size, RADIUS, SLATE, fill=LIGHT)
    box(14, 4, 14, back_checked, True)
    box(4, 12, 16, front_checked, False)


def browse_all(p):
    stacked_boxes(p, True, True)


def browse_invert(p):
    stacked_boxes(p, True, False)


def browse_none(p):
    stacked_boxes(p, False, False)


def browse_refresh(p):
    c = SLATE
    r = 9.5
    # A clockwise arc with its gap at the top; the head at its end points on, clockwise.
    a0, a1 = math.radians(-55), math.radians(235)
    x0, y0 = 16 + r * math.cos(a0), 16.5 + r * math.sin(a0)
    x1, y1 = 16 + r * math.cos(a1), 16.5 + r * math.sin(a1)
    p.path("M%s %s A%s %s 0 1 1 %s %s" % (num(x0), num(y0), num(r), num(r), num(x1), num(y1)),
           stroke=c)
    arrow_head(p, (x1, y1), math.degrees(a1) + 90, 5.5, c)


def browse_parent(p):
    c = SLATE
    folder_outline(p, 4, 7, 28, 26, c)
    p.vline(16, 13, 22, ACCENT)
    arrow_head(p, (16, 12.5), -90, 5, ACCENT)


def browse_cells():
    return [browse_all, browse_invert, browse_none, browse_refresh, browse_parent]


# SettingImg.png: 32 x 32, white glyphs on coloured tiles.
def tile(p, color):
    p.rect(2, 2, 30, 30, TILE_RADIUS, fill=color)


def setting_filter(p):
    tile(p, ACCENT)
    p.poly([(9, 10), (23, 10), (18, 16.5), (18, 22), (14, 24), (14, 16.5)],
           fill=WHITE, stroke=WHITE, sw=1.5, closed=True)


def setting_general(p):
    tile(p, SLATE_MID)
    gear(p, 16, 16, 9, 6.8, 8, WHITE, hole=2.8, fill=WHITE)


def setting_contact(p):
    tile(p, BLUE_LIGHT)
    p.frame(8, 10, 24, 22, 2, WHITE, sw=STROKE)
    p.poly([(9.5, 11.5), (16, 17), (22.5, 11.5)], stroke=WHITE)


def setting_rate(p):
    tile(p, AMBER)
    star(p, 16, 16.8, 8.5, 3.8, WHITE)


def setting_help(p):
    tile(p, GREEN)
    p.path("M12.3 13 Q12.3 9 16 9 Q19.7 9 19.7 12.3 Q19.7 14.6 17.4 15.7 Q16 16.4 16 18.2 V19",
           stroke=WHITE, sw=2.4)
    p.circle(16, 23, 1.6, fill=WHITE)


def setting_version(p):
    tile(p, SLATE)
    p.circle(16, 10, 1.8, fill=WHITE)
    p.vline(16, 14, 23, WHITE, sw=2.6)


def setting_cells():
    return [setting_filter, setting_general, setting_contact, setting_rate, setting_help,
            setting_version]


# res/FileIcon.png: 32 x 32 flat coloured pages on the light list.
def page(p, body, fold):
    document(p, 6, 3, 26, 29, 7, body, fold)


def file_drive(p):
    p.rect(4, 8, 28, 25, RADIUS, fill=SLATE_MID)
    p.rect(4, 8, 28, 18, RADIUS, fill=(108, 116, 148))
    p.rect(4, 15, 28, 18, 0, fill=(108, 116, 148))
    p.hline(7, 16, 21.5, LIGHT, sw=1.0, cap="butt")
    p.circle(23.5, 21.5, 1.6, fill=(182, 236, 53))


def file_folder(p):
    folder_filled(p, 3, 6, 29, 26, AMBER, AMBER_LIGHT)


def file_unknown(p):
    page(p, GREY_LINE, GREY_FILL)
    p.path("M13.3 15 Q13.3 12 16 12 Q18.7 12 18.7 14.5 Q18.7 16.2 17 17 Q16 17.5 16 19 V19.5",
           stroke=WHITE, sw=2)
    p.circle(16, 23, 1.3, fill=WHITE)


def file_text(p):
    page(p, GREY, GREY_LINE)
    for y, x1 in ((14, 21), (18, 21), (22, 17)):
        p.hline(11, x1, y, WHITE)


def file_image(p):
    page(p, GREEN, (196, 226, 128))
    p.poly([(10, 24), (14.5, 17.5), (17.5, 21), (19.5, 19), (22, 24)], fill=WHITE, stroke=WHITE,
           sw=1.2, closed=True)
    p.circle(13, 13, 2, fill=WHITE)


def file_audio(p):
    page(p, ACCENT, (145, 184, 229))
    beamed_notes(p, 9, 11, 14, WHITE, 1.6)


def file_media(p):
    page(p, RED, (255, 160, 180))
    p.poly([(13.5, 13), (13.5, 23), (21.5, 18)], fill=WHITE, stroke=WHITE, sw=1.6, closed=True)


def camera(p, x, y, w, color, sw):
    """A video camera: the body from (x, y), w wide, and its lens pointing right."""
    h = w * 0.72
    p.frame(x, y, x + w, y + h, 1.5, color, sw=sw)
    cy = y + h / 2
    p.poly([(x + w + 0.8, cy - 0.6), (x + w + w * 0.45, cy - h * 0.42),
            (x + w + w * 0.45, cy + h * 0.42), (x + w + 0.8, cy + 0.6)], fill=color, stroke=color,
           sw=1.0, closed=True)


def file_video(p):
    page(p, SLATE_MID, (176, 182, 204))
    camera(p, 10, 14.5, 9, WHITE, 2.0)


def fileicon_cells():
    return [file_drive, file_folder, file_unknown, file_text, file_image, file_audio,
            file_media, file_video]


# FileWhite.png: 24 x 24 light silhouettes on the dark folder tree, the same cells as FileIcon.png;
# the details are cut out in the tree's own slate.
LIGHT_SHADE = (200, 204, 216)


def white_page(p):
    document(p, 5, 2, 19, 22, 5, LIGHT, LIGHT_SHADE)


def white_drive(p):
    p.rect(2, 6, 22, 18, RADIUS, fill=LIGHT)
    p.hline(5, 11, 14.5, SLATE, sw=1.5, cap="butt")
    p.circle(17.5, 14.5, 1.4, fill=SLATE)


def white_folder(p):
    folder_filled(p, 2, 4, 22, 20, LIGHT_SHADE, LIGHT)


def white_unknown(p):
    white_page(p)
    p.path("M9.8 11 Q9.8 8.6 12 8.6 Q14.2 8.6 14.2 10.6 Q14.2 11.9 12.9 12.5 Q12 12.9 12 14.2 V14.6",
           stroke=SLATE, sw=1.8)
    p.circle(12, 17.6, 1.15, fill=SLATE)


def white_text(p):
    white_page(p)
    for y, x1 in ((10, 15.5), (13, 15.5), (16, 12.5)):
        p.hline(8.5, x1, y, SLATE, sw=1.2, cap="butt")


def white_image(p):
    white_page(p)
    p.poly([(8, 18.5), (11, 13.5), (13, 16.2), (14.2, 15), (16, 18.5)], fill=SLATE, stroke=SLATE,
           sw=0.8, closed=True)
    p.circle(10, 10.5, 1.4, fill=SLATE)


def white_audio(p):
    white_page(p)
    note(p, 10.8, 17, 10, SLATE)


def white_media(p):
    white_page(p)
    p.poly([(10, 10.5), (10, 17.5), (15.5, 14)], fill=SLATE, stroke=SLATE, sw=1.2, closed=True)


def white_video(p):
    white_page(p)
    camera(p, 7.5, 12.2, 6, SLATE, 1.5)


def filewhite_cells():
    return [white_drive, white_folder, white_unknown, white_text, white_image, white_audio,
            white_media, white_video]


# res/CheckBox.png and res/RadioBox.png: 24 x 24 boxes of the state box drawable.
def check_box(p, fill, border, mark):
    if border:
        p.frame(3, 3, 21, 21, RADIUS, border, sw=1.6, fill=fill)
    else:
        p.rect(3, 3, 21, 21, RADIUS, fill=fill)
    if mark:
        check_mark(p, 12, 12.3, 12, mark, 2.4)


def delete_box(p, marked):
    if marked:
        p.circle(12, 12, 9, fill=RED)
        check_mark(p, 12, 12.3, 11, WHITE, 2.4)
    else:
        p.circle(12, 12, 8.2, fill=WHITE, stroke=GREY, sw=1.6)


def checkbox_cells():
    return [
        lambda p: check_box(p, WHITE, GREY, None),
        lambda p: delete_box(p, False),
        lambda p: check_box(p, PRESSED_FACE, BLUE_PRESSED, None),
        lambda p: check_box(p, GREY_FILL, GREY_LINE, None),
        lambda p: check_box(p, ACCENT, None, WHITE),
        lambda p: delete_box(p, True),
        lambda p: check_box(p, BLUE_DEEP, None, WHITE),
        lambda p: check_box(p, GREY_LINE, None, WHITE),
    ]


def radio(p, on, fill, ring, dot, halo=False):
    if halo:
        p.circle(12, 12, 11, fill=BLUE_LIGHT, opacity=0.35)
    if on:
        p.circle(12, 12, 9, fill=fill)
        p.circle(12, 12, 3.5, fill=dot)
    else:
        p.circle(12, 12, 8.2, fill=fill, stroke=ring, sw=1.6)


def radiobox_cells():
    return [
        lambda p: radio(p, False, WHITE, GREY, None),
        lambda p: radio(p, False, WHITE, ACCENT, None, halo=True),
        lambda p: radio(p, False, PRESSED_FACE, BLUE_PRESSED, None),
        lambda p: radio(p, False, GREY_FILL, GREY_LINE, None),
        lambda p: radio(p, True, ACCENT, None, WHITE),
        lambda p: radio(p, True, ACCENT, None, WHITE, halo=True),
        lambda p: radio(p, True, BLUE_DEEP, None, WHITE),
        lambda p: radio(p, True, GREY_LINE, None, WHITE),
    ]


# res/DropdownBox.png and res/SubviewBox.png: 24 x 24 chevrons, one per state.
def chevron_cells(points):
    def cell(color, pressed):
        def draw(p):
            if pressed:
                p.circle(12, 12, 10, fill=PRESSED_FACE)
            p.poly(points, stroke=color, sw=2.2)
        return draw
    return [cell(GREY, False), cell(ACCENT, False), cell(BLUE_PRESSED, True), cell(GREY_LINE, False)]


def dropdown_cells():
    return chevron_cells([(7, 9.5), (12, 14.5), (17, 9.5)])


def subview_cells():
    return chevron_cells([(9.5, 7), (14.5, 12), (9.5, 17)])


# res/TreeButton.png: 24 x 24 connecting lines and expand buttons of the tree control.
def tree_line(p, up, down, right):
    if up or down:
        p.vline(12, 0 if up else 12, 24 if down else 12, TREE_LINE, sw=1.0, cap="butt")
    if right:
        p.hline(12, 24, 12, TREE_LINE, sw=1.0, cap="butt")


def tree_button(p, expanded):
    p.rect(6, 6, 18, 18, RADIUS, fill=SLATE_MID)
    p.hline(9, 15, 12, WHITE, sw=1.6, cap="butt")
    if not expanded:
        p.vline(12, 9, 15, WHITE, sw=1.6, cap="butt")


def treebutton_cells():
    return [
        lambda p: tree_line(p, True, True, False),
        lambda p: tree_line(p, True, False, True),
        lambda p: tree_line(p, True, True, True),
        lambda p: tree_button(p, False),
        lambda p: tree_button(p, True),
    ]


# res/CtrlBorder.png: 16 x 16 frames for a nine-patch with 4-pixel insets.
def border_cell(stroke, fill, inner=None):
    def draw(p):
        p.frame(0, 0, 16, 16, RADIUS, stroke, sw=1.0, fill=fill)
        if inner:
            p.frame(1, 1, 15, 15, RADIUS - 1, inner, sw=1.0)
    return draw


def ctrlborder_cells():
    return [border_cell(GREY_LINE, WHITE), border_cell(BLUE_PRESSED, WHITE, PRESSED_FACE),
            border_cell(GREY, (240, 240, 240)), border_cell((222, 222, 222), (244, 244, 244))]


# TitleIcon.png: 24 x 16 status bar icons, white on the black bar.
def status_battery(p):
    p.frame(2, 3, 20, 13, 2.5, WHITE, sw=1.2)
    p.rect(20.5, 6, 22, 10, 0.8, fill=WHITE)
    p.rect(4, 5, 15, 11, 1, fill=WHITE)


def status_signal(p):
    for i, h in enumerate((3, 5, 7.5, 10)):
        x = 3 + i * 4.5
        p.rect(x, 13 - h, x + 3, 13, 0.8, fill=WHITE)


def titleicon_cells():
    return [status_battery, status_signal]


# --- 4. Whole pictures -------------------------------------------------------------------------

def gradient(p, ident, top, bottom):
    p.raw('<defs><linearGradient id="%s" x1="0" y1="0" x2="0" y2="1">'
          '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/>'
          '</linearGradient></defs>' % (ident, rgb(top), rgb(bottom)))


def wordmark(p, cx, baseline, height, color, sw):
    """"Lumo" in a geometric stroke face (x-height 0.68 of the cap height, round caps), centred on
    cx."""
    x = 0.0
    xh = height * 0.68
    r = xh / 2
    top, xtop = baseline - height, baseline - xh
    gap = height * 0.2
    parts = []
    # L
    parts.append("M%s %s V%s H%s" % (num(x), num(top), num(baseline), num(x + height * 0.48)))
    x += height * 0.48 + gap * 0.75
    # u
    parts.append("M%s %s V%s A%s %s 0 0 0 %s %s V%s M%s %s V%s" % (
        num(x), num(xtop), num(baseline - r), num(r), num(r), num(x + 2 * r), num(baseline - r),
        num(xtop), num(x + 2 * r), num(baseline - r), num(baseline)))
    x += 2 * r + gap
    # m
    a = r * 0.82
    parts.append("M%s %s V%s M%s %s A%s %s 0 0 1 %s %s V%s M%s %s A%s %s 0 0 1 %s %s V%s" % (
        num(x), num(xtop), num(baseline), num(x), num(xtop + a), num(a), num(a), num(x + 2 * a),
        num(xtop + a), num(baseline), num(x + 2 * a), num(xtop + a), num(a), num(a),
        num(x + 4 * a), num(xtop + a), num(baseline)))
    x += 4 * a + gap
    # o
    parts.append("M%s %s A%s %s 0 1 0 %s %s A%s %s 0 1 0 %s %s" % (
        num(x), num(baseline - r), num(r), num(r), num(x + 2 * r), num(baseline - r), num(r),
        num(r), num(x), num(baseline - r)))
    width = x + 2 * r
    p.raw('<g transform="translate(%s 0)">' % num(cx - width / 2))
    p.path(" ".join(parts), stroke=color, sw=sw)
    p.raw("</g>")


def mark(p, cx, cy, size):
    """The mark: a blue tile with two beamed notes."""
    gradient(p, "tile", BLUE_LIGHT, ACCENT)
    half = size / 2
    p.raw('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="url(#tile)"/>'
          % (num(cx - half), num(cy - half), num(size), num(size), num(size * 0.24)))
    inner = size * 0.56
    beamed_notes(p, cx - inner / 2, cy - inner / 2 + size * 0.02, inner, WHITE, size * 0.055)


def startup(p):
    gradient(p, "band", SLATE, SLATE_DEEP)
    p.raw('<rect width="320" height="480" fill="url(#band)"/>')
    mark(p, 160, 196, 104)
    wordmark(p, 160, 304, 34.0, LIGHT, 5.0)
    p.rect(148, 326, 172, 328, 1, fill=ACCENT)


def artwork(p):
    gradient(p, "art", SLATE_MID, SLATE)
    p.raw('<rect width="120" height="120" rx="12" fill="url(#art)"/>')
    p.circle(60, 60, 38, stroke=(108, 116, 148), sw=1.0)
    p.circle(60, 60, 30, stroke=(108, 116, 148), sw=1.0)
    beamed_notes(p, 38, 36, 44, LIGHT, 2.6)
    p.circle(60, 60, 46, stroke=ACCENT, sw=2.0, opacity=0.8)


# --- 5. Writing the files ----------------------------------------------------------------------

CELLS = {
    "PlayImgList.png": play_cells,
    "MenuImgList.png": menu_cells,
    "TitleImgList.png": title_cells,
    "BrowseImgList.png": browse_cells,
    "SettingImg.png": setting_cells,
    "FileWhite.png": filewhite_cells,
    "res/FileIcon.png": fileicon_cells,
    "res/CheckBox.png": checkbox_cells,
    "res/RadioBox.png": radiobox_cells,
    "res/DropdownBox.png": dropdown_cells,
    "res/SubviewBox.png": subview_cells,
    "res/TreeButton.png": treebutton_cells,
    "res/CtrlBorder.png": ctrlborder_cells,
    "TitleIcon.png": titleicon_cells,
    "Startup.png": lambda: [startup],
    "Artwork.png": lambda: [artwork],
}


def cell_labels(text):
    """The cell descriptions of a manifest row, "0 play; 1 play pressed" -> ["play", ...]."""
    labels = []
    for item in text.split(";"):
        m = re.match(r"\s*(\d+)\s+(.*)", item)
        if m:
            labels.append(m.group(2).strip())
    return labels


def render(row, scale):
    cw, ch = row["cell"]
    cols, rows = row["grid"]
    cells = CELLS[row["name"]]()
    if len(cells) != cols * rows:
        sys.exit("make-svg: %s draws %d cells, the manifest says %d" % (row["name"], len(cells),
                                                                        cols * rows))
    labels = cell_labels(row["cells"]) if cols * rows > 1 else [row["cells"]]
    w, h = round(cw * cols * scale), round(ch * rows * scale)
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
           % (w, h, w, h),
           '<!-- %s: %d x %d cells, %d column(s) x %d row(s), drawn at %sx -->'
           % (row["name"], cw, ch, cols, rows, num(scale))]
    for i, draw in enumerate(cells):
        x, y = (i % cols) * cw * scale, (i // cols) * ch * scale
        p = Pen(scale)
        draw(p)
        label = labels[i] if i < len(labels) else ""
        out.append('<!-- cell %d: %s -->' % (i, label.replace("--", "-")))
        out.append('<g transform="translate(%s %s) scale(%s)">' % (num(x), num(y), num(scale)))
        out.extend("  " + part for part in p.parts)
        out.append("</g>")
    out.append("</svg>")
    return "\n".join(out) + "\n"


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-svg.py OUT_DIR")
    svg_dir = pathlib.Path(sys.argv[1])
    svg_dir.mkdir(parents=True, exist_ok=True)
    written = []
    for row in read_manifest():
        if row["name"] not in CELLS:
            sys.exit("make-svg: the manifest lists %s, which nothing draws" % row["name"])
        for suffix in row["files"]:
            target = svg_dir / (variant_name(row["name"], suffix)[:-4] + ".svg")
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_text(render(row, SCALES[suffix]), encoding="utf-8")
            written.append(target)
    stale = set(svg_dir.rglob("*.svg")) - set(written)
    for path in stale:
        path.unlink()


if __name__ == "__main__":
    main()
