#!/usr/bin/env python3
"""Builds the fixed-pitch fonts of the ASCII (OEM) view.

The text box holds the document in the ANSI code page, and on Wine no face carries the
OEM glyphs. Each font made here is DejaVu Sans Mono with its character map changed so
that the character an ANSI byte stands for is drawn with the glyph that byte has in the
OEM code page: box drawing, blocks and (under 866) Cyrillic show as a console shows them,
while the text itself never changes. One font for each pair of code pages.

usage: make-oem-fonts.py SOURCE.ttf OUTDIR ANSI-OEM...   (e.g. 1252-437 1251-866)
"""
import struct
import sys


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def read_tables(font):
    count = struct.unpack(">H", font[4:6])[0]
    tables = {}
    for i in range(count):
        tag, _, offset, length = struct.unpack(">4sIII", font[12 + 16 * i:28 + 16 * i])
        tables[tag] = font[offset:offset + length]
    return tables


def unicode_map(cmap):
    """Code point to glyph of the Windows Unicode (3,1) format 4 subtable."""
    count = struct.unpack(">H", cmap[2:4])[0]
    for i in range(count):
        platform, encoding, offset = struct.unpack(">HHI", cmap[4 + 8 * i:12 + 8 * i])
        if (platform, encoding) == (3, 1):
            break
    else:
        raise SystemExit("no Windows Unicode character map")
    t = cmap[offset:]
    n = struct.unpack(">H", t[6:8])[0] // 2
    ends = struct.unpack(">%dH" % n, t[14:14 + 2 * n])
    starts = struct.unpack(">%dH" % n, t[16 + 2 * n:16 + 4 * n])
    deltas = struct.unpack(">%dh" % n, t[16 + 4 * n:16 + 6 * n])
    ranges = 16 + 6 * n
    result = {}
    for i in range(n):
        ro = struct.unpack(">H", t[ranges + 2 * i:ranges + 2 * i + 2])[0]
        for c in range(starts[i], ends[i] + 1):
            if c == 0xFFFF:
                continue
            if ro == 0:
                g = (c + deltas[i]) & 0xFFFF
            else:
                at = ranges + 2 * i + ro + 2 * (c - starts[i])
                g = struct.unpack(">H", t[at:at + 2])[0]
                g = (g + deltas[i]) & 0xFFFF if g else 0
            if g:
                result[c] = g
    return result


def format4(mapping):
    segments = []
    for c in sorted(mapping):
        g = mapping[c]
        if segments and segments[-1][1] + 1 == c and (segments[-1][2] + c - segments[-1][0]) == g:
            segments[-1][1] = c
        else:
            segments.append([c, c, g])
    segments.append([0xFFFF, 0xFFFF, 1])
    n = len(segments)
    search = 2 ** (n.bit_length() - 1)
    body = struct.pack(">HHHH", 2 * n, 2 * search, search.bit_length() - 1, 2 * n - 2 * search)
    body += struct.pack(">%dH" % n, *[s[1] for s in segments]) + b"\0\0"
    body += struct.pack(">%dH" % n, *[s[0] for s in segments])
    body += struct.pack(">%dH" % n, *[(s[2] - s[0]) & 0xFFFF for s in segments])
    body += struct.pack(">%dH" % n, *([0] * n))
    sub = struct.pack(">HHH", 4, 6 + len(body), 0) + body
    return struct.pack(">HHHHI", 0, 1, 3, 1, 12) + sub


def name_table(family):
    names = {
        0: "Glyphs from DejaVu Sans Mono (Bitstream Vera licence); character map changed.",
        1: family, 2: "Regular", 3: family + " 1.0", 4: family, 5: "Version 1.0",
        6: family.replace(" ", ""),
    }
    records, storage = b"", b""
    for name_id, text in sorted(names.items()):
        data = text.encode("utf-16-be")
        records += struct.pack(">HHHHHH", 3, 1, 0x409, name_id, len(data), len(storage))
        storage += data
    return struct.pack(">HHH", 0, len(names), 6 + 12 * len(names)) + records + storage


def decode(byte, codepage):
    try:
        return ord(bytes([byte]).decode("cp%d" % codepage))
    except UnicodeDecodeError:
        return byte  # unassigned bytes come through as the code point of the same number


def build(source, ansi, oem):
    tables = read_tables(source)
    mapping = unicode_map(tables[b"cmap"])
    original = dict(mapping)
    for b in range(0x80, 0x100):
        glyph = original.get(decode(b, oem))
        if glyph:
            mapping[decode(b, ansi)] = glyph
    tables[b"cmap"] = format4(mapping)
    tables[b"name"] = name_table("Quillet Terminal %d-%d" % (ansi, oem))
    for dropped in (b"DSIG", b"LTSH", b"hdmx", b"VDMX"):
        tables.pop(dropped, None)
    head = bytearray(tables[b"head"])
    head[8:12] = b"\0\0\0\0"
    tables[b"head"] = bytes(head)

    tags = sorted(tables)
    n = len(tags)
    search = 2 ** (n.bit_length() - 1)
    out = struct.pack(">IHHHH", 0x00010000, n, 16 * search, search.bit_length() - 1,
                      16 * n - 16 * search)
    offset = 12 + 16 * n
    data = b""
    for tag in tags:
        t = tables[tag]
        out += struct.pack(">4sIII", tag, checksum(t), offset + len(data), len(t))
        data += t + b"\0" * (-len(t) % 4)
    font = bytearray(out + data)
    head_at = 0
    # head's checksum adjustment makes the whole file sum to the magic number.
    for i, tag in enumerate(tags):
        if tag == b"head":
            head_at = struct.unpack(">I", font[12 + 16 * i + 8:12 + 16 * i + 12])[0]
    adjust = (0xB1B0AFBA - checksum(bytes(font))) & 0xFFFFFFFF
    font[head_at + 8:head_at + 12] = struct.pack(">I", adjust)
    return bytes(font)


def main():
    source, outdir, pairs = sys.argv[1], sys.argv[2], sys.argv[3:]
    with open(source, "rb") as f:
        data = f.read()
    for pair in pairs:
        ansi, oem = (int(x) for x in pair.split("-"))
        with open("%s/QuilletTerminal-%d-%d.ttf" % (outdir, ansi, oem), "wb") as f:
            f.write(build(data, ansi, oem))


if __name__ == "__main__":
    main()
