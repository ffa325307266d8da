#!/usr/bin/env python3
"""Draws FILORA's icon: a yellow folder with a list sheet, 32x32 in the 16 VGA colours."""
import struct, sys

# Standard 16-colour palette (B, G, R, 0).
PAL = [(0,0,0),(0,0,128),(0,128,0),(0,128,128),(128,0,0),(128,0,128),(128,128,0),(192,192,192),
       (128,128,128),(0,0,255),(0,255,0),(0,255,255),(255,0,0),(255,0,255),(255,255,0),(255,255,255)]
BLACK, DARKYEL, GREY, LIGHT, BLUE, YELLOW, WHITE = 0, 3, 8, 7, 12, 11, 15
T = None  # transparent

img = [[T] * 32 for _ in range(32)]
def rect(x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = c
def frame(x0, y0, x1, y1, c):
    for x in range(x0, x1 + 1): img[y0][x] = img[y1][x] = c
    for y in range(y0, y1 + 1): img[y][x0] = img[y][x1] = c

rect(2, 8, 29, 28, DARKYEL); frame(2, 8, 29, 28, BLACK)      # folder back
rect(3, 5, 12, 8, DARKYEL); frame(2, 5, 13, 8, BLACK)        # tab
rect(8, 2, 26, 22, WHITE); frame(8, 2, 26, 22, BLACK)        # sheet
for y in (6, 10, 14, 18):
    rect(11, y, 13, y + 1, BLUE); rect(15, y, 24, y + 1, GREY)  # list rows
rect(3, 14, 28, 27, YELLOW); frame(2, 13, 29, 28, BLACK)     # folder front

xor = bytearray(); andmask = bytearray()
for y in range(31, -1, -1):                                   # bottom-up rows
    row = img[y]
    for x in range(0, 32, 2):
        a = row[x] if row[x] is not None else 0
        b = row[x + 1] if row[x + 1] is not None else 0
        xor.append((a << 4) | b)
    bits = 0
    for x in range(32):
        bits = (bits << 1) | (1 if row[x] is None else 0)
    andmask += struct.pack('>I', bits)

header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 4, 0, len(xor) + len(andmask), 0, 0, 16, 0)
pal = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in [(p[2], p[1], p[0]) for p in PAL])
data = header + pal + bytes(xor) + bytes(andmask)
ico = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 32, 32, 16, 0, 1, 4, len(data), 22) + data
open(sys.argv[1] if len(sys.argv) > 1 else 'res/filora.ico', 'wb').write(ico)
