#!/usr/bin/env bash
# Builds everything, assembles a complete game folder (the launcher beside the stand-in
# game and the generated fixtures) under build/windows/demo, and starts the launcher
# under Wine: on your display when DISPLAY is set, else under Xvfb with a screenshot.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "${VANDRELS_JOBS:-2}"
exec /usr/bin/python3 scripts/demo.py "$ROOT/build/windows"
