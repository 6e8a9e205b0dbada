# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

"""Drives the running program from outside through the desktop accessibility
interface (AT-SPI), the way a screen reader sees it.

Every wait here is bounded: a wait that runs out raises Timeout, and the
program is killed when the driver is closed, whatever state it is in.
"""

import os
import signal
import subprocess
import time
import traceback

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

import pyatspi  # noqa: E402
import Xlib.display  # noqa: E402
import Xlib.error  # noqa: E402
from Xlib import X, XK, Xatom  # noqa: E402
from Xlib.ext import xtest  # noqa: E402

DEFAULT_WAIT = 30.0  # only a failing wait takes this long
POLL = 0.05


class Timeout(AssertionError):
    pass


def wait_until(predicate, what, timeout=DEFAULT_WAIT):
    """Polls `predicate` until it returns something true and returns that."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = predicate()
            if value:
                return value
        except GLib.GError as e:  # the tree changed under us; look again
            last_error = e
        if time.monotonic() >= deadline:
            extra = f" (last error: {last_error})" if last_error else ""
            raise Timeout(f"timed out after {timeout:.0f} s waiting for {what}{extra}")
        time.sleep(POLL)


def report_failure(error, script):
    """Prints a failure and the line of `script` (a test file) it came from."""
    print(f"  {type(error).__name__}: {error}")
    here = [f for f in traceback.extract_tb(error.__traceback__) if f.filename == script]
    if here:
        print(f"  at line {here[-1].lineno}: {here[-1].line}")


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def check_equal(actual, expected, what):
    if actual != expected:
        raise AssertionError(f"{what}: expected {expected!r}, got {actual!r}")


def _states(acc):
    try:
        return acc.getState().getStates()
    except GLib.GError:
        return []


def has_focus(acc):
    return pyatspi.STATE_FOCUSED in _states(acc)


def is_showing(acc):
    return pyatspi.STATE_SHOWING in _states(acc)


def children(acc):
    return [c for c in (acc.getChildAtIndex(i) for i in range(acc.childCount)) if c is not None]


def descendants(root, predicate, showing_only=True):
    """All accessibles below `root` that match, depth first, in tree order.
    Hidden subtrees are skipped unless `showing_only` is false: a form that
    was left stays in the tree for a moment before it is deleted."""
    found = []
    stack = [root]
    while stack:
        acc = stack.pop()
        stack.extend(c for c in reversed(children(acc)) if not showing_only or is_showing(c))
        if acc is not root and predicate(acc):
            found.append(acc)
    return found


def matcher(role=None, name=None):
    return lambda acc: (role is None or acc.getRole() == role) and (name is None or acc.name == name)


def text_of(acc):
    return acc.queryText().getText(0, -1)


def attributes(acc):
    """What `acc` tells of itself besides its name and role, by key."""
    return dict(pair.split(":", 1) for pair in acc.getAttributes())


def set_text(acc, value):
    check(acc.queryEditableText().setTextContents(value), f"could not set the text of {acc.name!r}")


def extents(acc):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (e.x, e.y, e.width, e.height)


def action_index(acc, action_name):
    action = acc.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == action_name:
            return i
    raise AssertionError(f"{acc.getRoleName()} {acc.name!r} has no action {action_name!r}")


class FocusEvents:
    """Records which objects the program says took the focus (or, given
    another state's event, came into that state), in order, as a screen
    reader hears of them: (role, name), the role by its value (its name
    differs between AT-SPI releases), None for one gone before it was
    asked. close() when done. Given NEWS, it records what the program
    announces: Qt's own announcement (Qt 6.8 on) by its text, a hidden
    notification shown (Qt 6.4) by its name."""

    NEWS = ("object:announcement", "object:state-changed:showing")

    def __init__(self, event="object:state-changed:focused"):
        self.events = []
        self._events = event if isinstance(event, tuple) else (event,)
        self._listener = Atspi.EventListener.new(self._heard)
        for e in self._events:
            self._listener.register(e)

    def _heard(self, event):
        if event.type.startswith("object:announcement"):
            self.events.append((None, str(event.any_data)))
        elif event.detail1:
            try:
                self.events.append((event.source.getRole(), event.source.name))
            except GLib.GError:
                self.events.append((None, ""))

    def pump(self, seconds=0):
        """Takes in the events that arrive within `seconds`, or those that
        have arrived."""
        deadline = time.monotonic() + seconds
        while True:
            while GLib.MainContext.default().iteration(False):
                pass
            if time.monotonic() >= deadline:
                return
            time.sleep(POLL)

    def settle(self, acc):
        """Takes in every event the program sent before it answers a question
        about `acc`: they come on the same connection, ahead of the answer."""
        _states(acc)
        self.pump()

    def wait_for(self, name, what, timeout=DEFAULT_WAIT, after=0):
        """Waits for a focus event on an object named `name` among the
        events after the first `after`."""
        def heard():
            self.pump(POLL)
            return any(n == name for _, n in self.events[after:])

        try:
            wait_until(heard, what, timeout)
        except Timeout as e:
            raise Timeout(f"{e}; heard {self.events}") from None

    def close(self):
        for e in self._events:
            self._listener.deregister(e)


def _product_facts():
    """The product's own facts (version, caption, outer size, converter
    forms), printed by product_facts from the designs."""
    out = subprocess.run([os.environ["TOLVAREN_FACTS"]], check=True, capture_output=True, text=True).stdout
    return dict(line.split("=", 1) for line in out.splitlines())


FACTS = _product_facts()
MAIN_TITLE = FACTS["caption"]
OUTER_SIZE = tuple(int(n) for n in FACTS["outer"].split("x"))
WELCOME = "Open"
WELCOME_LABEL = "        Welcome"


def form_title(frame):
    """The caption of a form shown inside the main window: its frame is named
    by it, while the main window's title stays as it is."""
    return frame.name


class Program:
    """One running instance of the program under test."""

    def __init__(self, binary, log_path):
        self.binary = binary
        self.log_path = log_path
        self.process = None
        self.app = None
        self._a11y_bus = None
        self._x = None
        # Every top-level window this driver has listed (its path on the bus).
        self.listed_windows = set()

    # -- lifetime --------------------------------------------------------

    def start(self, timeout=20.0):
        log = open(self.log_path, "ab")
        self.process = subprocess.Popen([self.binary], stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        log.close()
        self.app = wait_until(self._find_app, "the program on the accessibility bus", timeout)
        # Ask the program every time: cached names and children go stale
        # when forms are replaced.
        self.app.set_cache_mask(Atspi.Cache.NONE)
        wait_until(lambda: self.main_window(), "the main window", timeout)
        self.give_keyboard()
        return self

    def give_keyboard(self):
        """The test display has no window manager to give the new window the
        keyboard; do what one would."""
        for window in self.x_windows(MAIN_TITLE):
            self.xdo("windowfocus", "--sync", str(window.id))

    def _find_app(self):
        if self.process.poll() is not None:
            raise AssertionError(f"the program ended at start-up with code {self.process.returncode}")
        desktop = pyatspi.Registry.getDesktop(0)
        for app in children(desktop):
            try:
                if app.get_process_id() == self.process.pid and app.childCount > 0:
                    return app
            except GLib.GError:
                continue
        return None

    def wait_exit(self, timeout=DEFAULT_WAIT):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Timeout(f"the program did not end within {timeout:.0f} s") from None

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait(5)
        if self._x is not None:
            self._x.close()
            self._x = None

    # -- windows ---------------------------------------------------------

    def windows(self):
        """The program's top-level windows that are on screen. Each window
        listed is asked after once the list is in: one that closes in
        between (a box this driver waits to see closed) is gone by then, and
        the program writes that it was asked after what is gone. Such a
        question is this driver's own doing, not the program's, so every
        window listed is kept in `listed_windows`."""
        listed = children(self.app)
        self.listed_windows.update(w.path for w in listed)
        return [w for w in listed if is_showing(w)]

    def main_window(self):
        for w in self.windows():
            if w.getRole() == pyatspi.ROLE_FRAME and w.name.startswith(MAIN_TITLE):
                return w
        return None

    def dialogs(self):
        main = self.main_window()
        return [w for w in self.windows() if main is None or w != main]

    def wait_dialog(self, title, timeout=DEFAULT_WAIT):
        return wait_until(
            lambda: next((d for d in self.dialogs() if d.name == title), None), f"a window titled {title!r}", timeout
        )

    def wait_no_dialogs(self, timeout=DEFAULT_WAIT):
        wait_until(lambda: not self.dialogs(), "every dialog to close", timeout)

    # -- X windows -------------------------------------------------------

    def _display(self):
        if self._x is None:
            self._x = Xlib.display.Display()
        return self._x

    def x_windows(self, title):
        """The program's mapped top-level X windows titled `title`. The test
        display has no window manager, so these are children of the root
        window, and requests reach them directly."""
        x = self._display()
        pid_atom, name_atom = x.intern_atom("_NET_WM_PID"), x.intern_atom("_NET_WM_NAME")
        utf8 = x.intern_atom("UTF8_STRING")
        found = []
        for window in x.screen().root.query_tree().children:
            try:
                pid = window.get_full_property(pid_atom, Xatom.CARDINAL)
                if pid is None or pid.value[0] != self.process.pid:
                    continue
                if window.get_attributes().map_state != X.IsViewable:
                    continue
                name = window.get_full_property(name_atom, utf8)
            except Xlib.error.XError:  # gone between the listing and the question
                continue
            if name is not None and name.value.decode("utf-8", "replace") == title:
                found.append(window)
        return found

    def resize_x_window(self, window, width, height):
        """Resizes a top-level window as a user dragging its border would."""
        window.configure(width=width, height=height)
        self._display().sync()

    def workspace(self):
        """The main window's area for forms: an unnamed pane, which screen
        readers pass over, holding the forms' frames."""
        panes = descendants(self.main_window(), lambda a: a.getRole() == pyatspi.ROLE_PANEL and not a.name
                            and any(c.getRole() == pyatspi.ROLE_FRAME for c in children(a)))
        check(len(panes) == 1, f"expected one area for forms in the main window, found {len(panes)}")
        return panes[0]

    def mdi_children(self):
        """The forms shown inside the main window."""
        return [f for f in children(self.workspace()) if is_showing(f) and f.getRole() == pyatspi.ROLE_FRAME]

    def current_form(self):
        forms = self.mdi_children()
        check(len(forms) == 1, f"expected one form inside the main window, found {[form_title(f) for f in forms]}")
        return forms[0]

    def client_area(self):
        """The extents of the main window's area for forms."""
        return extents(self.workspace())

    def current_title(self):
        return form_title(self.current_form())

    def wait_form(self, title, timeout=DEFAULT_WAIT):
        def ready():
            forms = self.mdi_children()
            return forms[0] if len(forms) == 1 and form_title(forms[0]) == title else None

        def now():
            return [form_title(f) for f in self.mdi_children()]

        try:
            return wait_until(ready, f"the form {title!r} alone inside the main window", timeout)
        except Timeout as e:
            raise Timeout(f"{e}; showing {now()}") from None

    # -- controls --------------------------------------------------------

    def find_all(self, root=None, **match):
        return descendants(root or self.main_window(), matcher(**match))

    def find(self, root=None, **match):
        found = self.find_all(root, **match)
        check(len(found) == 1, f"expected one control matching {match}, found {len(found)}")
        return found[0]

    def button(self, caption, root=None):
        return self.find(root, role=pyatspi.ROLE_PUSH_BUTTON, name=caption)

    def press(self, acc):
        """Presses a button through its action. Qt clicks it a moment later,
        after answering, so a modal box it opens does not block the call."""
        check(acc.queryAction().doAction(action_index(acc, "Press")), f"pressing {acc.name!r} failed")

    def press_nowait(self, acc):
        """Presses a control whose action runs before the program answers,
        as a menu item does: a modal window it opens, or the end of the
        program, would hold the answer back. The request is sent and not
        waited for."""
        index = action_index(acc, "Press")
        bus = self._bus()
        bus.call(acc.app.bus_name, acc.path, "org.a11y.atspi.Action", "DoAction", GLib.Variant("(i)", (index,)), None,
                 Gio.DBusCallFlags.NO_AUTO_START, 1000, None, None, None)
        bus.flush_sync(None)

    def _bus(self):
        if self._a11y_bus is None:
            session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
            reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                      GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 5000, None)
            flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
            self._a11y_bus = Gio.DBusConnection.new_for_address_sync(reply.unpack()[0], flags, None, None)
        return self._a11y_bus

    def ask(self, acc, interface, method, signature, args, timeout=5.0):
        """Asks `acc` a question straight over the bus and returns the
        answer; one that does not come within `timeout` fails."""
        try:
            return self._bus().call_sync(acc.app.bus_name, acc.path, "org.a11y.atspi." + interface, method,
                                         GLib.Variant(signature, args), None, Gio.DBusCallFlags.NO_AUTO_START,
                                         int(timeout * 1000), None).unpack()
        except GLib.GError as e:
            raise AssertionError(f"no answer to {method}{args} from {acc.name!r} within {timeout:.0f} s: {e}") from None

    def _menu(self, menu):
        bar = self.find(self.main_window(), role=pyatspi.ROLE_MENU_BAR)
        top = next((m for m in children(bar) if m.name == menu), None)
        check(top is not None, f"no menu {menu!r}")
        return top

    def menu_item(self, menu, item):
        top = self._menu(menu)
        entries = descendants(top, matcher(role=pyatspi.ROLE_MENU_ITEM, name=item), showing_only=False)
        check(len(entries) == 1, f"expected one item {item!r} in the menu {menu!r}, found {len(entries)}")
        return entries[0]

    def menu_entries(self, menu):
        """The captions of a menu's entries in order, separators as "-"."""
        top = self._menu(menu)
        popup = next((c for c in children(top) if c.getRole() == pyatspi.ROLE_POPUP_MENU), top)
        return ["-" if entry.getRole() == pyatspi.ROLE_SEPARATOR else entry.name for entry in children(popup)]

    def focus(self, acc):
        check(acc.queryComponent().grabFocus(), f"could not focus {acc.name!r}")
        wait_until(lambda: has_focus(acc), f"{acc.name!r} to take the focus")

    def type_keys(self, acc, keys):
        """Types `keys` with real key presses into `acc` after focusing it."""
        self.focus(acc)
        self.xtype(keys)

    # Real key presses from outside: they go to the window that has the
    # keyboard.
    def xdo(self, *args):
        subprocess.run(["xdotool", *args], check=True, timeout=5)

    def xkey(self, *keys):
        """Presses and releases each key, by X key name, with its modifiers
        ("shift+Tab")."""
        keyboard = Keyboard(self._display())
        for key in keys:
            keyboard.press(key)

    def xtype(self, text):
        Keyboard(self._display()).type(text)


class Keyboard:
    """Key presses as a user's keyboard makes them: the key code of the key
    that gives a key name with no modifier held, pressed and released through
    the X server's test extension, and Shift, Control or Alt only when asked
    for. (xdotool's `key F10` holds Alt on xkeyboard-config 2.48: the type of
    its function keys now maps Alt to their first level explicitly, and
    xdotool takes the first modifiers it finds mapped to the level that holds
    the key name.)

        keyboard = Keyboard(Xlib.display.Display())
        keyboard.press("F10"); keyboard.press("shift+Tab"); keyboard.type("Ton")
        keyboard.down("ctrl"); keyboard.press("Home"); keyboard.up("ctrl")
    """

    MODIFIERS = {"shift": "Shift_L", "ctrl": "Control_L", "alt": "Alt_L"}

    def __init__(self, display):
        self._x = display

    def _code(self, keysym, level=0):
        """The key that gives `keysym` at `level` (0 bare, 1 with Shift)."""
        codes = [code for code, index in self._x.keysym_to_keycodes(keysym) if index == level]
        return codes[0] if codes else None

    def _name_code(self, name):
        code = self._code(XK.string_to_keysym(self.MODIFIERS.get(name.lower(), name)))
        check(code is not None, f"no key gives {name!r} bare")
        return code

    def _send(self, kind, codes):
        for code in codes:
            xtest.fake_input(self._x, kind, code)
        self._x.sync()

    def down(self, name):
        self._send(X.KeyPress, [self._name_code(name)])

    def up(self, name):
        self._send(X.KeyRelease, [self._name_code(name)])

    def press(self, combo):
        """One key, with the modifiers before it held: "F10", "shift+Tab"."""
        codes = [self._name_code(name) for name in combo.split("+")]
        self._send(X.KeyPress, codes)
        self._send(X.KeyRelease, reversed(codes))

    def type(self, text):
        """Each character as its key gives it, bare or with Shift."""
        for char in text:
            keysym = ord(char)  # a Latin-1 character is its own keysym
            for level, held in ((0, []), (1, [self._name_code("shift")])):
                code = self._code(keysym, level)
                if code is not None:
                    break
            check(code is not None, f"no key types {char!r}")
            self._send(X.KeyPress, held + [code])
            self._send(X.KeyRelease, [code] + held)
