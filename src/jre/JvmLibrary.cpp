#include "jre/JvmLibrary.h"
#include "framework/Guards.h"
#include "launcher/LaunchLog.h"
#include "launcher/LogMessages.h"

namespace {

// A runtime may carry several virtual machines; the first one present is the
// one loaded, so this order decides which it is.
const char* const kJvmLibraryCandidates[] = {
    "bin\\client\\jvm.dll",
    "bin\\server\\jvm.dll",
    "bin\\classic\\jvm.dll",
    "bin\\hotspot\\jvm.dll",
};

} // namespace

bool FileExists(const CString& path)
{
    WIN32_FIND_DATAA entry;
    AutoFindClose search(FindFirstFileA(path, &entry));
    return search.IsValid();
}

CString FindJvmLibrary(const CString& jreDirectory)
{
    for (const char* candidate : kJvmLibraryCandidates) {
        CString path = jreDirectory + candidate;
        bool found = FileExists(path);
        LogLine(found ? LogMessages::kJvmCandidateFound : LogMessages::kJvmCandidateAbsent, path);
        if (found)
            return path;
    }
    return CString();
}

CString GetRuntimeBinDirectory(const CString& jvmLibraryPath)
{
    CString vmDirectory = jvmLibraryPath.Left(jvmLibraryPath.ReverseFind('\\'));
    return vmDirectory.Left(vmDirectory.ReverseFind('\\'));
}
