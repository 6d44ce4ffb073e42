#include "splash/SplashScale.h"

#include "framework/Guards.h"

namespace {

// MDT_EFFECTIVE_DPI: the scale the user chose for the monitor, which is what
// every other program on it is drawn at.
const int kEffectiveDpi = 0;
typedef HRESULT(WINAPI* GetDpiForMonitorFunction)(HMONITOR monitor, int type, UINT* dpiX, UINT* dpiY);

// Windows 8.1 and later know each monitor's scale; only the system's own
// directory is searched for the library that tells it.
UINT GetMonitorDpi(HMONITOR monitor)
{
    AutoFreeLibrary shcore(LoadLibraryExA("shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    FARPROC address = shcore ? GetProcAddress(shcore, "GetDpiForMonitor") : nullptr;
    GetDpiForMonitorFunction getDpiForMonitor =
        reinterpret_cast<GetDpiForMonitorFunction>(reinterpret_cast<void*>(address));
    UINT dpiX = 0, dpiY = 0;
    if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY)))
        return dpiX;
    return 0;
}

// Older systems have one scale for every monitor.
UINT GetSystemDpi()
{
    AutoReleaseDC screen(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kUnscaledDpi;
}

} // namespace

UINT GetSplashDpi()
{
    POINT centre = { GetSystemMetrics(SM_CXFULLSCREEN) / 2, GetSystemMetrics(SM_CYFULLSCREEN) / 2 };
    UINT dpi = GetMonitorDpi(MonitorFromPoint(centre, MONITOR_DEFAULTTOPRIMARY));
    return dpi ? dpi : GetSystemDpi();
}

// Rounded to the nearest pixel, never below one.
LONG ScaleLength(LONG length, UINT shownDpi, UINT pictureDpi)
{
    LONG scaled = MulDiv(length, static_cast<int>(shownDpi), static_cast<int>(pictureDpi));
    return scaled > 0 ? scaled : 1;
}
