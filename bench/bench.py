#!/usr/bin/env python3
"""Times qovctl read / write --defaults against qov-sim with 2400-baud byte
timing, and the window's start-up, and compares them with the protocol's floor."""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

BYTE_MS = 10 * 1000 / 2400          # one byte on the wire: 10 bits at 2400 baud
OPEN_MS = 250 + 250 + 500           # power cycle (two 250 ms pauses) and the wait after it
GREETING_MS = 500                   # one look at the greeting after 500 ms
VERSION_MS = 300                    # one look at the version answer after 300 ms
LOCATIONS = 20
READ_BYTES = 3 + 1                  # "R" L 0, one byte back
WRITE_BYTES = (3 + 1) + READ_BYTES  # "W" L V, acknowledgement, then a read-back


def floor_ms(per_location_bytes):
    fixed = OPEN_MS + GREETING_MS + VERSION_MS
    return fixed + LOCATIONS * per_location_bytes * BYTE_MS


def run_measured(cmd, env):
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(proc.pid, 0)
    wall = (time.perf_counter() - start) * 1000
    out = proc.stdout.read().decode(errors="replace")
    err = proc.stderr.read().decode(errors="replace")
    code = os.waitstatus_to_exitcode(status)
    cpu = (usage.ru_utime + usage.ru_stime) * 1000
    return {"wall": wall, "cpu": cpu, "rss_mb": usage.ru_maxrss / 1024, "code": code,
            "out": out, "err": err}


def measure_startup(qovprog, env):
    """Launch to "shown" (the window prints a line once it is on screen), and peak memory."""
    start = time.perf_counter()
    proc = subprocess.Popen([qovprog], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            text=True)
    shown = None
    for line in proc.stdout:
        if line.startswith("shown"):
            shown = (time.perf_counter() - start) * 1000
            break
    proc.stdout.close()
    _, status, usage = os.wait4(proc.pid, 0)
    if shown is None:
        sys.exit("qovprog did not report being shown (exit %d)" % os.waitstatus_to_exitcode(status))
    return shown, usage.ru_maxrss / 1024


def summary(values):
    med = statistics.median(values)
    return med, (max(values) - min(values))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build")
    ap.add_argument("--runs", type=int, default=5)
    args = ap.parse_args()
    build = os.path.abspath(args.build)
    qovctl = os.path.join(build, "qovctl")
    qovsim = os.path.join(build, "qov-sim")
    qovprog = os.path.join(build, "qovprog")

    with tempfile.TemporaryDirectory(prefix="qov-bench-") as tmp:
        cfg = os.path.join(tmp, "config")
        os.makedirs(cfg)
        with open(os.path.join(cfg, "QOVPROGSOFT.conf"), "w") as f:
            f.write("[V2]\nFIRSTLOAD=False\nPROGTYPE=1\nCOMPORT=1\n"
                    "ISQOVSELFPOWERED=False\nFORCEPOWER=False\n")
        env = dict(os.environ, QOV_PORT_DIR=tmp, XDG_CONFIG_HOME=cfg,
                   QT_QPA_PLATFORM="offscreen")
        link = os.path.join(tmp, "COM1")
        sim = subprocess.Popen([qovsim, "--link", link, "--byte-timing", "--latency", "0"],
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        try:
            line = sim.stdout.readline()
            if "serving" not in line:
                sys.exit("qov-sim did not start: " + line)
            results = {}
            for name, cmd in (("read", [qovctl, "read"]),
                              ("write", [qovctl, "write", "--defaults"])):
                runs = []
                for _ in range(args.runs):
                    r = run_measured(cmd, env)
                    if r["code"] != 0:
                        sys.exit(f"qovctl {name} failed ({r['code']}): {r['err'].strip()}")
                    runs.append(r)
                results[name] = runs
            startup = []
            for _ in range(args.runs):
                startup.append(measure_startup(qovprog, dict(env, QOV_BENCH_EXIT_AFTER_SHOW="1")))
        finally:
            sim.terminate()
            sim.wait(timeout=10)

    floors = {"read": floor_ms(READ_BYTES), "write": floor_ms(WRITE_BYTES)}
    print(f"floor = open {OPEN_MS} ms + greeting {GREETING_MS} ms + version {VERSION_MS} ms"
          f" + 20 locations x bytes x {BYTE_MS:.2f} ms/byte")
    print(f"  read : 20 x {READ_BYTES} bytes -> {floors['read']:.0f} ms")
    print(f"  write: 20 x {WRITE_BYTES} bytes -> {floors['write']:.0f} ms")
    print()
    print(f"{'measure':34} {'median':>10} {'spread':>10} {'target':>10}")
    ratios = {}
    cpu_shares = []
    for name in ("read", "write"):
        walls = [r["wall"] for r in results[name]]
        med, spread = summary(walls)
        ratios[name] = med / floors[name]
        print(f"{'qovctl ' + name + ' wall (ms)':34} {med:10.0f} {spread:10.0f} {'':>10}")
        print(f"{'qovctl ' + name + ' / floor':34} {ratios[name]:10.3f} {'':>10} {'<= 1.03':>10}")
        shares = [100 * r["cpu"] / r["wall"] for r in results[name]]
        cpu_shares += shares
        med, spread = summary(shares)
        print(f"{'qovctl ' + name + ' cpu/wall (%)':34} {med:10.2f} {spread:10.2f} {'<= 5':>10}")
    rss = [r["rss_mb"] for r in results["read"]]
    med, spread = summary(rss)
    print(f"{'qovctl read peak memory (MB)':34} {med:10.1f} {spread:10.1f} {'< 40':>10}")
    med, spread = summary([s for s, _ in startup])
    print(f"{'window shown after launch (ms)':34} {med:10.0f} {spread:10.0f} {'<= 500':>10}")
    med, spread = summary([m for _, m in startup])
    print(f"{'window peak memory (MB)':34} {med:10.1f} {spread:10.1f} {'< 80':>10}")
    print()
    print(f"read/floor={ratios['read']:.3f} write/floor={ratios['write']:.3f} "
          f"cpu={statistics.median(cpu_shares):.1f}%")


if __name__ == "__main__":
    main()
