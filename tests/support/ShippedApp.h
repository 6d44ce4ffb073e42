#pragma once
#include "support/TestDirectory.h"
#include "support/TestJvm.h"
#include "support/WindowProbe.h"

#include <string>
#include <vector>

// An application directory as a user ships it: the launcher under the
// application's name, its INI file, and optionally a private runtime whose
// bin\client\jvm.dll is the stand-in virtual machine, which logs what it
// was asked to do. The main class the stand-in knows is com/example/Main.
class ShippedApp
{
public:
    // The directory part of the name (if any) is created inside the test directory.
    explicit ShippedApp(const std::string& exeName = "App.exe");

    const TestDirectory& Directory() const { return m_directory; }
    const std::string& ExePath() const { return m_exe; }
    std::string AppDirectory() const;

    void WriteIni(const std::string& bytes) const;
    // bin\java.dll beside the exe and the stand-in (or another library) as bin\client\jvm.dll.
    void AddPrivateRuntime(const std::string& jvmLibrary = TestJvmPath()) const;

    // Runs the exe with its path quoted and these arguments, from its own
    // directory; each message box records the log as it stood then.
    LaunchResult Launch(const std::string& arguments, const std::vector<std::string>& environment = {}) const;
    // Runs a whole command line; an empty working directory is the exe's own.
    LaunchResult LaunchCommandLine(const std::string& commandLine, const std::vector<std::string>& environment = {},
                                   const std::string& workingDirectory = "") const;

    std::string LogPath() const { return m_directory.Path() + "jvm.log"; }
    std::vector<std::string> Log() const { return ReadTestJvmLog(LogPath()); }

private:
    TestDirectory m_directory;
    std::string m_exe;
};

// A minimal configuration that the stand-in accepts.
extern const char kMinimalIni[];

// Where the runtimes installed on the machine are listed, under HKEY_LOCAL_MACHINE.
const char kRuntimesKey[] = "Software\\JavaSoft\\Java Runtime Environment";
