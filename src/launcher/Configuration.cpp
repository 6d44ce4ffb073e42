#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"
#include "launcher/Messages.h"

// Placeholder until the configuration file is read.
bool CJavaLauncher::ReadConfiguration()
{
    ReportFormattedError(m_splashWindow, Messages::kStepNotBuilt, "read its configuration file");
    return false;
}
