"""Lists the note tiles of the real program as a screen reader finds them on the AT-SPI bus.

Starts a fresh Xvfb display, then itself again inside a D-Bus session of its own on that display (so the
accessibility bus and its registry know the display and can type keys). There it copies the program folder given as the first
argument to a temporary one with a notes file of its own and the shipped settings (the second argument is the
shipped data folder, so settings left in the build by a user do not count), starts the program there with Qt's
accessibility bridge on, and polls the bus for up to 20 seconds until the grid's items carry the
names the notes should give them.
"""
import datetime
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time


WEEKDAYS = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]
MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
          "November", "December"]
SHOWN_DAYS = 3  # the shipped options show three days from today


def start_xvfb():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["/usr/bin/Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            raise RuntimeError("Xvfb ended before it named its display")
        number += chunk
    os.close(read_end)
    return xvfb, ":" + number.decode().strip()


pyatspi = None  # imported inside the D-Bus session only


def find_all(accessible, test, depth=0):
    """The objects under an accessible object (itself included) that pass `test`, in the order of the bus."""
    found = []
    if depth > 12:
        return found
    try:
        if test(accessible):
            found.append(accessible)
        for child in accessible:
            if child is not None:
                found += find_all(child, test, depth + 1)
    except Exception:  # an object that went away while it was read
        pass
    return found


def plandeck():
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.name.lower() == "plandeck":
                return app
        except Exception:
            continue
    return None


def tile_names(app):
    return [item.name for item in find_all(app, lambda a: a.getRole() == pyatspi.ROLE_LIST_ITEM)]


def poll(what, seconds):
    """What `what` gives once it gives something, or None after `seconds`."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = what()
        if result:
            return result
        time.sleep(0.5)
    return None


def expected_names(first, days):
    names = []
    for k in range(days):
        day = first + datetime.timedelta(days=k)
        said = "%s %d %s" % (WEEKDAYS[day.weekday()], day.day, MONTHS[day.month - 1])
        names.append(said + ", 9:00 to 10:00, Work: Team stand-up")
        names.append(said + ", 13:30 to 14:45, Home: Lunch with Ann")
    return names


def show(title, names):
    print(title)
    for name in names or []:
        print("  " + name)


def main():
    program_folder, shipped = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="plandeck-atspi-")
    folder = os.path.join(work, "Plandeck")
    shutil.copytree(program_folder, folder,
                    ignore=shutil.ignore_patterns("all.txt", "category.txt", "frmtoday.ini", "*.lock"))
    for settings in ("pdopt.ini", "sys.ini"):
        shutil.copy(os.path.join(shipped, "pdfiles", settings), os.path.join(folder, "pdfiles", settings))
    os.makedirs(os.path.join(folder, "pdnotes"), exist_ok=True)
    with open(os.path.join(folder, "pdnotes", "all.txt"), "wb") as f:
        f.write(b"yyyyyyyy09001000dTeam stand-up\r\nyyyyyyyy13301445eLunch with Ann\r\n")
    with open(os.path.join(folder, "pdfiles", "category.txt"), "wb") as f:
        f.write(b"Work\r\n255\r\nHome\r\n65280\r\n")
    runtime = os.path.join(work, "xdg")
    os.mkdir(runtime, 0o700)

    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(work, "config"))
    program = subprocess.Popen([os.path.join(folder, "plandeck")], env=env)
    try:
        today = datetime.date.today()
        expected = expected_names(today, SHOWN_DAYS)
        found = poll(lambda: (program.poll() is None and plandeck() and tile_names(plandeck()) == expected
                              and tile_names(plandeck())), 20)
        if program.poll() is not None:
            print("the program ended early with %d" % program.returncode)
            return 1
        if not found:
            app = plandeck()
            show("expected the tiles", expected)
            show("found " + ("no Plandeck on the bus" if app is None else "these items:"), app and tile_names(app))
            return 1
        show("the screen reader finds %d tiles:" % len(found), found)

        # The forward button is found by its hint and pressed through the bus: the days move on by one.
        forward = find_all(plandeck(), lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON
                           and a.name == "Go forward one day, or one week in the week view")
        if len(forward) != 1:
            print("expected one forward button, found %d" % len(forward))
            return 1
        forward[0].queryAction().doAction(0)
        moved = expected_names(today + datetime.timedelta(days=1), SHOWN_DAYS)
        if not poll(lambda: tile_names(plandeck()) == moved, 10):
            show("after the forward button, expected", moved)
            show("found", tile_names(plandeck()))
            return 1
        print("the forward button, pressed through the bus, moves the tiles on by a day")

        # The Down key selects the first tile, which becomes the focus. With no window manager the keys go to
        # the window under the pointer: it rests on the header, away from the tiles (pointing at one selects it).
        frame = find_all(plandeck(), lambda a: a.getRole() == pyatspi.ROLE_FRAME)[0]
        x, y = frame.queryComponent().getPosition(pyatspi.DESKTOP_COORDS)
        pyatspi.Registry.generateMouseEvent(x + 300, y + 20, pyatspi.MOUSE_ABS)
        time.sleep(0.5)
        pyatspi.Registry.generateKeyboardEvent(0xFF54, None, pyatspi.KEY_SYM)  # XK_Down
        focused = poll(lambda: [a.name for a in find_all(plandeck(), lambda a: a.getRole() == pyatspi.ROLE_LIST_ITEM
                                                          and a.getState().contains(pyatspi.STATE_FOCUSED))], 10)
        if focused != moved[:1]:
            show("after Down, expected the focus on", moved[:1])
            show("found it on", focused)
            return 1
        print("Down puts the focus on " + focused[0])
        return 0
    finally:
        program.send_signal(signal.SIGTERM)
        try:
            program.wait(10)
        except subprocess.TimeoutExpired:
            program.kill()
        shutil.rmtree(work, ignore_errors=True)


def outer():
    xvfb, display = start_xvfb()
    try:
        return subprocess.call(["/usr/bin/dbus-run-session", "--", sys.executable, __file__, "--inner"] + sys.argv[1:],
                               env=dict(os.environ, DISPLAY=display))
    finally:
        xvfb.terminate()
        xvfb.wait()


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] == "--inner":
        del sys.argv[1]
        import pyatspi
        sys.exit(main())
    sys.exit(outer())
