#pragma once

// Lines of the launch log, in the order a launch writes them.
namespace LogMessages {
const char kIniFile[] = "INI file: %s";
const char kInstanceClaimed[] = "Single instance %s: claimed";
const char kInstanceActivated[] = "Single instance %s: held by process %d, its window brought forward";
const char kInstanceWithoutWindow[] = "Single instance %s: held by process %d, which shows no window yet";
const char kWorkingDirectory[] = "Working directory: %s";
const char kPrivateRuntimeFound[] = "Private runtime in %s: found";
const char kPrivateRuntimeAbsent[] = "Private runtime in %s: none";
const char kRegistryKey[] = "Registry key HKLM\\%s: %d subkeys";
const char kRegistrySubkey[] = "Registry runtime listed: %s";
const char kPrivateRuntimeChosen[] = "Runtime chosen: %s (private)";
const char kRegistryRuntimeChosen[] = "Runtime chosen: %s (version %s)";
const char kJvmCandidateFound[] = "JVM library %s: found";
const char kJvmCandidateAbsent[] = "JVM library %s: none";
const char kJvmLoaded[] = "JVM library loaded: %s";
const char kOptionsFileMissing[] = "JVM options file %s: none";
const char kOptionsFileSkipped[] = "JVM options file %s: skipped, %s";
const char kOptionsFileRead[] = "JVM options file %s: read";
const char kUserOption[] = "JVM option from %s: %s";
const char kUserOptionSkipped[] = "JVM option from %s skipped, the ANSI code page lacks its characters: %s";
const char kJvmOption[] = "JVM option: %s";
const char kMainClass[] = "Main class: %s";
const char kJarMainClass[] = "Main class from the manifest of %s: %s";
const char kArgument[] = "Program argument: %s";
const char kJvmCreated[] = "JVM creation result: %d";
const char kErrorBox[] = "Error box: %s";
const char kExitCode[] = "Exit code: %d";
} // namespace LogMessages
