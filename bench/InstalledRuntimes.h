#pragma once
// Java runtimes registered on this machine the way their installers do it,
// so that the launcher's search through the registry can be timed.
#include "support/TestRegistryKey.h"

#include <string>

// Below HKEY_LOCAL_MACHINE.
extern const char kRuntimesKey[];

// The key is only ever made by this benchmark and removed with everything
// below it; one that exists already may belong to real runtimes.
bool RuntimesKeyExists();

// Subkeys 1.8.0_1 to 1.8.0_<count> under the runtimes' key. Only the
// highest names a home, so that the launcher has to compare every name to
// find the one it can use. Everything is removed again on destruction.
class InstalledRuntimes
{
public:
    InstalledRuntimes(int count, const std::string& javaHome);

    InstalledRuntimes(const InstalledRuntimes&) = delete;
    InstalledRuntimes& operator=(const InstalledRuntimes&) = delete;

    bool Registered() const { return m_registered; }

private:
    TestRegistryKey m_runtimes;
    bool m_registered = false;
};
