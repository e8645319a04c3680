#!/usr/bin/env python3
"""Compares VandrelsLauncher.exe with a minimal Dear ImGui Win32 + Direct3D 11 program
built by the same toolchain, in one run under the same Wine + Xvfb session:

- time from process start to the first visible frame (a drawn, non-black client area),
- CPU time per presented frame over 10 s (Wine's fps channel counts the presents),
- resident memory after 10 s.

usage: bench_launcher.py BUILD_DIR [--page-click X Y] (a windows build folder)
Not a test: it prints figures and the three ratios.
"""
import os
import re
import subprocess
import sys
import time
from pathlib import Path

build = Path(sys.argv[1]).resolve()
scripts = Path(__file__).resolve().parents[2] / "scripts"
os.environ.update(VANDRELS_BUILD_DIR=str(build), VANDRELS_SCRIPTS_DIR=str(scripts))
sys.path.insert(0, str(scripts.parent / "tests" / "e2e"))
from launcher_harness import WORK, Session, make_game_folder  # noqa: E402

click = None
if "--page-click" in sys.argv:
    i = sys.argv.index("--page-click")
    click = (float(sys.argv[i + 1]), float(sys.argv[i + 2]))
MEASURE_S = 10.0


def pid_of(image):
    out = subprocess.run(["pgrep", "-f", image], capture_output=True, text=True).stdout.split()
    return int(out[0]) if out else None


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def rss_kib(pid):
    match = re.search(r"VmRSS:\s+(\d+)", Path(f"/proc/{pid}/status").read_text())
    return int(match.group(1))


def measure(session, exe, window_class, folder, label):
    log = open(WORK / f"bench-{label}.log", "w")
    env = dict(session.env, WINEDEBUG="-all,+fps")
    started = time.monotonic()
    process = subprocess.Popen([scripts / "wine-run.sh", exe], env=env, cwd=folder, stderr=log)
    first_frame = None
    while time.monotonic() - started < 120:
        windows = session.windows(window_class)
        if windows:
            w = windows[0]
            x, y = w.x + w.width // 2, w.y + w.height // 2
            out = subprocess.run(["import", "-window", "root", "-crop", f"1x1+{x}+{y}", "txt:-"], env=session.env,
                                 capture_output=True, text=True).stdout
            if "#000000" not in out:
                first_frame = time.monotonic() - started
                break
        time.sleep(0.02)
    if click:
        w = session.windows(window_class)[0]
        session.xdotool("mousemove", "--sync", *w.to_screen(*click))
        session.xdotool("click", 1)
    time.sleep(2.0)  # let start-up work settle
    pid = pid_of(Path(exe).name)
    log.flush()
    before_lines = len(Path(log.name).read_text().splitlines())
    cpu_before = cpu_seconds(pid)
    time.sleep(MEASURE_S)
    cpu_after = cpu_seconds(pid)
    rss = rss_kib(pid)
    lines = Path(log.name).read_text().splitlines()[before_lines:]
    fps_values = [float(m.group(1)) for m in (re.search(r"approx ([\d.]+)fps", line) for line in lines) if m]
    frames = sum(fps_values) * MEASURE_S / max(len(fps_values), 1)
    session.wintool("close", window_class)
    process.wait(timeout=30)
    cpu_per_frame_ms = (cpu_after - cpu_before) * 1000 / frames if frames else float("nan")
    print(f"{label:10s} first frame {first_frame:.2f} s, {frames / MEASURE_S:.1f} frames/s, "
          f"CPU {cpu_per_frame_ms:.3f} ms/frame, RSS {rss / 1024:.1f} MiB")
    return first_frame, cpu_per_frame_ms, rss


session = Session.private("bench")
try:
    folder = make_game_folder("bench")
    minimal = measure(session, build / "tools" / "bench" / "minimal_imgui.exe", "MinimalImGui", folder, "minimal")
    launcher = measure(session, folder / "VandrelsLauncher.exe", "VandrelsLauncher", folder, "launcher")
    names = ("start to first frame", "CPU time per frame", "resident memory")
    for name, a, b in zip(names, launcher, minimal):
        print(f"ratio launcher / minimal, {name}: {a / b:.2f}")
finally:
    session.down()
