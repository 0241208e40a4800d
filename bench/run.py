#!/usr/bin/env python3
"""Runs lorvane-cli and the peers (Perl, Python and sed chains of replace-all passes) on the
same generated cases, checks that every output is byte-identical to Perl's, and prints wall
time, peak resident memory and each peer's time as a multiple of Lorvane's."""

import argparse
import json
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))

# name, kind, size in characters, pairs
CASES = [
    ("20MB x 300 pairs", "hip", 20_000_000, 300),
    ("1MB x 3000 pairs", "hip", 1_000_000, 3000),
    ("200MB x 50 pairs", "hip", 200_000_000, 50),
    ("never-occurring pairs", "never", 20_000_000, 300),
    ("numeric search sides", "numeric", 20_000_000, 100),
    ("include-heavy table", "include", 20_000_000, 300),
    (">digits numerals", "digits", 20_000_000, 100),
    # Per-file overhead: the same bytes as the one-file run beside it, cut into 1,000 files.
    ("1,000 files of 5 KB, 300 pairs with includes", "files", 5_000_000, 300),
    ("eol2 joining (hip mode)", "eol2", 20_000_000, 300),
]


def measure(command, stdout=None, env=None):
    """Runs a command under GNU time; returns (wall seconds, peak resident MiB) of that command
    alone."""
    with tempfile.NamedTemporaryFile("r", suffix=".time") as report:
        start = time.perf_counter()
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name] + command,
                       stdout=stdout or subprocess.DEVNULL, env=env, check=True)
        seconds = time.perf_counter() - start
        peak_kib = int(report.read().split()[-1])
    return seconds, peak_kib / 1024


def prepare(case_dir, kind, size, pairs, seed):
    marker = os.path.join(case_dir, "case.json")
    if os.path.exists(marker):
        return json.load(open(marker))
    subprocess.run([sys.executable, os.path.join(HERE, "generate.py"), "--kind", kind,
                    "--size", str(size), "--pairs", str(pairs), "--seed", str(seed),
                    "--out", case_dir], check=True)
    return json.load(open(marker))


def run_folder_case(cli, case_dir, info):
    """Converts the folder of pieces, then the same bytes as one file; the second row is the one
    file's time, and the folder run is compared with it."""
    folder = os.path.join(case_dir, "sources")
    for name in os.listdir(folder):
        if not name.endswith(".src"):
            os.unlink(os.path.join(folder, name))
    env = dict(os.environ, LORVANE_NO_OPEN="1")
    base = [cli, "--home", os.path.join(case_dir, "home"), "--mode", info["mode"], "--table",
            "table", "--quiet"]
    rows = {"lorvane": measure(base + ["--pattern", "*.src", folder], env=env),
            "one file": measure(base + [os.path.join(case_dir, "source.txt")], env=env)}
    return rows, {"lorvane": True}


def run_case(cli, case_dir, info, peers):
    source = os.path.join(case_dir, "source.txt")
    result = os.path.join(case_dir, "source1.txt")
    if os.path.exists(result):
        os.unlink(result)
    env = dict(os.environ, LORVANE_NO_OPEN="1")
    rows = {}
    rows["lorvane"] = measure([cli, "--home", os.path.join(case_dir, "home"), "--mode",
                               info["mode"], "--table", "table", source], env=env)
    outputs = {"lorvane": result}
    flags = (["--digits"] if info["digits"] else []) + (["--eol2"] if info["eol2"] else [])
    pairs = os.path.join(case_dir, "pairs.txt")
    if "perl" in peers:
        out = os.path.join(case_dir, "perl.out")
        rows["perl"] = measure(["perl", os.path.join(HERE, "peers", "chain.pl"), pairs, source,
                                out] + flags)
        outputs["perl"] = out
    if "python" in peers:
        out = os.path.join(case_dir, "python.out")
        rows["python"] = measure([sys.executable, os.path.join(HERE, "peers", "chain.py"), pairs,
                                  source, out] + flags)
        outputs["python"] = out
    if "sed" in peers and not info["digits"]:
        script = os.path.join(case_dir, "chain.sed")
        subprocess.run([sys.executable, os.path.join(HERE, "peers", "sed-script.py"), pairs,
                        script] + (["--eol2"] if info["eol2"] else []), check=True)
        out = os.path.join(case_dir, "sed.out")
        with open(out, "wb") as sink:
            rows["sed"] = measure(["sed", "-z", "-f", script, source], stdout=sink,
                                  env=dict(os.environ, LC_ALL="C"))
        outputs["sed"] = out
    reference = open(outputs.get("perl", outputs["lorvane"]), "rb").read()
    identical = {name: open(path, "rb").read() == reference for name, path in outputs.items()}
    return rows, identical


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--cli", default=os.path.join(HERE, "..", "build", "bin", "lorvane-cli"))
    parser.add_argument("--data", default=os.path.join(HERE, ".data"))
    parser.add_argument("--scale", type=float, default=1.0, help="multiply every size by this")
    parser.add_argument("--only", help="run only cases whose name contains this text")
    parser.add_argument("--peers", default="perl,python,sed")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    peers = args.peers.split(",")

    print(f"{'case':26} {'lorvane':>9} {'MiB':>7} {'budget':>7}  "
          + "  ".join(f"{p:>16}" for p in peers) + "  identical")
    failures = 0
    for name, kind, size, pairs in CASES:
        if args.only and args.only not in name:
            continue
        size = max(10_000, int(size * args.scale))
        case_dir = os.path.join(args.data, f"{kind}-{size}-{pairs}-{args.seed}")
        info = prepare(case_dir, kind, size, pairs, args.seed)
        if kind == "files":
            rows, identical = run_folder_case(os.path.abspath(args.cli), case_dir, info)
        else:
            rows, identical = run_case(os.path.abspath(args.cli), case_dir, info, peers)
        seconds, memory = rows["lorvane"]
        budget = 6 * os.path.getsize(os.path.join(case_dir, "source.txt")) / 2**20 + 50
        cells = []
        if "one file" in rows:
            t = rows["one file"][0]
            cells.append(f"one file {t:7.2f}s (folder {seconds / t:4.1f}x)")
        for peer in peers if "one file" not in rows else []:
            if peer in rows:
                t = rows[peer][0]
                cells.append(f"{t:7.2f}s ({t / seconds:5.1f}x)")
            else:
                cells.append(f"{'n/a':>16}")
        same = all(identical.values())
        failures += (not same) + (memory > budget)
        print(f"{name:26} {seconds:8.2f}s {memory:7.0f} {budget:7.0f}  " + "  ".join(cells)
              + ("  yes" if same else "  NO: " + ",".join(k for k, v in identical.items() if not v)),
              flush=True)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
