# 64-bit ARM product for Windows on ARM and its native Java runtimes. clang and lld build it
# against the MinGW-w64 headers, with the small C runtime and the import libraries of the ARM64
# kit (../shared/runarm64 beside the project), which build.sh prepares in ARM64_TOOLKIT.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ARM64)
set(LAUNCHER_ARCH arm64)
set(ARM64_TOOLKIT "" CACHE PATH "the kit's import libraries and C runtime (lib/libarm64crt.a)")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ARM64_TOOLKIT)
if(NOT EXISTS "${ARM64_TOOLKIT}/lib/libarm64crt.a")
    message(FATAL_ERROR "ARM64_TOOLKIT (${ARM64_TOOLKIT}) holds no lib/libarm64crt.a; ./build.sh prepares it")
endif()

set(triplet aarch64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${triplet})
set(CMAKE_CXX_COMPILER_TARGET ${triplet})
set(CMAKE_RC_COMPILER llvm-windres-14)
set(CMAKE_RC_FLAGS_INIT "--target=${triplet} -I/usr/share/mingw-w64/include")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# The kit's runtime stands in for the MinGW one: no C++ runtime, hence no
# thread-safe statics; ANSI stdio would pull in MinGW's own printf family.
set(common "-nostdlibinc -idirafter /usr/share/mingw-w64/include -D__USE_MINGW_ANSI_STDIO=0 -fno-stack-protector")
string(APPEND common " -Wno-unused-command-line-argument") # the compile-only flags reach the link lines too
set(CMAKE_C_FLAGS_INIT "${common}")
set(CMAKE_CXX_FLAGS_INIT "${common} -fno-threadsafe-statics")
set(link "-fuse-ld=lld -nostdlib -L${ARM64_TOOLKIT}/lib")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${link}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${link} -Wl,--entry=DllMainCRTStartup")
# lld picks each program's entry in the kit's runtime from the WinMain or main
# it defines; a console program that enters through WinMain, as the MinGW
# runtime's main forwards to it, must name it.
set(CONSOLE_WINMAIN_LINK_OPTIONS -Wl,--subsystem,console -Wl,--entry=WinMainCRTStartup)
# The runtime comes first, so that its printf family wins over msvcrt's.
set(libraries -larm64crt -lkernel32 -luser32 -lgdi32 -ladvapi32 -lshell32 -lole32 -loleaut32 -lcomctl32 -lmsvcrt
    -lntdll -larm64crt)
string(REPLACE ";" " " libraries "${libraries}")
set(CMAKE_C_STANDARD_LIBRARIES "${libraries}" CACHE STRING "the kit's runtime and system import libraries")
set(CMAKE_CXX_STANDARD_LIBRARIES "${libraries}" CACHE STRING "the kit's runtime and system import libraries")
