#include "jre/ReleaseFile.h"
#include "framework/DiskFile.h"

namespace {

const char kReleaseFile[] = "release";
const char kVersionKey[] = "\nJAVA_VERSION=";
const int kVersionKeyLength = sizeof(kVersionKey) - 1;
// The file holds a few hundred bytes, the version among its first lines.
const DWORD kReadLimit = 2048;

// The start of the value after the key at a line's start, or null.
const char* FindVersionValue(const char* text, int length)
{
    for (int i = 0; i + kVersionKeyLength <= length; ++i) {
        int matched = 0;
        while (matched < kVersionKeyLength && text[i + matched] == kVersionKey[matched])
            ++matched;
        if (matched == kVersionKeyLength)
            return text + i + kVersionKeyLength;
    }
    return nullptr;
}

} // namespace

bool ReadReleaseVersion(const CString& home, JavaVersion& version)
{
    // A line feed in front lets the key match on the first line too.
    char text[kReadLimit + 1] = { '\n' };
    DWORD read = ReadDiskFileStart(home + kReleaseFile, text + 1, kReadLimit);
    const char* value = FindVersionValue(text, static_cast<int>(read) + 1);
    if (!value)
        return false;
    int length = 0;
    const char* end = text + read + 1;
    while (value + length < end && value[length] != '\n' && value[length] != '\r')
        ++length;
    JavaVersion parsed;
    parsed.Parse(CString(value, length), 0);
    if (parsed == JavaVersion::Zero())
        return false; // no digit, or a version no runtime has
    version = parsed;
    return true;
}
