#include "splash/SplashImage.h"

#include <wincodec.h>

#include "splash/ImageFile.h"
#include "splash/ImageHeaders.h"
#include "splash/ImageScaler.h"
#include "splash/SplashScale.h"

namespace {

// The system may decode more formats; the splash exposes only these to the
// files it is given.
bool IsSplashFormat(const GUID& format)
{
    return IsEqualGUID(format, GUID_ContainerFormatBmp) || IsEqualGUID(format, GUID_ContainerFormatPng) ||
           IsEqualGUID(format, GUID_ContainerFormatJpeg) || IsEqualGUID(format, GUID_ContainerFormatGif);
}

// A BMP shows as BMPs always have, opaque: the programs that write them
// often leave the fourth byte of 32-bit pixels 0, which is no transparency.
bool KeepsAlpha(const GUID& format)
{
    return !IsEqualGUID(format, GUID_ContainerFormatBmp);
}

const GUID& PixelFormatFor(const GUID& format)
{
    return KeepsAlpha(format) ? GUID_WICPixelFormat32bppPBGRA : GUID_WICPixelFormat32bppBGR;
}

bool IsAcceptedSize(UINT width, UINT height)
{
    return width > 0 && height > 0 && static_cast<ULONGLONG>(width) * height * 4 <= kMaxSplashImageBytes;
}

SIZE ShownSize(UINT width, UINT height, UINT pictureDpi, UINT shownDpi)
{
    SIZE size = { ScaleLength(static_cast<LONG>(width), shownDpi, pictureDpi),
                  ScaleLength(static_cast<LONG>(height), shownDpi, pictureDpi) };
    return size;
}

} // namespace

CSplashImage::CSplashImage() : m_size(), m_translucent(false)
{
}

bool CSplashImage::Load(const char* fileName, UINT pictureDpi, UINT shownDpi)
{
    Release();
    CImageFile file;
    if (file.Read(fileName) && IsSoundImageFile(file.GetData(), file.GetSize()) &&
        Decode(file.GetData(), file.GetSize(), pictureDpi, shownDpi))
        return true;
    Release();
    return false;
}

void CSplashImage::Release()
{
    m_bitmap.Reset(nullptr);
    m_size = SIZE();
    m_translucent = false;
}

// Only the first frame is shown: an animated GIF stands still.
bool CSplashImage::Decode(const BYTE* data, DWORD size, UINT pictureDpi, UINT shownDpi)
{
    AutoRelease<IWICImagingFactory> factory;
    AutoRelease<IWICStream> stream;
    AutoRelease<IWICBitmapDecoder> decoder;
    AutoRelease<IWICBitmapFrameDecode> frame;
    AutoRelease<IWICFormatConverter> converter;
    GUID format;
    UINT width = 0, height = 0;
    // The stream reads the caller's buffer without copying it; the size
    // bounds every read.
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
           SUCCEEDED(factory->CreateStream(&stream)) &&
           SUCCEEDED(stream->InitializeFromMemory(const_cast<BYTE*>(data), size)) &&
           SUCCEEDED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                      &decoder)) &&
           SUCCEEDED(decoder->GetContainerFormat(&format)) && IsSplashFormat(format) &&
           SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&width, &height)) &&
           IsAcceptedSize(width, height) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
           SUCCEEDED(converter->Initialize(frame.Get(), PixelFormatFor(format), WICBitmapDitherTypeNone, nullptr,
                                           0.0, WICBitmapPaletteTypeCustom)) &&
           CopyShown(factory.Get(), converter.Get(), ShownSize(width, height, pictureDpi, shownDpi), KeepsAlpha(format));
}

// Scaling the premultiplied pixels blends colours by their weight, so no
// dark fringe grows along transparent edges.
bool CSplashImage::CopyShown(IWICImagingFactory* factory, IWICBitmapSource* source, SIZE size, bool keepsAlpha)
{
    UINT width = 0, height = 0;
    if (FAILED(source->GetSize(&width, &height)) || !IsAcceptedSize(size.cx, size.cy))
        return false;
    if (width == static_cast<UINT>(size.cx) && height == static_cast<UINT>(size.cy))
        return CopyPixels(source, width, height, keepsAlpha);
    AutoRelease<IWICBitmapScaler> scaled;
    return CreateScaledImage(factory, source, size, scaled) && CopyPixels(scaled.Get(), size.cx, size.cy, keepsAlpha);
}

bool CSplashImage::CopyPixels(IWICBitmapSource* source, UINT width, UINT height, bool keepsAlpha)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height); // top-down, as the decoder delivers rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UINT stride = width * 4;
    if (!m_bitmap.Get() || !bits ||
        FAILED(source->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits))))
        return false;
    m_size.cx = static_cast<LONG>(width);
    m_size.cy = static_cast<LONG>(height);
    const BYTE* pixels = static_cast<const BYTE*>(bits);
    for (ULONGLONG alpha = 3; keepsAlpha && alpha < static_cast<ULONGLONG>(stride) * height && !m_translucent;
         alpha += 4)
        m_translucent = pixels[alpha] != 0xFF;
    return true;
}
