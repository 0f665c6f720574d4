#!/usr/bin/env python3
"""The load budget and the whole-process ratio, measured side by side.

  budget.py budget BENCH [BENCH ...] [--repeats N]
      Runs BM_Budget of each vek5_bench binary in turn, N rounds, and prints per save the
      medians of the ISA-L and zlib floors (fresh memory), load, analysis, tabs and the ratio of
      (load + analysis + tabs) to each floor. Binaries of two builds given together are measured
      in the same rounds, so that their figures share the machine's load.

  budget.py process INFLATE_ONLY VEK5 [VEK5 ...] --saves FILE [FILE ...] [--repeats N]
      Times fresh processes, start to exit: vek5_inflate_only FILE against `VEK5 report FILE` and
      `VEK5 json FILE` (output to /dev/null), interleaved, N rounds; prints the medians, the
      ratios to the inflation-only process and each process's peak resident memory. A window
      binary (vek5-analyser) is run with --report and --json.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import time


def run_budget(bench, min_time):
    out = subprocess.run(
        [bench, "--benchmark_filter=BM_Budget", f"--benchmark_min_time={min_time}",
         "--benchmark_format=json"], check=True, capture_output=True, text=True).stdout
    rows = {}
    for b in json.loads(out)["benchmarks"]:
        save = b["name"].split("/")[1]
        rows[save] = b
    return rows


def budget(args):
    results = {bench: [] for bench in args.bench}
    for _ in range(args.repeats):
        for bench in args.bench:
            results[bench].append(run_budget(bench, args.min_time))
    keys = [("floor_isal_ms", "ISA-L"), ("floor_fresh_ms", "zlib"), ("load_ms", "load"),
            ("analyse_ms", "analysis"), ("tabs_ms", "tabs")]
    print(f"medians of {args.repeats} rounds, ms")
    for bench in args.bench:
        print(f"\n{bench}")
        print(f"{'save':32s}" + "".join(f"{name:>9s}" for _, name in keys) +
              f"{'/ISA-L':>9s}{'/zlib':>9s}")
        for save in results[bench][0]:
            med = {k: statistics.median(r[save][k] for r in results[bench]) for k, _ in keys}
            ratio_isal = statistics.median(r[save]["ratio_isal"] for r in results[bench])
            ratio_zlib = statistics.median(r[save]["ratio_fresh"] for r in results[bench])
            print(f"{save:32s}" + "".join(f"{med[k]:9.2f}" for k, _ in keys) +
                  f"{ratio_isal:9.2f}{ratio_zlib:9.2f}")


def timed(cmd):
    """Wall time in ms and peak resident memory in MiB of one fresh process."""
    before = time.perf_counter()
    pid = os.posix_spawn(cmd[0], cmd, os.environ,
                         file_actions=[(os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0)])
    _, status, usage = os.wait4(pid, 0)
    elapsed = (time.perf_counter() - before) * 1000
    if status != 0:
        sys.exit(f"{' '.join(cmd)} failed with status {status}")
    return elapsed, usage.ru_maxrss / 1024


def process(args):
    commands = [("inflate-only", [args.inflate_only])]
    for vek5 in args.vek5:
        # The window binary takes its modes as options.
        dash = "--" if "analyser" in os.path.basename(vek5) else ""
        commands += [(f"{vek5} {dash}report", [vek5, f"{dash}report"]),
                     (f"{vek5} {dash}json", [vek5, f"{dash}json"])]
    print(f"medians of {args.repeats} fresh processes, ms (peak RSS MiB)")
    for save in args.saves:
        times = {name: [] for name, _ in commands}
        peaks = {name: [] for name, _ in commands}
        for _ in range(args.repeats):
            for name, cmd in commands:
                t, rss = timed(cmd + [save])
                times[name].append(t)
                peaks[name].append(rss)
        floor = statistics.median(times["inflate-only"])
        print(f"\n{os.path.basename(save)}")
        for name, _ in commands:
            med = statistics.median(times[name])
            print(f"  {name:60s} {med:8.1f} ms  x{med / floor:5.2f}  ({max(peaks[name]):6.1f} MiB)")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="what", required=True)
    b = sub.add_parser("budget")
    b.add_argument("bench", nargs="+")
    b.add_argument("--repeats", type=int, default=5)
    b.add_argument("--min-time", type=float, default=1.0)
    p = sub.add_parser("process")
    p.add_argument("inflate_only")
    p.add_argument("vek5", nargs="+")
    p.add_argument("--saves", nargs="+", required=True)
    p.add_argument("--repeats", type=int, default=21)
    args = parser.parse_args()
    for name in ("bench", "vek5"):
        if hasattr(args, name):
            setattr(args, name, [os.path.abspath(path) for path in getattr(args, name)])
    if hasattr(args, "inflate_only"):
        args.inflate_only = os.path.abspath(args.inflate_only)
    budget(args) if args.what == "budget" else process(args)


if __name__ == "__main__":
    main()
