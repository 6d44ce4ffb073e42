#pragma once
#include <windows.h>

// The dots per inch at which a picture is meant to be shown when it is drawn
// pixel for pixel: 100% scaling.
const UINT kUnscaledDpi = 96;

// The dots per inch of the monitor the splash appears on, the primary one
// whose work area it is centred in.
UINT GetSplashDpi();

// A length of a picture meant for one DPI, at another.
LONG ScaleLength(LONG length, UINT shownDpi, UINT pictureDpi);
