#include "framework/Guards.h"
#include "framework/RelativePath.h"
#include "jre/Registry.h"
#include "launcher/JavaLauncher.h"
#include "launcher/LaunchLog.h"
#include "launcher/LogMessages.h"

namespace {

const char kRuntimesKey[] = "Software\\JavaSoft\\Java Runtime Environment";
const wchar_t kJavaHomeValue[] = L"JavaHome";

// The index of the highest subkey name within the range, or -1. Only a
// strictly higher version replaces the best so far: among equal versions the
// first enumerated wins, and a name without digits (0.0.0.0) never does.
int ChooseRuntime(const CStringList& names, const JavaVersion& lower, const JavaVersion& upper,
                  JavaVersion& chosenVersion)
{
    int chosen = -1;
    JavaVersion best;
    for (int index = 0; index < names.GetCount(); ++index) {
        JavaVersion candidate;
        candidate.Parse(names[index], 0);
        if (candidate.IsWithin(lower, upper) && candidate.Compare(best) > 0) {
            best = candidate;
            chosen = index;
        }
    }
    chosenVersion = best;
    return chosen;
}

} // namespace

// Only the highest subkey is tried: when it has no readable home, no other
// subkey of this key is, the directory stays empty and the selection goes on
// to the places where current runtimes register. An empty or relative home
// counts as none: it would be read from the current directory or the root
// of its drive, where any user may put a jvm.dll.
void CJavaLauncher::FindRegistryJre(CString& jreDirectory)
{
    AutoRegCloseKey runtimes;
    OpenRegistryKey(HKEY_LOCAL_MACHINE, kRuntimesKey, &runtimes);
    CStringList names;
    EnumRegistrySubkeys(runtimes, names);
    LogLine(LogMessages::kRegistryKey, kRuntimesKey, names.GetCount());
    for (int i = 0; i < names.GetCount(); ++i)
        LogLine(LogMessages::kRegistrySubkey, names[i]);

    JavaVersion version;
    int chosen = ChooseRuntime(names, m_minVersion, m_maxVersion, version);
    if (chosen < 0)
        return;
    m_jreVersion = version;

    // Opened below the key already open rather than by its full path: a
    // subkey name may take 255 characters, and the ANSI registry functions
    // may refuse a path that long as a whole.
    AutoRegCloseKey runtime;
    OpenRegistryKey(runtimes, names[chosen], &runtime);
    CString home;
    if (!ReadRegistryPath(runtime, kJavaHomeValue, home) || !IsFullPath(home))
        return;
    // Whole characters are compared, so a home ending in a double-byte
    // character whose trail byte is 0x5C still gets its separator.
    if (!home.EndsWith('\\'))
        home += '\\';
    jreDirectory = home;
}
