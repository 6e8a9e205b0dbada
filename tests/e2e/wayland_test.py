# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

"""The program on a native Wayland compositor, driven through AT-SPI only:
each converter form converts once, the prefix converter and the About box
open and close, one refusal box, then Exit. Anything the Wayland connection
reports as an error fails the test, even if every step passed.

    wayland_test.py PROGRAM LOG
"""

import re
import sys

import pyatspi
from atspi_driver import Program, check, check_equal, report_failure, set_text, text_of, wait_until

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
    program.press_nowait(program.menu_item("File", "Exit"))
    check_equal(program.wait_exit(), 0, "exit code")


def main(binary, log_path):
    global program
    program = WaylandProgram(binary, log_path)
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
    sys.exit(main(sys.argv[1], sys.argv[2]))
