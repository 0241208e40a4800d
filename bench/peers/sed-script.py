#!/usr/bin/env python3
"""Writes the sed script a user would write for a table: one s///g per pair with literal bytes,
for GNU sed reading the whole file as one record (sed -z, LC_ALL=C).
Usage: sed-script.py PAIRS SCRIPT [--eol2]"""
import sys

pairs_file, script, *flags = sys.argv[1:]
SPECIAL = b".*[]^$\\/"


def pattern(data):
    out = []
    for b in data:
        if b in SPECIAL:
            out.append("\\" + chr(b))
        elif b < 0x80 and chr(b).isalnum():
            out.append(chr(b))
        else:
            out.append("\\x%02x" % b)
    return "".join(out)


def replacement(data):
    return "".join("\\x%02x" % b for b in data)


lines = []
with open(pairs_file) as f:
    for line in f:
        s, _, r = line.rstrip("\n").partition(" ")
        lines.append(f"s/{pattern(bytes.fromhex(s))}/{replacement(bytes.fromhex(r))}/g")
if "--eol2" in flags:
    lines += ["s/\\x0d\\x0a\\x0d\\x0a/\\x00/g", "s/\\x0d\\x0a/ /g", "s/\\x00/\\x0d\\x0a/g"]
lines.append("s/$/\\x0d\\x0a/")
with open(script, "w") as out:
    out.write("\n".join(lines) + "\n")
