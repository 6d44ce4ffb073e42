#include "launcher/Placeholders.h"

#include "framework/Guards.h"

namespace {

const char kExeDirectory[] = "EXEDIR";
const char kExeFile[] = "EXEFILE";

// A variable may hold up to 32767 characters; the buffer grows to what the
// system asks for. A defined but empty variable is still defined.
bool ReadEnvironmentVariable(const CString& name, CString& value)
{
    for (DWORD size = 256;;) {
        AutoFreeMemory buffer(AllocateMemory(size));
        char* text = static_cast<char*>(buffer.Get());
        SetLastError(ERROR_SUCCESS);
        DWORD length = GetEnvironmentVariableA(name, text, size);
        if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND)
            return false;
        if (length < size) {
            value = CString(text, static_cast<int>(length));
            return true;
        }
        size = length;
    }
}

bool LookUpPlaceholder(const CString& name, const CString& modulePath, CString& value)
{
    if (lstrcmpiA(name, kExeDirectory) == 0) {
        value = modulePath.Left(modulePath.ReverseFind('\\'));
        return true;
    }
    if (lstrcmpiA(name, kExeFile) == 0) {
        value = modulePath;
        return true;
    }
    return ReadEnvironmentVariable(name, value);
}

} // namespace

// One pass from left to right; an expansion is never expanded again.
CString ExpandPlaceholders(const CString& value, const CString& modulePath)
{
    int open = value.Find('%');
    if (open < 0)
        return value;
    CString result = value.Left(open);
    for (;;) {
        int close = value.Find('%', open + 1);
        if (close < 0)
            return result + value.Mid(open);
        CString name = value.Mid(open + 1, close - open - 1);
        CString replacement;
        int next = close;
        if (!name.IsEmpty() && LookUpPlaceholder(name, modulePath, replacement)) {
            result += replacement;
            next = close + 1;
        } else {
            result += value.Mid(open, close - open);
        }
        open = value.Find('%', next);
        if (open < 0)
            return result + value.Mid(next);
        result += value.Mid(next, open - next);
    }
}
