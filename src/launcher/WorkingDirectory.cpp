#include "framework/RelativePath.h"
#include "launcher/ErrorReport.h"
#include "launcher/IniFile.h"
#include "launcher/JavaLauncher.h"
#include "launcher/LaunchLog.h"
#include "launcher/LogMessages.h"
#include "launcher/Messages.h"
#include "launcher/Placeholders.h"

// The JVM resolves relative class-path entries, and the application its
// relative file names, from the current directory; a configured one makes
// them independent of how the application was started. Without the key the
// current directory stays as the process got it.
bool CJavaLauncher::EnterWorkingDirectory(const CString& iniPath, const CString& modulePath)
{
    CString configured;
    ReadIniString(iniPath, CString(IniNames::kRuntimeSection), CString(IniNames::kWorkingDirectoryKey), configured);
    if (configured.IsEmpty())
        return true;
    CString directory = ResolveFromDirectory(ExpandPlaceholders(configured, modulePath),
                                             modulePath.Left(modulePath.ReverseFind('\\') + 1));
    if (!SetCurrentDirectoryA(directory)) {
        DWORD error = GetLastError();
        ReportFormattedErrorCode(m_splashWindow, Messages::kWorkingDirectory, directory, static_cast<int>(error));
        return false;
    }
    LogLine(LogMessages::kWorkingDirectory, directory);
    return true;
}
