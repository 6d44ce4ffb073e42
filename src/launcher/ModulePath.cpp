#include "framework/AnsiPath.h"
#include "framework/Guards.h"
#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"
#include "launcher/Messages.h"

namespace {

// The ANSI form of the executable's path. Only the directory may be replaced
// by its short form: the configuration file is named after the executable's
// long name. A directory the code page holds and that leaves the path within
// MAX_PATH stays as it is; a longer one without a short form is kept and the
// system decides. False with the Windows error code when no ANSI form exists.
bool ToAnsiModulePath(wchar_t* path, int length, CString& ansiPath, DWORD& error)
{
    int nameStart = length;
    while (nameStart > 0 && path[nameStart - 1] != L'\\')
        --nameStart;
    CString name;
    if (!ConvertToAnsi(path + nameStart, length - nameStart, name)) {
        error = ERROR_NO_UNICODE_TRANSLATION;
        return false;
    }
    CString directory;
    bool whole = ConvertToAnsi(path, nameStart, directory);
    if (!whole || length >= MAX_PATH) {
        wchar_t separator = path[nameStart];
        path[nameStart] = L'\0';
        CString shortDirectory;
        bool shortened = GetAnsiShortForm(path, shortDirectory, error);
        path[nameStart] = separator;
        if (!whole && !shortened)
            return false;
        if (shortened)
            directory = shortDirectory.EndsWith('\\') ? shortDirectory : shortDirectory + "\\";
    }
    ansiPath = directory + name;
    return true;
}

} // namespace

// The buffer holds the longest path Windows has, so an executable deeper
// than MAX_PATH still finds its own path whole.
bool CJavaLauncher::GetModulePath(CString& path)
{
    const DWORD kLongestPath = 32768;
    AutoFreeMemory buffer(AllocateMemory((kLongestPath + 1) * sizeof(wchar_t)));
    wchar_t* text = static_cast<wchar_t*>(buffer.Get());
    DWORD length = GetModuleFileNameW(nullptr, text, kLongestPath);
    DWORD error = GetLastError();
    if (length != 0) {
        text[length] = L'\0';
        if (ToAnsiModulePath(text, static_cast<int>(length), path, error))
            return true;
    }
    ReportFormattedErrorCode(m_splashWindow, Messages::kWindowsException, Messages::kModulePath,
                             static_cast<int>(error));
    return false;
}
