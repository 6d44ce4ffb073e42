#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"
#include "launcher/Messages.h"
#include "framework/Guards.h"

namespace {

const wchar_t kLongPathPrefix[] = L"\\\\?\\";
const int kLongPathPrefixLength = 4;

// The ANSI file functions the launch relies on (the profile reader, the file
// test, LoadLibraryA) stop at MAX_PATH. A longer path is replaced by its short
// form, which names the same file and usually fits; where the volume keeps no
// short names, the long path is kept and the system decides.
CString ShortFormOf(const CString& path)
{
    if (path.GetLength() < MAX_PATH || path.Find('\\') == 0)
        return path; // short enough, or a network path the prefix does not fit
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    AutoFreeMemory longBuffer(AllocateMemory((length + kLongPathPrefixLength) * sizeof(wchar_t)));
    wchar_t* longPath = static_cast<wchar_t*>(longBuffer.Get());
    lstrcpyW(longPath, kLongPathPrefix);
    MultiByteToWideChar(CP_ACP, 0, path, -1, longPath + kLongPathPrefixLength, length);

    DWORD shortLength = GetShortPathNameW(longPath, nullptr, 0);
    if (shortLength == 0)
        return path;
    AutoFreeMemory shortBuffer(AllocateMemory(shortLength * sizeof(wchar_t)));
    wchar_t* shortPath = static_cast<wchar_t*>(shortBuffer.Get());
    DWORD written = GetShortPathNameW(longPath, shortPath, shortLength);
    if (written == 0 || written >= shortLength)
        return path;
    if (CompareStringOrdinal(shortPath, kLongPathPrefixLength, kLongPathPrefix, kLongPathPrefixLength, FALSE) ==
        CSTR_EQUAL)
        shortPath += kLongPathPrefixLength;
    CString shortened(shortPath);
    return shortened.GetLength() < path.GetLength() ? shortened : path;
}

} // namespace

// The buffer grows while the system reports truncation, so an executable
// deeper than MAX_PATH still finds its own path whole.
bool CJavaLauncher::GetModulePath(CString& path)
{
    const DWORD kLongestPath = 32768;
    for (DWORD size = MAX_PATH;; size *= 2) {
        AutoFreeMemory buffer(AllocateMemory(size));
        char* text = static_cast<char*>(buffer.Get());
        DWORD length = GetModuleFileNameA(nullptr, text, size);
        if (length == 0) {
            int error = static_cast<int>(GetLastError());
            ReportFormattedErrorCode(m_splashWindow, Messages::kWindowsException, Messages::kModulePath, error);
            return false;
        }
        if (length < size || size >= kLongestPath) {
            path = ShortFormOf(CString(text, length < size ? static_cast<int>(length) : static_cast<int>(size)));
            return true;
        }
    }
}
