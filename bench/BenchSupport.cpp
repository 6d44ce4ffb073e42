#include "BenchSupport.h"

#include <algorithm>
#include <cstdio>

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

std::string IniText(const std::string& classPath, const std::string& vmParameters)
{
    std::string text = "[Class Path]\r\nClass Path=" + classPath + "\r\n" +
                       "[Java Runtime Environment]\r\nMain Class=com.example.Main\r\n";
    if (!vmParameters.empty())
        text += "Virtual Machine Parameters=" + vmParameters + "\r\n";
    return text + "Minimum Version=any\r\nMaximum Version=any\r\n";
}

void UseStandInQuietly()
{
    SetEnvironmentVariableA("TESTJVM_CLASSES", "com/example/Main");
    SetEnvironmentVariableA("TESTJVM_LOG", nullptr);
}

namespace {

bool MakePrivateRuntime(const Layout& layout)
{
    return CreateDirectoryA((layout.directory + "bin").c_str(), nullptr) &&
           CreateDirectoryA((layout.directory + "bin\\client").c_str(), nullptr) &&
           CopyFileA(ToWindowsPath(TEST_JVM_PATH).c_str(), layout.jvm.c_str(), FALSE) &&
           WriteBytes(layout.directory + "bin\\java.dll", "not used");
}

} // namespace

bool MakeLayout(Layout& layout, const std::string& name, bool withPrivateRuntime)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    layout.directory = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId()) + "\\";
    layout.launcher = layout.directory + "BenchApp.exe";
    layout.ini = layout.directory + "BenchApp.ini";
    layout.jvm = withPrivateRuntime ? layout.directory + "bin\\client\\jvm.dll" : "";
    return CreateDirectoryA(layout.directory.c_str(), nullptr) &&
           (!withPrivateRuntime || MakePrivateRuntime(layout)) &&
           CopyFileA(ToWindowsPath(LAUNCHER_EXE_PATH).c_str(), layout.launcher.c_str(), FALSE) &&
           WriteBytes(layout.ini, IniText("app.jar", ""));
}

void RemoveLayout(const Layout& layout)
{
    DeleteFileA(layout.launcher.c_str());
    DeleteFileA(layout.ini.c_str());
    if (!layout.jvm.empty()) {
        DeleteFileA(layout.jvm.c_str());
        DeleteFileA((layout.directory + "bin\\java.dll").c_str());
        RemoveDirectoryA((layout.directory + "bin\\client").c_str());
        RemoveDirectoryA((layout.directory + "bin").c_str());
    }
    RemoveDirectoryA(layout.directory.c_str());
}

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

bool TimeInTurns(const Launch& a, const Launch& b, int warmUpRuns, int runs, std::vector<double>& aSeconds,
                 std::vector<double>& bSeconds)
{
    bool ok = true;
    for (int i = -warmUpRuns; ok && i < runs; ++i) {
        // Alternate which goes first, so neither always inherits a warm cache.
        bool aFirst = i % 2 == 0;
        const Launch& first = aFirst ? a : b;
        const Launch& second = aFirst ? b : a;
        Run firstRun = Time(first.commandLine, first.directory);
        Run secondRun = Time(second.commandLine, second.directory);
        const Run& aRun = aFirst ? firstRun : secondRun;
        const Run& bRun = aFirst ? secondRun : firstRun;
        ok = Succeeded(a.name, aRun) && Succeeded(b.name, bRun);
        if (ok && i >= 0) {
            aSeconds.push_back(aRun.seconds);
            bSeconds.push_back(bRun.seconds);
        }
    }
    return ok;
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
