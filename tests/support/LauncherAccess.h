#pragma once
#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"

#include <string>
#include <vector>

// Lets unit tests set and read the launcher's members directly.
class CJavaLauncherTestAccess
{
public:
    explicit CJavaLauncherTestAccess(CJavaLauncher& launcher) : m_launcher(launcher) {}
    CStringList& ProgramArguments() { return m_launcher.m_programArguments; }
    CStringList& VmOptions() { return m_launcher.m_vmOptions; }
    CString& MainClass() { return m_launcher.m_mainClass; }
    CString& JvmLibraryPath() { return m_launcher.m_jvmLibraryPath; }
    JavaVersion& MinVersion() { return m_launcher.m_minVersion; }
    JavaVersion& MaxVersion() { return m_launcher.m_maxVersion; }
    JavaVersion& JreVersion() { return m_launcher.m_jreVersion; }
    JavaVM*& JavaVMPointer() { return m_launcher.m_javaVM; }
    JNIEnv*& JniEnv() { return m_launcher.m_jniEnv; }
    HWND& SplashWindow() { return m_launcher.m_splashWindow; }

private:
    CJavaLauncher& m_launcher;
};

// Collects what the error channel would have shown, instead of showing it.
class ErrorRecorder
{
public:
    struct Report { HWND owner; std::string text; };
    ErrorRecorder() { s_reports.clear(); m_previous = SetErrorDisplay(&Record); }
    ~ErrorRecorder() { SetErrorDisplay(m_previous); }
    const std::vector<Report>& Reports() const { return s_reports; }

private:
    static void Record(HWND owner, const char* text) { s_reports.push_back({ owner, text }); }
    static inline std::vector<Report> s_reports;
    ErrorDisplay m_previous;
};
