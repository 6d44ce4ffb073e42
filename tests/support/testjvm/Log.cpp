#include "Log.h"
#include "Behaviour.h"

#include <windows.h>

#include <cstdio>

namespace testjvm {

void Log(const std::string& line)
{
    const std::string& path = CurrentBehaviour().logPath;
    if (path.empty())
        return;
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string record = line + "\n";
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Escape(const std::string& bytes)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char ch : bytes) {
        if (ch == '\\') {
            text += "\\\\";
        } else if (ch < 0x20 || ch >= 0x7F) {
            text += "\\x";
            text += kHex[ch >> 4];
            text += kHex[ch & 0xF];
        } else {
            text += static_cast<char>(ch);
        }
    }
    return text;
}

void Fail(const std::string& what)
{
    Log("fatal=" + what);
    std::fprintf(stderr, "test jvm: %s\n", what.c_str());
    std::fflush(stderr);
    ExitProcess(kFatalExitCode);
}

} // namespace testjvm
