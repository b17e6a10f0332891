#!/usr/bin/env python3
"""Adds a 32 x 32, 256-colour image to res/quillet.ico, made from its 32 x 32
true-colour image: older shells and some dialogs ask for exactly that one."""
import struct
import subprocess
import sys

ico_path = sys.argv[1] if len(sys.argv) > 1 else "res/quillet.ico"
data = open(ico_path, "rb").read()
_, kind, count = struct.unpack("<HHH", data[:6])
entries = [list(struct.unpack("<BBBBHHII", data[6 + 16 * i:22 + 16 * i])) for i in range(count)]
images = [data[e[7]:e[7] + e[6]] for e in entries]
# Drop an earlier 256-colour image, then find the true-colour 32 x 32 one.
keep = [i for i, e in enumerate(entries) if not (e[0] == 32 and e[5] == 8)]
entries = [entries[i] for i in keep]
images = [images[i] for i in keep]
source = next(i for i, e in enumerate(entries) if e[0] == 32 and e[5] == 32)


def magick(*args):
    return subprocess.run(["convert", f"{ico_path}[{source}]", *args], check=True,
                          capture_output=True).stdout


alpha = magick("-alpha", "extract", "-depth", "8", "gray:-")
bmp = magick("-background", "white", "-alpha", "remove", "-colors", "256", "-type", "Palette",
             "-depth", "8", "-compress", "None", "BMP3:-")
offset = struct.unpack("<I", bmp[10:14])[0]
width, height, _, bits, compression = struct.unpack("<iiHHI", bmp[18:34])
if compression != 0:
    raise SystemExit("convert wrote a compressed bitmap")
used = struct.unpack("<I", bmp[46:50])[0] or (1 << bits)
palette = bmp[54:54 + 4 * used] + b"\0" * (4 * (256 - used))
stride = (width * bits + 31) // 32 * 4
rows = []
for y in range(height):  # bottom-up, as the icon wants it too
    row = bmp[offset + y * stride:offset + (y + 1) * stride]
    if bits == 8:
        pixels = list(row[:width])
    elif bits == 4:
        pixels = [(row[x // 2] >> (4 if x % 2 == 0 else 0)) & 15 for x in range(width)]
    else:
        raise SystemExit(f"unexpected {bits}-bit image from convert")
    rows.append(bytes(pixels))
xor = b"".join(rows)
mask = bytearray()
for y in range(height - 1, -1, -1):  # alpha comes top-down
    bitsrow = 0
    for x in range(width):
        bitsrow = bitsrow << 1 | (1 if alpha[y * width + x] < 128 else 0)
    mask += bitsrow.to_bytes(width // 8, "big") + b"\0" * ((4 - width // 8 % 4) % 4)
header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 8, 0, len(xor) + len(mask), 0, 0,
                     256, 0)
image = header + palette + xor + bytes(mask)
entries.insert(source + 1, [32, 32, 0, 0, 1, 8, len(image), 0])
images.insert(source + 1, image)
out = bytearray(struct.pack("<HHH", 0, kind, len(entries)))
position = 6 + 16 * len(entries)
for e, img in zip(entries, images):
    e[6], e[7] = len(img), position
    position += len(img)
    out += struct.pack("<BBBBHHII", *e)
for img in images:
    out += img
open(ico_path, "wb").write(out)
