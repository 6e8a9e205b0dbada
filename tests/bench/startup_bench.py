#!/usr/bin/python3 -B
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

"""Start-up benchmark: how long Tolvaren takes from launch until its main
window is on screen, and how much memory it holds a second later, against
bare_window, the smallest Qt program showing the same kinds of things (a
menu bar, a workspace with one maximised child window holding a text box, an
editable drop-down list and a button, 332 x 300 pixels outside).

    startup_bench.py PATH/TO/tolvaren PATH/TO/bare_window [--runs N]

The programs run in turn on a private X server with a private session
bus, so that whatever the machine does meanwhile falls on both alike. Time
is measured from outside, from just before the program is started, twice:
until the X server reports a mapped top-level window of the process (it
tells us; asking over and over would slow the program measured), and until
that window first shows the picture it still shows a second later (a mapped
window is not yet a drawn one). A second later the resident memory is read,
and the program is stopped to read the processor time it used, threads that
have ended included. Prints medians and the ratios tolvaren / bare_window.
Targets: at most 1.10 for the time until the window is mapped and at most
1.05 for the memory; the time until the first whole picture is reported,
with 1.10 as the next goal.
"""

import argparse
import math
import os
import select
import signal
import statistics
import subprocess
import tempfile
import time
import zlib

import Xlib.display
import Xlib.error
from Xlib import X, Xatom

# The largest ratio tolvaren / bare_window that meets the target, by measure.
TARGETS = {"mapped": 1.10, "memory": 1.05}
NEXT_GOAL = {"drawn": 1.10}
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


class Display:
    """The few questions the benchmark asks the X server. It has no window
    manager, so a program's top-level windows are children of the root."""

    def __init__(self, name):
        self.x = Xlib.display.Display(name)
        self.pid_atom = self.x.intern_atom("_NET_WM_PID")
        # Told when a top-level window is mapped rather than asking again and
        # again: asking would take processor time from the program measured.
        self.x.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.x.sync()

    def close(self):
        self.x.close()

    def forget_events(self):
        while self.x.pending_events():
            self.x.next_event()

    def _owner(self, window):
        try:
            owner = window.get_full_property(self.pid_atom, Xatom.CARDINAL)
        except Xlib.error.XError:  # gone already
            return None
        return owner.value[0] if owner else None

    def wait_mapped(self, pid, seconds):
        """Waits up to `seconds` for a top-level window of process `pid` to
        be mapped. Returns (time.perf_counter() when the X server said so,
        window, width, height), or None."""
        deadline = time.perf_counter() + seconds
        while True:
            while self.x.pending_events():
                event = self.x.next_event()
                told = time.perf_counter()
                if event.type == X.MapNotify and self._owner(event.window) == pid:
                    size = self.size(event.window)
                    if size:
                        return (told, event.window) + size
            left = deadline - time.perf_counter()
            if left <= 0:
                return None
            select.select([self.x], [], [], left)

    def size(self, window):
        try:
            geometry = window.get_geometry()
        except Xlib.error.XError:
            return None
        return geometry.width, geometry.height

    def contents(self, window, width, height):
        """The window's pixels (width x height from its top-left corner), as
        bytes; None when the window cannot be read (gone, or off screen)."""
        try:
            return window.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF).data
        except Xlib.error.XError:
            return None


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS")


def one_run(command, env, display):
    """Returns (seconds until a window is mapped, seconds until it shows its
    first whole picture, resident KiB a second later, processor seconds used
    by then, all threads counted, and the window's size then).

    The first whole picture: the window's pixels are read every few
    milliseconds once it is mapped; the first reading that equals the
    window's pixels a second later marks the moment the user sees the window
    as it stays. A mapped window with nothing drawn in it yet does not count
    as shown; one whose pixels never settle counts as never shown (inf)."""
    display.forget_events()  # the last program's windows going
    started = time.perf_counter()
    proc = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    used = math.nan
    try:
        deadline = started + VISIBLE_LIMIT
        while True:
            shown = display.wait_mapped(proc.pid, 0.05)
            if shown:
                mapped_at, window, width, height = shown
                visible = mapped_at - started
                break
            if proc.poll() is not None:
                raise SystemExit(f"{command} ended with code {proc.returncode} before showing a window")
            if time.perf_counter() > deadline:
                raise SystemExit(f"{command} showed no window within {VISIBLE_LIMIT:.0f} s")
        readings = []
        while time.perf_counter() - started < visible + WATCH:
            asked = time.perf_counter() - started
            pixels = display.contents(window, width, height)
            readings.append((asked, zlib.crc32(pixels) if pixels else None))
            time.sleep(0.002)
        time.sleep(max(0.0, started + visible + SETTLE - time.perf_counter()))
        rss = resident_kib(proc.pid)
        final = display.contents(window, width, height)
        size = display.size(window)
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
    return visible, drawn, rss, used, size


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("tolvaren")
    parser.add_argument("bare")
    parser.add_argument("--runs", type=int, default=15, help="runs of each program (default 15)")
    parser.add_argument("--warmup", type=int, default=2, help="runs of each not counted (default 2)")
    args = parser.parse_args()
    programs = {"bare_window": [os.path.abspath(args.bare)], "tolvaren": [os.path.abspath(args.tolvaren)]}

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

    columns = ("mapped", "drawn", "memory", "processor")
    results = {name: {c: [] for c in columns} for name in programs}
    sizes = {name: set() for name in programs}
    display = None
    try:
        display = Display(display_name)
        for i in range(args.warmup + args.runs):
            # Alternate the order, so that neither always follows the other.
            order = list(programs) if i % 2 == 0 else list(reversed(programs))
            for name in order:
                mapped, drawn, rss, used, size = one_run(programs[name], env, display)
                if i >= args.warmup:
                    for column, value in zip(columns, (mapped * 1000, drawn * 1000, rss / 1024, used * 1000)):
                        results[name][column].append(value)
                    sizes[name].add(size)
    finally:
        if display is not None:
            display.close()
        bus.terminate()
        xvfb.terminate()
        bus.wait()
        xvfb.wait()
    report(results, sizes, args)


def report(results, sizes, args):
    print(f"{args.runs} runs of each, in turn, after {args.warmup} warm-up runs of each")
    print("window size a second after mapping: " + ", ".join(
        f"{name} " + " / ".join("gone" if s is None else f"{s[0]}x{s[1]}" for s in sorted(sizes[name], key=str))
        for name in results))
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

    print()
    for column, what in [("mapped", "start-up (window mapped)"), ("memory", "resident memory 1 s later"),
                         ("drawn", "start-up (first whole picture)"), ("processor", "processor time in the first second")]:
        r = statistics.median(results["tolvaren"][column]) / statistics.median(results["bare_window"][column])
        if column in TARGETS:
            verdict = f"{'ok' if r <= TARGETS[column] else 'ABOVE TARGET'} (target <= {TARGETS[column]:.2f})"
        elif column in NEXT_GOAL:
            verdict = f"(next goal <= {NEXT_GOAL[column]:.2f})"
        else:
            verdict = ""
        print(f"ratio tolvaren/bare_window, {what}: {r:.3f}  {verdict}".rstrip())


if __name__ == "__main__":
    main()
