#!/usr/bin/env python3
"""Generates a benchmark case: a hip-like source text, a Lorvane program folder with the table,
and the same pairs as a plain list for the peer scripts. Deterministic for a given seed."""

import argparse
import json
import os
import random

CP = "cp1251"

LETTERS = list("абвгдежзийклмнопрстуфхцчшщъыьэюяАБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЫЭЮЯ") + list("fiqvw")
MARKS = list("~'`^\"=")
SEQUENCES = ["<кс>", "<пс>", "<f>", "<у>", "<_>", "оу", "Оу", "ъи", "кс", "пс", "ст", "тв"]
PUNCT = [" ", " ", " ", " ", " ", ", ", ". ", ": ", "; ", "! "]


def word(rng):
    out = []
    for _ in range(rng.randint(1, 9)):
        if rng.random() < 0.07:
            out.append(rng.choice(SEQUENCES))
        else:
            out.append(rng.choice(LETTERS))
        if rng.random() < 0.12:
            out.append(rng.choice(MARKS))
    return "".join(out)


def hip_text(rng, size, digits=False):
    """Lines of about 70 characters ending in CR LF, paragraphs separated by an empty line."""
    parts, length, line = [], 0, 0
    while length < size:
        piece = word(rng) + rng.choice(PUNCT)
        if digits and rng.random() < 0.35:
            piece = str(rng.randint(0, 99999)) + rng.choice(PUNCT)
        parts.append(piece)
        length += len(piece)
        line += len(piece)
        if line > 70:
            parts.append("\r\n\r\n" if rng.random() < 0.15 else "\r\n")
            length += 2
            line = 0
    parts.append("\r\n")
    return "".join(parts)


def font_byte(rng):
    return bytes([rng.randint(0x80, 0xFF)]).decode(CP, errors="surrogateescape")


def literal_pairs(rng, text, count):
    """Multi-letter sequences first, then letter+mark pairs, then single letters, as a real
    table orders them; search sides are drawn from the text so that most of them occur."""
    pairs, seen = [], set()
    sample = text[: 2_000_000]

    def add(search, replacement):
        if search in seen or not search or search[0] in "0123456789+-.& \t":
            return
        if (search + " == ").find(" == ") != len(search):  # the line must split where intended
            return
        if "\r" in search or "\n" in search:
            return
        seen.add(search)
        pairs.append((search, replacement))

    multi, marked = count * 4 // 10, count * 3 // 10
    for seq in SEQUENCES:
        if len(pairs) < multi:
            add(seq, font_byte(rng) + font_byte(rng))
    while len(pairs) < multi:
        at = rng.randrange(0, max(1, len(sample) - 4))
        add(sample[at: at + rng.randint(2, 4)], font_byte(rng) * rng.randint(1, 2))
    for letter in LETTERS:
        for mark in MARKS:
            if len(pairs) < multi + marked:
                add(letter + mark, font_byte(rng))
    singles = LETTERS + MARKS + list("<>_")
    rng.shuffle(singles)
    for letter in singles:
        if len(pairs) < count:
            add(letter, font_byte(rng))
    while len(pairs) < count:  # large tables: more sequences drawn from the text
        at = rng.randrange(0, max(1, len(sample) - 6))
        add(sample[at: at + rng.randint(2, 6)], font_byte(rng))
    return pairs


def never_pairs(rng, count):
    absent = "ЁёЂЃЉЊЌЋЏђѓљњќћџЎўЈҐґЄєЇїІі"
    pairs, seen = [], set()
    while len(pairs) < count:
        search = "".join(rng.choice(absent) for _ in range(rng.randint(1, 3)))
        if search not in seen:
            seen.add(search)
            pairs.append((search, font_byte(rng)))
    return pairs


def table_line(search, replacement):
    return f"{search} == {replacement}\r\n"


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.encode(CP, errors="surrogateescape"))


def write_pairs(path, pairs):
    with open(path, "w") as f:
        for search, replacement in pairs:
            s = search.encode(CP, errors="surrogateescape").hex()
            r = replacement.encode(CP, errors="surrogateescape").hex()
            f.write(f"{s} {r}\n")


def real_style_lines(lines, folder):
    """A table laid out as real ones are: pairs of its own between includes that hold the rest
    (letters with marks, single letters, ...), applied in the same order as the flat list."""
    out, chunk = [], max(1, len(lines) // 9)
    pieces = [lines[i: i + chunk] for i in range(0, len(lines), chunk)]
    for i, piece in enumerate(pieces):
        if i % 2 == 0:
            out += piece
        else:
            name = f"@part{i}.txt"
            write(os.path.join(folder, name), "// * include of the real-style table\r\n"
                  + "".join(piece))
            out.append(f">go{name}\r\n")
    return out


def write_many(folder, text, piece=5_000):
    """The text cut at line ends into files of about `piece` characters, numbered in order."""
    os.makedirs(folder, exist_ok=True)
    start, number = 0, 0
    while start < len(text):
        end = text.find("\r\n", start + piece)
        end = len(text) if end < 0 else end + 2
        write(os.path.join(folder, f"s{number:05d}.txt"), text[start:end])
        start, number = end, number + 1


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--kind", default="hip",
                        choices=["hip", "never", "numeric", "include", "digits", "eol2",
                                 "hipreal", "many"])
    parser.add_argument("--size", type=int, default=20_000_000, help="source size in characters")
    parser.add_argument("--pairs", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    rng = random.Random(args.seed)

    text = hip_text(rng, args.size, digits=args.kind in ("digits", "hipreal"))
    mode = "hipbench" if args.kind in ("eol2", "hipreal") else "bench"
    folder = os.path.join(args.out, "home", "@" + mode)
    lines = []
    if args.kind == "never":
        pairs = never_pairs(rng, args.pairs)
    elif args.kind == "numeric":
        codes = sorted({b for b in text.encode(CP)[:100000] if b > 32 and b != 0x3D})
        pairs = [(bytes([c]).decode(CP), font_byte(rng) + font_byte(rng)) for c in codes]
        pairs = pairs[: args.pairs]
        lines = [table_line(str(bytes(s, CP)[0]), r) for s, r in pairs]
    else:
        pairs = literal_pairs(rng, text, args.pairs)
    if not lines:
        lines = [table_line(s, r) for s, r in pairs]

    if args.kind == "include":
        chunk = max(1, len(lines) // 6)
        groups = [lines[i: i + chunk] for i in range(0, len(lines), chunk)]
        for i, group in enumerate(groups):
            write(os.path.join(folder, f"@inc{i}.txt"), "".join(group))
        lines = [f">go@inc{i}.txt\r\n" for i in range(len(groups))]
    if args.kind == "hipreal":
        lines = real_style_lines(lines, folder)
    if args.kind in ("digits", "hipreal"):
        lines = [">digits 1\r\n"] + lines
    lines = ["// generated benchmark table\r\n", ">extent txt\r\n"] + lines
    if args.kind not in ("eol2", "hipreal"):
        lines.insert(1, ">noteol2\r\n")
    write(os.path.join(folder, "table.txt"), "".join(lines))
    write(os.path.join(args.out, "source.txt"), text)
    if args.kind == "many":
        write_many(os.path.join(args.out, "many"), text)
    write_pairs(os.path.join(args.out, "pairs.txt"), pairs)
    with open(os.path.join(args.out, "case.json"), "w") as f:
        json.dump({"kind": args.kind, "mode": mode, "size": len(text), "pairs": len(pairs),
                   "digits": args.kind in ("digits", "hipreal"),
                   "eol2": args.kind in ("eol2", "hipreal")}, f)


if __name__ == "__main__":
    main()
