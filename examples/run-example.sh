#!/usr/bin/env bash
# Runs the 64-bit launcher as the example application HelloApp under Wine and
# prints what a user would have seen. Call it through tests/support/with-wine.sh.
set -euo pipefail
build_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
app_dir=$(mktemp -d)
trap 'rm -rf "$app_dir"' EXIT

cp "$build_dir/launcher.exe" "$app_dir/HelloApp.exe"
cp "$here/HelloApp.ini" "$app_dir/HelloApp.ini"
echo "Running HelloApp.exe (the launcher) with $here/HelloApp.ini"
(cd "$app_dir" && wine "$build_dir/tests/probe.exe" HelloApp.exe first "second argument")
