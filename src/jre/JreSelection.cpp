#include "jre/JreMessages.h"
#include "jre/JvmLibrary.h"
#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"
#include "launcher/LaunchLog.h"
#include "launcher/LogMessages.h"

// A private runtime wins over any installed one and is not tested against
// the version range; only the searches of installed runtimes apply it. The
// classic key comes first: whatever it yields inside the range is taken.
bool CJavaLauncher::SelectJre()
{
    CString jreDirectory;
    if (!FindPrivateJre(jreDirectory))
        return false;
    if (!jreDirectory.IsEmpty()) {
        LogLine(LogMessages::kPrivateRuntimeChosen, jreDirectory);
    } else {
        FindRegistryJre(jreDirectory);
        if (jreDirectory.IsEmpty())
            FindInstalledJre(jreDirectory);
        if (!jreDirectory.IsEmpty())
            LogLine(LogMessages::kRegistryRuntimeChosen, jreDirectory, m_jreVersion.ToText());
    }

    if (jreDirectory.IsEmpty()) {
        CString message;
        message.Format(JreMessages::kJreNotFound, DescribeRequirement().GetText(),
                       m_downloadPage.IsEmpty() ? JreMessages::kDefaultDownloadPage : m_downloadPage.GetText());
        ReportError(m_splashWindow, message);
        return false;
    }
    m_jvmLibraryPath = FindJvmLibrary(jreDirectory);
    if (m_jvmLibraryPath.IsEmpty()) {
        ReportFormattedError(m_splashWindow, JreMessages::kJvmNotFound, jreDirectory);
        return false;
    }
    return true;
}
