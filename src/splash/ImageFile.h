#pragma once
#include <windows.h>

// The splash image's file, read whole into memory so that the decoder can
// never read past what the file holds. A name relative to the current
// directory is taken from there and nowhere else.
class CImageFile
{
public:
    CImageFile();
    ~CImageFile();

    // False when the file cannot be opened, is not a file on a disk, is
    // empty or too large for any image the splash would show, or cannot be
    // read whole.
    bool Read(const char* fileName);

    const BYTE* GetData() const { return m_data; }
    DWORD GetSize() const { return m_size; }

private:
    CImageFile(const CImageFile&) = delete;
    CImageFile& operator=(const CImageFile&) = delete;

    BYTE* m_data;
    DWORD m_size;
};
