#!/usr/bin/env python3
"""Draws the program's icon, a small radio set with its aerial and two waves, as a
32 x 32, 16-colour .ico file (4 bits per pixel and a transparency mask).

    tools/make_icon.py res/zelvora.ico
"""
import struct
import sys

# The standard 16-colour palette, as red, green, blue.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARKRED, GREY, SILVER, RED, YELLOW, WHITE, TEAL, CYAN = 0, 1, 8, 7, 9, 11, 15, 6, 14
CLEAR = None
N = 32


def draw():
    px = [[CLEAR] * N for _ in range(N)]

    def rect(x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = c

    def line(x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(steps + 1):
            px[y0 + (y1 - y0) * i // steps][x0 + (x1 - x0) * i // steps] = c

    # Aerial from the top of the set up to the right.
    line(20, 12, 27, 2, BLACK)
    line(21, 12, 28, 2, GREY)
    rect(27, 1, 28, 2, RED)
    # Two waves coming off the aerial's tip.
    for (x, y) in [(24, 1), (23, 2), (23, 3), (24, 4)]:
        px[y][x] = TEAL
    for (x, y) in [(31, 0), (31, 1), (31, 2), (31, 3), (30, 4), (30, 5)]:
        px[y][x] = TEAL
    # The cabinet with a dark outline.
    rect(2, 12, 29, 29, BLACK)
    rect(3, 13, 28, 28, DARKRED)
    rect(3, 13, 28, 14, RED)
    # Speaker grille on the left.
    rect(5, 16, 15, 26, BLACK)
    for y in range(17, 26):
        for x in range(6, 15):
            px[y][x] = SILVER if (x + y) % 2 == 0 else GREY
    # Dial window and two knobs on the right.
    rect(17, 16, 26, 20, BLACK)
    rect(18, 17, 25, 19, YELLOW)
    px[18][21] = RED
    px[17][21] = RED
    px[19][21] = RED
    rect(18, 23, 20, 25, BLACK)
    px[24][19] = WHITE
    rect(23, 23, 25, 25, BLACK)
    px[24][24] = WHITE
    # Feet.
    rect(4, 30, 6, 30, BLACK)
    rect(25, 30, 27, 30, BLACK)
    return px


def ico(px):
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(N)):  # bottom-up rows
        row = px[y]
        for x in range(0, N, 2):
            a = row[x] if row[x] is not None else 0
            b = row[x + 1] if row[x + 1] is not None else 0
            xor.append((a << 4) | b)
        bits = 0
        for x in range(N):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, N, 2 * N, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", N, N, 16, 0, 1, 4, len(image), 22)
    return directory + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(ico(draw()))
