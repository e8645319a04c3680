#!/usr/bin/env bash
# The Wine test session: one prefix (created once under the build folder and reused),
# a display (an Xvfb server on a free display number when none is set), and a
# PulseAudio null sink so the launcher has an audio device whose output can be recorded.
#
#   harness.sh up   DIR   prepare everything, write DIR/env for wine-run.sh and the e2e tests
#   harness.sh down DIR   stop the wineserver, the Xvfb server and the sound server we started
#
# Environment: VANDRELS_SCREEN (default 1920x1080x24), VANDRELS_LOGPIXELS (DPI of the prefix, default 96),
# VANDRELS_FORCE_XVFB=1 starts Xvfb even when DISPLAY is set.
set -euo pipefail
cmd="${1:?up|down}" dir="${2:?harness folder}"
mkdir -p "$dir"
dir="$(cd "$dir" && pwd)"
export WINEPREFIX="$dir/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

free_display() {
  local n
  for n in $(seq 90 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return; }
  done
  return 1
}

start_xvfb() {
  local n screen="${VANDRELS_SCREEN:-1920x1080x24}"
  n="$(free_display)"
  Xvfb ":$n" -screen 0 "$screen" -nolisten tcp -noreset >"$dir/xvfb.log" 2>&1 9>&- &
  echo $! >"$dir/xvfb.pid"
  for _ in $(seq 100); do
    xdpyinfo -display ":$n" >/dev/null 2>&1 && { echo ":$n"; return; }
    sleep 0.1
  done
  echo "harness: Xvfb :$n did not start" >&2; return 1
}

start_pulse() {
  local run="$dir/pulse" sock="$dir/pulse/native"
  mkdir -p "$run/home"; chmod 700 "$run"
  rm -f "$sock"
  HOME="$run/home" XDG_RUNTIME_DIR="$run" setsid pulseaudio --daemonize=no --exit-idle-time=-1 \
    --disallow-exit -n --use-pid-file=no --system=no \
    --load="module-null-sink sink_name=nullsink rate=44100 channels=2" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$sock" \
    --load="module-always-sink" >"$dir/pulse.log" 2>&1 9>&- &
  echo $! >"$dir/pulse.pid"
  for _ in $(seq 50); do [ -S "$sock" ] && { echo "unix:$sock"; return; }; sleep 0.1; done
  echo "harness: PulseAudio did not start (tests run without audio)" >&2
}

stop_pid_file() {
  local f="$1"
  [ -f "$f" ] || return 0
  kill "$(cat "$f")" 2>/dev/null || true
  rm -f "$f"
}

case "$cmd" in
up)
  # Servers started below must not inherit the lock's descriptor, or they would hold it.
  exec 9>"$dir/.lock"; flock 9
  if [ -f "$dir/env" ] && [ -f "$dir/xvfb.pid" ] && ! kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; then
    rm -f "$dir/env"   # left over from a run that was killed
  fi
  if [ ! -f "$dir/env" ]; then
    if [ -z "${DISPLAY:-}" ] || [ -n "${VANDRELS_FORCE_XVFB:-}" ]; then display="$(start_xvfb)"; else display="$DISPLAY"; fi
    pulse=""
    command -v pulseaudio >/dev/null && pulse="$(start_pulse || true)"
    { echo "export DISPLAY=$display"; echo "export WINEPREFIX=$WINEPREFIX"
      echo "export VANDRELS_PULSE_SERVER=$pulse"; } >"$dir/env"
  fi
  # shellcheck disable=SC1091
  source "$dir/env"
  if [ ! -f "$WINEPREFIX/.vandrels-ready" ]; then
    wineboot -i >"$dir/wineboot.log" 2>&1 9>&-
    # A crash must fail its test instead of waiting on winedbg's dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${VANDRELS_LOGPIXELS:-96}" /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.vandrels-ready"
  fi
  # A persistent wineserver keeps every later program start short.
  wineserver -p 2>/dev/null 9>&- || true
  # Wine's system processes start with the first program and inherit its output; were that a
  # test, ctest would wait on them for its output to end. One idle program of our own, blocked
  # reading a pipe nobody writes, starts them with no output and keeps them for the session.
  if ! { [ -f "$dir/idle.pid" ] && kill -0 "$(cat "$dir/idle.pid")" 2>/dev/null; }; then
    rm -f "$dir/idle.fifo" && mkfifo "$dir/idle.fifo"
    setsid wine cmd.exe /c "set /p unused=" <>"$dir/idle.fifo" >/dev/null 2>&1 9>&- &
    echo $! >"$dir/idle.pid"
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&-   # returns once the system processes are up
  fi
  ;;
down)
  if [ -f "$dir/env" ]; then
    # shellcheck disable=SC1091
    source "$dir/env"
    wineserver -k 2>/dev/null || true
  fi
  stop_pid_file "$dir/idle.pid"
  stop_pid_file "$dir/pulse.pid"
  stop_pid_file "$dir/xvfb.pid"
  rm -f "$dir/env"
  ;;
*) echo "usage: harness.sh up|down DIR" >&2; exit 2 ;;
esac
