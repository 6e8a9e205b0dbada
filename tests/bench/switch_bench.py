#!/usr/bin/python3 -B
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

"""Form switch benchmark: how long a screen reader waits to hear of a form
switch, against how long it waits to hear of a Tab, in the same run.

    switch_bench.py PATH/TO/tolvaren [--runs N] [--press key|action]

The program runs on a private X server with a private session bus carrying
the accessibility bus. This script listens there as a reader does, to the
events a reader asks for (the same list Orca registers, and every key
press), and measures from just before a key press is sent to the X server
(or, with --press action, an AT-SPI Press action) until the first focus
event arrives:

- a switch: Space on a category button of a converter form, which replaces
  the form with another one;
- a Tab: Tab in the form just opened, which moves the focus to its next
  control.

Switches and Tabs alternate, so that whatever the machine does meanwhile
falls on both alike. Prints medians, the 90th percentiles, what arrived
between the press and the focus, and the ratio switch / Tab. Target: a
switch at most 3 times a Tab.
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TARGET = 3.0
# What a reader listens to: Orca's own list, as its default script asks.
READER_EVENTS = [
    "object:property-change:accessible-name", "object:property-change:accessible-description",
    "object:text-caret-moved", "object:text-changed:delete", "object:text-changed:insert",
    "object:active-descendant-changed", "object:children-changed:add", "object:children-changed:remove",
    "object:state-changed:active", "object:state-changed:busy", "object:state-changed:focused",
    "object:state-changed:showing", "object:state-changed:checked", "object:state-changed:pressed",
    "object:state-changed:indeterminate", "object:state-changed:expanded", "object:state-changed:selected",
    "object:state-changed:sensitive", "object:text-attributes-changed", "object:text-selection-changed",
    "object:selection-changed", "object:property-change:accessible-value", "object:value-changed",
    "object:column-reordered", "object:row-reordered", "window:activate", "window:deactivate", "window:create",
    "window:destroy", "document:reload", "document:load-complete", "document:load-stopped", "mouse:button",
]
FOCUS = "object:state-changed:focused"
LIMIT = 20.0  # seconds; a press heard of later than this fails the run


def outside(args):
    """Starts the private X server and runs this script again inside a
    private session bus, with accessibility on."""
    work = tempfile.mkdtemp(prefix="tolvaren-switch-")
    runtime = os.path.join(work, "runtime")
    os.makedirs(runtime, mode=0o700)
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            pass_fds=(write_fd,), stderr=open(os.path.join(work, "xvfb.log"), "wb"))
    os.close(write_fd)
    with os.fdopen(read_fd) as f:
        number = f.readline().strip()
    if not number:
        raise SystemExit("Xvfb did not start")
    env = {k: v for k, v in os.environ.items()
           if k not in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "XAUTHORITY")}
    env.update(DISPLAY=":" + number, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime, HOME=work,
               XDG_CONFIG_HOME=os.path.join(work, ".config"), XDG_CACHE_HOME=os.path.join(work, ".cache"),
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", NO_AT_BRIDGE="0", LC_ALL="C.UTF-8",
               TOLVAREN_SWITCH_BENCH_INSIDE="1")
    # The product's facts, from the build the program was built in.
    env.setdefault("TOLVAREN_FACTS", os.path.join(os.path.dirname(os.path.abspath(args.tolvaren)), "tests", "e2e",
                                                  "product_facts"))
    try:
        return subprocess.run(["dbus-run-session", "--", sys.executable, "-B", os.path.abspath(__file__)] + sys.argv[1:],
                              env=env, check=False).returncode
    finally:
        xvfb.terminate()
        xvfb.wait()


def inside(args):
    sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib
    import pyatspi
    from Xlib import XK, X
    from Xlib.ext import xtest

    from atspi_driver import FACTS, Program, descendants, has_focus, wait_until

    # The forms the switches go round, by caption, with the caption of the
    # button that opens each from another converter form.
    ROUND = [(form, FACTS[form + ".button"]) for form in FACTS["converters"].split("|")]

    class Reader:
        """Every event a reader asks for, with the time it arrived; the name
        of what took the focus, as a reader asks it at once."""

        def __init__(self):
            self.heard = []
            self._listener = Atspi.EventListener.new(self._event)
            for kind in READER_EVENTS:
                self._listener.register(kind)
            # A reader also sees every key first; the program then waits for
            # its word on each key before acting on it.
            self._keys = Atspi.DeviceListener.new(lambda event: False)
            Atspi.register_keystroke_listener(self._keys, None, 0,
                                              (1 << Atspi.EventType.KEY_PRESSED_EVENT) |
                                              (1 << Atspi.EventType.KEY_RELEASED_EVENT),
                                              Atspi.KeyListenerSyncType.NOSYNC)

        def _event(self, event):
            at = time.perf_counter()
            name = None
            # A reader asks the source of every event what it is and what
            # state it is in before deciding whether to say anything: each
            # question a trip to the program, which answers in turn.
            try:
                event.source.getState()
                event.source.getRole()
                if event.type == FOCUS and event.detail1:
                    name = event.source.name
            except GLib.GError:
                name = "(gone)"
            self.heard.append((at, event.type, event.detail1, name))

        def pump(self, until):
            """Takes in events until `until()` is true; fails after LIMIT."""
            deadline = time.perf_counter() + LIMIT
            context = GLib.MainContext.default()
            while not until():
                if time.perf_counter() > deadline:
                    raise SystemExit(f"nothing heard within {LIMIT:.0f} s; last events {self.heard[-5:]}")
                context.iteration(True)

        def quiet(self, program, acc):
            """Takes in whatever the program still had to say: an answer to a
            question comes after every event sent before it."""
            acc.getState()
            context = GLib.MainContext.default()
            while context.iteration(False):
                pass

    program = Program(os.path.abspath(args.tolvaren), os.path.join(tempfile.gettempdir(), "switch-bench.log"))
    program.start()
    reader = Reader()
    x = program._display()
    # A fake timer source keeps iteration(True) from blocking for long when
    # nothing comes.
    GLib.timeout_add(5, lambda: True)

    def send_key(name):
        code = x.keysym_to_keycode(XK.string_to_keysym(name))
        xtest.fake_input(x, X.KeyPress, code)
        xtest.fake_input(x, X.KeyRelease, code)
        x.sync()

    def timed(press):
        """Seconds from the press until the first focus event, and the
        events before it."""
        start = len(reader.heard)
        began = time.perf_counter()
        press()
        reader.pump(lambda: any(e[1] == FOCUS and e[2] for e in reader.heard[start:]))
        before = [e for e in reader.heard[start:]]
        first = next(i for i, e in enumerate(before) if e[1] == FOCUS and e[2])
        return before[first][0] - began, before[:first], before[first][3]

    def current_button(caption):
        return program.button(caption, program.current_form())

    switches, tabs, before_switch, before_tab, firsts, kinds = [], [], [], [], {}, {}
    try:
        open_first = current_button("Distance")
        program.press(open_first)
        program.wait_form("Distance")
        here = 0
        for run in range(args.warmup + args.runs):
            there = (here + 1 + run % (len(ROUND) - 1)) % len(ROUND)
            if there == here:
                there = (here + 1) % len(ROUND)
            button = current_button(ROUND[there][1])
            program.focus(button)
            reader.quiet(program, button)
            if args.press == "key":
                took, came, name = timed(lambda: send_key("space"))
            else:
                took, came, name = timed(lambda: program.press(button))
            form = program.wait_form(ROUND[there][0])
            here = there
            # The new form's first control has the focus before the Tab.
            wait_until(lambda: descendants(form, has_focus), "a control of the new form to have the focus")
            reader.quiet(program, form)
            tab_took, tab_came, tab_name = timed(lambda: send_key("Tab"))
            reader.quiet(program, form)
            if run >= args.warmup:
                switches.append(took)
                tabs.append(tab_took)
                before_switch.append(len(came))
                before_tab.append(len(tab_came))
                firsts[name] = firsts.get(name, 0) + 1
                for e in came:
                    kinds[e[1]] = kinds.get(e[1], 0) + 1
    finally:
        reader.quiet(program, program.app)
        program.kill()

    def p90(values):
        return sorted(values)[max(0, int(round(0.9 * len(values))) - 1)]

    print(f"{args.runs} switches and {args.runs} Tabs, alternating, after {args.warmup} of each not counted; "
          f"pressed by {'keys' if args.press == 'key' else 'AT-SPI actions (switch) and keys (Tab)'}")
    print(f"{'':8} {'median ms':>10} {'90% ms':>10} {'min ms':>10} {'max ms':>10} {'events before the focus':>24}")
    for what, values, counts in [("switch", switches, before_switch), ("Tab", tabs, before_tab)]:
        print(f"{what:8} {statistics.median(values) * 1000:10.1f} {p90(values) * 1000:10.1f} "
              f"{min(values) * 1000:10.1f} {max(values) * 1000:10.1f} {statistics.median(counts):24.0f}")
    print("first focus of a switch went to: " + ", ".join(f"{n!r} {c}x" for n, c in sorted(firsts.items(), key=str)))
    print("events before the focus of a switch, per switch: " + ", ".join(
        f"{kind} {count / len(switches):.1f}" for kind, count in sorted(kinds.items(), key=lambda k: -k[1])))
    ratio = statistics.median(switches) / statistics.median(tabs)
    print(f"ratio switch/Tab (medians): {ratio:.2f}  {'ok' if ratio <= TARGET else 'ABOVE TARGET'} "
          f"(target <= {TARGET:.0f})")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("tolvaren")
    parser.add_argument("--runs", type=int, default=30, help="switches and Tabs counted (default 30)")
    parser.add_argument("--warmup", type=int, default=3, help="of each not counted (default 3)")
    parser.add_argument("--press", choices=("key", "action"), default="key",
                        help="switch by Space on the focused button, or by its Press action")
    args = parser.parse_args()
    if os.environ.get("TOLVAREN_SWITCH_BENCH_INSIDE"):
        return inside(args)
    return outside(args)


if __name__ == "__main__":
    sys.exit(main())
