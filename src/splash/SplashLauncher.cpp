#include "launcher/IniFile.h"
#include "launcher/JavaLauncher.h"
#include "launcher/Placeholders.h"
#include "splash/SplashThread.h"

namespace {

// Whole seconds in decimal digits; anything else, like an empty value, sets
// no timeout. The value stops growing long before it could overflow; the
// splash cuts it further to what the system's timers take.
UINT ParseTimeoutSeconds(const CString& text)
{
    UINT seconds = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        if (seconds < 100000000)
            seconds = seconds * 10 + (text[i] - '0');
    }
    return seconds;
}

} // namespace

// Only a configuration path that cannot be formed stops the launch here: a
// splash that is not configured or cannot be shown is simply left out, and
// later message boxes then have no owner.
bool CJavaLauncher::ShowSplashScreen()
{
    CString iniFilePath;
    CString modulePath;
    if (!GetIniFilePath(iniFilePath) || !GetModulePath(modulePath))
        return false;
    CString imageFileName;
    CString shadowText;
    CString timeoutText;
    CString section(IniNames::kDisplaySection);
    ReadIniString(iniFilePath, section, CString(IniNames::kSplashScreenKey), imageFileName);
    ReadIniString(iniFilePath, section, CString(IniNames::kSplashShadowKey), shadowText);
    ReadIniString(iniFilePath, section, CString(IniNames::kSplashTimeoutKey), timeoutText);
    if (imageFileName.IsEmpty())
        return true;
    imageFileName = ExpandPlaceholders(imageFileName, modulePath);

    // The launcher's operator new ends the process rather than return null.
    m_splashThread = new CSplashThread;
    m_splashWindow = m_splashThread->Start(imageFileName, shadowText.Equals("true"), ParseTimeoutSeconds(timeoutText));
    return true;
}

// Returns once the splash's thread has ended, so the window is gone before
// anything that follows, such as the wait for the application's threads.
void CJavaLauncher::DestroySplashScreen()
{
    if (!m_splashThread)
        return;
    m_splashThread->Close();
    delete m_splashThread;
    m_splashThread = nullptr;
    m_splashWindow = nullptr;
}
