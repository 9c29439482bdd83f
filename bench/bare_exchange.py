#!/usr/bin/python3
"""The station's 17-page write and 17-page lock as a bare pyserial loop.

What a user who doubts the station would write: "TOR", the 17 "WD n ..." lines,
"TOR" and the 17 "LD n" lines, each followed by a blocking read up to CR.
Prints the median time of one write+lock in milliseconds, and the failures.

    bare_exchange.py DEVICE [CYCLES]
"""

import statistics
import sys
import time

import serial

PAGES = 17
ANSWER_LIMIT_S = 1.0


def page_digits(page):
    return ("%02X" % page) * 8


def cycle_commands():
    writes = ["WD %d %s" % (page, page_digits(page)) for page in range(1, PAGES + 1)]
    locks = ["LD %d" % page for page in range(1, PAGES + 1)]
    return [b"TOR\r"] + [w.encode() + b"\r" for w in writes] + \
           [b"TOR\r"] + [l.encode() + b"\r" for l in locks]


def run(device, cycles):
    commands = cycle_commands()
    times_ms = []
    failures = 0
    with serial.Serial(device, 115200, timeout=ANSWER_LIMIT_S) as port:
        port.reset_input_buffer()
        for _ in range(cycles):
            start = time.perf_counter()
            for command in commands:
                port.write(command)
                answer = port.read_until(b"\r")
                if command[:1] != b"T" and not answer.startswith(b"ACK"):
                    failures += 1
            times_ms.append((time.perf_counter() - start) * 1000.0)
    return times_ms, failures


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__.strip())
    cycles = int(sys.argv[2]) if len(sys.argv) == 3 else 200
    times_ms, failures = run(sys.argv[1], cycles)
    print("bare script: %d cycles, %d failed answers" % (cycles, failures))
    print("  write+lock: median %.3f ms, min %.3f ms, max %.3f ms"
          % (statistics.median(times_ms), min(times_ms), max(times_ms)))
    return 0 if failures == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
