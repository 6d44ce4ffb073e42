#include "launcher/Placeholders.h"

#include "framework/AnsiPath.h"
#include "framework/Guards.h"
#include "framework/RelativePath.h"

namespace {

const wchar_t kExeDirectory[] = L"EXEDIR";
const wchar_t kExeFile[] = L"EXEFILE";

// A variable's value in the code page, as a path by its short form when
// the code page lacks one of its characters. Only a full path is shortened:
// a relative one would name whatever lies in the current directory.
CString ToAnsiValue(const wchar_t* value, int length)
{
    CString ansi;
    if (ConvertToAnsi(value, length, ansi))
        return ansi;
    CString lossy(value, length);
    DWORD error = 0;
    if (IsFullPath(lossy) && GetAnsiShortForm(value, ansi, error))
        return ansi;
    return lossy;
}

// A variable may hold up to 32767 characters; the buffer grows to what the
// system asks for. A defined but empty variable is still defined.
bool ReadEnvironmentVariable(const wchar_t* name, CString& value)
{
    for (DWORD size = 256;;) {
        AutoFreeMemory buffer(AllocateMemory(size * sizeof(wchar_t)));
        wchar_t* text = static_cast<wchar_t*>(buffer.Get());
        SetLastError(ERROR_SUCCESS);
        DWORD length = GetEnvironmentVariableW(name, text, size);
        if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND)
            return false;
        if (length < size) {
            value = ToAnsiValue(text, static_cast<int>(length));
            return true;
        }
        size = length;
    }
}

bool LookUpPlaceholder(const wchar_t* start, int length, const CString& modulePath, CString& value)
{
    AutoFreeMemory buffer(AllocateMemory((length + 1) * sizeof(wchar_t)));
    wchar_t* name = static_cast<wchar_t*>(buffer.Get());
    CopyMemory(name, start, length * sizeof(wchar_t));
    name[length] = L'\0';
    if (lstrcmpiW(name, kExeDirectory) == 0) {
        value = modulePath.Left(modulePath.ReverseFind('\\'));
        return true;
    }
    if (lstrcmpiW(name, kExeFile) == 0) {
        value = modulePath;
        return true;
    }
    return ReadEnvironmentVariable(name, value);
}

const wchar_t* FindPercentSign(const wchar_t* position)
{
    while (*position && *position != L'%')
        ++position;
    return position;
}

// One pass from left to right; an expansion is never expanded again.
CString ExpandWide(const wchar_t* value, const CString& modulePath)
{
    CString result;
    for (const wchar_t* position = value;;) {
        const wchar_t* open = FindPercentSign(position);
        result += CString(position, static_cast<int>(open - position));
        if (!*open)
            return result;
        const wchar_t* close = FindPercentSign(open + 1);
        CString replacement;
        if (*close && close > open + 1 &&
            LookUpPlaceholder(open + 1, static_cast<int>(close - open - 1), modulePath, replacement)) {
            result += replacement;
            position = close + 1;
        } else {
            result += CString(open, static_cast<int>(close - open));
            position = close;
        }
    }
}

} // namespace

// The configuration's text converts to UTF-16 and back unchanged: the
// profile reader made it from UTF-16 in the first place.
CString ExpandPlaceholders(const CString& value, const CString& modulePath)
{
    if (value.Find('%') < 0)
        return value;
    int length = MultiByteToWideChar(CP_ACP, 0, value, value.GetLength() + 1, nullptr, 0);
    AutoFreeMemory buffer(AllocateMemory(length * sizeof(wchar_t)));
    wchar_t* wideValue = static_cast<wchar_t*>(buffer.Get());
    MultiByteToWideChar(CP_ACP, 0, value, value.GetLength() + 1, wideValue, length);
    return ExpandWide(wideValue, modulePath);
}
