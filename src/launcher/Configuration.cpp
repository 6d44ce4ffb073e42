#include "launcher/Arguments.h"
#include "launcher/ErrorReport.h"
#include "launcher/IniFile.h"
#include "launcher/JavaLauncher.h"
#include "launcher/Messages.h"
#include "launcher/Placeholders.h"
#include "jvm/JavaException.h"

namespace {

const char kClassPathOption[] = "-Djava.class.path=";

// "any" is the keyword for "no bound"; anything else is a version text.
void ReadVersionBound(const CString& iniPath, const wchar_t* key, int fill, const JavaVersion& any,
                      JavaVersion& bound)
{
    CString text;
    ReadIniString(iniPath, CString(IniNames::kRuntimeSection), CString(key), text);
    if (text.Equals(CString(IniNames::kAnyVersion)))
        bound = any;
    else
        bound.Parse(text, fill);
}

} // namespace

bool CJavaLauncher::ReadConfiguration()
{
    CString iniPath;
    CString modulePath;
    if (!GetIniFilePath(iniPath) || !GetModulePath(modulePath))
        return false;

    // A missing file shows as a missing class path: nothing else can tell
    // the user more precisely what to fix.
    CString classPath;
    ReadIniString(iniPath, CString(IniNames::kClassPathSection), CString(IniNames::kClassPathKey), classPath);
    if (classPath.IsEmpty()) {
        ReportError(m_splashWindow, Messages::kClassPathMissing);
        return false;
    }
    classPath = ExpandPlaceholders(classPath, modulePath);
    m_vmOptions.Append(kClassPathOption + classPath);

    // Split first, so that a directory with spaces stays inside its option.
    const CString runtimeSection(IniNames::kRuntimeSection);
    CString parameters;
    ReadIniString(iniPath, runtimeSection, CString(IniNames::kVmParametersKey), parameters);
    CStringList parameterList;
    SplitArguments(parameters, parameterList);
    for (int i = 0; i < parameterList.GetCount(); ++i)
        m_vmOptions.Append(ExpandPlaceholders(parameterList[i], modulePath));

    ReadIniString(iniPath, runtimeSection, CString(IniNames::kMainClassKey), m_mainClass);
    if (m_mainClass.IsEmpty() && !FindMainJar(classPath)) {
        ReportError(m_splashWindow, Messages::kMainClassMissing);
        return false;
    }
    m_mainClass.Replace('.', '/');

    ReadIniString(iniPath, runtimeSection, CString(IniNames::kDownloadPageKey), m_downloadPage);
    ReadVersionBound(iniPath, IniNames::kMinimumVersionKey, 0, JavaVersion::Zero(), m_minVersion);
    ReadVersionBound(iniPath, IniNames::kMaximumVersionKey, JavaVersion::kUnboundedComponent,
                     JavaVersion::Highest(), m_maxVersion);

    CString showJavaErrors;
    ReadIniString(iniPath, CString(IniNames::kDiagnosticsSection), CString(IniNames::kShowJavaErrorsKey),
                  showJavaErrors);
    SetJavaExceptionTextShown(lstrcmpiA(showJavaErrors, "true") == 0);
    return EnterWorkingDirectory(iniPath, modulePath);
}
