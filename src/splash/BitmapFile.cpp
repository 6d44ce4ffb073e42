#include "splash/BitmapFile.h"

#include "framework/DiskFile.h"
#include "framework/Guards.h"

#include <windows.h>

bool GetBitmapFilePath(const char* fileName, CString& fullPath)
{
    DWORD size = GetFullPathNameA(fileName, 0, nullptr, nullptr);
    if (size == 0)
        return false;
    AutoFreeMemory buffer(AllocateMemory(size));
    char* text = static_cast<char*>(buffer.Get());
    DWORD length = GetFullPathNameA(fileName, size, text, nullptr);
    if (length == 0 || length >= size)
        return false;
    fullPath = CString(text, static_cast<int>(length));
    return true;
}

namespace {

bool ReadExactly(HANDLE file, void* buffer, DWORD size)
{
    DWORD read = 0;
    return ReadFile(file, buffer, size, &read, nullptr) && read == size;
}

// Only the depths BMP files have; they also keep the size below in range.
bool IsBitmapDepth(WORD bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

// Bytes of pixel data the headers announce; 0 for headers that make no sense.
ULONGLONG AnnouncedPixelBytes(HANDLE file, DWORD infoHeaderSize)
{
    LONG width = 0, height = 0;
    WORD bitCount = 0;
    DWORD compression = BI_RGB, imageSize = 0;
    if (infoHeaderSize == sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER core;
        if (!ReadExactly(file, &core, sizeof(core)))
            return 0;
        width = core.bcWidth;
        height = core.bcHeight;
        bitCount = core.bcBitCount;
    } else if (infoHeaderSize >= sizeof(BITMAPINFOHEADER)) {
        BITMAPINFOHEADER info;
        if (!ReadExactly(file, &info, sizeof(info)))
            return 0;
        width = info.biWidth;
        height = info.biHeight;
        bitCount = info.biBitCount;
        compression = info.biCompression;
        imageSize = info.biSizeImage;
    } else {
        return 0;
    }
    if (width <= 0 || height == 0 || !IsBitmapDepth(bitCount))
        return 0;
    // Compressed pixels have no fixed size; the header gives it.
    if (compression != BI_RGB && compression != BI_BITFIELDS)
        return imageSize;
    ULONGLONG rowBytes = (static_cast<ULONGLONG>(width) * bitCount + 31) / 32 * 4;
    ULONGLONG rows = height < 0 ? -static_cast<LONGLONG>(height) : height;
    return rowBytes * rows;
}

} // namespace

bool IsCompleteBitmapFile(const char* path)
{
    AutoCloseHandle file(OpenDiskFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    LARGE_INTEGER fileSize;
    if (!file.IsValid() || !GetFileSizeEx(file, &fileSize))
        return false;
    BITMAPFILEHEADER fileHeader;
    DWORD infoHeaderSize = 0;
    if (!ReadExactly(file, &fileHeader, sizeof(fileHeader)) || fileHeader.bfType != 0x4D42 /* "BM" */ ||
        !ReadExactly(file, &infoHeaderSize, sizeof(infoHeaderSize)) ||
        SetFilePointer(file, sizeof(fileHeader), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    ULONGLONG pixelBytes = AnnouncedPixelBytes(file, infoHeaderSize);
    if (pixelBytes == 0 || fileHeader.bfOffBits < static_cast<ULONGLONG>(sizeof(fileHeader)) + infoHeaderSize)
        return false;
    return fileHeader.bfOffBits + pixelBytes <= static_cast<ULONGLONG>(fileSize.QuadPart);
}
