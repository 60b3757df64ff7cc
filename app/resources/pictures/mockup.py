#!/usr/bin/python3
"""Renders a mock-up of the main window from the committed pictures, at the layout's positions.

    app/resources/pictures/mockup.py [-o build/window-mockup.png] [--scale 2]

The window is shown twice, on a light and on a dark desktop, cut by the shape mask as the
window system cuts it; below them a sheet shows every state of the command and close buttons.
The texts are set roughly as the controls set them (Tahoma, or the face that fontconfig gives
for it). Needs Debian's python3-cairo and python3-gi-cairo.
"""

import argparse
import os
import struct

import cairo
import gi

gi.require_version("Pango", "1.0")
gi.require_version("PangoCairo", "1.0")
from gi.repository import Pango, PangoCairo  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, os.pardir, os.pardir, os.pardir))

NEAR_WHITE = (244 / 255, 245 / 255, 247 / 255)
LIST_TEXT = (6 / 255, 65 / 255, 105 / 255)
LIST_BORDER = (126 / 255, 157 / 255, 185 / 255)
KEY = (210, 10, 10)

HEADER_HEIGHT = 18      # 0.9 times the 20 pixels a list header usually gets
ROW_HEIGHT = 18
COLUMNS = (("Host Name", 96, "left"), ("IP Address", 122, "center"), ("Devcie Type", 93, "center"))
ROWS = (("VELK-DISK-A1", "192.168.1.23", "WIFI DISK"),
        ("LivingRoom", "192.168.1.57", "WIFI DISK Pro"),
        ("velk-3f9c", "192.168.1.104", "WIFI DISK"))
BUTTONS = ((18, "Log In"), (127, "Refresh"), (228, "My Storage"))


def picture(name):
    return cairo.ImageSurface.create_from_png(os.path.join(HERE, name))


def read_mask(path):
    """The key-coloured pixels of a 24-bit bottom-up Windows bitmap, as a set of (x, y)."""
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    keyed = set()
    for y in range(height):
        row = offset + (height - 1 - y) * stride
        for x in range(width):
            b, g, r = data[row + 3 * x:row + 3 * x + 3]
            if (r, g, b) == KEY:
                keyed.add((x, y))
    return keyed


def text(ctx, s, x, y, size, colour, width=None, align="left"):
    layout = PangoCairo.create_layout(ctx)
    font = Pango.FontDescription.from_string("Tahoma")
    font.set_absolute_size(size * Pango.SCALE)
    layout.set_font_description(font)
    layout.set_text(s, -1)
    w, h = layout.get_pixel_size()
    if width is not None and align == "center":
        x += (width - w) / 2
    ctx.set_source_rgb(*colour)
    ctx.move_to(x, y)
    PangoCairo.show_layout(ctx, layout)
    return w, h


def text_width(ctx, s, size):
    layout = PangoCairo.create_layout(ctx)
    font = Pango.FontDescription.from_string("Tahoma")
    font.set_absolute_size(size * Pango.SCALE)
    layout.set_font_description(font)
    layout.set_text(s, -1)
    return layout.get_pixel_size()[0]


def slice_at(ctx, surface, index, count, x, y):
    w = surface.get_width() // count
    ctx.save()
    ctx.rectangle(x, y, w, surface.get_height())
    ctx.clip()
    ctx.set_source_surface(surface, x - index * w, y)
    ctx.paint()
    ctx.restore()


def button(ctx, strip, state, x, y, label):
    slice_at(ctx, strip, state, 4, x, y)
    shift = 1 if state == 2 else 0
    w = text_width(ctx, label, 12)
    text(ctx, label, x + (79 - w) // 2 + shift, y + 6 + shift, 12, NEAR_WHITE)


def draw_list(ctx, header_bg, header_clip):
    x0, y0, w, h = 11, 51, 306, 139       # client area inside the one-pixel border
    ctx.save()
    ctx.rectangle(x0, y0, w, h)
    ctx.clip()
    ctx.set_source_rgb(1, 1, 1)
    ctx.paint()
    # Header: the top-left (width - 50) x (height - 5) of its picture, stretched.
    sw, sh = header_bg.get_width() - 50, header_bg.get_height() - 5
    ctx.save()
    ctx.translate(x0, y0)
    ctx.scale(w / sw, HEADER_HEIGHT / sh)
    ctx.rectangle(0, 0, sw, sh)
    ctx.clip()
    ctx.set_source_surface(header_bg, 0, 0)
    ctx.get_source().set_filter(cairo.FILTER_BILINEAR)
    ctx.get_source().set_extend(cairo.EXTEND_PAD)
    ctx.paint()
    ctx.restore()
    left = x0
    for caption, cw, _ in COLUMNS:
        ctx.set_source_surface(header_clip, left + cw, y0 + 4)
        ctx.paint()
        text(ctx, caption, left, y0 + 3 + (HEADER_HEIGHT - 3 - 15) / 2, 12, NEAR_WHITE, cw, "center")
        left += cw
    # Rows with grid lines; the first row is selected.
    for i, row in enumerate(ROWS):
        top = y0 + HEADER_HEIGHT + i * ROW_HEIGHT
        if i == 0:
            ctx.rectangle(x0, top, w, ROW_HEIGHT - 1)
            ctx.set_source_rgb(0.80, 0.89, 0.97)
            ctx.fill()
        left = x0
        for value, (_, cw, align) in zip(row, COLUMNS):
            text(ctx, value, left + (6 if align == "left" else 0), top + 1, 13, LIST_TEXT, cw, align)
            left += cw
    ctx.set_source_rgb(0.94, 0.94, 0.94)
    ctx.set_line_width(1)
    for i in range(1, (h - HEADER_HEIGHT) // ROW_HEIGHT + 1):
        ctx.move_to(x0, y0 + HEADER_HEIGHT + i * ROW_HEIGHT - 0.5)
        ctx.line_to(x0 + w, y0 + HEADER_HEIGHT + i * ROW_HEIGHT - 0.5)
    left = x0
    for _, cw, _ in COLUMNS:
        left += cw
        ctx.move_to(left - 0.5, y0 + HEADER_HEIGHT)
        ctx.line_to(left - 0.5, y0 + h)
    ctx.stroke()
    ctx.restore()
    ctx.rectangle(10.5, 50.5, 307, 140)
    ctx.set_source_rgb(*LIST_BORDER)
    ctx.stroke()


def draw_window():
    """The window's client area, unclipped, as the controls would paint it."""
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, 328, 245)
    ctx = cairo.Context(s)
    ctx.set_source_surface(picture("SearchDevice_BlackGround.png"), 0, 0)
    ctx.paint()
    ctx.set_source_surface(picture("logo.png"), 7, 7)
    ctx.paint()
    text(ctx, "VELK WIFI DISK", 30, 4, 21, NEAR_WHITE)
    slice_at(ctx, picture("close.png"), 0, 4, 300, 10)
    text(ctx, "Device List", 15 + 13, 32 + 2, 12, NEAR_WHITE)
    draw_list(ctx, picture("headerbackground.png"), picture("headerclip.png"))
    ctx.set_source_surface(picture("Brush.png"), 10, 194)
    ctx.paint()
    ctx.save()
    ctx.rectangle(10, 194, 280, 15)
    ctx.clip()
    text(ctx, "Searching new devices,please wait 7s...", 10 + 15, 194 + 1, 12, NEAR_WHITE)
    ctx.restore()
    strip = picture("ButtonMax.png")
    for (x, label), state in zip(BUTTONS, (1, 3, 0)):
        button(ctx, strip, state, x, 210, label)
    return s


def backdrop(ctx, bg, sx, sy, x, y, w, h):
    """Copies the w x h part of the background at (sx, sy) to (x, y)."""
    ctx.save()
    ctx.rectangle(x, y, w, h)
    ctx.clip()
    ctx.set_source_surface(bg, x - sx, y - sy)
    ctx.paint()
    ctx.restore()


def desktop(ctx, x, y, w, h, top, bottom):
    g = cairo.LinearGradient(x, y, x + w, y + h)
    g.add_color_stop_rgb(0, *top)
    g.add_color_stop_rgb(1, *bottom)
    ctx.rectangle(x, y, w, h)
    ctx.set_source(g)
    ctx.fill()


def render(scale):
    window = draw_window()
    keyed = read_mask(os.path.join(HERE, "SearchDevice_BlackGround.bmp"))
    # The window system shows no pixel that the mask cuts (only rows 0 to 34 count).
    window.flush()
    data, stride = window.get_data(), window.get_stride()
    for x, y in keyed:
        if y < 35:
            data[y * stride + 4 * x:y * stride + 4 * x + 4] = bytes(4)
    window.mark_dirty()

    pad = 24
    cw, ch = 2 * (328 + 2 * pad), 245 + 2 * pad + 70
    out = cairo.ImageSurface(cairo.FORMAT_RGB24, cw * scale, ch * scale)
    ctx = cairo.Context(out)
    ctx.scale(scale, scale)
    ctx.set_source_rgb(0.93, 0.93, 0.94)
    ctx.paint()
    half = 328 + 2 * pad
    desktop(ctx, 0, 0, half, 245 + 2 * pad, (0.90, 0.92, 0.95), (0.78, 0.82, 0.88))
    desktop(ctx, half, 0, half, 245 + 2 * pad, (0.16, 0.17, 0.20), (0.08, 0.09, 0.11))
    for ox in (pad, half + pad):
        ctx.set_source_surface(window, ox, pad)
        ctx.get_source().set_filter(cairo.FILTER_NEAREST)
        ctx.paint()

    # The state sheet (normal, mouse over, pressed, disabled) on the pictures' own backdrops:
    # the command buttons on the body, the close button on the title band.
    bg = picture("SearchDevice_BlackGround.png")
    sheet_y = 245 + 2 * pad + 14
    strip, close = picture("ButtonMax.png"), picture("close.png")
    for state, label in enumerate(("Normal", "Over", "Pressed", "Disabled")):
        x = pad + state * 95
        backdrop(ctx, bg, 18 - 8, 210 - 8, x - 8, sheet_y - 8, 95, 39)
        button(ctx, strip, state, x, sheet_y, label)
    for state in range(4):
        x = half + pad + state * 30
        backdrop(ctx, bg, 300 - 8, 10 - 6, x - 8, sheet_y - 6, 30, 23)
        slice_at(ctx, close, state, 4, x, sheet_y)
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-o", "--output", default=os.path.join(REPO, "build", "window-mockup.png"))
    parser.add_argument("--scale", type=int, default=1, help="enlarge every pixel this many times")
    args = parser.parse_args()
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    render(args.scale).write_to_png(args.output)
    print(args.output)


if __name__ == "__main__":
    main()
