#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Cuts the page's own font: Liberation Serif with only the characters the window shows, without its
hinting, under a family name of its own, as a WOFF2 file.

The SIL Open Font License lets a modified font travel with a program, under its licence and
copyright notices, and reserves the name "Liberation" for the font as published: the cut keeps the
notices (copyright, trademark, designer, licence and its address) and names itself anew.

Usage: subset_font.py <LiberationSerif-Regular.ttf> <characters.txt> <family.txt> <out.woff2>
(hb-subset from libharfbuzz-bin, woff2_compress from woff2.)
"""
import os
import struct
import subprocess
import sys
import tempfile

# The name records kept from the original: copyright, trademark, manufacturer, designer, vendor's and
# designer's addresses, licence and licence address.
KEPT_NAMES = "0,7,8,9,11,12,13,14"


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def read_tables(font):
    count = struct.unpack(">H", font[4:6])[0]
    tables = {}
    for i in range(count):
        tag, _, offset, length = struct.unpack(">4sIII", font[12 + 16 * i:28 + 16 * i])
        tables[tag] = font[offset:offset + length]
    return font[:4], tables


def write_tables(version, tables):
    tags = sorted(tables)
    count = len(tags)
    power = 1
    while power * 2 <= count:
        power *= 2
    search_range = power * 16
    header = version + struct.pack(">HHHH", count, search_range, power.bit_length() - 1,
                                   count * 16 - search_range)
    offset = len(header) + 16 * count
    directory = b""
    body = b""
    for tag in tags:
        data = tables[tag]
        if tag == b"head":
            data = data[:8] + b"\0\0\0\0" + data[12:]
        tables[tag] = data
        directory += struct.pack(">4sIII", tag, checksum(data), offset + len(body), len(data))
        body += data + b"\0" * (-len(data) % 4)
    font = bytearray(header + directory + body)
    # The whole font sums to a known constant, through the head table's adjustment.
    position = offset + sum(len(tables[t]) + (-len(tables[t]) % 4) for t in tags[:tags.index(b"head")])
    adjustment = (0xB1B0AFBA - checksum(bytes(font))) & 0xFFFFFFFF
    font[position + 8:position + 12] = struct.pack(">I", adjustment)
    return bytes(font)


def renamed(name_table, family):
    """The name table with the kept records and the new family's names, in Windows' Unicode."""
    _, count, strings = struct.unpack(">HHH", name_table[:6])
    records = []
    for i in range(count):
        platform, encoding, language, name_id, length, offset = struct.unpack(
            ">HHHHHH", name_table[6 + 12 * i:18 + 12 * i])
        text = name_table[strings + offset:strings + offset + length]
        records.append((platform, encoding, language, name_id, text))
    new_names = {
        1: family,
        2: "Regular",
        3: family + " Regular",
        4: family,
        6: family.replace(" ", ""),
        10: "A cut of Liberation Serif: the characters of the Malvoran window, renamed as the "
            "SIL Open Font License asks.",
    }
    records = [r for r in records if r[3] not in new_names]
    records += [(3, 1, 0x409, name_id, text.encode("utf-16-be")) for name_id, text in new_names.items()]
    records.sort(key=lambda r: r[:4])
    storage = b""
    directory = b""
    for platform, encoding, language, name_id, text in records:
        directory += struct.pack(">HHHHHH", platform, encoding, language, name_id, len(text), len(storage))
        storage += text
    return struct.pack(">HHH", 0, len(records), 6 + len(directory)) + directory + storage


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    source, characters, family_file, output = sys.argv[1:]
    with open(family_file, encoding="utf-8") as file:
        family = file.read().strip()
    with tempfile.TemporaryDirectory(dir=os.path.dirname(os.path.abspath(output))) as scratch:
        cut = os.path.join(scratch, "cut.ttf")
        subprocess.run(["hb-subset", "--font-file=" + source, "--text-file=" + characters,
                        "--no-hinting", "--name-IDs=" + KEPT_NAMES, "--output-file=" + cut], check=True)
        with open(cut, "rb") as file:
            version, tables = read_tables(file.read())
        tables[b"name"] = renamed(tables[b"name"], family)
        named = os.path.join(scratch, "named.ttf")
        with open(named, "wb") as file:
            file.write(write_tables(version, tables))
        compressed = subprocess.run(["woff2_compress", named], capture_output=True, text=True)
        if compressed.returncode != 0:
            sys.exit("subset_font: woff2_compress failed: " + compressed.stdout + compressed.stderr)
        os.replace(os.path.join(scratch, "named.woff2"), output)


if __name__ == "__main__":
    main()
