#include "jre/ReleaseFile.h"
#include "framework/DiskFile.h"
#include "framework/Guards.h"

namespace {

const char kReleaseFile[] = "release";
const char kVersionKey[] = "JAVA_VERSION=";
const int kVersionKeyLength = sizeof(kVersionKey) - 1;
// The file is a few hundred bytes; the version is among its first lines.
const DWORD kReadLimit = 65536;

// The text of the file's start, up to the limit; empty when it cannot be read.
CString ReadStart(const CString& path)
{
    AutoCloseHandle file(OpenDiskFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    if (!file.IsValid())
        return CString();
    AutoFreeMemory buffer(AllocateMemory(kReadLimit));
    char* data = static_cast<char*>(buffer.Get());
    DWORD total = 0;
    DWORD read = 0;
    while (total < kReadLimit && ReadFile(file, data + total, kReadLimit - total, &read, nullptr) && read > 0)
        total += read;
    return CString(data, static_cast<int>(total));
}

bool HasDigit(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            return true;
    }
    return false;
}

} // namespace

bool ReadReleaseVersion(const CString& home, JavaVersion& version)
{
    CString text = ReadStart(home + kReleaseFile);
    for (int lineStart = 0; lineStart < text.GetLength();) {
        int lineEnd = text.Find('\n', lineStart);
        if (lineEnd < 0)
            lineEnd = text.GetLength();
        CString line = text.Mid(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (!line.Left(kVersionKeyLength).Equals(kVersionKey))
            continue;
        CString value = line.Mid(kVersionKeyLength);
        value.Trim();
        if (!HasDigit(value))
            return false;
        version = JavaVersion();
        version.Parse(value, 0);
        return true;
    }
    return false;
}
