#!/usr/bin/env python3
# Draws the application icon (a page with text lines and a green tick) at 32x32 and 16x16 and
# writes it as XPM source (res/Icon.cpp), and at 16, 32, 48 and 128 pixels as PNG files
# (res/icons/) for installation in the desktop's icon theme.
import struct
import zlib
from pathlib import Path

PALETTE = {  # 16-colour palette, as the icon resource has
    ' ': None,          # transparent
    'k': (0, 0, 0),
    'w': (255, 255, 255),
    'g': (192, 192, 192),
    'd': (128, 128, 128),
    'b': (0, 0, 128),
    'B': (0, 0, 255),
    'G': (0, 128, 0),
    'L': (0, 255, 0),
}


def draw(size):
    s = size / 32.0
    px = [[' '] * size for _ in range(size)]

    def put(x, y, c):
        if 0 <= x < size and 0 <= y < size:
            px[y][x] = c

    # the page, with its top right corner folded
    left, right, top, bottom = round(4 * s), round(24 * s), round(2 * s), round(29 * s)
    fold = round(6 * s)
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x - (right - fold) > y - top:
                continue
            edge = x in (left, right) or y in (top, bottom) or x - (right - fold) == y - top
            put(x, y, 'k' if edge else 'w')
    for i in range(fold + 1):
        put(right - fold, top + i, 'k')
        put(right - fold + i, top + fold, 'k')
    for y in range(top + 1, top + fold):
        for x in range(right - fold + 1, right - fold + 1 + (y - top) - 1):
            put(x, y, 'g')
    # text lines
    step = max(2, round(4 * s))
    for n, y in enumerate(range(top + fold + step, bottom - step + 1, step)):
        end = right - round(3 * s) - (round(6 * s) if n % 3 == 2 else 0)
        for x in range(left + round(3 * s), end):
            for t in range(max(1, round(s))):
                put(x, y + t, 'b' if n == 0 else 'd')
    # the tick, bottom right, with a dark outline
    pts = []
    ax, ay = round(14 * s), round(20 * s)
    bx, by = round(19 * s), round(26 * s)
    cx, cy = round(28 * s), round(11 * s)
    for (x0, y0, x1, y1) in ((ax, ay, bx, by), (bx, by, cx, cy)):
        steps = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(steps + 1):
            pts.append((round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps)))
    w = max(1, round(2 * s))
    for (x, y) in pts:
        for dx in range(-w - 1, w + 2):
            for dy in range(-w - 1, w + 2):
                put(x + dx, y + dy, 'G')
    for (x, y) in pts:
        for dx in range(-w + 1, w):
            for dy in range(-w + 1, w):
                put(x + dx, y + dy, 'L')
    return [''.join(row) for row in px]


def xpm(name, rows):
    used = sorted({c for r in rows for c in r})
    lines = [f'"{len(rows[0])} {len(rows)} {len(used)} 1",']
    for c in used:
        col = 'None' if PALETTE[c] is None else '#%02X%02X%02X' % PALETTE[c]
        lines.append(f'"{c} c {col}",')
    lines += [f'"{r}",' for r in rows]
    lines[-1] = lines[-1].rstrip(',')
    body = '\n'.join('    ' + line for line in lines)
    return f'const char* const {name}[] = {{\n{body}\n}};\n'


def png(path, rows):
    raw = b''
    for r in rows:
        raw += b'\0'
        for c in r:
            rgb = PALETTE[c]
            raw += bytes((0, 0, 0, 0)) if rgb is None else bytes(rgb + (255,))
    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    h = len(rows)
    w = len(rows[0])
    data = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
    Path(path).write_bytes(data)


root = Path(__file__).resolve().parent.parent
big, small = draw(32), draw(16)
(root / 'res/Icon.cpp').write_text(
    '// Icon 128, the application icon, at 32x32 and 16x16 (written by scripts/make-icons.py).\n'
    '#include "res/Icon.h"\n\nnamespace res {\n\n' + xpm('kIcon32', big) + '\n' +
    xpm('kIcon16', small) + '\n}  // namespace res\n')
(root / 'res/icons').mkdir(exist_ok=True)
for size, rows in ((16, small), (32, big), (48, draw(48)), (128, draw(128))):
    png(root / f'res/icons/sitequill-{size}.png', rows)
