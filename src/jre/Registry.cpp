#include "jre/Registry.h"
#include "framework/AnsiPath.h"
#include "framework/Guards.h"

namespace {

// Long enough for any key name the registry allows (255 characters).
const DWORD kSubkeyNameSize = 260;

// The registry does not promise a terminating NUL, so the text ends at the
// first NUL inside the data or at the data's end, whichever comes first.
template <class Char>
int TextLength(const Char* data, DWORD size)
{
    DWORD length = 0;
    while (length < size && data[length] != Char(0))
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

// Only a string value is converted: data of any other type comes back as it
// is stored, and is taken byte for byte as ANSI text.
bool ReadRegistryPath(HKEY key, const wchar_t* valueName, CString& path)
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!key || RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return false;
    // The second read reports how much it really wrote, which may be less
    // than the first estimate; only those bytes count.
    AutoFreeMemory buffer(AllocateMemory(size + sizeof(wchar_t)));
    BYTE* data = static_cast<BYTE*>(buffer.Get());
    if (RegQueryValueExW(key, valueName, nullptr, &type, data, &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) {
        const char* bytes = reinterpret_cast<const char*>(data);
        path = CString(bytes, TextLength(bytes, size));
        return true;
    }
    wchar_t* text = reinterpret_cast<wchar_t*>(data);
    text[TextLength(text, size / sizeof(wchar_t))] = L'\0';
    return ToAnsiPath(text, path);
}
