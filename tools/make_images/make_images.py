#!/usr/bin/env python3
"""Draws the style sheet images and the action and application icons.

Standard library only: PNG through zlib/struct, a small GIF89a writer with
LZW compression, and ICO files that wrap PNG images.

    python3 tools/make_images/make_images.py [repository root]

writes resources/images/*.png and resources/icons/* below the root.
"""

import math
import os
import struct
import sys
import zlib

LIGHT = (200, 200, 255, 255)   # text colour of the dark theme
FRAME = (200, 200, 222, 255)   # border colour of the dark theme
FIELD = (56, 56, 68, 255)      # background of edit fields


# ---------------------------------------------------------------- shapes

def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in):
    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        return r_in * r_in <= d <= r_out * r_out
    return inside


def polygon(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            x1, y1 = points[i]
            x2, y2 = points[(i + 1) % n]
            if (y1 > y) != (y2 > y):
                xc = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
                if x < xc:
                    hit = not hit
        return hit
    return inside


def segment(ax, ay, bx, by, width):
    half = width / 2.0

    def inside(x, y):
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half * half
    return inside


def polyline(points, width):
    parts = [segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return lambda x, y: any(p(x, y) for p in parts)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def rounded_frame(x0, y0, x1, y1, r, width):
    outer = rounded_rect(x0, y0, x1, y1, r)
    inner = rounded_rect(x0 + width, y0 + width, x1 - width, y1 - width, max(0.0, r - width))
    return lambda x, y: outer(x, y) and not inner(x, y)


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def gear(cx, cy, r_body, r_teeth, r_hole, teeth):
    def inside(x, y):
        dx, dy = x - cx, y - cy
        d = math.hypot(dx, dy)
        if d < r_hole:
            return False
        if d <= r_body:
            return True
        if d > r_teeth:
            return False
        a = (math.atan2(dy, dx) / (2 * math.pi) * teeth) % 1.0
        return 0.25 <= a <= 0.75
    return inside


# ---------------------------------------------------------------- raster

def render(size, layers, samples=4):
    """layers: list of (shape, rgba); later layers cover earlier ones."""
    w, h = size
    pixels = []
    for py in range(h):
        row = []
        for px in range(w):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    x = px + (sx + 0.5) / samples
                    y = py + (sy + 0.5) / samples
                    colour = None
                    for shape, rgba in layers:
                        if shape(x, y):
                            colour = rgba
                    if colour is not None:
                        a = colour[3] / 255.0
                        acc[0] += colour[0] * a
                        acc[1] += colour[1] * a
                        acc[2] += colour[2] * a
                        acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if alpha > 0:
                r, g, b = (acc[i] / acc[3] for i in range(3))
                row.append((round(r), round(g), round(b), round(alpha * 255)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


# ---------------------------------------------------------------- PNG

def png_bytes(pixels):
    h = len(pixels)
    w = len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)

    return (b'\x89PNG\r\n\x1a\n'
            + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(bytes(raw), 9))
            + chunk(b'IEND', b''))


# ---------------------------------------------------------------- GIF

def lzw_encode(indices, min_code_size):
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bit_buffer = 0
    bit_count = 0

    def emit(code, size):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += size
        while bit_count >= 8:
            out.append(bit_buffer & 0xff)
            bit_buffer >>= 8
            bit_count -= 8

    def reset():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, code_size = reset()
    emit(clear, code_size)
    current = ()
    for index in indices:
        candidate = current + (index,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current], code_size)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << code_size) and code_size < 12:
                code_size += 1
        else:
            emit(clear, code_size)
            table, next_code, code_size = reset()
        current = (index,)
    if current:
        emit(table[current], code_size)
    emit(end, code_size)
    if bit_count:
        out.append(bit_buffer & 0xff)
    return bytes(out)


def gif_bytes(pixels):
    """Opaque pixels keep their colour; pixels under half alpha become transparent."""
    h = len(pixels)
    w = len(pixels[0])
    palette = [(0, 0, 0)]          # index 0: transparent
    lookup = {}
    indices = []
    for row in pixels:
        for r, g, b, a in row:
            if a < 128:
                indices.append(0)
                continue
            key = (r, g, b)
            if key not in lookup:
                if len(palette) == 256:
                    raise ValueError('too many colours for a GIF')
                lookup[key] = len(palette)
                palette.append(key)
            indices.append(lookup[key])
    bits = max(2, (len(palette) - 1).bit_length())
    table_size = 1 << bits
    palette += [(0, 0, 0)] * (table_size - len(palette))

    data = bytearray(b'GIF89a')
    data += struct.pack('<HHBBB', w, h, 0x80 | (bits - 1), 0, 0)
    for colour in palette:
        data += bytes(colour)
    # Graphic control extension: index 0 is transparent.
    data += b'\x21\xf9\x04\x01\x00\x00\x00\x00'
    data += b'\x2c' + struct.pack('<HHHHB', 0, 0, w, h, 0)
    data.append(bits)
    compressed = lzw_encode(indices, bits)
    for i in range(0, len(compressed), 255):
        block = compressed[i:i + 255]
        data.append(len(block))
        data += block
    data += b'\x00\x3b'
    return bytes(data)


def flatten(pixels, colours):
    """Snaps every pixel to the nearest of a few colours, for the palette of a GIF."""
    out = []
    for row in pixels:
        new_row = []
        for r, g, b, a in row:
            if a < 128:
                new_row.append((0, 0, 0, 0))
                continue
            best = min(colours, key=lambda c: (c[0] - r) ** 2 + (c[1] - g) ** 2 + (c[2] - b) ** 2)
            new_row.append((best[0], best[1], best[2], 255))
        out.append(new_row)
    return out


# ---------------------------------------------------------------- ICO

def ico_bytes(images):
    """images: list of PNG byte strings with their sizes."""
    header = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b''
    body = b''
    for size, png in images:
        dim = 0 if size >= 256 else size
        entries += struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32, len(png), offset)
        body += png
        offset += len(png)
    return header + entries + body


# ---------------------------------------------------------------- drawings

def down_arrow(s):
    return [(polygon([(s * 0.15, s * 0.32), (s * 0.85, s * 0.32), (s * 0.5, s * 0.72)]), LIGHT)]


def up_arrow(s):
    return [(polygon([(s * 0.15, s * 0.70), (s * 0.85, s * 0.70), (s * 0.5, s * 0.30)]), LIGHT)]


def check_box(s, checked):
    layers = [
        (rounded_rect(1, 1, s - 1, s - 1, 3), FIELD),
        (rounded_frame(1, 1, s - 1, s - 1, 3, 1.2), FRAME),
    ]
    if checked:
        layers.append((polyline([(s * 0.25, s * 0.52), (s * 0.43, s * 0.72), (s * 0.77, s * 0.28)],
                                s * 0.13), LIGHT))
    return layers


def radio(s, checked):
    c = s / 2.0
    layers = [
        (circle(c, c, c - 1), FIELD),
        (ring(c, c, c - 1, c - 2.2), FRAME),
    ]
    if checked:
        layers.append((circle(c, c, s * 0.22), LIGHT))
    return layers


def event_log(s):
    paper = (236, 236, 244, 255)
    ink = (60, 60, 120, 255)
    red = (220, 40, 40, 255)
    layers = [(polygon([(s * 0.18, s * 0.06), (s * 0.66, s * 0.06), (s * 0.84, s * 0.24),
                        (s * 0.84, s * 0.94), (s * 0.18, s * 0.94)]), paper),
              (polygon([(s * 0.66, s * 0.06), (s * 0.84, s * 0.24), (s * 0.66, s * 0.24)]),
               (180, 180, 200, 255))]
    for i, y in enumerate((0.38, 0.52, 0.66, 0.80)):
        layers.append((rect(s * 0.28, s * y, s * 0.34, s * y + s * 0.06), red if i == 1 else ink))
        layers.append((rect(s * 0.40, s * y, s * 0.74, s * y + s * 0.06), ink))
    return layers


def rename(s):
    body = (250, 200, 60, 255)
    tip = (240, 220, 180, 255)
    lead = (50, 50, 50, 255)
    field = (236, 236, 244, 255)
    return [
        (rect(s * 0.06, s * 0.62, s * 0.94, s * 0.90), field),
        (rect(s * 0.14, s * 0.70, s * 0.17, s * 0.83), lead),
        (polygon([(s * 0.30, s * 0.62), (s * 0.78, s * 0.14), (s * 0.90, s * 0.26),
                  (s * 0.42, s * 0.74)]), body),
        (polygon([(s * 0.30, s * 0.62), (s * 0.42, s * 0.74), (s * 0.24, s * 0.80)]), tip),
        (polygon([(s * 0.26, s * 0.74), (s * 0.30, s * 0.78), (s * 0.24, s * 0.80)]), lead),
    ]


def settings(s):
    metal = (190, 190, 210, 255)
    c = s / 2.0
    return [(gear(c, c, s * 0.32, s * 0.46, s * 0.14, 8), metal),
            (ring(c, c, s * 0.32, s * 0.26), (140, 140, 165, 255))]


def application(s):
    dark = (20, 40, 30, 255)
    grid = (60, 200, 110, 255)
    sweep = (120, 255, 160, 255)
    c = s / 2.0
    lw = max(1.0, s / 24.0)
    layers = [(circle(c, c, c - 0.5), dark),
              (ring(c, c, c * 0.95, c * 0.95 - lw), grid),
              (ring(c, c, c * 0.62, c * 0.62 - lw), grid),
              (ring(c, c, c * 0.30, c * 0.30 - lw), grid),
              (segment(c, c * 0.1, c, s - c * 0.1, lw * 0.8), grid),
              (segment(c * 0.1, c, s - c * 0.1, c, lw * 0.8), grid),
              (polygon([(c, c), (c + c * 0.9 * math.cos(-1.0), c + c * 0.9 * math.sin(-1.0)),
                        (c + c * 0.9 * math.cos(-0.6), c + c * 0.9 * math.sin(-0.6))]),
               (80, 230, 130, 160)),
              (segment(c, c, c + c * 0.9 * math.cos(-0.6), c + c * 0.9 * math.sin(-0.6), lw * 1.6),
               sweep),
              (circle(c + c * 0.45, c + c * 0.30, max(1.2, s * 0.05)), (255, 80, 80, 255))]
    return layers


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), '..', '..'))
    images = os.path.join(root, 'resources', 'images')
    icons = os.path.join(root, 'resources', 'icons')
    os.makedirs(images, exist_ok=True)
    os.makedirs(icons, exist_ok=True)

    def write(path, data):
        with open(path, 'wb') as f:
            f.write(data)
        print(os.path.relpath(path, root), len(data), 'bytes')

    write(os.path.join(images, 'combo-down-arrow.png'), png_bytes(render((12, 12), down_arrow(12))))
    write(os.path.join(images, 'spin-up-arrow.png'), png_bytes(render((10, 10), up_arrow(10))))
    write(os.path.join(images, 'spin-down-arrow.png'), png_bytes(render((10, 10), down_arrow(10))))
    write(os.path.join(images, 'check-on.png'), png_bytes(render((16, 16), check_box(16, True))))
    write(os.path.join(images, 'check-off.png'), png_bytes(render((16, 16), check_box(16, False))))
    write(os.path.join(images, 'radio-on.png'), png_bytes(render((16, 16), radio(16, True))))
    write(os.path.join(images, 'radio-off.png'), png_bytes(render((16, 16), radio(16, False))))

    log_colours = [(236, 236, 244), (180, 180, 200), (60, 60, 120), (220, 40, 40)]
    write(os.path.join(icons, 'eventlog.gif'),
          gif_bytes(flatten(render((32, 32), event_log(32), samples=1), log_colours)))

    def ico(drawing, sizes):
        return ico_bytes([(s, png_bytes(render((s, s), drawing(s)))) for s in sizes])

    write(os.path.join(icons, 'Rename.ico'), ico(rename, (16, 32)))
    write(os.path.join(icons, 'settings.ico'), ico(settings, (16, 32)))
    write(os.path.join(icons, 'FALCONMaster.ico'), ico(application, (16, 32, 48)))


if __name__ == '__main__':
    main()
