# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

"""The program on a native Wayland compositor, driven through AT-SPI: each
converter form converts once, the prefix converter and the About box open
and close, one refusal box; then the buttons of the frame Qt draws itself
are pressed with the pointer, as a user presses them, on the prefix
converter and on a message box: maximise, the same button again to
restore, minimise; then Exit. Anything the Wayland connection reports as an
error fails the test, even if every step passed.

    wayland_test.py PROGRAM LOG X-DISPLAY

X-DISPLAY is the X server weston draws on; the program does not use it.
"""

import os
import re
import subprocess
import sys

import pyatspi
from atspi_driver import Program, Timeout, check, check_equal, report_failure, set_text, text_of, wait_until

# (form, its button on the welcome form, on the other forms, input, from, to, shown)
CONVERSIONS = [
    ("Distance", "Distance", "Distance", "5", "Meter", "Feet", " 16.404"),
    ("Mass", "Mass", "Mass", "2", "Ton", "Gram", " 1997600"),
    ("Temperature", "Temperature", "Temp", "98.6", "deg. F", "deg. C", " 37"),
    ("Volume", "Volume", "Vol", "-2", "Quart", "Mililiter", "-1892"),
    ("Speed", "Speed", "Speed", "2", "Mach @ 20000ft", "Km/hour", " 2276"),
    ("Time", "Time", "Time", "90", "Minute", "Hour", " 1.53"),
]
# (menu, item, window title, the button that closes it)
DIALOGS = [
    ("File", "Prefix Converter", "Measurment Prefix", "Close"),
    ("Help", "About", "About MyApp", "OK"),
]
WAYLAND_ERRORS = re.compile(r"Wayland connection experienced a fatal error|Protocol error|@\d+: error \d+")
# Weston's output, as run_wayland.sh starts it, at the X server's origin;
# a point of the X screen outside it.
OUTPUT = (0, 0, 960, 720)
OUTSIDE = (1000, 740)
# The buttons of the frame Qt draws itself, from the frame's top right
# corner: the same on Qt 6.4.2, 6.8.2 and 6.11.2. A press beside one shows as a
# window that does not change.
FRAME_BUTTONS = {"maximise": (-40, 15), "minimise": (-63, 15)}
# (window, how it is opened, how it is closed while minimised)
FRAMED_WINDOWS = [
    ("Measurment Prefix", lambda: program.press_nowait(program.menu_item("File", "Prefix Converter")), "Close"),
    ("Warning: Your Common Sense is not in use", lambda: fill(program.current_form(), "5", "Hour", "Hour"), "OK"),
]


class WaylandProgram(Program):
    """Nothing of X exists here: no window is focused from outside."""

    def give_keyboard(self):
        pass


def field(form, name, role=pyatspi.ROLE_TEXT):
    found = [a for a in program.find_all(form, role=role) if a.name == name]
    check(len(found) == 1, f"expected one {name!r} on the form")
    return found[0]


def edit_of(combo):
    return next(c for c in (combo.getChildAtIndex(i) for i in range(combo.childCount))
                if c.getRole() == pyatspi.ROLE_TEXT)


def fill(form, value, from_unit, to_unit):
    set_text(field(form, "Input value"), value)
    set_text(edit_of(field(form, "Convert from unit", pyatspi.ROLE_COMBO_BOX)), from_unit)
    set_text(edit_of(field(form, "Convert to unit", pyatspi.ROLE_COMBO_BOX)), to_unit)
    program.press(program.button("Convert", form))


class Compositor:
    """Weston seen from outside: where it has put the program's windows,
    read through its debug protocol, and a pointer on the X server it draws
    on."""

    # A window's view and its place: weston 10 and 14 write
    #   View 0 (role xdg_toplevel, PID 7, surface ID 15, top-level window 'T' of APP, 0x55...):
    # and weston 16 names the view by its own words in quotes:
    #   View 3-1-1 (role xdg_toplevel, PID 7, 'top-level window 'T' of APP'):
    # each followed by a line "position: (LEFT, TOP) -> (RIGHT, BOTTOM)".
    VIEW = re.compile(r"role xdg_toplevel, PID (\d+), .*?top-level window '(.*)' of .*\n"
                      r"\s*position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)")

    def __init__(self, x_display):
        self.x_env = dict(os.environ, DISPLAY=x_display)

    def windows(self, settled=False):
        """The program's windows on screen, by title: (left, top, right,
        bottom), frame included; a minimised window is none. If `settled`,
        none until weston has drawn what it shows: only then does it find
        the windows under the pointer where they are."""
        scene = subprocess.run(["weston-debug", "scene-graph"], capture_output=True, text=True, timeout=10,
                               check=True).stdout
        if settled and "repaint status: no repaint" not in scene:
            return {}
        return {m[2]: tuple(int(v) for v in m.groups()[2:]) for m in self.VIEW.finditer(scene)
                if int(m[1]) == program.process.pid}

    def wait_window(self, title, what, shown=lambda extents: True):
        """Waits until the window titled `title` is on screen as `shown`
        says and weston has drawn it so."""
        def now():
            check(program.process.poll() is None, f"the program ended while waiting for {what}")
            extents = self.windows(settled=True).get(title)
            return extents if extents is not None and shown(extents) else None

        try:
            return wait_until(now, what)
        except Timeout as e:
            raise Timeout(f"{e}; weston shows {self.windows()}") from None

    def press(self, extents, button):
        """Clicks a button of the frame of the window at `extents`. The
        pointer comes in from outside weston's window: only so does weston
        learn where it is (of a pointer moving within its window it takes
        only each step), and moves a step onto the button, as a hand does."""
        dx, dy = FRAME_BUTTONS[button]
        x, y = extents[2] + dx, extents[1] + dy
        subprocess.run(["xdotool", "mousemove", *map(str, OUTSIDE), "mousemove", str(x - 1), str(y),
                        "mousemove", str(x), str(y), "click", "1"], env=self.x_env, check=True, timeout=5)


def size(extents):
    return (extents[2] - extents[0], extents[3] - extents[1])


def press_frame_buttons(title, open_window, close):
    """Maximise, restore and minimise a window from its frame: each must do
    what it says, and the program live on."""
    open_window()
    program.wait_dialog(title)
    normal = compositor.wait_window(title, f"{title!r} on screen")
    compositor.press(normal, "maximise")
    full = compositor.wait_window(title, f"{title!r} maximised", lambda e: e == OUTPUT)
    compositor.press(full, "maximise")
    normal = compositor.wait_window(title, f"{title!r} restored", lambda e: size(e) == size(normal))
    compositor.press(normal, "minimise")
    wait_until(lambda: title not in compositor.windows(), f"{title!r} minimised")
    # Nothing brings a minimised window back under weston's own shell; it
    # is still the program's, and closed as a reader would close it.
    program.press(program.button(close, program.wait_dialog(title)))
    program.wait_no_dialogs()


def run():
    shown = "Open"
    for title, welcome_button, button, value, from_unit, to_unit, expected in CONVERSIONS:
        program.press(program.button(welcome_button if shown == "Open" else button, program.current_form()))
        form = program.wait_form(title)
        shown = title
        fill(form, value, from_unit, to_unit)
        output = field(form, "Result")
        check_equal(wait_until(lambda: text_of(output) if text_of(output) != "Answer displayed here" else None,
                               f"a result on {title}"), expected, f"{title}: {value} {from_unit} -> {to_unit}")
    for menu, item, title, close in DIALOGS:
        program.press_nowait(program.menu_item(menu, item))
        program.press(program.button(close, program.wait_dialog(title)))
        program.wait_no_dialogs()
    fill(program.current_form(), "abc", "Hour", "Minute")
    box = program.wait_dialog("Error")
    check("Input value is not a number" in [a.name for a in program.find_all(box, role=pyatspi.ROLE_LABEL)],
          "the refusal's text")
    program.press(program.button("OK", box))
    program.wait_no_dialogs()
    for title, open_window, close in FRAMED_WINDOWS:
        press_frame_buttons(title, open_window, close)
    program.press_nowait(program.menu_item("File", "Exit"))
    check_equal(program.wait_exit(), 0, "exit code")


def main(binary, log_path, x_display):
    global program, compositor
    program = WaylandProgram(binary, log_path)
    compositor = Compositor(x_display)
    try:
        program.start()
        run()
        failure = None
    except Exception as e:  # noqa: BLE001 - reported below with its line
        failure = e
    finally:
        program.kill()
    with open(log_path, encoding="utf-8", errors="replace") as log:
        said = log.read().splitlines()
    errors = [line for line in said if WAYLAND_ERRORS.search(line)]
    if failure is not None:
        report_failure(failure, __file__)
    if errors:
        print("  the Wayland connection reported:\n    " + "\n    ".join(errors))
    if failure is not None or errors:
        print("FAIL; the program's last words:\n    " + "\n    ".join(said[-20:]))
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3]))
