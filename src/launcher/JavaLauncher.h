#pragma once
#include <windows.h>

#include "framework/String.h"
#include "framework/StringList.h"
#include "framework/WideStringList.h"
#include "launcher/InstanceClaim.h"
#include "jvm/Jni.h"
#include "version/JavaVersion.h"

class CSplashThread;

bool InitApplication(HINSTANCE instance);

// The one launcher of the process: an automatic object of WinMain that
// prepares the launch, runs it, and tears everything down in its destructor.
class CJavaLauncher
{
public:
    CJavaLauncher();
    ~CJavaLauncher();

    // False when the launch ends here: exitCode stays -1 after a failure and
    // becomes 0 when a running instance of the application took the start.
    bool Prepare(int& exitCode);
    int Run();

    // Launch control
    bool GetModulePath(CString& path);
    void ReadProgramArguments();
    bool IsSplashWanted() const;
    bool ClaimInstance(int& exitCode);

    // Configuration file
    bool GetIniFilePath(CString& path);
    bool ReadConfiguration();
    bool ReadUserOptions();
    void AppendOptionsFile(const CString& path, const CString& modulePath);
    void AppendUserOptions(const CWideStringList& options, const CString& source, const CString& modulePath);

    // Java versions
    CString DescribeRequirement() const;

    // Runtime selection
    bool SelectJre();
    bool FindPrivateJre(CString& jreDirectory);
    bool GetModuleDirectory(CString& directory);
    void FindRegistryJre(CString& jreDirectory);
    void FindInstalledJre(CString& jreDirectory);

    // Virtual machine hosting
    bool LoadJvmLibrary();
    bool CreateJavaVM();
    jstring NewJavaString(const wchar_t* text, int length);
    jstring NewJavaString(const CString& ansiText);
    jobjectArray NewJavaStringArray(const CWideStringList& list);
    bool FindMainJar(const CString& classPath);
    jstring NewMainClassName();
    jstring NewJarMainClassName();
    int InvokeMain();
    int RunMain(jclass mainClass, CString& uncaughtText);

    // Splash window
    bool ShowSplashScreen();
    void DestroySplashScreen();

    // Diagnostics and the application's surroundings
    bool StartLaunchLog();
    bool EnterWorkingDirectory(const CString& iniPath, const CString& modulePath);

private:
    CJavaLauncher(const CJavaLauncher&) = delete;
    CJavaLauncher& operator=(const CJavaLauncher&) = delete;

    CString m_jvmLibraryPath;
    JavaVM* m_javaVM;
    JNIEnv* m_jniEnv;
    CString m_mainClass;
    CString m_mainJar; // the class path's first entry, when it names the main class
    JavaVersion m_jreVersion;
    JavaVersion m_minVersion;
    JavaVersion m_maxVersion;
    CString m_downloadPage;
    CWideStringList m_programArguments;
    CSplashThread* m_splashThread;
    HWND m_splashWindow;
    CStringList m_vmOptions;
    CreateJavaVMFunction m_pfnCreateJavaVM;
    GetDefaultJavaVMInitArgsFunction m_pfnGetDefaultJavaVMInitArgs;
    // Held until the process ends, past the JVM's destruction.
    CInstanceClaim m_instanceClaim;
};
