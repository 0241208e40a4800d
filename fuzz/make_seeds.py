#!/usr/bin/env python3
"""Writes the seed inputs of every fuzz target into fuzz/corpus/<target>/seed-*, built from the
bundled program folder (tables, includes, scheme, template, sample texts) and a few hand-made
cases. Run it again after the bundle changes; inputs found by fuzzing live beside the seeds."""

import pathlib
import re

FUZZ = pathlib.Path(__file__).resolve().parent
BUNDLE = FUZZ.parent / "bundle"


def cp1251(text):
    return text.encode("cp1251")


def tables():
    for mode in sorted(BUNDLE.glob("@*")):
        for table in sorted(mode.glob("*.txt")):
            yield mode.name, table


SAMPLES = [p.read_bytes() for p in sorted((BUNDLE / "samples").glob("*.txt"))]

HAND_LINES = [
    ">charset 204\r\n>CHARSET 161\r\n>charset abc\r\n>charset204\r\n>fontsize 12.5\r\n>fontsize 40000\r\n",
    ">fontface   Arial  \r\n>extent rtf\r\n>prae a == b\r\n>post ]\r\n  >EOL2  \r\n>noteol2\r\n",
    ">digits 1\r\n>digits 3\r\n>digits 12\r\n>digitsfoo 0\r\n>digits\r\n",
    "49 == x\r\n9 == <tab>\r\n300 == y\r\n2nd == z\r\n0 == o\r\n == nothing\r\na == b == c\r\nab == \r\n",
    ">script reflow.vbs\r\n>script0 again\r\n>script xfail\r\n>script1 doc.vbs\r\n>script2 markup\r\n",
    "a == aa\r\nb == a\r\nc == \u4e2d\r\nkk == k\r\n<кс> == x\r\nк == k\r\n",
    ">go@missing.txt\r\n>go@hip\\@common.txt\r\n// a == b\r\n// * a == c\r\n",
]


def write(target, name, data):
    folder = FUZZ / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / ("seed-" + name)).write_bytes(data)


def table_lines():
    for i, (mode, table) in enumerate(tables()):
        write("table_lines", "%s-%d" % (mode[1:], i), table.read_bytes() + b"\0" + SAMPLES[i % len(SAMPLES)])
    for i, lines in enumerate(HAND_LINES):
        text = "ch. 12, v. 3 and 1999 more\r\naab\tkk<кс>\r\n\r\n"
        write("table_lines", "hand-%d" % i, lines.encode("cp1251", "replace") + b"\0" + cp1251(text))
        write("table_lines", "hand-utf8-%d" % i,
              b"\xef\xbb\xbf" + lines.encode("utf-8") + b"\0" + "abc \u4e2d \u0130 12 ".encode("utf-8"))


def includes_of(table_bytes, mode):
    """The include files a table names, as "name\\n content" sections."""
    sections = []
    for name in re.findall(rb">go@([^\r\n]*)", table_bytes):
        name = name.replace(b"\\", b"/")
        path = (BUNDLE / mode / name.decode("cp1251")) if b"/" not in name else BUNDLE / name.decode("cp1251")
        if path.exists():
            header = name if b"/" in name else name
            sections.append(header + b"\n" + path.read_bytes())
    return sections[:6]


def table_includes():
    for i, (mode, table) in enumerate(tables()):
        if table.name.startswith("@"):
            continue
        data = table.read_bytes()
        parts = [data, SAMPLES[i % len(SAMPLES)]] + includes_of(data, mode)
        write("table_includes", "%s-%d" % (mode[1:], i), b"\0".join(parts))
    hand = {
        "self": [b">go@self.txt\r\na == b\r\n", b"aaa\r\n", b"@self.txt\n>go@self.txt\r\n>go@self.txt\r\nb == c\r\n"],
        "cycle": [b">go@ping.txt\r\n", b"xyz\r\n", b"@ping.txt\n>go@pong.txt\r\nx == y\r\n",
                  b"@pong.txt\n>go@ping.txt\r\ny == z\r\n"],
        "folder": [b">go@grk\\@tab.txt\r\n>go@/../../etc/passwd\r\n", b"abc\r\n", b"@grk/@tab.txt\nabc == d\r\n"],
        "scripts": [b">script rpl3\r\n>script table @m\\@x.txt\r\n>script0 rpl3 again\r\na == b\r\n", b"aaa\r\n",
                    b"@x.txt\n>script table @m\\@x.txt\r\nb == c\r\n"],
        "settings": [b">extent htm\r\n>fontface Face\r\n>fontsize 14\r\n>charset 204\r\n>prae [\r\n>post ]\r\n",
                     b"a\r\nb\r\n\r\nc\r\n"],
        "rtf": [b">extent .rtf\r\n>eol2\r\n>digits 3\r\n", b"{a}\\b 12 \r\n\r\n"],
    }
    for name, parts in hand.items():
        write("table_includes", "hand-" + name, b"\0".join(parts))


def leading_number():
    for i, text in enumerate(["12 3abc", "abc", "&H1F", "&hff", "&O17", "&o9", "-1.5e3", " 1\t2\n. 5",
                              "32767.5", "32768.5", "-32768.5", "1e400", "-1e400", ".5", "5.", "+.e1",
                              "1e+", "2147483647.5", "0.5", "1.5", "2.5", "&", "12\u0430"]):
        write("leading_number", "hand-%d" % i, cp1251(text))


def numerals():
    texts = ["ch. 12, v. 3 and more", "page 7", "1234567 ", "007 ", "0 ", "11 12 19 400 404 1000 1234 11000 ",
             "7a", "2147483648 ", "99999999999 "]
    for mode in range(4):
        for i, text in enumerate(texts):
            write("numerals", "mode%d-%d" % (mode, i), bytes([mode]) + cp1251(text))
        write("numerals", "mode%d-greek" % mode, bytes([mode | 0x80]) + SAMPLES[0])
    write("numerals", "mode-odd", bytes([0x40 | 40]) + cp1251("12 "))


def line_ends():
    for i, text in enumerate([b"a\nb", b"a\rb", b"a\n\rb", b"a\r\n\r\nb", b"\r\r\n\n\r", b"  \n \n", b""]):
        write("line_ends", "hand-%d" % i, text)
    for i, sample in enumerate(SAMPLES):
        write("line_ends", "sample-%d" % i, sample)


def scheme_segments():
    scheme = next(BUNDLE.glob("r@*.txt")).read_bytes()
    for i, sample in enumerate(SAMPLES):
        write("scheme_segments", "bundle-%d" % i, scheme + b"\0" + sample)
    write("scheme_segments", "hand-markers",
          cp1251("<g> == T1\r\nDEFAULT == <l>\r\n<l> == T2\r\n == empty\r\nab == x == y\r\nb == z\r\nlast") +
          b"\0" + cp1251("x<g>y<l>z\x01ab<g>"))


def user_format():
    template = (BUNDLE / "format" / "xml.txt").read_bytes()
    for i, sample in enumerate(SAMPLES):
        write("user_format", "xml-%d" % i, b"\0".join([b"xml", template, sample, cp1251("Face")]))
    write("user_format", "htm", b"\0".join([b"htm", b"", SAMPLES[0], b"Times New Roman"]))
    write("user_format", "rtf", b"\0".join([b"rtf", b"", b"{\\}\r\nx\r\n", b""]))
    write("user_format", "script", b"\0".join([b"Xyz", cp1251("!!<br>[%p]\r\n<b>[%Файл=mark]</b>[%файл][%CHARSET]"),
                                              b"a\r\nb\r\n", b"F"]))
    write("user_format", "unclosed", b"\0".join([b"q", cp1251("[%Файл=never closed"), b"a", b""]))
    write("user_format", "short", b"\0".join([b"s", cp1251("[%Файл]"), b"a", b""]))


def scripts():
    tests = FUZZ.parent / "tests" / "scripting" / "scripts"
    sources = sorted(tests.glob("*.vbs")) + sorted((BUNDLE / "Scripts").glob("*.vbs"))
    for target in ("vbs_lexer", "vbs_parser", "vbs_evaluator"):
        for script in sources:
            write(target, script.stem, script.read_bytes())
        write(target, "hand-output", cp1251(
            'Sub Main\r\n  t = X()\r\n  t = ToSlv(12, 0) & ToGrk("12") & ToRom(1999, 1)\r\n'
            '  t = t & Table(t, "@hip\\t.txt") & Rpl3("abc")\r\n  Send t\r\nEnd Sub\r\n'))


if __name__ == "__main__":
    for make in (table_lines, table_includes, leading_number, numerals, line_ends, scheme_segments, user_format,
                 scripts):
        make()
