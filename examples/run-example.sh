#!/usr/bin/env bash
# Runs the 64-bit launcher as the example application HelloApp under Wine and
# prints what a user would have seen. No Java runtime exists here, so the
# application gets a private runtime whose jvm.dll is the tests' stand-in
# virtual machine, which writes down what it was asked to do.
# Call it through tests/support/with-wine.sh.
set -euo pipefail
build_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
app_dir=$(mktemp -d)
trap 'rm -rf "$app_dir"' EXIT

cp "$build_dir/launcher.exe" "$app_dir/HelloApp.exe"
cp "$here/HelloApp.ini" "$app_dir/HelloApp.ini"
mkdir -p "$app_dir/bin/client"
: > "$app_dir/bin/java.dll"
cp "$build_dir/tests/support/testjvm/testjvm.dll" "$app_dir/bin/client/jvm.dll"

export TESTJVM_LOG="Z:${app_dir//\//\\}\\jvm.log"
export TESTJVM_CLASSES="com/example/hello/Main"

echo "HelloApp.exe (the launcher) with HelloApp.ini and a private runtime beside it:"
(cd "$app_dir" && wine "$build_dir/tests/probe.exe" HelloApp.exe first "second argument" -nosplash)
echo
echo "What the virtual machine was asked to do:"
if [ -f "$app_dir/jvm.log" ]; then
    grep -E '^(create\.|main\.|destroy)' "$app_dir/jvm.log" | sed -e 's/\\\\/\\/g' -e 's/^/  /'
else
    echo "  nothing: the launch stopped before the virtual machine was loaded"
fi
