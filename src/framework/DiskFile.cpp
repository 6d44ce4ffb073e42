#include "framework/DiskFile.h"
#include "framework/Guards.h"

HANDLE OpenDiskFile(const char* path, DWORD access, DWORD share, DWORD disposition)
{
    HANDLE file = CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return file;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

DWORD ReadDiskFileStart(const char* path, void* buffer, DWORD size)
{
    AutoCloseHandle file(OpenDiskFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    DWORD read = 0;
    if (!file.IsValid() || !ReadFile(file, buffer, size, &read, nullptr))
        return 0;
    return read;
}
