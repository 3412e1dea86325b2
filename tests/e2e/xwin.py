"""The few Xlib calls the end-to-end tests make themselves, through ctypes.

Reading the window's pixels straight from the X server (XGetImage) is much faster
than starting a screenshot tool for every frame, which matters because the tests
poll the window until a frame has settled. Closing the window the way a window
manager does (a WM_DELETE_WINDOW client message) has no command-line tool when no
window manager runs, so it is sent from here as well, and so are unmapping and mapping a window
again (what minimising and restoring it does) and a burst of one key at a fixed
rate (xdotool's delay drifts with the machine's load). Everything else (keys,
focus, window search, title) goes through xdotool and xprop, as a person's
desktop would.
"""

import ctypes
import ctypes.util
import time

_libname = ctypes.util.find_library("X11") or "libX11.so.6"
_x = ctypes.CDLL(_libname)
_xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")

Window = ctypes.c_ulong
Atom = ctypes.c_ulong


class XImage(ctypes.Structure):
    # Only the leading members are read; the function table that follows is
    # reached through XDestroyImage, which libX11 also exports as a function.
    _fields_ = [
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int),
        ("data", ctypes.c_void_p),
        ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
        ("red_mask", ctypes.c_ulong),
        ("green_mask", ctypes.c_ulong),
        ("blue_mask", ctypes.c_ulong),
    ]


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", Window),
        ("message_type", Atom),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


class XWindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int), ("y", ctypes.c_int),
        ("width", ctypes.c_int), ("height", ctypes.c_int),
        ("border_width", ctypes.c_int), ("depth", ctypes.c_int),
        ("visual", ctypes.c_void_p), ("root", Window),
        ("class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
        ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
        ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
        ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int),
        ("all_event_masks", ctypes.c_long), ("your_event_mask", ctypes.c_long),
        ("do_not_propagate_mask", ctypes.c_long), ("override_redirect", ctypes.c_int),
        ("screen", ctypes.c_void_p),
    ]


_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)

_x.XOpenDisplay.restype = ctypes.c_void_p
_x.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x.XCloseDisplay.argtypes = [ctypes.c_void_p]
_x.XGetImage.restype = ctypes.POINTER(XImage)
_x.XGetImage.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_int,
                         ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
_x.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
_x.XInternAtom.restype = Atom
_x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_x.XSendEvent.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_long,
                          ctypes.POINTER(XEvent)]
_x.XFlush.argtypes = [ctypes.c_void_p]
_x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, Window,
                                    ctypes.POINTER(XWindowAttributes)]
_x.XUnmapWindow.argtypes = [ctypes.c_void_p, Window]
_x.XMapWindow.argtypes = [ctypes.c_void_p, Window]
_x.XStringToKeysym.restype = ctypes.c_ulong
_x.XStringToKeysym.argtypes = [ctypes.c_char_p]
_x.XKeysymToKeycode.restype = ctypes.c_ubyte
_x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
_x.XSetErrorHandler.restype = ctypes.c_void_p
_x.XSetErrorHandler.argtypes = [_ERROR_HANDLER]

_ZPIXMAP = 2
_ALL_PLANES = 0xFFFFFFFF
_CLIENT_MESSAGE = 33
_IS_VIEWABLE = 2

_x_errors = []


@_ERROR_HANDLER
def _on_error(_display, _event):
    # A window that vanished between two calls is an ordinary outcome for a test
    # that closes it; Xlib's default handler would end the test process instead.
    _x_errors.append(1)
    return 0


_x.XSetErrorHandler(_on_error)


class Connection:
    """One client connection to the test's X server."""

    def __init__(self, display_name):
        self._d = _x.XOpenDisplay(display_name.encode())
        if not self._d:
            raise RuntimeError("cannot open X display %s" % display_name)

    def close(self):
        if self._d:
            _x.XCloseDisplay(self._d)
            self._d = None

    def _attributes(self, window):
        attrs = XWindowAttributes()
        del _x_errors[:]
        status = _x.XGetWindowAttributes(self._d, window, ctypes.byref(attrs))
        _x.XSync(self._d, 0)
        if status == 0 or _x_errors:
            return None
        return attrs

    def window_size(self, window):
        """(width, height, viewable) of the window, or None if it is gone."""
        attrs = self._attributes(window)
        if attrs is None:
            return None
        return attrs.width, attrs.height, attrs.map_state == _IS_VIEWABLE

    def grab(self, window):
        """The window's pixels as three planes (r, g, b) of bytes, row by row.

        Without a window manager freeglut places its window at (-1, -1), so its
        first row and column lie off the screen, where X has no pixels to give
        (XGetImage refuses any rectangle not wholly on the screen). The visible
        part is read and the missing edge rows and columns repeat their
        neighbours, so that pixel (px, py) of the result is pixel (px, py) of
        the window. Nothing the tests look at lies on the window's edge.
        """
        w, h, left, top, vw, raw = self._visible(window)
        stride = len(raw) // (h - top)
        rows = []
        for y in range(h - top):
            row = raw[y * stride:y * stride + 4 * vw]
            if left:
                row = row[:4] * left + row
            rows.append(row)
        rows = [rows[0]] * top + rows
        raw = b"".join(rows)
        # Little-endian 32-bit pixels: blue, green, red, pad.
        return w, h, raw[2::4], raw[1::4], raw[0::4]

    def snapshot(self, window):
        """The visible pixels as XGetImage gives them: cheap enough to compare
        a frame against another every few milliseconds."""
        return self._visible(window)[-1]

    def _visible(self, window):
        attrs = self._attributes(window)
        if attrs is None:
            raise RuntimeError("window 0x%x is gone" % window)
        w, h = attrs.width, attrs.height
        ox, oy = attrs.x + attrs.border_width, attrs.y + attrs.border_width
        left, top = max(0, -ox), max(0, -oy)
        vw, vh = w - left, h - top
        img = _x.XGetImage(self._d, window, left, top, vw, vh, _ALL_PLANES, _ZPIXMAP)
        if not img:
            raise RuntimeError("XGetImage failed on window 0x%x" % window)
        try:
            im = img.contents
            if im.bits_per_pixel != 32 or im.byte_order != 0 or im.red_mask != 0xFF0000 \
                    or im.blue_mask != 0xFF:
                raise RuntimeError("unexpected pixel layout: %d bpp, order %d, masks %x/%x/%x" % (
                    im.bits_per_pixel, im.byte_order, im.red_mask, im.green_mask, im.blue_mask))
            raw = ctypes.string_at(im.data, im.bytes_per_line * vh)
        finally:
            _x.XDestroyImage(img)
        return w, h, left, top, vw, raw

    def remap(self, window):
        """Unmaps the window and maps it again: without a compositor its pixels
        are gone and the program must paint them anew."""
        _x.XUnmapWindow(self._d, window)
        _x.XSync(self._d, 0)
        _x.XMapWindow(self._d, window)
        _x.XSync(self._d, 0)

    def type_key(self, name, times, interval):
        """Presses and releases one key `times` times into the focused window, one
        press every `interval` seconds by the clock; returns the moment of the last."""
        code = _x.XKeysymToKeycode(self._d, _x.XStringToKeysym(name.encode()))
        start = time.monotonic()
        for i in range(times):
            time.sleep(max(0.0, start + i * interval - time.monotonic()))
            _xtst.XTestFakeKeyEvent(self._d, code, 1, 0)
            _xtst.XTestFakeKeyEvent(self._d, code, 0, 0)
            _x.XFlush(self._d)
        return time.monotonic()

    def send_delete_window(self, window):
        """What a window manager sends when the user clicks the close button."""
        protocols = _x.XInternAtom(self._d, b"WM_PROTOCOLS", 0)
        delete = _x.XInternAtom(self._d, b"WM_DELETE_WINDOW", 0)
        ev = XEvent()
        ev.xclient.type = _CLIENT_MESSAGE
        ev.xclient.window = window
        ev.xclient.message_type = protocols
        ev.xclient.format = 32
        ev.xclient.data[0] = delete
        ev.xclient.data[1] = 0  # CurrentTime
        _x.XSendEvent(self._d, window, 0, 0, ctypes.byref(ev))
        _x.XFlush(self._d)
