#include "support/ShippedApp.h"

#include <windows.h>

const char kMinimalIni[] =
    "[Class Path]\r\nClass Path=app.jar\r\n"
    "[Java Runtime Environment]\r\nMain Class=com.example.Main\r\n";

ShippedApp::ShippedApp(const std::string& exeName) : m_exe(m_directory.CopyLauncher(exeName)) {}

std::string ShippedApp::AppDirectory() const
{
    return m_exe.substr(0, m_exe.rfind('\\') + 1);
}

void ShippedApp::WriteIni(const std::string& bytes) const
{
    std::string relative = m_exe.substr(m_directory.Path().size());
    m_directory.WriteFile(relative.substr(0, relative.rfind('.') + 1) + "ini", bytes);
}

void ShippedApp::AddPrivateRuntime(const std::string& jvmLibrary) const
{
    std::string relative = AppDirectory().substr(m_directory.Path().size());
    m_directory.WriteFile(relative + "bin\\java.dll", "only its presence matters");
    std::string target = m_directory.MakeDirectory(relative + "bin\\client") + "jvm.dll";
    CopyFileA(jvmLibrary.c_str(), target.c_str(), FALSE);
}

LaunchResult ShippedApp::Launch(const std::string& arguments, const std::vector<std::string>& environment) const
{
    return LaunchCommandLine(QuotedCommandLine(m_exe, arguments), environment);
}

LaunchResult ShippedApp::LaunchCommandLine(const std::string& commandLine, const std::vector<std::string>& environment,
                                           const std::string& workingDirectory) const
{
    DeleteFileA(LogPath().c_str());
    LaunchOptions options;
    options.commandLine = commandLine;
    options.workingDirectory = workingDirectory.empty() ? AppDirectory() : workingDirectory;
    options.environment = { "TESTJVM_LOG=" + LogPath(), "TESTJVM_CLASSES=com/example/Main" };
    options.fileToRead = LogPath();
    options.environment.insert(options.environment.end(), environment.begin(), environment.end());
    return RunAndProbe(options);
}
