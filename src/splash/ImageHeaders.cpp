#include "splash/ImageHeaders.h"

#include "splash/SplashImage.h"

namespace {

// Reads at offsets computed from the file's own numbers; a read past the
// end gives 0, and offsets are wide enough that adding lengths to them
// cannot wrap.
class CByteReader
{
public:
    CByteReader(const BYTE* data, DWORD size) : m_data(data), m_size(size) {}
    bool Has(ULONGLONG offset, ULONGLONG count) const { return offset + count <= m_size; }
    UINT Byte(ULONGLONG offset) const { return Has(offset, 1) ? m_data[offset] : 0; }
    UINT Little16(ULONGLONG offset) const { return Byte(offset) | Byte(offset + 1) << 8; }
    UINT Little32(ULONGLONG offset) const { return Little16(offset) | Little16(offset + 2) << 16; }
    UINT Big16(ULONGLONG offset) const { return Byte(offset) << 8 | Byte(offset + 1); }
    UINT Big32(ULONGLONG offset) const { return Big16(offset) << 16 | Big16(offset + 2); }
    bool StartsWith(const char* text, DWORD length) const
    {
        return Has(0, length) && memcmp(m_data, text, length) == 0;
    }

private:
    const BYTE* m_data;
    DWORD m_size;
};

bool FitsInMemory(LONGLONG width, LONGLONG height)
{
    return width > 0 && height > 0 && static_cast<ULONGLONG>(width) <= kMaxSplashImageBytes / 4 / height;
}

// Only the depths BMP files have.
bool IsBitmapDepth(UINT bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

// Long enough for the pixel data the headers announce.
bool IsSoundBitmap(const CByteReader& file)
{
    const ULONGLONG kInfoHeader = 14;
    const ULONGLONG headerSize = file.Little32(kInfoHeader);
    LONGLONG width = 0, height = 0;
    UINT bitCount = 0, compression = BI_RGB;
    if (headerSize == 12 && file.Has(kInfoHeader, headerSize)) {
        width = file.Little16(kInfoHeader + 4);
        height = file.Little16(kInfoHeader + 6);
        bitCount = file.Little16(kInfoHeader + 10);
    } else if (headerSize >= 40 && file.Has(kInfoHeader, headerSize)) {
        width = static_cast<LONG>(file.Little32(kInfoHeader + 4));
        height = static_cast<LONG>(file.Little32(kInfoHeader + 8));
        bitCount = file.Little16(kInfoHeader + 14);
        compression = file.Little32(kInfoHeader + 16);
    } else {
        return false;
    }
    height = height < 0 ? -height : height; // negative for top-down rows
    if (!IsBitmapDepth(bitCount) || !FitsInMemory(width, height))
        return false;
    // Compressed pixels have no fixed size; the header gives it.
    ULONGLONG pixelBytes = (compression == BI_RGB || compression == BI_BITFIELDS)
                               ? (width * bitCount + 31) / 32 * 4 * height
                               : file.Little32(kInfoHeader + 20);
    ULONGLONG pixelOffset = file.Little32(10);
    return pixelBytes > 0 && pixelOffset >= kInfoHeader + headerSize && file.Has(pixelOffset, pixelBytes);
}

// The header chunk first, and every chunk whole up to the end chunk.
bool IsSoundPng(const CByteReader& file)
{
    const UINT kHeaderChunk = 0x49484452, kEndChunk = 0x49454E44; // "IHDR", "IEND"
    if (file.Big32(12) != kHeaderChunk || !FitsInMemory(file.Big32(16), file.Big32(20)))
        return false;
    for (ULONGLONG chunk = 8; file.Has(chunk, 12); chunk += 12 + static_cast<ULONGLONG>(file.Big32(chunk))) {
        if (file.Big32(chunk + 4) == kEndChunk)
            return true;
    }
    return false;
}

bool IsFrameMarker(UINT marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Entropy-coded data runs to the next marker: 0xFF followed by neither a
// stuffed 0 nor a restart marker.
ULONGLONG SkipEntropyCodedData(const CByteReader& file, ULONGLONG offset)
{
    for (; file.Has(offset, 2); ++offset) {
        UINT next = file.Byte(offset + 1);
        if (file.Byte(offset) == 0xFF && next != 0 && (next < 0xD0 || next > 0xD7))
            break;
    }
    return offset;
}

// Segments in order, a frame header before the end-of-image marker.
bool IsSoundJpeg(const CByteReader& file)
{
    bool framed = false;
    for (ULONGLONG offset = 2; file.Has(offset, 2);) {
        UINT marker = file.Byte(offset + 1);
        if (file.Byte(offset) != 0xFF)
            return false;
        if (marker == 0xD9)
            return framed;
        if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            offset += marker == 0xFF ? 1 : 2; // fill byte, or a marker without a segment
            continue;
        }
        ULONGLONG length = file.Big16(offset + 2);
        if (length < 2 || !file.Has(offset + 2, length))
            return false;
        if (IsFrameMarker(marker)) {
            if (!FitsInMemory(file.Big16(offset + 7), file.Big16(offset + 5)))
                return false;
            framed = true;
        }
        offset += 2 + length;
        if (marker == 0xDA) // start of scan
            offset = SkipEntropyCodedData(file, offset);
    }
    return false;
}

ULONGLONG GifColourTableBytes(UINT flags)
{
    return (flags & 0x80) ? 3ull << ((flags & 7) + 1) : 0;
}

// Past a chain of data sub-blocks and its terminator; 0 when it is cut off.
ULONGLONG SkipGifSubBlocks(const CByteReader& file, ULONGLONG offset)
{
    while (file.Has(offset, 1)) {
        UINT length = file.Byte(offset);
        offset += 1 + length;
        if (length == 0)
            return offset;
    }
    return 0;
}

// Every block whole up to the trailer; the screen and every image within
// the bound.
bool IsSoundGif(const CByteReader& file)
{
    if (!FitsInMemory(file.Little16(6), file.Little16(8)))
        return false;
    ULONGLONG offset = 13 + GifColourTableBytes(file.Byte(10));
    while (offset && file.Has(offset, 1)) {
        UINT block = file.Byte(offset);
        if (block == 0x3B) // trailer
            return true;
        if (block == 0x21) { // extension: introducer and label
            offset += 2;
        } else if (block == 0x2C) { // image: descriptor, colours, code size
            if (!FitsInMemory(file.Little16(offset + 5), file.Little16(offset + 7)))
                return false;
            offset += 10 + GifColourTableBytes(file.Byte(offset + 9)) + 1;
        } else {
            return false;
        }
        offset = SkipGifSubBlocks(file, offset);
    }
    return false;
}

} // namespace

bool IsSoundImageFile(const BYTE* data, DWORD size)
{
    CByteReader file(data, size);
    if (file.StartsWith("BM", 2))
        return IsSoundBitmap(file);
    if (file.StartsWith("\x89PNG\r\n\x1A\n", 8))
        return IsSoundPng(file);
    if (file.StartsWith("\xFF\xD8", 2))
        return IsSoundJpeg(file);
    if (file.StartsWith("GIF87a", 6) || file.StartsWith("GIF89a", 6))
        return IsSoundGif(file);
    return false;
}
