#!/usr/bin/python3 -B
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

"""What a blind user hears: Orca itself reads the program while a whole task
is done by real key presses under a window manager, as a user has one, and
at the end briefly without one. Each step of the task is a row of STEPS:
the keys, what Orca must say for them, in order, and what it must not.

Run through run_e2e.sh, which provides the X display and the session bus:
    run_e2e.sh --suite screen_reader_test.py path/to/tolvaren
Every wait is for an utterance or an event, with a deadline; nothing is
retried.
"""

import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

import Xlib.display
from gi.repository import GLib

from atspi_driver import FACTS, Keyboard, check, children, pyatspi, report_failure, wait_until
from orca_session import BUTTON, TYPED_OVER, WAIT, Orca, seconds_today

NOISE = ["layered pane", "Text unselected"]
# Where the user types over a selected text, Orca's word for it (said or not) is no noise.
TYPING_OVER = ["refusal heard whole", "no stale result", "Go by Enter"]
# Seconds from the last key to the last phrase of a step that must come at
# once. On a busy machine a Tab or a result is heard within 0.3 s and a form
# switch within 0.3 to 1.7 s (3 s at a load of 15); the bounds only catch a
# wait the user would notice.
PROMPT = 2.0
SWITCH = 5.0
# A user takes a moment to answer what was heard. Orca (48 on) drops an
# event of a kind it had from the same program less than 0.1 s before, so
# a key pressed at once would have its news dropped when it is the news
# just heard (Enter again on the same result).
REACTION = 0.2

UNITS = ["Meter", "Inch", "Mile", "Centimeter", "Kilometer", "Feet"]
# What Orca says of a notification, the role the program's news has on a
# Qt without an announcement of its own (before 6.8); where Qt has one,
# the news is said bare and this must not be heard with it.
NOTIFICATION = "notification"
AWAY = [BUTTON, "Input value", "combo box", "frame"]  # the form, while a menu is open

# (name, keys, phrases Orca must say in this order, phrases it must not say
# since the last step's, at most how many seconds until its last phrase).
# A phrase is found in an utterance, blanks in a row read as one; with "="
# before it, it is the utterance (but for a full stop at its end), also
# among those it must not say. Each is said once, after the keys. Ctrl or
# Alt in "ctrl+..." or "alt+..." is held until the step is heard, as a
# person holds it (let go at once, a busy machine once had Alt taken alone,
# opening the File menu); "type:" types a text; "@..." is done by the test:
# start the program, wait for its end, stop the window manager. A key that
# opens a menu ends its step: the next waits until the menu is heard.
STEPS = [
    ("start", ["@start"], [f"Distance {BUTTON}"], [], None),
    ("form opens", ["space"], ["=Distance", "Input value"], ["Picture", "Convert from unit"], SWITCH),
    ("from list", ["type:5", "Tab"], ["Convert from unit"], [], None),
    ("Down picks", ["Down"], ["=Meter"], [], None),
    ("to list", ["Tab"], ["Convert to unit"], ["Meter"], None),
    ("drop-down", ["alt+Down"], ["List with 6 items"], ["frame"], None),
    ("in the drop-down", ["Down"], ["=Inch"], ["collapsed", "frame"], None),
    ("drop-down picks", ["Return"], ["Inch"], ["frame"], None),
    ("where am I after it", ["KP_Enter"], ["Convert to unit"], ["frame"], None),
    # Each unit once as it is arrowed: no unit arrowed before, nor "not selected".
    *[(f"after it {unit}", ["Down"], [f"={unit}"], ["not selected", *UNITS[2:i]], None)
      for i, unit in enumerate(UNITS[2:], 2)],
    ("Enter converts", ["Return"], ["Result 16.404 Feet"], [NOTIFICATION], PROMPT),
    ("same result again", ["Return"], ["Result 16.404 Feet"], [NOTIFICATION], PROMPT),
    ("result box", ["Tab"], ["Result", "16.404"], [], None),
    ("word right", ["ctrl+Right"], ["=16.404"], [], None),
    ("word left", ["ctrl+Left"], ["=16.404"], [], None),
    # Flat review's line above Convert shows the unit, not the list's name.
    ("Convert", ["Tab"], [f"Convert {BUTTON}"], [], None),
    ("line above", ["KP_Home"], ["= 16.404 Feet"], [], None),
    # Back by Shift+Tab: each box first, then its text, once; its
    # selection is not said before it (as "Feet", "selected").
    ("back to the result", ["shift+Tab"], ["=Result read only text", "16.404"], [], None),
    ("back to the To list", ["shift+Tab"], ["Convert to unit editable combo box", "Feet"], ["=selected"], None),
    ("back to the From list", ["shift+Tab"], ["Convert from unit editable combo box", "Meter"], ["=selected"], None),
    # Its selection was not told apart: the arrows say the unit alone.
    ("arrow in it", ["Down"], ["=Inch"], ["unselected"], None),
    ("arrow back", ["Up"], ["=Meter"], ["unselected"], None),
    ("back to the input", ["shift+Tab"], ["=Input value text", "5 selected"], ["=selected", "=5"], None),
    ("refusal heard whole", ["type:1,5", "Return"], ["Error", "Use a point for decimals", "OK"], ["Result"],
     None),
    # With the window manager held still past Qt's wait for the keyboard,
    # as on a busy machine: the way back is said once, also after the
    # manager has handed the window the keyboard.
    ("focus back after it", ["@hold_wm", "Return", "@free_wm", f"@keyboard_in:{FACTS['caption']}"],
     [FACTS["caption"], "Input value", "1,5"], [], None),
    ("no stale result", ["type:10", "Return"], ["Result 32.808 Feet"],
     ["16.404", FACTS["caption"], "Input value", NOTIFICATION], PROMPT),
    # The menu bar: Left and Right walk the menus, the focus stays in them;
    # after a command it goes back where it was, and a box is heard whole.
    # F10 opens File with nothing highlighted; the first Escape closes it and
    # leaves the menu bar's File with the keyboard: heard, and the form not.
    ("F10 menu", ["F10"], ["File"], [], None),
    ("F10 menu closed", ["Escape"], ["File"], AWAY, None),
    ("menu bar closed", ["Escape"], ["Input value"], ["File"], None),
    # Closing a menu from its item: the menu bar, never the form before it.
    ("F10 menu item", ["F10", "Down"], ["Prefix Converter"], AWAY, None),
    ("item's menu closed", ["Escape"], ["File"], AWAY, None),
    ("menu bar closed again", ["Escape"], ["Input value"], [], None),
    ("menu bar", ["F10"], ["File"], [], None),
    ("menu right", ["Right"], ["Help Topics"], AWAY, None),
    ("About item", ["Down"], ["About"], AWAY, None),
    # Read in the order it is seen: the title, then the description.
    ("About", ["Return"], ["About MyApp", f"Tolvaren version {FACTS['version']} Description: Converts", "OK"], [], None),
    ("About closed", ["Return"], ["Input value"], [], None),
    ("menu bar again", ["F10"], ["File"], [], None),
    ("menu right again", ["Right"], ["Help Topics"], AWAY, None),
    ("menu left", ["Left"], ["Prefix Converter"], AWAY, None),
    ("menu closed", ["Escape"], ["File"], AWAY, None),
    ("menu opened", ["Down"], ["Prefix Converter"], AWAY, None),
    ("Refresh Memory item", ["Down"], ["Refresh Memory"], AWAY, None),
    # The control the focus went back to, then what the command did there.
    ("Refresh Memory", ["Return"], ["Input value", "Memory cleared"], ["frame", NOTIFICATION], None),
    ("where am I after a command", ["KP_Enter"], ["Input value"], ["frame"], None),
    # The prefix list says its choice when it takes the focus again.
    ("File menu", ["F10", "Down"], ["Prefix Converter"], ["frame"], None),
    # Keys pressed before the window manager gives the dialog the keyboard
    # would go to the window behind it.
    ("prefix converter", ["Return", "@keyboard_in:Measurment Prefix"], ["List with 12 items"], [], None),
    *[(f"prefix {p}", ["Down"], [p], [], None) for p in ["Tetra", "Giga", "Mega"]],
    ("prefix input", ["Tab"], ["Input value"], [], None),
    ("prefix list again", ["shift+Tab"], ["List with 12 items", "Mega"], [], None),
    # Orca names the dialog as the place of a notification; the caption is
    # said once, with the result, not as the dialog's.
    ("Go by Enter", ["Tab", "type:2", "Return"], ["Result 2000000, Mega = 1.00 x 10 raced to 6"],
     ["dialog Mega", NOTIFICATION], PROMPT),
    ("prefix closed", ["Escape"], ["Input value"], [], None),
    ("nothing after the focus", ["Tab"], ["Convert from unit"], ["frame"], None),
    ("New", ["Tab", "Tab", "Tab", "Tab", "space"], ["Cleared"], ["Answer displayed here", NOTIFICATION], None),
    # New rewrites both lists; the reader stays on New.
    ("where am I after New", ["KP_Enter"], ["New"], ["unit"], None),
    # A message under three words is heard too, after the box's title.
    ("Convert on an empty form", ["shift+Tab"], [f"Convert {BUTTON}"], [], None),
    ("incomplete data refused", ["space"], ["=alert Error", "=Error: Incomplete data", f"=OK {BUTTON}"], ["Result"],
     None),
    ("incomplete data closed", ["Return"], [f"Convert {BUTTON}"], ["Incomplete"], None),
    ("Mass button", ["Tab", "Tab"], [f"Mass {BUTTON}"], [], None),
    ("form switch", ["space"], ["=Mass", "Convert from unit"], ["Picture", "Input value"], SWITCH),
    # The To list, set as the form opened, is not heard in the menu.
    ("File menu again", ["F10", "Down"], ["Prefix Converter"], ["Convert to unit"], None),
    ("Exit", ["Up"], ["Exit"], AWAY, None),
    ("ended", ["Return", "@ended"], [], [], None),
    # Without a window manager the window takes the keyboard itself.
    ("bare start", ["@bare", "@start"], [f"Distance {BUTTON}"], [], None),
    ("bare menu", ["F10", "Right"], ["Help Topics"], [], None),
    ("bare box", ["Return"], ["alert", "Help Topics can be found in", "OK"], [], None),
    ("bare box closed", ["Return"], [f"Distance {BUTTON}"], [], None),
]


class Task:
    def __init__(self, orca, program, work):
        self.orca = orca
        self.program = program
        self.work = work
        self.process = None
        self.wm = None
        self.keyboard = None  # the X display the keys are pressed on
        self.qt_announces = False  # whether the program's Qt has announcements of its own
        self.seen = 0  # utterances taken by the steps so far
        self.last_heard = 0.0  # when the last step's last phrase was said, in seconds_today()
        self.heard = []  # (step, keys, seconds to its first phrase, what was said), for the report
        self.typed_over = set()  # where Orca said TYPED_OVER in a step of TYPING_OVER, by place in all said

    def step(self, name, keys, say, never, within):
        time.sleep(max(0.0, self.last_heard + REACTION - seconds_today()))
        held = []
        pressed = seconds_today()
        for key in keys:
            if not key.startswith("@"):
                pressed = seconds_today()
            modifier, _, rest = key.partition("+")
            if modifier in ("ctrl", "alt"):
                held.append(modifier)
                self.keys().down(modifier)
                self.keys().press(rest)
            elif key.startswith("type:"):
                self.xdo("type", key[len("type:"):])
            elif key.startswith("@"):
                action, _, argument = key[1:].partition(":")
                getattr(self, action)(*([argument] if argument else []))
            else:
                self.keys().press(key)
        try:
            first = self.seen
            said = self.wait_said(say, pressed, f"step {name!r}")
        finally:
            for key in held:
                self.keys().up(key)
        span = [text for _, text in said]
        if said:
            self.last_heard = said[-1][0]
        if name in TYPING_OVER:
            self.typed_over.update(first + i for i, text in enumerate(span) if matches(f"={TYPED_OVER}")(text))
        # How soon the first phrase came: what a user waits for.
        starts = [at for at, text in said if say and at >= pressed and matches(say[0])(text)]
        self.heard.append((name, keys, starts[0] - pressed if starts else None, span))
        for phrase in say:
            check(sum(map(matches(phrase), span)) == 1, f"step {name!r}: {phrase!r} not said once: {span}")
        for phrase in never:
            if phrase == NOTIFICATION and not self.qt_announces:
                continue
            check(not any(map(matches(phrase), span)), f"step {name!r}: {phrase!r} said: {span}")
        if within is not None:
            took = said[-1][0] - pressed
            check(took <= within, f"step {name!r}: heard after {took:.2f} s, more than {within} s")

    def wait_said(self, say, pressed, what):
        """Waits for the phrases `say`, in order and after `pressed`, and
        returns everything said since the last step's phrases up to the
        last of them."""
        deadline = time.monotonic() + WAIT
        while True:
            said = self.orca.timed()
            at = self.seen
            for phrase in say:  # one utterance may hold several
                at = next((i for i in range(at, len(said)) if said[i][0] >= pressed and matches(phrase)(said[i][1])),
                          None)
                if at is None:
                    break
            else:
                end = at + 1 if say else self.seen
                taken, self.seen = said[self.seen:end], end
                return taken
            check(time.monotonic() < deadline,
                  f"{what}: Orca did not say {say} within {WAIT:.0f} s; it said {[t for _, t in said[self.seen:]]}")
            check(all(p.poll() is None for p in self.orca.processes if p is not self.process),
                  "Orca or its speech ended")
            time.sleep(0.05)

    # -- what the test does itself ---------------------------------------

    def start(self):
        log = open(os.path.join(self.work, "program.out"), "ab")
        self.process = subprocess.Popen([self.program], stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        log.close()
        self.orca.processes.append(self.process)
        self.qt_announces = self.qt_version() >= (6, 8)

    def qt_version(self):
        """The version of the Qt the program runs on, as it tells readers."""
        def told():
            for app in children(pyatspi.Registry.getDesktop(0)):
                try:
                    if app.get_process_id() == self.process.pid:
                        return tuple(int(n) for n in app.get_toolkit_version().split(".")[:2])
                except GLib.GError:  # an application gone meanwhile
                    continue
            return None

        return wait_until(told, "the program on the accessibility bus")

    def ended(self):
        try:
            check(self.process.wait(WAIT) == 0, f"the program ended with code {self.process.returncode}")
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program did not end within {WAIT:.0f} s") from None
        self.orca.processes.remove(self.process)

    def window_manager(self):
        log = open(os.path.join(self.work, "openbox.out"), "wb")
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        log.close()
        # A window manager announces itself on the root window once it runs.
        deadline = time.monotonic() + WAIT
        while "window id" not in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True,
                                                text=True, timeout=10).stdout:
            check(self.wm.poll() is None and time.monotonic() < deadline, "openbox did not start")
            time.sleep(0.05)

    def hold_wm(self):
        os.kill(self.wm.pid, signal.SIGSTOP)

    def free_wm(self):
        # Qt waits a tenth of a second for a window to get the keyboard; a
        # second is what a busy machine's window manager may take.
        time.sleep(1)
        os.kill(self.wm.pid, signal.SIGCONT)

    def bare(self):
        self.wm.terminate()
        self.wm.wait(WAIT)
        self.orca.forget_the_dead()

    def keyboard_in(self, title):
        """Waits until the window called `title` has the keyboard (while none has, xdotool fails)."""
        deadline = time.monotonic() + WAIT
        while self.xdo("getwindowfocus", "getwindowname", ok_if_fails=True).strip() != title:
            check(time.monotonic() < deadline, f"{title!r} did not get the keyboard within {WAIT:.0f} s")
            time.sleep(0.05)

    def keys(self):
        """The keys a user presses, by their codes (xdotool may press F10
        with Alt held, as on Debian testing)."""
        if self.keyboard is None:
            self.keyboard = Keyboard(Xlib.display.Display())
        return self.keyboard

    def xdo(self, *args, ok_if_fails=False):
        return subprocess.run(["xdotool", *args], check=not ok_if_fails, timeout=10, capture_output=True,
                              text=True).stdout


def matches(phrase):
    if phrase.startswith("="):
        return lambda text: text.rstrip(".") == phrase[1:]
    return lambda text: phrase in " ".join(text.split())


def report(task):
    for name, _, first, said in task.heard:
        print(f"  {name:>26} {'' if first is None else f'{first:5.2f} s'} -> {said}")
    # How soon a form switch is heard, against Tab: a figure to compare,
    # not a limit.
    tabs = [first for _, keys, first, _ in task.heard if keys == ["Tab"] and first is not None]
    switches = [first for name, _, first, _ in task.heard
                if name in ("form opens", "form switch") and first is not None]
    if tabs and switches:
        print(f"  a form switch heard after {', '.join(f'{s:.2f}' for s in switches)} s; a Tab after: median "
              f"{statistics.median(tabs):.2f} s, slowest {max(tabs):.2f} s")


def main(argv):
    if len(argv) != 2:
        print("usage: screen_reader_test.py PROGRAM", file=sys.stderr)
        return 2
    for tool in ["orca", "speech-dispatcher", "xdotool", "openbox", "xprop"]:
        if not shutil.which(tool):
            print(f"screen_reader_test.py: {tool} is missing (scripts/common.sh lists the packages)", file=sys.stderr)
            return 1
    # Under the runner's private runtime folder, which goes with it.
    work = tempfile.mkdtemp(prefix="orca-", dir=os.environ.get("XDG_RUNTIME_DIR"))
    orca = Orca(work)
    task = Task(orca, os.path.abspath(argv[1]), work)
    started = time.monotonic()
    ok = True
    try:
        task.window_manager()
        orca.start()
        task.seen = len(orca.utterances())
        for row in STEPS:
            task.step(*row)
        noise = [s for i, s in enumerate(orca.utterances())
                 if i not in task.typed_over and any(n in s for n in NOISE)]
        check(not noise, f"noise said: {noise}")
        # Qt writes this when a reader asks after a widget it told of and
        # that is gone.
        with open(os.path.join(work, "program.out"), errors="replace") as f:
            gone = [line.strip() for line in f if "Could not find accessible" in line]
        check(not gone, f"Orca asked after what is gone: {gone[:3]}")
    except Exception as e:
        ok = False
        report_failure(e, __file__)
    finally:
        orca.close()
        if task.wm and task.wm.poll() is None:
            task.wm.kill()
    report(task)
    print(f"[{'  OK  ' if ok else ' FAIL '}] screen reader ({time.monotonic() - started:.1f} s)", flush=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
