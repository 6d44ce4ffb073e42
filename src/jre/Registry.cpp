#include "jre/Registry.h"
#include "framework/Guards.h"

namespace {

// Long enough for any key name the registry allows (255 characters).
const DWORD kSubkeyNameSize = 260;

// The registry does not promise a terminating NUL, so the text ends at the
// first NUL inside the data or at the data's end, whichever comes first.
int TextLength(const char* data, DWORD size)
{
    DWORD length = 0;
    while (length < size && data[length] != '\0')
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

bool ReadRegistryString(HKEY key, const char* valueName, CString& text)
{
    if (!key)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return false;
    AutoFreeMemory buffer(AllocateMemory(size));
    BYTE* data = static_cast<BYTE*>(buffer.Get());
    // The second read reports how much it really wrote, which may be less
    // than the first estimate; only those bytes are looked at.
    if (RegQueryValueExA(key, valueName, nullptr, &type, data, &size) != ERROR_SUCCESS)
        return false;
    const char* characters = reinterpret_cast<const char*>(data);
    text = CString(characters, TextLength(characters, size));
    return true;
}
