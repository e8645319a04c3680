#!/usr/bin/env bash
# Sets the machine up, builds every tree and runs every test:
#   native       pure logic and headless GUI tests (g++)
#   native-asan  the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   fuzz         libFuzzer targets for a fixed number of runs (clang)
#   windows      Windows unit tests and end-to-end tests under Wine + Xvfb
# Every suite runs even when an earlier one fails; the exit code tells whether all passed.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
bash scripts/setup.sh || exit 1

mkdir -p "$ROOT/build"
JOBS="${VANDRELS_JOBS:-2}"
failed=()
for preset in native native-asan fuzz windows; do
  echo "=== $preset: build"
  if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$JOBS"; } >"$ROOT/build/$preset.log" 2>&1; then
    tail -40 "$ROOT/build/$preset.log"
    failed+=("$preset (build)")
    continue
  fi
  echo "=== $preset: test"
  ctest --preset "$preset" -j "$JOBS" || failed+=("$preset")
done


if [ "${#failed[@]}" -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All test suites passed."
