#include "launcher/IniFile.h"
#include "launcher/JavaLauncher.h"
#include "framework/Guards.h"

#include <windows.h>

// The profile reader cannot say how long a value is, only that it filled the
// buffer; so the buffer doubles until the value fits with room to spare. A
// quoted value that fills the buffer comes back one character shorter than
// the buffer allows, once its closing quote is dropped; so a value within two
// characters of the buffer's size counts as possibly cut, too.
void ReadIniString(const CString& filePath, const CString& section, const CString& key, CString& value)
{
    for (DWORD size = 256;; size *= 2) {
        AutoFreeMemory buffer(AllocateMemory(size));
        char* text = static_cast<char*>(buffer.Get());
        DWORD length = GetPrivateProfileStringA(section, key, "", text, size, filePath);
        if (length + 2 < size) {
            value = CString(text, static_cast<int>(length));
            return;
        }
    }
}

// The configuration file is the executable's path with the text after its
// last '.' replaced by "ini", so a renamed copy reads its own file.
bool CJavaLauncher::GetIniFilePath(CString& path)
{
    CString modulePath;
    if (!GetModulePath(modulePath))
        return false;
    int lastDot = modulePath.ReverseFind('.');
    if (lastDot < 0)
        return false;
    path = modulePath.Left(lastDot + 1) + "ini";
    return true;
}
