#!/usr/bin/python3
"""The station's write+lock against the bare pyserial script, on the same reader.

Each run starts torvane-reader-sim afresh for each side with the same options,
runs bare_exchange.py and then operations_bench --device against it, unpaced
and paced at 115200 baud, and prints both medians and station / script.

    compare_with_script.py [--build DIR] [--runs N]

DIR is a build folder of the release preset (default build/release).
"""

import argparse
import os
import re
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SIM_OPTIONS = ["--swap-after-lock", "--timing", "10"]
MODES = [("unpaced", [], 200), ("paced at 115200 baud", ["--baud", "115200"], 40)]
MEDIAN = re.compile(r"median ([0-9.]+) ms")
LINE_TIME = re.compile(r"line time of those bytes at \d+ baud: ([0-9.]+) ms")


class Reader:
    """torvane-reader-sim for the length of a with-block."""

    def __init__(self, program, options):
        self.process = subprocess.Popen([program] + options, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True)
        self.device = self.process.stdout.readline().strip()

    def __enter__(self):
        if not self.device:
            sys.exit("torvane-reader-sim did not start")
        return self

    def __exit__(self, *_):
        self.process.stdin.close()
        self.process.terminate()
        self.process.wait()


def run_side(command):
    """The printed output of one side; ends the comparison when the side failed."""
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0 or not MEDIAN.search(result.stdout):
        sys.exit("%s failed:\n%s%s" % (os.path.basename(command[0]), result.stdout,
                                       result.stderr))
    return result.stdout


def figure(pattern, output):
    return float(pattern.search(output).group(1))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build", "release"))
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    sim = os.path.join(args.build, "tools", "reader-sim", "torvane-reader-sim")
    bench = os.path.join(args.build, "bench", "operations_bench")
    script = os.path.join(HERE, "bare_exchange.py")

    for title, pace, cycles in MODES:
        print("%s, %d cycles per side:" % (title, cycles))
        ratios = []
        for run in range(1, args.runs + 1):
            with Reader(sim, SIM_OPTIONS + pace) as reader:
                bare = figure(MEDIAN, run_side([script, reader.device, str(cycles)]))
            with Reader(sim, SIM_OPTIONS + pace) as reader:
                output = run_side([bench, "--device", reader.device, str(cycles)])
            station = figure(MEDIAN, output)
            ratios.append(station / bare)
            print("  run %d: station %.3f ms, script %.3f ms, station / script %.3f"
                  % (run, station, bare, ratios[-1]), end="")
            if pace:
                line = figure(LINE_TIME, output)
                print("; per line time: station %.3f, script %.3f"
                      % (station / line, bare / line), end="")
            print()
        print("  median station / script: %.3f" % statistics.median(ratios))
    return 0


if __name__ == "__main__":
    sys.exit(main())
