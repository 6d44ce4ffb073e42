#include <windows.h>

#include "framework/Module.h"
#include "launcher/JavaLauncher.h"
#include "launcher/LaunchLog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    int exitCode = -1;
    {
        CJavaLauncher launcher;
        if (InitApplication(instance) && launcher.Prepare(exitCode))
            exitCode = launcher.Run();
    }
    g_module.Term();
    EndLaunchLog(exitCode);
    return exitCode;
}
