// Wall time of a whole launch through the launcher against the minimal host
// of the same stand-in jvm.dll, as the ratio of the two medians. Both run
// from the same private runtime layout, interleaved, so that drift of the
// machine falls on both alike.
//
// Usage (under Wine, see bench/run.sh): launch_overhead [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const DWORD kTimeoutMs = 30000;
const int kWarmUpRuns = 3;

std::string ToWindowsPath(const std::string& hostPath)
{
    std::string path = "Z:" + hostPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(file);
    return ok;
}

// An application directory as one is shipped: the launcher under its
// application name, its INI, and a private runtime beside it.
struct Layout
{
    std::string directory;
    std::string launcher;
    std::string jvm;
};

bool MakeLayout(Layout& layout)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    layout.directory = std::string(temp) + "launch-overhead-" + std::to_string(GetCurrentProcessId()) + "\\";
    layout.launcher = layout.directory + "BenchApp.exe";
    layout.jvm = layout.directory + "bin\\client\\jvm.dll";
    return CreateDirectoryA(layout.directory.c_str(), nullptr) &&
           CreateDirectoryA((layout.directory + "bin").c_str(), nullptr) &&
           CreateDirectoryA((layout.directory + "bin\\client").c_str(), nullptr) &&
           CopyFileA(ToWindowsPath(LAUNCHER_EXE_PATH).c_str(), layout.launcher.c_str(), FALSE) &&
           CopyFileA(ToWindowsPath(TEST_JVM_PATH).c_str(), layout.jvm.c_str(), FALSE) &&
           WriteBytes(layout.directory + "bin\\java.dll", "not used") &&
           WriteBytes(layout.directory + "BenchApp.ini",
                      "[Class Path]\r\nClass Path=app.jar\r\n"
                      "[Java Runtime Environment]\r\nMain Class=com.example.Main\r\n"
                      "Minimum Version=any\r\nMaximum Version=any\r\n");
}

void RemoveLayout(const Layout& layout)
{
    DeleteFileA(layout.launcher.c_str());
    DeleteFileA(layout.jvm.c_str());
    DeleteFileA((layout.directory + "bin\\java.dll").c_str());
    DeleteFileA((layout.directory + "BenchApp.ini").c_str());
    RemoveDirectoryA((layout.directory + "bin\\client").c_str());
    RemoveDirectoryA((layout.directory + "bin").c_str());
    RemoveDirectoryA(layout.directory.c_str());
}

struct Run
{
    bool finished = false;
    DWORD exitCode = 0;
    double seconds = 0;
};

Run Time(const std::string& commandLine, const std::string& directory)
{
    Run run;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                        &process))
        return run;
    // A launcher that stops at an error box never ends on its own.
    run.finished = WaitForSingleObject(process.hProcess, kTimeoutMs) == WAIT_OBJECT_0;
    QueryPerformanceCounter(&end);
    if (!run.finished)
        TerminateProcess(process.hProcess, 1);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    return run;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool Succeeded(const char* name, const Run& run)
{
    if (run.finished && run.exitCode == 0)
        return true;
    if (!run.finished)
        std::fprintf(stderr, "%s did not finish within %lu ms (an error box waiting?)\n", name, kTimeoutMs);
    else
        std::fprintf(stderr, "%s ended with exit code 0x%08lX\n", name, run.exitCode);
    return false;
}

void Summarise(const char* name, const std::vector<double>& seconds)
{
    std::printf("%-14s median %8.2f ms   min %8.2f ms   max %8.2f ms   (%zu runs)\n", name,
                Median(seconds) * 1000, *std::min_element(seconds.begin(), seconds.end()) * 1000,
                *std::max_element(seconds.begin(), seconds.end()) * 1000, seconds.size());
}

} // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::atoi(argv[1]) : 30;
    if (runs < 30) {
        std::fprintf(stderr, "at least 30 runs of each, please\n");
        return 2;
    }
    Layout layout;
    if (!MakeLayout(layout)) {
        std::fprintf(stderr, "cannot lay out the application directory\n");
        RemoveLayout(layout);
        return 1;
    }
    SetEnvironmentVariableA("TESTJVM_CLASSES", "com/example/Main");
    SetEnvironmentVariableA("TESTJVM_LOG", nullptr);
    const std::string launcherLine = "\"" + layout.launcher + "\"";
    const std::string hostLine = "\"" + ToWindowsPath(MINIMAL_HOST_PATH) + "\" \"" + layout.jvm +
                                 "\" app.jar com/example/Main";

    std::vector<double> launcher, host;
    bool ok = true;
    for (int i = -kWarmUpRuns; ok && i < runs; ++i) {
        // Alternate which goes first, so neither always inherits a warm cache.
        bool launcherFirst = i % 2 == 0;
        Run first = Time(launcherFirst ? launcherLine : hostLine, layout.directory);
        Run second = Time(launcherFirst ? hostLine : launcherLine, layout.directory);
        const Run& launcherRun = launcherFirst ? first : second;
        const Run& hostRun = launcherFirst ? second : first;
        ok = Succeeded("launcher", launcherRun) && Succeeded("minimal host", hostRun);
        if (ok && i >= 0) {
            launcher.push_back(launcherRun.seconds);
            host.push_back(hostRun.seconds);
        }
    }
    RemoveLayout(layout);
    if (!ok)
        return 1;

    Summarise("launcher", launcher);
    Summarise("minimal host", host);
    std::printf("ratio of medians (launcher / minimal host): %.3f\n", Median(launcher) / Median(host));
    return 0;
}
