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

bool IsTextType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The data of a value, with room for one more character after it. The
// second read reports how much it really wrote, which may be less than the
// first estimate; only those bytes count.
template <class Char, class Query>
bool ReadValue(Query query, HKEY key, const Char* valueName, AutoFreeMemory& buffer, DWORD& size)
{
    if (query(key, valueName, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return false;
    buffer.Reset(AllocateMemory(size + sizeof(Char)));
    return query(key, valueName, nullptr, nullptr, static_cast<BYTE*>(buffer.Get()), &size) == ERROR_SUCCESS;
}

// Data of another type is taken byte for byte as ANSI text.
bool ReadBytesAsText(HKEY key, const wchar_t* valueName, CString& text)
{
    CString name(valueName);
    AutoFreeMemory buffer(nullptr);
    DWORD size = 0;
    if (!ReadValue(RegQueryValueExA, key, name.GetText(), buffer, size))
        return false;
    const char* characters = static_cast<const char*>(buffer.Get());
    text = CString(characters, TextLength(characters, size));
    return true;
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
    DWORD type = REG_NONE;
    if (!key || RegQueryValueExW(key, valueName, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    if (!IsTextType(type))
        return ReadBytesAsText(key, valueName, path);
    AutoFreeMemory buffer(nullptr);
    DWORD size = 0;
    if (!ReadValue(RegQueryValueExW, key, valueName, buffer, size))
        return false;
    wchar_t* text = static_cast<wchar_t*>(buffer.Get());
    text[TextLength(text, size / sizeof(wchar_t))] = L'\0';
    return ToAnsiPath(text, path);
}
