#include "jre/PrivateJre.h"
#include "jre/JvmLibrary.h"
#include "launcher/JavaLauncher.h"
#include "launcher/LaunchLog.h"
#include "launcher/LogMessages.h"

namespace {
const char kJavaLibrary[] = "bin\\java.dll";
const char kPrivateJreSubdirectory[] = "jre\\";
} // namespace

bool IsJreDirectory(const CString& directory)
{
    return FileExists(directory + kJavaLibrary);
}

namespace {

bool IsPrivateJreDirectory(const CString& directory)
{
    bool found = IsJreDirectory(directory);
    LogLine(found ? LogMessages::kPrivateRuntimeFound : LogMessages::kPrivateRuntimeAbsent, directory);
    return found;
}

} // namespace

// ReverseFind steps over whole characters, so a double-byte file name whose
// trail byte is 0x5C does not cut the path in the middle of a character.
bool CJavaLauncher::GetModuleDirectory(CString& directory)
{
    CString path;
    if (!GetModulePath(path))
        return false;
    directory = path.Left(path.ReverseFind('\\') + 1);
    return true;
}

// A runtime shipped with the application, in its own directory or in the
// jre subdirectory, is used as it is: it carries no version to test.
bool CJavaLauncher::FindPrivateJre(CString& jreDirectory)
{
    CString directory;
    if (!GetModuleDirectory(directory))
        return false;
    jreDirectory.Empty();
    if (directory.IsEmpty())
        return true;
    if (IsPrivateJreDirectory(directory)) {
        jreDirectory = directory;
        return true;
    }
    directory += kPrivateJreSubdirectory;
    if (IsPrivateJreDirectory(directory))
        jreDirectory = directory;
    return true;
}
