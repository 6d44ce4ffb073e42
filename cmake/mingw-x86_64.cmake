# 64-bit product for 64-bit Java runtimes; also the build the tests run under Wine.
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(LAUNCHER_ARCH x64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# ctest runs the unit tables in the prefix and display tests/support/with-wine.sh prepares.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
