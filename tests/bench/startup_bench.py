#!/usr/bin/python3 -B
"""Start-up benchmark: how long Tolvaren takes from launch until its main
window is on screen, and how much memory it holds a second later, against
bare_window, a Qt program of the same shape with nothing in it.

    startup_bench.py PATH/TO/tolvaren PATH/TO/bare_window [--runs N]

The programs run in turn on a private X server with a private session
bus, so that whatever the machine does meanwhile falls on both alike. Time
is measured from outside, from just before the program is started, twice:
until the X server has a mapped top-level window of the process, and until
that window first shows the picture it still shows a second later (a mapped
window is not yet a drawn one). A second later the resident memory is read,
and the program is stopped to read the processor time it used, threads that
have ended included. Prints medians and the ratios Tolvaren / bare; the
target is at most 1.15 for time and memory.
"""

import argparse
import math
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import xwindows  # noqa: E402

TARGET = 1.15
VISIBLE_LIMIT = 20.0  # seconds; a program that shows nothing by then fails the run
SETTLE = 1.0  # seconds between visible and the memory reading
WATCH = 0.4  # seconds after mapping during which the pixels are read


def start_xvfb(work):
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        pass_fds=(write_fd,), stderr=open(os.path.join(work, "xvfb.log"), "wb"),
    )
    os.close(write_fd)
    with os.fdopen(read_fd) as f:
        number = f.readline().strip()
    if not number:
        raise SystemExit("Xvfb did not start")
    return xvfb, ":" + number


def start_session_bus():
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    address = bus.stdout.readline().strip()
    if not address:
        raise SystemExit("dbus-daemon did not start")
    return bus, address


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS")


def one_run(command, env, display):
    """Returns (seconds until a window is mapped, seconds until it shows its
    first whole picture, resident KiB a second later, processor seconds used
    by then, all threads counted).

    The first whole picture: the window's pixels are read every few
    milliseconds once it is mapped; the first reading that equals the
    window's pixels a second later marks the moment the user sees the window
    as it stays. A mapped window with nothing drawn in it yet does not count
    as shown; one whose pixels never settle counts as never shown (inf)."""
    started = time.perf_counter()
    proc = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    used = math.nan
    try:
        deadline = started + VISIBLE_LIMIT
        while True:
            shown = [(w, width, height) for w, _t, mapped, width, height in display.windows_of(proc.pid) if mapped]
            if shown:
                visible = time.perf_counter() - started
                break
            if proc.poll() is not None:
                raise SystemExit(f"{command} ended with code {proc.returncode} before showing a window")
            if time.perf_counter() > deadline:
                raise SystemExit(f"{command} showed no window within {VISIBLE_LIMIT:.0f} s")
            time.sleep(0.001)
        window, width, height = shown[0]
        readings = []
        while time.perf_counter() - started < visible + WATCH:
            asked = time.perf_counter() - started
            pixels = display.contents(window, width, height)
            readings.append((asked, zlib.crc32(pixels) if pixels else None))
            time.sleep(0.002)
        time.sleep(max(0.0, started + visible + SETTLE - time.perf_counter()))
        rss = resident_kib(proc.pid)
        final = display.contents(window, width, height)
        final_crc = zlib.crc32(final) if final else None
        drawn = next((t for t, crc in readings if crc is not None and crc == final_crc), math.inf)
        # Stopped where it stands, so that its processor time is what the
        # start and one idle second took, threads that have ended included.
        proc.kill()
        _pid, _status, usage = os.wait4(proc.pid, 0)
        proc.returncode = -signal.SIGKILL
        used = usage.ru_utime + usage.ru_stime
    finally:
        if proc.returncode is None:
            proc.kill()
            proc.wait()
    return visible, drawn, rss, used


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("tolvaren")
    parser.add_argument("bare")
    parser.add_argument("--runs", type=int, default=15, help="runs of each program (default 15)")
    parser.add_argument("--warmup", type=int, default=2, help="runs of each not counted (default 2)")
    args = parser.parse_args()
    bare = os.path.abspath(args.bare)
    programs = {"bare_window": [bare], "bare+text": [bare, "--text"], "tolvaren": [os.path.abspath(args.tolvaren)]}

    work = tempfile.mkdtemp(prefix="tolvaren-startup-")
    runtime = os.path.join(work, "runtime")
    os.makedirs(runtime, mode=0o700)
    xvfb, display_name = start_xvfb(work)
    bus, bus_address = start_session_bus()
    env = dict(os.environ)
    for key in ("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "QT_ACCESSIBILITY", "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM"):
        env.pop(key, None)
    env.update(DISPLAY=display_name, DBUS_SESSION_BUS_ADDRESS=bus_address, XDG_RUNTIME_DIR=runtime,
               HOME=work, QT_QPA_PLATFORM="xcb", LC_ALL="C.UTF-8")
    os.environ["DISPLAY"] = display_name

    columns = ("mapped", "drawn", "memory", "processor")
    results = {name: {c: [] for c in columns} for name in programs}
    try:
        with xwindows.connection() as display:
            for i in range(args.warmup + args.runs):
                # Rotate the order, so that none always follows the same one.
                names = list(programs)
                order = names[i % len(names):] + names[: i % len(names)]
                for name in order:
                    mapped, drawn, rss, used = one_run(programs[name], env, display)
                    if i >= args.warmup:
                        for column, value in zip(columns, (mapped * 1000, drawn * 1000, rss / 1024, used * 1000)):
                            results[name][column].append(value)
    finally:
        bus.terminate()
        xvfb.terminate()
        bus.wait()
        xvfb.wait()
    report(results, args)


def report(results, args):
    print(f"{args.runs} runs of each, in turn, after {args.warmup} warm-up runs of each")
    groups = {"mapped": "window mapped after (ms)", "drawn": "first whole picture after (ms)",
              "memory": "resident 1 s later (MiB)", "processor": "processor time by then (ms)"}
    print(f"{'':12} " + "   ".join(f"{g:^28}" for g in groups.values()))
    print(f"{'':12} " + "   ".join(f"{'median':>8} {'min':>9} {'max':>9}" for _ in groups))
    for name, columns in results.items():
        cells = [f"{statistics.median(columns[c]):8.2f} {min(columns[c]):9.2f} {max(columns[c]):9.2f}" for c in groups]
        print(f"{name:12} " + "   ".join(cells))
    unsettled = {name: sum(math.isinf(v) for v in columns["drawn"]) for name, columns in results.items()}
    if any(unsettled.values()):
        print("runs whose pixels did not settle within the watch (counted as never drawn): "
              + ", ".join(f"{name} {n}" for name, n in unsettled.items()))

    def ratio(column, base, of="tolvaren"):
        return statistics.median(results[of][column]) / statistics.median(results[base][column])

    print()
    for column, what in [("mapped", "start-up (window mapped)"), ("drawn", "start-up (first whole picture)"),
                         ("memory", "resident memory")]:
        r = ratio(column, "bare_window")
        verdict = "ok" if r <= TARGET else "ABOVE TARGET"
        print(f"ratio tolvaren/bare_window, {what}: {r:.3f}  {verdict} (target <= {TARGET})")
    print(f"ratio tolvaren/bare_window, processor time in the first second: {ratio('processor', 'bare_window'):.3f}")
    print("against a bare window that shows one line of text (the cost of fonts set aside):")
    for column, what in [("mapped", "window mapped"), ("drawn", "first whole picture"), ("memory", "resident memory"),
                         ("processor", "processor time")]:
        print(f"ratio tolvaren/bare+text, {what}: {ratio(column, 'bare+text'):.3f}")
    print("what one line of text alone costs the bare window:")
    print("ratio bare+text/bare_window: " + ", ".join(
        f"{what} {ratio(column, 'bare_window', of='bare+text'):.3f}"
        for column, what in [("mapped", "window mapped"), ("drawn", "first whole picture"), ("memory", "resident memory")]))


if __name__ == "__main__":
    main()
