#include <windows.h>
#include <commctrl.h>

#include "framework/Module.h"
#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"
#include "launcher/Messages.h"

bool InitApplication(HINSTANCE instance)
{
    SetThreadLocale(GetSystemDefaultLCID());

    // No COM here: main runs on this thread, and an application may enter
    // either apartment there. The splash's thread enters its own.
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_BAR_CLASSES | ICC_COOL_CLASSES };
    InitCommonControlsEx(&controls);

    HRESULT result = g_module.Init(instance);
    if (FAILED(result)) {
        ReportFormattedErrorCode(nullptr, Messages::kComError, Messages::kComInitializeModule, static_cast<int>(result));
        return false;
    }
    return true;
}
