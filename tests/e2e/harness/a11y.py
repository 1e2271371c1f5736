"""The program's widgets read through the accessibility tree (AT-SPI), as a screen reader reads
them: found by their place on a window, a label's name and a field's text."""

from .checks import check


class A11y:
    """Reads the program's widgets through AT-SPI by their place on a window."""

    def __init__(self, pid):
        import pyatspi  # imported here so that a missing binding names itself in the failure
        self.pyatspi = pyatspi
        self.pid = pid
        self.found = {}  # screen position -> the accessible last found there

    def application(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.pid:
                    return app
            except Exception:
                continue
        return None

    def extents(self, acc):
        try:
            e = acc.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
            return (e.x, e.y, e.width, e.height)
        except Exception:
            return None

    def top_level(self, geometry):
        """The accessible of the top-level window whose screen geometry is given."""
        app = self.application()
        if app is None:
            return None
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if child is not None and self.extents(child) == tuple(geometry):
                return child
        return None

    def text_at(self, geometry, rect):
        """The text shown by the widget lying at rect (content coordinates) of the window at
        geometry, or None when no showing widget lies there: a label's name, a field's text."""
        want = (geometry[0] + rect[0], geometry[1] + rect[1])
        acc = self.found.get(want)
        if acc is not None and not self.shows_at(acc, want):
            acc = None
        if acc is None:
            acc = self.find(geometry, want)
        if acc is None:
            return None
        self.found[want] = acc
        return self.shown_text(acc)

    def shows_at(self, acc, position):
        try:
            return acc.getState().contains(self.pyatspi.STATE_SHOWING) and (self.extents(acc) or ())[:2] == position
        except Exception:
            return False

    def shown_text(self, acc):
        try:
            if acc.getRoleName() == "label":
                return acc.name or ""
            t = acc.queryText()
            return t.getText(0, t.characterCount)
        except Exception:
            return None

    def find(self, geometry, position):
        """The showing widget whose top-left corner lies at the screen position."""
        root = self.top_level(geometry)
        check(root is not None, "the accessibility tree has no window at %r" % (geometry,))
        stack = [root]
        while stack:
            acc = stack.pop()
            try:
                if not acc.getState().contains(self.pyatspi.STATE_SHOWING):
                    continue
                role = acc.getRoleName()
            except Exception:
                continue
            if acc is not root and role in ("label", "text") and (self.extents(acc) or ())[:2] == position:
                return acc
            if role not in ("list", "label", "text", "push button"):
                stack.extend(acc.getChildAtIndex(i) for i in range(acc.childCount))
        return None
