#include "launcher/LaunchLog.h"

#include "framework/DiskFile.h"
#include "framework/RelativePath.h"
#include "launcher/IniFile.h"
#include "launcher/JavaLauncher.h"
#include "launcher/LogMessages.h"
#include "launcher/Placeholders.h"

CLaunchLog g_launchLog;

namespace {

const char kLineEnd[] = "\r\n";
const char kContinuation[] = "\r\n    ";

// "2026-12-07 09:30:01.250 process 1234: C:\App\App.exe"
CString StartLine(const CString& modulePath)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    wsprintfA(stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond, now.wMilliseconds);
    CString process;
    process.Format(" process %d: %s", static_cast<int>(GetCurrentProcessId()), modulePath.GetText());
    return CString(stamp) + process;
}

} // namespace

CLaunchLog::CLaunchLog() : m_file(INVALID_HANDLE_VALUE) {}

CLaunchLog::~CLaunchLog()
{
    Close();
}

// Append-only access makes every write land at the end of the file as one
// piece, whoever else appends at the same time.
void CLaunchLog::Open(const char* path)
{
    if (IsOpen())
        return;
    m_file = OpenDiskFile(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          OPEN_ALWAYS);
    if (IsOpen())
        m_redirection.Redirect(m_file);
}

void CLaunchLog::Close()
{
    if (!IsOpen())
        return;
    m_redirection.Restore();
    CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
}

void CLaunchLog::Write(const char* text)
{
    if (!IsOpen())
        return;
    CString block;
    bool first = true;
    for (const char* line = text; *line;) {
        const char* end = line;
        while (*end && *end != '\n')
            ++end;
        int length = static_cast<int>(end - line);
        if (length > 0 && line[length - 1] == '\r')
            --length;
        if (!first)
            block += kContinuation;
        block += CString(line, length);
        first = false;
        line = *end ? end + 1 : end;
    }
    block += kLineEnd;
    DWORD written = 0;
    WriteFile(m_file, block.GetText(), static_cast<DWORD>(block.GetLength()), &written, nullptr);
}

void LogLine(const char* text)
{
    g_launchLog.Write(text);
}

void LogLine(const char* format, const char* text)
{
    if (!g_launchLog.IsOpen())
        return;
    CString line;
    line.Format(format, text);
    g_launchLog.Write(line);
}

void LogLine(const char* format, int number)
{
    if (!g_launchLog.IsOpen())
        return;
    CString line;
    line.Format(format, number);
    g_launchLog.Write(line);
}

void LogLine(const char* format, const char* text, int number)
{
    if (!g_launchLog.IsOpen())
        return;
    CString line;
    line.Format(format, text, number);
    g_launchLog.Write(line);
}

void LogLine(const char* format, const char* text, const char* more)
{
    if (!g_launchLog.IsOpen())
        return;
    CString line;
    line.Format(format, text, more);
    g_launchLog.Write(line);
}

void EndLaunchLog(int exitCode)
{
    LogLine(LogMessages::kExitCode, exitCode);
    g_launchLog.Close();
}

// Only a configuration path that cannot be formed stops the launch here, as
// it would at the next step; the log itself never does.
bool CJavaLauncher::StartLaunchLog()
{
    CString iniPath;
    CString modulePath;
    if (!GetIniFilePath(iniPath) || !GetModulePath(modulePath))
        return false;
    CString logFile;
    ReadIniString(iniPath, CString(IniNames::kDiagnosticsSection), CString(IniNames::kLogFileKey), logFile);
    if (logFile.IsEmpty())
        return true;
    CString directory = modulePath.Left(modulePath.ReverseFind('\\') + 1);
    g_launchLog.Open(ResolveFromDirectory(ExpandPlaceholders(logFile, modulePath), directory));
    LogLine(StartLine(modulePath));
    LogLine(LogMessages::kIniFile, iniPath);
    return true;
}
