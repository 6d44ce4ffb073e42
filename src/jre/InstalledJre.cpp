#include "framework/AnsiPath.h"
#include "framework/Guards.h"
#include "framework/RelativePath.h"
#include "jre/ImageMachine.h"
#include "jre/JvmLibrary.h"
#include "jre/Registry.h"
#include "jre/ReleaseFile.h"
#include "launcher/JavaLauncher.h"

namespace {

// Where current installers register a runtime, below HKLM\Software: one
// subkey per runtime below each key, named by its version (Zulu: by a name),
// and below that the value holding the runtime's home: JavaHome for the
// JavaSoft keys, InstallationPath for Zulu, and Path in the subkey's
// hotspot\MSI key for the others. The names are kept in the table itself
// rather than behind pointers, which the 32-bit image would have to relocate.
enum HomeValue { kJavaHome, kMsiPath, kInstallationPath };

struct RuntimePlace
{
    char key[32];
    HomeValue value;
};

const RuntimePlace kRuntimePlaces[] = {
    { "JavaSoft\\JDK", kJavaHome },
    { "JavaSoft\\JRE", kJavaHome },
    { "JavaSoft\\Java Development Kit", kJavaHome },
    { "Eclipse Adoptium\\JDK", kMsiPath },
    { "Eclipse Adoptium\\JRE", kMsiPath },
    { "AdoptOpenJDK\\JDK", kMsiPath },
    { "AdoptOpenJDK\\JRE", kMsiPath },
    { "Eclipse Foundation\\JDK", kMsiPath },
    { "Eclipse Foundation\\JRE", kMsiPath },
    { "Microsoft\\JDK", kMsiPath },
    { "Azul Systems\\Zulu", kInstallationPath },
};

// A name such as 17, 17.0.2 or 1.8.0_392 starts with its version; one such
// as zulu-17 does not, and the runtime's release file tells.
bool IsVersionName(const CString& name)
{
    return name[0] >= '0' && name[0] <= '9';
}

// The highest runtime inside the range met so far. Only a strictly higher
// version replaces it, so among equal versions the first place wins. These
// places often keep entries of uninstalled runtimes and runtimes of the
// other bitness, so a home must hold a jvm.dll this launcher can load; and
// it must be a full path, as the classic key's must.
class CRuntimeChoice
{
public:
    CRuntimeChoice(const JavaVersion& lower, const JavaVersion& upper) : m_lower(lower), m_upper(upper) {}

    void Consider(CString home, const CString& name)
    {
        if (!IsFullPath(home))
            return;
        if (!home.EndsWith('\\'))
            home += '\\';
        JavaVersion version;
        if (IsVersionName(name))
            version.Parse(name, 0);
        else if (!ReadReleaseVersion(home, version))
            return;
        if (!version.IsWithin(m_lower, m_upper) || version.Compare(m_version) <= 0)
            return;
        CString library = FindJvmLibrary(home);
        if (library.IsEmpty() || !IsImageForThisMachine(library))
            return;
        m_version = version;
        m_home = home;
    }

    const CString& GetHome() const { return m_home; }
    const JavaVersion& GetVersion() const { return m_version; }

private:
    const JavaVersion& m_lower;
    const JavaVersion& m_upper;
    JavaVersion m_version;
    CString m_home;
};

void ConsiderPlace(HKEY software, const RuntimePlace& place, CRuntimeChoice& choice)
{
    AutoRegCloseKey runtimes;
    if (!OpenRegistryKey(software, place.key, &runtimes))
        return;
    CStringList names;
    EnumRegistrySubkeys(runtimes, names);
    for (int i = 0; i < names.GetCount(); ++i) {
        AutoRegCloseKey runtime;
        CString home;
        bool msi = place.value == kMsiPath;
        const wchar_t* valueName = msi ? L"Path" : place.value == kJavaHome ? L"JavaHome" : L"InstallationPath";
        if (OpenRegistryKey(runtimes, msi ? names[i] + "\\hotspot\\MSI" : names[i], &runtime) &&
            ReadRegistryPath(runtime, valueName, home))
            choice.Consider(home, names[i]);
    }
}

void ConsiderJavaHome(CRuntimeChoice& choice)
{
    const DWORD kLongestValue = 32767;
    AutoFreeMemory buffer(AllocateMemory(kLongestValue * sizeof(wchar_t)));
    wchar_t* value = static_cast<wchar_t*>(buffer.Get());
    DWORD length = GetEnvironmentVariableW(L"JAVA_HOME", value, kLongestValue);
    CString home;
    if (length > 0 && length < kLongestValue && ToAnsiPath(value, home))
        choice.Consider(home, CString());
}

} // namespace

// Runtimes since Java 9 no longer register under the classic key; this
// search runs when that key yields none, and takes the highest runtime inside
// the range among every place below and JAVA_HOME.
void CJavaLauncher::FindInstalledJre(CString& jreDirectory)
{
    CRuntimeChoice choice(m_minVersion, m_maxVersion);
    AutoRegCloseKey software;
    if (OpenRegistryKey(HKEY_LOCAL_MACHINE, "Software", &software)) {
        for (const RuntimePlace& place : kRuntimePlaces)
            ConsiderPlace(software, place, choice);
    }
    ConsiderJavaHome(choice);
    if (choice.GetHome().IsEmpty())
        return;
    m_jreVersion = choice.GetVersion();
    jreDirectory = choice.GetHome();
}
