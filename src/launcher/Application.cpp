#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "framework/Module.h"
#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"
#include "launcher/Messages.h"

bool InitApplication(HINSTANCE instance)
{
    SetThreadLocale(GetSystemDefaultLCID());

    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(result)) {
        ReportFormattedErrorCode(nullptr, Messages::kComError, Messages::kComInitialize, static_cast<int>(result));
        return false;
    }

    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_BAR_CLASSES | ICC_COOL_CLASSES };
    InitCommonControlsEx(&controls);

    result = g_module.Init(instance);
    if (FAILED(result)) {
        ReportFormattedErrorCode(nullptr, Messages::kComError, Messages::kComInitializeModule, static_cast<int>(result));
        return false;
    }
    return true;
}
