#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"
#include "launcher/Messages.h"

// Placeholder until runtime selection is built.
bool CJavaLauncher::SelectJre()
{
    ReportFormattedError(m_splashWindow, Messages::kStepNotBuilt, "select a Java runtime");
    return false;
}
