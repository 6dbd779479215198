"""Drives the real Windows executables under Wine on the test display.

Start a program, wait for its window, send keys and pointer moves and clicks
with xdotool (they reach the program as real window messages), take
screenshots and read their pixels, read the program's DEBUG.TXT and wait for
its exit code. The environment comes from the test runner: DISPLAY, the Wine
prefix (MU_WINEPREFIX), MU_BIN (the build's bin directory) and MU_SOURCE.
"""
import os
import re
import subprocess
import tempfile
import time

SOURCE = os.environ.get("MU_SOURCE", os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__)))))
BIN = os.environ.get("MU_BIN", os.path.join(SOURCE, "build", "win32", "bin"))
WINE_RUN = os.path.join(SOURCE, "cmake", "wine-run.sh")
SHOTS = os.environ.get("MU_SHOTS", os.path.join(os.path.dirname(BIN), "screenshots"))


def run_windows(exe, *args, timeout=30):
    """Runs a Windows program to completion; returns (exit code, stdout text).

    Its output goes through a file, not a pipe: Wine may start helper processes
    (the desktop's explorer.exe) that inherit the program's output handles and
    outlive it, and a pipe would then never reach its end."""
    with tempfile.TemporaryFile() as out:
        done = subprocess.run([WINE_RUN, os.path.join(BIN, exe), *map(str, args)],
                              stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL,
                              timeout=timeout)
        out.seek(0)
        return done.returncode, out.read().decode("cp932", "replace")


def probe(caption, cls="DEFAULT", action=None):
    """What Windows knows of the top-level windows with that class and caption."""
    args = [cls, caption] + ([action] if action else [])
    code, out = run_windows("window_probe.exe", *args)
    info = {}
    for line in out.splitlines():
        key, _, value = line.strip().partition("=")
        if key == "count":
            info[key] = int(value)
        elif key in ("caption", "text"):
            info[key] = value
        elif value:
            info[key] = tuple(int(v) for v in value.split(","))
    return info


def xdotool(*args, check=True):
    done = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True)
    if check and done.returncode != 0:
        raise RuntimeError("xdotool %s: %s" % (" ".join(map(str, args)), done.stderr))
    return done.stdout.strip()


class Shot:
    """A screenshot of the whole display, as RGB bytes."""

    def __init__(self, path):
        self.path = path
        size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True,
                              text=True, check=True).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        self.data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"],
                                   capture_output=True, check=True).stdout

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def region(self, left, top, width, height):
        """Rows of pixels of a rectangle."""
        return [[self.pixel(x, y) for x in range(left, left + width)]
                for y in range(top, top + height)]


def screenshot(name):
    """Saves the display as <screenshots>/<name>.png and returns it as a Shot."""
    os.makedirs(SHOTS, exist_ok=True)
    path = os.path.join(SHOTS, name + ".png")
    subprocess.run(["import", "-window", "root", path], check=True, capture_output=True)
    return Shot(path)


class Program:
    """A Windows program started under Wine; use as a context manager so that a
    failing test never leaves it running."""

    def __init__(self, exe="pelmora.exe", caption="Pelmora", args=(), cwd=None):
        self.caption = caption
        self.cwd = cwd or tempfile.mkdtemp(prefix="mu-e2e-")
        self.log = open(os.path.join(self.cwd, "wine-output.txt"), "wb")
        self.process = subprocess.Popen([WINE_RUN, os.path.join(BIN, exe), *args],
                                        cwd=self.cwd, stdin=subprocess.DEVNULL,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        self.client = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()

    def wait_window(self, timeout=30):
        """Waits until the window is shown; returns what window_probe reports."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError("%s ended with %d before its window appeared"
                                   % (self.caption, self.process.returncode))
            info = probe(self.caption)
            if info.get("count", 0) > 0 and info.get("visible") == (1,):
                self.client = info["client"]
                self.focus()
                return info
            time.sleep(0.2)
        raise TimeoutError("no window captioned %s" % self.caption)

    def x_window(self):
        ids = xdotool("search", "--name", "^%s$" % re.escape(self.caption), check=False).split()
        return ids[0] if ids else None

    def focus(self):
        wid = self.x_window()
        if wid:
            xdotool("windowfocus", wid, check=False)

    def key(self, *names):
        for name in names:
            xdotool("key", "--delay", "30", name)

    def key_down(self, name):
        xdotool("keydown", name)

    def key_up(self, name):
        xdotool("keyup", name)

    def move_to(self, x, y):
        """Moves the pointer to client coordinates (x, y)."""
        xdotool("mousemove", self.client[0] + x, self.client[1] + y)

    def click(self, button=1):
        xdotool("click", button)

    def client_shot(self, name):
        """A screenshot; pixel() of the returned object takes client coordinates."""
        shot = screenshot(name)
        left, top = self.client[0], self.client[1]

        class ClientShot:
            path = shot.path

            def pixel(self, x, y):
                return shot.pixel(left + x, top + y)

        return ClientShot()

    def debug_txt(self):
        path = os.path.join(self.cwd, "DEBUG.TXT")
        if not os.path.exists(path):
            return ""
        with open(path, "rb") as f:
            return f.read().decode("cp932", "replace")

    def wait_exit(self, timeout=20):
        return self.process.wait(timeout=timeout)
