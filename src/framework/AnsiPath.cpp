#include "framework/AnsiPath.h"
#include "framework/Guards.h"

namespace {

const wchar_t kLongPathPrefix[] = L"\\\\?\\";
const int kLongPathPrefixLength = 4;

// The UTF-8 code page refuses the default-character flag; there every
// character converts, and the round trip below still catches a lone surrogate.
bool ConvertsWithoutDefault(const wchar_t* text, int length, char* out, int size)
{
    BOOL usedDefault = FALSE;
    BOOL* flag = GetACP() == CP_UTF8 ? nullptr : &usedDefault;
    return WideCharToMultiByte(CP_ACP, 0, text, length, out, size, nullptr, flag) == size && !usedDefault;
}

// Best-fit mapping turns some characters into plain look-alikes without
// using the default character; only a round trip back to UTF-16 shows it.
bool RoundTrips(const char* ansi, int ansiLength, const wchar_t* text, int length)
{
    if (MultiByteToWideChar(CP_ACP, 0, ansi, ansiLength, nullptr, 0) != length)
        return false;
    AutoFreeMemory buffer(AllocateMemory(length * sizeof(wchar_t)));
    wchar_t* back = static_cast<wchar_t*>(buffer.Get());
    MultiByteToWideChar(CP_ACP, 0, ansi, ansiLength, back, length);
    return CompareStringOrdinal(back, length, text, length, FALSE) == CSTR_EQUAL;
}

} // namespace

bool ConvertToAnsi(const wchar_t* text, int length, CString& ansiText)
{
    if (length == 0) {
        ansiText.Empty();
        return true;
    }
    int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return false;
    AutoFreeMemory buffer(AllocateMemory(size));
    char* ansi = static_cast<char*>(buffer.Get());
    if (!ConvertsWithoutDefault(text, length, ansi, size) || !RoundTrips(ansi, size, text, length))
        return false;
    ansiText = CString(ansi, size);
    return true;
}

// A local path longer than MAX_PATH needs the prefix to be found at all; the
// answer comes back with the prefix, which is taken off again.
bool GetAnsiShortForm(const wchar_t* path, CString& shortPath, DWORD& error)
{
    int length = lstrlenW(path);
    bool prefixed = length >= MAX_PATH && path[0] != L'\\';
    AutoFreeMemory longBuffer(AllocateMemory((length + kLongPathPrefixLength + 1) * sizeof(wchar_t)));
    wchar_t* longPath = static_cast<wchar_t*>(longBuffer.Get());
    lstrcpyW(longPath, prefixed ? kLongPathPrefix : L"");
    lstrcatW(longPath, path);

    DWORD size = GetShortPathNameW(longPath, nullptr, 0);
    if (size == 0) {
        error = GetLastError();
        return false;
    }
    AutoFreeMemory shortBuffer(AllocateMemory(size * sizeof(wchar_t)));
    wchar_t* shortForm = static_cast<wchar_t*>(shortBuffer.Get());
    DWORD written = GetShortPathNameW(longPath, shortForm, size);
    if (written == 0 || written >= size) {
        // A path renamed between the two calls may need more room than asked.
        error = written == 0 ? GetLastError() : ERROR_INSUFFICIENT_BUFFER;
        return false;
    }
    if (prefixed && CompareStringOrdinal(shortForm, kLongPathPrefixLength, kLongPathPrefix,
                                         kLongPathPrefixLength, FALSE) == CSTR_EQUAL) {
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
