#!/usr/bin/env python3
"""Runs lorvane-cli and the peers (Perl, Python and sed chains of replace-all passes) on the
same generated cases, checks that every output is byte-identical to Perl's, and prints wall
time, peak resident memory and each peer's time as a multiple of Lorvane's.

Fair by construction: the machine's load is printed first, every command runs --runs times
(three by default) with Lorvane and the peers alternating, each after a sync so none waits for
another's writes, and the minimum time is reported.
Figures are written into README.md (--readme) only when the load average is at most 0.5 at the
start and other processes kept at most half a core busy on average during the run. The folder
cases move the results of earlier runs aside rather than delete them (see EARLIER_RESULTS)."""

import argparse
import datetime
import glob
import itertools
import json
import os
import re
import shutil
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
    ("eol2 joining (hip mode)", "eol2", 20_000_000, 300),
    ("real-style hip tables on a 5 MB text", "hipreal", 5_000_000, 300),
    ("1,000 files of 5 KB", "many", 5_000_000, 300),
    # The per-file cost of tables with includes: compiled once, folders listed once.
    ("1,000 files of 5 KB, 300 pairs with includes", "manyinc", 5_000_000, 300),
]

QUIET_LOAD = 0.5  # highest one-minute load average at which figures may be published
README_START = "<!-- bench figures: start -->"
README_END = "<!-- bench figures: end -->"


def measure(command, stdout=None, env=None):
    """Runs a command under GNU time; returns (wall seconds, peak resident MiB) of that command
    alone. What earlier commands wrote goes to the disk first (sync), so that no command waits
    for the disk to take another one's output: the peers leave theirs to the kernel, and it
    wrote it back while the next command ran."""
    with tempfile.NamedTemporaryFile("r", suffix=".time") as report:
        os.sync()
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


def lorvane_command(cli, case_dir, info, source, jobs=None):
    # --quiet: the generated tables hold pairs the checker reports; the benchmark's output is
    # its table of figures.
    return ([cli, "--quiet", "--home", os.path.join(case_dir, "home"), "--mode", info["mode"],
             "--table", "table"] + (["--jobs", str(jobs)] if jobs else []) + [source])


def peer_commands(case_dir, info, source, peers):
    """name -> (command, output file, whether the command writes to standard output)."""
    flags = (["--digits"] if info["digits"] else []) + (["--eol2"] if info["eol2"] else [])
    pairs = os.path.join(case_dir, "pairs.txt")
    commands = {}
    if "perl" in peers:
        out = os.path.join(case_dir, "perl.out")
        commands["perl"] = (["perl", os.path.join(HERE, "peers", "chain.pl"), pairs, source, out]
                            + flags, out, False)
    if "python" in peers:
        out = os.path.join(case_dir, "python.out")
        commands["python"] = ([sys.executable, os.path.join(HERE, "peers", "chain.py"), pairs,
                               source, out] + flags, out, False)
    if "sed" in peers and not info["digits"]:
        script = os.path.join(case_dir, "chain.sed")
        subprocess.run([sys.executable, os.path.join(HERE, "peers", "sed-script.py"), pairs,
                        script] + (["--eol2"] if info["eol2"] else []), check=True)
        commands["sed"] = (["sed", "-z", "-f", script, source],
                           os.path.join(case_dir, "sed.out"), True)
    return commands


def timed(runs, order, command_of):
    """Runs every named command `runs` times, alternating them (the order rotates each round),
    and returns name -> (minimum wall seconds, highest peak MiB)."""
    best = {}
    for round_ in range(runs):
        shift = round_ % len(order)
        for name in order[shift:] + order[:shift]:
            seconds, memory = command_of(name)()
            old = best.get(name, (float("inf"), 0.0))
            best[name] = (min(old[0], seconds), max(old[1], memory))
    return best


def run_case(cli, case_dir, info, peers, runs):
    source = os.path.join(case_dir, "source.txt")
    result = os.path.join(case_dir, "source1.txt")
    env = dict(os.environ, LORVANE_NO_OPEN="1")
    commands = peer_commands(case_dir, info, source, peers)

    def command_of(name):
        if name == "lorvane":
            def run():
                if os.path.exists(result):
                    os.unlink(result)
                return measure(lorvane_command(cli, case_dir, info, source), env=env)
            return run
        command, out, to_stdout = commands[name]
        if to_stdout:
            def run():
                with open(out, "wb") as sink:
                    return measure(command, stdout=sink, env=dict(os.environ, LC_ALL="C"))
            return run
        return lambda: measure(command)

    rows = timed(runs, ["lorvane"] + list(commands), command_of)
    outputs = {"lorvane": result}
    outputs.update({name: out for name, (_, out, _) in commands.items()})
    reference = open(outputs.get("perl", outputs["lorvane"]), "rb").read()
    identical = {name: open(path, "rb").read() == reference for name, path in outputs.items()}
    return rows, identical


# Where the results of earlier runs of the folder cases are moved, to be removed when the
# benchmark ends. Removed between runs, they would be timed too: ext4 without a journal (this
# machine's disk) will not give a new file the inode of one deleted moments ago, and walks past
# every such inode, reading its time of deletion, for each file it creates. A thousand results
# deleted just before a run make each of the run's thousand files cost that walk; a folder a
# user converts has no such history.
EARLIER_RESULTS = "earlier-results"
moved_aside = itertools.count()


def many_files_case(cli, case_dir, info, runs):
    """The same text as one file and as about a thousand small ones in one folder; the peers'
    place is taken by the one-file run (rows "one file") and by --jobs 2 (rows "jobs 2")."""
    folder = os.path.join(case_dir, "many")
    sources = sorted(glob.glob(os.path.join(folder, "s?????.txt")))
    env = dict(os.environ, LORVANE_NO_OPEN="1")
    one = os.path.join(case_dir, "source.txt")

    def clean():
        """Moves the results of the last run aside (see EARLIER_RESULTS)."""
        aside = os.path.join(case_dir, EARLIER_RESULTS, str(next(moved_aside)))
        results = [p for p in glob.glob(os.path.join(folder, "*")) if p not in sources]
        if os.path.exists(os.path.join(case_dir, "source1.txt")):
            results.append(os.path.join(case_dir, "source1.txt"))
        if results:
            os.makedirs(aside)
        for path in results:
            os.rename(path, os.path.join(aside, os.path.basename(path)))

    def command_of(name):
        def run():
            clean()
            if name == "one file":
                return measure(lorvane_command(cli, case_dir, info, one), env=env)
            jobs = 2 if name == "jobs 2" else 1
            return measure(lorvane_command(cli, case_dir, info, folder, jobs), env=env)
        return run

    rows = timed(runs, ["lorvane", "one file", "jobs 2"], command_of)
    # Every small result against Perl's chain on its source (outside the timing).
    identical = True
    outputs = {}
    for name in ("jobs 2", "lorvane"):
        clean()
        subprocess.run(lorvane_command(cli, case_dir, info, folder, 2 if name == "jobs 2" else 1),
                       env=env, stdout=subprocess.DEVNULL, check=True)
        outputs[name] = [open(s[:-4] + "1.txt", "rb").read() for s in sources]
    identical = outputs["jobs 2"] == outputs["lorvane"]
    pairs = os.path.join(case_dir, "pairs.txt")
    for source, produced in list(zip(sources, outputs["lorvane"]))[:: max(1, len(sources) // 20)]:
        out = os.path.join(case_dir, "perl-small.out")
        subprocess.run(["perl", os.path.join(HERE, "peers", "chain.pl"), pairs, source, out],
                       check=True)
        identical = identical and open(out, "rb").read() == produced
    clean()
    return rows, {"all": identical}


def load_average():
    return os.getloadavg()[0]


def cpu_seconds():
    """(CPU seconds every process of the machine has used, CPU seconds this benchmark and the
    commands it ran have used), both since boot or start."""
    with open("/proc/stat") as stat:
        fields = [int(x) for x in stat.readline().split()[1:]]
    # user nice system idle iowait irq softirq steal: everything but idle and iowait is work.
    busy = sum(fields[:8]) - fields[3] - fields[4]
    ticks = os.sysconf("SC_CLK_TCK")
    own = sum(os.times()[:4])  # this process and its finished children, user and system
    return busy / ticks, own


def others_load(start, end, seconds):
    """How many cores other processes kept busy on average between two cpu_seconds() samples.
    The load average after a run cannot tell: the benchmark's own commands keep it near one."""
    return max(0.0, (end[0] - start[0]) - (end[1] - start[1])) / max(seconds, 1e-9)


def write_readme(readme, table, load, others):
    text = open(readme, encoding="utf-8").read()
    if README_START not in text or README_END not in text:
        sys.exit(f"{readme} has no {README_START} ... {README_END} block to fill")
    stamp = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
    block = (f"{README_START}\nFigures of {stamp}, one-minute load average {load:.2f} at the "
             f"start, other processes {others:.2f} cores busy on average during the run; each "
             f"time is the minimum of {table['runs']} runs alternating Lorvane and the peers:"
             f"\n\n```\n" + "\n".join(table["lines"]) + f"\n```\n{README_END}")
    text = re.sub(re.escape(README_START) + ".*?" + re.escape(README_END), lambda _: block, text,
                  flags=re.S)
    open(readme, "w", encoding="utf-8").write(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--cli", default=os.path.join(HERE, "..", "build", "bin", "lorvane-cli"))
    parser.add_argument("--data", default=os.path.join(HERE, ".data"))
    parser.add_argument("--scale", type=float, default=1.0, help="multiply every size by this")
    parser.add_argument("--only", help="run only cases whose name contains this text")
    parser.add_argument("--peers", default="perl,python,sed")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--runs", type=int, default=3,
                        help="runs of every command; the minimum time is reported")
    parser.add_argument("--readme", action="store_true",
                        help="write the figures into README.md (refused on a busy machine)")
    parser.add_argument("--ignore-load", action="store_true",
                        help="write README figures even when the load average exceeds "
                             f"{QUIET_LOAD} (exploration only)")
    args = parser.parse_args()
    peers = args.peers.split(",")

    load = load_average()
    started, start_cpu = time.monotonic(), cpu_seconds()
    print(f"load average before starting: {load:.2f} (one minute); "
          f"times are the minimum of {args.runs} alternating runs", flush=True)
    publishable = args.scale == 1.0 and not args.only
    if args.readme and load > QUIET_LOAD and not args.ignore_load:
        sys.exit(f"refusing to write README figures: load average {load:.2f} > {QUIET_LOAD}; "
                 "wait for a quiet machine (or pass --ignore-load to explore)")
    if args.readme and not publishable:
        sys.exit("README figures come from a full run: drop --scale and --only")

    header = (f"{'case':38} {'lorvane':>9} {'MiB':>7} {'budget':>7}  "
              + "  ".join(f"{p:>16}" for p in peers) + "  identical")
    lines = [header]
    print(header)
    failures = 0
    for name, kind, size, pairs in CASES:
        if args.only and args.only not in name:
            continue
        size = max(10_000, int(size * args.scale))
        case_dir = os.path.join(args.data, f"{kind}-{size}-{pairs}-{args.seed}")
        info = prepare(case_dir, kind, size, pairs, args.seed)
        cli = os.path.abspath(args.cli)
        if kind in ("many", "manyinc"):
            rows, identical = many_files_case(cli, case_dir, info, args.runs)
            columns = ["one file", "jobs 2"]
        else:
            rows, identical = run_case(cli, case_dir, info, peers, args.runs)
            columns = peers
        seconds, memory = rows["lorvane"]
        budget = 6 * os.path.getsize(os.path.join(case_dir, "source.txt")) / 2**20 + 50
        cells = []
        if kind in ("many", "manyinc"):
            # The targets: the files sequentially take at most 1.5x one file of their total
            # size, with --jobs 2 at most 0.8x.
            one, two = rows["one file"][0], rows["jobs 2"][0]
            cells.append(f"one file {one:.2f}s: 1 job {seconds / one:.2f}x, "
                         f"--jobs 2 {two:.2f}s = {two / one:.2f}x")
        for column in columns if kind not in ("many", "manyinc") else []:
            if column in rows:
                t = rows[column][0]
                cells.append(f"{t:7.2f}s ({t / seconds:5.1f}x)")
            else:
                cells.append(f"{'n/a':>16}")
        same = all(identical.values())
        failures += (not same) + (memory > budget)
        line = (f"{name:38} {seconds:8.2f}s {memory:7.0f} {budget:7.0f}  " + "  ".join(cells)
                + ("  yes" if same else "  NO: " + ",".join(k for k, v in identical.items()
                                                            if not v)))
        lines.append(line)
        print(line, flush=True)
    others = others_load(start_cpu, cpu_seconds(), time.monotonic() - started)
    for aside in glob.glob(os.path.join(args.data, "*", EARLIER_RESULTS)):
        shutil.rmtree(aside)
    print(f"other processes kept {others:.2f} cores busy on average during the run")
    if args.readme and others > QUIET_LOAD and not args.ignore_load:
        sys.exit(f"not writing README figures: other processes kept {others:.2f} cores busy "
                 "during the run")
    if args.readme:
        write_readme(os.path.join(HERE, "..", "README.md"), {"runs": args.runs, "lines": lines},
                     load, others)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
