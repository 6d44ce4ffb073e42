#include "splash/ScaledImageFile.h"

#include "splash/SplashScale.h"

namespace {

struct ScaledName
{
    const char* suffix;
    UINT percent;
};

const ScaledName kScaledNames[] = {
    { "@125pct", 125 }, { "@150pct", 150 }, { "@175pct", 175 }, { "@2x", 200 },     { "@200pct", 200 },
    { "@225pct", 225 }, { "@250pct", 250 }, { "@3x", 300 },     { "@300pct", 300 }, { "@350pct", 350 },
    { "@4x", 400 },     { "@400pct", 400 },
};

// Before the last dot of the file's own name; at the end when it has none.
CString WithSuffix(const CString& fileName, const char* suffix)
{
    int dot = fileName.ReverseFind('.');
    int backslash = fileName.ReverseFind('\\'), slash = fileName.ReverseFind('/');
    if (dot <= backslash || dot <= slash)
        return fileName + suffix;
    return fileName.Left(dot) + suffix + fileName.Mid(dot);
}

bool IsFile(const char* fileName)
{
    DWORD attributes = GetFileAttributesA(fileName);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

UINT Distance(UINT a, UINT b)
{
    return a > b ? a - b : b - a;
}

} // namespace

CString FindScaledImageFile(const CString& fileName, UINT displayDpi, UINT& pictureDpi)
{
    const UINT displayPercent = MulDiv(static_cast<int>(displayDpi), 100, kUnscaledDpi);
    CString chosen = fileName;
    UINT chosenPercent = 100;
    for (const ScaledName& name : kScaledNames) {
        UINT distance = Distance(name.percent, displayPercent), best = Distance(chosenPercent, displayPercent);
        if (distance > best || (distance == best && name.percent <= chosenPercent))
            continue;
        CString candidate = WithSuffix(fileName, name.suffix);
        if (IsFile(candidate)) {
            chosen = candidate;
            chosenPercent = name.percent;
        }
    }
    pictureDpi = MulDiv(static_cast<int>(chosenPercent), kUnscaledDpi, 100);
    return chosen;
}
