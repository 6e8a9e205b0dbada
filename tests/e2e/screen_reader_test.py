#!/usr/bin/python3 -B
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

"""What a blind user hears: Orca itself reads the program while a short task
is done by real key presses, and the few utterances that matter are checked
in what Orca says (its debug log), together with the noise that must not
come back.

Run through run_e2e.sh, which provides the X display and the session bus:
    run_e2e.sh --suite screen_reader_test.py path/to/tolvaren
Every wait is for an utterance, with a deadline; nothing is retried.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from atspi_driver import check, report_failure
from orca_session import WAIT, Orca

NOISE = ["layered pane", "Text unselected"]
KEY_GAP = 0.5  # how long Ctrl is held around an arrow, as a person does


class Task:
    def __init__(self, orca, program):
        self.orca = orca
        self.program = program
        self.steps = []  # (keys, what Orca said), for the report

    def keys(self, *keys, expect, whole=False, closes=None):
        """Presses `keys` one after the other and waits for Orca to say
        `expect`; returns what it said for them. When the keys close the
        window titled `closes`, the main window gets the keyboard back once
        it has gone, as a window manager would give it."""
        self.orca.mark()
        for key in keys:
            if key.startswith("ctrl+"):
                self.xdo("keydown", "ctrl")
                time.sleep(KEY_GAP)
                self.xdo("key", key[len("ctrl+"):])
                time.sleep(KEY_GAP)
                self.xdo("keyup", "ctrl")
            elif key.startswith("type:"):
                self.xdo("type", key[len("type:"):])
            else:
                self.xdo("key", key)
        if closes:
            self.wait_gone(closes)
            self.focus_main()
        said = self.orca.expect(expect, whole=whole)
        self.steps.append((" ".join(keys), said))
        return said

    def wait_gone(self, title, timeout=WAIT):
        deadline = time.monotonic() + timeout
        while subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                             stdout=subprocess.DEVNULL, timeout=10).returncode == 0:
            check(time.monotonic() < deadline, f"the window {title!r} is still there after {timeout:.0f} s")
            time.sleep(0.1)

    def focus_main(self):
        self.xdo("search", "--sync", "--onlyvisible", "--name", "^Tolvaren v[0-9.]+$", "windowfocus", "--sync")

    def xdo(self, *args):
        subprocess.run(["xdotool", *args], check=True, timeout=10)


def run(task):
    # The welcome form opens with its first button focused.
    task.orca.expect("Distance push button")
    said = task.keys("space", expect="Input value")
    check(said[0] == "Distance", f"a form opening says its name first: {said}")
    check(sum("Input value" in s for s in said) == 1, f"and its focused control once: {said}")

    task.keys("type:5", "Tab", expect="Convert from unit")
    task.keys("Down", expect="Meter", whole=True)
    task.keys("Tab", expect="Convert to unit")
    for unit in ["Meter", "Inch", "Mile", "Centimeter", "Kilometer", "Feet"]:
        task.keys("Down", expect=unit, whole=True)
    # Enter in a unit list converts; the result is announced with its unit.
    task.keys("Return", expect="Result 16.404 Feet")
    said = task.keys("Tab", expect="16.404")
    check(any(s.startswith("Result") for s in said), f"the result box is called Result: {said}")
    # Word by word, the number whole, the end of the text included.
    task.keys("ctrl+Right", expect="16.404", whole=True)
    task.keys("ctrl+Left", expect="16.404", whole=True)

    # Reading the screen (flat review's previous line, keypad 7 with Num
    # Lock off, the line above Convert): the unit
    # shown, not the list's name.
    task.keys("Tab", expect="Convert push button")
    task.keys("KP_Home", expect=" 16.404 Feet", whole=True)

    # The menu bar: Right moves to Help and the focus stays in it.
    task.keys("F10", expect="File")
    # "Help." comes first as a rule, but only as long as Orca keeps up with
    # the program: not a thing to hold a busy machine to.
    task.keys("Right", expect="Help Topics")
    said = task.keys("Escape", expect="Help")
    check(not any(word in s for s in said for word in ("Input value", "Convert", "Result", "frame")),
          f"after Help Topics and Escape, the focus stays in the menu bar: {said}")
    task.keys("Escape", expect="Convert push button")

    # The prefix list says its choice when it takes the focus again.
    task.keys("F10", "Down", "Return", expect="List with 12 items")
    for prefix in ["Tetra", "Giga", "Mega"]:
        task.keys("Down", expect=prefix)
    task.keys("Tab", expect="Input value")
    said = task.keys("shift+Tab", expect="Mega")
    check(any("List with 12 items" in s for s in said), f"the list, then its choice: {said}")
    task.keys("Escape", expect="Convert push button", closes="Measurment Prefix")
    # Nothing of the window comes after the focused control: the next
    # key's words follow it directly.
    said = task.keys("Tab", expect="New push button")
    check(not any("frame" in s for s in said), f"the window said after the focused control: {said}")


def main(argv):
    if len(argv) != 2:
        print("usage: screen_reader_test.py PROGRAM", file=sys.stderr)
        return 2
    for tool in ["orca", "speech-dispatcher", "xdotool"]:
        if not shutil.which(tool):
            print(f"screen_reader_test.py: {tool} is missing (scripts/common.sh lists the packages)", file=sys.stderr)
            return 1
    # Under the runner's private runtime folder, which goes with it.
    work = tempfile.mkdtemp(prefix="orca-", dir=os.environ.get("XDG_RUNTIME_DIR"))
    orca = Orca(work)
    task = Task(orca, None)
    started = time.monotonic()
    ok = True
    try:
        orca.start()
        log = open(os.path.join(work, "program.out"), "wb")
        task.program = subprocess.Popen([os.path.abspath(argv[1])], stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        orca.processes.append(task.program)
        # The test display has no window manager to give the new window
        # the keyboard; do what one would.
        task.focus_main()
        run(task)
        noise = [s for s in orca.utterances() if any(n in s for n in NOISE)]
        check(not noise, f"noise said: {noise}")
    except Exception as e:
        ok = False
        report_failure(e, __file__)
    finally:
        orca.close()
    for keys, said in task.steps:
        print(f"  {keys:>24} -> {said}")
    print(f"[{'  OK  ' if ok else ' FAIL '}] screen reader ({time.monotonic() - started:.1f} s)", flush=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
