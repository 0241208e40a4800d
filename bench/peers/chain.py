#!/usr/bin/env python3
"""The Python chain a user would write: one str.replace per pair, in table order.
Usage: chain.py PAIRS SOURCE OUTPUT [--digits] [--eol2]"""
import re
import sys

pairs_file, source, output, *flags = sys.argv[1:]
pairs = []
with open(pairs_file) as f:
    for line in f:
        s, _, r = line.rstrip("\n").partition(" ")
        pairs.append((bytes.fromhex(s), bytes.fromhex(r)))
with open(source, "rb") as f:
    text = f.read()

LETTERS = [[w.encode("cp1251") for w in row.split()] for row in (
    "а в г д е <f> з и f", "i к л м н <кс> о п q", "р с т v ф х <пс> w ц")]


def numeral(match):
    digits = match.group(1)[-6:]
    result = b""
    for k, c in enumerate(reversed(digits)):
        if c == ord("0"):
            continue
        thousands = k >= 3
        piece = (b"#" if thousands else b"") + LETTERS[k % 3][c - ord("1")] + b"~"
        result = result + piece if piece == b"i~" and not thousands else piece + result
    return result.replace(b"v~", "<у>~".encode("cp1251"))


if "--digits" in flags:
    text = re.sub(rb"([0-9]+)(?=[^0-9])", numeral, text)
for s, r in pairs:
    text = text.replace(s, r)
if "--eol2" in flags:
    text = text.replace(b"\r\n\r\n", b"!%$%$%$%!").replace(b"\r\n", b" ")
    text = text.replace(b"!%$%$%$%!", b"\r\n")
with open(output, "wb") as f:
    f.write(text + b"\r\n")
