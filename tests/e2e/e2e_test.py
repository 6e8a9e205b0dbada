#!/usr/bin/python3 -B
# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

"""End-to-end tests: the built program in a real X window, driven through
the accessibility interface the way a screen reader or a user sees it.

Run through run_e2e.sh, which provides the X display and the buses:
    run_e2e.sh path/to/tolvaren [case-name ...]
Each case starts the program afresh and kills it at the end.
"""

import os
import re
import signal
import sys
import tempfile
import time
from unittest import mock

import pyatspi

from atspi_driver import (FACTS, MAIN_TITLE, OUTER_SIZE, WELCOME, WELCOME_LABEL, FocusEvents, Program, attributes,
                          check, check_equal, children, descendants, extents, form_title, has_focus, is_showing,
                          matcher, report_failure, set_text, text_of, wait_until)

CAPTION = MAIN_TITLE
CASE_LIMIT = 240  # seconds; a case that takes longer is stopped and fails
# What Qt writes when asked after an object that is gone, and its path.
GONE = re.compile(r'Could not find accessible on path: *"([^"]*)"')
NO_BRIDGE = "no accessibility bridge at"

SAME_UNIT = "Use your common sense!!! n*1 = n*1 ;where n = any digit"
SAME_UNIT_TITLE = "Warning: Your Common Sense is not in use"
NOT_A_NUMBER = "Input value is not a number"
TOO_LARGE = "The result is too large to show"
FROM_PLACEHOLDER, TO_PLACEHOLDER, OUTPUT_PLACEHOLDER = FACTS["placeholders"].split("|")
DESIGN_TEXTS = ("", FROM_PLACEHOLDER, TO_PLACEHOLDER, OUTPUT_PLACEHOLDER)

# Each measurement type, by the caption of its form: the buttons that open
# it on the welcome form and on the other converter forms, its units in
# list order, and its picture's name; read from the product.
CONVERTERS = FACTS["converters"].split("|")
FORMS = {title: dict(welcome=FACTS[f"{title}.welcome"], button=FACTS[f"{title}.button"],
                     units=FACTS[f"{title}.units"].split("|"), picture=FACTS[f"{title}.picture"])
         for title in CONVERTERS}
FORMS[WELCOME] = dict(picture=FACTS[f"{WELCOME}.picture"])

# (form, input, from, to, output shown): one per form for the wiring; the
# numbers themselves are checked by the core tables.
CONVERSIONS = [
    ("Distance", "5", "Meter", "Feet", " 16.404"),
    ("Mass", "2", "Ton", "Gram", " 1997600"),
    ("Temperature", "98.6", "deg. F", "deg. C", " 37"),
    ("Volume", "-2", "Quart", "Mililiter", "-1892"),
    ("Speed", "2", "Mach @ 20000ft", "Km/hour", " 2276"),
    ("Time", "90", "Minute", "Hour", " 1.53"),
]

CASES = []


def case(fn):
    CASES.append(fn)
    return fn


# -- the converter forms ------------------------------------------------


class Converter:
    """The controls of the converter form on screen."""

    def __init__(self, program):
        self.program = program
        self.form = program.current_form()
        # One walk through the form: each question is a trip to the program.
        found = {}
        for acc in descendants(self.form, lambda a: a.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX)):
            found.setdefault((acc.getRole(), acc.name), []).append(acc)

        def find(role, name):
            check(len(found.get((role, name), [])) == 1, f"expected one {name!r} on the form, found {found.keys()}")
            return found[role, name][0]

        self.input = find(pyatspi.ROLE_TEXT, "Input value")
        self.output = find(pyatspi.ROLE_TEXT, "Result")
        # Named for their use, not by the text they show.
        self.from_list = find(pyatspi.ROLE_COMBO_BOX, "Convert from unit")
        self.to_list = find(pyatspi.ROLE_COMBO_BOX, "Convert to unit")
        self.from_edit = self._edit_of(self.from_list)
        self.to_edit = self._edit_of(self.to_list)

    def _edit_of(self, combo):
        edits = [c for c in children(combo) if c.getRole() == pyatspi.ROLE_TEXT]
        check(len(edits) == 1, f"the list {combo.description!r} has no edit field")
        return edits[0]

    def items(self, combo):
        lists = [c for c in children(combo) if c.getRole() == pyatspi.ROLE_LIST]
        check(len(lists) == 1, "a unit list without its items")
        table = lists[0].queryTable()
        return [table.getAccessibleAt(row, 0).name for row in range(table.nRows)]

    def texts(self):
        return (text_of(self.input), text_of(self.from_edit), text_of(self.to_edit), text_of(self.output))

    def fill(self, value, from_unit, to_unit):
        set_text(self.input, value)
        set_text(self.from_edit, from_unit)
        set_text(self.to_edit, to_unit)
        check_equal(self.texts()[:3], (value, from_unit, to_unit), "texts after typing")

    def convert(self, value, from_unit, to_unit):
        """Clears the form with New, fills it, presses Convert and returns
        the new output. Clearing first means that a Convert that did nothing
        cannot pass for one that gave the same result again."""
        self.clear_output()
        self.fill(value, from_unit, to_unit)
        self.program.press(self.program.button("Convert", self.form))
        return wait_until(lambda: text_of(self.output) if text_of(self.output) != OUTPUT_PLACEHOLDER else None,
                          f"a result for {value!r} {from_unit} -> {to_unit}")

    def clear_output(self):
        """Presses New unless the form shows its design texts already. A
        pressed button clicks a moment after the press is answered, so the
        texts must be seen to change before anything else is typed."""
        if self.texts() != DESIGN_TEXTS:
            self.program.press(self.program.button("New", self.form))
            wait_until(lambda: self.texts() == DESIGN_TEXTS, f"New to restore the design texts (now {self.texts()})")


def open_form(program, title, key=None):
    """Opens a converter form from whatever form is on screen, with the
    button's action or by focusing the button and pressing `key`."""
    current = program.current_form()
    shown = form_title(current)
    if shown == title:
        return Converter(program)
    caption = FORMS[title]["welcome"] if shown == WELCOME else FORMS[title]["button"]
    press_button(program, program.button(caption, current), key)
    program.wait_form(title)
    return Converter(program)


def press_button(program, button, key=None):
    if key is None:
        program.press(button)
    else:
        program.focus(button)
        program.xkey(key)


def check_message(program, title, prompt, what, close_with=None):
    """Waits for a message box titled `title`, checks that it says `prompt`
    once and nothing else, and closes it with OK or with the key
    `close_with`."""
    box = program.wait_dialog(title)
    labels = [a.name for a in program.find_all(box, role=pyatspi.ROLE_LABEL) if a.name]
    # A message too short for a reader to read with the box is named after
    # the box's title too.
    check(labels in ([prompt], [f"{title}: {prompt}"]), f"{what}: expected {prompt!r}, got {labels}")
    # A reader says the box's name, its description and its labels.
    said = [box.name, box.description] + [t for a in program.find_all(box) for t in (a.name, a.description)]
    check_equal(sum(prompt in t for t in said), 1, f"{what}: times the text is said")
    check_tree(box, None)
    focusable = descendants(box, lambda a: pyatspi.STATE_FOCUSABLE in a.getState().getStates())
    check_equal([(a.getRole(), a.name) for a in focusable], [(pyatspi.ROLE_PUSH_BUTTON, "OK")],
                f"{what}: what takes the focus")
    ok = program.button("OK", box)
    if close_with is None:
        program.press(ok)
    else:  # the box gives OK the keyboard when it opens
        wait_until(lambda: has_focus(ok), "OK to have the focus")
        program.xkey(close_with)
    wait_until(lambda: all(d.name != title for d in program.dialogs()), f"the {title!r} box to close")


# -- cases --------------------------------------------------------------


@case
def start_up(program):
    main = program.main_window()
    check_equal(main.name, CAPTION, "main window title")
    check_equal(extents(main)[2:], OUTER_SIZE, "outer size of the main window in pixels, as designed")
    welcome = program.current_form()
    check_equal(form_title(welcome), WELCOME, "the form shown at start")
    buttons = [b.name for b in program.find_all(welcome, role=pyatspi.ROLE_PUSH_BUTTON)]
    check_equal(sorted(buttons), sorted(FORMS[t]["welcome"] for t in CONVERTERS), "buttons of the welcome form")
    labels = [a.name for a in program.find_all(welcome, role=pyatspi.ROLE_LABEL)]
    check(WELCOME_LABEL in labels, f"welcome title missing from {labels}")
    # The welcome form fills the main window's client area.
    check_equal(extents(welcome), program.client_area(), "welcome form against the client area")
    check_equal(program.dialogs(), [], "windows besides the main window")


def conversion_case(title):
    def run(program):
        form = open_form(program, title)  # from the welcome form
        check_equal(form.texts(), DESIGN_TEXTS, "initial texts")
        units = FORMS[title]["units"]
        check_equal(form.items(form.from_list), units, "items of the from-list")
        check_equal(form.items(form.to_list), units, "items of the to-list")
        for value, from_unit, to_unit, expected in (c[1:] for c in CONVERSIONS if c[0] == title):
            got = form.convert(value, from_unit, to_unit)
            check_equal(got, expected, f"{value!r} {from_unit} -> {to_unit}")
            check_equal(program.dialogs(), [], "message boxes after a conversion")
        form.clear_output()  # New restores the four design texts
        shown = [i.name for i in descendants(form.form, matcher(role=pyatspi.ROLE_LIST_ITEM), showing_only=False)
                 if {pyatspi.STATE_SHOWING, pyatspi.STATE_VISIBLE} & set(i.getState().getStates())]
        check_equal(shown, [], "items of the closed lists on screen")

    run.__name__ = "convert_" + title.lower()
    return run


for _title in CONVERTERS:
    case(conversion_case(_title))


@case
def keyboard_entry(program):
    form = open_form(program, "Distance")
    # Each box has all its keys before the focus moves on: keys still on
    # their way would go to the next box.
    for edit, typed in [(form.input, "2.5"), (form.from_edit, "Inch"), (form.to_edit, "Centimeter")]:
        # The lists open with their placeholders; empty them as a user would
        # select and delete them.
        set_text(edit, "")
        program.type_keys(edit, typed)
        wait_until(lambda: text_of(edit) == typed, f"{typed!r} typed into {edit.name!r} (now {form.texts()})")
    wait_until(lambda: form.texts()[:3] == ("2.5", "Inch", "Centimeter"), f"the typed texts (now {form.texts()})")
    convert = program.button("Convert", form.form)
    check(convert.queryComponent().grabFocus(), "could not focus Convert")
    program.xkey("space")
    wait_until(lambda: text_of(form.output) == " 6.35", f"the result of the typed conversion (now {form.texts()})")


# (form, input, from, to, prompt, title); the form shows a result first, and
# the box must leave it standing.
MESSAGES = [
    ("Distance", "", "Meter", "Inch", "Incomplete data", "Error"),
    ("Distance", "2", FROM_PLACEHOLDER, "Inch", "Incomplete data", "Error"),
    ("Mass", "2", "Pound", TO_PLACEHOLDER, "Incomplete Data", "Error"),
    ("Temperature", "2", "", "K", "Incomplete Data", "Error"),
    ("Volume", "2", "Liter", "", "Incomplete Data", "Error"),
    ("Speed", "", "Knot", "Km/hour", "Incomplete data", "Error"),
    ("Time", "", "Day", "Hour", "Incomplete Data", "Error"),
    ("Time", "2", "Day", "Day", SAME_UNIT, SAME_UNIT_TITLE),
    ("Speed", "2", "abc", "abc", SAME_UNIT, SAME_UNIT_TITLE),
    ("Distance", "1E308", "Meter", "Inch", TOO_LARGE, "Error"),
    ("Temperature", "1E308", "deg. C", "deg. F", TOO_LARGE, "Error"),
]


@case
def message_boxes(program):
    for row, (title, value, from_unit, to_unit, prompt, box_title) in enumerate(MESSAGES):
        form = open_form(program, title)
        units = FORMS[title]["units"]
        before = form.convert("3", units[0], units[1])
        form.fill(value, from_unit, to_unit)
        program.press(program.button("Convert", form.form))
        check_message(program, box_title, prompt, f"message of {title} for {value!r} {from_unit!r} -> {to_unit!r}",
                      close_with=[None, "Return", "Escape"][row % 3])
        check_equal(text_of(form.output), before, f"{title} output after the {box_title!r} box")
        check_equal(program.current_title(), title, "form after the message box")

    program.press_nowait(program.menu_item("Help", "Help Topics"))
    check_message(program, "Help Topics", "Help Topics can be found in: tolvhelp.html in the same directory",
                  "Help Topics message")
    check(program.process.poll() is None, "the program ended after a message box")


# What no control may say it controls: a window or a pane.
WINDOWS_AND_PANES = (pyatspi.ROLE_FILLER, pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME, pyatspi.ROLE_ALERT)


def check_tree(root, picture):
    """What a reader finds in a window: its one picture, if any, named by
    what it shows; no object that says nothing (lines, icons; a pane that
    holds others may be unnamed); a modal window says so; and each
    relation once, to a real partner."""
    objects = descendants(root, lambda a: True)
    check_equal([a.name for a in objects if a.getRole() == pyatspi.ROLE_IMAGE], [picture] if picture else [],
                f"pictures of {root.name!r}")
    mute = [a.getRoleName() for a in objects if not a.name and (a.getRole() in (
        pyatspi.ROLE_SEPARATOR, pyatspi.ROLE_LABEL, pyatspi.ROLE_IMAGE, pyatspi.ROLE_ICON) or a.getRole() ==
        pyatspi.ROLE_FILLER and not a.childCount)]
    check_equal(mute, [], f"objects that say nothing in {root.name!r}")
    if root.getRole() != pyatspi.ROLE_FRAME:
        check(pyatspi.STATE_MODAL in root.getState().getStates(), f"{root.name!r} says it is modal")
    for acc in objects:
        relations = [(r.getRelationType(), r.getTarget(i).getRole(), r.getTarget(i).name)
                     for r in acc.getRelationSet() for i in range(r.getNTargets())]
        check_equal(len(set(relations)), len(relations), f"relations of {acc.getRoleName()} {acc.name!r} repeated")
        check(not any(t == pyatspi.RELATION_CONTROLLER_FOR and (role in WINDOWS_AND_PANES
                                                               or acc.getRole() == pyatspi.ROLE_PUSH_BUTTON)
                      for t, role, _ in relations), f"{acc.getRoleName()} {acc.name!r} controls {relations}")


def whole_text_selected(acc):
    text = acc.queryText()
    return text.getNSelections() == 1 and tuple(text.getSelection(0)) == (0, text.characterCount)


@case
def refused_input(program):
    """An input that is no number and a unit the list does not hold are
    refused with a box; the output stays, and the focus goes to the text at
    fault, selected, so the correction can be typed at once."""
    form = open_form(program, "Distance")
    before = form.convert("5", "Meter", "Feet")
    for value, from_unit, prompt, at_fault in [
            ("1,5", "Meter", NOT_A_NUMBER + '. Use a point for decimals: "1.5".', form.input),
            ("2", "meter", 'Unknown unit: "meter". Did you mean "Meter"?', form.from_edit),
            ("1E308", "Meter", TOO_LARGE, form.input)]:
        form.fill(value, from_unit, "Feet")
        program.press(program.button("Convert", form.form))
        check_message(program, "Error", prompt, f"refusal of {value!r} {from_unit!r}")
        check_equal(form.texts(), (value, from_unit, "Feet", before), f"texts after refusing {value!r} {from_unit!r}")
        wait_until(lambda: has_focus(at_fault) and whole_text_selected(at_fault),
                   f"{at_fault.name!r} focused with its text selected after the box (focused: {has_focus(at_fault)}, "
                   f"selection: {at_fault.queryText().getNSelections()})")

    win = open_prefix(program)
    win.select("Kilo")
    win.go()  # the design's input, 1: something on screen to keep
    wait_until(lambda: win.texts()[1] == " 1000", f"the first Go's answer (now {win.texts()})")
    shown = win.texts()
    set_text(win.input, "abc")
    win.go()
    check_message(program, "Error", NOT_A_NUMBER, "refusal of 'abc' in the prefix converter")
    check_equal(win.texts(), ("abc",) + shown[1:], "prefix texts after the refusal")
    wait_until(lambda: has_focus(win.input) and whole_text_selected(win.input),
               "the prefix input focused with its text selected after the box")
    program.press(program.button("Close", win.window))
    program.wait_no_dialogs()


def euler_circuit(titles):
    """An order of category-button presses that uses every button of every
    converter form exactly once and returns to the start."""
    unused = {t: [u for u in titles if u != t] for t in titles}
    stack, circuit = [titles[0]], []
    while stack:
        here = stack[-1]
        if unused[here]:
            stack.append(unused[here].pop())
        else:
            circuit.append(stack.pop())
    return circuit[::-1]


@case
def switching(program):
    titles = CONVERTERS
    route = euler_circuit(titles)
    check_equal(len(route), 31, "length of the route over all category buttons")
    converter = open_form(program, route[0])
    for here, there in zip(route, route[1:]):
        form = converter.form
        check_equal(form_title(form), here, "form on screen")
        frame = program.find(form, role=pyatspi.ROLE_PANEL)
        buttons = {b.name: b for b in program.find_all(frame, role=pyatspi.ROLE_PUSH_BUTTON)}
        others = sorted(FORMS[t]["button"] for t in titles if t != here)
        check_equal(sorted(buttons), others, f"category buttons on {here}")
        # Leave something on the form: the next visit must not see it.
        units = FORMS[here]["units"]
        converter.convert("7", units[0], units[1])
        # A reader hears of the focus once, on the new form, and of nothing
        # else that came into sight but the new form's frame: each event
        # more is one it must ask about before it says the new form.
        focused, shown = FocusEvents(), FocusEvents("object:state-changed:showing")
        try:
            shown.settle(form)
            heard = len(focused.events), len(shown.events)
            program.press(buttons[FORMS[there]["button"]])
            program.wait_form(there)
            converter = Converter(program)
            wait_until(lambda: focused.pump() or len(focused.events) > heard[0], f"the focus heard on {there}")
            shown.settle(converter.form)
            focused.settle(converter.form)
            # One event, from the control with the keyboard; for an editable
            # list, Qt 6.4 tells it of the list's edit field, Qt 6.8 of the
            # list itself.
            holders = {(a.getRole(), a.name) for a in descendants(converter.form, has_focus)}
            holders |= {(a.parent.getRole(), a.parent.name) for a in descendants(converter.form, has_focus)
                        if a.parent.getRole() == pyatspi.ROLE_COMBO_BOX}
            told = focused.events[heard[0]:]
            check(len(told) == 1 and told[0] in holders, f"focus heard, {here} to {there}: {told}, not one of {holders}")
            check_equal(set(shown.events[heard[1]:]), {(pyatspi.ROLE_FRAME, there)}, f"what came into sight, {here} to {there}")
        finally:
            focused.close()
            shown.close()
        check_equal(converter.texts(), DESIGN_TEXTS, f"{there} opened from {here}")
        check_equal(extents(converter.form), program.client_area(), f"{there} fills the main window")
    check(all(form_title(f) != WELCOME for f in program.mdi_children()), "the welcome form came back")


@case
def menus(program):
    check_equal(program.menu_entries("File"),
                ["Prefix Converter", "-", "Refresh Memory", "View Original Size", "-", "Exit"], "File menu")
    check_equal(program.menu_entries("Help"), ["Help Topics", "About"], "Help menu")

    # Refresh Memory leaves every text on screen as it is and says only so.
    form = open_form(program, "Volume")
    form.convert("2", "Liter", "Mililiter")
    shown = form.texts()
    for _ in range(2):
        said = FocusEvents(FocusEvents.NEWS)
        try:
            program.press(program.menu_item("File", "Refresh Memory"))
            said.wait_for("Memory cleared", "Refresh Memory to say what it did")
        finally:
            said.close()
        check_equal([d.name for d in program.dialogs()], [], "windows opened")
        check_equal(form.texts(), shown, "texts after Refresh Memory")

    # View Original Size after the user resized the window.
    main = program.main_window()
    frames = program.x_windows(CAPTION)
    check_equal(len(frames), 1, "X windows titled with the caption")

    # For a moment after start-up the program keeps fitting its frame to the
    # outer size, waiting to learn the frame's thickness; drag until the new
    # size holds.
    def resized():
        if extents(main)[2:] == (520, 430):
            return True
        program.resize_x_window(frames[0], 520, 430)
        time.sleep(0.2)
        return False

    wait_until(resized, f"the window to take the new size (now {extents(main)})")
    time.sleep(0.5)
    check_equal(extents(main)[2:], (520, 430), "size a moment after the resize")
    program.press(program.menu_item("File", "View Original Size"))
    wait_until(lambda: extents(main)[2:] == OUTER_SIZE, f"the original size again (now {extents(main)})")
    wait_until(lambda: extents(program.current_form()) == program.client_area(),
               "the form to fill the main window again")
    check_equal(program.current_title(), "Volume", "form after View Original Size")
    check_equal(form.texts(), shown, "texts after View Original Size")


PREFIXES = ["Tetra", "Giga", "Mega", "Kilo", "Hecto", "Deka", "Deci", "Centi", "Milli", "Micro", "Nano", "Pico"]

# (prefix, input, output, caption)
PREFIX_RUNS = [
    ("Kilo", "1", " 1000", "Kilo = 1.00 x 10 raced to 3"),
    ("Tetra", "2", " 2000000000000", "Tetra = 1.00 x 10 raced to 12"),
    ("Centi", "250", " 2.5", "Centi = 1.00 x 10 raced to -2"),
    ("Deka", "-3", "-30", "Deka = 1.00 x 10 raced to 1"),
]


class PrefixWindow:
    def __init__(self, program):
        self.program = program
        self.window = program.wait_dialog("Measurment Prefix")
        find = lambda **m: program.find(self.window, **m)  # noqa: E731
        self.list = find(role=pyatspi.ROLE_LIST, name="Prefix")
        self.input = find(role=pyatspi.ROLE_TEXT, name="Input value")
        self.output = find(role=pyatspi.ROLE_TEXT, name="Result")
        labels = [a for a in program.find_all(self.window, role=pyatspi.ROLE_LABEL)
                  if a.description == "The power of ten the last Go applied"]
        check(len(labels) == 1, "the label that shows the applied prefix")
        self.caption = labels[0]

    def items(self):
        return [c.name for c in children(self.list) if c.getRole() == pyatspi.ROLE_LIST_ITEM]

    def selected(self):
        return [c.name for c in children(self.list) if pyatspi.STATE_SELECTED in c.getState().getStates()]

    def select(self, prefix):
        row = self.items().index(prefix)
        self.list.queryTable().addRowSelection(row)
        wait_until(lambda: self.selected() == [prefix], f"{prefix} to be selected (now {self.selected()})")

    def texts(self):
        # A label has no text interface here: its name is its text.
        return text_of(self.input), text_of(self.output), self.caption.name

    def go(self):
        self.program.press(self.program.button("Go", self.window))


def open_prefix(program):
    program.press_nowait(program.menu_item("File", "Prefix Converter"))
    return PrefixWindow(program)


@case
def prefix_converter(program):
    form = open_form(program, "Distance")
    converted = form.convert("1", "Meter", "Inch")

    win = open_prefix(program)
    # A reader counts a list by its set size, the rows scrolled out of sight too.
    for what, got, want in [
            ("prefix list", win.items(), PREFIXES), ("selection on opening", win.selected(), []),
            ("texts on opening", win.texts(), ("1", OUTPUT_PLACEHOLDER, "")),
            ("set size of the prefix list", attributes(win.list).get("setsize"), str(len(win.items())))]:
        check_equal(got, want, what)

    # Go with no prefix selected.
    win.go()
    check_message(program, "Value missing", "Input value and/or prefix", "message for a missing prefix")
    check_equal(win.texts(), ("1", OUTPUT_PLACEHOLDER, ""), "texts after the missing-prefix message")

    for prefix, value, output, caption in PREFIX_RUNS:
        win.select(prefix)
        set_text(win.input, value)
        win.go()
        wait_until(lambda: win.texts()[1:] == (output, caption),
                   f"{prefix} x {value!r} to show {output!r} and {caption!r} (now {win.texts()})")

    # An empty input: the message, and the last answer stays.
    shown_before = win.texts()
    set_text(win.input, "")
    win.go()
    check_message(program, "Value missing", "Input value and/or prefix", "message for an empty input")
    check_equal(win.texts(), ("",) + shown_before[1:], "texts after the empty-input message")

    # A product beyond the double range: the overflow error, texts untouched.
    win.select("Tetra")
    set_text(win.input, "1E300")
    win.go()
    check_message(program, "Error", TOO_LARGE, "message for an overflowing prefix")
    check_equal(win.texts(), ("1E300",) + shown_before[1:], "texts after the overflow")

    program.press(program.button("Close", win.window))
    wait_until(lambda: not any(d.name == "Measurment Prefix" for d in program.dialogs()), "the prefix converter to close")
    check_equal(program.current_title(), "Distance", "form after the prefix converter")
    check_equal(text_of(form.output), converted, "the converter's result after the prefix converter")

    # Reopened, it starts from its design texts.
    win = open_prefix(program)
    check_equal(win.selected(), [], "selection on reopening")
    check_equal(win.texts(), ("1", OUTPUT_PLACEHOLDER, ""), "texts on reopening")
    program.press(program.button("Close", win.window))
    program.wait_no_dialogs()


@case
def about_box(program):
    form = open_form(program, "Speed")
    converted = form.convert("1", "Knot", "Mile/hour")
    # Closed with OK, then with the keyboard's Escape and Enter.
    for close_with in ["OK", "Escape", "Return"]:
        program.press_nowait(program.menu_item("Help", "About"))
        box = program.wait_dialog("About MyApp")
        check_tree(box, "The program's emblem")
        labels = [a.name for a in program.find_all(box, role=pyatspi.ROLE_LABEL)]
        check(f"Tolvaren version {FACTS['version']}" in labels, f"program title missing from {labels}")
        check(any(n.startswith("Description: Converts measurements.") for n in labels), f"description in {labels}")
        ok = program.button("OK", box)
        if close_with == "OK":
            program.press(ok)
        else:
            wait_until(lambda: pyatspi.STATE_FOCUSED in ok.getState().getStates(), "OK to have the focus")
            program.xkey(close_with)
        program.wait_no_dialogs()
    check_equal(program.current_title(), "Speed", "form after the About box")
    check_equal(text_of(form.output), converted, "the converter's result after the About box")


# -- keyboard and screen reader -----------------------------------------


@case
def window_captions(program):
    # Each form's frame is named by the form's caption; the main window's
    # title, in the accessibility tree and on the X window, stays as it is.
    for title in [WELCOME] + CONVERTERS:
        if title != WELCOME:
            open_form(program, title)
        check_equal(program.current_form().name, title, "name of the frame of the form on screen")
        check_equal(program.main_window().name, CAPTION, f"main window title with {title} open")
        check_equal(len(program.x_windows(CAPTION)), 1, f"X windows titled {CAPTION!r} with {title} open")
        check_tree(program.current_form(), FORMS[title]["picture"])


@case
def typing_on_open(program):
    # These forms give the keyboard to the from-list, placeholder selected.
    for title in ["Mass", "Temperature", "Volume"]:
        form = open_form(program, title, key="space")
        wait_until(lambda: has_focus(form.from_edit), f"the from-list of {title} to have the focus")
        program.xtype("Ton")
        wait_until(lambda: text_of(form.from_edit) == "Ton", f"{title} from-list to read 'Ton' ({form.texts()})")


@case
def enter_presses_buttons(program):
    form = open_form(program, "Distance", key="Return")  # a category button of the welcome form
    form.fill("5", "Meter", "Feet")
    press_button(program, program.button("Convert", form.form), "Return")
    wait_until(lambda: text_of(form.output) == " 16.404", f"Convert by Enter (now {form.texts()})")
    press_button(program, program.button("New", form.form), "Return")
    wait_until(lambda: form.texts() == DESIGN_TEXTS, f"New by Enter (now {form.texts()})")
    win = open_prefix(program)
    win.select("Kilo")
    press_button(program, program.button("Go", win.window), "Return")
    wait_until(lambda: win.texts()[1] == " 1000", f"Go by Enter (now {win.texts()})")
    press_button(program, program.button("Close", win.window), "Return")
    program.wait_no_dialogs()


@case
def unit_list_keys(program):
    # A list showing its placeholder has no current unit: Down picks the
    # first, on a fresh form and again after New.
    form = open_form(program, "Distance")
    for key, unit in [("Down", "Meter"), ("Down", "Inch"), ("New", FROM_PLACEHOLDER), ("Down", "Meter")]:
        if key == "New":
            program.press(program.button("New", form.form))
        else:
            program.focus(form.from_edit)
            program.xkey(key)
        wait_until(lambda: text_of(form.from_edit) == unit, f"{unit!r} after {key} ({form.texts()})")
    Converter(program)  # the lists keep their names whatever they show


BOUNDARIES = [pyatspi.TEXT_BOUNDARY_CHAR, pyatspi.TEXT_BOUNDARY_WORD_START, pyatspi.TEXT_BOUNDARY_WORD_END,
              pyatspi.TEXT_BOUNDARY_SENTENCE_START, pyatspi.TEXT_BOUNDARY_SENTENCE_END,
              pyatspi.TEXT_BOUNDARY_LINE_START, pyatspi.TEXT_BOUNDARY_LINE_END]


def read_everywhere(box):
    """Asks for the text at, before and after every offset by every kind of
    boundary, as a reader does. A request the program never answers fails on
    the bus's reply timeout."""
    text = box.queryText()
    whole = text.getText(0, -1)
    for offset in range(len(whole) + 1):
        for kind in BOUNDARIES:
            for ask in (text.getTextAtOffset, text.getTextBeforeOffset, text.getTextAfterOffset):
                try:
                    got, start, end = ask(offset, kind)
                except Exception as e:  # the bus's reply timeout
                    raise AssertionError(f"{box.name} {whole!r}: no answer to {ask.__name__}({offset}, {kind}): {e}")
                check((start, end, got) == (-1, -1, "") or 0 <= start <= end <= len(whole) and got == whole[start:end],
                      f"{box.name} {whole!r}: {ask.__name__}({offset}, {kind}) gave {(got, start, end)}")


def check_read_whole(box, expected):
    """A result is one line with one set of attributes, so that a reader
    says it whole."""
    text = box.queryText()
    check_equal(text.getText(0, -1), expected, f"{box.name} shown")
    check_equal(text.getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_LINE_START), (expected, 0, len(expected)), "the line")
    for offset in range(len(expected)):
        check_equal(text.getAttributeRun(offset)[1:], [0, len(expected)], f"attribute run at {offset} of {expected!r}")


@case
def text_reading(program):
    # Texts that begin with a blank, in every text box.
    form = open_form(program, "Distance")
    form.convert(" 5", "Meter", "Feet")
    check_read_whole(form.output, " 16.404")
    form.fill(" 16.404", " Meter", " Feet")
    for box in (form.input, form.from_edit, form.to_edit, form.output):
        read_everywhere(box)
    # The extents of a range come at once, however absurd the range, and a
    # range past the end, or to -1, covers the whole text.
    whole = program.ask(form.input, "Text", "GetRangeExtents", "(iiu)", (0, len(text_of(form.input)), 0))
    for start, end, expected in [(0, 2147483647, whole), (0, -1, whole), (-1, 100000, None)]:
        got = program.ask(form.input, "Text", "GetRangeExtents", "(iiu)", (start, end, 0))
        check(expected is None or got == expected, f"extents of ({start}, {end}): {got}, the whole text's {whole}")
    win = open_prefix(program)
    for prefix, value, result in [("Kilo", " 1", " 1000"), ("Milli", " 1000", " 1")]:
        win.select(prefix)
        set_text(win.input, value)
        win.go()
        wait_until(lambda: text_of(win.output) == result, f"{prefix} x {value!r} (now {win.texts()})")
        check_read_whole(win.output, result)
        read_everywhere(win.input)
        read_everywhere(win.output)
    program.press(program.button("Close", win.window))
    program.wait_no_dialogs()


@case
def menu_bar_focus(program):
    # Left and Right move between the menus; while one is open, every object
    # said to have the focus is in the menus. Escape closes the menu, and
    # Escape again takes the focus back to the control that had it. Each
    # key waits for what the last one did.
    form = open_form(program, "Distance")
    program.focus(form.input)
    for keys, item, menu in [(["F10", "Right"], "Help Topics", "Help"),
                             (["F10", "Down", "Right"], "Help Topics", "Help"),
                             (["F10", "Right", "Left"], "Prefix Converter", "File")]:
        heard = FocusEvents()
        try:
            for key in keys:
                program.xkey(key)
            heard.wait_for(item, f"{item!r} to take the focus after {keys}")
            popup = next(c for c in children(program._menu(menu)) if c.getRole() == pyatspi.ROLE_POPUP_MENU)
            program.xkey("Escape")
            wait_until(lambda: not is_showing(popup), f"the menu {menu!r} to close")
            heard.settle(form.input)
            away = [e for e in heard.events
                    if e[0] not in (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_BAR,
                                    pyatspi.ROLE_POPUP_MENU)]
            check_equal(away, [], f"focus outside the menus after {keys} (heard {heard.events})")
            seen = len(heard.events)
            program.xkey("Escape")
            heard.wait_for("Input value", f"the input box to take the focus after {keys} and Escape twice", after=seen)
            wait_until(lambda: has_focus(form.input), "the input box to have the focus")
            heard.settle(form.input)
            check_equal(heard.events[-1], (pyatspi.ROLE_TEXT, "Input value"),
                        f"last focus after Escape twice ({heard.events})")
        finally:
            heard.close()


# Each text, and the pieces a reader gets word by word: from a word's start
# to the next word's start; blanks before the first word are a piece of
# their own; the end of the text belongs to the last word.
WORD_PIECES = [
    (" 16.404", [(0, 1), (1, 7)]),
    (" 1000", [(0, 1), (1, 5)]),
    ("deg. C", [(0, 5), (5, 6)]),
    ("Mach @ 20000ft", [(0, 5), (5, 7), (7, 14)]),
    ("12 34", [(0, 3), (3, 5)]),
]


@case
def words_at_every_offset(program):
    form = open_form(program, "Speed")
    for text, pieces in WORD_PIECES:
        set_text(form.input, text)
        set_text(form.from_edit, text)
        # The unit list itself reads as its edit field.
        for box in (form.input, form.from_edit, form.from_list):
            reader = box.queryText()
            for offset in range(len(text) + 1):
                start, end = next((p for p in pieces if p[0] <= offset < p[1]), pieces[-1])
                # Qt hands both word boundaries to the program as one.
                for kind in (pyatspi.TEXT_BOUNDARY_WORD_START, pyatspi.TEXT_BOUNDARY_WORD_END):
                    check_equal(reader.getTextAtOffset(offset, kind), (text[start:end], start, end),
                                f"{box.name}: word at {offset} of {text!r} ({kind})")


@case
def prefix_choice_on_focus(program):
    open_form(program, "Distance")
    win = open_prefix(program)
    wait_until(lambda: has_focus(win.list), "the prefix list to have the focus")
    for _ in range(3):
        program.xkey("Down")
    wait_until(lambda: win.selected() == ["Mega"], f"Mega picked (now {win.selected()})")
    program.xkey("Tab")
    wait_until(lambda: has_focus(win.input), "the input box to have the focus")
    focused = [c.name for c in children(win.list) if pyatspi.STATE_FOCUSED in c.getState().getStates()]
    check_equal(focused, [], "prefix items claiming the focus while the list does not have it")
    heard = FocusEvents()
    try:
        program.xkey("shift+Tab")
        heard.wait_for("Mega", "the list's choice to take the focus with the list")
        heard.settle(win.list)
        check_equal(heard.events[-1], (pyatspi.ROLE_LIST_ITEM, "Mega"), f"last focus ({heard.events})")
    finally:
        heard.close()
    program.xkey("Escape")
    program.wait_no_dialogs()


@case
def enter_converts(program):
    form = open_form(program, "Distance")
    for key, box in [("Return", form.input), ("KP_Enter", form.input), ("Return", form.to_edit),
                     ("KP_Enter", form.from_edit), ("Return", form.from_edit), ("KP_Enter", form.to_edit)]:
        form.clear_output()
        form.fill("5", "Meter", "Feet")
        program.focus(box)
        program.xkey(key)
        wait_until(lambda: text_of(form.output) == " 16.404", f"{key} in {box.name} to convert (now {form.texts()})")
        check_equal(program.dialogs(), [], f"windows after {key} in {box.name}")
    # Keypad Enter on a focused button presses that button, as Enter does.
    press_button(program, program.button("New", form.form), "KP_Enter")
    wait_until(lambda: form.texts() == DESIGN_TEXTS, f"New by keypad Enter (now {form.texts()})")
    form.fill("5", "Meter", "Feet")
    # The news of the result names the unit, as the list shows it.
    news = FocusEvents(FocusEvents.NEWS)
    try:
        press_button(program, program.button("Convert", form.form), "KP_Enter")
        wait_until(lambda: text_of(form.output) == " 16.404", f"Convert by keypad Enter (now {form.texts()})")
        news.wait_for("Result 16.404 Feet", "the result announced")
    finally:
        news.close()

    win = open_prefix(program)
    win.select("Kilo")
    for key in ["Return", "KP_Enter"]:
        set_text(win.input, "2" if key == "Return" else "3")
        program.focus(win.input)
        program.xkey(key)
        expected = " 2000" if key == "Return" else " 3000"
        wait_until(lambda: win.texts()[1] == expected, f"{key} in the input box to press Go (now {win.texts()})")
    # Enter in the prefix list goes too.
    set_text(win.input, "4")
    program.focus(win.input)
    program.xkey("shift+Tab")
    wait_until(lambda: has_focus(win.list), "the prefix list to have the focus")
    program.xkey("Return")
    wait_until(lambda: win.texts()[1] == " 4000", f"Return in the prefix list to press Go (now {win.texts()})")
    program.press(program.button("Close", win.window))
    program.wait_no_dialogs()


def inside(inner, outer):
    """Whether the rectangle (x, y, width, height) `inner` lies in `outer`."""
    return (outer[0] <= inner[0] and inner[0] + inner[2] <= outer[0] + outer[2] and outer[1] <= inner[1]
            and inner[1] + inner[3] <= outer[1] + outer[3])


@case
def places_at_a_scale(program):
    """Where things are and how large, as a magnifier asks, in the screen's
    pixels whatever Qt's scale factor: as the X server says of the window."""
    for factor in ("1.25", "2"):
        program.kill()
        with mock.patch.dict(os.environ, QT_SCALE_FACTOR=factor):
            program.start()
        frames = program.x_windows(CAPTION)
        check_equal(len(frames), 1, "X windows titled with the caption")
        frames[0].configure(x=40, y=30)
        program._display().sync()

        def placed():
            g = frames[0].get_geometry()
            return (g.x, g.y) == (40, 30) and (g.x, g.y, g.width, g.height)

        on_screen = wait_until(placed, "the window to move")
        wait_until(lambda: extents(program.main_window()) == on_screen,
                   f"the main window's extents at scale {factor} to be its place on screen {on_screen} "
                   f"(now {extents(program.main_window())})")
        form = open_form(program, "Distance")
        set_text(form.input, "5")
        box = x, y, width, height = extents(form.input)
        text, component = form.input.queryText(), form.input.queryComponent()
        char = text.getCharacterExtents(0, pyatspi.DESKTOP_COORDS)
        whole = program.ask(form.input, "Text", "GetRangeExtents", "(iiu)", (0, 1, pyatspi.DESKTOP_COORDS))
        w = component.getExtents(pyatspi.WINDOW_COORDS)
        found, below = None, form.form
        while below is not None and below != found:  # Qt 6.8 answers a child, Qt 6.4 the deepest
            found, below = below, below.queryComponent().getAccessibleAtPoint(x + width // 2, y + height // 2,
                                                                              pyatspi.DESKTOP_COORDS)
        for what, got, want in [
            ("the outer size in pixels", on_screen[2:], tuple(round(n * float(factor)) for n in OUTER_SIZE)),
            (f"the first character {char} inside the input box {box}", inside(char, box), True),
            (f"the whole text {whole} around its first character {char} in the input box {box}",
             inside(char, whole) and inside(whole, box), True),
            ("the character at the first character's middle",
             text.getOffsetAtPoint(char[0] + char[2] // 2, char[1] + char[3] // 2, pyatspi.DESKTOP_COORDS), 0),
            ("the input box's place in its window", (w.x + on_screen[0], w.y + on_screen[1], w.width, w.height), box),
            ("the input box holding its middle, told in its window",
             component.contains(w.x + width // 2, w.y + height // 2, pyatspi.WINDOW_COORDS), True),
            ("what lies at the input box's middle", (found.getRole(), found.name), (pyatspi.ROLE_TEXT, "Input value")),
        ]:
            check_equal(got, want, f"{what} at scale {factor}")


@case
def exit_command(program):
    form = open_form(program, "Time")
    form.convert("2", "Day", "Hour")
    program.press_nowait(program.menu_item("File", "Exit"))
    check_equal(program.wait_exit(), 0, "exit code")


# -- runner -------------------------------------------------------------


class CaseTimeout(Exception):
    pass


def _alarm(signum, frame):
    raise CaseTimeout(f"case took longer than {CASE_LIMIT} s")


def main(argv):
    if len(argv) < 2:
        print("usage: e2e_test.py PROGRAM [CASE ...]", file=sys.stderr)
        return 2
    binary = os.path.abspath(argv[1])
    wanted = argv[2:]
    selected = [c for c in CASES if not wanted or c.__name__ in wanted]
    if wanted and len(selected) != len(wanted):
        print(f"unknown case in {wanted}", file=sys.stderr)
        return 2

    signal.signal(signal.SIGALRM, _alarm)
    # Qt 6.4 writes what it was asked after and could not find only among
    # its bridge's debug messages; without them the check below could not
    # fail there.
    rules = [os.environ.get("QT_LOGGING_RULES", ""), "qt.accessibility.atspi.debug=true"]
    os.environ["QT_LOGGING_RULES"] = ";".join(r for r in rules if r)
    log_dir = tempfile.mkdtemp(prefix="tolvaren-e2e-")
    failed = 0
    for fn in selected:
        name = fn.__name__
        print(f"[ RUN  ] {name}", flush=True)
        log = os.path.join(log_dir, name + ".log")
        program = Program(binary, log)
        started = time.monotonic()
        signal.alarm(CASE_LIMIT)
        ok = True
        try:
            program.start()
            fn(program)
            # Qt writes this when a client asks after a widget it told of
            # and that is gone; but not for a window the driver listed while
            # it closed, which the driver itself asked after too late.
            with open(log, errors="replace") as f:
                lines = f.readlines()
            gone = [line.strip() for line in lines if (m := GONE.search(line))
                    and m.group(1) not in program.listed_windows]
            check(not gone, f"asked after what is gone: {gone[:3]}")
            # Where Qt has moved its bridge, the program's own answers to readers are lost.
            check(not any(NO_BRIDGE in line for line in lines), "no bridge to stand in front of")
        except Exception as e:  # every failure, a timeout too, is reported the same way
            ok = False
            report_failure(e, __file__)
        finally:
            signal.alarm(0)
            program.kill()
        print(f"[{'  OK  ' if ok else ' FAIL '}] {name} ({time.monotonic() - started:.1f} s)", flush=True)
        if not ok:
            failed += 1
            with open(log, "rb") as f:
                output = f.read().decode("utf-8", "replace").strip()
            if output:
                print("  program output:\n    " + output.replace("\n", "\n    "))
    print(f"{len(selected) - failed} passed, {failed} failed", flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
