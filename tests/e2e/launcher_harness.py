"""Helpers for end-to-end tests: the real VandrelsLauncher.exe under Wine and Xvfb,
observed and driven from outside as a player would.

A test typically does:

    folder = make_game_folder("home_page")
    with Launcher(folder) as launcher:
        launcher.wait_window()
        launcher.click(808 + 57, 681 + 20)      # layout units of the 1180 x 740 window
        shot = launcher.screenshot("home")
        assert shot.client_pixel(launcher, 10, 10) == (0x0b, 0x09, 0x09)
        assert launcher.close() == 0
"""
import os
import shutil
import subprocess
import time
from pathlib import Path

BUILD = Path(os.environ["VANDRELS_BUILD_DIR"])
SCRIPTS = Path(os.environ["VANDRELS_SCRIPTS_DIR"])
LAUNCHER_EXE = BUILD / "launcher" / "VandrelsLauncher.exe"
STAND_IN_GAME = BUILD / "stand_ins" / "game" / "Vandrels.exe"
WINTOOL = BUILD / "tests" / "e2e" / "wintool.exe"
WORK = BUILD / "e2e-work"
SCREENSHOTS = BUILD / "screenshots"
LAYOUT_WIDTH, LAYOUT_HEIGHT = 1180, 740


def wait_until(condition, timeout, interval=0.1, what="condition"):
    """Polls condition() until it gives something truthy, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class Session:
    """One Wine prefix with its display (and sound server), as prepared by scripts/harness.sh."""

    def __init__(self, folder, **settings):
        self.folder = Path(folder)
        self.settings = settings  # extra harness variables for a private session
        self.env = None

    @classmethod
    def shared(cls):
        """The session of this ctest run (the wine_session fixture)."""
        session = cls(os.environ["VANDRELS_HARNESS_DIR"])
        session.up()
        return session

    @classmethod
    def private(cls, name, screen="1920x1080x24", logpixels=96):
        """A session of its own: its own Xvfb screen, prefix and DPI; call down() at the end."""
        session = cls(BUILD / "harness-private" / name, VANDRELS_SCREEN=screen,
                      VANDRELS_LOGPIXELS=str(logpixels), VANDRELS_FORCE_XVFB="1")
        session.up()
        return session

    def up(self):
        env = dict(os.environ, **self.settings)
        subprocess.run([SCRIPTS / "harness.sh", "up", self.folder], env=env, check=True)
        env["VANDRELS_HARNESS_DIR"] = str(self.folder)
        for line in (self.folder / "env").read_text().splitlines():
            key, _, value = line.removeprefix("export ").partition("=")
            env[key] = value
        env.setdefault("WINEDEBUG", "-all")
        self.env = env

    def down(self):
        subprocess.run([SCRIPTS / "harness.sh", "down", self.folder], env=self.env, check=False)

    def wine(self, *args, **kwargs):
        """Starts a Windows program of this session (not waiting for it)."""
        return subprocess.Popen([SCRIPTS / "wine-run.sh", *map(str, args)], env=self.env, **kwargs)

    def wintool(self, *args):
        result = subprocess.run([SCRIPTS / "wine-run.sh", WINTOOL, *map(str, args)], env=self.env,
                                capture_output=True, text=True, timeout=60)
        return result.returncode, result.stdout

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, timeout=30)

    def windows_path(self, path):
        """The Windows form of a Unix path, as programs under this session see it."""
        return subprocess.run(["winepath", "-w", str(path)], env=self.env, capture_output=True, text=True,
                              check=True).stdout.strip()

    def dialog_text(self, title="The Vandrels"):
        """Texts of the message box with this title, or None while there is none."""
        code, out = self.wintool("dialog-text", title)
        return out.strip() if code == 0 else None

    def windows(self, class_name):
        """Visible top-level windows of a class, as Window records."""
        _, out = self.wintool("windows", class_name)
        return [Window.parse(line) for line in out.splitlines() if line.strip()]

    def screenshot(self, name):
        """The whole screen, saved under the build folder's screenshots/ for a reviewer."""
        SCREENSHOTS.mkdir(parents=True, exist_ok=True)
        path = SCREENSHOTS / f"{name}.png"
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True, timeout=60)
        return Screenshot(path)


class Window:
    def __init__(self, hwnd, iconic, x, y, width, height, pid, title):
        self.hwnd, self.iconic, self.pid, self.title = hwnd, iconic, pid, title
        self.x, self.y, self.width, self.height = x, y, width, height

    @classmethod
    def parse(cls, line):
        hwnd, iconic, x, y, w, h, pid, *title = line.split(" ")
        return cls(int(hwnd), iconic == "1", int(x), int(y), int(w), int(h), int(pid), " ".join(title).strip())

    @property
    def scale(self):
        return self.width / LAYOUT_WIDTH

    def to_screen(self, lx, ly):
        """Screen pixel of a point given in layout units."""
        return self.x + int(lx * self.scale), self.y + int(ly * self.scale)


class Screenshot:
    def __init__(self, path):
        self.path = Path(path)
        ppm = subprocess.run(["convert", self.path, "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
        fields, offset = [], 0
        while len(fields) < 4:  # magic, width, height, maxval
            while ppm[offset:offset + 1].isspace():
                offset += 1
            end = offset
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[offset:end])
            offset = end
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = ppm[offset + 1:]

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def client_pixel(self, window, lx, ly):
        """Colour at a point given in layout units of the launcher's client area."""
        return self.pixel(*window.to_screen(lx, ly))


def close_to(colour, expected, tolerance=6):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def make_game_folder(name, settings_text=None, with_game=True, folder_name=None, disc_image=False):
    """A fresh game folder under the build folder with the launcher (and the stand-in game,
    and with disc_image=True a 2 MiB GAME.ISO in its assets folder, enough for PLAY)."""
    folder = WORK / name / (folder_name or "game")
    shutil.rmtree(WORK / name, ignore_errors=True)
    folder.mkdir(parents=True)
    shutil.copy2(LAUNCHER_EXE, folder)
    if with_game and STAND_IN_GAME.exists():
        shutil.copy2(STAND_IN_GAME, folder)
    if settings_text is not None:
        (folder / "settings.toml").write_bytes(settings_text.encode())
    if disc_image:
        (folder / "assets").mkdir()
        with open(folder / "assets" / "GAME.ISO", "wb") as image:
            image.truncate(2 * 1024 * 1024)
    return folder


class StandInGame:
    """What the stand-in Vandrels.exe saw, from the log it keeps beside itself."""

    CLASS = "VandrelsStandInGame"

    def __init__(self, folder, session):
        self.log_path = Path(folder) / "Vandrels.stand-in.log"
        self.session = session

    def log(self):
        return self.log_path.read_text(encoding="utf-8").splitlines() if self.log_path.exists() else []

    def value(self, key):
        """The last logged value of "key: value" lines."""
        values = [line.split(": ", 1)[1] for line in self.log() if line.startswith(key + ": ")]
        return values[-1] if values else None

    def window(self):
        windows = self.session.windows(self.CLASS)
        return windows[0] if windows else None

    def running(self):
        return any(line.startswith("start:") for line in self.log()) and self.log()[-1] != "exit"

    def close(self):
        self.session.wintool("close", self.CLASS)
        wait_until(lambda: self.log() and self.log()[-1] == "exit", 30, what="the stand-in game to end")


class Launcher:
    """One run of VandrelsLauncher.exe in a game folder."""

    CLASS = "VandrelsLauncher"

    def __init__(self, folder, args=(), session=None, env=None):
        self.folder = Path(folder)
        self.session = session or Session.shared()
        self.args = args
        self.extra_env = env or {}
        self.process = None

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.kill()

    def start(self):
        env = dict(self.session.env, **self.extra_env)
        self.process = subprocess.Popen([SCRIPTS / "wine-run.sh", self.folder / "VandrelsLauncher.exe", *self.args],
                                        env=env, cwd=self.folder)
        return self

    def window(self):
        """This run's window, or None while it has none."""
        mine = [w for w in self.session.windows(self.CLASS)]
        return mine[0] if mine else None

    def wait_window(self, timeout=60, drawn=True):
        """Waits for the window and, unless drawn=False, for its first drawn frame."""
        window = wait_until(self.window, timeout, what="the launcher window")
        if drawn:
            wait_until(lambda: self.screenshot(None).client_pixel(window, 590, 735) != (0, 0, 0), timeout,
                       interval=0.3, what="the first frame")
        return window

    def click(self, lx, ly, button=1):
        """Clicks at a point given in layout units, as a player would with the mouse."""
        window = wait_until(self.window, 10, what="the launcher window")
        x, y = window.to_screen(lx, ly)
        self.session.xdotool("mousemove", "--sync", x, y)
        time.sleep(0.15)  # a hover frame before the press, as the GUI expects
        self.session.xdotool("click", button)
        time.sleep(0.15)

    def key(self, *keys):
        self.session.xdotool("key", *keys)

    def screenshot(self, name="launcher"):
        if name is None:
            path = WORK / "last.png"
            WORK.mkdir(parents=True, exist_ok=True)
            subprocess.run(["import", "-window", "root", path], env=self.session.env, check=True, timeout=60)
            return Screenshot(path)
        return self.session.screenshot(name)

    def wait_exit(self, timeout=30):
        return self.process.wait(timeout=timeout)

    def close(self, timeout=30):
        """Closes the window as the player would and returns the exit code."""
        self.session.wintool("close", self.CLASS)
        return self.wait_exit(timeout)

    def kill(self):
        if self.process and self.process.poll() is None:
            self.session.wintool("close", self.CLASS)
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
