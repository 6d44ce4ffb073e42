#include "jre/ImageMachine.h"
#include "framework/DiskFile.h"
#include "framework/Guards.h"

namespace {

#if defined(__x86_64__)
const WORD kThisMachine = IMAGE_FILE_MACHINE_AMD64;
#elif defined(__i386__)
const WORD kThisMachine = IMAGE_FILE_MACHINE_I386;
#elif defined(__aarch64__)
const WORD kThisMachine = IMAGE_FILE_MACHINE_ARM64;
#endif

bool ReadAt(HANDLE file, LONG offset, void* data, DWORD size)
{
    DWORD read = 0;
    return SetFilePointer(file, offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           ReadFile(file, data, size, &read, nullptr) && read == size;
}

} // namespace

bool IsImageForThisMachine(const CString& libraryPath)
{
    AutoCloseHandle file(OpenDiskFile(libraryPath, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    if (!file.IsValid())
        return false;
    IMAGE_DOS_HEADER dosHeader;
    if (!ReadAt(file, 0, &dosHeader, sizeof(dosHeader)) || dosHeader.e_magic != IMAGE_DOS_SIGNATURE ||
        dosHeader.e_lfanew < 0)
        return false;
    struct
    {
        DWORD signature;
        IMAGE_FILE_HEADER fileHeader;
    } header;
    return ReadAt(file, dosHeader.e_lfanew, &header, sizeof(header)) && header.signature == IMAGE_NT_SIGNATURE &&
           header.fileHeader.Machine == kThisMachine;
}
