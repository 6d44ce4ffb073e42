#include "jre/ImageMachine.h"
#include "framework/DiskFile.h"

namespace {

#if defined(__x86_64__)
const WORD kThisMachine = IMAGE_FILE_MACHINE_AMD64;
#elif defined(__i386__)
const WORD kThisMachine = IMAGE_FILE_MACHINE_I386;
#elif defined(__aarch64__)
const WORD kThisMachine = IMAGE_FILE_MACHINE_ARM64;
#else
#error "Say which image machine type this architecture's jvm.dll has."
#endif

// Linkers place the image header right after the DOS stub, within the
// first few hundred bytes of the file.
const DWORD kHeaderReach = 1024;

struct ImageHeader
{
    DWORD signature;
    IMAGE_FILE_HEADER fileHeader;
};

} // namespace

bool IsImageForThisMachine(const CString& libraryPath)
{
    BYTE start[kHeaderReach];
    DWORD read = ReadDiskFileStart(libraryPath, start, kHeaderReach);
    const IMAGE_DOS_HEADER* dosHeader = reinterpret_cast<const IMAGE_DOS_HEADER*>(start);
    if (read < sizeof(IMAGE_DOS_HEADER) || dosHeader->e_magic != IMAGE_DOS_SIGNATURE || dosHeader->e_lfanew < 0 ||
        static_cast<DWORD>(dosHeader->e_lfanew) + sizeof(ImageHeader) > read)
        return false;
    const ImageHeader* header = reinterpret_cast<const ImageHeader*>(start + dosHeader->e_lfanew);
    return header->signature == IMAGE_NT_SIGNATURE && header->fileHeader.Machine == kThisMachine;
}
