#!/usr/bin/env bash
# An application installed deeper than MAX_PATH still reads its INI file and
# finds its private runtime. Windows programs cannot start a program at such
# a path, so this case starts it the way Wine's loader does, from a host path.
# Usage: deep_directory_test.sh LAUNCHER_EXE TEST_JVM_DLL
set -u
launcher=$1 jvm=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

app="$root/app"
while [ ${#app} -lt 300 ]; do app="$app/a-rather-long-directory-name"; done
mkdir -p "$app/bin/client"
cp "$launcher" "$app/Deep.exe"
cp "$jvm" "$app/bin/client/jvm.dll"
: > "$app/bin/java.dll"
printf '[Class Path]\r\nClass Path=deep.jar\r\n[Java Runtime Environment]\r\nMain Class=com.example.Main\r\n' > "$app/Deep.ini"

log="$root/jvm.log"
# A message box would wait for ever; the time limit turns it into a failure.
(cd "$app" && TESTJVM_LOG="Z:${log//\//\\}" TESTJVM_CLASSES=com/example/Main \
    timeout 30 wine ./Deep.exe first 2>/dev/null)
status=$?

failures=0
check() { # description, condition...
    local what=$1; shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
check "the Windows path of the exe is longer than 260 characters" test $(( ${#app} + 12 )) -gt 260
check "the launch exits with 0 (got $status)" test "$status" -eq 0
check "the class path of the INI file reached the VM" grep -qx 'create.option\[0\]=-Djava.class.path=deep.jar' "$log"
check "main received the argument" grep -qx 'main.arg\[0\]=first' "$log"
echo "$((4 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
