#pragma once
#include <windows.h>

#include "framework/Guards.h"

struct IWICBitmapSource;
struct IWICImagingFactory;

// The most memory a splash picture may take once decoded. Picture files
// compress well, so a small file can announce a huge picture; one beyond
// this is refused before anything is decoded.
const ULONGLONG kMaxSplashImageBytes = 256 * 1024 * 1024;

// The splash picture, decoded by the system's imaging component from a BMP,
// PNG, JPEG or GIF file (told apart by content, whatever the file's name)
// into a top-down DIB section of 32-bit pixels: BGRA premultiplied by their
// alpha, or for a BMP, opaque BGR. A picture meant for another DPI than the
// one it is shown at is scaled to it.
class CSplashImage
{
public:
    CSplashImage();

    // Needs COM on the calling thread. False, with nothing held, for a file
    // that cannot be read, is of another format, is broken or too large.
    bool Load(const char* fileName, UINT pictureDpi, UINT shownDpi);
    void Release();

    HGDIOBJ GetBitmap() const { return m_bitmap.Get(); }
    SIZE GetSize() const { return m_size; }
    // True when some pixel is not fully opaque.
    bool IsTranslucent() const { return m_translucent; }

private:
    CSplashImage(const CSplashImage&) = delete;
    CSplashImage& operator=(const CSplashImage&) = delete;

    bool Decode(const BYTE* data, DWORD size, UINT pictureDpi, UINT shownDpi);
    bool CopyShown(IWICImagingFactory* factory, IWICBitmapSource* source, SIZE size, bool keepsAlpha);
    bool CopyPixels(IWICBitmapSource* source, UINT width, UINT height, bool keepsAlpha);

    AutoDeleteObject m_bitmap;
    SIZE m_size;
    bool m_translucent;
};
