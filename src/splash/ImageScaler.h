#pragma once
#include <windows.h>

#include <wincodec.h>

#include "framework/Guards.h"

// A decoded picture at another size, through the imaging component's best
// scaler this Windows offers: high-quality cubic from Windows 10 on, Fant's
// resampling before. False when neither can be set up.
bool CreateScaledImage(IWICImagingFactory* factory, IWICBitmapSource* source, SIZE size,
                       AutoRelease<IWICBitmapScaler>& scaled);
