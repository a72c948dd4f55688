#!/usr/bin/env python3
"""exe-version.py EXE: prints the version resource of a Windows program, one line per string
table entry ("080404b0 ProductVersion 2.9.0"), read back from the file's own bytes."""
import struct
import sys


def node(data, at):
    """One VS_VERSIONINFO node at offset at: (key, value bytes or text, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    key_end = at + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at + 6:key_end].decode("utf-16-le")
    pos = (key_end + 2 + 3) & ~3
    if kind == 1:  # text, counted in characters with its terminating zero
        value = data[pos:pos + 2 * value_length].decode("utf-16-le").rstrip("\0")
        pos += 2 * value_length
    else:
        value = data[pos:pos + value_length]
        pos += value_length
    pos = (pos + 3) & ~3
    children, end = [], at + length
    while pos < end:
        child = node(data, pos)
        children.append(child)
        pos = (child[3] + 3) & ~3
    return key, value, children, end


data = open(sys.argv[1], "rb").read()
start = data.find("VS_VERSION_INFO".encode("utf-16-le")) - 6
if start < 0:
    sys.exit("no version resource")
_, fixed, children, _ = node(data, start)
signature, _, ms, ls = struct.unpack_from("<IIII", fixed)
assert signature == 0xFEEF04BD, "bad fixed file info"
print(f"FILEVERSION {ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")
for key, _, tables, _ in children:
    if key != "StringFileInfo":
        continue
    for language, _, strings, _ in tables:
        for name, value, _, _ in strings:
            print(language, name, value)
