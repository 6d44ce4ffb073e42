#!/usr/bin/env bash
# Usage: with-wine.sh BUILD_DIR COMMAND [ARGS...]
# Runs COMMAND with a virtual display, a private Wine prefix under BUILD_DIR and
# a persistent, warmed wineserver, and stops all of them on every way out.
set -euo pipefail

build_dir=$(cd "$1" && pwd); shift
for tool in wine wineserver Xvfb; do
    command -v "$tool" >/dev/null || { echo "with-wine.sh: $tool is missing; ./build.sh installs it" >&2; exit 2; }
done

export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"

xvfb_pid=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" >/dev/null 2>&1 || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done
[ -e "/tmp/.X11-unix/X$display" ] || { echo "with-wine.sh: Xvfb did not start on :$display" >&2; exit 2; }
export DISPLAY=":$display"

# Wine's service processes inherit the standard handles of whoever starts them
# first; start them here, detached, so that no test runner waits on them.
wineserver -p </dev/null >/dev/null 2>&1
if [ ! -f "$WINEPREFIX/.prepared" ]; then
    wineboot -i </dev/null >/dev/null 2>&1
    # No window manager: without this Wine pauses after every message box.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    # A crash must end the process at once with its exit code.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    touch "$WINEPREFIX/.prepared"
fi
wine cmd /c exit </dev/null >/dev/null 2>&1

"$@"
