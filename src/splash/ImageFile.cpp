#include "splash/ImageFile.h"

#include "framework/DiskFile.h"
#include "framework/Guards.h"
#include "splash/SplashImage.h"

namespace {

// Room for headers, palettes and metadata around the largest pixel data
// the splash accepts.
const LONGLONG kMaxFileBytes = kMaxSplashImageBytes + 1024 * 1024;

} // namespace

CImageFile::CImageFile() : m_data(nullptr), m_size(0)
{
}

CImageFile::~CImageFile()
{
    FreeMemory(m_data);
}

bool CImageFile::Read(const char* fileName)
{
    AutoCloseHandle file(OpenDiskFile(fileName, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    LARGE_INTEGER size;
    if (!file.IsValid() || !GetFileSizeEx(file, &size) || size.QuadPart <= 0 || size.QuadPart > kMaxFileBytes)
        return false;
    FreeMemory(m_data);
    m_size = 0;
    m_data = static_cast<BYTE*>(TryAllocateMemory(static_cast<size_t>(size.QuadPart)));
    DWORD read = 0;
    if (!m_data || !ReadFile(file, m_data, static_cast<DWORD>(size.QuadPart), &read, nullptr) ||
        read != size.QuadPart)
        return false;
    m_size = read;
    return true;
}
