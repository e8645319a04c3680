#!/usr/bin/env bash
# Runs a Windows program under the test session's Wine (ctest's cross-compiling
# emulator). VANDRELS_HARNESS_DIR names the session folder; the session is brought up
# here when the program is started by hand. VANDRELS_NO_AUDIO=1 runs it without a sound server.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
dir="${VANDRELS_HARNESS_DIR:?VANDRELS_HARNESS_DIR must name the harness folder}"
[ -f "$dir/env" ] || "$here/harness.sh" up "$dir"
# shellcheck disable=SC1091
source "$dir/env"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
if [ -z "${VANDRELS_NO_AUDIO:-}" ] && [ -n "${VANDRELS_PULSE_SERVER:-}" ]; then
  export PULSE_SERVER="$VANDRELS_PULSE_SERVER"
else
  export PULSE_SERVER=unix:/nonexistent
fi
exec wine "$@"
