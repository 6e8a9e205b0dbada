#!/usr/bin/python3 -B
"""Start-up benchmark: how long Tolvaren takes from launch until its main
window is on screen, and how much memory it holds a second later, against
bare_window, a Qt program of the same shape with nothing in it.

    startup_bench.py PATH/TO/tolvaren PATH/TO/bare_window [--runs N]

The programs run in turn on a private X server with a private session
bus, so that whatever the machine does meanwhile falls on both alike. The
time is measured from outside: from just before the program is started
until the X server shows a mapped top-level window of its process. Prints
medians and the ratios Tolvaren / bare; the target is at most 1.15 for both.
"""

import argparse
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import xwindows  # noqa: E402

TARGET = 1.15
VISIBLE_LIMIT = 20.0  # seconds; a program that shows nothing by then fails the run
SETTLE = 1.0  # seconds between visible and the memory reading


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


def cpu_seconds(pid):
    """Processor time the process has used so far, all its threads, from the
    scheduler's nanosecond counters: less disturbed than the wall clock by
    whatever else the machine runs."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass
    return total / 1e9


def one_run(command, env, display):
    """Returns (seconds until a window is mapped, processor seconds used by
    then, resident KiB a second later)."""
    started = time.perf_counter()
    proc = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        deadline = started + VISIBLE_LIMIT
        while True:
            if any(mapped for _w, _t, mapped, *_ in display.windows_of(proc.pid)):
                visible = time.perf_counter() - started
                cpu = cpu_seconds(proc.pid)
                break
            if proc.poll() is not None:
                raise SystemExit(f"{command} ended with code {proc.returncode} before showing a window")
            if time.perf_counter() > deadline:
                raise SystemExit(f"{command} showed no window within {VISIBLE_LIMIT:.0f} s")
            time.sleep(0.001)
        time.sleep(SETTLE)
        rss = resident_kib(proc.pid)
    finally:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
    return visible, cpu, rss


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

    times = {name: [] for name in programs}
    cpu = {name: [] for name in programs}
    memory = {name: [] for name in programs}
    try:
        with xwindows.connection() as display:
            for i in range(args.warmup + args.runs):
                # Rotate the order, so that none always follows the same one.
                names = list(programs)
                order = names[i % len(names):] + names[: i % len(names)]
                for name in order:
                    visible, used, rss = one_run(programs[name], env, display)
                    if i >= args.warmup:
                        times[name].append(visible)
                        cpu[name].append(used)
                        memory[name].append(rss)
    finally:
        bus.terminate()
        xvfb.terminate()
        bus.wait()
        xvfb.wait()

    print(f"{args.runs} runs of each, in turn, after {args.warmup} warm-up runs of each")
    groups = ["visible after (ms)", "processor time by then (ms)", "resident 1 s later (MiB)"]
    print(f"{'':12} " + "   ".join(f"{g:^28}" for g in groups))
    print(f"{'':12} " + "   ".join(f"{'median':>8} {'min':>9} {'max':>9}" for _ in groups))
    for name in programs:
        columns = [[x * 1000 for x in times[name]], [x * 1000 for x in cpu[name]], [x / 1024 for x in memory[name]]]
        print(f"{name:12} " + "   ".join(f"{statistics.median(c):8.2f} {min(c):9.2f} {max(c):9.2f}" for c in columns))

    def ratio(values, base):
        return statistics.median(values["tolvaren"]) / statistics.median(values[base])

    def verdict(r):
        return "ok" if r <= TARGET else "ABOVE TARGET"

    print()
    for what, values in [("start-up (visible after)", times), ("resident memory", memory)]:
        r = ratio(values, "bare_window")
        print(f"ratio tolvaren/bare_window, {what}: {r:.3f}  {verdict(r)} (target <= {TARGET})")
    print(f"ratio tolvaren/bare_window, processor time by then: {ratio(cpu, 'bare_window'):.3f}")
    print("against a bare window that shows one line of text (the cost of fonts set aside):")
    for what, values in [("start-up", times), ("processor time", cpu), ("resident memory", memory)]:
        print(f"ratio tolvaren/bare+text, {what}: {ratio(values, 'bare+text'):.3f}")

if __name__ == "__main__":
    main()
