#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"
#include "launcher/Messages.h"

// Placeholders until the virtual machine is hosted.
bool CJavaLauncher::LoadJvmLibrary()
{
    ReportFormattedError(m_splashWindow, Messages::kStepNotBuilt, "load the Java VM library");
    return false;
}

bool CJavaLauncher::CreateJavaVM()
{
    ReportFormattedError(m_splashWindow, Messages::kStepNotBuilt, "create the Java VM");
    return false;
}
