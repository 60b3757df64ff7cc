#!/usr/bin/python3
"""Draws the main window's eight pictures and the program icon.

This script is the maintained source of every file in app/resources/pictures/ and
app/resources/icon/; after a change, run it and commit its output together with it:

    app/resources/pictures/draw.py

Needs Debian's python3-cairo (scripts/setup installs it). The output is the same byte for
byte at every run with the same cairo.
"""

import argparse
import math
import os
import struct

import cairo

HERE = os.path.dirname(os.path.abspath(__file__))
ICON_DIR = os.path.join(HERE, os.pardir, "icon")

# Window geometry, as the layout places the controls.
WIDTH, HEIGHT = 328, 245
BAND_HEIGHT = 28          # the title band; it is also the drag band
CORNER_RADIUS = 9         # the two top corners; the mask can cut only rows 0 to 34
LIST_RECT = (10, 50, 308, 141)
KEY = (210, 10, 10)       # the mask's colour key
MASK_FILL = (255, 255, 255)

ICON_SIZES = (256, 128, 64, 48, 32, 24, 16)


def rgb(hex_text, alpha=1.0):
    v = int(hex_text.lstrip("#"), 16)
    return ((v >> 16) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0, alpha)


# The palette: a deep slate body, an azure title band, teal as the accent.
BORDER = rgb("#101925")
BAND_TOP, BAND_BOTTOM = rgb("#2773bc"), rgb("#1a5da2")
BAND_SHINE = rgb("#ffffff", 0.22)
BAND_EDGE = rgb("#0f3d6e")
BODY_TOP, BODY_BOTTOM = rgb("#2a3a52"), rgb("#1c2838")
TEAL_LIGHT, TEAL, TEAL_DEEP = rgb("#5ee8d2"), rgb("#1fb5a3"), rgb("#10877c")
LIST_RING = rgb("#121b28")

# Command buttons: (top, bottom, border, top highlight alpha) per state.
BUTTON_STATES = (
    (rgb("#2f7fcb"), rgb("#1f62a7"), rgb("#134678"), 0.28),   # normal
    (rgb("#3c8bd8"), rgb("#276cb3"), rgb("#7dc0f5"), 0.36),   # mouse over
    (rgb("#184f8a"), rgb("#22609f"), rgb("#0d355e"), 0.0),    # pressed
    (rgb("#6b7686"), rgb("#6b7686"), rgb("#5a6473"), 0.0),    # disabled
)


def new_surface(w, h):
    return cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)


def top_rounded_path(ctx, x, y, w, h, r):
    """A rectangle whose two top corners are quarter circles of radius r."""
    ctx.new_path()
    ctx.move_to(x, y + h)
    ctx.line_to(x, y + r)
    ctx.arc(x + r, y + r, r, math.pi, 1.5 * math.pi)
    ctx.line_to(x + w - r, y)
    ctx.arc(x + w - r, y + r, r, 1.5 * math.pi, 2 * math.pi)
    ctx.line_to(x + w, y + h)
    ctx.close_path()


def rounded_path(ctx, x, y, w, h, r):
    ctx.new_path()
    ctx.arc(x + w - r, y + r, r, -0.5 * math.pi, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, 0.5 * math.pi)
    ctx.arc(x + r, y + h - r, r, 0.5 * math.pi, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 1.5 * math.pi)
    ctx.close_path()


def vertical_gradient(y0, y1, top, bottom):
    g = cairo.LinearGradient(0, y0, 0, y1)
    g.add_color_stop_rgba(0, *top)
    g.add_color_stop_rgba(1, *bottom)
    return g


def sharpen_alpha(surface, low=0.25, high=0.75):
    """Steepens the anti-aliased edges of a white layer so that small glyphs stay crisp."""
    surface.flush()
    data = surface.get_data()
    for i in range(3, len(data), 4):
        a = data[i] / 255.0
        if 0 < a < 1:
            v = round(255 * min(1.0, max(0.0, (a - low) / (high - low))))
            data[i - 3:i + 1] = bytes((v, v, v, v))
    surface.mark_dirty()


# --- The window's corners -------------------------------------------------------------------

def corner_coverage(px, py, r=CORNER_RADIUS, samples=16):
    """How much of pixel (px, py) of the top-left corner the rounded window covers (0 to 1)."""
    if px >= r or py >= r:
        return 1.0
    inside = 0
    for sy in range(samples):
        for sx in range(samples):
            dx = r - (px + (sx + 0.5) / samples)
            dy = r - (py + (sy + 0.5) / samples)
            if dx <= 0 or dy <= 0 or dx * dx + dy * dy <= r * r:
                inside += 1
    return inside / (samples * samples)


def is_cut(x, y):
    """True where the window's shape is cut away: the mask holds the key colour there."""
    if x >= WIDTH - CORNER_RADIUS:
        x = WIDTH - 1 - x
    return corner_coverage(x, y) < 0.5


def cut_pixels():
    return [(x, y) for y in range(CORNER_RADIUS) for x in list(range(CORNER_RADIUS)) +
            list(range(WIDTH - CORNER_RADIUS, WIDTH)) if is_cut(x, y)]


def finish_corners(surface, under):
    """Makes every pixel that the mask keeps opaque (over `under`) and every cut one clear,
    so that the picture's alpha and the window's shape agree pixel for pixel."""
    surface.flush()
    data = surface.get_data()
    stride = surface.get_stride()
    cut = set(cut_pixels())
    ub, ug, ur = (round(c * 255) for c in (under[2], under[1], under[0]))
    for y in range(CORNER_RADIUS):
        for x in list(range(CORNER_RADIUS)) + list(range(WIDTH - CORNER_RADIUS, WIDTH)):
            i = y * stride + x * 4
            if (x, y) in cut:
                data[i:i + 4] = bytes(4)
                continue
            b, g, r, a = data[i:i + 4]
            k = 255 - a
            data[i:i + 4] = bytes((b + ub * k // 255, g + ug * k // 255, r + ur * k // 255, 255))
    surface.mark_dirty()


# --- Pictures -------------------------------------------------------------------------------

def draw_background():
    s = new_surface(WIDTH, HEIGHT)
    ctx = cairo.Context(s)
    r = CORNER_RADIUS

    # A one-pixel dark frame all round, following the top corners.
    top_rounded_path(ctx, 0, 0, WIDTH, HEIGHT, r)
    ctx.set_source_rgba(*BORDER)
    ctx.fill()
    top_rounded_path(ctx, 1, 1, WIDTH - 2, HEIGHT - 2, r - 1)
    ctx.clip()

    ctx.rectangle(0, BAND_HEIGHT, WIDTH, HEIGHT - BAND_HEIGHT)
    ctx.set_source(vertical_gradient(BAND_HEIGHT, HEIGHT, BODY_TOP, BODY_BOTTOM))
    ctx.fill()

    ctx.rectangle(0, 0, WIDTH, BAND_HEIGHT)
    ctx.set_source(vertical_gradient(0, BAND_HEIGHT, BAND_TOP, BAND_BOTTOM))
    ctx.fill()
    # A thin light rim along the band's top edge and its corners.
    ctx.save()
    ctx.rectangle(0, 0, WIDTH, r + 2)
    ctx.clip()
    top_rounded_path(ctx, 1.5, 1.5, WIDTH - 3, HEIGHT, r - 1.5)
    ctx.set_source_rgba(*BAND_SHINE)
    ctx.set_line_width(1)
    ctx.stroke()
    ctx.restore()
    # The band's lower edge and a soft shade falling onto the body.
    ctx.rectangle(0, BAND_HEIGHT - 1, WIDTH, 1)
    ctx.set_source_rgba(*BAND_EDGE)
    ctx.fill()
    ctx.rectangle(0, BAND_HEIGHT, WIDTH, 5)
    ctx.set_source(vertical_gradient(BAND_HEIGHT, BAND_HEIGHT + 5, (0, 0, 0, 0.28), (0, 0, 0, 0)))
    ctx.fill()

    # The caption's marker: a short teal bar in front of "Device List".
    rounded_path(ctx, 19, 36, 3, 10, 1.5)
    ctx.set_source(vertical_gradient(36, 46, TEAL_LIGHT, TEAL))
    ctx.fill()

    # The list sits in a slightly sunken well.
    lx, ly, lw, lh = LIST_RECT
    ctx.rectangle(lx - 2, ly - 2, lw + 4, lh + 4)
    ctx.set_source_rgba(1, 1, 1, 0.06)
    ctx.fill()
    ctx.rectangle(lx - 1, ly - 1, lw + 2, lh + 2)
    ctx.set_source_rgba(*LIST_RING)
    ctx.fill()
    ctx.rectangle(lx, ly, lw, lh)
    ctx.set_source_rgb(1, 1, 1)
    ctx.fill()

    finish_corners(s, BORDER)
    return s


def draw_mask():
    """The shape mask as rows of (r, g, b), top row first."""
    cut = set(cut_pixels())
    return [[KEY if (x, y) in cut else MASK_FILL for x in range(WIDTH)] for y in range(HEIGHT)]


def draw_brush():
    """Behind the wait message: a faint band with a teal 'busy' dot; the text starts at x = 15."""
    w, h = 224, 14
    s = new_surface(w, h)
    ctx = cairo.Context(s)
    band = cairo.LinearGradient(0, 0, w, 0)
    band.add_color_stop_rgba(0, 1, 1, 1, 0.12)
    band.add_color_stop_rgba(0.6, 1, 1, 1, 0.08)
    band.add_color_stop_rgba(1, 1, 1, 1, 0)
    rounded_path(ctx, 0, 0, w, h, h / 2)
    ctx.set_source(band)
    ctx.fill()
    ctx.arc(7.5, 7, 4.5, 0, 2 * math.pi)
    ctx.set_source_rgba(*TEAL[:3], 0.30)
    ctx.fill()
    ctx.arc(7.5, 7, 2.5, 0, 2 * math.pi)
    ctx.set_source_rgba(*TEAL_LIGHT)
    ctx.fill()
    return s


def draw_header_background():
    """Only the top-left 199 x 12 pixels show, stretched over the whole list header, so every
    column is the same and the two rows of the lower edge survive the stretch; the unseen
    rows below repeat that edge."""
    w, h = 249, 17
    s = cairo.ImageSurface(cairo.FORMAT_RGB24, w, h)
    ctx = cairo.Context(s)
    ctx.rectangle(0, 0, w, h)
    ctx.set_source(vertical_gradient(0, 12, rgb("#3b7ab6"), rgb("#2c659e")))
    ctx.fill()
    ctx.rectangle(0, 0, w, 1)
    ctx.set_source_rgba(*rgb("#5b95cb"))
    ctx.fill()
    ctx.rectangle(0, 10, w, h - 10)
    ctx.set_source_rgba(*rgb("#23578a"))
    ctx.fill()
    return s


def draw_header_clip():
    """The divider between header columns: a light line that fades out at both ends."""
    s = new_surface(1, 12)
    ctx = cairo.Context(s)
    g = cairo.LinearGradient(0, 0, 0, 12)
    g.add_color_stop_rgba(0, 1, 1, 1, 0)
    g.add_color_stop_rgba(0.3, 1, 1, 1, 0.5)
    g.add_color_stop_rgba(0.7, 1, 1, 1, 0.5)
    g.add_color_stop_rgba(1, 1, 1, 1, 0)
    ctx.rectangle(0, 0, 1, 12)
    ctx.set_source(g)
    ctx.fill()
    return s


def draw_close():
    """Four 11 x 11 states of the close button: normal, mouse over, pressed, disabled."""
    s = new_surface(44, 11)
    ctx = cairo.Context(s)
    looks = (
        (None, 0.9),
        (rgb("#e5484d"), 1.0),
        (rgb("#b02a33"), 0.9),
        (None, 0.35),
    )
    for i, (plate, strength) in enumerate(looks):
        ox = i * 11
        if plate:
            rounded_path(ctx, ox, 0, 11, 11, 2.5)
            ctx.set_source_rgba(*plate)
            ctx.fill()
        ctx.set_source_surface(draw_cross(strength), ox, 0)
        ctx.paint()
    return s


def draw_cross(strength):
    """A 7 x 7 cross centred in 11 x 11, its strokes on the pixel diagonals so that it stays sharp."""
    layer = new_surface(11, 11)
    ctx = cairo.Context(layer)
    ctx.set_source_rgba(1, 1, 1, 1)
    ctx.set_line_width(1.5)
    for x0, y0, x1, y1 in ((2.5, 2.5, 8.5, 8.5), (8.5, 2.5, 2.5, 8.5)):
        ctx.move_to(x0, y0)
        ctx.line_to(x1, y1)
    ctx.stroke()
    sharpen_alpha(layer, 0.1, 0.8)
    layer.flush()
    data = layer.get_data()
    for i in range(len(data)):
        data[i] = round(data[i] * strength)
    layer.mark_dirty()
    return layer


def draw_buttons():
    """Four 79 x 23 states of the command buttons; the button draws its text on top."""
    w, h = 79, 23
    s = new_surface(w * 4, h)
    ctx = cairo.Context(s)
    for i, (top, bottom, edge, shine) in enumerate(BUTTON_STATES):
        ox = i * w
        # The face leaves the top row free: the button's text sits a little below the middle.
        rounded_path(ctx, ox + 0.5, 1.5, w - 1, h - 2, 4)
        ctx.set_source(vertical_gradient(1, h, top, bottom))
        ctx.fill_preserve()
        ctx.set_source_rgba(*edge)
        ctx.set_line_width(1)
        ctx.stroke()
        ctx.save()
        rounded_path(ctx, ox + 1, 2, w - 2, h - 3, 3.5)
        ctx.clip()
        if shine:
            ctx.rectangle(ox + 1, 2, w - 2, 1)
            ctx.set_source_rgba(1, 1, 1, shine)
            ctx.fill()
        if i == 2:
            # Pressed: a shade under the top edge makes the face look pushed in.
            ctx.rectangle(ox + 1, 2, w - 2, 4)
            ctx.set_source(vertical_gradient(2, 6, (0, 0, 0, 0.35), (0, 0, 0, 0)))
            ctx.fill()
        ctx.restore()
    return s


# --- The logo and the program icon ----------------------------------------------------------

# Glyph geometry in pixels, fitted to the pixel grid for the small sizes:
# waves centre (cx, cy), wave radii, wave width, dot radius, drive (x, y, w, h), light radius.
SMALL_GEOMETRY = {
    16: dict(c=(8, 9.5), waves=(3.25, 6.25), width=1.6, dot=1.1, drive=(3, 11, 10, 3), light=0.5),
    24: dict(c=(12, 13.5), waves=(4.0, 8.0), width=2.0, dot=2.0, drive=(5, 16, 14, 4), light=1.0),
    32: dict(c=(16, 18), waves=(5.5, 10.5), width=3.0, dot=2.5, drive=(6, 21, 20, 6), light=1.5),
}


def icon_geometry(size):
    if size in SMALL_GEOMETRY:
        return SMALL_GEOMETRY[size]
    u = size / 16.0
    return dict(c=(8 * u, 8.2 * u), waves=(2.6 * u, 5.0 * u), width=1.25 * u, dot=0.95 * u,
                drive=(3 * u, 9.5 * u, 10 * u, 3.5 * u), light=0.6 * u)


def draw_tile(ctx, size):
    """The rounded tile, teal at the top left turning to the title band's blue."""
    m = 1 if size <= 32 else size / 21.0
    t = size - 2 * m
    radius = round(t * 0.22) if size <= 32 else t * 0.22
    if size >= 48:
        rounded_path(ctx, m, m + size / 40.0, t, t, radius)
        ctx.set_source_rgba(0, 0, 0, 0.28)
        ctx.fill()
    tile = cairo.LinearGradient(m, m, m + t, m + t)
    tile.add_color_stop_rgba(0, *rgb("#22c1ad"))
    tile.add_color_stop_rgba(1, *rgb("#1f5fb0"))
    rounded_path(ctx, m, m, t, t, radius)
    ctx.set_source(tile)
    ctx.fill()
    # A darker rim keeps the tile apart from a background of the same hue; a light one
    # inside it catches the light at the larger sizes.
    rounded_path(ctx, m + 0.5, m + 0.5, t - 1, t - 1, radius - 0.5)
    ctx.set_source_rgba(0.02, 0.12, 0.25, 0.35)
    ctx.set_line_width(1)
    ctx.stroke()
    if size >= 48:
        rounded_path(ctx, m + 1.5, m + 1.5, t - 3, t - 3, radius - 1.5)
        ctx.set_source(vertical_gradient(m, m + t / 2, (1, 1, 1, 0.30), (1, 1, 1, 0.0)))
        ctx.stroke()


def draw_glyph(size):
    """The white drive and waves on a layer of their own, with the teal status light."""
    layer = new_surface(size, size)
    ctx = cairo.Context(layer)
    g = icon_geometry(size)
    cx, cy = g["c"]
    ctx.set_source_rgba(1, 1, 1, 1)
    ctx.set_line_width(g["width"])
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    for r in g["waves"]:
        ctx.new_path()
        ctx.arc(cx, cy, r, math.radians(-135), math.radians(-45))
        ctx.stroke()
    ctx.new_path()
    ctx.arc(cx, cy, g["dot"], 0, 2 * math.pi)
    ctx.fill()

    dx, dy, dw, dh = g["drive"]
    rounded_path(ctx, dx, dy, dw, dh, min(dh / 2, max(1.0, size / 13.0)))
    if size >= 48:
        ctx.set_source(vertical_gradient(dy, dy + dh, (1, 1, 1, 1), rgb("#dfe7ef")))
    ctx.fill()
    if size <= 24:
        sharpen_alpha(layer)

    lx, ly = dx + dw - dh / 2, dy + dh / 2
    if size <= 24:
        side = round(2 * g["light"])
        ctx.rectangle(round(lx - side / 2), round(ly - side / 2), side, side)
    else:
        ctx.arc(lx, ly, g["light"], 0, 2 * math.pi)
    ctx.set_source_rgba(*TEAL_DEEP)
    ctx.fill()
    if size >= 32:
        # The drive's front slot.
        sh = max(1.0, round(dh / 7))
        ctx.rectangle(round(dx + dh / 2), round(ly - sh / 2), round(dw * 0.45), sh)
        ctx.set_source_rgba(*rgb("#9fb3c8"))
        ctx.fill()
    return layer


def draw_icon(size):
    """A tile with a white disk drive and the Wi-Fi waves rising from it."""
    s = new_surface(size, size)
    ctx = cairo.Context(s)
    draw_tile(ctx, size)
    ctx.set_source_surface(draw_glyph(size), 0, 0)
    ctx.paint()
    return s


# --- Files ----------------------------------------------------------------------------------

def write_bmp(path, rows):
    """A 24-bit Windows bitmap: BITMAPFILEHEADER, BITMAPINFOHEADER, bottom-up BGR rows, each
    padded to a multiple of four bytes."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pictures", default=HERE, help="folder for the eight pictures")
    parser.add_argument("--icons", default=ICON_DIR, help="folder for the icon PNGs")
    args = parser.parse_args()
    os.makedirs(args.pictures, exist_ok=True)
    os.makedirs(args.icons, exist_ok=True)

    def out(name):
        return os.path.join(args.pictures, name)

    write_bmp(out("SearchDevice_BlackGround.bmp"), draw_mask())
    draw_background().write_to_png(out("SearchDevice_BlackGround.png"))
    draw_brush().write_to_png(out("Brush.png"))
    draw_icon(16).write_to_png(out("logo.png"))
    draw_header_background().write_to_png(out("headerbackground.png"))
    draw_header_clip().write_to_png(out("headerclip.png"))
    draw_close().write_to_png(out("close.png"))
    draw_buttons().write_to_png(out("ButtonMax.png"))
    for size in ICON_SIZES:
        draw_icon(size).write_to_png(os.path.join(args.icons, f"{size}x{size}.png"))


if __name__ == "__main__":
    main()
