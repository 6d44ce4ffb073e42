#include "launcher/JavaLauncher.h"

CJavaLauncher::CJavaLauncher()
    : m_javaVM(nullptr),
      m_jniEnv(nullptr),
      m_splashThread(nullptr),
      m_splashWindow(nullptr),
      m_pfnCreateJavaVM(nullptr),
      m_pfnGetDefaultJavaVMInitArgs(nullptr)
{
}

// The teardown order matters: the splash goes first so that it vanishes as
// soon as main returns, then DestroyJavaVM waits for the application's other
// Java threads, and only then are the launcher's own texts released.
CJavaLauncher::~CJavaLauncher()
{
    DestroySplashScreen();
    m_splashWindow = nullptr;
    if (m_javaVM) {
        m_javaVM->DestroyJavaVM();
        m_javaVM = nullptr;
        m_jniEnv = nullptr;
    }
    m_vmOptions.RemoveAll();
    m_programArguments.RemoveAll();
    m_mainClass.Empty();
    m_mainJar.Empty();
    m_downloadPage.Empty();
    m_jvmLibraryPath.Empty();
}

bool CJavaLauncher::Prepare(int& exitCode)
{
    ReadProgramArguments();
    if (!StartLaunchLog() || !ClaimInstance(exitCode))
        return false;
    if (IsSplashWanted() && !ShowSplashScreen())
        return false;
    return ReadConfiguration() && ReadUserOptions() && SelectJre();
}

int CJavaLauncher::Run()
{
    if (!LoadJvmLibrary() || !CreateJavaVM())
        return -1;
    return InvokeMain();
}

// The switches are matched exactly: "-NOSPLASH" or "--nosplash" are ordinary
// arguments of the Java application.
bool CJavaLauncher::IsSplashWanted() const
{
    static const wchar_t kNoSplash[] = L"-nosplash";
    static const wchar_t kSlashNoSplash[] = L"/nosplash";
    return m_programArguments.Find(kNoSplash) < 0 && m_programArguments.Find(kSlashNoSplash) < 0;
}
