"""The few X11 requests the tests make themselves, through libX11 (which Qt
needs anyway): list the top-level windows of a process, resize one as a user
dragging its border would, and look up key names. The test display has no
window manager, so requests reach the windows directly."""

import ctypes
import ctypes.util

_lib = None

XA_CARDINAL = 6
IS_VIEWABLE = 2


class _Attributes(ctypes.Structure):
    # XWindowAttributes, in the order Xlib.h declares it.
    _fields_ = [
        ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
        ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
        ("root", ctypes.c_ulong), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
        ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
        ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
        ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
        ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p),
    ]


def _x11():
    global _lib
    if _lib is None:
        lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        c, ulong, ptr = ctypes, ctypes.c_ulong, ctypes.POINTER
        for name, restype, argtypes in [
            ("XOpenDisplay", c.c_void_p, [c.c_char_p]),
            ("XCloseDisplay", c.c_int, [c.c_void_p]),
            ("XDefaultRootWindow", ulong, [c.c_void_p]),
            ("XInternAtom", ulong, [c.c_void_p, c.c_char_p, c.c_int]),
            ("XQueryTree", c.c_int, [c.c_void_p, ulong, ptr(ulong), ptr(ulong), ptr(ptr(ulong)), ptr(c.c_uint)]),
            ("XGetWindowProperty", c.c_int, [c.c_void_p, ulong, ulong, c.c_long, c.c_long, c.c_int, ulong, ptr(ulong),
                                             ptr(c.c_int), ptr(ulong), ptr(ulong), ptr(c.c_void_p)]),
            ("XGetWindowAttributes", c.c_int, [c.c_void_p, ulong, ptr(_Attributes)]),
            ("XFree", c.c_int, [c.c_void_p]),
            ("XResizeWindow", c.c_int, [c.c_void_p, ulong, c.c_uint, c.c_uint]),
            ("XSync", c.c_int, [c.c_void_p, c.c_int]),
            ("XStringToKeysym", ulong, [c.c_char_p]),
            ("XGetImage", c.c_void_p, [c.c_void_p, ulong, c.c_int, c.c_int, c.c_uint, c.c_uint, ulong, c.c_int]),
            ("XSetErrorHandler", c.c_void_p, [c.c_void_p]),
        ]:
            getattr(lib, name).restype = restype
            getattr(lib, name).argtypes = argtypes
        _lib = lib
    return _lib


class _Image(ctypes.Structure):
    # The start of XImage, as Xlib.h declares it.
    _fields_ = [
        ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
        ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int),
    ]


Z_PIXMAP = 2
ALL_PLANES = 0xFFFFFFFF

# A window can go between finding it and reading its pixels; that error
# must not end the caller (Xlib's own handler exits): the reading just
# answers nothing.
_ERROR_HANDLER_TYPE = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
_ignore_errors = _ERROR_HANDLER_TYPE(lambda _dpy, _event: 0)


def keysym(name):
    return _x11().XStringToKeysym(name.encode())


class _Display:
    def __enter__(self):
        self.dpy = _x11().XOpenDisplay(None)
        if not self.dpy:
            raise RuntimeError("cannot open the X display")
        return self

    def __exit__(self, *exc):
        _x11().XCloseDisplay(self.dpy)

    def prop(self, window, name, type_atom, length):
        x = _x11()
        atom = x.XInternAtom(self.dpy, name, 0)
        actual, fmt, count, after = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(), ctypes.c_ulong()
        data = ctypes.c_void_p()
        status = x.XGetWindowProperty(self.dpy, window, atom, 0, length, 0, type_atom, ctypes.byref(actual),
                                      ctypes.byref(fmt), ctypes.byref(count), ctypes.byref(after),
                                      ctypes.byref(data))
        if status != 0 or not data.value:
            return None
        try:
            if count.value == 0:
                return None
            if fmt.value == 32:
                return ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[0]
            return ctypes.string_at(data, count.value).decode("utf-8", "replace")
        finally:
            x.XFree(data)

    def top_levels(self):
        x = _x11()
        root_ret, parent_ret = ctypes.c_ulong(), ctypes.c_ulong()
        kids, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not x.XQueryTree(self.dpy, x.XDefaultRootWindow(self.dpy), ctypes.byref(root_ret),
                            ctypes.byref(parent_ret), ctypes.byref(kids), ctypes.byref(count)):
            raise RuntimeError("cannot list the X windows")
        windows = [kids[i] for i in range(count.value)]
        if kids:
            x.XFree(kids)
        return windows

    def contents(self, window, width, height):
        """The window's pixels (width x height from its top-left corner), as
        bytes; None when the window cannot be read (gone, or off screen)."""
        x = _x11()
        previous = x.XSetErrorHandler(ctypes.cast(_ignore_errors, ctypes.c_void_p))
        try:
            image = x.XGetImage(self.dpy, window, 0, 0, width, height, ALL_PLANES, Z_PIXMAP)
        finally:
            x.XSetErrorHandler(previous)
        if not image:
            return None
        info = ctypes.cast(image, ctypes.POINTER(_Image)).contents
        try:
            return ctypes.string_at(info.data, info.bytes_per_line * info.height)
        finally:
            x.XFree(info.data)
            x.XFree(image)

    def windows_of(self, pid):
        x = _x11()
        utf8 = x.XInternAtom(self.dpy, b"UTF8_STRING", 0)
        found = []
        for w in self.top_levels():
            if self.prop(w, b"_NET_WM_PID", XA_CARDINAL, 1) != pid:
                continue
            attrs = _Attributes()
            if not x.XGetWindowAttributes(self.dpy, w, ctypes.byref(attrs)):
                continue
            title = self.prop(w, b"_NET_WM_NAME", utf8, 256) or ""
            found.append((w, title, attrs.map_state == IS_VIEWABLE, attrs.width, attrs.height))
        return found


def connection():
    """A connection to the display to keep open for many requests, as a
    context manager; its windows_of(pid) is as below."""
    return _Display()


def windows_of(pid):
    """The top-level windows of process `pid`: (window, title, mapped, width,
    height) for each."""
    with _Display() as d:
        return d.windows_of(pid)


def resize(window, width, height):
    x = _x11()
    with _Display() as d:
        x.XResizeWindow(d.dpy, window, width, height)
        x.XSync(d.dpy, 0)


if __name__ == "__main__":
    # xwindows.py PID: prints the process's mapped top-level windows.
    import sys

    for _w, title, mapped, width, height in windows_of(int(sys.argv[1])):
        if mapped:
            print(f"{width}x{height} {title}")
