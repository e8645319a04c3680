"""Assembles the demo game folder and runs the launcher in it (see demo.sh)."""
import os
import shutil
import sys
import time
from pathlib import Path

build = Path(sys.argv[1]).resolve()
scripts = Path(__file__).resolve().parent
os.environ.update(VANDRELS_BUILD_DIR=str(build), VANDRELS_SCRIPTS_DIR=str(scripts))
sys.path.insert(0, str(scripts.parent / "tests" / "e2e"))
from launcher_harness import LAUNCHER_EXE, STAND_IN_GAME, Launcher, Session  # noqa: E402

game = build / "demo" / "game"
game.mkdir(parents=True, exist_ok=True)
shutil.copy2(LAUNCHER_EXE, game)
if STAND_IN_GAME.exists():
    shutil.copy2(STAND_IN_GAME, game)
# A placeholder disc image (an empty file of 2 MiB) lets PLAY start the stand-in game.
(game / "assets").mkdir(exist_ok=True)
image = game / "assets" / "The Vandrels (demo).iso"
if not image.exists():
    with open(image, "wb") as f:
        f.truncate(2 * 1024 * 1024)
print(f"demo game folder: {game}")

if os.environ.get("DISPLAY"):
    session = Session(build / "demo" / "harness")
    session.up()
    launcher = Launcher(game, session=session).start()
    sys.exit(launcher.wait_exit(timeout=None))

# No display: show the launcher on a virtual screen and keep a picture of it.
session = Session.private("demo")
try:
    launcher = Launcher(game, session=session).start()
    launcher.wait_window(timeout=120)
    time.sleep(1.0)
    shot = session.screenshot("demo")
    print(f"no display: the launcher ran under Xvfb; screenshot: {shot.path}")
    launcher.close()
finally:
    session.down()
