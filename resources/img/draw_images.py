#!/usr/bin/python3
"""Draws the four images of the Tessaly editor into the folder of this file.

  knob.png          48 x 4800 RGBA: 100 frames of the gain knob, 300 degree sweep
  tessalyBack.png   274 x 438 RGB: the editor background
  font-white.png    570 x 11 RGBA: 6 x 11 bitmap font for ' ' to '~' ('#$' = infinity)
  SliderCap.png     44 x 68 RGBA: the fader handle

Run with Debian's python (needs python3-cairo, python3-pil, python3-numpy):

  /usr/bin/python3 resources/img/draw_images.py

The output is deterministic: all noise comes from a fixed seed.
"""

import math
import os

import cairo
import numpy as np
from PIL import Image, ImageFilter

OUT = os.path.dirname(os.path.abspath(__file__))
FACE = "DejaVu Sans"

# ---------------------------------------------------------------------------------------
# Bitmap font: each glyph is 5 columns wide (column 6 of the cell stays empty), given as
# (top row, rows). Capitals and digits take rows 2..8, so the baseline is row 8; the
# x-height is rows 4..8 and descenders reach rows 9..10.
# ---------------------------------------------------------------------------------------
GLYPHS = {
    " ": (0, []),
    "!": (2, ["..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."]),
    '"': (2, [".#.#.", ".#.#.", ".#.#."]),
    "%": (2, ["##...", "##..#", "...#.", "..#..", ".#...", "#..##", "...##"]),
    "&": (2, [".##..", "#..#.", "#.#..", ".#...", "#.#.#", "#..#.", ".##.#"]),
    "'": (2, ["..#..", "..#..", "..#.."]),
    "(": (1, ["...#.", "..#..", ".#...", ".#...", ".#...", ".#...", ".#...", "..#..", "...#."]),
    ")": (1, [".#...", "..#..", "...#.", "...#.", "...#.", "...#.", "...#.", "..#..", ".#..."]),
    "*": (3, ["..#..", "#.#.#", ".###.", "#.#.#", "..#.."]),
    "+": (3, ["..#..", "..#..", "#####", "..#..", "..#.."]),
    ",": (7, [".##..", ".##..", "..#..", ".#..."]),
    "-": (5, ["#####"]),
    ".": (7, [".##..", ".##.."]),
    "/": (2, ["....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."]),
    "0": (2, [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."]),
    "1": (2, ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."]),
    "2": (2, [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"]),
    "3": (2, [".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."]),
    "4": (2, ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."]),
    "5": (2, ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."]),
    "6": (2, ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."]),
    "7": (2, ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."]),
    "8": (2, [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."]),
    "9": (2, [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."]),
    ":": (3, [".##..", ".##..", ".....", ".....", ".##..", ".##.."]),
    ";": (3, [".##..", ".##..", ".....", ".....", ".##..", ".##..", "..#..", ".#..."]),
    "<": (2, ["...#.", "..#..", ".#...", "#....", ".#...", "..#..", "...#."]),
    "=": (4, ["#####", ".....", "#####"]),
    ">": (2, [".#...", "..#..", "...#.", "....#", "...#.", "..#..", ".#..."]),
    "?": (2, [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."]),
    "@": (2, [".###.", "#...#", "#.###", "#.#.#", "#.###", "#....", ".####"]),
    "A": (2, [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"]),
    "B": (2, ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."]),
    "C": (2, [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."]),
    "D": (2, ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."]),
    "E": (2, ["#####", "#....", "#....", "####.", "#....", "#....", "#####"]),
    "F": (2, ["#####", "#....", "#....", "####.", "#....", "#....", "#...."]),
    "G": (2, [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"]),
    "H": (2, ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"]),
    "I": (2, [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."]),
    "J": (2, ["..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."]),
    "K": (2, ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"]),
    "L": (2, ["#....", "#....", "#....", "#....", "#....", "#....", "#####"]),
    "M": (2, ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"]),
    "N": (2, ["#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"]),
    "O": (2, [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."]),
    "P": (2, ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."]),
    "Q": (2, [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"]),
    "R": (2, ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"]),
    "S": (2, [".####", "#....", "#....", ".###.", "....#", "....#", "####."]),
    "T": (2, ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."]),
    "U": (2, ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."]),
    "V": (2, ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."]),
    "W": (2, ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."]),
    "X": (2, ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"]),
    "Y": (2, ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."]),
    "Z": (2, ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"]),
    "[": (1, [".###.", ".#...", ".#...", ".#...", ".#...", ".#...", ".#...", ".#...", ".###."]),
    "\\": (2, ["#....", "#....", ".#...", "..#..", "...#.", "....#", "....#"]),
    "]": (1, [".###.", "...#.", "...#.", "...#.", "...#.", "...#.", "...#.", "...#.", ".###."]),
    "^": (2, ["..#..", ".#.#.", "#...#"]),
    "_": (10, ["#####"]),
    "`": (2, [".#...", "..#.."]),
    "a": (4, [".###.", "....#", ".####", "#...#", ".####"]),
    "b": (2, ["#....", "#....", "####.", "#...#", "#...#", "#...#", "####."]),
    "c": (4, [".###.", "#....", "#....", "#....", ".###."]),
    "d": (2, ["....#", "....#", ".####", "#...#", "#...#", "#...#", ".####"]),
    "e": (4, [".###.", "#...#", "#####", "#....", ".###."]),
    "f": (2, ["..##.", ".#...", "####.", ".#...", ".#...", ".#...", ".#..."]),
    "g": (4, [".####", "#...#", "#...#", "#...#", ".####", "....#", ".###."]),
    "h": (2, ["#....", "#....", "####.", "#...#", "#...#", "#...#", "#...#"]),
    "i": (2, ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."]),
    "j": (2, ["...#.", ".....", "..##.", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."]),
    "k": (2, ["#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#."]),
    "l": (2, [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."]),
    "m": (4, ["##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"]),
    "n": (4, ["####.", "#...#", "#...#", "#...#", "#...#"]),
    "o": (4, [".###.", "#...#", "#...#", "#...#", ".###."]),
    "p": (4, ["####.", "#...#", "#...#", "#...#", "####.", "#....", "#...."]),
    "q": (4, [".####", "#...#", "#...#", "#...#", ".####", "....#", "....#"]),
    "r": (4, ["#.##.", "##..#", "#....", "#....", "#...."]),
    "s": (4, [".####", "#....", ".###.", "....#", "####."]),
    "t": (2, [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."]),
    "u": (4, ["#...#", "#...#", "#...#", "#..##", ".##.#"]),
    "v": (4, ["#...#", "#...#", "#...#", ".#.#.", "..#.."]),
    "w": (4, ["#...#", "#...#", "#.#.#", "#.#.#", ".#.#."]),
    "x": (4, ["#...#", ".#.#.", "..#..", ".#.#.", "#...#"]),
    "y": (4, ["#...#", "#...#", "#...#", "#...#", ".####", "....#", ".###."]),
    "z": (4, ["#####", "...#.", "..#..", ".#...", "#####"]),
    "{": (1, ["...##", "..#..", "..#..", "..#..", ".#...", "..#..", "..#..", "..#..", "...##"]),
    "|": (1, ["..#.."] * 9),
    "}": (1, ["##...", "..#..", "..#..", "..#..", "...#.", "..#..", "..#..", "..#..", "##..."]),
    "~": (4, [".##.#", "#.##."]),
}

# The infinity sign spans the two 6-pixel cells of '#' and '$' (its last column is the
# gap to the next character), centred on the minus sign's row.
INFINITY = (3, [".###...###..",
                "#...#.#...#.",
                "#....#....#.",
                "#...#.#...#.",
                ".###...###.."])

CELL_W, CELL_H = 6, 11
FONT_GREY = (0xD8, 0xD8, 0xD8)


def glyph_mask(ch):
    """11 x 6 array of 0/1 for one character cell."""
    cell = np.zeros((CELL_H, CELL_W), np.uint8)
    if ch in "#$":
        top, rows = INFINITY
        x0 = 0 if ch == "#" else CELL_W
        for r, row in enumerate(rows):
            for c in range(CELL_W):
                cell[top + r, c] = row[x0 + c] == "#"
        return cell
    top, rows = GLYPHS[ch]
    for r, row in enumerate(rows):
        for c, bit in enumerate(row):
            cell[top + r, c] = bit == "#"
    return cell


def text_mask(text):
    """Mask of a text laid out in 6-pixel cells, as the editor draws it."""
    mask = np.zeros((CELL_H, CELL_W * len(text)), np.uint8)
    for i, ch in enumerate(text):
        mask[:, i * CELL_W:(i + 1) * CELL_W] = glyph_mask(ch)
    return mask


def draw_font():
    chars = [chr(c) for c in range(32, 127)]
    missing = [c for c in chars if c not in GLYPHS and c not in "#$"]
    assert not missing, missing
    mask = text_mask("".join(chars))
    rgba = np.zeros(mask.shape + (4,), np.uint8)
    rgba[..., :3] = FONT_GREY
    rgba[..., 3] = mask * 255
    rgba[mask == 0, :3] = 0
    Image.fromarray(rgba, "RGBA").save(os.path.join(OUT, "font-white.png"), optimize=True)


# ---------------------------------------------------------------------------------------
# Conversions between cairo surfaces (premultiplied BGRA) and straight RGBA arrays.
# ---------------------------------------------------------------------------------------
def surface_to_rgba(surface):
    surface.flush()
    h, w = surface.get_height(), surface.get_width()
    buf = np.ndarray((h, surface.get_stride() // 4, 4), np.uint8, surface.get_data())
    bgra = buf[:, :w].astype(np.float64)
    alpha = bgra[..., 3:4]
    rgb = np.where(alpha > 0, bgra[..., 2::-1] * 255.0 / np.maximum(alpha, 1), 0)
    return np.concatenate([np.clip(np.rint(rgb), 0, 255), alpha], axis=2).astype(np.uint8)


def rgba_to_surface(rgba):
    h, w = rgba.shape[:2]
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    buf = np.ndarray((h, surface.get_stride() // 4, 4), np.uint8, surface.get_data())
    a = rgba[..., 3:4].astype(np.float64) / 255.0
    buf[:, :w, :3] = np.rint(rgba[..., 2::-1] * a).astype(np.uint8)
    buf[:, :w, 3] = rgba[..., 3]
    surface.mark_dirty()
    return surface


def blurred_shadow(surface, radius, opacity, dx, dy):
    """A soft black shadow of the surface's alpha, shifted by (dx, dy)."""
    alpha = Image.fromarray(surface_to_rgba(surface)[..., 3])
    alpha = alpha.transform(alpha.size, Image.AFFINE, (1, 0, -dx, 0, 1, -dy), Image.BILINEAR)
    alpha = np.asarray(alpha.filter(ImageFilter.GaussianBlur(radius)), np.float64) * opacity
    rgba = np.zeros(alpha.shape + (4,), np.uint8)
    rgba[..., 3] = np.clip(np.rint(alpha), 0, 255).astype(np.uint8)
    return rgba_to_surface(rgba)


def rounded_rect(cr, x, y, w, h, r):
    cr.new_sub_path()
    cr.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    cr.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    cr.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    cr.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    cr.close_path()


# ---------------------------------------------------------------------------------------
# Knob: static shadow, tick ring and body; only the pointer turns from frame to frame.
# ---------------------------------------------------------------------------------------
KNOB = 48
KNOB_FRAMES = 100
SWEEP = 300.0


def knob_angle(frame):
    """Pointer angle in radians, clockwise from straight up."""
    return math.radians(-SWEEP / 2 + SWEEP * frame / (KNOB_FRAMES - 1))


def knob_base():
    c = KNOB / 2.0
    body_r = 16.5

    body = cairo.ImageSurface(cairo.FORMAT_ARGB32, KNOB, KNOB)
    cr = cairo.Context(body)
    cr.arc(c, c, body_r, 0, 2 * math.pi)
    cr.set_source_rgb(0, 0, 0)
    cr.fill()
    shadow = blurred_shadow(body, 1.8, 0.85, 0.0, 1.6)

    base = cairo.ImageSurface(cairo.FORMAT_ARGB32, KNOB, KNOB)
    cr = cairo.Context(base)
    cr.set_source_surface(shadow)
    cr.paint()

    # Tick ring: eleven marks over the sweep, the ends and the centre longer and bolder.
    cr.set_line_cap(cairo.LINE_CAP_BUTT)
    for i in range(11):
        a = math.radians(-SWEEP / 2 + SWEEP * i / 10)
        major = i in (0, 5, 10)
        r0, r1 = (19.0, 23.5) if major else (19.8, 22.8)
        cr.set_line_width(1.8 if major else 1.3)
        grey = 0.90 if major else 0.70
        cr.set_source_rgba(grey, grey, grey, 1.0)
        cr.move_to(c + r0 * math.sin(a), c - r0 * math.cos(a))
        cr.line_to(c + r1 * math.sin(a), c - r1 * math.cos(a))
        cr.stroke()

    # Skirt: a black body whose rim catches light at the top left and falls off below.
    cr.arc(c, c, body_r, 0, 2 * math.pi)
    g = cairo.LinearGradient(c - body_r, c - body_r, c + body_r * 0.6, c + body_r)
    g.add_color_stop_rgb(0.0, 0.30, 0.30, 0.31)
    g.add_color_stop_rgb(0.45, 0.10, 0.10, 0.105)
    g.add_color_stop_rgb(1.0, 0.02, 0.02, 0.02)
    cr.set_source(g)
    cr.fill()
    # Dark outline separating the knob from the panel.
    cr.arc(c, c, body_r - 0.5, 0, 2 * math.pi)
    cr.set_line_width(1.0)
    cr.set_source_rgba(0, 0, 0, 0.9)
    cr.stroke()

    # Face: slightly domed black cap with a soft highlight towards the top left.
    face_r = 13.4
    cr.arc(c, c, face_r, 0, 2 * math.pi)
    g = cairo.RadialGradient(c - 4.5, c - 6.0, 0.5, c, c, face_r + 1.0)
    g.add_color_stop_rgb(0.0, 0.20, 0.20, 0.21)
    g.add_color_stop_rgb(0.55, 0.075, 0.075, 0.08)
    g.add_color_stop_rgb(1.0, 0.02, 0.02, 0.02)
    cr.set_source(g)
    cr.fill()
    # Bevel between face and skirt: dark at the top left, light at the bottom right.
    cr.arc(c, c, face_r, 0, 2 * math.pi)
    g = cairo.LinearGradient(c - face_r, c - face_r, c + face_r, c + face_r)
    g.add_color_stop_rgba(0.0, 0, 0, 0, 0.85)
    g.add_color_stop_rgba(0.5, 0, 0, 0, 0.35)
    g.add_color_stop_rgba(1.0, 1, 1, 1, 0.16)
    cr.set_source(g)
    cr.set_line_width(1.0)
    cr.stroke()
    # Specular sheen on the face.
    cr.save()
    cr.translate(c - 3.5, c - 5.5)
    cr.scale(1.0, 0.6)
    g = cairo.RadialGradient(0, 0, 0, 0, 0, 7.0)
    g.add_color_stop_rgba(0.0, 1, 1, 1, 0.16)
    g.add_color_stop_rgba(1.0, 1, 1, 1, 0.0)
    cr.set_source(g)
    cr.arc(0, 0, 7.0, 0, 2 * math.pi)
    cr.fill()
    cr.restore()
    return base


def draw_knob():
    c = KNOB / 2.0
    base = knob_base()
    strip = cairo.ImageSurface(cairo.FORMAT_ARGB32, KNOB, KNOB * KNOB_FRAMES)
    cr = cairo.Context(strip)
    for f in range(KNOB_FRAMES):
        cr.save()
        cr.translate(0, f * KNOB)
        cr.rectangle(0, 0, KNOB, KNOB)
        cr.clip()
        cr.set_source_surface(base)
        cr.paint()
        a = knob_angle(f)
        sx, sy = math.sin(a), -math.cos(a)
        cr.set_line_cap(cairo.LINE_CAP_ROUND)
        # A dark groove under the pointer makes it read as set into the face.
        cr.set_line_width(3.2)
        cr.set_source_rgba(0, 0, 0, 0.55)
        cr.move_to(c + 5.0 * sx, c + 5.0 * sy + 0.6)
        cr.line_to(c + 15.0 * sx, c + 15.0 * sy + 0.6)
        cr.stroke()
        cr.set_line_width(2.0)
        cr.set_source_rgb(0.97, 0.97, 0.97)
        cr.move_to(c + 5.5 * sx, c + 5.5 * sy)
        cr.line_to(c + 14.8 * sx, c + 14.8 * sy)
        cr.stroke()
        cr.restore()
    Image.fromarray(surface_to_rgba(strip), "RGBA").save(os.path.join(OUT, "knob.png"),
                                                         optimize=True)


# ---------------------------------------------------------------------------------------
# Fader cap.
# ---------------------------------------------------------------------------------------
CAP_W, CAP_H = 44, 68
CAP_CENTRE = 34  # row of the centre line; the editor aligns the value to it


def draw_cap():
    bx, by, bw, bh = 5.0, 7.0, 34.0, 54.0  # body, symmetric about the centre line
    body = cairo.ImageSurface(cairo.FORMAT_ARGB32, CAP_W, CAP_H)
    cr = cairo.Context(body)
    rounded_rect(cr, bx, by, bw, bh, 3.0)
    cr.set_source_rgb(0, 0, 0)
    cr.fill()
    shadow = blurred_shadow(body, 2.6, 0.9, 1.0, 3.0)

    cap = cairo.ImageSurface(cairo.FORMAT_ARGB32, CAP_W, CAP_H)
    cr = cairo.Context(cap)
    cr.set_source_surface(shadow)
    cr.paint()

    # Body: dark satin plastic, lighter at the top, with a darker lower half.
    rounded_rect(cr, bx, by, bw, bh, 3.0)
    g = cairo.LinearGradient(0, by, 0, by + bh)
    g.add_color_stop_rgb(0.0, 0.25, 0.25, 0.26)
    g.add_color_stop_rgb(0.48, 0.15, 0.15, 0.16)
    g.add_color_stop_rgb(0.52, 0.11, 0.11, 0.115)
    g.add_color_stop_rgb(1.0, 0.06, 0.06, 0.065)
    cr.set_source(g)
    cr.fill()

    # Grip ridges above and below the centre line: a dark groove with a light lip.
    for k in range(1, 8):
        for y in (CAP_CENTRE - 3 * k - 2, CAP_CENTRE + 3 * k):
            if y < by + 4 or y > by + bh - 5:
                continue
            cr.rectangle(bx + 3, y, bw - 6, 1)
            cr.set_source_rgba(0, 0, 0, 0.55)
            cr.fill()
            cr.rectangle(bx + 3, y + 1, bw - 6, 1)
            cr.set_source_rgba(1, 1, 1, 0.07)
            cr.fill()

    # Side shading so the body reads as rounded left to right.
    rounded_rect(cr, bx, by, bw, bh, 3.0)
    g = cairo.LinearGradient(bx, 0, bx + bw, 0)
    g.add_color_stop_rgba(0.0, 1, 1, 1, 0.07)
    g.add_color_stop_rgba(0.25, 1, 1, 1, 0.0)
    g.add_color_stop_rgba(0.75, 0, 0, 0, 0.0)
    g.add_color_stop_rgba(1.0, 0, 0, 0, 0.35)
    cr.set_source(g)
    cr.fill()

    # Bevel: light top edge, dark outline.
    rounded_rect(cr, bx + 0.5, by + 0.5, bw - 1, bh - 1, 2.5)
    g = cairo.LinearGradient(0, by, 0, by + bh)
    g.add_color_stop_rgba(0.0, 1, 1, 1, 0.35)
    g.add_color_stop_rgba(0.15, 1, 1, 1, 0.08)
    g.add_color_stop_rgba(1.0, 1, 1, 1, 0.03)
    cr.set_source(g)
    cr.set_line_width(1.0)
    cr.stroke()
    rounded_rect(cr, bx - 0.5, by - 0.5, bw + 1, bh + 1, 3.5)
    cr.set_source_rgba(0, 0, 0, 0.8)
    cr.stroke()

    # Centre line: a light stripe in a dark channel across the whole face.
    cr.rectangle(bx + 1, CAP_CENTRE - 2, bw - 2, 4)
    cr.set_source_rgba(0, 0, 0, 0.7)
    cr.fill()
    cr.rectangle(bx + 1, CAP_CENTRE - 1, bw - 2, 2)
    cr.set_source_rgb(0.93, 0.93, 0.93)
    cr.fill()

    Image.fromarray(surface_to_rgba(cap), "RGBA").save(os.path.join(OUT, "SliderCap.png"),
                                                       optimize=True)


# ---------------------------------------------------------------------------------------
# Background.
# ---------------------------------------------------------------------------------------
BACK_W, BACK_H = 274, 438
FADERS = {"Center": (48, 106, 92, 393), "Sides": (197, 106, 241, 393)}
FADER_TOP_Y, FADER_BOTTOM_Y = 140, 359  # travel of the cap's centre line
KNOB_RECT = (113, 333, 161, 381)
READOUTS = [(21, 95, 103, 110), (171, 95, 249, 110), (103, 315, 171, 330)]
VERSION_RECT = (200, 422, 268, 435)
FADER_SHAPE = 0.19  # normalised value n gives (n ** shape) * 100 - 94 dB
CAPTION_BASELINE = 404


def fader_y(db):
    n = ((db + 94.0) / 100.0) ** (1.0 / FADER_SHAPE)
    return FADER_BOTTOM_Y - n * (FADER_BOTTOM_Y - FADER_TOP_Y)


def brushed_surface(rng):
    """Dark brushed metal: fine horizontal streaks, a faint top light and a vignette."""
    h, w = BACK_H, BACK_W
    pad = 64
    noise = rng.normal(0.0, 1.0, (h, w + 2 * pad))
    # Streaks: each row smeared along x by box filters of two lengths.
    kernel_long = np.ones(41) / 41.0
    kernel_short = np.ones(9) / 9.0
    long_ = np.array([np.convolve(r, kernel_long, "same") for r in noise])[:, pad:pad + w]
    short = np.array([np.convolve(r, kernel_short, "same") for r in noise])[:, pad:pad + w]
    streaks = long_ * 3.2 + short * 1.6
    row_tone = rng.normal(0.0, 1.0, (h, 1)) * 0.9
    grain = rng.normal(0.0, 0.8, (h, w))
    level = 40.0 + streaks + row_tone + grain

    ys, xs = np.mgrid[0:h, 0:w]
    # Light from above: a gentle gradient from top to bottom.
    level += 6.0 * (1.0 - ys / h)
    # Vignette towards the edges and corners.
    dx = (xs - w / 2.0) / (w / 2.0)
    dy = (ys - h / 2.0) / (h / 2.0)
    vign = 1.0 - 0.30 * np.clip(dx * dx * 0.7 + dy * dy * 0.55, 0, 1.6) ** 1.6
    level *= vign
    rgb = np.stack([level * 0.98, level * 0.99, level * 1.04], axis=2)
    rgba = np.concatenate([np.clip(rgb, 0, 255), np.full((h, w, 1), 255.0)], axis=2)
    return rgba_to_surface(np.rint(rgba).astype(np.uint8))


def set_font(cr, size, bold=True):
    cr.select_font_face(FACE, cairo.FONT_SLANT_NORMAL,
                        cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    cr.set_font_size(size)
    fo = cairo.FontOptions()
    fo.set_antialias(cairo.ANTIALIAS_GRAY)
    fo.set_hint_style(cairo.HINT_STYLE_SLIGHT)
    fo.set_hint_metrics(cairo.HINT_METRICS_ON)
    cr.set_font_options(fo)


def engraved_text(cr, text, cx, baseline, size, fill=(0.74, 0.74, 0.75), spacing=0.0,
                  align="centre"):
    """Text cut into the panel: dark upper lip, filled face, light lower lip."""
    set_font(cr, size)
    widths = [cr.text_extents(ch).x_advance for ch in text]
    total = sum(widths) + spacing * (len(text) - 1)
    x0 = cx - total / 2.0 if align == "centre" else cx
    x0 = round(x0)

    def run(dx, dy, rgba):
        cr.set_source_rgba(*rgba)
        x = x0 + dx
        for ch, wch in zip(text, widths):
            cr.move_to(x, baseline + dy)
            cr.show_text(ch)
            x += wch + spacing

    run(0, 1, (1, 1, 1, 0.10))
    run(0, -1, (0, 0, 0, 0.75))
    run(0, 0, fill + (1.0,))
    return x0, total


def groove_h(cr, x0, x1, y):
    """A horizontal engraved line: dark row with a light row under it."""
    cr.rectangle(x0, y, x1 - x0, 1)
    cr.set_source_rgba(0, 0, 0, 0.55)
    cr.fill()
    cr.rectangle(x0, y + 1, x1 - x0, 1)
    cr.set_source_rgba(1, 1, 1, 0.06)
    cr.fill()


def inset(cr, x0, y0, x1, y1, r=2.5):
    """A recessed dark window: inner shadow on top, light lip along the bottom."""
    w, h = x1 - x0, y1 - y0
    rounded_rect(cr, x0 - 0.5, y0 - 0.5, w + 1, h + 2, r)
    cr.set_source_rgba(1, 1, 1, 0.07)
    cr.fill()
    rounded_rect(cr, x0, y0, w, h, r)
    g = cairo.LinearGradient(0, y0, 0, y1)
    g.add_color_stop_rgb(0.0, 0.025, 0.025, 0.03)
    g.add_color_stop_rgb(1.0, 0.06, 0.06, 0.068)
    cr.set_source(g)
    cr.fill()
    rounded_rect(cr, x0 + 0.5, y0 + 0.5, w - 1, h - 1, r - 0.5)
    cr.set_source_rgba(0, 0, 0, 0.6)
    cr.set_line_width(1.0)
    cr.stroke()


def bitmap_text(cr, text, x, y, rgba):
    """Pixel text from the bitmap font (used for the scale labels)."""
    mask = text_mask(text)
    cr.set_source_rgba(*rgba)
    for r, c in zip(*np.nonzero(mask)):
        cr.rectangle(x + c, y + r, 1, 1)
    cr.fill()


def label_width(text):
    """Width in pixels without the gap after the last character."""
    return CELL_W * len(text) - 1


def fader_slot(cr, rect):
    x0, y0, x1, y1 = rect
    cx = (x0 + x1) // 2
    top, bottom = FADER_TOP_Y - 12, FADER_BOTTOM_Y + 12
    # Slot: a narrow dark groove with rounded ends, shadowed on its upper/left side.
    rounded_rect(cr, cx - 3.5, top - 0.5, 7, bottom - top + 2, 3.5)
    cr.set_source_rgba(1, 1, 1, 0.08)
    cr.fill()
    rounded_rect(cr, cx - 3, top, 6, bottom - top, 3)
    cr.set_source_rgb(0.012, 0.012, 0.014)
    cr.fill()
    rounded_rect(cr, cx - 3, top, 6, bottom - top, 3)
    g = cairo.LinearGradient(cx - 3, 0, cx + 3, 0)
    g.add_color_stop_rgba(0.0, 0, 0, 0, 0.0)
    g.add_color_stop_rgba(0.6, 1, 1, 1, 0.0)
    g.add_color_stop_rgba(1.0, 1, 1, 1, 0.07)
    cr.set_source(g)
    cr.fill()


LABELLED_DB = [6, 0, -6, -12, -20, -30, -94]
MINOR_DB = [3, -3, -9, -15, -25, -40]


def scale_text(db):
    if db <= -94:
        return "-#$"
    return "+%d" % db if db > 0 else "%d" % db


def fader_scale(cr, rect, labels_left):
    x0, y0, x1, y1 = rect
    for db in LABELLED_DB + MINOR_DB:
        y = int(round(fader_y(db)))
        labelled = db in LABELLED_DB
        end = db in (6, -94)
        length = 7 if labelled else 4
        thick = 2 if end else 1
        ty = y - (thick // 2)
        unity = db == 0
        grey = 0.80 if labelled else 0.52
        colour = (0.94, 0.66, 0.26, 1.0) if unity else (grey, grey, grey, 1.0)
        for side in ("left", "right"):
            if side == "left":
                tx = x0 - 2 - length
            else:
                tx = x1 + 2
            # Engraved tick: dark shadow row above, paint, then the tick itself.
            cr.rectangle(tx, ty - 1, length, 1)
            cr.set_source_rgba(0, 0, 0, 0.5)
            cr.fill()
            cr.rectangle(tx, ty, length, thick)
            cr.set_source_rgba(*colour)
            cr.fill()
        if labelled:
            text = scale_text(db)
            ly = y - 5  # rows 2..8 of the glyph cell centred on the tick
            lcol = (0.94, 0.66, 0.26, 1.0) if unity else (0.70, 0.70, 0.71, 1.0)
            if labels_left:
                lx = x0 - 2 - 7 - 3 - label_width(text)
            else:
                lx = x1 + 2 + 7 + 3
            bitmap_text(cr, text, lx, ly + 1, (0, 0, 0, 0.6))
            bitmap_text(cr, text, lx, ly, lcol)


def logo(cr):
    """The maker's mark: 'Tsly' in silver on a recessed plate, with an amber rule."""
    cx = BACK_W / 2.0
    set_font(cr, 30)
    text = "Tsly"
    ext = cr.text_extents(text)
    tx = round(cx - ext.x_advance / 2.0 - 1)
    baseline = 50
    # Plate behind the mark.
    pw, ph = 104, 50
    px, py = cx - pw / 2.0, 16
    rounded_rect(cr, px - 0.5, py - 0.5, pw + 1, ph + 2, 7)
    cr.set_source_rgba(1, 1, 1, 0.07)
    cr.fill()
    rounded_rect(cr, px, py, pw, ph, 7)
    g = cairo.LinearGradient(0, py, 0, py + ph)
    g.add_color_stop_rgb(0.0, 0.06, 0.06, 0.07)
    g.add_color_stop_rgb(1.0, 0.11, 0.11, 0.12)
    cr.set_source(g)
    cr.fill()
    rounded_rect(cr, px + 0.5, py + 0.5, pw - 1, ph - 1, 6.5)
    cr.set_source_rgba(0, 0, 0, 0.7)
    cr.set_line_width(1.0)
    cr.stroke()

    cr.move_to(tx, baseline + 1.5)
    cr.set_source_rgba(0, 0, 0, 0.8)
    cr.show_text(text)
    cr.move_to(tx, baseline)
    g = cairo.LinearGradient(0, baseline - 24, 0, baseline + 7)
    g.add_color_stop_rgb(0.0, 0.97, 0.97, 0.98)
    g.add_color_stop_rgb(0.5, 0.78, 0.78, 0.80)
    g.add_color_stop_rgb(0.52, 0.66, 0.66, 0.68)
    g.add_color_stop_rgb(1.0, 0.86, 0.86, 0.88)
    cr.set_source(g)
    cr.show_text(text)
    # Amber rule under the mark.
    cr.rectangle(round(cx - 26), py + ph - 8, 52, 2)
    cr.set_source_rgb(0.94, 0.66, 0.26)
    cr.fill()


def field_emblem(cr):
    """Engraved stereo-field graph (left, mid and right axes) between the faders."""
    cx, cy, r = 137.0, 266.0, 32.0

    def path():
        cr.arc(cx, cy, r, math.pi, 2 * math.pi)
        cr.move_to(cx - r - 3, cy)
        cr.line_to(cx + r + 3, cy)
        for deg in (-45, 0, 45):
            a = math.radians(deg)
            cr.move_to(cx, cy)
            cr.line_to(cx + r * math.sin(a), cy - r * math.cos(a))
        # Small marks every 15 degrees on the outside of the arc.
        for deg in range(-90, 91, 15):
            a = math.radians(deg)
            cr.move_to(cx + r * math.sin(a), cy - r * math.cos(a))
            cr.line_to(cx + (r + 3) * math.sin(a), cy - (r + 3) * math.cos(a))

    cr.set_line_width(1.0)
    for dy, rgba in ((1.0, (1, 1, 1, 0.07)), (0.0, (0, 0, 0, 0.6))):
        cr.save()
        cr.translate(0.5, 0.5 + dy)
        path()
        cr.set_source_rgba(*rgba)
        cr.stroke()
        cr.restore()
    for text, deg in (("L", -45), ("M", 0), ("R", 45)):
        a = math.radians(deg)
        x = round(cx + (r + 11) * math.sin(a)) - 2
        y = round(cy - (r + 11) * math.cos(a)) - 5
        bitmap_text(cr, text, x, y + 1, (1, 1, 1, 0.07))
        bitmap_text(cr, text, x, y, (0, 0, 0, 0.6))


def draw_back():
    rng = np.random.default_rng(20240611)
    back = brushed_surface(rng)
    cr = cairo.Context(back)

    # Bevelled panel edge.
    cr.rectangle(0.5, 0.5, BACK_W - 1, BACK_H - 1)
    cr.set_source_rgba(0, 0, 0, 0.9)
    cr.set_line_width(1.0)
    cr.stroke()
    cr.rectangle(1, 1, BACK_W - 2, 1)
    cr.set_source_rgba(1, 1, 1, 0.10)
    cr.fill()

    logo(cr)
    groove_h(cr, 12, BACK_W - 12, 84)

    for rect in READOUTS:
        inset(cr, *rect)

    fader_slot(cr, FADERS["Center"])
    fader_slot(cr, FADERS["Sides"])
    fader_scale(cr, FADERS["Center"], labels_left=True)
    fader_scale(cr, FADERS["Sides"], labels_left=False)

    field_emblem(cr)

    # A shallow well under the knob so it sits in the panel.
    kx = (KNOB_RECT[0] + KNOB_RECT[2]) / 2.0
    ky = (KNOB_RECT[1] + KNOB_RECT[3]) / 2.0
    g = cairo.RadialGradient(kx, ky + 1, 14, kx, ky + 1, 25)
    g.add_color_stop_rgba(0.0, 0, 0, 0, 0.35)
    g.add_color_stop_rgba(1.0, 0, 0, 0, 0.0)
    cr.set_source(g)
    cr.arc(kx, ky + 1, 25, 0, 2 * math.pi)
    cr.fill()

    for name, rect in FADERS.items():
        engraved_text(cr, name, (rect[0] + rect[2]) / 2.0, CAPTION_BASELINE, 11)
    engraved_text(cr, "Gain", kx, CAPTION_BASELINE, 11)

    groove_h(cr, 12, BACK_W - 12, 413)
    engraved_text(cr, "Tessaly", 13, 434, 15, fill=(0.86, 0.86, 0.87), spacing=0.6,
                  align="left")

    rgba = surface_to_rgba(back)
    Image.fromarray(rgba[..., :3], "RGB").save(os.path.join(OUT, "tessalyBack.png"),
                                               optimize=True)


if __name__ == "__main__":
    draw_font()
    draw_knob()
    draw_cap()
    draw_back()
