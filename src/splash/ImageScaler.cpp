#include "splash/ImageScaler.h"

namespace {

// Windows 10's mode, which older headers do not name.
const WICBitmapInterpolationMode kHighQualityCubic = static_cast<WICBitmapInterpolationMode>(4);

} // namespace

bool CreateScaledImage(IWICImagingFactory* factory, IWICBitmapSource* source, SIZE size,
                       AutoRelease<IWICBitmapScaler>& scaled)
{
    if (FAILED(factory->CreateBitmapScaler(&scaled)))
        return false;
    const UINT width = static_cast<UINT>(size.cx), height = static_cast<UINT>(size.cy);
    return SUCCEEDED(scaled->Initialize(source, width, height, kHighQualityCubic)) ||
           SUCCEEDED(scaled->Initialize(source, width, height, WICBitmapInterpolationModeFant));
}
