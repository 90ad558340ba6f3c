"""Drives the real Lumo.exe from the Linux side, the way a user would: it copies the executable into a
fresh folder, starts it under Wine on the test display, and then acts only through real X input
(xdotool) and judges only what a user or a later run can see: screenshots of the client area (pixel
probes), the bytes of "PlayList.txt" and "Settings.ini" beside the executable, and the exit code.

Flows are plain functions decorated with @flow; run_suite() runs them one after the other and writes
a JUnit XML file in GoogleTest's format, so the test runner counts each flow like a test case.
Needs the environment tools/run-tests.sh sets up (tools/lumo-env.sh: WINEPREFIX, HOME, LANG...; an
Xvfb DISPLAY; a persistent wineserver).

Coordinates are client coordinates of Lumo's frame window (320 x 480; the status bar is the top 24
rows, the page's title bar the next 44). Without a window manager Wine paints the caption and borders
into the X window itself; their sizes are fixed (FRAME_BORDER, FRAME_TOP) and the client area's size
is read from the X window's geometry at each start.
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import traceback
import xml.sax.saxutils
import zlib

CLIENT_CX = 320
CLIENT_CY = 480
STATUS_BAR = 24
TITLE_BAR = 44

# Wine's frame around the client area (no window manager; measured under Wine 8: a 320 x 480 client
# makes a 326 x 505 X window, the status bar starting 22 rows down).
FRAME_BORDER = 3
FRAME_TOP = 22

# How long Lumo gets for each step. Wine starts a process in well under two seconds here, but the
# first start on a loaded machine, which also starts Wine's own services, has taken over 20 s.
WINDOW_TIMEOUT = 40.0
EXIT_TIMEOUT = 20.0
# A start that ends sooner than this never reached Lumo's code (Wine alone takes longer to load it).
WINE_GAVE_UP_S = 0.5

# xdotool types non-ASCII text only when it runs under an installed UTF-8 locale.
XDOTOOL_ENV = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8")


class FlowFailure(Exception):
    """A check of a flow did not hold: what the user would have seen differs."""


def check(condition, message):
    if not condition:
        raise FlowFailure(message)


def wait_for(predicate, timeout, interval=0.05, what="condition"):
    """Polls predicate() until it returns something true; returns that value or raises FlowFailure."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise FlowFailure("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def xdotool(*args, may_fail=False):
    """Runs one xdotool command chain; returns (exit code, output). A failure raises FlowFailure
    unless may_fail (a search that finds nothing exits with 1)."""
    result = subprocess.run(["xdotool"] + [str(a) for a in args], env=XDOTOOL_ENV,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if result.returncode != 0 and not may_fail:
        raise FlowFailure("xdotool %s failed: %s" % (args[0], result.stderr.strip()))
    return result.returncode, result.stdout.strip()


# --- Screenshots ------------------------------------------------------------------------------------

class Screenshot:
    """What the screen shows of the client area: 320 x 480 RGB triples, top-down."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb  # bytes, 3 per pixel

    def probe(self, x, y):
        """The (r, g, b) of client pixel (x, y)."""
        i = (y * self.width + x) * 3
        return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]

    def near(self, x, y, colour, tolerance=3):
        return all(abs(a - b) <= tolerance for a, b in zip(self.probe(x, y), colour))

    def distinct_colours(self, step=4):
        """How many different colours a grid of every step-th pixel holds (1 for a blank screen)."""
        seen = set()
        for y in range(0, self.height, step):
            for x in range(0, self.width, step):
                seen.add(self.probe(x, y))
        return len(seen)

    def rows(self, top, bottom):
        """The pixels of rows top .. bottom - 1, for comparing parts of two screenshots."""
        return self.rgb[top * self.width * 3:bottom * self.width * 3]

    def save_png(self, path):
        rows = b"".join(b"\x00" + self.rgb[y * self.width * 3:(y + 1) * self.width * 3]
                        for y in range(self.height))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                      + chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))


def read_ppm(data):
    """Parses a binary PPM (P6, maxval 255) into (width, height, rgb bytes)."""
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b"P6" or fields[3] != b"255":
        raise FlowFailure("unexpected screenshot format %r" % fields[:1])
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + width * height * 3]
    return width, height, pixels


# --- One running Lumo.exe ---------------------------------------------------------------------------

class Lumo:
    """Lumo.exe started in a folder; the window's client area is where every action lands."""

    def __init__(self, suite, folder):
        self.suite = suite
        self.folder = folder
        self.process = None
        self.window = None
        self.origin = (0, 0)  # the client area's top-left corner inside the X window
        self.client = (0, 0)  # the client area's size
        self.last = None      # the latest Screenshot

    # Start and end ----------------------------------------------------------------------------------

    def start(self, args=(), cwd=None):
        """Starts Lumo.exe from its folder (or `cwd`) with command-line `args` and waits for its frame
        window to be mapped."""
        self.suite.started.append(self)
        for attempt in range(2):
            began = time.monotonic()
            self.process = self.launch(args, cwd)
            try:
                self.window = wait_for(self._find_window, WINDOW_TIMEOUT, 0.05, "Lumo's window")
                break
            except FlowFailure as failure:
                # Lumo itself needs far longer than WINE_GAVE_UP_S to reach its first line: an end
                # that early is Wine's loader failing to start the process (seen once, with code 1
                # after 60 ms, on a loaded machine). One more start tells that from a fault of
                # Lumo's, which ends the same way again.
                quick = time.monotonic() - began < WINE_GAVE_UP_S
                if attempt or not quick or self.process.poll() is None:
                    raise FlowFailure("%s\n%s" % (failure, self.wine_errors()))
                print("e2e: Wine ended at start with code %d within %.2f s; starting again\n%s"
                      % (self.process.returncode, WINE_GAVE_UP_S, self.wine_errors()), flush=True)
        # On top of anything another test left on the display: screenshots read the screen, and
        # clicks land on the topmost window.
        xdotool("windowraise", self.window)
        self._measure_frame()
        return self

    def launch(self, args=(), cwd=None):
        """Starts a Lumo.exe process of this folder and returns it, without waiting for anything."""
        # Wine's output goes to files beside the folder (a pipe would be held open by Wine's helper
        # processes); the child has its own copies of the handles.
        logs = os.path.dirname(self.folder)
        with open(os.path.join(logs, "wine.out"), "ab") as out, \
                open(os.path.join(logs, "wine.err"), "ab") as err:
            return subprocess.Popen(["wine", os.path.join(self.folder, "Lumo.exe")] + list(args),
                                    cwd=cwd or self.folder, stdin=subprocess.DEVNULL, stdout=out,
                                    stderr=err)

    def wine_errors(self, lines=12):
        """The last lines Wine wrote to its error output during this flow."""
        try:
            with open(os.path.join(os.path.dirname(self.folder), "wine.err"), "rb") as err:
                tail = err.read().decode("utf-8", "replace").splitlines()[-lines:]
        except OSError:
            tail = []
        return "Wine's error output ends:\n  " + "\n  ".join(tail) if tail else "(Wine wrote no errors)"

    def _find_window(self):
        if self.process.poll() is not None:
            raise FlowFailure("Lumo.exe ended with exit code %d before its window appeared"
                              % self.process.returncode)
        code, out = xdotool("search", "--onlyvisible", "--pid", self.process.pid, "--name", "^Lumo$",
                            may_fail=True)
        return out.split()[0] if code == 0 and out else None

    def _measure_frame(self):
        # Without a window manager the X window is the whole Win32 window: Wine draws the caption and
        # the borders into it, FRAME_BORDER pixels at the left, right and bottom, FRAME_TOP at the top.
        _, out = xdotool("getwindowgeometry", "--shell", self.window)
        geometry = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        width, height = int(geometry["WIDTH"]), int(geometry["HEIGHT"])
        self.origin = (FRAME_BORDER, FRAME_TOP)
        self.client = (max(0, width - 2 * FRAME_BORDER), max(0, height - FRAME_TOP - FRAME_BORDER))

    def wait_exit(self, timeout=EXIT_TIMEOUT):
        """Waits for Lumo.exe to end and returns its exit code."""
        try:
            code = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise FlowFailure("Lumo.exe did not end within %.0f s" % timeout)
        return code

    def close(self):
        """Closes the frame window as a user does (Alt+F4) and returns the exit code."""
        self.key("alt+F4")
        return self.wait_exit()

    def running(self):
        return self.process.poll() is None

    # Input ------------------------------------------------------------------------------------------

    def _at(self, x, y):
        return ["mousemove", "--window", self.window, self.origin[0] + x, self.origin[1] + y]

    def click(self, x, y):
        xdotool(*self._at(x, y), "click", 1)

    def double_click(self, x, y):
        # Two clicks 80 ms apart arrive as press, release, double press, release.
        xdotool(*self._at(x, y), "click", "--repeat", 2, "--delay", 80, 1)

    def drag(self, x0, y0, x1, y1, steps=10, step_ms=15):
        """Presses at (x0, y0), moves in `steps` even steps to (x1, y1) and releases there."""
        args = self._at(x0, y0) + ["mousedown", 1]
        for i in range(1, steps + 1):
            args += ["sleep", step_ms / 1000.0] + self._at(x0 + (x1 - x0) * i // steps,
                                                           y0 + (y1 - y0) * i // steps)
        args += ["mouseup", 1]
        xdotool(*args)

    def focus(self):
        xdotool("windowfocus", "--sync", self.window)

    def key(self, *names):
        """Presses keys (xdotool names such as "Escape", "alt+F4") with the window focused."""
        self.focus()
        xdotool("key", "--clearmodifiers", *names)

    def type_text(self, text):
        """Types text into whatever has the keyboard focus. ASCII goes key by key; other text (Chinese)
        is pasted: xdotool remaps a spare key code for each such character, and Wine loses the key
        pressed right after a remapping now and then, while a paste of the X clipboard (Ctrl+V, the
        edit control's own paste) is exact."""
        self.focus()
        if text.isascii():
            xdotool("type", "--delay", 30, text)
            return
        owner = subprocess.Popen(["xclip", "-selection", "clipboard", "-quiet"], stdin=subprocess.PIPE,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        owner.stdin.write(text.encode("utf-8"))
        owner.stdin.close()
        try:
            # Until the owner has taken the clipboard, xclip -o complains on stderr; that is expected.
            wait_for(lambda: subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=XDOTOOL_ENV,
                                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
                     == text.encode("utf-8"),
                     5.0, 0.02, "the clipboard to hold the text")
            xdotool("key", "--clearmodifiers", "ctrl+v")
            time.sleep(0.2)
        finally:
            owner.terminate()
            owner.wait()

    # What the user sees -----------------------------------------------------------------------------

    def screenshot(self, name=None):
        """Captures the client area; saves it as build/screenshots/<name>.png when named."""
        data = subprocess.run(["import", "-window", self.window, "-depth", "8", "ppm:-"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
        check(data, "cannot capture window %s" % self.window)
        width, height, rgb = read_ppm(data)
        left, top = self.origin
        cx, cy = min(self.client[0], width - left), min(self.client[1], height - top)
        rows = [rgb[((top + y) * width + left) * 3:((top + y) * width + left + cx) * 3] for y in range(cy)]
        self.last = Screenshot(cx, cy, b"".join(rows))
        if name:
            self.last.save_png(os.path.join(self.suite.screenshots, name + ".png"))
        return self.last

    def check_screen_size(self):
        """The client area is the phone screen of the shipped device metrics."""
        check(self.client == (CLIENT_CX, CLIENT_CY),
              "the client area is %d x %d, not 320 x 480" % self.client)

    def probe(self, x, y):
        """The colour of client pixel (x, y) on a fresh screenshot."""
        return self.screenshot().probe(x, y)

    def wait_for_screen(self, predicate, timeout=10.0, what="the screen"):
        """Screenshots until predicate(shot) holds; returns that screenshot."""
        def shot_if_true():
            if not self.running():
                raise FlowFailure("Lumo.exe ended (exit code %d) while waiting for %s"
                                  % (self.process.returncode, what))
            shot = self.screenshot()
            return shot if predicate(shot) else None
        return wait_for(shot_if_true, timeout, 0.03, what)

    def wait_until_still(self, timeout=5.0):
        """Screenshots until two in a row, 100 ms apart, are the same (animations ended); returns it."""
        previous = [self.screenshot()]

        def same_as_before():
            time.sleep(0.1)
            shot = self.screenshot()
            still = shot.rgb == previous[0].rgb
            previous[0] = shot
            return shot if still else None
        return wait_for(same_as_before, timeout, 0, "the screen to stand still")

    # Files beside the executable --------------------------------------------------------------------

    def path(self, name):
        return os.path.join(self.folder, name)

    def read(self, name):
        """The bytes of a file beside Lumo.exe, or None when there is none."""
        try:
            with open(self.path(name), "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None


# --- Suites -----------------------------------------------------------------------------------------

FLOWS = []


def flow(suite_name):
    """Registers a function(suite) as one flow of the named suite (its name is the test case's)."""
    def register(function):
        FLOWS.append((suite_name, function.__name__, function))
        return function
    return register


class Suite:
    """Where a run keeps its folders, screenshots and started processes."""

    def __init__(self, build):
        self.build = os.path.abspath(build)
        self.exe = os.path.join(self.build, "bin", "Lumo.exe")
        self.screenshots = os.path.join(self.build, "screenshots")
        self.runs = os.path.join(self.build, "e2e")
        self.started = []     # every Lumo started by the running flow
        self.current = None   # the running flow's folder under runs/
        os.makedirs(self.screenshots, exist_ok=True)
        os.makedirs(self.runs, exist_ok=True)

    def fresh_folder(self, files=None):
        """A new folder holding only Lumo.exe and `files` ({relative path: bytes}); returns its path.
        Each flow's folders live under build/e2e/<flow>/ and are removed when the flow passes."""
        base = tempfile.mkdtemp(prefix="run-", dir=self.current)
        folder = os.path.join(base, "Lumo")
        os.makedirs(folder)
        shutil.copy2(self.exe, folder)
        for relative, data in (files or {}).items():
            target = os.path.join(folder, *relative.split("/"))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                f.write(data)
        return folder

    def lumo(self, folder):
        """Lumo.exe of `folder`, not yet started."""
        return Lumo(self, folder)

    def end_flow(self, failed):
        """After a flow: when it failed, saves each started Lumo's last screenshot into the flow's
        folder (as failure-<n>.png) and ends the Lumo.exe processes still running."""
        for n, lumo in enumerate(self.started):
            if failed and lumo.last is not None:
                lumo.last.save_png(os.path.join(self.current, "failure-%d.png" % n))
            if lumo.running():
                lumo.process.kill()
                lumo.process.wait()
        self.started = []


def write_junit(path, suite_name, results, elapsed):
    """Writes results [(name, seconds, failure or None)] in GoogleTest's XML format."""
    failures = sum(1 for _, _, failure in results if failure)
    quote = xml.sax.saxutils.quoteattr
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<testsuites tests="%d" failures="%d" disabled="0" errors="0" time="%.3f" name="AllTests">'
             % (len(results), failures, elapsed),
             '  <testsuite name=%s tests="%d" failures="%d" disabled="0" skipped="0" errors="0" time="%.3f">'
             % (quote(suite_name), len(results), failures, elapsed)]
    for name, seconds, failure in results:
        head = '    <testcase name=%s status="run" result="completed" time="%.3f" classname=%s' % (
            quote(name), seconds, quote(suite_name))
        if failure:
            lines.append(head + ">")
            lines.append('      <failure message=%s type=""><![CDATA[%s]]></failure>'
                         % (quote(failure.splitlines()[0]), failure.replace("]]>", "]]&gt;")))
            lines.append("    </testcase>")
        else:
            lines.append(head + " />")
    lines += ["  </testsuite>", "</testsuites>", ""]
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines))


def run_suite(build, suite_name, junit_path, only=None):
    """Runs every flow of `suite_name` (or those whose name contains `only`); returns the exit code."""
    for variable in ("DISPLAY", "WINEPREFIX"):
        if not os.environ.get(variable):
            print("e2e: %s is not set; run through tools/run-tests.sh" % variable, file=sys.stderr)
            return 2
    suite = Suite(build)
    results = []
    begin = time.monotonic()
    for owner, name, function in FLOWS:
        if owner != suite_name or (only and only not in name):
            continue
        suite.current = os.path.join(suite.runs, name)
        shutil.rmtree(suite.current, ignore_errors=True)
        os.makedirs(suite.current)
        print("[ RUN      ] %s.%s" % (suite_name, name), flush=True)
        start = time.monotonic()
        failure = None
        try:
            function(suite)
        except FlowFailure as problem:
            failure = "%s\n%s" % (problem, "".join(traceback.format_tb(problem.__traceback__)[-2:]))
        except Exception:  # a broken flow is reported as its failure, and the others still run
            failure = traceback.format_exc()
        suite.end_flow(failure is not None)
        seconds = time.monotonic() - start
        if failure:
            print(failure, flush=True)
            print("(its folder, with the last screenshots: %s)" % suite.current, flush=True)
            print("[  FAILED  ] %s.%s (%d ms)" % (suite_name, name, seconds * 1000), flush=True)
        else:
            shutil.rmtree(suite.current, ignore_errors=True)
            print("[       OK ] %s.%s (%d ms)" % (suite_name, name, seconds * 1000), flush=True)
        results.append((name, seconds, failure))
    write_junit(junit_path, suite_name, results, time.monotonic() - begin)
    failed = sum(1 for _, _, failure in results if failure)
    print("%d flows, %d failed" % (len(results), failed), flush=True)
    return 1 if failed or not results else 0
