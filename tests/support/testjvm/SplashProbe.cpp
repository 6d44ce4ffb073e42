#include "Machine.h"

namespace testjvm {
namespace {

BOOL CALLBACK FindVisibleSplash(HWND window, LPARAM found)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (process == GetCurrentProcessId() && lstrcmpA(className, "SplashScreenWindow") == 0 &&
        IsWindowVisible(window)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

} // namespace

const char* SplashState()
{
    bool found = false;
    EnumWindows(FindVisibleSplash, reinterpret_cast<LPARAM>(&found));
    return found ? "visible" : "absent";
}

} // namespace testjvm
