# 32-bit x86 product: the launcher that 32-bit Java runtimes are started with.
set(MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(LAUNCHER_ARCH x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
