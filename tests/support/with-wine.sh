#!/usr/bin/env bash
# Usage: with-wine.sh [--arch x86|arm64] BUILD_DIR [COMMAND [ARGS...]]
# Runs COMMAND with a virtual display, a private Wine prefix under BUILD_DIR and a persistent, warmed wineserver,
# and stops all of them on every way out. With --arch, `wine` on the PATH runs that architecture's programs under CPU
# emulation (the run32 or runarm64 kit in ../shared beside the project), in a prefix of their own. The kit is set up on
# first use (a few minutes, once per machine); without COMMAND this only prepares the kit and the prefix. When the
# emulation cannot exist here it prints one line "<arch> rows skipped: <reason>" and exits 77, without running COMMAND.
set -euo pipefail

arch=""; [ "${1:-}" = --arch ] && { arch=$2; shift 2; }
mkdir -p "$1"; build_dir=$(cd "$1" && pwd); shift
skip() { echo "$arch rows skipped: $*"; exit 77; }
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ -n "$arch" ]; then
    declare -A kits=([x86]="run32/run32.sh W32_HOME /tmp/w32 root/etc/ld.so.preload 190"   # see the read below
                     [arm64]="runarm64/runarm64.sh ARM64_HOME /tmp/arm64 tc/obj/cxxsupport.o 290 $build_dir/wineprefix")
    read -r kit home_variable home ready display prefix <<<"${kits[$arch]}"   # ready: the file its setup writes last
    [ "$(id -u)" = 0 ] || skip "not root (the emulation registers a binfmt_misc entry)"
    kit=$(cd "$(dirname "$0")/../.." && pwd)/../shared/$kit
    [ -x "$kit" ] || skip "../shared/${kit#*/shared/} is not beside the project"
    grep -qw binfmt_misc /proc/filesystems || skip "the kernel has no binfmt_misc"
    for tool in Xvfb gcc; do command -v "$tool" >/dev/null || skip "$tool is missing; ./build.sh installs it"; done
    home=${!home_variable:-$home}   # the kit reads the same variable, with the same default
    mkdir -p "$home/bin"
    exec 9>"$home/.setup.lock"   # several checkouts may share the kit: one sets it up, the others wait
    flock 9
    if [ ! -s "$home/$ready" ]; then
        echo "Setting up $arch emulation in $home (a few minutes, once per machine)"
        "$kit" setup >"$build_dir/$arch-setup.log" 2>&1 ||
            skip "setup failed, see $build_dir/$arch-setup.log: $(tail -n 1 "$build_dir/$arch-setup.log")"
    fi
    "$kit" binfmt-on >/dev/null 2>&1 || skip "binfmt_misc cannot be mounted or written"
    export WINEPREFIX=${prefix:-$home/prefix-suite}   # x86: one per machine, its first boot may stall; arm64: per checkout
    eval "$("$kit" env)"
    printf '#!/bin/sh\nexec "%s" "$@"\n' "$WINELOADER" >"$home/bin/wine"
    chmod +x "$home/bin/wine"
    export PATH="$home/bin:$PATH"
    [ $# -gt 0 ] || [ ! -f "$WINEPREFIX/.prepared" ] || { exec 9>&-; exit 0; }
    start=("$kit" start) stop=("$kit" stop)   # the emulation's start also creates the prefix
else
    command -v wine >/dev/null && command -v Xvfb >/dev/null ||
        { echo "with-wine.sh: Wine or Xvfb is missing; ./build.sh installs them" >&2; exit 2; }
    export WINEPREFIX="$build_dir/wineprefix"
    display=90 start=(wineserver -p) stop=(wineserver -k)
fi
mkdir -p "$WINEPREFIX"

xvfb_pid=""
cleanup() {
    "${stop[@]}" >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" >/dev/null 2>&1 || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 9>&- &
xvfb_pid=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
[ -e "/tmp/.X11-unix/X$display" ] || { echo "with-wine.sh: Xvfb did not start on :$display" >&2; exit 2; }
export DISPLAY=":$display"

if [ "$arch" = x86 ] && [ ! -f "$WINEPREFIX/system.reg" ]; then
    # Under 32-bit emulation the first boot now and then stalls once its work is done: bound it, end what it left
    # behind, and switch off the device services whose host crashes under emulation anyway.
    timeout 300 wine wineboot -i </dev/null >/dev/null 2>&1 || true
    for pid in $(pgrep -f qemu-i386 || true); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && kill -9 "$pid" || true
    done
    for service in MountMgr nsiproxy NDIS; do
        wine reg add "HKLM\\System\\CurrentControlSet\\Services\\$service" /v Start /t REG_DWORD /d 4 /f </dev/null >/dev/null 2>&1
    done
    "${stop[@]}" >/dev/null 2>&1 || true
fi
# Wine's service processes inherit the standard handles of whoever starts them
# first; start them here, detached, so that no test runner waits on them.
"${start[@]}" </dev/null >/dev/null 2>&1 9>&-   # the lock is ours, not the services'
if [ ! -f "$WINEPREFIX/.prepared" ]; then
    [ -n "$arch" ] || wineboot -i </dev/null >/dev/null 2>&1
    # No window manager: without this Wine pauses after every message box.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    # A crash must end the process at once with its exit code.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    touch "$WINEPREFIX/.prepared"
fi
[ -z "$arch" ] || exec 9>&-   # the shared emulated prefix is ready
[ -n "$arch" ] || wine cmd /c exit </dev/null >/dev/null 2>&1   # warm; the emulation's start has done that

"$@"
