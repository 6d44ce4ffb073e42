#include "launcher/JavaLauncher.h"

// Until the splash window is built the launch simply goes on without one,
// which is also what happens when no bitmap is configured.
bool CJavaLauncher::ShowSplashScreen()
{
    return true;
}

void CJavaLauncher::DestroySplashScreen()
{
}
