#include "jre/Registry.h"
#include "framework/AnsiPath.h"
#include "framework/Guards.h"

namespace {

// Long enough for any key name the registry allows (255 characters).
const DWORD kSubkeyNameSize = 260;

// The registry does not promise a terminating NUL, so the text ends at the
// first NUL inside the data or at the data's end, whichever comes first.
int TextLength(const wchar_t* data, DWORD size)
{
    DWORD length = 0;
    while (length < size && data[length] != L'\0')
        ++length;
    return static_cast<int>(length);
}

} // namespace

bool OpenRegistryKey(HKEY root, const char* path, HKEY* key)
{
    if (RegOpenKeyExA(root, path, 0, KEY_READ, key) == ERROR_SUCCESS)
        return true;
    *key = nullptr;
    return false;
}

void EnumRegistrySubkeys(HKEY key, CStringList& names)
{
    if (!key)
        return;
    for (DWORD index = 0;; ++index) {
        char name[kSubkeyNameSize];
        DWORD length = kSubkeyNameSize;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return;
        names.Append(CString(name, static_cast<int>(length)));
    }
}

bool ReadRegistryPath(HKEY key, const wchar_t* valueName, CString& path)
{
    if (!key)
        return false;
    DWORD size = 0;
    if (RegQueryValueExW(key, valueName, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return false;
    // One character more than the data, so the text always ends in a NUL.
    AutoFreeMemory buffer(AllocateMemory(size + sizeof(wchar_t)));
    wchar_t* text = static_cast<wchar_t*>(buffer.Get());
    if (RegQueryValueExW(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return false;
    text[TextLength(text, size / sizeof(wchar_t))] = L'\0';
    return ToAnsiPath(text, path);
}
