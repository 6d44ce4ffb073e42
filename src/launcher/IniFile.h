#pragma once
#include "framework/String.h"

// Reads one value of an INI file through the platform's profile reader. The
// value is empty when the file, the section or the key is missing.
void ReadIniString(const CString& filePath, const CString& section, const CString& key, CString& value);

// Section and key names of the launcher's configuration file.
namespace IniNames {
const wchar_t kApplicationSection[] = L"Application";
const wchar_t kSingleInstanceKey[] = L"Single Instance";
const wchar_t kInstanceNameKey[] = L"Instance Name";
const wchar_t kDisplaySection[] = L"Display";
const wchar_t kSplashScreenKey[] = L"Splash Screen";
const wchar_t kSplashShadowKey[] = L"Splash Screen Shadow";
const wchar_t kSplashTimeoutKey[] = L"Splash Screen Timeout";
const wchar_t kClassPathSection[] = L"Class Path";
const wchar_t kClassPathKey[] = L"Class Path";
const wchar_t kRuntimeSection[] = L"Java Runtime Environment";
const wchar_t kVmParametersKey[] = L"Virtual Machine Parameters";
const wchar_t kMainClassKey[] = L"Main Class";
const wchar_t kMinimumVersionKey[] = L"Minimum Version";
const wchar_t kMaximumVersionKey[] = L"Maximum Version";
const wchar_t kDownloadPageKey[] = L"Download Page";
const wchar_t kAnyVersion[] = L"any";
const wchar_t kWorkingDirectoryKey[] = L"Working Directory";
const wchar_t kDiagnosticsSection[] = L"Diagnostics";
const wchar_t kLogFileKey[] = L"Log File";
const wchar_t kShowJavaErrorsKey[] = L"Show Java Errors";
} // namespace IniNames
