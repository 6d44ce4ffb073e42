#!/usr/bin/env bash
# ./build.sh        install what is missing, build the launchers into dist/, brand and run the example
# ./build.sh test   install what is missing, build, and run every test
# ./build.sh brand BRAND_FILE OUTDIR   build an application's own executables (see tools/brand.py)
set -euo pipefail
cd "$(dirname "$0")"
mode=${1:-run}

packages=(cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 openjdk-17-jdk-headless
          wine wine64 xvfb locales python3 python3-pefile python3-pil gcc osslsigncode openssl)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    # Tests start programs under the double-byte ANSI code page 932.
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
        sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
        locale-gen >/dev/null
    fi
}

build_arch() { # toolchain, build directory, extra cmake arguments
    local toolchain=$1 dir=$2; shift 2
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
          -DCMAKE_TOOLCHAIN_FILE="cmake/$toolchain" "$@" >/dev/null
    cmake --build "$dir"
}

install_missing
if [ "$mode" = brand ]; then
    shift
    exec /usr/bin/python3 tools/brand.py "$@"
fi
if [ "$mode" = test ]; then
    # The 32-bit emulation takes minutes to set up on a fresh machine; do it while we build.
    mkdir -p build/x86
    tests/support/with-wine.sh --x86 build/x86 >build/x86/run32-prepare.log 2>&1 &
    run32_prepare=$!
    trap 'kill "$run32_prepare" 2>/dev/null || true' EXIT
fi
build_arch mingw-i686.cmake build/x86 -DBUILD_TESTING=OFF
build_arch mingw-x86_64.cmake build/x64 -DLAUNCHER_X86_BUILD="$PWD/build/x86"
for arch in x86 x64; do
    mkdir -p "dist/$arch"
    cp "build/$arch/launcher.exe" "dist/$arch/launcher.exe"
    cp "build/$arch/launcher-console.exe" "dist/$arch/launcher-console.exe"
    cp examples/HelloApp.ini "dist/$arch/example.ini"
    cp examples/SHIPPING.txt "dist/$arch/SHIPPING.txt"
done
echo "Built dist/x86/launcher.exe ($(stat -c %s dist/x86/launcher.exe) bytes) and dist/x64/launcher.exe ($(stat -c %s dist/x64/launcher.exe) bytes)"

if [ "$mode" = test ]; then
    wait "$run32_prepare" || true
    tests/support/with-wine.sh build/x64 ctest --test-dir build/x64 --output-on-failure
else
    # The example is HelloApp's own executable, branded from examples/HelloApp-brand.ini.
    /usr/bin/python3 tools/brand.py examples/HelloApp-brand.ini build/example --arch x64 >/dev/null
    tests/support/with-wine.sh build/x64 /usr/bin/python3 examples/run-example.py build/x64 build/example/x64/HelloApp.exe
fi
