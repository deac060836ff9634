#!/usr/bin/env python3
"""Draws the program's XPM icons. Run it from the repository root after
changing a drawing; the generated files are committed."""
import math
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(__file__), "..", "resources", "icons")
CHARS = ".#abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+@$%&*=-;:>,<"


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[None] * size for _ in range(size)]

    def dot(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[int(y)][int(x)] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.dot(x, y0, colour)
            self.dot(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.dot(x0, y, colour)
            self.dot(x1, y, colour)

    def polygon(self, points, colour):
        for y in range(self.size):
            for x in range(self.size):
                if inside(points, x + 0.5, y + 0.5):
                    self.dot(x, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(self.size):
            for x in range(self.size):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.dot(x, y, colour)

    def ring(self, cx, cy, r0, r1, a0, a1, colour):
        for y in range(self.size):
            for x in range(self.size):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                d = math.hypot(dx, dy)
                a = math.degrees(math.atan2(-dy, dx)) % 360
                if r0 <= d <= r1 and in_arc(a, a0, a1):
                    self.dot(x, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0)) * 2 + 1
        for i in range(steps + 1):
            t = i / steps
            self.dot(round(x0 + (x1 - x0) * t), round(y0 + (y1 - y0) * t), colour)

    def write(self, name):
        colours = sorted({c for row in self.px for c in row if c is not None})
        # Two characters per pixel once one character no longer suffices.
        width = 1 if len(colours) < len(CHARS) else 2
        keys = {None: " " * width}
        for i, c in enumerate(colours):
            keys[c] = CHARS[i] if width == 1 else CHARS[i // len(CHARS)] + CHARS[i % len(CHARS)]
        lines = [f"{self.size} {self.size} {len(keys)} {width}", keys[None] + " c None"]
        lines += [f"{keys[c]} c {c}" for c in colours]
        lines += ["".join(keys[c] for c in row) for row in self.px]
        body = ",\n".join(f'"{l}"' for l in lines)
        with open(os.path.join(OUT, name + ".xpm"), "w") as f:
            f.write(f"/* XPM */\nconst char* const {name}_xpm[] = {{\n{body}}};\n")
        return len(keys) - 1


def in_arc(a, a0, a1):
    return a0 <= a <= a1 if a0 <= a1 else a >= a0 or a <= a1


def inside(points, x, y):
    result = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def new16():
    c = Canvas(16)
    c.polygon([(3, 1), (10, 1), (14, 5), (14, 15), (3, 15)], "#FFFFFF")
    c.line(3, 1, 9, 1, "#505050")
    c.line(3, 1, 3, 15, "#505050")
    c.line(3, 15, 13, 15, "#505050")
    c.line(13, 5, 13, 15, "#505050")
    c.line(9, 1, 13, 5, "#505050")
    c.polygon([(9, 1), (9, 5.5), (13.5, 5.5)], "#C8C8C8")
    c.line(9, 1, 9, 5, "#505050")
    c.line(9, 5, 13, 5, "#505050")
    for y in (8, 10, 12):
        c.line(5, y, 11, y, "#8CA0C8")
    c.write("new16")


def open16():
    c = Canvas(16)
    c.rect(1, 3, 6, 4, "#C89B28")
    c.rect(1, 4, 13, 13, "#E6B43C")
    c.frame(1, 4, 13, 13, "#8C6414")
    c.polygon([(3, 7), (15.5, 7), (13, 14), (1, 14)], "#F8D46A")
    c.line(3, 7, 15, 7, "#8C6414")
    c.line(15, 7, 13, 13, "#8C6414")
    c.line(1, 13, 13, 13, "#8C6414")
    c.write("open16")


def save16():
    c = Canvas(16)
    c.rect(1, 1, 14, 14, "#2E5EAA")
    c.frame(1, 1, 14, 14, "#183A70")
    c.rect(4, 1, 11, 5, "#E8E8E8")
    c.rect(9, 2, 10, 4, "#2E5EAA")
    c.rect(3, 9, 12, 14, "#FFFFFF")
    c.line(4, 11, 11, 11, "#9AA8C0")
    c.line(4, 13, 11, 13, "#9AA8C0")
    c.write("save16")


def undo16():
    c = Canvas(16)
    c.ring(8.5, 9.5, 3.2, 5.6, 300, 150, "#2E6BC6")
    c.polygon([(0.5, 6), (7, 6), (3.8, 12)], "#2E6BC6")
    c.write("undo16")


def redo16():
    # The undo arrow, mirrored.
    c = Canvas(16)
    c.ring(7.5, 9.5, 3.2, 5.6, 30, 240, "#2E6BC6")
    c.polygon([(15.5, 6), (9, 6), (12.2, 12)], "#2E6BC6")
    c.write("redo16")


def transfer16():
    c = Canvas(16)
    c.polygon([(4, 2), (14, 8), (4, 14)], "#2FA83A")
    c.line(4, 2, 4, 14, "#1A6A22")
    c.line(4, 2, 14, 8, "#1A6A22")
    c.line(4, 14, 14, 8, "#1A6A22")
    c.write("transfer16")


def stop16():
    c = Canvas(16)
    c.polygon([(5, 1), (11, 1), (15, 5), (15, 11), (11, 15), (5, 15), (1, 11), (1, 5)], "#D22E2E")
    c.rect(4, 7, 11, 9, "#FFFFFF")
    c.write("stop16")


def auto16():
    c = Canvas(16)
    c.ring(8, 8, 4.5, 7, 20, 160, "#2E6BC6")
    c.ring(8, 8, 4.5, 7, 200, 340, "#2E6BC6")
    c.polygon([(13.5, 4), (16, 9), (11, 9)], "#2E6BC6")
    c.polygon([(2.5, 12), (0, 7), (5, 7)], "#2E6BC6")
    c.polygon([(6, 5), (11, 8), (6, 11)], "#2FA83A")
    c.write("auto16")


LED_COLOURS = ["#FF2828", "#28D228", "#2850FF", "#FFD228", "#D228FF", "#28D2D2",
               "#FF8C28", "#FFFFFF", "#FF28A0"]


def lumivane32():
    c = Canvas(32)
    c.polygon([(3, 1), (29, 1), (31, 3), (31, 29), (29, 31), (3, 31), (1, 29), (1, 3)], "#1E2632")
    c.frame(2, 2, 29, 29, "#3C4A5E")
    for i, colour in enumerate(LED_COLOURS):
        cx, cy = 8 + (i % 3) * 8, 8 + (i // 3) * 8
        c.disc(cx, cy, 3.4, colour)
        c.dot(cx - 1, cy - 1, "#FFFFFF")
    c.write("lumivane32")


def about48():
    """A board of LEDs whose colours sweep the palette: 126 colours in all."""
    c = Canvas(48)
    c.polygon([(4, 1), (44, 1), (47, 4), (47, 44), (44, 47), (4, 47), (1, 44), (1, 4)], "#1E2632")
    used = {"#1E2632"}
    n = 0
    for row in range(5):
        for col in range(5):
            cx, cy = 8 + col * 8, 8 + row * 8
            for y in range(int(cy - 3), int(cy + 4)):
                for x in range(int(cx - 3), int(cx + 4)):
                    d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                    if d <= 3.3 and len(used) < 126:
                        hue = (row * 5 + col) / 25.0
                        shade = 1.0 - d / 5.0
                        r, g, b = hsv(hue, 0.85, shade)
                        colour = "#%02X%02X%02X" % (r, g, b)
                        used.add(colour)
                        c.dot(x, y, colour)
                        n += 1
    # Top up to exactly 126 colours with a subtle border gradient.
    k = 0
    while len(used) < 126:
        colour = "#%02X%02X%02X" % (40 + k, 50 + k, 64 + k)
        if colour not in used:
            used.add(colour)
            c.dot(2 + (k % 44), 45, colour)
        k += 1
    return c.write("about48")


def hsv(h, s, v):
    i = int(h * 6) % 6
    f = h * 6 - int(h * 6)
    p, q, t = v * (1 - s), v * (1 - f * s), v * (1 - (1 - f) * s)
    r, g, b = [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][i]
    return int(r * 255), int(g * 255), int(b * 255)


# The application icon for the desktop (menus, file manager, the MIME type):
# the 32 x 32 board drawn smoothly at any size, as an SVG and as PNGs for
# the hicolor theme. Coordinates are in units of the 32 x 32 design.
DESKTOP_SIZES = (16, 24, 32, 48, 64, 128, 256)


def board_shapes():
    """The drawing as (kind, params, RGB) in paint order."""
    shapes = [("rrect", (1, 1, 31, 31, 3.2), (0x1E, 0x26, 0x32)),
              ("rrect_line", (2.5, 2.5, 29.5, 29.5, 2.2, 0.9), (0x3C, 0x4A, 0x5E))]
    for i, colour in enumerate(LED_COLOURS):
        cx, cy = 8.5 + (i % 3) * 7.5, 8.5 + (i // 3) * 7.5
        rgb = tuple(int(colour[k:k + 2], 16) for k in (1, 3, 5))
        shapes.append(("disc", (cx, cy, 3.1), rgb))
        shapes.append(("disc", (cx - 1.0, cy - 1.0, 0.9), (255, 255, 255)))
    return shapes


def rrect_inside(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def shape_inside(kind, p, x, y):
    if kind == "rrect":
        return rrect_inside(x, y, *p)
    if kind == "rrect_line":
        x0, y0, x1, y1, r, w = p
        h = w / 2
        return (rrect_inside(x, y, x0 - h, y0 - h, x1 + h, y1 + h, r + h)
                and not rrect_inside(x, y, x0 + h, y0 + h, x1 - h, y1 - h, max(r - h, 0)))
    cx, cy, r = p
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def shape_box(kind, p):
    if kind == "disc":
        cx, cy, r = p
        return cx - r, cy - r, cx + r, cy + r
    grow = p[5] / 2 if kind == "rrect_line" else 0
    return p[0] - grow, p[1] - grow, p[2] + grow, p[3] + grow


def render_board(size, samples=4):
    """RGBA rows of the board at `size` pixels, antialiased by supersampling."""
    scale = 32.0 / size
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]
    subs = [(i + 0.5) / samples for i in range(samples)]
    for kind, p, rgb in board_shapes():
        bx0, by0, bx1, by1 = shape_box(kind, p)
        for py in range(max(0, int(by0 / scale) - 1), min(size, int(by1 / scale) + 2)):
            for px in range(max(0, int(bx0 / scale) - 1), min(size, int(bx1 / scale) + 2)):
                hits = sum(1 for sy in subs for sx in subs
                           if shape_inside(kind, p, (px + sx) * scale, (py + sy) * scale))
                if hits == 0:
                    continue
                a = hits / (samples * samples)
                r0, g0, b0, a0 = pixels[py][px]
                out_a = a + a0 / 255 * (1 - a)
                mix = [(c * a + c0 * (a0 / 255) * (1 - a)) / out_a for c, c0 in zip(rgb, (r0, g0, b0))]
                pixels[py][px] = (round(mix[0]), round(mix[1]), round(mix[2]), round(out_a * 255))
    return pixels


def write_png(path, pixels):
    size = len(pixels)
    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def board_svg():
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 32 32">']
    for kind, p, rgb in board_shapes():
        colour = "#%02X%02X%02X" % rgb
        if kind == "rrect":
            x0, y0, x1, y1, r = p
            parts.append(f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" rx="{r}" fill="{colour}"/>')
        elif kind == "rrect_line":
            x0, y0, x1, y1, r, w = p
            parts.append(f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" rx="{r}" '
                         f'fill="none" stroke="{colour}" stroke-width="{w}"/>')
        else:
            cx, cy, r = p
            parts.append(f'  <circle cx="{cx}" cy="{cy}" r="{r}" fill="{colour}"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def desktop_icons():
    with open(os.path.join(OUT, "lumivane.svg"), "w") as f:
        f.write(board_svg())
    for size in DESKTOP_SIZES:
        write_png(os.path.join(OUT, f"lumivane-{size}.png"), render_board(size))


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    for draw in (new16, open16, save16, undo16, redo16, transfer16, stop16, auto16, lumivane32):
        draw()
    print("about48 colours:", about48())
    desktop_icons()
