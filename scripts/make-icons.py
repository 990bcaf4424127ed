#!/usr/bin/env python3
# Regenerates resources/*.ico from the ASCII art below. The .ico files are
# what the build uses; run this only after changing a picture.
# Each icon: one 32x32 image, 16 colours, with a transparency mask.
import os
import struct

# Standard Windows 16-colour palette (RGB), so the icons look the same
# on any display depth.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
# One character per pixel; '.' is transparent.
LEGEND = {
    'K': 0, 'r': 1, 'g': 2, 'o': 3, 'n': 4, 'p': 5, 't': 6, 's': 7,
    'd': 8, 'R': 9, 'G': 10, 'Y': 11, 'B': 12, 'M': 13, 'C': 14, 'W': 15,
}

# The logger's memory card: cut corner, gold contacts, a signal on the label.
CARD = [
    "................................",
    "....KKKKKKKKKKKKKKKKKK..........",
    "....KBBBBBBBBBBBBBBBBBK.........",
    "....KBYoBYoBYoBYoBYoBBBK........",
    "....KBYoBYoBYoBYoBYoBBBBK.......",
    "....KBYoBYoBYoBYoBYoBYoBBK......",
    "....KBYoBYoBYoBYoBYoBYoBBBK.....",
    "....KBYoBYoBYoBYoBYoBYoBBBBK....",
    "....KBYoBYoBYoBYoBYoBYoBBBBK....",
    "....KBBBBBBBBBBBBBBBBBBBBBBK....",
    "....KBBBBBBBBBBBBBBBBBBBBBBK....",
    "....KBBBBBBBBBBBBBBBBBBBBBBK....",
    "....KBBWWWWWWWWWWWWWWWWWWBBK....",
    "....KBBWWWWWWWWWWWWWWWWWWBBK....",
    "....KBBWWWWRRRWWWWWWWWWWWBBK....",
    "....KBBWWWRWWWRWWWWWWWWWWBBK....",
    "....KBBWWWRWWWRWWWWWWWWWWBBK....",
    "....KBBWWRWWWWWRWWWWWWWWWBBK....",
    "....KBBWRWWWWWWWRWWWWWWWWBBK....",
    "....KBBWRWWWWWWWRWWWWWWWRBBK....",
    "....KBBWWWWWWWWWRWWWWWWWRBBK....",
    "....KBBWWWWWWWWWWRWWWWWRWBBK....",
    "....KBBWWWWWWWWWWWRWWWRWWBBK....",
    "....KBBWWWWWWWWWWWRWWWRWWBBK....",
    "....KBBWWWWWWWWWWWWRRRWWWBBK....",
    "....KBBWWWWWWWWWWWWWWWWWWBBK....",
    "....KBBWWWWWWWWWWWWWWWWWWBBK....",
    "....KBBWWWWWWWWWWWWWWWWWWBBK....",
    "....KBBBBBBBBBBBBBBBBBBBBBBK....",
    "....KBBBBBBBBBBBBBBBBBBBBBBK....",
    "....KKKKKKKKKKKKKKKKKKKKKKKK....",
    "................................",
]

# Write: an arrow going down into the card. Black outlines keep it
# readable on the grey button face.
WRITE = [
    "............KKKKKKKK............",
    "............KRRRRRRK............",
    "............KRRRRRRK............",
    "............KRRRRRRK............",
    "............KRRRRRRK............",
    "............KRRRRRRK............",
    ".......KKKKKKRRRRRRKKKKKK.......",
    "........KRRRRRRRRRRRRRRK........",
    ".........KRRRRRRRRRRRRK.........",
    "..........KRRRRRRRRRRK..........",
    "...........KRRRRRRRRK...........",
    "............KRRRRRRK............",
    ".............KRRRRK.............",
    "..............KRRK..............",
    "...............KK...............",
    "......KKKKKKKKKKKKKKKK..........",
    "......KBBBBBBBBBBBBBBBK.........",
    "......KBYoBYoBYoBYoBYoBK........",
    "......KBYoBYoBYoBYoBYoBBK.......",
    "......KBYoBYoBYoBYoBYoBBBK......",
    "......KBYoBYoBYoBYoBYoBBBK......",
    "......KBYoBYoBYoBYoBYoBBBK......",
    "......KBBBBBBBBBBBBBBBBBBK......",
    "......KBBBBBBBBBBBBBBBBBBK......",
    "......KBBWWWWWWWWWWWWWWBBK......",
    "......KBBWWWWWWWWWWWWWWBBK......",
    "......KBBWWWWWWWWWWWWWWBBK......",
    "......KBBWWWWWWWWWWWWWWBBK......",
    "......KBBWWWWWWWWWWWWWWBBK......",
    "......KBBWWWWWWWWWWWWWWBBK......",
    "......KBBBBBBBBBBBBBBBBBBK......",
    "......KKKKKKKKKKKKKKKKKKKK......",
]

# Choose file: an open folder with a document in it.
CHOOSE_FILE = [
    "................................",
    "................................",
    "........KKKKKKKKKKKK............",
    "........KWWWWWWWWWWKK...........",
    "........KWWWWWWWWWWKsK..........",
    "........KWddddddddWKssK.........",
    "........KWWWWWWWWWWKsssK........",
    ".KKKKKKKKWddddddddWKKKKK........",
    ".KooooooKWWWWWWWWWWWWWWK........",
    ".KooooooKWdddddddddddWWK........",
    ".KooooooKWWWWWWWWWWWWWWKKKK.....",
    ".KooooooKWdddddddddddWWKooK.....",
    ".KooooooKWWWWWWWWWWWWWWKooK.....",
    ".KooooooKWdddddddddddWWKooK.....",
    ".KooooooKWWWWWWWWWWWWWWKooK.....",
    ".KooooooKKKKKKKKKKKKKKKKKKKKKKK.",
    ".KoooooKYYYYYYYYYYYYYYYYYYYYYK..",
    ".KoooooKYYYYYYYYYYYYYYYYYYYYYK..",
    ".KooooKYYYYYYYYYYYYYYYYYYYYYYK..",
    ".KooooKYYYYYYYYYYYYYYYYYYYYYK...",
    ".KooooKYYYYYYYYYYYYYYYYYYYYYK...",
    ".KoooKYYYYYYYYYYYYYYYYYYYYYYK...",
    ".KoooKYYYYYYYYYYYYYYYYYYYYYK....",
    ".KooKYYYYYYYYYYYYYYYYYYYYYYK....",
    ".KooKYYYYYYYYYYYYYYYYYYYYYYK....",
    ".KoKYYYYYYYYYYYYYYYYYYYYYYK.....",
    ".KoKYYYYYYYYYYYYYYYYYYYYYYK.....",
    ".KoKYYYYYYYYYYYYYYYYYYYYYYK.....",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKK.....",
    "................................",
    "................................",
    "................................",
]


def ico(rows):
    assert len(rows) == 32 and all(len(r) == 32 for r in rows)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # DIBs are stored bottom-up
        idx = [0 if c == '.' else LEGEND[c] for c in row]
        xor += bytes(idx[i] << 4 | idx[i + 1] for i in range(0, 32, 2))
        bits = int(''.join('1' if c == '.' else '0' for c in row), 2)
        mask += bits.to_bytes(4, 'big')
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    # biHeight counts the XOR image and the AND mask together.
    dib = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 4, 0,
                      len(xor) + len(mask), 0, 0, 16, 0)
    image = dib + pal + bytes(xor) + bytes(mask)
    head = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    return head + entry + image


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources')
    for name, rows in (('Card', CARD), ('Write', WRITE), ('ChooseFile', CHOOSE_FILE)):
        with open(os.path.join(out, name + '.ico'), 'wb') as f:
            f.write(ico(rows))


if __name__ == '__main__':
    main()
