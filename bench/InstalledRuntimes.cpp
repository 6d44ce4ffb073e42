#include "InstalledRuntimes.h"

const char kRuntimesKey[] = "Software\\JavaSoft\\Java Runtime Environment";

namespace {

std::string RuntimeName(int number)
{
    return "1.8.0_" + std::to_string(number);
}

} // namespace

bool RuntimesKeyExists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRuntimesKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// TestRegistryKey leaves a key that already exists alone and gives no handle
// for it, so nothing real is written to or removed.
InstalledRuntimes::InstalledRuntimes(int count, const std::string& javaHome)
    : m_runtimes(HKEY_LOCAL_MACHINE, kRuntimesKey)
{
    if (!m_runtimes.Handle() || count < 1)
        return;
    for (int number = 1; number < count; ++number) {
        if (!m_runtimes.CreateSubkey(RuntimeName(number)))
            return;
    }
    m_registered = m_runtimes.SetString(RuntimeName(count), "JavaHome", javaHome);
}
