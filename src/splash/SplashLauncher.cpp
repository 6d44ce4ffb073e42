#include "launcher/IniFile.h"
#include "launcher/JavaLauncher.h"
#include "splash/SplashScreen.h"

// Only a configuration path that cannot be formed stops the launch here: a
// splash that is not configured or cannot be shown is simply left out, and
// later message boxes then have no owner.
bool CJavaLauncher::ShowSplashScreen()
{
    CString iniFilePath;
    if (!GetIniFilePath(iniFilePath))
        return false;
    CString bitmapFileName;
    CString shadowText;
    CString section(IniNames::kDisplaySection);
    ReadIniString(iniFilePath, section, CString(IniNames::kSplashScreenKey), bitmapFileName);
    ReadIniString(iniFilePath, section, CString(IniNames::kSplashShadowKey), shadowText);
    if (bitmapFileName.IsEmpty())
        return true;

    // The launcher's operator new ends the process rather than return null.
    m_splashScreen = new CSplashScreen;
    m_splashWindow = m_splashScreen->Create(bitmapFileName, shadowText.Equals("true"));
    if (m_splashWindow) {
        ShowWindow(m_splashWindow, SW_SHOWNORMAL);
        UpdateWindow(m_splashWindow); // paints now: no message loop runs until a message box
    }
    return true;
}

void CJavaLauncher::DestroySplashScreen()
{
    if (!m_splashScreen)
        return;
    if (m_splashScreen->GetHandle())
        DestroyWindow(m_splashScreen->GetHandle());
    delete m_splashScreen;
    m_splashScreen = nullptr;
    m_splashWindow = nullptr;
}
