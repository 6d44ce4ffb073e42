#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"
#include "launcher/Messages.h"

// Placeholder until the main class is invoked.
bool CJavaLauncher::InvokeMain()
{
    ReportFormattedError(m_splashWindow, Messages::kStepNotBuilt, "invoke the main class");
    return false;
}
