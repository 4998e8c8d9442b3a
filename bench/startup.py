#!/usr/bin/env python3
"""Cold start to the first painted window and idle resident memory, offscreen.

Runs the program's main window and a bare frameless 1000 x 700 window the same
number of times each and prints min/median of both and the ratios.
usage: bench/startup.py [BUILD_DIR] [RUNS]
"""
import os, statistics, subprocess, sys, tempfile, time

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build", "bench")
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
probe = os.path.join(build, "bench", "startup_probe")

def run(kind, db, env):
    start = time.monotonic_ns()
    out = subprocess.run([probe, kind, db], env=env, capture_output=True, text=True, timeout=60).stdout
    values = dict(line.split("=", 1) for line in out.split() if "=" in line)
    return (int(values["painted_ns"]) - start) / 1e6, int(values["rss_kb"]) / 1024

with tempfile.TemporaryDirectory() as tmp:
    db = os.path.join(tmp, "termovia.sqlite")
    for script in ("schema.sql", "demo-seed.sql"):
        with open(os.path.join(root, "db", "sqlite", script), "rb") as f:
            subprocess.run(["sqlite3", "-bail", db], stdin=f, check=True)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_CONFIG_HOME=os.path.join(tmp, "config"))
    results = {"bare": [], "termovia": []}
    for _ in range(runs):  # interleaved, so both see the same machine load
        for kind in results:
            results[kind].append(run(kind, db, env))

def summary(kind):
    ms = [r[0] for r in results[kind]]
    mb = [r[1] for r in results[kind]]
    return min(ms), statistics.median(ms), min(mb), statistics.median(mb)

b = summary("bare")
t = summary("termovia")
print(f"runs: {runs} each, offscreen")
print(f"bare window : start min {b[0]:.1f} ms, median {b[1]:.1f} ms; RSS min {b[2]:.1f} MB, median {b[3]:.1f} MB")
print(f"termovia    : start min {t[0]:.1f} ms, median {t[1]:.1f} ms; RSS min {t[2]:.1f} MB, median {t[3]:.1f} MB")
print(f"ratio (median start): {t[1] / b[1]:.2f}x   (target <= 3x)")
print(f"RSS difference (median): {t[3] - b[3]:+.1f} MB   (target <= 15 MB)")
