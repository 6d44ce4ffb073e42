#pragma once
// What the benchmarks share: application directories laid out as they are
// shipped, and whole launches timed from CreateProcess to the end of the
// process.
#include <windows.h>

#include <string>
#include <vector>

// A launcher that stops at an error box never ends on its own.
const DWORD kTimeoutMs = 30000;

// The build's paths are host paths; under Wine drive Z: is the host's root.
std::string ToWindowsPath(const std::string& hostPath);

bool WriteBytes(const std::string& path, const std::string& bytes);

// The INI file of an application whose main class the stand-in jvm.dll
// knows. Empty vmParameters leave the key out.
std::string IniText(const std::string& classPath, const std::string& vmParameters);

// Has the stand-in jvm.dll run com.example.Main and log nothing, so that
// the launch costs what a real one does around the virtual machine.
void UseStandInQuietly();

// An application directory as one is shipped: the launcher under its
// application name, its INI, and, when asked for, a private runtime beside
// it. jvm stays empty without one.
struct Layout
{
    std::string directory;
    std::string launcher;
    std::string ini;
    std::string jvm;
};

// The directory is <temp>\<name>-<process id>\.
bool MakeLayout(Layout& layout, const std::string& name, bool withPrivateRuntime);
void RemoveLayout(const Layout& layout);

struct Run
{
    bool finished = false;
    DWORD exitCode = 0;
    double seconds = 0;
};

Run Time(const std::string& commandLine, const std::string& directory);

// A command line, the directory it runs in, and its name in messages.
struct Launch
{
    const char* name;
    std::string commandLine;
    std::string directory;
};

// Times the two launches in turns, after warm-up turns that are not kept,
// so that drift of the machine falls on both alike. Stops at the first
// launch that fails.
bool TimeInTurns(const Launch& a, const Launch& b, int warmUpRuns, int runs, std::vector<double>& aSeconds,
                 std::vector<double>& bSeconds);

double Median(std::vector<double> values);
bool Succeeded(const char* name, const Run& run);
void Summarise(const char* name, const std::vector<double>& seconds);
