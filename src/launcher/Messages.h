#pragma once

// Texts of the launch sequence itself. Each area keeps the messages it
// reports in a header like this one, next to the code that shows them.
namespace Messages {
const char kComError[] = "COM error: %s (errno = %d).\n";
const char kComInitializeModule[] = "failed to initialize module";
const char kWindowsException[] = "Windows exception: %s (errno = %d).\n";
const char kModulePath[] = "failed to get the module path";
const char kClassPathMissing[] = "Java Class Path was not specified in INI file.";
const char kMainClassMissing[] = "Main class was not specified in INI file.";
const char kWorkingDirectory[] = "Cannot change to the working directory %s (errno = %d).\n";

} // namespace Messages
