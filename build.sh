#!/usr/bin/env bash
# ./build.sh        install what is missing, build the launchers into dist/, brand and run the example
# ./build.sh test   install what is missing, build, and run every test
# ./build.sh brand BRAND_FILE OUTDIR   build an application's own executables (see tools/brand.py)
set -euo pipefail
cd "$(dirname "$0")"
mode=${1:-run}

packages=(cmake ninja-build g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 openjdk-17-jdk-headless
          wine wine64 xvfb locales python3 python3-pefile python3-pil gcc clang lld llvm osslsigncode openssl)

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

# The ARM64 images need the kit beside the project: its C runtime and import libraries are made into
# build/arm64-toolkit. Without them x86 and x64 are still built, and the tests say why arm64 is skipped.
build_arm64() {
    local kit=../shared/runarm64 toolkit=$PWD/build/arm64-toolkit
    rm -f build/arm64/not-built.txt
    if [ ! -x "$kit/build-arm64.sh" ]; then
        arm64_not_built "$kit is not beside the project"
    elif [ ! -f "$toolkit/lib/libarm64crt.a" ] && ! ARM64_TC=$toolkit ARM64_ROOT=/nonexistent \
            "$kit/build-arm64.sh" setup >build/arm64-toolkit.log 2>&1; then
        rm -rf "$toolkit"
        arm64_not_built "its toolchain could not be set up, see build/arm64-toolkit.log"
    else
        build_arch clang-aarch64.cmake build/arm64 -DBUILD_TESTING=OFF -DARM64_TOOLKIT="$toolkit"
        arches+=(arm64)
    fi
}
arm64_not_built() { echo "ARM64 not built: $*"; echo "$*" >build/arm64/not-built.txt; rm -rf dist/arm64; }

install_missing
if [ "$mode" = brand ]; then
    shift
    exec /usr/bin/python3 tools/brand.py "$@"
fi
mkdir -p build/x86 build/arm64
prepare=()
if [ "$mode" = test ]; then
    # The emulations take minutes to set up on a fresh machine; do it while we build.
    for arch in x86 arm64; do
        tests/support/with-wine.sh --arch $arch build/$arch >build/$arch/emulation-prepare.log 2>&1 &
        prepare+=($!)
    done
    trap 'kill "${prepare[@]}" 2>/dev/null || true' EXIT
fi
arches=(x86 x64)
build_arch mingw-i686.cmake build/x86 -DBUILD_TESTING=OFF
build_arm64
build_arch mingw-x86_64.cmake build/x64 -DLAUNCHER_X86_BUILD="$PWD/build/x86" -DLAUNCHER_ARM64_BUILD="$PWD/build/arm64"
for arch in "${arches[@]}"; do
    mkdir -p "dist/$arch"
    cp "build/$arch/launcher.exe" "dist/$arch/launcher.exe"
    cp "build/$arch/launcher-console.exe" "dist/$arch/launcher-console.exe"
    cp examples/HelloApp.ini "dist/$arch/example.ini"
    cp examples/SHIPPING.txt "dist/$arch/SHIPPING.txt"
done
for arch in "${arches[@]}"; do echo "Built dist/$arch/launcher.exe ($(stat -c %s "dist/$arch/launcher.exe") bytes)"; done

if [ "$mode" = test ]; then
    wait "${prepare[@]}" || true
    tests/support/with-wine.sh build/x64 ctest --test-dir build/x64 --output-on-failure
else
    # The example is HelloApp's own executable, branded from examples/HelloApp-brand.ini.
    /usr/bin/python3 tools/brand.py examples/HelloApp-brand.ini build/example --arch x64 >/dev/null
    tests/support/with-wine.sh build/x64 /usr/bin/python3 examples/run-example.py build/x64 build/example/x64/HelloApp.exe
fi
