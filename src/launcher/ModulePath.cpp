#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"
#include "launcher/Messages.h"
#include "framework/Guards.h"

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
            path = CString(text, length < size ? static_cast<int>(length) : static_cast<int>(size));
            return true;
        }
    }
}
