#pragma once
#include <windows.h>

// The structure of a picture file held in memory, checked before the
// system's decoder sees it. Decoders differ in what they do with a cut-off
// file (some fill the missing part with whatever they like), and some
// allocate the whole picture as soon as they have read its size; so the
// launcher checks both itself, reading nothing outside the data.

// True when the data is a whole BMP, PNG, JPEG or GIF file as far as its
// structure shows, and every picture size it announces stays within
// kMaxSplashImageBytes once decoded.
bool IsSoundImageFile(const BYTE* data, DWORD size);
