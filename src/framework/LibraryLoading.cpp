#include "framework/LibraryLoading.h"

namespace {

typedef DLL_DIRECTORY_COOKIE(WINAPI* AddDllDirectoryFunction)(PCWSTR directory);
typedef BOOL(WINAPI* RemoveDllDirectoryFunction)(DLL_DIRECTORY_COOKIE cookie);

const DWORD kSearchFlags = LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_USER_DIRS |
                           LOAD_LIBRARY_SEARCH_SYSTEM32;

// Windows 7 without its 2011 loader update lacks both functions.
template <class Function>
Function KernelFunction(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

// Null when the directory cannot be added (or the system cannot add any).
// Runtime homes are full paths, which these flags need, and fit in MAX_PATH.
DLL_DIRECTORY_COOKIE AddSearchDirectory(const CString& directory)
{
    AddDllDirectoryFunction addDllDirectory = KernelFunction<AddDllDirectoryFunction>("AddDllDirectory");
    wchar_t wideDirectory[MAX_PATH];
    if (!addDllDirectory || !MultiByteToWideChar(CP_ACP, 0, directory, -1, wideDirectory, MAX_PATH))
        return nullptr;
    return addDllDirectory(wideDirectory);
}

// The older way to the same search: the library's own directory replaces
// the executable's, and the DLL directory, set only for the load, replaces
// the current one.
HMODULE LoadWithDllDirectory(const CString& path, const CString& dependencyDirectory)
{
    SetDllDirectoryA(dependencyDirectory);
    HMODULE library = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    DWORD error = GetLastError();
    SetDllDirectoryA(nullptr);
    SetLastError(error);
    return library;
}

} // namespace

HMODULE LoadLibraryWithDependencies(const CString& path, const CString& dependencyDirectory, DWORD& error)
{
    DLL_DIRECTORY_COOKIE cookie = AddSearchDirectory(dependencyDirectory);
    HMODULE library = cookie ? LoadLibraryExA(path, nullptr, kSearchFlags)
                             : LoadWithDllDirectory(path, dependencyDirectory);
    error = library ? ERROR_SUCCESS : GetLastError();
    if (cookie)
        KernelFunction<RemoveDllDirectoryFunction>("RemoveDllDirectory")(cookie);
    return library;
}
