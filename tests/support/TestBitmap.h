#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Bitmaps made by tests, and the bytes of their BMP files.
struct TestBitmap
{
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels; // row by row from the top

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

TestBitmap MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colour);

// Colour patterns: a gradient in all three channels, and tiles of sixteen
// colours that an 8-bit file can hold in its palette.
COLORREF Gradient(int x, int y);
COLORREF Tiles(int x, int y);

// A BMP file with a BITMAPINFOHEADER: 8 bits per pixel (a palette of the
// bitmap's first 256 distinct colours), 24 or 32; bottom-up as usual, or
// top-down.
std::string EncodeBmp(const TestBitmap& bitmap, int bitsPerPixel, bool topDown = false);
