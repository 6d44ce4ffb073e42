#include "support/TestBitmap.h"

#include <algorithm>
#include <cstdint>

namespace {

void Put16(std::string& out, uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, static_cast<uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<uint16_t>(value >> 16));
}

std::string ColourBytes(COLORREF colour, bool withReserved)
{
    std::string bytes = { static_cast<char>(GetBValue(colour)), static_cast<char>(GetGValue(colour)),
                          static_cast<char>(GetRValue(colour)) };
    if (withReserved)
        bytes += '\0';
    return bytes;
}

} // namespace

TestBitmap MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colour)
{
    TestBitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            bitmap.pixels.push_back(colour(x, y));
    }
    return bitmap;
}

COLORREF Gradient(int x, int y)
{
    return RGB((x * 7) & 0xFF, (y * 5) & 0xFF, ((x + y) * 3) & 0xFF);
}

COLORREF Tiles(int x, int y)
{
    static const COLORREF palette[16] = {
        RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
        RGB(255, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255), RGB(128, 0, 0), RGB(0, 128, 0),
        RGB(0, 0, 128), RGB(128, 128, 0), RGB(0, 128, 128), RGB(128, 0, 128), RGB(192, 192, 192),
        RGB(255, 128, 64),
    };
    return palette[(x / 3 + y / 2) % 16];
}

std::string EncodeBmp(const TestBitmap& bitmap, int bitsPerPixel, bool topDown)
{
    std::vector<COLORREF> palette;
    std::string paletteBytes;
    if (bitsPerPixel == 8) {
        for (COLORREF pixel : bitmap.pixels) {
            if (palette.size() < 256 && std::find(palette.begin(), palette.end(), pixel) == palette.end()) {
                palette.push_back(pixel);
                paletteBytes += ColourBytes(pixel, true);
            }
        }
    }
    const size_t rowSize = (static_cast<size_t>(bitmap.width) * bitsPerPixel / 8 + 3) / 4 * 4;
    std::string pixels;
    for (int row = 0; row < bitmap.height; ++row) {
        int y = topDown ? row : bitmap.height - 1 - row;
        std::string line;
        for (int x = 0; x < bitmap.width; ++x) {
            COLORREF pixel = bitmap.At(x, y);
            if (bitsPerPixel == 8)
                line += static_cast<char>(std::find(palette.begin(), palette.end(), pixel) - palette.begin());
            else
                line += ColourBytes(pixel, bitsPerPixel == 32);
        }
        line.resize(rowSize, '\0');
        pixels += line;
    }
    const uint32_t offset = 14 + 40 + static_cast<uint32_t>(paletteBytes.size());
    std::string file = "BM";
    Put32(file, offset + static_cast<uint32_t>(pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    Put32(file, 40);
    Put32(file, static_cast<uint32_t>(bitmap.width));
    Put32(file, static_cast<uint32_t>(topDown ? -bitmap.height : bitmap.height));
    Put16(file, 1);
    Put16(file, static_cast<uint16_t>(bitsPerPixel));
    Put32(file, BI_RGB);
    Put32(file, static_cast<uint32_t>(pixels.size()));
    Put32(file, 2835);
    Put32(file, 2835);
    Put32(file, static_cast<uint32_t>(palette.size()));
    Put32(file, 0);
    return file + paletteBytes + pixels;
}
