#include "framework/AnsiPath.h"
#include "framework/Guards.h"

namespace {

const wchar_t kLongPathPrefix[] = L"\\\\?\\";
const int kLongPathPrefixLength = 4;

} // namespace

// Without best fit, a character the code page lacks becomes the default
// character and is reported, instead of turning silently into a look-alike
// such as a plain quote. The UTF-8 code page holds every character and
// refuses both the flag and the report.
bool ConvertToAnsi(const wchar_t* text, int length, CString& ansiText)
{
    // No code page takes more than three bytes for a UTF-16 unit.
    int size = length * 3 + 1;
    AutoFreeMemory buffer(AllocateMemory(size));
    char* ansi = static_cast<char*>(buffer.Get());
    bool utf8 = GetACP() == CP_UTF8;
    BOOL usedDefault = FALSE;
    int written = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, text, length, ansi, size, nullptr,
                                      utf8 ? nullptr : &usedDefault);
    if ((written == 0 && length > 0) || usedDefault)
        return false;
    ansiText = CString(ansi, written);
    return true;
}

// A local path longer than MAX_PATH needs the prefix to be found at all; the
// answer keeps the form of the question, so the prefix is taken off again.
bool GetAnsiShortForm(const wchar_t* path, CString& shortPath, DWORD& error)
{
    int length = lstrlenW(path);
    bool prefixed = length >= MAX_PATH && path[0] != L'\\';
    AutoFreeMemory longBuffer(AllocateMemory((length + kLongPathPrefixLength + 1) * sizeof(wchar_t)));
    wchar_t* longPath = static_cast<wchar_t*>(longBuffer.Get());
    lstrcpyW(longPath, prefixed ? kLongPathPrefix : L"");
    lstrcatW(longPath, path);

    const DWORD kLongestPath = 32768;
    AutoFreeMemory shortBuffer(AllocateMemory(kLongestPath * sizeof(wchar_t)));
    wchar_t* shortForm = static_cast<wchar_t*>(shortBuffer.Get());
    DWORD written = GetShortPathNameW(longPath, shortForm, kLongestPath);
    if (written == 0 || written >= kLongestPath) {
        error = written == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    if (prefixed) {
        shortForm += kLongPathPrefixLength;
        written -= kLongPathPrefixLength;
    }
    if (!ConvertToAnsi(shortForm, static_cast<int>(written), shortPath)) {
        error = ERROR_NO_UNICODE_TRANSLATION;
        return false;
    }
    return true;
}

bool ToAnsiPath(const wchar_t* path, CString& ansiPath)
{
    if (ConvertToAnsi(path, lstrlenW(path), ansiPath))
        return true;
    DWORD error = 0;
    return GetAnsiShortForm(path, ansiPath, error);
}
