#pragma once

// Lines of the launch log, in the order a launch writes them.
namespace LogMessages {
const char kIniFile[] = "INI file: %s";
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
const char kJvmOption[] = "JVM option: %s";
const char kMainClass[] = "Main class: %s";
const char kArgument[] = "Program argument: %s";
const char kJvmCreated[] = "JVM creation result: %d";
const char kErrorBox[] = "Error box: %s";
const char kExitCode[] = "Exit code: %d";
} // namespace LogMessages
